// The typed input and rotate dialogs used as a user would: opened by their commands, typed into,
// run, and the bytes checked on disk after a save.
#include "editor/MenuItems.h"
#include "tests/e2e/E2eDriver.h"

namespace ovx::e2e {
namespace {

// Control ids of the integer and string frames and of the rotate dialog (the program's own).
constexpr int kByteOrderList = 103, kEditHex = 106, kMaxHex = 108, kEditOut = 109, kEditBox = 201, kRotateLeft = 304,
              kRotateEdit = 302;

HWND OpenDialog(HWND window, TMenuItem item, const std::wstring& caption) {
  PostMenuCommand(window, MenuIdOf(item));
  return WaitForWindow(L"#32770", caption);
}

HWND FrameControl(HWND dialog, int id) {
  HWND frame = FindWindowExW(dialog, nullptr, L"TOvnxInputFrame", nullptr);
  return frame ? GetDlgItem(frame, id) : nullptr;
}

// Clicks a button and returns once the dialog has done what it does (nothing here opens a box).
bool Press(HWND dialog, int id) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(GetDlgItem(dialog, id), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, kWaitMs, &result) != 0;
}

std::wstring TextOf(HWND control) {
  wchar_t text[64] = {};
  DWORD_PTR result = 0;
  SendMessageTimeoutW(control, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 1000, &result);
  return text;
}

// Typed keys arrive after posted messages: a button is pressed only once the control shows them.
bool Shows(HWND control, const std::wstring& text) {
  return WaitUntil([&] { return TextOf(control) == text; }, 3000);
}

// Moves the dialog below the view's first rows, where the test reads the caret.
void MoveAside(HWND dialog, HWND window) {
  const RECT r = [&] {
    RECT w = {};
    GetWindowRect(window, &w);
    return w;
  }();
  SetWindowPos(dialog, nullptr, r.left + 8, r.top + 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Saves with Ctrl+S and waits until the file holds the bytes.
bool SavedAs(HWND window, const std::wstring& path, const std::string& bytes) {
  if (!PressShortcut(window, 'S', MOD_CONTROL)) return false;
  return WaitUntil([&] { return ReadWholeFile(path) == bytes; }, 3000);
}

RECT RectOf(HWND hwnd) {
  RECT r = {};
  GetWindowRect(hwnd, &r);
  return r;
}

using TypedInputE2e = EditorTest;

TEST_F(TypedInputE2e, IntegerInBothWidthsAndByteOrdersOverwritesThenReplacesASelection) {
  const std::wstring path = MakeFile(L"int.dat", std::string("\x00\x01\x02\x03\x04\x05\x06\x07", 8));
  HWND window = OpenFileWindow(path);
  ASSERT_NE(window, nullptr);
  HWND dialog = OpenDialog(window, miMM_InputInt, L"整数型定型入力");
  ASSERT_NE(dialog, nullptr);
  // Word (the window's default width), little-endian; the focus starts in the decimal field.
  MoveAside(dialog, window);
  ASSERT_TRUE(TypeKeys(dialog, L"{Down}12345"));     // into the hexadecimal field: 0x12345
  ASSERT_TRUE(Shows(FrameControl(dialog, kEditOut), L"2345h"));
  Screenshot(L"typed-input-integer-dialog");
  ASSERT_TRUE(Press(dialog, IDOK));
  // DoubleWord big-endian over a selection of three bytes.
  // A click into the hexadecimal field (the button took the focus), then Page Up: DoubleWord.
  HWND hex = FrameControl(dialog, kEditHex);
  PostMessageW(hex, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 8));
  PostMessageW(hex, WM_LBUTTONUP, 0, MAKELPARAM(4, 8));
  ASSERT_TRUE(TypeKeys(dialog, L"{PgUp}"));
  ASSERT_TRUE(Shows(FrameControl(dialog, kMaxHex), L"FFFFFFFFh"));
  SendMessageW(FrameControl(dialog, kByteOrderList), CB_SETCURSEL, 1, 0);
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(PressShortcut(window, VK_RIGHT, MOD_SHIFT));
  ASSERT_TRUE(WaitForCaretAddress(window, 5));
  ASSERT_TRUE(Press(dialog, IDOK));
  EXPECT_TRUE(SavedAs(window, path, std::string("\x45\x23\x00\x01\x23\x45\x05\x06\x07", 9))) << ReadWholeFile(path);

  // The dialog keeps its offset when the window moves.
  const RECT before = RectOf(dialog), owner = RectOf(window);
  SetWindowPos(window, nullptr, owner.left + 40, owner.top + 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_TRUE(WaitUntil([&] { return RectOf(dialog).left == before.left + 40 && RectOf(dialog).top == before.top + 30; }));
}

TEST_F(TypedInputE2e, StringWithANewlineInEachCharacterSet) {
  const std::wstring path = MakeFile(L"str.dat", "");
  HWND window = OpenFileWindow(path);
  ASSERT_NE(window, nullptr);
  HWND dialog = OpenDialog(window, miMM_InputStr, L"文字列型定型入力");
  ASSERT_NE(dialog, nullptr);
  MoveAside(dialog, window);
  ASSERT_TRUE(TypeKeys(dialog, L"\u3042{Enter}b"));  // あ, a newline, b
  HWND frame = FindWindowExW(dialog, nullptr, L"TOvnxInputFrame", nullptr);
  ASSERT_TRUE(Shows(GetDlgItem(frame, kEditBox), L"\u3042\r\nb"));
  struct Choice {
    int newLine, set;
  };
  const Choice choices[] = {{2, 0}, {1, 1}, {0, 2}, {2, 3}};  // LF SJIS, CR JIS, CRLF EUC, LF Unicode
  for (int i = 0; i < 4; ++i) {
    SendMessageW(GetDlgItem(frame, 202), CB_SETCURSEL, choices[i].newLine, 0);
    SendMessageW(GetDlgItem(frame, 203), CB_SETCURSEL, choices[i].set, 0);
    if (i == 3) Screenshot(L"typed-input-string-dialog");
    ASSERT_TRUE(Press(dialog, IDOK));
  }
  const std::string expected = std::string("\x82\xA0\n" "b", 4) + "\x1B$B$\"\x1B(J\rb" + "\xA4\xA2\r\nb" +
                               std::string("\x42\x30\n\0b\0", 6);
  EXPECT_TRUE(SavedAs(window, path, expected)) << ReadWholeFile(path);
}

TEST_F(TypedInputE2e, BitAndByteRotateOfASelection) {
  const std::wstring path = MakeFile(L"rot.dat", "\x12\x34\x56\x78\x9A");
  HWND window = OpenFileWindow(path);
  ASSERT_NE(window, nullptr);
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(PressShortcut(window, VK_RIGHT, MOD_SHIFT));
  ASSERT_TRUE(WaitForCaretAddress(window, 4));
  HWND bits = OpenDialog(window, miMM_BitRoll, L"n ビットローテート");
  ASSERT_NE(bits, nullptr);
  MoveAside(bits, window);
  ASSERT_TRUE(TypeKeys(bits, L"{Back}x4"));  // the letter is dropped
  ASSERT_TRUE(Shows(GetDlgItem(bits, kRotateEdit), L"4"));
  Screenshot(L"typed-input-bit-rotate-dialog");
  ASSERT_TRUE(Press(bits, IDOK));             // right by 4 bits
  PostMenuCommand(window, MenuIdOf(miMM_BitRoll));  // the command closes it again
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(bits); }));
  HWND bytes = OpenDialog(window, miMM_ByteRoll, L"n バイトローテート");
  ASSERT_NE(bytes, nullptr);
  ASSERT_TRUE(TypeKeys(bytes, L"{Back}5"));  // five bytes of a four-byte selection: one
  ASSERT_TRUE(Shows(GetDlgItem(bytes, kRotateEdit), L"5"));
  ASSERT_TRUE(Press(bytes, kRotateLeft));
  ASSERT_TRUE(Press(bytes, IDOK));
  EXPECT_TRUE(SavedAs(window, path, "\x23\x45\x67\x81\x9A")) << ReadWholeFile(path);
}

TEST_F(TypedInputE2e, ViewOnlyWindowOpensNoInputDialog) {
  const std::wstring path = MakeFile(L"driver.sys", "ABCD");  // opens view-only by its extension
  StartLauncher(L"\"" + path + L"\"");
  auto box = WaitForMessageBox(L"情報");
  ASSERT_TRUE(box);
  ASSERT_TRUE(AnswerMessageBox(box->hwnd, L"OK"));
  HWND window = WaitForWindow(L"TOvnxBinaryFormWClass", EditorCaptionFor(path));
  ASSERT_NE(window, nullptr);
  PostMenuCommand(window, MenuIdOf(miMM_InputInt));
  PostMenuCommand(window, MenuIdOf(miMM_ByteRoll));
  HWND opened = nullptr;
  EXPECT_FALSE(WaitUntil([&] {
    opened = FindTopWindow(L"#32770", L"整数型定型入力");
    return opened || FindTopWindow(L"#32770", L"n バイトローテート");
  }, 1500));
}

}  // namespace
}  // namespace ovx::e2e
