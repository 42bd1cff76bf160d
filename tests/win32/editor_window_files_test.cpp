// The file commands of an editor window on the real file system: view-only opening with its
// information box, the caption, saving with a backup, the refusal of 別名で保存 over a read-only
// file or a folder, 複製を保存 and the reload item after the file changed on disk.
#include "tests/win32/editor_fake_host.h"

#include <shlobj.h>

namespace ovx::test {
namespace {

std::wstring MenuText(const TOvnxBinaryFormWClass& w, TMenuItem item) {
  wchar_t buffer[256] = {};
  GetMenuStringW(w.Menus().ParentOf(item), MenuIdOf(item), buffer, 256, MF_BYCOMMAND);
  return buffer;
}

bool Grayed(const TOvnxBinaryFormWClass& w, TMenuItem item) {
  return GetMenuState(w.Menus().ParentOf(item), MenuIdOf(item), MF_BYCOMMAND) & MF_GRAYED;
}

std::wstring StatusText(const TOvnxBinaryFormWClass& w, int panel) {
  wchar_t buffer[128] = {};
  SendMessageW(w.StatusBarHandle(), SB_GETTEXTW, panel, reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

void Overwrite(TOvnxBinaryFormWClass& w, const char* bytes) {
  w.Editor().Core().OverwriteBytes(reinterpret_cast<const std::uint8_t*>(bytes), 0,
                                   static_cast<std::int32_t>(strlen(bytes)));
}

// The backup's name: the extension replaced by ".bak".
std::string BackupOf(const std::string& path) {
  size_t dot = path.rfind('.');
  size_t slash = path.rfind('\\');
  return (dot != std::string::npos && (slash == std::string::npos || dot > slash) ? path.substr(0, dot) : path) +
         ".bak";
}

class EditorWindowFiles : public ::testing::Test {
 protected:
  TFakeEditorHost host;
  TScratchFolder scratch;
};

TEST_F(EditorWindowFiles, CaptionOfNewAndNamedDocuments) {
  TOvnxBinaryFormWClass* w = host.Create();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(WindowText(w->Handle()), L"(新規) - Orvanta");
  const std::string path = scratch.Write("data.bin", "0123");
  w->OpenFile(path);
  EXPECT_EQ(host.windows.size(), 1u);  // the new, unmodified window takes the file
  EXPECT_EQ(WindowText(w->Handle()), Utf8ToWide(path + " - Orvanta"));
  EXPECT_EQ(host.history, std::vector<std::string>{path});
  EXPECT_EQ(w->Document().Size(), 4);
  // The same file again activates its window; another file opens a second window.
  w->OpenFile(path);
  EXPECT_EQ(host.windows.size(), 1u);
  w->OpenFile(scratch.Write("other.bin", "x"));
  EXPECT_EQ(host.windows.size(), 2u);
}

TEST_F(EditorWindowFiles, ViewOnlyByExtensionAndByAttributes) {
  struct Case {
    const char* name;
    DWORD attributes;
    const char* attributeText;  // null: the extension decides; "": opens for editing
  };
  const Case cases[] = {
      {"lib.DLL", FILE_ATTRIBUTE_NORMAL, nullptr},
      {"ro.bin", FILE_ATTRIBUTE_READONLY, "読み出し専用属性"},
      {"both.bin", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM, "読み出し専用属性及びシステム属性"},
      {"plain.bin", FILE_ATTRIBUTE_NORMAL, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = scratch.Write(c.name, "abc");
    scratch.Track(BackupOf(path));
    SetFileAttributesW(Utf8ToWide(path).c_str(), c.attributes);
    TOvnxBinaryFormWClass* w = host.Create();
    ASSERT_NE(w, nullptr);
    host.prompt.shown.clear();
    const bool viewOnly = !c.attributeText || *c.attributeText;
    if (viewOnly) host.prompt.answers.push_back(mrOk);
    w->LoadIntoWindow(path);
    if (!viewOnly) {
      EXPECT_TRUE(host.prompt.shown.empty());
      EXPECT_EQ(StatusText(*w, 1), L"上書");
      continue;
    }
    const std::string reason = c.attributeText
                                   ? path + " には\r\n" + c.attributeText + " が設定されています."
                                   : "指定ファイルの拡張子は閲覧専用に設定されています.";
    ASSERT_EQ(host.prompt.shown.size(), 1u);
    EXPECT_EQ(host.prompt.shown[0].text, reason + "\r\n閲覧モードで開きます.");
    EXPECT_EQ(host.prompt.shown[0].kind, mtInformation);
    EXPECT_TRUE(w->ViewOnly());
    EXPECT_EQ(StatusText(*w, 1), L"閲覧");
    // A modified view-only document still refuses 上書き保存 reached by a key.
    w->Document().SetModified(1);
    w->DoMenuCommand(cmSAVE);
    EXPECT_EQ(TScratchFolder::Read(BackupOf(path)), "<missing>");
    // Changed options do not lift the view-only mode.
    w->ApplySettings(host.Settings());
    EXPECT_TRUE(w->ViewOnly());
    SetFileAttributesW(Utf8ToWide(path).c_str(), FILE_ATTRIBUTE_NORMAL);
  }
}

TEST_F(EditorWindowFiles, SaveWritesTheFileAndKeepsTheOldContentAsBak) {
  const std::string path = scratch.Write("save.bin", "old!");
  const std::string backup = BackupOf(path);
  scratch.Track(backup);
  TOvnxBinaryFormWClass* w = host.Create();
  ASSERT_NE(w, nullptr);
  w->LoadIntoWindow(path);
  Overwrite(*w, "NEW");
  EXPECT_EQ(StatusText(*w, 0), L"変更");
  SendMessageW(w->Handle(), WM_COMMAND, MenuIdOf(miMM_SaveFile), 0);
  EXPECT_EQ(TScratchFolder::Read(path), "NEW!");
  EXPECT_EQ(TScratchFolder::Read(backup), "old!");
  EXPECT_FALSE(w->Modified());
  EXPECT_EQ(StatusText(*w, 0), L"");
}

TEST_F(EditorWindowFiles, SaveAsRefusesAReadOnlyTarget) {
  const std::string target = scratch.Write("locked.bin", "keep");
  SetFileAttributesW(Utf8ToWide(target).c_str(), FILE_ATTRIBUTE_READONLY);
  TOvnxBinaryFormWClass* w = host.Create();
  ASSERT_NE(w, nullptr);
  Overwrite(*w, "zz");
  host.dialogAnswers.push_back(target);
  host.prompt.answers = {mrOk, mrOk};
  w->DoMenuCommand(cmSAVEANOTHER);
  EXPECT_EQ(host.dialogTitles, std::vector<std::string>{"別名で保存"});
  ASSERT_EQ(host.prompt.shown.size(), 2u);
  EXPECT_EQ(host.prompt.shown[0].text, target + " は既に存在します.\r\n上書きしてよろしいですか？");
  EXPECT_EQ(host.prompt.shown[1].text, target + " には\r\n変更不可能な属性が設定されています.\r\n保存を中止します.");
  EXPECT_EQ(host.prompt.shown[1].kind, mtError);
  EXPECT_EQ(TScratchFolder::Read(target), "keep");
  EXPECT_EQ(WindowText(w->Handle()), L"(新規) - Orvanta");
  EXPECT_TRUE(w->Modified());
}

// A folder of the chosen name is refused like a read-only file: nothing is renamed or written.
TEST_F(EditorWindowFiles, SaveAsAndSaveCopyRefuseAFolder) {
  const std::string folder = scratch.MakeFolder("target.bin");
  const std::string inside = scratch.Write("target.bin\\inside.dat", "keep");
  const std::string target = ExpandLongPathName(folder);  // long form, ending in a backslash
  for (TCommandId command : {cmSAVEANOTHER, cmSAVEREPRODUCT}) {
    SCOPED_TRACE(command);
    TOvnxBinaryFormWClass* w = host.Create();
    ASSERT_NE(w, nullptr);
    Overwrite(*w, "zz");
    host.prompt.shown.clear();
    host.prompt.answers = {mrOk, mrOk};
    host.dialogAnswers.push_back(folder);
    w->DoMenuCommand(command);
    EXPECT_EQ(host.prompt.Texts(),
              (std::vector<std::string>{target + " は既に存在します.\r\n上書きしてよろしいですか？",
                                        target + " には\r\n変更不可能な属性が設定されています.\r\n保存を中止します."}));
    EXPECT_EQ(TScratchFolder::Names(scratch.Path()), std::vector<std::string>{"target.bin"});  // no backup
    EXPECT_EQ(TScratchFolder::Names(folder), std::vector<std::string>{"inside.dat"});
    EXPECT_EQ(TScratchFolder::Read(inside), "keep");
    EXPECT_EQ(WindowText(w->Handle()), L"(新規) - Orvanta");
    EXPECT_TRUE(w->Modified());
  }
}

TEST_F(EditorWindowFiles, SaveCopyKeepsCaptionAndModifiedFlag) {
  const std::string path = scratch.Write("orig.bin", "1234");
  const std::string copy = scratch.Write("copy.bin", "");
  DeleteFileW(Utf8ToWide(copy).c_str());
  TOvnxBinaryFormWClass* w = host.Create();
  ASSERT_NE(w, nullptr);
  w->LoadIntoWindow(path);
  const std::wstring caption = WindowText(w->Handle());
  Overwrite(*w, "ab");
  host.dialogAnswers.push_back(copy);
  w->DoMenuCommand(cmSAVEREPRODUCT);
  EXPECT_EQ(host.dialogTitles, std::vector<std::string>{"複製を保存"});
  EXPECT_EQ(TScratchFolder::Read(copy), "ab34");
  EXPECT_EQ(TScratchFolder::Read(path), "1234");
  EXPECT_EQ(WindowText(w->Handle()), caption);
  EXPECT_EQ(w->FileName(), path);
  EXPECT_TRUE(w->Modified());
  EXPECT_EQ(StatusText(*w, 0), L"変更");
  // 別名で保存 on the other hand takes the new name.
  const std::string renamed = scratch.Write("renamed.bin", "");
  DeleteFileW(Utf8ToWide(renamed).c_str());
  host.dialogAnswers.push_back(renamed);
  w->DoMenuCommand(cmSAVEANOTHER);
  EXPECT_EQ(WindowText(w->Handle()), Utf8ToWide(renamed + " - Orvanta"));
  EXPECT_FALSE(w->Modified());
}

TEST_F(EditorWindowFiles, ReloadItemOffersTheNewerFileAndReloads) {
  const std::string path = scratch.Write("reload.bin", "first");
  TOvnxBinaryFormWClass* w = host.Create();
  ASSERT_NE(w, nullptr);
  w->LoadIntoWindow(path);
  SendMessageW(w->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(w->Menus().SubmenuOf(miMM_File)), 0);
  EXPECT_EQ(MenuText(*w, miMM_Reload), L"再読み込み(&R)");
  EXPECT_TRUE(Grayed(*w, miMM_Reload));

  // The file changes on disk and gets a later stamp.
  scratch.Write("reload.bin", "second");
  HANDLE h = CreateFileW(Utf8ToWide(path).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  FILETIME later = {};
  GetFileTime(h, nullptr, nullptr, &later);
  ULARGE_INTEGER t = {{later.dwLowDateTime, later.dwHighDateTime}};
  t.QuadPart += 10ULL * 1000 * 1000 * 3600;  // an hour on
  later = {t.LowPart, t.HighPart};
  SetFileTime(h, nullptr, nullptr, &later);
  CloseHandle(h);
  SendMessageW(w->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(w->Menus().SubmenuOf(miMM_File)), 0);
  EXPECT_EQ(MenuText(*w, miMM_Reload), L"最新の情報に更新(&R)");
  EXPECT_FALSE(Grayed(*w, miMM_Reload));

  host.prompt.answers.push_back(mrOk);
  SendMessageW(w->Handle(), WM_COMMAND, MenuIdOf(miMM_Reload), 0);
  ASSERT_EQ(host.prompt.shown.size(), 1u);
  EXPECT_EQ(host.prompt.shown[0].text, path + " を再読み込みします.\r\n編集した内容は失われます.\r\nよろしいですか？");
  EXPECT_EQ(w->Document().Size(), 6);
  SendMessageW(w->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(w->Menus().SubmenuOf(miMM_File)), 0);
  EXPECT_EQ(MenuText(*w, miMM_Reload), L"再読み込み(&R)");
}

TEST_F(EditorWindowFiles, CloseAsksAndEachAnswerDoesItsPart) {
  TOvnxBinaryFormWClass* w = host.Create();
  ASSERT_NE(w, nullptr);
  Overwrite(*w, "q");
  HWND hwnd = w->Handle();
  host.prompt.answers.push_back(mrCancel);
  w->DoMenuCommand(cmCLOSE);
  PumpMessages();
  ASSERT_EQ(host.prompt.shown.size(), 1u);
  EXPECT_EQ(host.prompt.shown[0].text, "(新規) は更新されています.\r\n閉じる前に保存しますか？");
  EXPECT_TRUE(IsWindow(hwnd));
  // Yes with the save dialog cancelled keeps it open and modified.
  host.prompt.answers.push_back(mrYes);
  w->DoMenuCommand(cmCLOSE);
  PumpMessages();
  EXPECT_TRUE(IsWindow(hwnd));
  EXPECT_TRUE(w->Modified());
  host.prompt.answers.push_back(mrNo);
  w->DoMenuCommand(cmCLOSE);
  PumpMessages();
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_TRUE(host.windows.empty());
}

// A drop handle as the shell makes one: DROPFILES, then the wide names, then an empty name.
HDROP MakeDrop(const std::vector<std::string>& names) {
  std::wstring list;
  for (const std::string& n : names) list += Utf8ToWide(n) + L'\0';
  list += L'\0';
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

TEST_F(EditorWindowFiles, DroppedFilesOpenInDropOrder) {
  const std::string a = scratch.Write("a.bin", "A"), b = scratch.Write("b.bin", "BB"), c = scratch.Write("c.bin", "CCC");
  TOvnxBinaryFormWClass* w = host.Create();
  ASSERT_NE(w, nullptr);
  SendMessageW(w->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({a, b, c})), 0);
  ASSERT_EQ(host.windows.size(), 3u);
  EXPECT_EQ(host.windows[0]->FileName(), a);  // the new, unmodified window takes the first
  EXPECT_EQ(host.windows[1]->FileName(), b);
  EXPECT_EQ(host.windows[2]->FileName(), c);
  EXPECT_EQ(host.windows[2]->Document().Size(), 3);
}

TEST_F(EditorWindowFiles, HistoryEntryOfAMissingFileIsWarnedAndRemoved) {
  const std::string kept = scratch.Write("kept.bin", "k");
  const std::string gone = scratch.Write("gone.bin", "g");
  DeleteFileW(Utf8ToWide(gone).c_str());
  host.history = {gone, kept};
  TOvnxBinaryFormWClass* w = host.Create();
  ASSERT_NE(w, nullptr);
  host.UpdateWindowMenus();
  HMENU history = w->Menus().SubmenuOf(miMM_OpenHistory);
  ASSERT_EQ(GetMenuItemCount(history), 2);
  host.prompt.answers.push_back(mrOk);
  SendMessageW(w->Handle(), WM_COMMAND, GetMenuItemID(history, 0), 0);
  ASSERT_EQ(host.prompt.shown.size(), 1u);
  EXPECT_EQ(host.prompt.shown[0].text, gone + " が見付かりません.\r\nファイル履歴から削除します.");
  EXPECT_EQ(host.prompt.shown[0].kind, mtWarning);
  EXPECT_EQ(host.history, std::vector<std::string>{kept});
  EXPECT_EQ(GetMenuItemCount(history), 1);
  // The remaining entry opens in this new window.
  SendMessageW(w->Handle(), WM_COMMAND, GetMenuItemID(history, 0), 0);
  EXPECT_EQ(w->FileName(), kept);
}

}  // namespace
}  // namespace ovx::test
