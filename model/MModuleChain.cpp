// The block chain itself: the table, linking and unlinking blocks, locating addresses,
// and the counters.
#include <algorithm>
#include <new>

#include "model/MModule.h"

namespace ovx {

namespace {
constexpr std::size_t At(std::int32_t i) { return static_cast<std::size_t>(i); }
}  // namespace

TMemoryModule::TMemoryModule() { ResetTable(kTableGrowth); }

TMemoryModule::~TMemoryModule() = default;

std::uint8_t* TMemoryModule::AllocateBlock() {
  if (!spare_.empty()) {
    std::uint8_t* block = spare_.back();
    spare_.pop_back();
    return block;
  }
  std::uint8_t* block = pool_.Allocate();
  if (block == nullptr) throw std::bad_alloc();
  return block;
}

void TMemoryModule::ReserveFor(std::int32_t bytes) {
  // Whole blocks for the bytes, and one for the tail of a block split in two.
  const std::size_t blocks = static_cast<std::size_t>(bytes / kBlockSize) + 2;
  try {
    // Room for the descriptors the table grows by on the way, so that growing cannot fail.
    if (blocks > free_.size()) {
      const std::size_t growth = (blocks - free_.size() + kTableGrowth - 1) / kTableGrowth * kTableGrowth;
      const std::size_t descriptors = table_.size() + growth;
      if (descriptors > table_.capacity()) {
        // Doubling, as growing would, so that the table is not copied every 256 blocks.
        const std::size_t room = std::max(descriptors, 2 * table_.capacity());
        table_.reserve(room);
        index_.Reserve(room);
        free_.reserve(std::max(free_.size() + growth, 2 * free_.capacity()));
      }
    }
    spare_.reserve(blocks);
    while (spare_.size() < blocks) {
      std::uint8_t* block = pool_.Allocate();
      if (block == nullptr) throw std::bad_alloc();
      spare_.push_back(block);
    }
  } catch (const std::bad_alloc&) {
    ReleaseSpareBlocks();
    throw;
  }
}

void TMemoryModule::ReleaseSpareBlocks() {
  for (std::uint8_t* block : spare_) pool_.Free(block);
  spare_.clear();
  if (spare_.capacity() > static_cast<std::size_t>(kTableGrowth)) spare_.shrink_to_fit();  // after a large change
}

void TMemoryModule::ResetTable(std::size_t descriptors) {
  pool_.Reset();
  table_.clear();
  table_.shrink_to_fit();
  table_.resize(descriptors);
  free_.clear();
  free_.shrink_to_fit();
  free_.reserve(descriptors);
  for (std::size_t i = descriptors; i-- > 0;) free_.push_back(static_cast<std::int32_t>(i));
  index_.Reset(descriptors);
  head_ = -1;
}

void TMemoryModule::Clear() {
  ResetTable(kTableGrowth);
  size_ = 0;
  pageCount_ = 0;
  blockCount_ = 0;
  modified_ = 0;
  ++changes_;
}

void TMemoryModule::GrowTable(std::size_t descriptors) {
  const std::size_t old = table_.size();
  if (descriptors <= old) return;
  table_.resize(descriptors);
  index_.Grow(descriptors);
  // Free descriptors are taken from the back: the lowest first.
  free_.insert(free_.begin(), descriptors - old, 0);
  for (std::size_t i = 0; i < descriptors - old; ++i) free_[i] = static_cast<std::int32_t>(descriptors - 1 - i);
}

std::int32_t TMemoryModule::TakeFreeDescriptor() {
  if (free_.empty()) GrowTable(table_.size() + static_cast<std::size_t>(kTableGrowth));
  std::int32_t i = free_.back();
  free_.pop_back();
  return i;
}

std::int32_t TMemoryModule::NewBlockAfter(std::int32_t block) {
  std::int32_t i = TakeFreeDescriptor();
  TBlockDescriptor& d = table_[At(i)];
  d.data = AllocateBlock();
  d.used = 0;
  d.previous = block;
  d.next = block < 0 ? head_ : table_[At(block)].next;
  if (d.next >= 0) table_[At(d.next)].previous = i;
  if (block < 0) {
    head_ = i;
  } else {
    table_[At(block)].next = i;
  }
  index_.InsertAfter(block, i, 0);
  ++blockCount_;
  return i;
}

void TMemoryModule::FreeBlock(std::int32_t block) {
  TBlockDescriptor& d = table_[At(block)];
  if (d.previous >= 0) {
    table_[At(d.previous)].next = d.next;
  } else {
    head_ = d.next;
  }
  if (d.next >= 0) table_[At(d.next)].previous = d.previous;
  index_.Remove(block);
  pool_.Free(d.data);
  d = TBlockDescriptor{};
  free_.push_back(block);
  --blockCount_;
}

void TMemoryModule::SetUsed(std::int32_t block, std::int32_t used) {
  table_[At(block)].used = used;
  index_.SetWeight(block, used);
}

void TMemoryModule::RebuildIndex() {
  std::vector<std::int32_t> order;
  std::vector<std::int32_t> weights;
  order.reserve(static_cast<std::size_t>(blockCount_));
  weights.reserve(static_cast<std::size_t>(blockCount_));
  for (std::int32_t b = head_; b >= 0; b = table_[At(b)].next) {
    order.push_back(b);
    weights.push_back(table_[At(b)].used);
  }
  index_.Build(order, weights);
}

bool TMemoryModule::IndexConsistent() const {
  std::vector<std::int32_t> order;
  std::vector<std::int32_t> weights;
  for (std::int32_t b = head_; b >= 0; b = table_[At(b)].next) {
    if (order.size() > table_.size()) return false;  // a cycle
    order.push_back(b);
    weights.push_back(table_[At(b)].used);
  }
  return index_.Matches(order, weights);
}

std::size_t TMemoryModule::MemoryBytes() const {
  return pool_.MemoryBytes() + table_.capacity() * sizeof(TBlockDescriptor) +
         free_.capacity() * sizeof(std::int32_t) + index_.MemoryBytes();
}

TBlockPosition TMemoryModule::Locate(std::int32_t address) const {
  if (address < 0 || address >= size_) return {};
  TBlockPosition p;
  p.block = index_.Find(address, p.offset);
  if (p.block < 0) p.offset = 0;
  return p;
}

bool TMemoryModule::StepForward(TBlockPosition& p) const {
  const TBlockDescriptor& d = table_[At(p.block)];
  if (p.offset + 1 < d.used) {
    ++p.offset;
    return true;
  }
  p = {d.next, 0};
  if (p.block < 0) return false;
  return true;
}

bool TMemoryModule::StepBackward(TBlockPosition& p) const {
  if (p.offset > 0) {
    --p.offset;
    return true;
  }
  std::int32_t prev = table_[At(p.block)].previous;
  if (prev < 0) {
    p = {};
    return false;
  }
  p = {prev, table_[At(prev)].used - 1};
  return true;
}

void TMemoryModule::Recount(std::uint8_t modified, bool contentChanged) {
  if (contentChanged) ++changes_;
  size_ = static_cast<std::int32_t>(index_.Total());
  pageCount_ = size_ / kBlockSize + (size_ % kBlockSize != 0 ? 1 : 0);
  modified_ = modified;
  if (!NotifyLocked && OnChange) OnChange(*this);
}

void TMemoryModule::Progress(const char* text) {
  if (OnProgress) OnProgress(*this, text);
}

bool TMemoryModule::ClipRange(std::int32_t address, std::int32_t& count) const {
  if (address < 0 || address >= size_) return false;
  if (count > size_ - address) count = size_ - address;
  return count > 0;
}

}  // namespace ovx
