// Window size optimisation and the placement of tool windows.
#include <gtest/gtest.h>

#include "editor/WindowGeometry.h"

namespace ovx {
namespace {

const TScreenRect kWorkArea{0, 0, 1024, 738};

TEST(EditorWindowGeometry, FitKeepsTheCornerAndAddsTheFrame) {
  // Window 640 x 500 holding an editor of 612 x 380: frame 28 wide, 120 high.
  TScreenRect window{100, 50, 740, 550};
  TScreenRect fit = OptimizedWindowRect(smFit, window, {612, 380}, {590, 400}, kWorkArea);
  EXPECT_EQ(fit, (TScreenRect{100, 50, 100 + 590 + 28, 50 + 400 + 120}));
  EXPECT_EQ(OptimizedWindowRect(smNone, window, {612, 380}, {590, 400}, kWorkArea), window);
}

TEST(EditorWindowGeometry, FullHeightSpansTheWorkArea) {
  TScreenRect window{100, 50, 740, 550};
  TScreenRect full = OptimizedWindowRect(smFullHeight, window, {612, 380}, {590, 400}, {0, 20, 1024, 700});
  EXPECT_EQ(full, (TScreenRect{100, 20, 718, 700}));
}

TEST(EditorWindowGeometry, ToolWindowPlacement) {
  struct TCase {
    const char* what;
    int ownerLeft, ownerTop;
    TToolOffset offset;
    TScreenRect expected;
  };
  const TPixelSize size{300, 200};
  const TCase cases[] = {
      {"at the offset", 100, 100, {}, {132, 132, 432, 332}},
      {"past the bottom", 100, 600, {}, {132, 538, 432, 738}},
      {"past the right", 900, 100, {}, {724, 132, 1024, 332}},
      {"above the top", 100, -200, {}, {132, 0, 432, 200}},
      {"left of the left", -300, 100, {}, {0, 132, 300, 332}},
      {"negative offset", 100, 100, {-50, -20}, {50, 80, 350, 280}},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(PlaceToolWindow(c.ownerLeft, c.ownerTop, c.offset, size, kWorkArea), c.expected) << c.what;
  // A tool window larger than the work area keeps its top-left corner inside it.
  EXPECT_EQ(PlaceToolWindow(500, 500, {}, {1200, 900}, kWorkArea), (TScreenRect{0, 0, 1200, 900}));
}

TEST(EditorWindowGeometry, OwnerMovedFollowsOrRetakesTheOffset) {
  TScreenRect tool{150, 160, 450, 360};
  auto followed = ToolWindowAfterOwnerMoved(true, 200, 100, tool, {50, 60}, kWorkArea);
  EXPECT_EQ(followed.rect, (TScreenRect{250, 160, 550, 360}));
  EXPECT_EQ(followed.offset, (TToolOffset{50, 60}));
  auto stayed = ToolWindowAfterOwnerMoved(false, 200, 100, tool, {50, 60}, kWorkArea);
  EXPECT_EQ(stayed.rect, tool);
  EXPECT_EQ(stayed.offset, (TToolOffset{-50, 60}));
  EXPECT_EQ(ToolWindowOffset(10, 20, 42, 52), (TToolOffset{32, 32}));
}

}  // namespace
}  // namespace ovx
