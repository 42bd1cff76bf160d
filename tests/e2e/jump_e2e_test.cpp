// The address jump dialog and the relative jump tool used as a user would: the caret address is
// read off the information panel, the boundary questions answered both ways.
#include "charset/win32/FrmInputInt.h"
#include "editor/MenuItems.h"
#include "editor/win32/InformationPanel.h"
#include "editor/win32/JumpTools.h"
#include "tests/e2e/E2eDriver.h"

namespace ovx::e2e {
namespace {

const std::wstring kBeforeStart = L"指定のアドレスがファイル先頭を越えています.\r\nファイル先頭にジャンプします.";
const std::wstring kPastEnd = L"指定のアドレスがファイル末尾を越えています.\r\nファイル末尾にジャンプします.";

// The caret address as the information panel shows it, e.g. "00000016h".
bool PanelShowsAddress(HWND window, std::int64_t address) {
  wchar_t expected[16] = {};
  swprintf(expected, 16, L"%8.8llxh", static_cast<long long>(address));
  return WaitUntil([&] { return InformationLabel(window, TInformationPanel::HexLabelId(ibAddress)) == expected; },
                   3000);
}

HWND OpenTool(HWND window, TMenuItem item, const std::wstring& caption) {
  PostMenuCommand(window, MenuIdOf(item));
  return WaitForWindow(L"#32770", caption);
}

HWND FrameControl(HWND dialog, int id) {
  HWND frame = FindWindowExW(dialog, nullptr, L"TOvnxInputFrame", nullptr);
  return frame ? GetDlgItem(frame, id) : nullptr;
}

// A click at the right end of an integer field: it takes the focus with the caret after the last digit
// (a pressed button keeps the focus otherwise).
void FocusAtEnd(HWND field) {
  RECT r = {};
  GetClientRect(field, &r);
  const LPARAM at = MAKELPARAM(r.right - 2, r.bottom / 2);
  PostMessageW(field, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(field, WM_LBUTTONUP, 0, at);
}

// Presses a button without waiting for what it does (it may ask a question).
void Click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

// The boundary question: its exact text and its two buttons, answered with the given one.
void Answer(const std::wstring& text, const std::wstring& button) {
  auto box = WaitForMessageBox(L"警告");
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, text);
  EXPECT_EQ(box->buttons, (std::vector<std::wstring>{L"OK", L"中止(&A)"}));
  ASSERT_TRUE(AnswerMessageBox(box->hwnd, button));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box->hwnd); }));
}

// The open boundary questions (warning boxes) of the program.
int OpenWarnings() {
  int count = 0;
  EnumWindows(
      [](HWND w, LPARAM n) {
        if (IsWindowVisible(w) && ClassOf(w) == L"#32770" && Caption(w) == L"警告") ++*reinterpret_cast<int*>(n);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count;
}

// Nothing asked within a moment.
bool NoQuestion() { return !WaitForMessageBox(L"警告", 0, 700); }

using JumpE2e = EditorTest;

TEST_F(JumpE2e, AddressJumpAbsoluteAndRelativeWithBothBoundaryQuestions) {
  HWND window = OpenFileWindow(MakeFile(L"jump.dat", std::string(0x40, 'J')));
  ASSERT_NE(window, nullptr);
  // F5 of the standard key template.
  ASSERT_TRUE(PressShortcut(window, VK_F5));
  HWND dialog = WaitForWindow(L"#32770", L"アドレスジャンプ");
  ASSERT_NE(dialog, nullptr);
  HWND hex = FrameControl(dialog, TFrmInputInt::idEditHex), list = FrameControl(dialog, TFrmInputInt::idAddress);
  // The bound is the last byte's address; the list starts at 絶対指定 and the width list is off.
  EXPECT_TRUE(Shows(FrameControl(dialog, TFrmInputInt::idMaxHex), L"3Fh"));
  EXPECT_TRUE(Shows(FrameControl(dialog, TFrmInputInt::idMaxDec), L"63d"));
  EXPECT_EQ(TextOf(FrameControl(dialog, TFrmInputInt::idCapture)), L"現在アドレス取込(&G)");
  EXPECT_EQ(SendMessageW(list, CB_GETCURSEL, 0, 0), 0);
  EXPECT_FALSE(IsWindowEnabled(FrameControl(dialog, TFrmInputInt::idVariable)));
  EXPECT_EQ(TextOf(GetDlgItem(dialog, IDOK)), L"ジャンプ");

  // Absolute 0x30 (the focus starts in the decimal field; Down moves to the hexadecimal one).
  ASSERT_TRUE(TypeKeys(dialog, L"{Down}30"));
  ASSERT_TRUE(Shows(hex, L"30h"));
  Screenshot(L"jump-address-dialog");
  Click(GetDlgItem(dialog, IDOK));
  ASSERT_TRUE(PanelShowsAddress(window, 0x30));

  // Forwards by 0x30 passes the end: 中止 stays, OK goes to the end position.
  FocusAtEnd(hex);
  ASSERT_TRUE(TypeKeys(dialog, L"+"));
  ASSERT_TRUE(WaitUntil([&] { return SendMessageW(list, CB_GETCURSEL, 0, 0) == 1; }));
  Click(GetDlgItem(dialog, IDOK));
  Answer(kPastEnd, L"中止");
  EXPECT_TRUE(PanelShowsAddress(window, 0x30));
  Click(GetDlgItem(dialog, IDOK));
  Answer(kPastEnd, L"OK");
  EXPECT_TRUE(PanelShowsAddress(window, 0x40));

  // Backwards by 0x30 twice: the second passes the start.
  FocusAtEnd(hex);
  ASSERT_TRUE(TypeKeys(dialog, L"-"));
  ASSERT_TRUE(WaitUntil([&] { return SendMessageW(list, CB_GETCURSEL, 0, 0) == 2; }));
  Click(GetDlgItem(dialog, IDOK));
  EXPECT_TRUE(PanelShowsAddress(window, 0x10));
  Click(GetDlgItem(dialog, IDOK));
  Answer(kBeforeStart, L"中止");
  EXPECT_TRUE(PanelShowsAddress(window, 0x10));
  Click(GetDlgItem(dialog, IDOK));
  Answer(kBeforeStart, L"OK");
  EXPECT_TRUE(PanelShowsAddress(window, 0));

  // Absolute to the size itself is taken without a question; the capture button reads it back.
  FocusAtEnd(hex);
  ASSERT_TRUE(TypeKeys(dialog, L"-{Del}40"));
  ASSERT_TRUE(Shows(hex, L"40h"));
  ASSERT_EQ(SendMessageW(list, CB_GETCURSEL, 0, 0), 0);
  Click(GetDlgItem(dialog, IDOK));
  EXPECT_TRUE(PanelShowsAddress(window, 0x40));
  EXPECT_TRUE(NoQuestion());
  FocusAtEnd(hex);
  ASSERT_TRUE(TypeKeys(dialog, L"{Del}"));
  ASSERT_TRUE(Shows(hex, L"0h"));
  Click(FrameControl(dialog, TFrmInputInt::idCapture));
  EXPECT_TRUE(Shows(hex, L"40h"));

  // The bound follows the size: one byte deleted, 3Eh.
  ASSERT_TRUE(PressShortcut(window, VK_LEFT, MOD_SHIFT));
  ASSERT_TRUE(WaitUntil([&] { return InformationLabel(window, TInformationPanel::HexLabelId(ibRange)) == L"00000001h"; }));
  PostMenuCommand(window, MenuIdOf(miMM_Delete));
  EXPECT_TRUE(Shows(FrameControl(dialog, TFrmInputInt::idMaxHex), L"3Eh"));
  // The command closes the open dialog.
  PostMenuCommand(window, MenuIdOf(miMM_AddressJump));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
}

TEST_F(JumpE2e, AddressJumpIsRefusedForAnEmptyDocument) {
  HWND window = OpenFileWindow(MakeFile(L"empty.dat", ""));
  ASSERT_NE(window, nullptr);
  PostMenuCommand(window, MenuIdOf(miMM_AddressJump));
  EXPECT_FALSE(WaitUntil([] { return FindTopWindow(L"#32770", L"アドレスジャンプ") != nullptr; }, 1500));
}

using JumpE2eBeep = BeepingEditorTest;

TEST_F(JumpE2eBeep, RelativeJumpWalksTheDistancePerEnterInAViewOnlyWindowAndBeepsOnZero) {
  // Opened view-only by its extension, after the information box.
  const std::wstring path = MakeFile(L"driver.sys", std::string(0x40, 'R'));
  StartLauncher(L"\"" + path + L"\"");
  auto info = WaitForMessageBox(L"情報");
  ASSERT_TRUE(info);
  ASSERT_TRUE(AnswerMessageBox(info->hwnd, L"OK"));
  HWND window = WaitForWindow(L"TOvnxBinaryFormWClass", EditorCaptionFor(path));
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(PanelShowsAddress(window, 0));
  // Ctrl+Shift+F6 of the standard key template.
  ASSERT_TRUE(PressShortcut(window, VK_F6, MOD_CONTROL | MOD_SHIFT));
  HWND tool = WaitForWindow(L"#32770", L"相対ジャンプツール");
  ASSERT_NE(tool, nullptr);
  RECT client = {};
  GetClientRect(tool, &client);
  EXPECT_EQ(client.right, 416);
  EXPECT_EQ(client.bottom, 52);
  HWND field = GetDlgItem(tool, rjAddress), direction = GetDlgItem(tool, rjDirection);
  EXPECT_EQ(SendMessageW(GetDlgItem(tool, rjHex), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(direction, CB_GETCURSEL, 0, 0), 0);

  // 16 in hexadecimal: every Enter walks 0x16 bytes on; the third would pass the end.
  ASSERT_TRUE(TypeKeys(tool, L"16"));
  ASSERT_TRUE(Shows(field, L"16h"));
  Screenshot(L"jump-relative-tool");
  ASSERT_TRUE(TypeKeys(tool, L"{Enter}"));
  EXPECT_TRUE(PanelShowsAddress(window, 0x16));
  ASSERT_TRUE(TypeKeys(tool, L"{Enter}"));
  EXPECT_TRUE(PanelShowsAddress(window, 0x2C));
  ASSERT_TRUE(TypeKeys(tool, L"{Enter}"));
  ASSERT_TRUE(WaitForMessageBox(L"警告"));
  // The tool is disabled while the question waits: ジャンプ(&J) pressed again beeps and asks nothing.
  EXPECT_FALSE(IsWindowEnabled(tool));
  Click(GetDlgItem(tool, IDOK));
  EXPECT_TRUE(WaitUntil([&] { return Beeps() == 1; }, 3000));
  EXPECT_FALSE(WaitUntil([] { return OpenWarnings() > 1; }, 700));
  Answer(kPastEnd, L"中止");
  EXPECT_TRUE(PanelShowsAddress(window, 0x2C));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(tool) != FALSE; }));

  // "-" turns it round; Up and Down cycle the radix of the same value.
  FocusAtEnd(field);
  ASSERT_TRUE(TypeKeys(tool, L"-"));
  ASSERT_TRUE(WaitUntil([&] { return SendMessageW(direction, CB_GETCURSEL, 0, 0) == 1; }));
  ASSERT_TRUE(TypeKeys(tool, L"{Up}"));
  EXPECT_TRUE(Shows(field, L"22d"));
  EXPECT_EQ(SendMessageW(GetDlgItem(tool, rjDec), BM_GETCHECK, 0, 0), BST_CHECKED);
  ASSERT_TRUE(TypeKeys(tool, L"{Down}{Enter}"));
  EXPECT_TRUE(Shows(field, L"16h"));
  EXPECT_TRUE(PanelShowsAddress(window, 0x16));
  ASSERT_TRUE(TypeKeys(tool, L"+"));
  ASSERT_TRUE(WaitUntil([&] { return SendMessageW(direction, CB_GETCURSEL, 0, 0) == 0; }));

  // A distance of 0 only beeps.
  ASSERT_TRUE(TypeKeys(tool, L"{Del}"));
  ASSERT_TRUE(Shows(field, L"0h"));
  ASSERT_TRUE(TypeKeys(tool, L"{Enter}"));
  EXPECT_TRUE(WaitUntil([&] { return Beeps() == 2; }, 3000));
  EXPECT_TRUE(NoQuestion());
  EXPECT_TRUE(PanelShowsAddress(window, 0x16));

  // The address jump works in the view-only window too.
  HWND dialog = OpenTool(window, miMM_AddressJump, L"アドレスジャンプ");
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(TypeKeys(dialog, L"{Down}3"));
  ASSERT_TRUE(Shows(FrameControl(dialog, TFrmInputInt::idEditHex), L"3h"));
  Click(GetDlgItem(dialog, IDOK));
  EXPECT_TRUE(PanelShowsAddress(window, 3));
  // The menu command closes the open tool.
  PostMenuCommand(window, MenuIdOf(miMM_RelativeJump));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(tool); }));
}

}  // namespace
}  // namespace ovx::e2e
