#include "tests/unit/view/view_test_host.h"

namespace ovx::test {
namespace {

TSelection Sel(std::int32_t s, std::int32_t e) { return {true, s, e}; }

void ExpectSelection(const TBinaryViewCore& v, const TSelection& want) {
  const TSelection got = v.GetSelection();
  EXPECT_EQ(got.active, want.active);
  EXPECT_EQ(got.start, want.start);
  EXPECT_EQ(got.end, want.end);
}

TEST_F(ViewTest, UpSelLeavesTheByteAtTheCaretOutAndAPlainMoveEndsIt) {
  LoadSize(64);
  view.SetCaret(40, 0);
  view.ExecuteCommand(cmUPSEL);
  ExpectSelection(view, Sel(24, 40));
  EXPECT_EQ(view.SelectionState(), ssTemporary);
  view.ExecuteCommand(cmDOWN);
  EXPECT_FALSE(view.HasSelection());
  EXPECT_EQ(view.SelectionState(), ssNone);
  EXPECT_EQ(Caret().address, 40);
}

TEST_F(ViewTest, StickySelectionGrowsWithPlainMovesAndSelectEndsIt) {
  LoadSize(64);
  view.SetCaret(10, 0);
  view.ExecuteCommand(cmSELECT);
  EXPECT_EQ(view.SelectionState(), ssSticky);
  EXPECT_FALSE(view.HasSelection());  // both ends coincide
  for (int i = 0; i < 3; ++i) view.ExecuteCommand(cmRIGHT);
  ExpectSelection(view, Sel(10, 13));
  view.ExecuteCommand(cmSELECT);
  EXPECT_EQ(view.SelectionState(), ssNone);
  EXPECT_FALSE(view.HasSelection());
}

TEST_F(ViewTest, SelMovementTurnsAStickySelectionTemporary) {
  LoadSize(64);
  view.SetCaret(10, 0);
  view.ExecuteCommand(cmSELECT);
  view.ExecuteCommand(cmRIGHT);
  view.ExecuteCommand(cmRIGHTSEL);
  EXPECT_EQ(view.SelectionState(), ssTemporary);
  ExpectSelection(view, Sel(10, 12));  // the anchor stays
  view.ExecuteCommand(cmLEFT);
  EXPECT_FALSE(view.HasSelection());
}

TEST_F(ViewTest, SelectAllTopEndAndSwap) {
  LoadSize(50);
  view.SetCaret(20, 1);
  view.ExecuteCommand(cmSELECTTOP);
  ExpectSelection(view, Sel(0, 20));
  view.ExecuteCommand(cmSELECTEND);
  ExpectSelection(view, Sel(20, 50));
  view.ExecuteCommand(cmSELECTSWAP);
  EXPECT_EQ(Caret(), (TCaretPosition{50, 0}));
  EXPECT_EQ(view.Anchor(), 20);
  view.ExecuteCommand(cmSELECTSWAP);
  EXPECT_EQ(Caret(), (TCaretPosition{20, 0}));  // twice returns the caret
  view.ExecuteCommand(cmSELECTALL);
  ExpectSelection(view, Sel(0, 50));
  EXPECT_EQ(Caret().address, 50);
  EXPECT_EQ(view.SelectionState(), ssTemporary);
}

TEST_F(ViewTest, SelectionCommandsThatDoNothing) {
  Load({});
  view.ExecuteCommand(cmSELECT);
  EXPECT_EQ(view.SelectionState(), ssNone);
  view.ExecuteCommand(cmSELECTALL);
  EXPECT_EQ(view.SelectionState(), ssNone);
  view.ExecuteCommand(cmSELECTTOP);  // caret at 0
  EXPECT_EQ(view.SelectionState(), ssNone);
  view.ExecuteCommand(cmSELECTEND);  // caret at Size
  EXPECT_EQ(view.SelectionState(), ssNone);
  LoadSize(20);
  view.SetCaret(5, 0);
  view.ExecuteCommand(cmSELECTSWAP);  // no selection state
  EXPECT_EQ(Caret().address, 5);
}

TEST_F(ViewTest, KeyUpEndsAnEmptyTemporarySelection) {
  LoadSize(20);
  view.SetCaret(5, 0);
  view.ExecuteCommand(cmRIGHTSEL);
  view.ExecuteCommand(cmLEFTSEL);  // back on the anchor: no selection, state still temporary
  EXPECT_FALSE(view.HasSelection());
  EXPECT_EQ(view.SelectionState(), ssTemporary);
  view.KeyUp();
  EXPECT_EQ(view.SelectionState(), ssNone);
}

TEST_F(ViewTest, PlainMoveThatCannotMoveStillEndsTheSelection) {
  LoadSize(20);
  view.SetCaret(5, 0);
  view.ExecuteCommand(cmFILETOPSEL);
  ExpectSelection(view, Sel(0, 5));
  const int paints = host.paints;
  view.ExecuteCommand(cmLEFT);  // at 0: no move, but the selection ends and is repainted away
  EXPECT_FALSE(view.HasSelection());
  EXPECT_GT(host.paints, paints);
}

TEST_F(ViewTest, MouseClickShiftClickAndDrag) {
  LoadSize(16 * 20);
  const TViewGeometry g = ComputeViewGeometry(7, 14, 0, 18 * 4, TViewItems::All(), 17);
  view.MouseDown(vmbLeft, HitTest(g, 68 + 25 * 3 + 1, 18 + 1), false);  // row 1, column 3
  EXPECT_EQ(Caret(), (TCaretPosition{19, 0}));
  EXPECT_TRUE(host.dragTimer);
  view.MouseUp();
  EXPECT_FALSE(host.dragTimer);
  view.MouseDown(vmbLeft, HitTest(g, 495 + 7 * 5, 18 * 2), true);  // shift-click in the characters
  EXPECT_EQ(view.InputArea(), iaChar);
  ExpectSelection(view, Sel(19, 37));
  view.MouseUp();
  view.MouseDown(vmbLeft, HitTest(g, 10, 18 * 3), false);  // address column: row start, area kept
  EXPECT_EQ(Caret().address, 48);
  EXPECT_EQ(view.InputArea(), iaChar);
  EXPECT_FALSE(view.HasSelection());
  view.MouseUp();

  // Dragging above the view scrolls one row per timer tick until the document start.
  view.SetCaret(16 * 10, 0);
  view.MouseDown(vmbLeft, HitTest(g, 68 + 1, 1), false);  // top row 7 after the caret move
  const std::int32_t top = view.TopRow();
  view.MouseMove(g, 68 + 1, -10, false);
  EXPECT_EQ(view.SelectionState(), ssTemporary);
  for (int tick = 1; tick <= top + 3; ++tick) {
    view.DragTimerTick(g, 68 + 1, -10, false);
    EXPECT_EQ(view.TopRow(), std::max(0, top - tick)) << tick;
  }
  EXPECT_EQ(Caret().address, 0);
  ExpectSelection(view, Sel(0, top * 16));
}

TEST_F(ViewTest, RightClickKeepsTheSelectionInsideIt) {
  LoadSize(64);
  const TViewGeometry g = ComputeViewGeometry(7, 14, 0, 18 * 4, TViewItems::All(), 17);
  view.SetCaret(40, 0);
  view.ExecuteCommand(cmFILETOPSEL);  // [0, 40)
  EXPECT_TRUE(view.MouseDown(vmbRight, HitTest(g, 68 + 25 * 5, 18), false));  // address 21: inside
  ExpectSelection(view, Sel(0, 40));
  EXPECT_EQ(Caret().address, 0);
  EXPECT_TRUE(view.MouseDown(vmbRight, HitTest(g, 68 + 25 * 2, 18 * 3), false));  // address 50: outside
  EXPECT_FALSE(view.HasSelection());
  EXPECT_EQ(Caret().address, 50);
}

// A right click inside the selection moves no caret, but the area it hits becomes the input
// area as SetInputArea makes it: high nibble, caret placed and repainted there.
TEST_F(ViewTest, RightClickInsideTheSelectionSwitchesTheInputArea) {
  const TViewGeometry g = ComputeViewGeometry(7, 14, 0, 18 * 4, TViewItems::All(), 17);
  struct Case {
    TInputArea from;
    std::uint8_t lowNibble;
    int x;  // address 5 in the other area
    TInputArea to;
  } cases[] = {
      {iaHex, 1, 495 + 7 * 5 + 1, iaChar},
      {iaChar, 0, 68 + 25 * 5 + 1, iaHex},
  };
  for (const Case& c : cases) {
    LoadSize(64);
    view.SetInputArea(c.from);
    view.ExecuteCommand(cmSELECT);
    view.SetCaret(20, c.lowNibble);  // sticky selection [0, 20)
    const int paints = host.paints;
    EXPECT_TRUE(view.MouseDown(vmbRight, HitTest(g, c.x, 1), false));
    ExpectSelection(view, Sel(0, 20));
    EXPECT_EQ(view.InputArea(), c.to);
    EXPECT_EQ(Caret(), (TCaretPosition{20, 0}));
    EXPECT_GT(host.paints, paints);
    view.ExecuteCommand(cmSELECT);  // ends it
  }
}

TEST_F(ViewTest, ContextMenuEnabling) {
  LoadSize(10);
  EXPECT_EQ(view.ContextMenuState(), (TContextMenuState{false, false, false, false, false, false, true}));
  view.ExecuteCommand(cmRIGHTSEL);
  host.clipboard.text = "x";
  EXPECT_EQ(view.ContextMenuState(), (TContextMenuState{false, false, true, true, true, true, true}));
  view.SetInputMode(imViewOnly);  // Cut, Paste and Delete off; Copy stays
  EXPECT_EQ(view.ContextMenuState(), (TContextMenuState{false, false, false, true, false, false, true}));
}

}  // namespace
}  // namespace ovx::test
