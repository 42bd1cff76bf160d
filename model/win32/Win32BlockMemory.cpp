// Slabs as committed virtual memory.
#include <windows.h>

#include "model/BlockMemory.h"

namespace ovx {

void* AllocateSlab(std::size_t bytes) {
  return VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

void FreeSlab(void* memory, std::size_t bytes) {
  if (memory != nullptr) VirtualFree(memory, 0, MEM_RELEASE);
}

}  // namespace ovx
