// Reading, overwriting, inserting and deleting bytes.
#include <algorithm>
#include <cstring>

#include "model/MModule.h"

namespace ovx {

namespace {
constexpr std::size_t At(std::int32_t i) { return static_cast<std::size_t>(i); }
constexpr std::size_t Len(std::int32_t n) { return static_cast<std::size_t>(n); }
}  // namespace

void TMemoryModule::ReadData(std::uint8_t* buffer, std::int32_t address, std::int32_t count) const {
  if (buffer == nullptr || count <= 0) return;
  std::int32_t done = 0;
  ForEachPiece(address, count, [&](const std::uint8_t* p, std::int32_t n) {
    std::memcpy(buffer + done, p, Len(n));
    done += n;
  });
  // Past the end of the document the buffer reads as zeros.
  if (done < count) std::memset(buffer + done, 0, Len(count - done));
}

void TMemoryModule::AppendData(const std::uint8_t* data, std::int32_t count) {
  ReserveFor(count);
  std::int32_t last = size_ > 0 ? Locate(size_ - 1).block : -1;
  if (last < 0 || table_[At(last)].used == kBlockSize) last = NewBlockAfter(last);
  while (count > 0) {
    TBlockDescriptor& d = table_[At(last)];
    std::int32_t n = std::min(kBlockSize - d.used, count);
    std::memcpy(d.data + d.used, data, Len(n));
    SetUsed(last, d.used + n);
    data += n;
    count -= n;
    if (count > 0) last = NewBlockAfter(last);
  }
}

bool TMemoryModule::WriteData(const std::uint8_t* data, std::int32_t address, std::int32_t count) {
  if (address < 0 || address > size_ || count < 0) return false;
  if (count == 0) return true;
  if (data == nullptr || static_cast<std::int64_t>(address) + count > kMaxDocumentSize) return false;
  // Nothing is overwritten unless the part past the end can be appended.
  if (address + count > size_) ReserveFor(address + count - size_);
  ForEachPiece(address, count, [&](std::uint8_t* p, std::int32_t n) {
    std::memcpy(p, data, Len(n));
    data += n;
    count -= n;
  });
  if (count > 0) AppendData(data, count);
  ReleaseSpareBlocks();
  Recount(1);
  return true;
}

bool TMemoryModule::InsertData(const std::uint8_t* data, std::int32_t address, std::int32_t count) {
  if (address < 0 || address > size_ || count < 0) return false;
  if (count == 0) return true;
  if (data == nullptr || static_cast<std::int64_t>(size_) + count > kMaxDocumentSize) return false;
  if (address == size_) {
    AppendData(data, count);
    ReleaseSpareBlocks();
    Recount(1);
    return true;
  }
  TBlockPosition at = Locate(address);
  TBlockDescriptor& b = table_[At(at.block)];  // until the table grows below
  if (at.offset == 0 && b.previous >= 0 && kBlockSize - table_[At(b.previous)].used >= count) {
    // The whole insertion fits behind the bytes of the preceding block.
    TBlockDescriptor& prev = table_[At(b.previous)];
    std::memcpy(prev.data + prev.used, data, Len(count));
    SetUsed(b.previous, prev.used + count);
  } else if (kBlockSize - b.used < count) {
    const std::int32_t previous = b.previous;
    ReserveFor(count);  // may move the table, and b with it
    std::int32_t after;
    if (at.offset > 0) {
      // Split: the tail of the block moves to a new block; the data goes between.
      std::int32_t tail = NewBlockAfter(at.block);
      TBlockDescriptor& bb = table_[At(at.block)];  // the table may have grown
      TBlockDescriptor& t = table_[At(tail)];
      std::memcpy(t.data, bb.data + at.offset, Len(bb.used - at.offset));
      SetUsed(tail, bb.used - at.offset);
      SetUsed(at.block, at.offset);
      after = at.block;
    } else {
      after = previous;
    }
    while (count > 0) {
      std::int32_t nb = NewBlockAfter(after);
      std::int32_t n = std::min(kBlockSize, count);
      std::memcpy(table_[At(nb)].data, data, Len(n));
      SetUsed(nb, n);
      data += n;
      count -= n;
      after = nb;
    }
  } else {
    std::memmove(b.data + at.offset + count, b.data + at.offset, Len(b.used - at.offset));
    std::memcpy(b.data + at.offset, data, Len(count));
    SetUsed(at.block, b.used + count);
  }
  ReleaseSpareBlocks();
  Recount(1);
  return true;
}

void TMemoryModule::DeleteData(std::int32_t address, std::int32_t count) {
  if (!ClipRange(address, count)) return;
  TBlockPosition p = Locate(address);
  while (count > 0 && p.block >= 0) {
    TBlockDescriptor& d = table_[At(p.block)];
    std::int32_t rest = d.used - p.offset;
    std::int32_t next = d.next;
    if (rest <= count) {
      SetUsed(p.block, p.offset);
      count -= rest;
    } else {
      std::memmove(d.data + p.offset, d.data + p.offset + count, Len(rest - count));
      SetUsed(p.block, d.used - count);
      count = 0;
    }
    if (d.used == 0) FreeBlock(p.block);
    p = {next, 0};
  }
  Recount(1);
}

}  // namespace ovx
