// A one-line text control for values that change at every caret step. It is read and set like a
// static control (WM_SETTEXT, WM_GETTEXT, WM_SETFONT, colours from the parent's WM_CTLCOLORSTATIC),
// but a new text only marks it for the next paint: a static control draws itself on the spot, and
// under Wine each such draw costs a round trip to the display for every label of every step.
#pragma once

#include <windows.h>

namespace ovx {

// The window class name; registered on first use. SS_RIGHT and SS_CENTER align the text, as for
// a static control; the text is drawn on one line, without prefix characters.
const wchar_t* ValueLabelClass();

}  // namespace ovx
