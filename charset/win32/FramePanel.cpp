#include "charset/win32/FramePanel.h"

namespace ovx {

namespace {

const wchar_t kFrameClassName[] = L"TOvnxInputFrame";

bool RegisterFrameClass() {
  static const bool registered = [] {
    WNDCLASSEXW wc = {sizeof wc};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kFrameClassName;
    return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }();
  return registered;
}

}  // namespace

TFramePanel::~TFramePanel() {
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

bool TFramePanel::CreatePanel(HWND parent, int x, int y, HFONT font, int dpi) {
  if (!RegisterFrameClass()) return false;
  font_ = font;
  dpi_ = dpi > 0 ? dpi : 96;
  const SIZE size = DesignSize();
  const RECT r = Bounds(x, y, size.cx, size.cy);
  hwnd_ = CreateWindowExW(WS_EX_CONTROLPARENT, kFrameClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, r.left,
                          r.top, r.right - r.left, r.bottom - r.top, parent, nullptr, GetModuleHandleW(nullptr),
                          nullptr);
  if (!hwnd_) return false;
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Procedure));
  return true;
}

LRESULT CALLBACK TFramePanel::Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<TFramePanel*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self && msg == WM_NCDESTROY) self->hwnd_ = nullptr;
  if (self && msg == WM_COMMAND) {
    self->Command(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
    return 0;
  }
  if (self && msg == WM_NOTIFY) {
    self->Notify(*reinterpret_cast<const NMHDR*>(lp));
    return 0;
  }
  if (self && msg == WM_DRAWITEM) {
    self->DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
    return TRUE;
  }
  // A multi-line edit hands Esc to its parent as WM_CLOSE and Tab as WM_NEXTDLGCTL: both belong to
  // the dialog the frame stands in, never to the frame, which is no window to close.
  if (msg == WM_CLOSE) {
    SendMessageW(GetAncestor(hwnd, GA_ROOT), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return 0;
  }
  if (msg == WM_NEXTDLGCTL) return SendMessageW(GetAncestor(hwnd, GA_ROOT), msg, wp, lp);
  // Labels and buttons take the dialog's face colour.
  if (msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLORBTN)
    return SendMessageW(GetParent(hwnd), msg, wp, lp);
  return DefWindowProcW(hwnd, msg, wp, lp);
}

RECT TFramePanel::Bounds(int x, int y, int width, int height) const {
  return {Scaled(x), Scaled(y), Scaled(x + width), Scaled(y + height)};
}

HWND TFramePanel::AddControl(const wchar_t* className, const wchar_t* text, DWORD style, DWORD exStyle, int id, int x,
                             int y, int width, int height) {
  const RECT r = Bounds(x, y, width, height);
  HWND control = CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                                 r.right - r.left, r.bottom - r.top, hwnd_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (control) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  return control;
}

HWND TFramePanel::AddLabel(const wchar_t* text, int x, int y, int width, int height) {
  return AddControl(L"STATIC", text, SS_LEFT, 0, 0, x, y, width, height);
}

HWND TFramePanel::AddList(int id, std::initializer_list<const wchar_t*> entries, int x, int y, int width) {
  // The height includes the dropped-down list.
  HWND list = AddControl(L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL, 0, id, x, y, width, 200);
  for (const wchar_t* entry : entries) SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
  SendMessageW(list, CB_SETCURSEL, 0, 0);
  return list;
}

HWND TFramePanel::AddButton(int id, const wchar_t* text, int x, int y, int width, int height) {
  return AddControl(L"BUTTON", text, BS_PUSHBUTTON | WS_TABSTOP, 0, id, x, y, width, height);
}

int SelectedRow(HWND list) { return static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0)); }

void SelectRow(HWND list, int row) { SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(row), 0); }

}  // namespace ovx
