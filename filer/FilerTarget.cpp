#include "filer/FilerTarget.h"

#include <cstring>
#include <vector>

namespace ovx {

void PatchChangedBytes(TFilerTarget& target, const std::uint8_t* data, std::int32_t address, std::int32_t count) {
  if (count <= 0) return;
  std::vector<std::uint8_t> held(static_cast<std::size_t>(count));
  target.ReadData(held.data(), address, count);
  if (std::memcmp(held.data(), data, held.size()) != 0) target.PatchBytes(data, address, count);
}

}  // namespace ovx
