#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

#include "app/JpegPicture.h"

namespace ovx {
namespace {

// A JPEG of the given size: the left half red, the right half blue, at high quality.
std::vector<std::uint8_t> EncodeHalves(int width, int height) {
  jpeg_compress_struct info = {};
  jpeg_error_mgr error = {};
  info.err = jpeg_std_error(&error);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = width;
  info.image_height = height;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<std::uint8_t> row(static_cast<size_t>(width) * 3);
  for (int x = 0; x < width; ++x) {
    row[x * 3] = x < width / 2 ? 255 : 0;
    row[x * 3 + 2] = x < width / 2 ? 0 : 255;
  }
  while (info.next_scanline < info.image_height) {
    JSAMPROW p = row.data();
    jpeg_write_scanlines(&info, &p, 1);
  }
  jpeg_finish_compress(&info);
  std::vector<std::uint8_t> bytes(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  free(buffer);
  return bytes;
}

TEST(AppJpegPicture, DecodesToBlueGreenRedRowsTopDown) {
  const auto bytes = EncodeHalves(64, 16);
  auto picture = DecodeJpeg(bytes.data(), bytes.size());
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->width, 64);
  EXPECT_EQ(picture->height, 16);
  ASSERT_EQ(picture->bgr.size(), 64u * 16 * 3);
  const size_t lastRow = 15 * 64 * 3;
  // Left: red, stored as (blue, green, red); right: blue. JPEG is lossy: near, not equal.
  EXPECT_LT(picture->bgr[lastRow + 0], 40);
  EXPECT_GT(picture->bgr[lastRow + 2], 215);
  EXPECT_GT(picture->bgr[lastRow + 63 * 3 + 0], 215);
  EXPECT_LT(picture->bgr[lastRow + 63 * 3 + 2], 40);
}

TEST(AppJpegPicture, DamagedOrForeignBytesGiveNoPicture) {
  const auto good = EncodeHalves(256, 256);
  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
  };
  std::vector<Case> cases = {
      {"empty", {}},
      {"not a JPEG", {'B', 'M', 0, 1, 2, 3, 4, 5}},
      {"only the start marker", {0xFF, 0xD8}},
      {"cut in the header", std::vector<std::uint8_t>(good.begin(), good.begin() + 100)},
      {"cut in the data", std::vector<std::uint8_t>(good.begin(), good.end() - 20)},
      {"wider than allowed", EncodeHalves(MaxPictureSide + 1, 1)},
  };
  auto zeroed = good;
  for (size_t i = 2; i < 40; ++i) zeroed[i] = 0;
  cases.push_back({"header overwritten", zeroed});
  for (const Case& c : cases) EXPECT_FALSE(DecodeJpeg(c.bytes.data(), c.bytes.size())) << c.name;
  EXPECT_TRUE(DecodeJpeg(good.data(), good.size())) << "the uncut picture";
  EXPECT_TRUE(DecodeJpeg(EncodeHalves(MaxPictureSide, 1).data(), EncodeHalves(MaxPictureSide, 1).size()));
}

}  // namespace
}  // namespace ovx
