// The messages already queued, run while a window is busy with work of its own (the replace loop
// between its questions, a load between its slabs): the rest of the process stays live, and the
// busy window and its tools get no input that could change what the work is on.
#pragma once

#include <windows.h>

namespace ovx {

// Input aimed at `window` or the windows it owns is dropped; with `frameMouse`, the mouse on a
// window's frame still acts (moving, sizing, the close box, the menu bar), since what it asks
// for arrives as commands and closes that the window's wait keeps or refuses. False when the
// process is to end: the quit message is put back for the main loop.
bool RunPendingMessages(HWND window, bool frameMouse);

}  // namespace ovx
