// TBlockPool: the memory of a document's 4096-byte blocks, carved out of 2 MiB slabs.
// One heap allocation per block costs an allocator call and a page fault per block when
// a large file is loaded; slabs let a load read straight into contiguous memory, and a
// slab goes back to the system as soon as none of its blocks is in use.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <vector>

namespace ovx {

constexpr std::size_t kSlabBlocks = 512;
constexpr std::size_t kPieceBytes = 4096;
constexpr std::size_t kSlabBytes = kSlabBlocks * kPieceBytes;

class TBlockPool {
 public:
  TBlockPool() = default;
  ~TBlockPool() { Reset(); }
  TBlockPool(const TBlockPool&) = delete;
  TBlockPool& operator=(const TBlockPool&) = delete;

  // One block of kPieceBytes; null when memory runs out.
  std::uint8_t* Allocate();
  void Free(std::uint8_t* block);
  // A fresh slab whose kSlabBlocks blocks are all in use, for reading a file into;
  // the caller frees the blocks it does not keep. Null when memory runs out.
  std::uint8_t* AllocateSlab();
  // Returns every slab at once (every block handed out becomes invalid).
  void Reset();

  std::size_t SlabCount() const { return slabs_.size(); }
  // Caps the slab memory all pools of the process hold together (0: only the platform's limit),
  // so that running out of memory can be brought about on purpose.
  static void SetCeiling(std::size_t bytes);
  std::size_t MemoryBytes() const;

 private:
  struct TSlab {
    std::vector<std::uint16_t> free;  // indices of its free blocks
  };
  using TSlabs = std::map<std::uint8_t*, TSlab, std::greater<std::uint8_t*>>;

  TSlabs::iterator NewSlab();
  void ReleaseSlab(std::uint8_t* base);
  TSlabs::iterator SlabOf(std::uint8_t* block);

  TSlabs slabs_;  // by base address, highest first, so lower_bound finds a block's slab
  std::set<std::uint8_t*> withFree_;  // bases of slabs that have free blocks
};

}  // namespace ovx
