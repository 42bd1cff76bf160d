// TRightEdit: a single-line edit whose text is right-aligned; TEditEx is the same control, the
// kind dialogs use for numeric fields.
#pragma once

#include <windows.h>

namespace ovx {

HWND CreateRightEdit(HWND parent, int id, const RECT& bounds, const wchar_t* text, HFONT font);
inline HWND CreateEditEx(HWND parent, int id, const RECT& bounds, const wchar_t* text, HFONT font) {
  return CreateRightEdit(parent, id, bounds, text, font);
}

}  // namespace ovx
