// The memory module's edits and reads at the places where blocks meet and the document ends.
#include <gtest/gtest.h>

#include "mmodule_test_util.h"

namespace ovx {
namespace {

using test::Bytes;
using test::ChainProblems;
using test::Content;
using test::Fill;
using test::Pattern;

TEST(MemoryModuleCreate, StartsEmptyWithTheInitialTable) {
  TMemoryModule m;
  EXPECT_EQ(m.Size(), 0);
  EXPECT_EQ(m.PageCount(), 0);
  EXPECT_EQ(m.BlockCount(), 0);
  EXPECT_EQ(m.Head(), -1);
  EXPECT_EQ(m.Descriptors().size(), 256u);
  EXPECT_EQ(m.Modified(), 0);
  EXPECT_EQ(ChainProblems(m), "");
}

TEST(MemoryModuleInsert, IntoTheFreeTailOfThePredecessorKeepsTheBlockCount) {
  TMemoryModule m;
  auto data = Pattern(6000);
  m.InsertData(data.data(), 0, 6000);  // 4096 + 1904
  m.DeleteData(4095, 1);               // the first block now has one free byte
  ASSERT_EQ(m.BlockCount(), 2);
  const std::uint8_t x = 0xAB;
  ASSERT_TRUE(m.InsertData(&x, 4095, 1));  // offset 0 of the second block
  EXPECT_EQ(m.BlockCount(), 2);
  const auto& first = m.Descriptors()[static_cast<std::size_t>(m.Head())];
  EXPECT_EQ(first.used, 4096);
  EXPECT_EQ(first.data[4095], 0xAB);
  EXPECT_EQ(ChainProblems(m), "");
}

TEST(MemoryModuleInsert, FiveThousandBytesIntoAFullBlockSplitIt) {
  TMemoryModule m;
  auto base = Pattern(4096);
  m.InsertData(base.data(), 0, 4096);
  auto data = Pattern(5000, 9);
  ASSERT_TRUE(m.InsertData(data.data(), 1000, 5000));
  std::vector<std::int32_t> used;
  for (std::int32_t b = m.Head(); b >= 0; b = m.Descriptors()[static_cast<std::size_t>(b)].next) {
    used.push_back(m.Descriptors()[static_cast<std::size_t>(b)].used);
  }
  EXPECT_EQ(used, (std::vector<std::int32_t>{1000, 4096, 904, 3096}));
  auto expected = base;
  expected.insert(expected.begin() + 1000, data.begin(), data.end());
  EXPECT_EQ(Content(m), expected);
  EXPECT_EQ(ChainProblems(m), "");
}

TEST(MemoryModuleInsert, RefusesAddressesOutsideTheDocumentAndOversizedGrowth) {
  TMemoryModule m;
  auto data = Pattern(10);
  Fill(m, data);
  m.SetModified(0);
  int changes = 0;
  m.OnChange = [&](TMemoryModule&) { ++changes; };
  EXPECT_FALSE(m.InsertData(data.data(), 11, 1));
  EXPECT_FALSE(m.InsertData(data.data(), -1, 1));
  EXPECT_FALSE(m.WriteData(data.data(), 11, 1));
  EXPECT_FALSE(m.InsertData(data.data(), 0, -1));
  // Growth past the largest address is refused before anything changes.
  EXPECT_FALSE(m.InsertData(data.data(), 5, static_cast<std::int32_t>(kMaxDocumentSize - 9)));
  EXPECT_FALSE(m.WriteData(data.data(), 10, static_cast<std::int32_t>(kMaxDocumentSize - 9)));
  EXPECT_EQ(Content(m), data);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(m.Modified(), 0);
}

TEST(MemoryModuleDelete, EmptyingABlockFreesItAtOnce) {
  TMemoryModule m;
  auto data = Pattern(9000);
  Fill(m, data);
  ASSERT_EQ(m.BlockCount(), 3);
  m.DeleteData(4096, 4096);
  EXPECT_EQ(m.BlockCount(), 2);
  data.erase(data.begin() + 4096, data.begin() + 8192);
  EXPECT_EQ(Content(m), data);
  EXPECT_EQ(ChainProblems(m), "");
}

TEST(MemoryModuleWrite, PastTheEndOverwritesThenAppends) {
  TMemoryModule m;
  auto data = Pattern(100);
  Fill(m, data);
  auto patch = Pattern(10, 5);
  ASSERT_TRUE(m.WriteData(patch.data(), 96, 10));
  EXPECT_EQ(m.Size(), 106);
  std::vector<std::uint8_t> expected(data.begin(), data.begin() + 96);
  expected.insert(expected.end(), patch.begin(), patch.end());
  EXPECT_EQ(Content(m), expected);
}

TEST(MemoryModuleRead, PastTheEndReadsZeros) {
  struct Case {
    std::int32_t address;
    std::int32_t count;
    std::int32_t copied;  // bytes that come from the document
  } cases[] = {{97, 16, 3}, {100, 16, 0}, {-5, 8, 0}, {0, 100, 100}, {1000, 4, 0}};
  TMemoryModule m;
  auto data = Pattern(100);
  Fill(m, data);
  for (const Case& c : cases) {
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(c.count), 0xEE);
    m.ReadData(buffer.data(), c.address, c.count);
    for (std::int32_t i = 0; i < c.count; ++i) {
      std::uint8_t want = i < c.copied ? data[static_cast<std::size_t>(c.address + i)] : 0;
      EXPECT_EQ(buffer[static_cast<std::size_t>(i)], want) << "address " << c.address << " byte " << i;
    }
  }
}

TEST(MemoryModuleEvents, EveryChangeNotifiesOnceAndMarksModified) {
  TMemoryModule m;
  int changes = 0;
  m.OnChange = [&](TMemoryModule& sender) {
    EXPECT_EQ(&sender, &m);
    ++changes;
  };
  auto data = Pattern(20);
  m.InsertData(data.data(), 0, 20);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(m.Modified(), 1);
  m.SetModified(0);
  m.RotateLeft(0, 20, 8 * 3 + 2);  // whole bytes and bits: still one notification
  EXPECT_EQ(changes, 2);
  m.ReverseBits(0, 20);
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(m.Modified(), 1);
  m.NotifyLocked = 1;
  m.InvertBits(0, 4);
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(m.NotifyLocked, 1);
  m.NotifyLocked = 0;
  m.Clear();
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(m.Modified(), 0);
  EXPECT_EQ(m.Descriptors().size(), 256u);
}

}  // namespace
}  // namespace ovx
