// Sizes at 96 DPI made right for a window's DPI: its DPI, the user-interface font for it, and
// the children of a window moved, sized and given the new font when the DPI changes.
#pragma once

#include <windows.h>

namespace ovx {

// The window's DPI where the system can tell it (older systems lack the call), else 96.
int WindowDpi(HWND hwnd);

// The dialogs' and panels' font (12 pixels at 96 DPI) for the DPI.
HFONT CreateUiFont(int dpi);

// Every descendant of parent moved and sized by to / from, a drop-down list with its list and
// a list view's columns; those that use oldFont get newFont, those with fonts of their own keep them.
void RescaleChildren(HWND parent, int from, int to, HFONT oldFont, HFONT newFont);

// A tab control's tabs for the DPI: the room around their captions and their least width
// (6 × 3 and 54 pixels at 96 DPI), which the control itself keeps at their 96-DPI sizes.
void SetTabSpacing(HWND tabs, int dpi);

// What a dialog built in code does on WM_DPICHANGED: dpi becomes newDpi, font (the dialog's
// user-interface font, made with CreateUiFont) is made again for it and the old one deleted,
// the children are rescaled and the window takes the place the system suggests.
void ApplyNewDpi(HWND window, int newDpi, const RECT& suggested, int& dpi, HFONT& font);

}  // namespace ovx
