#include "editor/win32/InformationPanel.h"

#include <commctrl.h>

#include <algorithm>

#include "charset/StrUty.h"
#include "editor/ToolBarImages.h"
#include "shell/win32/WindowObject.h"
#include "view/win32/Win32ViewClipboard.h"

namespace ovx {
namespace {

constexpr wchar_t kClassName[] = L"TOvnxInformationPanel";
constexpr wchar_t kLabelClassName[] = L"TOvnxInformationValue";

struct TBoxDef {
  const wchar_t* caption;
  const char* hint;
  int column;  // 0 left, 1 right
  int row;
};
constexpr TBoxDef kBoxes[InformationBoxCount] = {
    {L"Address", "アドレスをコピー", 0, 0},
    {L"File Size", "ファイルサイズをコピー", 0, 1},
    {L"Range Size", "範囲指定サイズをコピー", 0, 2},
    {L"Bit", "ビット状態をコピー", 1, 0},
    {L"Byte", "8ビット整数状態をコピー", 1, 1},
    {L"Word", "16ビット整数状態をコピー", 1, 2},
    {L"Double Word", "32ビット整数状態をコピー", 1, 3},
};
// Design positions at 96 DPI.
constexpr int kCaptionX[2] = {8, 264}, kBoxX[2] = {80, 336}, kButtonX[2] = {228, 484};
constexpr int kRowTop = 2, kRowStep = 16, kBoxWidth = 148, kBoxHeight = 16, kLabelWidth = 64;

bool PutClipboardText(HWND owner, const std::string& text) {
  const std::string& bytes = text;  // the panel's texts are plain ASCII
  if (!OpenClipboardPatiently(owner)) return false;
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1);
  bool placed = false;
  if (memory) {
    if (char* p = static_cast<char*>(GlobalLock(memory))) {
      memcpy(p, bytes.c_str(), bytes.size() + 1);
      GlobalUnlock(memory);
      placed = SetClipboardData(CF_TEXT, memory) != nullptr;
    }
    if (!placed) GlobalFree(memory);
  }
  CloseClipboard();
  return placed;
}

}  // namespace

TInformationPanel::~TInformationPanel() {
  if (hwnd_ && IsWindow(hwnd_)) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
  if (tips_ && IsWindow(tips_)) DestroyWindow(tips_);
  if (valueFont_) DeleteObject(valueFont_);
  if (copyIcon_) DestroyIcon(copyIcon_);
  if (white_) DeleteObject(white_);
}

RECT TInformationPanel::BoxRect(int box) const {
  const TBoxDef& d = kBoxes[box];
  const int top = Scaled(kRowTop + d.row * kRowStep);
  return {Scaled(kBoxX[d.column]), top, Scaled(kBoxX[d.column] + kBoxWidth), top + Scaled(kBoxHeight)};
}

TInformationPanel::TBoxParts TInformationPanel::PartsOf(int box) const {
  const TBoxDef& d = kBoxes[box];
  const RECT r = BoxRect(box);
  const int top = r.top + 2, bottom = r.bottom - 2, label = Scaled(kLabelWidth), paren = Scaled(8);
  const int captionTop = Scaled(kRowTop + 2 + d.row * kRowStep);
  TBoxParts p;
  p.caption = {Scaled(kCaptionX[d.column]), captionTop, Scaled(kCaptionX[d.column] + 72), captionTop + Scaled(12)};
  p.hex = {r.left + 2, top, r.left + 2 + label, bottom};
  p.open = {p.hex.right, top, p.hex.right + paren, bottom};
  p.dec = {p.open.right, top, p.open.right + label, bottom};
  p.close = {p.dec.right, top, p.dec.right + paren, bottom};
  return p;
}

bool TInformationPanel::Create(HWND parent, HFONT captionFont, HIMAGELIST images, int dpi) {
  dpi_ = dpi;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  if (!GetClassInfoExW(instance, kClassName, &wc)) {
    wc = WNDCLASSEXW{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &TInformationPanel::Procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    if (!RegisterClassExW(&wc)) return false;
    wc.lpfnWndProc = &TInformationPanel::LabelProcedure;
    wc.hbrBackground = nullptr;
    wc.lpszClassName = kLabelClassName;
    if (!RegisterClassExW(&wc)) return false;
  }
  hwnd_ = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, Scaled(520),
                          Scaled(68), parent, nullptr, instance, this);
  if (!hwnd_) return false;
  white_ = CreateSolidBrush(RGB(255, 255, 255));
  if (images) copyIcon_ = ImageList_GetIcon(images, imCopy, ILD_NORMAL);
  BuildParts(captionFont);
  return true;
}

void TInformationPanel::SetDpi(int dpi, HFONT captionFont) {
  if (!hwnd_) return;
  // The parts are made again at the new sizes; the values they show stay.
  if (tips_) DestroyWindow(tips_);
  tips_ = nullptr;
  while (HWND child = GetWindow(hwnd_, GW_CHILD)) DestroyWindow(child);
  if (valueFont_) DeleteObject(valueFont_);
  valueFont_ = nullptr;
  dpi_ = dpi > 0 ? dpi : 96;
  SetWindowPos(hwnd_, nullptr, 0, 0, Scaled(520), Scaled(68), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  BuildParts(captionFont);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void TInformationPanel::BuildParts(HFONT captionFont) {
  captionFont_ = captionFont;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  valueFont_ = CreateFontW(-Scaled(12), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, L"ＭＳ ゴシック");
  tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, instance, nullptr);
  auto child = [&](const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h, int id,
                   HFONT font) {
    HWND c = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, hwnd_,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (c) SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return c;
  };
  // The panel draws every text itself. Each value also has a label, never shown, that answers
  // WM_GETTEXT with it: other programs read the values by control id.
  auto label = [&](int id, const RECT& r) {
    CreateWindowExW(0, kLabelClassName, L"", WS_CHILD, r.left, r.top, r.right - r.left, r.bottom - r.top, hwnd_,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  };
  for (int box = 0; box < InformationBoxCount; ++box) {
    const TBoxDef& d = kBoxes[box];
    const RECT r = BoxRect(box);
    const TBoxParts parts = PartsOf(box);
    label(HexLabelId(box), parts.hex);
    if (box != ibBit) label(DecLabelId(box), parts.dec);
    HWND button = child(L"BUTTON", L"", BS_PUSHBUTTON | BS_FLAT | BS_ICON, Scaled(kButtonX[d.column]), r.top,
                        Scaled(16), Scaled(16), CopyButtonId(box), captionFont);
    if (button && copyIcon_) SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(copyIcon_));
    if (button && tips_) {
      const std::wstring hint = Utf8ToWide(d.hint);
      TOOLINFOW tool{};
      tool.cbSize = sizeof tool;
      tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
      tool.hwnd = hwnd_;
      tool.uId = reinterpret_cast<UINT_PTR>(button);
      tool.lpszText = const_cast<wchar_t*>(hint.c_str());
      SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
  }
}

bool TInformationPanel::KeepText(int id, const std::string& text) {
  std::string& shown = shown_[static_cast<std::size_t>(id - kFirstControlId)];
  if (shown == text) return false;
  shown = text;
  return true;
}

void TInformationPanel::Show(const TInformationTexts& t) {
  if (!hwnd_) return;
  const TInformationValue* values[InformationBoxCount] = {&t.address, &t.fileSize, &t.range, &t.bit,
                                                          &t.byte,    &t.word,     &t.dword};
  RECT changed{};
  for (int box = 0; box < InformationBoxCount; ++box) {
    bool boxChanged = KeepText(HexLabelId(box), values[box]->hex);
    if (box != ibBit) boxChanged = KeepText(DecLabelId(box), values[box]->dec) || boxChanged;
    if (!boxChanged) continue;
    const RECT r = BoxRect(box);
    UnionRect(&changed, &changed, &r);
  }
  // Drawn at once, as the rows are: under Wine a paint message costs more than the drawing.
  if (IsRectEmpty(&changed) || !IsWindowVisible(hwnd_)) return;
  HDC dc = GetDC(hwnd_);
  Draw(dc, changed);
  ReleaseDC(hwnd_, dc);
}

std::string TInformationPanel::CopyText(int box) const {
  auto text = [&](int id) { return shown_[static_cast<std::size_t>(id - kFirstControlId)]; };
  return InformationCopyText({text(HexLabelId(box)), box == ibBit ? std::string() : text(DecLabelId(box))},
                             box == ibBit);
}

void TInformationPanel::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  Draw(dc, ps.rcPaint);
  EndPaint(hwnd_, &ps);
}

void TInformationPanel::Draw(HDC dc, const RECT& area) {
  const int savedDc = SaveDC(dc);
  IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
  // Everything in the area is drawn afresh: a text drawn twice over itself would thicken.
  FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SelectObject(dc, captionFont_);
  for (int box = 0; box < InformationBoxCount; ++box) {
    RECT r = BoxRect(box);
    FillRect(dc, &r, white_);
    DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT);
    TBoxParts parts = PartsOf(box);
    DrawTextW(dc, kBoxes[box].caption, -1, &parts.caption, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
  }
  SelectObject(dc, valueFont_);
  auto value = [&](int id, RECT r) {
    const std::wstring text = Utf8ToWide(shown_[static_cast<std::size_t>(id - kFirstControlId)]);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX);
  };
  for (int box = 0; box < InformationBoxCount; ++box) {
    TBoxParts parts = PartsOf(box);
    value(HexLabelId(box), parts.hex);
    if (box == ibBit) continue;
    DrawTextW(dc, L"(", 1, &parts.open, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
    value(DecLabelId(box), parts.dec);
    DrawTextW(dc, L")", 1, &parts.close, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  RestoreDC(dc, savedDc);
}

LRESULT TInformationPanel::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_PRINTCLIENT: {
      RECT all{};
      GetClientRect(hwnd_, &all);
      Draw(reinterpret_cast<HDC>(wp), all);
      return 0;
    }
    case WM_COMMAND: {
      const int id = LOWORD(wp);
      if (HIWORD(wp) == BN_CLICKED && id >= kFirstControlId && id < kFirstControlId + 3 * InformationBoxCount &&
          (id - kFirstControlId) % 3 == 2) {
        PutClipboardText(hwnd_, CopyText((id - kFirstControlId) / 3));
        return 0;
      }
      break;
    }
    default:
      break;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

LRESULT CALLBACK TInformationPanel::LabelProcedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != WM_GETTEXT && msg != WM_GETTEXTLENGTH) return DefWindowProcW(hwnd, msg, wp, lp);
  const auto* panel = reinterpret_cast<const TInformationPanel*>(GetWindowLongPtrW(GetParent(hwnd), GWLP_USERDATA));
  const int index = GetDlgCtrlID(hwnd) - kFirstControlId;
  if (!panel || index < 0 || index >= static_cast<int>(panel->shown_.size())) return 0;
  const std::wstring text = Utf8ToWide(panel->shown_[static_cast<std::size_t>(index)]);
  if (msg == WM_GETTEXTLENGTH) return static_cast<LRESULT>(text.size());
  auto* buffer = reinterpret_cast<wchar_t*>(lp);
  if (!buffer || wp == 0) return 0;
  const std::size_t n = std::min<std::size_t>(text.size(), wp - 1);
  text.copy(buffer, n);
  buffer[n] = L'\0';
  return static_cast<LRESULT>(n);
}

LRESULT CALLBACK TInformationPanel::Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  TInformationPanel* self = WindowObject<TInformationPanel>(hwnd, msg, lp);
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCCREATE) self->hwnd_ = hwnd;
  if (msg == WM_NCDESTROY) {
    self->hwnd_ = nullptr;
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  return self->HandleMessage(msg, wp, lp);
}

}  // namespace ovx
