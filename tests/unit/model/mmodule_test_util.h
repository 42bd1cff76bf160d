// Helpers shared by the memory module tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/MModule.h"

namespace ovx::test {

inline std::vector<std::uint8_t> Bytes(std::initializer_list<int> values) {
  std::vector<std::uint8_t> out;
  for (int v : values) out.push_back(static_cast<std::uint8_t>(v));
  return out;
}

inline std::vector<std::uint8_t> Pattern(std::size_t n, unsigned seed = 1) {
  std::vector<std::uint8_t> out(n);
  for (std::size_t i = 0; i < n; ++i) out[i] = static_cast<std::uint8_t>((i * 31 + seed * 7 + (i >> 8)) & 0xFF);
  return out;
}

inline std::vector<std::uint8_t> Content(const TMemoryModule& m) {
  std::vector<std::uint8_t> out(static_cast<std::size_t>(m.Size()));
  m.ReadData(out.data(), 0, m.Size());
  return out;
}

inline void Fill(TMemoryModule& m, const std::vector<std::uint8_t>& bytes) {
  m.Clear();
  m.InsertData(bytes.data(), 0, static_cast<std::int32_t>(bytes.size()));
}

// Every chained block holds 1..4096 bytes, links agree both ways, free descriptors are
// clean, the counters match the chain, and the address index agrees. Empty when all hold.
std::string ChainProblems(const TMemoryModule& m);

}  // namespace ovx::test
