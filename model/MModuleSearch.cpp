// Pattern search and the search for differences against a second module.
#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "model/MModule.h"
#include "model/PatternScan.h"

namespace ovx {

namespace {
constexpr std::size_t At(std::int32_t i) { return static_cast<std::size_t>(i); }
}  // namespace

bool TMemoryModule::MatchAt(TBlockPosition p, const std::uint8_t* pattern, std::int32_t length) const {
  while (length > 0) {
    if (p.block < 0) return false;
    const TBlockDescriptor& d = table_[At(p.block)];
    std::int32_t n = std::min(d.used - p.offset, length);
    if (std::memcmp(d.data + p.offset, pattern, static_cast<std::size_t>(n)) != 0) return false;
    pattern += n;
    length -= n;
    p = {d.next, 0};
  }
  return true;
}

bool TMemoryModule::FilterHolds(const TMemoryModule& filter, std::int32_t shift, std::int32_t address,
                               std::int32_t length) const {
  // A match counts when it touches a difference, or when the filter ends inside it.
  const std::int64_t partner = std::int64_t{address} - shift;
  if (partner < 0 || partner + length > filter.size_) return true;
  if (shift == 0) return ScanForward(filter, address, address + length, false) < address + length;
  std::vector<std::uint8_t> mine(At(length)), theirs(At(length));
  ReadData(mine.data(), address, length);
  filter.ReadData(theirs.data(), static_cast<std::int32_t>(partner), length);
  return mine != theirs;
}

std::int32_t TMemoryModule::FindForward(const TSearchInfo& info, std::int32_t first) const {
  const std::int32_t m = info.length;
  const std::uint8_t* pattern = info.pattern;
  const std::int32_t limit = size_ - m;  // the last candidate
  if (first > limit) return -1;
  TBlockPosition p = Locate(first);
  std::int32_t blockStart = first - p.offset;
  while (p.block >= 0) {
    const TBlockDescriptor& d = table_[At(p.block)];
    const std::int32_t end = static_cast<std::int32_t>(std::min<std::int64_t>(d.used, static_cast<std::int64_t>(limit) - blockStart + 1));
    const std::int32_t inBlockEnd = std::min(end, d.used - m + 1);  // candidates whose match lies in this block
    std::int32_t off = p.offset;
    while (off < inBlockEnd) {
      std::int32_t i = FirstPairAt(d.data, off, inBlockEnd, m - 1, pattern[0], pattern[m - 1]);
      if (i < 0) break;
      if (std::memcmp(d.data + i, pattern, static_cast<std::size_t>(m)) == 0 &&
          (info.filter == nullptr || FilterHolds(*info.filter, info.filterShift, blockStart + i, m))) {
        return blockStart + i;
      }
      off = i + 1;
    }
    // Candidates whose match runs into the following blocks.
    for (off = std::max(p.offset, inBlockEnd); off < end; ++off) {
      if (d.data[off] == pattern[0] && MatchAt({p.block, off}, pattern, m) &&
          (info.filter == nullptr || FilterHolds(*info.filter, info.filterShift, blockStart + off, m))) {
        return blockStart + off;
      }
    }
    if (end < d.used) return -1;
    blockStart += d.used;
    p = {d.next, 0};
  }
  return -1;
}

std::int32_t TMemoryModule::FindBackward(const TSearchInfo& info, std::int32_t first) const {
  const std::int32_t m = info.length;
  const std::uint8_t* pattern = info.pattern;
  if (first < 0) return -1;
  TBlockPosition p = Locate(first);
  std::int32_t blockStart = first - p.offset;
  for (;;) {
    const TBlockDescriptor& d = table_[At(p.block)];
    const std::int32_t inBlockLast = d.used - m;  // the last offset whose match lies in this block
    std::int32_t off = p.offset;
    for (; off > inBlockLast && off >= 0; --off) {
      if (d.data[off] == pattern[0] && MatchAt({p.block, off}, pattern, m) &&
          (info.filter == nullptr || FilterHolds(*info.filter, info.filterShift, blockStart + off, m))) {
        return blockStart + off;
      }
    }
    std::int32_t hi = off + 1;
    while (hi > 0) {
      std::int32_t i = LastPairAt(d.data, 0, hi, m - 1, pattern[0], pattern[m - 1]);
      if (i < 0) break;
      if (std::memcmp(d.data + i, pattern, static_cast<std::size_t>(m)) == 0 &&
          (info.filter == nullptr || FilterHolds(*info.filter, info.filterShift, blockStart + i, m))) {
        return blockStart + i;
      }
      hi = i;
    }
    if (d.previous < 0) return -1;
    const TBlockDescriptor& prev = table_[At(d.previous)];
    blockStart -= prev.used;
    p = {d.previous, prev.used - 1};
  }
}

std::int32_t TMemoryModule::FindPattern(const TSearchInfo& info) const {
  if (info.pattern == nullptr || info.length <= 0 || info.length > size_) return -1;
  const std::int64_t step = info.includeStart ? 0 : 1;
  if (info.direction == 0) {
    std::int64_t first = std::max<std::int64_t>(0, info.start + step);
    if (first > size_) return -1;
    return FindForward(info, static_cast<std::int32_t>(first));
  }
  std::int64_t first = static_cast<std::int64_t>(info.start) - step;
  if (first == size_) first = size_ - 1;
  // A candidate counts only when the whole pattern lies inside the document.
  first = std::min<std::int64_t>(first, size_ - info.length);
  if (first < 0) return -1;
  return FindBackward(info, static_cast<std::int32_t>(first));
}

template <class Fn>
bool TMemoryModule::PairsForward(const TMemoryModule& other, std::int32_t from, std::int32_t count, Fn&& fn) const {
  TBlockPosition a = Locate(from);
  TBlockPosition b = other.Locate(from);
  std::int32_t address = from;
  while (count > 0 && a.block >= 0 && b.block >= 0) {
    const TBlockDescriptor& da = table_[At(a.block)];
    const TBlockDescriptor& db = other.table_[At(b.block)];
    std::int32_t n = std::min({da.used - a.offset, db.used - b.offset, count});
    if (fn(da.data + a.offset, db.data + b.offset, n, address)) return true;
    address += n;
    count -= n;
    a.offset += n;
    if (a.offset == da.used) a = {da.next, 0};
    b.offset += n;
    if (b.offset == db.used) b = {db.next, 0};
  }
  return false;
}

template <class Fn>
bool TMemoryModule::PairsBackward(const TMemoryModule& other, std::int32_t last, std::int32_t count, Fn&& fn) const {
  TBlockPosition a = Locate(last);
  TBlockPosition b = other.Locate(last);
  std::int32_t address = last;
  while (count > 0 && a.block >= 0 && b.block >= 0) {
    std::int32_t n = std::min({a.offset + 1, b.offset + 1, count});
    const std::uint8_t* pa = table_[At(a.block)].data + a.offset + 1 - n;
    const std::uint8_t* pb = other.table_[At(b.block)].data + b.offset + 1 - n;
    if (fn(pa, pb, n, address + 1 - n)) return true;
    address -= n;
    count -= n;
    for (auto [pos, module] : {std::pair{&a, this}, std::pair{&b, &other}}) {
      pos->offset -= n;
      if (pos->offset < 0) {
        std::int32_t prev = module->table_[At(pos->block)].previous;
        *pos = prev < 0 ? TBlockPosition{} : TBlockPosition{prev, module->table_[At(prev)].used - 1};
      }
    }
  }
  return false;
}

std::int32_t TMemoryModule::ScanForward(const TMemoryModule& other, std::int32_t from, std::int32_t end,
                                        bool equal) const {
  std::int32_t found = end;
  PairsForward(other, from, end - from, [&](const std::uint8_t* a, const std::uint8_t* b, std::int32_t n, std::int32_t at) {
    std::int32_t i = -1;
    if (equal) {
      for (std::int32_t j = 0; j < n; ++j) {
        if (a[j] == b[j]) {
          i = j;
          break;
        }
      }
    } else {
      i = FirstMismatch(a, b, n);
    }
    if (i < 0) return false;
    found = at + i;
    return true;
  });
  return found;
}

std::int32_t TMemoryModule::ScanBackward(const TMemoryModule& other, std::int32_t last, bool equal) const {
  std::int32_t found = -1;
  PairsBackward(other, last, last + 1, [&](const std::uint8_t* a, const std::uint8_t* b, std::int32_t n, std::int32_t at) {
    std::int32_t i = -1;
    if (equal) {
      for (std::int32_t j = n - 1; j >= 0; --j) {
        if (a[j] == b[j]) {
          i = j;
          break;
        }
      }
    } else {
      i = LastMismatch(a, b, n);
    }
    if (i < 0) return false;
    found = at + i;
    return true;
  });
  return found;
}

std::int32_t TMemoryModule::FindDifference(const TCompareInfo& info, std::int32_t& runLength) const {
  runLength = 0;
  const TMemoryModule* other = info.other;
  if (other == nullptr || other->size_ == 0) return -1;
  // Only the common length is compared: a difference in size alone is never found.
  const std::int32_t common = std::min(size_, other->size_);
  std::int32_t s = info.start;
  std::int32_t found;
  if (info.direction == 0) {
    if (s < 0 || s >= common) return -1;
    if (!info.includeStart) {
      s = ScanForward(*other, s, common, true);  // past the differing run at the start
      if (s >= common) return -1;
    }
    found = ScanForward(*other, s, common, false);
    if (found >= common) return -1;
  } else {
    if (s < 0 || common == 0) return -1;
    // From at or past the partner's end the walk starts at the last address both have.
    const bool beyondCommon = s >= common;
    if (beyondCommon) s = common - 1;
    if (!info.includeStart && !beyondCommon) {
      s = ScanBackward(*other, s, true);
      if (s < 0) return -1;
    }
    std::int32_t last = ScanBackward(*other, s, false);
    if (last < 0) return -1;
    found = ScanBackward(*other, last, true) + 1;  // the first address of that run
  }
  runLength = ScanForward(*other, found, common, true) - found;
  return found;
}

}  // namespace ovx
