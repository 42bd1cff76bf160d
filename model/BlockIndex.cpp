#include "model/BlockIndex.h"

namespace ovx {

void TBlockIndex::Reset(std::size_t capacity) {
  nodes_.assign(capacity, TNode{});
  nodes_.shrink_to_fit();
  root_ = -1;
}

void TBlockIndex::Grow(std::size_t capacity) {
  if (capacity > nodes_.size()) nodes_.resize(capacity);
}

std::uint32_t TBlockIndex::NextPriority() {
  // xorshift32: cheap, and good enough to keep the tree shallow.
  seed_ ^= seed_ << 13;
  seed_ ^= seed_ >> 17;
  seed_ ^= seed_ << 5;
  return seed_;
}

void TBlockIndex::Resum(std::int32_t i) {
  TNode& n = At(i);
  n.sum = SumOf(n.left) + n.weight + SumOf(n.right);
}

void TBlockIndex::AddToAncestors(std::int32_t from, std::int64_t delta) {
  for (std::int32_t y = from; y >= 0; y = At(y).parent) At(y).sum += delta;
}

// Lifts x above its parent, keeping the order of the nodes.
void TBlockIndex::RotateUp(std::int32_t x) {
  TNode& nx = At(x);
  std::int32_t p = nx.parent;
  TNode& np = At(p);
  std::int32_t g = np.parent;
  if (np.left == x) {
    np.left = nx.right;
    if (nx.right >= 0) At(nx.right).parent = p;
    nx.right = p;
  } else {
    np.right = nx.left;
    if (nx.left >= 0) At(nx.left).parent = p;
    nx.left = p;
  }
  np.parent = x;
  nx.parent = g;
  if (g < 0) {
    root_ = x;
  } else if (At(g).left == p) {
    At(g).left = x;
  } else {
    At(g).right = x;
  }
  Resum(p);
  Resum(x);
}

void TBlockIndex::InsertAfter(std::int32_t prev, std::int32_t node, std::int32_t weight) {
  TNode& n = At(node);
  n = TNode{};
  n.weight = weight;
  n.sum = weight;
  n.priority = NextPriority();
  if (root_ < 0) {
    root_ = node;
    return;
  }
  // The new node becomes the leftmost node of prev's right subtree, or prev's right child.
  std::int32_t at;
  bool asLeft;
  if (prev < 0) {
    at = root_;
    while (At(at).left >= 0) at = At(at).left;
    asLeft = true;
  } else if (At(prev).right < 0) {
    at = prev;
    asLeft = false;
  } else {
    at = At(prev).right;
    while (At(at).left >= 0) at = At(at).left;
    asLeft = true;
  }
  (asLeft ? At(at).left : At(at).right) = node;
  n.parent = at;
  AddToAncestors(at, weight);
  while (n.parent >= 0 && At(n.parent).priority < n.priority) RotateUp(node);
}

void TBlockIndex::Remove(std::int32_t node) {
  // Rotate the node down until it is a leaf, then cut it off.
  for (;;) {
    const TNode& n = At(node);
    std::int32_t child;
    if (n.left < 0 && n.right < 0) break;
    if (n.left < 0) {
      child = n.right;
    } else if (n.right < 0) {
      child = n.left;
    } else {
      child = At(n.left).priority > At(n.right).priority ? n.left : n.right;
    }
    RotateUp(child);
  }
  TNode& n = At(node);
  std::int32_t p = n.parent;
  if (p < 0) {
    root_ = -1;
  } else {
    (At(p).left == node ? At(p).left : At(p).right) = -1;
    AddToAncestors(p, -static_cast<std::int64_t>(n.weight));
  }
  n = TNode{};
}

void TBlockIndex::SetWeight(std::int32_t node, std::int32_t weight) {
  std::int64_t delta = static_cast<std::int64_t>(weight) - At(node).weight;
  At(node).weight = weight;
  if (delta != 0) AddToAncestors(node, delta);
}

std::int32_t TBlockIndex::Find(std::int64_t address, std::int32_t& offset) const {
  offset = 0;
  if (address < 0) return -1;
  std::int32_t x = root_;
  while (x >= 0) {
    const TNode& n = At(x);
    std::int64_t leftSum = SumOf(n.left);
    if (address < leftSum) {
      x = n.left;
      continue;
    }
    address -= leftSum;
    if (address < n.weight) {
      offset = static_cast<std::int32_t>(address);
      return x;
    }
    address -= n.weight;
    x = n.right;
  }
  return -1;
}

std::int64_t TBlockIndex::AddressOf(std::int32_t node) const {
  std::int64_t address = SumOf(At(node).left);
  for (std::int32_t x = node, p = At(node).parent; p >= 0; x = p, p = At(p).parent) {
    if (At(p).right == x) address += SumOf(At(p).left) + At(p).weight;
  }
  return address;
}

std::int32_t TBlockIndex::BuildRange(const std::vector<std::int32_t>& order, const std::vector<std::int32_t>& weights,
                                     std::size_t lo, std::size_t hi, std::int32_t parent, int depth) {
  if (lo >= hi) return -1;
  std::size_t mid = lo + (hi - lo) / 2;
  std::int32_t x = order[mid];
  TNode& n = At(x);
  n.parent = parent;
  n.weight = weights[mid];
  // Shallower nodes get higher priorities, so the balanced shape is a valid treap.
  n.priority = (static_cast<std::uint32_t>(32 - depth) << 26) | (NextPriority() >> 6);
  n.left = BuildRange(order, weights, lo, mid, x, depth + 1);
  n.right = BuildRange(order, weights, mid + 1, hi, x, depth + 1);
  Resum(x);
  return x;
}

void TBlockIndex::Build(const std::vector<std::int32_t>& order, const std::vector<std::int32_t>& weights) {
  for (TNode& n : nodes_) n = TNode{};
  root_ = BuildRange(order, weights, 0, order.size(), -1, 0);
}

bool TBlockIndex::Matches(const std::vector<std::int32_t>& order, const std::vector<std::int32_t>& weights) const {
  // In-order walk without recursion, checking each node on the way.
  std::vector<std::int32_t> stack;
  std::size_t k = 0;
  std::int32_t x = root_;
  if (x >= 0 && At(x).parent != -1) return false;
  while (x >= 0 || !stack.empty()) {
    while (x >= 0) {
      stack.push_back(x);
      x = At(x).left;
    }
    x = stack.back();
    stack.pop_back();
    const TNode& n = At(x);
    if (k >= order.size() || order[k] != x || weights[k] != n.weight) return false;
    if (n.sum != SumOf(n.left) + n.weight + SumOf(n.right)) return false;
    for (std::int32_t c : {n.left, n.right}) {
      if (c >= 0 && (At(c).parent != x || At(c).priority > n.priority)) return false;
    }
    ++k;
    x = n.right;
  }
  return k == order.size();
}

}  // namespace ovx
