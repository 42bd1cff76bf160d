// A text as the bytes of each code set it may be stored in, for finding it in data whose code
// set is not known, and the bytes around a place shown as text of one code set.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ovx {

// In the order the search lists them.
enum TSearchCode : std::uint8_t { scAscii, scSJis, scEuc, scJis, scUtf16, scUtf8, SearchCodeCount };

// "ASCII", "Shift-JIS", "EUC-JP", "JIS", "UTF-16LE", "UTF-8".
const char* SearchCodeName(TSearchCode code);

struct TCodeForm {
  bool carried = false;
  std::string why;  // when not carried: the reason, in the user's language (UTF-8)
  // The byte sequences to look for: one, or for JIS one per pair of escape sequences between
  // a two-byte run and a one-byte run. Escapes before the first and after the last character
  // are not part of a text, so a two-byte text stored between escapes is found as it is.
  std::vector<std::string> patterns;
};

// text is UTF-16. A two-byte character is JIS X 0208 (as the view's character column reads it);
// JIS carries no half-width katakana; UTF-8 no unpaired surrogate; ASCII only 0x00..0x7F.
TCodeForm EncodeForSearch(std::u16string_view text, TSearchCode code);

// The bytes as text of the code set for a list line: characters that do not decode and
// control bytes are shown as '.', one per byte. JIS starts in two-byte mode when kanjiMode.
std::u16string DecodeForDisplay(const std::uint8_t* bytes, std::size_t n, TSearchCode code, bool kanjiMode = false);

}  // namespace ovx
