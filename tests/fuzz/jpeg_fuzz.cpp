// libFuzzer target: any bytes as the product picture. Decoding either fails or gives a picture
// whose pixel buffer holds exactly width x height pixels within the allowed size.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "app/JpegPicture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::optional<ovx::TRgbPicture> picture = ovx::DecodeJpeg(data, size);
  if (!picture) return 0;
  if (picture->width <= 0 || picture->height <= 0 || picture->width > ovx::MaxPictureSide ||
      picture->height > ovx::MaxPictureSide)
    std::abort();
  if (picture->bgr.size() != static_cast<std::size_t>(picture->width) * picture->height * 3) std::abort();
  return 0;
}
