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
  Refresh();
}

void TStripView::Refresh() {
  if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
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

void TStripView::PaintCell(HDC dc, const RECT& cell, const wchar_t* text, int length, bool highlighted) const {
  DrawRaisedCell(dc, cell);
  const RECT inner = TextRect(cell);
  if (inner.right <= inner.left || inner.bottom <= inner.top) return;
  if (highlighted) FillSolid(dc, inner, GetSysColor(COLOR_HIGHLIGHT));
  SetTextColor(dc, GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  DrawCentredText(dc, inner, text, length);
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
