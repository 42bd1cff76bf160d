#include "charset/UnicodeTable.h"

#include <gtest/gtest.h>

#include <vector>

namespace ovx {
namespace {

std::uint16_t JisCell(int jis) { return JisToUnicodeTable[((jis >> 8) - 0x21) * kJisRowSize + ((jis & 0xFF) - 0x21)]; }

std::uint16_t Reverse(int unit) {
  const std::uint16_t* page = UnicodeToJisPages[unit >> 8];
  return page ? page[unit & 0xFF] : 0;
}

TEST(UnicodeTable, HoldsExactlyTheJisX0208Repertoire) {
  int characters = 0;
  for (std::uint16_t u : JisToUnicodeTable) characters += u != 0;
  EXPECT_EQ(characters, 6879);
}

TEST(UnicodeTable, NamedCellsFollowThePublishedMapping) {
  const struct { int jis; std::uint16_t unicode; } cells[] = {
      {0x2140, 0x005C}, {0x2141, 0x301C}, {0x2142, 0x2016}, {0x215D, 0x2212},
      {0x2171, 0x00A2}, {0x2172, 0x00A3}, {0x224C, 0x00AC},
      {0x2121, 0x3000}, {0x2422, 0x3042}, {0x306C, 0x4E00}, {0x7426, 0x7199},
  };
  for (const auto& c : cells) EXPECT_EQ(JisCell(c.jis), c.unicode) << std::hex << c.jis;
}

TEST(UnicodeTable, VendorRowsAndCellsAfterTheLastKanjiAreEmpty) {
  for (int row = 0x29; row <= 0x2F; ++row)  // rows 9-15, where vendors put extensions
    for (int cell = 0x21; cell <= 0x7E; ++cell) EXPECT_EQ(JisCell(row << 8 | cell), 0) << std::hex << (row << 8 | cell);
  for (int code = 0x7427; code <= 0x747E; ++code) EXPECT_EQ(JisCell(code), 0) << std::hex << code;
  for (int row = 0x75; row <= 0x7E; ++row)
    for (int cell = 0x21; cell <= 0x7E; ++cell) EXPECT_EQ(JisCell(row << 8 | cell), 0) << std::hex << (row << 8 | cell);
}

TEST(UnicodeTable, ReversePagesAreThoseExpected) {
  std::vector<int> pages;
  for (int hi = 0; hi < 256; ++hi)
    if (UnicodeToJisPages[hi]) pages.push_back(hi);
  std::vector<int> expected = {0x00, 0x03, 0x04, 0x20, 0x21, 0x22, 0x23, 0x25, 0x26, 0x30};
  for (int hi = 0x4E; hi <= 0x9F; ++hi) expected.push_back(hi);
  expected.push_back(0xFF);
  EXPECT_EQ(pages, expected);
  EXPECT_EQ(pages.size(), 93u);
}

TEST(UnicodeTable, ReverseTableInvertsEveryCellAndAddsTheSingleBytes) {
  int mappings = 0;
  for (int unit = 0; unit < 0x10000; ++unit) mappings += Reverse(unit) != 0;
  EXPECT_EQ(mappings, 7070);
  for (int row = 0x21; row <= 0x7E; ++row)
    for (int cell = 0x21; cell <= 0x7E; ++cell) {
      const int jis = row << 8 | cell;
      if (JisCell(jis) != 0) {
        EXPECT_EQ(Reverse(JisCell(jis)), jis) << std::hex << jis;
      }
    }
  for (int b = 0x01; b <= 0x7F; ++b)
    if (b != 0x5C) {
      EXPECT_EQ(Reverse(b), b) << std::hex << b;
    }
  EXPECT_EQ(Reverse(0x005C), 0x2140);
  EXPECT_EQ(Reverse(0x0000), 0);
  EXPECT_EQ(Reverse(0x00A5), 0x5C);
  EXPECT_EQ(Reverse(0x203E), 0x7E);
  for (int b = 0xA1; b <= 0xDF; ++b) EXPECT_EQ(Reverse(0xFF61 + b - 0xA1), b) << std::hex << b;
}

TEST(UnicodeTable, HalfWidthKatakanaGetTheirFullWidthForms) {
  const struct { int byte; std::uint16_t sjis; } named[] = {
      {0xA1, 0x8142}, {0xA2, 0x8175}, {0xA3, 0x8176}, {0xA4, 0x8141}, {0xA5, 0x8145}, {0xA6, 0x8392},
      {0xA7, 0x8340}, {0xAF, 0x8362}, {0xB0, 0x815B}, {0xB1, 0x8341}, {0xB3, 0x8345}, {0xB6, 0x834A},
      {0xC2, 0x8363}, {0xCA, 0x836E}, {0xDC, 0x838F}, {0xDD, 0x8393}, {0xDE, 0x814A}, {0xDF, 0x814B},
  };
  for (const auto& k : named) EXPECT_EQ(HanKanaTable[k.byte - 0xA1], k.sjis) << std::hex << k.byte;
  // The small kana ｧ..ｮ and the plain kana ｱ..ｵ are the table's odd and even neighbours.
  for (int i = 0; i < 5; ++i) EXPECT_EQ(HanKanaTable[0xA7 + i - 0xA1] + 1, HanKanaTable[0xB1 + i - 0xA1]);
}

}  // namespace
}  // namespace ovx
