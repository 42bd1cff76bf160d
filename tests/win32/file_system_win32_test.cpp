// Files on the real platform: while another program holds them open for a moment, and what a
// save keeps of the file it replaces.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "model/DocumentFile.h"
#include "model/FileSystem.h"
#include "model/win32/Win32FileName.h"
#include "tests/unit/scripted_prompt.h"

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
    EXPECT_EQ(fs.Replace(temp, target, {}), 0);
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

// ---- saving over a file ----

// The "\\?\" form of a full path, which the test's own file calls take at any length.
std::wstring Extended(const std::string& path) {
  std::wstring wide(path.begin(), path.end());  // the test's paths are ASCII
  return L"\\\\?\\" + wide;
}

bool WriteAll(const std::string& path, const std::string& bytes) {
  HANDLE h =
      CreateFileW(Extended(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(h);
  return ok && written == bytes.size();
}

// The content of the file, or "<missing>".
std::string ReadAll(const std::string& path) {
  HANDLE h = CreateFileW(Extended(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return "<missing>";
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(h);
  return bytes;
}

// A fresh folder under the temporary folder, removed with everything in it at the end. Nested
// folders lengthen its path to at least `minimumLength` characters.
class TScratchFolder {
 public:
  explicit TScratchFolder(std::size_t minimumLength = 0) {
    static int counter = 0;
    const std::string leaf = "ovx-fs-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
    path_ = TempName(leaf.c_str()) + "\\";
    top_ = path_;
    CreateDirectoryW(Extended(path_).c_str(), nullptr);
    while (path_.size() < minimumLength) {
      path_ += std::string(50, 'd') + "\\";
      CreateDirectoryW(Extended(path_).c_str(), nullptr);
    }
  }
  ~TScratchFolder() { Remove(top_); }
  // The full name of a file in the folder, in its plain form.
  std::string Name(const std::string& leaf) const { return path_ + leaf; }
  std::size_t Length() const { return path_.size(); }
  int Count() const {
    int n = 0;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(Extended(path_ + "*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++n;
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return n;
  }

 private:
  static void Remove(const std::string& folder) {
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(Extended(folder + "*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring leaf = found.cFileName;
        if (leaf == L"." || leaf == L"..") continue;
        const std::string path = folder + std::string(leaf.begin(), leaf.end());
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          Remove(path + "\\");
        } else {
          SetFileAttributesW(Extended(path).c_str(), FILE_ATTRIBUTE_NORMAL);
          DeleteFileW(Extended(path).c_str());
        }
      } while (FindNextFileW(find, &found));
      FindClose(find);
    }
    RemoveDirectoryW(Extended(folder).c_str());
  }

  std::string path_, top_;
};

// The folder's number of files once it reaches `expected` or five seconds have passed: without a
// backup a save deletes the old content on a thread of its own, a moment after it ends.
int SettledCount(const TScratchFolder& folder, int expected) {
  const DWORD start = GetTickCount();
  while (folder.Count() != expected && GetTickCount() - start < 5000) Sleep(10);
  return folder.Count();
}

// Saves `content` over the file as the editor does.
bool Save(const std::string& name, const std::string& content, bool makeBackFile, test::TScriptedPrompt& prompt) {
  TMemoryModule module;
  TEditHistory history(module, prompt);
  history.ApplyEdit({ekInsert, 0, {}, {}, reinterpret_cast<const std::uint8_t*>(content.data()),
                     static_cast<std::int32_t>(content.size()), 0},
                    false);
  return SaveFile(name, module, history, prompt, {makeBackFile, false});
}

constexpr DWORD kShownAttributes =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

TEST(FileSystemWin32, ASaveKeepsTheAttributesOfTheFile) {
  const struct {
    const char* name;
    DWORD before;
    bool makeBackFile;
    bool saved;
    DWORD after;  // of read-only, hidden, system and archive, when saved (else they stay as they were)
  } cases[] = {
      {"hidden", FILE_ATTRIBUTE_HIDDEN, false, true, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE},
      {"hidden, with backup", FILE_ATTRIBUTE_HIDDEN, true, true, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE},
      {"hidden system file", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, false, true,
       FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE},
      {"archive bit cleared: set again, the content changed", FILE_ATTRIBUTE_NORMAL, true, true,
       FILE_ATTRIBUTE_ARCHIVE},
      {"read-only: not replaced", FILE_ATTRIBUTE_READONLY, false, false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TScratchFolder folder;
    const std::string name = folder.Name("doc.dat");
    ASSERT_TRUE(WriteAll(name, "OLD"));
    ASSERT_TRUE(SetFileAttributesW(Extended(name).c_str(), c.before));
    const DWORD before = GetFileAttributesW(Extended(name).c_str()) & kShownAttributes;
    test::TScriptedPrompt prompt({mrAbort});

    EXPECT_EQ(Save(name, "NEW", c.makeBackFile, prompt), c.saved);

    EXPECT_EQ(ReadAll(name), c.saved ? "NEW" : "OLD");
    EXPECT_EQ(GetFileAttributesW(Extended(name).c_str()) & kShownAttributes, c.saved ? c.after : before);
    EXPECT_EQ(SettledCount(folder, c.makeBackFile ? 2 : 1), c.makeBackFile ? 2 : 1) << "a temporary file was left";
    // A refused save says so, and on its second line the system's reason.
    const std::string failure = name + " の書き込みに失敗しました.\r\n";
    const std::vector<std::string> texts = prompt.Texts();
    ASSERT_EQ(texts.size(), c.saved ? 0u : 1u);
    if (!c.saved) EXPECT_TRUE(texts[0].size() > failure.size() && texts[0].rfind(failure, 0) == 0) << texts[0];
  }
}

FILETIME CreationTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  GetFileAttributesExW(Extended(path).c_str(), GetFileExInfoStandard, &data);
  return data.ftCreationTime;
}

bool SetCreationTime(const std::string& path, const FILETIME& time) {
  HANDLE h =
      CreateFileW(Extended(path).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  const bool ok = SetFileTime(h, &time, nullptr, nullptr);
  CloseHandle(h);
  return ok;
}

bool operator==(const FILETIME& a, const FILETIME& b) {
  return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

TEST(FileSystemWin32, ASaveKeepsTheCreationTime) {
  SYSTEMTIME longAgo = {2001, 2, 0, 3, 4, 5, 6, 0};
  FILETIME created;
  SystemTimeToFileTime(&longAgo, &created);
  {
    TScratchFolder probe;
    ASSERT_TRUE(WriteAll(probe.Name("probe"), "x"));
    if (!SetCreationTime(probe.Name("probe"), created) || !(CreationTime(probe.Name("probe")) == created)) {
      GTEST_SKIP() << "this file system keeps no creation time of its own (Wine reports the last write time)";
    }
  }
  for (bool makeBackFile : {true, false}) {
    SCOPED_TRACE(makeBackFile ? "backup on" : "backup off");
    TScratchFolder folder;
    const std::string name = folder.Name("doc.dat");
    ASSERT_TRUE(WriteAll(name, "OLD"));
    ASSERT_TRUE(SetCreationTime(name, created));
    test::TScriptedPrompt prompt;
    ASSERT_TRUE(Save(name, "NEW", makeBackFile, prompt));
    EXPECT_EQ(ReadAll(name), "NEW");
    EXPECT_TRUE(CreationTime(name) == created);
  }
}

// A name of MAX_PATH characters or more goes to the file functions as the "\\?\" form of its full
// path, which takes no "/", "." or ".." and no relative path.
TEST(FileSystemWin32, LongNamesTakeTheExtendedFormOfTheirFullPath) {
  wchar_t current[MAX_PATH];
  const DWORD n = GetCurrentDirectoryW(MAX_PATH, current);
  std::wstring here(current, n);
  if (here.back() != L'\\') here += L'\\';
  const std::string leaf(MAX_PATH, 'f');
  const std::wstring wideLeaf(leaf.begin(), leaf.end());
  const std::string fits = "C:\\" + std::string(MAX_PATH - 4, 'f');
  const struct {
    const char* name;
    std::string in;
    std::wstring out;
  } cases[] = {
      {"a name that fits stays plain", fits, std::wstring(fits.begin(), fits.end())},
      {"one character more", fits + "f", L"\\\\?\\" + std::wstring(fits.begin(), fits.end()) + L"f"},
      {"slashes and dots resolved", "C:/dir/../" + leaf, L"\\\\?\\C:\\" + wideLeaf},
      {"relative to the current folder", "sub\\" + leaf, L"\\\\?\\" + here + L"sub\\" + wideLeaf},
      {"a network share", "\\\\server\\share\\" + leaf, L"\\\\?\\UNC\\server\\share\\" + wideLeaf},
      {"already extended", "\\\\?\\C:\\" + leaf, L"\\\\?\\C:\\" + wideLeaf},
  };
  for (const auto& c : cases) EXPECT_EQ(Win32FileName(c.in), c.out) << c.name;
}

// The temporary and backup names are longer than the target's: a target that just fits the plain
// form of a path saves all the same, its backup made and then replaced.
TEST(FileSystemWin32, ASaveNearTheLongestPlainPathWorks) {
  for (std::size_t length : {std::size_t{253}, std::size_t{MAX_PATH - 1}}) {
    for (bool makeBackFile : {true, false}) {
      SCOPED_TRACE(std::to_string(length) + (makeBackFile ? " characters, backup on" : " characters, backup off"));
      TScratchFolder folder(length - 60);
      const std::string name = folder.Name(std::string(length - folder.Length(), 'f'));  // no extension
      ASSERT_EQ(name.size(), length);
      const std::string backup = name + ".bak";
      ASSERT_TRUE(WriteAll(name, "OLD"));
      test::TScriptedPrompt prompt;

      EXPECT_TRUE(Save(name, "FIRST", makeBackFile, prompt));
      EXPECT_EQ(ReadAll(name), "FIRST");
      EXPECT_EQ(ReadAll(backup), makeBackFile ? "OLD" : "<missing>");
      EXPECT_TRUE(Save(name, "SECOND", makeBackFile, prompt));
      EXPECT_EQ(ReadAll(name), "SECOND");
      EXPECT_EQ(ReadAll(backup), makeBackFile ? "FIRST" : "<missing>");
      EXPECT_EQ(SettledCount(folder, makeBackFile ? 2 : 1), makeBackFile ? 2 : 1) << "a temporary file was left";
      EXPECT_TRUE(prompt.shown.empty());
    }
  }
}

// The replace is one step of the file system: another program looking at the name while saves
// follow one another always finds a file there, with the old or the new content.
TEST(FileSystemWin32, TheNameNeverGoesMissingDuringAReplace) {
  for (bool keepBackup : {true, false}) {
    SCOPED_TRACE(keepBackup ? "backup kept" : "no backup");
    TScratchFolder folder;
    const std::string name = folder.Name("doc.dat"), temporary = folder.Name("doc.dat.~0.tmp"),
                      backup = keepBackup ? folder.Name("doc.bak") : std::string();
    ASSERT_TRUE(WriteAll(name, "0"));
    std::atomic<bool> done{false};
    std::atomic<int> looks{0}, missing{0};
    std::thread watcher([&] {
      const std::wstring watched = Extended(name);
      while (!done) {
        if (GetFileAttributesW(watched.c_str()) == INVALID_FILE_ATTRIBUTES) ++missing;
        ++looks;
      }
    });
    TFileSystem& fs = PlatformFileSystem();
    constexpr int kSaves = 100;
    for (int i = 1; i <= kSaves; ++i) {
      ASSERT_TRUE(WriteAll(temporary, std::to_string(i)));
      if (keepBackup) DeleteFileW(Extended(backup).c_str());
      ASSERT_EQ(fs.Replace(temporary, name, backup), 0);
    }
    done = true;
    watcher.join();
    EXPECT_EQ(missing, 0) << "of " << looks << " looks";
    EXPECT_EQ(ReadAll(name), std::to_string(kSaves));
    EXPECT_EQ(ReadAll(backup.empty() ? temporary : backup), keepBackup ? std::to_string(kSaves - 1) : "<missing>");
    EXPECT_EQ(folder.Count(), keepBackup ? 2 : 1);
  }
}

}  // namespace
}  // namespace ovx
