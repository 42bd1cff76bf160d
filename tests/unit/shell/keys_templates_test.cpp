// The built-in key templates, shortcuts and function-key labels.
#include <gtest/gtest.h>

#include "shell/KeyMap.h"

namespace ovx {
namespace {

struct TExpectedBinding {
  const char* prefix;
  const char* key;
  const char* windowsStandard;  // keyword, empty: no command
  const char* msDosStandard;
};

const TExpectedBinding ExpectedBindings[] = {
    {"", "{F1}", "HELP", "FILEMENU"},
    {"", "{F2}", "LUMPSETTING", "SELECTFILEMENU"},
    {"", "{F3}", "SEARCH", "COMPAREMENU"},
    {"", "{F4}", "REPLACE", "INPUTMENU"},
    {"", "{F5}", "ADDRESSJUMP", "SEARCH"},
    {"", "{F6}", "", "SELECT"},
    {"", "{F7}", "", "CUT"},
    {"", "{F8}", "SELECT", "COPYSEL"},
    {"", "{F9}", "WINDOWLIST", "PASTE"},
    {"", "{F10}", "MENU", "ADDRESSJUMP"},
    {"", "{F11}", "OPEN", ""},
    {"", "{F12}", "SAVE", ""},
    {"", "{Esc}", "USERMENU1", "USERMENU1"},
    {"", "{Tab}", "INPUTAREA", "INPUTAREA"},
    {"", "{Insert}", "INPUTMODE", "INPUTMODE"},
    {"", "{Delete}", "DELETE", "DELETE"},
    {"", "{BackSpace}", "BACKSPACE", "BACKSPACE"},
    {"", "{PageUp}", "PAGEUP", "PAGEUP"},
    {"", "{PageDown}", "PAGEDOWN", "PAGEDOWN"},
    {"", "{Home}", "PARATOP", "FILETOP"},
    {"", "{End}", "PARAEND", "HELP"},
    {"", "{Up}", "UP", "UP"},
    {"", "{Down}", "DOWN", "DOWN"},
    {"", "{Left}", "LEFT", "LEFT"},
    {"", "{Right}", "RIGHT", "RIGHT"},
    {"", "{Application}", "POPUPMENU", "POPUPMENU"},
    {"Shift+", "{F1}", "INPUTMENU", "OPTION"},
    {"Shift+", "{F2}", "BITOPEMENU", "LUMPSETTING"},
    {"Shift+", "{F3}", "BYTEOPEMENU", "REPLACE"},
    {"Shift+", "{F4}", "INTOPEMENU", "SEARCHPREV"},
    {"Shift+", "{F5}", "COMPAREFILE", "SEARCHNEXT"},
    {"Shift+", "{F6}", "COMPAREWINDOW", ""},
    {"Shift+", "{F7}", "COMPAREPRESENT", "DELETE"},
    {"Shift+", "{F8}", "COMPAREQUIT", ""},
    {"Shift+", "{F9}", "WINDOWNEXT", ""},
    {"Shift+", "{F10}", "POPUPMENU", "GARBAGE"},
    {"Shift+", "{Insert}", "PASTE", "PASTE"},
    {"Shift+", "{Delete}", "CUT", "CUT"},
    {"Shift+", "{PageUp}", "PAGEUPSEL", "PAGEUPHIGH"},
    {"Shift+", "{PageDown}", "PAGEDOWNSEL", "PAGEDOWNHIGH"},
    {"Shift+", "{Home}", "PARATOPSEL", "FILEEND"},
    {"Shift+", "{End}", "PARAENDSEL", ""},
    {"Shift+", "{Up}", "UPSEL", "UPHIGH"},
    {"Shift+", "{Down}", "DOWNSEL", "DOWNHIGH"},
    {"Shift+", "{Left}", "LEFTSEL", "LEFTHIGH"},
    {"Shift+", "{Right}", "RIGHTSEL", "RIGHTHIGH"},
    {"Ctrl+", "{A}", "SELECTALL", "SELECTALL"},
    {"Ctrl+", "{C}", "COPY", "COPY"},
    {"Ctrl+", "{E}", "SAVECLOSE", "SAVECLOSE"},
    {"Ctrl+", "{F}", "SEARCH", "SEARCH"},
    {"Ctrl+", "{N}", "NEW", "NEW"},
    {"Ctrl+", "{O}", "OPEN", "OPEN"},
    {"Ctrl+", "{Q}", "CLOSE", "CLOSE"},
    {"Ctrl+", "{R}", "REPLACE", "REPLACE"},
    {"Ctrl+", "{S}", "SAVE", "SAVE"},
    {"Ctrl+", "{V}", "PASTE", "PASTE"},
    {"Ctrl+", "{X}", "CUT", "CUT"},
    {"Ctrl+", "{Y}", "REDO", "REDO"},
    {"Ctrl+", "{Z}", "UNDO", "UNDO"},
    {"Ctrl+", "{,}", "BITROLLL", "BITROLLL"},
    {"Ctrl+", "{.}", "BITROLLR", "BITROLLR"},
    {"Ctrl+", "{F1}", "FILEMENU", ""},
    {"Ctrl+", "{F2}", "EDITMENU", ""},
    {"Ctrl+", "{F3}", "SEARCHMENU", "SELECTSWAP"},
    {"Ctrl+", "{F4}", "VIEWMENU", "SELECTTOP"},
    {"Ctrl+", "{F5}", "COMPAREMENU", "SELECTEND"},
    {"Ctrl+", "{F6}", "WINDOWMENU", "CHARASET"},
    {"Ctrl+", "{F7}", "TOOLMENU", ""},
    {"Ctrl+", "{F8}", "HELPMENU", "CHECKSUM"},
    {"Ctrl+", "{F10}", "", "EXPANDTENKEY"},
    {"Ctrl+", "{Insert}", "COPY", ""},
    {"Ctrl+", "{PageUp}", "SEARCHPREV", "SEARCHPREV"},
    {"Ctrl+", "{PageDown}", "SEARCHNEXT", "SEARCHNEXT"},
    {"Ctrl+", "{Home}", "FILETOP", ""},
    {"Ctrl+", "{End}", "FILEEND", ""},
    {"Ctrl+", "{Left}", "LEFTEX", "LEFTEX"},
    {"Ctrl+", "{Right}", "RIGHTEX", "RIGHTEX"},
    {"Ctrl+Shift+", "{E}", "ALLSAVECLOSE", "ALLSAVECLOSE"},
    {"Ctrl+Shift+", "{F}", "ALLCODESEARCH", "ALLCODESEARCH"},
    {"Ctrl+Shift+", "{Q}", "ALLCLOSE", "ALLCLOSE"},
    {"Ctrl+Shift+", "{S}", "ALLSAVE", "ALLSAVE"},
    {"Ctrl+Shift+", "{,}", "BYTEROLLL", "BYTEROLLL"},
    {"Ctrl+Shift+", "{.}", "BYTEROLLR", "BYTEROLLR"},
    {"Ctrl+Shift+", "{F1}", "OPTION", "SAVE"},
    {"Ctrl+Shift+", "{F2}", "CHARASET", ""},
    {"Ctrl+Shift+", "{F3}", "CHECKSUM", "ALLSAVE"},
    {"Ctrl+Shift+", "{F4}", "EXPANDTENKEY", "OPEN"},
    {"Ctrl+Shift+", "{F5}", "FILER", "SAVEANOTHER"},
    {"Ctrl+Shift+", "{F6}", "RELATIVEJUMP", "SAVEREPRODUCT"},
    {"Ctrl+Shift+", "{F7}", "", "SAVECLOSE"},
    {"Ctrl+Shift+", "{F8}", "", "ALLSAVECLOSE"},
    {"Ctrl+Shift+", "{F9}", "HISTORYFLUSH", "CLOSE"},
    {"Ctrl+Shift+", "{F10}", "GARBAGE", ""},
    {"Ctrl+Shift+", "{F11}", "WEBPAGEBM", ""},
    {"Ctrl+Shift+", "{F12}", "WEBPAGE", ""},
    {"Ctrl+Shift+", "{PageUp}", "COMPAREPREV", "COMPAREPREV"},
    {"Ctrl+Shift+", "{PageDown}", "COMPARENEXT", "COMPARENEXT"},
    {"Ctrl+Shift+", "{Home}", "FILETOPSEL", ""},
    {"Ctrl+Shift+", "{End}", "FILEENDSEL", ""},
    {"Ctrl+Shift+", "{Left}", "LEFTEXSEL", ""},
    {"Ctrl+Shift+", "{Right}", "RIGHTEXSEL", ""},
};

const std::pair<const char*, const char*> ExpectedUserMenu1[] = {
    {"{A}", "SELECTALL"}, {"{C}", "COPY"},    {"{E}", "SAVECLOSE"}, {"{F}", "SEARCH"}, {"{N}", "NEW"},
    {"{O}", "OPEN"},      {"{Q}", "CLOSE"},   {"{R}", "REPLACE"},   {"{S}", "SAVE"},   {"{V}", "PASTE"},
    {"{X}", "CUT"},       {"{Y}", "REDO"},    {"{Z}", "UNDO"},
};

TCommandId IdOf(const char* keyword) {
  if (*keyword == '\0') return NoCommand;
  TCommandId id = CommandFromKeyword(keyword);
  EXPECT_NE(id, NoCommand) << keyword;
  return id;
}

// The whole expected map of one template, built from names and keywords.
TKeyMap ExpectedTemplate(const char* TExpectedBinding::*column) {
  TKeyMap map;
  map.fill(NoCommand);
  for (const TExpectedBinding& binding : ExpectedBindings) {
    int position = KeyMapIndex(ShiftCodeFromPrefix(binding.prefix), KeyIndexFromName(binding.key));
    EXPECT_GE(position, 0) << binding.prefix << binding.key;
    if (position >= 0) map[position] = IdOf(binding.*column);
  }
  for (const auto& [key, keyword] : ExpectedUserMenu1) map[UserMenuIndex(0, KeyIndexFromName(key))] = IdOf(keyword);
  return map;
}

void ExpectSameMap(const TKeyMap& actual, const TKeyMap& expected) {
  for (int position = 0; position < KeyMapSize; ++position) {
    if (actual[position] == expected[position]) continue;
    std::string where = position < KeyMapKeyBlockSize
                            ? ShiftPrefixFromCode(position / KeyCount) + KeyNameFromIndex(position % KeyCount)
                            : "user menu " + std::to_string((position - KeyMapKeyBlockSize) / UserMenuKeyCount + 1) +
                                  " " + KeyNameFromIndex(kiA + (position - KeyMapKeyBlockSize) % UserMenuKeyCount);
    ADD_FAILURE() << where << ": " << CommandKeyword(actual[position]) << " (" << actual[position]
                  << "), expected " << CommandKeyword(expected[position]) << " (" << expected[position] << ")";
  }
}

TKeyMap DirtyMap() {
  TKeyMap map;
  for (int i = 0; i < KeyMapSize; ++i) map[i] = 10001 + i;
  return map;
}

TEST(KeyTemplates, ClearSetsEveryEntryToNoCommand) {
  TKeyMap map = DirtyMap();
  ClearKeyMap(map);
  for (TCommandId id : map) EXPECT_EQ(id, NoCommand);
}

TEST(KeyTemplates, WindowsStandardMatchesEveryCell) {
  TKeyMap map = DirtyMap();
  WindowsStandardKeyMap(map);
  ExpectSameMap(map, ExpectedTemplate(&TExpectedBinding::windowsStandard));
}

TEST(KeyTemplates, MsDosStandardMatchesEveryCell) {
  TKeyMap map = DirtyMap();
  MsDosStandardKeyMap(map);
  ExpectSameMap(map, ExpectedTemplate(&TExpectedBinding::msDosStandard));
}

TEST(KeyTemplates, BindingCountsAndEmptyAltStates) {
  struct Case {
    void (*fill)(TKeyMap&);
    int keyBindings;
  } cases[] = {{WindowsStandardKeyMap, 96}, {MsDosStandardKeyMap, 81}};
  for (const Case& c : cases) {
    TKeyMap map = DirtyMap();
    c.fill(map);
    int bound = 0;
    for (int shift = 0; shift < ShiftStateCount; ++shift)
      for (int key = 0; key < KeyCount; ++key)
        if (KeyMapEntry(map, shift, key) != NoCommand) {
          ++bound;
          EXPECT_EQ(shift & ssAlt, 0) << "Alt state bound";
        }
    EXPECT_EQ(bound, c.keyBindings);
    for (int menu = 1; menu < UserMenuCount; ++menu)
      for (int key = kiA; key <= kiZ; ++key) EXPECT_EQ(UserMenuEntry(map, menu, key), NoCommand);
  }
}

// What a key press finds in the map: KeyMessageToKey, then the entry.
TCommandId Pressed(const TKeyMap& map, int virtualKey, int held, bool extended = false) {
  TKeyStroke stroke = KeyMessageToKey(virtualKey, extended ? (1 << 24) : 0, held);
  return KeyMapEntry(map, stroke.shiftState, stroke.keyIndex);
}

TEST(KeyTemplates, KeyPressesInTheWindowsStandard) {
  TKeyMap map;
  WindowsStandardKeyMap(map);
  EXPECT_EQ(Pressed(map, 'Z', ssCtrl), cmUNDO);
  EXPECT_EQ(Pressed(map, 0x27, ssShift, true), cmRIGHTSEL);
  EXPECT_EQ(Pressed(map, 0x79, 0), cmMENU);
  EXPECT_EQ(Pressed(map, 0x1B, 0), cmUSERMENU1);
  EXPECT_EQ(UserMenuEntry(map, 0, KeyIndexFromName("{S}")), cmSAVE);
  EXPECT_EQ(Pressed(map, 0x6F, ssCtrl, true), NoCommand);
  // Main and keypad Enter are separate keys; neither is bound.
  EXPECT_NE(KeyMessageToKey(0x0D, 0, 0).keyIndex, KeyMessageToKey(0x0D, 1 << 24, 0).keyIndex);
  EXPECT_EQ(Pressed(map, 0x0D, 0), NoCommand);
}

TEST(KeyTemplates, KeyPressesInTheMsDosStandard) {
  TKeyMap map;
  MsDosStandardKeyMap(map);
  EXPECT_EQ(Pressed(map, 0x23, 0, true), cmHELP);
  EXPECT_EQ(Pressed(map, 0x24, 0, true), cmFILETOP);
  EXPECT_EQ(Pressed(map, 0x24, ssCtrl, true), NoCommand);
  EXPECT_EQ(Pressed(map, 0x23, ssCtrl, true), NoCommand);
  EXPECT_EQ(Pressed(map, 0x6F, ssCtrl, true), NoCommand);
}

TEST(Shortcuts, TemplatesPreferNamedKeysAndFewerModifiers) {
  TKeyMap windows, msDos;
  WindowsStandardKeyMap(windows);
  MsDosStandardKeyMap(msDos);
  struct Case {
    const TKeyMap* map;
    TCommandId id;
    std::optional<TShortcut> shortcut;
  } cases[] = {
      {&windows, cmSEARCH, TShortcut{0x72, 0}},             // F3, not Ctrl+F
      {&windows, cmSELECTALL, TShortcut{'A', ssCtrl}},
      {&windows, cmOPEN, TShortcut{0x7A, 0}},               // F11, not Ctrl+O
      {&windows, cmCOPY, TShortcut{0x2D, ssCtrl}},          // Ctrl+Insert, not Ctrl+C
      {&windows, cmPASTE, TShortcut{0x2D, ssShift}},        // Shift+Insert before Ctrl+V
      {&windows, cmUNDO, TShortcut{'Z', ssCtrl}},
      {&windows, cmALLSAVE, TShortcut{'S', ssCtrl | ssShift}},
      {&windows, cmBYTEROLLL, TShortcut{0xBC, ssCtrl | ssShift}},
      {&windows, cmWEBPAGE, TShortcut{0x7B, ssCtrl | ssShift}},
      {&windows, cmVERSION, std::nullopt},
      {&windows, NoCommand, std::nullopt},
      {&msDos, cmSEARCH, TShortcut{0x74, 0}},
      {&msDos, cmSAVE, TShortcut{0x70, ssCtrl | ssShift}},  // Ctrl+Shift+F1 before Ctrl+S
      {&msDos, cmHELP, TShortcut{0x23, 0}},
      {&msDos, cmCLOSE, TShortcut{0x78, ssCtrl | ssShift}},
  };
  for (const Case& c : cases) EXPECT_EQ(ShortcutForCommand(*c.map, c.id), c.shortcut) << CommandKeyword(c.id);
}

TEST(Shortcuts, SearchOrderAndKeysWithoutVirtualKey) {
  struct Binding {
    int shift, key;
  };
  struct Case {
    const char* name;
    std::vector<Binding> bindings;
    std::optional<TShortcut> shortcut;
  } cases[] = {
      {"named key with all modifiers beats a bare letter", {{0, kiA}, {7, kiMinus}}, TShortcut{0xBD, 7}},
      {"shift state is the outer loop", {{1, kiMinus}, {0, kiApplication}}, TShortcut{0x5D, 0}},
      {"lower key first within a state", {{2, kiApplication}, {2, kiF1}}, TShortcut{0x70, ssCtrl}},
      {"digits and letters in order", {{3, kiZ}, {3, kiDigit0 + 5}}, TShortcut{0x35, 3}},
      {"letters: fewer modifiers first", {{4, 'B' - 'A' + kiA}, {1, kiZ}}, TShortcut{'Z', ssShift}},
      {"first hit on Pause gives none", {{0, kiPause}, {1, kiF1}}, std::nullopt},
      {"first hit on keypad Enter gives none", {{0, kiNumPadEnter}, {0, kiA}}, std::nullopt},
      {"main Enter", {{0, kiEnter}}, TShortcut{0x0D, 0}},
      {"user menu entries do not count", {}, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TKeyMap map;
    ClearKeyMap(map);
    SetUserMenuEntry(map, 0, kiA, cmUNDO);
    for (const Binding& b : c.bindings) ASSERT_TRUE(SetKeyMapEntry(map, b.shift, b.key, cmUNDO));
    EXPECT_EQ(ShortcutForCommand(map, cmUNDO), c.shortcut);
  }
}

TEST(FunctionKeyLabels, CountFollowsTheKeyboard) {
  struct Case {
    int reported, labels;
  } cases[] = {{12, 12}, {10, 10}, {15, 10}, {0, 10}, {11, 12}, {18, 12}, {20, 10}};
  for (const Case& c : cases) EXPECT_EQ(FunctionKeyLabelCount(c.reported), c.labels) << c.reported;
}

TEST(FunctionKeyLabels, ShortNamesPerShiftState) {
  TKeyMap map;
  WindowsStandardKeyMap(map);
  SetKeyMapEntry(map, ssAlt, kiF1 + 2, cmGARBAGE);
  SetKeyMapEntry(map, 0, kiF1 + 12, cmSAVE);  // F13 never shows
  TFunctionKeyLabels twelve = FunctionKeyLabels(map, 12);
  const char* plain[12] = {"ﾍﾙﾌﾟ", "一括設定", "検索", "置換", "ｼﾞｬﾝﾌﾟ", "", "", "選択", "窓選択", "ﾒﾆｭｰﾊﾞｰ", "開く", "保存"};
  for (int n = 0; n < 12; ++n) EXPECT_EQ(twelve[0][n], plain[n]) << "F" << n + 1;
  EXPECT_EQ(twelve[ssShift][0], "定型入M");
  EXPECT_EQ(twelve[ssCtrl | ssShift][11], "Ovxｳｪﾌﾞ");
  EXPECT_EQ(twelve[ssAlt][2], "屑収集");
  for (int n : {0, 1, 3, 11}) EXPECT_EQ(twelve[ssAlt | ssCtrl][n], "");

  TFunctionKeyLabels ten = FunctionKeyLabels(map, 15);
  for (int shift = 0; shift < ShiftStateCount; ++shift) {
    for (int n = 0; n < 10; ++n) EXPECT_EQ(ten[shift][n], twelve[shift][n]);
    EXPECT_EQ(ten[shift][10], "");
    EXPECT_EQ(ten[shift][11], "");
  }
}

}  // namespace
}  // namespace ovx
