// Keyboard state and keyboard kind as the system reports them.
#pragma once

namespace ovx {

// The shift state code (bit 0 Shift, bit 1 Ctrl, bit 2 Alt) from the current
// state of the three keys.
int GetShiftStateCode();
// True for a Japanese PC-98 keyboard (its keypad layout differs).
bool IsPC98Keyboard();
// The number of function keys the keyboard has.
int FunctionKeyCount();

}  // namespace ovx
