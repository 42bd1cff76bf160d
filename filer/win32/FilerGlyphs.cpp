#include "filer/win32/FilerGlyphs.h"

#include <cstddef>

namespace ovx {

namespace {

struct TGlyph {
  const wchar_t* character;
  COLORREF color;
};

template <std::size_t N>
HIMAGELIST CreateGlyphList(const TGlyph (&glyphs)[N], int dpi) {
  constexpr int kCount = static_cast<int>(N);
  const int size = MulDiv(16, dpi > 0 ? dpi : 96, 96);
  constexpr COLORREF kMask = RGB(255, 0, 255);
  HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, kCount, 0);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HFONT font = CreateFontW(-size, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, FIXED_PITCH | FF_MODERN, L"ＭＳ ゴシック");
  HGDIOBJ oldFont = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  HBRUSH background = CreateSolidBrush(kMask);
  for (int i = 0; i < kCount; ++i) {
    HBITMAP picture = CreateCompatibleBitmap(screen, size, size);
    HGDIOBJ oldPicture = SelectObject(dc, picture);
    RECT r = {0, 0, size, size};
    FillRect(dc, &r, background);
    SetTextColor(dc, glyphs[i].color);
    DrawTextW(dc, glyphs[i].character, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldPicture);
    ImageList_AddMasked(list, picture, kMask);
    DeleteObject(picture);
  }
  DeleteObject(background);
  SelectObject(dc, oldFont);
  DeleteObject(font);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return list;
}

}  // namespace

HIMAGELIST CreateFilerGlyphs(int dpi) {
  static const TGlyph kGlyphs[FilerGlyphCount] = {
      {L"開", RGB(128, 96, 0)}, {L"読", RGB(0, 96, 0)},   {L"反", RGB(0, 0, 160)},
      {L"?", RGB(0, 0, 160)},   {L"×", RGB(160, 0, 0)}, {L"→", RGB(0, 96, 128)},
  };
  return CreateGlyphList(kGlyphs, dpi);
}

HIMAGELIST CreateFilerListIcons(int dpi) {
  static const TGlyph kGlyphs[] = {{L"↑", RGB(0, 96, 0)}, {L"■", RGB(192, 144, 0)}, {L"F", RGB(0, 0, 160)}};
  return CreateGlyphList(kGlyphs, dpi);
}

}  // namespace ovx
