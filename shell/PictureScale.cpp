#include "shell/PictureScale.h"

#include <algorithm>
#include <cstddef>

namespace ovx {
namespace {

// The share of each old pixel in new pixel i along one axis, in units of 1 / (from × to):
// new pixel i covers [i × from, (i + 1) × from) and old pixel s covers [s × to, (s + 1) × to).
struct TSpan {
  int first = 0;
  std::vector<long long> weights;
};

std::vector<TSpan> Spans(int from, int to) {
  std::vector<TSpan> spans(static_cast<std::size_t>(to));
  for (int i = 0; i < to; ++i) {
    const long long begin = static_cast<long long>(i) * from, end = begin + from;
    TSpan& span = spans[static_cast<std::size_t>(i)];
    span.first = static_cast<int>(begin / to);
    for (long long s = span.first; s * to < end; ++s)
      span.weights.push_back(std::min(end, (s + 1) * to) - std::max(begin, s * to));
  }
  return spans;
}

}  // namespace

std::vector<std::uint32_t> ScaleMaskedPicture(const std::vector<std::uint32_t>& pixels, int width, int height,
                                              int toWidth, int toHeight, std::uint32_t mask) {
  if (width <= 0 || height <= 0 || toWidth <= 0 || toHeight <= 0 ||
      pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
    return {};
  const std::vector<TSpan> across = Spans(width, toWidth), down = Spans(height, toHeight);
  const long long area = static_cast<long long>(width) * height;
  std::vector<std::uint32_t> out;
  out.reserve(static_cast<std::size_t>(toWidth) * static_cast<std::size_t>(toHeight));
  for (const TSpan& row : down) {
    for (const TSpan& column : across) {
      long long covered = 0, red = 0, green = 0, blue = 0;
      for (std::size_t dy = 0; dy < row.weights.size(); ++dy) {
        const std::size_t y = static_cast<std::size_t>(row.first) + dy;
        for (std::size_t dx = 0; dx < column.weights.size(); ++dx) {
          const std::uint32_t p = pixels[y * static_cast<std::size_t>(width) + static_cast<std::size_t>(column.first) + dx];
          if (p == mask) continue;
          const long long w = row.weights[dy] * column.weights[dx];
          covered += w;
          red += w * ((p >> 16) & 0xFF);
          green += w * ((p >> 8) & 0xFF);
          blue += w * (p & 0xFF);
        }
      }
      if (covered * 2 < area) {
        out.push_back(mask);
        continue;
      }
      auto mean = [covered](long long sum) { return static_cast<std::uint32_t>((sum + covered / 2) / covered); };
      std::uint32_t colour = mean(red) << 16 | mean(green) << 8 | mean(blue);
      // An average that happens to equal the mask would turn transparent: one step off instead.
      if (colour == mask) colour ^= 1;
      out.push_back(colour);
    }
  }
  return out;
}

}  // namespace ovx
