#include <gtest/gtest.h>

#include "view/ViewGeometry.h"

namespace ovx {
namespace {

// A 7 × 14 "W" cell: row height 18, hex cell 25, address column 68, sum 25, character column 123.
constexpr int kCw = 7, kCh = 14, kScroll = 17;

TEST(ViewGeometry, ColumnWidthsFromTheFontCell) {
  const TViewGeometry g = ComputeViewGeometry(kCw, kCh, 0, 18 * 16, TViewItems::All(), kScroll);
  EXPECT_EQ(g.rowHeight, 18);
  EXPECT_EQ(g.visibleRows, 16);
  EXPECT_EQ(g.widths[kAddressColumn], 68);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(g.widths[kFirstHexColumn + i], 25) << i;
  EXPECT_EQ(g.widths[kRowSumColumn], 25);
  EXPECT_EQ(g.widths[kCharColumn], 123);
  EXPECT_EQ(g.totalColumnWidth, 68 + 16 * 25 + 25 + 123 + kScroll);
}

TEST(ViewGeometry, HiddenItemsHaveNoWidthAndMoveTheCharacterColumn) {
  struct Case {
    TViewItems items;
    int address, rowSum, chars, charLeft;
  } cases[] = {
      {TViewItems::All(), 68, 25, 123, 68 + 400 + 25 + 2},
      {TViewItems::All().With(bvHSum, false), 68, 0, 123, 68 + 400 + 2},  // one hex cell width further left
      {TViewItems::All().With(bvAddress, false), 0, 25, 123, 400 + 25 + 2},
      {TViewItems::All().With(bvAscii, false), 68, 25, 0, 68 + 400 + 25 + 2},
  };
  for (const Case& c : cases) {
    const TViewGeometry g = ComputeViewGeometry(kCw, kCh, 0, 100, c.items, kScroll);
    EXPECT_EQ(g.addressWidth, c.address);
    EXPECT_EQ(g.rowSumWidth, c.rowSum);
    EXPECT_EQ(g.charColumnWidth, c.chars);
    EXPECT_EQ(g.CharLeft(), c.charLeft);
    EXPECT_EQ(g.charArea.Empty(), !c.items.Has(bvAscii));
  }
}

TEST(ViewGeometry, WholeRowsOnly) {
  EXPECT_EQ(ComputeViewGeometry(kCw, kCh, 0, 18 * 5, TViewItems::All(), kScroll).visibleRows, 5);
  EXPECT_EQ(ComputeViewGeometry(kCw, kCh, 0, 18 * 5 - 1, TViewItems::All(), kScroll).visibleRows, 4);
  EXPECT_EQ(ComputeViewGeometry(kCw, kCh, 0, 17, TViewItems::All(), kScroll).visibleRows, 0);
}

TEST(ViewGeometry, SurplusWidthWidensTheCharacterColumn) {
  const int columns = 68 + 400 + 25 + 123;
  const TViewGeometry g = ComputeViewGeometry(kCw, kCh, columns + 50, 100, TViewItems::All(), kScroll);
  EXPECT_EQ(g.charColumnWidth, 173);
  EXPECT_EQ(g.totalColumnWidth, columns + kScroll);  // the natural widths, for the optimal size
  EXPECT_EQ(g.charArea.right - g.charArea.left, 16 * kCw);
}

TEST(ViewGeometry, HitTestAreasRowsAndColumns) {
  const TViewGeometry g = ComputeViewGeometry(kCw, kCh, 0, 18 * 4, TViewItems::All(), kScroll);
  const int charLeft = 68 + 400 + 25 + 2;
  struct Case {
    int x, y;
    TViewHit::Area area;
    int row, column;
  } cases[] = {
      {0, 0, TViewHit::Address, 0, 0},
      {67, 18 * 3 + 5, TViewHit::Address, 3, 0},
      {68, 0, TViewHit::Hex, 0, 0},
      {68 + 25 * 15 + 24, 18, TViewHit::Hex, 1, 15},
      {68 + 400, 0, TViewHit::None, 0, 0},        // the row sum column
      {charLeft - 1, 0, TViewHit::None, 0, 0},    // the 2-pixel strip
      {charLeft, 0, TViewHit::Char, 0, 0},
      {charLeft + 7 * 16 - 1, 18 * 2, TViewHit::Char, 2, 15},
      {charLeft + 7 * 16, 0, TViewHit::None, 0, 0},  // the 17th cell takes no clicks
      {100, 18 * 4, TViewHit::None, 0, 0},       // below the last whole row
  };
  for (const Case& c : cases) {
    const TViewHit h = HitTest(g, c.x, c.y);
    EXPECT_EQ(h.area, c.area) << c.x << "," << c.y;
    if (c.area == TViewHit::None) continue;
    EXPECT_EQ(h.row, c.row) << c.x << "," << c.y;
    EXPECT_EQ(h.column, c.column) << c.x << "," << c.y;
  }
}

TEST(ViewGeometry, DragCellOutsideTheArea) {
  const TViewGeometry g = ComputeViewGeometry(kCw, kCh, 0, 18 * 4, TViewItems::All(), kScroll);
  struct Case {
    TViewHit::Area area;
    int x, y, row, column;
  } cases[] = {
      {TViewHit::Hex, 68 + 30, -5, -1, 1},          // above: the row before the top row
      {TViewHit::Hex, 68 + 30, 18 * 4, 4, 1},       // below: the row after the last visible one
      {TViewHit::Hex, 10, 20, 1, 0},                // left of the area: column 0
      {TViewHit::Hex, 68 + 400 + 10, 20, 1, 15},    // right of it: column 15
      {TViewHit::Char, 68 + 400 + 10, -1, -1, 0},   // the row sum column lies left of the characters
      {TViewHit::Char, 68 + 400 + 27 + 14, 40, 2, 2},
  };
  for (const Case& c : cases) {
    const TDragCell d = DragCell(g, c.area, c.x, c.y);
    EXPECT_EQ(d.row, c.row) << c.x << "," << c.y;
    EXPECT_EQ(d.column, c.column) << c.x << "," << c.y;
  }
}

TEST(ViewGeometry, CaretShapePerInputModeAndPlace) {
  const TViewGeometry g = ComputeViewGeometry(kCw, kCh, 0, 18 * 4, TViewItems::All(), kScroll);
  // Hex area, column 2, row 1, low nibble: x = 68 + 25 × 2 + 2 + 7.
  EXPECT_EQ(CaretShape(g, 1, 2, true, iaHex, 0), (TCaretShape{127, 20, 7, 14}));
  EXPECT_EQ(CaretShape(g, 1, 2, false, iaHex, 0), (TCaretShape{120, 20, 7, 14}));
  // Insert: the bottom third, 2 × (14 div 3) = 8 below the text top.
  EXPECT_EQ(CaretShape(g, 0, 0, false, iaHex, 1), (TCaretShape{70, 10, 7, 6}));
  // View-only: a third of the width.
  EXPECT_EQ(CaretShape(g, 0, 0, false, iaHex, 2), (TCaretShape{70, 2, 2, 14}));
  // Character area: 68 + 400 + 25 + 7 × 3 + 2.
  EXPECT_EQ(CaretShape(g, 2, 3, false, iaChar, 0), (TCaretShape{516, 38, 7, 14}));
}

TEST(ViewGeometry, CaretMarkerLiesInTheOtherArea) {
  const TViewGeometry g = ComputeViewGeometry(kCw, kCh, 0, 18 * 4, TViewItems::All(), kScroll);
  const TCaretMarkerShape inChars = CaretMarker(g, 1, 2, iaChar);
  ASSERT_FALSE(inChars.empty);
  EXPECT_EQ(inChars.cell, (TViewRect{118, 18, 143, 36}));
  EXPECT_EQ(inChars.rowLineLeft, 68);
  EXPECT_EQ(inChars.rowLineRight, 468);
  EXPECT_EQ(inChars.columnLineBottom, 72);
  const TCaretMarkerShape inHex = CaretMarker(g, 0, 15, iaHex);
  ASSERT_FALSE(inHex.empty);
  EXPECT_EQ(inHex.cell, (TViewRect{495 + 105, 0, 495 + 112, 18}));
  const TViewGeometry noChars = ComputeViewGeometry(kCw, kCh, 0, 72, TViewItems::All().With(bvAscii, false), 17);
  EXPECT_TRUE(CaretMarker(noChars, 0, 0, iaHex).empty);
}

TEST(ViewGeometry, OptimalClientSize) {
  const TViewGeometry g = ComputeViewGeometry(kCw, kCh, 0, 100, TViewItems::All(), kScroll);
  // 16 rows of 18, caption strip 16 and sum strip 18 at font height 14.
  EXPECT_EQ(OptimalClientHeight(4, g, TViewItems::All(), 14), 4 + 288 + 16 + 18);
  EXPECT_EQ(OptimalClientHeight(4, g, TViewItems::All().With(bvHeader, false).With(bvVSum, false), 14), 4 + 288);
  EXPECT_EQ(OptimalClientWidth(4, g), 4 + g.totalColumnWidth);
}

// The gaps between cells, the insets and the strips grow with the DPI as the font does;
// at 96 DPI nothing moves. The 144-DPI cell is the font at 1.5 times (10 × 21).
TEST(ViewGeometry, GapsFollowTheDpi) {
  struct Case {
    int dpi, cw, ch;
    int rowHeight, address, hexCell, rowSum, chars, charLeft;
    TCaretShape hexCaret, charCaret;
    TViewRect leftStrip, rightStrip;
    int headerFont, header, footer, optimalHeight;
  } cases[] = {
      {96, 7, 14, 18, 68, 25, 25, 123, 495, {127, 20, 7, 14}, {516, 38, 7, 14}, {493, 0, 495, 72}, {614, 0, 616, 72},
       12, 16, 18, 4 + 16 * 18 + 16 + 18},
      {144, 10, 21, 27, 98, 36, 36, 176, 713, {183, 30, 10, 21}, {743, 57, 10, 21}, {710, 0, 713, 108},
       {883, 0, 886, 108}, 18, 24, 27, 4 + 16 * 27 + 24 + 27},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dpi);
    const TViewGeometry g = ComputeViewGeometry(c.cw, c.ch, 0, c.rowHeight * 4, TViewItems::All(), kScroll, c.dpi);
    EXPECT_EQ(g.rowHeight, c.rowHeight);
    EXPECT_EQ(g.visibleRows, 4);
    EXPECT_EQ(g.addressWidth, c.address);
    EXPECT_EQ(g.hexCellWidth, c.hexCell);
    EXPECT_EQ(g.rowSumWidth, c.rowSum);
    EXPECT_EQ(g.charColumnWidth, c.chars);
    EXPECT_EQ(g.CharLeft(), c.charLeft);
    EXPECT_EQ(CaretShape(g, 1, 2, true, iaHex, 0), c.hexCaret);
    EXPECT_EQ(CaretShape(g, 2, 3, false, iaChar, 0), c.charCaret);
    std::vector<TViewRect> strips;
    for (const auto& a : FullPaintAreas(g, g.totalColumnWidth - kScroll, c.rowHeight * 4))
      if (a.kind == TBackgroundArea::NormalBackground) strips.push_back(a.rect);
    EXPECT_EQ(strips, (std::vector<TViewRect>{c.leftStrip, c.rightStrip}));
    EXPECT_EQ(HeaderFontHeight(c.ch, c.dpi), c.headerFont);
    EXPECT_EQ(HeaderHeight(c.ch, c.dpi), c.header);
    EXPECT_EQ(FooterHeight(c.ch, c.dpi), c.footer);
    EXPECT_EQ(OptimalClientHeight(4, g, TViewItems::All(), c.ch), c.optimalHeight);
  }
}

TEST(ViewGeometry, AutoScrollInterval) {
  EXPECT_EQ(AutoScrollInterval(0), 310);
  EXPECT_EQ(AutoScrollInterval(31), 0);
  EXPECT_EQ(AutoScrollInterval(40), 0);
}

TEST(ViewGeometry, FullPaintAreasHatchThePartialRow) {
  const TViewGeometry g = ComputeViewGeometry(kCw, kCh, 616, 18 * 3 + 5, TViewItems::All(), kScroll);
  const auto areas = FullPaintAreas(g, 616, 18 * 3 + 5);
  int raised = 0, face = 0;
  std::vector<TViewRect> hatch, strips;
  for (const auto& a : areas) {
    if (a.kind == TBackgroundArea::RaisedCell) ++raised;
    if (a.kind == TBackgroundArea::ButtonFace) ++face;
    if (a.kind == TBackgroundArea::Hatch) hatch.push_back(a.rect);
    if (a.kind == TBackgroundArea::NormalBackground) strips.push_back(a.rect);
  }
  EXPECT_EQ(raised, 6);  // address and row sum cell of 3 rows
  EXPECT_EQ(face, 2);
  ASSERT_EQ(hatch.size(), 2u);  // the view is exactly as wide as its columns: nothing right of them
  EXPECT_EQ(hatch[0], (TViewRect{68, 54, 468, 59}));
  EXPECT_EQ(hatch[1], (TViewRect{493, 54, 616, 59}));
  ASSERT_EQ(strips.size(), 2u);
  EXPECT_EQ(strips[0], (TViewRect{493, 0, 495, 54}));
  EXPECT_EQ(strips[1], (TViewRect{495 + 119, 0, 616, 54}));
  // Whole rows only: no partial row, no hatch below.
  const TViewGeometry exact = ComputeViewGeometry(kCw, kCh, 0, 18 * 3, TViewItems::All().With(bvAscii, false), kScroll);
  for (const auto& a : FullPaintAreas(exact, 700, 18 * 3)) EXPECT_NE(a.kind, TBackgroundArea::Hatch);
}

}  // namespace
}  // namespace ovx
