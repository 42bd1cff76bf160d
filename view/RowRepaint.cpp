#include "view/RowRepaint.h"

namespace ovx {

TRowRepaint PlanRowRepaint(const std::vector<TPaintRow>& drawn, const std::vector<TPaintRow>& now) {
  const int rows = static_cast<int>(now.size());
  TRowRepaint plan{0, std::vector<bool>(now.size(), true)};
  if (drawn.size() != now.size() || now.empty()) return plan;
  const std::int64_t moved = now[0].address - drawn[0].address;
  if (moved % kBytesPerRow != 0) return plan;
  const std::int64_t shift = moved / kBytesPerRow;
  if (shift >= rows || shift <= -rows) return plan;
  plan.shiftRows = static_cast<int>(shift);
  for (int r = 0; r < rows; ++r) {
    const int from = r + plan.shiftRows;  // the drawn row now shown at r
    plan.draw[static_cast<std::size_t>(r)] =
        from < 0 || from >= rows || !(drawn[static_cast<std::size_t>(from)] == now[static_cast<std::size_t>(r)]);
  }
  return plan;
}

}  // namespace ovx
