// Key presses in the binary view: extended keypad digits and key map commands.
#include <gtest/gtest.h>

#include "shell/KeyPress.h"

namespace ovx {
namespace {

TEST(KeyPress, ExtendedKeypadDigitsByKeyboard) {
  struct Case {
    int key;
    int standard, pc98;
  } cases[] = {
      {kiNumPadDivide, 10, -1},   {kiNumPadMultiply, 11, 10}, {kiNumPadSubtract, 12, -1},
      {kiNumPadAdd, 13, 11},      {kiNumPadEnter, 14, -1},    {kiNumPadDecimal, 15, 14},
      {kiNumPadEqual, -1, 12},    {kiEnter, -1, 13},          {kiNumPadComma, -1, 15},
      {kiNumPad0 + 5, -1, -1},    {kiA, -1, -1},              {NoKey, -1, -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExpandedTenKeyDigit(c.key, false), c.standard) << KeyNameFromIndex(c.key);
    EXPECT_EQ(ExpandedTenKeyDigit(c.key, true), c.pc98) << KeyNameFromIndex(c.key);
  }
}

TEST(KeyPress, DigitOnlyWithoutModifierInTheHexArea) {
  TKeyMap map;
  WindowsStandardKeyMap(map);
  SetKeyMapEntry(map, ssCtrl, kiNumPadDivide, cmGARBAGE);
  SetKeyMapEntry(map, 0, kiNumPadDivide, cmVERSION);
  SetKeyMapEntry(map, 0, kiEnter, cmHELP);
  struct Case {
    const char* name;
    TKeyStroke stroke;
    bool expand, hexArea, pc98;
    int digit;
    TCommandId command;
    bool handled;
  } cases[] = {
      {"keypad / gives A", {0, kiNumPadDivide}, true, true, false, 10, NoCommand, true},
      {"Ctrl+keypad / runs its binding", {ssCtrl, kiNumPadDivide}, true, true, false, -1, cmGARBAGE, true},
      {"character area runs the binding", {0, kiNumPadDivide}, true, false, false, -1, cmVERSION, true},
      {"keypad off runs the binding", {0, kiNumPadDivide}, false, true, false, -1, cmVERSION, true},
      {"PC-98: keypad / is no digit", {0, kiNumPadDivide}, true, true, true, -1, cmVERSION, true},
      {"PC-98: main Enter gives D", {0, kiEnter}, true, true, true, 13, NoCommand, true},
      {"standard: main Enter runs its binding", {0, kiEnter}, true, true, false, -1, cmHELP, true},
      {"unbound key is handled and runs nothing", {ssShift, kiNumPad0}, true, true, false, -1, NoCommand, true},
      {"no key is not handled", {0, NoKey}, true, true, false, -1, NoCommand, false},
      {"bound letter", {ssCtrl, kiZ}, true, true, false, -1, cmUNDO, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TKeyPressAction action = KeyPressAction(map, c.stroke, c.expand, c.hexArea, c.pc98);
    EXPECT_EQ(action.hexDigit, c.digit);
    EXPECT_EQ(action.command, c.command);
    EXPECT_EQ(action.handled, c.handled);
  }
}

TEST(KeyPress, UserMenuItems) {
  TKeyMap map;
  WindowsStandardKeyMap(map);
  TUserMenuItem save = UserMenuItem(UserMenuEntry(map, 0, KeyIndexFromName("{S}")), KeyIndexFromName("{S}"));
  EXPECT_EQ(save.caption, "ファイルを保存(&S)");
  EXPECT_TRUE(save.enabled);
  TUserMenuItem empty = UserMenuItem(UserMenuEntry(map, 0, kiA + 1), kiA + 1);
  EXPECT_EQ(empty.caption, "(未定義)");
  EXPECT_FALSE(empty.enabled);
  EXPECT_EQ(UserMenuItem(cmINTINC, kiZ).caption, "インクリメント(+1)(&Z)");
}

}  // namespace
}  // namespace ovx
