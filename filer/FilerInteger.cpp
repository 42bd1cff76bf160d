#include "filer/FilerInteger.h"

#include <charconv>

namespace ovx {

static int DigitValue(char c, bool hex) {
  if (c >= '0' && c <= '9') return c - '0';
  if (hex && c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (hex && c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

TFilerIntegerResult ParseFilerInteger(std::string_view text, std::int32_t& value) {
  value = 0;
  bool hex = text.size() >= 2 && text[0] == '0' && (text[1] == 'X' || text[1] == 'x');
  if (hex) text.remove_prefix(2);
  const std::uint64_t limit = hex ? 0xFFFFFFFFull : 0x7FFFFFFFull;
  std::uint64_t accumulated = 0;
  bool overflow = false;
  for (char c : text) {
    int digit = DigitValue(c, hex);
    if (digit < 0) return fiInvalid;
    if (!overflow) {
      accumulated = accumulated * (hex ? 16 : 10) + static_cast<unsigned>(digit);
      overflow = accumulated > limit;
    }
  }
  if (overflow) return fiOverflow;
  value = static_cast<std::int32_t>(static_cast<std::uint32_t>(accumulated));
  return fiOk;
}

bool ReadStoredInteger(std::string_view text, std::int32_t& value) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end && !text.empty();
}

}  // namespace ovx
