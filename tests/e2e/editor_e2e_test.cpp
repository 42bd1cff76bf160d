// The editor window seen from outside: saving in place, under another name and as a copy,
// closing with changes, view-only files, reloading, the window menu and the function-key bar.
#include "charset/win32/FrmInputInt.h"
#include "editor/MenuItems.h"
#include "editor/win32/InformationPanel.h"
#include "tests/e2e/E2eDriver.h"

namespace ovx::e2e {
namespace {

std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }
std::wstring WithExtension(const std::wstring& path, const std::wstring& extension) {
  return path.substr(0, path.find_last_of(L'.')) + extension;
}

// Sets the file's last write time to a day long past, so that any later write shows.
void AgeFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  SYSTEMTIME past = {2020, 1, 3, 1, 12, 0, 0, 0};
  FILETIME stamp;
  SystemTimeToFileTime(&past, &stamp);
  SetFileTime(file, nullptr, nullptr, &stamp);
  CloseHandle(file);
}

// Presses a message box button by its id (IDOK, IDYES ...), whatever the language of its text.
bool PressButton(HWND box, int id) {
  HWND button = GetDlgItem(box, id);
  if (!button) return false;
  PostMessageW(button, BM_CLICK, 0, 0);
  return true;
}

bool Modified(HWND window) { return StatusPanelText(window, 0) == L"変更"; }

// Opens the file through the launcher and changes its first byte to 41 by typing.
HWND OpenAndChange(const std::wstring& path) {
  HWND window = OpenFileWindow(path, kWaitMs, true);
  if (!window) return nullptr;
  TypeKeys(window, L"41");
  if (!WaitForCaretAddress(window, 1, 3000)) return nullptr;
  if (!WaitUntil([window] { return Modified(window); }, 3000)) return nullptr;
  return window;
}

using EditorE2eSave = EditorTest;

TEST_F(EditorE2eSave, CtrlSWritesTheBytesAndKeepsTheOldFileAsBak) {
  std::wstring path = MakeFile(L"save key.dat", "OLD!");
  HWND window = OpenAndChange(path);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(ReadWholeFile(path), "OLD!") << "nothing is written before saving";
  ASSERT_TRUE(PressShortcut(window, 'S', MOD_CONTROL));
  EXPECT_TRUE(WaitUntil([&] { return ReadWholeFile(path) == "ALD!"; }, 3000)) << ReadWholeFile(path);
  EXPECT_EQ(ReadWholeFile(WithExtension(path, L".bak")), "OLD!");
  EXPECT_TRUE(WaitUntil([&] { return !Modified(window); }, 3000));
  EXPECT_EQ(Caption(window), EditorCaptionFor(path));
  Screenshot(L"editor-window-with-a-file");
}

TEST_F(EditorE2eSave, TheMenuItemSavesLikeTheKey) {
  std::wstring path = MakeFile(L"save menu.dat", "OLD!");
  HWND window = OpenAndChange(path);
  ASSERT_NE(window, nullptr);
  PostMenuCommand(window, MenuIdOf(miMM_SaveFile));
  EXPECT_TRUE(WaitUntil([&] { return ReadWholeFile(path) == "ALD!"; }, 3000)) << ReadWholeFile(path);
  EXPECT_EQ(ReadWholeFile(WithExtension(path, L".bak")), "OLD!");
  EXPECT_TRUE(WaitUntil([&] { return !Modified(window); }, 3000));
}

TEST_F(EditorE2eSave, SaveKeysDoNothingWhenNotModified) {
  std::wstring path = MakeFile(L"unchanged.dat", "SAME");
  AgeFile(path);
  const std::uint64_t stamp = FileStamp(path);
  HWND window = OpenFileWindow(path, kWaitMs, true);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(PressShortcut(window, 'S', MOD_CONTROL));  // SAVE
  ASSERT_TRUE(PressShortcut(window, VK_F12));            // SAVE as well in the standard template
  EXPECT_FALSE(WaitForMessageBox(L"", ProcessOf(window), 700)) << "a dialog appeared";
  EXPECT_EQ(FileStamp(path), stamp);
  EXPECT_FALSE(FileExists(WithExtension(path, L".bak")));
  EXPECT_EQ(StatusPanelText(window, 0), L"");
}

using EditorE2eSaveAs = EditorTest;

TEST_F(EditorE2eSaveAs, AnExistingReadOnlyTargetIsRefused) {
  std::wstring path = MakeFile(L"source.dat", "OLD!");
  std::wstring target = MakeFile(L"locked.dat", "LOCK");
  ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));
  HWND window = OpenAndChange(path);
  ASSERT_NE(window, nullptr);
  PostMenuCommand(window, MenuIdOf(miMM_SaveAnotherName));
  auto dialog = WaitForMessageBox(L"別名で保存", ProcessOf(window));
  ASSERT_TRUE(dialog) << "no save dialog";
  ASSERT_TRUE(ConfirmFileDialog(dialog->hwnd, target));

  auto question = WaitForMessageBox(L"確認", ProcessOf(window));
  ASSERT_TRUE(question) << "no overwrite question";
  EXPECT_EQ(question->text, LongPath(target) + L" は既に存在します.\r\n上書きしてよろしいですか？");
  ASSERT_TRUE(PressButton(question->hwnd, IDOK));

  auto refusal = WaitForMessageBox(L"エラー", ProcessOf(window));
  ASSERT_TRUE(refusal) << "no refusal";
  EXPECT_EQ(refusal->text, LongPath(target) + L" には\r\n変更不可能な属性が設定されています.\r\n保存を中止します.");
  Screenshot(L"editor-save-as-refused");
  ASSERT_TRUE(PressButton(refusal->hwnd, IDOK));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(refusal->hwnd); }));
  EXPECT_EQ(ReadWholeFile(target), "LOCK");
  EXPECT_EQ(Caption(window), EditorCaptionFor(path));
  EXPECT_TRUE(Modified(window));
  SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(EditorE2eSaveAs, SaveAsTakesTheNewName) {
  std::wstring path = MakeFile(L"first name.dat", "OLD!");
  std::wstring target = DataFolder() + L"second name.dat";
  HWND window = OpenAndChange(path);
  ASSERT_NE(window, nullptr);
  PostMenuCommand(window, MenuIdOf(miMM_SaveAnotherName));
  auto dialog = WaitForMessageBox(L"別名で保存", ProcessOf(window));
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(ConfirmFileDialog(dialog->hwnd, target));
  EXPECT_TRUE(WaitUntil([&] { return ReadWholeFile(target) == "ALD!"; }, 3000));
  EXPECT_TRUE(WaitUntil([&] { return Caption(window) == EditorCaptionFor(target); }, 3000)) << Caption(window);
  EXPECT_FALSE(Modified(window));
  EXPECT_EQ(ReadWholeFile(path), "OLD!");
}

TEST_F(EditorE2eSaveAs, SaveCopyLeavesCaptionAndModifiedMarker) {
  std::wstring path = MakeFile(L"original.dat", "OLD!");
  std::wstring copy = DataFolder() + L"the copy.dat";
  HWND window = OpenAndChange(path);
  ASSERT_NE(window, nullptr);
  PostMenuCommand(window, MenuIdOf(miMM_SaveReproduction));
  auto dialog = WaitForMessageBox(L"複製を保存", ProcessOf(window));
  ASSERT_TRUE(dialog) << "no save dialog";
  ASSERT_TRUE(ConfirmFileDialog(dialog->hwnd, copy));
  EXPECT_TRUE(WaitUntil([&] { return ReadWholeFile(copy) == "ALD!"; }, 3000)) << ReadWholeFile(copy);
  EXPECT_EQ(ReadWholeFile(path), "OLD!");
  EXPECT_EQ(Caption(window), EditorCaptionFor(path));
  EXPECT_TRUE(Modified(window));
  // Still modified for real: closing asks.
  CloseEditorWindow(window);
  auto question = WaitForMessageBox(L"確認", ProcessOf(window));
  ASSERT_TRUE(question);
  EXPECT_EQ(question->text, LongPath(path) + L" は更新されています.\r\n閉じる前に保存しますか？");
}

using EditorE2eClose = EditorTest;

TEST_F(EditorE2eClose, EachAnswerToTheCloseQuestion) {
  struct Case {
    const wchar_t* name;
    int button;
    bool closes;
    const char* onDisk;
  };
  const Case cases[] = {
      {L"cancel", IDCANCEL, false, "OLD!"},
      {L"no", IDNO, true, "OLD!"},
      {L"yes", IDYES, true, "ALD!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name, c.name + wcslen(c.name)));
    std::wstring path = MakeFile(std::wstring(L"close ") + c.name + L".dat", "OLD!");
    HWND window = OpenAndChange(path);
    ASSERT_NE(window, nullptr);
    CloseEditorWindow(window);
    auto question = WaitForMessageBox(L"確認", ProcessOf(window));
    ASSERT_TRUE(question);
    EXPECT_EQ(question->text, LongPath(path) + L" は更新されています.\r\n閉じる前に保存しますか？");
    EXPECT_EQ(question->buttons.size(), 3u);
    if (c.button == IDYES) Screenshot(L"editor-close-question");
    ASSERT_TRUE(PressButton(question->hwnd, c.button));
    if (c.closes) {
      EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window); }));
    } else {
      EXPECT_FALSE(WaitUntil([&] { return !IsWindow(window); }, 700));
      EXPECT_TRUE(Modified(window));
    }
    EXPECT_EQ(ReadWholeFile(path), c.onDisk);
    StopEditors();
  }
}

// A close that comes while a question about the window waits (sent by another program, or by
// the main process closing every window) asks nothing and frees nothing while it waits. Under the
// close question it is the same close, and the answer decides; under any other question it is
// kept and asks once the question is answered. The question belongs to the window it is about,
// even with another window in front.
TEST_F(EditorE2eClose, ACloseUnderAQuestionWaitsForTheAnswer) {
  struct Case {
    const wchar_t* name;
    int firstItem;  // the command whose question is up when the close comes; 0: closing itself
    const wchar_t* question;
  };
  const Case cases[] = {
      {L"close", 0, L" は更新されています.\r\n閉じる前に保存しますか？"},
      {L"reload", MenuIdOf(miMM_Reload), L" を再読み込みします.\r\n編集した内容は失われます.\r\nよろしいですか？"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name, c.name + wcslen(c.name)));
    std::wstring path = MakeFile(std::wstring(L"asked ") + c.name + L".dat", "OLD!");
    HWND window = OpenAndChange(path);
    ASSERT_NE(window, nullptr);
    HWND front = OpenFileWindow(MakeFile(std::wstring(L"in front of ") + c.name + L".dat", "FRONT"), kWaitMs, true);
    ASSERT_NE(front, nullptr);
    const DWORD process = ProcessOf(window);
    ASSERT_EQ(ProcessOf(front), process);

    if (c.firstItem)
      PostMenuCommand(window, c.firstItem);
    else
      CloseEditorWindow(window);
    auto first = WaitForMessageBox(L"確認", process);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->text, LongPath(path) + c.question);
    EXPECT_EQ(GetWindow(first->hwnd, GW_OWNER), window);
    EXPECT_FALSE(IsWindowEnabled(window));
    EXPECT_TRUE(IsWindowEnabled(front));
    if (!c.firstItem) Screenshot(L"editor-close-question-of-a-window-behind");

    CloseEditorWindow(window);
    HWND second = nullptr;
    WaitUntil(
        [&] {
          HWND box = FindTopWindow(L"#32770", L"確認", process);
          second = box != first->hwnd ? box : nullptr;
          return second != nullptr;
        },
        1000);
    EXPECT_EQ(second, nullptr) << "a close question under the first question";
    if (second) {  // answered No, which frees the window under the first question
      ASSERT_TRUE(PressButton(second, IDNO));
      WaitUntil([&] { return !IsWindow(second); });
    }
    ASSERT_TRUE(PressButton(first->hwnd, IDCANCEL));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(first->hwnd); }));
    ASSERT_TRUE(IsWindow(window));
    EXPECT_EQ(Caption(window), EditorCaptionFor(path));
    EXPECT_TRUE(Modified(window));

    // The window is whole. The close kept under the reload question asks now; after the close
    // question's Cancel a new close asks; either asks once, and No closes the window alone.
    if (!c.firstItem) {
      EXPECT_TRUE(IsWindowEnabled(window));
      CloseEditorWindow(window);
    }
    auto again = WaitForMessageBox(L"確認", process);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->text, LongPath(path) + L" は更新されています.\r\n閉じる前に保存しますか？");
    ASSERT_TRUE(PressButton(again->hwnd, IDNO));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window); }));
    EXPECT_EQ(ReadWholeFile(path), "OLD!");
    EXPECT_TRUE(IsWindow(front));
    EXPECT_EQ(EditorProcesses(), std::vector<DWORD>{process});
    StopEditors();
  }
}

using EditorE2eViewOnly = EditorTest;

TEST_F(EditorE2eViewOnly, ProtectedFilesOpenViewOnlyAfterTheInformationBox) {
  struct Case {
    const wchar_t* name;
    DWORD attributes;
    std::wstring reason;  // empty: the extension's text
  };
  const Case cases[] = {
      {L"readonly.dat", FILE_ATTRIBUTE_READONLY, L"読み出し専用属性"},
      {L"system.dat", FILE_ATTRIBUTE_SYSTEM, L"システム属性"},
      {L"both.dat", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM, L"読み出し専用属性及びシステム属性"},
      {L"library.DLL", 0, L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name, c.name + wcslen(c.name)));
    std::wstring path = MakeFile(c.name, "VIEW");
    if (c.attributes) {
      ASSERT_TRUE(SetFileAttributesW(path.c_str(), c.attributes));
    }
    if ((GetFileAttributesW(path.c_str()) & c.attributes) != c.attributes) {
      ADD_FAILURE() << "this file system does not keep the attributes " << c.attributes;
      continue;
    }
    StartLauncher(Quoted(path));
    auto box = WaitForMessageBox(L"情報");
    ASSERT_TRUE(box) << "no information box";
    const std::wstring reason = c.reason.empty() ? L"指定ファイルの拡張子は閲覧専用に設定されています."
                                                 : LongPath(path) + L" には\r\n" + c.reason + L" が設定されています.";
    EXPECT_EQ(box->text, reason + L"\r\n閲覧モードで開きます.");
    if (c.attributes == FILE_ATTRIBUTE_READONLY) Screenshot(L"editor-view-only-information");
    ASSERT_TRUE(PressButton(box->hwnd, IDOK));
    HWND window = WaitForWindow(L"TOvnxBinaryFormWClass", EditorCaptionFor(path));
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return StatusPanelText(window, 1) == L"閲覧"; }, 3000)) << StatusPanelText(window, 1);
    // Typing and the save key change nothing.
    SetForegroundWindow(window);
    TypeKeys(window, L"12{Del}");
    ASSERT_TRUE(PressShortcut(window, 'S', MOD_CONTROL));
    EXPECT_EQ(CopyAllBytes(window), std::optional<std::string>("VIEW"));
    EXPECT_EQ(StatusPanelText(window, 0), L"");
    EXPECT_FALSE(WaitForMessageBox(L"", ProcessOf(window), 300));
    StopEditors();
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  }
}

using EditorE2eReload = EditorTest;

TEST_F(EditorE2eReload, AFileChangedOnDiskIsReloadedAfterTheQuestion) {
  std::wstring path = MakeFile(L"changing.dat", "v1v1");
  AgeFile(path);
  HWND window = OpenFileWindow(path, kWaitMs, true);
  ASSERT_NE(window, nullptr);
  MakeFile(path, "v2v2v2");  // written now: a later stamp than the one loaded
  // The File menu opened at the caret (FILEMENU, Ctrl+F1): its reload item now reads
  // 最新の情報に更新 — menus of another process cannot be read, so this is for the eye.
  ASSERT_TRUE(PressShortcut(window, VK_F1, MOD_CONTROL));
  if (WaitForOpenMenu(window)) {
    Screenshot(L"editor-file-menu-after-the-file-changed");
    TypeKey(VK_ESCAPE);
    WaitUntil([] { return FindTopWindow(L"#32768") == nullptr; }, 3000);
  } else {
    ADD_FAILURE() << "Ctrl+F1 did not open the File menu";
  }
  PostMenuCommand(window, MenuIdOf(miMM_Reload));
  auto question = WaitForMessageBox(L"確認", ProcessOf(window));
  ASSERT_TRUE(question);
  EXPECT_EQ(question->text, LongPath(path) + L" を再読み込みします.\r\n編集した内容は失われます.\r\nよろしいですか？");
  ASSERT_TRUE(PressButton(question->hwnd, IDOK));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(question->hwnd); }));
  EXPECT_EQ(CopyAllBytes(window), std::optional<std::string>("v2v2v2"));
  EXPECT_FALSE(Modified(window));
}

using EditorE2eWindowMenu = EditorTest;

TEST_F(EditorE2eWindowMenu, TenWindowsGiveNineEntriesAndMore) {
  std::wstring args;
  std::vector<std::wstring> files;
  for (int i = 1; i <= 10; ++i) {
    files.push_back(MakeFile(L"win" + std::to_wstring(i) + L".dat", "W"));
    args += Quoted(files.back()) + L" ";
  }
  TProcess editor = StartEditor(args);
  ASSERT_TRUE(WaitForEditorWindowCount(10));
  HWND front = WaitForWindow(L"TOvnxBinaryFormWClass", EditorCaptionFor(files.back()));
  ASSERT_NE(front, nullptr);
  // The windows of the command line are made, shown and raised one after the other; a menu
  // opened before the last of them is done would be covered by it.
  WaitForInputIdle(editor.handle, kWaitMs);
  SetForegroundWindow(front);
  ASSERT_TRUE(WaitUntil([front] { return GetForegroundWindow() == front; }, 3000));
  // The Window menu from the menu bar (Alt+W): nine entries and "& : more..." — for the eye,
  // since another process's menus cannot be read.
  ASSERT_TRUE(PressShortcut(front, 'W', MOD_ALT));
  ASSERT_NE(WaitForOpenMenu(front), nullptr) << "the Window menu did not open";
  Screenshot(L"editor-window-menu-ten-windows");
  TypeKey(VK_ESCAPE);
  TypeKey(VK_ESCAPE);
  ASSERT_TRUE(WaitUntil([] { return FindTopWindow(L"#32768") == nullptr; }, 3000));
  // The same menu at the caret (WINDOWMENU, Ctrl+F6).
  ASSERT_TRUE(PressShortcut(front, VK_F6, MOD_CONTROL));
  ASSERT_NE(WaitForOpenMenu(front), nullptr) << "Ctrl+F6 did not open the Window menu";
  Screenshot(L"editor-window-menu-ten-windows-at-caret");
  TypeKey(VK_ESCAPE);
  ASSERT_TRUE(WaitUntil([] { return FindTopWindow(L"#32768") == nullptr; }, 3000));
  // The ninth entry brings the ninth window of the list (creation order) to the front.
  PostMenuCommand(front, WindowEntryIdBase + 8);
  HWND ninth = WaitForWindow(L"TOvnxBinaryFormWClass", EditorCaptionFor(files[8]));
  ASSERT_NE(ninth, nullptr);
  EXPECT_TRUE(WaitUntil([ninth] { return GetForegroundWindow() == ninth; }, 3000));
}

using EditorE2eFunctionBar = EditorTest;

// The standard template's plain bindings of F1 to F12.
const std::vector<std::wstring> kPlainCaptions = {L"ﾍﾙﾌﾟ",   L"一括設定",   L"検索", L"置換", L"ｼﾞｬﾝﾌﾟ", L"", L"",
                                                  L"選択", L"窓選択", L"ﾒﾆｭｰﾊﾞｰ", L"開く", L"保存"};

TEST_F(EditorE2eFunctionBar, HoldingShiftRelabelsTheButtons) {
  HWND window = OpenFileWindow(MakeFile(L"fkeys.dat", "F"), kWaitMs, true);
  ASSERT_NE(window, nullptr);
  // The standard template, plain and with Shift (F11 and F12 have no Shift binding).
  std::vector<std::wstring> plain = kPlainCaptions;
  std::vector<std::wstring> shifted = {L"定型入M", L"Bit演M", L"Byte演M", L"整数演M", L"ﾌｧｲﾙ比", L"窓比",
                                       L"現状比",  L"比解除", L"窓順次",  L"ﾎﾟｯﾌﾟｱｯﾌﾟ", L"", L""};
  std::vector<std::wstring> captions = FunctionKeyCaptions(window);
  ASSERT_TRUE(captions.size() == 10 || captions.size() == 12) << captions.size() << " buttons";
  plain.resize(captions.size());
  shifted.resize(captions.size());
  EXPECT_EQ(captions, plain);
  ASSERT_TRUE(HoldKey(VK_SHIFT, true));
  EXPECT_TRUE(WaitUntil([&] { return FunctionKeyCaptions(window) == shifted; }, 3000));
  Screenshot(L"editor-function-bar-shift-held");
  ASSERT_TRUE(HoldKey(VK_SHIFT, false));
  EXPECT_TRUE(WaitUntil([&] { return FunctionKeyCaptions(window) == plain; }, 3000));
  EXPECT_EQ(FunctionKeyCaptions(window), plain);
}

TEST_F(EditorE2eFunctionBar, TheKeysOfAChordThatOpenedADialogAreUpAgainOnTheBar) {
  HWND window = OpenFileWindow(MakeFile(L"fchord.dat", "F"), kWaitMs, true);
  ASSERT_NE(window, nullptr);
  std::vector<std::wstring> plain = kPlainCaptions;
  plain.resize(FunctionKeyCaptions(window).size());
  // The search tool (owned by the window), the open dialog (modal) and the options dialog
  // (owned by the process): each takes the keyboard before the chord's keys come up.
  struct Chord {
    const wchar_t* name;
    WORD key;
    UINT modifiers;
  };
  for (const Chord& c : {Chord{L"search", 'F', MOD_CONTROL}, Chord{L"open", 'O', MOD_CONTROL},
                         Chord{L"options", VK_F1, MOD_CONTROL | MOD_SHIFT}}) {
    ASSERT_TRUE(PressShortcut(window, c.key, c.modifiers)) << c.name;
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return ClassOf(dialog = GetForegroundWindow()) == L"#32770"; }, 5000)) << c.name;
    EXPECT_TRUE(WaitUntil([&] { return FunctionKeyCaptions(window) == plain; }, 3000))
        << c.name << ": " << FunctionKeyCaptions(window)[2];
    Screenshot(std::wstring(L"editor-function-bar-after-") + c.name);
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 3000)) << c.name;
  }
}

using EditorE2eToolWindows = EditorTest;

TEST_F(EditorE2eToolWindows, AJumpUnderTheToolWindowMovesTheWindowOffTheCaret) {
  HWND window = OpenFileWindow(MakeFile(L"under.dat", std::string(0x400, 'U')), kWaitMs, true);
  ASSERT_NE(window, nullptr);
  std::optional<TCaretPosition> at;
  ASSERT_TRUE(WaitUntil([&] { return (at = CaretPosition(window)) && at->address == 0; }, 3000));
  ASSERT_TRUE(PressShortcut(window, VK_F5));  // アドレスジャンプ
  HWND dialog = WaitForWindow(L"#32770", L"アドレスジャンプ");
  ASSERT_NE(dialog, nullptr);
  // The tool is put over the cell row 8 will show, where a jump to 80h sets the caret.
  POINT target = {at->caret.left, at->caret.top + 8 * ViewCellSize().ch};
  ClientToScreen(at->view, &target);
  SetWindowPos(dialog, nullptr, target.x - 40, target.y - 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  const RECT before = WindowRect(dialog);
  ASSERT_TRUE(TypeKeys(dialog, L"{Down}80"));
  ASSERT_TRUE(Shows(GetDlgItem(FindWindowExW(dialog, nullptr, L"TOvnxInputFrame", nullptr), TFrmInputInt::idEditHex), L"80h"));
  PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil([&] {
    return InformationLabel(window, TInformationPanel::HexLabelId(ibAddress)) == L"00000080h";
  }, 3000));
  const RECT caret = {target.x, target.y, target.x + 2 * ViewCellSize().cw, target.y + ViewCellSize().ch};
  RECT overlap = {};
  EXPECT_TRUE(WaitUntil([&] {
    const RECT tool = WindowRect(dialog);
    return !IntersectRect(&overlap, &caret, &tool);
  }, 3000))
      << "the tool still covers the caret";
  const RECT after = WindowRect(dialog);
  EXPECT_EQ(after.right - after.left, before.right - before.left);
  EXPECT_EQ(after.left, before.left) << "it keeps its column";
  Screenshot(L"editor-jump-tool-off-the-caret");
}

using EditorE2eScreens = EditorTest;

// The pixels of a window's rectangle as the screen shows them.
std::vector<COLORREF> ScreenPixels(HWND hwnd) {
  const RECT r = WindowRect(hwnd);
  std::vector<COLORREF> pixels;
  HDC screen = GetDC(nullptr);
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) pixels.push_back(GetPixel(screen, x, y));
  ReleaseDC(nullptr, screen);
  return pixels;
}

HWND FunctionKeyPanel(HWND window) {
  HWND found = nullptr;
  EnumChildWindows(window, [](HWND child, LPARAM out) -> BOOL {
    if (GetDlgCtrlID(child) != 0x3000 || lstrcmpiW(ClassOf(child).c_str(), L"button") != 0) return TRUE;
    *reinterpret_cast<HWND*>(out) = GetParent(child);
    return FALSE;
  }, reinterpret_cast<LPARAM>(&found));
  return found;
}


TEST_F(EditorE2eScreens, EachTopLevelMenuOpen) {
  HWND window = OpenFileWindow(MakeFile(L"menus.dat", "0123456789abcdef0123"), kWaitMs, true);
  ASSERT_NE(window, nullptr);
  // Each by its accelerator (Right would open the View menu's first item, a submenu).
  struct Menu {
    const wchar_t* name;
    WORD key;
  };
  const Menu menus[] = {{L"file", 'F'},    {L"edit", 'E'},   {L"search", 'S'}, {L"view", 'V'},
                        {L"compare", 'C'}, {L"window", 'W'}, {L"tool", 'T'},   {L"help", 'H'}};
  for (const Menu& m : menus) {
    ASSERT_TRUE(PressShortcut(window, m.key, MOD_ALT));
    ASSERT_NE(WaitForOpenMenu(window), nullptr) << "no menu open for " << m.name;
    // The drop-down itself on screen, sized and holding its menu, before the picture is taken.
    ASSERT_TRUE(WaitUntil([&] {
      HWND popup = FindTopWindow(L"#32768", L"", ProcessOf(window));
      if (!popup || !SendMessageW(popup, MN_GETHMENU, 0, 0)) return false;
      const RECT r = WindowRect(popup);
      return r.right - r.left > 40 && r.bottom - r.top > 40;
    })) << "the drop-down of " << m.name << " is not shown";
    Screenshot(std::wstring(L"editor-menu-") + m.name);
    TypeKey(VK_ESCAPE);
    TypeKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([] { return FindTopWindow(L"#32768") == nullptr; }, 3000)) << m.name;
  }
}

TEST_F(EditorE2eScreens, AFunctionBarShownAgainAfterAResizeHoldsNoOldGlyph) {
  HWND window = OpenFileWindow(MakeFile(L"function bar.dat", "0123456789abcdef0123"));
  ASSERT_NE(window, nullptr);
  HWND panel = FunctionKeyPanel(window);
  ASSERT_NE(panel, nullptr);
  // Each from where the one before left the window: narrowed, the bar clips its captions; widened
  // again, none of the clipped glyphs may stay.
  struct TCase {
    const wchar_t* name;
    int widthChange, heightChange;
  };
  const TCase cases[] = {{L"narrower", -220, -60}, {L"wider", 480, 40}, {L"shorter", 0, -120}};
  for (const TCase& c : cases) {
    const RECT now = WindowRect(window);
    PostMenuCommand(window, MenuIdOf(miMM_ViewFunctionBar));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(panel); }, 3000)) << c.name;
    SetWindowPos(window, nullptr, 0, 0, now.right - now.left + c.widthChange, now.bottom - now.top + c.heightChange,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PostMenuCommand(window, MenuIdOf(miMM_ViewFunctionBar));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(panel); }, 3000)) << c.name;
    Sleep(500);
    Screenshot(std::wstring(L"editor-function-bar-shown-") + c.name);
    const std::vector<COLORREF> shown = ScreenPixels(panel);
    // Painted afresh, the bar must look the same: anything else was left from before.
    RedrawWindow(panel, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    Sleep(500);
    EXPECT_TRUE(shown == ScreenPixels(panel)) << c.name << ": the bar changed when painted again";
  }
}

}  // namespace
}  // namespace ovx::e2e
