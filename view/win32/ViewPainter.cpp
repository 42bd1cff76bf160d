#include "view/win32/ViewPainter.h"

#include <cstring>
#include <string>

#include "charset/StrUty.h"

namespace ovx {
namespace {

constexpr wchar_t kViewFontName[] = L"ＭＳ ゴシック";

std::wstring Wide(const char* ascii) { return std::wstring(ascii, ascii + std::strlen(ascii)); }

void TextAt(HDC dc, int x, int y, const RECT& clip, const std::wstring& text) {
  ExtTextOutW(dc, x, y, ETO_CLIPPED, &clip, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

}  // namespace

HFONT CreateViewFont(int height, bool bold) {
  return CreateFontW(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN,
                     kViewFontName);
}

COLORREF ResolveColor(std::uint32_t color) {
  if ((color & 0xFF000000u) == 0xFF000000u) return GetSysColor(static_cast<int>(color & 0xFF));
  return static_cast<COLORREF>(color & 0x00FFFFFFu);
}

void FillSolid(HDC dc, const RECT& r, COLORREF color) {
  const COLORREF old = SetBkColor(dc, color);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
  SetBkColor(dc, old);
}

void DrawRaisedCell(HDC dc, const RECT& r) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  FillSolid(dc, r, GetSysColor(COLOR_BTNFACE));
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  FillSolid(dc, {r.left, r.top, r.right, r.top + 1}, light);
  FillSolid(dc, {r.left, r.top, r.left + 1, r.bottom}, light);
  FillSolid(dc, {r.left, r.bottom - 1, r.right, r.bottom}, shadow);
  FillSolid(dc, {r.right - 1, r.top, r.right, r.bottom}, shadow);
}

void DrawCentredText(HDC dc, const RECT& r, const wchar_t* text, int length) {
  SIZE extent{};
  GetTextExtentPoint32W(dc, text, length, &extent);
  const int x = r.left + (r.right - r.left - extent.cx) / 2;
  const int y = r.top + (r.bottom - r.top - extent.cy) / 2;
  ExtTextOutW(dc, x, y, ETO_CLIPPED, &r, text, static_cast<UINT>(length), nullptr);
}

TBackBuffer::TBackBuffer(HDC target, int width, int height)
    : width_(width > 0 ? width : 1), height_(height > 0 ? height : 1) {
  dc_ = CreateCompatibleDC(target);
  bitmap_ = CreateCompatibleBitmap(target, width_, height_);
  oldBitmap_ = SelectObject(dc_, bitmap_);
}

TBackBuffer::~TBackBuffer() {
  SelectObject(dc_, oldBitmap_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

void TBackBuffer::CopyTo(HDC target) const { BitBlt(target, 0, 0, width_, height_, dc_, 0, 0, SRCCOPY); }

TViewPainter::TViewPainter() {
  SetColors(TColorSettings{});
  SetFontHeight(14);
}

TViewPainter::~TViewPainter() {
  if (normal_) DeleteObject(normal_);
  if (bold_) DeleteObject(bold_);
}

void TViewPainter::SetFontHeight(int height) {
  HFONT normal = CreateViewFont(height, false);
  HFONT bold = CreateViewFont(height, true);
  if (!normal || !bold) {
    if (normal) DeleteObject(normal);
    if (bold) DeleteObject(bold);
    return;
  }
  if (normal_) DeleteObject(normal_);
  if (bold_) DeleteObject(bold_);
  normal_ = normal;
  bold_ = bold;
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, normal_);
  SIZE w{};
  if (GetTextExtentPoint32W(screen, L"W", 1, &w) && w.cx > 0 && w.cy > 0) {
    cw_ = w.cx;
    ch_ = w.cy;
  }
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
}

void TViewPainter::SetColors(const TColorSettings& colors) {
  colors_ = colors;
  for (std::size_t i = 0; i < ColorRoleCount && i < table_.size(); ++i)
    table_[i] = ResolveColor(colors.*(ColorRoles[i].Member));
}

void TViewPainter::PaintBackground(HDC dc, const TViewGeometry& g, int clientWidth, int clientHeight) const {
  FillSolid(dc, {0, 0, clientWidth, clientHeight}, Color(BackColorIndex(ccNormal)));
  HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, RGB(0, 0, 0));
  for (const TBackgroundArea& a : FullPaintAreas(g, clientWidth, clientHeight)) {
    const RECT r{a.rect.left, a.rect.top, a.rect.right, a.rect.bottom};
    switch (a.kind) {
      case TBackgroundArea::RaisedCell: DrawRaisedCell(dc, r); break;
      case TBackgroundArea::ButtonFace: FillSolid(dc, r, GetSysColor(COLOR_BTNFACE)); break;
      case TBackgroundArea::Hatch: {
        // The hatch lines go over the normal background.
        const COLORREF oldBk = SetBkColor(dc, Color(BackColorIndex(ccNormal)));
        const int oldMode = SetBkMode(dc, OPAQUE);
        FillRect(dc, &r, hatch);
        SetBkMode(dc, oldMode);
        SetBkColor(dc, oldBk);
        break;
      }
      case TBackgroundArea::NormalBackground: FillSolid(dc, r, Color(BackColorIndex(ccNormal))); break;
    }
  }
  DeleteObject(hatch);
}

void TViewPainter::PaintRows(HDC dc, const TViewGeometry& g, const TPaintModel& model,
                             const TCaretMarkerShape& marker) const {
  const HGDIOBJ oldFont = SelectObject(dc, normal_);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const bool charColumn = g.charColumnWidth > 0;
  for (std::size_t r = 0; r < model.rows.size(); ++r) {
    const TPaintRow& row = model.rows[r];
    const int top = g.RowTop(static_cast<int>(r));
    const int bottom = top + g.rowHeight;
    if (g.addressWidth > 0) PaintSideCell(dc, {0, top, g.addressWidth, bottom}, row.addressText, row.caretRow, false);
    for (int j = 0; j < kBytesPerRow; ++j) {
      const int left = g.HexLeft() + j * g.hexCellWidth;
      PaintHexCell(dc, {left, top, left + g.hexCellWidth, bottom}, row.hex[static_cast<std::size_t>(j)]);
    }
    if (g.rowSumWidth > 0)
      PaintSideCell(dc, {g.RowSumLeft(), top, g.RowSumLeft() + g.rowSumWidth, bottom}, row.rowSumText, row.caretRow,
                    true);
    if (charColumn)
      for (int j = 0; j <= kBytesPerRow; ++j)
        PaintCharCell(dc, g, static_cast<int>(r), j, row.chars[static_cast<std::size_t>(j)]);
  }
  if (!marker.empty) PaintMarker(dc, marker);
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldFont);
}

// Address and row sum cells: inset by 2 pixels, highlight colours on the caret's row.
void TViewPainter::PaintSideCell(HDC dc, const RECT& cell, const char* text, bool caretRow, bool centred) const {
  const RECT inset{cell.left + 2, cell.top + 2, cell.right - 2, cell.bottom - 2};
  if (inset.right <= inset.left || inset.bottom <= inset.top) return;
  FillSolid(dc, inset, GetSysColor(caretRow ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
  SetTextColor(dc, GetSysColor(caretRow ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  SelectObject(dc, normal_);
  const std::wstring w = Wide(text);
  if (centred) {
    DrawCentredText(dc, inset, w.c_str(), static_cast<int>(w.size()));
  } else {
    TextAt(dc, inset.left + 4, cell.top + 2, inset, w);
  }
}

// Two digits, each in its own cw-wide part 2 pixels in, then the mark in normal weight.
void TViewPainter::PaintHexCell(HDC dc, const RECT& cell, const THexCell& hex) const {
  const TCellColor color = hex.style.color;
  FillSolid(dc, cell, Color(BackColorIndex(color)));
  SetTextColor(dc, Color(TextColorIndex(color)));
  SelectObject(dc, FontOf(hex.style));
  const int x = cell.left + 2;
  const int y = cell.top + 2;
  const std::size_t length = std::strlen(hex.text);
  if (length == 2) {
    TextAt(dc, x, y, {x, cell.top, x + cw_, cell.bottom}, std::wstring(1, static_cast<wchar_t>(hex.text[0])));
    TextAt(dc, x + cw_, y, {x + cw_, cell.top, x + 2 * cw_, cell.bottom},
           std::wstring(1, static_cast<wchar_t>(hex.text[1])));
  } else {  // "EOF" and "--" as one text
    TextAt(dc, x, y, cell, Wide(hex.text));
  }
  if (hex.mark != ' ' && hex.mark != 0) {
    SelectObject(dc, normal_);
    TextAt(dc, x + 2 * cw_, y, {x + 2 * cw_, cell.top, cell.right, cell.bottom},
           std::wstring(1, static_cast<wchar_t>(hex.mark)));
  }
}

// A double-byte character is drawn once per half, from the lead cell's x, clipped to
// each cell in that cell's own colours.
void TViewPainter::PaintCharCell(HDC dc, const TViewGeometry& g, int row, int column, const TCharCell& c) const {
  const int left = g.CharLeft() + column * g.cw;
  const int top = g.RowTop(row);
  const RECT cell{left, top, left + g.cw, top + g.rowHeight};
  const TCellColor color = c.kind == ckEmpty ? ccNormal : c.style.color;
  FillSolid(dc, cell, Color(BackColorIndex(color)));
  if (c.kind == ckEmpty) return;
  SetTextColor(dc, Color(TextColorIndex(color)));
  SelectObject(dc, FontOf(c.style));
  const int length = c.kind == ckSingle ? 1 : 2;
  const std::wstring text = SJisToWide(std::string(c.text, static_cast<std::size_t>(length)));
  const int x = c.kind == ckTrail ? left - g.cw : left;
  TextAt(dc, x, top + 2, cell, text);
}

void TViewPainter::PaintMarker(HDC dc, const TCaretMarkerShape& m) const {
  HPEN pen = CreatePen(PS_SOLID, 1, Color(kCaretMarkerColorIndex));
  const HGDIOBJ oldPen = SelectObject(dc, pen);
  const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  MoveToEx(dc, m.rowLineLeft, m.rowLineY, nullptr);
  LineTo(dc, m.rowLineRight, m.rowLineY);
  MoveToEx(dc, m.columnLineX, m.columnLineTop, nullptr);
  LineTo(dc, m.columnLineX, m.columnLineBottom);
  Rectangle(dc, m.cell.left, m.cell.top, m.cell.right, m.cell.bottom);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
}

}  // namespace ovx
