// CRC-32 with the reflected polynomial 0xEDB88320 (the checksum of PNG chunks and ZIP entries),
// computed over data that may arrive in pieces.
#pragma once

#include <cstddef>
#include <cstdint>

namespace ovx {

class TCrc32 {
 public:
  void Add(const std::uint8_t* data, std::size_t count);
  std::uint32_t Value() const { return ~state_; }

 private:
  std::uint32_t state_ = 0xFFFFFFFFu;
};

}  // namespace ovx
