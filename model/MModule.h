// TMemoryModule: the whole content of one document in memory, as a chain of 4096-byte blocks.
// Addresses and sizes are signed 32-bit; Size is the end position, where no byte exists.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "model/FileSystem.h"

namespace ovx {

class TMemoryModule;

constexpr std::int32_t kBlockSize = 4096;
constexpr std::int32_t kTableGrowth = 256;
// The largest document an address can reach.
constexpr std::int64_t kMaxDocumentSize = 0x7FFFFFFF;

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

  TMemoryModule();
  ~TMemoryModule();
  TMemoryModule(const TMemoryModule&) = delete;
  TMemoryModule& operator=(const TMemoryModule&) = delete;

  std::int32_t Size() const { return size_; }
  std::int32_t PageCount() const { return pageCount_; }
  std::int32_t BlockCount() const { return blockCount_; }
  std::uint8_t Modified() const { return modified_; }
  void SetModified(std::uint8_t modified) { modified_ = modified; }

  // While 1, Recount raises no OnChange.
  std::uint8_t NotifyLocked = 0;
  TChangeEvent OnChange;
  TProgressEvent OnProgress;

  void Clear();

  // 0 on success, else the platform's error code. A file that cannot be held
  // (2 GiB or more) is refused with fs.FileTooLargeCode() and nothing is loaded.
  // A failed load leaves the document empty.
  int LoadFromFile(const std::string& name, TFileSystem& fs = PlatformFileSystem());
  // Writes a temporary file beside the target and replaces the target only when it is
  // complete; on failure the target is untouched.
  int SaveToFile(const std::string& name, TFileSystem& fs = PlatformFileSystem());

  void ReadData(std::uint8_t* buffer, std::int32_t address, std::int32_t count) const;
  // Insert and overwrite return false, and change nothing, when the document would
  // grow past kMaxDocumentSize or the address is outside 0..Size.
  bool WriteData(const std::uint8_t* data, std::int32_t address, std::int32_t count);
  bool InsertData(const std::uint8_t* data, std::int32_t address, std::int32_t count);
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

 private:
  // Implementation detail: see MModule.cpp.
  std::vector<TBlockDescriptor> table_;
  std::int32_t head_ = -1;
  std::int32_t size_ = 0;
  std::int32_t pageCount_ = 0;
  std::int32_t blockCount_ = 0;
  std::uint8_t modified_ = 0;
};

}  // namespace ovx
