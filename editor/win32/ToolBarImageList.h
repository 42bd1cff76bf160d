// The image list ToolBarImages loaded from the program's resources, at the size for a DPI.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace ovx {

// Null when the resource is missing; the caller destroys the list. Above 96 DPI the pictures
// are made larger once here, so the tool bar, menus and panels need not stretch them.
HIMAGELIST LoadToolBarImages(HINSTANCE instance, int dpi);

}  // namespace ovx
