#include "editor/InformationPanelTexts.h"

#include <cstdio>

namespace ovx {
namespace {

std::string Format(const char* format, std::uint32_t a, std::uint32_t b = 0, std::uint32_t c = 0,
                   std::uint32_t d = 0) {
  char text[32];
  std::snprintf(text, sizeof text, format, a, b, c, d);
  return text;
}

// An address or a size: "%8.8xh" and its decimal.
TInformationValue Counted(std::int64_t n) {
  return {Format("%8.8xh", static_cast<std::uint32_t>(n)), std::to_string(n)};
}

std::string Bits(std::uint8_t b) {
  std::string text;
  for (int bit = 7; bit >= 0; --bit) {
    text += (b >> bit & 1) ? '1' : '0';
    if (bit == 4) text += ',';
  }
  return text;
}

}  // namespace

TInformationTexts InformationTexts(const TInformationInput& in) {
  TInformationTexts t;
  t.address = Counted(in.caretAddress);
  t.fileSize = Counted(in.size);
  t.range = Counted(in.selectionStart >= 0 ? in.selectionEnd - in.selectionStart : 0);
  const std::uint8_t* b = in.bytes;
  const bool big = in.byteOrder == 1;
  t.bit.hex = in.available >= 1 ? Bits(b[0]) : "----,----";
  t.byte = in.available >= 1 ? TInformationValue{Format("%2.2xh", b[0]), std::to_string(b[0])}
                             : TInformationValue{"--h", ""};
  if (in.available >= 2) {
    const std::uint32_t hi = big ? b[0] : b[1], lo = big ? b[1] : b[0];
    t.word = {Format("%2.2x%2.2xh", hi, lo), std::to_string(hi * 256 + lo)};
  } else {
    t.word = {"----h", ""};
  }
  if (in.available >= 4) {
    const std::uint32_t b0 = big ? b[0] : b[3], b1 = big ? b[1] : b[2], b2 = big ? b[2] : b[1],
                        b3 = big ? b[3] : b[0];
    t.dword = {Format("%2.2x%2.2x%2.2x%2.2xh", b0, b1, b2, b3), std::to_string(b0 << 24 | b1 << 16 | b2 << 8 | b3)};
  } else {
    t.dword = {"--------h", ""};
  }
  return t;
}

std::string InformationCopyText(const TInformationValue& value, bool bitBox) {
  return bitBox ? value.hex : value.hex + " (" + value.dec + ")";
}

TCaptureValues CaptureValuesOf(const TInformationInput& in) {
  TCaptureValues v;
  v.value = static_cast<std::uint32_t>(in.bytes[0]) | static_cast<std::uint32_t>(in.bytes[1]) << 8 |
            static_cast<std::uint32_t>(in.bytes[2]) << 16 | static_cast<std::uint32_t>(in.bytes[3]) << 24;
  v.address = in.caretAddress;
  v.size = in.size;
  return v;
}

}  // namespace ovx
