// Random edits of every kind through the history, checked against a plain byte vector; then
// undo back to the start and redo to the end, also with trimming and with grouping.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <random>
#include <string_view>

#include "history_fixture.h"
#include "mmodule_test_util.h"

namespace ovx::test {
namespace {

using ByteVector = std::vector<std::uint8_t>;

// The changes as plain vector operations, written independently of the module.
class TReference {
 public:
  ByteVector data;

  void Apply(const TEditRecord& r) {
    const auto size = static_cast<std::int32_t>(data.size());
    switch (r.kind) {
      case ekInsert: data.insert(data.begin() + r.position, r.data, r.data + r.dataLength); break;
      case ekOverwrite:
        if (r.position + r.dataLength > size) data.resize(static_cast<std::size_t>(r.position + r.dataLength));
        std::copy(r.data, r.data + r.dataLength, data.begin() + r.position);
        break;
      case ekReplace:
        Erase(r.position, r.rangeLength);
        data.insert(data.begin() + r.position, r.data, r.data + r.dataLength);
        break;
      case ekDelete: Erase(r.position, r.rangeLength); break;
      default: Range(r); break;
    }
  }

 private:
  void Erase(std::int32_t position, std::int32_t length) {
    const auto end = std::min<std::size_t>(data.size(), static_cast<std::size_t>(position) + length);
    data.erase(data.begin() + position, data.begin() + static_cast<std::ptrdiff_t>(end));
  }

  bool Bit(const ByteVector& bytes, std::int64_t i) const { return (bytes[i / 8] >> (7 - i % 8)) & 1; }

  // Left rotation of the big-endian bit string by bits (negative: right).
  void Rotate(std::int32_t p, std::int32_t n, std::int64_t bits) {
    const std::int64_t total = 8 * std::int64_t{n};
    const std::int64_t shift = ((bits % total) + total) % total;
    const ByteVector old(data.begin() + p, data.begin() + p + n);
    for (std::int32_t i = 0; i < n; ++i) data[p + i] = 0;
    for (std::int64_t i = 0; i < total; ++i) {
      if (Bit(old, (i + shift) % total)) data[p + i / 8] |= static_cast<std::uint8_t>(0x80 >> (i % 8));
    }
  }

  void Range(const TEditRecord& r) {
    const auto size = static_cast<std::int32_t>(data.size());
    if (r.position < 0 || r.position >= size || r.rangeLength <= 0) return;
    const std::int32_t p = r.position;
    const std::int32_t n = std::min(r.rangeLength, size - p);  // clipped to the end
    const auto first = data.begin() + p;
    switch (r.kind) {
      case ekBitRotate: Rotate(p, n, -std::int64_t{r.dataLength}); break;
      case ekBitReverse: {
        const ByteVector old(first, first + n);
        for (std::int64_t i = 0; i < 8 * std::int64_t{n}; ++i) {
          const bool bit = Bit(old, 8 * std::int64_t{n} - 1 - i);
          auto& byte = data[p + i / 8];
          byte = static_cast<std::uint8_t>(bit ? byte | (0x80 >> (i % 8)) : byte & ~(0x80 >> (i % 8)));
        }
        break;
      }
      case ekBitNot:
        for (auto it = first; it != first + n; ++it) *it = static_cast<std::uint8_t>(~*it);
        break;
      case ekByteReverse: std::reverse(first, first + n); break;
      case ekIncrementLE:
      case ekDecrementLE: {
        const std::uint8_t wrap = r.kind == ekIncrementLE ? 0x00 : 0xFF;
        for (std::int32_t i = 0; i < n; ++i) {
          data[p + i] = static_cast<std::uint8_t>(data[p + i] + (r.kind == ekIncrementLE ? 1 : -1));
          if (data[p + i] != wrap) break;
        }
        break;
      }
      case ekIncrementBE:
      case ekDecrementBE: {
        if (r.rangeLength != n) return;  // the last byte of the range must exist
        const std::uint8_t wrap = r.kind == ekIncrementBE ? 0x00 : 0xFF;
        for (std::int32_t i = n - 1; i >= 0; --i) {
          data[p + i] = static_cast<std::uint8_t>(data[p + i] + (r.kind == ekIncrementBE ? 1 : -1));
          if (data[p + i] != wrap) break;
        }
        break;
      }
      default: break;
    }
  }
};

// A fingerprint of the content (the library's byte hash, which is fast even under sanitizers).
std::size_t Hash(const ByteVector& bytes) {
  return std::hash<std::string_view>{}(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

// The document's bytes, read into one buffer that is reused (fresh buffers of a few KB per step
// cost more than everything else under the address sanitizer).
const ByteVector& Snapshot(const TMemoryModule& module) {
  static ByteVector buffer;
  buffer.resize(static_cast<std::size_t>(module.Size()));
  if (!buffer.empty()) module.ReadData(buffer.data(), 0, module.Size());
  return buffer;
}

// A random record near the interesting places: block boundaries, the start, the end.
class TEditGenerator {
 public:
  explicit TEditGenerator(std::uint32_t seed) : rng_(seed) {}

  TEditRecord Next(std::int32_t size) {
    static constexpr TEditKind kKinds[] = {ekInsert,      ekOverwrite,   ekReplace,     ekDelete,
                                           ekBitRotate,   ekBitReverse,  ekBitNot,      ekByteReverse,
                                           ekIncrementLE, ekDecrementLE, ekIncrementBE, ekDecrementBE};
    TEditRecord r;
    // Keep the document between empty and a few blocks: grow while small, shrink while large.
    const int pick = Uniform(0, 99);
    if (size < 200 && pick < 25) {
      r.kind = ekInsert;
    } else if (size > 9000 && pick < 30) {
      r.kind = ekDelete;
    } else {
      r.kind = kKinds[Uniform(0, 11)];
    }
    r.position = Position(size, r.kind == ekInsert || r.kind == ekOverwrite || r.kind == ekReplace);
    r.caretBefore = {r.position, static_cast<std::uint8_t>(Uniform(0, 1))};
    r.caretAfter = {Uniform(0, size), 0};
    switch (r.kind) {
      case ekInsert:
      case ekOverwrite:
        Data(Length());
        break;
      case ekReplace:
        Data(Length());
        r.rangeLength = Length();
        break;
      case ekDelete: r.rangeLength = Length(); break;
      case ekBitRotate: {
        r.rangeLength = Length();
        const int how = Uniform(0, 9);
        if (how == 0) {
          r.dataLength = 0;
        } else if (how < 4) {
          r.dataLength = 8 * Uniform(-2 * r.rangeLength, 2 * r.rangeLength);
        } else if (how == 4) {
          r.dataLength = Uniform(0, 1) ? INT_MIN : INT_MAX;
        } else {
          r.dataLength = Uniform(-100, 100);
        }
        break;
      }
      default: r.rangeLength = Uniform(0, 20) == 0 ? Uniform(-3, 0) : Length(); break;
    }
    r.data = data_.data();
    if (r.kind == ekInsert || r.kind == ekOverwrite || r.kind == ekReplace) {
      r.dataLength = static_cast<std::int32_t>(data_.size());
    }
    return r;
  }

  int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }

 private:
  // Addresses 0..size for changes that may append, else mostly 0..size-1 with the end now and then.
  std::int32_t Position(std::int32_t size, bool mayAppend) {
    const int how = Uniform(0, 9);
    if (how == 0) return 0;
    if (how == 1) return size;
    if (how <= 3 && size > 0) {
      const std::int32_t boundary = kBlockSize * Uniform(0, size / kBlockSize);
      return std::clamp(boundary + Uniform(-3, 3), 0, size);
    }
    return Uniform(0, mayAppend ? size : std::max(size - 1, 0));
  }

  std::int32_t Length() {
    const int how = Uniform(0, 19);
    if (how == 0) return 0;
    if (how < 12) return Uniform(1, 8);
    if (how < 18) return Uniform(1, 300);
    return Uniform(kBlockSize - 2, kBlockSize + 2);
  }

  void Data(std::int32_t length) {
    data_.resize(static_cast<std::size_t>(length));
    for (auto& b : data_) b = static_cast<std::uint8_t>(Uniform(0, 255));
  }

  std::mt19937 rng_;
  ByteVector data_;
};

struct Scenario {
  const char* name;
  int edits;
  std::int64_t limit;
  int closeOneIn;  // CloseUndoGroup before an edit with probability 1/closeOneIn (1: every edit)
  std::uint32_t seed;
};

class HistoryDifferential : public HistoryFixture, public ::testing::WithParamInterface<Scenario> {};

TEST_P(HistoryDifferential, MatchesAPlainVectorAndUndoesAndRedoesEverything) {
  const Scenario& s = GetParam();
  history.SetLimit(s.limit);
  TReference reference;
  TEditGenerator generator(s.seed);
  // The document at the start of every group, in order: undo must walk back through exactly these.
  std::vector<std::size_t> groupStarts;
  bool groupOpen = false;
  const ByteVector original = Snapshot(module);

  for (int step = 0; step < s.edits; ++step) {
    if (generator.Uniform(1, s.closeOneIn) == 1) {
      history.CloseUndoGroup();
      groupOpen = false;
    }
    const TEditRecord record = generator.Next(module.Size());
    const bool leavesNode = !(record.kind == ekBitRotate && record.dataLength == 0);
    if (leavesNode && !groupOpen) {
      groupStarts.push_back(Hash(reference.data));
      groupOpen = true;
    }
    ASSERT_TRUE(history.ApplyEdit(record, true)) << "step " << step;
    reference.Apply(record);
    ASSERT_EQ(module.Size(), static_cast<std::int32_t>(reference.data.size())) << "step " << step;
    ASSERT_TRUE(Snapshot(module) == reference.data) << "step " << step << " kind " << int(record.kind);
    ASSERT_LE(history.HistoryUsed(), history.HistoryLimit());
    if (step % 997 == 0) {
      ASSERT_EQ(ChainProblems(module), "") << "step " << step;
    }
    if (leavesNode && !history.CanUndo()) {
      // A node larger than the limit took the whole list with it; later edits of the same group
      // number begin the history afresh.
      groupStarts.clear();
      groupOpen = false;
    }
  }
  const ByteVector final = reference.data;

  std::size_t undone = 0;
  while (history.CanUndo()) {
    history.Undo();
    ++undone;
    ASSERT_LE(undone, groupStarts.size());
    ASSERT_EQ(Hash(Snapshot(module)), groupStarts[groupStarts.size() - undone]) << "undo " << undone;
  }
  if (s.limit >= std::int64_t{1} << 40) {
    EXPECT_EQ(undone, groupStarts.size());
    EXPECT_TRUE(Snapshot(module) == original);
  }
  std::size_t redone = 0;
  while (history.CanRedo()) {
    history.Redo();
    ++redone;
  }
  EXPECT_EQ(redone, undone);
  EXPECT_TRUE(Snapshot(module) == final);
  EXPECT_EQ(ChainProblems(module), "");
}

// Rounds of a few edits, an undo walk, a redo walk and a new limit (lower, back up, or 0): every
// step of every walk must land on a state the document went through, group by group.
TEST_P(HistoryDifferential, LimitChangesBetweenUndoAndRedoWalksKeepEveryStepRight) {
  const Scenario& s = GetParam();
  constexpr int kRounds = 1500;
  history.SetLimit(s.limit);
  TReference reference;
  TEditGenerator generator(s.seed);
  // The document after each group the history may still hold, oldest first (the first entry is
  // where the oldest group starts); at is where the document stands now.
  std::vector<std::size_t> states{Hash(Snapshot(module))};
  std::size_t at = 0;

  for (int round = 0; round < kRounds; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    reference.data = Snapshot(module);
    bool groupOpen = false;
    for (int edits = generator.Uniform(0, 6); edits > 0; --edits) {
      if (generator.Uniform(1, s.closeOneIn) == 1) {
        history.CloseUndoGroup();
        groupOpen = false;
      }
      const TEditRecord record = generator.Next(module.Size());
      ASSERT_TRUE(history.ApplyEdit(record, true));
      reference.Apply(record);
      ASSERT_TRUE(Snapshot(module) == reference.data) << "kind " << int(record.kind);
      if (record.kind == ekBitRotate && record.dataLength == 0) continue;  // leaves no node
      if (!history.CanUndo()) {
        // A node larger than the limit took the whole list with it.
        states.assign(1, Hash(reference.data));
        at = 0;
        groupOpen = false;
        continue;
      }
      states.resize(at + 1);  // the redo part is gone
      if (!groupOpen) {
        states.push_back(0);
        ++at;
        groupOpen = true;
      }
      states[at] = Hash(reference.data);
    }
    history.CloseUndoGroup();

    const int undos = generator.Uniform(0, 3) == 0 ? INT_MAX : generator.Uniform(0, 8);
    for (int i = 0; i < undos && history.CanUndo(); ++i) {
      history.Undo();
      ASSERT_GT(at, 0u);
      --at;
      ASSERT_EQ(Hash(Snapshot(module)), states[at]) << "undo " << i;
    }
    const int redos = generator.Uniform(0, 3) == 0 ? INT_MAX : generator.Uniform(0, 8);
    for (int i = 0; i < redos && history.CanRedo(); ++i) {
      history.Redo();
      ++at;
      ASSERT_LT(at, states.size());
      ASSERT_EQ(Hash(Snapshot(module)), states[at]) << "redo " << i;
    }
    history.CloseUndoGroup();

    const int how = generator.Uniform(0, 9);
    std::int64_t limit = s.limit;
    if (how == 0) limit = 0;
    if (how >= 4) limit = history.HistoryUsed() * generator.Uniform(10, 99) / 100;
    history.SetLimit(limit);
    ASSERT_LE(history.HistoryUsed(), history.HistoryLimit());
    ASSERT_EQ(Hash(Snapshot(module)), states[at]);  // a trim never touches the document
    // What the trim took: the oldest groups, and with them perhaps what could be redone.
    if (!history.CanRedo()) states.resize(at + 1);
    if (!history.CanUndo()) {
      states.erase(states.begin(), states.begin() + static_cast<std::ptrdiff_t>(at));
      at = 0;
    }
  }
  EXPECT_EQ(ChainProblems(module), "");
}

// Replace-all groups (many replace records under one group number) between ordinary groups, under
// limits the big group fits, overflows, or meets at 0: every undo lands where a whole group began,
// never inside a replace-all, and redo comes back to the end.
TEST(HistoryReplaceGroups, UndoNeverStopsInsideAReplaceAllWhateverTheBudget) {
  struct Case {
    const char* name;
    std::int64_t limit;
    int replacements;  // records in each replace-all group
  };
  const Case cases[] = {
      {"fits the budget", std::int64_t{1} << 40, 300},
      {"larger than the budget", 8000, 300},
      {"budget between two groups", 30000, 300},
      {"no history at all", 0, 50},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TMemoryModule module;
    TScriptedPrompt prompt;
    TEditHistory history(module, prompt);
    history.SetLimit(c.limit);
    TEditGenerator generator(static_cast<std::uint32_t>(c.limit + c.replacements));
    TReference reference;
    std::vector<std::size_t> groupStarts;  // the document where each group began, in order
    for (int group = 0; group < 12; ++group) {
      history.CloseUndoGroup();
      groupStarts.push_back(Hash(reference.data));
      if (group % 3 != 2) {
        const TEditRecord record = generator.Next(module.Size());
        if (record.kind == ekBitRotate && record.dataLength == 0) {
          groupStarts.pop_back();
          continue;
        }
        ASSERT_TRUE(history.ApplyEdit(record, false));
        reference.Apply(record);
        continue;
      }
      // A replace-all: eight bytes become four at every step, forwards through the document.
      const std::uint8_t four[4] = {0xB0, 0xB1, 0xB2, 0xB3};
      if (module.Size() < 8 * c.replacements) {
        const ByteVector filler(static_cast<std::size_t>(8 * c.replacements), 0xA5);
        TEditRecord grow{ekInsert, module.Size(), {}, {}, filler.data(), static_cast<std::int32_t>(filler.size()), 0};
        ASSERT_TRUE(history.ApplyEdit(grow, false));
        reference.Apply(grow);
      }
      for (int i = 0; i < c.replacements; ++i) {
        TEditRecord r{ekReplace, 4 * i, {4 * i, 0}, {4 * i + 4, 0}, four, 4, 8};
        ASSERT_TRUE(history.ApplyEdit(r, false));
        reference.Apply(r);
      }
      ASSERT_TRUE(Snapshot(module) == reference.data);
    }
    history.CloseUndoGroup();
    const ByteVector final = reference.data;
    std::size_t undone = 0;
    while (history.CanUndo()) {
      history.Undo();
      ++undone;
      const std::size_t now = Hash(Snapshot(module));
      ASSERT_NE(std::find(groupStarts.begin(), groupStarts.end(), now), groupStarts.end())
          << "undo " << undone << " stopped inside a group";
    }
    if (c.limit >= std::int64_t{1} << 40) EXPECT_TRUE(Snapshot(module).empty());
    while (history.CanRedo()) history.Redo();
    EXPECT_TRUE(Snapshot(module) == final);
    EXPECT_LE(history.HistoryUsed(), history.HistoryLimit());
    EXPECT_EQ(ChainProblems(module), "");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Scenarios, HistoryDifferential,
    ::testing::Values(Scenario{"every edit its own step", 100000, std::int64_t{1} << 40, 1, 20261209},
                      Scenario{"small limit trims", 30000, 3000, 1, 7},
                      Scenario{"random groups", 40000, std::int64_t{1} << 40, 4, 99},
                      Scenario{"random groups with trimming", 40000, 20000, 3, 1234}),
    [](const ::testing::TestParamInfo<Scenario>& info) {
      std::string name = info.param.name;
      std::replace(name.begin(), name.end(), ' ', '_');
      return name;
    });

}  // namespace
}  // namespace ovx::test
