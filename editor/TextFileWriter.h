// A text file written line by line through a buffer: each line gets CR LF, the system sees
// large writes only, and a full buffer is written by a second thread while the next one fills,
// so making the lines and writing them overlap. The first failure is kept; later lines are dropped.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

#include "model/FileSystem.h"

namespace ovx {

class TBufferedTextFile {
 public:
  static constexpr std::size_t kBufferSize = 4 << 20;

  TBufferedTextFile() = default;
  TBufferedTextFile(const TBufferedTextFile&) = delete;
  TBufferedTextFile& operator=(const TBufferedTextFile&) = delete;
  ~TBufferedTextFile();

  // Creates the file or empties it; 0 or the platform's error code.
  int Create(const std::string& name, TFileSystem& fs = PlatformFileSystem());
  void WriteLine(std::string_view line);
  // Writes what is buffered and closes; 0 or the first error on the way.
  int Close();
  // The first error known so far (a write in progress reports when it ends).
  int Error() const { return error_; }

 private:
  void Flush();
  void WaitForWriter();

  std::unique_ptr<TFile> file_;
  // The buffer that fills and the one being written; plain storage, filled with memcpy.
  std::unique_ptr<char[]> buffer_, writing_;
  std::size_t used_ = 0, writingSize_ = 0;
  std::thread writer_;
  int writerError_ = 0;  // set by the writer thread, read after it is joined
  int error_ = 0;
};

// A line for the file; proceed turns false once writing has failed.
using TTextLineSink = std::function<void(std::string_view line, bool& proceed)>;

// Creates the file and writes the lines `produce` hands to its sink; 0 or the first error. Memory
// or a writer thread that cannot be had ends the output as a failed write does, with
// fs.OutOfMemoryCode(); the lines written before stay in the file.
int WriteTextFile(const std::string& name, const std::function<void(const TTextLineSink&)>& produce,
                  TFileSystem& fs = PlatformFileSystem());

}  // namespace ovx
