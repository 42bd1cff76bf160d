#include "shell/KeyPress.h"

namespace ovx {

namespace {

struct TTenKeyDigit {
  int keyIndex;
  int digit;
};

constexpr TTenKeyDigit StandardTenKeys[] = {
    {kiNumPadDivide, 10}, {kiNumPadMultiply, 11}, {kiNumPadSubtract, 12},
    {kiNumPadAdd, 13},    {kiNumPadEnter, 14},    {kiNumPadDecimal, 15},
};
// The PC-98 keypad has "=" and "," keys, and its Enter is the main one.
constexpr TTenKeyDigit PC98TenKeys[] = {
    {kiNumPadMultiply, 10}, {kiNumPadAdd, 11},     {kiNumPadEqual, 12},
    {kiEnter, 13},          {kiNumPadDecimal, 14}, {kiNumPadComma, 15},
};

}  // namespace

int ExpandedTenKeyDigit(int keyIndex, bool pc98Keyboard) {
  for (const TTenKeyDigit& entry : pc98Keyboard ? PC98TenKeys : StandardTenKeys)
    if (entry.keyIndex == keyIndex) return entry.digit;
  return -1;
}

TKeyPressAction KeyPressAction(const TKeyMap& map, TKeyStroke stroke, bool expandTenKey, bool caretInHexArea,
                               bool pc98Keyboard) {
  TKeyPressAction action;
  if (expandTenKey && caretInHexArea && stroke.shiftState == 0) {
    action.hexDigit = ExpandedTenKeyDigit(stroke.keyIndex, pc98Keyboard);
    if (action.hexDigit >= 0) {
      action.handled = true;
      return action;
    }
  }
  if (stroke.keyIndex == NoKey) return action;
  action.command = KeyMapEntry(map, stroke.shiftState, stroke.keyIndex);
  action.handled = true;
  return action;
}

TUserMenuItem UserMenuItem(TCommandId id, int keyIndex) {
  if (id == NoCommand) return {"(未定義)", false};
  std::string letter = KeyNameFromIndex(keyIndex);
  if (letter.size() == 3) letter = letter.substr(1, 1);  // "{S}" -> "S"
  return {CommandDescription(id) + "(&" + letter + ")", true};
}

}  // namespace ovx
