// The typed input and rotate dialogs of an editor window: integer, string and character input,
// n-bit and n-byte rotate. Each writes at its window's caret through the view.
#pragma once

#include <windows.h>

#include "editor/ToolWindows.h"

namespace ovx {

class TOvnxBinaryFormWClass;

// The dialog of a tool window kind for the window, hidden; null for the kinds made elsewhere.
HWND CreateTypedInputDialog(TOvnxBinaryFormWClass& window, TToolWindowKind kind);

}  // namespace ovx
