#include "shell/win32/InstanceConnection.h"

#include <cstring>

namespace ovx {

const wchar_t kMutexName[] = L"Orvanta Mutex";
const wchar_t kMainProcessClass[] = L"TOvnxMainProcessWClass";
const wchar_t kMainProcessCaption[] = L"Orvanta Shadow Window";

namespace {

// How long a starting editor process may take to create its main process window.
const DWORD kMainWindowWaitMs = 5000;

std::string ToAnsi(const std::wstring& text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  int n = WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  std::string bytes(n > 0 ? n : 0, '\0');
  if (n > 0) WideCharToMultiByte(CP_ACP, 0, text.data(), length, bytes.data(), n, nullptr, nullptr);
  return bytes;
}

std::wstring FromAnsi(const std::string& bytes) {
  if (bytes.empty()) return {};
  const int length = static_cast<int>(bytes.size());
  int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
  std::wstring text(n > 0 ? n : 0, L'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, text.data(), n);
  return text;
}

LRESULT SendFileName(HWND mainWindow, const std::wstring& name) {
  TFileNameMessage message = EncodeFileName(name);
  COPYDATASTRUCT data = {};
  data.dwData = message.kind;
  data.cbData = static_cast<DWORD>(message.bytes.size());
  data.lpData = message.bytes.empty() ? nullptr : message.bytes.data();
  // A window that has gone answers 0 as well: its process is ending.
  return SendMessageW(mainWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
}

}  // namespace

TFileNameMessage EncodeFileName(const std::wstring& name) {
  // A character the code page lacks turns into "?" or a look-alike: the round trip tells.
  std::string ansi = ToAnsi(name);
  if (FromAnsi(ansi) == name) return {kFileNameAnsi, ansi};
  const char* units = reinterpret_cast<const char*>(name.data());
  return {kFileNameUtf16, std::string(units, units + name.size() * sizeof(wchar_t))};
}

std::optional<std::wstring> DecodeFileName(const COPYDATASTRUCT& data) {
  std::string bytes;
  if (data.cbData > 0 && data.lpData) bytes.assign(static_cast<const char*>(data.lpData), data.cbData);
  switch (data.dwData) {
    case kFileNameAnsi:
      return FromAnsi(bytes);
    case kFileNameUtf16: {
      std::wstring name(bytes.size() / sizeof(wchar_t), L'\0');
      if (!name.empty()) memcpy(name.data(), bytes.data(), name.size() * sizeof(wchar_t));
      return name;
    }
    default:
      return std::nullopt;
  }
}

std::wstring FullPathName(const std::wstring& name) {
  if (name.empty()) return name;
  std::wstring full(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetFullPathNameW(name.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (n == 0) return name;
    if (n < full.size()) {
      full.resize(n);
      return full;
    }
    full.resize(n);  // n counts the terminating zero when the buffer was too small
  }
}

bool IsRunning() {
  HANDLE mutex = OpenMutexW(MUTEX_ALL_ACCESS, FALSE, kMutexName);
  if (!mutex) return false;
  CloseHandle(mutex);
  return true;
}

TEditorSearch FindMainProcessWindow(HWND& mainWindow) {
  DWORD start = GetTickCount();
  for (;;) {
    mainWindow = FindWindowW(kMainProcessClass, kMainProcessCaption);
    if (mainWindow) return TEditorSearch::Found;
    if (!IsRunning()) return TEditorSearch::Ended;
    if (GetTickCount() - start >= kMainWindowWaitMs) break;
    Sleep(20);
  }
  MessageBoxW(nullptr,
              L"既に起動している Orvanta のウィンドウハンドルの取得に失敗しました.\r\n"
              L"何らかの理由でウィンドウが正常に生成されていない可能性があります.",
              L"Orvanta Fatal Error !!", MB_ICONERROR | MB_SYSTEMMODAL | MB_SETFOREGROUND);
  return TEditorSearch::Failed;
}

bool ForwardCommandLine(HWND mainWindow, bool anyArgument, std::vector<std::wstring>& fileNames) {
  // This process was started by the user, so it may hand the foreground on to the editor.
  DWORD editorProcess = 0;
  GetWindowThreadProcessId(mainWindow, &editorProcess);
  AllowSetForegroundWindow(editorProcess);
  if (!anyArgument) {
    const LRESULT answer = SendMessageW(mainWindow, WM_USER, 0, 0);
    if (answer == kRequestEnding) return false;
    if (answer != kRequestRefused) SetForegroundWindow(reinterpret_cast<HWND>(answer));
    return true;
  }
  for (size_t i = 0; i < fileNames.size(); ++i) {
    if (SendFileName(mainWindow, fileNames[i]) == kRequestEnding) {
      fileNames.erase(fileNames.begin(), fileNames.begin() + static_cast<std::ptrdiff_t>(i));
      return false;
    }
  }
  return true;
}

bool WaitForEditorEnd(DWORD ms) {
  const DWORD start = GetTickCount();
  while (IsRunning()) {
    if (GetTickCount() - start >= ms) return false;
    Sleep(20);
  }
  return true;
}

}  // namespace ovx
