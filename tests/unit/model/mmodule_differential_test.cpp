// Random operations on the module and on a plain byte vector must agree, step by step.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "mmodule_test_util.h"

namespace ovx {
namespace {

using TVector = std::vector<std::uint8_t>;

// The plain model: each operation written the simplest way over a byte vector.
struct TPlain {
  TVector v;

  std::int32_t Size() const { return static_cast<std::int32_t>(v.size()); }
  // Clips like the module; false when address is not a byte.
  bool Clip(std::int32_t a, std::int32_t& n) const {
    if (a < 0 || a >= Size()) return false;
    n = std::min(n, Size() - a);
    return n > 0;
  }
  void Write(const TVector& d, std::int32_t a) {
    if (v.size() < a + d.size()) v.resize(a + d.size());
    std::copy(d.begin(), d.end(), v.begin() + a);
  }
  void Rotate(std::int32_t a, std::int32_t n, std::int64_t bits, bool left) {
    if (bits < 0) {
      bits = -bits;
      left = !left;
    }
    if (bits == 0 || !Clip(a, n)) return;
    std::int64_t total = 8 * static_cast<std::int64_t>(n);
    bits %= total;
    if (bits == 0) return;
    std::vector<int> bit(static_cast<std::size_t>(total));
    for (std::int64_t i = 0; i < total; ++i) bit[static_cast<std::size_t>(i)] = (v[static_cast<std::size_t>(a + i / 8)] >> (7 - i % 8)) & 1;
    if (left) {
      std::rotate(bit.begin(), bit.begin() + bits, bit.end());
    } else {
      std::rotate(bit.begin(), bit.end() - bits, bit.end());
    }
    for (std::int64_t i = 0; i < n; ++i) {
      int b = 0;
      for (int k = 0; k < 8; ++k) b = b << 1 | bit[static_cast<std::size_t>(i * 8 + k)];
      v[static_cast<std::size_t>(a + i)] = static_cast<std::uint8_t>(b);
    }
  }
  void AddOne(std::int32_t a, std::int32_t n, bool be, bool dec) {
    if (n < 1 || a < 0) return;
    std::int64_t start = be ? static_cast<std::int64_t>(a) + n - 1 : a;
    if (start >= Size()) return;
    for (std::int32_t i = 0; i < n; ++i) {
      std::int64_t at = be ? start - i : start + i;
      if (at >= Size()) break;
      std::uint8_t& b = v[static_cast<std::size_t>(at)];
      b = static_cast<std::uint8_t>(dec ? b - 1 : b + 1);
      if (b != (dec ? 0xFF : 0x00)) break;
    }
  }
  std::int32_t Find(const TVector& p, std::int32_t start, bool backward, bool include) const {
    const std::int32_t m = static_cast<std::int32_t>(p.size());
    auto matchAt = [&](std::int32_t c) {
      return c >= 0 && c + m <= Size() && std::equal(p.begin(), p.end(), v.begin() + c);
    };
    if (!backward) {
      for (std::int32_t c = std::max(0, start + (include ? 0 : 1)); Size() - c >= m; ++c) {
        if (matchAt(c)) return c;
      }
      return -1;
    }
    std::int32_t c = start - (include ? 0 : 1);
    if (c == Size()) c = Size() - 1;
    for (; c >= 0; --c) {
      if (matchAt(c)) return c;
    }
    return -1;
  }
};

std::int32_t PlainDifference(const TVector& a, const TVector& b, std::int32_t s, bool backward, bool include,
                             std::int32_t& run) {
  run = 0;
  const std::int32_t common = static_cast<std::int32_t>(std::min(a.size(), b.size()));
  auto differs = [&](std::int32_t i) { return a[static_cast<std::size_t>(i)] != b[static_cast<std::size_t>(i)]; };
  if (b.empty()) return -1;
  if (s < 0) return -1;
  if (backward && s >= common) {
    s = common - 1;
    include = true;
  }
  if (s >= common) return -1;
  std::int32_t found = -1;
  if (!backward) {
    if (!include) {
      while (s < common && differs(s)) ++s;
    }
    for (std::int32_t i = s; i < common && found < 0; ++i) {
      if (differs(i)) found = i;
    }
  } else {
    if (!include) {
      while (s >= 0 && differs(s)) --s;
    }
    for (std::int32_t i = s; i >= 0; --i) {
      if (differs(i)) {
        while (i > 0 && differs(i - 1)) --i;
        found = i;
        break;
      }
    }
  }
  if (found < 0) return -1;
  while (found + run < common && differs(found + run)) ++run;
  return found;
}

class TDifferential {
 public:
  explicit TDifferential(unsigned seed) : rng_(seed) {}

  int Range(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

  // Addresses that matter: the ends, block edges inside the chain, anywhere.
  std::int32_t Address() {
    const std::int32_t size = plain.Size();
    switch (Range(0, 5)) {
      case 0: return 0;
      case 1: return size;
      case 2: return std::max(0, size - Range(1, 3));
      case 3: {
        std::vector<std::int32_t> edges;
        std::int32_t at = 0;
        for (std::int32_t b = module.Head(); b >= 0; b = module.Descriptors()[static_cast<std::size_t>(b)].next) {
          at += module.Descriptors()[static_cast<std::size_t>(b)].used;
          edges.push_back(at);
        }
        if (edges.empty()) return 0;
        return std::clamp(edges[static_cast<std::size_t>(Range(0, static_cast<int>(edges.size()) - 1))] + Range(-2, 1), 0, size);
      }
      default: return Range(0, size);
    }
  }
  std::int32_t Length() {
    switch (Range(0, 5)) {
      case 0: return Range(0, 2);
      case 1: return Range(0, 20);
      case 2: return Range(4090, 4100);
      case 3: return Range(0, plain.Size() > 20000 ? 500 : 9000);
      default: return Range(0, 300);
    }
  }
  TVector Data(std::int32_t n) {
    // Random bytes, with runs of FF and 00 now and then so that carries travel.
    TVector d(static_cast<std::size_t>(n));
    std::uint32_t r = static_cast<std::uint32_t>(rng_());
    for (std::size_t i = 0; i < d.size(); ++i) {
      r = r * 1664525u + 1013904223u;
      d[i] = static_cast<std::uint8_t>(r >> 24);
    }
    if (n > 0 && Range(0, 2) == 0) {
      std::size_t at = static_cast<std::size_t>(Range(0, n - 1));
      std::fill(d.begin() + static_cast<std::ptrdiff_t>(at), d.begin() + static_cast<std::ptrdiff_t>(std::min(d.size(), at + 8)),
                static_cast<std::uint8_t>(Range(0, 1) ? 0xFF : 0x00));
    }
    return d;
  }

  // One random operation on both; returns its name for failure messages.
  std::string Step() {
    const std::int32_t a = Address();
    std::int32_t n = Length();
    int op = Range(0, 17);
    if (plain.Size() > 20000 && op <= 1) op = 2;  // keep the document small enough to check fully
    switch (op) {
      case 0: {
        TVector d = Data(n);
        EXPECT_TRUE(module.InsertData(d.data(), a, n));
        plain.v.insert(plain.v.begin() + a, d.begin(), d.end());
        return "InsertData";
      }
      case 1: {
        TVector d = Data(n);
        EXPECT_TRUE(module.WriteData(d.data(), a, n));
        plain.Write(d, a);
        return "WriteData";
      }
      case 2: case 3:
        module.DeleteData(a, n);
        if (plain.Clip(a, n)) plain.v.erase(plain.v.begin() + a, plain.v.begin() + a + n);
        return "DeleteData";
      case 4:
        module.InvertBits(a, n);
        if (plain.Clip(a, n)) {
          for (std::int32_t i = 0; i < n; ++i) plain.v[static_cast<std::size_t>(a + i)] ^= 0xFF;
        }
        return "InvertBits";
      case 5:
        module.ReverseBytes(a, n);
        if (plain.Clip(a, n)) std::reverse(plain.v.begin() + a, plain.v.begin() + a + n);
        return "ReverseBytes";
      case 6:
        module.ReverseBits(a, n);
        if (plain.Clip(a, n)) {
          std::reverse(plain.v.begin() + a, plain.v.begin() + a + n);
          for (std::int32_t i = 0; i < n; ++i) {
            std::uint8_t& b = plain.v[static_cast<std::size_t>(a + i)];
            std::uint8_t r = 0;
            for (int k = 0; k < 8; ++k) r = static_cast<std::uint8_t>(r | ((b >> k) & 1) << (7 - k));
            b = r;
          }
        }
        return "ReverseBits";
      case 7: case 8: {
        n = std::min(n, 300);  // the plain rotation works bit by bit
        std::int32_t bits;
        switch (Range(0, 3)) {
          case 0: bits = 0; break;
          case 1: bits = 8 * Range(-40, 40); break;
          case 2: bits = Range(-7, 7); break;
          default: bits = Range(-3000, 3000);
        }
        if (op == 7) {
          module.RotateLeft(a, n, bits);
        } else {
          module.RotateRight(a, n, bits);
        }
        plain.Rotate(a, n, bits, op == 7);
        return "Rotate";
      }
      case 9: case 10: case 11: case 12: {
        // Runs of FF and 00 make carries travel.
        bool be = op >= 11;
        bool dec = op % 2 == 0;
        n = std::min(n, 40);
        if (op == 9) module.IncrementLE(a, n);
        if (op == 10) module.DecrementLE(a, n);
        if (op == 11) module.IncrementBE(a, n);
        if (op == 12) module.DecrementBE(a, n);
        plain.AddOne(a, n, be, dec);
        return "Increment/Decrement";
      }
      case 13: {
        std::vector<std::uint8_t> got(static_cast<std::size_t>(n));
        module.ReadData(got.data(), a, n);
        for (std::int32_t i = 0; i < n; ++i) {
          std::uint8_t want = a + i < plain.Size() ? plain.v[static_cast<std::size_t>(a + i)] : 0;
          if (got[static_cast<std::size_t>(i)] != want) ADD_FAILURE() << "ReadData at " << a + i;
        }
        return "ReadData";
      }
      case 14: {
        // A pattern taken from the document (often found) or random (rarely).
        std::int32_t m = Range(1, 6);
        TVector p = Data(m);
        std::int32_t start = a;
        if (Range(0, 1) == 0 && plain.Size() >= m) {
          // Taken from the document, often where it runs across a block edge, and searched
          // for from there.
          std::int32_t at = std::clamp(a - Range(0, m - 1), 0, plain.Size() - m);
          p.assign(plain.v.begin() + at, plain.v.begin() + at + m);
          start = at + Range(-1, 1);
        }
        TSearchInfo info;
        info.pattern = p.data();
        info.length = m;
        info.start = start;
        info.direction = static_cast<std::uint8_t>(Range(0, 1));
        info.includeStart = static_cast<std::uint8_t>(Range(0, 1));
        EXPECT_EQ(module.FindPattern(info), plain.Find(p, start, info.direction != 0, info.includeStart != 0));
        return "FindPattern";
      }
      case 15: {
        // A partner that differs in a few places and in length.
        TVector other = plain.v;
        other.resize(static_cast<std::size_t>(std::max(0, plain.Size() + Range(-50, 50))));
        for (int k = Range(0, 6); k > 0 && !other.empty(); --k) {
          std::size_t at = static_cast<std::size_t>(Range(0, static_cast<int>(other.size()) - 1));
          for (int r = Range(1, 5); r > 0 && at < other.size(); --r, ++at) other[at] ^= 0x5A;
        }
        TMemoryModule partner;
        test::Fill(partner, other);
        TCompareInfo info;
        info.other = &partner;
        info.start = a;
        info.direction = static_cast<std::uint8_t>(Range(0, 1));
        info.includeStart = static_cast<std::uint8_t>(Range(0, 1));
        std::int32_t run = 0, plainRun = 0;
        EXPECT_EQ(module.FindDifference(info, run),
                  PlainDifference(plain.v, other, a, info.direction != 0, info.includeStart != 0, plainRun));
        EXPECT_EQ(run, plainRun);
        return "FindDifference";
      }
      case 16:
        module.Compact();
        EXPECT_EQ(module.PageCount(), module.BlockCount());
        return "Compact";
      default:
        if (Range(0, 20) == 0) {
          module.Clear();
          plain.v.clear();
          return "Clear";
        }
        return "nothing";
    }
  }

  TMemoryModule module;
  TPlain plain;

 private:
  std::mt19937 rng_;
};

TEST(MemoryModuleDifferential, AgreesWithAPlainByteVector) {
  constexpr int kSteps = 100000;
  TDifferential d(20261209);
  std::vector<std::uint8_t> content;
  content.reserve(64 * 1024);  // one buffer for every check: fresh allocations are slow under the sanitizers
  for (int step = 0; step < kSteps; ++step) {
    std::string name = d.Step();
    ASSERT_EQ(d.module.Size(), d.plain.Size()) << "step " << step << " " << name;
    std::string problems = test::ChainProblems(d.module);
    ASSERT_EQ(problems, "") << "step " << step << " " << name;
    // The whole content every few steps, and always after an edit that moves bytes.
    if (step % 8 == 0 || name == "InsertData" || name == "DeleteData" || name == "Rotate") {
      content.resize(static_cast<std::size_t>(d.module.Size()));
      d.module.ReadData(content.data(), 0, d.module.Size());
      ASSERT_TRUE(content == d.plain.v) << "step " << step << " " << name;
    }
  }
}

}  // namespace
}  // namespace ovx
