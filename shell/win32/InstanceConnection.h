// The instance connection's sending side: how a running editor process is recognised, found
// and asked to open windows.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace ovx {

extern const wchar_t kMutexName[];          // L"Orvanta Mutex"
extern const wchar_t kMainProcessClass[];   // L"TOvnxMainProcessWClass"
extern const wchar_t kMainProcessCaption[]; // L"Orvanta Shadow Window"

// The mutex exists: an editor process runs.
bool IsRunning();

// The running editor's main process window; shows the fatal error box and returns none
// when it cannot be found.
HWND FindMainProcessWindow();

// Hands a command line to the running editor: WM_USER when it had no argument at all, otherwise
// one WM_COPYDATA per file name (UTF-8), in order. Options are not sent: `fileNames` holds the
// other arguments.
void ForwardCommandLine(HWND mainWindow, bool anyArgument, const std::vector<std::string>& fileNames);

}  // namespace ovx
