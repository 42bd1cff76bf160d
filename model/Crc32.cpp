#include "model/Crc32.h"

#include <array>

namespace ovx {

namespace {

constexpr std::array<std::uint32_t, 256> MakeTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}

constexpr std::array<std::uint32_t, 256> kTable = MakeTable();

}  // namespace

void TCrc32::Add(const std::uint8_t* data, std::size_t count) {
  std::uint32_t c = state_;
  for (std::size_t i = 0; i < count; ++i) c = kTable[(c ^ data[i]) & 0xFF] ^ (c >> 8);
  state_ = c;
}

}  // namespace ovx
