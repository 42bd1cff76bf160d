// The instance connection: how a later start of the editor or of the launcher recognises and
// finds the running editor process and hands it a command line, and how the editor reads the
// file message. ovxmain.exe and ovx.exe both build this one sending side in (the launcher as its
// own copy: it needs nothing else of the program).
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace ovx {

extern const wchar_t kMutexName[];          // L"Orvanta Mutex"
extern const wchar_t kMainProcessClass[];   // L"TOvnxMainProcessWClass"
extern const wchar_t kMainProcessCaption[]; // L"Orvanta Shadow Window"

// dwData of the file message (WM_COPYDATA): the name in the system's ANSI code page without a
// terminating zero, or, for a name that code page cannot carry exactly, its UTF-16 code units.
constexpr ULONG_PTR kFileNameAnsi = 0;
constexpr ULONG_PTR kFileNameUtf16 = 1;

struct TFileNameMessage {
  ULONG_PTR kind = kFileNameAnsi;
  std::string bytes;
};
// The file message for a name: the ANSI kind whenever its bytes give the name back exactly.
TFileNameMessage EncodeFileName(const std::wstring& name);
// The name a file message carries; none for a kind this program does not know.
std::optional<std::wstring> DecodeFileName(const COPYDATASTRUCT& data);

// What the main process window answers a request with (WM_USER answers a window handle when
// it opened one). Any answer but kRequestEnding means the request is settled.
constexpr LRESULT kRequestEnding = 0;    // the process has begun to end (or its window went): nothing opens
constexpr LRESULT kRequestTaken = 1;     // the file opens, now or once what runs before it has finished
constexpr LRESULT kRequestRefused = -1;  // nothing opens: a modal form is open (a beep), or no window yet

// The full path of a name in this process's current folder; the name itself when the system
// cannot make one. Every sender hands over full paths only.
std::wstring FullPathName(const std::wstring& name);

// The mutex exists: an editor process runs.
bool IsRunning();

enum class TEditorSearch {
  Found,   // the main process window is there
  Ended,   // the mutex went away meanwhile: no editor runs any more, start as if none had run
  Failed,  // no window came while the mutex lived: the fatal error box has been shown
};
// Looks for the running editor's main process window. An editor that has just started holds
// the mutex before its window exists, and one that is ending destroys its window before it
// releases the mutex, so the window is waited for while the mutex lives.
TEditorSearch FindMainProcessWindow(HWND& mainWindow);

// Hands a command line to the running editor: WM_USER when it had no argument at all (the new
// window comes to the front), otherwise one file message per file name, in order, each answered
// before the next is sent. Options are not sent: `fileNames` holds the other arguments, as full
// paths. False when the editor answered that it has begun to end: `fileNames` then holds the
// names it did not take, and the sender starts the editor itself once that process has gone.
bool ForwardCommandLine(HWND mainWindow, bool anyArgument, std::vector<std::wstring>& fileNames);

// Waits while an ending editor process still holds the mutex; false when it still does after `ms`.
bool WaitForEditorEnd(DWORD ms);

}  // namespace ovx
