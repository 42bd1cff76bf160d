#include "charset/StrUty.h"

#include <gtest/gtest.h>

namespace ovx {
namespace {

TEST(RepeatStr, RepeatsOrGivesEmpty) {
  EXPECT_EQ(RepeatStr("ab", 3), "ababab");
  EXPECT_EQ(RepeatStr("-", 1), "-");
  EXPECT_EQ(RepeatStr("ab", 0), "");
  EXPECT_EQ(RepeatStr("ab", -2), "");
  EXPECT_EQ(RepeatStr("", 5), "");
}

TEST(SplitStr, KeepsInnerEmptyPiecesButNoFinalOne) {
  struct Case {
    const char* separator;
    const char* text;
    std::vector<std::string> pieces;
  };
  const Case cases[] = {
      {",", "a,b,c", {"a", "b", "c"}},
      {",", "a,,b", {"a", "", "b"}},
      {",", "a,b,", {"a", "b"}},
      {",", ",a", {"", "a"}},
      {",", ",", {""}},
      {",", ",,", {"", ""}},
      {",", "", {}},
      {",", "abc", {"abc"}},
      {"\r\n", "one\r\ntwo\r\n", {"one", "two"}},
      {"::", "a:b::c", {"a:b", "c"}},
      {"", "abc", {"abc"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> list = {"stale"};
    const int count = SplitStr(c.separator, c.text, list);
    EXPECT_EQ(list, c.pieces) << '"' << c.text << '"';
    EXPECT_EQ(count, static_cast<int>(c.pieces.size())) << '"' << c.text << '"';
  }
}

// Shift-JIS bytes and their text; these hold for code page 932 on every platform.
struct BoundaryCase {
  std::string sjis;
  std::string utf8;
};
const BoundaryCase kBoundaryCases[] = {
    {"abc 123", "abc 123"},
    {"\x93\xFA\x96\x7B\x8C\xEA", "日本語"},
    // 0x5C is the backslash, also where it is the second byte of 表 (0x95 0x5C).
    {"C:\\\x95\x5C\\a.txt", "C:\\表\\a.txt"},
    {"\x7E", "~"},
    {"\xB1\xB2\xB3\xDE", "ｱｲｳﾞ"},
    {"\x82\xA0\x83\x41\x81\x5B", "あアー"},
    // The cells code page 932 maps to full-width forms.
    {"\x81\x5F\x81\x60\x81\x61\x81\x7C\x81\x91\x81\x92\x81\xCA", "＼～∥－￠￡￢"},
    {"\x88\xEA\xEA\xA4", "一熙"},
    {"\x81\x40", "\u3000"},
    {std::string("a\0b", 3), std::string("a\0b", 3)},
};

TEST(SJisBoundary, DecodesAndEncodesCodePage932Text) {
  for (const BoundaryCase& c : kBoundaryCases) {
    EXPECT_EQ(SJisToUtf8(c.sjis), c.utf8) << c.utf8;
    EXPECT_EQ(Utf8ToSJis(c.utf8), c.sjis) << c.utf8;
  }
}

TEST(SJisBoundary, Utf16FormsAgreeWithUtf8Forms) {
  EXPECT_EQ(SJisToUtf16("\x93\xFA\x96\x7B"), u"日本");
  EXPECT_EQ(Utf16ToSJis(u"日本"), "\x93\xFA\x96\x7B");
  EXPECT_EQ(SJisToUtf16(""), u"");
  EXPECT_EQ(Utf16ToSJis(u""), "");
}

TEST(SJisBoundary, CharactersWithoutShiftJisFormBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToSJis("a\u00E9b"), "a?b");      // no best-fit 'e'
  EXPECT_EQ(Utf8ToSJis("\u4E02x"), "?x");        // a CJK ideograph outside JIS X 0208
  EXPECT_EQ(Utf8ToSJis("\uAC00"), "?");          // Hangul
}

TEST(SJisBoundary, LoneLeadByteDecodesToMiddleDot) {
  EXPECT_EQ(SJisToUtf16("a\x82"), u"a\u30FB");
}

#ifndef _WIN32
// The platform's code page gives private-use code points for 0x80, 0xA0 and
// 0xFD-0xFF and its vendor extensions; the core's own tables substitute.
TEST(SJisBoundary, CoreTablesSubstituteEveryNonCharacter) {
  EXPECT_EQ(SJisToUtf16("\x80\xA0\xFD\xFF"), u"\u30FB\u30FB\u30FB\u30FB");
  EXPECT_EQ(SJisToUtf16("\x82\x20"), u"\u30FB ");       // invalid second byte stands alone
  EXPECT_EQ(SJisToUtf16("\xF0\x40"), u"\u30FB");        // user-defined area: one character
  EXPECT_EQ(SJisToUtf16("\x87\x40"), u"\u30FB");        // vendor row 13 is not in the tables
  EXPECT_EQ(SJisToUtf16("\x85\x40"), u"\u30FB");        // empty row 9
  EXPECT_EQ(Utf8ToSJis("\u00A5\u203E"), "??");           // no JIS X 0201 guesses
  EXPECT_EQ(Utf8ToSJis("\u301C\u2016"), "\x81\x60\x81\x61");  // standard forms accepted
}
#endif

TEST(Utf8Utf16, RoundTripsEveryPlane) {
  const std::string text = "A\u00E9\u3042\U0001F600z";
  const std::u16string wide = Utf8ToUtf16(text);
  EXPECT_EQ(wide, u"A\u00E9\u3042\U0001F600z");
  EXPECT_EQ(wide.size(), 6u);  // the emoji takes a surrogate pair
  EXPECT_EQ(Utf16ToUtf8(wide), text);
}

TEST(Utf8Utf16, MalformedInputBecomesReplacementCharacters) {
  struct Case {
    std::string utf8;
    std::u16string utf16;
  };
  const Case cases[] = {
      {"a\x80z", u"a\uFFFDz"},                // stray continuation byte
      {"a\xE3\x81", u"a\uFFFD"},              // truncated at the end
      {"\xE3\x81z", u"\uFFFDz"},              // truncated before ASCII
      {"\xC0\xAF", u"\uFFFD\uFFFD"},          // overlong lead bytes are invalid
      {"\xE0\x80\xAF", u"\uFFFD"},            // overlong three-byte form
      {"\xED\xA0\x80", u"\uFFFD"},            // encoded surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD"},        // beyond U+10FFFF
      {"\xFF", u"\uFFFD"},
  };
  for (const Case& c : cases) EXPECT_EQ(Utf8ToUtf16(c.utf8), c.utf16);
  EXPECT_EQ(Utf16ToUtf8(u"a\xD800z"), "a\uFFFDz");
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, u'\xDC00')), "\uFFFD");
}

}  // namespace
}  // namespace ovx
