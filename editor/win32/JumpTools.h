// The two tool windows that move the caret of an editor window by number: the address jump
// dialog and the relative jump tool. Neither changes the document.
#pragma once

#include <windows.h>

namespace ovx {

class TOvnxBinaryFormWClass;

// Control ids of the relative jump tool: the distance, the speed buttons in radix order, the
// direction list.
enum TRelativeJumpControl : int { rjAddress = 501, rjBin, rjDec, rjHex, rjDirection };

// The address jump dialog for the window, hidden; null when the platform refused it.
HWND CreateAddressJumpDialog(TOvnxBinaryFormWClass& window);
// The relative jump tool for the window, hidden; null when the platform refused it.
HWND CreateRelativeJumpTool(TOvnxBinaryFormWClass& window);

}  // namespace ovx
