// One picture of a view's client area for every view of the process. Views paint one at a time on
// the one window thread, so they can share it; thirty open windows would otherwise hold thirty
// window-sized bitmaps. The buffer remembers which view drew last, so that view can repaint rows
// only and keep the background it drew before.
#pragma once

#include <windows.h>

namespace ovx {

class TSharedBackBuffer {
 public:
  static TSharedBackBuffer& Instance();

  // A DC at least `size` large for `user` to draw into; `kept` tells whether it still holds what
  // `user` drew last at this size. Null when the bitmap cannot be made.
  HDC Take(const void* user, SIZE size, bool& kept);
  // `user` is going away: what it drew is no longer anyone's.
  void Forget(const void* user);

  TSharedBackBuffer(const TSharedBackBuffer&) = delete;
  TSharedBackBuffer& operator=(const TSharedBackBuffer&) = delete;

 private:
  TSharedBackBuffer() = default;
  ~TSharedBackBuffer();

  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  SIZE capacity_{};
  const void* user_ = nullptr;
  SIZE userSize_{};
};

}  // namespace ovx
