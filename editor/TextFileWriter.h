// A text file written line by line through a buffer: each line gets CR LF, the system sees
// large writes only. The first failure is kept; later lines are dropped.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "model/FileSystem.h"

namespace ovx {

class TBufferedTextFile {
 public:
  static constexpr std::size_t kBufferSize = 1 << 20;

  // Creates the file or empties it; 0 or the platform's error code.
  int Create(const std::string& name, TFileSystem& fs = PlatformFileSystem());
  void WriteLine(std::string_view line);
  // Writes what is buffered and closes; 0 or the first error on the way.
  int Close();
  int Error() const { return error_; }

 private:
  void Flush();

  std::unique_ptr<TFile> file_;
  std::string buffer_;
  int error_ = 0;
};

}  // namespace ovx
