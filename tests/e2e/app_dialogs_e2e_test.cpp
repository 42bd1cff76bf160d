// The shell's dialogs seen from outside: the window list.
#include "app/TrayMenuIds.h"
#include "editor/MenuItems.h"
#include "tests/e2e/E2eDriver.h"

namespace ovx::e2e {
namespace {

std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

// The lines of the first list box of a dialog, and the selected line.
struct TListLines {
  std::vector<std::wstring> lines;
  int selected = -1;
};
TListLines ListBoxLines(HWND dialog) {
  TListLines result;
  HWND list = FindWindowExW(dialog, nullptr, L"ListBox", nullptr);
  if (!list) return result;
  const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t text[512] = {};
    SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    result.lines.push_back(text);
  }
  result.selected = static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0));
  return result;
}

void SelectListLine(HWND dialog, int line) {
  SendMessageW(FindWindowExW(dialog, nullptr, L"ListBox", nullptr), LB_SETCURSEL, line, 0);
}

RECT WindowRect(HWND hwnd) {
  RECT r = {};
  GetWindowRect(hwnd, &r);
  return r;
}

using AppWindowList = EditorTest;

TEST_F(AppWindowList, WindowListCommandListsEveryWindowAndBringsTheChosenOneToFront) {
  const std::wstring first = MakeFile(L"first.bin"), third = MakeFile(L"third.bin");
  HWND firstWindow = OpenFileWindow(first);
  ASSERT_NE(firstWindow, nullptr);
  ASSERT_TRUE(WaitForExit(StartEditor()));
  ASSERT_TRUE(WaitForEditorWindowCount(2));
  ASSERT_TRUE(WaitForExit(StartEditor(Quoted(third))));
  HWND thirdWindow = WaitForWindow(L"TOvnxBinaryFormWClass", EditorCaptionFor(third));
  ASSERT_NE(thirdWindow, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == thirdWindow; }));

  PostMenuCommand(thirdWindow, MenuIdOf(miMM_WindowList));
  auto dialog = WaitForMessageBox(L"ウィンドウ一覧", ProcessOf(thirdWindow));
  ASSERT_TRUE(dialog);
  const TListLines list = ListBoxLines(dialog->hwnd);
  EXPECT_EQ(list.lines, (std::vector<std::wstring>{L"1: " + LongPath(first), L"2: (新規)", L"3: " + LongPath(third)}));
  EXPECT_EQ(list.selected, 0);
  EXPECT_EQ(dialog->buttons, (std::vector<std::wstring>{L"決定", L"キャンセル"}));
  // Centred over the calling window (which lies well inside the work area here).
  const RECT over = WindowRect(thirdWindow), box = WindowRect(dialog->hwnd);
  EXPECT_EQ(box.left, over.left + ((over.right - over.left) - (box.right - box.left)) / 2);
  EXPECT_EQ(box.top, over.top + ((over.bottom - over.top) - (box.bottom - box.top)) / 2);
  RECT client = {};
  GetClientRect(dialog->hwnd, &client);
  EXPECT_EQ(client.right, 400);
  EXPECT_EQ(client.bottom, 184);
  Screenshot(L"app-window-list");

  // Escape chooses nothing.
  PressKeys(dialog->hwnd, L"{Esc}");
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog->hwnd); }));
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == thirdWindow; }, 3000));

  PostMenuCommand(thirdWindow, MenuIdOf(miMM_WindowList));
  dialog = WaitForMessageBox(L"ウィンドウ一覧", ProcessOf(thirdWindow));
  ASSERT_TRUE(dialog);
  SelectListLine(dialog->hwnd, 0);
  ASSERT_TRUE(AnswerMessageBox(dialog->hwnd, L"決定"));
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == firstWindow; }, 3000));
}

TEST_F(AppWindowList, MoreItemOfTheIconMenuListsAllTenWindows) {
  StartEditor();
  HWND first = WaitForWindow(L"TOvnxBinaryFormWClass", L"(新規) - Orvanta");
  ASSERT_NE(first, nullptr);
  std::wstring args;
  std::vector<std::wstring> files;
  for (int i = 2; i <= 10; ++i) {
    files.push_back(MakeFile(L"w" + std::to_wstring(i) + L".bin"));
    args += Quoted(files.back()) + L" ";
  }
  ASSERT_TRUE(WaitForExit(StartEditor(args)));
  ASSERT_TRUE(WaitForEditorWindowCount(10));

  PostMessageW(MainProcessWindow(), WM_COMMAND, kTrayMoreWindowsId, 0);
  auto dialog = WaitForMessageBox(L"ウィンドウ一覧", ProcessOf(first));
  ASSERT_TRUE(dialog);
  const TListLines list = ListBoxLines(dialog->hwnd);
  ASSERT_EQ(list.lines.size(), 10u);
  EXPECT_EQ(list.lines[0], L"1: (新規)");
  EXPECT_EQ(list.lines[9], L"10: " + LongPath(files[8]));
  // Without a calling window: centred in the work area.
  RECT area = {};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  const RECT box = WindowRect(dialog->hwnd);
  EXPECT_EQ(box.left, area.left + ((area.right - area.left) - (box.right - box.left)) / 2);
  EXPECT_EQ(box.top, area.top + ((area.bottom - area.top) - (box.bottom - box.top)) / 2);

  // A double click on a line chooses it.
  SelectListLine(dialog->hwnd, 9);
  HWND list10 = FindWindowExW(dialog->hwnd, nullptr, L"ListBox", nullptr);
  PostMessageW(dialog->hwnd, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list10), LBN_DBLCLK),
               reinterpret_cast<LPARAM>(list10));
  HWND tenth = WaitForWindow(L"TOvnxBinaryFormWClass", EditorCaptionFor(files[8]));
  ASSERT_NE(tenth, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog->hwnd); }));
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == tenth; }, 3000));
}

}  // namespace
}  // namespace ovx::e2e
