#include "shell/KeyMap.h"

namespace ovx {

int KeyMapIndex(int shiftState, int keyIndex) {
  if (shiftState < 0 || shiftState >= ShiftStateCount) return -1;
  if (keyIndex < 0 || keyIndex >= KeyCount) return -1;
  return shiftState * KeyCount + keyIndex;
}

int UserMenuIndex(int userMenu, int keyIndex) {
  if (userMenu < 0 || userMenu >= UserMenuCount) return -1;
  if (keyIndex < kiA || keyIndex > kiZ) return -1;
  return KeyMapKeyBlockSize + userMenu * UserMenuKeyCount + (keyIndex - kiA);
}

namespace {

TCommandId EntryAt(const TKeyMap& map, int position) {
  return position < 0 ? NoCommand : map[position];
}

bool SetAt(TKeyMap& map, int position, TCommandId id) {
  if (position < 0) return false;
  map[position] = id;
  return true;
}

}  // namespace

TCommandId KeyMapEntry(const TKeyMap& map, int shiftState, int keyIndex) {
  return EntryAt(map, KeyMapIndex(shiftState, keyIndex));
}

TCommandId UserMenuEntry(const TKeyMap& map, int userMenu, int keyIndex) {
  return EntryAt(map, UserMenuIndex(userMenu, keyIndex));
}

bool SetKeyMapEntry(TKeyMap& map, int shiftState, int keyIndex, TCommandId id) {
  return SetAt(map, KeyMapIndex(shiftState, keyIndex), id);
}

bool SetUserMenuEntry(TKeyMap& map, int userMenu, int keyIndex, TCommandId id) {
  return SetAt(map, UserMenuIndex(userMenu, keyIndex), id);
}

void ClearKeyMap(TKeyMap& map) { map.fill(NoCommand); }

std::optional<TShortcut> ShortcutForCommand(const TKeyMap& map, TCommandId id) {
  if (id == NoCommand) return std::nullopt;
  // Named and function keys before letters and digits; fewer modifiers first.
  constexpr int keyRanges[2][2] = {{kiMinus, KeyCount - 1}, {kiDigit0, kiZ}};
  for (const auto& range : keyRanges) {
    for (int shift = 0; shift < ShiftStateCount; ++shift) {
      for (int key = range[0]; key <= range[1]; ++key) {
        if (KeyMapEntry(map, shift, key) != id) continue;
        int virtualKey = VirtualKeyFromKeyIndex(key);
        if (virtualKey < 0) return std::nullopt;
        return TShortcut{virtualKey, shift};
      }
    }
  }
  return std::nullopt;
}

int FunctionKeyLabelCount(int functionKeyCount) {
  return functionKeyCount % 5 == 0 ? 10 : 12;
}

TFunctionKeyLabels FunctionKeyLabels(const TKeyMap& map, int functionKeyCount) {
  TFunctionKeyLabels labels;
  int count = FunctionKeyLabelCount(functionKeyCount);
  for (int shift = 0; shift < ShiftStateCount; ++shift)
    for (int n = 0; n < count; ++n) labels[shift][n] = CommandName(KeyMapEntry(map, shift, kiF1 + n));
  return labels;
}

}  // namespace ovx
