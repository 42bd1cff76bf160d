// The editor window's menus built from the menu table on the real platform.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "editor/FileMenuEntries.h"
#include "editor/win32/EditorMenuBuilder.h"

namespace ovx {
namespace {

std::wstring TextAt(HMENU menu, int position) {
  wchar_t buffer[256] = {};
  GetMenuStringW(menu, position, buffer, 256, MF_BYPOSITION);
  return buffer;
}

UINT StateOf(HMENU menu, TMenuItem item) { return GetMenuState(menu, MenuIdOf(item), MF_BYCOMMAND); }

TEST(EditorMenusWin32, MenuBarAndSubmenus) {
  TEditorMenus menus;
  ASSERT_TRUE(menus.Build());
  HMENU bar = menus.MainMenu();
  ASSERT_EQ(GetMenuItemCount(bar), 8);
  EXPECT_EQ(TextAt(bar, 0), L"ファイル(&F)");
  EXPECT_EQ(TextAt(bar, 7), L"ヘルプ(&H)");
  HMENU file = menus.SubmenuOf(miMM_File);
  EXPECT_EQ(GetSubMenu(bar, 0), file);
  EXPECT_EQ(GetMenuItemCount(file), 17);
  EXPECT_EQ(TextAt(file, 5), L"上書き保存(&S)");
  EXPECT_TRUE(GetMenuState(file, 4, MF_BYPOSITION) & MF_SEPARATOR);
  HMENU input = menus.SubmenuOf(miMM_Input);
  EXPECT_EQ(GetMenuItemCount(input), 3);
  EXPECT_EQ(menus.ParentOf(miMM_InputStr), input);
  EXPECT_EQ(GetMenuItemCount(menus.SubmenuOf(miPU_SelectFileMenu)), 4);
  EXPECT_EQ(GetMenuItemCount(menus.SubmenuOf(miPU_InfoMode)), 2);
}

// Every item of a drop-down menu but the check and radio items carries a picture, the empty one
// where it has none of its own: Wine measures an item without one short by the pictures'
// width and its caption ran into its shortcut (ヘルプ) or its submenu arrow. The menu bar has none.
TEST(EditorMenusWin32, EveryDropDownItemButChecksCarriesAPicture) {
  HBITMAP empty = CreateBitmap(16, 16, 1, 1, nullptr), own = CreateBitmap(16, 16, 1, 1, nullptr);
  TEditorMenus menus;
  menus.SetImageSource([&](int image) { return image == -1 ? empty : own; });
  ASSERT_TRUE(menus.Build());
  auto pictureOf = [](HMENU menu, UINT id) {
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_BITMAP;
    GetMenuItemInfoW(menu, id, FALSE, &info);
    return info.hbmpItem;
  };
  int withEmpty = 0;
  for (const TMenuItemDef& d : MenuItemTable()) {
    HMENU parent = menus.ParentOf(d.item);
    if (!parent || d.kind == mkSepa) continue;
    const HBITMAP picture = pictureOf(parent, MenuIdOf(d.item));
    if (parent == menus.MainMenu())
      EXPECT_EQ(picture, nullptr) << d.caption;
    else if (d.image >= 0)
      EXPECT_EQ(picture, own) << d.caption;
    else if (d.kind == mkCheck || d.kind == mkRadio)
      EXPECT_EQ(picture, nullptr) << d.caption << ": Windows would show a checked picture instead of the mark";
    else
      EXPECT_EQ(picture, empty) << d.caption;
    withEmpty += picture == empty;
  }
  EXPECT_EQ(pictureOf(menus.SubmenuOf(miMM_Help), MenuIdOf(miMM_WebPageBM)), empty);
  EXPECT_GT(withEmpty, 5);
  DeleteObject(empty);
  DeleteObject(own);
}

TEST(EditorMenusWin32, StatesCaptionsAndShortcuts) {
  TEditorMenus menus;
  ASSERT_TRUE(menus.Build());
  TMenuStateInput in;
  in.hasFileName = true;
  in.fileAge = 1;
  in.diskFileAge = 2;
  in.charaSet = 4;
  TKeyMap map;
  WindowsStandardKeyMap(map);
  menus.SetShortcuts(map);
  menus.ApplyStates(EnableSetting(in));
  HMENU file = menus.SubmenuOf(miMM_File);
  EXPECT_TRUE(StateOf(file, miMM_SaveFile) & MF_GRAYED);
  EXPECT_FALSE(StateOf(file, miMM_Reload) & MF_GRAYED);
  EXPECT_EQ(TextAt(file, 3), L"最新の情報に更新(&R)");
  EXPECT_EQ(TextAt(file, 5), L"上書き保存(&S)\tF12");
  EXPECT_TRUE(StateOf(menus.SubmenuOf(miMM_CharaSet), miMM_CharaSetUnicode) & MF_CHECKED);
  EXPECT_FALSE(StateOf(menus.SubmenuOf(miMM_CharaSet), miMM_CharaSetSJis) & MF_CHECKED);
  // The caption changes back and keeps its shortcut.
  in.diskFileAge = 1;
  menus.ApplyStates(EnableSetting(in));
  EXPECT_EQ(TextAt(file, 3), L"再読み込み(&R)");
  EXPECT_TRUE(StateOf(file, miMM_Reload) & MF_GRAYED);
}

TEST(EditorMenusWin32, WindowEntriesAreReplacedAfterTheSeparator) {
  TEditorMenus menus;
  ASSERT_TRUE(menus.Build());
  HMENU window = menus.SubmenuOf(miMM_Window);
  std::vector<std::string> ten(10, "");
  menus.SetWindowEntries(WindowMenuEntries(ten, 0));
  ASSERT_EQ(GetMenuItemCount(window), 6 + 10);
  EXPECT_EQ(TextAt(window, 2), L"&1: (新規)");
  EXPECT_EQ(TextAt(window, 11), L"& : more...");
  EXPECT_EQ(TextAt(window, 12), L"ウィンドウ一覧(&L)...");
  EXPECT_TRUE(GetMenuState(window, 2, MF_BYPOSITION) & MF_CHECKED);
  menus.SetWindowEntries(WindowMenuEntries({"C:\\a.bin", "C:\\b.bin"}, 1));
  ASSERT_EQ(GetMenuItemCount(window), 6 + 2);
  EXPECT_EQ(TextAt(window, 3), L"&2: C:\\b.bin");
  EXPECT_EQ(TextAt(window, 4), L"ウィンドウ一覧(&L)...");

  menus.SetHistoryEntries(HistoryMenuEntries({"C:\\x.bin"}));
  EXPECT_EQ(TextAt(menus.SubmenuOf(miMM_OpenHistory), 0), L"&1: C:\\x.bin");
  EXPECT_EQ(GetMenuItemCount(menus.SubmenuOf(miPU_History)), 1);
  menus.SetSelectFileEntries(SelectFileMenuEntries({"", "C:\\y.bin"}));
  HMENU select = menus.SubmenuOf(miPU_SelectFileMenu);
  ASSERT_EQ(GetMenuItemCount(select), 6);
  EXPECT_EQ(TextAt(select, 1), L"&2 : C:\\y.bin");
  EXPECT_EQ(TextAt(select, 2), L"ウィンドウ一覧(&L)...");
}

}  // namespace
}  // namespace ovx
