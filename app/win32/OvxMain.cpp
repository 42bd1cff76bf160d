// Program entry of the editor process: the first start becomes the editor process,
// every later start hands its command line to it and ends.
#include <windows.h>

#include <commctrl.h>

#include "charset/StrUty.h"
#include "app/CommandLine.h"
#include "app/win32/MainProcessWindow.h"
#include "shell/win32/InstanceConnection.h"

namespace {

int SecondStart(const std::vector<std::string>& arguments) {
  HWND mainWindow = ovx::FindMainProcessWindow();
  if (!mainWindow) return 0;
  std::vector<std::wstring> fileNames;
  for (const std::string& name : ovx::FileArguments(arguments)) fileNames.push_back(ovx::Utf8ToWide(name));
  ovx::ForwardCommandLine(mainWindow, arguments.size() > 1, fileNames);
  return 0;
}

int RunMessageLoop(ovx::TMainProcessWindow& mainWindow) {
  MSG msg = {};
  for (;;) {
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) mainWindow.OnIdle();
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) break;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  std::vector<std::string> arguments = ovx::SplitCommandLine(ovx::WideToUtf8(GetCommandLineW()));

  if (ovx::IsRunning()) return SecondStart(arguments);
  HANDLE mutex = CreateMutexW(nullptr, FALSE, ovx::kMutexName);
  // Another first start won the race between the test and the creation.
  if (mutex && GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    return SecondStart(arguments);
  }

  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  int code = 0;
  {
    ovx::TMainProcessWindow mainWindow;
    if (mainWindow.Create(instance, arguments)) code = RunMessageLoop(mainWindow);
  }
  // Released last: its absence tells the next start that no editor process runs.
  if (mutex) CloseHandle(mutex);
  return code;
}
