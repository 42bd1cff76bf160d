// Character sets of a view and the conversions between Shift-JIS, JIS X 0208
// (ISO-2022-JP), EUC-JP and UTF-16. No operation fails: input that cannot be
// converted gives the substitute each operation documents.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ovx {

// One byte, stored per view and in the settings; the order is that of the
// character set lists in the dialogs.
enum TCharaSet : std::uint8_t {
  csAscii = 0,    // single bytes only
  csSJis = 1,     // Shift-JIS, the platform's own code
  csJis = 2,      // JIS X 0208 two-byte codes, ISO-2022-JP strings
  csEuc = 3,      // EUC-JP
  csUnicode = 4,  // UTF-16 code units, little-endian in the data
};

// A character code: first byte in the high byte, second byte in the low byte;
// high byte 0 for a single-byte character.
using TCharCode = std::uint16_t;

bool IsSJisChar(TCharCode code);
bool IsJisChar(TCharCode code);
bool IsEucChar(TCharCode code);
bool IsUnicodeChar(TCharCode unit);  // has a mapping to JIS X 0208 / 0201

// Code conversions; single-byte codes pass through unless stated.
TCharCode SJisToJis(TCharCode code);
TCharCode JisToSJis(TCharCode code);
TCharCode JisToEuc(TCharCode code);      // 0xA1..0xDF become 0x8E + byte
TCharCode EucToJis(TCharCode code);      // 0x8E + byte becomes the byte
TCharCode JisToUnicode(TCharCode code);  // 0 where there is no character
TCharCode UnicodeToJis(TCharCode unit);  // 0 where there is no mapping
TCharCode SJisToEuc(TCharCode code);
TCharCode SJisToUnicode(TCharCode code);
TCharCode EucToSJis(TCharCode code);
TCharCode UnicodeToSJis(TCharCode unit);  // 0 where there is no mapping

// Full-width form of the half-width katakana at the 1-based position of text,
// as two Shift-JIS bytes. A following voiced or semi-voiced mark that combines
// with it is consumed: position is left on the last byte used. When the byte
// there is no half-width katakana (or position lies outside the text) the result
// is empty and position is unchanged.
std::string HanKanaToZenKana(std::string_view text, int& position);

// String conversions of Shift-JIS bytes.
std::string SJisStrToJis(std::string_view sjis);      // ISO-2022-JP, katakana made full-width
std::string SJisStrToEuc(std::string_view sjis);      // a broken lead byte becomes a space
std::string SJisStrToUnicode(std::string_view sjis);  // UTF-16LE; unconvertible input gives unit 0

// Display rule: pair holds the byte at a position (high byte) and the byte after
// it (low byte). Returns whether the two form one character in charaset and then
// replaces pair with the Shift-JIS code to draw across both cells. A Unicode
// character drawn as a single byte comes back as that byte followed by a space.
bool CharToDisplayCode(TCharaSet charaset, TCharCode& pair);

// Bytes drawn as themselves in the single-byte character display.
bool IsDisplayableByte(std::uint8_t byte);

}  // namespace ovx
