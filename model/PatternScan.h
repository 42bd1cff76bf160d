// Fast scans for the places where a pattern may start: both its first and its last
// byte must match there. Comparing two bytes rules out nearly every other place,
// so only a few candidates reach the full comparison.
#pragma once

#include <cstdint>

namespace ovx {

// The first i in [from, to) with data[i] == first and data[i + span] == last, or -1.
// data[to - 1 + span] must be readable.
std::int32_t FirstPairAt(const std::uint8_t* data, std::int32_t from, std::int32_t to, std::int32_t span,
                         std::uint8_t first, std::uint8_t last);
// The last such i in [from, to), or -1.
std::int32_t LastPairAt(const std::uint8_t* data, std::int32_t from, std::int32_t to, std::int32_t span,
                        std::uint8_t first, std::uint8_t last);
// The first i in [0, n) with a[i] != b[i], or -1.
std::int32_t FirstMismatch(const std::uint8_t* a, const std::uint8_t* b, std::int32_t n);
// The last such i, or -1.
std::int32_t LastMismatch(const std::uint8_t* a, const std::uint8_t* b, std::int32_t n);

}  // namespace ovx
