// The pages an edit list builds: where each control goes, how wide it is, and which page state
// each field takes.
#include <gtest/gtest.h>

#include "filer/FilerLayout.h"
#include "tests/unit/filer/FilerTestSupport.h"

namespace ovx::test {
namespace {

// Six pixels a byte of text; fixed control heights.
class TFixedMeasure final : public TFilerMeasure {
 public:
  int TextWidth(std::string_view utf8) const override { return 6 * static_cast<int>(utf8.size()); }
  int Height(TFilerControlKind kind) const override {
    switch (kind) {
      case fcInteger: case fcString: return 22;
      case fcSelect: return 20;
      case fcBit: return 16;
      default: return 12;
    }
  }
};

TFilerLayout Layout(const std::string& text) {
  TParsed parsed = Parse(text);
  EXPECT_FALSE(parsed.error.Error) << parsed.error.Message;
  return LayoutFilerPages(parsed.edit, TFixedMeasure());
}

struct TPlaced {
  TFilerControlKind kind;
  TFilerRect rect;
  friend bool operator==(const TPlaced&, const TPlaced&) = default;
  friend void PrintTo(const TPlaced& p, std::ostream* os) {
    *os << "{kind " << int(p.kind) << ", " << p.rect.left << "," << p.rect.top << " " << p.rect.width << "x"
        << p.rect.height << "}";
  }
};

struct TLayoutCase {
  const char* name;
  std::string text;
  std::string title;               // of the first page
  std::vector<TPlaced> controls;   // of the first page
  int width, height;               // of the first page
};
void PrintTo(const TLayoutCase& c, std::ostream* os) { *os << c.name; }

const TLayoutCase kLayoutCases[] = {
    {"RowsBelowEachOtherWithAutomaticPlaces", "EDITINTEGER(ab,0,1,0,0) EDITINTEGER(abcd,1,1,0,0)", "(no title)",
     {{fcFieldLabel, {24, 12, 12, 12}}, {fcInteger, {40, 8, 64, 22}}, {fcJump, {104, 8, 20, 20}},
      {fcFieldLabel, {24, 38, 24, 12}}, {fcInteger, {52, 34, 64, 22}}, {fcJump, {116, 34, 20, 20}}},
     144, 64},
    // The page that the first control opens resets indentation and margin set before it.
    {"IndentBeforeTheUntitledPageIsLost", "INDENT(40) MARGIN(100) LABEL(x) EDITSTRING(s,0,4,32)", "(no title)",
     {{fcLabel, {8, 8, 6, 12}}, {fcFieldLabel, {24, 28, 6, 12}}, {fcString, {34, 24, 200, 22}},
      {fcJump, {234, 24, 20, 20}}},
     262, 54},
    {"IndentMarginBitAndRuleOnANamedPage",
     "PAGE(p) INDENT(40) MARGIN(100) LABEL(x) EDITSELECT(s,0,1,\"1=>a\",\"2=>abcdefghijk\") EDITBIT(bb,0,3) "
     "HORIZONTALRULE LABEL(\"" + std::string(60, 'x') + "\")",
     "p",
     {{fcLabel, {48, 8, 6, 12}}, {fcFieldLabel, {48, 28, 6, 12}}, {fcSelect, {148, 24, 98, 20}},
      {fcJump, {246, 24, 20, 20}}, {fcBit, {48, 50, 32, 16}}, {fcJump, {80, 50, 20, 20}},
      // the rule follows the page as a later control widens it
      {fcRule, {4, 74, 408, 3}}, {fcLabel, {48, 81, 360, 12}}},
     416, 101},
    {"SelectAtLeast64Wide", "EDITSELECT(s,0,1,\"0=>a\")", "(no title)",
     {{fcFieldLabel, {24, 12, 6, 12}}, {fcSelect, {34, 8, 64, 20}}, {fcJump, {98, 8, 20, 20}}}, 126, 36},
    // A four-byte value may take eleven characters ("-2147483648"), beside the spin button.
    {"FourByteIntegerHoldsItsLongestValue", "EDITINTEGER(ab,0,4,0,0) EDITINTEGER(cd,1,2,0,0)", "(no title)",
     {{fcFieldLabel, {24, 12, 12, 12}}, {fcInteger, {40, 8, 98, 22}}, {fcJump, {138, 8, 20, 20}},
      {fcFieldLabel, {24, 38, 12, 12}}, {fcInteger, {40, 34, 68, 22}}, {fcJump, {108, 34, 20, 20}}},
     166, 64},
    {"MessageArea", "PAGE(m) INDENT(0) MESSAGE(100,50,l1,l2)", "m", {{fcMessage, {8, 8, 100, 50}}}, 116, 66},
};

class FilerLayoutPlaces : public ::testing::TestWithParam<TLayoutCase> {};

TEST_P(FilerLayoutPlaces, ControlsAndPageSize) {
  const TLayoutCase& c = GetParam();
  TFilerLayout layout = Layout(c.text);
  ASSERT_FALSE(layout.pages.empty());
  const TFilerPage& page = layout.pages[0];
  EXPECT_EQ(page.title, c.title);
  std::vector<TPlaced> placed;
  for (const TFilerControl& control : page.controls) placed.push_back({control.kind, control.rect});
  EXPECT_EQ(placed, c.controls);
  EXPECT_EQ(page.width, c.width);
  EXPECT_EQ(page.height, c.height);
}

INSTANTIATE_TEST_SUITE_P(Cases, FilerLayoutPlaces, ::testing::ValuesIn(kLayoutCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct TFieldCase {
  const char* name;
  std::string text;
  std::vector<std::string> pages;
  std::vector<std::int32_t> addresses;
  std::vector<bool> editable;
  std::vector<bool> bigEndian;
  std::vector<std::string> hints;  // of the editors, in order
};
void PrintTo(const TFieldCase& c, std::ostream* os) { *os << c.name; }

const TFieldCase kFieldCases[] = {
    // Base and editable flag set before the untitled page opens are lost; the byte order is not.
    {"PageStartResetsBaseAndEditableButNotByteOrder",
     "BIGENDIAN SEGMENT(0x10) DISABLE EDITINTEGER(a,0xA,2,0,0) PAGE(p2) EDITINTEGER(b,2,2,0,0) "
     "SEGMENT(0xFFFFFFFF) EDITBIT(c,1,7)",
     {"(no title)", "p2"}, {0xA, 2, 0}, {true, true, true}, {true, true, true},
     {"0x0000000A", "0x00000002", "0x00000000 - 7"}},
    {"SegmentAndFlagsWithinAPage",
     "PAGE(p) SEGMENT(0x1000) DISABLE BIGENDIAN EDITINTEGER(a,0xAB,1,0,0) ENABLE LITTLEENDIAN EDITSTRING(b,1,4,0) "
     "PAGE(q) SEGMENT(0xFFFFFF00) EDITSELECT(c,0x10,4,\"1=>x\")",
     {"p", "q"}, {0x10AB, 0x1001, static_cast<std::int32_t>(0xFFFFFF10)}, {false, true, true}, {true, false, false},
     {"0x000010AB", "0x00001001", "0xFFFFFF10"}},
};

class FilerLayoutFields : public ::testing::TestWithParam<TFieldCase> {};

TEST_P(FilerLayoutFields, AddressesFlagsAndHints) {
  const TFieldCase& c = GetParam();
  TFilerLayout layout = Layout(c.text);
  std::vector<std::string> pages, hints;
  for (const TFilerPage& page : layout.pages) {
    pages.push_back(page.title);
    for (const TFilerControl& control : page.controls)
      if (control.kind >= fcInteger && control.kind <= fcBit) hints.push_back(control.hint);
  }
  std::vector<std::int32_t> addresses;
  std::vector<bool> editable, bigEndian;
  for (const TFilerField& field : layout.fields) {
    addresses.push_back(field.address);
    editable.push_back(field.editable);
    bigEndian.push_back(field.bigEndian);
  }
  EXPECT_EQ(pages, c.pages);
  EXPECT_EQ(addresses, c.addresses);
  EXPECT_EQ(editable, c.editable);
  EXPECT_EQ(bigEndian, c.bigEndian);
  EXPECT_EQ(hints, c.hints);
}

INSTANTIATE_TEST_SUITE_P(Cases, FilerLayoutFields, ::testing::ValuesIn(kFieldCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FilerLayoutText, TitleChoicesAndMessageLines) {
  TFilerLayout layout = Layout(
      "TITLE(first) TITLE(\"\x83\x65\x83\x58\x83\x67\") EDITSELECT(s,0,2,\"0x10=>\x82\xa0\",\"2=>b\") MESSAGE(50,50,l1,l2)");
  EXPECT_EQ(layout.title, "テスト");
  ASSERT_EQ(layout.fields.size(), 1u);
  ASSERT_EQ(layout.fields[0].items.size(), 2u);
  EXPECT_EQ(layout.fields[0].items[0].text, "あ");
  EXPECT_EQ(layout.fields[0].items[0].value, 16);
  EXPECT_EQ(layout.pages[0].controls.back().text, "l1\r\nl2");
}

TEST(FilerLayoutText, EmptyEditListHasNoPage) {
  TFilerLayout layout = Layout("INITIALIZE WRITEINTEGER(0,1,0) COMMAND PAGE(x)");
  EXPECT_EQ(layout.pages.size(), 1u);
  EXPECT_TRUE(Layout("TITLE(t) SEGMENT(1) INDENT(*)").pages.empty());
}

}  // namespace
}  // namespace ovx::test
