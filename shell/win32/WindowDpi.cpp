#include "shell/win32/WindowDpi.h"

#include <commctrl.h>

#include <algorithm>

namespace ovx {
namespace {

struct TRescale {
  int from, to;
  HFONT oldFont, newFont;
};

BOOL CALLBACK RescaleChild(HWND child, LPARAM data) {
  const auto& r = *reinterpret_cast<const TRescale*>(data);
  RECT at = {};
  GetWindowRect(child, &at);
  // A drop-down list's height includes its list.
  wchar_t kind[16] = {};
  GetClassNameW(child, kind, 16);
  if (lstrcmpiW(kind, L"ComboBox") == 0) {
    RECT dropped = {};
    SendMessageW(child, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    at.bottom = std::max(at.bottom, dropped.bottom);
  }
  // Places relative to the parent, so the order in which descendants come does not matter.
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&at), 2);
  MoveWindow(child, MulDiv(at.left, r.to, r.from), MulDiv(at.top, r.to, r.from),
             MulDiv(at.right - at.left, r.to, r.from), MulDiv(at.bottom - at.top, r.to, r.from), TRUE);
  if (lstrcmpiW(kind, WC_TABCONTROLW) == 0) SetTabSpacing(child, r.to);
  if (lstrcmpiW(kind, WC_LISTVIEWW) == 0) {
    HWND header = reinterpret_cast<HWND>(SendMessageW(child, LVM_GETHEADER, 0, 0));
    const int columns = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    for (int i = 0; i < columns; ++i) {
      const int width = static_cast<int>(SendMessageW(child, LVM_GETCOLUMNWIDTH, i, 0));
      SendMessageW(child, LVM_SETCOLUMNWIDTH, i, MAKELPARAM(MulDiv(width, r.to, r.from), 0));
    }
  }
  if (reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)) == r.oldFont)
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(r.newFont), TRUE);
  return TRUE;
}

}  // namespace

int WindowDpi(HWND hwnd) {
  using TGetDpiForWindow = UINT(WINAPI*)(HWND);
  static const auto getDpi = reinterpret_cast<TGetDpiForWindow>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  const UINT dpi = getDpi && hwnd ? getDpi(hwnd) : 0;
  return dpi ? static_cast<int>(dpi) : 96;
}

HFONT CreateUiFont(int dpi) {
  return CreateFontW(-MulDiv(12, dpi, 96), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS,
                     L"ＭＳ Ｐゴシック");
}

void SetTabSpacing(HWND tabs, int dpi) {
  SendMessageW(tabs, TCM_SETPADDING, 0, MAKELPARAM(MulDiv(6, dpi, 96), MulDiv(3, dpi, 96)));
  SendMessageW(tabs, TCM_SETMINTABWIDTH, 0, MulDiv(54, dpi, 96));
}

void RescaleChildren(HWND parent, int from, int to, HFONT oldFont, HFONT newFont) {
  if (from <= 0 || to <= 0) from = to = 1;
  TRescale r = {from, to, oldFont, newFont};
  EnumChildWindows(parent, RescaleChild, reinterpret_cast<LPARAM>(&r));
}

void ApplyNewDpi(HWND window, int newDpi, const RECT& suggested, int& dpi, HFONT& font) {
  const int old = dpi;
  dpi = newDpi > 0 ? newDpi : 96;
  HFONT oldFont = font;
  font = CreateUiFont(dpi);
  RescaleChildren(window, old, dpi, oldFont, font);
  if (oldFont) DeleteObject(oldFont);
  SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace ovx
