#include "charset/InputFrameRules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ovx {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(InputFrameRules, WidthRowsMaximaAndNetValues) {
  struct Case {
    int row;
    TVariableType type;
    std::uint64_t maximum;
    std::uint64_t net;  // of 0x1'2345'6789
  };
  const Case cases[] = {{0, vtUnformat, 0, 0x23456789},
                        {1, vtDoubleWord, 0xFFFFFFFF, 0x23456789},
                        {2, vtWord, 65535, 0x6789},
                        {3, vtByte, 255, 0x89}};
  for (const Case& c : cases) {
    EXPECT_EQ(VariableOfRow(c.row), c.type);
    EXPECT_EQ(RowOfVariable(c.type), c.row);
    EXPECT_EQ(MaximumOf(c.type), c.maximum);
    EXPECT_EQ(NetValue(0x123456789, c.type), c.net);
  }
  // The integer mode turns 無定型 into DoubleWord; the address mode keeps only 無定型.
  EXPECT_EQ(AllowedVariableRow(0, dmInteger), 1);
  EXPECT_EQ(AllowedVariableRow(2, dmInteger), 2);
  EXPECT_EQ(AllowedVariableRow(3, dmUnformat), 0);
}

TEST(InputFrameRules, BytesToStoreAndCapturesFollowTheByteOrder) {
  struct Case {
    std::uint64_t value;
    TVariableType type;
    TByteOrder order;
    Bytes bytes;
  };
  const Case cases[] = {
      {0x12345, vtWord, boLittleEndian, {0x45, 0x23}},
      {0x12345, vtWord, boBigEndian, {0x23, 0x45}},
      {0x12345678, vtDoubleWord, boLittleEndian, {0x78, 0x56, 0x34, 0x12}},
      {0x12345678, vtDoubleWord, boBigEndian, {0x12, 0x34, 0x56, 0x78}},
      {0x1FF, vtByte, boBigEndian, {0xFF}},
      {0xAB12345678, vtUnformat, boBigEndian, {0x78, 0x56, 0x34, 0x12}},  // no order for 無定型
  };
  for (const Case& c : cases) EXPECT_EQ(IntegerBytes(c.value, c.type, c.order), c.bytes) << std::hex << c.value;

  // Under the caret 12 34 56 78 9A: the little-endian value the window supplies.
  const std::uint64_t under = 0x9A78563412;
  EXPECT_EQ(CapturedValue(under, vtWord, boBigEndian), 0x1234u);
  EXPECT_EQ(CapturedValue(under, vtWord, boLittleEndian), 0x3412u);
  EXPECT_EQ(CapturedValue(under, vtDoubleWord, boBigEndian), 0x12345678u);
  EXPECT_EQ(CapturedValue(under, vtByte, boBigEndian), 0x12u);
  EXPECT_EQ(CapturedValue(under, vtUnformat, boBigEndian), under);
}

TEST(InputFrameRules, SpareKeysCycleWidthsAndAddressModes) {
  EXPECT_EQ(NextWidth(vtByte, true), vtWord);
  EXPECT_EQ(NextWidth(vtWord, true), vtDoubleWord);
  EXPECT_EQ(NextWidth(vtDoubleWord, true), vtByte);
  EXPECT_EQ(NextWidth(vtByte, false), vtDoubleWord);
  EXPECT_EQ(NextWidth(vtDoubleWord, false), vtWord);
  EXPECT_EQ(NextWidth(vtWord, false), vtByte);
  EXPECT_EQ(NextWidth(vtUnformat, true), vtUnformat);
  EXPECT_EQ(AddressAfterSign(amAbsolute, '+'), amForward);
  EXPECT_EQ(AddressAfterSign(amForward, '+'), amAbsolute);
  EXPECT_EQ(AddressAfterSign(amForward, '-'), amBackward);
  EXPECT_EQ(AddressAfterSign(amBackward, '-'), amAbsolute);
}

TEST(InputFrameRules, StringBytesConvertNewLinesThenTheCharacterSet) {
  struct Case {
    std::string text;
    TNewLineCode newLine;
    TStringSet set;
    std::string bytes;
  };
  const Case cases[] = {
      {"a\r\nb", nlLf, ssSJis, "a\nb"},
      {"a\r\nb", nlLf, ssUnicode, std::string("a\0\n\0b\0", 6)},
      {"a\r\nb", nlCr, ssSJis, "a\rb"},
      {"a\r\nb", nlCrLf, ssEuc, "a\r\nb"},
      {"\x82\xA0\r\n", nlCr, ssEuc, "\xA4\xA2\r"},                     // あ
      {"\x82\xA0", nlCrLf, ssJis, "\x1B$B$\"\x1B(J"},
      {"", nlLf, ssUnicode, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(StringInputBytes(c.text, c.newLine, c.set), c.bytes) << c.text;
}

TEST(InputFrameRules, DataBlockOfEachPage) {
  TDataPageValues v;
  v.integer = 0x12345;
  v.width = vtWord;
  v.order = boBigEndian;
  v.string = "";
  v.character = 0xB1;
  v.binary = {1, 2, 3};
  struct Case {
    TDataPage page;
    Bytes block;
  };
  const Case cases[] = {{dpInteger, {0x23, 0x45}}, {dpString, {}},   {dpCharacter, {0xB1}},
                        {dpBinary, {1, 2, 3}},     {dpNull, {}}};
  for (const Case& c : cases) EXPECT_EQ(DataBlock(c.page, v), c.block) << int(c.page);
  v.character = -1;  // no row picked
  EXPECT_TRUE(DataBlock(dpCharacter, v).empty());
  v.width = vtUnformat;  // 無定型 gives four bytes like DoubleWord
  EXPECT_EQ(DataBlock(dpInteger, v), (Bytes{0x45, 0x23, 0x01, 0x00}));
}

}  // namespace
}  // namespace ovx
