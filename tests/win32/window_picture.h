// Pictures of a window's client area, for tests that compare what a window shows on screen with
// what a whole paint of it draws.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

namespace ovx {

// A 32-bit picture of one window's client area, painted through WM_PRINTCLIENT, or copied
// from what the window last drew.
class TWindowPicture {
 public:
  enum TSource { kPrinted, kFromWindow };
  explicit TWindowPicture(HWND window, TSource source = kPrinted) {
    RECT r{};
    GetClientRect(window, &r);
    width_ = r.right;
    height_ = r.bottom;
    dc_ = CreateCompatibleDC(nullptr);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width_;
    bi.bmiHeader.biHeight = -height_;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    if (source == kPrinted) {
      SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT);
      return;
    }
    HDC windowDc = GetDC(window);
    BitBlt(dc_, 0, 0, width_, height_, windowDc, 0, 0, SRCCOPY);
    ReleaseDC(window, windowDc);
  }
  ~TWindowPicture() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  COLORREF Pixel(int x, int y) const { return GetPixel(dc_, x, y); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  HDC Dc() const { return dc_; }

 private:
  int width_ = 0, height_ = 0;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

// The pixels of the window on screen that differ from a whole paint of it, outside its visible
// child windows (a paint into another surface draws the window alone).
inline int PixelsUnlikeAWholePaint(HWND window) {
  std::vector<RECT> children;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    children.push_back(r);
  }
  const TWindowPicture shown(window, TWindowPicture::kFromWindow), whole(window);
  int differing = 0;
  for (int y = 0; y < whole.Height(); ++y)
    for (int x = 0; x < whole.Width(); ++x) {
      const POINT p{x, y};
      const bool covered = std::any_of(children.begin(), children.end(), [&](const RECT& r) { return PtInRect(&r, p); });
      if (!covered) differing += shown.Pixel(x, y) != whole.Pixel(x, y);
    }
  return differing;
}

}  // namespace ovx
