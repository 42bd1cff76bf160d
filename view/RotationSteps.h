// The amounts of the records that rotate a range: the edit record carries a signed 32-bit
// amount in bits, a rotation by whole bytes of a large range may need more.
#pragma once

#include <cstdint>
#include <vector>

namespace ovx {

// The signed bit amounts (right positive, left negative) of the records that rotate a range of
// rangeBytes bytes by count units of unitBits bits each (1 for bits, 8 for bytes). The count is
// reduced modulo the range before it is multiplied, so any count rotates exactly; an amount
// beyond 32 bits is split. Empty when the rotation leaves the range as it is.
std::vector<std::int32_t> RotationSteps(bool left, std::int64_t count, int unitBits, std::int32_t rangeBytes);

}  // namespace ovx
