#include "model/PatternScan.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace ovx {

std::int32_t FirstPairAt(const std::uint8_t* data, std::int32_t from, std::int32_t to, std::int32_t span,
                         std::uint8_t first, std::uint8_t last) {
  std::int32_t i = from;
#if defined(__SSE2__)
  const __m128i f = _mm_set1_epi8(static_cast<char>(first));
  const __m128i l = _mm_set1_epi8(static_cast<char>(last));
  for (; i + 32 <= to; i += 32) {
    const auto* p = reinterpret_cast<const __m128i*>(data + i);
    const auto* q = reinterpret_cast<const __m128i*>(data + i + span);
    __m128i m0 = _mm_and_si128(_mm_cmpeq_epi8(_mm_loadu_si128(p), f), _mm_cmpeq_epi8(_mm_loadu_si128(q), l));
    __m128i m1 = _mm_and_si128(_mm_cmpeq_epi8(_mm_loadu_si128(p + 1), f), _mm_cmpeq_epi8(_mm_loadu_si128(q + 1), l));
    unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(m0)) | static_cast<unsigned>(_mm_movemask_epi8(m1)) << 16;
    if (mask != 0) return i + __builtin_ctz(mask);
  }
#endif
  for (; i < to; ++i) {
    if (data[i] == first && data[i + span] == last) return i;
  }
  return -1;
}

std::int32_t LastPairAt(const std::uint8_t* data, std::int32_t from, std::int32_t to, std::int32_t span,
                        std::uint8_t first, std::uint8_t last) {
  std::int32_t i = to;
#if defined(__SSE2__)
  const __m128i f = _mm_set1_epi8(static_cast<char>(first));
  const __m128i l = _mm_set1_epi8(static_cast<char>(last));
  for (; i - 32 >= from; i -= 32) {
    const auto* p = reinterpret_cast<const __m128i*>(data + i - 32);
    const auto* q = reinterpret_cast<const __m128i*>(data + i - 32 + span);
    __m128i m0 = _mm_and_si128(_mm_cmpeq_epi8(_mm_loadu_si128(p), f), _mm_cmpeq_epi8(_mm_loadu_si128(q), l));
    __m128i m1 = _mm_and_si128(_mm_cmpeq_epi8(_mm_loadu_si128(p + 1), f), _mm_cmpeq_epi8(_mm_loadu_si128(q + 1), l));
    unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(m0)) | static_cast<unsigned>(_mm_movemask_epi8(m1)) << 16;
    if (mask != 0) return i - 32 + 31 - __builtin_clz(mask);
  }
#endif
  while (i-- > from) {
    if (data[i] == first && data[i + span] == last) return i;
  }
  return -1;
}

std::int32_t FirstMismatch(const std::uint8_t* a, const std::uint8_t* b, std::int32_t n) {
  // memcmp settles equal stretches at full speed; only an unequal one is looked at byte by byte.
  constexpr std::int32_t kStretch = 1024;
  for (std::int32_t i = 0; i < n; i += kStretch) {
    std::int32_t len = n - i < kStretch ? n - i : kStretch;
    if (std::memcmp(a + i, b + i, static_cast<std::size_t>(len)) == 0) continue;
    for (std::int32_t j = i;; ++j) {
      if (a[j] != b[j]) return j;
    }
  }
  return -1;
}

std::int32_t LastMismatch(const std::uint8_t* a, const std::uint8_t* b, std::int32_t n) {
  constexpr std::int32_t kStretch = 1024;
  for (std::int32_t end = n; end > 0; end -= kStretch) {
    std::int32_t start = end > kStretch ? end - kStretch : 0;
    if (std::memcmp(a + start, b + start, static_cast<std::size_t>(end - start)) == 0) continue;
    for (std::int32_t j = end - 1;; --j) {
      if (a[j] != b[j]) return j;
    }
  }
  return -1;
}

}  // namespace ovx
