// Geometry of the binary view: column widths, hit areas and caret placement,
// all derived from the size of one "W" cell of the view font.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace ovx {

// The parts of the editor control that can be shown or hidden, in stored order.
enum TBEditorViewItem : std::uint8_t { bvHeader = 0, bvHSum, bvVSum, bvAddress, bvAscii };

class TViewItems {
 public:
  constexpr TViewItems() = default;
  static constexpr TViewItems All() { return TViewItems(0x1F); }
  static constexpr TViewItems None() { return TViewItems(0); }
  constexpr bool Has(TBEditorViewItem item) const { return (bits_ >> item) & 1u; }
  constexpr TViewItems With(TBEditorViewItem item, bool on) const {
    return TViewItems(on ? (bits_ | (1u << item)) : (bits_ & ~(1u << item)));
  }
  constexpr std::uint8_t Bits() const { return bits_; }
  constexpr bool operator==(const TViewItems&) const = default;

 private:
  constexpr explicit TViewItems(unsigned bits) : bits_(static_cast<std::uint8_t>(bits & 0x1F)) {}
  std::uint8_t bits_ = 0x1F;
};

// The 19 columns shared by the view and both strips.
constexpr int kColumnCount = 19;
constexpr int kAddressColumn = 0;
constexpr int kFirstHexColumn = 1;  // 1 .. 16
constexpr int kRowSumColumn = 17;
constexpr int kCharColumn = 18;
constexpr int kBytesPerRow = 16;

struct TViewRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  bool Empty() const { return right <= left || bottom <= top; }
  bool operator==(const TViewRect&) const = default;
};

// Input area of the caret.
enum TInputArea : std::uint8_t { iaHex = 0, iaChar = 1 };

// A length drawn at 96 DPI (a gap, a margin, an inset) in pixels at dpi, rounded to the nearest;
// exactly the same length at 96 DPI.
int DevicePixels(int pixelsAt96, int dpi);

struct TViewGeometry {
  int dpi = 96;
  int cw = 0, ch = 0;        // extent of "W" in the view font
  int rowHeight = 0;         // ch + 4 (at 96 DPI)
  int visibleRows = 0;       // whole rows only
  int addressWidth = 0;
  int hexCellWidth = 0;
  int rowSumWidth = 0;
  int charColumnWidth = 0;   // widened by the surplus of a wide view
  int totalColumnWidth = 0;  // columns at their natural widths plus the scroll bar
  std::array<int, kColumnCount> widths{};
  TViewRect addressArea, hexArea, charArea;

  int HexLeft() const { return addressWidth; }
  int RowSumLeft() const { return addressWidth + kBytesPerRow * hexCellWidth; }
  int CharColumnLeft() const { return RowSumLeft() + rowSumWidth; }
  int CharLeft() const { return CharColumnLeft() + Px(2); }
  int RowTop(int row) const { return row * rowHeight; }
  // Where the text of a row begins, below the row's top gap.
  int TextTop(int row) const { return RowTop(row) + Px(2); }
  int Px(int pixelsAt96) const { return DevicePixels(pixelsAt96, dpi); }
};

// Recomputes the geometry (Relayout). clientWidth and clientHeight are the view's
// client area, the vertical scroll bar excluded; the gaps between cells grow with the DPI.
TViewGeometry ComputeViewGeometry(int cw, int ch, int clientWidth, int clientHeight, TViewItems items,
                                  int scrollBarWidth, int dpi = 96);

// Where a point lies: the area, the visible row and the column (0 .. 15; 0 in the address column).
struct TViewHit {
  enum Area : std::uint8_t { None, Address, Hex, Char } area = None;
  int row = 0;
  int column = 0;
};
TViewHit HitTest(const TViewGeometry& g, int x, int y);

// The cell a drag reaches when the pointer is at (x, y), for a drag that began in
// area (Hex or Char). Row is relative to the top row and may be -1 (the row before
// the top row) or visibleRows (the row after the last visible one).
struct TDragCell {
  int row = 0;
  int column = 0;
};
TDragCell DragCell(const TViewGeometry& g, TViewHit::Area area, int x, int y);

// The caret rectangle for an input mode (0 overwrite, 1 insert, 2 view-only).
struct TCaretShape {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const TCaretShape&) const = default;
};
TCaretShape CaretShape(const TViewGeometry& g, int caretRow, int caretColumn, bool lowNibble,
                       TInputArea area, int inputMode);

// The caret marker, drawn over the area the caret is not in: a line along the bottom of
// the caret row, a line down the right edge of the caret's cell, a frame around that cell.
// empty when the caret is in the hex area and the character column is hidden.
struct TCaretMarkerShape {
  bool empty = true;
  int rowLineLeft = 0, rowLineRight = 0, rowLineY = 0;
  int columnLineX = 0, columnLineTop = 0, columnLineBottom = 0;
  TViewRect cell;
};
TCaretMarkerShape CaretMarker(const TViewGeometry& g, int caretRow, int caretColumn, TInputArea area);

// What a full repaint draws before the rows, in this order: raised address and row sum
// cells for each visible row, button-face cells in the partial row below them, the hatch
// below the last whole row (hex area, character column) and right of the character
// column, and the 2-pixel strips in the normal background on both sides of the characters.
struct TBackgroundArea {
  enum Kind : std::uint8_t { RaisedCell, ButtonFace, Hatch, NormalBackground } kind;
  TViewRect rect;
};
std::vector<TBackgroundArea> FullPaintAreas(const TViewGeometry& g, int clientWidth, int clientHeight);

// Heights of the two strips for a font height in device pixels, and the control's optimal
// client size; the margins are 96-DPI pixels grown with the DPI.
int HeaderFontHeight(int fontHeight, int dpi);  // caption strip font: 2 smaller
int HeaderHeight(int fontHeight, int dpi);      // caption strip: font height + 2
int FooterHeight(int fontHeight, int dpi);      // sum strip: font height + 4
int OptimalClientHeight(int frameThickness, const TViewGeometry& g, TViewItems items, int fontHeight);
int OptimalClientWidth(int frameThickness, const TViewGeometry& g);

// Interval of the auto-scroll timer for the keyboard repeat speed setting (0 .. 31).
int AutoScrollInterval(int keyboardSpeed);

}  // namespace ovx
