#include "view/win32/ViewWindow.h"

#include "shell/win32/WindowObject.h"

namespace ovx {

TViewWindow::~TViewWindow() {
  if (hwnd_ && IsWindow(hwnd_)) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

bool TViewWindow::CreateWindowOf(const wchar_t* className, DWORD style, DWORD exStyle, HWND parent,
                                 const RECT& rect) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  if (!GetClassInfoExW(instance, className, &wc)) {
    wc = WNDCLASSEXW{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &TViewWindow::Procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = className;
    if (!RegisterClassExW(&wc)) return false;
  }
  hwnd_ = CreateWindowExW(exStyle, className, L"", style, rect.left, rect.top, rect.right - rect.left,
                          rect.bottom - rect.top, parent, nullptr, instance, this);
  return hwnd_ != nullptr;
}

LRESULT TViewWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return Default(message, wParam, lParam);
}

LRESULT CALLBACK TViewWindow::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  TViewWindow* self = WindowObject<TViewWindow>(hwnd, message, lParam);
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCCREATE) self->hwnd_ = hwnd;
  const LRESULT result = self->HandleMessage(message, wParam, lParam);
  if (message == WM_NCDESTROY) self->hwnd_ = nullptr;
  return result;
}

}  // namespace ovx
