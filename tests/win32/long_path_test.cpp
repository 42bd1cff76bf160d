// ExpandLongPathName against real files: case as on disk, short names, folders, failures.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "shell/LongPath.h"

namespace ovx {
namespace {

std::string U8(const std::wstring& w) {
  int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

// Lower-cases everything after the drive part, which the expansion keeps as written.
std::string Lower(std::string s) {
  for (std::size_t i = 2; i < s.size(); ++i)
    if (s[i] >= 'A' && s[i] <= 'Z') s[i] = static_cast<char>(s[i] - 'A' + 'a');
  return s;
}

class LongPath : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    // The temporary folder in its own long form is the base the expectations build on.
    base_ = ExpandLongPathName(U8(temp));
    ASSERT_FALSE(base_.empty());
    ASSERT_EQ(base_.back(), '\\');
    folder_ = base_ + "Orvanta Long Folder";
    file_ = folder_ + "\\Long File Name.binary";
    jpFile_ = folder_ + "\\日本語のファイル名.bin";
    CreateDirectoryW(W(folder_).c_str(), nullptr);
    for (const auto& name : {file_, jpFile_}) {
      HANDLE h = CreateFileW(W(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
      ASSERT_NE(h, INVALID_HANDLE_VALUE);
      CloseHandle(h);
    }
  }
  void TearDown() override {
    DeleteFileW(W(file_).c_str());
    DeleteFileW(W(jpFile_).c_str());
    RemoveDirectoryW(W(folder_).c_str());
  }
  static std::wstring W(const std::string& s) {
    int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
  }

  std::string base_, folder_, file_, jpFile_;
};

TEST_F(LongPath, EveryComponentTakesTheCaseFoundOnDisk) {
  EXPECT_EQ(ExpandLongPathName(Lower(file_)), file_);
  EXPECT_EQ(ExpandLongPathName(file_), file_);
  EXPECT_EQ(ExpandLongPathName(jpFile_), jpFile_);
}

TEST_F(LongPath, FoldersEndInABackslashWithOrWithoutOneGiven) {
  EXPECT_EQ(ExpandLongPathName(Lower(folder_)), folder_ + "\\");
  EXPECT_EQ(ExpandLongPathName(Lower(folder_) + "\\"), folder_ + "\\");
  EXPECT_EQ(ExpandLongPathName(folder_.substr(0, 2) + "\\"), folder_.substr(0, 2) + "\\");  // drive root
}

TEST_F(LongPath, SlashesSeparateLikeBackslashes) {
  auto slashed = [](std::string s, std::size_t from) {
    for (std::size_t i = from; i < s.size(); ++i)
      if (s[i] == '\\') s[i] = '/';
    return s;
  };
  const std::string lower = Lower(file_);
  const std::size_t lastSeparator = lower.rfind('\\');
  // "C:/dir/f.bin", "C:\dir/f.bin" and a folder given with a trailing "/".
  EXPECT_EQ(ExpandLongPathName(slashed(lower, 0)), file_);
  EXPECT_EQ(ExpandLongPathName(slashed(lower, lastSeparator)), file_);
  EXPECT_EQ(ExpandLongPathName(slashed(Lower(folder_), 0) + "/"), folder_ + "\\");
}

TEST_F(LongPath, VerbatimPathsKeepTheirPrefix) {
  const std::string prefix = "\\\\?\\";
  EXPECT_EQ(ExpandLongPathName(prefix + Lower(file_)), prefix + file_);
  EXPECT_EQ(ExpandLongPathName(prefix + Lower(folder_)), prefix + folder_ + "\\");
}

TEST_F(LongPath, TheDrivePartIsKeptAsWritten) {
  std::string lowerDrive = Lower(file_);
  lowerDrive[0] = static_cast<char>(lowerDrive[0] | 0x20);
  std::string expected = file_;
  expected[0] = lowerDrive[0];
  EXPECT_EQ(ExpandLongPathName(lowerDrive), expected);
}

TEST_F(LongPath, AnyFailedLookupGivesTheInputBack) {
  for (const std::string& in : {Lower(folder_) + "\\missing.bin", Lower(base_) + "no such folder\\x.bin",
                                Lower(folder_) + "\\*.binary", std::string("")}) {
    EXPECT_EQ(ExpandLongPathName(in), in) << in;
  }
}

TEST_F(LongPath, ShortNamesBecomeLongNames) {
  wchar_t shortName[MAX_PATH];
  DWORD n = GetShortPathNameW(W(file_).c_str(), shortName, MAX_PATH);
  ASSERT_GT(n, 0u);
  const std::string shortForm = U8(shortName);
  if (shortForm == file_) GTEST_SKIP() << "this file system keeps no 8.3 names";
  EXPECT_EQ(ExpandLongPathName(shortForm), file_);
}

}  // namespace
}  // namespace ovx
