// What a key press in the binary view does: a hexadecimal digit from the
// extended numeric keypad, or the command bound in the key map.
#pragma once

#include "shell/KeyMap.h"

namespace ovx {

// The hexadecimal digit 10 to 15 that a keypad key stands for when the
// extended keypad is on, or -1. The PC-98 keyboard has its own layout.
int ExpandedTenKeyDigit(int keyIndex, bool pc98Keyboard);

struct TKeyPressAction {
  int hexDigit = -1;               // 10 to 15: enter this digit, nothing else
  TCommandId command = NoCommand;  // else run this (-1: nothing)
  bool handled = false;            // the key message counts as handled
};

// The extended keypad applies only with no modifier and the caret in the
// hexadecimal area; otherwise the key map entry of a known key is run.
TKeyPressAction KeyPressAction(const TKeyMap& map, TKeyStroke stroke, bool expandTenKey, bool caretInHexArea,
                               bool pc98Keyboard);

// The caption of a user menu item: "(未定義)" (and disabled) for no command,
// else the command's description and the letter as accelerator, "...(&S)".
struct TUserMenuItem {
  std::string caption;
  bool enabled = false;
};
TUserMenuItem UserMenuItem(TCommandId id, int keyIndex);

}  // namespace ovx
