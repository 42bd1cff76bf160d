// The shell's dialogs built in code on the real platform: a new DPI moves and sizes every control
// 1.5 times and gives them a font 1.5 times as high; a control with a font of its own keeps it.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/win32/CodeDialog.h"

namespace ovx {
namespace {

class TTwoControls final : public TCodeDialog {
 public:
  TTwoControls() : TCodeDialog(WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, {200, 100}, L"dpi") {}
  ~TTwoControls() override {
    if (ownFont_) DeleteObject(ownFont_);
  }
  int DpiNow() const { return Dpi(); }
  HFONT ownFont_ = nullptr;

 private:
  void OnCreate() override {
    AddControl(L"BUTTON", L"OK", BS_PUSHBUTTON, 110, 60, 80, 24, IDOK);
    HWND own = AddControl(L"STATIC", L"own", SS_LEFT, 10, 10, 60, 18, 100);
    ownFont_ = CreateFontW(-20, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
    SendMessageW(own, WM_SETFONT, reinterpret_cast<WPARAM>(ownFont_), FALSE);
  }
  void OnCommand(int, int, HWND) override {}
};

RECT PlaceOf(HWND control) {
  RECT r = {};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

int FontHeightOf(HWND control) {
  LOGFONTW font = {};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font.lfHeight;
}

TEST(CodeDialogDpi, ANewDpiScalesEveryControlAndTheDialogsFont) {
  TTwoControls dialog;
  HWND hwnd = dialog.CreateModeless(GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(hwnd, nullptr);
  HWND ok = GetDlgItem(hwnd, IDOK), own = GetDlgItem(hwnd, 100);
  ASSERT_EQ(dialog.DpiNow(), 96) << "the tests run at 96 DPI";
  EXPECT_EQ(PlaceOf(ok).left, 110);
  EXPECT_EQ(FontHeightOf(ok), -12);

  RECT suggested = {0, 0, 400, 300};
  SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(dialog.DpiNow(), 144);
  const RECT r = PlaceOf(ok);
  EXPECT_EQ(r.left, 165);
  EXPECT_EQ(r.top, 90);
  EXPECT_EQ(r.right - r.left, 120);
  EXPECT_EQ(r.bottom - r.top, 36);
  EXPECT_EQ(FontHeightOf(ok), -18);
  EXPECT_EQ(PlaceOf(own).right - PlaceOf(own).left, 90);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(own, WM_GETFONT, 0, 0)), dialog.ownFont_);
}

}  // namespace
}  // namespace ovx
