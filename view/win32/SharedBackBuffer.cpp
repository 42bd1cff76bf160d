#include "view/win32/SharedBackBuffer.h"

#include <algorithm>

namespace ovx {

TSharedBackBuffer& TSharedBackBuffer::Instance() {
  static TSharedBackBuffer buffer;
  return buffer;
}

TSharedBackBuffer::~TSharedBackBuffer() {
  if (!dc_) return;
  SelectObject(dc_, old_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

HDC TSharedBackBuffer::Take(const void* user, SIZE size, bool& kept) {
  kept = dc_ && user == user_ && size.cx == userSize_.cx && size.cy == userSize_.cy;
  if (!dc_ || size.cx > capacity_.cx || size.cy > capacity_.cy) {
    // Grows only, so that windows of different sizes do not make it again and again.
    const SIZE capacity{std::max(size.cx, capacity_.cx), std::max(size.cy, capacity_.cy)};
    // Compatible with the screen, whatever kind of DC a paint goes to.
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, capacity.cx, capacity.cy);
    if (!dc_ && bitmap) dc_ = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    if (!bitmap || !dc_) {
      if (bitmap) DeleteObject(bitmap);
      if (!bitmap_) return nullptr;
      // The old, smaller bitmap still serves the part it covers.
      kept = false;
      user_ = user;
      userSize_ = size;
      return dc_;
    }
    HGDIOBJ previous = SelectObject(dc_, bitmap);
    if (bitmap_) DeleteObject(bitmap_);
    else old_ = previous;
    bitmap_ = bitmap;
    capacity_ = capacity;
    kept = false;
  }
  user_ = user;
  userSize_ = size;
  return dc_;
}

void TSharedBackBuffer::Forget(const void* user) {
  if (user_ == user) user_ = nullptr;
}

}  // namespace ovx
