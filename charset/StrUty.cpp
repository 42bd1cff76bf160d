#include "charset/StrUty.h"

namespace ovx {

std::string RepeatStr(std::string_view text, int n) {
  std::string out;
  if (n <= 0 || text.empty()) return out;
  out.reserve(text.size() * static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) out.append(text);
  return out;
}

int SplitStr(std::string_view separator, std::string_view text, std::vector<std::string>& list) {
  list.clear();
  if (separator.empty()) {
    if (!text.empty()) list.emplace_back(text);
    return static_cast<int>(list.size());
  }
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t found = text.find(separator, start);
    if (found == std::string_view::npos) {
      list.emplace_back(text.substr(start));
      break;
    }
    list.emplace_back(text.substr(start, found - start));
    start = found + separator.size();
  }
  return static_cast<int>(list.size());
}

std::string SJisToUtf8(std::string_view sjis) { return Utf16ToUtf8(SJisToUtf16(sjis)); }

std::string Utf8ToSJis(std::string_view utf8) { return Utf16ToSJis(Utf8ToUtf16(utf8)); }

namespace {

void AppendUtf16(std::u16string& out, char32_t cp) {
  if (cp < 0x10000) {
    out.push_back(static_cast<char16_t>(cp));
  } else {
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  }
}

// Writes cp as UTF-8 at p; returns the position after it.
char* PutUtf8(char* p, char32_t cp) {
  if (cp < 0x80) {
    *p++ = static_cast<char>(cp);
  } else if (cp < 0x800) {
    *p++ = static_cast<char>(0xC0 | (cp >> 6));
    *p++ = static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    *p++ = static_cast<char>(0xE0 | (cp >> 12));
    *p++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    *p++ = static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    *p++ = static_cast<char>(0xF0 | (cp >> 18));
    *p++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    *p++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    *p++ = static_cast<char>(0x80 | (cp & 0x3F));
  }
  return p;
}

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

}  // namespace

std::u16string Utf8ToUtf16(std::string_view utf8) {
  const auto* s = reinterpret_cast<const unsigned char*>(utf8.data());
  const std::size_t n = utf8.size();
  std::u16string out;
  out.reserve(n);
  std::size_t i = 0;
  while (i < n) {
    const unsigned char b = s[i];
    int extra;
    char32_t cp, minimum;
    if (b < 0x80) { out.push_back(b); ++i; continue; }
    if (b >= 0xC2 && b <= 0xDF) { extra = 1; cp = b & 0x1F; minimum = 0x80; }
    else if (b >= 0xE0 && b <= 0xEF) { extra = 2; cp = b & 0x0F; minimum = 0x800; }
    else if (b >= 0xF0 && b <= 0xF4) { extra = 3; cp = b & 0x07; minimum = 0x10000; }
    else { out.push_back(static_cast<char16_t>(kUtfSubstitute)); ++i; continue; }
    // Take continuation bytes while they come; a short or invalid sequence is one
    // substitute for the bytes read so far.
    std::size_t j = i + 1;
    int taken = 0;
    while (taken < extra && j < n && IsContinuation(s[j])) {
      cp = (cp << 6) | (s[j] & 0x3F);
      ++j;
      ++taken;
    }
    const bool valid = taken == extra && cp >= minimum && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
    AppendUtf16(out, valid ? cp : kUtfSubstitute);
    i = j;
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  std::string out(utf16.size() * 3, '\0');  // a pair of units takes 4 bytes, one unit at most 3
  char* at = out.data();
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    char32_t cp = utf16[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = kUtfSubstitute;
    }
    at = PutUtf8(at, cp);
  }
  out.resize(static_cast<std::size_t>(at - out.data()));
  return out;
}

}  // namespace ovx
