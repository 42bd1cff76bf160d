// The address index and the block memory beneath the module, on their own.
#include <gtest/gtest.h>

#include <random>

#include "model/BlockIndex.h"
#include "model/BlockPool.h"
#include "mmodule_test_util.h"

namespace ovx {
namespace {

TEST(BlockIndex, FollowsRandomInsertsRemovalsAndWeightChanges) {
  TBlockIndex index;
  index.Reset(400);
  std::vector<std::int32_t> order, weights, unused;
  for (std::int32_t i = 399; i >= 0; --i) unused.push_back(i);
  std::mt19937 rng(3);
  for (int step = 0; step < 5000; ++step) {
    int op = static_cast<int>(rng() % 3);
    if ((op == 0 && !unused.empty()) || order.empty()) {
      std::size_t at = rng() % (order.size() + 1);  // the new node goes before order[at]
      std::int32_t node = unused.back();
      unused.pop_back();
      std::int32_t w = static_cast<std::int32_t>(rng() % 4097);
      index.InsertAfter(at == 0 ? -1 : order[at - 1], node, w);
      order.insert(order.begin() + static_cast<std::ptrdiff_t>(at), node);
      weights.insert(weights.begin() + static_cast<std::ptrdiff_t>(at), w);
    } else if (op == 1) {
      std::size_t at = rng() % order.size();
      index.Remove(order[at]);
      unused.push_back(order[at]);
      order.erase(order.begin() + static_cast<std::ptrdiff_t>(at));
      weights.erase(weights.begin() + static_cast<std::ptrdiff_t>(at));
    } else {
      std::size_t at = rng() % order.size();
      weights[at] = static_cast<std::int32_t>(rng() % 4097);
      index.SetWeight(order[at], weights[at]);
    }
    ASSERT_TRUE(index.Matches(order, weights)) << "step " << step;
    // Every address maps to the node whose bytes hold it; nodes of weight 0 hold none.
    std::int64_t total = 0;
    for (std::int32_t w : weights) total += w;
    ASSERT_EQ(index.Total(), total);
    std::int64_t probe = total == 0 ? 0 : static_cast<std::int64_t>(rng() % static_cast<std::uint64_t>(total));
    std::int64_t start = 0;
    std::size_t k = 0;
    while (k < order.size() && probe >= start + weights[k]) start += weights[k++];
    std::int32_t offset = -1;
    std::int32_t found = index.Find(probe, offset);
    if (total == 0) {
      EXPECT_EQ(found, -1);
    } else {
      ASSERT_EQ(found, order[k]) << "step " << step;
      EXPECT_EQ(offset, probe - start);
    }
    EXPECT_EQ(index.Find(total, offset), -1);
  }
}

TEST(BlockPool, HandsOutSeparateBlocksAndReturnsEmptySlabs) {
  TBlockPool pool;
  std::vector<std::uint8_t*> blocks;
  for (std::size_t i = 0; i < kSlabBlocks + 10; ++i) {
    blocks.push_back(pool.Allocate());
    std::fill(blocks.back(), blocks.back() + kPieceBytes, static_cast<std::uint8_t>(i));
  }
  EXPECT_EQ(pool.SlabCount(), 2u);
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    ASSERT_EQ(blocks[i][0], static_cast<std::uint8_t>(i));
    ASSERT_EQ(blocks[i][kPieceBytes - 1], static_cast<std::uint8_t>(i));
  }
  // Freeing every block of the first slab gives it back; the second stays.
  for (std::size_t i = 0; i < kSlabBlocks; ++i) pool.Free(blocks[i]);
  EXPECT_EQ(pool.SlabCount(), 1u);
  // Freed blocks of a slab in use are handed out again before a new slab is taken.
  pool.Free(blocks[kSlabBlocks]);
  std::uint8_t* again = pool.Allocate();
  EXPECT_EQ(again, blocks[kSlabBlocks]);
  EXPECT_EQ(pool.SlabCount(), 1u);
  pool.Reset();
  EXPECT_EQ(pool.SlabCount(), 0u);
}

TEST(MemoryModuleMemory, DeletingEverythingGivesTheBlocksBack) {
  TMemoryModule m;
  test::Fill(m, test::Pattern(5u << 20));
  const std::size_t loaded = m.MemoryBytes();
  EXPECT_GE(loaded, std::size_t{5} << 20);
  m.DeleteData(0, m.Size());
  EXPECT_LT(m.MemoryBytes(), std::size_t{1} << 20);
  EXPECT_EQ(test::ChainProblems(m), "");
}

}  // namespace
}  // namespace ovx
