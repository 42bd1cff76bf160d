#include "model/BlockPool.h"

#include <cassert>

#include "model/BlockMemory.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#define OVX_POISON(p, n) ASAN_POISON_MEMORY_REGION(p, n)
#define OVX_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION(p, n)
#else
#define OVX_POISON(p, n) ((void)(p), (void)(n))
#define OVX_UNPOISON(p, n) ((void)(p), (void)(n))
#endif

namespace ovx {
namespace {

std::size_t ceiling = 0;    // bytes; 0 for none
std::size_t slabBytes = 0;  // held by all pools

}  // namespace

void TBlockPool::SetCeiling(std::size_t bytes) { ceiling = bytes; }

TBlockPool::TSlabs::iterator TBlockPool::NewSlab() {
  if (ceiling != 0 && slabBytes + kSlabBytes > ceiling) return slabs_.end();
  auto* base = static_cast<std::uint8_t*>(ovx::AllocateSlab(kSlabBytes));
  if (base == nullptr) return slabs_.end();
  slabBytes += kSlabBytes;
  return slabs_.emplace(base, TSlab{}).first;
}

void TBlockPool::ReleaseSlab(std::uint8_t* base) {
  OVX_UNPOISON(base, kSlabBytes);
  ovx::FreeSlab(base, kSlabBytes);
  slabBytes -= kSlabBytes;
}

TBlockPool::TSlabs::iterator TBlockPool::SlabOf(std::uint8_t* block) {
  // The slab with the highest base not above the block.
  auto it = slabs_.lower_bound(block);
  assert(it != slabs_.end() && block < it->first + kSlabBytes);
  return it;
}

std::uint8_t* TBlockPool::Allocate() {
  if (withFree_.empty()) {
    auto it = NewSlab();
    if (it == slabs_.end()) return nullptr;
    TSlab& slab = it->second;
    slab.free.reserve(kSlabBlocks);
    for (std::size_t i = kSlabBlocks; i-- > 0;) slab.free.push_back(static_cast<std::uint16_t>(i));
    OVX_POISON(it->first, kSlabBytes);
    withFree_.insert(it->first);
  }
  std::uint8_t* base = *withFree_.begin();
  TSlab& slab = slabs_.find(base)->second;
  std::uint8_t* block = base + slab.free.back() * kPieceBytes;
  slab.free.pop_back();
  if (slab.free.empty()) {
    withFree_.erase(base);
    slab.free.shrink_to_fit();
  }
  OVX_UNPOISON(block, kPieceBytes);
  return block;
}

std::uint8_t* TBlockPool::AllocateSlab() {
  auto it = NewSlab();
  return it == slabs_.end() ? nullptr : it->first;
}

void TBlockPool::Free(std::uint8_t* block) {
  auto it = SlabOf(block);
  std::uint8_t* base = it->first;
  TSlab& slab = it->second;
  slab.free.push_back(static_cast<std::uint16_t>((block - base) / static_cast<std::ptrdiff_t>(kPieceBytes)));
  OVX_POISON(block, kPieceBytes);
  if (slab.free.size() == kSlabBlocks) {
    // No block of the slab is in use any more: it goes back to the system.
    withFree_.erase(base);
    ReleaseSlab(base);
    slabs_.erase(it);
  } else if (slab.free.size() == 1) {
    withFree_.insert(base);
  }
}

void TBlockPool::Reset() {
  for (auto& [base, slab] : slabs_) ReleaseSlab(base);
  slabs_.clear();
  withFree_.clear();
}

std::size_t TBlockPool::MemoryBytes() const {
  std::size_t bytes = slabs_.size() * (kSlabBytes + sizeof(TSlab) + 48);
  for (const auto& [base, slab] : slabs_) bytes += slab.free.capacity() * sizeof(std::uint16_t);
  return bytes;
}

}  // namespace ovx
