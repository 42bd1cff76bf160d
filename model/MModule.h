// TMemoryModule: the whole content of one document in memory, as a chain of 4096-byte blocks.
// Addresses and sizes are signed 32-bit; Size is the end position, where no byte exists.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "model/BlockIndex.h"
#include "model/BlockPool.h"
#include "model/FileSystem.h"

namespace ovx {

class TMemoryModule;

constexpr std::int32_t kBlockSize = 4096;
constexpr std::int32_t kTableGrowth = 256;
// The largest document an address can reach.
constexpr std::int64_t kMaxDocumentSize = 0x7FFFFFFF;
// A load ended by its step event: no platform error code is negative.
constexpr int kLoadCancelled = -1;

// A block descriptor; free when data is null (next -1, previous -1, used 0).
struct TBlockDescriptor {
  std::uint8_t* data = nullptr;
  std::int32_t next = -1;
  std::int32_t previous = -1;
  std::int32_t used = 0;
};

// A place inside the document: block (descriptor index) and offset in it; (-1, 0) for none.
struct TBlockPosition {
  std::int32_t block = -1;
  std::int32_t offset = 0;
};

// What FindPattern looks for.
struct TSearchInfo {
  const std::uint8_t* pattern = nullptr;
  std::int32_t length = 0;
  std::int32_t start = 0;
  std::uint8_t direction = 0;     // 0 forward, 1 backward
  std::uint8_t includeStart = 0;  // 1: a match at start itself counts
  const TMemoryModule* filter = nullptr;  // only matches that touch a difference with it count
  // The filter's byte for address a lies at a - filterShift: a replace that changed the length
  // in front of the search still compares each byte with the partner's byte it stood beside.
  std::int32_t filterShift = 0;
};

// What FindDifference compares.
struct TCompareInfo {
  const TMemoryModule* other = nullptr;
  std::int32_t start = 0;
  std::uint8_t direction = 0;
  std::uint8_t includeStart = 0;
};

class TMemoryModule {
 public:
  using TChangeEvent = std::function<void(TMemoryModule& sender)>;
  using TProgressEvent = std::function<void(TMemoryModule& sender, const std::string& text)>;
  // Raised during a load after each slab but the last, with the bytes read so far and the file's
  // size; the document then holds the file's first slab. False ends the load.
  using TLoadStepEvent = std::function<bool(TMemoryModule& sender, std::int64_t loaded, std::int64_t size)>;

  TMemoryModule();
  ~TMemoryModule();
  TMemoryModule(const TMemoryModule&) = delete;
  TMemoryModule& operator=(const TMemoryModule&) = delete;

  std::int32_t Size() const { return size_; }
  std::int32_t PageCount() const { return pageCount_; }
  std::int32_t BlockCount() const { return blockCount_; }
  std::uint8_t Modified() const { return modified_; }
  void SetModified(std::uint8_t modified) { modified_ = modified; }
  // Grows with every change of the content (edits, loads, clears; not a compaction), whether or
  // not OnChange is raised: a result taken from the document is current while it stays the same.
  std::uint64_t ChangeCount() const { return changes_; }

  // While 1, Recount raises no OnChange.
  std::uint8_t NotifyLocked = 0;
  TChangeEvent OnChange;
  TProgressEvent OnProgress;
  TLoadStepEvent OnLoadStep;

  void Clear();

  // 0 on success, else the platform's error code. A file of 2 GiB or more is refused with
  // fs.FileTooLargeCode(), one larger than the memory to be had with fs.OutOfMemoryCode().
  // A failed load leaves the document empty; so does one that OnLoadStep ended (kLoadCancelled).
  int LoadFromFile(const std::string& name, TFileSystem& fs = PlatformFileSystem());
  // Writes the document to a temporary file beside the target and replaces the target only
  // when that is complete and flushed (model/SafeReplace.h); on failure the target is untouched.
  int SaveToFile(const std::string& name, TFileSystem& fs = PlatformFileSystem());
  // The first half of a save: the document written to a new temporary file beside the target,
  // flushed and closed, and named in `temporary`. On failure no temporary file is left.
  int SaveToTemporary(const std::string& name, std::string& temporary, TFileSystem& fs = PlatformFileSystem());

  void ReadData(std::uint8_t* buffer, std::int32_t address, std::int32_t count) const;
  // Insert and overwrite return false, and change nothing, when the document would
  // grow past kMaxDocumentSize or the address is outside 0..Size.
  // Memory running out throws std::bad_alloc before anything changed.
  bool WriteData(const std::uint8_t* data, std::int32_t address, std::int32_t count);
  bool InsertData(const std::uint8_t* data, std::int32_t address, std::int32_t count);
  // Sets aside the blocks that `bytes` more bytes of the document may take, so that a change
  // made of several steps (a delete, then an insert) cannot stop half done for want of memory;
  // throws std::bad_alloc, with nothing changed, when they are not to be had. The next insert or
  // overwrite takes them, and gives back what it did not use.
  void ReserveFor(std::int32_t bytes);
  void DeleteData(std::int32_t address, std::int32_t count);

  void InvertBits(std::int32_t address, std::int32_t count);
  void ReverseBits(std::int32_t address, std::int32_t count);
  void ReverseBytes(std::int32_t address, std::int32_t count);
  void RotateLeft(std::int32_t address, std::int32_t count, std::int32_t bits);
  void RotateRight(std::int32_t address, std::int32_t count, std::int32_t bits);
  void IncrementLE(std::int32_t address, std::int32_t count);
  void DecrementLE(std::int32_t address, std::int32_t count);
  void IncrementBE(std::int32_t address, std::int32_t count);
  void DecrementBE(std::int32_t address, std::int32_t count);

  std::int32_t FindPattern(const TSearchInfo& info) const;
  std::int32_t FindDifference(const TCompareInfo& info, std::int32_t& runLength) const;

  void Compact();

  // The chain as it is, for tests and the memory-efficiency figure.
  const std::vector<TBlockDescriptor>& Descriptors() const { return table_; }
  std::int32_t Head() const { return head_; }
  // True when the address index agrees with the chain (for tests).
  bool IndexConsistent() const;
  // Bytes held for the document: blocks, table, index and free list.
  std::size_t MemoryBytes() const;

 private:
  // Chain primitives (MModuleChain.cpp).
  TBlockPosition Locate(std::int32_t address) const;
  bool StepForward(TBlockPosition& position) const;
  bool StepBackward(TBlockPosition& position) const;
  std::int32_t NewBlockAfter(std::int32_t block);
  void FreeBlock(std::int32_t block);
  void SetUsed(std::int32_t block, std::int32_t used);
  std::int32_t TakeFreeDescriptor();
  void ReleaseSpareBlocks();
  std::uint8_t* AllocateBlock();
  int ReadFromFile(const std::string& name, TFileSystem& fs);
  void ResetTable(std::size_t descriptors);
  // Adds free descriptors up to `descriptors` in all; they are taken after those free now.
  void GrowTable(std::size_t descriptors);
  void RebuildIndex();
  void Recount(std::uint8_t modified, bool contentChanged = true);
  void Progress(const char* text);
  // Appends after the last byte: first into the free tail of the last block, then new blocks.
  void AppendData(const std::uint8_t* data, std::int32_t count);
  // The document's bytes from address on, at most count of them, block piece by block piece.
  template <class Fn>
  void ForEachPiece(std::int32_t address, std::int32_t count, Fn&& fn);
  template <class Fn>
  void ForEachPiece(std::int32_t address, std::int32_t count, Fn&& fn) const;
  // Clips a range to the document; false when address is not a byte of it.
  bool ClipRange(std::int32_t address, std::int32_t& count) const;
  void Rotate(std::int32_t address, std::int32_t count, std::int64_t bits, bool left);
  void ShiftBits(std::int32_t address, std::int32_t count, int bits, bool left);
  void AddOne(std::int32_t address, std::int32_t count, bool bigEndian, bool decrement);
  bool FilterHolds(const TMemoryModule& filter, std::int32_t shift, std::int32_t address, std::int32_t length) const;
  bool MatchAt(TBlockPosition position, const std::uint8_t* pattern, std::int32_t length) const;
  std::int32_t FindForward(const TSearchInfo& info, std::int32_t first) const;
  std::int32_t FindBackward(const TSearchInfo& info, std::int32_t first) const;
  // Walk this module and other side by side over equal addresses, handing fn pieces that
  // lie in one block of each; fn returns true to stop. Forward from `from`, or backward
  // ending at `last`, for at most count bytes. True when fn stopped the walk.
  template <class Fn>
  bool PairsForward(const TMemoryModule& other, std::int32_t from, std::int32_t count, Fn&& fn) const;
  template <class Fn>
  bool PairsBackward(const TMemoryModule& other, std::int32_t last, std::int32_t count, Fn&& fn) const;
  // First address in [from, end) where this module and other differ (equal = false) or agree
  // (equal = true); end when there is none.
  std::int32_t ScanForward(const TMemoryModule& other, std::int32_t from, std::int32_t end, bool equal) const;
  // Last address in [0, last] where they differ or agree; -1 when there is none.
  std::int32_t ScanBackward(const TMemoryModule& other, std::int32_t last, bool equal) const;

  TBlockPool pool_;  // the blocks' memory; declared first so that it goes last
  std::vector<TBlockDescriptor> table_;
  std::vector<std::int32_t> free_;  // free descriptors, the lowest index last
  std::vector<std::uint8_t*> spare_;  // blocks set aside by ReserveFor
  TBlockIndex index_;
  std::int32_t head_ = -1;
  std::int32_t size_ = 0;
  std::int32_t pageCount_ = 0;
  std::int32_t blockCount_ = 0;
  std::uint8_t modified_ = 0;
  std::uint64_t changes_ = 0;
};

template <class Fn>
void TMemoryModule::ForEachPiece(std::int32_t address, std::int32_t count, Fn&& fn) {
  TBlockPosition p = Locate(address);
  while (count > 0 && p.block >= 0) {
    TBlockDescriptor& d = table_[static_cast<std::size_t>(p.block)];
    std::int32_t n = d.used - p.offset < count ? d.used - p.offset : count;
    fn(d.data + p.offset, n);
    count -= n;
    p = {d.next, 0};
  }
}

template <class Fn>
void TMemoryModule::ForEachPiece(std::int32_t address, std::int32_t count, Fn&& fn) const {
  TBlockPosition p = Locate(address);
  while (count > 0 && p.block >= 0) {
    const TBlockDescriptor& d = table_[static_cast<std::size_t>(p.block)];
    std::int32_t n = d.used - p.offset < count ? d.used - p.offset : count;
    fn(static_cast<const std::uint8_t*>(d.data + p.offset), n);
    count -= n;
    p = {d.next, 0};
  }
}

}  // namespace ovx
