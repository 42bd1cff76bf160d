// The status bar's panels and the texts each state of the document gives them.
#include <gtest/gtest.h>

#include "editor/StatusBarTexts.h"

namespace ovx {
namespace {

TEST(EditorStatusBar, PanelWidthsAndDesignTexts) {
  const int widths[] = {32, 32, 32, 32, 108, 12, 130, 50};
  const char* design[] = {"変更", "上書", "サム", "拡張", "比較", "", "メモリ状況", ""};
  for (int i = 0; i < StatusPanelCount; ++i) {
    EXPECT_EQ(StatusPanels()[i].width, widths[i]) << i;
    EXPECT_STREQ(StatusPanels()[i].designText, design[i]) << i;
  }
  auto edges = StatusPanelRightEdges();
  EXPECT_EQ(edges[0], 32);
  EXPECT_EQ(edges[4], 236);
  EXPECT_EQ(edges[5], 248);
  EXPECT_EQ(edges[6], 378);
  EXPECT_EQ(edges[7], -1);
}

TEST(EditorStatusBar, TextsFollowTheState) {
  struct Case {
    TStatusBarInput in;
    std::array<std::string, 7> texts;
  };
  TStatusBarInput plain;
  plain.inputMode = 0;
  TStatusBarInput busy;
  busy.modified = true;
  busy.inputMode = 1;
  busy.checkSumMode = 1;
  busy.expandTenKey = true;
  busy.compareMode = 2;
  busy.size = 4096 + 2048;
  busy.blockCount = 2;
  TStatusBarInput viewOnly;
  viewOnly.inputMode = 2;
  viewOnly.compareMode = 3;
  viewOnly.statusInfoMode = 1;
  viewOnly.historyUsed = 50;
  viewOnly.historyLimit = 200;
  TStatusBarInput named;
  named.compareMode = 1;
  named.size = 1;
  named.blockCount = 1;
  const Case cases[] = {
      {plain, {"", "上書", "単純", "", "", "", "ﾒﾓﾘ利用効率 100%"}},
      {busy, {"変更", "挿入", "ASC", "拡張", "比較 : 指定ｳｨﾝﾄﾞｳ", "", "ﾒﾓﾘ利用効率 75%"}},
      {viewOnly, {"", "閲覧", "単純", "", "比較 : 現状ﾌｧｲﾙ", "", "ｱﾝﾄﾞｩﾊﾞｯﾌｧ利用率 25%"}},
      {named, {"", "上書", "単純", "", "比較 : 指定ﾌｧｲﾙ", "", "ﾒﾓﾘ利用効率 0%"}},
  };
  for (const Case& c : cases) EXPECT_EQ(StatusBarTexts(c.in), c.texts);
}

TEST(EditorStatusBar, EfficiencyInSixtyFourBitsAndAnEmptyUndoBuffer) {
  // 1 GiB in 262144 full blocks: the product overflows 32 bits.
  EXPECT_EQ(MemoryEfficiencyPercent(std::int64_t{1} << 30, 262144), 100);
  EXPECT_EQ(MemoryEfficiencyPercent((std::int64_t{1} << 30) - 1, 262145), 99);
  TStatusBarInput in;
  in.statusInfoMode = 1;
  in.historyLimit = 0;
  EXPECT_EQ(StatusBarTexts(in)[6], "ｱﾝﾄﾞｩﾊﾞｯﾌｧ利用率 0%");
}

TEST(EditorStatusBar, IconPanelHitAndMenuPlace) {
  // Panels 0-4 span 236 pixels; the icon panel starts 2 pixels further and is 12 wide.
  EXPECT_FALSE(HitsStatusIconPanel(237));
  EXPECT_TRUE(HitsStatusIconPanel(238));
  EXPECT_TRUE(HitsStatusIconPanel(249));
  EXPECT_FALSE(HitsStatusIconPanel(250));
  EXPECT_EQ(StatusInfoModeMenuLeft(), 248);
}

}  // namespace
}  // namespace ovx
