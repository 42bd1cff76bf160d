// Byte classes of Shift-JIS text and the lookup tables the string conversions
// share with the code conversions (internal to charset/).
#pragma once

#include <cstddef>
#include <cstdint>

#include "charset/CharConv.h"

namespace ovx::sjis {

constexpr unsigned HighByte(TCharCode code) { return code >> 8; }
constexpr unsigned LowByte(TCharCode code) { return code & 0xFFu; }

// Lead bytes that map onto JIS rows 0x21..0x7E (the user-defined area is excluded).
constexpr bool IsLeadByte(unsigned b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xEF); }
constexpr bool IsTrailByte(unsigned b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }
constexpr bool IsHanKana(unsigned b) { return b >= 0xA1 && b <= 0xDF; }
constexpr bool IsJisByte(unsigned b) { return b >= 0x21 && b <= 0x7E; }

// Row/cell arithmetic of Shift-JIS to JIS X 0208 for any code; masked to 7 bits.
constexpr TCharCode PairToJis(TCharCode code) {
  unsigned hi = HighByte(code), lo = LowByte(code);
  // Each lead byte covers two JIS rows: second bytes from 0x9F on are the even row.
  // Trail bytes skip 0x7F. Written without branches on the data: text is random.
  const unsigned evenRow = lo >= 0x9F;
  hi = (hi - (hi <= 0x9F ? 0x71u : 0xB1u)) * 2 + 1 + evenRow;
  lo = evenRow ? lo - 0x7E : lo - 0x1F - (lo > 0x7F);
  return static_cast<TCharCode>(((hi << 8) | (lo & 0xFFu)) & 0x7F7Fu);
}

// JIS X 0201 byte to Unicode: Roman with YEN SIGN and OVERLINE, katakana; 0 elsewhere.
constexpr TCharCode SingleByteToUnicode(unsigned b) {
  if (b == 0x5C) return 0x00A5;
  if (b == 0x7E) return 0x203E;
  if (b < 0x80) return static_cast<TCharCode>(b);
  if (IsHanKana(b)) return static_cast<TCharCode>(b - 0xA1 + 0xFF61);
  return 0;
}

// Per-byte tables for the string conversions, derived from the functions above.
inline constexpr std::uint16_t kNoTrail = 0xFFFF;
struct ByteTables {
  std::uint16_t jisOfLead[256];   // JIS code of lead byte + 0x40 (odd row, cell 0x21); 0 if no lead
  std::uint16_t trailOffset[256]; // added to jisOfLead: row step and cell; kNoTrail if no trail
  std::uint16_t singleUnicode[256];
};

constexpr ByteTables MakeByteTables() {
  ByteTables t{};
  for (unsigned b = 0; b < 256; ++b) {
    t.jisOfLead[b] = IsLeadByte(b) ? PairToJis(static_cast<TCharCode>(b << 8 | 0x40)) : 0;
    t.trailOffset[b] = IsTrailByte(b) ? static_cast<std::uint16_t>(PairToJis(static_cast<TCharCode>(0x81 << 8 | b)) - 0x2121)
                                      : kNoTrail;
    t.singleUnicode[b] = SingleByteToUnicode(b);
  }
  return t;
}
inline constexpr ByteTables kByteTables = MakeByteTables();

// JIS code of the pair at s[i], s[i + 1] when s[i] is a lead byte (jisOfLead != 0)
// with a valid second byte; 0 otherwise.
inline TCharCode JisOfPairAt(unsigned jisOfLead, const unsigned char* s, std::size_t n, std::size_t i) {
  if (i + 1 >= n) return 0;
  const std::uint16_t offset = kByteTables.trailOffset[s[i + 1]];
  return offset == kNoTrail ? 0 : static_cast<TCharCode>(jisOfLead + offset);
}

// Full-width Shift-JIS code of the half-width katakana s[i]; a following mark that
// combines with it is consumed by moving i onto it.
TCharCode ZenKanaAt(const unsigned char* s, std::size_t n, std::size_t& i);

}  // namespace ovx::sjis
