// Files on POSIX systems (the native build of the core and its tests).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "model/FileSystem.h"

namespace ovx {
namespace {

class TPosixFile final : public TFile {
 public:
  explicit TPosixFile(int fd) : fd_(fd) {}
  ~TPosixFile() override {
    if (fd_ >= 0) ::close(fd_);
  }

  int Size(std::int64_t& size) override {
    struct stat st;
    if (::fstat(fd_, &st) != 0) return errno;
    size = st.st_size;
    return 0;
  }

  int Read(void* buffer, std::size_t n, std::size_t& got) override {
    got = 0;
    auto* p = static_cast<char*>(buffer);
    while (got < n) {
      ssize_t r = ::read(fd_, p + got, n - got);
      if (r < 0) {
        if (errno == EINTR) continue;
        return errno;
      }
      if (r == 0) break;
      got += static_cast<std::size_t>(r);
    }
    return 0;
  }

  int Write(const void* buffer, std::size_t n) override {
    auto* p = static_cast<const char*>(buffer);
    while (n > 0) {
      ssize_t w = ::write(fd_, p, n);
      if (w < 0) {
        if (errno == EINTR) continue;
        return errno;
      }
      p += w;
      n -= static_cast<std::size_t>(w);
    }
    return 0;
  }

  int Flush() override { return ::fsync(fd_) == 0 ? 0 : errno; }

  int Close() override {
    int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0 ? 0 : errno;
  }

 private:
  int fd_;
};

int OpenWith(const std::string& name, int flags, std::unique_ptr<TFile>& file) {
  int fd = ::open(name.c_str(), flags | O_CLOEXEC, 0666);
  if (fd < 0) return errno;
  file = std::make_unique<TPosixFile>(fd);
  return 0;
}

class TPosixFileSystem final : public TFileSystem {
 public:
  int OpenRead(const std::string& name, std::unique_ptr<TFile>& file) override {
    return OpenWith(name, O_RDONLY, file);
  }
  int Create(const std::string& name, std::unique_ptr<TFile>& file) override {
    return OpenWith(name, O_WRONLY | O_CREAT | O_TRUNC, file);
  }
  int CreateNew(const std::string& name, std::unique_ptr<TFile>& file) override {
    return OpenWith(name, O_WRONLY | O_CREAT | O_EXCL, file);
  }
  bool Exists(const std::string& name) override {
    struct stat st;
    return ::stat(name.c_str(), &st) == 0;
  }
  int Delete(const std::string& name) override { return ::unlink(name.c_str()) == 0 ? 0 : errno; }
  int Rename(const std::string& from, const std::string& to) override {
    if (Exists(to)) return EEXIST;
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
  }
  int Replace(const std::string& from, const std::string& to, const std::string& backup) override {
    struct stat old;
    if (::stat(to.c_str(), &old) != 0) return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
    if (S_ISDIR(old.st_mode)) return EISDIR;  // a folder is never replaced by a file
    ::chmod(from.c_str(), old.st_mode & 07777);  // the new file takes the old one's permissions
    // The backup is a second link to the old file, so the one rename below is the only step
    // that changes what the name holds.
    if (!backup.empty()) {
      if (Exists(backup) && ::unlink(backup.c_str()) != 0) return errno;
      if (::link(to.c_str(), backup.c_str()) != 0) return errno;
    }
    if (::rename(from.c_str(), to.c_str()) != 0) {
      const int error = errno;
      if (!backup.empty()) ::unlink(backup.c_str());
      return error;
    }
    return 0;
  }
  int FileTooLargeCode() const override { return EFBIG; }
  int OutOfMemoryCode() const override { return ENOMEM; }
  std::string ErrorText(int code) const override { return std::strerror(code); }
};

}  // namespace

TFileSystem& PlatformFileSystem() {
  static TPosixFileSystem fs;
  return fs;
}

}  // namespace ovx
