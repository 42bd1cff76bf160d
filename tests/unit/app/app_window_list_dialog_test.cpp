#include <gtest/gtest.h>

#include "app/DialogPlacement.h"
#include "shell/ShellTexts.h"

namespace ovx {
namespace {

TEST(AppWindowListDialog, LinesNumberEveryWindowAndNameTheUnnamed) {
  EXPECT_EQ(WindowListLines({}), std::vector<std::string>{});
  EXPECT_EQ(WindowListLines({"C:\\a.bin", "", "C:\\データ\\c.bin"}),
            (std::vector<std::string>{"1: C:\\a.bin", "2: (新規)", "3: C:\\データ\\c.bin"}));
  std::vector<std::string> twelve(12, "x");
  EXPECT_EQ(WindowListLines(twelve).back(), "12: x");  // no cut at nine, unlike the menus
}

TEST(AppWindowListDialog, PlacementCentresOverTheReferenceAndStaysInTheWorkArea) {
  const TScreenRect work{0, 0, 1024, 740};
  const TPixelSize dialog{406, 213};
  struct Case {
    const char* name;
    std::optional<TScreenRect> reference;
    TScreenRect expected;
  };
  const Case cases[] = {
      // (600 - 406) div 2 = 97, (401 - 213) div 2 = 94
      {"inside", TScreenRect{100, 50, 700, 451}, {197, 144, 603, 357}},
      {"odd difference truncates", TScreenRect{0, 0, 407, 214}, {0, 0, 406, 213}},
      {"past the bottom right", TScreenRect{900, 700, 1200, 900}, {618, 527, 1024, 740}},
      {"past the top left", TScreenRect{-300, -200, 100, 0}, {0, 0, 406, 213}},
      {"no reference: centred in the work area", std::nullopt, {309, 263, 715, 476}},
  };
  for (const Case& c : cases) EXPECT_EQ(PlaceDialog(dialog, c.reference, work), c.expected) << c.name;

  // Without a reference a dialog larger than the area is only centred, not pulled inside.
  EXPECT_EQ(PlaceDialog({1200, 100}, std::nullopt, work), (TScreenRect{-88, 320, 1112, 420}));
}

}  // namespace
}  // namespace ovx
