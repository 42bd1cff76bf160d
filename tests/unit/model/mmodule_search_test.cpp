// Pattern search and difference search.
#include <gtest/gtest.h>

#include "mmodule_test_util.h"

namespace ovx {
namespace {

using test::Bytes;
using test::Fill;

struct TFindCase {
  const char* name;
  std::int32_t start;
  std::uint8_t direction;
  std::uint8_t includeStart;
  std::int32_t expected;
};

TEST(MemoryModuleFindPattern, ForwardAndBackwardWithAndWithoutTheStart) {
  // "ab" at 0, 4 and 8; the document ends with "a" so a match would run past the end at 10.
  const auto doc = Bytes({'a', 'b', 'x', 'x', 'a', 'b', 'x', 'x', 'a', 'b', 'a'});
  const TFindCase cases[] = {
      {"forward from a match, included", 4, 0, 1, 4},
      {"forward from a match, excluded", 4, 0, 0, 8},
      {"forward past the last match", 9, 0, 1, -1},
      {"backward from Size finds the match ending at the last byte or before", 11, 1, 1, 8},
      {"backward from Size excluded", 11, 1, 0, 8},
      {"backward from a match, included", 8, 1, 1, 8},
      {"backward from a match, excluded", 8, 1, 0, 4},
      {"backward from 0 excluded", 0, 1, 0, -1},
      {"backward from the last byte never compares past the end", 10, 1, 1, 8},
      {"forward from a negative start", -3, 0, 1, 0},
  };
  TMemoryModule m;
  Fill(m, doc);
  const auto pattern = Bytes({'a', 'b'});
  for (const TFindCase& c : cases) {
    TSearchInfo info;
    info.pattern = pattern.data();
    info.length = 2;
    info.start = c.start;
    info.direction = c.direction;
    info.includeStart = c.includeStart;
    EXPECT_EQ(m.FindPattern(info), c.expected) << c.name;
  }
  TSearchInfo none;
  none.length = 2;
  EXPECT_EQ(m.FindPattern(none), -1);
  none.pattern = pattern.data();
  none.length = 0;
  EXPECT_EQ(m.FindPattern(none), -1);
}

TEST(MemoryModuleFindPattern, MatchesAcrossBlockBoundariesAndLongPatterns) {
  std::vector<std::uint8_t> doc(20000);
  for (std::size_t i = 0; i < doc.size(); ++i) doc[i] = static_cast<std::uint8_t>((i * 13) ^ (i >> 7));
  TMemoryModule m;
  Fill(m, doc);
  m.DeleteData(3000, 1);  // blocks no longer at multiples of 4096
  doc.erase(doc.begin() + 3000);
  for (std::int32_t at : {0, 4090, 4095, 8190, 12000, 19999 - 5000}) {
    for (std::int32_t len : {1, 3, 17, 5000}) {
      if (at + len > static_cast<std::int32_t>(doc.size())) continue;
      std::vector<std::uint8_t> p(doc.begin() + at, doc.begin() + at + len);
      // The first occurrence in the plain bytes is what both directions must agree with.
      auto it = std::search(doc.begin(), doc.end(), p.begin(), p.end());
      auto rit = std::find_end(doc.begin(), doc.end(), p.begin(), p.end());
      TSearchInfo info;
      info.pattern = p.data();
      info.length = len;
      info.includeStart = 1;
      EXPECT_EQ(m.FindPattern(info), it - doc.begin()) << at << "/" << len;
      info.direction = 1;
      info.start = m.Size();
      EXPECT_EQ(m.FindPattern(info), rit - doc.begin()) << at << "/" << len;
    }
  }
}

TEST(MemoryModuleFindPattern, FilterKeepsOnlyMatchesThatTouchADifference) {
  const auto doc = Bytes({'a', 'b', 0, 'a', 'b', 0, 'a', 'b'});
  const auto other = Bytes({'a', 'b', 0, 'a', 'X', 0, 'a'});  // differs at 4, ends at 7
  TMemoryModule m, filter;
  Fill(m, doc);
  Fill(filter, other);
  const auto pattern = Bytes({'a', 'b'});
  TSearchInfo info;
  info.pattern = pattern.data();
  info.length = 2;
  info.includeStart = 1;
  info.filter = &filter;
  EXPECT_EQ(m.FindPattern(info), 3);
  info.start = 4;
  EXPECT_EQ(m.FindPattern(info), 6);  // the filter ends inside this match
  info.direction = 1;
  info.start = 2;
  EXPECT_EQ(m.FindPattern(info), -1);
}

struct TDiffCase {
  const char* name;
  std::int32_t start;
  std::uint8_t direction;
  std::uint8_t includeStart;
  std::int32_t expected;
  std::int32_t run;
};

TEST(MemoryModuleFindDifference, RunsForwardAndBackward) {
  // Differences at 2..3 and 6..8.
  const auto a = Bytes({0, 0, 1, 1, 0, 0, 1, 1, 1, 0, 0, 0});
  const auto b = Bytes({0, 0, 2, 2, 0, 0, 2, 2, 2, 0});
  const TDiffCase cases[] = {
      {"forward from 0", 0, 0, 1, 2, 2},
      {"forward from inside a run, included", 3, 0, 1, 3, 1},
      {"forward from a run, excluded skips it", 2, 0, 0, 6, 3},
      {"forward from the last run, excluded", 7, 0, 0, -1, 0},
      {"forward from an equal byte, excluded", 4, 0, 0, 6, 3},
      {"forward from beyond the common length", 10, 0, 1, -1, 0},
      // at or past the shorter partner's end, backwards starts from the last common byte
      {"backward from the end of A", 12, 1, 1, 6, 3},
      {"backward from past the partner, repeated", 10, 1, 0, 6, 3},
      {"backward from the last common byte", 9, 1, 1, 6, 3},
      {"backward from inside a run, included", 7, 1, 1, 6, 3},
      {"backward from inside a run, excluded", 7, 1, 0, 2, 2},
      {"backward from an equal byte before all runs", 1, 1, 0, -1, 0},
      {"negative start", -1, 0, 1, -1, 0},
  };
  TMemoryModule ma, mb;
  Fill(ma, a);
  Fill(mb, b);
  for (const TDiffCase& c : cases) {
    TCompareInfo info;
    info.other = &mb;
    info.start = c.start;
    info.direction = c.direction;
    info.includeStart = c.includeStart;
    std::int32_t run = 99;
    EXPECT_EQ(ma.FindDifference(info, run), c.expected) << c.name;
    EXPECT_EQ(run, c.run) << c.name;
  }
}

TEST(MemoryModuleFindDifference, LengthAloneIsNoDifferenceAndEmptyPartnersFindNothing) {
  TMemoryModule a, b, empty;
  Fill(a, test::Pattern(9000));
  Fill(b, test::Pattern(5000));
  TCompareInfo info;
  info.other = &b;
  info.includeStart = 1;
  std::int32_t run = 7;
  EXPECT_EQ(a.FindDifference(info, run), -1);
  EXPECT_EQ(run, 0);
  info.direction = 1;
  info.start = 4999;
  EXPECT_EQ(a.FindDifference(info, run), -1);
  info.other = &empty;
  EXPECT_EQ(a.FindDifference(info, run), -1);
  info.other = nullptr;
  EXPECT_EQ(a.FindDifference(info, run), -1);
}

}  // namespace
}  // namespace ovx
