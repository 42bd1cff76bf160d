#include "charset/CharConv.h"

#include "charset/UnicodeTable.h"

namespace ovx {
namespace {

constexpr unsigned HighByte(TCharCode code) { return code >> 8; }
constexpr unsigned LowByte(TCharCode code) { return code & 0xFFu; }

// Lead bytes that map onto JIS rows 0x21..0x7E (the user-defined area is excluded).
constexpr bool IsLeadByte(unsigned b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xEF); }
constexpr bool IsTrailByte(unsigned b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }
constexpr bool IsHanKana(unsigned b) { return b >= 0xA1 && b <= 0xDF; }
constexpr bool IsJisByte(unsigned b) { return b >= 0x21 && b <= 0x7E; }

constexpr std::uint8_t kVoicedMark = 0xDE;
constexpr std::uint8_t kSemiVoicedMark = 0xDF;

// Full-width Shift-JIS code of the half-width katakana s[i]; a following mark that
// combines with it is consumed by moving i onto it.
TCharCode ZenKanaAt(const unsigned char* s, std::size_t n, std::size_t& i) {
  const unsigned b = s[i];
  const TCharCode full = HanKanaTable[b - 0xA1];
  if (i + 1 >= n) return full;
  const unsigned mark = s[i + 1];
  if (mark == kVoicedMark) {
    if (b == 0xB3) { ++i; return 0x8394; }  // ｳﾞ is ヴ, away from ウ in the table
    if ((b >= 0xB6 && b <= 0xC4) || (b >= 0xCA && b <= 0xCE)) { ++i; return full + 1; }
  } else if (mark == kSemiVoicedMark && b >= 0xCA && b <= 0xCE) {
    ++i;
    return full + 2;
  }
  return full;
}

const unsigned char* Bytes(std::string_view s) { return reinterpret_cast<const unsigned char*>(s.data()); }

void AppendPair(std::string& out, TCharCode code) {
  out.push_back(static_cast<char>(HighByte(code)));
  out.push_back(static_cast<char>(LowByte(code)));
}

void AppendUnit(std::string& out, TCharCode unit) {
  out.push_back(static_cast<char>(LowByte(unit)));
  out.push_back(static_cast<char>(HighByte(unit)));
}

}  // namespace

bool IsSJisChar(TCharCode code) { return IsLeadByte(HighByte(code)) && IsTrailByte(LowByte(code)); }

bool IsJisChar(TCharCode code) { return IsJisByte(HighByte(code)) && IsJisByte(LowByte(code)); }

bool IsEucChar(TCharCode code) {
  const unsigned hi = HighByte(code), lo = LowByte(code);
  return hi >= 0xA1 && hi <= 0xFE && lo >= 0xA1 && lo <= 0xFE;
}

bool IsUnicodeChar(TCharCode unit) { return UnicodeToJis(unit) != 0; }

TCharCode SJisToJis(TCharCode code) {
  unsigned hi = HighByte(code), lo = LowByte(code);
  if (hi == 0) return code;
  hi = (hi <= 0x9F ? hi - 0x71 : hi - 0xB1) * 2 + 1;
  if (lo > 0x7F) --lo;  // trail bytes skip 0x7F
  if (lo >= 0x9E) {     // second half of a row pair: even JIS row
    lo -= 0x7D;
    ++hi;
  } else {
    lo -= 0x1F;
  }
  return static_cast<TCharCode>(((hi << 8) | (lo & 0xFFu)) & 0x7F7Fu);
}

TCharCode JisToSJis(TCharCode code) {
  unsigned hi = HighByte(code), lo = LowByte(code);
  if (hi == 0) return code;
  if (hi & 1u) {
    lo += lo <= 0x5F ? 0x1F : 0x20;  // skip 0x7F
  } else {
    lo += 0x7E;
  }
  hi = ((hi + 1) >> 1) + (hi <= 0x5E ? 0x70 : 0xB0);
  return static_cast<TCharCode>(((hi & 0xFFu) << 8) | (lo & 0xFFu));
}

TCharCode JisToEuc(TCharCode code) {
  if (HighByte(code) != 0) return code | 0x8080u;
  if (IsHanKana(code)) return 0x8E00u | code;
  return code;
}

TCharCode EucToJis(TCharCode code) {
  const unsigned hi = HighByte(code);
  if (hi == 0) return code;
  if (hi == 0x8E) return static_cast<TCharCode>(LowByte(code));
  return code & 0x7F7Fu;
}

TCharCode JisToUnicode(TCharCode code) {
  const unsigned hi = HighByte(code), lo = LowByte(code);
  if (hi != 0) {
    if (!IsJisByte(hi) || !IsJisByte(lo)) return 0;
    return JisToUnicodeTable[(hi - 0x21) * kJisRowSize + (lo - 0x21)];
  }
  if (lo == 0x5C) return 0x00A5;  // JIS X 0201 Roman: YEN SIGN
  if (lo == 0x7E) return 0x203E;  // and OVERLINE
  if (lo < 0x80) return code;
  if (IsHanKana(lo)) return static_cast<TCharCode>(lo - 0xA1 + 0xFF61);
  return 0;
}

TCharCode UnicodeToJis(TCharCode unit) {
  const std::uint16_t* page = UnicodeToJisPages[HighByte(unit)];
  return page ? page[LowByte(unit)] : 0;
}

TCharCode SJisToEuc(TCharCode code) { return JisToEuc(SJisToJis(code)); }
TCharCode SJisToUnicode(TCharCode code) { return JisToUnicode(SJisToJis(code)); }
TCharCode EucToSJis(TCharCode code) { return JisToSJis(EucToJis(code)); }
TCharCode UnicodeToSJis(TCharCode unit) { return JisToSJis(UnicodeToJis(unit)); }

std::string HanKanaToZenKana(std::string_view text, int& position) {
  if (position < 1 || static_cast<std::size_t>(position) > text.size()) return {};
  std::size_t i = static_cast<std::size_t>(position) - 1;
  if (!IsHanKana(Bytes(text)[i])) return {};
  std::string out;
  AppendPair(out, ZenKanaAt(Bytes(text), text.size(), i));
  position = static_cast<int>(i + 1);
  return out;
}

std::string SJisStrToJis(std::string_view sjis) {
  static constexpr char kToKanji[] = {0x1B, 0x24, 0x42};  // ESC $ B: JIS X 0208
  static constexpr char kToRoman[] = {0x1B, 0x28, 0x4A};  // ESC ( J: JIS X 0201 Roman
  const unsigned char* s = Bytes(sjis);
  const std::size_t n = sjis.size();
  std::string out;
  out.reserve(n + n / 4 + 8);
  bool twoByte = false;
  auto enterTwoByte = [&] {
    if (!twoByte) out.append(kToKanji, 3);
    twoByte = true;
  };
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned b = s[i];
    if (b < 0x80) {
      if (twoByte) out.append(kToRoman, 3);
      twoByte = false;
      out.push_back(static_cast<char>(b));
    } else if (IsHanKana(b)) {
      enterTwoByte();
      AppendPair(out, SJisToJis(ZenKanaAt(s, n, i)));
    } else if (IsLeadByte(b) && i + 1 < n && IsTrailByte(s[i + 1])) {
      enterTwoByte();
      AppendPair(out, SJisToJis(static_cast<TCharCode>((b << 8) | s[i + 1])));
      ++i;
    }
    // A lead byte without a valid second byte, and any other byte, is dropped.
  }
  if (twoByte) out.append(kToRoman, 3);
  return out;
}

std::string SJisStrToEuc(std::string_view sjis) {
  const unsigned char* s = Bytes(sjis);
  const std::size_t n = sjis.size();
  std::string out;
  out.reserve(n + n / 4 + 8);
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned b = s[i];
    if (b < 0x80) {
      out.push_back(static_cast<char>(b));
    } else if (IsHanKana(b)) {
      out.push_back(static_cast<char>(0x8E));
      out.push_back(static_cast<char>(b));
    } else if (IsLeadByte(b)) {
      if (i + 1 < n && IsTrailByte(s[i + 1])) {
        AppendPair(out, SJisToEuc(static_cast<TCharCode>((b << 8) | s[i + 1])));
        ++i;
      } else {
        out.push_back(' ');  // keeps the place of the broken character
      }
    }
  }
  return out;
}

std::string SJisStrToUnicode(std::string_view sjis) {
  const unsigned char* s = Bytes(sjis);
  const std::size_t n = sjis.size();
  std::string out;
  out.reserve(2 * n);
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned b = s[i];
    TCharCode unit = 0;
    if (b < 0x80 || IsHanKana(b)) {
      unit = JisToUnicode(static_cast<TCharCode>(b));
    } else if (IsLeadByte(b) && i + 1 < n && IsTrailByte(s[i + 1])) {
      unit = SJisToUnicode(static_cast<TCharCode>((b << 8) | s[i + 1]));
      ++i;
    }
    AppendUnit(out, unit);
  }
  return out;
}

bool CharToDisplayCode(TCharaSet charaset, TCharCode& pair) {
  switch (charaset) {
    case csSJis:
      return IsSJisChar(pair);
    case csJis:
      if (!IsJisChar(pair)) return false;
      pair = JisToSJis(pair);
      return true;
    case csEuc:
      if (!IsEucChar(pair)) return false;
      pair = EucToSJis(pair);
      return true;
    case csUnicode: {
      // The first data byte is the low byte of the little-endian code unit.
      const TCharCode unit = static_cast<TCharCode>((pair >> 8) | ((pair & 0xFFu) << 8));
      if (!IsUnicodeChar(unit)) return false;
      const TCharCode code = UnicodeToSJis(unit);
      pair = HighByte(code) == 0 ? static_cast<TCharCode>((code << 8) | 0x20) : code;
      return true;
    }
    case csAscii:
    default:
      return false;
  }
}

bool IsDisplayableByte(std::uint8_t byte) {
  return (byte >= 0x20 && byte <= 0x5F) || (byte >= 0x61 && byte <= 0x7E) || IsHanKana(byte);
}

}  // namespace ovx
