// How a running editor process is recognised, found and asked to open windows.
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

// Sends the arguments (after the program name, UTF-8) to the running editor:
// WM_USER without any, one WM_COPYDATA per file name otherwise; options are skipped.
void ForwardCommandLine(HWND mainWindow, const std::vector<std::string>& arguments);

}  // namespace ovx
