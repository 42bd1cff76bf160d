// The search and replace dialogs used as a user would: patterns typed on each page of the data
// frame, 検索開始 walking the matches, the checks of empty data, and replaces answered through
// the query window, with the bytes checked on disk after a save; the 件数 button and the
// 全コード検索 tool's list of hits in every code set.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include <windows.h>

#include <commctrl.h>

#include "editor/MenuItems.h"
#include "editor/win32/AllCodeSearchTool.h"
#include "editor/win32/DlgSearch.h"
#include "editor/win32/InformationPanel.h"
#include "tests/e2e/E2eDriver.h"

namespace ovx::e2e {
namespace {

// Ids inside the frames (the program's own): the integer frame's hexadecimal field, the string
// frame's text and character set, the character frame's code list.
constexpr int kEditHex = 106, kEditBox = 201, kStringSet = 203, kCodeList = 402;

HWND OpenDialog(HWND window, TMenuItem item, const std::wstring& caption) {
  PostMenuCommand(window, MenuIdOf(item));
  return WaitForWindow(L"#32770", caption);
}

// The data frames of a dialog, left to right.
std::vector<HWND> DataFrames(HWND dialog) {
  std::vector<HWND> frames;
  for (HWND f = FindWindowExW(dialog, nullptr, L"TOvnxInputFrame", nullptr); f;
       f = FindWindowExW(dialog, f, L"TOvnxInputFrame", nullptr))
    frames.push_back(f);
  return frames;
}

// The first descendant with the id, or of the class.
HWND Descendant(HWND root, int id, const wchar_t* className = nullptr) {
  struct TFind {
    int id;
    const wchar_t* className;
    HWND found;
  } find{id, className, nullptr};
  EnumChildWindows(
      root,
      [](HWND child, LPARAM data) {
        auto& f = *reinterpret_cast<TFind*>(data);
        wchar_t name[64] = {};
        GetClassNameW(child, name, 64);
        if (f.className ? std::wstring(name) == f.className : GetDlgCtrlID(child) == f.id) {
          f.found = child;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&find));
  return find.found;
}

// Opens a page of a frame as a user does: a click on its tab (the tab's place read from the
// program's tab control through a buffer in its process).
bool OpenPage(HWND frame, int page) {
  HWND tabs = Descendant(frame, 0, L"SysTabControl32");
  if (!tabs) return false;
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, ProcessOf(tabs));
  if (!process) return false;
  void* remote = VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
  RECT tab = {};
  SIZE_T read = 0;
  const bool placed = remote && SendMessageW(tabs, TCM_GETITEMRECT, page, reinterpret_cast<LPARAM>(remote)) &&
                      ReadProcessMemory(process, remote, &tab, sizeof tab, &read);
  if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  if (!placed) return false;
  const LPARAM at = MAKELPARAM((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
  PostMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(tabs, WM_LBUTTONUP, 0, at);
  return WaitUntil([&] { return SendMessageW(tabs, TCM_GETCURSEL, 0, 0) == page; }, 3000);
}

// A click into a control, which takes the focus.
void ClickInto(HWND control) {
  PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(6, 6));
  PostMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(6, 6));
}

HWND FocusOf(HWND dialog) {
  GUITHREADINFO info = {sizeof info};
  GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
  return info.hwndFocus;
}

// The information panel's address label of an editor window.
std::wstring PanelAddress(HWND window) {
  HWND panel = Descendant(window, 0, L"TOvnxInformationPanel");
  return panel ? TextOf(GetDlgItem(panel, TInformationPanel::HexLabelId(ibAddress))) : L"";
}

bool ShowsAddress(HWND window, std::int64_t address) {
  wchar_t text[16] = {};
  std::swprintf(text, 16, L"%08llxh", static_cast<unsigned long long>(address));
  return WaitUntil([&] { return PanelAddress(window) == text; }, 5000);
}

// Hex digits typed into an embedded editor one by one, each waited for by the caret's move.
bool TypeHexDigits(HWND dialog, const std::wstring& digits) {
  const DWORD thread = GetWindowThreadProcessId(dialog, nullptr);
  const auto caretLeft = [&] {
    GUITHREADINFO info = {sizeof info};
    GetGUIThreadInfo(thread, &info);
    return info.rcCaret.left;
  };
  for (wchar_t digit : digits) {
    const LONG before = caretLeft();
    if (!TypeKeys(dialog, std::wstring(1, digit))) return false;
    if (!WaitUntil([&] { return caretLeft() != before; }, 3000)) return false;
  }
  return true;
}

void Click(HWND dialog, int id) { PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// Moves the dialog below the window's first rows, as far as the work area lets it stay whole.
void MoveAside(HWND dialog, HWND window) {
  const RECT w = WindowRect(window), d = WindowRect(dialog);
  RECT work = {};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int left = std::max<int>(work.left, std::min<int>(w.left + 8, work.right - (d.right - d.left)));
  const int top = std::max<int>(work.top, std::min<int>(w.top + 260, work.bottom - (d.bottom - d.top)));
  SetWindowPos(dialog, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool SavedAs(HWND window, const std::wstring& path, const std::string& bytes) {
  if (!PressShortcut(window, 'S', MOD_CONTROL)) return false;
  return WaitUntil([&] { return ReadWholeFile(path) == bytes; }, 3000);
}

using SearchE2e = EditorTest;

TEST_F(SearchE2e, EachFramePageFindsItsPatternAndTheWalkFollowsTheDirection) {
  std::string bytes(0x70, '\0');
  bytes.replace(0x10, 2, "\x34\x12");              // Word 1234h little-endian
  bytes.replace(0x20, 2, "\x12\x34");              // the same big-endian
  bytes.replace(0x30, 4, "\xA4\xA2\xA4\xA4");      // あい in EUC-JP
  bytes[0x40] = 'Q';
  bytes.replace(0x50, 4, "\xDE\xAD\xBE\xEF");
  bytes.replace(0x60, 6, "QzQzQz");
  const std::wstring path = MakeFile(L"find.bin", bytes);
  HWND window = OpenFileWindow(path);
  ASSERT_NE(window, nullptr);
  HWND dialog = OpenDialog(window, miMM_SearchData, L"検索");
  ASSERT_NE(dialog, nullptr);
  MoveAside(dialog, window);
  HWND frame = DataFrames(dialog).at(0);

  // 整数型: Word 1234h, little-endian then big-endian (the byte order list).
  ASSERT_TRUE(TypeKeys(dialog, L"{Down}1234"));
  ASSERT_TRUE(WaitUntil([&] { return TextOf(Descendant(frame, kEditHex)) == L"1234h"; }, 3000));
  Screenshot(L"search-dialog-integer");
  Click(dialog, IDOK);
  EXPECT_TRUE(ShowsAddress(window, 0x10));
  SendMessageW(Descendant(frame, 103), CB_SETCURSEL, 1, 0);
  Click(dialog, IDOK);
  EXPECT_TRUE(ShowsAddress(window, 0x20));

  // 文字列型: あい in EUC-JP.
  ASSERT_TRUE(OpenPage(frame, 1));
  ClickInto(Descendant(frame, kEditBox));
  ASSERT_TRUE(TypeKeys(dialog, L"\u3042\u3044"));
  ASSERT_TRUE(WaitUntil([&] { return TextOf(Descendant(frame, kEditBox)) == L"\u3042\u3044"; }, 3000));
  SendMessageW(Descendant(frame, kStringSet), CB_SETCURSEL, 2, 0);
  Screenshot(L"search-dialog-string");
  Click(dialog, IDOK);
  EXPECT_TRUE(ShowsAddress(window, 0x30));

  // キャラクタ型: Q.
  ASSERT_TRUE(OpenPage(frame, 2));
  SendMessageW(Descendant(frame, kCodeList), LB_SETCURSEL, 'Q', 0);
  Screenshot(L"search-dialog-character");
  Click(dialog, IDOK);
  EXPECT_TRUE(ShowsAddress(window, 0x40));

  // 無定型: DE AD BE EF typed into the embedded editor.
  ASSERT_TRUE(OpenPage(frame, 3));
  ClickInto(Descendant(frame, 0, L"TBinaryView"));
  ASSERT_TRUE(TypeHexDigits(dialog, L"deadbeef"));
  Screenshot(L"search-dialog-binary");
  Click(dialog, IDOK);
  EXPECT_TRUE(ShowsAddress(window, 0x50));

  // The walk: "Qz" found at 60h, 62h, 64h; the direction flips to 上方向 and back.
  ASSERT_TRUE(OpenPage(frame, 1));
  SendMessageW(Descendant(frame, kEditBox), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Qz"));
  SendMessageW(Descendant(frame, kStringSet), CB_SETCURSEL, 0, 0);
  const struct {
    bool up;
    std::int64_t address;
  } walk[] = {{false, 0x60}, {false, 0x62}, {false, 0x64}, {true, 0x62}, {true, 0x60}, {false, 0x62}, {false, 0x64}};
  for (const auto& step : walk) {
    SendMessageW(GetDlgItem(dialog, idSearchDirPrev), BM_SETCHECK, step.up ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageW(GetDlgItem(dialog, idSearchDirNext), BM_SETCHECK, step.up ? BST_UNCHECKED : BST_CHECKED, 0);
    Click(dialog, IDOK);
    EXPECT_TRUE(ShowsAddress(window, step.address)) << "to " << step.address;
  }
  // Past the last match: the warning, and the caret stays.
  Click(dialog, IDOK);
  auto box = WaitForMessageBox(L"警告", ProcessOf(window));
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, L"検索情報が見付かりません.");
  AnswerMessageBox(box->hwnd, L"OK");
  EXPECT_TRUE(ShowsAddress(window, 0x64));
}

TEST_F(SearchE2e, EmptySearchDataIsRefusedAndRetryFocusesTheInput) {
  HWND window = OpenFileWindow(MakeFile(L"empty.bin", "abcdef"));
  ASSERT_NE(window, nullptr);
  HWND dialog = OpenDialog(window, miMM_SearchData, L"検索");
  ASSERT_NE(dialog, nullptr);
  HWND frame = DataFrames(dialog).at(0);
  const struct {
    int page;
    const wchar_t* text;
    HWND input;
  } cases[] = {
      {1, L"空の文字列を検索することは出来ません.", Descendant(frame, kEditBox)},
      {2, L"キャラクタが選択されていません.", Descendant(frame, kCodeList)},
      {3, L"空のバイナリ列を検索することは出来ません.", Descendant(frame, 0, L"TBinaryView")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.page);
    ASSERT_TRUE(OpenPage(frame, c.page));
    Click(dialog, IDOK);
    auto box = WaitForMessageBox(L"警告", ProcessOf(window));
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, c.text);
    EXPECT_EQ(box->buttons, (std::vector<std::wstring>{L"中止(&A)", L"再試行(&R)"}));
    AnswerMessageBox(box->hwnd, L"再試行");
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(dialog) == c.input; }, 3000));
  }
  EXPECT_TRUE(ShowsAddress(window, 0));  // nothing was searched
}

// The replace dialog with both frames on the string page, pattern and replacement typed.
HWND OpenReplace(HWND window, const std::wstring& pattern, const std::wstring& replacement) {
  HWND dialog = OpenDialog(window, miMM_ReplaceData, L"置換");
  if (!dialog) return nullptr;
  MoveAside(dialog, window);
  const std::vector<HWND> frames = DataFrames(dialog);
  if (frames.size() != 2) return nullptr;
  for (int i = 0; i < 2; ++i) {
    if (!OpenPage(frames[i], 1)) return nullptr;
    HWND edit = Descendant(frames[i], kEditBox);
    ClickInto(edit);
    const std::wstring& text = i == 0 ? pattern : replacement;
    if (!text.empty() && !TypeKeys(dialog, text)) return nullptr;
    if (!WaitUntil([&] { return TextOf(edit) == text; }, 3000)) return nullptr;
  }
  return dialog;
}

// True when a control under root has the caption.
bool HasCaption(HWND root, const wchar_t* caption) {
  std::pair<const wchar_t*, bool> find{caption, false};
  EnumChildWindows(
      root,
      [](HWND child, LPARAM data) {
        auto& f = *reinterpret_cast<std::pair<const wchar_t*, bool>*>(data);
        f.second = f.second || TextOf(child) == f.first;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&find));
  return find.second;
}

// Answers the next query window with the button and returns its rectangle.
std::optional<RECT> Answer(const std::wstring& button) {
  auto query = WaitForMessageBox(L"置換しますか？");
  if (!query) return std::nullopt;
  const RECT r = WindowRect(query->hwnd);
  if (!AnswerMessageBox(query->hwnd, button)) return std::nullopt;
  if (!WaitUntil([&] { return !IsWindow(query->hwnd); }, 3000)) return std::nullopt;
  return r;
}

TEST_F(SearchE2e, ReplaceQueryAnswersYesNoCancelThenAll) {
  const std::wstring path = MakeFile(L"replace.bin", "AB1AB2AB3AB4");
  HWND window = OpenFileWindow(path);
  ASSERT_NE(window, nullptr);
  HWND dialog = OpenReplace(window, L"AB", L"c");
  ASSERT_NE(dialog, nullptr);
  // The replacement frame's own mnemonics.
  for (const wchar_t* caption : {L"整数型(&W)", L"2 進数(&X)", L"10 進数(&Y)", L"16 進数(&Z)", L"設定(&U)",
                                 L"文字コード(&E)", L"改行コード(&F)", L"コード(&E)", L"カーソル位置取込(&I)"}) {
    EXPECT_TRUE(HasCaption(DataFrames(dialog)[1], caption)) << caption;
    EXPECT_FALSE(HasCaption(DataFrames(dialog)[0], caption)) << caption;
  }
  Click(dialog, IDOK);
  auto query = WaitForMessageBox(L"置換しますか？");
  ASSERT_TRUE(query);
  EXPECT_EQ(query->buttons, (std::vector<std::wstring>{L"はい(&Y)", L"いいえ(&N)", L"キャンセル(&C)", L"一度に置換(&A)"}));
  Screenshot(L"replace-query-over-match");
  ASSERT_TRUE(Answer(L"はい"));
  ASSERT_TRUE(Answer(L"いいえ"));
  ASSERT_TRUE(Answer(L"キャンセル"));
  EXPECT_TRUE(ShowsAddress(window, 5));  // the last match shown
  EXPECT_TRUE(SavedAs(window, path, "c1AB2AB3AB4")) << ReadWholeFile(path);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(GetDlgItem(dialog, IDOK)) != FALSE; }));
  Click(dialog, IDOK);
  ASSERT_TRUE(Answer(L"一度に置換"));
  EXPECT_TRUE(ShowsAddress(window, 8));  // after the last replacement
  EXPECT_EQ(CopyAllBytes(window), std::optional<std::string>("c1AB2c3c4"));
  // One undo takes the whole 一度に置換 back (a save would flush the history).
  ASSERT_TRUE(PressShortcut(window, 'Z', MOD_CONTROL));
  EXPECT_TRUE(SavedAs(window, path, "c1AB2AB3AB4")) << ReadWholeFile(path);
}

TEST_F(SearchE2e, NullReplacementDeletesEveryMatchAfterTheWarning) {
  const std::wstring path = MakeFile(L"null.bin", "xAByABzAB");
  HWND window = OpenFileWindow(path);
  ASSERT_NE(window, nullptr);
  HWND dialog = OpenReplace(window, L"AB", L"");
  ASSERT_NE(dialog, nullptr);
  const std::vector<HWND> frames = DataFrames(dialog);
  const struct {
    int page;
    const wchar_t* name;
  } pages[] = {{0, L"replace-dialog-integer"}, {2, L"replace-dialog-character"}, {3, L"replace-dialog-binary"}};
  for (const auto& p : pages) {
    ASSERT_TRUE(OpenPage(frames[0], p.page));
    ASSERT_TRUE(OpenPage(frames[1], p.page));
    Screenshot(p.name);
  }
  ASSERT_TRUE(OpenPage(frames[0], 1));
  ASSERT_TRUE(OpenPage(frames[1], 4));
  SendMessageW(GetDlgItem(dialog, idSearchReplaceCheck), BM_SETCHECK, BST_UNCHECKED, 0);
  Screenshot(L"replace-dialog-string-and-null");
  Click(dialog, IDOK);
  auto box = WaitForMessageBox(L"警告", ProcessOf(window));
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, L"ヌル型が指定されています.\r\n検索にマッチした部分は削除されます.");
  EXPECT_EQ(box->buttons, (std::vector<std::wstring>{L"はい(&Y)", L"中止(&A)", L"再試行(&R)"}));
  AnswerMessageBox(box->hwnd, L"はい");
  // The button may be enabled before the replace starts: the save waits for the change itself.
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(GetDlgItem(dialog, IDOK)) != FALSE; }));
  EXPECT_TRUE(WaitUntil([&] { return StatusPanelText(window, 0) == L"変更"; }));
  EXPECT_TRUE(SavedAs(window, path, "xyz")) << ReadWholeFile(path);
}

TEST_F(SearchE2e, QueryWindowNearTheLowerRightCornerStaysInsideTheWorkArea) {
  const std::wstring path = MakeFile(L"corner.bin", "ABABABAB");
  HWND window = OpenFileWindow(path);
  ASSERT_NE(window, nullptr);
  HWND dialog = OpenReplace(window, L"AB", L"c");
  ASSERT_NE(dialog, nullptr);
  // The window's first row near the lower right corner of the work area.
  RECT work = {};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  SetWindowPos(window, nullptr, work.right - 200, work.bottom - 130, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ASSERT_TRUE(WaitUntil([&] { return WindowRect(window).left == work.right - 200; }));
  Click(dialog, IDOK);
  // A close of the window while the question waits is kept until the replace is over: the
  // replace runs in it.
  ASSERT_TRUE(WaitForMessageBox(L"置換しますか？"));
  PostMessageW(window, WM_CLOSE, 0, 0);
  const std::optional<RECT> at = Answer(L"キャンセル");
  ASSERT_TRUE(at);
  EXPECT_LE(at->right, work.right);
  EXPECT_LE(at->bottom, work.bottom);
  EXPECT_GE(at->left, work.left);
  EXPECT_GE(at->top, work.top);
  EXPECT_GT(at->right, work.right - 40) << "moved only as far as needed";
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window); })) << "the kept close never ran";
}

using SearchE2eWait = BeepingEditorTest;

// While the query waits, the window's other tool windows (the search dialog's 検索開始, typed
// input's 入力) are disabled and refuse with a beep: the replace goes on with its own pattern,
// replaces only its matches and stays one undo step.
TEST_F(SearchE2eWait, ToolWindowsChangeNothingWhileTheQueryWaits) {
  const std::wstring path = MakeFile(L"query.bin", "ABxxABxxAB");
  HWND window = OpenFileWindow(path);
  ASSERT_NE(window, nullptr);
  HWND search = OpenDialog(window, miMM_SearchData, L"検索");
  ASSERT_NE(search, nullptr);
  ASSERT_TRUE(TypeKeys(search, L"{Down}7878"));  // Word 7878h: "xx"
  HWND hex = Descendant(DataFrames(search).at(0), kEditHex);
  ASSERT_TRUE(WaitUntil([&] { return TextOf(hex) == L"7878h"; }, 3000));
  HWND input = OpenDialog(window, miMM_InputInt, L"整数型定型入力");
  ASSERT_NE(input, nullptr);
  HWND dialog = OpenReplace(window, L"AB", L"AAA");
  ASSERT_NE(dialog, nullptr);
  Click(dialog, IDOK);
  ASSERT_TRUE(WaitForMessageBox(L"置換しますか？"));
  EXPECT_FALSE(IsWindowEnabled(search));
  EXPECT_FALSE(IsWindowEnabled(input));
  Screenshot(L"replace-query-with-disabled-tools");
  const size_t before = Beeps();
  Click(search, IDOK);
  Click(input, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return Beeps() == before + 2; }, 3000)) << Beeps() - before;
  ASSERT_TRUE(Answer(L"一度に置換"));
  EXPECT_EQ(CopyAllBytes(window), std::optional<std::string>("AAAxxAAAxxAAA"));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(search) && IsWindowEnabled(input); }));
  ASSERT_TRUE(PressShortcut(window, 'Z', MOD_CONTROL));
  EXPECT_EQ(CopyAllBytes(window), std::optional<std::string>("ABxxABxxAB")) << "one undo takes it all back";
}

// A window of "mine.bin" compared with the window of "partner.bin" (chosen from the window list);
// null when the comparison does not show on the status bar.
HWND OpenComparedWithAWindow(const std::string& partnerBytes, const std::string& mineBytes, HWND& partner) {
  partner = OpenFileWindow(MakeFile(L"partner.bin", partnerBytes));
  const std::wstring path = MakeFile(L"mine.bin", mineBytes);
  if (!partner || !WaitForExit(StartEditor(L"\"" + path + L"\""))) return nullptr;
  HWND window = WaitForWindow(L"TOvnxBinaryFormWClass", EditorCaptionFor(path));
  if (!window) return nullptr;
  PostMenuCommand(window, MenuIdOf(miMM_CompareWindow));
  auto list = WaitForMessageBox(L"ウィンドウ一覧", ProcessOf(window));
  if (!list) return nullptr;
  SendMessageW(FindWindowExW(list->hwnd, nullptr, L"ListBox", nullptr), LB_SETCURSEL, 0, 0);
  if (!AnswerMessageBox(list->hwnd, L"決定")) return nullptr;
  if (!WaitUntil([&] { return StatusPanelText(window, 4) == L"比較 : 指定ｳｨﾝﾄﾞｳ"; })) return nullptr;
  return window;
}

// A differences-only replace against another window: that window's close while the query waits
// is kept until the replace is over, and the filter holds for every match.
TEST_F(SearchE2eWait, APartnerClosedDuringTheQueryGoesAfterTheReplace) {
  HWND partner = nullptr;
  HWND window = OpenComparedWithAWindow("ABxxAXxxAX", "ABxxABxxAB", partner);
  ASSERT_NE(window, nullptr);
  HWND dialog = OpenReplace(window, L"AB", L"CD");
  ASSERT_NE(dialog, nullptr);
  PostMessageW(GetDlgItem(dialog, idSearchCompareCheck), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return SendMessageW(GetDlgItem(dialog, idSearchCompareCheck), BM_GETCHECK, 0, 0) == BST_CHECKED; }));
  Click(dialog, IDOK);
  ASSERT_TRUE(WaitForMessageBox(L"置換しますか？"));
  CloseEditorWindow(partner);
  EXPECT_FALSE(WaitUntil([&] { return !IsWindow(partner); }, 1000)) << "the partner went under the query";
  ASSERT_TRUE(Answer(L"一度に置換"));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(partner); })) << "the kept close never ran";
  EXPECT_EQ(CopyAllBytes(window), std::optional<std::string>("ABxxCDxxCD"));
  EXPECT_TRUE(WaitUntil([&] { return StatusPanelText(window, 4).empty(); })) << StatusPanelText(window, 4);
}

// Against a partner differing only at byte 1, a replace-all of another length replaces only the
// match there: the rest, shifted by the first replacement, still lines up with the partner.
TEST_F(SearchE2e, DifferencesOnlyReplaceOfAnotherLengthReplacesOnlyTheDiffering) {
  HWND partner = nullptr;
  HWND window = OpenComparedWithAWindow("AXxxABxxABxxAB", "ABxxABxxABxxAB", partner);
  ASSERT_NE(window, nullptr);
  HWND dialog = OpenReplace(window, L"AB", L"ABC");
  ASSERT_NE(dialog, nullptr);
  SendMessageW(GetDlgItem(dialog, idSearchReplaceCheck), BM_SETCHECK, BST_UNCHECKED, 0);
  PostMessageW(GetDlgItem(dialog, idSearchCompareCheck), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return SendMessageW(GetDlgItem(dialog, idSearchCompareCheck), BM_GETCHECK, 0, 0) == BST_CHECKED; }));
  Click(dialog, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return CopyAllBytes(window) == std::optional<std::string>("ABCxxABxxABxxAB"); }))
      << CopyAllBytes(window).value_or("(none)");
}

// A replace-all whose one undo step cannot fit the undo budget (3000 replacements, 128 KB) asks
// first: 中止 leaves the document and the earlier history alone; OK replaces with no undo.
TEST_F(SearchE2e, AReplaceBeyondTheUndoBudgetAsksFirst) {
  std::string ab;
  for (int i = 0; i < 3000; ++i) ab += "AB";
  const std::wstring path = MakeFile(L"many.bin", "z" + ab);
  HWND window = OpenFileWindow(path);
  ASSERT_NE(window, nullptr);
  PressKeys(window, L"3");  // an earlier edit: the high nibble of the "z" (7A) made 3, ":"
  ASSERT_TRUE(WaitUntil([&] { return CopyAllBytes(window) == std::optional<std::string>(":" + ab); }));
  HWND dialog = OpenReplace(window, L"AB", L"c");
  ASSERT_NE(dialog, nullptr);
  SendMessageW(GetDlgItem(dialog, idSearchReplaceCheck), BM_SETCHECK, BST_UNCHECKED, 0);
  const std::wstring question =
      L"この置換はアンドゥバッファに収まりません.\r\n続けると, この置換とそれまでの作業は元に戻せなくなります.\r\n"
      L"置換を続けますか？";
  for (const wchar_t* answer : {L"中止", L"OK"}) {
    SCOPED_TRACE(answer);
    ASSERT_TRUE(PressShortcut(window, VK_HOME, MOD_CONTROL));  // reading the bytes left the caret at the end
    ASSERT_TRUE(WaitForCaretAddress(window, 0));
    Click(dialog, IDOK);
    auto box = WaitForMessageBox(L"警告", ProcessOf(window));
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, question);
    EXPECT_EQ(box->buttons, (std::vector<std::wstring>{L"OK", L"中止(&A)"}));
    if (answer[0] == L'中') Screenshot(L"replace-beyond-the-undo-budget");
    ASSERT_TRUE(AnswerMessageBox(box->hwnd, answer));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box->hwnd); }, 3000));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(GetDlgItem(dialog, IDOK)) != FALSE; }));
    ASSERT_TRUE(PressShortcut(window, 'Z', MOD_CONTROL));
    if (answer[0] == L'中') {
      EXPECT_TRUE(WaitUntil([&] { return CopyAllBytes(window) == std::optional<std::string>("z" + ab); }));
    }
  }
  // After 中止 the undo took back the earlier edit; after OK there was nothing left to undo.
  const std::string replaced = "z" + std::string(3000, 'c');
  EXPECT_TRUE(WaitUntil([&] { return CopyAllBytes(window) == std::optional<std::string>(replaced); }))
      << CopyAllBytes(window).value_or("(none)").substr(0, 8);
}

TEST_F(SearchE2e, ViewOnlyWindowsSearchButDoNotReplace) {
  // A file whose extension opens view-only.
  const std::wstring path = MakeFile(L"ro.dll", "xxABxx");
  StartLauncher(L"\"" + path + L"\"");
  auto box = WaitForMessageBox(L"情報");
  ASSERT_TRUE(box);
  AnswerMessageBox(box->hwnd, L"OK");
  HWND window = WaitForWindow(L"TOvnxBinaryFormWClass", EditorCaptionFor(path));
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return StatusPanelText(window, 1) == L"閲覧"; }));
  PostMenuCommand(window, MenuIdOf(miMM_ReplaceData));
  HWND search = OpenDialog(window, miMM_SearchData, L"検索");
  ASSERT_NE(search, nullptr);
  EXPECT_EQ(FindTopWindow(L"#32770", L"置換", ProcessOf(window)), nullptr);
  ASSERT_TRUE(TypeKeys(search, L"{Down}4241"));  // Word 4241h: "AB"
  HWND hex = Descendant(DataFrames(search).at(0), kEditHex);
  ASSERT_TRUE(WaitUntil([&] { return TextOf(hex) == L"4241h"; }, 3000)) << TextOf(hex);
  Click(search, IDOK);
  EXPECT_TRUE(ShowsAddress(window, 2));
}

TEST_F(SearchE2e, RepeatKeysOpenTheDialogFirstThenWalkBothWays) {
  HWND window = OpenFileWindow(MakeFile(L"keys.bin", "ABxABxAB"));
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(PressShortcut(window, VK_NEXT, MOD_CONTROL));  // SEARCHNEXT before any search
  HWND dialog = WaitForWindow(L"#32770", L"検索");
  ASSERT_NE(dialog, nullptr);
  // Again from the menu before any search: the open dialog comes to the front rather than closing.
  // The dialog may still be taking the activation it opened with: ask until the window has it.
  ASSERT_TRUE(WaitUntil([&] {
    SetForegroundWindow(window);
    return GetForegroundWindow() == window;
  }));
  PostMenuCommand(window, MenuIdOf(miMM_SearchNext));
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == dialog; }));
  ASSERT_TRUE(IsWindow(dialog) && IsWindowVisible(dialog));
  ASSERT_TRUE(TypeKeys(dialog, L"{Down}4241"));  // Word 4241h: "AB"
  HWND hex = Descendant(DataFrames(dialog).at(0), kEditHex);
  ASSERT_TRUE(WaitUntil([&] { return TextOf(hex) == L"4241h"; }, 3000));
  Click(dialog, IDOK);
  ASSERT_TRUE(ShowsAddress(window, 0));
  const struct {
    WORD key;
    std::int64_t address;
  } steps[] = {{VK_NEXT, 3}, {VK_NEXT, 6}, {VK_PRIOR, 3}, {VK_PRIOR, 0}};
  for (const auto& step : steps) {
    ASSERT_TRUE(PressShortcut(window, step.key, MOD_CONTROL));
    EXPECT_TRUE(ShowsAddress(window, step.address)) << step.address;
  }
}

// A match found again from the keys moves the open search window off the caret, as its own
// 検索開始 does.
TEST_F(SearchE2e, ARepeatedSearchMovesTheSearchWindowOffTheMatch) {
  std::string bytes(0x400, 'U');
  bytes.replace(0x10, 2, "AB");
  bytes.replace(0x80, 2, "AB");
  HWND window = OpenFileWindow(MakeFile(L"repeat-under.bin", bytes));
  ASSERT_NE(window, nullptr);
  HWND dialog = OpenDialog(window, miMM_SearchData, L"検索");
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(TypeKeys(dialog, L"{Down}4241"));  // Word 4241h: "AB"
  ASSERT_TRUE(WaitUntil([&] { return TextOf(Descendant(DataFrames(dialog).at(0), kEditHex)) == L"4241h"; }, 3000));
  Click(dialog, IDOK);
  ASSERT_TRUE(ShowsAddress(window, 0x10));
  ASSERT_TRUE(WaitUntil([&] {
    SetForegroundWindow(window);
    return GetForegroundWindow() == window;
  }));
  std::optional<TCaretPosition> at;
  ASSERT_TRUE(WaitUntil([&] { return (at = CaretPosition(window)) && at->address == 0x10; }, 3000));
  // The window is put over the cell row 8 shows, where the next match sets the caret.
  POINT target = {at->caret.left, at->caret.top + 7 * ViewCellSize().ch};
  ClientToScreen(at->view, &target);
  SetWindowPos(dialog, nullptr, target.x - 40, target.y - 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_TRUE(PressShortcut(window, VK_NEXT, MOD_CONTROL));  // SEARCHNEXT
  ASSERT_TRUE(ShowsAddress(window, 0x80));
  const RECT caret = {target.x, target.y, target.x + 2 * ViewCellSize().cw, target.y + ViewCellSize().ch};
  RECT overlap = {};
  EXPECT_TRUE(WaitUntil([&] {
    const RECT tool = WindowRect(dialog);
    return !IntersectRect(&overlap, &caret, &tool);
  }, 3000)) << "the search window still covers the match";
}

TEST_F(SearchE2e, DifferencesOnlyBoxFollowsTheComparison) {
  HWND window = OpenFileWindow(MakeFile(L"cmp.bin", "ABAB"));
  ASSERT_NE(window, nullptr);
  HWND dialog = OpenDialog(window, miMM_SearchData, L"検索");
  ASSERT_NE(dialog, nullptr);
  HWND box = GetDlgItem(dialog, idSearchCompareCheck);
  EXPECT_FALSE(IsWindowEnabled(box));
  PostMenuCommand(window, MenuIdOf(miMM_ComparePresent));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(box) != FALSE; }));
  PostMenuCommand(window, MenuIdOf(miMM_CompareQuit));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(box) == FALSE; }));
}

// 検索開始 for the last 8 bytes of a 1 GiB file, from the click to the address on the panel.
// Heavy on disk and time: runs only with OVX_E2E_SEARCH_TIMING set.
TEST_F(SearchE2e, SearchStartThroughAGibibyteTiming) {
  if (!std::getenv("OVX_E2E_SEARCH_TIMING")) GTEST_SKIP() << "set OVX_E2E_SEARCH_TIMING to time it";
  const std::wstring path = MakeSizedFile(L"big.bin", std::uint64_t{1} << 30, "\x01\x02\x03\x04\x05\x06\x07\x08");
  HWND window = OpenFileWindow(path, 120000);
  ASSERT_NE(window, nullptr);
  HWND dialog = OpenDialog(window, miMM_SearchData, L"検索");
  ASSERT_NE(dialog, nullptr);
  MoveAside(dialog, window);
  HWND frame = DataFrames(dialog).at(0);
  ASSERT_TRUE(OpenPage(frame, 3));
  ClickInto(Descendant(frame, 0, L"TBinaryView"));
  ASSERT_TRUE(TypeHexDigits(dialog, L"0102030405060708"));
  const std::vector<double> times = TimeRuns(
      10, [&] {
        PressShortcut(window, VK_HOME, MOD_CONTROL);
        return ShowsAddress(window, 0);
      },
      [&] { Click(dialog, IDOK); },
      [&] { return WaitUntil([&] { return PanelAddress(window) == L"3ffffff8h"; }, 30000); });
  ASSERT_EQ(times.size(), 10u);
  const double median = (times[4] + times[5]) / 2;
  std::printf("検索開始 through 1 GiB: median %.1f ms, max %.1f ms\n", median, times.back());
  RecordProperty("search_start_median_ms", std::to_string(median));
}


// A list view's row rectangle or cell text, through a buffer in the program's process.
struct TRemote {
  HANDLE process;
  void* buffer;
  explicit TRemote(HWND control, SIZE_T size) {
    process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, ProcessOf(control));
    buffer = process ? VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE) : nullptr;
  }
  ~TRemote() {
    if (buffer) VirtualFreeEx(process, buffer, 0, MEM_RELEASE);
    if (process) CloseHandle(process);
  }
};

std::wstring CellText(HWND list, int row, int column) {
  TRemote remote(list, sizeof(LVITEMW) + 512 * sizeof(wchar_t));
  if (!remote.buffer) return L"?";
  auto* base = static_cast<char*>(remote.buffer);
  LVITEMW item = {};
  item.iSubItem = column;
  item.cchTextMax = 512;
  item.pszText = reinterpret_cast<wchar_t*>(base + sizeof(LVITEMW));
  SIZE_T done = 0;
  WriteProcessMemory(remote.process, base, &item, sizeof item, &done);
  const auto n = SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(base));
  std::wstring text(static_cast<std::size_t>(n), L'\0');
  ReadProcessMemory(remote.process, base + sizeof(LVITEMW), text.data(), text.size() * sizeof(wchar_t), &done);
  return text;
}

bool DoubleClickRow(HWND list, int row) {
  TRemote remote(list, sizeof(RECT));
  RECT r = {LVIR_BOUNDS};
  SIZE_T done = 0;
  if (!remote.buffer || !WriteProcessMemory(remote.process, remote.buffer, &r, sizeof r, &done) ||
      !SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(remote.buffer)) ||
      !ReadProcessMemory(remote.process, remote.buffer, &r, sizeof r, &done))
    return false;
  const LPARAM at = MAKELPARAM(r.left + 20, (r.top + r.bottom) / 2);
  PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(list, WM_LBUTTONUP, 0, at);
  PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  PostMessageW(list, WM_LBUTTONUP, 0, at);
  return true;
}

// A control's rectangle on the screen.
RECT ScreenRect(HWND control) {
  RECT r = {};
  GetWindowRect(control, &r);
  return r;
}

// The tool bar button of the menu item, on the screen; empty when the tool bar has none.
RECT ToolButtonRect(HWND window, TMenuItem item) {
  HWND bar = FindWindowExW(window, nullptr, L"ToolbarWindow32", nullptr);
  RECT r = {};
  TRemote remote(bar, sizeof(RECT));
  SIZE_T done = 0;
  if (!bar || !remote.buffer || !SendMessageW(bar, TB_GETRECT, MenuIdOf(item), reinterpret_cast<LPARAM>(remote.buffer)) ||
      !ReadProcessMemory(remote.process, remote.buffer, &r, sizeof r, &done))
    return {};
  MapWindowPoints(bar, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// Pixels of the rectangle on the screen that differ from its top left one (the background).
int DrawnPixels(const RECT& r) {
  HDC screen = GetDC(nullptr);
  const COLORREF background = GetPixel(screen, r.left, r.top);
  int drawn = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) drawn += GetPixel(screen, x, y) != background;
  ReleaseDC(nullptr, screen);
  return drawn;
}

TEST_F(SearchE2e, AllCodeSearchListsOneTextInFourCodeSetsAndGoesToAHit) {
  std::string bytes(0x200, '\0');
  bytes.replace(0x10, 4, "\x93\xFA\x96\x7B");              // 日本 in Shift-JIS
  bytes.replace(0x41, 4, "\xC6\xFC\xCB\xDC");              // EUC-JP
  bytes.replace(0x83, 4, "\xE5\x65\x2C\x67");              // UTF-16LE, at an odd address
  bytes.replace(0x100, 6, "\xE6\x97\xA5\xE6\x9C\xAC");     // UTF-8
  HWND window = OpenFileWindow(MakeFile(L"allcode.bin", bytes));
  ASSERT_NE(window, nullptr);
  // The tool bar's button shows its picture and opens the tool.
  SetForegroundWindow(window);
  const RECT button = ToolButtonRect(window, miMM_AllCodeSearch);
  ASSERT_GT(button.right, button.left);
  EXPECT_TRUE(WaitUntil([&] { return DrawnPixels(button) >= 24; }, 3000)) << DrawnPixels(button);
  HWND bar = FindWindowExW(window, nullptr, L"ToolbarWindow32", nullptr);
  POINT middle = {(button.left + button.right) / 2, (button.top + button.bottom) / 2};
  ScreenToClient(bar, &middle);
  PostMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(middle.x, middle.y));
  PostMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(middle.x, middle.y));
  HWND tool = WaitForWindow(L"#32770", L"全コード検索");
  ASSERT_NE(tool, nullptr);
  MoveAside(tool, window);
  // The summary line is as wide as the list and clear of the buttons below it.
  const RECT summary = ScreenRect(GetDlgItem(tool, acStatus)), listed = ScreenRect(GetDlgItem(tool, acList));
  EXPECT_EQ(summary.right - summary.left, listed.right - listed.left);
  EXPECT_LE(summary.bottom, ScreenRect(GetDlgItem(tool, IDOK)).top);
  EXPECT_GE(summary.top, listed.bottom);
  SendMessageW(GetDlgItem(tool, acText), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"日本"));
  // ASCII cannot carry the text: its box is disabled.
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(GetDlgItem(tool, acFirstCode)); }, 3000));
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(tool, acFirstCode + 1)));
  Click(tool, IDOK);
  HWND status = GetDlgItem(tool, acStatus);
  EXPECT_TRUE(Shows(status, L"4 件 (Shift-JIS 1, EUC-JP 1, JIS 0, UTF-16LE 1, UTF-8 1)", 5000)) << TextOf(status);
  HWND list = GetDlgItem(tool, acList);
  ASSERT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 4);
  const std::pair<const wchar_t*, const wchar_t*> rows[] = {
      {L"00000010", L"Shift-JIS"}, {L"00000041", L"EUC-JP"}, {L"00000083", L"UTF-16LE"}, {L"00000100", L"UTF-8"}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(CellText(list, i, 0), rows[i].first);
    EXPECT_EQ(CellText(list, i, 1), rows[i].second);
    EXPECT_NE(CellText(list, i, 2).find(L"【日本】"), std::wstring::npos) << i;
  }
  Screenshot(L"all-code-search");
  ASSERT_TRUE(DoubleClickRow(list, 2));
  EXPECT_TRUE(ShowsAddress(window, 0x83));
  // Enter on the next row goes there too.
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(tool) == list; }, 3000));
  ASSERT_TRUE(TypeKeys(tool, L"{Down}{Enter}"));
  EXPECT_TRUE(ShowsAddress(window, 0x100));
  // An edit makes the list a snapshot of the past.
  ASSERT_TRUE(TypeKeys(window, L"41"));
  EXPECT_TRUE(WaitUntil([&] { return TextOf(status).find(L"古くなっています") != std::wstring::npos; }, 5000))
      << TextOf(status);
}

TEST_F(SearchE2e, CountButtonCountsTheMatchesWithoutMovingTheCaret) {
  std::string bytes(0x80, '\0');
  for (int at : {0x10, 0x31, 0x32 + 0x20}) bytes.replace(static_cast<std::size_t>(at), 2, "\x34\x12");
  HWND window = OpenFileWindow(MakeFile(L"count.bin", bytes));
  ASSERT_NE(window, nullptr);
  HWND dialog = OpenDialog(window, miMM_SearchData, L"検索");
  ASSERT_NE(dialog, nullptr);
  MoveAside(dialog, window);
  HWND frame = DataFrames(dialog).at(0);
  ASSERT_TRUE(TypeKeys(dialog, L"{Down}1234"));
  ASSERT_TRUE(WaitUntil([&] { return TextOf(Descendant(frame, kEditHex)) == L"1234h"; }, 3000));
  Click(dialog, idSearchCount);
  auto box = WaitForMessageBox(L"情報", ProcessOf(window));
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, L"3 件見付かりました.");
  AnswerMessageBox(box->hwnd, L"OK");
  EXPECT_TRUE(ShowsAddress(window, 0));
}

}  // namespace
}  // namespace ovx::e2e
