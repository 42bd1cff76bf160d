#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <string>
#include <system_error>
#include <vector>

#include "editor/TextFileWriter.h"

namespace ovx::test {
namespace {

// One file in memory; the write numbered failAt (from 1) fails with code 28 and writes nothing.
class TRecordingFileSystem final : public TFileSystem {
 public:
  std::string content;
  int writes = 0, failAt = 0;

  int Create(const std::string&, std::unique_ptr<TFile>& file) override {
    file = std::make_unique<TRecorder>(*this);
    return 0;
  }
  int OpenRead(const std::string&, std::unique_ptr<TFile>&) override { return 50; }
  int CreateNew(const std::string&, std::unique_ptr<TFile>&) override { return 50; }
  bool Exists(const std::string&) override { return false; }
  int Delete(const std::string&) override { return 50; }
  int Rename(const std::string&, const std::string&) override { return 50; }
  int Replace(const std::string&, const std::string&, const std::string&) override { return 50; }
  int FileTooLargeCode() const override { return 223; }
  int OutOfMemoryCode() const override { return 8; }

 private:
  class TRecorder final : public TFile {
   public:
    explicit TRecorder(TRecordingFileSystem& fs) : fs_(fs) {}
    int Size(std::int64_t& size) override { size = static_cast<std::int64_t>(fs_.content.size()); return 0; }
    int Read(void*, std::size_t, std::size_t& got) override { got = 0; return 50; }
    int Write(const void* data, std::size_t n) override {
      if (++fs_.writes == fs_.failAt) return 28;
      fs_.content.append(static_cast<const char*>(data), n);
      return 0;
    }
    int Flush() override { return 0; }
    int Close() override { return 0; }

   private:
    TRecordingFileSystem& fs_;
  };
};

TEST(TextFileWriter, LinesArriveInOrderWithLineBreaksUntilTheFirstFailure) {
  const std::size_t buffer = TBufferedTextFile::kBufferSize;
  const std::string row(81, 'r'), huge(buffer + 10, 'h');
  struct TCase {
    const char* what;
    std::vector<std::string> lines;
    int failAt;
    int error;
    std::size_t kept;  // lines whose bytes reach the file
  };
  const std::vector<std::string> rows(buffer / 83 + 1000, row);  // more than one buffer
  std::vector<std::string> withHuge = {"a", huge, "b"};
  const TCase cases[] = {
      {"rows over two buffers", rows, 0, 0, rows.size()},
      {"a line longer than the buffer", withHuge, 0, 0, 3},
      {"the second buffer fails: the first stays, the rest is dropped", rows, 2, 28, buffer / 83},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    TRecordingFileSystem fs;
    fs.failAt = c.failAt;
    TBufferedTextFile file;
    ASSERT_EQ(file.Create("out.txt", fs), 0);
    for (const std::string& line : c.lines) file.WriteLine(line);
    EXPECT_EQ(file.Close(), c.error);
    std::string expected;
    for (std::size_t i = 0; i < c.kept; ++i) expected += c.lines[i] + "\r\n";
    EXPECT_EQ(fs.content.size(), expected.size());
    EXPECT_TRUE(fs.content == expected);
  }
}

// Memory or a writer thread running out in the middle of an output ends it with the memory error,
// never the process; the lines made before it are in the file.
TEST(TextFileWriter, RunningOutOfMemoryOrThreadsEndsTheOutputWithTheMemoryError) {
  const std::function<void()> failures[] = {[] { throw std::bad_alloc(); },
                                            [] { throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again)); }};
  for (const auto& fail : failures) {
    TRecordingFileSystem fs;
    int error = 0;
    EXPECT_NO_THROW(error = WriteTextFile("out.txt", [&](const TTextLineSink& sink) {
                      bool proceed = true;
                      sink("one", proceed);
                      sink("two", proceed);
                      fail();
                    }, fs));
    EXPECT_EQ(error, 8);
    EXPECT_EQ(fs.content, "one\r\ntwo\r\n");
  }
}

}  // namespace
}  // namespace ovx::test
