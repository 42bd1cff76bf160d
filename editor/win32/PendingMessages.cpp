#include "editor/win32/PendingMessages.h"

#include "editor/win32/ToolDialog.h"
#include "shell/win32/InputTraceFile.h"
#include "shell/win32/WaitScope.h"

namespace ovx {

namespace {

bool IsFrameMouse(UINT message) { return message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK; }

}  // namespace

bool RunPendingMessages(HWND window, bool frameMouse) {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    if (IsInputFor(msg, window) && !(frameMouse && IsFrameMouse(msg.message))) continue;
    if (IsToolDialogMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageTraced(msg);
  }
  return true;
}

}  // namespace ovx
