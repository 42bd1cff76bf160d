// The function-key bar: button count, layout arithmetic, relabelling and click states.
#include <gtest/gtest.h>

#include <vector>

#include "editor/FunctionBar.h"

namespace ovx {
namespace {

TEST(EditorFunctionBar, ButtonCount) {
  EXPECT_EQ(FunctionBarButtonCount(10), 10);
  EXPECT_EQ(FunctionBarButtonCount(15), 10);
  EXPECT_EQ(FunctionBarButtonCount(12), 12);
  EXPECT_EQ(FunctionBarButtonCount(18), 12);
  EXPECT_EQ(FunctionBarKeyIndex(0), 47);
  EXPECT_EQ(FunctionBarKeyIndex(11), 58);
}

TEST(EditorFunctionBar, TenButtonsGapAfterTheFifth) {
  // W = 612: w = 60, r = 8; the gap after F5 is 4 + 8.
  auto spans = FunctionBarLayout(10, 612);
  ASSERT_EQ(spans.size(), 10u);
  EXPECT_EQ(spans[0], (TButtonSpan{0, 60}));
  EXPECT_EQ(spans[4], (TButtonSpan{240, 60}));
  EXPECT_EQ(spans[5], (TButtonSpan{312, 60}));
  EXPECT_EQ(spans[9], (TButtonSpan{552, 60}));
}

TEST(EditorFunctionBar, TwelveButtonsGapsAfterTheFourthAndEighth) {
  // W = 613: w = 50, r = 5; gaps 4 + 2 and 4 + 2 + 1.
  auto spans = FunctionBarLayout(12, 613);
  ASSERT_EQ(spans.size(), 12u);
  EXPECT_EQ(spans[3], (TButtonSpan{150, 50}));
  EXPECT_EQ(spans[4], (TButtonSpan{206, 50}));
  EXPECT_EQ(spans[7], (TButtonSpan{356, 50}));
  EXPECT_EQ(spans[8], (TButtonSpan{413, 50}));
  EXPECT_EQ(spans[11], (TButtonSpan{563, 50}));
}

TEST(EditorFunctionBar, ButtonsAndGapsFillThePanelExactly) {
  for (int count : {10, 12}) {
    for (int width = 0; width <= 700; ++width) {
      auto spans = FunctionBarLayout(count, width);
      ASSERT_EQ(static_cast<int>(spans.size()), count);
      int x = 0;
      for (const TButtonSpan& s : spans) {
        ASSERT_GE(s.left, x) << count << " " << width;
        ASSERT_GE(s.width, 0) << count << " " << width;
        x = s.left + s.width;
      }
      // Wide enough for the gaps, the last button ends at the right edge; all widths equal.
      if (width >= (count == 10 ? 4 : 8)) {
        EXPECT_EQ(x, width) << count << " " << width;
        EXPECT_EQ(spans.front().width, spans.back().width);
      }
    }
  }
}

TEST(EditorFunctionBar, RelabelOnlyWhenTheStateChangesOrForced) {
  int state = FunctionKeyStateUnset;
  EXPECT_TRUE(TakeFunctionKeyState(state, 0, false));  // first show
  EXPECT_EQ(state, 0);
  EXPECT_FALSE(TakeFunctionKeyState(state, 0, false));
  EXPECT_TRUE(TakeFunctionKeyState(state, ssShift, false));
  EXPECT_EQ(state, ssShift);
  EXPECT_TRUE(TakeFunctionKeyState(state, ssShift, true));
  EXPECT_TRUE(TakeFunctionKeyState(state, 0, false));
  EXPECT_EQ(ShiftStateOfHeldKeys(false, true, false), 2);
  EXPECT_EQ(ShiftStateOfHeldKeys(true, false, true), 5);
}

TEST(EditorFunctionBar, CaptionsFollowTheKeyMapPerShiftState) {
  TKeyMap map;
  WindowsStandardKeyMap(map);
  auto labels = FunctionKeyLabels(map, 12);
  EXPECT_EQ(labels[0][0], "ﾍﾙﾌﾟ");        // F1: HELP
  EXPECT_EQ(labels[ssShift][0], "定型入M");  // Shift+F1: INPUTMENU
  EXPECT_EQ(labels[0][5], "");            // F6: nothing bound
  EXPECT_EQ(labels[0][11], "保存");        // F12: SAVE
  EXPECT_EQ(FunctionKeyLabels(map, 10)[0][11], "");  // beyond a ten-key bar
}

}  // namespace
}  // namespace ovx
