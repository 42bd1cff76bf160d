// Text output of a 100 MB document into a file through the line event, against xxd dumping
// the same bytes in the same run, in wall time and in processor time. The files go to TMPDIR: on a
// disk both wait for the kernel's write-back of hundreds of megabytes, on tmpfs (/dev/shm) they do not.
#include <benchmark/benchmark.h>

#include <algorithm>
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

double CpuSeconds(int who) {
  rusage usage{};
  ::getrusage(who, &usage);
  auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

struct TTimes {
  double wall = 0, cpu = 0;
};

// Our text output of the whole document; processor time is the whole process's, writer thread included.
TTimes TimeOurOutput(TOutputCase& c, bool& failed) {
  const double cpu = CpuSeconds(RUSAGE_SELF);
  const auto start = std::chrono::steady_clock::now();
  TBufferedTextFile file;
  failed = file.Create(c.output) != 0;
  if (!failed) {
    const TTextLineEvent onLine = [&file](std::string_view line, bool&) { file.WriteLine(line); };
    DumpText(c.module, csSJis, 0, 0, kOutputSize, onLine);
    failed = file.Close() != 0;
  }
  return {Seconds(std::chrono::steady_clock::now() - start), CpuSeconds(RUSAGE_SELF) - cpu};
}

TTimes TimeXxd(TOutputCase& c, bool& failed) {
  const std::string command = "xxd " + c.input + " > " + c.output;
  const double cpu = CpuSeconds(RUSAGE_CHILDREN);
  const auto start = std::chrono::steady_clock::now();
  failed = std::system(command.c_str()) != 0;
  return {Seconds(std::chrono::steady_clock::now() - start), CpuSeconds(RUSAGE_CHILDREN) - cpu};
}

// Ours and xxd one after the other in every iteration, so that a slow spell of a shared machine
// falls on both of a pair; the ratios are the medians of the pairs' ratios. Time is our wall time.
void BM_TextOutputAgainstXxd100MB(benchmark::State& state) {
  TOutputCase& c = Case();
  std::vector<double> ourWall, ourCpu, xxdWall, xxdCpu, wallRatio, cpuRatio;
  for (auto _ : state) {
    bool failed = false;
    const TTimes ours = TimeOurOutput(c, failed);
    if (failed) return state.SkipWithError("writing the text output failed");
    const TTimes xxd = TimeXxd(c, failed);
    if (failed) return state.SkipWithError("xxd did not run");
    state.SetIterationTime(ours.wall);
    ourWall.push_back(ours.wall), ourCpu.push_back(ours.cpu), xxdWall.push_back(xxd.wall), xxdCpu.push_back(xxd.cpu);
    wallRatio.push_back(xxd.wall / ours.wall), cpuRatio.push_back(xxd.cpu / ours.cpu);
  }
  state.SetBytesProcessed(state.iterations() * std::int64_t{kOutputSize});
  state.counters["ours_cpu_ms"] = Median(ourCpu) * 1e3;
  state.counters["xxd_wall_ms"] = Median(xxdWall) * 1e3;
  state.counters["xxd_cpu_ms"] = Median(xxdCpu) * 1e3;
  state.counters["x_wall"] = Median(wallRatio);
  state.counters["x_cpu"] = Median(cpuRatio);
}
BENCHMARK(BM_TextOutputAgainstXxd100MB)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(9);

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

}  // namespace
}  // namespace ovx
