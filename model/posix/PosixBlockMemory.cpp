// Slabs straight from the kernel, aligned to 2 MiB so that they can be backed by huge
// pages: a loaded document then costs one page fault per 2 MiB instead of per 4 KiB.
#include <sys/mman.h>

#include <cstdint>

#include "model/BlockMemory.h"

namespace ovx {

namespace {
constexpr std::size_t kAlign = std::size_t{2} << 20;
}

void* AllocateSlab(std::size_t bytes) {
  const std::size_t reserve = bytes + kAlign;
  void* raw = ::mmap(nullptr, reserve, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED) return nullptr;
  auto start = reinterpret_cast<std::uintptr_t>(raw);
  auto aligned = (start + kAlign - 1) & ~(kAlign - 1);
  // Give back the unaligned head and the tail beyond the slab.
  if (aligned > start) ::munmap(raw, aligned - start);
  std::size_t tail = start + reserve - (aligned + bytes);
  if (tail > 0) ::munmap(reinterpret_cast<void*>(aligned + bytes), tail);
#ifdef MADV_HUGEPAGE
  ::madvise(reinterpret_cast<void*>(aligned), bytes, MADV_HUGEPAGE);
#endif
  return reinterpret_cast<void*>(aligned);
}

void FreeSlab(void* memory, std::size_t bytes) {
  if (memory != nullptr) ::munmap(memory, bytes);
}

}  // namespace ovx
