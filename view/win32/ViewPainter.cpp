#include "view/win32/ViewPainter.h"

#include <algorithm>
#include <cstring>
#include <vector>
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

void DrawCentredText(HDC dc, const RECT& r, const wchar_t* text, int length, bool opaque) {
  SIZE extent{};
  GetTextExtentPoint32W(dc, text, length, &extent);
  const int x = r.left + (r.right - r.left - extent.cx) / 2;
  const int y = r.top + (r.bottom - r.top - extent.cy) / 2;
  ExtTextOutW(dc, x, y, ETO_CLIPPED | (opaque ? ETO_OPAQUE : 0), &r, text, static_cast<UINT>(length), nullptr);
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
                             const TCaretMarkerShape& marker, const std::vector<bool>* only) const {
  const HGDIOBJ oldFont = SelectObject(dc, normal_);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  for (std::size_t r = 0; r < model.rows.size(); ++r) {
    if (only && !(*only)[r]) continue;
    const TPaintRow& row = model.rows[r];
    const int top = g.RowTop(static_cast<int>(r));
    const int bottom = top + g.rowHeight;
    // The character column's margins, where the last caret marker may have drawn.
    if (g.charColumnWidth > 0)
      FillSolid(dc, {g.CharColumnLeft(), top, g.CharColumnLeft() + g.charColumnWidth, bottom},
                Color(BackColorIndex(ccNormal)));
    if (g.addressWidth > 0)
      PaintSideCell(dc, g, {0, top, g.addressWidth, bottom}, row.addressText, row.caretRow, false);
    PaintHexRow(dc, g, row, top);
    if (g.rowSumWidth > 0)
      PaintSideCell(dc, g, {g.RowSumLeft(), top, g.RowSumLeft() + g.rowSumWidth, bottom}, row.rowSumText,
                    row.caretRow, true);
    if (g.charColumnWidth > 0) PaintCharRow(dc, g, row, top);
  }
  if (!marker.empty) PaintMarker(dc, marker);
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldFont);
}

// Address and row sum cells: inset by 2 pixels, highlight colours on the caret's row.
void TViewPainter::PaintSideCell(HDC dc, const TViewGeometry& g, const RECT& cell, const char* text, bool caretRow,
                                 bool centred) const {
  const int gap = g.Px(2);
  const RECT inset{cell.left + gap, cell.top + gap, cell.right - gap, cell.bottom - gap};
  if (inset.right <= inset.left || inset.bottom <= inset.top) return;
  SetBkColor(dc, GetSysColor(caretRow ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
  SetTextColor(dc, GetSysColor(caretRow ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  SelectObject(dc, normal_);
  const std::wstring w = Wide(text);
  const int textWidth = static_cast<int>(w.size()) * cw_;
  const int x = centred ? inset.left + (inset.right - inset.left - textWidth) / 2 : inset.left + g.Px(4);
  ExtTextOutW(dc, x, cell.top + gap, ETO_OPAQUE | ETO_CLIPPED, &inset, w.c_str(), static_cast<UINT>(w.size()), nullptr);
}

// Each cell: its digits ("EOF", "--") 2 pixels in, one cw apart, the last one taking the
// rest of the cell, so that a run of cells in one style is one call.
void TViewPainter::PaintHexRow(HDC dc, const TViewGeometry& g, const TPaintRow& row, int top) const {
  std::wstring text;
  std::vector<INT> dx;
  int j = 0;
  while (j < kBytesPerRow) {
    const TCellStyle style = row.hex[static_cast<std::size_t>(j)].style;
    text.clear();
    dx.clear();
    int k = j;
    for (; k < kBytesPerRow && row.hex[static_cast<std::size_t>(k)].style == style; ++k) {
      const char* digits = row.hex[static_cast<std::size_t>(k)].text;
      const std::size_t n = std::max<std::size_t>(std::strlen(digits), 1);
      for (std::size_t i = 0; i < n; ++i) {
        text.push_back(digits[0] ? static_cast<wchar_t>(digits[i]) : L' ');
        dx.push_back(cw_);
      }
      dx.back() = g.hexCellWidth - static_cast<int>(n - 1) * cw_;
    }
    const RECT run{g.HexLeft() + j * g.hexCellWidth, top, g.HexLeft() + k * g.hexCellWidth, top + g.rowHeight};
    SetBkColor(dc, Color(BackColorIndex(style.color)));
    SetTextColor(dc, Color(TextColorIndex(style.color)));
    SelectObject(dc, FontOf(style));
    ExtTextOutW(dc, run.left + g.Px(2), top + g.Px(2), ETO_OPAQUE | ETO_CLIPPED, &run, text.c_str(),
                static_cast<UINT>(text.size()), dx.data());
    j = k;
  }
  // Comparison marks, in normal weight after the digits.
  SelectObject(dc, normal_);
  for (int c = 0; c < kBytesPerRow; ++c) {
    const THexCell& hex = row.hex[static_cast<std::size_t>(c)];
    if (hex.mark == ' ' || hex.mark == 0) continue;
    const int x = g.HexLeft() + c * g.hexCellWidth + g.Px(2) + 2 * cw_;
    SetTextColor(dc, Color(TextColorIndex(hex.style.color)));
    TextAt(dc, x, top + g.Px(2), {x, top, x + cw_ + g.Px(2), top + g.rowHeight}, std::wstring(1, static_cast<wchar_t>(hex.mark)));
  }
}

namespace {

// The characters of one cell's Shift-JIS code; the common single bytes without a conversion call.
void AppendCellText(const TCharCell& c, std::wstring& out) {
  const auto b = static_cast<std::uint8_t>(c.text[0]);
  if (c.kind == ckSingle && b >= 0x20 && b < 0x7F) {
    out.push_back(static_cast<wchar_t>(b));
  } else if (c.kind == ckSingle && b >= 0xA1 && b <= 0xDF) {
    out.push_back(static_cast<wchar_t>(0xFF61 + (b - 0xA1)));  // half-width katakana
  } else {
    out += SJisToWide(std::string(c.text, c.kind == ckSingle ? 1 : 2));
  }
}

}  // namespace

// Backgrounds first, cell by cell in runs of one colour; then the characters in runs of one
// style. A double-byte character whose halves differ in style is drawn twice, from the
// lead cell's x, clipped to each half in that half's colours.
void TViewPainter::PaintCharRow(HDC dc, const TViewGeometry& g, const TPaintRow& row, int top) const {
  constexpr int kCells = kBytesPerRow + 1;
  auto cellLeft = [&](int j) { return g.CharLeft() + j * g.cw; };
  auto colorOf = [&](int j) {
    const TCharCell& c = row.chars[static_cast<std::size_t>(j)];
    return c.kind == ckEmpty ? ccNormal : c.style.color;
  };
  const int bottom = top + g.rowHeight;
  for (int j = 0; j < kCells;) {
    int k = j + 1;
    while (k < kCells && colorOf(k) == colorOf(j)) ++k;
    FillSolid(dc, {cellLeft(j), top, cellLeft(k), bottom}, Color(BackColorIndex(colorOf(j))));
    j = k;
  }

  std::wstring text;
  std::vector<INT> dx;
  int runStart = 0;
  TCellStyle runStyle;
  auto flush = [&](int end) {
    if (!text.empty()) {
      SetTextColor(dc, Color(TextColorIndex(runStyle.color)));
      SelectObject(dc, FontOf(runStyle));
      const RECT clip{cellLeft(runStart), top, cellLeft(end), bottom};
      ExtTextOutW(dc, clip.left, top + g.Px(2), ETO_CLIPPED, &clip, text.c_str(), static_cast<UINT>(text.size()), dx.data());
    }
    text.clear();
    dx.clear();
  };
  auto add = [&](int j, const TCharCell& c, int cells) {
    if (text.empty() || !(c.style == runStyle)) {
      flush(j);
      runStart = j;
      runStyle = c.style;
    }
    const std::size_t before = text.size();
    AppendCellText(c, text);
    if (text.size() == before) text.push_back(L' ');
    for (std::size_t i = before; i < text.size(); ++i) dx.push_back(i == before ? cells * g.cw : 0);
  };
  for (int j = 0; j < kCells; ++j) {
    const TCharCell& c = row.chars[static_cast<std::size_t>(j)];
    if (c.kind == ckTrail) continue;  // drawn with its lead
    if (c.kind == ckEmpty) {
      flush(j);
      continue;
    }
    const bool pair = c.kind == ckLead && j + 1 < kCells;
    const TCharCell* trail = pair ? &row.chars[static_cast<std::size_t>(j + 1)] : nullptr;
    if (!pair || trail->style == c.style) {
      add(j, c, pair ? 2 : 1);
      continue;
    }
    flush(j);
    const std::wstring glyph = SJisToWide(std::string(c.text, 2));
    for (const TCharCell* half : {&c, trail}) {
      const int left = half == &c ? cellLeft(j) : cellLeft(j + 1);
      SetTextColor(dc, Color(TextColorIndex(half->style.color)));
      SelectObject(dc, FontOf(half->style));
      TextAt(dc, cellLeft(j), top + g.Px(2), {left, top, left + g.cw, bottom}, glyph);
    }
  }
  flush(kCells);
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
