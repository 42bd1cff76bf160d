// Bit, byte and integer operations on a range.
#include <gtest/gtest.h>

#include <functional>

#include "mmodule_test_util.h"

namespace ovx {
namespace {

using test::Bytes;
using test::Content;
using test::Fill;

using TOperation = std::function<void(TMemoryModule&)>;

struct TBitCase {
  const char* name;
  std::vector<std::uint8_t> before;
  TOperation operation;
  std::vector<std::uint8_t> after;
  bool modifies;
};

TEST(MemoryModuleBits, RangeOperationsGiveTheExpectedBytes) {
  const TBitCase cases[] = {
      {"IncrementLE carries through FF FF", Bytes({0xFF, 0xFF}), [](TMemoryModule& m) { m.IncrementLE(0, 2); }, Bytes({0x00, 0x00}), true},
      {"IncrementBE carries into the lower address", Bytes({0x00, 0xFF}), [](TMemoryModule& m) { m.IncrementBE(0, 2); }, Bytes({0x01, 0x00}), true},
      {"DecrementLE of 01 00", Bytes({0x01, 0x00}), [](TMemoryModule& m) { m.DecrementLE(0, 2); }, Bytes({0x00, 0x00}), true},
      {"DecrementLE of 00 01", Bytes({0x00, 0x01}), [](TMemoryModule& m) { m.DecrementLE(0, 2); }, Bytes({0xFF, 0x00}), true},
      {"DecrementBE borrows", Bytes({0x01, 0x00}), [](TMemoryModule& m) { m.DecrementBE(0, 2); }, Bytes({0x00, 0xFF}), true},
      {"IncrementLE carry stops at the range", Bytes({0xFF, 0x07}), [](TMemoryModule& m) { m.IncrementLE(0, 1); }, Bytes({0x00, 0x07}), true},
      {"IncrementBE past the end does nothing", Bytes({0x01, 0x02}), [](TMemoryModule& m) { m.IncrementBE(1, 2); }, Bytes({0x01, 0x02}), false},
      {"IncrementLE of no bytes", Bytes({0x01}), [](TMemoryModule& m) { m.IncrementLE(0, 0); }, Bytes({0x01}), false},
      {"RotateLeft 12 of 12 34 56", Bytes({0x12, 0x34, 0x56}), [](TMemoryModule& m) { m.RotateLeft(0, 3, 12); }, Bytes({0x45, 0x61, 0x23}), true},
      {"RotateRight 12 of 12 34 56", Bytes({0x12, 0x34, 0x56}), [](TMemoryModule& m) { m.RotateRight(0, 3, 12); }, Bytes({0x45, 0x61, 0x23}), true},
      {"RotateLeft 4 of 12 34", Bytes({0x12, 0x34}), [](TMemoryModule& m) { m.RotateLeft(0, 2, 4); }, Bytes({0x23, 0x41}), true},
      {"RotateRight 4 of 12 34", Bytes({0x12, 0x34}), [](TMemoryModule& m) { m.RotateRight(0, 2, 4); }, Bytes({0x41, 0x23}), true},
      {"RotateLeft -4 turns right", Bytes({0x12, 0x34}), [](TMemoryModule& m) { m.RotateLeft(0, 2, -4); }, Bytes({0x41, 0x23}), true},
      {"RotateLeft 16 of 2 bytes does nothing", Bytes({0x12, 0x34}), [](TMemoryModule& m) { m.RotateLeft(0, 2, 16); }, Bytes({0x12, 0x34}), false},
      {"RotateLeft 0 does nothing", Bytes({0x12, 0x34}), [](TMemoryModule& m) { m.RotateLeft(0, 2, 0); }, Bytes({0x12, 0x34}), false},
      {"RotateLeft 8 moves a byte", Bytes({0x01, 0x02, 0x03, 0x04}), [](TMemoryModule& m) { m.RotateLeft(1, 3, 8); }, Bytes({0x01, 0x03, 0x04, 0x02}), true},
      {"RotateRight 8 clipped at the end", Bytes({0x01, 0x02, 0x03}), [](TMemoryModule& m) { m.RotateRight(1, 9, 8); }, Bytes({0x01, 0x03, 0x02}), true},
      {"ReverseBits of 01 80 C0", Bytes({0x01, 0x80, 0xC0}), [](TMemoryModule& m) { m.ReverseBits(0, 3); }, Bytes({0x03, 0x01, 0x80}), true},
      {"ReverseBits of one byte", Bytes({0x01, 0x80}), [](TMemoryModule& m) { m.ReverseBits(0, 1); }, Bytes({0x80, 0x80}), true},
      {"ReverseBytes clipped at the end", Bytes({1, 2, 3, 4}), [](TMemoryModule& m) { m.ReverseBytes(1, 10); }, Bytes({1, 4, 3, 2}), true},
      {"ReverseBytes of one byte does nothing", Bytes({1, 2}), [](TMemoryModule& m) { m.ReverseBytes(1, 1); }, Bytes({1, 2}), false},
      {"InvertBits clipped at the end", Bytes({0x0F, 0xF0, 0x55}), [](TMemoryModule& m) { m.InvertBits(1, 5); }, Bytes({0x0F, 0x0F, 0xAA}), true},
      {"InvertBits at the end position does nothing", Bytes({0x0F}), [](TMemoryModule& m) { m.InvertBits(1, 1); }, Bytes({0x0F}), false},
  };
  for (const TBitCase& c : cases) {
    TMemoryModule m;
    Fill(m, c.before);
    m.SetModified(0);
    int changes = 0;
    m.OnChange = [&](TMemoryModule&) { ++changes; };
    c.operation(m);
    EXPECT_EQ(Content(m), c.after) << c.name;
    EXPECT_EQ(m.Modified(), c.modifies ? 1 : 0) << c.name;
    EXPECT_EQ(changes, c.modifies ? 1 : 0) << c.name;
    EXPECT_EQ(test::ChainProblems(m), "") << c.name;
  }
}

// The same operations over a range that spans several partly filled blocks.
TEST(MemoryModuleBits, RangesAcrossBlockBoundaries) {
  TMemoryModule m;
  std::vector<std::uint8_t> bytes(9000);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
  Fill(m, bytes);
  m.DeleteData(4000, 1);  // a short first block
  bytes.erase(bytes.begin() + 4000);

  m.ReverseBytes(3990, 200);
  std::reverse(bytes.begin() + 3990, bytes.begin() + 4190);
  EXPECT_EQ(Content(m), bytes);

  m.IncrementBE(4000, 300);
  for (std::size_t i = 4299;; --i) {
    if (++bytes[i] != 0) break;
  }
  EXPECT_EQ(Content(m), bytes);
  EXPECT_EQ(test::ChainProblems(m), "");
}

}  // namespace
}  // namespace ovx
