// The comparison commands of editor windows: with a file, with another window, with the state
// on disk, the walk between differences, the refusals, and the windows kept consistent when a
// compared window closes or the compared file is opened.
#include "tests/win32/editor_fake_host.h"

namespace ovx::test {
namespace {

std::wstring ComparePanel(const TOvnxBinaryFormWClass& w) {
  wchar_t buffer[128] = {};
  SendMessageW(w.StatusBarHandle(), SB_GETTEXTW, 4, reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

bool Grayed(const TOvnxBinaryFormWClass& w, TMenuItem item) {
  return GetMenuState(w.Menus().ParentOf(item), MenuIdOf(item), MF_BYCOMMAND) & MF_GRAYED;
}

class EditorCompare : public ::testing::Test {
 protected:
  TFakeEditorHost host;
  TScratchFolder scratch;

  TOvnxBinaryFormWClass* Open(const std::string& path) {
    TOvnxBinaryFormWClass* w = host.OpenEditorWindow(path);
    EXPECT_NE(w, nullptr);
    return w;
  }
};

TEST_F(EditorCompare, WithAFileAndTheWalkBetweenDifferences) {
  TOvnxBinaryFormWClass* w = Open(scratch.Write("mine.bin", std::string("\x00\x01\x02\x03\x04\x05", 6)));
  const std::string theirs = scratch.Write("theirs.bin", std::string("\x00\x09\x02\x03\x07\x05", 6));
  host.dialogAnswers = {theirs};
  w->DoMenuCommand(cmCOMPAREFILE);
  EXPECT_EQ(host.dialogTitles.back(), "比較ファイルを開く");
  EXPECT_EQ(ComparePanel(*w), L"比較 : 指定ﾌｧｲﾙ");
  EXPECT_EQ(w->State().compareMode, 1);
  EXPECT_EQ(w->State().compareFileName, theirs);
  w->EnableSetting();
  EXPECT_FALSE(Grayed(*w, miMM_CompareNext));
  EXPECT_FALSE(Grayed(*w, miMM_CompareQuit));
  w->DoMenuCommand(cmCOMPARENEXT);
  EXPECT_EQ(w->Editor().Core().CaretAddress(), 1);
  w->DoMenuCommand(cmCOMPARENEXT);
  EXPECT_EQ(w->Editor().Core().CaretAddress(), 4);
  host.prompt.answers = {mrOk};
  w->DoMenuCommand(cmCOMPARENEXT);
  EXPECT_EQ(host.prompt.shown.back(), (TShownBox{"相違点が見付かりません.", mtWarning, mbOK}));
  w->DoMenuCommand(cmCOMPAREQUIT);
  EXPECT_EQ(ComparePanel(*w), L"");
  EXPECT_FALSE(w->Editor().Core().Comparing());
  w->EnableSetting();
  EXPECT_TRUE(Grayed(*w, miMM_CompareQuit));
  EXPECT_TRUE(Grayed(*w, miMM_CompareNext));
}

TEST_F(EditorCompare, FilesThatCannotBeComparedAreRefused) {
  TOvnxBinaryFormWClass* w = Open(scratch.Write("mine.bin", "abc"));
  const std::string missing = scratch.Path() + "missing.bin";
  host.dialogAnswers = {missing};
  host.prompt.answers = {mrAbort};
  w->DoMenuCommand(cmCOMPAREFILE);
  EXPECT_EQ(host.prompt.shown.back(),
            (TShownBox{missing + " が見付かりません.\r\n比較ファイルには新規ファイルを指定することは出来ません.", mtError,
                       mbAbort}));
  EXPECT_EQ(w->State().compareMode, 0);

  // A file held open by another program without sharing: the system's reason, and no comparison.
  const std::string locked = scratch.Write("locked.bin", "abd");
  HANDLE holder = CreateFileW(Utf8ToWide(locked).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  host.dialogAnswers = {locked};
  host.prompt.answers = {mrAbort};
  w->DoMenuCommand(cmCOMPAREFILE);
  CloseHandle(holder);
  ASSERT_EQ(host.prompt.shown.size(), 2u);
  EXPECT_EQ(host.prompt.shown.back().text.rfind(locked + " の読み込みに失敗しました.\r\n", 0), 0u);
  EXPECT_GT(host.prompt.shown.back().text.size(), locked.size() + 30);
  EXPECT_EQ(host.prompt.shown.back().kind, mtError);
  EXPECT_EQ(w->State().compareMode, 0);
  EXPECT_EQ(w->State().compareFileName, "");
  EXPECT_FALSE(w->Editor().Core().Comparing());
  EXPECT_EQ(ComparePanel(*w), L"");
}

TEST_F(EditorCompare, WithAnotherWindowUntilItCloses) {
  TOvnxBinaryFormWClass* w = Open(scratch.Write("a.bin", "abcd"));
  w->DoMenuCommand(cmCOMPAREWINDOW);  // a single window: nothing happens
  EXPECT_EQ(w->State().compareMode, 0);
  TOvnxBinaryFormWClass* other = Open(scratch.Write("b.bin", "abzd"));
  host.selectedWindow = w;
  host.prompt.answers = {mrAbort};
  w->DoMenuCommand(cmCOMPAREWINDOW);
  EXPECT_EQ(host.prompt.Texts().back(), "同一のウィンドウと比較することは出来ません.");
  EXPECT_EQ(w->State().compareMode, 0);
  host.selectedWindow = other;
  w->DoMenuCommand(cmCOMPAREWINDOW);
  EXPECT_EQ(ComparePanel(*w), L"比較 : 指定ｳｨﾝﾄﾞｳ");
  EXPECT_EQ(w->Editor().Core().ComparePartner(), &other->Document());
  // Edits in the other window are differences at once.
  other->Editor().Core().OverwriteBytes(reinterpret_cast<const std::uint8_t*>("Z"), 0, 1);
  w->DoMenuCommand(cmCOMPARENEXT);
  EXPECT_EQ(w->Editor().Core().CaretAddress(), 0);
  other->Editor().Core().OverwriteBytes(reinterpret_cast<const std::uint8_t*>("a"), 0, 1);
  other->Editor().Core().History().ClearHistory();
  other->Document().SetModified(0);
  other->RunCloseCommand();
  ASSERT_EQ(host.windows.size(), 1u);
  EXPECT_FALSE(w->Editor().Core().Comparing());
  EXPECT_EQ(w->State().compareMode, 0);
  EXPECT_EQ(ComparePanel(*w), L"");
  w->EnableSetting();
  EXPECT_TRUE(Grayed(*w, miMM_CompareQuit));
}

TEST_F(EditorCompare, OpeningTheComparedFileTurnsTheComparisonToItsWindow) {
  TOvnxBinaryFormWClass* w = Open(scratch.Write("a.bin", "abcd"));
  const std::string theirs = scratch.Write("b.bin", "abzd");
  host.dialogAnswers = {theirs};
  w->DoMenuCommand(cmCOMPAREFILE);
  ASSERT_EQ(w->State().compareMode, 1);
  TOvnxBinaryFormWClass* holder = Open(theirs);
  EXPECT_EQ(w->State().compareMode, 2);
  EXPECT_EQ(ComparePanel(*w), L"比較 : 指定ｳｨﾝﾄﾞｳ");
  EXPECT_EQ(w->Editor().Core().ComparePartner(), &holder->Document());

  // Comparing with a file some window holds asks first and compares with that window.
  TOvnxBinaryFormWClass* third = Open(scratch.Write("c.bin", "abcd"));
  host.dialogAnswers = {theirs};
  host.prompt.answers = {mrOk};
  third->DoMenuCommand(cmCOMPAREFILE);
  EXPECT_EQ(host.prompt.shown.back(),
            (TShownBox{theirs + " は既に開かれています.\r\n指定のファイルが開かれているウィンドウとの比較を行います.",
                       mtConfirmation, mbOK | mbCancel}));
  EXPECT_EQ(third->State().compareMode, 2);
  EXPECT_EQ(third->Editor().Core().ComparePartner(), &holder->Document());
}

TEST_F(EditorCompare, TheWindowsOwnFileIsComparedAsItIsOnDisk) {
  const std::string path = scratch.Write("own.bin", "abcd");
  TOvnxBinaryFormWClass* w = Open(path);
  w->Editor().Core().OverwriteBytes(reinterpret_cast<const std::uint8_t*>("X"), 2, 1);
  host.dialogAnswers = {path};
  w->DoMenuCommand(cmCOMPAREFILE);
  EXPECT_TRUE(host.prompt.shown.empty());  // no question about a window holding the file
  EXPECT_EQ(w->State().compareMode, 3);
  EXPECT_EQ(ComparePanel(*w), L"比較 : 現状ﾌｧｲﾙ");
  EXPECT_NE(w->Editor().Core().ComparePartner(), &w->Document());
  w->Editor().Core().SetCaret(0, 0);
  w->DoMenuCommand(cmCOMPARENEXT);
  EXPECT_EQ(w->Editor().Core().CaretAddress(), 2);
}

TEST_F(EditorCompare, TheStateOnDiskAndItsReload) {
  const std::string path = scratch.Write("disk.bin", "abcd");
  TOvnxBinaryFormWClass* w = Open(path);
  w->DoMenuCommand(cmCOMPAREPRESENT);
  EXPECT_EQ(ComparePanel(*w), L"比較 : 現状ﾌｧｲﾙ");
  w->EnableSetting();
  wchar_t caption[128] = {};
  GetMenuStringW(w->Menus().ParentOf(miMM_ComparePresent), MenuIdOf(miMM_ComparePresent), caption, 128,
                 MF_BYCOMMAND);
  EXPECT_EQ(std::wstring(caption).substr(0, std::wstring(caption).find(L'\t')), L"ディスク上の現状をリロード(&S)");
  host.prompt.answers = {mrOk};
  w->DoMenuCommand(cmCOMPARENEXT);
  EXPECT_EQ(host.prompt.Texts().back(), "相違点が見付かりません.");
  scratch.Write("disk.bin", "abXd");  // another program changes the file
  w->DoMenuCommand(cmCOMPAREPRESENT);
  w->DoMenuCommand(cmCOMPARENEXT);
  EXPECT_EQ(w->Editor().Core().CaretAddress(), 2);
  EXPECT_EQ(w->State().compareMode, 3);
}

}  // namespace
}  // namespace ovx::test
