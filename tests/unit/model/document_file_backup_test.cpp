// Saving with and without the backup file: what the user is told and asked, and which files end
// where with which content.
#include <gtest/gtest.h>

#include <optional>

#include "fault_file_system.h"
#include "history_fixture.h"
#include "model/DocumentFile.h"
#include "temp_folder.h"

namespace ovx::test {
namespace {

const char kBakWarning[] = "拡張子が BAK のファイルのバックアップは作成できません.";

struct BackupCase {
  const char* name;
  const char* target;
  std::optional<std::string> targetBefore;  // none: the file does not exist yet
  std::optional<std::string> backupBefore;  // content of "<target without extension>.bak"
  bool makeBackFile;
  int backupDeleteFails;  // deleting the previous backup fails with this code
  int backupFails;        // keeping the old content under the backup name fails with this code
  std::vector<TModalResult> answers;
  // Expected: "{name}" in a text stands for the full target name.
  bool saved;
  std::vector<TShownBox> boxes;
  std::string targetAfter;
  // "<missing>" when there is none; not looked at where the backup name is the target's own name in
  // another letter case, which on some file systems is the target itself (the file count tells).
  std::optional<std::string> backupAfter;
  int filesAfter;
};

const TMsgDlgType kConfirm = mtConfirmation;
const unsigned kAbortIgnore = mbAbort | mbIgnore;
const std::string kDeleteFailed = "以前のバックアップファイルの削除に失敗しました. 13";
const std::string kBackupFailed = "{name} のバックアップファイルの作成に失敗しました. 32";
const std::string kMissing = "<missing>";

std::string Expand(std::string text, const std::string& name) {
  const std::string marker = "{name}";
  if (auto at = text.find(marker); at != std::string::npos) text.replace(at, marker.size(), name);
  return text;
}

std::string BackupLeaf(const std::string& target) {
  const auto dot = target.rfind('.');
  return (dot == std::string::npos ? target : target.substr(0, dot)) + ".bak";
}

TEST(DocumentFileBackup, EveryBranch) {
  const BackupCase cases[] = {
      {"new file: no backup, nothing shown", "doc.txt", {}, {}, true, 0, 0, {}, true, {}, "NEW", kMissing, 1},
      {"old content goes to .bak", "doc.txt", "OLD", {}, true, 0, 0, {}, true, {}, "NEW", "OLD", 2},
      {"previous backup is replaced", "doc.txt", "OLD", "PREV", true, 0, 0, {}, true, {}, "NEW", "OLD", 2},
      {"option off keeps no backup", "doc.txt", "OLD", "PREV", false, 0, 0, {}, true, {}, "NEW", "PREV", 2},
      {"no extension", "README", "OLD", {}, true, 0, 0, {}, true, {}, "NEW", "OLD", 2},
      {".bak target warns", "doc.bak", "OLD", {}, true, 0, 0, {mrOk}, true, {{kBakWarning, mtWarning, mbOK}},
       "NEW", "NEW", 1},
      {".BAK target warns", "doc.BAK", "OLD", {}, true, 0, 0, {mrOk}, true, {{kBakWarning, mtWarning, mbOK}},
       "NEW", {}, 1},
      {".Bak target warns", "doc.Bak", "OLD", {}, true, 0, 0, {mrOk}, true, {{kBakWarning, mtWarning, mbOK}},
       "NEW", {}, 1},
      {"new .bak file: no warning", "doc.bak", {}, {}, true, 0, 0, {}, true, {}, "NEW", "NEW", 1},
      {".bak target with the option off", "doc.bak", "OLD", {}, false, 0, 0, {}, true, {}, "NEW", "NEW", 1},
      {"delete fails, Abort saves without backup", "doc.txt", "OLD", "PREV", true, 13, 0, {mrAbort}, true,
       {{kDeleteFailed, kConfirm, kAbortIgnore}}, "NEW", "PREV", 2},
      {"delete fails, Ignore stops", "doc.txt", "OLD", "PREV", true, 13, 0, {mrIgnore}, false,
       {{kDeleteFailed, kConfirm, kAbortIgnore}}, "OLD", "PREV", 2},
      {"delete fails, box closed stops", "doc.txt", "OLD", "PREV", true, 13, 0, {mrNone}, false,
       {{kDeleteFailed, kConfirm, kAbortIgnore}}, "OLD", "PREV", 2},
      {"backup fails, Abort saves without backup", "doc.txt", "OLD", {}, true, 0, 32, {mrAbort}, true,
       {{kBackupFailed, kConfirm, kAbortIgnore}}, "NEW", kMissing, 1},
      {"backup fails after delete, Abort", "doc.txt", "OLD", "PREV", true, 0, 32, {mrAbort}, true,
       {{kBackupFailed, kConfirm, kAbortIgnore}}, "NEW", kMissing, 1},
      {"backup fails, Ignore stops", "doc.txt", "OLD", {}, true, 0, 32, {mrIgnore}, false,
       {{kBackupFailed, kConfirm, kAbortIgnore}}, "OLD", kMissing, 1},
  };
  for (const BackupCase& c : cases) {
    SCOPED_TRACE(c.name);
    TTempFolder folder;
    const std::string backupLeaf = BackupLeaf(c.target);
    if (c.targetBefore) folder.Write(c.target, *c.targetBefore);
    if (c.backupBefore) folder.Write(backupLeaf, *c.backupBefore);
    TFaultFileSystem fs;
    fs.backupDeleteFails = c.backupDeleteFails;
    fs.backupFails = c.backupFails;
    TScriptedPrompt prompt({c.answers.begin(), c.answers.end()});
    TMemoryModule module;
    TEditHistory history(module, prompt);
    history.ApplyEdit({ekInsert, 0, {}, {}, DataOf("NEW"), 3, 0}, false);
    int afterSave = 0;
    TDocumentFileHooks hooks;
    hooks.AfterSave = [&] { ++afterSave; };

    const std::string name = folder.Name(c.target);
    EXPECT_EQ(SaveFile(name, module, history, prompt, {c.makeBackFile, false}, hooks, fs), c.saved);

    std::vector<TShownBox> expected = c.boxes;
    for (TShownBox& box : expected) box.text = Expand(box.text, name);
    EXPECT_EQ(prompt.shown, expected);
    EXPECT_EQ(folder.Read(c.target), c.targetAfter);
    if (c.backupAfter) {
      EXPECT_EQ(folder.Read(backupLeaf), *c.backupAfter);
    }
    EXPECT_EQ(folder.Count(), c.filesAfter);
    EXPECT_EQ(module.Modified(), c.saved ? 0 : 1);
    EXPECT_EQ(afterSave, c.saved ? 1 : 0);
  }
}

// A write that fails leaves the file as it was: no backup made, no temporary file left.
TEST(DocumentFileBackup, FailedWriteLeavesTheFileAlone) {
  for (bool makeBackFile : {true, false}) {
    SCOPED_TRACE(makeBackFile ? "backup on" : "backup off");
    TTempFolder folder;
    folder.Write("doc.txt", "OLD");
    TFaultFileSystem fs;
    fs.writeFails = 28;
    TScriptedPrompt prompt({mrAbort});
    TMemoryModule module;
    TEditHistory history(module, prompt);
    history.ApplyEdit({ekInsert, 0, {}, {}, DataOf("NEW"), 3, 0}, false);
    const std::string name = folder.Name("doc.txt");

    EXPECT_FALSE(SaveFile(name, module, history, prompt, {makeBackFile, true}, {}, fs));

    EXPECT_EQ(prompt.shown, (std::vector<TShownBox>{{name + " の書き込みに失敗しました.\r\nreason 28", mtError, mbAbort}}));
    EXPECT_EQ(folder.Read("doc.txt"), "OLD");
    EXPECT_EQ(folder.Count(), 1);
    EXPECT_EQ(module.Modified(), 1);
    EXPECT_TRUE(history.CanUndo());  // a failed save flushes nothing
  }
}

}  // namespace
}  // namespace ovx::test
