// Letter-case-blind comparison of ASCII text (keywords, key names, prefixes).
#pragma once

#include <string_view>

namespace ovx {

// True when a and b are equal with ASCII letters compared regardless of case;
// other bytes (UTF-8 included) must match exactly.
constexpr bool SameTextAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

}  // namespace ovx
