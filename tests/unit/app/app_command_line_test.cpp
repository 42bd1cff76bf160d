#include <gtest/gtest.h>

#include "app/CommandLine.h"

namespace ovx {
namespace {

struct SplitCase {
  const char* line;
  std::vector<std::string> expected;
};

TEST(AppCommandLine, SplitsLikeTheRuntime) {
  const SplitCase cases[] = {
      {"ovxmain.exe", {"ovxmain.exe"}},
      {"\"C:\\Program Files\\ovxmain.exe\"", {"C:\\Program Files\\ovxmain.exe"}},
      {"\"C:\\Program Files\\ovxmain.exe\" a.bin", {"C:\\Program Files\\ovxmain.exe", "a.bin"}},
      {"ovxmain.exe  a.bin\t b.bin  ", {"ovxmain.exe", "a.bin", "b.bin"}},
      {"ovxmain.exe \"C:\\my files\\a b.bin\"", {"ovxmain.exe", "C:\\my files\\a b.bin"}},
      // A trailing backslash of a quoted folder stays when doubled.
      {"ovxmain.exe \"C:\\dir\\\\\"", {"ovxmain.exe", "C:\\dir\\"}},
      {"ovxmain.exe C:\\dir\\", {"ovxmain.exe", "C:\\dir\\"}},
      {"ovxmain.exe a\\\\\\\"b", {"ovxmain.exe", "a\\\"b"}},
      {"ovxmain.exe a\"b c\"d", {"ovxmain.exe", "ab cd"}},
      {"ovxmain.exe \"\"", {"ovxmain.exe", ""}},
      {"ovxmain.exe \"a\"\"b\"", {"ovxmain.exe", "a\"b"}},
      // The program name takes backslashes literally.
      {"C:\\x\\ovxmain.exe -s", {"C:\\x\\ovxmain.exe", "-s"}},
      // Multi-byte names pass through untouched.
      {"ovx.exe \"データ 1.bin\" 表.bin", {"ovx.exe", "データ 1.bin", "表.bin"}},
      {"", {""}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitCommandLine(c.line), c.expected) << c.line;
}

TEST(AppCommandLine, OptionsAreSkipped) {
  EXPECT_TRUE(IsOption("-x"));
  EXPECT_TRUE(IsOption("/x"));
  EXPECT_TRUE(IsOption("-"));
  EXPECT_FALSE(IsOption(""));
  EXPECT_FALSE(IsOption("a-b"));
  EXPECT_FALSE(IsOption("C:\\x"));
  std::vector<std::string> args = {"ovxmain.exe", "-a", "x.bin", "/b", "y z.bin", "-c"};
  EXPECT_EQ(FileArguments(args), (std::vector<std::string>{"x.bin", "y z.bin"}));
  EXPECT_TRUE(FileArguments({"ovxmain.exe", "-a", "/b"}).empty());
  EXPECT_TRUE(FileArguments({"ovxmain.exe"}).empty());
}

}  // namespace
}  // namespace ovx
