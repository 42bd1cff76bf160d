// Tool-window toggles, settings applied to a window and shortcut texts beside menu items.
#include <gtest/gtest.h>

#include "editor/ToolWindows.h"
#include "editor/WindowSettings.h"
#include "shell/ShortcutText.h"

namespace ovx {
namespace {

TEST(EditorToolWindows, TogglesAndViewOnlyRefusals) {
  struct TCase {
    TCommandId command;
    bool open, viewOnly;
    TToolWindowAction action;
  };
  const TCase cases[] = {
      {cmINPUTSTRING, false, false, twaCreate},  {cmINPUTSTRING, true, false, twaClose},
      {cmINPUTSTRING, false, true, twaNothing},  {cmINPUTSTRING, true, true, twaNothing},
      {cmBITROLL, false, true, twaNothing},      {cmBYTEROLL, false, true, twaNothing},
      {cmBITROLL, true, true, twaNothing},       {cmBYTEROLL, true, true, twaNothing},
      {cmBITROLL, true, false, twaClose},        {cmSEARCH, true, true, twaClose},
      {cmREPLACE, false, true, twaNothing},      {cmINPUTINTEGER, false, true, twaNothing},
      {cmINPUTCHAR, false, true, twaNothing},    {cmSEARCH, false, true, twaCreate},
      {cmADDRESSJUMP, false, true, twaCreate},   {cmRELATIVEJUMP, false, true, twaCreate},
      {cmFILER, false, true, twaCreate},         {cmFILER, true, false, twaClose},
  };
  for (const TCase& c : cases) {
    auto kind = ToolWindowOfCommand(c.command);
    ASSERT_TRUE(kind) << c.command;
    EXPECT_EQ(CommandOfToolWindow(*kind), c.command);
    EXPECT_EQ(ToolWindowToggle(*kind, c.open, c.viewOnly), c.action) << c.command << " " << c.open << c.viewOnly;
  }
  EXPECT_FALSE(ToolWindowOfCommand(cmSAVE));
}

TEST(EditorWindowSettings, PerWindowChoicesOnlyForANewWindow) {
  TEnvironmentSettings settings = DefaultEnvironmentSettings();
  settings.ByteOrder = 1;
  settings.IntWidth = 3;
  settings.IntCardinal = 2;
  settings.DialogFlattery = false;
  settings.ViewModeExt = "bin";
  settings.ToolBar = false;
  settings.CompareColor = false;

  TWindowSettingsState later;  // an existing window keeps its own choices
  later.infoByteOrder = 0;
  ApplyWindowSettings(later, settings);
  EXPECT_EQ(later.infoByteOrder, 0);
  EXPECT_EQ(later.lastIntWidth, 2);
  EXPECT_TRUE(later.dialogFollow);
  EXPECT_EQ(later.viewOnlyExtensions, "bin");
  EXPECT_FALSE(later.toolBar);
  EXPECT_FALSE(later.compareColors);

  settings.NewWindow = true;
  TWindowSettingsState created;
  ApplyWindowSettings(created, settings);
  EXPECT_EQ(created.infoByteOrder, 1);
  EXPECT_EQ(created.lastIntWidth, 3);
  EXPECT_EQ(created.focusRadix, 2);
  EXPECT_FALSE(created.dialogFollow);
  EXPECT_TRUE(created.dialogAutoHide);
}

TEST(EditorWindowSettings, ShortcutTexts) {
  EXPECT_EQ(ShortcutText({vkA + 18, ssCtrl}), "Ctrl+S");
  EXPECT_EQ(ShortcutText({vkA + 18, ssCtrl | ssShift}), "Ctrl+Shift+S");
  EXPECT_EQ(ShortcutText({vkF1 + 2, 0}), "F3");
  EXPECT_EQ(ShortcutText({vkInsert, ssShift}), "Shift+Ins");
  EXPECT_EQ(ShortcutText({vkOemComma, ssCtrl}), "Ctrl+,");
  EXPECT_EQ(ShortcutText({0x07, 0}), "");

  TKeyMap map;
  WindowsStandardKeyMap(map);
  EXPECT_EQ(MenuShortcutText(miMM_SaveFile, map), "F12");     // named keys before letters
  EXPECT_EQ(MenuShortcutText(miMM_SearchData, map), "F3");
  EXPECT_EQ(MenuShortcutText(miMM_SelectAll, map), "Ctrl+A");
  EXPECT_EQ(MenuShortcutText(miMM_Delete, map), "");         // its key must reach the view
  EXPECT_EQ(MenuShortcutText(miMM_ByteRollLeft, map), "");
  EXPECT_EQ(MenuShortcutText(miMM_SaveAllFile, map), "Ctrl+Shift+S");
  EXPECT_EQ(MenuShortcutText(miMM_CompareFile, map), "Shift+F5");
  EXPECT_EQ(MenuShortcutText(miMM_Reload, map), "");
}

}  // namespace
}  // namespace ovx
