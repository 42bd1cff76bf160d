#include "model/MultiPatternScan.h"

#include <algorithm>
#include <cstring>

#include "model/MModule.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace ovx {

TMultiPatternScan::TMultiPatternScan(std::vector<std::string> patterns, std::size_t listLimit)
    : patterns_(std::move(patterns)), listLimit_(listLimit), counts_(patterns_.size(), 0) {
  for (std::size_t k = 0; k < patterns_.size() && live_.size() < kMaxPatterns; ++k) {
    const std::size_t n = patterns_[k].size();
    if (n == 0 || n > kMaxPatternLength) continue;
    live_.push_back(k);
    maxLength_ = std::max(maxLength_, n);
  }
}

void TMultiPatternScan::Start(std::int32_t start) {
  hits_.clear();
  std::fill(counts_.begin(), counts_.end(), 0);
  tail_.clear();
  tailBase_ = next_ = start;
}

std::int64_t TMultiPatternScan::Total() const {
  std::int64_t total = 0;
  for (std::int64_t c : counts_) total += c;
  return total;
}

void TMultiPatternScan::Hit(std::int64_t address, std::size_t pattern) {
  ++counts_[pattern];
  if (hits_.size() < listLimit_) hits_.push_back({static_cast<std::int32_t>(address), static_cast<std::uint8_t>(pattern)});
}

void TMultiPatternScan::CheckStarts(const std::uint8_t* buffer, std::size_t size, std::size_t count, std::int64_t base) {
  for (std::size_t s = 0; s < count; ++s) {
    for (std::size_t k : live_) {
      const std::string& p = patterns_[k];
      if (s + p.size() <= size && buffer[s] == static_cast<std::uint8_t>(p[0]) &&
          std::memcmp(buffer + s, p.data(), p.size()) == 0)
        Hit(base + static_cast<std::int64_t>(s), k);
    }
  }
}

// Starts [0, limit) of data; data holds maxLength_ - 1 bytes more, so every pattern fits.
void TMultiPatternScan::ScanPiece(const std::uint8_t* data, std::int32_t limit, std::int64_t base) {
  const std::size_t live = live_.size();
  std::uint8_t first[kMaxPatterns], second[kMaxPatterns];
  bool single[kMaxPatterns];
  for (std::size_t j = 0; j < live; ++j) {
    const std::string& p = patterns_[live_[j]];
    first[j] = static_cast<std::uint8_t>(p[0]);
    single[j] = p.size() == 1;
    second[j] = single[j] ? 0 : static_cast<std::uint8_t>(p[1]);
  }
  // A place is looked at closely only where some pattern's first two bytes stand.
  auto check = [&](std::int32_t i) {
    for (std::size_t j = 0; j < live; ++j) {
      if (data[i] != first[j] || (!single[j] && data[i + 1] != second[j])) continue;
      const std::string& p = patterns_[live_[j]];
      if (std::memcmp(data + i, p.data(), p.size()) == 0) Hit(base + i, live_[j]);
    }
  };
  std::int32_t i = 0;
#if defined(__SSE2__)
  // The second byte is read one place on: with one-byte patterns only, keep clear of the end.
  const std::int32_t vectorEnd = maxLength_ >= 2 ? limit : limit - 1;
  __m128i f[kMaxPatterns], s[kMaxPatterns];
  for (std::size_t j = 0; j < live; ++j) {
    f[j] = _mm_set1_epi8(static_cast<char>(first[j]));
    s[j] = single[j] ? _mm_set1_epi8(static_cast<char>(0xFF)) : _mm_set1_epi8(static_cast<char>(second[j]));
  }
  for (; i + 16 <= vectorEnd; i += 16) {
    const __m128i v0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
    const __m128i v1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + 1));
    __m128i any = _mm_setzero_si128();
    for (std::size_t j = 0; j < live; ++j) {
      __m128i two = single[j] ? s[j] : _mm_cmpeq_epi8(v1, s[j]);
      any = _mm_or_si128(any, _mm_and_si128(_mm_cmpeq_epi8(v0, f[j]), two));
    }
    unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(any));
    while (mask != 0) {
      check(i + __builtin_ctz(mask));
      mask &= mask - 1;
    }
  }
#endif
  for (; i < limit; ++i) check(i);
}

void TMultiPatternScan::Feed(const std::uint8_t* data, std::int32_t n) {
  if (n <= 0) return;
  if (live_.empty()) {
    next_ += n;
    return;
  }
  const std::size_t keep = maxLength_ - 1;  // bytes whose starts wait for what follows
  const std::size_t size = static_cast<std::size_t>(n);
  if (!tail_.empty()) {
    if (size < keep) {
      // A piece too short to settle the waiting starts: they wait on with it.
      tail_.insert(tail_.end(), data, data + size);
      next_ += n;
      const std::size_t decided = tail_.size() > keep ? tail_.size() - keep : 0;
      CheckStarts(tail_.data(), tail_.size(), decided, tailBase_);
      tail_.erase(tail_.begin(), tail_.begin() + static_cast<std::ptrdiff_t>(decided));
      tailBase_ += static_cast<std::int64_t>(decided);
      return;
    }
    const std::size_t waiting = tail_.size();
    tail_.insert(tail_.end(), data, data + keep);
    CheckStarts(tail_.data(), tail_.size(), waiting, tailBase_);
    tail_.clear();
  }
  const std::size_t inPiece = size > keep ? size - keep : 0;
  if (inPiece > 0) ScanPiece(data, static_cast<std::int32_t>(inPiece), next_);
  tail_.assign(data + inPiece, data + size);
  tailBase_ = next_ + static_cast<std::int64_t>(inPiece);
  next_ += n;
}

void TMultiPatternScan::Finish() {
  CheckStarts(tail_.data(), tail_.size(), tail_.size(), tailBase_);
  tail_.clear();
  tailBase_ = next_;
}

void ScanDocumentRange(const TMemoryModule& module, std::int32_t from, std::int32_t to, TMultiPatternScan& scan) {
  const std::vector<TBlockDescriptor>& table = module.Descriptors();
  std::int32_t block = module.Head();
  std::int64_t position = 0;
  while (block >= 0 && position + table[static_cast<std::size_t>(block)].used <= from) {
    position += table[static_cast<std::size_t>(block)].used;
    block = table[static_cast<std::size_t>(block)].next;
  }
  while (block >= 0 && position < to) {
    const TBlockDescriptor& d = table[static_cast<std::size_t>(block)];
    const std::int64_t begin = std::max<std::int64_t>(0, from - position);
    const std::int64_t end = std::min<std::int64_t>(d.used, to - position);
    if (end > begin) scan.Feed(d.data + begin, static_cast<std::int32_t>(end - begin));
    position += d.used;
    block = d.next;
  }
}

}  // namespace ovx
