#include "shell/win32/KeyState.h"

#include <windows.h>

#include "shell/KeyTable.h"

namespace ovx {

int GetShiftStateCode() {
  return ShiftStateCodeFromKeyStates(GetKeyState(VK_SHIFT), GetKeyState(VK_CONTROL), GetKeyState(VK_MENU));
}

bool IsPC98Keyboard() { return IsPC98KeyboardType(GetKeyboardType(0), GetKeyboardType(1)); }

int FunctionKeyCount() { return GetKeyboardType(2); }

}  // namespace ovx
