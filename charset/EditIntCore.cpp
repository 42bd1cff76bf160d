#include "charset/EditIntCore.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace ovx {

namespace {

// At most 17 decimal digits and 14 hexadecimal digits come from typing.
constexpr size_t kDecimalDigits = 17, kHexadecimalDigits = 14;

std::string DigitsOf(std::uint64_t value, bool decimal) {
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, decimal ? "%llu" : "%llX", static_cast<unsigned long long>(value));
  return buffer;
}

// Digits are inserted and removed in the written number, which is the positional arithmetic
// without its overflow: the value keeps the last digits that fit.
std::uint64_t ValueOfDigits(const std::string& digits, bool decimal) {
  if (digits.empty()) return 0;
  const size_t keep = decimal ? kDecimalDigits : kHexadecimalDigits;
  const std::string last = digits.size() > keep ? digits.substr(digits.size() - keep) : digits;
  return std::strtoull(last.c_str(), nullptr, decimal ? 10 : 16);
}

bool FitsType(std::uint64_t value, TVariableType type) {
  switch (type) {
    case vtByte: return value < 0x100;
    case vtWord: return value < 0x10000;
    case vtDoubleWord: return value < 0x100000000ull;
    case vtUnformat: break;
  }
  return true;
}

// Hexadecimal digits (from the right) that belong to the type.
int HexDigitsOfType(TVariableType type) { return type == vtByte ? 2 : type == vtWord ? 4 : 8; }

}  // namespace

int BinaryTextPosition(int bit) {
  const int fromLeft = 31 - bit;
  const int group = fromLeft / 8, inGroup = fromLeft % 8;
  return group * 10 + inGroup + (inGroup >= 4 ? 1 : 0);
}

void TEditIntCore::SetValue(std::uint64_t value) {
  value_ = value;
  ClampCaret();
}

void TEditIntCore::SetCardinalNumber(TCardinalNumber radix) {
  radix_ = radix;
  caret_ = 0;
  anchor_.reset();
}

std::string TEditIntCore::Text() const {
  char buffer[48];
  switch (radix_) {
    case cnDecimal:
      std::snprintf(buffer, sizeof buffer, "%llud", static_cast<unsigned long long>(value_));
      return buffer;
    case cnHexadecimal:
      std::snprintf(buffer, sizeof buffer, "%llXh", static_cast<unsigned long long>(value_));
      return buffer;
    case cnBinary:
      break;
  }
  std::string text(40, '-');
  for (int bit = 31; bit >= 0; --bit) text[BinaryTextPosition(bit)] = (value_ >> bit) & 1 ? '1' : '0';
  for (int group = 0; group < 4; ++group) text[group * 10 + 4] = ',';
  text[39] = 'b';
  return text;
}

int TEditIntCore::DigitCount() const {
  return radix_ == cnBinary ? kBinaryBits : static_cast<int>(Text().size()) - 1;
}

void TEditIntCore::ClampCaret() {
  const int count = DigitCount();
  caret_ = std::min(caret_, count);
  if (anchor_) anchor_ = std::min(*anchor_, count);
}

void TEditIntCore::EndEmptySelection() {
  if (anchor_ && *anchor_ == caret_) anchor_.reset();
}

bool TEditIntCore::Key(TEditIntKey key, bool shift) {
  const bool moving = key == eikEnd || key == eikHome || key == eikLeft || key == eikRight;
  if (moving) {
    if (!shift) anchor_.reset();
    else if (!anchor_) anchor_ = caret_;
  }
  switch (key) {
    case eikEnd: caret_ = 0; break;
    case eikHome: caret_ = DigitCount(); break;
    case eikLeft: caret_ = std::min(caret_ + 1, DigitCount()); break;
    case eikRight: caret_ = std::max(caret_ - 1, 0); break;
    case eikDelete:
      if (!HasSelection()) {
        value_ = 0;
        break;
      }
      [[fallthrough]];
    case eikBack:
      RemoveDigits();
      break;
    case eikSelectAll:
      anchor_ = DigitCount();
      caret_ = 0;
      break;
    case eikOther:
      return false;
  }
  ClampCaret();
  EndEmptySelection();
  return true;
}

bool TEditIntCore::Char(char32_t c) {
  if (radix_ == cnBinary) {
    if (c == U' ') ChangeBits([](bool bit) { return !bit; });
    else if (c == U'0' || c == U'1') ChangeBits([set = c == U'1'](bool) { return set; });
    else return false;
    return true;
  }
  int digit = -1;
  if (c >= U'0' && c <= U'9') digit = static_cast<int>(c - U'0');
  else if (radix_ == cnHexadecimal && c >= U'A' && c <= U'F') digit = static_cast<int>(c - U'A') + 10;
  else if (radix_ == cnHexadecimal && c >= U'a' && c <= U'f') digit = static_cast<int>(c - U'a') + 10;
  if (digit < 0) return false;
  InsertDigit(digit);
  ClampCaret();
  EndEmptySelection();
  return true;
}

void TEditIntCore::InsertDigit(int digit) {
  const int n = caret_;
  if (digit == 0 && n == DigitCount()) return;  // no leading zeros
  const bool decimal = radix_ == cnDecimal;
  std::string digits = DigitsOf(value_, decimal);
  digits.insert(digits.size() - static_cast<size_t>(n), 1, "0123456789ABCDEF"[digit]);
  value_ = ValueOfDigits(digits, decimal);
}

template <typename Change>
void TEditIntCore::ChangeBits(Change change) {
  for (int bit = 0; bit < kBinaryBits; ++bit) {
    const bool target = HasSelection() ? BitSelected(bit) : bit == caret_;
    if (!target) continue;
    const std::uint64_t mask = std::uint64_t{1} << bit;
    value_ = change((value_ & mask) != 0) ? value_ | mask : value_ & ~mask;
  }
}

void TEditIntCore::RemoveDigits() {
  if (radix_ == cnBinary) {
    ChangeBits([](bool) { return false; });
    return;
  }
  int a = caret_, b = caret_ + 1;
  if (HasSelection()) {
    a = std::min(*anchor_, caret_);
    b = std::max(*anchor_, caret_);
  }
  const bool decimal = radix_ == cnDecimal;
  std::string digits = DigitsOf(value_, decimal);
  const int count = static_cast<int>(digits.size());
  b = std::min(b, count);
  if (a < b) digits.erase(static_cast<size_t>(count - b), static_cast<size_t>(b - a));
  value_ = ValueOfDigits(digits, decimal);
  caret_ = a;
  anchor_.reset();
}

bool TEditIntCore::BitSelected(int index) const {
  if (!anchor_) return false;
  const int a = std::min(*anchor_, caret_), b = std::max(*anchor_, caret_);
  return index >= a && index < b;
}

void TEditIntCore::MouseDown(int gap, bool shift) {
  // Without Shift a click only places the caret: the selection starts when the pointer moves, so
  // keys typed while the button is held act on the bit or digit at the caret.
  if (shift) {
    if (!anchor_) anchor_ = caret_;
  } else {
    anchor_.reset();
  }
  caret_ = gap;
  dragging_ = true;
}

void TEditIntCore::MouseMove(int gap) {
  if (!dragging_) return;
  if (!anchor_) anchor_ = caret_;
  caret_ = gap;
}

void TEditIntCore::MouseUp() {
  dragging_ = false;
  EndEmptySelection();
}

int TEditIntCore::CaretTextPosition() const {
  if (radix_ != cnBinary) return DigitCount() - caret_;
  return caret_ == 0 ? 39 : BinaryTextPosition(caret_ - 1);
}

int TEditIntCore::GapOfCharacter(int position) const {
  const int count = DigitCount();
  if (position < 0) return count;
  if (radix_ != cnBinary) return position >= count ? 0 : count - position;
  // The first bit at or right of the position; a separator's gap is that of the bit after it.
  for (int bit = 31; bit >= 0; --bit)
    if (BinaryTextPosition(bit) >= position) return bit + 1;
  return 0;
}

std::vector<TEditIntCharStyle> TEditIntCore::Styles() const {
  const std::string text = Text();
  const int length = static_cast<int>(text.size());
  std::vector<TEditIntCharStyle> styles(text.size());
  if (radix_ == cnBinary) {
    const int firstOverflow = type_ == vtByte ? 8 : type_ == vtWord ? 16 : kBinaryBits;
    for (int bit = 0; bit < kBinaryBits; ++bit) {
      TEditIntCharStyle& s = styles[BinaryTextPosition(bit)];
      s.selected = BitSelected(bit);
      s.overflow = bit >= firstOverflow;
    }
    return styles;
  }
  const int count = length - 1;
  const bool wholeOverflow = radix_ == cnDecimal && !FitsType(value_, type_);
  for (int i = 0; i < count; ++i) {
    const int fromRight = count - 1 - i;
    styles[i].selected = BitSelected(fromRight);
    styles[i].overflow = radix_ == cnDecimal
                             ? wholeOverflow
                             : type_ != vtUnformat && fromRight >= HexDigitsOfType(type_);
  }
  return styles;
}

}  // namespace ovx
