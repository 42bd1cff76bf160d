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

// How long an editor process that has begun to end may take to go before a refused hand-over
// is given up.
const DWORD kEditorEndWaitMs = 60000;

enum class THandOver {
  Done,       // the running editor took the command line, or it could not be found (reported)
  TakePlace,  // no editor runs any more: this start becomes the editor process
};

// Hands the command line to the running editor. An editor that ended while its window was
// looked for, or that has begun to end and refused the names, leaves its place to this start,
// which then holds only what that editor did not take.
THandOver HandToRunningEditor(std::vector<std::string>& arguments) {
  HWND mainWindow = nullptr;
  switch (ovx::FindMainProcessWindow(mainWindow)) {
    case ovx::TEditorSearch::Found:
      break;
    case ovx::TEditorSearch::Failed:
      return THandOver::Done;
    case ovx::TEditorSearch::Ended:
      return THandOver::TakePlace;
  }
  std::vector<std::wstring> fileNames;
  for (const std::string& name : ovx::FileArguments(arguments)) fileNames.push_back(ovx::Utf8ToWide(name));
  if (ovx::ForwardCommandLine(mainWindow, arguments.size() > 1, fileNames)) return THandOver::Done;
  arguments.resize(1);
  for (const std::wstring& name : fileNames) arguments.push_back(ovx::WideToUtf8(name));
  return ovx::WaitForEditorEnd(kEditorEndWaitMs) ? THandOver::TakePlace : THandOver::Done;
}

// The file names of the command line as full paths of this process's current folder: the
// running editor's folder is another, and names are kept and shown whole.
void MakeFileNamesFull(std::vector<std::string>& arguments) {
  for (size_t i = 1; i < arguments.size(); ++i)
    if (!ovx::IsOption(arguments[i])) arguments[i] = ovx::WideToUtf8(ovx::FullPathName(ovx::Utf8ToWide(arguments[i])));
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
  MakeFileNamesFull(arguments);

  // This start hands its command line to the running editor, or becomes the editor process and
  // holds the mutex; a running editor that ends meanwhile leaves the place to this start.
  HANDLE mutex = nullptr;
  for (;;) {
    if (ovx::IsRunning()) {
      if (HandToRunningEditor(arguments) == THandOver::Done) return 0;
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
