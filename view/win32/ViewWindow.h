// A child window owned by a C++ object: the window procedure hands every message to
// the object's HandleMessage. The view, the strips and the control derive from it.
#pragma once

#include <windows.h>

namespace ovx {

class TViewWindow {
 public:
  TViewWindow() = default;
  virtual ~TViewWindow();
  TViewWindow(const TViewWindow&) = delete;
  TViewWindow& operator=(const TViewWindow&) = delete;

  HWND Handle() const { return hwnd_; }

 protected:
  // Registers the class on first use and creates the window. False when refused.
  bool CreateWindowOf(const wchar_t* className, DWORD style, DWORD exStyle, HWND parent, const RECT& rect);
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
  }

  HWND hwnd_ = nullptr;

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace ovx
