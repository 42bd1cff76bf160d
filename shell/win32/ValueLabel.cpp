#include "shell/win32/ValueLabel.h"

namespace ovx {
namespace {

constexpr wchar_t kClassName[] = L"TOvnxValueLabel";

void Paint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT client{};
  GetClientRect(hwnd, &client);
  HBRUSH brush = reinterpret_cast<HBRUSH>(
      SendMessageW(GetParent(hwnd), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd)));
  FillRect(dc, &client, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
  wchar_t text[128];
  const int length = GetWindowTextW(hwnd, text, 128);
  const HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(GetWindowLongPtrW(hwnd, 0)));
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const LONG style = GetWindowLongW(hwnd, GWL_STYLE) & SS_TYPEMASK;
  const UINT align = style == SS_RIGHT ? DT_RIGHT : style == SS_CENTER ? DT_CENTER : DT_LEFT;
  DrawTextW(dc, text, length, &client, align | DT_SINGLELINE | DT_NOPREFIX);
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldFont);
  EndPaint(hwnd, &ps);
}

LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcW(hwnd, msg, wp, lp);
      InvalidateRect(hwnd, nullptr, FALSE);
      return result;
    }
    case WM_SETFONT:
      SetWindowLongPtrW(hwnd, 0, static_cast<LONG_PTR>(wp));
      if (LOWORD(lp)) InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_GETFONT: return GetWindowLongPtrW(hwnd, 0);
    case WM_ERASEBKGND: return 1;  // the paint fills the whole label
    case WM_PAINT: Paint(hwnd); return 0;
    case WM_NCHITTEST: return HTTRANSPARENT;  // clicks go to the parent, as on a static control
    default: return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

}  // namespace

const wchar_t* ValueLabelClass() {
  static const bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &Procedure;
    wc.cbWndExtra = sizeof(LONG_PTR);  // the font
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    return RegisterClassExW(&wc) != 0;
  }();
  static_cast<void>(registered);
  return kClassName;
}

}  // namespace ovx
