// HanKanaToZenKana and the string conversions of Shift-JIS text.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "charset/CharConv.h"
#include "charset/StrUty.h"

namespace ovx {
namespace {

const std::u16string kHalfWidth = u"｡｢｣､･ｦｧｨｩｪｫｬｭｮｯｰｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜﾝﾞﾟ";
const std::u16string kFullWidth = u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜";
const std::u16string kVoicedBase = u"ｳｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾊﾋﾌﾍﾎ";
const std::u16string kVoiced = u"ヴガギグゲゴザジズゼゾダヂヅデドバビブベボ";
const std::u16string kSemiVoicedBase = u"ﾊﾋﾌﾍﾎ";
const std::u16string kSemiVoiced = u"パピプペポ";

std::string Bytes(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s.push_back(static_cast<char>(b));
  return s;
}

// What a half-width katakana followed by mark becomes, from the tables above.
std::u16string ExpectedKana(char16_t kana, char16_t mark, bool& combined) {
  const std::u16string* base = mark == u'ﾞ' ? &kVoicedBase : mark == u'ﾟ' ? &kSemiVoicedBase : nullptr;
  const std::u16string* forms = mark == u'ﾞ' ? &kVoiced : &kSemiVoiced;
  const std::size_t at = base ? base->find(kana) : std::u16string::npos;
  combined = at != std::u16string::npos;
  return std::u16string(1, combined ? (*forms)[at] : kFullWidth[kHalfWidth.find(kana)]);
}

TEST(HanKanaToZenKana, EveryKatakanaWithEveryFollower) {
  ASSERT_EQ(kHalfWidth.size(), 63u);
  ASSERT_EQ(kFullWidth.size(), 63u);
  for (int b = 0xA1; b <= 0xDF; ++b) {
    const char16_t kana = kHalfWidth[b - 0xA1];
    for (int follower : {-1, 0xDE, 0xDF, 0x41, 0xB1}) {
      std::string text = Bytes({0x41, b});
      if (follower >= 0) text.push_back(static_cast<char>(follower));
      const char16_t mark = follower == 0xDE ? u'ﾞ' : follower == 0xDF ? u'ﾟ' : 0;
      bool combined = false;
      const std::u16string expected = ExpectedKana(kana, mark, combined);
      int position = 2;
      const std::string full = HanKanaToZenKana(text, position);
      ASSERT_EQ(full.size(), 2u);
      EXPECT_EQ(SJisToUtf16(full), expected) << std::hex << b << ' ' << follower;
      EXPECT_EQ(position, combined ? 3 : 2) << std::hex << b << ' ' << follower;
    }
  }
}

TEST(HanKanaToZenKana, NonKatakanaOrOutsideTheTextGivesNothing) {
  const std::string text = Bytes({0x41, 0x82, 0xA0, 0xB1});
  for (int start : {-1, 0, 1, 2, 3, 5, 99}) {
    int position = start;
    EXPECT_EQ(HanKanaToZenKana(text, position), "") << start;
    EXPECT_EQ(position, start);
  }
  int position = 4;
  EXPECT_EQ(HanKanaToZenKana(text, position), "\x83\x41");  // ア, the last byte of the text
  EXPECT_EQ(position, 4);
}

const std::string kToKanji = "\x1B$B";
const std::string kToRoman = "\x1B(J";

TEST(SJisStrToJis, EscapesAtEveryTransition) {
  const struct { std::string sjis, jis; } cases[] = {
      {"", ""},
      {"AB\\~", "AB\\~"},
      {"\x82\xA0", kToKanji + "$\"" + kToRoman},                            // starts and ends in kanji
      {"A\x82\xA0" "B", "A" + kToKanji + "$\"" + kToRoman + "B"},           // ASCII, kanji, ASCII
      {"\x82\xA0\xB1", kToKanji + "$\"%\"" + kToRoman},                     // kanji then katakana: one mode
      {"\xB1\x82\xA0", kToKanji + "%\"$\"" + kToRoman},                     // katakana then kanji
      {"x\xB1", "x" + kToKanji + "%\"" + kToRoman},                         // ASCII then katakana
      {"\xB6\xDE" "A", kToKanji + "%," + kToRoman + "A"},                   // ｶﾞA
      {"\xCA\xDF", kToKanji + "%Q" + kToRoman},                             // ﾊﾟ
      {"\x82\xA0\r\n\x82\xA0", kToKanji + "$\"" + kToRoman + "\r\n" + kToKanji + "$\"" + kToRoman},
      {"\x81\x5F", kToKanji + "!@" + kToRoman},
      {"\x9F\xFC\xE0\x40", kToKanji + "^~_!" + kToRoman},
  };
  for (const auto& c : cases) EXPECT_EQ(SJisStrToJis(c.sjis), c.jis) << c.sjis;
}

TEST(SJisStrToJis, BrokenAndUnusedBytesAreDropped) {
  const struct { std::string sjis, jis; } cases[] = {
      {"A\x82", "A"},                                              // lone lead byte at the end
      {"\x82\xA0\x82", kToKanji + "$\"" + kToRoman},
      {"\x82\xA0\x82 ", kToKanji + "$\"" + kToRoman + " "},      // invalid second byte stands alone
      {"\x82\x7F\x82\xA0", "\x7F" + kToKanji + "$\"" + kToRoman},  // 0x7F is no second byte
      {Bytes({0x80, 0xA0, 0xF0, 0xFF}), ""},
      {Bytes({0xF0, 0x40}), "@"},
  };
  for (const auto& c : cases) EXPECT_EQ(SJisStrToJis(c.sjis), c.jis) << c.sjis;
}

TEST(SJisStrToEuc, KatakanaStayHalfWidthAndBrokenLeadBytesBecomeSpaces) {
  const struct { std::string sjis, euc; } cases[] = {
      {"", ""},
      {"A\\~\t", "A\\~\t"},
      {"\xB1", "\x8E\xB1"},
      {"\xB6\xDE", "\x8E\xB6\x8E\xDE"},
      {"\x82\xA0\x88\xEA", "\xA4\xA2\xB0\xEC"},
      {"\x81\x5F", "\xA1\xC0"},
      {"a\x82", "a "},
      {"\x82 A", "  A"},
      {Bytes({0x80, 0xA0, 0xF0, 0x40, 0xFF}), "@"},
  };
  for (const auto& c : cases) EXPECT_EQ(SJisStrToEuc(c.sjis), c.euc) << c.sjis;
}

TEST(SJisStrToUnicode, OneLittleEndianUnitPerCharacter) {
  const struct { std::string sjis; std::u16string units; } cases[] = {
      {"", u""},
      {"\x41\x5C", u"A\u00A5"},
      {"~", u"\u203E"},
      {"\xB1\xDE", u"\uFF71\uFF9E"},
      {"\x82\xA0\x81\x5F", u"\u3042\\"},
      {"a\x82", std::u16string(u"a\0", 2)},
      {"\x82 ", std::u16string(u"\0 ", 2)},
      {"\x85\x40", std::u16string(1, u'\0')},  // a valid pair on an empty cell
      {Bytes({0x80, 0xA0, 0xFF}), std::u16string(3, u'\0')},
  };
  for (const auto& c : cases) {
    std::string expected;
    for (char16_t u : c.units) {
      expected.push_back(static_cast<char>(u & 0xFF));
      expected.push_back(static_cast<char>(u >> 8));
    }
    EXPECT_EQ(SJisStrToUnicode(c.sjis), expected) << c.sjis;
  }
}

std::string ReadGolden(const char* name) {
  std::ifstream in(std::string(OVX_SOURCE_DIR) + "/tests/unit/charset/golden/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Golden files written by tools/gen_charset_golden.py with Python's codecs.
TEST(SJisStrConversions, AgreeWithAnIndependentConverter) {
  const std::string sjis = ReadGolden("mixed.sjis");
  ASSERT_GT(sjis.size(), 1000u);
  EXPECT_EQ(SJisStrToEuc(sjis), ReadGolden("mixed.euc"));
  EXPECT_EQ(SJisStrToJis(sjis), ReadGolden("mixed.jis"));
  EXPECT_EQ(SJisStrToUnicode(sjis), ReadGolden("mixed.utf16le"));
}

}  // namespace
}  // namespace ovx
