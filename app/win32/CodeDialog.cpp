#include "app/win32/CodeDialog.h"

#include "app/DialogPlacement.h"
#include "shell/win32/Win32UserPrompt.h"
#include "shell/win32/WindowDpi.h"

namespace ovx {

TCodeDialog::TCodeDialog(DWORD style, DWORD exStyle, TPixelSize client, std::wstring caption)
    : caption_(std::move(caption)), style_(style), exStyle_(exStyle), client_(client) {}

TCodeDialog::~TCodeDialog() {
  if (hwnd_ && !modal_) DestroyWindow(hwnd_);
  if (font_) DeleteObject(font_);
}

// DLGTEMPLATE with no menu, the default class and an empty title, as 16-bit units; the
// caption and size are set when the window exists.
std::wstring TCodeDialog::TemplateBytes() const {
  DLGTEMPLATE t = {};
  t.style = style_ & ~WS_VISIBLE;
  t.dwExtendedStyle = exStyle_;
  std::wstring bytes(sizeof t / sizeof(wchar_t) + 3, L'\0');
  memcpy(bytes.data(), &t, sizeof t);
  return bytes;
}

INT_PTR TCodeDialog::RunModal(HINSTANCE instance, HWND owner) {
  instance_ = instance;
  modal_ = true;
  TModalScope modal;
  const std::wstring bytes = TemplateBytes();
  return DialogBoxIndirectParamW(instance, reinterpret_cast<const DLGTEMPLATE*>(bytes.data()), owner, DialogProc,
                                 reinterpret_cast<LPARAM>(this));
}

HWND TCodeDialog::CreateModeless(HINSTANCE instance, HWND owner) {
  instance_ = instance;
  modal_ = false;
  const std::wstring bytes = TemplateBytes();
  return CreateDialogIndirectParamW(instance, reinterpret_cast<const DLGTEMPLATE*>(bytes.data()), owner, DialogProc,
                                    reinterpret_cast<LPARAM>(this));
}

int TCodeDialog::Scaled(int pixels) const { return MulDiv(pixels, dpi_, 96); }

HWND TCodeDialog::AddControl(const wchar_t* className, const std::wstring& text, DWORD style, int x, int y, int width,
                             int height, int id, DWORD exStyle) {
  HWND control = CreateWindowExW(exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, Scaled(x), Scaled(y),
                                 Scaled(width), Scaled(height), hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 instance_, nullptr);
  if (control) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  return control;
}

void TCodeDialog::PlaceOver(HWND reference) {
  RECT frame = {};
  GetWindowRect(hwnd_, &frame);
  // The work area of the monitor the reference window is on (the primary one without it).
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(reference ? reference : hwnd_, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& area = monitor.rcWork;
  std::optional<TScreenRect> over;
  if (reference) {
    RECT r = {};
    GetWindowRect(reference, &r);
    over = TScreenRect{r.left, r.top, r.right, r.bottom};
  }
  const TScreenRect placed = PlaceDialog({frame.right - frame.left, frame.bottom - frame.top}, over,
                                         {area.left, area.top, area.right, area.bottom});
  SetWindowPos(hwnd_, nullptr, placed.left, placed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCodeDialog::OnDpiChanged(int dpi, const RECT& suggested) { ApplyNewDpi(hwnd_, dpi, suggested, dpi_, font_); }

void TCodeDialog::End(INT_PTR id) {
  if (modal_)
    EndDialog(hwnd_, id);
  else
    DestroyWindow(hwnd_);
}

INT_PTR CALLBACK TCodeDialog::DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_INITDIALOG) {
    auto* self = reinterpret_cast<TCodeDialog*>(lp);
    SetWindowLongPtrW(hwnd, DWLP_USER, lp);
    self->hwnd_ = hwnd;
  }
  auto* self = reinterpret_cast<TCodeDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (!self) return FALSE;
  const INT_PTR result = self->HandleMessage(msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, DWLP_USER, 0);
    self->hwnd_ = nullptr;
  }
  return result;
}

INT_PTR TCodeDialog::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG: {
      // The owner's DPI (its monitor's), else the screen's.
      if (HWND owner = GetWindow(hwnd_, GW_OWNER)) {
        dpi_ = WindowDpi(owner);
      } else {
        HDC screen = GetDC(nullptr);
        dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
      }
      font_ = CreateUiFont(dpi_);
      SetWindowTextW(hwnd_, caption_.c_str());
      RECT frame = {0, 0, Scaled(client_.width), Scaled(client_.height)};
      AdjustWindowRectEx(&frame, GetWindowLongW(hwnd_, GWL_STYLE), FALSE, GetWindowLongW(hwnd_, GWL_EXSTYLE));
      SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      OnCreate();
      return TRUE;  // the focus goes to the first tab stop
    }
    case WM_COMMAND:
      OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
      return TRUE;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
      return TRUE;
    default: {
      INT_PTR result = FALSE;
      if (OnMessage(msg, wp, lp, result)) return result;
      return FALSE;
    }
  }
}

}  // namespace ovx
