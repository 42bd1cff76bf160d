// Loading, saving, save as, save a copy, reloading and closing: every question and refusal
// with each answer, over a scripted prompt and a window that records what it was asked.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "editor/FileCommands.h"
#include "editor/ViewOnlyRule.h"
#include "tests/unit/scripted_prompt.h"

namespace ovx {
namespace {

using test::TScriptedPrompt;
using test::TShownBox;

class TFakeSite final : public TEditorFileSite {
 public:
  std::string fileName;
  bool modified = false;
  bool viewOnly = false;
  bool notifyLocked = false;
  bool saveSucceeds = true;
  std::string extensions = "sys;exe;com;dll;vxd";
  std::map<std::string, int> files;  // existing files and their attributes
  std::optional<std::string> dialogAnswer;  // none: the user cancels
  std::vector<std::string> log;

  std::string FileName() override { return fileName; }
  void SetFileName(const std::string& name) override {
    fileName = name;
    log.push_back("name " + name);
  }
  std::string ViewOnlyExtensions() override { return extensions; }
  void SetFileAge(std::int32_t age) override { log.push_back("age " + std::to_string(age)); }
  bool Modified() override { return modified; }
  bool ViewOnly() override { return viewOnly; }
  void SetViewOnly() override {
    viewOnly = true;
    log.push_back("view-only");
  }
  bool LoadDocument(const std::string& name) override {
    log.push_back("load " + name);
    modified = false;
    return true;
  }
  bool SaveDocument(const std::string& name) override {
    log.push_back(std::string(notifyLocked ? "save copy " : "save ") + name);
    if (saveSucceeds && !notifyLocked) modified = false;
    return saveSucceeds;
  }
  bool ReloadDocument(const std::string& name) override {
    log.push_back("reload " + name);
    modified = false;
    return true;
  }
  void SetNotifyLocked(bool locked) override { notifyLocked = locked; }
  // Long names are the given names in capitals here, so the tests see where they are used.
  std::string LongPathName(const std::string& name) override {
    std::string upper = name;
    for (char& c : upper)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return upper;
  }
  // A file, not a folder, as the window's own test answers.
  bool FileExists(const std::string& name) override { return files.count(name) && !(files[name] & faDirectory); }
  int FileAttributes(const std::string& name) override { return files.count(name) ? files[name] : -1; }
  std::int32_t FileAge(const std::string& name) override { return files.count(name) ? 7000 : -1; }
  bool AskSaveName(const std::string& title, std::string& name) override {
    log.push_back("dialog " + title);
    if (!dialogAnswer) return false;
    name = *dialogAnswer;
    return true;
  }
  void TakeOverFileComparisons(const std::string& name) override { log.push_back("comparisons " + name); }
};

using Log = std::vector<std::string>;

TEST(EditorFileCommands, LoadIntoWindow) {
  struct TCase {
    const char* what;
    const char* name;
    int attributes;  // -2: no such file
    std::vector<TShownBox> boxes;
    Log log;
  };
  const TCase cases[] = {
      {"plain file", "c:\\a.bin", 0, {}, {"name C:\\A.BIN", "load C:\\A.BIN", "age 7000", "comparisons C:\\A.BIN"}},
      {"missing file", "c:\\gone.bin", -2, {}, {"comparisons C:\\GONE.BIN"}},
      {"listed extension",
       "c:\\k.dll",
       0,
       {{"指定ファイルの拡張子は閲覧専用に設定されています.\r\n閲覧モードで開きます.", mtInformation, mbOK}},
       {"name C:\\K.DLL", "load C:\\K.DLL", "age 7000", "view-only", "comparisons C:\\K.DLL"}},
      {"read-only and system",
       "c:\\r.bin",
       faReadOnly | faSysFile,
       {{"C:\\R.BIN には\r\n読み出し専用属性及びシステム属性 が設定されています.\r\n閲覧モードで開きます.",
         mtInformation, mbOK}},
       {"name C:\\R.BIN", "load C:\\R.BIN", "age 7000", "view-only", "comparisons C:\\R.BIN"}},
  };
  for (const TCase& c : cases) {
    TFakeSite site;
    std::string upper = site.LongPathName(c.name);
    if (c.attributes != -2) site.files[upper] = c.attributes;
    TScriptedPrompt prompt({mrOk});
    LoadIntoWindow(site, prompt, c.name);
    EXPECT_EQ(prompt.shown, c.boxes) << c.what;
    EXPECT_EQ(site.log, c.log) << c.what;
  }
}

TEST(EditorFileCommands, SaveInPlace) {
  {  // not modified: nothing, exactly like the disabled item
    TFakeSite site;
    site.fileName = "C:\\A.BIN";
    EXPECT_FALSE(SaveFileCommand(site));
    EXPECT_EQ(site.log, Log{});
  }
  {  // view-only: nothing
    TFakeSite site;
    site.fileName = "C:\\A.BIN";
    site.modified = site.viewOnly = true;
    EXPECT_FALSE(SaveFileCommand(site));
    EXPECT_EQ(site.log, Log{});
  }
  {  // named: written where it is
    TFakeSite site;
    site.fileName = "C:\\A.BIN";
    site.modified = true;
    EXPECT_TRUE(SaveFileCommand(site));
    EXPECT_EQ(site.log, Log{"save C:\\A.BIN"});
  }
  {  // new document, dialog confirmed: long name taken, comparisons switched, no overwrite question
    TFakeSite site;
    site.modified = true;
    site.dialogAnswer = "c:\\new.bin";
    site.files["C:\\NEW.BIN"] = 0;
    EXPECT_TRUE(SaveFileCommand(site));
    EXPECT_EQ(site.log, (Log{"dialog 保存", "name C:\\NEW.BIN", "comparisons C:\\NEW.BIN", "save C:\\NEW.BIN"}));
  }
  {  // new document, dialog cancelled
    TFakeSite site;
    site.modified = true;
    EXPECT_FALSE(SaveFileCommand(site));
    EXPECT_EQ(site.log, Log{"dialog 保存"});
    EXPECT_TRUE(site.modified);
  }
}

TEST(EditorFileCommands, SaveAsAndSaveCopy) {
  const std::string exists = "C:\\OLD.BIN は既に存在します.\r\n上書きしてよろしいですか？";
  const std::string refused = "C:\\OLD.BIN には\r\n変更不可能な属性が設定されています.\r\n保存を中止します.";
  struct TCase {
    const char* what;
    bool copy;
    std::optional<std::string> dialog;
    int attributes;  // -2: no such file
    std::deque<TModalResult> answers;
    bool saved;
    std::vector<TShownBox> boxes;
    Log log;
  };
  const TCase cases[] = {
      {"save as, cancelled", false, std::nullopt, -2, {}, false, {}, {"dialog 別名で保存"}},
      {"save copy, cancelled", true, std::nullopt, -2, {}, false, {}, {"dialog 複製を保存"}},
      {"save as, new file", false, "c:\\new.bin", -2, {}, true, {},
       {"dialog 別名で保存", "save C:\\NEW.BIN", "name C:\\NEW.BIN"}},
      {"save copy, new file", true, "c:\\new.bin", -2, {}, true, {}, {"dialog 複製を保存", "save copy C:\\NEW.BIN"}},
      {"save as over a file, OK", false, "c:\\old.bin", 0, {mrOk}, true,
       {{exists, mtConfirmation, mbOK | mbCancel}},
       {"dialog 別名で保存", "save C:\\OLD.BIN", "name C:\\OLD.BIN"}},
      {"save as over a file, Cancel", false, "c:\\old.bin", 0, {mrCancel}, false,
       {{exists, mtConfirmation, mbOK | mbCancel}}, {"dialog 別名で保存"}},
      {"save as over a read-only file", false, "c:\\old.bin", faReadOnly, {mrOk, mrOk}, false,
       {{exists, mtConfirmation, mbOK | mbCancel}, {refused, mtError, mbOK}}, {"dialog 別名で保存"}},
      {"save as over a folder", false, "c:\\old.bin", faDirectory, {mrOk, mrOk}, false,
       {{exists, mtConfirmation, mbOK | mbCancel}, {refused, mtError, mbOK}}, {"dialog 別名で保存"}},
      {"save copy over a folder", true, "c:\\old.bin", faDirectory, {mrOk, mrOk}, false,
       {{exists, mtConfirmation, mbOK | mbCancel}, {refused, mtError, mbOK}}, {"dialog 複製を保存"}},
      {"save copy over a hidden file", true, "c:\\old.bin", faHidden, {mrOk}, true,
       {{exists, mtConfirmation, mbOK | mbCancel}}, {"dialog 複製を保存", "save copy C:\\OLD.BIN"}},
  };
  for (const TCase& c : cases) {
    TFakeSite site;
    site.fileName = "C:\\A.BIN";
    site.modified = true;
    site.dialogAnswer = c.dialog;
    if (c.attributes != -2) site.files["C:\\OLD.BIN"] = c.attributes;
    TScriptedPrompt prompt(c.answers);
    EXPECT_EQ(SaveExpandCommand(site, prompt, c.copy), c.saved) << c.what;
    EXPECT_EQ(prompt.shown, c.boxes) << c.what;
    EXPECT_EQ(site.log, c.log) << c.what;
    EXPECT_FALSE(site.notifyLocked) << c.what;
    if (c.copy) {  // a copy leaves name and modified state as they were
      EXPECT_EQ(site.fileName, "C:\\A.BIN") << c.what;
      EXPECT_TRUE(site.modified) << c.what;
    }
  }
}

TEST(EditorFileCommands, FailedSaveAsKeepsTheOldName) {
  TFakeSite site;
  site.fileName = "C:\\A.BIN";
  site.modified = true;
  site.saveSucceeds = false;
  site.dialogAnswer = "c:\\new.bin";
  TScriptedPrompt prompt;
  EXPECT_FALSE(SaveExpandCommand(site, prompt, false));
  EXPECT_EQ(site.fileName, "C:\\A.BIN");
  EXPECT_TRUE(site.modified);
}

TEST(EditorFileCommands, Reload) {
  const std::string question = "C:\\A.BIN を再読み込みします.\r\n編集した内容は失われます.\r\nよろしいですか？";
  for (TModalResult answer : {mrOk, mrCancel}) {
    TFakeSite site;
    site.fileName = "C:\\A.BIN";
    site.files["C:\\A.BIN"] = 0;
    site.modified = true;
    TScriptedPrompt prompt({answer});
    EXPECT_EQ(ReloadCommand(site, prompt), answer == mrOk);
    EXPECT_EQ(prompt.shown, (std::vector<TShownBox>{{question, mtConfirmation, mbOK | mbCancel}}));
    const Log expected = answer == mrOk ? Log{"reload C:\\A.BIN", "age 7000"} : Log{};
    EXPECT_EQ(site.log, expected);
  }
}

TEST(EditorFileCommands, QuestionBeforeClosing) {
  const std::string named = "C:\\A.BIN は更新されています.\r\n閉じる前に保存しますか？";
  const std::string unnamed = "(新規) は更新されています.\r\n閉じる前に保存しますか？";
  struct TCase {
    const char* what;
    const char* fileName;
    bool modified;
    bool saveSucceeds;
    std::optional<std::string> dialog;
    std::deque<TModalResult> answers;
    bool closes;
    Log log;
  };
  const TCase cases[] = {
      {"not modified", "C:\\A.BIN", false, true, std::nullopt, {}, true, {}},
      {"No", "C:\\A.BIN", true, true, std::nullopt, {mrNo}, true, {}},
      {"Cancel", "C:\\A.BIN", true, true, std::nullopt, {mrCancel}, false, {}},
      {"box closed", "C:\\A.BIN", true, true, std::nullopt, {mrNone}, false, {}},
      {"Yes, saved", "C:\\A.BIN", true, true, std::nullopt, {mrYes}, true, {"save C:\\A.BIN"}},
      {"Yes, save failed", "C:\\A.BIN", true, false, std::nullopt, {mrYes}, false, {"save C:\\A.BIN"}},
      {"new, Yes, dialog cancelled", "", true, true, std::nullopt, {mrYes}, false, {"dialog 保存"}},
      {"new, Yes, name given", "", true, true, "c:\\n.bin", {mrYes}, true,
       {"dialog 保存", "name c:\\n.bin", "save c:\\n.bin"}},
  };
  for (const TCase& c : cases) {
    TFakeSite site;
    site.fileName = c.fileName;
    site.modified = c.modified;
    site.saveSucceeds = c.saveSucceeds;
    site.dialogAnswer = c.dialog;
    TScriptedPrompt prompt(c.answers);
    EXPECT_EQ(QuerySaveOnClose(site, prompt), c.closes) << c.what;
    EXPECT_EQ(site.log, c.log) << c.what;
    if (c.modified) {
      ASSERT_EQ(prompt.shown.size(), 1u) << c.what;
      EXPECT_EQ(prompt.shown[0], (TShownBox{*c.fileName ? named : unnamed, mtConfirmation, mbYes | mbNo | mbCancel}))
          << c.what;
    }
    if (!c.closes && c.modified) {
      EXPECT_TRUE(site.modified) << c.what;
    }
  }
}

TEST(EditorFileCommands, WhereAFileOpens) {
  const char* ext = "sys;exe;com;dll;vxd";
  struct TCase {
    const char* what;
    const char* name;
    bool held;
    bool modified;
    const char* fileName;
    const char* compareFileName;
    TOpenTarget target;
  };
  const TCase cases[] = {
      {"held by a window", "C:\\A.BIN", true, false, "", "", otActivateHolder},
      {"new unmodified window", "C:\\A.BIN", false, false, "", "", otThisWindow},
      {"modified new window", "C:\\A.BIN", false, true, "", "", otNewWindow},
      {"named window", "C:\\A.BIN", false, false, "C:\\B.BIN", "", otNewWindow},
      {"the file this window compares with", "C:\\A.BIN", false, false, "", "c:\\a.bin", otNewWindow},
      {"compared file with a listed extension", "C:\\A.DLL", false, false, "", "C:\\A.DLL", otNewWindowViewOnly},
      {"listed extension, no comparison", "C:\\A.DLL", false, false, "", "", otThisWindow},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(DecideOpenTarget(c.name, c.held, c.modified, c.fileName, c.compareFileName, ext), c.target) << c.what;
}

TEST(EditorFileCommands, HistoryFileMissing) {
  EXPECT_EQ(HistoryFileMissingText("C:\\gone.bin"), "C:\\gone.bin が見付かりません.\r\nファイル履歴から削除します.");
}

}  // namespace
}  // namespace ovx
