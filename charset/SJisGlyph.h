// Single bytes that code page 932 draws as a character of their own: the printable ASCII
// range, from the space to the tilde, and the half-width katakana. The controls, 0x7F, 0x80,
// 0xA0, lead bytes standing alone and 0xFD to 0xFF have no glyph.
#pragma once

#include <cstdint>

namespace ovx {

constexpr bool HasSingleByteGlyph(std::uint8_t byte) {
  return (byte >= 0x20 && byte <= 0x7E) || (byte >= 0xA1 && byte <= 0xDF);
}

}  // namespace ovx
