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
  Bytes written;      // the document after writing back; `change`, if given, is the user's edit
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
    // an untouched field leaves its bytes alone, however it shows them
    {"AboveMaximumShowsMaximumKeepsBytes", "EDITINTEGER(w,0,1,0,100)", {200}, "100", {200}},
    {"BelowMinimumShowsMinimumKeepsBytes", "EDITINTEGER(w,0,2,0x300,0x400)", {0x10, 0x02}, "768", {0x10, 0x02}},
    {"SelectWithoutMatchShowsFirstItemKeepsByte", "EDITSELECT(s,0,1,\"1=>a\",\"2=>b\")", {7}, "#0", {7}},
    {"SelectLastMatchWins", "EDITSELECT(s,0,2,\"5=>a\",\"6=>b\",\"5=>c\")", {5, 0}, "#2", {5, 0}},
    {"SelectBigEndianWritesChoice", "BIGENDIAN EDITSELECT(s,0,2,\"0x102=>a\",\"0x304=>b\")", {1, 2},
     "#0", {3, 4}, [](TFilerFieldValue& v) { v.selected = 1; }},
    {"SelectNoneWritesNothing", "EDITSELECT(s,0,1,\"1=>a\")", {1}, "#0", {1},
     [](TFilerFieldValue& v) { v.selected = -1; }},
    {"StringZerosTrimmedKept", "EDITSTRING(t,0,8,32)", {'A', 'B', 0, 0, 0, 0, 0, 0}, "\"AB\"",
     {'A', 'B', 0, 0, 0, 0, 0, 0}},
    {"StringRetypedIsPadded", "EDITSTRING(t,0,8,32)", {'A', 'B', 0, 0, 0, 0, 0, 0}, "\"AB\"",
     {'A', 'B', ' ', ' ', ' ', ' ', ' ', ' '}, [](TFilerFieldValue&) {}},
    {"StringShiftJisAndStrayBytes", "EDITSTRING(t,0,6,0)", {0x82, 0xA0, 0x01, 0xB1, 0x41, 0x82},
     "\"あ ｱA\"", {0x82, 0xA0, 0x01, 0xB1, 0x41, 0x82}},
    {"StringDoubleByteNeverHalfWritten", "EDITSTRING(t,0,3,0x2E)", {'x', 'y', 'z'}, "\"xyz\"", {0x82, 0xA0, 0x2E},
     [](TFilerFieldValue& v) { v.text = "あい"; }},
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
    {"DisabledFieldStillReadsNeverWrites", "PAGE(p) DISABLE EDITINTEGER(w,0,1,0,0)", {9}, "9 read-only", {9},
     [](TFilerFieldValue& v) { v.integer = 1; }},
    {"ViewOnlyReadsDisabled", "EDITINTEGER(w,0,1,0,0)", {9}, "9 read-only", {9},
     [](TFilerFieldValue& v) { v.integer = 1; }, true},
};

class FilerFieldReadWrite : public ::testing::TestWithParam<TFieldCase> {};

TEST_P(FilerFieldReadWrite, ShowsAndWritesBack) {
  const TFieldCase& c = GetParam();
  const TFilerField field = OnlyField(c.field);
  TVectorTarget target(c.document, c.viewOnly);
  TFilerFieldValue value = InitialFilerFieldValue(field);
  ReadFilerField(field, value, target);
  EXPECT_EQ(Shown(field, value), c.shown);
  if (c.change) {
    c.change(value);
    value.changed = true;
  }
  WriteFilerField(field, value, target);
  EXPECT_EQ(target.data, c.written);
  EXPECT_FALSE(target.outOfRange);
}

INSTANTIATE_TEST_SUITE_P(Cases, FilerFieldReadWrite, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// What the user typed into an integer field: the value, or the start of the message that refuses it.
TEST(FilerIntegerText, TakesWhatTheFieldCanShow) {
  struct {
    const char* field;
    const char* text;
    std::string result;
  } cases[] = {
      {"EDITINTEGER(w,0,1,0,0)", "255", "255"},
      {"EDITINTEGER(w,0,1,0,0)", "-128", "-128"},
      {"EDITINTEGER(w,0,1,0,0)", "256", "1 バイトのフィールドには -128 ～ 255 の整数値を入力して下さい. \"256\""},
      {"EDITINTEGER(w,0,2,0,0)", "70000", "2 バイトのフィールドには -32768 ～ 65535 の整数値を入力して下さい. \"70000\""},
      {"EDITINTEGER(w,0,4,0,0)", "-2147483648", "-2147483648"},
      {"EDITINTEGER(w,0,4,0,0)", "3000000000",
       "4 バイトのフィールドには -2147483648 ～ 2147483647 の整数値を入力して下さい. \"3000000000\""},
      {"EDITINTEGER(w,0,4,0,0)", "99999999999999999999", "4 バイトのフィールドには"},
      {"EDITINTEGER(w,0,4,0,0)", "", "整数値を入力して下さい. \"\""},
      {"EDITINTEGER(w,0,4,0,0)", " 12x", "整数値を入力して下さい. \"12x\""},
      {"EDITINTEGER(w,0,1,0,100)", "200", "100"},  // within the width, then kept within bounds
      {"EDITINTEGER(w,0,1,10,100)", "-3", "10"},
  };
  for (const auto& c : cases) {
    std::int32_t value = 12345;
    const std::string message = FilerIntegerOfText(c.text, OnlyField(c.field), value);
    const std::string result = message.empty() ? std::to_string(value) : message;
    EXPECT_EQ(result.substr(0, c.result.size()), c.result) << c.field << " " << c.text;
    if (!message.empty()) EXPECT_EQ(value, 12345) << "a refused text leaves the value";
  }
}

TEST(FilerStringText, RefusesWhatTheBytesCannotHold) {
  const TFilerField field = OnlyField("EDITSTRING(t,0,4,0)");
  EXPECT_EQ(FilerStringProblem("ab", field), "");
  EXPECT_EQ(FilerStringProblem("あい", field), "");
  EXPECT_EQ(FilerStringProblem("あいa", field), "文字列が長すぎます. このフィールドには 4 バイトまで書き込めます.");
  EXPECT_EQ(FilerStringProblem("a€", field), "シフト JIS で表せない文字が含まれています.");
  EXPECT_EQ(FilerStringProblem("?", field), "");
}

}  // namespace
}  // namespace ovx::test
