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

TEST(EditorStatusBar, EdgesIconPanelHitAndMenuPlaceFollowTheDpi) {
  struct Case {
    int dpi;
    std::array<int, StatusPanelCount> edges;
    int firstHit, lastHit, menuLeft;  // panels 0-4 end, a 2-pixel border, then the icon panel
  };
  const Case cases[] = {
      {96, {32, 64, 96, 128, 236, 248, 378, 428}, 238, 249, 248},
      {144, {48, 96, 144, 192, 354, 372, 567, 642}, 356, 373, 372},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dpi);
    EXPECT_EQ(StatusPanelRightEdges(c.dpi), c.edges);
    EXPECT_FALSE(HitsStatusIconPanel(c.firstHit - 1, c.dpi));
    EXPECT_TRUE(HitsStatusIconPanel(c.firstHit, c.dpi));
    EXPECT_TRUE(HitsStatusIconPanel(c.lastHit, c.dpi));
    EXPECT_FALSE(HitsStatusIconPanel(c.lastHit + 1, c.dpi));
    EXPECT_EQ(StatusInfoModeMenuLeft(c.dpi), c.menuLeft);
  }
}

}  // namespace
}  // namespace ovx
