#include "mmodule_test_util.h"

namespace ovx::test {

std::string ChainProblems(const TMemoryModule& m) {
  const auto& table = m.Descriptors();
  std::vector<char> seen(table.size(), 0);
  std::int64_t size = 0;
  std::int32_t blocks = 0;
  std::int32_t previous = -1;
  for (std::int32_t b = m.Head(); b >= 0; b = table[static_cast<std::size_t>(b)].next) {
    if (static_cast<std::size_t>(b) >= table.size() || seen[static_cast<std::size_t>(b)]) return "chain leaves the table or loops";
    seen[static_cast<std::size_t>(b)] = 1;
    const TBlockDescriptor& d = table[static_cast<std::size_t>(b)];
    if (d.data == nullptr) return "chained block without data: " + std::to_string(b);
    if (d.used < 1 || d.used > kBlockSize) return "chained block holds " + std::to_string(d.used) + " bytes";
    if (d.previous != previous) return "previous link wrong at " + std::to_string(b);
    previous = b;
    size += d.used;
    ++blocks;
  }
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (seen[i]) continue;
    const TBlockDescriptor& d = table[i];
    if (d.data != nullptr || d.next != -1 || d.previous != -1 || d.used != 0) {
      return "unchained descriptor not clean: " + std::to_string(i);
    }
  }
  if (table.size() % kTableGrowth != 0 || table.empty()) return "table size not a multiple of 256";
  if (size != m.Size()) return "Size " + std::to_string(m.Size()) + " but chain holds " + std::to_string(size);
  if (m.PageCount() != (size + kBlockSize - 1) / kBlockSize) return "PageCount wrong";
  if (m.BlockCount() != blocks) return "BlockCount wrong";
  if (!m.IndexConsistent()) return "index disagrees with the chain";
  return {};
}

}  // namespace ovx::test
