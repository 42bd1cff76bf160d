// The C++ object behind a window: CreateWindowEx passes it as the creation parameter, the
// window keeps it from WM_NCCREATE on and lets go of it at WM_NCDESTROY.
#pragma once

#include <windows.h>

namespace ovx {

// The object of hwnd for this message; null before WM_NCCREATE and after WM_NCDESTROY.
template <typename T>
T* WindowObject(HWND hwnd, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE)
    SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
  auto* self = reinterpret_cast<T*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (message == WM_NCDESTROY) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  return self;
}

}  // namespace ovx
