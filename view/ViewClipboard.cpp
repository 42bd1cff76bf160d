#include "view/ViewClipboard.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace ovx {
namespace {

// A count of bytes present, as far as a document can take them.
std::int32_t CountOf(std::size_t size) {
  return static_cast<std::int32_t>(std::min<std::size_t>(size, std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

std::size_t ClipboardBlockSize(std::int32_t n) {
  return kClipboardBlockHeader + static_cast<std::size_t>(std::max(n, 0));
}

void WriteClipboardBlockHeader(std::uint8_t* block, std::int32_t n) {
  const auto v = static_cast<std::uint32_t>(std::max(n, 0));
  for (std::size_t i = 0; i < kClipboardBlockHeader; ++i) block[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

TClipboardBytes ClipboardBlockBytes(const std::uint8_t* block, std::size_t size) {
  if (block == nullptr || size < kClipboardBlockHeader) return {};
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < kClipboardBlockHeader; ++i) v |= static_cast<std::uint32_t>(block[i]) << (8 * i);
  const auto n = static_cast<std::int32_t>(v);
  if (n <= 0) return {};
  // Never read past what the clipboard actually holds.
  return {block + kClipboardBlockHeader, std::min(n, CountOf(size - kClipboardBlockHeader))};
}

TClipboardBytes ClipboardTextBytes(const std::uint8_t* text, std::size_t size) {
  if (text == nullptr) return {};
  const void* nul = std::memchr(text, 0, size);
  const std::size_t length = nul ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(nul) - text) : size;
  return {text, CountOf(length)};
}

}  // namespace ovx
