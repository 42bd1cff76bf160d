#include <gtest/gtest.h>

#include "launcher/LaunchCommandLine.h"

namespace ovx::launcher {
namespace {

using Args = std::vector<std::string>;

TEST(Launcher, EditorCommandLineQuotesOnlyWhatHasSpaces) {
  struct Case {
    const char* editor;
    Args args;
    const char* expected;
  } cases[] = {
      {"C:\\ovx\\OVXMAIN.EXE", {}, "C:\\ovx\\OVXMAIN.EXE"},
      {"C:\\Program Files\\ovx\\OVXMAIN.EXE", {}, "\"C:\\Program Files\\ovx\\OVXMAIN.EXE\""},
      {"C:\\ovx\\OVXMAIN.EXE", {"C:\\my data\\a b.bin"}, "C:\\ovx\\OVXMAIN.EXE \"C:\\my data\\a b.bin\""},
      // Options travel on like any other argument.
      {"C:\\ovx\\OVXMAIN.EXE", {"-x", "a.bin", "/y"}, "C:\\ovx\\OVXMAIN.EXE -x a.bin /y"},
      {"C:\\ovx\\OVXMAIN.EXE", {"データ.bin"}, "C:\\ovx\\OVXMAIN.EXE データ.bin"},
  };
  for (const auto& c : cases) EXPECT_EQ(EditorCommandLine(std::string(c.editor), c.args), c.expected);
}

TEST(Launcher, ArgumentsRoundTripThroughTheEditorCommandLine) {
  // What the launcher builds, the editor splits back into the same arguments.
  Args args = {"a.bin", "C:\\my data\\b c.bin", "-o", "表 示.bin"};
  std::string line = EditorCommandLine(std::string("C:\\P F\\OVXMAIN.EXE"), args);
  EXPECT_EQ(SplitArguments(line), args);
}

TEST(Launcher, SplitsItsOwnCommandLine) {
  EXPECT_EQ(SplitArguments(std::string("\"C:\\P F\\ovx.exe\"")), Args{});
  EXPECT_EQ(SplitArguments(std::string("ovx.exe \"a b.bin\" c.bin")), (Args{"a b.bin", "c.bin"}));
  EXPECT_EQ(SplitArguments(std::string("ovx.exe \"C:\\dir\\\\\" x\\\"y")), (Args{"C:\\dir\\", "x\"y"}));
  EXPECT_EQ(SplitArguments(std::wstring(L"ovx.exe  L\"a b\"")), std::vector<std::wstring>{L"La b"});
  EXPECT_TRUE(IsOption(std::string("/a")));
  EXPECT_FALSE(IsOption(std::string("a/")));
}

TEST(Launcher, EditorLiesInTheLaunchersFolder) {
  EXPECT_EQ(EditorPathBeside(std::string("C:\\Program Files\\Orvanta\\ovx.exe")),
            "C:\\Program Files\\Orvanta\\OVXMAIN.EXE");
  EXPECT_EQ(EditorPathBeside(std::string("ovx.exe")), "OVXMAIN.EXE");
}

}  // namespace
}  // namespace ovx::launcher
