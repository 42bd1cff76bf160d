#include "tests/unit/view/view_test_host.h"

namespace ovx::test {
namespace {

class KeysTest : public ViewTest {
 protected:
  KeysTest() {
    TEnvironmentSettings s = DefaultEnvironmentSettings();  // Windows standard key map
    view.SetEnvironment(s);
  }
};

TEST_F(KeysTest, KeysRunTheBoundCommands) {
  LoadSize(64);
  view.KeyDown({0, kiDown});
  EXPECT_EQ(Caret().address, 16);
  view.KeyDown({ssShift, kiRight});  // Shift+Right extends the selection
  EXPECT_TRUE(view.HasSelection());
  view.KeyDown({ssCtrl, kiRight});  // Ctrl+Right: RIGHTEX
  EXPECT_EQ(Caret(), (TCaretPosition{17, 1}));
  view.KeyDown({ssCtrl, kiHome});
  EXPECT_EQ(Caret().address, 0);
  EXPECT_EQ(host.keyStates, 4);
}

TEST_F(KeysTest, WindowCommandsGoToTheOwnerAndMenusArePosted) {
  LoadSize(8);
  view.KeyDown({0, kiF1 + 11});  // F12: SAVE
  view.KeyDown({0, kiF1 + 9});   // F10: MENU
  EXPECT_EQ(host.commands, (std::vector<TCommandId>{cmSAVE, cmMENU}));
  view.KeyDown({0, kiEsc});
  view.KeyDown({0, kiApplication});
  EXPECT_EQ(host.posted, (std::vector<TCommandId>{cmUSERMENU1, cmPOPUPMENU}));
  // Unbound keys, no key and unknown view ids do nothing.
  view.KeyDown({ssAlt, kiA});
  view.ExecuteKey(0, NoKey);
  view.ExecuteCommand(NoCommand);
  view.ExecuteCommand(19999);
  EXPECT_EQ(host.commands.size(), 2u);
  EXPECT_EQ(Caret().address, 0);
}

TEST_F(KeysTest, CtrlZUndoesAndCtrlYRedoes) {
  Load({0x00});
  view.TypeCharacters("9");
  view.KeyDown({ssCtrl, kiZ});
  EXPECT_EQ(Bytes(), (std::vector<std::uint8_t>{0x00}));
  view.KeyDown({ssCtrl, kiZ - 1});
  EXPECT_EQ(Bytes(), (std::vector<std::uint8_t>{0x90}));
}

TEST_F(KeysTest, ExpandedTenKeyEntersDigitsInTheHexAreaOnly) {
  Load({0x00, 0x00});
  view.KeyDown({0, kiNumPadDivide});  // standard layout: / is A
  view.KeyDown({0, kiNumPadEnter});   // E
  EXPECT_EQ(Bytes(), (std::vector<std::uint8_t>{0xAE, 0x00}));
  host.pc98 = true;
  view.KeyDown({0, kiNumPadComma});  // PC-98: , is F
  EXPECT_EQ(Bytes()[1], 0xF0);
  view.KeyDown({ssCtrl, kiNumPadComma});  // with a modifier the key map decides (nothing bound)
  EXPECT_EQ(Caret(), (TCaretPosition{1, 1}));
  view.ExecuteCommand(cmEXPANDTENKEY);
  EXPECT_FALSE(view.ExpandTenKey());
  view.KeyDown({0, kiNumPadComma});
  EXPECT_EQ(Bytes()[1], 0xF0);
}

TEST_F(KeysTest, ModeCommands) {
  LoadSize(4);
  view.ExecuteCommand(cmINPUTMODE);
  EXPECT_EQ(view.InputMode(), imInsert);
  EXPECT_EQ(host.shapeChanges, 1);
  view.ExecuteCommand(cmINPUTMODE);
  EXPECT_EQ(view.InputMode(), imOverwrite);

  view.SetCaret(2, 1);
  view.ExecuteCommand(cmINPUTAREA);
  EXPECT_EQ(view.InputArea(), iaChar);
  EXPECT_EQ(view.LowNibble(), 0);
  view.ExecuteCommand(cmINPUTAREA);
  EXPECT_EQ(view.InputArea(), iaHex);
  view.ExecuteCommand(cmINPUTAREA);
  view.SetCharColumnShown(false);  // hiding the column sends the caret to the hex area
  EXPECT_EQ(view.InputArea(), iaHex);
  view.ExecuteCommand(cmINPUTAREA);
  EXPECT_EQ(view.InputArea(), iaHex);

  view.SetCharaSet(csSJis);
  const TCharaSet cycle[] = {csJis, csEuc, csUnicode, csAscii, csSJis};
  for (TCharaSet next : cycle) {
    view.ExecuteCommand(cmCHARASET);
    EXPECT_EQ(view.CharaSet(), next);
  }
  view.ExecuteCommand(cmCHECKSUM);
  EXPECT_EQ(view.CheckSumMode(), 1);
  EXPECT_EQ(view.PaintInput().checkSumMode, 1);
  view.ExecuteCommand(cmCHECKSUM);
  EXPECT_EQ(view.CheckSumMode(), 0);
}

TEST_F(KeysTest, EnvironmentForANewWindowAlsoSetsTheModes) {
  TEnvironmentSettings s = DefaultEnvironmentSettings();
  s.InputMode = 1;
  s.CharaSet = csEuc;
  s.CheckSum = 1;
  view.SetEnvironment(s);  // not a new window: modes stay
  EXPECT_EQ(view.InputMode(), imOverwrite);
  EXPECT_EQ(view.CharaSet(), csSJis);
  s.NewWindow = true;
  s.UndoBuffer = 0;
  view.SetEnvironment(s);
  EXPECT_EQ(view.InputMode(), imInsert);
  EXPECT_EQ(view.CharaSet(), csEuc);
  EXPECT_EQ(view.CheckSumMode(), 1);
  EXPECT_EQ(view.History().HistoryLimit(), 0);
  Load({1});
  view.TypeCharacters("5");
  EXPECT_FALSE(view.History().CanUndo());  // a limit of 0 keeps nothing
}

TEST_F(KeysTest, ScrollRangeFollowsTheDocument) {
  LoadSize(16 * 7 + 3);
  EXPECT_EQ(host.scrollMax, 7);
  Load({1});
  EXPECT_EQ(host.scrollMax, 1);
}

}  // namespace
}  // namespace ovx::test
