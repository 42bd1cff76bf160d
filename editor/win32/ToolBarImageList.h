// The image list ToolBarImages loaded from the program's resources.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace ovx {

// Null when the resource is missing; the caller destroys the list.
HIMAGELIST LoadToolBarImages(HINSTANCE instance);

}  // namespace ovx
