// The starting state of a window and its size mode.
#include <gtest/gtest.h>

#include "editor/EditorWindowState.h"

namespace ovx {
namespace {

TEST(EditorWindowState, StartsAsANewWindow) {
  TEditorWindowState s;
  EXPECT_TRUE(s.creating);
  EXPECT_EQ(s.fileAge, -1);
  EXPECT_EQ(s.compareMode, 0);
  EXPECT_EQ(s.functionKeyState, 8);
  EXPECT_EQ(s.settings.viewOnlyExtensions, "sys;exe;com;dll;vxd");
}

TEST(EditorWindowState, SizeModeSurvivesItsOwnResizeOnly) {
  TSizeModeTracker t;
  EXPECT_EQ(t.Mode(), smNone);
  t.Optimize(smFit, [&] { t.OnResize(); });  // the optimisation's own resize
  EXPECT_EQ(t.Mode(), smFit);
  EXPECT_TRUE(t.RefitsOnViewItemToggle());
  t.OnResize();  // the user drags the border
  EXPECT_EQ(t.Mode(), smNone);
  EXPECT_FALSE(t.RefitsOnViewItemToggle());
  t.Optimize(smFullHeight, [&] { t.OnResize(); });
  EXPECT_EQ(t.Mode(), smFullHeight);
  EXPECT_FALSE(t.RefitsOnViewItemToggle());  // only mode 1 follows the view items
}

TEST(EditorWindowState, ViewItems) {
  int count = 0;
  for (const TMenuItemDef& d : MenuItemTable()) count += IsViewItem(d.item);
  EXPECT_EQ(count, 7);
  EXPECT_TRUE(IsViewItem(miMM_ViewCompareColor));
  EXPECT_FALSE(IsViewItem(miMM_DialogFlattery));
}

}  // namespace
}  // namespace ovx
