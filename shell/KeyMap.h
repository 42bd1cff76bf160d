// The key map: the command bound to each shift state and key, and the five
// user menus of 26 letters each.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "shell/KeyTable.h"
#include "shell/OvxGlobals.h"

namespace ovx {

constexpr int KeyMapKeyBlockSize = ShiftStateCount * KeyCount;  // 776
constexpr int UserMenuCount = 5;
constexpr int UserMenuKeyCount = 26;                             // "{A}" .. "{Z}"
constexpr int KeyMapSize = KeyMapKeyBlockSize + UserMenuCount * UserMenuKeyCount;  // 906

// Block 1: [shift state code * 97 + key index]; block 2 from 776:
// [776 + user menu (0 to 4) * 26 + (key index - 10)]. -1 is no command.
using TKeyMap = std::array<TCommandId, KeyMapSize>;

// The position of an entry in the map, or -1 when the shift state is not 0
// to 7 ("Over+" included), the key index not 0 to 96, the user menu not 0
// to 4 or the key not a letter.
int KeyMapIndex(int shiftState, int keyIndex);
int UserMenuIndex(int userMenu, int keyIndex);

// The entry, or -1 where the position is invalid.
TCommandId KeyMapEntry(const TKeyMap& map, int shiftState, int keyIndex);
TCommandId UserMenuEntry(const TKeyMap& map, int userMenu, int keyIndex);
// Store an entry; false (and nothing changed) where the position is invalid.
bool SetKeyMapEntry(TKeyMap& map, int shiftState, int keyIndex, TCommandId id);
bool SetUserMenuEntry(TKeyMap& map, int userMenu, int keyIndex, TCommandId id);

// Every entry -1.
void ClearKeyMap(TKeyMap& map);
// The two built-in templates ("Windows 版標準", "MS-DOS 版標準"): clear, then bind.
void WindowsStandardKeyMap(TKeyMap& map);
void MsDosStandardKeyMap(TKeyMap& map);

// A menu shortcut: a virtual-key code and the modifiers as shift state bits.
struct TShortcut {
  int virtualKey = 0;
  int shiftState = 0;
  bool operator==(const TShortcut&) const = default;
};
// The shortcut shown beside a command's menu item: the first binding found
// over shift states 0 to 7 with the named and function keys (36 to 96), then
// over shift states 0 to 7 with letters and digits (0 to 35). None when the
// command is not bound or its key has no virtual key.
std::optional<TShortcut> ShortcutForCommand(const TKeyMap& map, TCommandId id);

// Function-key bar: twelve labels unless the keyboard's function-key count
// is a multiple of 5, then ten.
constexpr int MaxFunctionKeyLabels = 12;
int FunctionKeyLabelCount(int functionKeyCount);
// Labels per shift state code and function key (F1 first): the short name of
// the bound command, empty where nothing is bound and beyond the label count.
using TFunctionKeyLabels = std::array<std::array<std::string, MaxFunctionKeyLabels>, ShiftStateCount>;
TFunctionKeyLabels FunctionKeyLabels(const TKeyMap& map, int functionKeyCount);

}  // namespace ovx
