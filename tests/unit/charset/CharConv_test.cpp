#include "charset/CharConv.h"

#include <gtest/gtest.h>

#include "charset/UnicodeTable.h"

namespace ovx {
namespace {

TEST(CharConvTests, DoubleByteTestsAcceptExactlyTheirRanges) {
  const struct { TCharCode code; bool sjis, jis, euc; } cases[] = {
      {0x8140, true, false, false},  {0x9FFC, true, false, false},  {0xE040, true, false, false},
      {0xEFFC, true, false, true},   {0xF040, false, false, false},  // user-defined area
      {0x817F, false, false, false},  // 0x7F is never a second byte
      {0x813F, false, false, false},  {0x81FD, false, false, false}, {0x8080, false, false, false},
      {0xA0A1, false, false, false},  {0xA1A1, false, false, true},  {0xFEFE, false, false, true},
      {0xFFA1, false, false, false},  {0x2121, false, true, false},  {0x7E7E, false, true, false},
      {0x2120, false, false, false},  {0x7F21, false, false, false}, {0x0041, false, false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsSJisChar(c.code), c.sjis) << std::hex << c.code;
    EXPECT_EQ(IsJisChar(c.code), c.jis) << std::hex << c.code;
    EXPECT_EQ(IsEucChar(c.code), c.euc) << std::hex << c.code;
  }
}

TEST(CharConvTests, UnicodeCharIsOneWithAMapping) {
  EXPECT_TRUE(IsUnicodeChar(0x0041));
  EXPECT_TRUE(IsUnicodeChar(0x4E00));
  EXPECT_TRUE(IsUnicodeChar(0xFF61));
  EXPECT_FALSE(IsUnicodeChar(0x0000));
  EXPECT_FALSE(IsUnicodeChar(0x4E02));  // page present, no JIS X 0208 character
  EXPECT_FALSE(IsUnicodeChar(0xAC00));  // page absent
}

TEST(SJisJis, NamedCornersConvertBothWays) {
  const struct { TCharCode sjis, jis; } cases[] = {
      {0x8140, 0x2121}, {0x9FFC, 0x5E7E}, {0xE040, 0x5F21}, {0xEFFC, 0x7E7E},
      {0x829F, 0x2421}, {0x817E, 0x215F}, {0x8180, 0x2160}, {0x82A0, 0x2422}, {0x88EA, 0x306C},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SJisToJis(c.sjis), c.jis) << std::hex << c.sjis;
    EXPECT_EQ(JisToSJis(c.jis), c.sjis) << std::hex << c.jis;
  }
  EXPECT_EQ(SJisToJis(0x0041), 0x0041);
  EXPECT_EQ(JisToSJis(0x00B1), 0x00B1);
}

TEST(SJisJis, EveryAcceptedCodeRoundTrips) {
  int accepted = 0;
  for (int code = 0x0100; code <= 0xFFFF; ++code) {
    if (!IsSJisChar(static_cast<TCharCode>(code))) continue;
    ++accepted;
    const TCharCode jis = SJisToJis(static_cast<TCharCode>(code));
    ASSERT_TRUE(IsJisChar(jis)) << std::hex << code;
    ASSERT_EQ(JisToSJis(jis), code) << std::hex << code;
  }
  EXPECT_EQ(accepted, 94 * 94);  // one Shift-JIS code per JIS cell
  for (int row = 0x21; row <= 0x7E; ++row)
    for (int cell = 0x21; cell <= 0x7E; ++cell) {
      const TCharCode jis = static_cast<TCharCode>(row << 8 | cell);
      ASSERT_TRUE(IsSJisChar(JisToSJis(jis))) << std::hex << jis;
      ASSERT_EQ(SJisToJis(JisToSJis(jis)), jis) << std::hex << jis;
    }
}

TEST(SJisJis, ArbitraryInputStaysInsideSevenBitBytes) {
  for (int code = 0x0100; code <= 0xFFFF; code += 7) EXPECT_EQ(SJisToJis(static_cast<TCharCode>(code)) & 0x8080, 0);
}

TEST(JisEuc, EveryCellAndKatakanaRoundTrip) {
  for (int row = 0x21; row <= 0x7E; ++row)
    for (int cell = 0x21; cell <= 0x7E; ++cell) {
      const TCharCode jis = static_cast<TCharCode>(row << 8 | cell);
      ASSERT_EQ(JisToEuc(jis), jis + 0x8080);
      ASSERT_EQ(EucToJis(JisToEuc(jis)), jis);
    }
  for (int b = 0xA1; b <= 0xDF; ++b) {
    EXPECT_EQ(JisToEuc(static_cast<TCharCode>(b)), 0x8E00 + b);
    EXPECT_EQ(EucToJis(static_cast<TCharCode>(0x8E00 + b)), b);
  }
  for (TCharCode single : {0x00, 0x41, 0x7F, 0x80, 0xA0, 0xE0, 0xFF}) {
    EXPECT_EQ(JisToEuc(single), single);
    EXPECT_EQ(EucToJis(single), single);
  }
  EXPECT_EQ(SJisToEuc(0x82A0), 0xA4A2);
  EXPECT_EQ(EucToSJis(0xA4A2), 0x82A0);
  EXPECT_EQ(EucToSJis(0x8EB1), 0x00B1);
  EXPECT_EQ(SJisToEuc(0x00B1), 0x8EB1);
}

TEST(JisUnicode, SingleBytesFollowJisX0201) {
  const struct { TCharCode jis, unicode; } cases[] = {
      {0x00, 0x0000}, {0x41, 0x0041}, {0x5C, 0x00A5}, {0x7E, 0x203E}, {0x7F, 0x007F}, {0x80, 0},
      {0xA0, 0},      {0xA1, 0xFF61}, {0xDF, 0xFF9F}, {0xE0, 0},      {0xFF, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(JisToUnicode(c.jis), c.unicode) << std::hex << c.jis;
}

TEST(JisUnicode, InvalidDoubleByteCodesAndEmptyCellsGiveZero) {
  for (TCharCode code : {0x2120, 0x217F, 0x7F21, 0x2080, 0xA1A1, 0x2921, 0x7427}) EXPECT_EQ(JisToUnicode(code), 0) << code;
}

TEST(JisUnicode, EveryCharacterRoundTrips) {
  int characters = 0;
  for (int row = 0x21; row <= 0x7E; ++row)
    for (int cell = 0x21; cell <= 0x7E; ++cell) {
      const TCharCode jis = static_cast<TCharCode>(row << 8 | cell);
      const TCharCode unicode = JisToUnicode(jis);
      if (unicode == 0) continue;
      ++characters;
      ASSERT_EQ(UnicodeToJis(unicode), jis) << std::hex << jis;
    }
  EXPECT_EQ(characters, 6879);
  for (int b = 0x01; b <= 0xDF; ++b)
    if (b < 0x80 || b >= 0xA1) {
      EXPECT_EQ(UnicodeToJis(JisToUnicode(static_cast<TCharCode>(b))), b) << b;
    }
}

TEST(JisUnicode, NamedConversions) {
  EXPECT_EQ(JisToUnicode(0x2140), 0x005C);
  EXPECT_EQ(UnicodeToJis(0x005C), 0x2140);
  EXPECT_EQ(UnicodeToJis(0x00A5), 0x005C);
  EXPECT_EQ(UnicodeToJis(0x0000), 0);
  EXPECT_EQ(UnicodeToJis(0xAC00), 0);
  EXPECT_EQ(UnicodeToSJis(0x0000), 0);
  EXPECT_EQ(UnicodeToSJis(0xAC00), 0);
  EXPECT_EQ(UnicodeToSJis(0x4E00), 0x88EA);
  EXPECT_EQ(UnicodeToSJis(0xFF71), 0x00B1);
  EXPECT_EQ(SJisToUnicode(0x88EA), 0x4E00);
  EXPECT_EQ(SJisToUnicode(0x815F), 0x005C);
  EXPECT_EQ(SJisToUnicode(0x8540), 0);  // row 9 is empty
}

TEST(CharToDisplayCode, AppliesEachCharacterSetsPairRule) {
  const struct { TCharaSet set; TCharCode pair; bool one; TCharCode drawn; } cases[] = {
      {csAscii, 0x82A0, false, 0x82A0},
      {csAscii, 0x4100, false, 0x4100},
      {csSJis, 0x82A0, true, 0x82A0},
      {csSJis, 0x817F, false, 0x817F},
      {csSJis, 0xF040, false, 0xF040},
      {csJis, 0x2422, true, 0x82A0},  // あ
      {csJis, 0x2480, false, 0x2480},
      {csEuc, 0xA4A2, true, 0x82A0},
      {csEuc, 0x8EB1, false, 0x8EB1},  // half-width katakana are drawn byte by byte
      {csUnicode, 0x4100, true, 0x4120},  // 'A' and a space
      {csUnicode, 0x004E, true, 0x88EA},  // U+4E00
      {csUnicode, 0x0000, false, 0x0000},
      {csUnicode, 0xA500, true, 0x5C20},  // YEN SIGN is the JIS X 0201 byte 0x5C
      {csUnicode, 0x5C00, true, 0x815F},  // REVERSE SOLIDUS is the full-width JIS cell
      {csUnicode, 0x71FF, true, 0xB120},  // U+FF71 is half-width ｱ
      {csUnicode, 0x00AC, false, 0x00AC},  // U+AC00 has no mapping
      {static_cast<TCharaSet>(9), 0x82A0, false, 0x82A0},
  };
  for (const auto& c : cases) {
    TCharCode pair = c.pair;
    EXPECT_EQ(CharToDisplayCode(c.set, pair), c.one) << int(c.set) << ' ' << std::hex << c.pair;
    EXPECT_EQ(pair, c.drawn) << int(c.set) << ' ' << std::hex << c.pair;
  }
}

TEST(IsDisplayableByte, ClassBoundaries) {
  const struct { int byte; bool shown; } cases[] = {
      {0x00, false}, {0x1F, false}, {0x20, true},  {0x5C, true},  {0x5F, true},  {0x60, false},
      {0x61, true},  {0x7E, true},  {0x7F, false}, {0x80, false}, {0xA0, false}, {0xA1, true},
      {0xDF, true},  {0xE0, false}, {0xFF, false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsDisplayableByte(static_cast<std::uint8_t>(c.byte)), c.shown) << c.byte;
  int shown = 0;
  for (int b = 0; b < 256; ++b) shown += IsDisplayableByte(static_cast<std::uint8_t>(b));
  EXPECT_EQ(shown, 64 + 30 + 63);
}

}  // namespace
}  // namespace ovx
