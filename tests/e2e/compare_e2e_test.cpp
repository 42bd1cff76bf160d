// Comparison, the information panel, the batch setting panel and the text output, worked from
// outside as a user would.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "editor/MenuItems.h"
#include "editor/win32/DlgSetting.h"
#include "editor/win32/InformationPanel.h"
#include "tests/e2e/E2eDriver.h"

namespace ovx::e2e {
namespace {

std::wstring SubKey(const std::wstring& name) { return std::wstring(kSettingsRoot) + L"\\" + name; }

bool PressButton(HWND box, int id) {
  HWND button = GetDlgItem(box, id);
  if (!button) return false;
  PostMessageW(button, BM_CLICK, 0, 0);
  return true;
}

// The background at the left margin of the cell the caret stands on, read off the screen.
COLORREF CaretCellBackground(HWND window) {
  auto caret = CaretPosition(window);
  if (!caret) return CLR_INVALID;
  POINT at = {caret->caret.left - 1, caret->caret.top + 2};
  ClientToScreen(caret->view, &at);
  HDC screen = GetDC(nullptr);
  const COLORREF c = GetPixel(screen, at.x, at.y);
  ReleaseDC(nullptr, screen);
  return c;
}

constexpr COLORREF kBiggerBG = RGB(255, 200, 200), kSmallerBG = RGB(200, 200, 255), kOverBG = RGB(200, 255, 200);

// Separate backgrounds for the comparison colours, so that the screen tells them apart.
void UseComparisonBackgrounds() {
  WriteRegistryDword(SubKey(L"Color"), L"DifferenceBiggerBG", kBiggerBG);
  WriteRegistryDword(SubKey(L"Color"), L"DifferenceSmallerBG", kSmallerBG);
  WriteRegistryDword(SubKey(L"Color"), L"OverBG", kOverBG);
}

// Starts 指定ファイルと比較 and answers its open dialog with the file.
bool CompareWithFile(HWND window, const std::wstring& path) {
  PostMenuCommand(window, MenuIdOf(miMM_CompareFile));
  auto dialog = WaitForMessageBox(L"比較ファイルを開く", ProcessOf(window));
  return dialog && ConfirmFileDialog(dialog->hwnd, path);
}

using CompareE2e = EditorTest;

TEST_F(CompareE2e, WithAFileColoursMarksAndTheWalk) {
  UseComparisonBackgrounds();
  HWND window = OpenFileWindow(MakeFile(L"mine.bin", std::string("\x10\x80\x30\x80\x50\x60", 6)));
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(CompareWithFile(window, MakeFile(L"theirs.bin", std::string("\x10\x7F\x30\x81\x50\x60\x70\x71", 8))));
  EXPECT_TRUE(WaitUntil([&] { return StatusPanelText(window, 4) == L"比較 : 指定ﾌｧｲﾙ"; }));

  PostMenuCommand(window, MenuIdOf(miMM_CompareNext));
  ASSERT_TRUE(WaitForCaretAddress(window, 1));
  EXPECT_TRUE(WaitUntil([&] { return InformationLabel(window, TInformationPanel::HexLabelId(ibAddress)) == L"00000001h"; }));
  EXPECT_EQ(CaretCellBackground(window), kBiggerBG);
  PostMenuCommand(window, MenuIdOf(miMM_CompareNext));
  ASSERT_TRUE(WaitForCaretAddress(window, 3));
  EXPECT_EQ(CaretCellBackground(window), kSmallerBG);
  Screenshot(L"compare-with-a-file");
  // A change fills the last empty panel of the status bar.
  TypeKeys(window, L"{Right}{Right}9");
  EXPECT_TRUE(WaitUntil([&] { return StatusPanelText(window, 0) == L"変更"; }));
  Screenshot(L"status-bar-every-panel");

  // Past the own end the partner's bytes are over; nothing more differs.
  TypeKeys(window, L"{End}{Right}");
  ASSERT_TRUE(WaitForCaretAddress(window, 6));
  PostMenuCommand(window, MenuIdOf(miMM_CompareNext));
  auto box = WaitForMessageBox(L"警告", ProcessOf(window));
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, L"相違点が見付かりません.");
  PressButton(box->hwnd, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box->hwnd); }));

  PostMenuCommand(window, MenuIdOf(miMM_CompareQuit));
  EXPECT_TRUE(WaitUntil([&] { return StatusPanelText(window, 4).empty(); }));
}

TEST_F(CompareE2e, OpeningTheComparedFileAndReloadingTheDiskState) {
  const std::wstring theirs = MakeFile(L"theirs.bin", "abcd");
  HWND window = OpenFileWindow(MakeFile(L"mine.bin", "abXd"));
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(CompareWithFile(window, theirs));
  ASSERT_TRUE(WaitUntil([&] { return StatusPanelText(window, 4) == L"比較 : 指定ﾌｧｲﾙ"; }));
  StartLauncher(L"\"" + theirs + L"\"");
  ASSERT_TRUE(WaitForEditorWindowCount(2));
  EXPECT_TRUE(WaitUntil([&] { return StatusPanelText(window, 4) == L"比較 : 指定ｳｨﾝﾄﾞｳ"; }));
  HWND other = nullptr;
  for (HWND w : EditorWindows())
    if (w != window) other = w;
  ASSERT_NE(other, nullptr);
  CloseEditorWindow(other);
  ASSERT_TRUE(WaitForEditorWindowCount(1));
  EXPECT_TRUE(WaitUntil([&] { return StatusPanelText(window, 4).empty(); }));

  // The state on disk, then again after another program changed the file.
  PostMenuCommand(window, MenuIdOf(miMM_ComparePresent));
  ASSERT_TRUE(WaitUntil([&] { return StatusPanelText(window, 4) == L"比較 : 現状ﾌｧｲﾙ"; }));
  MakeFile(L"mine.bin", "zbXd");
  PostMenuCommand(window, MenuIdOf(miMM_ComparePresent));
  PostMenuCommand(window, MenuIdOf(miMM_CompareNext));
  EXPECT_TRUE(WaitForCaretAddress(window, 0));
  EXPECT_EQ(StatusPanelText(window, 4), L"比較 : 現状ﾌｧｲﾙ");
}

TEST_F(CompareE2e, TheWindowsOwnFileIsComparedAsItIsOnDisk) {
  const std::wstring path = MakeFile(L"own.bin", "abcd");
  HWND window = OpenFileWindow(path);
  ASSERT_NE(window, nullptr);
  TypeKeys(window, L"{Right}{Right}9{Home}");
  ASSERT_TRUE(WaitUntil([&] { return StatusPanelText(window, 0) == L"変更"; }));
  ASSERT_TRUE(WaitForCaretAddress(window, 0));
  ASSERT_TRUE(CompareWithFile(window, path));
  EXPECT_TRUE(WaitUntil([&] { return StatusPanelText(window, 4) == L"比較 : 現状ﾌｧｲﾙ"; }));
  PostMenuCommand(window, MenuIdOf(miMM_CompareNext));
  EXPECT_TRUE(WaitForCaretAddress(window, 2));
}

TEST_F(CompareE2e, WithAnotherWindowUntilItCloses) {
  HWND window = OpenFileWindow(MakeFile(L"a.bin", "abcd"));
  ASSERT_NE(window, nullptr);
  StartLauncher(L"\"" + MakeFile(L"b.bin", "abzd") + L"\"");
  ASSERT_TRUE(WaitForEditorWindowCount(2));
  PostMenuCommand(window, MenuIdOf(miMM_CompareWindow));
  auto list = WaitForMessageBox(L"ウィンドウ一覧", ProcessOf(window));
  ASSERT_TRUE(list) << "no window list";
  HWND listBox = FindWindowExW(list->hwnd, nullptr, L"ListBox", nullptr);
  ASSERT_NE(listBox, nullptr);
  const LRESULT count = SendMessageW(listBox, LB_GETCOUNT, 0, 0);
  int pick = -1;
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t line[512] = {};
    SendMessageW(listBox, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line));
    if (std::wstring(line).find(L"b.bin") != std::wstring::npos) pick = static_cast<int>(i);
  }
  ASSERT_GE(pick, 0);
  SendMessageW(listBox, LB_SETCURSEL, pick, 0);
  PressButton(list->hwnd, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return StatusPanelText(window, 4) == L"比較 : 指定ｳｨﾝﾄﾞｳ"; }));
  HWND other = nullptr;
  for (HWND w : EditorWindows())
    if (w != window) other = w;
  CloseEditorWindow(other);
  ASSERT_TRUE(WaitForEditorWindowCount(1));
  EXPECT_TRUE(WaitUntil([&] { return StatusPanelText(window, 4).empty(); }));
}

TEST_F(CompareE2e, InformationPanelAndCopyButton) {
  HWND window = OpenFileWindow(MakeFile(L"v.bin", std::string("\x12\x34\x56\x78\xFF", 5)));
  ASSERT_NE(window, nullptr);
  // The panel's labels change one after another: wait for all of them, then name any that differs.
  auto expectLabels = [&](const std::vector<std::pair<int, std::wstring>>& expected) {
    WaitUntil([&] {
      for (const auto& [id, text] : expected)
        if (InformationLabel(window, id) != text) return false;
      return true;
    });
    for (const auto& [id, text] : expected) EXPECT_EQ(InformationLabel(window, id), text) << "label " << id;
  };
  expectLabels({{TInformationPanel::HexLabelId(ibDWord), L"78563412h"},
                {TInformationPanel::DecLabelId(ibDWord), L"2018915346"},
                {TInformationPanel::HexLabelId(ibFileSize), L"00000005h"}});
  TypeKeys(window, L"{End}");
  ASSERT_TRUE(WaitForCaretAddress(window, 5));
  expectLabels({{TInformationPanel::HexLabelId(ibBit), L"----,----"},
                {TInformationPanel::HexLabelId(ibByte), L"--h"},
                {TInformationPanel::HexLabelId(ibWord), L"----h"},
                {TInformationPanel::HexLabelId(ibDWord), L"--------h"}});
  Screenshot(L"information-panel-at-the-end");
  TypeKeys(window, L"{Left}");
  ASSERT_TRUE(WaitForCaretAddress(window, 4));
  EmptyTheClipboard();
  HWND panel = InformationPanelOf(window);
  ASSERT_NE(panel, nullptr);
  PostMessageW(GetDlgItem(panel, TInformationPanel::CopyButtonId(ibByte)), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil([&] {
    if (!OpenClipboard(nullptr)) return false;
    std::string text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
      text = static_cast<const char*>(GlobalLock(data));
      GlobalUnlock(data);
    }
    CloseClipboard();
    return text == "ffh (255)";
  }));
  Screenshot(L"status-bar-and-information-panel");
}

TEST_F(CompareE2e, BatchSettingChangesTheCharacterSetAndHidesBars) {
  HWND window = OpenFileWindow(MakeFile(L"s.bin", "text"));
  ASSERT_NE(window, nullptr);
  PostMenuCommand(window, MenuIdOf(miMM_LumpSetting));
  auto dialog = WaitForMessageBox(L"設定", ProcessOf(window));
  ASSERT_TRUE(dialog) << "no batch setting panel";
  Screenshot(L"batch-setting-panel");
  EXPECT_EQ(SendMessageW(GetDlgItem(dialog->hwnd, TDlgSetting::ButtonId(3, 1)), BM_GETCHECK, 0, 0), BST_CHECKED);
  PostMessageW(GetDlgItem(dialog->hwnd, TDlgSetting::ButtonId(3, 4)), BM_CLICK, 0, 0);   // Unicode
  PostMessageW(GetDlgItem(dialog->hwnd, TDlgSetting::ButtonId(7, 1)), BM_CLICK, 0, 0);   // no status bar
  PostMessageW(GetDlgItem(dialog->hwnd, TDlgSetting::ButtonId(6, 1)), BM_CLICK, 0, 0);   // no function bar
  PressButton(dialog->hwnd, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog->hwnd); }));
  HWND status = FindWindowExW(window, nullptr, L"msctls_statusbar32", nullptr);
  EXPECT_TRUE(WaitUntil([&] { return status && !IsWindowVisible(status); }));
  // The character set shows in the caption strip; the menu item is checked.
  PostMenuCommand(window, MenuIdOf(miMM_LumpSetting));
  dialog = WaitForMessageBox(L"設定", ProcessOf(window));
  ASSERT_TRUE(dialog);
  EXPECT_EQ(SendMessageW(GetDlgItem(dialog->hwnd, TDlgSetting::ButtonId(3, 4)), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(GetDlgItem(dialog->hwnd, TDlgSetting::ButtonId(7, 1)), BM_GETCHECK, 0, 0), BST_CHECKED);
  PostMessageW(GetDlgItem(dialog->hwnd, TDlgSetting::ButtonId(3, 0)), BM_CLICK, 0, 0);
  PressButton(dialog->hwnd, IDCANCEL);  // キャンセル changes nothing
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog->hwnd); }));
  PostMenuCommand(window, MenuIdOf(miMM_LumpSetting));
  dialog = WaitForMessageBox(L"設定", ProcessOf(window));
  ASSERT_TRUE(dialog);
  EXPECT_EQ(SendMessageW(GetDlgItem(dialog->hwnd, TDlgSetting::ButtonId(3, 4)), BM_GETCHECK, 0, 0), BST_CHECKED);
  PressButton(dialog->hwnd, IDCANCEL);
}

TEST_F(CompareE2e, TextOutputOfASelectionAndIntoAFileHeldByAnother) {
  std::string data;
  for (int i = 0; i < 40; ++i) data += static_cast<char>('A' + i % 26);
  HWND window = OpenFileWindow(MakeFile(L"d.bin", data));
  ASSERT_NE(window, nullptr);
  TypeKeys(window, L"{Right}{Right}{Right}");
  ASSERT_TRUE(WaitForCaretAddress(window, 3));
  for (int i = 0; i < 17; ++i) PressShortcut(window, VK_RIGHT, MOD_SHIFT);
  ASSERT_TRUE(WaitForCaretAddress(window, 20));
  const std::wstring out = DataFolder() + L"dump.txt";
  PostMenuCommand(window, MenuIdOf(miMM_TextOutPut));
  auto dialog = WaitForMessageBox(L"テキスト形式で出力", ProcessOf(window));
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(ConfirmFileDialog(dialog->hwnd, out));
  const std::string expected = "[00000000]          44 45 46 47 48 49 4a 4b 4c 4d 4e 4f 50 |c2|    DEFGHIJKLMNOP\r\n"
                               "[00000010] 51 52 53 54" + std::string(37, ' ') + "|4a| QRST\r\n";
  EXPECT_TRUE(WaitUntil([&] { return ReadWholeFile(out) == expected; })) << ReadWholeFile(out);

  // A file that cannot be written (another program holds it without sharing; the tests run as
  // an administrator whom no folder refuses): after the dialog's question, the error box.
  const std::wstring locked = MakeFile(L"locked.txt", "keep");
  HANDLE holder = CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  PostMenuCommand(window, MenuIdOf(miMM_TextOutPut));
  dialog = WaitForMessageBox(L"テキスト形式で出力", ProcessOf(window));
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(ConfirmFileDialog(dialog->hwnd, locked));
  std::optional<TMessageBox> box;
  ASSERT_TRUE(WaitUntil([&] {
    box = WaitForMessageBox(L"", ProcessOf(window), 500);
    if (box && box->text.find(L"テキスト形式出力中") != std::wstring::npos) return true;
    // The file dialog's question before it replaces a file (the dialog itself has no Yes button).
    if (box && GetDlgItem(box->hwnd, IDYES)) {
      Screenshot(L"text-output-question");
      PressButton(box->hwnd, IDYES);
      WaitUntil([&] { return !IsWindow(box->hwnd); }, 3000);
    }
    return false;
  })) << (Screenshot(L"text-output-no-error-box"), "no error box");
  EXPECT_EQ(box->caption, L"エラー");
  EXPECT_EQ(box->text.rfind(L"テキスト形式出力中に例外が発生しました.\r\n", 0), 0u) << box->text;
  EXPECT_GT(box->text.size(), std::wstring(L"テキスト形式出力中に例外が発生しました.\r\n").size());
  Screenshot(L"text-output-error");
  EXPECT_EQ(box->buttons, (std::vector<std::wstring>{L"中止(&A)"})) << "中止 alone, not 再試行 and 無視 beside it";
  PressButton(box->hwnd, IDOK);
  CloseHandle(holder);
  EXPECT_EQ(ReadWholeFile(locked), "keep");
}

// The key to the new caret address through a 1 GiB pair that differs only in its last byte.
// Heavy on disk and time: runs only with OVX_E2E_COMPARE_TIMING set.
TEST_F(CompareE2e, CompareNextThroughAGibibytePairTiming) {
  if (!std::getenv("OVX_E2E_COMPARE_TIMING")) GTEST_SKIP() << "set OVX_E2E_COMPARE_TIMING to time it";
  const std::uint64_t size = std::uint64_t{1} << 30;
  const std::wstring mine = MakeSizedFile(L"mine.bin", size);
  const std::wstring theirs = MakeSizedFile(L"theirs.bin", size, "\x01");
  HWND window = OpenFileWindow(mine, 120000);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(CompareWithFile(window, theirs));
  ASSERT_TRUE(WaitUntil([&] { return StatusPanelText(window, 4) == L"比較 : 指定ﾌｧｲﾙ"; }, 120000));
  const std::vector<double> times = TimeRuns(
      10, [&] {
        PressShortcut(window, VK_HOME, MOD_CONTROL);
        return WaitForCaretAddress(window, 0, 30000);
      },
      [&] { PressShortcut(window, VK_NEXT, MOD_CONTROL | MOD_SHIFT); },  // COMPARENEXT
      [&] { return WaitForCaretAddress(window, static_cast<std::int64_t>(size - 1), 30000); });
  ASSERT_EQ(times.size(), 10u);
  const double median = (times[4] + times[5]) / 2;
  std::printf("COMPARENEXT through 1 GiB: median %.1f ms, max %.1f ms\n", median, times.back());
  RecordProperty("compare_next_median_ms", std::to_string(median));
}

}  // namespace
}  // namespace ovx::e2e
