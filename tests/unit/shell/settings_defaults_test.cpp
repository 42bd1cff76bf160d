#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "shell/KeyMap.h"
#include "shell/Settings.h"

namespace ovx {
namespace {

TEST(SettingsDefaults, EveryFieldHasItsBuiltInDefault) {
  const TEnvironmentSettings s = DefaultEnvironmentSettings();
  EXPECT_FALSE(s.NewWindow);
  for (bool b : {s.ToolBar, s.FunctionBar, s.StatusBar, s.InformationPanel, s.CompareArrow, s.CompareColor,
                 s.CaretMarker, s.OpeningDlg, s.MakeBackFile, s.ExpandTenKey, s.UndoFlushWithSaved,
                 s.UndoOverflowSound, s.DialogFlattery, s.DialogAutoHidden, s.NewWindowMoveCenter,
                 s.ProfileWindowLoad, s.ProfilePositionLoad, s.ProfileNotExistToCenter})
    EXPECT_TRUE(b);
  EXPECT_FALSE(s.UndoPacked);
  EXPECT_EQ(s.FontHeight, 14);
  EXPECT_EQ(s.ViewModeExt, "sys;exe;com;dll;vxd");
  EXPECT_EQ(s.InputMode, 0);
  EXPECT_EQ(s.CharaSet, 1);
  EXPECT_EQ(s.CheckSum, 0);
  EXPECT_EQ(s.IntWidth, 2);
  EXPECT_EQ(s.IntCardinal, 1);
  EXPECT_EQ(s.ByteOrder, 0);
  EXPECT_EQ(s.UndoBuffer, 128);
  EXPECT_EQ(s.KeyAssignType, 0);
  EXPECT_EQ(s.ProfileMax, 100);
  TKeyMap windows;
  WindowsStandardKeyMap(windows);
  EXPECT_EQ(s.KeyMap, windows);
}

TEST(SettingsDefaults, ColoursInStoredOrderWithTheirDefaults) {
  struct Expected {
    const char* name;
    std::uint32_t value;
  } expected[ColorRoleCount] = {
      {"NormalFont", 0xFF000008}, {"NormalBG", 0xFF000005},
      {"DifferenceFont", 0x00FF00FF}, {"DifferenceBG", 0xFF000005},
      {"DifferenceBiggerFont", 0x000000FF}, {"DifferenceBiggerBG", 0xFF000005},
      {"DifferenceSmallerFont", 0x00FF0000}, {"DifferenceSmallerBG", 0xFF000005},
      {"OverFont", 0xFF000011}, {"OverBG", 0xFF000005},
      {"SelectFont", 0xFF00000E}, {"SelectBG", 0xFF00000D},
      {"EofFont", 0x00000000}, {"EofBG", 0x00FFFF00},
      {"CaretMarker", 0x00008000},
  };
  const TColorSettings colors;
  for (std::size_t i = 0; i < ColorRoleCount; ++i) {
    EXPECT_EQ(std::string(ColorRoles[i].Name), expected[i].name) << i;
    EXPECT_EQ(colors.*ColorRoles[i].Member, expected[i].value) << expected[i].name;
  }
  // Each role stores a member of its own.
  for (std::size_t i = 0; i < ColorRoleCount; ++i) {
    TColorSettings c;
    c.*ColorRoles[i].Member = 0x123456;
    int changed = 0;
    for (std::size_t j = 0; j < ColorRoleCount; ++j) changed += c.*ColorRoles[j].Member == 0x123456;
    EXPECT_EQ(changed, 1) << i;
  }
}

TEST(SettingsDefaults, ConfigAndViewItemValueNamesInStoredOrder) {
  const char* config[] = {"OpeningDlg", "FontHeight", "ViewModeExt", "MakeBackFile", "InputMode", "CharaSet",
                          "CheckSum", "IntWidth", "IntCardinal", "ByteOrder", "ExpandTenKey", "UndoBuffer",
                          "UndoPacked", "UndoFlushWithSaved", "UndoOverflowSound", "KeyAssignType",
                          "DialogFlattery", "DialogAutoHidden", "NewWindowMoveCenter", "ProfileWindowLoad",
                          "ProfilePositionLoad", "ProfileNotExistToCenter", "ProfileMax"};
  static_assert(sizeof config / sizeof config[0] == ConfigValueCount);
  for (std::size_t i = 0; i < ConfigValueCount; ++i) EXPECT_EQ(std::string(ConfigValues[i].Name), config[i]) << i;
  const char* viewItems[] = {"ToolBar", "FunctionBar", "StatusBar", "InformationPanel", "CompareArrow",
                             "CompareColor", "CaretMarker"};
  for (std::size_t i = 0; i < ViewItemValueCount; ++i)
    EXPECT_EQ(std::string(ViewItemValues[i].Name), viewItems[i]) << i;
}

}  // namespace
}  // namespace ovx
