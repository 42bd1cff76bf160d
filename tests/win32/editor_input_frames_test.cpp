// The typed input frames on the real platform: the integer frame's width list, keys and capture,
// and the data frame's five pages with the data block of each. Each page is saved as a picture.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <utility>
#include <vector>

#include "editor/win32/FrmInputData.h"
#include "tests/unit/scripted_prompt.h"
#include "view/win32/BEditor.h"

namespace ovx {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Saves the screen under the window as screenshots/<name>.bmp (24-bit).
void SaveWindowPicture(HWND window, const std::string& name) {
  RECT r = {};
  GetWindowRect(window, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  BITMAPINFO bi = {};
  bi.bmiHeader = {sizeof bi.bmiHeader, width, height, 1, 24, BI_RGB};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  BitBlt(dc, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u, size = stride * static_cast<DWORD>(height);
  BITMAPFILEHEADER file = {0x4D42, static_cast<DWORD>(sizeof file + sizeof bi.bmiHeader + size), 0, 0,
                           static_cast<DWORD>(sizeof file + sizeof bi.bmiHeader)};
  CreateDirectoryW(L"screenshots", nullptr);
  HANDLE out = CreateFileA(("screenshots\\" + name + ".bmp").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                           nullptr);
  DWORD written = 0;
  WriteFile(out, &file, sizeof file, &written, nullptr);
  WriteFile(out, &bi.bmiHeader, sizeof bi.bmiHeader, &written, nullptr);
  WriteFile(out, bits, size, &written, nullptr);
  CloseHandle(out);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

class InputFramesWin32 : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    host = CreateWindowExW(WS_EX_CONTROLPARENT, L"STATIC", L"", WS_POPUP | WS_VISIBLE | WS_BORDER, 60, 60, 460, 320,
                           nullptr, nullptr, nullptr, nullptr);
    font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, L"ＭＳ Ｐゴシック");
    ASSERT_TRUE(frame.Create(host, 4, 4, font, 96, DefaultEnvironmentSettings(), prompt));
  }
  void TearDown() override {
    DestroyWindow(host);
    DeleteObject(font);
  }
  void Key(HWND control, WPARAM vk) { SendMessageW(control, WM_KEYDOWN, vk, 1); }
  void Type(HWND control, const std::wstring& text) {
    for (wchar_t c : text) SendMessageW(control, WM_CHAR, c, 1);
  }
  // The user picks a row of a drop-down list.
  void Choose(HWND list, int row) {
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
    SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
  }

  HWND host = nullptr;
  HFONT font = nullptr;
  test::TScriptedPrompt prompt;
  TFrmInputData frame;
};

TEST_F(InputFramesWin32, IntegerFrameWidthsKeysAndCapture) {
  TFrmInputInt& f = frame.FrmInputInt();
  // The integer mode turns 無定型 into DoubleWord; the address mode keeps 無定型 and disables the list.
  Choose(f.Variable(), 0);
  EXPECT_EQ(f.IntWidth(), vtDoubleWord);
  // 0x12345 typed with Word: the leading digit overflows, the net value is 0x2345.
  Choose(f.Variable(), 2);
  Type(f.EditHex().Handle(), L"12345");
  EXPECT_EQ(f.EditDec().Value(), 0x12345u);
  EXPECT_EQ(f.EditOut().Value(), 0x2345u);
  EXPECT_EQ(frame.DataBlock(), (Bytes{0x45, 0x23}));
  SelectRow(f.ByteOrderList(), boBigEndian);
  EXPECT_EQ(frame.DataBlock(), (Bytes{0x23, 0x45}));
  // Capture with Word, big-endian, from the bytes 12 34 under the caret.
  f.SetCapturedValue(0x3412);
  SendMessageW(f.CaptureButton(), BM_CLICK, 0, 0);
  EXPECT_EQ(f.EditHex().Value(), 0x1234u);
  // Page Up on Byte selects Word and shows its maximum; Up and Down move the focus.
  Choose(f.Variable(), 3);
  EXPECT_EQ(f.MaxDec().Value(), 255u);
  Key(f.EditDec().Handle(), VK_PRIOR);
  EXPECT_EQ(f.IntWidth(), vtWord);
  EXPECT_EQ(f.MaxDec().Value(), 65535u);
  EXPECT_EQ(f.EditBin().VariableType(), vtWord);
  SetFocus(f.EditBin().Handle());
  Key(f.EditBin().Handle(), VK_DOWN);
  EXPECT_EQ(f.FocusedField(), 1);
  Key(f.EditDec().Handle(), VK_UP);
  EXPECT_EQ(f.FocusedField(), 0);
  Key(f.EditBin().Handle(), VK_UP);
  EXPECT_EQ(f.FocusedField(), 2);
  f.SetDialogMode(dmUnformat);
  EXPECT_EQ(f.IntWidth(), vtUnformat);
  EXPECT_FALSE(IsWindowEnabled(f.Variable()));
  Type(f.EditDec().Handle(), L"+");
  EXPECT_EQ(f.AddressMode(), amForward);
  Type(f.EditDec().Handle(), L"+");
  EXPECT_EQ(f.AddressMode(), amAbsolute);
}

TEST_F(InputFramesWin32, FivePagesAndTheirDataBlocks) {
  const char* const names[] = {"input-data-integer", "input-data-string", "input-data-character", "input-data-binary",
                               "input-data-null"};
  // The string page: "a", CR LF, "b" as UNIX text in Unicode.
  SetWindowTextW(frame.FrmInputStr().EditBox(), L"a\r\nb");
  SelectRow(frame.FrmInputStr().NewLineCode(), nlLf);
  SelectRow(frame.FrmInputStr().CharaSet(), ssUnicode);
  SendMessageW(frame.FrmInputChar().SelChar().Handle(), LB_SETCURSEL, 0x41, 0);
  frame.BinaryEditor().Core().EnterHexDigit(0xA);
  frame.BinaryEditor().Core().EnterHexDigit(0xB);
  const Bytes blocks[] = {{0, 0, 0, 0}, {'a', 0, '\n', 0, 'b', 0}, {0x41}, {0xAB}, {}};
  for (int page = 0; page < 5; ++page) {
    // The user clicks the tab.
    SendMessageW(frame.Pages(), TCM_SETCURSEL, page, 0);
    NMHDR header = {frame.Pages(), 0, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageW(frame.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(frame.ActivePage(), page);
    EXPECT_EQ(frame.DataBlock(), blocks[page]) << page;
    UpdateWindow(host);
    Pump();
    SaveWindowPicture(host, names[page]);
  }
  EXPECT_TRUE(frame.BinaryEditor().ViewItems() == TViewItems::None().With(bvHeader, true));
  EXPECT_EQ(frame.BinaryEditor().FontHeight(), 12);
  wchar_t text[256] = {};
  GetWindowTextW(frame.LabelNull(), text, 256);
  EXPECT_EQ(std::wstring(text), TFrmInputData::kNullText);
  // The picker keeps a selected row below 128 when the set shrinks to ASCII, and loses one above.
  TFrmInputChar& chars = frame.FrmInputChar();
  Choose(chars.CharaSet(), asNEC);
  for (const auto [row, kept] : {std::pair{0x41, 0x41}, std::pair{0xB1, -1}}) {
    Choose(chars.CharaSet(), asNEC);
    SendMessageW(chars.SelChar().Handle(), LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    Choose(chars.CharaSet(), asASCII);
    EXPECT_EQ(chars.SelChar().Selected(), kept) << row;
    EXPECT_EQ(SendMessageW(chars.SelChar().Handle(), LB_GETCOUNT, 0, 0), 128);
  }
  // An empty string page gives length 0, as the null page does.
  SetWindowTextW(frame.FrmInputStr().EditBox(), L"");
  frame.SetActivePage(dpString);
  EXPECT_TRUE(frame.DataBlock().empty());
}

// A paste far beyond the edit control's default 30,000 characters reaches the data block whole.
TEST_F(InputFramesWin32, AFortyThousandCharacterPasteIsTakenWhole) {
  bool cut = false;
  frame.FrmInputStr().OnTextCut = [&] { cut = true; };
  const std::wstring text(40000, L'x');
  SendMessageW(frame.FrmInputStr().EditBox(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
  frame.SetActivePage(dpString);
  EXPECT_EQ(frame.DataBlock().size(), text.size());
  EXPECT_FALSE(cut);
}

}  // namespace
}  // namespace ovx
