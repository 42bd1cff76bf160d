#include "tests/unit/model/temp_folder.h"
#include "tests/unit/view/view_test_host.h"
#include "view/ViewMenus.h"

namespace ovx::test {
namespace {

TEST_F(ViewTest, LoadFileResetsCaretSelectionAndHistory) {
  TTempFolder folder;
  folder.Write("a.bin", std::string("\x01\x02\x03", 3));
  LoadSize(100);
  view.SetCaret(50, 1);
  view.ExecuteCommand(cmFILEENDSEL);
  view.TypeCharacters("1");
  ASSERT_TRUE(view.LoadFile(folder.Name("a.bin")));
  EXPECT_EQ(Bytes(), (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_EQ(view.GetViewPosition(), (TViewPosition{0, 0, 0, 0, iaHex}));
  EXPECT_FALSE(view.HasSelection());
  EXPECT_FALSE(view.History().CanUndo());
  EXPECT_EQ(host.scrollMax, 1);

  EXPECT_FALSE(view.LoadFile(folder.Name("missing.bin")));
  EXPECT_EQ(prompt.messages.size(), 1u);
  EXPECT_EQ(view.Module().Size(), 0);
  EXPECT_EQ(Caret().address, 0);
}

TEST_F(ViewTest, SaveFileKeepsABackupAndFlushesTheHistory) {
  TTempFolder folder;
  folder.Write("a.bin", "old");
  ASSERT_TRUE(view.LoadFile(folder.Name("a.bin")));
  view.TypeCharacters("4");
  ASSERT_TRUE(view.SaveFile(folder.Name("a.bin")));
  EXPECT_EQ(folder.Read("a.bak"), "old");
  EXPECT_EQ(folder.Read("a.bin"), "Old");  // 'o' 0x6F with its high digit typed as 4
  EXPECT_FALSE(view.History().CanUndo());

  TEnvironmentSettings s = DefaultEnvironmentSettings();
  s.MakeBackFile = false;
  s.UndoFlushWithSaved = false;
  view.SetEnvironment(s);
  folder.Write("b.bin", "x");
  ASSERT_TRUE(view.LoadFile(folder.Name("b.bin")));
  view.TypeCharacters("5");
  ASSERT_TRUE(view.SaveFile(folder.Name("b.bin")));
  EXPECT_FALSE(folder.Exists("b.bak"));
  EXPECT_TRUE(view.History().CanUndo());
}

TEST(ViewMenus, ContextMenuItemsInOrder) {
  const auto& items = ContextMenuItems();
  ASSERT_EQ(items.size(), 9u);
  const char* names[] = {"PU_Undo", "PU_Redo", "PU_Separater01", "PU_Cut", "PU_Copy",
                         "PU_Paste", "PU_Delete", "PU_Separater02", "PU_SelectAll"};
  for (std::size_t i = 0; i < items.size(); ++i) EXPECT_STREQ(items[i].name, names[i]);
  EXPECT_STREQ(items[5].caption, "張り付け(&V)");
  EXPECT_EQ(items[8].command, cmSELECTALL);
  TContextMenuState s;
  s.copy = true;
  EXPECT_TRUE(ContextMenuItemEnabled(cmCOPY, s));
  EXPECT_FALSE(ContextMenuItemEnabled(cmCUT, s));
}

TEST(ViewMenus, UserMenuHasTwoColumnsAndUndefinedItems) {
  TKeyMap map;
  WindowsStandardKeyMap(map);
  const auto entries = UserMenuEntries(map, 0);
  ASSERT_EQ(entries.size(), 26u);
  EXPECT_EQ(entries[18].command, cmSAVE);  // "S"
  EXPECT_TRUE(entries[18].enabled);
  EXPECT_EQ(entries[18].caption, "ファイルを保存(&S)");
  EXPECT_EQ(entries[1].caption, "(未定義)");  // "B" is not bound
  EXPECT_FALSE(entries[1].enabled);
  for (std::size_t i = 0; i < entries.size(); ++i) EXPECT_EQ(entries[i].columnBreak, i == 13) << i;
  for (const auto& e : UserMenuEntries(map, 4)) EXPECT_FALSE(e.enabled);
}

}  // namespace
}  // namespace ovx::test
