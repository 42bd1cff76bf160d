// What the editor's own timing adds to a message when OVX_TRACE is set: one line noted with its
// command and buffered (the file write happens in idle moments and is not counted here).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string_view>

#include "shell/InputTrace.h"

namespace {

void InputTraceRecord(benchmark::State& state) {
  std::size_t written = 0;
  ovx::TInputTrace trace([&written](std::string_view bytes) { written += bytes.size(); });
  std::int64_t start = 1'000'000'000'000;
  for (auto _ : state) {
    trace.NoteCommand(ovx::cmDOWN);
    trace.Record("WM_KEYDOWN", "", start, 85);
    start += 16'000;
  }
  benchmark::DoNotOptimize(written);
}
BENCHMARK(InputTraceRecord);

}  // namespace
