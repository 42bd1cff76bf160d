#include <gtest/gtest.h>

#include "shell/PictureScale.h"

namespace ovx {
namespace {

constexpr std::uint32_t M = 0xFF00FF;  // the transparent colour
constexpr std::uint32_t K = 0x000000, W = 0xFFFFFF, R = 0xC00000;

TEST(PictureScale, NewPixelsAverageWhatTheyCover) {
  struct Case {
    const char* name;
    std::vector<std::uint32_t> pixels;
    int width, height, toWidth, toHeight;
    std::uint32_t mask;
    std::vector<std::uint32_t> want;
  } cases[] = {
      {"same size: unchanged", {K, M, W, R}, 2, 2, 2, 2, M, {K, M, W, R}},
      {"one and a half: the middle pixel mixes both", {K, W}, 2, 1, 3, 1, M, {K, 0x808080, W}},
      {"half covered stays coloured, in the colour alone", {R, M}, 2, 1, 3, 1, M, {R, R, M}},
      {"a quarter covered is transparent", {R, M, M, M}, 2, 2, 3, 3, M, {R, R, M, R, M, M, M, M, M}},
      {"a mix equal to the mask is not transparent", {K, W}, 2, 1, 3, 1, 0x808080, {K, 0x808081, W}},
      {"doubled: every pixel twice", {K, R}, 2, 1, 4, 2, M, {K, K, R, R, K, K, R, R}},
      {"pixels that do not match the size", {K, W, R}, 2, 2, 3, 3, M, {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ScaleMaskedPicture(c.pixels, c.width, c.height, c.toWidth, c.toHeight, c.mask), c.want) << c.name;
}

}  // namespace
}  // namespace ovx
