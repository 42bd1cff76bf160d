// Loading template files: line breaks, header lines, Shift-JIS tokens in messages.
#include <gtest/gtest.h>

#include "filer/FilerDefine.h"
#include "tests/unit/filer/FilerTestSupport.h"
#include "tests/unit/filer/MemoryFileSystem.h"

namespace ovx::test {
namespace {

// "テスト" in Shift-JIS: the trail bytes 0x65 and 0x58 look like the letters 'e' and 'X'.
const std::string kTestSJis = "\x83\x65\x83\x58\x83\x67";
const std::string kTestUtf8 = "テスト";

TEST(FilerText, EveryLineBreakBecomesCrLfAndOneIsAppended) {
  const struct {
    std::string in, out;
  } cases[] = {
      {"", "\r\n"},
      {"a\nb", "a\r\nb\r\n"},
      {"a\rb\r", "a\r\nb\r\n\r\n"},
      {"a\r\nb", "a\r\nb\r\n"},
      {"\n\r\r\n\r", "\r\n\r\n\r\n\r\n\r\n"},
      {std::string("\0\x81\n", 3), std::string("\0\x81\r\n\r\n", 6)},
  };
  for (const auto& c : cases) EXPECT_EQ(NormalizeFilerText(c.in), c.out) << c.in;
}

TEST(FilerText, UpperCaseLeavesShiftJisCharactersAlone) {
  EXPECT_EQ(SJisUpperCase("abc" + kTestSJis + "xyz"), "ABC" + kTestSJis + "XYZ");
}

struct TDefineCase {
  const char* name;
  std::string text;
  std::string title, author;
};

const TDefineCase kDefineCases[] = {
    {"Both", "#DEFINE TITLE  My Title  \n#define author Me\nLABEL(x)", "My Title", "Me"},
    {"LastWins", "#DEFINE TITLE one\n#DEFINE TITLE two\n#Define Author a\n#DEFINE AUTHOR b", "two", "b"},
    {"MixedCaseItem", "#DeFiNe TiTlE t", "t", ""},
    {"ExtraBlanksAroundItem", "#DEFINE   TITLE  \tx y ", "x y", ""},
    {"LeadingBlankNotAHeader", " #DEFINE TITLE x", "", ""},
    {"TabAfterDefineNotAHeader", "#DEFINE\tTITLE x", "", ""},
    {"LongerKeywordNotAHeader", "#DEFINES TITLE x", "", ""},
    {"ItemWithoutValueIgnored", "#DEFINE TITLE first\n#DEFINE TITLE\n#DEFINE TITLE   ", "first", ""},
    {"TabBetweenItemAndValueIgnored", "#DEFINE TITLE\tx", "", ""},
    {"OtherItemsIgnored", "#DEFINE VERSION 2\n#DEFINE TITLES x", "", ""},
    {"CrOnlyLineBreaks", "#DEFINE TITLE a\r#DEFINE AUTHOR b\r", "a", "b"},
    {"ShiftJisValue", "#DEFINE TITLE " + kTestSJis + "\n#DEFINE AUTHOR x" + kTestSJis, kTestUtf8, "x" + kTestUtf8},
    {"InsideBlockCommentStillRead", "{\n#DEFINE TITLE c\n}", "c", ""},
};

class FilerDefine : public testing::TestWithParam<TDefineCase> {};

TEST_P(FilerDefine, ReadsTitleAndAuthor) {
  const TDefineCase& c = GetParam();
  TMemoryFileSystem fs;
  fs.files["t.ovxf"] = c.text;
  TFilerDefine define{"stale", "stale"};
  ASSERT_TRUE(ReadFilerDefine("t.ovxf", define, fs));
  EXPECT_EQ(define.Title, c.title);
  EXPECT_EQ(define.Author, c.author);
}

INSTANTIATE_TEST_SUITE_P(Golden, FilerDefine, testing::ValuesIn(kDefineCases),
                         [](const testing::TestParamInfo<TDefineCase>& info) { return std::string(info.param.name); });

TEST(FilerDefineFile, MissingFileGivesFalse) {
  TMemoryFileSystem fs;
  TFilerDefine define{"stale", "stale"};
  EXPECT_FALSE(ReadFilerDefine("none.ovxf", define, fs));
  EXPECT_EQ(define.Title, "");
}

TEST(FilerAnalyzeFile, ParsesTheFileWithItsHeaderAsComments) {
  TMemoryFileSystem fs;
  fs.files["a.ovxf"] = "#DEFINE TITLE t\rLABEL(\"" + kTestSJis + "\")\rINITIALIZE CLEAR(0,1,0)\rFINALIZE\rCLEAR(1,1,1)";
  TFilerCommandList initialize, edit, finalize;
  TAnalyzeError error;
  AnalyzeFiler("a.ovxf", initialize, edit, error, finalize, fs);
  EXPECT_FALSE(error.Error);
  EXPECT_EQ(edit, TFilerCommandList{"LABEL\t" + kTestSJis});
  EXPECT_EQ(initialize, TFilerCommandList{"CLEAR\t0\t1\t0"});
  EXPECT_EQ(finalize, TFilerCommandList{"CLEAR\t1\t1\t1"});
}

TEST(FilerAnalyzeFile, LineNumbersCountLoneCrBreaks) {
  TMemoryFileSystem fs;
  fs.files["a.ovxf"] = "ENABLE\r\rBOGUS";
  TFilerCommandList initialize, edit, finalize;
  TAnalyzeError error;
  AnalyzeFiler("a.ovxf", initialize, edit, error, finalize, fs);
  EXPECT_TRUE(error.Error);
  EXPECT_EQ(error.Line, 3);
}

TEST(FilerAnalyzeFile, UnreadableFileIsAnError) {
  TMemoryFileSystem fs;
  TFilerCommandList initialize{"x"}, edit{"x"}, finalize{"x"};
  TAnalyzeError error;
  AnalyzeFiler("missing.ovxf", initialize, edit, error, finalize, fs);
  EXPECT_TRUE(error.Error);
  EXPECT_EQ(error.Line, 0);
  EXPECT_EQ(error.Message, "ファイラーを読み込めませんでした.");
  EXPECT_TRUE(initialize.empty() && edit.empty() && finalize.empty());
}

// Tokens quoted into messages are Shift-JIS text and come out as UTF-8.
TEST(FilerMessages, ShiftJisTokensAreConverted) {
  const struct {
    std::string text, message;
  } cases[] = {
      {kTestSJis, "コマンド名が不明です. \"" + kTestUtf8 + "\""},
      {"ab" + kTestSJis, "コマンド名が不明です. \"AB" + kTestUtf8 + "\""},
      {"\"(" + kTestSJis + "\"", "不正な位置にある (" + kTestUtf8 + " です."},
      {"INCLUDECOMMON(" + kTestSJis + ")", "未定義の共通ブロックです. \"" + kTestUtf8 + "\""},
      {"COMMON(x" + kTestSJis + ") COMMON(X" + kTestSJis + ")", "共通ブロックの多重定義です. \"X" + kTestUtf8 + "\""},
      {"EDITSELECT(a,0,1,\"" + kTestSJis + "\")", "選択肢の指定方法が不正です. \"" + kTestUtf8 + "\""},
      {"SEGMENT(" + kTestSJis + ")", "正の整数値を指定して下さい. \"" + kTestUtf8 + "\""},
  };
  for (const auto& c : cases) {
    TParsed r = Parse(c.text);
    EXPECT_TRUE(r.error.Error);
    EXPECT_EQ(r.error.Message, c.message);
  }
}

TEST(FilerMessages, BlockNamesMatchWithShiftJisTrailBytesIntact) {
  // Upper-casing must not turn the trail byte 'e' of テ into 'E': the name would then
  // match a different character's block.
  const std::string other = "\x83\x45";  // "ウ"; 0x45 is 'E'
  TParsed r = Parse("COMMON(" + kTestSJis + ") LABEL(a) COMMON(" + other + ") LABEL(b) COMMAND INCLUDECOMMON(" + kTestSJis + ")");
  EXPECT_FALSE(r.error.Error) << r.error.Message;
  EXPECT_EQ(r.edit, TFilerCommandList{"LABEL\ta"});
}

}  // namespace
}  // namespace ovx::test
