// Loading into the view and saving from it: messages, the history, the modified flag, the hooks.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "fault_file_system.h"
#include "history_fixture.h"
#include "model/DocumentFile.h"
#include "temp_folder.h"

namespace ovx::test {
namespace {

TEST(DocumentFileNames, BackupNameAndBakExtension) {
  const struct {
    const char* name;
    const char* backup;
    bool bak;
  } cases[] = {
      {"doc.txt", "doc.bak", false},
      {"doc", "doc.bak", false},
      {"a.b.c", "a.b.bak", false},
      {"doc.bak", "doc.bak", true},
      {"doc.BAK", "doc.bak", true},
      {"doc.bAk", "doc.bak", true},
      {"doc.bak2", "doc.bak", false},
      {"doc.ba", "doc.bak", false},
      {"docbak", "docbak.bak", false},
      {"dir.x/doc", "dir.x/doc.bak", false},
      {"C:\\dir.bak\\doc", "C:\\dir.bak\\doc.bak", false},
      {"C:\\dir\\doc.txt", "C:\\dir\\doc.bak", false},
      {"C:\\dir\\.bak", "C:\\dir\\.bak", true},
      {"C:\\フォルダ\\データ.bin", "C:\\フォルダ\\データ.bak", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BackupFileName(c.name), c.backup) << c.name;
    EXPECT_EQ(HasBakExtension(c.name), c.bak) << c.name;
  }
}

class DocumentFileLoadSave : public HistoryFixture {
 protected:
  DocumentFileLoadSave() {
    hooks.AfterLoad = [this] { ++afterLoad; };
    hooks.AfterSave = [this] { ++afterSave; };
  }

  TTempFolder folder;
  TFaultFileSystem fs;
  TDocumentFileHooks hooks;
  int afterLoad = 0;
  int afterSave = 0;
};

TEST_F(DocumentFileLoadSave, LoadClearsTheHistoryAndCallsBack) {
  folder.Write("in.bin", "loaded bytes");
  Fill("old");
  Apply(ekInsert, 0, "x");
  const int changesBefore = stateChanges;

  EXPECT_TRUE(LoadFile(folder.Name("in.bin"), module, history, prompt, hooks, fs));

  EXPECT_EQ(TextOf(module), "loaded bytes");
  EXPECT_EQ(module.Modified(), 0);
  EXPECT_FALSE(history.CanUndo());
  EXPECT_FALSE(history.CanRedo());
  EXPECT_EQ(history.HistoryUsed(), 0);
  EXPECT_GT(stateChanges, changesBefore);
  EXPECT_EQ(afterLoad, 1);
  EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(DocumentFileLoadSave, FailedLoadSaysSoAndLeavesAnEmptyDocument) {
  const struct {
    const char* name;
    bool exists;
    int openFails;
  } cases[] = {{"missing file", false, 0}, {"open fails", true, 5}};
  std::unique_ptr<TFile> none;
  const int missing = fs.OpenRead(folder.Name("nothing.bin"), none);  // the platform's code
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.exists) folder.Write("in.bin", "content");
    fs.openFails = c.openFails;
    Fill("old");
    Apply(ekInsert, 0, "x");
    prompt.shown.clear();
    prompt.answers = {mrAbort};
    const std::string name = folder.Name(c.exists ? "in.bin" : "nothing.bin");

    EXPECT_FALSE(LoadFile(name, module, history, prompt, hooks, fs));

    const std::string reason = "reason " + std::to_string(c.exists ? c.openFails : missing);
    EXPECT_EQ(prompt.shown, (std::vector<TShownBox>{{name + " の読み込みに失敗しました.\r\n" + reason, mtError, mbAbort}}));
    EXPECT_EQ(module.Size(), 0);
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(afterLoad, 0);
  }
}

// The second line says why: the size limit in its own words, any other failure in the file
// system's.
TEST_F(DocumentFileLoadSave, FailureBoxesSayWhyOnTheirSecondLine) {
  folder.Write("in.bin", "content");
  {
    std::ofstream create(folder.Path("huge.bin"), std::ios::binary);
  }
  std::error_code ec;
  std::filesystem::resize_file(folder.Path("huge.bin"), static_cast<std::uintmax_t>(kMaxDocumentSize) + 1, ec);
  if (ec) GTEST_SKIP() << "no sparse file of 2 GiB here: " << ec.message();
  const struct {
    const char* what;
    const char* file;
    bool save;
    int fails;
    std::string line;
  } cases[] = {
      {"a load of 2 GiB", "huge.bin", false, 0, " の読み込みに失敗しました.\r\n2 GB 以上のファイルは扱えません."},
      {"a load that cannot open", "in.bin", false, 32, " の読み込みに失敗しました.\r\nreason 32"},
      {"a save that cannot write", "in.bin", true, 13, " の書き込みに失敗しました.\r\nreason 13"},
      {"a save whose file is too large", "in.bin", true, fs.FileTooLargeCode(),
       " の書き込みに失敗しました.\r\n2 GB 以上のファイルは扱えません."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    prompt.shown.clear();
    prompt.answers = {mrAbort};
    fs.openFails = c.save ? 0 : c.fails;
    fs.writeFails = c.save ? c.fails : 0;
    const std::string name = folder.Name(c.file);
    if (c.save) {
      EXPECT_FALSE(SaveFile(name, module, history, prompt, {}, hooks, fs));
    } else {
      EXPECT_FALSE(LoadFile(name, module, history, prompt, hooks, fs));
    }
    EXPECT_EQ(prompt.shown, (std::vector<TShownBox>{{name + c.line, mtError, mbAbort}}));
  }
}

TEST_F(DocumentFileLoadSave, SaveFlushesTheHistoryOnlyWhenAskedAndRespectsTheLock) {
  const struct {
    const char* name;
    bool flush;
    bool locked;  // a save of a copy
  } cases[] = {
      {"plain", false, false},
      {"flush", true, false},
      {"copy", false, true},
      {"copy with flush", true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    history.ClearHistory();
    Fill("data");
    Apply(ekOverwrite, 0, "D");
    afterSave = 0;
    module.NotifyLocked = c.locked ? 1 : 0;

    EXPECT_TRUE(SaveFile(folder.Name("out.bin"), module, history, prompt, {false, c.flush}, hooks, fs));
    module.NotifyLocked = 0;

    EXPECT_EQ(folder.Read("out.bin"), "Data");
    EXPECT_EQ(history.CanUndo(), !c.flush);
    EXPECT_EQ(module.Modified(), c.locked ? 1 : 0);
    EXPECT_EQ(afterSave, c.locked ? 0 : 1);
    EXPECT_TRUE(prompt.shown.empty());
  }
}

TEST_F(DocumentFileLoadSave, RoundTripThroughARealFile) {
  std::string bytes;
  for (int i = 0; i < 3 * kBlockSize + 77; ++i) bytes += static_cast<char>(i * 7 + i / 256);
  Fill(bytes);
  const std::string name = folder.Name("round trip.bin");
  ASSERT_TRUE(SaveFile(name, module, history, prompt, {true, false}, hooks));
  EXPECT_EQ(folder.Read("round trip.bin"), bytes);
  Fill("");
  ASSERT_TRUE(LoadFile(name, module, history, prompt, hooks));
  EXPECT_EQ(TextOf(module), bytes);
  EXPECT_TRUE(prompt.shown.empty());
}

}  // namespace
}  // namespace ovx::test
