// TBlockIndex: the blocks of a document in chain order, as a balanced search tree
// (a treap) whose nodes carry each block's used count and the sum of their subtree.
// It turns "which block holds address a" into a descent of about log2(blocks) steps
// instead of a walk along the whole chain. Node numbers are descriptor indices,
// so the tree lives in one array beside the block table.
#pragma once

#include <cstdint>
#include <vector>

namespace ovx {

class TBlockIndex {
 public:
  // Forgets every node; capacity nodes, all detached.
  void Reset(std::size_t capacity);
  // Adds detached nodes up to capacity.
  void Grow(std::size_t capacity);
  // Makes the later growth up to capacity one that allocates nothing.
  void Reserve(std::size_t capacity) { nodes_.reserve(capacity); }
  // Replaces the tree by the nodes of order (in document order) with the given weights.
  void Build(const std::vector<std::int32_t>& order, const std::vector<std::int32_t>& weights);

  // Puts node right after prev in document order (at the front for prev = -1).
  void InsertAfter(std::int32_t prev, std::int32_t node, std::int32_t weight);
  void Remove(std::int32_t node);
  void SetWeight(std::int32_t node, std::int32_t weight);

  // The node holding address (its offset in it), or -1 when address is not below Total().
  std::int32_t Find(std::int64_t address, std::int32_t& offset) const;
  std::int64_t Total() const { return root_ < 0 ? 0 : nodes_[static_cast<std::size_t>(root_)].sum; }

  // True when the tree holds exactly order (in that sequence) with the given weights and
  // every sum, parent link and priority is consistent.
  bool Matches(const std::vector<std::int32_t>& order, const std::vector<std::int32_t>& weights) const;
  std::size_t MemoryBytes() const { return nodes_.capacity() * sizeof(TNode); }

 private:
  struct TNode {
    std::int32_t left = -1;
    std::int32_t right = -1;
    std::int32_t parent = -1;
    std::int32_t weight = 0;
    std::int64_t sum = 0;
    std::uint32_t priority = 0;
  };

  TNode& At(std::int32_t i) { return nodes_[static_cast<std::size_t>(i)]; }
  const TNode& At(std::int32_t i) const { return nodes_[static_cast<std::size_t>(i)]; }
  std::int64_t SumOf(std::int32_t i) const { return i < 0 ? 0 : At(i).sum; }
  void Resum(std::int32_t i);
  void RotateUp(std::int32_t x);
  void AddToAncestors(std::int32_t from, std::int64_t delta);
  std::uint32_t NextPriority();
  std::int32_t BuildRange(const std::vector<std::int32_t>& order, const std::vector<std::int32_t>& weights,
                          std::size_t lo, std::size_t hi, std::int32_t parent, int depth);

  std::vector<TNode> nodes_;
  std::int32_t root_ = -1;
  std::uint32_t seed_ = 0x9E3779B9u;
};

}  // namespace ovx
