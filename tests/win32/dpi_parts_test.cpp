// Parts made for a DPI on the real platform: the filer's pictures and a tab control's tabs are
// 1.5 times their 96-DPI size at 144 DPI.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "filer/win32/FilerGlyphs.h"
#include "shell/win32/WindowDpi.h"

namespace ovx {
namespace {

int PictureSize(HIMAGELIST list) {
  int width = 0, height = 0;
  ImageList_GetIconSize(list, &width, &height);
  ImageList_Destroy(list);
  return width == height ? width : -1;
}

// The width of a tab whose caption is shorter than the least width.
int ShortTabWidth(int dpi) {
  HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr, nullptr, nullptr);
  HWND tabs = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 500, 300, owner, nullptr,
                              nullptr, nullptr);
  HFONT font = CreateUiFont(dpi);
  SendMessageW(tabs, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SetTabSpacing(tabs, dpi);
  TCITEMW item = {};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<wchar_t*>(L"一般");
  SendMessageW(tabs, TCM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  RECT r = {};
  SendMessageW(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
  DestroyWindow(owner);
  DeleteObject(font);
  return r.right - r.left;
}

TEST(DpiParts, PicturesAndTabsGrowWithTheDpi) {
  struct Case {
    int dpi, picture, tab;
  } cases[] = {{96, 16, 54}, {144, 24, 81}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dpi);
    EXPECT_EQ(PictureSize(CreateFilerGlyphs(c.dpi)), c.picture);
    EXPECT_EQ(PictureSize(CreateFilerListIcons(c.dpi)), c.picture);
    EXPECT_EQ(ShortTabWidth(c.dpi), c.tab);
  }
}

}  // namespace
}  // namespace ovx
