#include "charset/EditIntCore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ovx {
namespace {

// Steps: a named key ("Home", "+Left" with Shift, "^A") or characters to type.
bool Step(TEditIntCore& core, const std::string& step) {
  struct Named {
    const char* name;
    TEditIntKey key;
  };
  static const Named keys[] = {{"End", eikEnd},   {"Home", eikHome}, {"Left", eikLeft},      {"Right", eikRight},
                               {"Del", eikDelete}, {"Back", eikBack}, {"^A", eikSelectAll}, {"PgUp", eikOther}};
  const bool shift = !step.empty() && step[0] == '+' && step.size() > 1;
  const std::string name = shift ? step.substr(1) : step;
  for (const Named& k : keys)
    if (name == k.name) return core.Key(k.key, shift);
  bool handled = true;
  for (char c : step) handled = core.Char(static_cast<unsigned char>(c)) && handled;
  return handled;
}

struct Case {
  TCardinalNumber radix;
  std::uint64_t value;
  std::vector<std::string> steps;
  std::uint64_t expected;
  int caret;
};

TEST(EditIntCore, DigitsKeysAndSelectionsChangeTheValueByTheirFormulas) {
  const Case cases[] = {
      {cnDecimal, 123, {"4"}, 1234, 0},
      {cnDecimal, 123, {"Left", "4"}, 1243, 1},
      {cnDecimal, 0, {"0"}, 0, 0},
      {cnDecimal, 12, {"Home", "0"}, 12, 2},                                  // no leading zero
      {cnDecimal, 12, {"Home", "5"}, 512, 2},
      {cnDecimal, 1234, {"Right", "Left", "+Left", "+Left", "Back"}, 14, 1},  // "23" selected
      {cnDecimal, 1234, {"Left", "+Left", "+Left", "Del"}, 14, 1},            // Delete acts as Backspace
      {cnDecimal, 1234, {"Left", "Back"}, 124, 1},
      {cnDecimal, 1234, {"Home", "Back"}, 1234, 4},                           // nothing left of the first digit
      {cnDecimal, 1234, {"Del"}, 0, 0},
      {cnDecimal, 12345678901234567, {"8"}, 23456789012345678, 0},            // the 18th digit pushes out the first
      {cnDecimal, 99, {"^A", "Back"}, 0, 0},
      {cnDecimal, 18446744073709551615ull, {"1"}, 67440737095516151, 0},     // all 64 bits shown, 17 kept
      {cnDecimal, 18446744073709551615ull, {"Home", "5"}, 46744073709551615, 17},
      {cnHexadecimal, 0xFFFFFFFFFFFFFFFF, {"1"}, 0xFFFFFFFFFFFFF1, 0},
      {cnHexadecimal, 0xAB, {"c", "F"}, 0xABCF, 0},
      {cnHexadecimal, 0xFFFFFFFFFFFFFF, {"1"}, 0xFFFFFFFFFFFFF1, 0},          // 14 digits at most
      {cnHexadecimal, 0x1234, {"Del"}, 0, 0},
      {cnHexadecimal, 0x1234, {"Left", "Left", "+Right", "Back"}, 0x124, 1},
      {cnBinary, 0b1010, {" "}, 0b1011, 0},                                   // bit 0 inverted
      {cnBinary, 0b1010, {"Left", " "}, 0b1000, 1},
      {cnBinary, 0xFFFFFFFF, {"Home", " "}, 0xFFFFFFFF, 32},                  // no bit left of the first
      {cnBinary, 0, {"+Left", "+Left", "+Left", "1"}, 0b111, 3},
      {cnBinary, 0xF0, {"Left", "Left", "Left", "Left", "+Left", "+Left", "0"}, 0xC0, 6},
      {cnBinary, 0b11, {"Left", "Back"}, 0b01, 1},
      {cnBinary, 0x1FF, {"Del"}, 0, 0},
  };
  for (const Case& c : cases) {
    TEditIntCore core;
    core.SetCardinalNumber(c.radix);
    core.SetValue(c.value);
    for (const std::string& step : c.steps) EXPECT_TRUE(Step(core, step)) << step;
    EXPECT_EQ(core.Value(), c.expected) << c.value << " radix " << int(c.radix);
    EXPECT_EQ(core.Caret(), c.caret) << c.value << " radix " << int(c.radix);
  }
}

TEST(EditIntCore, KeysAndCharactersItDoesNotUseGoToTheOwner) {
  struct Refused {
    TCardinalNumber radix;
    std::string step;
  };
  const Refused cases[] = {{cnDecimal, "PgUp"}, {cnDecimal, "+"}, {cnDecimal, "-"}, {cnDecimal, "a"},
                           {cnDecimal, " "},    {cnHexadecimal, "g"}, {cnBinary, "2"}, {cnBinary, "+"}};
  for (const Refused& c : cases) {
    TEditIntCore core;
    core.SetCardinalNumber(c.radix);
    core.SetValue(7);
    EXPECT_FALSE(Step(core, c.step)) << c.step;
    EXPECT_EQ(core.Value(), 7u) << c.step;
  }
}

TEST(EditIntCore, TextsAndOverflowColouringPerType) {
  struct TextCase {
    TCardinalNumber radix;
    TVariableType type;
    std::uint64_t value;
    std::string text;
    std::string overflow;  // 'o' where the character is drawn in the overflow colour
  };
  const TextCase cases[] = {
      {cnDecimal, vtByte, 255, "255d", "...."},
      {cnDecimal, vtByte, 256, "256d", "ooo."},
      {cnDecimal, vtWord, 65536, "65536d", "ooooo."},
      {cnDecimal, vtDoubleWord, 4294967296, "4294967296d", "oooooooooo."},
      {cnDecimal, vtUnformat, 4294967296, "4294967296d", "..........."},
      {cnDecimal, vtByte, 0, "0d", ".."},
      {cnHexadecimal, vtByte, 0xFF, "FFh", "..."},
      {cnHexadecimal, vtByte, 0x1FF, "1FFh", "o..."},
      {cnHexadecimal, vtWord, 0x12345, "12345h", "o....."},
      {cnHexadecimal, vtUnformat, 0x12345, "12345h", "......"},
      {cnBinary, vtByte, 255, "0000,0000-0000,0000-0000,0000-1111,1111b",
       "oooo.oooo.oooo.oooo.oooo.oooo..........."},
      {cnBinary, vtWord, 1, "0000,0000-0000,0000-0000,0000-0000,0001b",
       "oooo.oooo.oooo.oooo....................."},
      {cnBinary, vtDoubleWord, 0x1'8000'0001, "1000,0000-0000,0000-0000,0000-0000,0001b",
       "........................................"},
  };
  for (const TextCase& c : cases) {
    TEditIntCore core;
    core.SetCardinalNumber(c.radix);
    core.SetVariableType(c.type);
    core.SetValue(c.value);
    EXPECT_EQ(core.Text(), c.text);
    std::string overflow;
    for (const TEditIntCharStyle& s : core.Styles()) overflow += s.overflow ? 'o' : '.';
    EXPECT_EQ(overflow, c.overflow) << c.text;
  }
}

TEST(EditIntCore, CaretPlacesClicksAndHighlights) {
  TEditIntCore bin;
  bin.SetValue(0);
  EXPECT_EQ(bin.CaretTextPosition(), 39);            // before the "b"
  bin.Key(eikLeft, false);
  EXPECT_EQ(bin.CaretTextPosition(), 38);            // left of bit 0
  bin.Key(eikHome, false);
  EXPECT_EQ(bin.CaretTextPosition(), 0);
  EXPECT_EQ(bin.GapOfCharacter(4), 28);              // a "," : the gap before the bit after it
  EXPECT_EQ(bin.GapOfCharacter(9), 24);              // a "-"
  EXPECT_EQ(bin.GapOfCharacter(39), 0);
  EXPECT_EQ(bin.GapOfCharacter(-3), 32);
  // Dragging from the gap of bit 9 to that of bit 5 selects bits 5..8; the separator between stays plain.
  bin.MouseDown(bin.GapOfCharacter(BinaryTextPosition(8)), false);
  bin.MouseMove(bin.GapOfCharacter(BinaryTextPosition(4)));
  bin.MouseUp();
  std::string selected;
  for (const TEditIntCharStyle& s : bin.Styles()) selected += s.selected ? 's' : '.';
  EXPECT_EQ(selected, std::string("............................s.sss......."));

  TEditIntCore dec;
  dec.SetCardinalNumber(cnDecimal);
  dec.SetValue(1234);
  EXPECT_EQ(dec.GapOfCharacter(1), 3);               // left of the "2"
  EXPECT_EQ(dec.GapOfCharacter(4), 0);               // the "d"
  dec.MouseDown(3, false);
  dec.MouseUp();                                     // a click selects nothing
  EXPECT_FALSE(dec.HasSelection());
  dec.MouseDown(1, true);                            // Shift+click from the old caret
  dec.MouseUp();
  EXPECT_EQ(dec.Anchor(), 3);
  EXPECT_EQ(dec.CaretTextPosition(), 3);
  dec.Key(eikBack, false);
  EXPECT_EQ(dec.Value(), 14u);
}

TEST(EditIntCore, KeysWhileTheButtonIsHeldActAtTheClickedGap) {
  // Binary: a click at the gap of bit 3, then Space, 1, Delete before the button comes up.
  struct Case {
    char32_t c;             // a character, or 0 for Delete
    std::uint64_t before, after;
  };
  const Case cases[] = {{U' ', 0x00, 0x08}, {U'1', 0x00, 0x08}, {U'0', 0xFF, 0xF7}, {0, 0xFF, 0x00}};
  for (const Case& c : cases) {
    TEditIntCore bin;
    bin.SetValue(c.before);
    bin.MouseDown(3, false);
    if (c.c) EXPECT_TRUE(bin.Char(c.c));
    else EXPECT_TRUE(bin.Key(eikDelete, false));
    EXPECT_EQ(bin.Value(), c.after) << int(c.c);
    // Dragged away and back to the same gap: still no selection, the bit at the caret changes.
    bin.MouseMove(5);
    bin.MouseMove(3);
    EXPECT_FALSE(bin.HasSelection());
    bin.MouseUp();
  }
  TEditIntCore dec;
  dec.SetCardinalNumber(cnDecimal);
  dec.SetValue(1234);
  dec.MouseDown(2, false);  // between 2 and 3
  EXPECT_TRUE(dec.Char(U'9'));
  EXPECT_EQ(dec.Value(), 12934u);
}

}  // namespace
}  // namespace ovx
