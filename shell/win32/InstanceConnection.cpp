#include "shell/win32/InstanceConnection.h"

#include "charset/StrUty.h"

namespace ovx {

const wchar_t kMutexName[] = L"Orvanta Mutex";
const wchar_t kMainProcessClass[] = L"TOvnxMainProcessWClass";
const wchar_t kMainProcessCaption[] = L"Orvanta Shadow Window";

namespace {
// How long a starting editor process may take to create its main process window.
const DWORD kMainWindowWaitMs = 5000;
}  // namespace

bool IsRunning() {
  HANDLE mutex = OpenMutexW(MUTEX_ALL_ACCESS, FALSE, kMutexName);
  if (!mutex) return false;
  CloseHandle(mutex);
  return true;
}

// An editor process that has just started holds the mutex before its window exists,
// so the window is waited for while the mutex lives.
HWND FindMainProcessWindow() {
  DWORD start = GetTickCount();
  for (;;) {
    HWND hwnd = FindWindowW(kMainProcessClass, kMainProcessCaption);
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

void ForwardCommandLine(HWND mainWindow, bool anyArgument, const std::vector<std::string>& fileNames) {
  // This process was started by the user, so it may hand the foreground on to the editor.
  DWORD editorProcess = 0;
  GetWindowThreadProcessId(mainWindow, &editorProcess);
  AllowSetForegroundWindow(editorProcess);
  if (!anyArgument) {
    HWND window = reinterpret_cast<HWND>(SendMessageW(mainWindow, WM_USER, 0, 0));
    if (window) SetForegroundWindow(window);
    return;
  }
  for (const std::string& name : fileNames) {
    std::string bytes = Utf8ToSJis(name);
    COPYDATASTRUCT data = {};
    data.dwData = 0;
    data.cbData = static_cast<DWORD>(bytes.size());
    data.lpData = bytes.empty() ? nullptr : bytes.data();
    SendMessageW(mainWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
  }
}

}  // namespace ovx
