#include "view/CompareDisplay.h"

namespace ovx {

void TCompareDisplay::Start(std::unique_ptr<TMemoryModule> owned) {
  owned_ = std::move(owned);
  partner_ = owned_.get();
}

void TCompareDisplay::Start(const TMemoryModule& other) {
  owned_.reset();
  partner_ = &other;
}

void TCompareDisplay::End() {
  partner_ = nullptr;
  owned_.reset();
}

TCellColor TCompareDisplay::Color(std::int64_t p, std::uint8_t mine, std::uint8_t other) const {
  if (BeyondEither(p)) return ccOver;
  if (mine == other) return ccNormal;
  if (!colors_) return ccDifference;
  return mine > other ? ccBigger : ccSmaller;
}

char TCompareDisplay::Mark(std::int64_t p, std::uint8_t mine, std::uint8_t other) const {
  if (!marks_ || BeyondEither(p) || mine == other) return ' ';
  return mine > other ? '+' : '-';
}

}  // namespace ovx
