// Caption formats and the entries rebuilt into the history and window menus.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/FileMenuEntries.h"
#include "editor/MenuItems.h"

namespace ovx {
namespace {

TEST(EditorFileMenus, WindowCaption) {
  EXPECT_EQ(EditorCaptionText("", "Orvanta"), "(新規) - Orvanta");
  EXPECT_EQ(EditorCaptionText("C:\\データ\\a.bin", "Orvanta"), "C:\\データ\\a.bin - Orvanta");
}

TEST(EditorFileMenus, HistoryEntries) {
  auto entries = HistoryMenuEntries({"C:\\a.bin", "D:\\b\\c.dat"});
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0], (TFileMenuEntry{"&1: C:\\a.bin", 2, HistoryEntryIdBase, false}));
  EXPECT_EQ(entries[1], (TFileMenuEntry{"&2: D:\\b\\c.dat", 2, HistoryEntryIdBase + 1, false}));
  EXPECT_TRUE(HistoryMenuEntries({}).empty());
  EXPECT_EQ(FileMenuEntryOfId(entries[1].menuId), (TFileMenuEntryRef{fekHistory, 1}));
}

// The menus list the whole history, however long, each entry with an id of its own.
TEST(EditorFileMenus, EveryHistoryEntryIsListed) {
  std::vector<std::string> history;
  for (int i = 0; i < 3000; ++i) history.push_back("C:\\f" + std::to_string(i) + ".bin");
  auto entries = HistoryMenuEntries(history);
  ASSERT_EQ(entries.size(), history.size());
  EXPECT_EQ(entries.back().caption, "&3000: C:\\f2999.bin");
  for (int i : {0, 255, 256, 2999}) {
    EXPECT_EQ(FileMenuEntryOfId(entries[i].menuId), (TFileMenuEntryRef{fekHistory, i})) << i;
    EXPECT_LE(entries[i].menuId, 0xFFFF) << i;  // the 16 bits of WM_COMMAND
  }
  // The ids stay clear of the window entries, the table items and the bars' buttons (0x3000 on).
  for (int id : {MoreWindowsId, WindowEntryIdBase, SelectFileEntryIdBase, 0x3000, 0x3100, 0x3FFF})
    EXPECT_NE(FileMenuEntryOfId(id).kind, fekHistory) << id;
}

std::vector<std::string> Windows(int n) {
  std::vector<std::string> names;
  for (int i = 0; i < n; ++i) names.push_back(i == 1 ? "" : "C:\\f" + std::to_string(i) + ".bin");
  return names;
}

TEST(EditorFileMenus, WindowEntriesUpToNineThenMore) {
  struct TCase {
    int windows;
    std::size_t entries;
    bool more;
  };
  for (TCase c : {TCase{1, 1, false}, TCase{9, 9, false}, TCase{10, 10, true}, TCase{14, 10, true}}) {
    auto entries = WindowMenuEntries(Windows(c.windows), 0);
    ASSERT_EQ(entries.size(), c.entries) << c.windows;
    EXPECT_EQ(entries.back().caption == "& : more...", c.more) << c.windows;
    if (c.more) {
      EXPECT_EQ(entries.back().image, 48);
      EXPECT_EQ(FileMenuEntryOfId(entries.back().menuId).kind, fekMoreWindows);
      EXPECT_EQ(entries[8].caption, "&9: C:\\f8.bin");
    }
  }
}

TEST(EditorFileMenus, WindowEntriesNameNewDocumentsAndCheckThisWindow) {
  auto entries = WindowMenuEntries(Windows(3), 1);
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0], (TFileMenuEntry{"&1: C:\\f0.bin", 46, WindowEntryIdBase, false}));
  EXPECT_EQ(entries[1], (TFileMenuEntry{"&2: (新規)", 46, WindowEntryIdBase + 1, true}));
  EXPECT_FALSE(entries[2].checked);
  EXPECT_EQ(FileMenuEntryOfId(entries[2].menuId), (TFileMenuEntryRef{fekWindow, 2}));
}

TEST(EditorFileMenus, SelectFileEntriesHaveABlankBeforeTheColon) {
  auto entries = SelectFileMenuEntries(Windows(11));
  ASSERT_EQ(entries.size(), 9u);  // no "more" entry here: ウィンドウ一覧 follows in the popup
  EXPECT_EQ(entries[0].caption, "&1 : C:\\f0.bin");
  EXPECT_EQ(entries[1].caption, "&2 : (新規)");
  EXPECT_EQ(entries[1].image, 46);
  EXPECT_EQ(FileMenuEntryOfId(entries[1].menuId), (TFileMenuEntryRef{fekSelectFile, 1}));
}

TEST(EditorFileMenus, RunTimeIdsStayClearOfTableItems) {
  EXPECT_EQ(FileMenuEntryOfId(MenuIdOf(miMM_SaveFile)).kind, fekNone);
  EXPECT_FALSE(MenuItemOfId(HistoryEntryIdBase));
  EXPECT_FALSE(MenuItemOfId(MoreWindowsId));
  EXPECT_EQ(FileMenuEntryOfId(SelectFileEntryIdBase + 9).kind, fekNone);
}

}  // namespace
}  // namespace ovx
