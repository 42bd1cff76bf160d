#include "view/ViewClipboard.h"

#include <algorithm>

namespace ovx {

std::vector<std::uint8_t> EncodeClipboardBlock(const std::uint8_t* data, std::int32_t n) {
  n = std::max(n, 0);
  std::vector<std::uint8_t> block(static_cast<std::size_t>(n) + 4, 0);
  const auto v = static_cast<std::uint32_t>(n);
  for (int i = 0; i < 4; ++i) block[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
  if (n > 0 && data) std::copy_n(data, n, block.begin() + 4);
  return block;
}

std::vector<std::uint8_t> DecodeClipboardBlock(const std::vector<std::uint8_t>& block) {
  if (block.size() < 4) return {};
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(block[static_cast<std::size_t>(i)]) << (8 * i);
  const auto n = static_cast<std::int32_t>(v);
  if (n <= 0) return {};
  // Never read past what the clipboard actually holds.
  const std::size_t take = std::min<std::size_t>(static_cast<std::size_t>(n), block.size() - 4);
  return std::vector<std::uint8_t>(block.begin() + 4, block.begin() + 4 + static_cast<std::ptrdiff_t>(take));
}

}  // namespace ovx
