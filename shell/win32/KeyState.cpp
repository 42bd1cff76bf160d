#include "shell/win32/KeyState.h"

#include <windows.h>

#include "shell/KeyTable.h"

namespace ovx {

// The whole keyboard in one call: under Wine every GetKeyState is a round trip to its server.
int GetShiftStateCode() {
  BYTE keys[256] = {};
  if (!GetKeyboardState(keys))
    return ShiftStateCodeFromKeyStates(GetKeyState(VK_SHIFT), GetKeyState(VK_CONTROL), GetKeyState(VK_MENU));
  auto held = [&keys](int key) -> std::int16_t { return (keys[key] & 0x80) ? -1 : 0; };
  return ShiftStateCodeFromKeyStates(held(VK_SHIFT), held(VK_CONTROL), held(VK_MENU));
}

bool IsPC98Keyboard() { return IsPC98KeyboardType(GetKeyboardType(0), GetKeyboardType(1)); }

int FunctionKeyCount() { return GetKeyboardType(2); }

}  // namespace ovx
