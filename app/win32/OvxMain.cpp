// Program entry of the editor process: the first start becomes the editor process,
// every later start hands its command line to it and ends.
#include <windows.h>

#include <commctrl.h>

#include "charset/StrUty.h"
#include "app/CommandLine.h"
#include "app/win32/MainProcessWindow.h"
#include "editor/win32/ToolDialog.h"
#include "shell/win32/InputTraceFile.h"
#include "shell/win32/InstanceConnection.h"

namespace {

// Hands the command line to the running editor. False when that editor ended while its window
// was looked for: this start then takes its place.
bool HandedToRunningEditor(const std::vector<std::string>& arguments) {
  HWND mainWindow = nullptr;
  switch (ovx::FindMainProcessWindow(mainWindow)) {
    case ovx::TEditorSearch::Found:
      break;
    case ovx::TEditorSearch::Failed:
      return true;
    case ovx::TEditorSearch::Ended:
      return false;
  }
  std::vector<std::wstring> fileNames;
  for (const std::string& name : ovx::FileArguments(arguments)) fileNames.push_back(ovx::Utf8ToWide(name));
  ovx::ForwardCommandLine(mainWindow, arguments.size() > 1, fileNames);
  return true;
}

int RunMessageLoop(ovx::TMainProcessWindow& mainWindow) {
  MSG msg = {};
  for (;;) {
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      mainWindow.OnIdle();
      if (ovx::TInputTrace* trace = ovx::ActiveInputTrace()) trace->Flush();
    }
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) break;
    if (mainWindow.DialogMessage(msg)) continue;  // the options dialog
    if (ovx::IsToolDialogMessage(msg)) continue;  // Tab, Enter, Esc and mnemonics of tool dialogs
    TranslateMessage(&msg);
    ovx::DispatchMessageTraced(msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  std::vector<std::string> arguments = ovx::SplitCommandLine(ovx::WideToUtf8(GetCommandLineW()));

  // This start hands its command line to the running editor, or becomes the editor process and
  // holds the mutex; a running editor that ends meanwhile leaves the place to this start.
  HANDLE mutex = nullptr;
  for (;;) {
    if (ovx::IsRunning()) {
      if (HandedToRunningEditor(arguments)) return 0;
      continue;
    }
    mutex = CreateMutexW(nullptr, FALSE, ovx::kMutexName);
    if (!mutex || GetLastError() != ERROR_ALREADY_EXISTS) break;
    // Another first start won the race between the test and the creation.
    CloseHandle(mutex);
    mutex = nullptr;
  }

  // Only the editor process traces; a start that hands its command line on has ended above.
  const std::unique_ptr<ovx::TInputTraceFile> trace = ovx::TInputTraceFile::FromEnvironment();
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
