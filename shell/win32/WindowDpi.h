// Sizes at 96 DPI made right for a window's DPI: its DPI, the user-interface font for it, and
// the children of a window moved, sized and given the new font when the DPI changes.
#pragma once

#include <windows.h>

namespace ovx {

// The window's DPI where the system can tell it (older systems lack the call), else 96.
int WindowDpi(HWND hwnd);

// The dialogs' and panels' font (12 pixels at 96 DPI) for the DPI.
HFONT CreateUiFont(int dpi);

// Every descendant of parent moved and sized by to / from, a drop-down list with its list;
// those that use oldFont get newFont, those with fonts of their own keep them.
void RescaleChildren(HWND parent, int from, int to, HFONT oldFont, HFONT newFont);

}  // namespace ovx
