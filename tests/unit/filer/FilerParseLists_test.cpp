// Template text → the three command lists.
#include <gtest/gtest.h>

#include "tests/unit/filer/FilerTestSupport.h"

namespace ovx::test {
namespace {

struct TListCase {
  const char* name;
  std::string text;
  TFilerCommandList initialize, edit, finalize;
};

const TListCase kListCases[] = {
    {"Empty", "", {}, {}, {}},
    {"OnlyCommentsAndHeaders", "#DEFINE TITLE t\n#DEFINE AUTHOR a\n{ block\ncomment }\n# line", {}, {}, {}},
    {"CommentEndsRightAtTheEnd", "ENABLE {x}", {}, {"ENABLE"}, {}},
    {"EveryEditCommand",
     "TITLE(\"tool\")\nPAGE(\"p1\")\nSEGMENT(0x100)\nbigendian LittleEndian\nDISABLE ENABLE\n"
     "INDENT(*) INDENT(0x10) MARGIN(800) MARGIN(\"*\")\nLABEL(\"text here\")\nHORIZONTALRULE\n"
     "EDITBIT(\"flag\", 4, 7)\nEDITINTEGER(\"n\",0x20,2,0,0xFFFF)\nEDITSTRING(\"s\",0,8,0x20)\n"
     "EDITSELECT(\"sel\",0,1,\"0=>zero\",\"0x10=>sixteen=>x\",\"=>empty\")\n"
     "MESSAGE(50,0x320,\"line 1\",\"line, 2\")",
     {},
     {"TITLE\ttool", "PAGE\tp1", "SEGMENT\t256", "BIGENDIAN", "LITTLEENDIAN", "DISABLE", "ENABLE", "INDENT\t*",
      "INDENT\t16", "MARGIN\t800", "MARGIN\t*", "LABEL\ttext here", "HORIZONTALRULE", "EDITBIT\tflag\t4\t7",
      "EDITINTEGER\tn\t32\t2\t0\t65535", "EDITSTRING\ts\t0\t8\t32",
      "EDITSELECT\tsel\t0\t1\t0=>zero\t16=>sixteen=>x\t0=>empty", "MESSAGE\t50\t800\tline 1\tline, 2"},
     {}},
    {"EveryWriteCommand",
     "INITIALIZE\nSEGMENT(16) BIGENDIAN LITTLEENDIAN TITLE(t)\nCOPY(0x10,0x20,4)\nCLEAR(0,1,255)\n"
     "WRITEBIT(1,7,1)\nWRITEINTEGER(2,4,0xFFFFFFFF)\nWRITEPATTERNBIN(0,4,101)\nWRITEPATTERNHEX(0,3,abc)\n"
     "WRITESTRING(0,4,\"AB CD\",32)\n"
     "FINALIZE\nwriteinteger(0,1,\"\")\nWRITESTRING(0,2,\"\",0)",
     {"SEGMENT\t16", "BIGENDIAN", "LITTLEENDIAN", "TITLE\tt", "COPY\t16\t32\t4", "CLEAR\t0\t1\t255",
      "WRITEBIT\t1\t7\t1", "WRITEINTEGER\t2\t4\t-1", "WRITEPATTERNBIN\t0\t4\t101", "WRITEPATTERNHEX\t0\t3\tabc",
      "WRITESTRING\t0\t4\tAB CD\t32"},
     {},
     {"WRITEINTEGER\t0\t1\t0", "WRITESTRING\t0\t2\t\t0"}},
    {"SectionsSwitchBackAndForth",
     "LABEL(a) INITIALIZE CLEAR(0,1,0) COMMAND LABEL(b) FINALIZE CLEAR(1,1,1) INITIALIZE CLEAR(2,1,2) COMMAND LABEL(c)",
     {"CLEAR\t0\t1\t0", "CLEAR\t2\t1\t2"},
     {"LABEL\ta", "LABEL\tb", "LABEL\tc"},
     {"CLEAR\t1\t1\t1"}},
    {"CommonBlocksCopiedIntoEditList",
     "COMMON(Head)\nLABEL(h) SEGMENT(4) BIGENDIAN\nCOMMON(tail) HORIZONTALRULE\nCOMMAND\n"
     "PAGE(p) INCLUDECOMMON(HEAD) INCLUDECOMMON(Tail) INCLUDECOMMON(head)\n"
     "COMMON(b) LABEL(late) COMMAND INCLUDECOMMON(B)",
     {},
     {"PAGE\tp", "LABEL\th", "SEGMENT\t4", "BIGENDIAN", "HORIZONTALRULE", "LABEL\th", "SEGMENT\t4", "BIGENDIAN",
      "LABEL\tlate"},
     {}},
    {"EmptyIntegersAndHexPrefixOnly", "INITIALIZE CLEAR(\"\", 0x1, 0X) WRITEINTEGER(\"\",1,0x)",
     {"CLEAR\t0\t1\t0", "WRITEINTEGER\t0\t1\t0"}, {}, {}},
    {"LargestIntegers", "SEGMENT(2147483647) SEGMENT(0x7FFFFFFF) SEGMENT(0x80000000) SEGMENT(0x0000000000FF)",
     {},
     {"SEGMENT\t2147483647", "SEGMENT\t2147483647", "SEGMENT\t-2147483648", "SEGMENT\t255"},
     {}},
    {"QuotesAndBracesInsideWords", "LABEL(ab\"c}d) LABEL(\"(,)#{ }\")", {}, {"LABEL\tab\"c}d", "LABEL\t(,)#{ }"}, {}},
    {"LonePunctuationAsParameter", "LABEL(,) LABEL())", {}, {"LABEL\t,", "LABEL\t)"}, {}},
    {"StringTokensAsCommandAndParentheses", "\"enable\" \"label\"\"(\"\"x\"\")\"", {}, {"ENABLE", "LABEL\tx"}, {}},
    {"TabInsideStringWriteKept", "INITIALIZE WRITESTRING(0,3,\"a\tb\",0)", {"WRITESTRING\t0\t3\ta\tb\t0"}, {}, {}},
    {"ControlBytesTrimmedFromWordEnds", std::string("\x01LABEL\x02(\x03x\x04)", 12), {}, {"LABEL\tx"}, {}},
    {"HighBytesInWordsAndStrings", "LABEL(\x82\xa0\x82\xa2) LABEL(\"\x83\x5c\") TITLE(\xff\x80)", {},
     {"LABEL\t\x82\xa0\x82\xa2", "LABEL\t\x83\x5c", "TITLE\t\xff\x80"}, {}},
};

class FilerParseLists : public testing::TestWithParam<TListCase> {};

TEST_P(FilerParseLists, ProducesTheThreeLists) {
  const TListCase& c = GetParam();
  TParsed r = Parse(c.text);
  EXPECT_FALSE(r.error.Error) << r.error.Line << ": " << r.error.Message;
  EXPECT_EQ(r.initialize, c.initialize);
  EXPECT_EQ(r.edit, c.edit);
  EXPECT_EQ(r.finalize, c.finalize);
}

INSTANTIATE_TEST_SUITE_P(Golden, FilerParseLists, testing::ValuesIn(kListCases),
                         [](const testing::TestParamInfo<TListCase>& info) { return std::string(info.param.name); });

TEST(FilerParse, ClearsListsAndErrorFromAnEarlierParse) {
  TFilerCommandList initialize{"old"}, edit{"old"}, finalize{"old"};
  TAnalyzeError error{true, 7, "old"};
  AnalyzeFilerText(NormalizeFilerText("ENABLE"), initialize, edit, error, finalize);
  EXPECT_FALSE(error.Error);
  EXPECT_TRUE(initialize.empty());
  EXPECT_EQ(edit, TFilerCommandList{"ENABLE"});
  EXPECT_TRUE(finalize.empty());
}

}  // namespace
}  // namespace ovx::test
