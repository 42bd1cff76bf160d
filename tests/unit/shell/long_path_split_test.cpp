#include <gtest/gtest.h>

#include "shell/LongPath.h"

namespace ovx {
namespace {

using Parts = std::vector<std::string>;

TEST(LongPathSplit, SlashesSeparateExceptInVerbatimPaths) {
  struct Case {
    const char* path;
    const char* drive;
    Parts components;
    const char* joined;  // all components joined again
  } cases[] = {
      {"C:\\dir\\f.bin", "C:", {"", "dir", "f.bin"}, "C:\\dir\\f.bin"},
      {"C:/dir/f.bin", "C:", {"", "dir", "f.bin"}, "C:\\dir\\f.bin"},
      {"C:\\a/b\\f.bin", "C:", {"", "a", "b", "f.bin"}, "C:\\a\\b\\f.bin"},
      {"C:dir/f.bin", "C:", {"dir", "f.bin"}, "C:dir\\f.bin"},  // relative to the drive's folder
      {"dir/f.bin", "", {"dir", "f.bin"}, "dir\\f.bin"},
      {"/dir/f.bin", "", {"", "dir", "f.bin"}, "\\dir\\f.bin"},
      // One trailing separator goes, of either kind.
      {"C:\\dir\\", "C:", {"", "dir"}, "C:\\dir"},
      {"C:/dir/", "C:", {"", "dir"}, "C:\\dir"},
      {"C:\\dir\\\\", "C:", {"", "dir", ""}, "C:\\dir\\"},
      {"C:\\", "C:", {}, "C:"},
      // A share is a drive part of its own.
      {"\\\\server\\share\\dir\\f.bin", "\\\\server\\share", {"", "dir", "f.bin"}, "\\\\server\\share\\dir\\f.bin"},
      {"//server/share/f.bin", "\\\\server\\share", {"", "f.bin"}, "\\\\server\\share\\f.bin"},
      {"\\\\server\\share\\", "\\\\server\\share", {}, "\\\\server\\share"},
      {"\\\\server", "\\\\server", {}, "\\\\server"},
      // \\?\ paths are taken literally: "/" is part of a name there.
      {"\\\\?\\C:\\dir\\f.bin", "\\\\?\\C:", {"", "dir", "f.bin"}, "\\\\?\\C:\\dir\\f.bin"},
      {"\\\\?\\C:\\a/b\\f.bin", "\\\\?\\C:", {"", "a/b", "f.bin"}, "\\\\?\\C:\\a/b\\f.bin"},
      {"\\\\?\\C:\\dir\\", "\\\\?\\C:", {"", "dir"}, "\\\\?\\C:\\dir"},
      {"\\\\?\\UNC\\server\\share\\f.bin", "\\\\?\\UNC\\server\\share", {"", "f.bin"},
       "\\\\?\\UNC\\server\\share\\f.bin"},
      {"\\\\?\\unc\\server\\share", "\\\\?\\unc\\server\\share", {}, "\\\\?\\unc\\server\\share"},
      {"\\\\?\\Volume{1}\\f.bin", "\\\\?\\Volume{1}", {"", "f.bin"}, "\\\\?\\Volume{1}\\f.bin"},
      {"", "", {}, ""},
  };
  for (const auto& c : cases) {
    TPathParts parts = SplitPathName(c.path);
    EXPECT_EQ(parts.drive, c.drive) << c.path;
    EXPECT_EQ(parts.components, c.components) << c.path;
    EXPECT_EQ(JoinPathName(parts, parts.components.size()), c.joined) << c.path;
  }
}

TEST(LongPathSplit, JoinsTheDriveAndTheFirstComponents) {
  TPathParts parts = SplitPathName("\\\\server\\share/dir/sub/f.bin");
  EXPECT_EQ(JoinPathName(parts, 0), "\\\\server\\share");
  EXPECT_EQ(JoinPathName(parts, 2), "\\\\server\\share\\dir");
  EXPECT_EQ(JoinPathName(parts, 4), "\\\\server\\share\\dir\\sub\\f.bin");
  EXPECT_EQ(JoinPathName(parts, 9), "\\\\server\\share\\dir\\sub\\f.bin");
}

}  // namespace
}  // namespace ovx
