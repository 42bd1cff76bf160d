// The typed input and rotate dialogs used as a user would: opened by their commands, typed into,
// run, and the bytes checked on disk after a save.
#include "editor/MenuItems.h"
#include "tests/e2e/E2eDriver.h"

namespace ovx::e2e {
namespace {

// Control ids of the integer and string frames and of the rotate dialog (the program's own).
constexpr int kVariableList = 101, kByteOrderList = 103, kEditHex = 106, kMaxHex = 108, kEditOut = 109, kCapture = 110;
constexpr int kEditBox = 201, kRotateEdit = 302, kRotateLeft = 304;

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
  // The capture button takes the Word at the caret, now 02 03 (little-endian).
  ASSERT_TRUE(Press(FindWindowExW(dialog, nullptr, L"TOvnxInputFrame", nullptr), kCapture));
  EXPECT_TRUE(Shows(FrameControl(dialog, kEditHex), L"302h"));
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
  EXPECT_TRUE(SavedAs(window, path, std::string("\x45\x23\x00\x00\x03\x02\x05\x06\x07", 9))) << ReadWholeFile(path);

  // Closed and opened again, the dialog starts with the width, byte order and field last used:
  // DoubleWord, big-endian, the hexadecimal field.
  PostMenuCommand(window, MenuIdOf(miMM_InputInt));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
  dialog = OpenDialog(window, miMM_InputInt, L"整数型定型入力");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(SendMessageW(FrameControl(dialog, kVariableList), CB_GETCURSEL, 0, 0), 1);
  EXPECT_TRUE(Shows(FrameControl(dialog, kMaxHex), L"FFFFFFFFh"));
  EXPECT_EQ(SendMessageW(FrameControl(dialog, kByteOrderList), CB_GETCURSEL, 0, 0), 1);
  EXPECT_TRUE(WaitUntil([&] {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) &&
           info.hwndFocus == FrameControl(dialog, kEditHex);
  })) << "the hexadecimal field has the focus";
  // The dialog keeps its offset when the window moves.
  const RECT before = WindowRect(dialog), owner = WindowRect(window);
  SetWindowPos(window, nullptr, owner.left + 40, owner.top + 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_TRUE(WaitUntil([&] {
    return WindowRect(dialog).left == before.left + 40 && WindowRect(dialog).top == before.top + 30;
  }));
  // Another window of the editor in front: the dialog hides, and comes back with its own window.
  HWND second = OpenFileWindow(MakeFile(L"other.dat", "X"), kWaitMs, true);
  ASSERT_NE(second, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }));
  SetForegroundWindow(window);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(dialog); }));
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

// A character the chosen set lacks is named in a box, nothing is written and the text stays.
TEST_F(TypedInputE2e, ARefusedCharacterWritesNothing) {
  const std::wstring path = MakeFile(L"refused.dat", "");
  HWND window = OpenFileWindow(path);
  ASSERT_NE(window, nullptr);
  HWND dialog = OpenDialog(window, miMM_InputStr, L"文字列型定型入力");
  ASSERT_NE(dialog, nullptr);
  MoveAside(dialog, window);
  HWND box = FrameControl(dialog, kEditBox);
  const std::string text;  // nothing written yet
  SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"a\u00FCb"));  // aüb
  SendMessageW(FrameControl(dialog, 203), CB_SETCURSEL, 1, 0);             // JIS
  PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  const auto refusal = WaitForMessageBox(L"エラー", ProcessOf(window));
  ASSERT_TRUE(refusal.has_value());
  EXPECT_NE(refusal->text.find(L"JIS で表せない文字が含まれています.\r\n「\u00FC」"), std::wstring::npos)
      << refusal->text;
  Screenshot(L"typed-input-string-refused");
  ASSERT_TRUE(AnswerMessageBox(refusal->hwnd, L"OK"));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(refusal->hwnd); }));
  EXPECT_TRUE(IsWindow(dialog));
  EXPECT_TRUE(Shows(box, L"a\u00FCb"));
  DWORD from = 0, to = 0;
  SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  EXPECT_EQ(from, 1u);  // the refused character is selected
  EXPECT_EQ(to, 2u);
  EXPECT_EQ(CopyAllBytes(window).value_or(""), text);
}

// Esc in the string box closes the dialog as キャンセル does and writes nothing; Tab moves on to
// the next control; the frame stays whole, so 入力 writes the text.
TEST_F(TypedInputE2e, EscAndTabInTheStringBoxBelongToTheDialog) {
  const std::wstring path = MakeFile(L"esc.dat", "0123");
  HWND window = OpenFileWindow(path);
  ASSERT_NE(window, nullptr);
  HWND dialog = OpenDialog(window, miMM_InputStr, L"文字列型定型入力");
  ASSERT_NE(dialog, nullptr);
  HWND box = FrameControl(dialog, kEditBox);
  MoveAside(dialog, window);
  ASSERT_TRUE(TypeKeys(dialog, L"xy"));
  ASSERT_TRUE(Shows(box, L"xy"));
  ASSERT_TRUE(TypeKeys(dialog, L"{Tab}"));
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  EXPECT_TRUE(WaitUntil([&] {
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
    return info.hwndFocus && info.hwndFocus != box;
  }, 3000)) << "Tab stayed in the box";
  ASSERT_TRUE(IsWindow(box)) << "the frame went";
  ASSERT_TRUE(Press(dialog, IDOK));
  EXPECT_TRUE(WaitUntil([&] { return CopyAllBytes(window) == std::optional<std::string>("xy23"); }))
      << CopyAllBytes(window).value_or("(none)");

  // 入力 keeps the dialog open: back into the box, more text, then Esc.
  PostMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(box), TRUE);
  ASSERT_TRUE(WaitUntil([&] {
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
    return info.hwndFocus == box;
  }, 3000));
  SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"ab"));
  ASSERT_TRUE(TypeKeys(dialog, L"{Esc}"));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 3000)) << "Esc left the dialog open";
  EXPECT_EQ(CopyAllBytes(window), std::optional<std::string>("xy23"));
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
  // Five bytes of a four-byte selection: one. Forty digits, read whole.
  const std::wstring five = std::wstring(39, L'0') + L"5";
  ASSERT_TRUE(TypeKeys(bytes, L"{Back}" + five));
  ASSERT_TRUE(Shows(GetDlgItem(bytes, kRotateEdit), five));
  ASSERT_TRUE(Press(bytes, kRotateLeft));
  RedrawWindow(bytes, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
  Screenshot(L"typed-input-byte-rotate-dialog");
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

namespace ovx::e2e {
namespace {

constexpr int kCharaSetList = 401, kSelChar = 402;

// The picker's row at the top of the list, its code set chosen as the list does it.
void ShowPickerRows(HWND frame, int set, int topRow) {
  HWND list = GetDlgItem(frame, kCharaSetList);
  SendMessageW(list, CB_SETCURSEL, set, 0);
  SendMessageW(frame, WM_COMMAND, MAKEWPARAM(kCharaSetList, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  SendMessageW(GetDlgItem(frame, kSelChar), LB_SETTOPINDEX, topRow, 0);
  UpdateWindow(GetDlgItem(frame, kSelChar));
}

// A pixel of the glyph square of a row on the screen: x from the square's left, y from the row's top.
COLORREF GlyphPixel(HWND picker, int row, int x, int y) {
  const int top = static_cast<int>(SendMessageW(picker, LB_GETTOPINDEX, 0, 0));
  POINT p = {x, (row - top) * 16 + y};
  ClientToScreen(picker, &p);
  HDC screen = GetDC(nullptr);
  const COLORREF c = GetPixel(screen, p.x, p.y);
  ReleaseDC(nullptr, screen);
  return c;
}

void DoubleClickRow(HWND picker, int row) {
  SendMessageW(picker, LB_SETTOPINDEX, row, 0);
  const LPARAM at = MAKELPARAM(60, 8);
  PostMessageW(picker, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(picker, WM_LBUTTONUP, 0, at);
  PostMessageW(picker, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  PostMessageW(picker, WM_LBUTTONUP, 0, at);
}

using TypedInputE2eChar = EditorTest;

TEST_F(TypedInputE2eChar, PickedCharactersAreWrittenAndTheGlyphFollowsTheSet) {
  const std::wstring path = MakeFile(L"char.dat", "ABCD");
  HWND window = OpenFileWindow(path);
  ASSERT_NE(window, nullptr);
  PostMenuCommand(window, MenuIdOf(miMM_InputChar));
  HWND dialog = WaitForWindow(L"#32770", L"キャラクタ型定型入力");
  ASSERT_NE(dialog, nullptr);
  HWND frame = FindWindowExW(dialog, nullptr, L"TOvnxInputFrame", nullptr);
  HWND picker = GetDlgItem(frame, kSelChar);
  // Nothing picked yet: 入力 only puts the focus into the table.
  SetFocus(nullptr);
  DWORD_PTR result = 0;
  SendMessageTimeoutW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, kWaitMs, &result);
  GUITHREADINFO info = {sizeof info};
  GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
  EXPECT_EQ(info.hwndFocus, picker);
  EXPECT_EQ(SendMessageW(picker, LB_GETCOUNT, 0, 0), 128);

  // Row 0x5C: a backslash in ASCII, a yen sign in JIS X 0201 (its second bar, row 8, reaches x = 5).
  constexpr COLORREF kSilver = RGB(192, 192, 192), kInk = RGB(0, 0, 0);
  ShowPickerRows(frame, 0, 0x50);
  EXPECT_TRUE(WaitUntil([&] { return GlyphPixel(picker, 0x5C, 4 + 1, 8) == kSilver; }, 3000));
  EXPECT_EQ(GlyphPixel(picker, 0x5C, 4 + 3, 8), kInk);  // the backslash's stroke
  Screenshot(L"typed-input-char-ascii");
  ShowPickerRows(frame, 1, 0x50);
  EXPECT_EQ(SendMessageW(picker, LB_GETCOUNT, 0, 0), 256);
  EXPECT_TRUE(WaitUntil([&] { return GlyphPixel(picker, 0x5C, 4 + 1, 8) == kInk; }, 3000));
  DoubleClickRow(picker, 0x5C);
  EXPECT_TRUE(WaitUntil([&] { return SendMessageW(picker, LB_GETCURSEL, 0, 0) == 0x5C; }, 3000));
  ShowPickerRows(frame, 1, 0xB0);
  Screenshot(L"typed-input-char-jis-katakana");
  ShowPickerRows(frame, 2, 0xE8);
  Screenshot(L"typed-input-char-nec");
  DoubleClickRow(picker, 0xF2);
  EXPECT_TRUE(WaitUntil([&] { return SendMessageW(picker, LB_GETCURSEL, 0, 0) == 0xF2; }, 3000));
  ASSERT_TRUE(PressShortcut(window, 'S', MOD_CONTROL));
  EXPECT_TRUE(WaitUntil([&] { return ReadWholeFile(path) == "\x5C\xF2" "CD"; }, 3000)) << ReadWholeFile(path);
}

}  // namespace
}  // namespace ovx::e2e
