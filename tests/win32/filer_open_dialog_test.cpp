// The template-open dialog on the real platform: its folder button brings up the shell's folder
// browser over the dialog, and the dialog goes on working once the browser is cancelled.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "filer/win32/DlgFilerOpen.h"
#include "tests/win32/editor_fake_host.h"

namespace ovx::test {
namespace {

constexpr int kFolderButton = 302, kFileList = 303;
constexpr int kTicksAllowed = 500;  // 10 s at one tick every 20 ms

// What the timer saw while the dialog and then its browser ran their message loops.
struct TBrowseProbe {
  const wchar_t* templateName;
  int ticks = 0;
  HWND dialog = nullptr, browser = nullptr;
  bool pressed = false, closed = false, gaveUp = false;
  bool dialogDisabledUnderBrowser = false;
  bool dialogEnabledAfter = false, templateSelected = false;
};
TBrowseProbe* browseProbe = nullptr;

// A visible window of this thread owned by owner.
HWND OwnedWindow(HWND owner) {
  struct Search {
    HWND owner, found = nullptr;
  } search{owner};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM lp) {
        auto* s = reinterpret_cast<Search*>(lp);
        if (GetWindow(w, GW_OWNER) != s->owner || !IsWindowVisible(w)) return TRUE;
        s->found = w;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// One step per tick: find the dialog and press its folder button; find the browser and cancel
// it; once it has gone, choose the template in the dialog and press OK.
void CALLBACK StepThroughTheBrowser(HWND, UINT, UINT_PTR timer, DWORD) {
  TBrowseProbe& p = *browseProbe;
  if (++p.ticks > kTicksAllowed) {
    KillTimer(nullptr, timer);
    p.gaveUp = true;
    if (p.browser) PostMessageW(p.browser, WM_COMMAND, IDCANCEL, 0);
    if (p.dialog) PostMessageW(p.dialog, WM_COMMAND, IDCANCEL, 0);
    return;
  }
  if (!p.dialog) {
    p.dialog = FindWindowW(L"#32770", L"Orvanta ファイラーを開く");
    return;
  }
  if (!p.pressed) {
    p.pressed = true;
    PostMessageW(GetDlgItem(p.dialog, kFolderButton), BM_CLICK, 0, 0);
    return;
  }
  if (!p.browser) {
    p.browser = OwnedWindow(p.dialog);
    if (!p.browser) return;
    p.dialogDisabledUnderBrowser = !IsWindowEnabled(p.dialog);
    PostMessageW(p.browser, WM_COMMAND, IDCANCEL, 0);
    return;
  }
  if (IsWindow(p.browser)) return;
  KillTimer(nullptr, timer);
  p.closed = true;
  if (!IsWindow(p.dialog)) return;
  p.dialogEnabledAfter = IsWindowEnabled(p.dialog);
  HWND list = GetDlgItem(p.dialog, kFileList);
  LVFINDINFOW find = {};
  find.flags = LVFI_STRING;
  find.psz = p.templateName;
  const int row = ListView_FindItem(list, -1, &find);
  if (row < 0) return;
  p.templateSelected = true;
  ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  PostMessageW(p.dialog, WM_COMMAND, IDOK, 0);
}

struct TApartment {
  HRESULT result;
  APTTYPE type = APTTYPE_CURRENT;
  APTTYPEQUALIFIER qualifier = APTTYPEQUALIFIER_NONE;
  TApartment() : result(CoGetApartmentType(&type, &qualifier)) {}
};

TEST(FilerOpenDialog, TheFolderButtonShowsTheBrowserAndACancelLeavesTheDialogWorking) {
  TScratchFolder folder;
  folder.Write("chosen.OVXF", "#DEFINE TITLE chosen\r\nEDITINTEGER(a, 0, 1, 0, 0)\r\n");
  HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(owner, nullptr);
  const TApartment before;
  TBrowseProbe probe{L"chosen.OVXF"};
  browseProbe = &probe;
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, StepThroughTheBrowser);
  std::string path;
  const bool opened = ExecuteDlgFilerOpen(owner, folder.Path(), path);
  KillTimer(nullptr, timer);
  browseProbe = nullptr;
  DestroyWindow(owner);

  ASSERT_NE(probe.dialog, nullptr) << "the dialog did not come";
  ASSERT_NE(probe.browser, nullptr) << "the folder button brought up no window";
  EXPECT_FALSE(probe.gaveUp) << "the browser did not close on Cancel";
  EXPECT_TRUE(probe.dialogDisabledUnderBrowser);
  EXPECT_TRUE(probe.dialogEnabledAfter);
  EXPECT_TRUE(probe.templateSelected);
  EXPECT_TRUE(opened);
  EXPECT_EQ(path, folder.Path() + "chosen.OVXF");
  // The apartment the browser needed was this call's own: the thread is as it was before.
  const TApartment after;
  EXPECT_EQ(after.result, before.result);
  EXPECT_EQ(after.type, before.type);
}

}  // namespace
}  // namespace ovx::test
