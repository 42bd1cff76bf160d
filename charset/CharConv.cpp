#include "charset/CharConv.h"

#include "charset/SJisBytes.h"
#include "charset/UnicodeTable.h"

namespace ovx {

using namespace sjis;

namespace {

constexpr std::uint8_t kVoicedMark = 0xDE;
constexpr std::uint8_t kSemiVoicedMark = 0xDF;

const unsigned char* Bytes(std::string_view s) { return reinterpret_cast<const unsigned char*>(s.data()); }

}  // namespace

TCharCode sjis::ZenKanaAt(const unsigned char* s, std::size_t n, std::size_t& i) {
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

bool IsSJisChar(TCharCode code) { return IsLeadByte(HighByte(code)) && IsTrailByte(LowByte(code)); }

bool IsJisChar(TCharCode code) { return IsJisByte(HighByte(code)) && IsJisByte(LowByte(code)); }

bool IsEucChar(TCharCode code) {
  const unsigned hi = HighByte(code), lo = LowByte(code);
  return hi >= 0xA1 && hi <= 0xFE && lo >= 0xA1 && lo <= 0xFE;
}

bool IsUnicodeChar(TCharCode unit) { return UnicodeToJis(unit) != 0; }

TCharCode SJisToJis(TCharCode code) { return HighByte(code) == 0 ? code : PairToJis(code); }

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
  return SingleByteToUnicode(lo);
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
  const TCharCode full = ZenKanaAt(Bytes(text), text.size(), i);
  position = static_cast<int>(i + 1);
  return {static_cast<char>(HighByte(full)), static_cast<char>(LowByte(full))};
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
