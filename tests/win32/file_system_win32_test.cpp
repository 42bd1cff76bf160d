// Files on the real platform while another program holds them open for a moment.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>

#include "model/FileSystem.h"

namespace ovx {
namespace {

std::string TempName(const char* leaf) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  return std::string(dir) + leaf;
}

void WriteFile(const std::string& name, const char* text) {
  HANDLE h = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  ::WriteFile(h, text, static_cast<DWORD>(strlen(text)), &written, nullptr);
  CloseHandle(h);
}

// Holds name open for reading without sharing deletion, for `ms` milliseconds, on its own thread.
class TBriefReader {
 public:
  TBriefReader(const std::string& name, DWORD ms) {
    HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([name, ms, opened] {
      HANDLE h = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
      SetEvent(opened);
      if (h == INVALID_HANDLE_VALUE) return;
      Sleep(ms);
      CloseHandle(h);
    });
    WaitForSingleObject(opened, 5000);
    CloseHandle(opened);
  }
  ~TBriefReader() { thread_.join(); }

 private:
  std::thread thread_;
};

TEST(FileSystemWin32, RenameAndReplaceWaitForABriefReader) {
  TFileSystem& fs = PlatformFileSystem();
  const std::string target = TempName("ovx-fs-target.dat"), temp = TempName("ovx-fs-temp.dat"),
                    backup = TempName("ovx-fs-target.bak");
  DeleteFileA(backup.c_str());
  WriteFile(target, "old");
  WriteFile(temp, "new");
  {
    TBriefReader reader(target, 60);
    EXPECT_FALSE(MoveFileA(target.c_str(), backup.c_str())) << "the reader must block a plain rename";
    EXPECT_EQ(fs.Rename(target, backup), 0);
  }
  WriteFile(target, "old");
  {
    TBriefReader reader(target, 60);
    EXPECT_EQ(fs.Replace(temp, target), 0);
  }
  std::unique_ptr<TFile> file;
  ASSERT_EQ(fs.OpenRead(target, file), 0);
  char text[4] = {};
  std::size_t got = 0;
  ASSERT_EQ(file->Read(text, 3, got), 0);
  EXPECT_EQ(std::string(text, got), "new");
  file.reset();
  {
    TBriefReader reader(backup, 60);
    EXPECT_EQ(fs.Delete(backup), 0);
  }
  EXPECT_FALSE(fs.Exists(backup));
  fs.Delete(target);
}

// A reader that does not let go is still reported, after the wait.
TEST(FileSystemWin32, ALastingReaderStillFailsTheRename) {
  TFileSystem& fs = PlatformFileSystem();
  const std::string target = TempName("ovx-fs-held.dat"), moved = TempName("ovx-fs-held.bak");
  WriteFile(target, "x");
  {
    TBriefReader reader(target, 1500);
    EXPECT_EQ(fs.Rename(target, moved), ERROR_SHARING_VIOLATION);
  }
  fs.Delete(target);
}

}  // namespace
}  // namespace ovx
