// Compaction: packs the document into full blocks and frees the blocks left over.
#include <algorithm>
#include <cstring>

#include "model/MModule.h"

namespace ovx {

namespace {
constexpr std::size_t At(std::int32_t i) { return static_cast<std::size_t>(i); }
}  // namespace

void TMemoryModule::Compact() {
  if (pageCount_ == blockCount_) return;
  Progress("ガーベージコレクション実行中...");
  // The write position never passes the read position, so each piece moves towards the
  // head, at most into the block it is read from (memmove handles that overlap).
  std::int32_t wb = head_;
  std::int32_t wo = 0;
  for (std::int32_t rb = head_; rb >= 0; rb = table_[At(rb)].next) {
    const std::int32_t used = table_[At(rb)].used;
    std::int32_t ro = 0;
    while (ro < used) {
      if (wo == kBlockSize) {
        table_[At(wb)].used = kBlockSize;
        wb = table_[At(wb)].next;
        wo = 0;
      }
      std::int32_t n = std::min(kBlockSize - wo, used - ro);
      if (wb != rb || wo != ro) std::memmove(table_[At(wb)].data + wo, table_[At(rb)].data + ro, static_cast<std::size_t>(n));
      wo += n;
      ro += n;
    }
  }
  if (wb >= 0) {
    table_[At(wb)].used = wo;
    // Every block after the last written one is left over.
    std::int32_t spare = table_[At(wb)].next;
    table_[At(wb)].next = -1;
    while (spare >= 0) {
      TBlockDescriptor& d = table_[At(spare)];
      std::int32_t next = d.next;
      pool_.Free(d.data);
      d = TBlockDescriptor{};
      free_.push_back(spare);
      --blockCount_;
      spare = next;
    }
  }
  // Free descriptors are handed out lowest index first.
  std::sort(free_.begin(), free_.end(), std::greater<std::int32_t>());
  RebuildIndex();
  Progress("");
  Recount(modified_, false);  // the same bytes in fewer blocks
}

}  // namespace ovx
