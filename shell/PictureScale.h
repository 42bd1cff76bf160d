// Pictures drawn for 96 DPI made larger for a higher DPI: each new pixel is the average of the
// old pixels it covers, so lines stay smooth instead of doubling unevenly.
#pragma once

#include <cstdint>
#include <vector>

namespace ovx {

// pixels: width × height colours (0x00RRGGBB), rows from the top; those equal to mask are
// transparent. A new pixel at least half covered by coloured pixels takes their average colour,
// any other is mask. Sizes that do not match the pixels give an empty result.
std::vector<std::uint32_t> ScaleMaskedPicture(const std::vector<std::uint32_t>& pixels, int width, int height,
                                              int toWidth, int toHeight, std::uint32_t mask);

}  // namespace ovx
