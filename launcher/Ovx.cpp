// The launcher: hands its command line to the running editor process, or starts the editor
// from its own folder with the same arguments. It never waits for the editor.
#include <windows.h>

#include <string>
#include <vector>

#include "LaunchCommandLine.h"

namespace {

const wchar_t kMutexName[] = L"Orvanta Mutex";
const wchar_t kMainClass[] = L"TOvnxMainProcessWClass";
const wchar_t kMainCaption[] = L"Orvanta Shadow Window";
// How long a starting editor process may take to create its main process window.
const DWORD kMainWindowWaitMs = 5000;

bool IsRunning() {
  HANDLE mutex = OpenMutexW(MUTEX_ALL_ACCESS, FALSE, kMutexName);
  if (!mutex) return false;
  CloseHandle(mutex);
  return true;
}

// The running editor's main process window. An editor that has just been started by another
// launcher holds the mutex before its window exists, so wait for the window while the mutex lives.
HWND FindMainProcessWindow() {
  DWORD start = GetTickCount();
  for (;;) {
    HWND hwnd = FindWindowW(kMainClass, kMainCaption);
    if (hwnd) return hwnd;
    if (!IsRunning() || GetTickCount() - start >= kMainWindowWaitMs) break;
    Sleep(20);
  }
  MessageBoxW(nullptr,
              L"既に起動している Orvanta のウィンドウハンドルの取得に失敗しました.\r\n"
              L"何らかの理由でウィンドウが正常に生成されていない可能性があります.",
              L"Orvanta Fatal Error !!", MB_ICONERROR | MB_SYSTEMMODAL | MB_SETFOREGROUND);
  return nullptr;
}

// The argument as the system's ANSI code page bytes, without a terminating zero.
std::string AnsiBytes(const std::wstring& text) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(n > 0 ? n : 0, '\0');
  if (n > 0)
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
  return bytes;
}

void ForwardCommandLine(HWND mainWindow, const std::vector<std::wstring>& args) {
  // This process was started by the user, so it may hand the foreground on to the editor.
  DWORD editorProcess = 0;
  GetWindowThreadProcessId(mainWindow, &editorProcess);
  AllowSetForegroundWindow(editorProcess);
  if (args.empty()) {
    HWND window = reinterpret_cast<HWND>(SendMessageW(mainWindow, WM_USER, 0, 0));
    if (window) SetForegroundWindow(window);
    return;
  }
  for (const std::wstring& arg : args) {
    if (ovx::launcher::IsOption(arg)) continue;
    std::string bytes = AnsiBytes(arg);
    COPYDATASTRUCT data = {};
    data.dwData = 0;
    data.cbData = static_cast<DWORD>(bytes.size());
    data.lpData = bytes.empty() ? nullptr : bytes.data();
    SendMessageW(mainWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
  }
}

std::wstring OwnPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

bool FileExists(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  std::vector<std::wstring> args = ovx::launcher::SplitArguments(std::wstring(GetCommandLineW()));

  if (IsRunning()) {
    if (HWND mainWindow = FindMainProcessWindow()) ForwardCommandLine(mainWindow, args);
    return 0;
  }

  std::wstring editor = ovx::launcher::EditorPathBeside(OwnPath());
  if (!FileExists(editor))
    MessageBoxW(nullptr,
                L"OVXMAIN.EXE が見付かりません.\r\nOVXMAIN.EXE は OVX.EXE と同じフォルダに入れて下さい.",
                L"Orvel for Windows エラー", MB_ICONEXCLAMATION | MB_OK);

  std::wstring commandLine = ovx::launcher::EditorCommandLine(editor, args);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  return 0;
}
