#include <numeric>

#include "tests/unit/view/view_test_host.h"
#include "view/RotationSteps.h"

namespace ovx::test {
namespace {

using Bytes_ = std::vector<std::uint8_t>;

TEST_F(ViewTest, RotationCountsAreReducedModuloTheRange) {
  struct Case {
    Bytes_ bytes;
    bool byBytes, left;
    std::int32_t count;
    Bytes_ want;
  } cases[] = {
      {{0x12, 0x34, 0x56}, false, false, 300'000'000, {0x12, 0x34, 0x56}},  // a multiple of 24 bits
      {{0x12, 0x34, 0x56}, false, false, 0x7FFFFFFF, {0xAC, 0x24, 0x68}},   // 7 bits right
      {{0x12, 0x34, 0x56}, false, true, 24 * 1000 + 4, {0x23, 0x45, 0x61}},
      {{0x12, 0x34, 0x56}, true, true, 3 * 5, {0x12, 0x34, 0x56}},  // a multiple of 3 bytes
      {{1, 2, 3, 4, 5}, true, false, 0x7FFFFFFF, {4, 5, 1, 2, 3}},   // 2 bytes right
      {{1, 2, 3, 4, 5}, true, true, 0x7FFFFFFF, {3, 4, 5, 1, 2}},
  };
  for (const Case& c : cases) {
    Load(c.bytes);
    c.byBytes ? view.ByteRotate(c.left, c.count) : view.BitRotate(c.left, c.count);
    EXPECT_EQ(Bytes(), c.want) << c.count << (c.left ? " left" : " right") << (c.byBytes ? " bytes" : " bits");
  }
}

TEST(RotationSteps, ReducedThenSplitIntoRecordAmounts) {
  struct Case {
    bool left;
    std::int64_t count;
    int unitBits;
    std::int32_t rangeBytes;
    std::int64_t wantBits;  // the sum of the steps
  } cases[] = {
      {false, 300'000'000, 1, 3, 0},
      {true, 24, 1, 3, 0},
      {true, 25, 1, 3, -1},
      {false, 3, 8, 0x7FFFFFFF, 24},
      {true, 0x7FFFFFFE, 8, 0x7FFFFFFF, -std::int64_t{8} * 0x7FFFFFFE},  // beyond 32 bits
      {false, std::int64_t{0x7FFFFFFF} + 5, 8, 0x7FFFFFFF, 40},
      {false, 0, 8, 10, 0},
      {false, 5, 8, 0, 0},  // no range
  };
  for (const Case& c : cases) {
    const std::vector<std::int32_t> steps = RotationSteps(c.left, c.count, c.unitBits, c.rangeBytes);
    EXPECT_EQ(std::accumulate(steps.begin(), steps.end(), std::int64_t{0}), c.wantBits) << c.count;
    for (const std::int32_t step : steps) EXPECT_TRUE(c.left ? step < 0 : step > 0) << c.count;
  }
}

}  // namespace
}  // namespace ovx::test
