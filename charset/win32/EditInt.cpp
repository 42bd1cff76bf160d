#include "charset/win32/EditInt.h"

#include <algorithm>
#include <string>

namespace ovx {

const wchar_t TEditInt::kClassName[] = L"TEditInt";

namespace {

constexpr int kTextTop = 2;
// The text ends this far from the right edge, the caret one pixel further left.
constexpr int kRightMargin = 6;

bool RegisterOnce() {
  static const bool registered = [] {
    WNDCLASSEXW wc = {sizeof wc};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_IBEAM);
    wc.lpszClassName = TEditInt::kClassName;
    return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }();
  return registered;
}

}  // namespace

TEditInt::~TEditInt() {
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

bool TEditInt::Create(HWND parent, int id, const RECT& bounds) {
  if (!RegisterOnce()) return false;
  hwnd_ = CreateWindowExW(WS_EX_CLIENTEDGE, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, bounds.left,
                          bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (!hwnd_) return false;
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Procedure));
  return true;
}

TEditInt* TEditInt::FromHandle(HWND hwnd) {
  wchar_t name[32] = {};
  GetClassNameW(hwnd, name, 32);
  if (std::wstring(name) != kClassName) return nullptr;
  return reinterpret_cast<TEditInt*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void TEditInt::SetValue(std::uint64_t value) {
  core_.SetValue(value);
  InvalidateRect(hwnd_, nullptr, TRUE);
  PlaceCaret();
}

void TEditInt::SetCardinalNumber(TCardinalNumber radix) {
  core_.SetCardinalNumber(radix);
  InvalidateRect(hwnd_, nullptr, TRUE);
  PlaceCaret();
}

void TEditInt::SetVariableType(TVariableType type) {
  core_.SetVariableType(type);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void TEditInt::SetOverflowColor(COLORREF color) {
  overflow_ = color;
  InvalidateRect(hwnd_, nullptr, TRUE);
}

LRESULT CALLBACK TEditInt::Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<TEditInt*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    self->hwnd_ = nullptr;
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  return self->HandleMessage(msg, wp, lp);
}

std::vector<int> TEditInt::CharacterEdges(HDC dc) const {
  const std::string text = core_.Text();
  std::vector<int> widths;
  int total = 0;
  for (char c : text) {
    SIZE size = {};
    const wchar_t w = static_cast<wchar_t>(c);
    GetTextExtentPoint32W(dc, &w, 1, &size);
    widths.push_back(size.cx);
    total += size.cx;
  }
  RECT client = {};
  GetClientRect(hwnd_, &client);
  std::vector<int> edges;
  int x = client.right - total - kRightMargin;
  for (int w : widths) {
    edges.push_back(x);
    x += w;
  }
  edges.push_back(x);
  return edges;
}

void TEditInt::Paint(HDC dc) {
  RECT client = {};
  GetClientRect(hwnd_, &client);
  const COLORREF background = GetSysColor(IsWindowEnabled(hwnd_) ? COLOR_WINDOW : COLOR_BTNFACE);
  HGDIOBJ oldFont = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
  const std::string text = core_.Text();
  const std::vector<TEditIntCharStyle> styles = core_.Styles();
  const std::vector<int> edges = CharacterEdges(dc);
  HBRUSH brush = CreateSolidBrush(background);
  FillRect(dc, &client, brush);
  DeleteObject(brush);
  TEXTMETRICW metrics = {};
  GetTextMetricsW(dc, &metrics);
  for (size_t i = 0; i < text.size(); ++i) {
    const TEditIntCharStyle& s = styles[i];
    SetBkColor(dc, s.selected ? GetSysColor(COLOR_HIGHLIGHT) : background);
    SetTextColor(dc, s.selected   ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                     : s.overflow ? overflow_
                                  : GetSysColor(COLOR_WINDOWTEXT));
    RECT cell = {edges[i], kTextTop, edges[i + 1], kTextTop + metrics.tmHeight};
    const wchar_t w = static_cast<wchar_t>(text[i]);
    ExtTextOutW(dc, cell.left, cell.top, ETO_OPAQUE, &cell, &w, 1, nullptr);
  }
  SelectObject(dc, oldFont);
}

void TEditInt::PlaceCaret() {
  if (!hasCaret_) return;
  HDC dc = GetDC(hwnd_);
  HGDIOBJ oldFont = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
  const std::vector<int> edges = CharacterEdges(dc);
  SelectObject(dc, oldFont);
  ReleaseDC(hwnd_, dc);
  // The caret stands one pixel left of the character right of it.
  SetCaretPos(edges[core_.CaretTextPosition()] - 1, kTextTop);
}

int TEditInt::GapAt(int x) {
  HDC dc = GetDC(hwnd_);
  HGDIOBJ oldFont = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
  const std::vector<int> edges = CharacterEdges(dc);
  SelectObject(dc, oldFont);
  ReleaseDC(hwnd_, dc);
  int position = -1;
  if (x >= edges.front()) {
    position = static_cast<int>(edges.size()) - 1;
    for (size_t i = 0; i + 1 < edges.size(); ++i)
      if (x < edges[i + 1]) {
        position = static_cast<int>(i);
        break;
      }
  }
  return core_.GapOfCharacter(position);
}

void TEditInt::Changed() {
  InvalidateRect(hwnd_, nullptr, TRUE);
  PlaceCaret();
  if (OnChange) OnChange(*this, core_.Value());
}

void TEditInt::KeyDown(WPARAM key, LPARAM lp) {
  const bool shift = GetKeyState(VK_SHIFT) < 0, control = GetKeyState(VK_CONTROL) < 0;
  TEditIntKey k = eikOther;
  switch (key) {
    case VK_END: k = eikEnd; break;
    case VK_HOME: k = eikHome; break;
    case VK_LEFT: k = eikLeft; break;
    case VK_RIGHT: k = eikRight; break;
    case VK_DELETE: k = eikDelete; break;
    case VK_BACK: k = eikBack; break;
    case 'A':
      if (control) k = eikSelectAll;
      break;
  }
  if (core_.Key(k, shift)) {
    Changed();
    return;
  }
  if (OnOtherKey) {
    MSG m = {hwnd_, WM_KEYDOWN, key, lp};
    OnOtherKey(*this, m);
  }
}

LRESULT TEditInt::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wp);
      if (LOWORD(lp)) InvalidateRect(hwnd_, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
    // The shown text, for screen readers and test drivers.
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(core_.Text().size());
    case WM_GETTEXT: {
      const std::string text = core_.Text();
      auto* buffer = reinterpret_cast<wchar_t*>(lp);
      const size_t n = wp == 0 ? 0 : std::min<size_t>(text.size(), wp - 1);
      for (size_t i = 0; i < n; ++i) buffer[i] = static_cast<wchar_t>(text[i]);
      if (wp) buffer[n] = L'\0';
      return static_cast<LRESULT>(n);
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      Paint(dc);
      EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wp));
      return 0;
    case WM_ENABLE:
      InvalidateRect(hwnd_, nullptr, TRUE);
      return 0;
    case WM_SETFOCUS: {
      HDC dc = GetDC(hwnd_);
      HGDIOBJ oldFont = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
      TEXTMETRICW metrics = {};
      GetTextMetricsW(dc, &metrics);
      SelectObject(dc, oldFont);
      ReleaseDC(hwnd_, dc);
      CreateCaret(hwnd_, nullptr, 1, metrics.tmHeight);
      hasCaret_ = true;
      PlaceCaret();
      ShowCaret(hwnd_);
      if (OnEnter) OnEnter(*this);
      return 0;
    }
    case WM_KILLFOCUS:
      if (hasCaret_) DestroyCaret();
      hasCaret_ = false;
      if (OnExit) OnExit(*this);
      return 0;
    case WM_KEYDOWN:
      KeyDown(wp, lp);
      return 0;
    case WM_CHAR: {
      const wchar_t c = static_cast<wchar_t>(wp);
      // Ctrl+A and Backspace arrive here as characters too, after their keys did their work.
      if (c == 0x01 || c == 0x08) return 0;
      if (core_.Char(c)) Changed();
      else if (OnOtherKeyPress) OnOtherKeyPress(*this, c);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetFocus(hwnd_);
      core_.MouseDown(GapAt(static_cast<short>(LOWORD(lp))), (wp & MK_SHIFT) != 0);
      SetCapture(hwnd_);
      InvalidateRect(hwnd_, nullptr, TRUE);
      PlaceCaret();
      return 0;
    case WM_MOUSEMOVE:
      if (core_.Dragging() && (wp & MK_LBUTTON)) {
        core_.MouseMove(GapAt(static_cast<short>(LOWORD(lp))));
        InvalidateRect(hwnd_, nullptr, TRUE);
        PlaceCaret();
      }
      return 0;
    case WM_LBUTTONUP:
      if (core_.Dragging()) {
        core_.MouseUp();
        ReleaseCapture();
        InvalidateRect(hwnd_, nullptr, TRUE);
      }
      return 0;
    case WM_CAPTURECHANGED:
      if (core_.Dragging()) core_.MouseUp();
      return 0;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace ovx
