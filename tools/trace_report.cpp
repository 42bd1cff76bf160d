// Reads a trace the editor wrote (OVX_TRACE=FILE) and prints, per message and command, how many
// there were and their median, 99th percentile and longest duration in microseconds.
//   ovx_trace_report FILE [FROM_US TO_US]   (only lines starting within the span)
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "shell/TraceLines.h"

int main(int argc, char** argv) {
  if (argc != 2 && argc != 4) {
    std::fprintf(stderr, "usage: %s TRACE_FILE [FROM_US TO_US]\n", argv[0]);
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "%s: cannot read %s\n", argv[0], argv[1]);
    return 1;
  }
  std::stringstream text;
  text << in.rdbuf();
  std::int64_t from = INT64_MIN, to = INT64_MAX;
  if (argc == 4) {
    from = std::strtoll(argv[2], nullptr, 10);
    to = std::strtoll(argv[3], nullptr, 10);
  }
  std::printf("%-16s %-20s %8s %10s %10s %10s\n", "message", "command", "count", "median_us", "p99_us", "max_us");
  for (const ovx::TTraceFigures& f : ovx::SummarizeTrace(ovx::ParseTrace(text.str()), from, to))
    std::printf("%-16s %-20s %8zu %10" PRId64 " %10" PRId64 " %10" PRId64 "\n", f.message.c_str(), f.what.c_str(),
                f.count, f.medianUs, f.p99Us, f.maxUs);
  return 0;
}
