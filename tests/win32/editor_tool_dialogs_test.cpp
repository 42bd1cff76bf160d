// The dialogs of an editor window on the real platform: a new DPI scales every control, keeps
// the drop-down lists' lists and widens a list's columns, in tool windows and modal dialogs alike.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <functional>

#include "editor/win32/DlgSetting.h"
#include "filer/win32/DlgFilerOpen.h"
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

int FontHeightOf(HWND control) {
  LOGFONTW font = {};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font.lfHeight;
}

// What a modal dialog showed before and after a new DPI; taken from inside its own message loop.
struct TModalDpiProbe {
  const wchar_t* caption;
  int listId;  // a list view whose first column is measured; 0 for none
  bool seen = false;
  RECT okBefore{}, okAfter{}, frameAfter{};
  int fontBefore = 0, fontAfter = 0, columnBefore = 0, columnAfter = 0;
};
TModalDpiProbe* modalProbe = nullptr;
constexpr RECT kSuggested = {40, 30, 40 + 900, 30 + 700};

void CALLBACK ProbeModalDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  TModalDpiProbe& p = *modalProbe;
  HWND dialog = FindWindowW(L"#32770", p.caption);
  if (!dialog) return;
  KillTimer(nullptr, timer);
  HWND ok = GetDlgItem(dialog, IDOK), list = p.listId ? GetDlgItem(dialog, p.listId) : nullptr;
  p.seen = true;
  p.okBefore = ClientRectOf(ok);
  p.fontBefore = FontHeightOf(ok);
  if (list) p.columnBefore = ListView_GetColumnWidth(list, 0);
  SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&kSuggested));
  p.okAfter = ClientRectOf(ok);
  p.fontAfter = FontHeightOf(ok);
  if (list) p.columnAfter = ListView_GetColumnWidth(list, 0);
  GetWindowRect(dialog, &p.frameAfter);
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

TEST(EditorToolDialogs, ANewDpiScalesTheModalDialogs) {
  test::TScratchFolder folder;
  struct Case {
    TModalDpiProbe probe;
    std::function<void(HWND owner)> run;
  } cases[] = {
      {{L"設定", 0},
       [](HWND owner) {
         TLumpSettings settings;
         TDlgSetting::Run(owner, {0, 0}, 96, settings);
       }},
      {{L"Orvanta ファイラーを開く", 303},
       [&folder](HWND owner) {
         std::string path;
         ExecuteDlgFilerOpen(owner, folder.Path(), path);
       }},
  };
  HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(owner, nullptr);
  for (Case& c : cases) {
    SCOPED_TRACE(c.probe.listId ? "filer open" : "batch setting");
    modalProbe = &c.probe;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, ProbeModalDialog);
    c.run(owner);
    KillTimer(nullptr, timer);
    const TModalDpiProbe& p = c.probe;
    ASSERT_TRUE(p.seen) << "the dialog did not come";
    EXPECT_EQ(p.okAfter.left, MulDiv(p.okBefore.left, 3, 2));
    EXPECT_EQ(p.okAfter.top, MulDiv(p.okBefore.top, 3, 2));
    EXPECT_EQ(p.okAfter.right - p.okAfter.left, MulDiv(p.okBefore.right - p.okBefore.left, 3, 2));
    EXPECT_EQ(p.okAfter.bottom - p.okAfter.top, MulDiv(p.okBefore.bottom - p.okBefore.top, 3, 2));
    EXPECT_EQ(p.fontBefore, -12);
    EXPECT_EQ(p.fontAfter, -18);
    EXPECT_EQ(p.frameAfter.right - p.frameAfter.left, kSuggested.right - kSuggested.left);
    EXPECT_EQ(p.columnAfter, MulDiv(p.columnBefore, 3, 2));
  }
  modalProbe = nullptr;
  DestroyWindow(owner);
}

}  // namespace
}  // namespace ovx
