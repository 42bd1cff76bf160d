// The integer edit control on the real platform: typing, keys with Shift, a mouse drag over
// digits, the system caret's place, the overflow colour, and the keys it leaves to its owner.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "charset/win32/EditInt.h"

namespace ovx {
namespace {

class EditIntWin32 : public ::testing::Test {
 protected:
  void SetUp() override {
    parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 40, 40, 260, 60, nullptr, nullptr, nullptr,
                             nullptr);
    font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, L"ＭＳ ゴシック");
    ASSERT_TRUE(edit.Create(parent, 1, {10, 10, 250, 32}));
    SendMessageW(edit.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    edit.SetCardinalNumber(cnDecimal);
    SetForegroundWindow(parent);
    SetFocus(edit.Handle());
  }
  void TearDown() override {
    SetShift(false);
    DestroyWindow(parent);
    DeleteObject(font);
  }
  void SetShift(bool down) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
  }
  void Type(const std::wstring& text) {
    for (wchar_t c : text) SendMessageW(edit.Handle(), WM_CHAR, c, 1);
  }
  void Key(WPARAM vk) { SendMessageW(edit.Handle(), WM_KEYDOWN, vk, 1); }
  std::wstring Text() {
    wchar_t text[64] = {};
    SendMessageW(edit.Handle(), WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text));
    return text;
  }
  // Left edge of each character of the shown text, and its right end, in client co-ordinates.
  std::vector<int> Edges() {
    const std::wstring text = Text();
    HDC dc = GetDC(edit.Handle());
    HGDIOBJ old = SelectObject(dc, font);
    std::vector<int> widths;
    int total = 0;
    for (wchar_t c : text) {
      SIZE s = {};
      GetTextExtentPoint32W(dc, &c, 1, &s);
      widths.push_back(s.cx);
      total += s.cx;
    }
    SelectObject(dc, old);
    ReleaseDC(edit.Handle(), dc);
    RECT client = {};
    GetClientRect(edit.Handle(), &client);
    std::vector<int> edges = {client.right - total - 6};
    for (int w : widths) edges.push_back(edges.back() + w);
    return edges;
  }

  HWND parent = nullptr;
  HFONT font = nullptr;
  TEditInt edit;
};

TEST_F(EditIntWin32, TypingArrowsAndShiftSelectionsUnderRealMessages) {
  int changes = 0;
  edit.OnChange = [&](TEditInt&, std::uint64_t) { ++changes; };
  Type(L"123");
  EXPECT_EQ(Text(), L"123d");
  Key(VK_LEFT);
  Type(L"4");
  EXPECT_EQ(edit.Value(), 1243u);
  // The caret stands 7 pixels plus the text right of it ("3d") from the right edge.
  POINT caret = {};
  GetCaretPos(&caret);
  RECT client = {};
  GetClientRect(edit.Handle(), &client);
  const std::vector<int> edges = Edges();
  EXPECT_EQ(caret.x, edges[3] - 1);
  EXPECT_EQ(client.right - caret.x - 7, edges.back() - edges[3]);
  EXPECT_EQ(caret.y, 2);
  // Shift+Left twice over "24", then Backspace: 13.
  SetShift(true);
  Key(VK_LEFT);
  Key(VK_LEFT);
  SetShift(false);
  Key(VK_BACK);
  EXPECT_EQ(edit.Value(), 13u);
  EXPECT_EQ(changes, 8);  // every handled key and character, caret moves too
}

TEST_F(EditIntWin32, MouseDragSelectsDigits) {
  edit.SetValue(1234);
  std::vector<int> e = Edges();
  // Press on the "2", drag to the "4", release: "23" selected; Backspace gives 14.
  SendMessageW(edit.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(e[1] + 1, 8));
  EXPECT_EQ(GetCapture(), edit.Handle());
  SendMessageW(edit.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(e[3] + 1, 8));
  SendMessageW(edit.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(e[3] + 1, 8));
  EXPECT_EQ(GetCapture(), nullptr);
  Key(VK_BACK);
  EXPECT_EQ(edit.Value(), 14u);
}

TEST_F(EditIntWin32, OverflowDigitsTakeTheOverflowColour) {
  const COLORREF red = RGB(255, 0, 0);
  edit.SetCardinalNumber(cnHexadecimal);
  edit.SetOverflowColor(red);
  edit.SetValue(0x1FF);
  struct Case {
    TVariableType type;
    bool firstDigitRed;
  };
  for (const Case c : {Case{vtByte, true}, Case{vtWord, false}, Case{vtUnformat, false}}) {
    edit.SetVariableType(c.type);
    const std::vector<int> e = Edges();
    RECT client = {};
    GetClientRect(edit.Handle(), &client);
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(client.right, client.bottom, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageW(edit.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    int redInFirst = 0, redElsewhere = 0;
    for (int y = 0; y < client.bottom; ++y)
      for (int x = 0; x < client.right; ++x)
        if (GetPixel(dc, x, y) == red) ++(x >= e[0] && x < e[1] ? redInFirst : redElsewhere);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    EXPECT_EQ(redInFirst > 0, c.firstDigitRed) << int(c.type);
    EXPECT_EQ(redElsewhere, 0) << int(c.type);
  }
}

TEST_F(EditIntWin32, KeysItDoesNotUseReachTheOwner) {
  std::vector<WPARAM> keys;
  std::wstring chars;
  edit.OnOtherKey = [&](TEditInt&, const MSG& m) { keys.push_back(m.wParam); };
  edit.OnOtherKeyPress = [&](TEditInt&, wchar_t c) { chars += c; };
  for (WPARAM vk : std::vector<WPARAM>{VK_PRIOR, VK_UP, VK_DOWN, VK_LEFT}) Key(vk);
  Type(L"+-5");
  EXPECT_EQ(keys, (std::vector<WPARAM>{VK_PRIOR, VK_UP, VK_DOWN}));
  EXPECT_EQ(chars, L"+-");
  EXPECT_EQ(SendMessageW(edit.Handle(), WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTCHARS);
}

}  // namespace
}  // namespace ovx
