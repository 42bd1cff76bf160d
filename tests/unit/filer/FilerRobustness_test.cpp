// Hostile templates: huge, deeply repetitive, cut off, full of odd bytes.
#include <gtest/gtest.h>

#include <random>

#include "filer/FilerRunner.h"
#include "tests/unit/filer/FilerTestSupport.h"

namespace ovx::test {
namespace {

TEST(FilerRobustness, TenMegabyteTemplate) {
  // Four megabytes of comment, a four-megabyte string and two megabytes of commands.
  std::string text = "{" + std::string(4u << 20, 'c') + "}\nLABEL(\"" + std::string(4u << 20, '\x82') + "\")\n";
  std::size_t lines = 1;
  while (text.size() < (10u << 20)) {
    text += "LABEL(\"row\") EDITINTEGER(\"n\",0x10,4,0,99)\r\n";
    lines += 2;
  }
  TParsed r = Parse(text);
  EXPECT_FALSE(r.error.Error) << r.error.Message;
  ASSERT_EQ(r.edit.size(), lines);
  EXPECT_EQ(r.edit.front().size(), 6u + (4u << 20));
  EXPECT_EQ(r.edit.back(), "EDITINTEGER\tn\t16\t4\t0\t99");
}

TEST(FilerRobustness, TenThousandCommonBlocks) {
  std::string text;
  for (int i = 0; i < 10000; ++i) text += "COMMON(B" + std::to_string(i) + ") LABEL(" + std::to_string(i) + ")\n";
  text += "COMMAND\n";
  for (int i = 9999; i >= 0; --i) text += "INCLUDECOMMON(b" + std::to_string(i) + ")\n";
  TParsed r = Parse(text);
  ASSERT_FALSE(r.error.Error) << r.error.Message;
  ASSERT_EQ(r.edit.size(), 10000u);
  EXPECT_EQ(r.edit.front(), "LABEL\t9999");
  EXPECT_EQ(r.edit.back(), "LABEL\t0");
}

TEST(FilerRobustness, IncludingABlockOverAndOverIsBounded) {
  // A block of about 1 MB included thousands of times would need gigabytes.
  std::string text = "LABEL(first)\nCOMMON(A)\n";
  for (int i = 0; i < 1000; ++i) text += "LABEL(" + std::string(1000, 'x') + ")\n";
  text += "COMMAND\n";
  for (int i = 0; i < 5000; ++i) text += "INCLUDECOMMON(a)\n";
  TParsed r = Parse(text);
  EXPECT_TRUE(r.error.Error);
  EXPECT_EQ(r.error.Message, "共通ブロックの展開結果が大きすぎます. \"a\"");
  // Each line costs its text (1006 bytes) and 32 more: 32 copies fit in 32 MiB, the 33rd does not.
  EXPECT_EQ(r.error.Line, 1 + 1000 + 2 + 33);
  EXPECT_EQ(r.edit.size(), 1u + 32u * 1000u);
}

TEST(FilerRobustness, CutOffAtTheVeryEnd) {
  // Raw text without the appended line break, as a caller might hand it over.
  const struct {
    std::string text;
    bool error;
    std::string message;
  } cases[] = {
      {"LABEL(\"abc", true, "トークンが正常に終了していません."},
      {"\"", true, "トークンが正常に終了していません."},
      {"ENABLE {", true, "コメントが正常に終了していません."},
      {"ENABLE {}", false, ""},
      {"ENABLE #", false, ""},
      {"ENABLE # comment", false, ""},
      {"LABEL(\"x\"", true, "ファイラー末尾が不正です."},
      {"LABEL(x", true, "ファイラー末尾が不正です."},
      {"LABEL", true, "ファイラー末尾が不正です."},
      {"ENABLE", false, ""},
      {std::string("A\0B", 3), true, "トークンに不正な文字が含まれています."},
      // bytes at or below the space are trimmed from both ends of a word, leaving an empty word here
      {std::string(1, '\0'), true, "コマンド名が不明です. \"\""},
  };
  for (const auto& c : cases) {
    TFilerCommandList initialize, edit, finalize;
    TAnalyzeError error;
    AnalyzeFilerText(c.text, initialize, edit, error, finalize);
    EXPECT_EQ(error.Error, c.error) << c.text;
    EXPECT_EQ(error.Message, c.message) << c.text;
    EXPECT_EQ(error.Line, c.error ? 1 : 0) << c.text;
  }
}

// Random bytes, biased towards the characters the tokenizer cares about, must never crash;
// every error names a line inside the text, and every successful parse runs safely.
TEST(FilerRobustness, RandomBytesParseAndRunSafely) {
  std::mt19937 random(12345);
  const std::string alphabet = "(),\"#{} \t\r\n0xX19AaFf=>*\x81\x40\xff\x80\x00";
  const char* words[] = {"CLEAR", "COPY", "WRITEBIT", "WRITEINTEGER", "WRITEPATTERNBIN", "WRITEPATTERNHEX",
                         "WRITESTRING", "SEGMENT", "BIGENDIAN", "INITIALIZE", "FINALIZE", "COMMON", "INCLUDECOMMON",
                         "COMMAND", "EDITSELECT", "MESSAGE", "INDENT", "0x7FFFFFFF", "0xFFFFFFFF", "16"};
  int parsed = 0;
  for (int round = 0; round < 2000; ++round) {
    std::string text;
    const int length = static_cast<int>(random() % 200);
    for (int i = 0; i < length; ++i) {
      if (random() % 4 == 0) {
        text += words[random() % std::size(words)];
      } else {
        text += alphabet[random() % (alphabet.size() + 1)];  // + 1: the NUL at the end
      }
    }
    const std::string normalised = NormalizeFilerText(text);
    TFilerCommandList initialize, edit, finalize;
    TAnalyzeError error;
    AnalyzeFilerText(normalised, initialize, edit, error, finalize);
    if (error.Error) {
      const int lines = static_cast<int>(std::count(normalised.begin(), normalised.end(), '\n'));
      EXPECT_GE(error.Line, 1);
      EXPECT_LE(error.Line, lines + 1);
      EXPECT_FALSE(error.Message.empty());
      continue;
    }
    ++parsed;
    TVectorTarget target(std::vector<std::uint8_t>(32, 0x55));
    TScriptedPrompt prompt(std::deque<TModalResult>(64, mrYes));
    prompt.answerUnscriptedWithNo = true;
    RunFilerSection(initialize, target, prompt);
    RunFilerSection(finalize, target, prompt);
    EXPECT_FALSE(target.outOfRange) << normalised;
    EXPECT_EQ(target.data.size(), 32u);
  }
  EXPECT_GT(parsed, 0);
}

}  // namespace
}  // namespace ovx::test
