// The view's two kinds of popup menu as data: the context menu with its items, names and
// shortcuts, and the user menus of 26 letters in two columns.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "shell/KeyMap.h"
#include "view/BinaryViewCore.h"

namespace ovx {

struct TContextMenuItem {
  const char* name;     // PU_Undo ... ("PU_Separater01" for separators)
  const char* caption;  // UTF-8; empty for a separator
  TCommandId command;   // -1 for a separator
};
// In menu order: 元に戻す, やり直す, separator, 切り取り, コピー, 張り付け, 削除, separator, 全て選択.
const std::vector<TContextMenuItem>& ContextMenuItems();
// Whether the item of this command is enabled in the given state.
bool ContextMenuItemEnabled(TCommandId command, const TContextMenuState& state);

struct TUserMenuEntry {
  TCommandId command = NoCommand;
  std::string caption;          // "一行上へ移動(&A)" or "(未定義)"
  bool enabled = false;
  bool columnBreak = false;     // the item "N" starts the second column
};
// The 26 items of user menu n (0 to 4) from the key map.
std::vector<TUserMenuEntry> UserMenuEntries(const TKeyMap& map, int userMenu);

}  // namespace ovx
