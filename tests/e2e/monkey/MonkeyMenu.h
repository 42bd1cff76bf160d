// The editor window's menu bar as the keyboard walks it, read from the menu's own data
// (editor/MenuItems.inc): heads, their items without separators, and each submenu's items.
#pragma once

#include <vector>

#include "editor/MenuItems.h"

namespace ovx::e2e::monkey {

struct TMenuEntry {
  TMenuItem item;
  bool submenu = false;
  int subItems = 0;  // the fixed items of its submenu (a history submenu has none)
};
struct TMenuHead {
  wchar_t letter;                  // Alt + letter opens it
  std::vector<TMenuEntry> entries; // in the order Down walks them
};

// The heads the monkey may walk: all but Help, which opens the help and the web.
const std::vector<TMenuHead>& MenuHeads();
const TMenuHead* MenuHeadOf(wchar_t letter);

// Items the monkey never runs: the shortcut maintenance rebinds the keys the monkey types.
bool IsForbidden(TMenuItem item);

}  // namespace ovx::e2e::monkey
