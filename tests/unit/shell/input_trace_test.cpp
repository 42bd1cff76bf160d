#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

#include "shell/InputTrace.h"
#include "shell/TraceLines.h"

namespace ovx {
namespace {

std::vector<std::int64_t> Range(std::int64_t from, std::int64_t to) {
  std::vector<std::int64_t> values(static_cast<std::size_t>(to - from + 1));
  std::iota(values.begin(), values.end(), from);
  return values;
}

TEST(InputTrace, PercentileByNearestRank) {
  struct Case {
    std::vector<std::int64_t> values;
    int percent;
    std::int64_t expected;
  };
  const Case cases[] = {
      {Range(1, 100), 99, 99},  {Range(1, 100), 50, 50}, {Range(1, 200), 99, 198}, {{7, 3, 5}, 50, 5},
      {{7, 3, 5, 1}, 50, 3},    {{4}, 99, 4},            {{9, 1}, 100, 9},          {{}, 99, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(PercentileUs(c.values, c.percent), c.expected) << c.percent << "% of " << c.values.size();
}

TEST(InputTrace, LinesReadBackAndTornOnesAreSkipped) {
  struct Case {
    std::string line;
    bool valid;
  };
  const Case cases[] = {
      {"WM_KEYDOWN\tDOWN\t123456789\t85", true}, {"WM_PAINT\tTBinaryView\t-5\t0\r", true},
      {"WM_KEYDOWN\tDOWN\t123456789", false},    {"WM_KEYDOWN\tDOWN\t12x\t85", false},
      {"WM_KEYDOWN\tDOWN\t12\t-1", false},       {"WM_KEYDOWN\tDOWN\t12\t3\t4", false},
      {"\t-\t1\t2", false},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseTraceLine(c.line).has_value(), c.valid) << c.line;
  const TTraceRecord record{"WM_CHAR", "", 42, 7};
  const std::optional<TTraceRecord> back = ParseTraceLine(FormatTraceLine(record));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->what, "-");
  EXPECT_EQ(back->startUs, 42);
  EXPECT_EQ(back->durationUs, 7);
  // A killed process may leave half a line at the end.
  EXPECT_EQ(ParseTrace("WM_CHAR\t-\t1\t2\nWM_CHAR\t-\t3\t4\nWM_CH").size(), 2u);
}

TEST(InputTrace, RecordsNamedByTheirCommandAndSummarizedWithinATimeSpan) {
  std::string written;
  int batches = 0;
  {
    TInputTrace trace([&](std::string_view bytes) {
      written += bytes;
      ++batches;
    });
    for (std::int64_t i = 1; i <= 100; ++i) {
      trace.NoteCommand(cmDOWN);
      trace.Record("WM_KEYDOWN", "", 1000 + i, i);
      trace.Record("WM_PAINT", "TBinaryView", 1000 + i, 2 * i);
    }
    trace.Record("WM_KEYDOWN", "", 5000, 1);  // no command noted since the last record
    EXPECT_EQ(batches, 0) << "lines wait for an idle moment";
    trace.Flush();
    EXPECT_EQ(batches, 1);
    trace.NoteCommand(cmPAGEDOWN);
    trace.Record("WM_KEYDOWN", "", 6000, 3);
  }
  EXPECT_EQ(batches, 2) << "the end of the trace hands on the rest";
  const std::vector<TTraceFigures> all = SummarizeTrace(ParseTrace(written));
  ASSERT_EQ(all.size(), 4u);
  EXPECT_EQ(all[0].what, "DOWN");
  EXPECT_EQ(all[0].count, 100u);
  EXPECT_EQ(all[0].medianUs, 50);
  EXPECT_EQ(all[0].p99Us, 99);
  EXPECT_EQ(all[0].maxUs, 100);
  EXPECT_EQ(all[1].what, "TBinaryView");
  EXPECT_EQ(all[1].p99Us, 198);
  EXPECT_EQ(all[2].what, "-");
  EXPECT_EQ(all[3].what, "PAGEDOWN");
  const std::vector<TTraceFigures> span = SummarizeTrace(ParseTrace(written), 1051, 1060);
  ASSERT_EQ(span.size(), 2u);
  EXPECT_EQ(span[0].count, 10u);
  EXPECT_EQ(span[0].maxUs, 60);
}

}  // namespace
}  // namespace ovx
