#include "editor/UpdateBatch.h"

namespace ovx {

unsigned TUpdateBatch::Mark(unsigned parts) {
  if (depth_ == 0) return Reduced(parts);
  kept_ |= parts;
  return upNone;
}

unsigned TUpdateBatch::Leave() {
  if (depth_ > 0) --depth_;
  return depth_ == 0 ? Flush() : unsigned{upNone};
}

unsigned TUpdateBatch::Flush() {
  const unsigned due = Reduced(kept_);
  kept_ = upNone;
  return due;
}

}  // namespace ovx
