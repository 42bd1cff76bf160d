#include "editor/win32/ToolBarImageList.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "charset/StrUty.h"
#include "editor/ToolBarImages.h"
#include "shell/PictureScale.h"

namespace ovx {
namespace {

BITMAPINFO TopDown32(int width, int height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// The strip's pixels made size / ToolBarImageSize times larger, as a bitmap of its own.
HBITMAP ScaledStrip(HBITMAP strip, int size, std::uint32_t mask) {
  BITMAP shape = {};
  if (!GetObjectW(strip, sizeof shape, &shape) || shape.bmWidth <= 0 || shape.bmHeight <= 0) return nullptr;
  const int width = shape.bmWidth, height = shape.bmHeight;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  BITMAPINFO from = TopDown32(width, height);
  HDC screen = GetDC(nullptr);
  const int rows = GetDIBits(screen, strip, 0, static_cast<UINT>(height), pixels.data(), &from, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (rows != height) return nullptr;
  for (std::uint32_t& p : pixels) p &= 0x00FFFFFF;
  const int toWidth = MulDiv(width, size, ToolBarImageSize), toHeight = MulDiv(height, size, ToolBarImageSize);
  const std::vector<std::uint32_t> scaled = ScaleMaskedPicture(pixels, width, height, toWidth, toHeight, mask);
  if (scaled.empty()) return nullptr;
  BITMAPINFO to = TopDown32(toWidth, toHeight);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &to, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) return bitmap;
  std::memcpy(bits, scaled.data(), scaled.size() * sizeof scaled[0]);
  return bitmap;
}

}  // namespace

HIMAGELIST LoadToolBarImages(HINSTANCE instance, int dpi) {
  const std::wstring name = Utf8ToWide(kToolBarImagesResource);
  const COLORREF mask = RGB(ToolBarImageMaskColor & 0xFF, (ToolBarImageMaskColor >> 8) & 0xFF,
                            (ToolBarImageMaskColor >> 16) & 0xFF);
  const int size = MulDiv(ToolBarImageSize, dpi > 0 ? dpi : 96, 96);
  if (size <= ToolBarImageSize)
    return ImageList_LoadImageW(instance, name.c_str(), ToolBarImageSize, 0, mask, IMAGE_BITMAP, LR_CREATEDIBSECTION);
  auto strip = static_cast<HBITMAP>(LoadImageW(instance, name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!strip) return nullptr;
  // The scaler's pixels are 0x00RRGGBB, a COLORREF is 0x00BBGGRR.
  const std::uint32_t maskPixel = GetRValue(mask) << 16 | GetGValue(mask) << 8 | GetBValue(mask);
  HBITMAP scaled = ScaledStrip(strip, size, maskPixel);
  DeleteObject(strip);
  if (!scaled) return nullptr;
  HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, ToolBarImageCount, 0);
  if (list && ImageList_AddMasked(list, scaled, mask) < 0) {
    ImageList_Destroy(list);
    list = nullptr;
  }
  DeleteObject(scaled);
  return list;
}

}  // namespace ovx
