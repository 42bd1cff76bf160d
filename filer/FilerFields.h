// Reading a template's fields from the document and writing them back: the byte order of
// integers, the choice of a select, the text of a string, one bit of a byte, and the rule
// that a field reaching past the document's end is left alone.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "filer/FilerLayout.h"
#include "filer/FilerTarget.h"

namespace ovx {

// What a field control shows: the one member of its kind, and whether it and its jump button
// are enabled.
struct TFilerFieldValue {
  std::int32_t integer = 0;  // integer field: the spin value
  int selected = 0;          // select field: the selected item, -1 for none
  std::string text;          // string field, UTF-8
  bool checked = false;      // bit field
  // The user changed the control since the last read (typed into, spun, selected, ticked):
  // only such a field is written back, so an untouched field leaves its bytes as they are.
  bool changed = false;
  bool enabled = false;
  bool jumpEnabled = false;
  friend bool operator==(const TFilerFieldValue&, const TFilerFieldValue&) = default;
};

// The value a new field control starts with: a select shows its first item.
TFilerFieldValue InitialFilerFieldValue(const TFilerField& field);

// A field is in range when its last byte lies before the document's end.
bool FilerFieldInRange(const TFilerField& field, std::int32_t documentSize);

// width bytes, zero-extended; big-endian swaps or reverses them first.
std::int32_t FilerIntegerOfBytes(const std::uint8_t* bytes, int width, bool bigEndian);
void FilerBytesOfInteger(std::int32_t value, int width, bool bigEndian, std::uint8_t* bytes);

// A spin edit keeps its value within minimum and maximum whenever these differ.
std::int32_t ClampSpinValue(std::int32_t value, std::int32_t minimum, std::int32_t maximum);

// The value of an integer field's text, or the message that refuses it. The text must be a
// number that the field's width holds as the field shows it: 1 and 2 bytes zero-extended or
// negative, 4 bytes as a signed 32-bit value. Within bounds it is then kept as a spin edit keeps it.
std::string FilerIntegerOfText(std::string_view text, const TFilerField& field, std::int32_t& value);

// Empty when a string field can write the text (UTF-8), else the message that refuses it.
std::string FilerStringProblem(std::string_view utf8, const TFilerField& field);

// The item a read selects: the last one carrying the value, else the current one.
int SelectIndexOfValue(const std::vector<TFilerSelectItem>& items, std::int32_t value, int current);

// The text a string field shows for its bytes (Shift-JIS in, UTF-8 out).
std::string FilerStringText(const std::uint8_t* bytes, int length);
// The bytes a string field writes: its text (UTF-8) in Shift-JIS, padded; a double-byte
// character that does not fit whole is left out with everything after it.
std::vector<std::uint8_t> FilerStringBytes(std::string_view utf8, int length, std::uint8_t pad);

// Reads one field into its value: out of range it is only disabled, in range it shows the data
// and is enabled when editable and the view allows writing. Either way it is no longer changed.
void ReadFilerField(const TFilerField& field, TFilerFieldValue& value, const TFilerTarget& target);
// Writes one field back when the user changed it and it was enabled when read; a field out of
// range now is skipped.
void WriteFilerField(const TFilerField& field, const TFilerFieldValue& value, TFilerTarget& target);

}  // namespace ovx
