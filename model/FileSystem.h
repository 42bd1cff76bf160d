// Files as the core sees them: every call returns 0 or the platform's error code
// (errno on POSIX, GetLastError on Windows). Names are UTF-8.
// Each platform layer supplies PlatformFileSystem(); tests may supply their own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace ovx {

class TFile {
 public:
  virtual ~TFile() = default;  // closes silently when Close was not called
  virtual int Size(std::int64_t& size) = 0;
  // Reads up to n bytes; got < n only at the end of the file.
  virtual int Read(void* buffer, std::size_t n, std::size_t& got) = 0;
  // Writes all n bytes or fails.
  virtual int Write(const void* buffer, std::size_t n) = 0;
  // Pushes written data to the disk.
  virtual int Flush() = 0;
  virtual int Close() = 0;
};

class TFileSystem {
 public:
  virtual ~TFileSystem() = default;
  // Opens an existing file for reading only; other readers and writers are not locked out.
  virtual int OpenRead(const std::string& name, std::unique_ptr<TFile>& file) = 0;
  // Creates a file or truncates an existing one, for writing.
  virtual int Create(const std::string& name, std::unique_ptr<TFile>& file) = 0;
  // Creates a file that must not exist yet, for writing.
  virtual int CreateNew(const std::string& name, std::unique_ptr<TFile>& file) = 0;
  virtual bool Exists(const std::string& name) = 0;
  virtual int Delete(const std::string& name) = 0;
  // Deletes a file nobody needs any more, perhaps after returning: freeing a large file's space
  // takes a file system a while, and the caller need not wait for it. By default at once.
  virtual void DeleteLater(const std::string& name) { Delete(name); }
  // Renames; fails when the new name exists.
  virtual int Rename(const std::string& from, const std::string& to) = 0;
  // Puts the finished file `from` in the place of `to`. When `to` is a file this is one step of
  // the file system that keeps `to`'s creation time, attributes and access rights where the
  // platform can (another hard link to the old file keeps the old content), and the old content
  // moves to `backup` unless that is empty (a name the caller has made sure is free). When `to`
  // does not exist, `from` is renamed and `backup` plays no part; a folder is never replaced. On
  // failure `to` normally still holds its old content; a platform may leave it moved aside,
  // which the caller sees by `to` missing.
  virtual int Replace(const std::string& from, const std::string& to, const std::string& backup) = 0;
  // The error code that stands for "the file is too large to be held".
  virtual int FileTooLargeCode() const = 0;
  // The error code that stands for "not enough memory".
  virtual int OutOfMemoryCode() const { return FileTooLargeCode(); }
  // The platform's words for an error code, UTF-8 on one line; "エラー N" where it has none.
  virtual std::string ErrorText(int code) const { return "エラー " + std::to_string(code); }
};

// The real file system of the platform the program runs on.
TFileSystem& PlatformFileSystem();

}  // namespace ovx
