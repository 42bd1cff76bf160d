// TSelChar: the owner-drawn list of single-byte codes: each row shows the code in hexadecimal and
// decimal, the ASCII name, and the code's glyph from the "AnkFonts" bitmap on a silver square.
// The row index is the code. The parent passes WM_DRAWITEM of the list to DrawItem.
#pragma once

#include <windows.h>

#include "charset/SelCharCore.h"

namespace ovx {

class TSelChar {
 public:
  static constexpr int kRowHeight = 16;
  static constexpr int kSquare = 16, kGlyphLeft = 4, kTextLeft = 24, kTextTop = 2;

  TSelChar() = default;
  ~TSelChar();
  TSelChar(const TSelChar&) = delete;
  TSelChar& operator=(const TSelChar&) = delete;

  // A list box child with 128 rows of ASCII; false when the platform refused it.
  bool Create(HWND parent, int id, const RECT& bounds, int dpi);
  HWND Handle() const { return hwnd_; }

  TAsciiSet AsciiCharaSet() const { return set_; }
  // 128 or 256 rows, added or removed at the end: a selected row below 128 stays selected.
  void SetAsciiCharaSet(TAsciiSet set);
  // The selected code, or -1.
  int Selected() const;
  void DrawItem(const DRAWITEMSTRUCT& item) const;

 private:
  int Scaled(int pixels) const { return MulDiv(pixels, dpi_, 96); }

  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;
  HBITMAP glyphs_ = nullptr;
  TAsciiSet set_ = asASCII;
  int dpi_ = 96;
};

}  // namespace ovx
