#include "filer/win32/FilerPages.h"

#include <algorithm>
#include <string>

#include "charset/StrUty.h"

namespace ovx {
namespace {

constexpr wchar_t kScrollBoxClass[] = L"TFilerScrollBox";
constexpr wchar_t kPanelClass[] = L"TFilerPagePanel";

// The controls' notifications and colour questions go to the tool window.
bool ForwardToTool(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  switch (msg) {
    case WM_COMMAND: case WM_NOTIFY: case WM_CTLCOLORSTATIC: case WM_CTLCOLOREDIT: case WM_CTLCOLORBTN:
      result = SendMessageW(GetAncestor(hwnd, GA_ROOT), msg, wp, lp);
      return true;
    default:
      return false;
  }
}

LRESULT CALLBACK PanelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT result = 0;
  if (ForwardToTool(hwnd, msg, wp, lp, result)) return result;
  return DefWindowProcW(hwnd, msg, wp, lp);
}

SIZE PanelSize(HWND scrollBox) {
  HWND panel = GetWindow(scrollBox, GW_CHILD);
  RECT r = {};
  if (panel) GetWindowRect(panel, &r);
  return {r.right - r.left, r.bottom - r.top};
}

// Scroll range = the panel's size; the page = the visible part.
void UpdateScrollBars(HWND box) {
  SIZE panel = PanelSize(box);
  RECT client = {};
  GetClientRect(box, &client);
  SCROLLINFO si = {};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE;
  si.nMax = panel.cx - 1;
  si.nPage = static_cast<UINT>(client.right);
  SetScrollInfo(box, SB_HORZ, &si, TRUE);
  si.nMax = panel.cy - 1;
  si.nPage = static_cast<UINT>(client.bottom);
  SetScrollInfo(box, SB_VERT, &si, TRUE);
}

void MovePanelToScroll(HWND box) {
  HWND panel = GetWindow(box, GW_CHILD);
  if (panel)
    SetWindowPos(panel, nullptr, -GetScrollPos(box, SB_HORZ), -GetScrollPos(box, SB_VERT), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Scroll(HWND box, int bar, int code, int lines = 1) {
  SCROLLINFO si = {};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  GetScrollInfo(box, bar, &si);
  int pos = si.nPos;
  switch (code) {
    case SB_LINEUP: pos -= 16 * lines; break;
    case SB_LINEDOWN: pos += 16 * lines; break;
    case SB_PAGEUP: pos -= static_cast<int>(si.nPage); break;
    case SB_PAGEDOWN: pos += static_cast<int>(si.nPage); break;
    case SB_THUMBTRACK: case SB_THUMBPOSITION: pos = si.nTrackPos; break;
    case SB_TOP: pos = si.nMin; break;
    case SB_BOTTOM: pos = si.nMax; break;
    default: break;
  }
  SetScrollPos(box, bar, pos, TRUE);
  MovePanelToScroll(box);
}

LRESULT CALLBACK ScrollBoxProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT result = 0;
  if (ForwardToTool(hwnd, msg, wp, lp, result)) return result;
  switch (msg) {
    case WM_SIZE:
      UpdateScrollBars(hwnd);
      MovePanelToScroll(hwnd);
      return 0;
    case WM_VSCROLL:
      Scroll(hwnd, SB_VERT, LOWORD(wp));
      return 0;
    case WM_HSCROLL:
      Scroll(hwnd, SB_HORZ, LOWORD(wp));
      return 0;
    case WM_MOUSEWHEEL:
      Scroll(hwnd, SB_VERT, GET_WHEEL_DELTA_WPARAM(wp) > 0 ? SB_LINEUP : SB_LINEDOWN, 3);
      return 0;
    default:
      return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

// Tab and Shift+Tab move between the fields of a page, as in a dialog.
LRESULT CALLBACK FieldKeys(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
  if (msg == WM_CHAR && wp == L'\t') return 0;
  if (msg == WM_KEYDOWN && wp == VK_TAB) {
    const bool back = GetKeyState(VK_SHIFT) < 0;
    if (HWND next = GetNextDlgTabItem(GetParent(hwnd), hwnd, back)) SetFocus(next);
    return 0;
  }
  if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, FieldKeys, 0);
  return DefSubclassProc(hwnd, msg, wp, lp);
}

HWND Child(HWND parent, DWORD exStyle, const wchar_t* cls, const std::wstring& text, DWORD style,
           const TFilerRect& r, int id, HFONT font) {
  HWND w = CreateWindowExW(exStyle, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.width,
                           r.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
  if (w) SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (w && (style & WS_TABSTOP)) SetWindowSubclass(w, FieldKeys, 0, 0);
  return w;
}

void AddHint(HWND tooltip, HWND control, const std::string& hint) {
  if (!tooltip || !control || hint.empty()) return;
  std::wstring text = Utf8ToWide(hint);
  TTTOOLINFOW info = {};
  info.cbSize = sizeof info;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = GetParent(control);
  info.uId = reinterpret_cast<UINT_PTR>(control);
  info.lpszText = text.data();
  SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace

bool TFilerPages::RegisterClasses(HINSTANCE instance) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpfnWndProc = ScrollBoxProc;
  wc.lpszClassName = kScrollBoxClass;
  bool ok = RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  wc.lpfnWndProc = PanelProc;
  wc.lpszClassName = kPanelClass;
  return (RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS) && ok;
}

const wchar_t* TFilerPages::PanelClass() { return kPanelClass; }

std::optional<TFilerControlId> TFilerPages::OfControlId(int id) {
  if (id < kFirstId) return std::nullopt;
  return TFilerControlId{(id - kFirstId) / FilerControlRoles, static_cast<TFilerControlRole>((id - kFirstId) % FilerControlRoles)};
}

void TFilerPages::Build(HWND host, const TFilerLayout& layout, HFONT font, HICON jumpIcon, HWND tooltip, int dpi) {
  auto scaled = [dpi](int pixels) { return MulDiv(pixels, dpi, 96); };
  Clear();
  HINSTANCE instance = GetModuleHandleW(nullptr);
  RECT hostRect = {};
  GetClientRect(host, &hostRect);
  fields_.assign(layout.fields.size(), TFieldWindows{});
  for (const TFilerPage& page : layout.pages) {
    TPageWindows windows;
    windows.scrollBox = CreateWindowExW(0, kScrollBoxClass, L"", WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL,
                                        0, 0, hostRect.right, hostRect.bottom, host, nullptr, instance, nullptr);
    windows.panel = CreateWindowExW(0, kPanelClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                    scaled(page.width), scaled(page.height), windows.scrollBox, nullptr, instance,
                                    nullptr);
    for (TFilerControl c : page.controls) {
      c.rect = {scaled(c.rect.left), scaled(c.rect.top), scaled(c.rect.width), scaled(c.rect.height)};
      const std::wstring text = Utf8ToWide(c.text);
      HWND panel = windows.panel;
      switch (c.kind) {
        case fcLabel: case fcFieldLabel:
          Child(panel, 0, L"STATIC", text, SS_LEFT | SS_NOPREFIX, c.rect, 0, font);
          break;
        case fcRule:
          Child(panel, 0, L"STATIC", L"", SS_ETCHEDHORZ, c.rect, 0, font);
          break;
        case fcMessage:
          Child(panel, WS_EX_CLIENTEDGE, L"EDIT", text, ES_MULTILINE | ES_READONLY | WS_VSCROLL, c.rect, 0, font);
          break;
        case fcInteger: {
          TFieldWindows& f = fields_[c.field];
          f.editor = Child(panel, WS_EX_CLIENTEDGE, L"EDIT", L"0", ES_RIGHT | ES_AUTOHSCROLL | WS_TABSTOP,
                           c.rect, ControlId(c.field, frEditor), font);
          f.spin = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_ARROWKEYS, 0, 0,
                                   0, 0, panel, reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(c.field, frSpin))),
                                   instance, nullptr);
          // The spin's own position stays put; each turn is applied to the text (Spin).
          SendMessageW(f.spin, UDM_SETRANGE32, 0, 100);
          SendMessageW(f.spin, UDM_SETPOS32, 0, 50);
          SendMessageW(f.spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(f.editor), 0);
          AddHint(tooltip, f.editor, c.hint);
          break;
        }
        case fcSelect: {
          TFilerField const& field = layout.fields[c.field];
          TFilerRect dropped = c.rect;
          dropped.height = scaled(240);
          HWND w = Child(panel, 0, L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, dropped,
                         ControlId(c.field, frEditor), font);
          for (const TFilerSelectItem& item : field.items)
            SendMessageW(w, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf8ToWide(item.text).c_str()));
          SendMessageW(w, CB_SETCURSEL, 0, 0);
          fields_[c.field].editor = w;
          AddHint(tooltip, w, c.hint);
          break;
        }
        case fcString: {
          HWND w = Child(panel, WS_EX_CLIENTEDGE, L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP, c.rect,
                         ControlId(c.field, frEditor), font);
          SendMessageW(w, EM_LIMITTEXT, static_cast<WPARAM>(layout.fields[c.field].width), 0);
          fields_[c.field].editor = w;
          AddHint(tooltip, w, c.hint);
          break;
        }
        case fcBit: {
          HWND w = Child(panel, 0, L"BUTTON", text, BS_AUTOCHECKBOX | WS_TABSTOP, c.rect, ControlId(c.field, frEditor),
                         font);
          fields_[c.field].editor = w;
          AddHint(tooltip, w, c.hint);
          break;
        }
        case fcJump: {
          HWND w = Child(panel, 0, L"BUTTON", L"", BS_ICON | BS_FLAT, c.rect, ControlId(c.field, frJump), font);
          SendMessageW(w, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(jumpIcon));
          fields_[c.field].jump = w;
          AddHint(tooltip, w, "データのアドレスへジャンプ");
          break;
        }
      }
    }
    // The scroll range follows the panel, which came after the box's first size.
    SendMessageW(windows.scrollBox, WM_SIZE, 0, 0);
    pages_.push_back(windows);
  }
}

void TFilerPages::Clear() {
  for (const TPageWindows& page : pages_) DestroyWindow(page.scrollBox);
  pages_.clear();
  fields_.clear();
}

void TFilerPages::Show(int page) {
  for (int i = 0; i < Count(); ++i) ShowWindow(pages_[i].scrollBox, i == page ? SW_SHOW : SW_HIDE);
}

void TFilerPages::Resize(int width, int height) {
  for (const TPageWindows& page : pages_)
    SetWindowPos(page.scrollBox, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFilerPages::Fill(const TFilerLayout& layout, const std::vector<TFilerFieldValue>& values) {
  for (std::size_t i = 0; i < fields_.size() && i < values.size(); ++i) {
    const TFilerField& field = layout.fields[i];
    const TFilerFieldValue& v = values[i];
    const TFieldWindows& w = fields_[i];
    switch (field.kind) {
      case fcInteger: SetWindowTextW(w.editor, std::to_wstring(v.integer).c_str()); break;
      case fcSelect: SendMessageW(w.editor, CB_SETCURSEL, static_cast<WPARAM>(v.selected), 0); break;
      case fcString: SetWindowTextW(w.editor, Utf8ToWide(v.text).c_str()); break;
      default: SendMessageW(w.editor, BM_SETCHECK, v.checked ? BST_CHECKED : BST_UNCHECKED, 0); break;
    }
    EnableWindow(w.editor, v.enabled);
    if (w.spin) EnableWindow(w.spin, v.enabled);
    EnableWindow(w.jump, v.jumpEnabled);
  }
}

static std::wstring WindowText(HWND w) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(w)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(w, text.data(), static_cast<int>(text.size()))));
  return text;
}

int TFilerPages::Collect(const TFilerLayout& layout, std::vector<TFilerFieldValue>& values, std::string& problem) const {
  int refused = -1;
  for (std::size_t i = 0; i < fields_.size() && i < values.size(); ++i) {
    const TFilerField& field = layout.fields[i];
    TFilerFieldValue& v = values[i];
    if (!v.changed) continue;
    HWND editor = fields_[i].editor;
    std::string message;
    switch (field.kind) {
      case fcInteger: message = FilerIntegerOfText(WideToUtf8(WindowText(editor)), field, v.integer); break;
      case fcSelect: v.selected = static_cast<int>(SendMessageW(editor, CB_GETCURSEL, 0, 0)); break;
      case fcString: {
        std::string text = WideToUtf8(WindowText(editor));
        message = FilerStringProblem(text, field);
        if (message.empty()) v.text = std::move(text);
        break;
      }
      default: v.checked = SendMessageW(editor, BM_GETCHECK, 0, 0) == BST_CHECKED; break;
    }
    if (!message.empty() && refused < 0) {
      refused = static_cast<int>(i);
      problem = std::move(message);
    }
  }
  return refused;
}

void TFilerPages::Spin(const TFilerField& field, int index, int delta) {
  if (index < 0 || index >= static_cast<int>(fields_.size())) return;
  HWND editor = fields_[index].editor;
  std::int32_t now = 0;
  if (!FilerIntegerOfText(WideToUtf8(WindowText(editor)), field, now).empty()) return;
  const std::int32_t next = ClampSpinValue(
      static_cast<std::int32_t>(std::clamp<std::int64_t>(std::int64_t{now} + delta, INT32_MIN, INT32_MAX)), field.minimum,
      field.maximum);
  std::int32_t shown = next;
  // A turn never leaves the values the field's width holds.
  if (!FilerIntegerOfText(std::to_string(next), field, shown).empty()) return;
  const std::wstring text = std::to_wstring(next);
  if (text != WindowText(editor)) SetWindowTextW(editor, text.c_str());
}

int TFilerPages::PageOfField(int field) const {
  if (field < 0 || field >= static_cast<int>(fields_.size())) return -1;
  for (int i = 0; i < Count(); ++i)
    if (IsChild(pages_[i].panel, fields_[field].editor)) return i;
  return -1;
}

void TFilerPages::FocusField(int field) const {
  if (field >= 0 && field < static_cast<int>(fields_.size())) SetFocus(fields_[field].editor);
}

}  // namespace ovx
