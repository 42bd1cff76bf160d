// Loading and saving through real files in a temporary folder, and through a file system
// that fails on purpose.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include "mmodule_test_util.h"

namespace ovx {
namespace {

namespace fs = std::filesystem;
using test::Content;
using test::Fill;
using test::Pattern;

std::string Utf8(const fs::path& path) {
  std::u8string s = path.u8string();
  return std::string(s.begin(), s.end());
}

fs::path PathOf(const std::string& utf8) { return fs::path(std::u8string(utf8.begin(), utf8.end())); }

class TTempFolder {
 public:
  TTempFolder() {
    std::random_device rd;
    path_ = fs::temp_directory_path() / ("ovx_model_test_" + std::to_string(rd()));
    fs::create_directories(path_);
  }
  ~TTempFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  std::string File(const std::string& name) const { return Utf8(path_ / name); }
  const fs::path& Path() const { return path_; }
  std::vector<std::string> Names() const {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(path_)) out.push_back(Utf8(e.path().filename()));
    std::sort(out.begin(), out.end());
    return out;
  }
  // The names once there are `count` of them, or after five seconds: a save over a file without a
  // backup may delete the old content on a thread of its own, a moment after it returns.
  std::vector<std::string> NamesOnceThereAre(std::size_t count) const {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (Names().size() != count && std::chrono::steady_clock::now() < until)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return Names();
  }

 private:
  fs::path path_;
};

void WriteFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(PathOf(name), std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> ReadFile(const std::string& name) {
  std::ifstream in(PathOf(name), std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The platform's files, except that reading or writing fails once a number of bytes went through.
class TFaultyFileSystem final : public TFileSystem {
 public:
  static constexpr int kReadError = 5;
  static constexpr int kWriteError = 28;
  std::int64_t readBudget = -1;  // -1: never fails
  std::int64_t writeBudget = -1;

  class TFaultyFile final : public TFile {
   public:
    TFaultyFile(std::unique_ptr<TFile> inner, TFaultyFileSystem& owner) : inner_(std::move(inner)), owner_(owner) {}
    int Size(std::int64_t& size) override { return inner_->Size(size); }
    int Read(void* buffer, std::size_t n, std::size_t& got) override {
      if (owner_.readBudget >= 0 && static_cast<std::int64_t>(n) > owner_.readBudget) return kReadError;
      if (owner_.readBudget >= 0) owner_.readBudget -= static_cast<std::int64_t>(n);
      return inner_->Read(buffer, n, got);
    }
    int Write(const void* buffer, std::size_t n) override {
      if (owner_.writeBudget >= 0 && static_cast<std::int64_t>(n) > owner_.writeBudget) return kWriteError;
      if (owner_.writeBudget >= 0) owner_.writeBudget -= static_cast<std::int64_t>(n);
      return inner_->Write(buffer, n);
    }
    int Flush() override { return inner_->Flush(); }
    int Close() override { return inner_->Close(); }

   private:
    std::unique_ptr<TFile> inner_;
    TFaultyFileSystem& owner_;
  };

  int Wrap(int error, std::unique_ptr<TFile>& file) {
    if (error == 0) file = std::make_unique<TFaultyFile>(std::move(file), *this);
    return error;
  }
  int OpenRead(const std::string& name, std::unique_ptr<TFile>& file) override { return Wrap(real().OpenRead(name, file), file); }
  int Create(const std::string& name, std::unique_ptr<TFile>& file) override { return Wrap(real().Create(name, file), file); }
  int CreateNew(const std::string& name, std::unique_ptr<TFile>& file) override { return Wrap(real().CreateNew(name, file), file); }
  bool Exists(const std::string& name) override { return real().Exists(name); }
  int Delete(const std::string& name) override { return real().Delete(name); }
  int Rename(const std::string& from, const std::string& to) override { return real().Rename(from, to); }
  int Replace(const std::string& from, const std::string& to, const std::string& backup) override {
    return real().Replace(from, to, backup);
  }
  int FileTooLargeCode() const override { return PlatformFileSystem().FileTooLargeCode(); }

 private:
  static TFileSystem& real() { return PlatformFileSystem(); }
};

// A loaded document's table is full: a byte put in front of a full block behind a full block
// needs a new block, and making room for it moves the table.
TEST(MemoryModuleFile, AByteInsertedBeforeAFullBlockOfALoadedDocument) {
  TTempFolder folder;
  const std::uint8_t x = 0xA5;
  for (std::size_t blocks : {2u, 3u, 255u, 256u, 257u, 1024u}) {
    SCOPED_TRACE(blocks);
    const auto bytes = Pattern(blocks * 4096, 3);
    const std::string name = folder.File("full.bin");
    WriteFile(name, bytes);
    TMemoryModule m;
    ASSERT_EQ(m.LoadFromFile(name), 0);
    ASSERT_TRUE(m.InsertData(&x, 4096, 1));
    auto expected = bytes;
    expected.insert(expected.begin() + 4096, x);
    EXPECT_TRUE(Content(m) == expected);
    EXPECT_EQ(test::ChainProblems(m), "");
  }
}

TEST(MemoryModuleFile, LoadAndSaveRoundTripsAtBlockEdges) {
  TTempFolder folder;
  for (std::size_t size : {0u, 1u, 4095u, 4096u, 4097u, 3u * 4096u, 100000u}) {
    const auto bytes = Pattern(size, static_cast<unsigned>(size));
    const std::string name = folder.File("in.bin");
    WriteFile(name, bytes);
    TMemoryModule m;
    m.SetModified(1);
    std::vector<std::string> progress;
    int changes = 0;
    m.OnProgress = [&](TMemoryModule&, const std::string& text) { progress.push_back(text); };
    m.OnChange = [&](TMemoryModule&) { ++changes; };
    ASSERT_EQ(m.LoadFromFile(name), 0) << size;
    EXPECT_EQ(Content(m), bytes) << size;
    EXPECT_EQ(m.Modified(), 0);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(m.PageCount(), m.BlockCount());
    EXPECT_EQ(test::ChainProblems(m), "");
    EXPECT_EQ(progress, (std::vector<std::string>{"読み込み実行中...", ""}));

    // Edit, save under a new name, load again.
    const std::uint8_t x = 0x5A;
    m.InsertData(&x, m.Size() / 2, 1);
    auto edited = Content(m);
    progress.clear();
    const std::string out = folder.File("out.bin");
    ASSERT_EQ(m.SaveToFile(out), 0);
    EXPECT_EQ(progress, (std::vector<std::string>{"書き込み中...", ""}));
    EXPECT_EQ(m.Modified(), 1);  // saving leaves the flag to the caller
    EXPECT_EQ(ReadFile(out), edited);
    EXPECT_EQ(folder.NamesOnceThereAre(2), (std::vector<std::string>{"in.bin", "out.bin"}));  // no temporary file left
    // Saving over an existing, longer file leaves exactly the new content.
    ASSERT_EQ(m.SaveToFile(name), 0);
    EXPECT_EQ(ReadFile(name), edited);
  }
}

TEST(MemoryModuleFile, TableIsSizedInStepsOf256Descriptors) {
  struct Case {
    std::size_t bytes;
    std::size_t descriptors;
  } cases[] = {{4096u * 256u, 256u}, {4096u * 256u + 1u, 512u}, {10u, 256u}, {0u, 256u}};
  TTempFolder folder;
  for (const Case& c : cases) {
    const std::string name = folder.File("t.bin");
    WriteFile(name, Pattern(c.bytes));
    TMemoryModule m;
    ASSERT_EQ(m.LoadFromFile(name), 0);
    EXPECT_EQ(m.Descriptors().size(), c.descriptors) << c.bytes;
  }
}

TEST(MemoryModuleFile, MissingFileReturnsTheErrorAndLeavesTheDocumentEmpty) {
  TTempFolder folder;
  TMemoryModule m;
  Fill(m, Pattern(5000));
  std::vector<std::string> progress;
  m.OnProgress = [&](TMemoryModule&, const std::string& text) { progress.push_back(text); };
  EXPECT_NE(m.LoadFromFile(folder.File("absent.bin")), 0);
  EXPECT_EQ(m.Size(), 0);
  EXPECT_EQ(progress, (std::vector<std::string>{"読み込み実行中...", ""}));
  EXPECT_EQ(test::ChainProblems(m), "");
}

TEST(MemoryModuleFile, ReadErrorPartWayLeavesTheDocumentEmpty) {
  TTempFolder folder;
  const std::string name = folder.File("in.bin");
  // The load reads a slab at a time: the first read goes through and links a whole slab of
  // blocks, the second fails.
  WriteFile(name, Pattern(2 * kSlabBytes + 12345));
  TFaultyFileSystem faulty;
  faulty.readBudget = static_cast<std::int64_t>(kSlabBytes) + 1;
  TMemoryModule m;
  EXPECT_EQ(m.LoadFromFile(name, faulty), TFaultyFileSystem::kReadError);
  EXPECT_EQ(faulty.readBudget, 1);  // the fault came after the first slab, not before it
  EXPECT_EQ(m.Size(), 0);
  EXPECT_EQ(m.BlockCount(), 0);
  EXPECT_EQ(test::ChainProblems(m), "");
}

// While a long file loads, every step shows the file's first slab as a whole document; the step's
// answer decides whether the load goes on.
TEST(MemoryModuleFile, LoadStepsShowTheFirstSlabAndMayEndTheLoad) {
  struct Case {
    std::size_t bytes;
    int stopAtStep;  // 0: never
    std::vector<std::int64_t> loadedAtSteps;
  } cases[] = {
      {kSlabBytes - 1, 0, {}},
      {kSlabBytes, 0, {std::int64_t(kSlabBytes)}},
      {3 * kSlabBytes + 777, 0, {std::int64_t(kSlabBytes), 2 * std::int64_t(kSlabBytes), 3 * std::int64_t(kSlabBytes)}},
      {3 * kSlabBytes + 777, 2, {std::int64_t(kSlabBytes), 2 * std::int64_t(kSlabBytes)}},
  };
  TTempFolder folder;
  for (const Case& c : cases) {
    const auto bytes = Pattern(c.bytes, 7);
    const std::string name = folder.File("long.bin");
    WriteFile(name, bytes);
    TMemoryModule m;
    Fill(m, Pattern(100));
    std::vector<std::int64_t> loaded;
    m.OnLoadStep = [&](TMemoryModule& sender, std::int64_t done, std::int64_t size) {
      loaded.push_back(done);
      EXPECT_EQ(size, std::int64_t(c.bytes));
      // What the window paints meanwhile: the first slab, whole and consistent.
      EXPECT_EQ(sender.Size(), std::int32_t(kSlabBytes));
      EXPECT_EQ(Content(sender), std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + kSlabBytes));
      EXPECT_TRUE(sender.IndexConsistent());
      // The table takes the whole file only once the first slab has been shown.
      const std::size_t pages = (c.bytes + kBlockSize - 1) / kBlockSize;
      const std::size_t whole = (pages + kTableGrowth - 1) / kTableGrowth * kTableGrowth;
      EXPECT_EQ(sender.Descriptors().size(), loaded.size() == 1 ? kSlabBytes / kBlockSize : whole);
      return int(loaded.size()) != c.stopAtStep;
    };
    const int result = m.LoadFromFile(name);
    EXPECT_EQ(loaded, c.loadedAtSteps) << c.bytes;
    if (c.stopAtStep != 0) {
      EXPECT_EQ(result, kLoadCancelled);
      EXPECT_EQ(m.Size(), 0);
      EXPECT_EQ(m.BlockCount(), 0);
    } else {
      EXPECT_EQ(result, 0);
      EXPECT_EQ(Content(m), bytes) << c.bytes;
    }
    EXPECT_EQ(test::ChainProblems(m), "");
  }
}

TEST(MemoryModuleFile, FileOf2GiBIsRefusedWithoutLoading) {
  TTempFolder folder;
  const std::string name = folder.File("huge.bin");
  {
    std::ofstream create(PathOf(name), std::ios::binary);
  }
  std::error_code ec;
  fs::resize_file(PathOf(name), static_cast<std::uintmax_t>(kMaxDocumentSize) + 1, ec);
  if (ec) GTEST_SKIP() << "no sparse file of 2 GiB here: " << ec.message();
  TMemoryModule m;
  Fill(m, Pattern(100));
  EXPECT_EQ(m.LoadFromFile(name), PlatformFileSystem().FileTooLargeCode());
  EXPECT_EQ(m.Size(), 0);
  EXPECT_EQ(m.BlockCount(), 0);
}

TEST(MemoryModuleFile, SaveFailingPartWayKeepsTheOldFileAndLeavesNoTemporary) {
  TTempFolder folder;
  const std::string name = folder.File("doc.bin");
  const auto old = Pattern(30000, 3);
  WriteFile(name, old);
  TMemoryModule m;
  Fill(m, Pattern(40000, 4));
  TFaultyFileSystem faulty;
  faulty.writeBudget = 3 * 4096;
  EXPECT_EQ(m.SaveToFile(name, faulty), TFaultyFileSystem::kWriteError);
  EXPECT_EQ(ReadFile(name), old);
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"doc.bin"}));
}

TEST(MemoryModuleFile, SaveIntoAVanishedFolderFailsAndCreatesNothing) {
  TTempFolder folder;
  const fs::path gone = folder.Path() / "gone";
  fs::create_directories(gone);
  fs::remove(gone);
  TMemoryModule m;
  Fill(m, Pattern(100));
  std::vector<std::string> progress;
  m.OnProgress = [&](TMemoryModule&, const std::string& text) { progress.push_back(text); };
  EXPECT_NE(m.SaveToFile(Utf8(gone / "doc.bin")), 0);
  EXPECT_FALSE(fs::exists(gone));
  EXPECT_EQ(progress, (std::vector<std::string>{"書き込み中...", ""}));
}

TEST(MemoryModuleFile, ATargetThatCannotBeReplacedKeepsItsContent) {
  // A folder stands where the file should go: the finished copy cannot replace it.
  TTempFolder folder;
  const fs::path target = folder.Path() / "doc.bin";
  fs::create_directories(target / "inside");
  TMemoryModule m;
  Fill(m, Pattern(100));
  EXPECT_NE(m.SaveToFile(Utf8(target)), 0);
  EXPECT_TRUE(fs::is_directory(target / "inside"));
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"doc.bin"}));
}

TEST(MemoryModuleCompact, PacksBlocksKeepsContentAndModified) {
  TMemoryModule m;
  auto bytes = Pattern(20000);
  Fill(m, bytes);
  std::mt19937 rng(7);
  for (int i = 0; i < 200; ++i) {
    std::int32_t at = static_cast<std::int32_t>(rng() % (bytes.size() + 1));
    std::uint8_t x = static_cast<std::uint8_t>(rng());
    m.InsertData(&x, at, 1);
    bytes.insert(bytes.begin() + at, x);
  }
  ASSERT_GT(m.BlockCount(), m.PageCount());
  m.SetModified(0);
  std::vector<std::string> progress;
  int changes = 0;
  m.OnProgress = [&](TMemoryModule&, const std::string& text) { progress.push_back(text); };
  m.OnChange = [&](TMemoryModule&) { ++changes; };
  m.Compact();
  EXPECT_EQ(Content(m), bytes);
  EXPECT_EQ(m.BlockCount(), m.PageCount());
  EXPECT_EQ(m.Modified(), 0);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(progress, (std::vector<std::string>{"ガーベージコレクション実行中...", ""}));
  EXPECT_EQ(test::ChainProblems(m), "");
  // Already compact: nothing happens at all.
  m.Compact();
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(progress.size(), 2u);
}

}  // namespace
}  // namespace ovx
