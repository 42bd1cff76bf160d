// The character picker without its window: the rows of each code set, the text of a row and
// where a code's glyph lies in the "AnkFonts" bitmap.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace ovx {

enum TAsciiSet : std::uint8_t { asASCII = 0, asJISX0201 = 1, asNEC = 2 };

// 128 rows for ASCII, 256 for both JIS X 0201 sets.
int PickerRowCount(TAsciiSet set);
// The English name of an ASCII code; empty for digits, letters and codes above 0x7F.
const char* AsciiName(int code);
// "41h ( 65d) " with the name for codes up to 0x7F, "85h (133d)" above.
std::string PickerRowText(int code);

struct TGlyphCell {
  int x = 0, y = 0;
  bool operator==(const TGlyphCell&) const = default;
};
inline constexpr int kGlyphWidth = 8, kGlyphHeight = 16;
// The cell drawn for the code in the set, or none where the set shows no glyph. ASCII's backslash
// has its own cell (0xFC): the cell of 0x5C holds the yen sign of JIS X 0201.
std::optional<TGlyphCell> PickerGlyphCell(TAsciiSet set, int code);

}  // namespace ovx
