// The typed input dialogs of an editor window on the real platform: a new DPI scales every
// control and keeps the drop-down lists' lists.
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/win32/editor_fake_host.h"

namespace ovx {
namespace {

RECT ClientRectOf(HWND control) {
  RECT r = {};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

TEST(EditorToolDialogs, ANewDpiScalesTheIntegerDialog) {
  test::TFakeEditorHost host;
  TOvnxBinaryFormWClass* w = host.Create();
  ASSERT_NE(w, nullptr);
  w->ShowAndRepaint();
  w->DoMenuCommand(cmINPUTINTEGER);
  HWND dialog = w->ToolWindows().Window(twInputInt);
  ASSERT_NE(dialog, nullptr);
  HWND frame = FindWindowExW(dialog, nullptr, L"TOvnxInputFrame", nullptr);
  HWND run = GetDlgItem(dialog, IDOK), hex = GetDlgItem(frame, 106), list = GetDlgItem(frame, 101);
  const RECT run96 = ClientRectOf(run), hex96 = ClientRectOf(hex);
  RECT dropped96 = {};
  SendMessageW(list, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped96));
  EXPECT_EQ(run96.right - run96.left, 80);
  RECT suggested = {100, 100, 800, 500};
  SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  const RECT run144 = ClientRectOf(run), hex144 = ClientRectOf(hex);
  EXPECT_EQ(run144.right - run144.left, 120);
  EXPECT_EQ(run144.bottom - run144.top, 39);
  EXPECT_EQ(hex144.left, hex96.left * 3 / 2);
  EXPECT_EQ(hex144.right - hex144.left, 240);
  RECT dropped144 = {};
  SendMessageW(list, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped144));
  EXPECT_GT(dropped144.bottom - dropped144.top, (dropped96.bottom - dropped96.top) * 5 / 4);
  // The dialog's font is made again at the new size: the controls all take it.
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(run, WM_GETFONT, 0, 0));
  LOGFONTW described = {};
  GetObjectW(font, sizeof described, &described);
  EXPECT_EQ(described.lfHeight, -18);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(hex, WM_GETFONT, 0, 0)), font);
}

}  // namespace
}  // namespace ovx
