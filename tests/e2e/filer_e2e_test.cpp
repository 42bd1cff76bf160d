// The filer tool seen from outside: choosing a shipped template in the open dialog, reading and
// changing a field over a bitmap, applying and saving, a template with an error, the close
// question, and the jump buttons.
#include "editor/MenuItems.h"
#include "filer/win32/FilerPages.h"
#include "tests/e2e/E2eDriver.h"

namespace ovx::e2e {
namespace {

constexpr int kToolOpen = 101, kToolApply = 104, kPageSelect = 201;
constexpr wchar_t kOpenDialog[] = L"Orvanta ファイラーを開く";
constexpr wchar_t kBitmapTool[] = L"ビットマップ (BMP) - ファイラーツール";

// Fields of BMP.OVXF in the order it makes them.
constexpr int kDataOffsetField = 4, kWidthField = 6;

std::wstring BuildFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

std::wstring FilerFolder() { return ProgramFolder() + L"filer\\"; }

// The shipped templates beside the program copy, as the build puts them beside ovxmain.exe.
void CopyShippedTemplates() {
  CreateDirectoryW(FilerFolder().c_str(), nullptr);
  WIN32_FIND_DATAW found = {};
  HANDLE find = FindFirstFileW((BuildFolder() + L"filer\\*.OVXF").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    CopyFileW((BuildFolder() + L"filer\\" + found.cFileName).c_str(), (FilerFolder() + found.cFileName).c_str(), FALSE);
  } while (FindNextFileW(find, &found));
  FindClose(find);
}

void PutLe32(std::string& bytes, size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

// A 7 × 5 bitmap of 24 bits without compression: a 54-byte header and rows of 24 bytes.
std::string SmallBitmap() {
  std::string bytes(54 + 5 * 24, '\0');
  bytes[0] = 'B';
  bytes[1] = 'M';
  PutLe32(bytes, 2, static_cast<std::uint32_t>(bytes.size()));
  PutLe32(bytes, 10, 54);
  PutLe32(bytes, 14, 40);
  PutLe32(bytes, 18, 7);
  PutLe32(bytes, 22, 5);
  bytes[26] = 1;
  bytes[28] = 24;
  return bytes;
}

HWND FindDescendant(HWND root, int id) {
  struct TSearch {
    int id;
    HWND found;
  } search = {id, nullptr};
  EnumChildWindows(
      root,
      [](HWND w, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<TSearch*>(lp);
        if (GetDlgCtrlID(w) != s->id) return TRUE;
        s->found = w;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FieldEditor(HWND tool, int field) { return FindDescendant(tool, TFilerPages::ControlId(field, frEditor)); }
HWND JumpButton(HWND tool, int field) { return FindDescendant(tool, TFilerPages::ControlId(field, frJump)); }

int PageCount(HWND tool) {
  return static_cast<int>(SendMessageW(FindDescendant(tool, kPageSelect), CB_GETCOUNT, 0, 0));
}

bool Modified(HWND tool) { return StatusPanelText(tool, 0) == L"変更"; }

// The open dialog of the editor window's filer command or of the tool's own open command;
// the first template whose name begins with `prefix` is chosen.
bool ChooseTemplate(const std::wstring& prefix, const std::wstring& screenshot = L"") {
  HWND dialog = WaitForWindow(L"#32770", kOpenDialog);
  if (!dialog) return false;
  if (!screenshot.empty()) Screenshot(screenshot);
  PressKeys(dialog, prefix);
  PressKeys(dialog, L"{Enter}");
  return WaitUntil([dialog] { return !IsWindow(dialog); }, 5000);
}

// Opens the bitmap's window and the filer tool over it with BMP.OVXF.
struct TBitmapSession {
  std::wstring path;
  HWND window = nullptr;
  HWND tool = nullptr;
};

TBitmapSession OpenBitmapWithFiler(const std::wstring& openDialogShot = L"") {
  TBitmapSession s;
  s.path = MakeFile(L"small.bmp", SmallBitmap());
  s.window = OpenFileWindow(s.path);
  if (!s.window) return s;
  PostMenuCommand(s.window, MenuIdOf(miMM_Filer));
  if (!ChooseTemplate(L"BM", openDialogShot)) return s;
  s.tool = WaitForWindow(L"TToolFiler", kBitmapTool);
  if (s.tool && !WaitUntil([&] { return TextOf(FieldEditor(s.tool, kWidthField)) == L"7"; }, 5000)) s.tool = nullptr;
  return s;
}

// Presses a message box button by its id (IDOK, IDYES ...), whatever the language of its text.
bool PressButton(HWND box, int id) {
  HWND button = GetDlgItem(box, id);
  if (!button) return false;
  PostMessageW(button, BM_CLICK, 0, 0);
  return true;
}

// Types a new width into the field on the second page, as a user does after turning the page.
void ChangeWidth(HWND tool, const std::wstring& width) {
  HWND next = FindDescendant(tool, 203);
  SendMessageW(next, BM_CLICK, 0, 0);
  SendMessageW(FieldEditor(tool, kWidthField), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(width.c_str()));
}

class FilerE2e : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    CopyShippedTemplates();
  }
};

}  // namespace

TEST_F(FilerE2e, ShippedTemplateReadChangedAppliedAndSaved) {
  TBitmapSession s = OpenBitmapWithFiler(L"filer-open-dialog");
  ASSERT_NE(s.tool, nullptr);
  EXPECT_EQ(TextOf(FieldEditor(s.tool, 0)), L"BM");
  EXPECT_EQ(PageCount(s.tool), 2);
  ChangeWidth(s.tool, L"300");
  EXPECT_TRUE(WaitUntil([&] { return Modified(s.tool); }, 3000));
  Screenshot(L"filer-over-a-bitmap");
  PostMenuCommand(s.tool, kToolApply);
  EXPECT_TRUE(WaitUntil([&] { return !Modified(s.tool); }, 3000));
  PostMenuCommand(s.window, MenuIdOf(miMM_SaveFile));
  std::string expected = SmallBitmap();
  PutLe32(expected, 18, 300);
  EXPECT_TRUE(WaitUntil([&] { return ReadWholeFile(s.path) == expected; }, 5000));
}

TEST_F(FilerE2e, TemplateWithAnErrorShowsTheBoxAndKeepsThePages) {
  MakeFile(FilerFolder() + L"BAD.OVXF", "PAGE(x)\r\nEDITINTEGER(a, 0, 3, 0, 0)\r\n");
  TBitmapSession s = OpenBitmapWithFiler();
  ASSERT_NE(s.tool, nullptr);
  PostMenuCommand(s.tool, kToolOpen);
  ASSERT_TRUE(ChooseTemplate(L"BA"));
  std::optional<TMessageBox> box = WaitForMessageBox(L"エラー");
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, LongPath(FilerFolder() + L"BAD.OVXF") +
                           L" に記述エラーがあります.\r\n\r\n[行番号]\t2\r\n[エラー内容]\tデータ幅が不正です. "
                           L"データ幅には 1,2,4 のみ指定できます. \"3\"\r\n\r\nファイラーの読み込みに失敗しました.");
  Screenshot(L"filer-parse-error");
  EXPECT_EQ(box->buttons, (std::vector<std::wstring>{L"中止(&A)"})) << "中止 alone, not 再試行 and 無視 beside it";
  ASSERT_TRUE(PressButton(box->hwnd, IDOK));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box->hwnd); }, 3000));
  EXPECT_EQ(PageCount(s.tool), 2);
  EXPECT_EQ(Caption(s.tool), kBitmapTool);
  EXPECT_EQ(TextOf(FieldEditor(s.tool, kWidthField)), L"7");
}

// Cancel keeps the tool with its change; No closes it without writing; a new tool over the same
// window then closes with Yes and writes the change.
TEST_F(FilerE2e, CloseQuestionWithEachAnswer) {
  TBitmapSession s = OpenBitmapWithFiler();
  ASSERT_NE(s.tool, nullptr);
  struct {
    int answer;
    bool toolStays;
    char widthByte;  // the document's byte 18 afterwards
  } cases[] = {{IDCANCEL, true, 7}, {IDNO, false, 7}, {IDYES, false, 9}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    if (!IsWindow(s.tool)) {
      PostMenuCommand(s.window, MenuIdOf(miMM_Filer));
      ASSERT_TRUE(ChooseTemplate(L"BM"));
      s.tool = WaitForWindow(L"TToolFiler", kBitmapTool);
      ASSERT_NE(s.tool, nullptr);
      ASSERT_TRUE(WaitUntil([&] { return TextOf(FieldEditor(s.tool, kWidthField)) == L"7"; }, 5000));
    }
    ChangeWidth(s.tool, L"9");
    ASSERT_TRUE(WaitUntil([&] { return Modified(s.tool); }, 3000));
    PostMessageW(s.tool, WM_CLOSE, 0, 0);
    std::optional<TMessageBox> box = WaitForMessageBox(L"確認");
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, L"設定が変更されています.\r\n閉じる前に設定を反映しますか？");
    ASSERT_TRUE(PressButton(box->hwnd, c.answer));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box->hwnd); }, 3000));
    if (c.toolStays) {
      EXPECT_TRUE(IsWindow(s.tool));
      EXPECT_TRUE(Modified(s.tool));
      EXPECT_EQ(TextOf(FieldEditor(s.tool, kWidthField)), L"9");
    } else {
      EXPECT_TRUE(WaitUntil([&] { return !IsWindow(s.tool); }, 3000));
    }
    std::optional<std::string> bytes = CopyAllBytes(s.window);
    ASSERT_TRUE(bytes);
    EXPECT_EQ((*bytes)[18], c.widthByte);
  }
}

// The editor window is closed while the tool's close question is up: the tool is not freed under
// its box; once it is answered the tool goes, and then the window closes with its own question.
TEST_F(FilerE2e, TheWindowClosedUnderTheToolsQuestionClosesAfterIt) {
  TBitmapSession s = OpenBitmapWithFiler();
  ASSERT_NE(s.tool, nullptr);
  const std::string before = ReadWholeFile(s.path);
  ChangeWidth(s.tool, L"9");
  ASSERT_TRUE(WaitUntil([&] { return Modified(s.tool); }, 3000));
  PostMessageW(s.tool, WM_CLOSE, 0, 0);
  std::optional<TMessageBox> box = WaitForMessageBox(L"確認");
  ASSERT_TRUE(box);
  CloseEditorWindow(s.window);
  EXPECT_FALSE(WaitUntil([&] { return !IsWindow(s.window) || !IsWindow(s.tool); }, 1000))
      << "the window or its tool went under the tool's question";
  ASSERT_TRUE(PressButton(box->hwnd, IDYES));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(s.tool); }, 3000));
  // The applied width changed the document: the kept close asks about it.
  std::optional<TMessageBox> save = WaitForMessageBox(L"確認");
  ASSERT_TRUE(save) << "the kept close never ran";
  EXPECT_EQ(save->text, LongPath(s.path) + L" は更新されています.\r\n閉じる前に保存しますか？");
  ASSERT_TRUE(PressButton(save->hwnd, IDNO));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(s.window); }, 3000));
  EXPECT_EQ(ReadWholeFile(s.path), before);
}

// The editor window's filer command closes an open tool as its close box does: with the question.
TEST_F(FilerE2e, FilerCommandClosesTheToolAskingAboutItsChange) {
  TBitmapSession s = OpenBitmapWithFiler();
  ASSERT_NE(s.tool, nullptr);
  ChangeWidth(s.tool, L"9");
  ASSERT_TRUE(WaitUntil([&] { return Modified(s.tool); }, 3000));
  PostMenuCommand(s.window, MenuIdOf(miMM_Filer));
  std::optional<TMessageBox> box = WaitForMessageBox(L"確認");
  ASSERT_TRUE(box);
  ASSERT_TRUE(PressButton(box->hwnd, IDYES));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(s.tool); }, 3000));
  std::optional<std::string> bytes = CopyAllBytes(s.window);
  ASSERT_TRUE(bytes);
  EXPECT_EQ((*bytes)[18], 9);
}

TEST_F(FilerE2e, JumpButtonMovesTheCaretToTheField) {
  TBitmapSession s = OpenBitmapWithFiler();
  ASSERT_NE(s.tool, nullptr);
  SendMessageW(JumpButton(s.tool, kDataOffsetField), BM_CLICK, 0, 0);
  // The caret shows in the view once its window is active again.
  SetForegroundWindow(s.window);
  EXPECT_TRUE(WaitForCaretAddress(s.window, 10));
}

// The tool stands at its offset from the editor window's corner, and goes with the window
// without asking about its unapplied change.
TEST_F(FilerE2e, PlacedBesideItsWindowAndClosedWithItWithoutAQuestion) {
  TBitmapSession s = OpenBitmapWithFiler();
  ASSERT_NE(s.tool, nullptr);
  RECT editor = {}, tool = {};
  GetWindowRect(s.window, &editor);
  GetWindowRect(s.tool, &tool);
  EXPECT_EQ(tool.left - editor.left, 32);
  EXPECT_EQ(tool.top - editor.top, 32);
  EXPECT_EQ(tool.right - tool.left, 400);
  EXPECT_EQ(tool.bottom - tool.top, 400);
  ChangeWidth(s.tool, L"9");
  ASSERT_TRUE(WaitUntil([&] { return Modified(s.tool); }, 3000));
  CloseEditorWindow(s.window);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(s.tool) && !IsWindow(s.window); }, 5000));
  EXPECT_FALSE(WaitForMessageBox(L"確認", 0, 500));
  EXPECT_EQ(ReadWholeFile(s.path), SmallBitmap());
}

TEST_F(FilerE2e, TabMovesBetweenTheFieldsOfAPage) {
  TBitmapSession s = OpenBitmapWithFiler();
  ASSERT_NE(s.tool, nullptr);
  SetForegroundWindow(s.tool);
  auto focused = [&] {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(s.tool, nullptr), &info);
    return info.hwndFocus;
  };
  SendMessageW(FieldEditor(s.tool, 0), WM_LBUTTONDOWN, MK_LBUTTON, 0);
  SendMessageW(FieldEditor(s.tool, 0), WM_LBUTTONUP, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return focused() == FieldEditor(s.tool, 0); }, 3000));
  PressKeys(s.tool, L"{Tab}");
  EXPECT_TRUE(WaitUntil([&] { return focused() == FieldEditor(s.tool, 1); }, 3000));
}

TEST_F(FilerE2e, OpenDialogGoesUpWithBackspaceAndWarnsOfAMissingFolder) {
  HWND window = OpenFileWindow(MakeFile(L"any.dat"));
  ASSERT_NE(window, nullptr);
  PostMenuCommand(window, MenuIdOf(miMM_Filer));
  HWND dialog = WaitForWindow(L"#32770", kOpenDialog);
  ASSERT_NE(dialog, nullptr);
  HWND folder = GetDlgItem(dialog, 301);
  EXPECT_EQ(TextOf(folder), LongPath(FilerFolder()));
  PressKeys(dialog, L"{Back}");
  EXPECT_TRUE(WaitUntil([&] { return TextOf(folder) == LongPath(ProgramFolder()); }, 3000)) << TextOf(folder);
  ASSERT_TRUE(PressButton(dialog, IDCANCEL));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 3000));
  EXPECT_EQ(FindTopWindow(L"TToolFiler"), nullptr);

  // Without the folder beside the program: the warning, then the dialog on nothing.
  WIN32_FIND_DATAW found = {};
  HANDLE find = FindFirstFileW((FilerFolder() + L"*.OVXF").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do DeleteFileW((FilerFolder() + found.cFileName).c_str());
    while (FindNextFileW(find, &found));
    FindClose(find);
  }
  ASSERT_TRUE(RemoveDirectoryW(FilerFolder().c_str()));
  PostMenuCommand(window, MenuIdOf(miMM_Filer));
  std::optional<TMessageBox> box = WaitForMessageBox(L"警告");
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, LongPath(ProgramFolder()) + L"filer\\ が見付かりません.");
  // The program's boxes have no Cancel-only form: its one button is the box's OK.
  ASSERT_TRUE(PressButton(box->hwnd, IDOK));
  dialog = WaitForWindow(L"#32770", kOpenDialog);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(TextOf(GetDlgItem(dialog, 301)), L"");
  PressButton(dialog, IDCANCEL);
}

// The tool read the width before the user typed over it in the view: applying without touching
// the fields writes none of them, so the view's edit survives.
TEST_F(FilerE2e, ApplyWithoutTouchingTheFieldsKeepsAnEditMadeInTheView) {
  TBitmapSession s = OpenBitmapWithFiler();
  ASSERT_NE(s.tool, nullptr);
  SendMessageW(s.tool, WM_COMMAND, kToolApply, 0);
  EXPECT_EQ(StatusPanelText(s.window, 0), L"") << "an untouched apply leaves the document unmodified";
  SendMessageW(JumpButton(s.tool, kWidthField), BM_CLICK, 0, 0);
  SetForegroundWindow(s.window);
  ASSERT_TRUE(WaitForCaretAddress(s.window, 18));
  PressKeys(s.window, L"09");
  ASSERT_TRUE(WaitUntil([&] { auto b = CopyAllBytes(s.window); return b && (*b)[18] == 9; }, 3000));
  SendMessageW(s.tool, WM_COMMAND, kToolApply, 0);
  std::optional<std::string> bytes = CopyAllBytes(s.window);
  ASSERT_TRUE(bytes);
  std::string expected = SmallBitmap();
  expected[18] = 9;
  EXPECT_EQ(*bytes, expected);
}

// A value outside what the field shows is refused, never wrapped or zeroed; a negative one, which a
// 4-byte field shows for its high values, goes in.
TEST_F(FilerE2e, AValueTheFieldCannotHoldIsRefusedWithAMessage) {
  TBitmapSession s = OpenBitmapWithFiler();
  ASSERT_NE(s.tool, nullptr);
  ChangeWidth(s.tool, L"3000000000");
  PostMenuCommand(s.tool, kToolApply);
  std::optional<TMessageBox> box = WaitForMessageBox(L"エラー");
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, L"4 バイトのフィールドには -2147483648 ～ 2147483647 の整数値を入力して下さい. \"3000000000\"");
  Screenshot(L"filer-value-refused");
  ASSERT_TRUE(PressButton(box->hwnd, IDOK));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box->hwnd); }, 3000));
  EXPECT_EQ(CopyAllBytes(s.window), SmallBitmap());
  EXPECT_TRUE(Modified(s.tool));
  SendMessageW(FieldEditor(s.tool, kWidthField), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"-1"));
  SendMessageW(s.tool, WM_COMMAND, kToolApply, 0);
  std::string expected = SmallBitmap();
  PutLe32(expected, 18, 0xFFFFFFFF);
  EXPECT_EQ(CopyAllBytes(s.window), expected);
}

}  // namespace ovx::e2e
