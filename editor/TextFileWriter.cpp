#include "editor/TextFileWriter.h"

namespace ovx {

int TBufferedTextFile::Create(const std::string& name, TFileSystem& fs) {
  buffer_.clear();
  buffer_.reserve(kBufferSize + 256);
  error_ = fs.Create(name, file_);
  if (error_ != 0) file_.reset();
  return error_;
}

void TBufferedTextFile::WriteLine(std::string_view line) {
  if (!file_ || error_ != 0) return;
  buffer_.append(line);
  buffer_.append("\r\n", 2);
  if (buffer_.size() >= kBufferSize) Flush();
}

void TBufferedTextFile::Flush() {
  if (!file_ || error_ != 0 || buffer_.empty()) return;
  error_ = file_->Write(buffer_.data(), buffer_.size());
  buffer_.clear();
}

int TBufferedTextFile::Close() {
  if (!file_) return error_;
  Flush();
  const int closed = file_->Close();
  file_.reset();
  if (error_ == 0) error_ = closed;
  return error_;
}

}  // namespace ovx
