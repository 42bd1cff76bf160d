#include "view/win32/StripView.h"

#include "view/win32/ViewPainter.h"

namespace ovx {

TStripView::~TStripView() {
  if (font_) DeleteObject(font_);
}

bool TStripView::Create(HWND parent, const wchar_t* className) {
  if (!CreateWindowOf(className, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, parent, {0, 0, 0, 0})) return false;
  if (!font_) SetFontHeight(14, 96);
  return true;
}

void TStripView::SetFontHeight(int height, int dpi) {
  dpi_ = dpi;
  HFONT font = CreateViewFont(height, false);
  if (!font) return;
  if (font_) DeleteObject(font_);
  font_ = font;
  Refresh();
}

void TStripView::SetWidths(const std::array<int, kColumnCount>& widths) {
  if (widths == widths_) return;
  widths_ = widths;
  Refresh();
}

void TStripView::SetCaretColumn(int column) {
  if (column == caretColumn_) return;
  caretColumn_ = column;
  RefreshCells();
}

// Drawn at once, as the rows are: under Wine a paint message costs more than the drawing. A
// hidden strip is drawn whole when it is shown.
void TStripView::Refresh() {
  if (!hwnd_ || !IsWindowVisible(hwnd_)) return;
  HDC dc = GetDC(hwnd_);
  Render(dc);
  ReleaseDC(hwnd_, dc);
}

// A caret step changes one or two cells; their frames stay, only the text areas are drawn. A cell
// that appears or goes changes the frames: the strip is drawn whole.
void TStripView::RefreshCells() {
  if (!hwnd_ || !IsWindowVisible(hwnd_)) return;
  std::array<TCellPicture, kColumnCount> now;
  for (int column = 0; column < kColumnCount; ++column) {
    now[static_cast<std::size_t>(column)] = PictureOf(column);
    if (now[static_cast<std::size_t>(column)].shown != drawn_[static_cast<std::size_t>(column)].shown) {
      Refresh();
      return;
    }
  }
  if (now == drawn_) return;
  RECT client{};
  GetClientRect(hwnd_, &client);
  HDC dc = GetDC(hwnd_);
  const HGDIOBJ oldFont = SelectObject(dc, font_);
  for (int column = 0; column < kColumnCount; ++column) {
    const TCellPicture& picture = now[static_cast<std::size_t>(column)];
    if (picture == drawn_[static_cast<std::size_t>(column)]) continue;
    PaintCellText(dc, TextRect(CellRect(column, client)), picture);
    drawn_[static_cast<std::size_t>(column)] = picture;
  }
  SelectObject(dc, oldFont);
  ReleaseDC(hwnd_, dc);
}

TStripView::TCellPicture TStripView::PictureOf(int column) const {
  TCellPicture picture;
  if (widths_[static_cast<std::size_t>(column)] <= 0 || !CellText(column, picture.text)) return {};
  picture.shown = true;
  picture.highlighted = caretColumn_ >= 0 && column == kFirstHexColumn + caretColumn_;
  return picture;
}

void TStripView::PaintCells(HDC dc, const RECT& client) {
  for (int column = 0; column < kColumnCount; ++column) {
    const TCellPicture picture = PictureOf(column);
    if (picture.shown) PaintCell(dc, CellRect(column, client), picture);
    drawn_[static_cast<std::size_t>(column)] = picture;
  }
}

RECT TStripView::CellRect(int column, const RECT& client) const {
  int left = client.left;
  for (int i = 0; i < column; ++i) left += widths_[static_cast<std::size_t>(i)];
  return {left, client.top, left + widths_[static_cast<std::size_t>(column)], client.bottom};
}

RECT TStripView::TextRect(const RECT& cell) const {
  const int gap = DevicePixels(2, dpi_);
  return {cell.left + gap, cell.top + gap, cell.right - gap, cell.bottom - gap};
}

void TStripView::PaintCell(HDC dc, const RECT& cell, const TCellPicture& picture) const {
  DrawRaisedCell(dc, cell);
  PaintCellText(dc, TextRect(cell), picture);
}

void TStripView::PaintCellText(HDC dc, const RECT& inner, const TCellPicture& picture) const {
  if (inner.right <= inner.left || inner.bottom <= inner.top) return;
  SetBkColor(dc, GetSysColor(picture.highlighted ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
  SetTextColor(dc, GetSysColor(picture.highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  DrawCentredText(dc, inner, picture.text.c_str(), static_cast<int>(picture.text.size()), true);
}

void TStripView::Render(HDC dc) {
  RECT client{};
  GetClientRect(hwnd_, &client);
  TBackBuffer buffer(dc, client.right, client.bottom);
  FillSolid(buffer.Dc(), client, GetSysColor(COLOR_BTNFACE));
  const HGDIOBJ old = SelectObject(buffer.Dc(), font_);
  SetBkMode(buffer.Dc(), TRANSPARENT);
  PaintCells(buffer.Dc(), client);
  SelectObject(buffer.Dc(), old);
  buffer.CopyTo(dc);
}

LRESULT TStripView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      Render(dc);
      EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_PRINTCLIENT: Render(reinterpret_cast<HDC>(wParam)); return 0;
    default: return Default(message, wParam, lParam);
  }
}

}  // namespace ovx
