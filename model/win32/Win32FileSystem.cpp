// Files through the Win32 API. Names arrive as UTF-8 and are used as UTF-16.
#include <windows.h>

#include <aclapi.h>

#include <algorithm>
#include <cstdint>
#include <cwchar>
#include <mutex>
#include <thread>

#include "model/FileSystem.h"
#include "model/win32/Win32ErrorText.h"
#include "model/win32/Win32FileName.h"

namespace ovx {
namespace {

int LastError() { return static_cast<int>(GetLastError()); }

// OVX_READ_PAUSE_MS makes every read wait that long, so that tests can look at a window while
// its load is still under way.
DWORD ReadPause() {
  static const DWORD pause = [] {
    wchar_t value[16] = {};
    const DWORD length = GetEnvironmentVariableW(L"OVX_READ_PAUSE_MS", value, 16);
    return length > 0 && length < 16 ? static_cast<DWORD>(std::wcstoul(value, nullptr, 10)) : 0ul;
  }();
  return pause;
}

// What the new file takes over from the one it replaces. Read-only is not among them, as a
// read-only file is never replaced; the archive bit is set, since the content changed.
DWORD KeptAttributes(DWORD old) {
  return (old & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED)) |
         FILE_ATTRIBUTE_ARCHIVE;
}

// The new file takes the old one's place with its attributes, creation time and access rights
// (a file system that keeps no creation time or access rights of its own ignores them).
void TakeOverMetadata(const std::wstring& from, const std::wstring& to, DWORD attributes) {
  SetFileAttributesW(to.c_str(), KeptAttributes(attributes));
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (GetFileAttributesExW(from.c_str(), GetFileExInfoStandard, &data)) {
    HANDLE h = CreateFileW(to.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      SetFileTime(h, &data.ftCreationTime, nullptr, nullptr);
      CloseHandle(h);
    }
  }
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetNamedSecurityInfoW(from.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl, nullptr,
                            &descriptor) == ERROR_SUCCESS) {
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    GetSecurityDescriptorControl(descriptor, &control, &revision);
    const SECURITY_INFORMATION inherit =
        control & SE_DACL_PROTECTED ? PROTECTED_DACL_SECURITY_INFORMATION : UNPROTECTED_DACL_SECURITY_INFORMATION;
    SetNamedSecurityInfoW(const_cast<wchar_t*>(to.c_str()), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION | inherit,
                          nullptr, nullptr, dacl, nullptr);
    LocalFree(descriptor);
  }
}

// Another program that has the file open for a moment (a viewer, a scanner, a backup tool)
// makes a rename or delete fail with a sharing violation, or with access denied when the
// file is the target being replaced (a replace that cannot move the target away says so by
// ERROR_UNABLE_TO_REMOVE_REPLACED, having changed nothing): try again for about a fifth of a
// second before reporting it (a lasting cause, such as a read-only file, is reported after
// that wait).
template <typename Operation>
int Patiently(Operation operation) {
  for (int attempt = 0;; ++attempt) {
    if (operation()) return 0;
    const int error = LastError();
    const bool mayPass = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
                         error == ERROR_ACCESS_DENIED || error == ERROR_UNABLE_TO_REMOVE_REPLACED;
    if (!mayPass || attempt == 20) return error;
    Sleep(10);
  }
}

class TWin32File final : public TFile {
 public:
  explicit TWin32File(HANDLE h) : h_(h) {}
  ~TWin32File() override {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
  }

  int Size(std::int64_t& size) override {
    LARGE_INTEGER li;
    if (!GetFileSizeEx(h_, &li)) return LastError();
    size = li.QuadPart;
    return 0;
  }

  int Read(void* buffer, std::size_t n, std::size_t& got) override {
    if (const DWORD pause = ReadPause(); pause > 0) Sleep(pause);
    got = 0;
    auto* p = static_cast<char*>(buffer);
    while (got < n) {
      DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(n - got, 1u << 30));
      DWORD r = 0;
      if (!ReadFile(h_, p + got, chunk, &r, nullptr)) return LastError();
      if (r == 0) break;
      got += r;
    }
    return 0;
  }

  int Write(const void* buffer, std::size_t n) override {
    auto* p = static_cast<const char*>(buffer);
    while (n > 0) {
      DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(n, 1u << 30));
      DWORD w = 0;
      if (!WriteFile(h_, p, chunk, &w, nullptr)) return LastError();
      p += w;
      n -= w;
    }
    return 0;
  }

  int Flush() override { return FlushFileBuffers(h_) ? 0 : LastError(); }

  int Close() override {
    HANDLE h = h_;
    h_ = INVALID_HANDLE_VALUE;
    return CloseHandle(h) ? 0 : LastError();
  }

 private:
  HANDLE h_;
};

int OpenWith(const std::string& name, DWORD access, DWORD share, DWORD disposition, std::unique_ptr<TFile>& file) {
  HANDLE h = CreateFileW(Win32FileName(name).c_str(), access, share, nullptr, disposition,
                         FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (h == INVALID_HANDLE_VALUE) return LastError();
  file = std::make_unique<TWin32File>(h);
  return 0;
}

class TWin32FileSystem final : public TFileSystem {
 public:
  ~TWin32FileSystem() override { JoinDeleter(); }

  int OpenRead(const std::string& name, std::unique_ptr<TFile>& file) override {
    return OpenWith(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING, file);
  }
  int Create(const std::string& name, std::unique_ptr<TFile>& file) override {
    return OpenWith(name, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS, file);
  }
  int CreateNew(const std::string& name, std::unique_ptr<TFile>& file) override {
    return OpenWith(name, GENERIC_WRITE, FILE_SHARE_READ, CREATE_NEW, file);
  }
  bool Exists(const std::string& name) override {
    return GetFileAttributesW(Win32FileName(name).c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  int Delete(const std::string& name) override {
    const std::wstring file = Win32FileName(name);
    return Patiently([&] { return DeleteFileW(file.c_str()); });
  }
  // A large file on a thread of its own: a deleted GiB takes the file system about half a second
  // to free. A small one goes at once, so that no deletion is left running behind the caller's
  // back without need. One deletion at a time; the process waits for the last one when it ends.
  void DeleteLater(const std::string& name) override {
    constexpr std::uint64_t kLargeFile = std::uint64_t{16} << 20;
    const std::wstring file = Win32FileName(name);
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data) ||
        ((std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow) < kLargeFile) {
      Delete(name);
      return;
    }
    std::lock_guard<std::mutex> lock(deleterMutex_);
    if (deleter_.joinable()) deleter_.join();
    deleter_ = std::thread([file] { Patiently([&] { return DeleteFileW(file.c_str()); }); });
  }
  int Rename(const std::string& from, const std::string& to) override {
    const std::wstring source = Win32FileName(from), target = Win32FileName(to);
    return Patiently([&] { return MoveFileW(source.c_str(), target.c_str()); });
  }
  int Replace(const std::string& from, const std::string& to, const std::string& backup) override {
    const std::wstring source = Win32FileName(from), target = Win32FileName(to);
    const DWORD old = GetFileAttributesW(target.c_str());
    if (old == INVALID_FILE_ATTRIBUTES) {
      return Patiently([&] { return MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH); });
    }
    // A folder is never replaced by a file, nor a read-only file.
    if (old & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) return ERROR_ACCESS_DENIED;
    TakeOverMetadata(target, source, old);
    const std::wstring kept = Win32FileName(backup);
    // The backup is a second link to the old file, so that the one rename below is the only step
    // that changes what the name holds (ReplaceFileW renames twice, and for a moment the name
    // holds nothing). A volume without links gets ReplaceFileW after all.
    if (!backup.empty() && !CreateHardLinkW(kept.c_str(), target.c_str(), nullptr)) {
      return Patiently([&] {
        return ReplaceFileW(target.c_str(), source.c_str(), kept.c_str(), REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                            nullptr);
      });
    }
    const int error = Patiently([&] {
      return MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    });
    if (error != 0 && !backup.empty()) DeleteFileW(kept.c_str());
    return error;
  }
  int FileTooLargeCode() const override { return ERROR_FILE_TOO_LARGE; }
  int OutOfMemoryCode() const override { return ERROR_NOT_ENOUGH_MEMORY; }
  std::string ErrorText(int code) const override { return Win32ErrorText(code); }

 private:
  void JoinDeleter() {
    std::lock_guard<std::mutex> lock(deleterMutex_);
    if (deleter_.joinable()) deleter_.join();
  }

  std::mutex deleterMutex_;
  std::thread deleter_;
};

}  // namespace

TFileSystem& PlatformFileSystem() {
  static TWin32FileSystem fs;
  return fs;
}

}  // namespace ovx
