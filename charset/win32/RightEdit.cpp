#include "charset/win32/RightEdit.h"

namespace ovx {

HWND CreateRightEdit(HWND parent, int id, const RECT& bounds, const wchar_t* text, HFONT font) {
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_RIGHT | ES_AUTOHSCROLL;
  HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", text, style, bounds.left, bounds.top, bounds.right - bounds.left,
                              bounds.bottom - bounds.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleW(nullptr), nullptr);
  if (edit) SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return edit;
}

}  // namespace ovx
