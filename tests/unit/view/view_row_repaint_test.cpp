#include <gtest/gtest.h>

#include <vector>

#include "view/RowRepaint.h"

namespace ovx {
namespace {

// caretRow counts from the top visible row.
std::vector<TPaintRow> Rows(const TMemoryModule& module, std::int32_t topRow, std::int32_t caretRow, int visible = 5) {
  TPaintInput in;
  in.topRow = topRow;
  in.caretRow = caretRow;
  in.visibleRows = visible;
  TPaintModel model;
  BuildPaintModel(module, in, model);
  return model.rows;
}

TEST(RowRepaint, DrawsOnlyTheRowsThatCameIntoViewOrChanged) {
  TMemoryModule module;
  std::vector<std::uint8_t> bytes(16 * 40);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
  module.InsertData(bytes.data(), 0, static_cast<std::int32_t>(bytes.size()));
  const struct {
    const char* name;
    std::int32_t topBefore, caretBefore, topAfter, caretAfter;
    int visibleAfter;
    int shift;
    std::vector<bool> draw;
  } cases[] = {
      {"nothing moved", 10, 2, 10, 2, 5, 0, {false, false, false, false, false}},
      {"caret one row down", 10, 2, 10, 3, 5, 0, {false, false, true, true, false}},
      {"scrolled down one row, caret on the last", 10, 4, 11, 4, 5, 1, {false, false, false, true, true}},
      {"scrolled up one row, caret on the first", 10, 0, 9, 0, 5, -1, {true, true, false, false, false}},
      {"scrolled down three rows", 10, 2, 13, 2, 5, 3, {false, false, true, true, true}},
      {"a page: nothing to keep", 10, 2, 15, 2, 5, 0, {true, true, true, true, true}},
      {"more rows visible", 10, 2, 10, 2, 6, 0, {true, true, true, true, true, true}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const TRowRepaint plan =
        PlanRowRepaint(Rows(module, c.topBefore, c.caretBefore), Rows(module, c.topAfter, c.caretAfter, c.visibleAfter));
    EXPECT_EQ(plan.shiftRows, c.shift);
    EXPECT_EQ(plan.draw, c.draw);
  }
}

TEST(RowRepaint, OnlyARowThatReadsDifferentlyIsDrawnAgain) {
  TMemoryModule module;
  std::vector<std::uint8_t> bytes(16 * 10, 0x41);
  module.InsertData(bytes.data(), 0, static_cast<std::int32_t>(bytes.size()));
  const std::vector<TPaintRow> before = Rows(module, 0, 0);
  const std::uint8_t b = 0x42;
  module.InsertData(&b, 16 * 2 + 5, 1);  // row 2 shows the new byte; the rest moves on by one,
  module.DeleteData(16 * 4, 1);          // and back: rows 3 and 4 read as before
  EXPECT_EQ(PlanRowRepaint(before, Rows(module, 0, 0)).draw, (std::vector<bool>{false, false, true, false, false}));
}

}  // namespace
}  // namespace ovx
