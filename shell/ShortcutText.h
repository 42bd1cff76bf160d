// The text of a key with its modifiers as menus show it beside a caption.
#pragma once

#include <string>

#include "shell/KeyMap.h"

namespace ovx {

// "Ctrl+Shift+S", "F3", "Shift+Ins"; empty for a key without a name.
std::string ShortcutText(const TShortcut& shortcut);

}  // namespace ovx
