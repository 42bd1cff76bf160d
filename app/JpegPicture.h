// Decoding of the JPEG pictures the program carries (the version dialog's product picture).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace ovx {

// A decoded picture: rows top to bottom, three bytes per pixel in blue, green, red order.
struct TRgbPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bgr;
};

// Pictures larger than this on either side are refused rather than decoded.
constexpr int MaxPictureSide = 4096;

// The picture, or none when the bytes are not a JPEG the decoder can read whole. Never throws,
// never writes to the console.
std::optional<TRgbPicture> DecodeJpeg(const std::uint8_t* data, std::size_t size);

}  // namespace ovx
