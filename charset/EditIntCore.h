// The integer edit control without its window: one unsigned value shown in one radix, a caret
// between digits counted from the right, a selection, digit and bit entry, and which characters
// are drawn selected or in the overflow colour. TEditInt draws it and feeds it keys and clicks.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ovx {

enum TCardinalNumber : std::uint8_t { cnBinary = 0, cnDecimal = 1, cnHexadecimal = 2 };
enum TVariableType : std::uint8_t { vtUnformat = 0, vtByte = 1, vtWord = 2, vtDoubleWord = 3 };

// The keys the control handles itself; everything else goes to its owner.
enum TEditIntKey : std::uint8_t { eikEnd, eikHome, eikLeft, eikRight, eikDelete, eikBack, eikSelectAll, eikOther };

struct TEditIntCharStyle {
  bool selected = false;
  bool overflow = false;
};

class TEditIntCore {
 public:
  static constexpr int kBinaryBits = 32;

  std::uint64_t Value() const { return value_; }
  // The caret and the selection stay where they are (within the new digit count).
  void SetValue(std::uint64_t value);
  TCardinalNumber CardinalNumber() const { return radix_; }
  // Caret to the end, no selection.
  void SetCardinalNumber(TCardinalNumber radix);
  TVariableType VariableType() const { return type_; }
  void SetVariableType(TVariableType type) { type_ = type; }

  // "255d", "FFh", or the 40 characters of the low 32 bits ending in "b".
  std::string Text() const;
  // Digits (bits) the caret can pass: the shown digits, 32 in binary.
  int DigitCount() const;
  // Digits (bits) right of the caret.
  int Caret() const { return caret_; }
  std::optional<int> Anchor() const { return anchor_; }
  // A selection of no digits (the pointer dragged back to where it started) is none.
  bool HasSelection() const { return anchor_.has_value() && *anchor_ != caret_; }

  // A key down; false for a key the owner gets. Shift extends a selection with the four moving keys.
  bool Key(TEditIntKey key, bool shift);
  // A typed character; false for one the owner gets.
  bool Char(char32_t c);

  // The mouse, with the gap the pointer is over (GapOfCharacter). Down: Shift extends from the old
  // caret; move (button held): the selection follows; up: an empty selection ends.
  void MouseDown(int gap, bool shift);
  void MouseMove(int gap);
  void MouseUp();
  bool Dragging() const { return dragging_; }

  // Drawing: where the caret stands in the text (the count of characters left of it), the gap left
  // of a clicked character position (the text length and more: right of the text; negative: left
  // of it), and how each character is drawn.
  int CaretTextPosition() const;
  int GapOfCharacter(int position) const;
  std::vector<TEditIntCharStyle> Styles() const;

 private:
  bool BitSelected(int index) const;
  // Sets the bit left of the gap, or every selected bit, through change(old bit) -> new bit.
  template <typename Change>
  void ChangeBits(Change change);
  void InsertDigit(int digit);
  void RemoveDigits();
  void ClampCaret();
  void EndEmptySelection();

  std::uint64_t value_ = 0;
  TCardinalNumber radix_ = cnBinary;
  TVariableType type_ = vtUnformat;
  int caret_ = 0;
  std::optional<int> anchor_;
  bool dragging_ = false;
};

// Text position of a bit (31..0) in the binary text: groups of eight, "xxxx,xxxx", joined by "-".
int BinaryTextPosition(int bit);

}  // namespace ovx
