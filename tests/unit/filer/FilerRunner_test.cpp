// Running initialisation and end lists against a document.
#include <gtest/gtest.h>

#include <numeric>

#include "filer/FilerRunner.h"
#include "tests/unit/filer/FilerTestSupport.h"

namespace ovx::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

// 0, 1, 2, … n-1
Bytes Sequence(std::size_t n) {
  Bytes b(n);
  std::iota(b.begin(), b.end(), std::uint8_t{0});
  return b;
}

Bytes WithBytes(Bytes base, std::size_t at, Bytes bytes) {
  std::copy(bytes.begin(), bytes.end(), base.begin() + static_cast<std::ptrdiff_t>(at));
  return base;
}

std::string Question(const std::string& message) {
  return "エラーが発生しまたした.\r\n\r\n" + message + "\r\n\r\nこのまま処理を強行しますか？";
}

const std::string kClearRange = "クリアする範囲がファイル終端を越えています.";
const std::string kCopySourceRange = "コピー元データの範囲がファイル終端を越えています.";
const std::string kCopyDestinationRange = "コピー先データの範囲がファイル終端を越えています.";
const std::string kPatternRange = "書き込むビットパターンの範囲がファイル終端を越えています.";
const std::string kIntegerRange = "書き込む整数値の位置がファイル終端を越えています.";
const std::string kBitRange = "書き込むビット値の位置がファイル終端を越えています.";
const std::string kStringRange = "書き込む文字列値の位置がファイル終端を越えています.";
const std::string kCrcRange = "CRC を計算する範囲がファイル終端を越えています.";

struct TRunCase {
  const char* name;
  std::string section;  // the lines of an initialisation section
  Bytes expected;       // the 16-byte document 0..15 afterwards
  std::vector<std::string> messages = {};  // range messages asked, in order (all answered Yes)
};

const Bytes k16 = Sequence(16);

const TRunCase kRunCases[] = {
    {"Clear", "CLEAR(2,3,0xAA)", WithBytes(k16, 2, {0xAA, 0xAA, 0xAA})},
    {"ClearUpToLastByte", "CLEAR(14,2,0)", WithBytes(k16, 14, {0, 0})},
    {"CopyApart", "COPY(0,8,4)", WithBytes(k16, 8, {0, 1, 2, 3})},
    {"CopyOverlappingUpward", "COPY(0,2,6)", WithBytes(k16, 2, {0, 1, 2, 3, 4, 5})},
    {"CopyOverlappingDownward", "COPY(4,2,6)", WithBytes(k16, 2, {4, 5, 6, 7, 8, 9})},
    {"PatternBinExtendedToWholeBytes", "WRITEPATTERNBIN(0,4,101)", WithBytes(k16, 0, {0xB6, 0xDB, 0x6D, 0xB6})},
    {"PatternBinOneByte", "WRITEPATTERNBIN(1,3,\"10000001\")", WithBytes(k16, 1, {0x81, 0x81, 0x81})},
    {"PatternHexOddLength", "WRITEPATTERNHEX(0,3,abc)", WithBytes(k16, 0, {0xAB, 0xCA, 0xBC})},
    {"PatternHexRepeated", "WRITEPATTERNHEX(11,5,\"0fF0\")", WithBytes(k16, 11, {0x0F, 0xF0, 0x0F, 0xF0, 0x0F})},
    {"IntegerLittleEndian", "WRITEINTEGER(0,4,0x12345678) WRITEINTEGER(4,2,0xABCD) WRITEINTEGER(6,1,0x1FF)",
     WithBytes(k16, 0, {0x78, 0x56, 0x34, 0x12, 0xCD, 0xAB, 0xFF})},
    {"IntegerBigEndian", "BIGENDIAN WRITEINTEGER(0,4,0x12345678) WRITEINTEGER(4,2,0xABCD) WRITEINTEGER(6,1,0x1FF)",
     WithBytes(k16, 0, {0x12, 0x34, 0x56, 0x78, 0xAB, 0xCD, 0xFF})},
    {"LittleEndianAgain", "BIGENDIAN LITTLEENDIAN WRITEINTEGER(12,4,1)", WithBytes(k16, 12, {1, 0, 0, 0})},
    {"IntegerAtLastBytes", "WRITEINTEGER(12,4,0xFFFFFFFF)", WithBytes(k16, 12, {0xFF, 0xFF, 0xFF, 0xFF})},
    {"BitSetAndCleared", "WRITEBIT(3,7,1) WRITEBIT(3,0,0) WRITEBIT(15,4,1)", WithBytes(WithBytes(k16, 3, {0x82}), 15, {0x1F})},
    {"StringCut", "WRITESTRING(0,4,\"ABCDEF\",32)", WithBytes(k16, 0, {'A', 'B', 'C', 'D'})},
    {"StringPadded", "WRITESTRING(0,4,\"AB\",32)", WithBytes(k16, 0, {'A', 'B', ' ', ' '})},
    {"EmptyStringAllPad", "WRITESTRING(5,2,\"\",0x2A)", WithBytes(k16, 5, {'*', '*'})},
    {"StringWithTab", "WRITESTRING(0,4,\"A\tB\",0)", WithBytes(k16, 0, {'A', '\t', 'B', 0})},
    {"StringShiftJisBytes", "WRITESTRING(0,3,\"\x83\x5c\x82\xa0\",0)", WithBytes(k16, 0, {0x83, 0x5C, 0x82})},
    {"SegmentAddsToEveryAddress", "SEGMENT(8) WRITEINTEGER(1,1,0x77) CLEAR(6,2,0) SEGMENT(0) WRITEBIT(0,7,1)",
     WithBytes(WithBytes(k16, 0, {0x80}), 9, {0x77, 10, 11, 12, 13, 0, 0})},
    {"NegativeSegmentBackIntoRange", "SEGMENT(0xFFFFFFF0) WRITEINTEGER(0x10,1,5)", WithBytes(k16, 0, {5})},
    {"SegmentWithCopy", "SEGMENT(4) COPY(0,8,2)", WithBytes(k16, 12, {4, 5})},
    {"TitleHasNoEffect", "TITLE(x) SEGMENT(1) TITLE(y) WRITEINTEGER(0,1,0)", WithBytes(k16, 1, {0})},
    // range errors: nothing written by the faulty line, the rest goes on after Yes
    {"ClearPastEnd", "CLEAR(15,2,0) CLEAR(0,1,9)", WithBytes(k16, 0, {9}), {kClearRange}},
    {"ClearNearTwoGigabytes", "CLEAR(0,0x7FFFFFFF,0) CLEAR(1,0x7FFFFFFF,0)", k16, {kClearRange, kClearRange}},
    {"ClearNegativeAddress", "CLEAR(0xFFFFFFFF,1,0)", k16, {kClearRange}},
    {"ClearAddressBeyondEnd", "CLEAR(0x7FFFFFFF,1,0)", k16, {kClearRange}},
    {"CopySourcePastEnd", "COPY(12,0,5)", k16, {kCopySourceRange}},
    {"CopyDestinationPastEnd", "COPY(0,12,5)", k16, {kCopyDestinationRange}},
    {"CopyBothPastEndAsksForSource", "COPY(0x7FFFFFFF,0x7FFFFFFE,0x7FFFFFFF)", k16, {kCopySourceRange}},
    {"CopyNegativeDestination", "COPY(0,0xFFFFFFFE,2)", k16, {kCopyDestinationRange}},
    {"PatternBinPastEnd", "WRITEPATTERNBIN(1,0x7FFFFFFF,1)", k16, {kPatternRange}},
    {"PatternHexPastEnd", "WRITEPATTERNHEX(16,1,ff)", k16, {kPatternRange}},
    {"IntegerPastEnd", "WRITEINTEGER(13,4,0)", k16, {kIntegerRange}},
    {"IntegerSegmentOverflow", "SEGMENT(0x7FFFFFFF) WRITEINTEGER(0x7FFFFFFF,1,1)", k16, {kIntegerRange}},
    {"IntegerNegativeAddress", "WRITEINTEGER(0x80000000,1,1)", k16, {kIntegerRange}},
    {"BitAtEnd", "WRITEBIT(16,0,1)", k16, {kBitRange}},
    {"BitNegativeAddress", "SEGMENT(0xFFFFFFFF) WRITEBIT(0,0,1)", k16, {kBitRange}},
    {"StringPastEnd", "WRITESTRING(14,3,\"abc\",0)", k16, {kStringRange}},
    // the checksum of PNG chunks and ZIP entries, in the byte order of the moment
    {"Crc32LittleEndian", "WRITECRC32(0,4,12)", WithBytes(k16, 12, {0x13, 0x86, 0xB9, 0x8B})},
    {"Crc32BigEndianOverItsOwnPlace", "BIGENDIAN WRITECRC32(0,16,0)", WithBytes(k16, 0, {0xCE, 0xCE, 0xE2, 0x88})},
    {"Crc32InSegment", "SEGMENT(2) WRITECRC32(0,7,10)", WithBytes(k16, 12, {0x4C, 0x88, 0x2E, 0x0B})},
    {"Crc32SourcePastEnd", "WRITECRC32(1,16,0)", k16, {kCrcRange}},
    {"Crc32DestinationPastEnd", "WRITECRC32(0,4,13)", k16, {kIntegerRange}},
};

class FilerRun : public testing::TestWithParam<TRunCase> {};

TEST_P(FilerRun, WritesAndAsks) {
  const TRunCase& c = GetParam();
  TParsed r = Parse("INITIALIZE\n" + c.section);
  ASSERT_FALSE(r.error.Error) << r.error.Message;
  TVectorTarget target(k16);
  TScriptedPrompt prompt(std::deque<TModalResult>(c.messages.size(), mrYes));
  RunFilerSection(r.initialize, target, prompt);
  EXPECT_EQ(target.data, c.expected);
  EXPECT_FALSE(target.outOfRange);
  std::vector<std::string> expectedTexts;
  for (const std::string& m : c.messages) expectedTexts.push_back(Question(m));
  EXPECT_EQ(prompt.Texts(), expectedTexts);
  for (std::size_t i = 0; i < prompt.shown.size(); ++i) {
    EXPECT_EQ(prompt.shown[i].kind, mtWarning);
    EXPECT_EQ(prompt.shown[i].buttons, unsigned{mbYes | mbNo});
  }
}

INSTANTIATE_TEST_SUITE_P(Golden, FilerRun, testing::ValuesIn(kRunCases),
                         [](const testing::TestParamInfo<TRunCase>& info) { return std::string(info.param.name); });

TEST(FilerRunSection, NoStopsTheListAndKeepsWhatWasWritten) {
  TParsed r = Parse("FINALIZE WRITEINTEGER(0,1,0xEE) CLEAR(15,2,0) WRITEINTEGER(1,1,0xEE) WRITEBIT(99,0,1)");
  ASSERT_FALSE(r.error.Error);
  TVectorTarget target(k16);
  TScriptedPrompt prompt({mrNo});
  RunFilerSection(r.finalize, target, prompt);
  EXPECT_EQ(target.data, WithBytes(k16, 0, {0xEE}));
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{Question(kClearRange)});
}

TEST(FilerRunSection, ClosingTheQuestionOtherwiseStopsToo) {
  TParsed r = Parse("INITIALIZE WRITEBIT(16,0,1) WRITEINTEGER(0,1,0xEE)");
  TVectorTarget target(k16);
  TScriptedPrompt prompt({mrNone});
  RunFilerSection(r.initialize, target, prompt);
  EXPECT_EQ(target.data, k16);
  EXPECT_EQ(prompt.shown.size(), 1u);
}

TEST(FilerRunSection, YesGoesOnAfterEachError) {
  TParsed r = Parse("INITIALIZE WRITEBIT(16,0,1) WRITEINTEGER(0,1,1) COPY(0,15,2) WRITEINTEGER(1,1,2)");
  TVectorTarget target(k16);
  TScriptedPrompt prompt({mrYes, mrYes});
  RunFilerSection(r.initialize, target, prompt);
  EXPECT_EQ(target.data, WithBytes(k16, 0, {1, 2}));
  EXPECT_EQ(prompt.Texts(), (std::vector<std::string>{Question(kBitRange), Question(kCopyDestinationRange)}));
}

TEST(FilerRunSection, EachRunStartsAtBaseZeroLittleEndian) {
  TParsed r = Parse("INITIALIZE WRITEINTEGER(0,2,0x0102) SEGMENT(4) BIGENDIAN WRITEINTEGER(0,2,0x0102)");
  TVectorTarget target(Bytes(8, 0));
  TScriptedPrompt prompt;
  RunFilerSection(r.initialize, target, prompt);
  RunFilerSection(r.initialize, target, prompt);
  EXPECT_EQ(target.data, (Bytes{2, 1, 0, 0, 1, 2, 0, 0}));
  EXPECT_EQ(target.patches.size(), 2u) << "the second run finds its bytes in place and writes nothing";
}

TEST(FilerRunSection, ViewOnlyWritesNothingButStillAsks) {
  TParsed r = Parse(
      "INITIALIZE CLEAR(0,4,1) COPY(0,4,4) WRITEPATTERNBIN(0,2,1) WRITEPATTERNHEX(0,2,1) WRITEINTEGER(0,4,7) "
      "WRITEBIT(0,0,0) WRITESTRING(0,2,x,0) WRITEBIT(16,0,0)");
  TVectorTarget target(k16, /*viewOnly=*/true);
  TScriptedPrompt prompt({mrYes});
  RunFilerSection(r.initialize, target, prompt);
  EXPECT_TRUE(target.patches.empty());
  EXPECT_EQ(target.data, k16);
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{Question(kBitRange)});
}

TEST(FilerRunSection, EditListLinesHaveNoEffect) {
  TFilerCommandList lines{"LABEL\tx", "EDITINTEGER\tn\t0\t1\t0\t9", "PAGE\tp", "WRITEINTEGER\tbad\t1\t1"};
  TVectorTarget target(k16);
  TScriptedPrompt prompt;
  RunFilerSection(lines, target, prompt);
  EXPECT_TRUE(target.patches.empty());
}

// Fills and copies larger than one piece keep their pattern phase and copy overlapping ranges intact.
TEST(FilerRunSection, LargeFillsAndOverlappingCopies) {
  const std::int64_t piece = 1000;
  const std::size_t size = 2537;  // more than two pieces
  Bytes data(size);
  for (std::size_t i = 0; i < size; ++i) data[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
  Bytes expected = data;
  std::copy(data.begin(), data.end() - 3, expected.begin() + 3);  // COPY(0,3,size-3)
  const std::string n = std::to_string(size - 3);

  TParsed up = Parse("INITIALIZE COPY(0,3," + n + ")");
  TVectorTarget target(data);
  TScriptedPrompt prompt;
  RunFilerSectionInPieces(up.initialize, target, prompt, piece);
  EXPECT_TRUE(target.data == expected);

  TParsed down = Parse("INITIALIZE COPY(3,0," + n + ")");
  RunFilerSectionInPieces(down.initialize, target, prompt, piece);
  Bytes back = expected;
  std::copy(expected.begin() + 3, expected.end(), back.begin());
  EXPECT_TRUE(target.data == back);

  TParsed fill = Parse("INITIALIZE WRITEPATTERNHEX(1," + std::to_string(size - 1) + ",\"010203\")");
  RunFilerSectionInPieces(fill.initialize, target, prompt, piece);
  EXPECT_EQ(target.patches.size(), 9u);  // three pieces per command
  Bytes filled = back;
  for (std::size_t i = 1; i < size; i += 3) std::copy_n("\x01\x02\x03", std::min<std::size_t>(3, size - i), filled.begin() + i);
  EXPECT_TRUE(target.data == filled);
  EXPECT_EQ(target.data[0], back[0]);
  EXPECT_FALSE(target.outOfRange);
  EXPECT_TRUE(prompt.shown.empty());
}

}  // namespace
}  // namespace ovx::test
