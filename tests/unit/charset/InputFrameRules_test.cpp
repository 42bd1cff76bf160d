#include "charset/InputFrameRules.h"

#include "charset/StrUty.h"

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
    std::u16string text;
    TNewLineCode newLine;
    TStringSet set;
    std::string bytes;
  };
  const Case cases[] = {
      {u"a\r\nb", nlLf, ssSJis, "a\nb"},
      {u"a\r\nb", nlLf, ssUnicode, std::string("a\0\n\0b\0", 6)},
      {u"a\r\nb", nlCr, ssSJis, "a\rb"},
      {u"a\r\nb", nlCrLf, ssEuc, "a\r\nb"},
      {u"\r\r\n\n", nlLf, ssSJis, "\r\n\n"},
      {u"あ\r\n", nlCr, ssEuc, "\xA4\xA2\r"},
      {u"あ", nlCrLf, ssJis, "\x1B$B$\"\x1B(J"},
      {u"", nlLf, ssUnicode, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(StringInputBytes(c.text, c.newLine, c.set).bytes, c.bytes);
}

// Code page 932 as Windows writes the vendor characters the core's own tables lack.
std::string WindowsSJisForm(std::u16string_view character) {
  static const struct { char16_t unit; const char* sjis; } kVendor[] = {
      {u'﨑', "\xFA\xB1"}, {u'髙', "\xFB\xFC"}, {u'ⅰ', "\xFA\x40"}, {u'①', "\x87\x40"}, {u'\uE000', "\xF0\x40"},
  };
  for (const auto& v : kVendor)
    if (character.size() == 1 && character[0] == v.unit) return v.sjis;
  return PlatformSJisForm(character);
}

TEST(InputFrameRules, TypedCharactersInEachSetOrRefused) {
  const std::string refused = "(refused)";
  struct Case {
    std::u16string typed;
    std::string sjis, jis, euc, unicode;
  };
  const std::string in = "\x1B$B", out = "\x1B(J";
  const Case cases[] = {
      {u"﨑", "\xFA\xB1", in + "\x79\x75" + out, "\xF9\xF5", "\x11\xFA"},  // IBM → NEC-selected 0xED95
      {u"髙", "\xFB\xFC", in + "\x7C\x62" + out, "\xFC\xE2", "\xD9\x9A"},  // → 0xEEE0
      {u"ⅰ", "\xFA\x40", in + "\x7C\x71" + out, "\xFC\xF1", "\x70\x21"},  // → 0xEEEF
      {u"①", "\x87\x40", in + "\x2D\x21" + out, "\xAD\xA1", "\x60\x24"},  // NEC row 13
      {u"～", "\x81\x60", in + "\x21\x41" + out, "\xA1\xC1", "\x5E\xFF"},  // the table has 〜 there
      {u"〜", "\x81\x60", in + "\x21\x41" + out, "\xA1\xC1", "\x1C\x30"},
      {u"ü", refused, refused, refused, std::string("\xFC\x00", 2)},
      {u"€", refused, refused, refused, "\xAC\x20"},
      {u"𠮷", refused, refused, refused, "\x42\xD8\xB7\xDF"},
      {u"\uE000", "\xF0\x40", refused, refused, std::string("\x00\xE0", 2)},  // user-defined area
      {u"\\", "\\", "\\", "\\", std::string("\xA5\x00", 2)},
      {u"~", "~", "~", "~", "\x3E\x20"},
      {u"¥", "\\", "\\", "\\", std::string("\xA5\x00", 2)},
      {u"¬", "\x81\xCA", in + "\x22\x4C" + out, "\xA2\xCC", std::string("\xAC\x00", 2)},
      {u"ｶﾞ", "\xB6\xDE", in + "\x25\x2C" + out, "\x8E\xB6\x8E\xDE", "\x76\xFF\x9E\xFF"},
      {u"aあ", "a\x82\xA0", "a" + in + "\x24\x22" + out, "a\xA4\xA2", std::string("a\x00\x42\x30", 4)},
  };
  const TStringSet sets[] = {ssSJis, ssJis, ssEuc, ssUnicode};
  for (const Case& c : cases) {
    const std::string* expected[] = {&c.sjis, &c.jis, &c.euc, &c.unicode};
    for (int s = 0; s < 4; ++s) {
      const TStringInput got = StringInputBytes(c.typed, nlCrLf, sets[s], WindowsSJisForm);
      if (*expected[s] == refused) {
        EXPECT_EQ(got.unrepresentable, c.typed) << Utf16ToUtf8(c.typed) << " set " << s;
        EXPECT_TRUE(got.bytes.empty());
      } else {
        EXPECT_EQ(got.bytes, *expected[s]) << Utf16ToUtf8(c.typed) << " set " << s;
        EXPECT_TRUE(got.unrepresentable.empty());
      }
    }
  }
}

TEST(InputFrameRules, ARefusedTextWritesNothingAndNamesEachCharacterOnce) {
  const TStringInput got = StringInputBytes(u"aü€ü𠮷b", nlCrLf, ssEuc, WindowsSJisForm);
  EXPECT_TRUE(got.bytes.empty());
  EXPECT_EQ(got.unrepresentable, u"ü€𠮷");
  EXPECT_EQ(UnrepresentableMessage(ssEuc, got.unrepresentable),
            "EUC-jp で表せない文字が含まれています.\r\n「ü」「€」「𠮷」");
  std::u16string many;
  for (char16_t c = u'À'; c < u'À' + 20; ++c) many += c;  // 20 characters code page 932 lacks
  const TStringInput lots = StringInputBytes(many, nlCrLf, ssSJis, WindowsSJisForm);
  const std::string message = UnrepresentableMessage(ssSJis, lots.unrepresentable);
  EXPECT_NE(message.find("「Ï」"), std::string::npos);  // the 16th is named
  EXPECT_EQ(message.find("「Ð」"), std::string::npos);  // the 17th is not
  EXPECT_EQ(message.substr(message.size() - 3), "…");
}

TEST(InputFrameRules, IbmExtensionsBecomeTheirNecEquivalents) {
  const std::pair<std::uint16_t, std::uint16_t> cases[] = {
      {0xFA40, 0xEEEF}, {0xFA49, 0xEEF8}, {0xFA4A, 0x8754}, {0xFA53, 0x875D}, {0xFA54, 0xEEF9},
      {0xFA57, 0xEEFC}, {0xFA58, 0x878A}, {0xFA59, 0x8782}, {0xFA5A, 0x8784}, {0xFA5B, 0x81E6},
      {0xFA5C, 0xED40}, {0xFA7E, 0xED62}, {0xFA80, 0xED63}, {0xFAB1, 0xED95}, {0xFB40, 0xEDE1},
      {0xFBFC, 0xEEE0}, {0xFC4B, 0xEEEC}, {0xFC4C, 0xFC4C}, {0x8140, 0x8140}, {0xFA7F, 0xFA7F},
  };
  for (const auto& [ibm, nec] : cases) EXPECT_EQ(NecEquivalentOfIbm(ibm), nec) << std::hex << ibm;
}

TEST(InputFrameRules, TheLimitKeepsTheWorstTextWithinTheViewsCount) {
  // One- and two-byte characters in turn make JIS switch at every character.
  std::u16string typed;
  for (int i = 0; i < 1000; ++i) typed += u"aあ";
  const std::size_t bytes = StringInputBytes(typed, nlCrLf, ssJis).bytes.size();
  EXPECT_LE(bytes, 5 * typed.size());
  EXPECT_LE(std::int64_t{kStringInputLimit} * 5, std::int64_t{0x7FFFFFFF});
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
