// Key names, virtual-key codes, shift prefixes and key messages.
#include <gtest/gtest.h>

#include <map>

#include "shell/KeyMap.h"
#include "shell/KeyTable.h"

namespace ovx {
namespace {

struct TExpectedKey {
  const char* name;
  int virtualKey;  // -1: produced by no virtual key through the table
};

// Indexed by key index.
const TExpectedKey ExpectedKeys[] = {
    {"{0}", 0x30}, {"{1}", 0x31}, {"{2}", 0x32}, {"{3}", 0x33}, {"{4}", 0x34}, {"{5}", 0x35},
    {"{6}", 0x36}, {"{7}", 0x37}, {"{8}", 0x38}, {"{9}", 0x39},
    {"{A}", 0x41}, {"{B}", 0x42}, {"{C}", 0x43}, {"{D}", 0x44}, {"{E}", 0x45}, {"{F}", 0x46},
    {"{G}", 0x47}, {"{H}", 0x48}, {"{I}", 0x49}, {"{J}", 0x4A}, {"{K}", 0x4B}, {"{L}", 0x4C},
    {"{M}", 0x4D}, {"{N}", 0x4E}, {"{O}", 0x4F}, {"{P}", 0x50}, {"{Q}", 0x51}, {"{R}", 0x52},
    {"{S}", 0x53}, {"{T}", 0x54}, {"{U}", 0x55}, {"{V}", 0x56}, {"{W}", 0x57}, {"{X}", 0x58},
    {"{Y}", 0x59}, {"{Z}", 0x5A},
    {"{-}", 0xBD}, {"{^}", 0xDE}, {"{\\}", 0xDC}, {"{@}", 0xC0}, {"{[}", 0xDB}, {"{]}", 0xDD},
    {"{;}", 0xBB}, {"{:}", 0xBA}, {"{,}", 0xBC}, {"{/}", 0xBF}, {"{.}", 0xBE},
    {"{F1}", 0x70}, {"{F2}", 0x71}, {"{F3}", 0x72}, {"{F4}", 0x73}, {"{F5}", 0x74},
    {"{F6}", 0x75}, {"{F7}", 0x76}, {"{F8}", 0x77}, {"{F9}", 0x78}, {"{F10}", 0x79},
    {"{F11}", 0x7A}, {"{F12}", 0x7B}, {"{F13}", 0x7C}, {"{F14}", 0x7D}, {"{F15}", 0x7E},
    {"{Enter}", 0x0D}, {"{Esc}", 0x1B}, {"{Tab}", 0x09}, {"{Insert}", 0x2D}, {"{Delete}", 0x2E},
    {"{BackSpace}", 0x08}, {"{PageUp}", 0x21}, {"{PageDown}", 0x22}, {"{Home}", 0x24},
    {"{End}", 0x23}, {"{Up}", 0x26}, {"{Down}", 0x28}, {"{Left}", 0x25}, {"{Right}", 0x27},
    {"{Pause}", -1}, {"{Space}", 0x20},
    {"{0(NumPad)}", 0x60}, {"{1(NumPad)}", 0x61}, {"{2(NumPad)}", 0x62}, {"{3(NumPad)}", 0x63},
    {"{4(NumPad)}", 0x64}, {"{5(NumPad)}", 0x65}, {"{6(NumPad)}", 0x66}, {"{7(NumPad)}", 0x67},
    {"{8(NumPad)}", 0x68}, {"{9(NumPad)}", 0x69},
    {"{*(NumPad)}", 0x6A}, {"{+(NumPad)}", 0x6B}, {"{-(NumPad)}", 0x6D}, {"{.(NumPad)}", 0x6E},
    {"{/(NumPad)}", 0x6F}, {"{Enter(NumPad)}", -1}, {"{=(NumPad)}", 0x92}, {"{,(NumPad)}", 0x6C},
    {"{Application}", 0x5D},
};

TEST(KeyTable, NamesEveryKeyIndex) {
  ASSERT_EQ(std::size(ExpectedKeys), static_cast<std::size_t>(KeyCount));
  for (int key = 0; key < KeyCount; ++key) {
    SCOPED_TRACE(ExpectedKeys[key].name);
    EXPECT_EQ(KeyNameFromIndex(key), ExpectedKeys[key].name);
    EXPECT_EQ(KeyIndexFromName(ExpectedKeys[key].name), key);
    EXPECT_EQ(VirtualKeyFromKeyIndex(key), ExpectedKeys[key].virtualKey);
  }
  for (int key : {-2, NoKey, KeyCount, 1000}) {
    EXPECT_EQ(KeyNameFromIndex(key), "");
    EXPECT_EQ(VirtualKeyFromKeyIndex(key), -1);
  }
}

TEST(KeyTable, VirtualKeyTableGivesNoKeyForEveryUnlistedCode) {
  std::map<int, int> listed;
  for (int key = 0; key < KeyCount; ++key)
    if (ExpectedKeys[key].virtualKey >= 0) listed[ExpectedKeys[key].virtualKey] = key;
  ASSERT_EQ(listed.size(), 95u);
  for (int code = 0; code < 256; ++code) {
    auto found = listed.find(code);
    EXPECT_EQ(KeyIndexFromVirtualKeyTable(code), found == listed.end() ? NoKey : found->second) << code;
  }
  for (int code : {-1, 256, 0x10D}) EXPECT_EQ(KeyIndexFromVirtualKeyTable(code), NoKey) << code;
}

TEST(KeyTable, KeyNamesCompareWithoutLetterCase) {
  struct Case {
    const char* text;
    int key;
  } cases[] = {
      {"{a}", 10},           {"{f12}", 58},          {"{ENTER}", 62},      {"{enter(numpad)}", 93},
      {"{BACKSPACE}", 67},   {"{application}", 96},  {"{pause}", 76},      {"{\\}", 38},
      {"", NoKey},           {"A", NoKey},           {"{A", NoKey},        {"{ A}", NoKey},
      {"{F16}", NoKey},      {"{F0}", NoKey},        {"{Return}", NoKey},  {"{}", NoKey},
      {"Ctrl+{A}", NoKey},   {"{Ａ}", NoKey},
  };
  for (const Case& c : cases) EXPECT_EQ(KeyIndexFromName(c.text), c.key) << '"' << c.text << '"';
}

TEST(KeyTable, ShiftPrefixesInCodeOrder) {
  const char* prefixes[] = {"",     "Shift+",     "Ctrl+",     "Ctrl+Shift+",     "Alt+",
                            "Alt+Shift+", "Alt+Ctrl+", "Alt+Ctrl+Shift+", "Over+"};
  for (int code = 0; code <= 8; ++code) {
    EXPECT_EQ(ShiftPrefixFromCode(code), prefixes[code]);
    EXPECT_EQ(ShiftCodeFromPrefix(prefixes[code]), code);
  }
  EXPECT_EQ(ShiftPrefixFromCode(-1), "");
  EXPECT_EQ(ShiftPrefixFromCode(9), "");
}

TEST(KeyTable, ShiftPrefixLookupIgnoresCaseAndDefaultsToNoShift) {
  struct Case {
    const char* text;
    int code;
  } cases[] = {
      {"ctrl+", 2},       {"CTRL+SHIFT+", 3},  {"alt+ctrl+shift+", 7}, {"over+", 8},
      {"Shift+Ctrl+", 0}, {"Ctrl", 0},         {"Ctrl+ ", 0},          {"Control+", 0},
      {"+", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(ShiftCodeFromPrefix(c.text), c.code) << '"' << c.text << '"';
}

TEST(KeyTable, ValueNames) {
  struct Case {
    const char* name;
    int shift, key;
  } cases[] = {
      {"Ctrl+{A}", ssCtrl, kiA},          {"{F1}", 0, kiF1},
      {"alt+ctrl+shift+{z}", 7, kiZ},     {"Over+{A}", ssOver, kiA},
      {"Bogus+{A}", 0, kiA},              {"Ctrl+{Nope}", ssCtrl, NoKey},
      {"Ctrl+", ssCtrl, NoKey},           {"", 0, NoKey},
      {"Ctrl+{{A}", ssCtrl, NoKey},       {"Shift+{Enter(NumPad)}", ssShift, kiNumPadEnter},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TKeyStroke key = KeyFromValueName(c.name);
    EXPECT_EQ(key.shiftState, c.shift);
    EXPECT_EQ(key.keyIndex, c.key);
  }
  for (int shift = 0; shift < ShiftStateCount; ++shift)
    for (int key = 0; key < KeyCount; ++key) {
      TKeyStroke back = KeyFromValueName(KeyValueName(shift, key));
      EXPECT_EQ(back.shiftState, shift);
      EXPECT_EQ(back.keyIndex, key);
    }
  EXPECT_EQ(KeyValueName(ssCtrl | ssShift, kiComma), "Ctrl+Shift+{,}");
}

TEST(KeyTable, OverIsNeverAKeyMapPosition) {
  TKeyMap map;
  ClearKeyMap(map);
  EXPECT_EQ(KeyMapIndex(ShiftCodeFromPrefix("Over+"), kiA), -1);
  EXPECT_FALSE(SetKeyMapEntry(map, ssOver, kiA, cmUNDO));
  EXPECT_EQ(KeyMapEntry(map, ssOver, kiA), NoCommand);
  // Code 8 must not spill into the user menus that follow block 1.
  for (TCommandId id : map) EXPECT_EQ(id, NoCommand);
}

TEST(KeyTable, KeyMapPositions) {
  struct Case {
    int shift, key, position;
  } cases[] = {
      {0, 0, 0},   {0, 96, 96}, {1, 0, 97},  {7, 96, 775}, {2, 10, 204},
      {-1, 0, -1}, {8, 0, -1},  {0, -1, -1}, {0, 97, -1},
  };
  for (const Case& c : cases) EXPECT_EQ(KeyMapIndex(c.shift, c.key), c.position) << c.shift << ' ' << c.key;
  struct MenuCase {
    int menu, key, position;
  } menuCases[] = {
      {0, kiA, 776}, {0, kiZ, 801}, {1, kiA, 802}, {4, kiZ, 905},
      {5, kiA, -1},  {-1, kiA, -1}, {0, 9, -1},    {0, 36, -1},
  };
  for (const MenuCase& c : menuCases)
    EXPECT_EQ(UserMenuIndex(c.menu, c.key), c.position) << c.menu << ' ' << c.key;
}

TEST(KeyTable, ShiftStateFromKeyStatesUsesTheHighBitOnly) {
  const std::int16_t down = static_cast<std::int16_t>(0x8000), toggled = 1, up = 0;
  EXPECT_EQ(ShiftStateCodeFromKeyStates(up, up, up), 0);
  EXPECT_EQ(ShiftStateCodeFromKeyStates(down, up, up), 1);
  EXPECT_EQ(ShiftStateCodeFromKeyStates(up, down, up), 2);
  EXPECT_EQ(ShiftStateCodeFromKeyStates(up, up, down), 4);
  EXPECT_EQ(ShiftStateCodeFromKeyStates(down, down, down), 7);
  EXPECT_EQ(ShiftStateCodeFromKeyStates(toggled, toggled, toggled), 0);
  EXPECT_EQ(ShiftStateCodeFromKeyStates(static_cast<std::int16_t>(0xFF81), up, toggled), 1);
}

TEST(KeyTable, KeyMessages) {
  constexpr std::int64_t extended = std::int64_t{1} << 24, alt = std::int64_t{1} << 29;
  struct Case {
    const char* name;
    std::uint64_t wParam;
    std::int64_t lParam;
    int held;
    int shift, key;
  } cases[] = {
      {"main Enter", 0x0D, 0x001C0001, 0, 0, kiEnter},
      {"keypad Enter", 0x0D, 0x011C0001, 0, 0, kiNumPadEnter},
      {"extended flag alone", 0x0D, extended, 0, 0, kiNumPadEnter},
      {"extended arrow stays an arrow", 0x25, extended, 0, 0, kiLeft},
      {"Ctrl+Z", 0x5A, 0x002C0001, ssCtrl, ssCtrl, kiZ},
      {"Shift+Right", 0x27, extended, ssShift, ssShift, kiRight},
      {"Alt from the key data", 0x46, alt, 0, ssAlt, 15},
      {"held Alt is not the message's", 0x46, 0, ssAlt | ssCtrl, ssCtrl, 15},
      {"Alt+Ctrl+Shift", 0x70, alt, ssShift | ssCtrl, 7, kiF1},
      {"keypad slash", 0x6F, extended, 0, 0, kiNumPadDivide},
      {"Japanese colon", 0xBA, 0, 0, 0, 43},
      {"unlisted code", 0x13, 0, 0, 0, NoKey},
      {"Shift alone", 0x10, 0, ssShift, ssShift, NoKey},
      {"code 255", 0xFF, 0, 0, 0, NoKey},
      {"code 256", 0x100, 0, 0, 0, NoKey},
      {"code 0x10D is not Enter", 0x10D, extended, 0, 0, NoKey},
      {"huge code", ~std::uint64_t{0}, -1, 0, ssAlt, NoKey},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TKeyStroke stroke = KeyMessageToKey(c.wParam, c.lParam, c.held);
    EXPECT_EQ(stroke.shiftState, c.shift);
    EXPECT_EQ(stroke.keyIndex, c.key);
  }
}

TEST(KeyTable, PC98KeyboardByTypeAndSubtypeHighByte) {
  struct Case {
    int type, subtype;
    bool pc98;
  } cases[] = {
      {7, 0x0100, true},  {7, 0x0400, true},  {7, 0x0800, true}, {7, 0x0D00, true},
      {7, 0x0200, false}, {7, 0x0000, false}, {7, 0x00FF, false}, {7, 0x0202, false},
      {4, 0x0D00, false}, {8, 0x0100, false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsPC98KeyboardType(c.type, c.subtype), c.pc98) << c.type << ' ' << c.subtype;
}

}  // namespace
}  // namespace ovx
