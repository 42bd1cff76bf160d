// Bit and byte operations on a range: invert, reverse, rotate, increment, decrement.
#include <cstring>
#include <vector>

#include "model/MModule.h"

namespace ovx {

namespace {

constexpr std::size_t At(std::int32_t i) { return static_cast<std::size_t>(i); }

std::uint8_t ReversedByte(std::uint8_t b) {
  b = static_cast<std::uint8_t>((b & 0xF0) >> 4 | (b & 0x0F) << 4);
  b = static_cast<std::uint8_t>((b & 0xCC) >> 2 | (b & 0x33) << 2);
  b = static_cast<std::uint8_t>((b & 0xAA) >> 1 | (b & 0x55) << 1);
  return b;
}

// Sets NotifyLocked for the inner steps of a compound operation and restores it after.
class TNotifyLock {
 public:
  explicit TNotifyLock(std::uint8_t& flag) : flag_(flag), saved_(flag) { flag_ = 1; }
  ~TNotifyLock() { flag_ = saved_; }

 private:
  std::uint8_t& flag_;
  std::uint8_t saved_;
};

}  // namespace

void TMemoryModule::InvertBits(std::int32_t address, std::int32_t count) {
  if (!ClipRange(address, count)) return;
  ForEachPiece(address, count, [](std::uint8_t* p, std::int32_t n) {
    std::int32_t i = 0;
    // Whole machine words first; the compiler turns this into vector code.
    for (; i + 8 <= n; i += 8) {
      std::uint64_t w;
      std::memcpy(&w, p + i, 8);
      w = ~w;
      std::memcpy(p + i, &w, 8);
    }
    for (; i < n; ++i) p[i] = static_cast<std::uint8_t>(~p[i]);
  });
  Recount(1);
}

void TMemoryModule::ReverseBytes(std::int32_t address, std::int32_t count) {
  if (!ClipRange(address, count) || count < 2) return;
  TBlockPosition front = Locate(address);
  TBlockPosition back = Locate(address + count - 1);
  for (std::int32_t lo = address, hi = address + count - 1; lo < hi; ++lo, --hi) {
    std::uint8_t& a = table_[At(front.block)].data[front.offset];
    std::uint8_t& b = table_[At(back.block)].data[back.offset];
    std::uint8_t t = a;
    a = b;
    b = t;
    StepForward(front);
    StepBackward(back);
  }
  Recount(1);
}

void TMemoryModule::ReverseBits(std::int32_t address, std::int32_t count) {
  if (!ClipRange(address, count)) return;
  if (count >= 2) {
    TNotifyLock lock(NotifyLocked);
    ReverseBytes(address, count);
  }
  ForEachPiece(address, count, [](std::uint8_t* p, std::int32_t n) {
    for (std::int32_t i = 0; i < n; ++i) p[i] = ReversedByte(p[i]);
  });
  Recount(1);
}

// Shifts every byte of the range by bits (1..7), carrying the bits that fall out into
// the neighbour, and the bits that fall out of the range into its other end.
void TMemoryModule::ShiftBits(std::int32_t address, std::int32_t count, int bits, bool left) {
  const int back = 8 - bits;
  unsigned carry = 0;
  if (left) {
    TBlockPosition p = Locate(address + count - 1);
    std::uint8_t* last = &table_[At(p.block)].data[p.offset];
    for (std::int32_t i = 0; i < count; ++i) {
      std::uint8_t& b = table_[At(p.block)].data[p.offset];
      unsigned old = b;
      b = static_cast<std::uint8_t>((old << bits) | carry);
      carry = old >> back;
      StepBackward(p);
    }
    *last = static_cast<std::uint8_t>(*last | carry);
  } else {
    TBlockPosition p = Locate(address);
    std::uint8_t* first = &table_[At(p.block)].data[p.offset];
    for (std::int32_t i = 0; i < count; ++i) {
      std::uint8_t& b = table_[At(p.block)].data[p.offset];
      unsigned old = b;
      b = static_cast<std::uint8_t>((old >> bits) | carry);
      carry = (old << back) & 0xFFu;
      StepForward(p);
    }
    *first = static_cast<std::uint8_t>(*first | carry);
  }
}

// Rotates the range, read as one big-endian bit string, by bits (either sign).
void TMemoryModule::Rotate(std::int32_t address, std::int32_t count, std::int64_t bits, bool left) {
  if (bits < 0) {
    bits = -bits;
    left = !left;
  }
  if (bits == 0 || !ClipRange(address, count)) return;
  std::int64_t amount = bits % (8 * static_cast<std::int64_t>(count));
  if (amount == 0) return;
  std::int32_t k = static_cast<std::int32_t>(amount / 8);
  int s = static_cast<int>(amount % 8);
  if (k > 0) {
    // Whole bytes: k bytes move from one end of the range to the other.
    TNotifyLock lock(NotifyLocked);
    std::int32_t from = left ? address : address + count - k;
    std::int32_t to = left ? address + count - k : address;
    std::vector<std::uint8_t> moved(static_cast<std::size_t>(k));
    ReadData(moved.data(), from, k);
    ReserveFor(k);  // the bytes deleted here must go back in
    DeleteData(from, k);
    InsertData(moved.data(), to, k);
  }
  if (s > 0) ShiftBits(address, count, s, left);
  Recount(1);
}

void TMemoryModule::RotateLeft(std::int32_t address, std::int32_t count, std::int32_t bits) {
  Rotate(address, count, bits, true);
}

void TMemoryModule::RotateRight(std::int32_t address, std::int32_t count, std::int32_t bits) {
  Rotate(address, count, bits, false);
}

// Adds or subtracts 1 at the first byte of the range in its byte order and carries
// towards the other end while a byte wraps; a carry out of the range is dropped.
void TMemoryModule::AddOne(std::int32_t address, std::int32_t count, bool bigEndian, bool decrement) {
  if (count < 1 || address < 0) return;
  std::int64_t start = bigEndian ? static_cast<std::int64_t>(address) + count - 1 : address;
  if (start >= size_) return;
  TBlockPosition p = Locate(static_cast<std::int32_t>(start));
  const std::uint8_t wrapped = decrement ? 0xFF : 0x00;
  for (std::int32_t i = 0; i < count; ++i) {
    std::uint8_t& b = table_[At(p.block)].data[p.offset];
    b = static_cast<std::uint8_t>(decrement ? b - 1 : b + 1);
    if (b != wrapped || i + 1 == count) break;
    if (!(bigEndian ? StepBackward(p) : StepForward(p))) break;
  }
  Recount(1);
}

void TMemoryModule::IncrementLE(std::int32_t address, std::int32_t count) { AddOne(address, count, false, false); }
void TMemoryModule::DecrementLE(std::int32_t address, std::int32_t count) { AddOne(address, count, false, true); }
void TMemoryModule::IncrementBE(std::int32_t address, std::int32_t count) { AddOne(address, count, true, false); }
void TMemoryModule::DecrementBE(std::int32_t address, std::int32_t count) { AddOne(address, count, true, true); }

}  // namespace ovx
