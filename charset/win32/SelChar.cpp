#include "charset/win32/SelChar.h"

#include <string>

namespace ovx {

TSelChar::~TSelChar() {
  if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
  if (font_) DeleteObject(font_);
  if (glyphs_) DeleteObject(glyphs_);
}

bool TSelChar::Create(HWND parent, int id, const RECT& bounds, int dpi) {
  dpi_ = dpi > 0 ? dpi : 96;
  hwnd_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_NOTIFY |
                              LBS_NOINTEGRALHEIGHT,
                          bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (!hwnd_) return false;
  font_ = CreateFontW(-Scaled(12), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, L"ＭＳ ゴシック");
  glyphs_ = LoadBitmapW(GetModuleHandleW(nullptr), L"ANKFONTS");
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  SendMessageW(hwnd_, LB_SETITEMHEIGHT, 0, Scaled(kRowHeight));
  for (int code = 0; code < PickerRowCount(set_); ++code) SendMessageW(hwnd_, LB_ADDSTRING, 0, code);
  return true;
}

void TSelChar::SetAsciiCharaSet(TAsciiSet set) {
  if (set == set_) return;
  set_ = set;
  const int rows = PickerRowCount(set);
  SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
  for (int count = static_cast<int>(SendMessageW(hwnd_, LB_GETCOUNT, 0, 0)); count > rows; --count)
    SendMessageW(hwnd_, LB_DELETESTRING, static_cast<WPARAM>(count - 1), 0);
  for (int count = static_cast<int>(SendMessageW(hwnd_, LB_GETCOUNT, 0, 0)); count < rows; ++count)
    SendMessageW(hwnd_, LB_ADDSTRING, 0, count);
  SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

int TSelChar::Selected() const { return static_cast<int>(SendMessageW(hwnd_, LB_GETCURSEL, 0, 0)); }

void TSelChar::DrawItem(const DRAWITEMSTRUCT& item) const {
  if (item.itemID == static_cast<UINT>(-1)) return;
  const int code = static_cast<int>(item.itemID);
  HDC dc = item.hDC;
  const RECT& r = item.rcItem;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  HGDIOBJ oldFont = SelectObject(dc, font_);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  const std::string text = PickerRowText(code);
  const std::wstring wide(text.begin(), text.end());
  TextOutW(dc, r.left + Scaled(kTextLeft), r.top + Scaled(kTextTop), wide.c_str(), static_cast<int>(wide.size()));
  SelectObject(dc, oldFont);
  RECT square = {r.left, r.top, r.left + Scaled(kSquare), r.top + Scaled(kSquare)};
  HBRUSH silver = CreateSolidBrush(RGB(192, 192, 192));
  FillRect(dc, &square, silver);
  DeleteObject(silver);
  const std::optional<TGlyphCell> cell = PickerGlyphCell(set_, code);
  if (!cell || !glyphs_) return;
  // Ink (0 bits) becomes black through the text colour, paper white through the background.
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ oldBitmap = SelectObject(source, glyphs_);
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, RGB(255, 255, 255));
  StretchBlt(dc, r.left + Scaled(kGlyphLeft), r.top, Scaled(kGlyphWidth), Scaled(kGlyphHeight), source, cell->x,
             cell->y, kGlyphWidth, kGlyphHeight, SRCAND);
  SelectObject(source, oldBitmap);
  DeleteDC(source);
}

}  // namespace ovx
