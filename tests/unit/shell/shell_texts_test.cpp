#include <gtest/gtest.h>

#include "shell/ShellTexts.h"

namespace ovx {
namespace {

TEST(ShellTexts, CaptionsAndMessages) {
  EXPECT_EQ(EditorWindowCaption("", kApplicationTitle), "(新規) - Orvanta");
  EXPECT_EQ(EditorWindowCaption("C:\\a\\データ.bin", kApplicationTitle), "C:\\a\\データ.bin - Orvanta");
  EXPECT_EQ(NumberedMenuCaption(1, "C:\\x.bin"), "&1: C:\\x.bin");
  EXPECT_EQ(NumberedMenuCaption(12, "(新規)"), "&12: (新規)");
  EXPECT_EQ(MissingHistoryFileMessage("C:\\gone.bin"),
            "C:\\gone.bin が見付かりません.\r\nファイル履歴から削除します.");
}

TEST(ShellTexts, WindowSubmenuShowsNineAndMore) {
  struct Case {
    int windows;
    size_t items;
    bool more;
  };
  for (Case c : {Case{1, 1, false}, Case{9, 9, false}, Case{10, 10, true}, Case{15, 10, true}}) {
    std::vector<std::string> names;
    for (int i = 0; i < c.windows; ++i) names.push_back(i == 1 ? "" : "f" + std::to_string(i));
    auto items = WindowSubmenuItems(names);
    ASSERT_EQ(items.size(), c.items) << c.windows;
    EXPECT_EQ(items[0].caption, "&1: f0");
    EXPECT_EQ(items[0].image, 3);
    if (c.windows > 1) EXPECT_EQ(items[1].caption, "&2: (新規)");
    if (c.windows >= 9) {
      EXPECT_EQ(items[8].caption, "&9: f8");
      EXPECT_EQ(items[8].index, 8);
    }
    if (c.more) {
      EXPECT_EQ(items.back().caption, "& : more...");
      EXPECT_EQ(items.back().image, 4);
      EXPECT_EQ(items.back().index, -1);
    }
  }
  EXPECT_TRUE(WindowSubmenuItems({}).empty());
}

TEST(ShellTexts, HistorySubmenuListsEveryEntry) {
  std::vector<std::string> history;
  for (int i = 0; i < 14; ++i) history.push_back("C:\\h" + std::to_string(i));
  auto items = HistorySubmenuItems(history);
  ASSERT_EQ(items.size(), 14u);
  EXPECT_EQ(items[0].caption, "&1: C:\\h0");
  EXPECT_EQ(items[13].caption, "&14: C:\\h13");
  EXPECT_EQ(items[13].index, 13);
  EXPECT_EQ(items[13].image, 2);
  EXPECT_TRUE(HistorySubmenuItems({}).empty());
}

TEST(ShellTexts, CenteringInTheWorkArea) {
  struct Case {
    int left, top, width, height, w, h, x, y;
  } cases[] = {
      {0, 0, 1024, 740, 620, 480, 202, 130},
      {0, 28, 1024, 740, 620, 481, 202, 157},  // work area below a top task bar; odd leftover
      {-1280, 0, 1280, 1024, 100, 100, -690, 462},
      {0, 0, 800, 600, 1000, 700, -100, -50},  // larger than the area
      {0, 0, 800, 600, 801, 601, 0, 0},        // truncates toward zero
  };
  for (const auto& c : cases) {
    TPlacement p = CenterInArea(c.left, c.top, c.width, c.height, c.w, c.h);
    EXPECT_EQ(p.left, c.x);
    EXPECT_EQ(p.top, c.y);
  }
}

}  // namespace
}  // namespace ovx
