// Shift-JIS <-> UTF-16 without the platform: the core's own tables, laid out as
// code page 932 lays out the same characters, so that texts compare equal on
// every platform (vendor extensions aside).
#include "charset/CharConv.h"
#include "charset/StrUty.h"
#include "charset/UnicodeTable.h"

namespace ovx {
namespace {

// The seven JIS X 0208 cells that code page 932 maps to other code points than
// the standard table does.
struct CellVariant {
  TCharCode sjis;
  char16_t unit;
};
constexpr CellVariant kCodePageVariants[] = {
    {0x815F, u'\uFF3C'},  // ＼ FULLWIDTH REVERSE SOLIDUS
    {0x8160, u'\uFF5E'},  // ～ FULLWIDTH TILDE
    {0x8161, u'\u2225'},  // ∥ PARALLEL TO
    {0x817C, u'\uFF0D'},  // － FULLWIDTH HYPHEN-MINUS
    {0x8191, u'\uFFE0'},  // ￠ FULLWIDTH CENT SIGN
    {0x8192, u'\uFFE1'},  // ￡ FULLWIDTH POUND SIGN
    {0x81CA, u'\uFFE2'},  // ￢ FULLWIDTH NOT SIGN
};

constexpr bool IsLead(unsigned b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
constexpr bool IsTrail(unsigned b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

char16_t DecodePair(TCharCode sjis) {
  if ((sjis >> 8) == 0x81) {
    for (const CellVariant& v : kCodePageVariants)
      if (v.sjis == sjis) return v.unit;
  }
  if (!IsSJisChar(sjis)) return kSJisDecodeSubstitute;  // user-defined area
  const TCharCode unit = SJisToUnicode(sjis);
  return unit != 0 ? static_cast<char16_t>(unit) : kSJisDecodeSubstitute;
}

// Shift-JIS code of a code unit: a byte (high byte 0) or a pair; 0 when none.
TCharCode EncodeUnit(char16_t unit) {
  if (unit < 0x80) return unit;  // ASCII, the backslash included
  if (unit >= 0xFF61 && unit <= 0xFF9F) return static_cast<TCharCode>(unit - 0xFF61 + 0xA1);
  for (const CellVariant& v : kCodePageVariants)
    if (v.unit == unit) return v.sjis;
  const TCharCode jis = UnicodeToJis(unit);
  // The standard forms of the seven cells are accepted too; single-byte JIS X 0201
  // mappings (U+00A5, U+203E) are not Shift-JIS of this code page.
  return jis > 0xFF ? JisToSJis(jis) : 0;
}

}  // namespace

std::u16string SJisToUtf16(std::string_view sjis) {
  const auto* s = reinterpret_cast<const unsigned char*>(sjis.data());
  const std::size_t n = sjis.size();
  std::u16string out(n, u'\0');  // never more units than bytes
  char16_t* at = out.data();
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned b = s[i];
    if (b < 0x80) {
      *at++ = static_cast<char16_t>(b);
    } else if (b >= 0xA1 && b <= 0xDF) {
      *at++ = static_cast<char16_t>(b - 0xA1 + 0xFF61);
    } else if (IsLead(b) && i + 1 < n && IsTrail(s[i + 1])) {
      *at++ = DecodePair(static_cast<TCharCode>((b << 8) | s[i + 1]));
      ++i;
    } else {
      *at++ = kSJisDecodeSubstitute;
    }
  }
  out.resize(static_cast<std::size_t>(at - out.data()));
  return out;
}

std::string Utf16ToSJis(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size() * 2);
  for (char16_t unit : utf16) {
    const TCharCode code = unit == 0 ? 0 : EncodeUnit(unit);
    if (unit != 0 && code == 0) {
      out.push_back(kSJisEncodeSubstitute);
    } else if (code > 0xFF) {
      out.push_back(static_cast<char>(code >> 8));
      out.push_back(static_cast<char>(code & 0xFF));
    } else {
      out.push_back(static_cast<char>(code));
    }
  }
  return out;
}

}  // namespace ovx
