// Text output of a 100 MB document into a file through the line event, against xxd dumping
// the same bytes in the same run. Both are timed by processor time (the whole process, with the
// writer thread; xxd's own, as a child), so other work on a shared machine does not distort the
// comparison; wall times are counters. The files go to TMPDIR: on a disk both wait for the
// kernel's write-back of hundreds of megabytes, on tmpfs (TMPDIR=/dev/shm) they do not.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

#include "editor/TextFileWriter.h"
#include "view/TextDump.h"

namespace ovx {
namespace {

constexpr std::int32_t kOutputSize = 100'000'000;

std::string TempPath(const char* what) {
  return (std::filesystem::temp_directory_path() / ("ovx_bench_" + std::to_string(::getpid()) + what)).string();
}

// The document, and the same bytes in a file for xxd; both made once, the files removed at exit.
struct TOutputCase {
  TMemoryModule module;
  std::string input = TempPath("_dump_in.bin"), output = TempPath("_dump_out.txt");
  TOutputCase() {
    std::vector<std::uint8_t> chunk(1 << 20);
    std::uint32_t x = 2463534242u;
    std::ofstream file(input, std::ios::binary);
    for (std::int32_t at = 0; at < kOutputSize;) {
      for (auto& b : chunk) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        b = static_cast<std::uint8_t>(x);
      }
      const std::int32_t n = std::min<std::int32_t>(kOutputSize - at, static_cast<std::int32_t>(chunk.size()));
      module.InsertData(chunk.data(), at, n);
      file.write(reinterpret_cast<const char*>(chunk.data()), n);
      at += n;
    }
  }
  ~TOutputCase() {
    std::remove(input.c_str());
    std::remove(output.c_str());
  }
};

TOutputCase& Case() {
  static TOutputCase c;
  return c;
}

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

double ChildrenCpuSeconds() {
  rusage usage{};
  ::getrusage(RUSAGE_CHILDREN, &usage);
  auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void BM_TextOutput100MB(benchmark::State& state) {
  TOutputCase& c = Case();
  double wall = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    TBufferedTextFile file;
    if (file.Create(c.output) != 0) return state.SkipWithError("the output file cannot be made");
    const TTextLineEvent onLine = [&file](std::string_view line, bool&) { file.WriteLine(line); };
    DumpText(c.module, csSJis, 0, 0, kOutputSize, onLine);
    if (file.Close() != 0) return state.SkipWithError("writing failed");
    wall += Seconds(std::chrono::steady_clock::now() - start);
  }
  state.SetBytesProcessed(state.iterations() * std::int64_t{kOutputSize});
  state.counters["wall_ms"] = wall * 1e3 / static_cast<double>(state.iterations());
}
BENCHMARK(BM_TextOutput100MB)->Unit(benchmark::kMillisecond)->MinTime(3.0)->MeasureProcessCPUTime();

// The lines alone, handed to a handler that only looks at their length: the share of the output
// that is ours, without the file.
void BM_TextLines100MB(benchmark::State& state) {
  TOutputCase& c = Case();
  for (auto _ : state) {
    std::size_t bytes = 0;
    DumpText(c.module, csSJis, 0, 0, kOutputSize, [&bytes](std::string_view line, bool&) { bytes += line.size(); });
    benchmark::DoNotOptimize(bytes);
  }
  state.SetBytesProcessed(state.iterations() * std::int64_t{kOutputSize});
}
BENCHMARK(BM_TextLines100MB)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_Xxd100MB_Reference(benchmark::State& state) {
  TOutputCase& c = Case();
  const std::string command = "xxd " + c.input + " > " + c.output;
  double wall = 0;
  for (auto _ : state) {
    const double cpu = ChildrenCpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    const int rc = std::system(command.c_str());
    wall += Seconds(std::chrono::steady_clock::now() - start);
    state.SetIterationTime(ChildrenCpuSeconds() - cpu);
    if (rc != 0) state.SkipWithError("xxd did not run");
  }
  state.SetBytesProcessed(state.iterations() * std::int64_t{kOutputSize});
  state.counters["wall_ms"] = wall * 1e3 / static_cast<double>(state.iterations());
}
BENCHMARK(BM_Xxd100MB_Reference)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace
}  // namespace ovx
