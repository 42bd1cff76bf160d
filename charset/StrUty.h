// String helpers, and the conversions of text crossing the platform boundary:
// the platform's text is Shift-JIS (code page 932), the core's user-visible text
// is UTF-8, Win32 calls take UTF-16.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ovx {

// text repeated n times; empty for n <= 0.
std::string RepeatStr(std::string_view text, int n);

// Replaces list with the pieces of text between separators: empty inner pieces are
// kept, a trailing separator gives no final empty piece, an empty text no piece.
// An empty separator gives the whole text as one piece. Returns the piece count.
int SplitStr(std::string_view separator, std::string_view text, std::vector<std::string>& list);

// Substitutes of the boundary conversions, the same as the platform's defaults for
// code page 932: a byte sequence that is no character decodes to U+30FB (・), a
// character with no Shift-JIS form encodes to '?'.
inline constexpr char16_t kSJisDecodeSubstitute = u'\u30FB';
inline constexpr char kSJisEncodeSubstitute = '?';
// Malformed UTF-8 and unpaired surrogates become U+FFFD.
inline constexpr char32_t kUtfSubstitute = U'\uFFFD';

// Shift-JIS <-> UTF-16. On Windows through code page 932 of the platform (which
// adds the vendor extensions); elsewhere through this unit's own tables: JIS X 0208
// as code page 932 maps it, ASCII (0x5C is the backslash) and half-width katakana.
// Best-fit guesses are never made: a character without its own code gives '?'.
std::u16string SJisToUtf16(std::string_view sjis);
std::string Utf16ToSJis(std::u16string_view utf16);

std::string SJisToUtf8(std::string_view sjis);
std::string Utf8ToSJis(std::string_view utf8);

std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

#ifdef _WIN32
// wchar_t is a UTF-16 code unit on Windows: forms for direct use at Win32 calls.
inline std::wstring Utf8ToWide(std::string_view utf8) {
  const std::u16string s = Utf8ToUtf16(utf8);
  return std::wstring(s.begin(), s.end());
}
inline std::string WideToUtf8(std::wstring_view wide) {
  return Utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}
inline std::wstring SJisToWide(std::string_view sjis) {
  const std::u16string s = SJisToUtf16(sjis);
  return std::wstring(s.begin(), s.end());
}
inline std::string WideToSJis(std::wstring_view wide) {
  return Utf16ToSJis(std::u16string(wide.begin(), wide.end()));
}
#endif

}  // namespace ovx
