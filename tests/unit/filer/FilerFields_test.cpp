// A field read from the document and written back: byte order, choices, text, bits, bounds and range.
#include <gtest/gtest.h>

#include <functional>

#include "filer/FilerFields.h"
#include "filer/FilerLayout.h"
#include "tests/unit/filer/FilerTestSupport.h"

namespace ovx::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

class TNoMeasure final : public TFilerMeasure {
 public:
  int TextWidth(std::string_view) const override { return 0; }
  int Height(TFilerControlKind) const override { return 20; }
};

TFilerField OnlyField(const std::string& text) {
  TParsed parsed = Parse(text);
  EXPECT_FALSE(parsed.error.Error) << parsed.error.Message;
  TFilerLayout layout = LayoutFilerPages(parsed.edit, TNoMeasure());
  EXPECT_EQ(layout.fields.size(), 1u);
  return layout.fields.empty() ? TFilerField{} : layout.fields[0];
}

// What a field shows, as a word: the number, "#item", the quoted text or on/off; "read-only"
// when it shows the data but cannot be changed; "out of range" when it and its jump button are off.
std::string Shown(const TFilerField& field, const TFilerFieldValue& value) {
  if (!value.jumpEnabled) return value.enabled ? "enabled out of range" : "out of range";
  std::string shown;
  switch (field.kind) {
    case fcInteger: shown = std::to_string(value.integer); break;
    case fcSelect: shown = "#" + std::to_string(value.selected); break;
    case fcString: shown = "\"" + value.text + "\""; break;
    default: shown = value.checked ? "on" : "off"; break;
  }
  return value.enabled ? shown : shown + " read-only";
}

struct TFieldCase {
  const char* name;
  std::string field;  // one field line
  Bytes document;
  std::string shown;  // after reading
  Bytes written;      // the document after writing back (changed by `change` first, if given)
  std::function<void(TFilerFieldValue&)> change = nullptr;
  bool viewOnly = false;
};
void PrintTo(const TFieldCase& c, std::ostream* os) { *os << c.name; }

const TFieldCase kCases[] = {
    {"WordLittleEndian", "EDITINTEGER(w,0,2,0,0)", {0x34, 0x12}, "4660", {0x34, 0x12}},
    {"WordBigEndian", "BIGENDIAN EDITINTEGER(w,0,2,0,0)", {0x34, 0x12}, "13330", {0x34, 0x12}},
    {"DoubleWordBigEndianWritten", "BIGENDIAN EDITINTEGER(w,1,4,0,0)", {9, 0x12, 0x34, 0x56, 0x78},
     "305419896", {9, 0x12, 0x34, 0x56, 0x79}, [](TFilerFieldValue& v) { v.integer += 1; }},
    {"DoubleWordIsSigned", "EDITINTEGER(w,0,4,0,0)", {0xFF, 0xFF, 0xFF, 0xFF}, "-1", {0xFF, 0xFF, 0xFF, 0xFF}},
    {"AboveMaximumShowsAndWritesMaximum", "EDITINTEGER(w,0,1,0,100)", {200}, "100", {100}},
    {"BelowMinimumShowsMinimum", "EDITINTEGER(w,0,2,0x300,0x400)", {0x10, 0x02}, "768", {0x00, 0x03}},
    {"SelectWithoutMatchKeepsFirstItem", "EDITSELECT(s,0,1,\"1=>a\",\"2=>b\")", {7}, "#0", {1}},
    {"SelectLastMatchWins", "EDITSELECT(s,0,2,\"5=>a\",\"6=>b\",\"5=>c\")", {5, 0}, "#2", {5, 0}},
    {"SelectBigEndianWritesChoice", "BIGENDIAN EDITSELECT(s,0,2,\"0x102=>a\",\"0x304=>b\")", {1, 2},
     "#0", {3, 4}, [](TFilerFieldValue& v) { v.selected = 1; }},
    {"SelectNoneWritesZero", "EDITSELECT(s,0,1,\"1=>a\")", {1}, "#0", {0},
     [](TFilerFieldValue& v) { v.selected = -1; }},
    {"StringZerosTrimmedAndPadded", "EDITSTRING(t,0,8,32)", {'A', 'B', 0, 0, 0, 0, 0, 0}, "\"AB\"",
     {'A', 'B', ' ', ' ', ' ', ' ', ' ', ' '}},
    {"StringShiftJisAndStrayBytes", "EDITSTRING(t,0,6,0)", {0x82, 0xA0, 0x01, 0xB1, 0x41, 0x82},
     "\"あ ｱA\"", {0x82, 0xA0, ' ', 0xB1, 0x41, 0}},
    {"StringWrittenCutToLength", "EDITSTRING(t,0,3,0x2E)", {'x', 'y', 'z'}, "\"xyz\"", {'a', 'b', 'c'},
     [](TFilerFieldValue& v) { v.text = "abcdef"; }},
    {"BitReadAndCleared", "EDITBIT(b,1,3)", {0xFF, 0x0C}, "on", {0xFF, 0x04},
     [](TFilerFieldValue& v) { v.checked = false; }},
    {"BitSetKeepsOtherBits", "EDITBIT(b,0,7)", {0x05}, "off", {0x85},
     [](TFilerFieldValue& v) { v.checked = true; }},
    {"LastByteIsLastOfDocument", "EDITINTEGER(w,2,2,0,0)", {0, 0, 1, 2}, "513", {0, 0, 1, 2}},
    {"OneBytePastEndIsDisabledAndSkipped", "EDITINTEGER(w,3,2,0,0)", {0, 0, 1, 2},
     "out of range", {0, 0, 1, 2}, [](TFilerFieldValue& v) { v.integer = 7; }},
    {"BitPastEnd", "EDITBIT(b,1,0)", {0}, "out of range", {0}},
    {"DisabledFieldStillReads", "PAGE(p) DISABLE EDITINTEGER(w,0,1,0,0)", {9}, "9 read-only", {9}},
    {"ViewOnlyReadsDisabled", "EDITINTEGER(w,0,1,0,0)", {9}, "9 read-only", {9}, nullptr, true},
};

class FilerFieldReadWrite : public ::testing::TestWithParam<TFieldCase> {};

TEST_P(FilerFieldReadWrite, ShowsAndWritesBack) {
  const TFieldCase& c = GetParam();
  const TFilerField field = OnlyField(c.field);
  TVectorTarget target(c.document, c.viewOnly);
  TFilerFieldValue value = InitialFilerFieldValue(field);
  ReadFilerField(field, value, target);
  EXPECT_EQ(Shown(field, value), c.shown);
  if (c.change) c.change(value);
  WriteFilerField(field, value, target);
  EXPECT_EQ(target.data, c.written);
  EXPECT_FALSE(target.outOfRange);
}

INSTANTIATE_TEST_SUITE_P(Cases, FilerFieldReadWrite, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FilerSpinText, NumberWithinBoundsElseMinimum) {
  struct {
    const char* text;
    std::int32_t minimum, maximum, value;
  } cases[] = {
      {"12", 0, 100, 12}, {"", 5, 100, 5}, {"1x", 5, 100, 5}, {"500", 0, 100, 100},
      {"-5", 0, 0, -5},   {"99999999999", 3, 3, 3}, {"-2147483648", 0, 0, INT32_MIN},
  };
  for (const auto& c : cases)
    EXPECT_EQ(SpinValueOfText(c.text, c.minimum, c.maximum), c.value) << c.text;
}

}  // namespace
}  // namespace ovx::test
