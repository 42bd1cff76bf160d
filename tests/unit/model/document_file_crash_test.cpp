// A save stopped at any step (the process killed, the power cut) leaves the file's name holding its
// old or its new content, and the next save of the file clears away what the stopped one left.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "history_fixture.h"
#include "model/DocumentFile.h"
#include "model/SafeReplace.h"
#include "temp_folder.h"

namespace ovx::test {
namespace {

// The platform's files, looked at before every call and cut off after a number of calls that
// change the disk: from then on every such call fails and does nothing, as if the process had
// been killed at that moment.
class TDyingFileSystem final : public TFileSystem {
 public:
  static constexpr int kDead = 1067;
  std::function<void()> look;  // runs before every call
  int stepsToLive = -1;        // -1: never dies
  int steps = 0;               // calls that changed the disk
  bool killed = false;         // a call came after the last step

  int OpenRead(const std::string& name, std::unique_ptr<TFile>& file) override {
    Look();
    return real_.OpenRead(name, file);
  }
  int Create(const std::string& name, std::unique_ptr<TFile>& file) override {
    return Step() ? Wrap(real_.Create(name, file), file) : kDead;
  }
  int CreateNew(const std::string& name, std::unique_ptr<TFile>& file) override {
    return Step() ? Wrap(real_.CreateNew(name, file), file) : kDead;
  }
  bool Exists(const std::string& name) override {
    Look();
    return real_.Exists(name);
  }
  int Delete(const std::string& name) override { return Step() ? real_.Delete(name) : kDead; }
  // Kept on disk and listed when asked, so that a test sees what was left to go later.
  bool holdLaterDeletes = false;
  std::vector<std::string> heldForLater;
  void DeleteLater(const std::string& name) override {
    if (holdLaterDeletes) heldForLater.push_back(name);
    else TFileSystem::DeleteLater(name);
  }
  int Rename(const std::string& from, const std::string& to) override {
    return Step() ? real_.Rename(from, to) : kDead;
  }
  int Replace(const std::string& from, const std::string& to, const std::string& backup) override {
    return Step() ? real_.Replace(from, to, backup) : kDead;
  }
  int FileTooLargeCode() const override { return real_.FileTooLargeCode(); }

 private:
  class TDyingFile final : public TFile {
   public:
    TDyingFile(std::unique_ptr<TFile> inner, TDyingFileSystem& owner) : inner_(std::move(inner)), owner_(owner) {}
    int Size(std::int64_t& size) override { return inner_->Size(size); }
    int Read(void* buffer, std::size_t n, std::size_t& got) override { return inner_->Read(buffer, n, got); }
    int Write(const void* buffer, std::size_t n) override { return owner_.Step() ? inner_->Write(buffer, n) : kDead; }
    int Flush() override { return owner_.Step() ? inner_->Flush() : kDead; }
    int Close() override { return owner_.Step() ? inner_->Close() : kDead; }

   private:
    std::unique_ptr<TFile> inner_;  // a killed process's handles close all the same
    TDyingFileSystem& owner_;
  };

  void Look() {
    if (look) look();
  }
  bool Step() {
    Look();
    if (stepsToLive >= 0 && steps >= stepsToLive) {
      killed = true;
      return false;
    }
    ++steps;
    return true;
  }
  int Wrap(int error, std::unique_ptr<TFile>& file) {
    if (error == 0) file = std::make_unique<TDyingFile>(std::move(file), *this);
    return error;
  }

  TFileSystem& real_ = PlatformFileSystem();
};

std::string Repeated(const char* piece, std::size_t size) {
  std::string text;
  while (text.size() < size) text += piece;
  text.resize(size);
  return text;
}

const std::string kOld = Repeated("old ", 5000);
const std::string kNew = Repeated("NEW!", 3 * kBlockSize + 100);  // a write per block

// Saves kNew over kOld, killed after each number of steps in turn, each time followed by a save
// that runs to its end.
TEST(DocumentFileCrash, TheNameHoldsTheOldOrTheNewContentWhereverTheSaveStops) {
  for (bool makeBackFile : {true, false}) {
    SCOPED_TRACE(makeBackFile ? "backup on" : "backup off");
    int stepsOfAWholeSave = 0;
    for (int stepsToLive = 0; stepsOfAWholeSave == 0; ++stepsToLive) {
      SCOPED_TRACE("killed after step " + std::to_string(stepsToLive));
      TTempFolder folder;
      folder.Write("doc.bin", kOld);
      folder.Write("doc.bak", "PREV");
      const std::string name = folder.Name("doc.bin");
      const auto holdsOldOrNew = [&] {
        const std::string now = folder.Read("doc.bin");
        EXPECT_TRUE(now == kOld || now == kNew) << now.substr(0, 12) << " (" << now.size() << " bytes)";
      };
      TScriptedPrompt prompt;
      prompt.answerUnscriptedWithNo = true;  // a failure after the kill may ask; No stops the save
      TMemoryModule module;
      TEditHistory history(module, prompt);
      history.ApplyEdit({ekInsert, 0, {}, {}, DataOf(kNew), static_cast<std::int32_t>(kNew.size()), 0}, false);

      TDyingFileSystem dying;
      dying.stepsToLive = stepsToLive;
      dying.look = holdsOldOrNew;
      SaveFile(name, module, history, prompt, {makeBackFile, false}, {}, dying);
      holdsOldOrNew();
      const std::string left = folder.Read("doc.bin");
      if (!dying.killed) stepsOfAWholeSave = dying.steps;

      TDyingFileSystem healthy;
      healthy.look = holdsOldOrNew;
      EXPECT_TRUE(SaveFile(name, module, history, prompt, {makeBackFile, false}, {}, healthy));
      EXPECT_EQ(folder.Read("doc.bin"), kNew);
      EXPECT_EQ(folder.Read("doc.bak"), makeBackFile ? left : "PREV");
      EXPECT_EQ(folder.Count(), 2) << "a temporary file was left";
    }
    // Create, four writes, flush, close and the replace at the least.
    EXPECT_GE(stepsOfAWholeSave, 8);
  }
}

// The temporary files of the target are removed by a successful save whatever their number; a
// failed save and another file's temporary files leave them alone.
TEST(DocumentFileCrash, ASuccessfulSaveRemovesTheTemporaryFilesOfItsTarget) {
  const char* strays[] = {"doc.bin.~0.tmp", "doc.bin.~1.tmp", "doc.bin.~5.tmp", "doc.bin.~15.tmp"};
  for (bool succeeds : {true, false}) {
    SCOPED_TRACE(succeeds ? "saved" : "failed");
    TTempFolder folder;
    folder.Write("doc.bin", kOld);
    for (const char* stray : strays) folder.Write(stray, "half");
    folder.Write("other.bin.~0.tmp", "another file's");
    TScriptedPrompt prompt({mrAbort});
    TMemoryModule module;
    TEditHistory history(module, prompt);
    history.ApplyEdit({ekInsert, 0, {}, {}, DataOf("NEW"), 3, 0}, false);
    TDyingFileSystem fs;
    fs.stepsToLive = succeeds ? -1 : 2;  // dies while writing

    EXPECT_EQ(SaveFile(folder.Name("doc.bin"), module, history, prompt, {false, false}, {}, fs), succeeds);

    EXPECT_EQ(folder.Read("doc.bin"), succeeds ? "NEW" : kOld);
    for (const char* stray : strays) EXPECT_EQ(folder.Exists(stray), !succeeds) << stray;
    EXPECT_TRUE(folder.Exists("other.bin.~0.tmp"));
    EXPECT_EQ(prompt.shown.size(), succeeds ? 0u : 1u);  // the write failure
  }
}

// Without a backup the old content is set aside under a temporary name and left to go later, so
// the save does not wait for a large file's space to be freed; with one, nothing is left to go.
TEST(DocumentFileCrash, OnlyTheOldContentSetAsideIsLeftToBeDeletedLater) {
  for (bool makeBackFile : {true, false}) {
    SCOPED_TRACE(makeBackFile ? "backup on" : "backup off");
    TTempFolder folder;
    folder.Write("doc.bin", kOld);
    folder.Write("doc.bin.~0.tmp", "a killed save's");
    TScriptedPrompt prompt;
    TMemoryModule module;
    TEditHistory history(module, prompt);
    history.ApplyEdit({ekInsert, 0, {}, {}, DataOf("NEW"), 3, 0}, false);
    TDyingFileSystem fs;
    fs.holdLaterDeletes = true;

    EXPECT_TRUE(SaveFile(folder.Name("doc.bin"), module, history, prompt, {makeBackFile, false}, {}, fs));

    EXPECT_EQ(folder.Read("doc.bin"), "NEW");
    EXPECT_FALSE(folder.Exists("doc.bin.~0.tmp")) << "a stray is deleted at once";
    if (makeBackFile) {
      EXPECT_EQ(fs.heldForLater, std::vector<std::string>{});
    } else {
      ASSERT_EQ(fs.heldForLater.size(), 1u);
      EXPECT_EQ(fs.heldForLater[0], folder.Name("doc.bin.~2.tmp"));  // ~1 held the new content
      EXPECT_EQ(folder.Read("doc.bin.~2.tmp"), kOld);
    }
  }
}

}  // namespace
}  // namespace ovx::test
