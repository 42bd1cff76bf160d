// Large, aligned stretches of memory for the document's blocks, from the platform.
// Each platform layer supplies these two functions.
#pragma once

#include <cstddef>

namespace ovx {

// bytes is a multiple of kSlabBytes; returns null when the memory is not to be had.
void* AllocateSlab(std::size_t bytes);
void FreeSlab(void* memory, std::size_t bytes);

}  // namespace ovx
