#include "view/RotationSteps.h"

#include <algorithm>
#include <limits>

namespace ovx {

std::vector<std::int32_t> RotationSteps(bool left, std::int64_t count, int unitBits, std::int32_t rangeBytes) {
  std::vector<std::int32_t> steps;
  if (count <= 0 || unitBits <= 0 || rangeBytes <= 0) return steps;
  const std::int64_t unitsInRange = std::int64_t{8} * rangeBytes / unitBits;
  std::int64_t bits = count % unitsInRange * unitBits;
  constexpr std::int64_t kLargestStep = std::numeric_limits<std::int32_t>::max();
  while (bits > 0) {
    const auto step = static_cast<std::int32_t>(std::min(bits, kLargestStep));
    steps.push_back(left ? -step : step);
    bits -= step;
  }
  return steps;
}

}  // namespace ovx
