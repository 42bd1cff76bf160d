#include "charset/SearchCodes.h"

#include "charset/CharConv.h"
#include "charset/SJisBytes.h"
#include "charset/StrUty.h"

namespace ovx {

namespace {

constexpr bool IsSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDFFF; }
constexpr bool IsHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
constexpr bool IsLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

std::string NotIn(std::u16string_view text, std::size_t i, TSearchCode code) {
  std::size_t n = IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]) ? 2 : 1;
  return "「" + Utf16ToUtf8(text.substr(i, n)) + "」は " + SearchCodeName(code) + " にありません";
}

// The JIS X 0208 code (high byte set) or the half-width katakana byte of a unit; 0 for none.
// ASCII is handled by the caller: a JIS X 0201 Roman byte stands for another character.
TCharCode JisOf(char16_t unit) {
  if (IsSurrogate(unit)) return 0;
  const TCharCode code = UnicodeToJis(unit);
  if (sjis::HighByte(code) == 0 && !sjis::IsHanKana(code)) return 0;
  return code;
}

void Put16(std::string& out, unsigned code) {
  out += static_cast<char>(code >> 8);
  out += static_cast<char>(code & 0xFF);
}

TCodeForm EncodeJis(std::u16string_view text) {
  TCodeForm form;
  // Runs of one-byte and two-byte characters.
  std::vector<std::pair<bool, std::string>> runs;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t u = text[i];
    const bool twoByte = u >= 0x80;
    TCharCode code = 0;
    if (twoByte) {
      code = JisOf(u);
      if (code == 0 || sjis::HighByte(code) == 0) {
        form.why = NotIn(text, i, scJis);
        return form;
      }
    }
    if (runs.empty() || runs.back().first != twoByte) runs.push_back({twoByte, {}});
    if (twoByte) Put16(runs.back().second, code);
    else runs.back().second += static_cast<char>(u);
  }
  form.carried = true;
  const char* escapes[2][2] = {{"\x1B$B", "\x1B(B"}, {"\x1B$@", "\x1B(J"}};
  for (int v = 0; v < (runs.size() > 1 ? 2 : 1); ++v) {
    std::string p;
    for (std::size_t r = 0; r < runs.size(); ++r) {
      if (r > 0) p += escapes[v][runs[r].first ? 0 : 1];
      p += runs[r].second;
    }
    form.patterns.push_back(std::move(p));
  }
  return form;
}

void PutUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

char16_t Shown(char32_t c) { return c < 0x20 || c == 0x7F || c == 0 ? u'.' : static_cast<char16_t>(c); }

}  // namespace

const char* SearchCodeName(TSearchCode code) {
  static const char* const kNames[SearchCodeCount] = {"ASCII", "Shift-JIS", "EUC-JP", "JIS", "UTF-16LE", "UTF-8"};
  return code < SearchCodeCount ? kNames[code] : "";
}

TCodeForm EncodeForSearch(std::u16string_view text, TSearchCode code) {
  if (code == scJis) return EncodeJis(text);
  TCodeForm form;
  std::string bytes;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t u = text[i];
    switch (code) {
      case scUtf16:
        bytes += static_cast<char>(u & 0xFF);
        bytes += static_cast<char>(u >> 8);
        continue;
      case scUtf8: {
        char32_t c = u;
        if (IsHighSurrogate(u) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
          c = 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (text[i + 1] - 0xDC00);
          ++i;
        } else if (IsSurrogate(u)) {
          form.why = "対になっていないサロゲートは UTF-8 にありません";
          return form;
        }
        PutUtf8(bytes, c);
        continue;
      }
      default:
        break;
    }
    if (u < 0x80) {
      bytes += static_cast<char>(u);
      continue;
    }
    const TCharCode jis = code == scAscii ? 0 : JisOf(u);
    if (jis == 0) {
      form.why = NotIn(text, i, code);
      return form;
    }
    const TCharCode c = code == scSJis ? JisToSJis(jis) : JisToEuc(jis);
    if (sjis::HighByte(c) != 0) Put16(bytes, c);
    else bytes += static_cast<char>(c);
  }
  form.carried = true;
  form.patterns.push_back(std::move(bytes));
  return form;
}

std::u16string DecodeForDisplay(const std::uint8_t* b, std::size_t n, TSearchCode code, bool kanjiMode) {
  std::u16string out;
  std::size_t i = 0;
  auto single = [&](std::uint8_t c) { out += Shown(c < 0x80 ? c : u'.'); };
  while (i < n) {
    const std::uint8_t c = b[i];
    char32_t u = 0;
    std::size_t used = 1;
    switch (code) {
      case scAscii:
        break;
      case scSJis:
        if (sjis::IsLeadByte(c) && i + 1 < n && sjis::IsTrailByte(b[i + 1])) {
          u = SJisToUnicode(static_cast<TCharCode>(c << 8 | b[i + 1]));
          used = 2;
        } else if (sjis::IsHanKana(c)) {
          u = sjis::SingleByteToUnicode(c);
        }
        break;
      case scEuc:
        if (c == 0x8E && i + 1 < n && sjis::IsHanKana(b[i + 1])) {
          u = sjis::SingleByteToUnicode(b[i + 1]);
          used = 2;
        } else if (c >= 0xA1 && c <= 0xFE && i + 1 < n && b[i + 1] >= 0xA1 && b[i + 1] <= 0xFE) {
          u = JisToUnicode(static_cast<TCharCode>((c & 0x7F) << 8 | (b[i + 1] & 0x7F)));
          used = 2;
        }
        break;
      case scJis:
        if (c == 0x1B && i + 2 < n && (b[i + 1] == '$' || b[i + 1] == '(')) {
          kanjiMode = b[i + 1] == '$';
          for (std::size_t k = 0; k < 3; ++k) out += u'.';
          i += 3;
          continue;
        }
        if (kanjiMode && sjis::IsJisByte(c) && i + 1 < n && sjis::IsJisByte(b[i + 1])) {
          u = JisToUnicode(static_cast<TCharCode>(c << 8 | b[i + 1]));
          used = 2;
        }
        break;
      case scUtf16:
        if (i + 1 < n) {
          const char16_t w = static_cast<char16_t>(c | b[i + 1] << 8);
          u = IsSurrogate(w) ? 0 : w;
          used = 2;
        }
        break;
      case scUtf8: {
        std::size_t len = c >= 0xF0 && c < 0xF5 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c < 0xE0 ? 2 : 1;
        if (len > 1 && i + len <= n) {
          const std::u16string s = Utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(b + i), len));
          if (!s.empty() && s[0] != kUtfSubstitute) {
            out += s;
            i += len;
            continue;
          }
        }
        break;
      }
      default:
        break;
    }
    if (u != 0 && u < 0x10000) {
      out += Shown(u);
      i += used;
    } else {
      if (used == 2) out += u'.';
      single(c);
      i += used;
    }
  }
  return out;
}

}  // namespace ovx
