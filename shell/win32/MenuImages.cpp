#include "shell/win32/MenuImages.h"

namespace ovx {

TMenuImages::~TMenuImages() {
  for (auto& [index, bitmap] : bitmaps_) DeleteObject(bitmap);
}

HBITMAP TMenuImages::Get(int index) {
  if (!images_ || index < kBlank || index >= ImageList_GetImageCount(images_)) return nullptr;
  auto found = bitmaps_.find(index);
  if (found != bitmaps_.end()) return found->second;
  // The pictures' own size: the list is made larger at a higher DPI.
  int width = 16, height = 16;
  ImageList_GetIconSize(images_, &width, &height);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all = {0, 0, width, height};
  FillRect(dc, &all, GetSysColorBrush(COLOR_MENU));
  if (index != kBlank) ImageList_Draw(images_, index, dc, 0, 0, ILD_TRANSPARENT);
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  bitmaps_[index] = bitmap;
  return bitmap;
}

}  // namespace ovx
