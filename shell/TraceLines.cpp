#include "shell/TraceLines.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <utility>

namespace ovx {
namespace {

bool ReadNumber(std::string_view text, std::int64_t& value) {
  if (text.empty()) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

std::string FormatTraceLine(const TTraceRecord& record) {
  std::string line = record.message;
  line += '\t';
  line += record.what.empty() ? std::string("-") : record.what;
  line += '\t';
  line += std::to_string(record.startUs);
  line += '\t';
  line += std::to_string(record.durationUs);
  line += '\n';
  return line;
}

std::optional<TTraceRecord> ParseTraceLine(std::string_view line) {
  if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  std::string_view fields[4];
  for (int i = 0; i < 4; ++i) {
    const std::size_t tab = line.find('\t');
    if ((tab == std::string_view::npos) != (i == 3)) return std::nullopt;
    fields[i] = line.substr(0, tab);
    line = tab == std::string_view::npos ? std::string_view() : line.substr(tab + 1);
  }
  TTraceRecord record;
  record.message = fields[0];
  record.what = fields[1];
  if (record.message.empty() || record.what.empty() || !ReadNumber(fields[2], record.startUs) ||
      !ReadNumber(fields[3], record.durationUs) || record.durationUs < 0)
    return std::nullopt;
  return record;
}

std::vector<TTraceRecord> ParseTrace(std::string_view text) {
  std::vector<TTraceRecord> records;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    // A last line without its end was cut off by a kill.
    if (end == std::string_view::npos) break;
    if (std::optional<TTraceRecord> record = ParseTraceLine(text.substr(0, end))) records.push_back(*record);
    text.remove_prefix(end + 1);
  }
  return records;
}

std::int64_t PercentileUs(std::vector<std::int64_t> durations, int percent) {
  if (durations.empty()) return 0;
  std::sort(durations.begin(), durations.end());
  // Nearest rank: ceil(percent / 100 * n), counted from 1.
  const std::size_t rank = (durations.size() * static_cast<std::size_t>(percent) + 99) / 100;
  return durations[std::clamp<std::size_t>(rank, 1, durations.size()) - 1];
}

std::vector<TTraceFigures> SummarizeTrace(const std::vector<TTraceRecord>& records, std::int64_t fromUs,
                                          std::int64_t toUs) {
  std::vector<std::pair<std::string, std::string>> order;
  std::map<std::pair<std::string, std::string>, std::vector<std::int64_t>> durations;
  for (const TTraceRecord& r : records) {
    if (r.startUs < fromUs || r.startUs > toUs) continue;
    auto key = std::make_pair(r.message, r.what);
    auto [at, added] = durations.try_emplace(key);
    if (added) order.push_back(key);
    at->second.push_back(r.durationUs);
  }
  std::vector<TTraceFigures> figures;
  for (const auto& key : order) {
    const std::vector<std::int64_t>& d = durations[key];
    figures.push_back({key.first, key.second, d.size(), PercentileUs(d, 50), PercentileUs(d, 99),
                       *std::max_element(d.begin(), d.end())});
  }
  return figures;
}

}  // namespace ovx
