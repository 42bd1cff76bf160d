#include "view/ViewGeometry.h"

#include <algorithm>

namespace ovx {

int DevicePixels(int pixelsAt96, int dpi) {
  if (dpi <= 0 || dpi == 96) return pixelsAt96;
  const long long scaled = static_cast<long long>(pixelsAt96) * dpi;
  return static_cast<int>(scaled >= 0 ? (scaled + 48) / 96 : -((-scaled + 48) / 96));
}

TViewGeometry ComputeViewGeometry(int cw, int ch, int clientWidth, int clientHeight, TViewItems items,
                                  int scrollBarWidth, int dpi) {
  TViewGeometry g;
  g.dpi = dpi > 0 ? dpi : 96;
  g.cw = std::max(cw, 1);
  g.ch = std::max(ch, 1);
  g.rowHeight = g.ch + g.Px(4);
  g.visibleRows = std::max(clientHeight, 0) / g.rowHeight;
  g.addressWidth = items.Has(bvAddress) ? g.cw * 8 + g.Px(12) : 0;
  g.hexCellWidth = g.cw * 3 + g.Px(4);
  g.rowSumWidth = items.Has(bvHSum) ? g.cw * 3 + g.Px(4) : 0;
  g.charColumnWidth = items.Has(bvAscii) ? g.cw * 17 + g.Px(4) : 0;

  const int columns = g.addressWidth + kBytesPerRow * g.hexCellWidth + g.rowSumWidth + g.charColumnWidth;
  g.totalColumnWidth = columns + std::max(scrollBarWidth, 0);
  // A view wider than its columns gives the surplus to the character column.
  if (items.Has(bvAscii) && clientWidth > columns) g.charColumnWidth += clientWidth - columns;

  g.widths[kAddressColumn] = g.addressWidth;
  for (int i = 0; i < kBytesPerRow; ++i) g.widths[kFirstHexColumn + i] = g.hexCellWidth;
  g.widths[kRowSumColumn] = g.rowSumWidth;
  g.widths[kCharColumn] = g.charColumnWidth;

  const int height = g.visibleRows * g.rowHeight;
  g.addressArea = {0, 0, g.addressWidth, height};
  g.hexArea = {g.HexLeft(), 0, g.HexLeft() + kBytesPerRow * g.hexCellWidth, height};
  if (items.Has(bvAscii)) g.charArea = {g.CharLeft(), 0, g.CharLeft() + kBytesPerRow * g.cw, height};
  return g;
}

TViewHit HitTest(const TViewGeometry& g, int x, int y) {
  TViewHit hit;
  if (g.hexArea.Contains(x, y)) {
    hit.area = TViewHit::Hex;
    hit.column = (x - g.hexArea.left) / g.hexCellWidth;
  } else if (g.charArea.Contains(x, y)) {
    hit.area = TViewHit::Char;
    hit.column = (x - g.charArea.left) / g.cw;
  } else if (g.addressArea.Contains(x, y)) {
    hit.area = TViewHit::Address;
  } else {
    return hit;
  }
  hit.row = y / g.rowHeight;
  return hit;
}

TDragCell DragCell(const TViewGeometry& g, TViewHit::Area area, int x, int y) {
  const TViewRect& r = area == TViewHit::Char ? g.charArea : g.hexArea;
  const int cellWidth = area == TViewHit::Char ? g.cw : g.hexCellWidth;
  TDragCell cell;
  if (y < r.top) {
    cell.row = -1;
  } else if (y >= r.bottom) {
    cell.row = g.visibleRows;
  } else {
    cell.row = (y - r.top) / g.rowHeight;
  }
  if (x < r.left) {
    cell.column = 0;
  } else if (x >= r.right) {
    cell.column = kBytesPerRow - 1;
  } else {
    cell.column = std::min((x - r.left) / cellWidth, kBytesPerRow - 1);
  }
  return cell;
}

TCaretShape CaretShape(const TViewGeometry& g, int caretRow, int caretColumn, bool lowNibble,
                       TInputArea area, int inputMode) {
  TCaretShape s;
  if (area == iaChar) {
    s.x = g.CharLeft() + g.cw * caretColumn;
  } else {
    s.x = g.HexLeft() + g.hexCellWidth * caretColumn + g.Px(2) + (lowNibble ? g.cw : 0);
  }
  s.y = g.TextTop(caretRow);
  s.width = g.cw;
  s.height = g.ch;
  if (inputMode == 1) {
    const int skip = 2 * (g.ch / 3);
    s.y += skip;
    s.height = g.ch - skip;
  } else if (inputMode == 2) {
    s.width = g.cw / 3;
  }
  return s;
}

TCaretMarkerShape CaretMarker(const TViewGeometry& g, int caretRow, int caretColumn, TInputArea area) {
  TCaretMarkerShape m;
  const int rowBottom = g.RowTop(caretRow + 1) - 1;
  const int height = g.visibleRows * g.rowHeight;
  if (area == iaChar) {
    m.rowLineLeft = g.hexArea.left;
    m.rowLineRight = g.hexArea.right;
    m.cell = {g.HexLeft() + g.hexCellWidth * caretColumn, g.RowTop(caretRow),
              g.HexLeft() + g.hexCellWidth * (caretColumn + 1), g.RowTop(caretRow + 1)};
  } else {
    if (g.charColumnWidth == 0) return m;
    m.rowLineLeft = g.CharColumnLeft();
    m.rowLineRight = g.CharColumnLeft() + g.charColumnWidth;
    m.cell = {g.CharLeft() + g.cw * caretColumn, g.RowTop(caretRow), g.CharLeft() + g.cw * (caretColumn + 1),
              g.RowTop(caretRow + 1)};
  }
  m.empty = false;
  m.rowLineY = rowBottom;
  m.columnLineX = m.cell.right - 1;
  m.columnLineTop = 0;
  m.columnLineBottom = height;
  return m;
}

std::vector<TBackgroundArea> FullPaintAreas(const TViewGeometry& g, int clientWidth, int clientHeight) {
  std::vector<TBackgroundArea> areas;
  const int rowsBottom = g.visibleRows * g.rowHeight;
  const int sumLeft = g.RowSumLeft();
  for (int r = 0; r < g.visibleRows; ++r) {
    if (g.addressWidth > 0)
      areas.push_back({TBackgroundArea::RaisedCell, {0, g.RowTop(r), g.addressWidth, g.RowTop(r + 1)}});
    if (g.rowSumWidth > 0)
      areas.push_back({TBackgroundArea::RaisedCell, {sumLeft, g.RowTop(r), sumLeft + g.rowSumWidth, g.RowTop(r + 1)}});
  }
  if (clientHeight > rowsBottom) {
    if (g.addressWidth > 0)
      areas.push_back({TBackgroundArea::ButtonFace, {0, rowsBottom, g.addressWidth, clientHeight}});
    if (g.rowSumWidth > 0)
      areas.push_back({TBackgroundArea::ButtonFace, {sumLeft, rowsBottom, sumLeft + g.rowSumWidth, clientHeight}});
    areas.push_back({TBackgroundArea::Hatch, {g.hexArea.left, rowsBottom, g.hexArea.right, clientHeight}});
  }
  if (g.charColumnWidth > 0) {
    const int left = g.CharColumnLeft();
    const int right = left + g.charColumnWidth;
    if (clientHeight > rowsBottom) areas.push_back({TBackgroundArea::Hatch, {left, rowsBottom, right, clientHeight}});
    if (clientWidth > right) areas.push_back({TBackgroundArea::Hatch, {right, 0, clientWidth, clientHeight}});
    const int cellsRight = g.CharLeft() + 17 * g.cw;
    areas.push_back({TBackgroundArea::NormalBackground, {left, 0, g.CharLeft(), rowsBottom}});
    areas.push_back({TBackgroundArea::NormalBackground, {cellsRight, 0, cellsRight + g.Px(2), rowsBottom}});
  }
  return areas;
}

int HeaderFontHeight(int fontHeight, int dpi) { return fontHeight - DevicePixels(2, dpi); }
int HeaderHeight(int fontHeight, int dpi) { return fontHeight + DevicePixels(2, dpi); }
int FooterHeight(int fontHeight, int dpi) { return fontHeight + DevicePixels(4, dpi); }

int OptimalClientHeight(int frameThickness, const TViewGeometry& g, TViewItems items, int fontHeight) {
  return frameThickness + 16 * g.rowHeight + (items.Has(bvHeader) ? HeaderHeight(fontHeight, g.dpi) : 0) +
         (items.Has(bvVSum) ? FooterHeight(fontHeight, g.dpi) : 0);
}

int OptimalClientWidth(int frameThickness, const TViewGeometry& g) { return frameThickness + g.totalColumnWidth; }

int AutoScrollInterval(int keyboardSpeed) { return 310 - 10 * std::clamp(keyboardSpeed, 0, 31); }

}  // namespace ovx
