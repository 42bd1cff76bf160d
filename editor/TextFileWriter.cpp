#include "editor/TextFileWriter.h"

#include <cstring>
#include <new>
#include <system_error>

namespace ovx {

TBufferedTextFile::~TBufferedTextFile() { WaitForWriter(); }

int TBufferedTextFile::Create(const std::string& name, TFileSystem& fs) {
  WaitForWriter();
  if (!buffer_) buffer_ = std::make_unique<char[]>(kBufferSize);
  if (!writing_) writing_ = std::make_unique<char[]>(kBufferSize);
  used_ = 0;
  error_ = fs.Create(name, file_);
  if (error_ != 0) file_.reset();
  return error_;
}

void TBufferedTextFile::WriteLine(std::string_view line) {
  if (!file_ || error_ != 0) return;
  if (used_ + line.size() + 2 > kBufferSize) {
    Flush();
    if (error_ != 0) return;
    if (line.size() + 2 > kBufferSize) {  // a line longer than the buffer goes on its own
      WaitForWriter();
      if (error_ == 0) error_ = file_->Write(line.data(), line.size());
      if (error_ == 0) error_ = file_->Write("\r\n", 2);
      return;
    }
  }
  std::memcpy(buffer_.get() + used_, line.data(), line.size());
  used_ += line.size();
  buffer_[used_++] = '\r';
  buffer_[used_++] = '\n';
}

void TBufferedTextFile::WaitForWriter() {
  if (!writer_.joinable()) return;
  writer_.join();
  if (error_ == 0) error_ = writerError_;
}

// One write at a time, in order: the previous buffer must be written before this one goes.
void TBufferedTextFile::Flush() {
  WaitForWriter();
  if (!file_ || error_ != 0 || used_ == 0) return;
  std::swap(buffer_, writing_);
  writingSize_ = used_;
  used_ = 0;
  writer_ = std::thread([this] { writerError_ = file_->Write(writing_.get(), writingSize_); });
}

int TBufferedTextFile::Close() {
  if (!file_) return error_;
  Flush();
  WaitForWriter();
  const int closed = file_->Close();
  file_.reset();
  if (error_ == 0) error_ = closed;
  return error_;
}

int WriteTextFile(const std::string& name, const std::function<void(const TTextLineSink&)>& produce,
                  TFileSystem& fs) {
  try {
    TBufferedTextFile file;
    if (const int error = file.Create(name, fs)) return error;
    int failure = 0;
    try {
      produce([&file](std::string_view line, bool& proceed) {
        file.WriteLine(line);
        proceed = file.Error() == 0;  // a failed write ends the output
      });
    } catch (const std::bad_alloc&) {
      failure = fs.OutOfMemoryCode();
    } catch (const std::system_error&) {
      failure = fs.OutOfMemoryCode();
    }
    const int closed = file.Close();  // the lines written so far stay
    return failure ? failure : closed;
  } catch (const std::bad_alloc&) {
    return fs.OutOfMemoryCode();
  } catch (const std::system_error&) {
    return fs.OutOfMemoryCode();
  }
}

}  // namespace ovx
