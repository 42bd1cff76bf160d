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

TEST(EditorWindowGeometry, AViewNarrowerThanItsRowsWidensToThem) {
  struct TCase {
    const char* what;
    TScreenRect window;
    int viewWidth, rowWidth;
    TScreenRect expected;
  };
  const TCase cases[] = {
      {"rows grew past the view", {100, 50, 740, 550}, 612, 700, {100, 50, 828, 550}},
      {"view exactly as wide", {100, 50, 740, 550}, 612, 612, {100, 50, 740, 550}},
      {"view wider than the rows", {100, 50, 740, 550}, 612, 500, {100, 50, 740, 550}},
      {"widened past the right edge", {500, 50, 900, 550}, 372, 500, {496, 50, 1024, 550}},
      {"wider than the work area", {300, 50, 900, 550}, 572, 1500, {0, 50, 1528, 550}},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(WidenedToRows(c.window, c.viewWidth, c.rowWidth, kWorkArea), c.expected) << c.what;
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

TEST(EditorWindowGeometry, ProfileKeepsTheNormalPlacement) {
  struct TCase {
    const char* what;
    TScreenRect normal;
    TPixelSize workAreaOffset, frame;
    TClientPlacement expected;
  };
  const TCase cases[] = {
      {"work area at the monitor's corner", {37, 61, 537, 361}, {0, 0}, {16, 58}, {37, 61, 484, 242}},
      {"task bar at the left", {37, 61, 537, 361}, {60, 0}, {16, 58}, {97, 61, 484, 242}},
      {"task bar at the top", {0, 0, 640, 480}, {0, 30}, {8, 54}, {0, 30, 632, 426}},
      {"left of the primary monitor", {-1600, 100, -1000, 500}, {0, 0}, {16, 58}, {-1600, 100, 584, 342}},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(NormalClientPlacement(c.normal, c.workAreaOffset, c.frame), c.expected) << c.what;
}

TEST(EditorWindowGeometry, RestoredWindowComesIntoAWorkArea) {
  struct TCase {
    const char* what;
    TScreenRect window;
    TScreenRect expected;
  };
  // Two monitors side by side; the right one has its task bar at the top.
  const std::vector<TScreenRect> areas{{0, 0, 1024, 738}, {1024, 30, 2304, 1024}};
  const TCase cases[] = {
      {"inside the first", {100, 100, 740, 580}, {100, 100, 740, 580}},
      {"across both", {900, 100, 1540, 580}, {900, 100, 1540, 580}},
      {"partly off the bottom", {100, 600, 740, 1080}, {100, 600, 740, 1080}},
      {"minimised place of an old profile", {-32000, -32000, -31840, -31968}, {0, 0, 160, 32}},
      {"far above the second", {1500, -900, 2140, -420}, {1500, 30, 2140, 510}},
      {"right of the second", {2400, 200, 3040, 680}, {1664, 200, 2304, 680}},
      {"below the first", {300, 800, 940, 1280}, {300, 258, 940, 738}},
      {"larger than the nearest", {-2000, 0, -500, 900}, {0, 0, 1500, 900}},
  };
  for (const TCase& c : cases) EXPECT_EQ(BringIntoWorkArea(c.window, areas), c.expected) << c.what;
  EXPECT_EQ(BringIntoWorkArea({-5000, 0, -4000, 500}, {}), (TScreenRect{-5000, 0, -4000, 500})) << "no work area";
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

TEST(EditorWindowGeometry, ToolWindowMovesClearOfTheCaret) {
  const TScreenRect tall{0, 0, 1000, 700}, low{0, 0, 1000, 350}, small{0, 0, 500, 350};
  const TScreenRect tool{100, 200, 400, 400};  // 300 x 200
  const TScreenRect wide{100, 100, 400, 300};  // in the low areas
  struct TCase {
    const char* what;
    TScreenRect tool, caret, area;
    std::optional<TScreenRect> expected;
  };
  const TCase cases[] = {
      {"caret in sight, touching the bottom edge", tool, {150, 400, 157, 415}, tall, std::nullopt},
      {"caret in sight, touching the right edge", tool, {400, 250, 407, 265}, tall, std::nullopt},
      {"caret near its top: down past the caret", tool, {150, 210, 157, 225}, tall, TScreenRect{100, 225, 400, 425}},
      {"caret near its bottom: up over the caret", tool, {150, 380, 157, 395}, tall, TScreenRect{100, 180, 400, 380}},
      {"no room the shorter way: the other", tool, {150, 210, 157, 225}, {0, 0, 1000, 424}, TScreenRect{100, 10, 400, 210}},
      {"just the room the shorter way", tool, {150, 210, 157, 225}, {0, 0, 1000, 425}, TScreenRect{100, 225, 400, 425}},
      {"no room above or below: right of the caret", wide, {120, 150, 127, 165}, low, TScreenRect{127, 100, 427, 300}},
      {"no room above or below: left is shorter", wide, {380, 150, 387, 165}, low, TScreenRect{80, 100, 380, 300}},
      {"no room on any side: it stays", wide, {250, 150, 257, 165}, small, std::nullopt},
  };
  for (const TCase& c : cases) EXPECT_EQ(ToolWindowClearOfCaret(c.tool, c.caret, c.area), c.expected) << c.what;
}

}  // namespace
}  // namespace ovx
