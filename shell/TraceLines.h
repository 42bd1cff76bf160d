// The lines of the program's own timing and the figures read from them.
//
// A line is "message<TAB>what<TAB>start<TAB>duration", times in microseconds of the machine's
// performance counter (the same clock in every process, so a driver can set its own moments
// beside them). "what" is the command the message ran ("-" when none) or, for a paint, the class
// of the window painted.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ovx {

struct TTraceRecord {
  std::string message;
  std::string what;
  std::int64_t startUs = 0;
  std::int64_t durationUs = 0;
};

std::string FormatTraceLine(const TTraceRecord& record);
// None for a line that is not a trace line (a torn last line of a killed process, say).
std::optional<TTraceRecord> ParseTraceLine(std::string_view line);
std::vector<TTraceRecord> ParseTrace(std::string_view text);

// Figures of the durations of one kind of line.
struct TTraceFigures {
  std::string message;
  std::string what;
  std::size_t count = 0;
  std::int64_t medianUs = 0, p99Us = 0, maxUs = 0;
};

// The duration at the percentile by nearest rank (the smallest value with at least that share of
// values at or below it); 0 for no values.
std::int64_t PercentileUs(std::vector<std::int64_t> durations, int percent);
// One entry per message and what, in order of first appearance; only lines starting within
// [fromUs, toUs] count.
std::vector<TTraceFigures> SummarizeTrace(const std::vector<TTraceRecord>& records, std::int64_t fromUs = INT64_MIN,
                                          std::int64_t toUs = INT64_MAX);

}  // namespace ovx
