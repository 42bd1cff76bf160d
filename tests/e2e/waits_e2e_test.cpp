// The wait rule seen from outside: while one editor window waits on a box or a dialog, a second
// window (or the user closing the first) cannot free it, and whatever was chosen before the wait
// is looked up again after it.
#include <string>
#include <vector>

#include "editor/MenuItems.h"
#include "editor/win32/InformationPanel.h"
#include "tests/e2e/E2eDriver.h"

namespace ovx::e2e {
namespace {

std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

std::wstring SubKey(const std::wstring& name) { return std::wstring(kSettingsRoot) + L"\\" + name; }

// Two windows of one process, the first opened first; null when they did not come.
std::pair<HWND, HWND> TwoWindows(const std::wstring& first, const std::wstring& second) {
  HWND a = OpenFileWindow(first);
  if (!a || !WaitForExit(StartEditor(Quoted(second)))) return {nullptr, nullptr};
  HWND b = WaitForWindow(L"TOvnxBinaryFormWClass", EditorCaptionFor(second));
  return {a, b};
}

// True when the window's process is still there after a second of waiting for it to go.
bool Stays(HWND window) { return !WaitUntil([&] { return !IsWindow(window); }, 1000); }

using WaitsE2e = EditorTest;

// 指定ファイルと比較 names a file another window holds; that window closes while the question
// is up. OK then compares with the file itself, as if no window had held it.
TEST_F(WaitsE2e, TheHolderOfACompareFileClosesUnderTheQuestion) {
  const std::wstring theirs = MakeFile(L"theirs.bin", "abXd");
  auto [window, holder] = TwoWindows(MakeFile(L"mine.bin", "abcd"), theirs);
  ASSERT_TRUE(window && holder);
  PostMenuCommand(window, MenuIdOf(miMM_CompareFile));
  auto dialog = WaitForMessageBox(L"比較ファイルを開く", ProcessOf(window));
  ASSERT_TRUE(dialog && ConfirmFileDialog(dialog->hwnd, theirs));
  auto box = WaitForMessageBox(L"確認", ProcessOf(window));
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, LongPath(theirs) + L" は既に開かれています.\r\n指定のファイルが開かれているウィンドウとの比較を行います.");
  CloseEditorWindow(holder);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(holder); }));
  ASSERT_TRUE(AnswerMessageBox(box->hwnd, L"OK"));
  EXPECT_TRUE(WaitUntil([&] { return StatusPanelText(window, 4) == L"比較 : 指定ﾌｧｲﾙ"; })) << StatusPanelText(window, 4);
  PostMenuCommand(window, MenuIdOf(miMM_CompareNext));
  EXPECT_TRUE(WaitForCaretAddress(window, 2));
  InvalidateRect(window, nullptr, TRUE);
  EXPECT_TRUE(WaitUntil([&] { return StatusPanelText(window, 4) == L"比較 : 指定ﾌｧｲﾙ"; }));
  EXPECT_EQ(EditorWindows().size(), 1u);
}

// 全て閉じる from a second window while the first waits on a dialog: the second goes, the first
// stays with its dialog and closes once the dialog is answered.
TEST_F(WaitsE2e, CloseAllFromAnotherWindowWaitsForEachDialog) {
  struct TCase {
    const wchar_t* name;
    TMenuItem item;
    const wchar_t* caption;
  };
  const TCase cases[] = {
      {L"batch setting", miMM_LumpSetting, L"設定"},
      {L"text output", miMM_TextOutPut, L"テキスト形式で出力"},
      {L"compare open", miMM_CompareFile, L"比較ファイルを開く"},
      {L"window list", miMM_WindowList, L"ウィンドウ一覧"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.name, c.name + wcslen(c.name)));
    auto [waiting, other] = TwoWindows(MakeFile(L"waiting.bin", "WAIT"), MakeFile(L"other.bin", "OTHER"));
    ASSERT_TRUE(waiting && other);
    const TProcess process = {OpenProcess(SYNCHRONIZE, FALSE, ProcessOf(waiting)), ProcessOf(waiting)};
    PostMenuCommand(waiting, MenuIdOf(c.item));
    auto dialog = WaitForMessageBox(c.caption, ProcessOf(waiting));
    ASSERT_TRUE(dialog);
    PostMenuCommand(other, MenuIdOf(miMM_AllClose));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(other); })) << "the other window stayed";
    EXPECT_TRUE(Stays(waiting)) << "the waiting window went under its dialog";
    EXPECT_TRUE(IsWindow(dialog->hwnd));
    if (c.item == miMM_LumpSetting) Screenshot(L"waits-close-all-under-a-dialog");
    PostMessageW(dialog->hwnd, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(waiting); })) << "the kept close never ran";
    EXPECT_TRUE(WaitForExit(process)) << "the process did not end with its last window";
    CloseHandle(process.handle);
    StopEditors();
  }
}

// ヘルプ without the manual beside the program names the missing page in a box of its window.
// Meanwhile a second window answers (its caption is read, a key moves its caret), and 全て閉じる
// from it closes it at once but the waiting window only once the box is answered.
TEST_F(WaitsE2e, TheMissingHelpPageBoxKeepsItsWindowAndLeavesTheOtherLive) {
  const std::wstring otherPath = MakeFile(L"other.bin", "OTHER");
  auto [waiting, other] = TwoWindows(MakeFile(L"waiting.bin", "WAIT"), otherPath);
  ASSERT_TRUE(waiting && other);
  ASSERT_FALSE(FileExists(ProgramFolder() + L"help\\index.html")) << "this case needs a program without its manual";
  const TProcess process = {OpenProcess(SYNCHRONIZE, FALSE, ProcessOf(waiting)), ProcessOf(waiting)};
  PostMenuCommand(waiting, MenuIdOf(miMM_OpenHelp));
  auto box = WaitForMessageBox(L"警告", ProcessOf(waiting));
  ASSERT_TRUE(box) << "ヘルプ did nothing";
  EXPECT_NE(box->text.find(L"\\help\\index.html が見付かりません."), std::wstring::npos) << box->text;

  // The box holds the thread's caret and focus: the key goes to the other window's view, and its
  // caret is read from its information panel.
  EXPECT_EQ(Caption(other), EditorCaptionFor(otherPath));
  const int address = TInformationPanel::HexLabelId(ibAddress);
  ASSERT_EQ(InformationLabel(other, address), L"00000000h");
  HWND view = nullptr;
  EnumChildWindows(
      other,
      [](HWND child, LPARAM found) {
        if (ClassOf(child) != L"TBinaryView") return TRUE;
        *reinterpret_cast<HWND*>(found) = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&view));
  ASSERT_NE(view, nullptr);
  PostMessageW(view, WM_KEYDOWN, VK_RIGHT, 1);
  PostMessageW(view, WM_KEYUP, VK_RIGHT, 1 | (1u << 30) | (1u << 31));
  EXPECT_TRUE(WaitUntil([&] { return InformationLabel(other, address) == L"00000001h"; }))
      << "the other window took no key: " << InformationLabel(other, address);

  PostMenuCommand(other, MenuIdOf(miMM_AllClose));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(other); })) << "the other window stayed";
  EXPECT_TRUE(Stays(waiting)) << "the waiting window went under its box";
  EXPECT_TRUE(IsWindow(box->hwnd));
  ASSERT_TRUE(AnswerMessageBox(box->hwnd, L"OK"));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(waiting); })) << "the kept close never ran";
  EXPECT_TRUE(WaitForExit(process)) << "the process did not end with its last window";
  CloseHandle(process.handle);
}

// A window of the window list that closes while the list is open is not chosen, and the line of
// a window that is still there brings that window, not the one that moved up to its line.
TEST_F(WaitsE2e, TheWindowListChoosesByTheWindowNotByTheLine) {
  // Lines 1: first, 2: second, 3: third; the second window closes while the list is open.
  const struct {
    int line;
    bool thirdInFront;  // the third window comes to the front: it was chosen
  } choices[] = {{1, false}, {2, true}};
  for (const auto& choice : choices) {
    SCOPED_TRACE(choice.line);
    auto [first, second] = TwoWindows(MakeFile(L"first.bin"), MakeFile(L"second.bin"));
    ASSERT_TRUE(first && second);
    const std::wstring third = MakeFile(L"third.bin");
    ASSERT_TRUE(WaitForExit(StartEditor(Quoted(third))));
    HWND thirdWindow = WaitForWindow(L"TOvnxBinaryFormWClass", EditorCaptionFor(third));
    ASSERT_NE(thirdWindow, nullptr);
    ASSERT_TRUE(WaitUntil([&] {
      SetForegroundWindow(first);
      return GetForegroundWindow() == first;
    }));
    PostMenuCommand(first, MenuIdOf(miMM_WindowList));
    auto list = WaitForMessageBox(L"ウィンドウ一覧", ProcessOf(first));
    ASSERT_TRUE(list);
    CloseEditorWindow(second);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(second); }));
    SendMessageW(FindWindowExW(list->hwnd, nullptr, L"ListBox", nullptr), LB_SETCURSEL, choice.line, 0);
    ASSERT_TRUE(AnswerMessageBox(list->hwnd, L"決定"));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(list->hwnd); }));
    const bool thirdInFront = WaitUntil([&] { return GetForegroundWindow() == thirdWindow; }, 1500);
    EXPECT_EQ(thirdInFront, choice.thirdInFront);
    StopEditors();
  }
}

// The missing-file box of the history menu lets a second window open a file meanwhile, which
// moves every entry down: the missing entry goes by its name, not by its old place.
TEST_F(WaitsE2e, AMissingHistoryEntryGoesByItsName) {
  const std::wstring gone = MakeFile(L"gone.bin");
  HWND goneWindow = OpenFileWindow(gone);
  ASSERT_NE(goneWindow, nullptr);
  const std::wstring a = MakeFile(L"a.bin"), b = MakeFile(L"b.bin"), c = MakeFile(L"c.bin");
  ASSERT_TRUE(WaitForExit(StartEditor(Quoted(a))));
  HWND window = WaitForWindow(L"TOvnxBinaryFormWClass", EditorCaptionFor(a));
  ASSERT_TRUE(WaitForExit(StartEditor(Quoted(b))));
  HWND other = WaitForWindow(L"TOvnxBinaryFormWClass", EditorCaptionFor(b));
  ASSERT_TRUE(window && other);
  const TProcess process = {OpenProcess(SYNCHRONIZE, FALSE, ProcessOf(window)), ProcessOf(window)};
  CloseEditorWindow(goneWindow);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(goneWindow); }));
  ASSERT_TRUE(DeleteFileW(gone.c_str()));

  // History now: b, a, gone.
  PostMenuCommand(window, HistoryEntryIdBase + 2);
  auto box = WaitForMessageBox(L"警告", ProcessOf(window));
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, LongPath(gone) + L" が見付かりません.\r\nファイル履歴から削除します.");
  PostMenuCommand(other, MenuIdOf(miMM_OpenFile));
  auto open = WaitForMessageBox(L"開く", ProcessOf(other));
  ASSERT_TRUE(open && ConfirmFileDialog(open->hwnd, c));
  ASSERT_TRUE(WaitUntil([&] { return FindTopWindow(L"TOvnxBinaryFormWClass", EditorCaptionFor(c)) != nullptr; }));
  ASSERT_TRUE(AnswerMessageBox(box->hwnd, L"OK"));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box->hwnd); }));
  for (HWND w : EditorWindows()) CloseEditorWindow(w);
  ASSERT_TRUE(WaitForExit(process));
  CloseHandle(process.handle);
  std::vector<std::wstring> history;
  for (int i = 0; i < RegistryValueCount(SubKey(L"History")); ++i)
    history.push_back(ReadRegistryString(SubKey(L"History"), L"History" + std::to_wstring(i)).value_or(L"?"));
  EXPECT_EQ(history, (std::vector<std::wstring>{LongPath(c), LongPath(b), LongPath(a)}));
}

// With the opening screen on (as a new user has it), the view-only notice of a file on the
// command line stands above the screen, where the user can answer it.
TEST_F(WaitsE2e, AStartUpBoxStandsAboveTheOpeningScreen) {
  ASSERT_TRUE(WriteRegistryDword(SubKey(L"Config"), L"OpeningDlg", 1));
  const std::wstring path = MakeFile(L"library.dll", "VIEW");
  StartEditor(Quoted(path));
  auto box = WaitForMessageBox(L"情報");
  ASSERT_TRUE(box);
  HWND opening = FindTopWindow(L"#32770", L"バージョン情報");
  ASSERT_NE(opening, nullptr) << "the opening screen went before the start-up box was answered";
  bool boxAbove = false;
  for (HWND w = GetWindow(opening, GW_HWNDPREV); w && !boxAbove; w = GetWindow(w, GW_HWNDPREV))
    boxAbove = w == box->hwnd;
  EXPECT_TRUE(boxAbove) << "the box is hidden under the opening screen";
  Screenshot(L"waits-start-up-box-over-the-opening-screen");
  ASSERT_TRUE(AnswerMessageBox(box->hwnd, L"OK"));
  HWND window = WaitForWindow(L"TOvnxBinaryFormWClass", EditorCaptionFor(path));
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return StatusPanelText(window, 1) == L"閲覧"; }));
  EXPECT_TRUE(WaitUntil([] { return FindTopWindow(L"#32770", L"バージョン情報") == nullptr; }));
}

}  // namespace
}  // namespace ovx::e2e
