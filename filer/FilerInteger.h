// Integer parameters of a template: decimal digits, or "0X" and hexadecimal digits; no sign.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ovx {

enum TFilerIntegerResult : unsigned char {
  fiOk,
  fiInvalid,   // a character that is not a digit of its radix
  fiOverflow,  // decimal above 2147483647, or more than eight significant hexadecimal digits
};

// Upper-cases the text, reads it as above (an empty text is 0) and gives its 32-bit value;
// a hexadecimal value is a 32-bit pattern, so 0X80000000 and above are negative.
TFilerIntegerResult ParseFilerInteger(std::string_view text, std::int32_t& value);

// Reads a normalised decimal integer as stored in a command line (optional '-', digits).
bool ReadStoredInteger(std::string_view text, std::int32_t& value);

}  // namespace ovx
