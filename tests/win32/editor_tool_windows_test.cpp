// The tool windows of an editor window on the real platform: the toggle, the view-only refusal,
// the placement at the offset inside the work area, following the window or staying put, and
// what a tool window's own close and move tell the editor window.
#include <gtest/gtest.h>

#include <windows.h>

#include "editor/win32/EditorToolWindows.h"
#include "tests/win32/editor_fake_host.h"

namespace ovx {
namespace {

RECT RectOf(HWND hwnd) {
  RECT r = {};
  GetWindowRect(hwnd, &r);
  return r;
}

class EditorToolWindowsWin32 : public ::testing::Test {
 protected:
  void SetUp() override {
    owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 100, 80, 300, 200, nullptr, nullptr, nullptr, nullptr);
    tools = std::make_unique<TEditorToolWindows>(owner);
    tools->SetCreator([this](TToolWindowKind) {
      ++created;
      return CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"tool", WS_POPUP, 0, 0, 120, 90, owner, nullptr, nullptr,
                             nullptr);
    });
  }
  void TearDown() override {
    tools->CloseAll();
    DestroyWindow(owner);
  }
  HWND owner = nullptr;
  std::unique_ptr<TEditorToolWindows> tools;
  int created = 0;
};

void MoveWindowTo(HWND hwnd, int left, int top) {
  SetWindowPos(hwnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TEST_F(EditorToolWindowsWin32, CommandTogglesAndViewOnlyRefusesEditingTools) {
  tools->Toggle(twSearch, false);
  HWND search = tools->Window(twSearch);
  ASSERT_NE(search, nullptr);
  EXPECT_TRUE(IsWindowVisible(search));
  RECT r = RectOf(search);
  EXPECT_EQ(r.left, 132);  // the owner's corner plus 32, 32
  EXPECT_EQ(r.top, 112);
  tools->Toggle(twSearch, false);
  EXPECT_EQ(tools->Window(twSearch), nullptr);
  EXPECT_FALSE(IsWindow(search));
  // A view-only window creates no input, rotate or replace window, but a search window.
  tools->Toggle(twInputStr, true);
  tools->Toggle(twReplace, true);
  EXPECT_EQ(tools->Window(twInputStr), nullptr);
  EXPECT_EQ(tools->Window(twReplace), nullptr);
  tools->Toggle(twSearch, true);
  EXPECT_NE(tools->Window(twSearch), nullptr);
  EXPECT_EQ(created, 2);
}

TEST_F(EditorToolWindowsWin32, PlacedInsideTheWorkArea) {
  TScreenRect area = WorkArea();
  SetWindowPos(owner, nullptr, area.right - 50, area.bottom - 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  tools->Toggle(twAddressJump, false);
  RECT r = RectOf(tools->Window(twAddressJump));
  EXPECT_EQ(r.right, area.right);
  EXPECT_EQ(r.bottom, area.bottom);
  EXPECT_EQ(r.right - r.left, 120);
}

TEST_F(EditorToolWindowsWin32, FollowsTheOwnerOrKeepsItsPlace) {
  tools->Toggle(twSearch, false);
  HWND search = tools->Window(twSearch);
  SetWindowPos(owner, nullptr, 150, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  tools->OwnerMoved(true);
  EXPECT_EQ(RectOf(search).left, 182);
  EXPECT_EQ(RectOf(search).top, 132);
  // Without following it stays, and its offset is taken from where it stands.
  SetWindowPos(owner, nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  tools->OwnerMoved(false);
  EXPECT_EQ(RectOf(search).left, 182);
  SetWindowPos(owner, nullptr, 210, 160, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  tools->OwnerMoved(true);
  EXPECT_EQ(RectOf(search).left, 192);  // the offset of -18 taken at 200 is kept
  EXPECT_EQ(RectOf(search).top, 142);
  tools->Hide();
  EXPECT_FALSE(IsWindowVisible(search));
  tools->Show();
  EXPECT_TRUE(IsWindowVisible(search));
}

TEST_F(EditorToolWindowsWin32, AWindowClosedByTheUserIsForgotten) {
  tools->Toggle(twSearch, false);
  HWND first = tools->Window(twSearch);
  ASSERT_NE(first, nullptr);
  SendMessageW(first, WM_CLOSE, 0, 0);  // its own close box
  ASSERT_FALSE(IsWindow(first));
  EXPECT_EQ(tools->Window(twSearch), nullptr);
  // So the command opens a new one rather than closing the one that is gone.
  tools->Toggle(twSearch, false);
  EXPECT_EQ(created, 2);
  ASSERT_NE(tools->Window(twSearch), nullptr);
  EXPECT_TRUE(IsWindowVisible(tools->Window(twSearch)));
}

TEST_F(EditorToolWindowsWin32, AUserMoveSetsTheOffsetAndAPlacementDoesNot) {
  tools->Toggle(twSearch, false);
  HWND search = tools->Window(twSearch);
  ASSERT_NE(search, nullptr);
  MoveWindowTo(search, 300, 250);  // the user drags it: 200, 170 from the owner's corner
  MoveWindowTo(owner, 150, 100);
  tools->OwnerMoved(true);
  EXPECT_EQ(RectOf(search).left, 350);
  EXPECT_EQ(RectOf(search).top, 270);
  // Pulled inside the work area at its edge, it keeps its offset for when the owner comes back.
  TScreenRect area = WorkArea();
  MoveWindowTo(owner, area.right - 100, area.bottom - 100);
  tools->OwnerMoved(true);
  EXPECT_EQ(RectOf(search).right, area.right);
  MoveWindowTo(owner, 100, 80);
  tools->OwnerMoved(true);
  EXPECT_EQ(RectOf(search).left, 300);
  EXPECT_EQ(RectOf(search).top, 250);
}

// Minimising moves the editor window out of sight; its tool windows stay where they were.
TEST(EditorToolWindowsOfAWindow, MinimisingTheEditorWindowLeavesThemInPlace) {
  test::TFakeEditorHost host;
  TOvnxBinaryFormWClass* w = host.Create();
  ASSERT_NE(w, nullptr);
  w->ShowAndRepaint();
  HWND editor = w->Handle();
  w->ToolWindows().SetCreator([editor](TToolWindowKind) {
    return CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"tool", WS_POPUP, 0, 0, 120, 90, editor, nullptr, nullptr,
                           nullptr);
  });
  w->DoMenuCommand(cmSEARCH);
  HWND search = w->ToolWindows().Window(twSearch);
  ASSERT_NE(search, nullptr);
  const RECT placed = RectOf(search);
  ShowWindow(editor, SW_MINIMIZE);
  test::PumpMessages();
  ASSERT_TRUE(IsIconic(editor));
  EXPECT_EQ(RectOf(search).left, placed.left);
  EXPECT_EQ(RectOf(search).top, placed.top);
  ShowWindow(editor, SW_RESTORE);
  test::PumpMessages();
  EXPECT_EQ(RectOf(search).left, placed.left);
  EXPECT_EQ(RectOf(search).top, placed.top);
}

}  // namespace
}  // namespace ovx
