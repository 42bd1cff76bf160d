// Benchmarks of the memory module on a large document (1 GiB unless OVX_BENCH_SIZE gives
// another size in bytes). Throughput cases report bytes per second; the cases at random
// addresses time every operation and report the median and 99th percentile in µs.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

#include "model/MModule.h"

namespace ovx {
namespace {

namespace fs = std::filesystem;

std::int64_t DocumentSize() {
  const char* text = std::getenv("OVX_BENCH_SIZE");
  std::int64_t size = text != nullptr ? std::atoll(text) : 0;
  return size > 0 && size <= kMaxDocumentSize ? size : std::int64_t{1} << 30;
}

// An 8-byte pattern that the pseudo-random document does not contain (checked by the search cases).
constexpr char kAbsent[] = "QZXJ#q7!";

// The document's file, written once per run in the temporary folder and removed at exit.
class TBenchFile {
 public:
  TBenchFile() {
    path_ = (fs::temp_directory_path() / ("ovx_bench_" + std::to_string(::getpid()) + ".bin")).string();
    std::ofstream out(path_, std::ios::binary);
    std::vector<std::uint64_t> chunk(1 << 17);
    std::uint64_t x = 0x243F6A8885A308D3ull;
    for (std::int64_t left = DocumentSize(); left > 0;) {
      for (auto& w : chunk) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        w = x;
      }
      std::int64_t n = std::min<std::int64_t>(left, static_cast<std::int64_t>(chunk.size() * 8));
      out.write(reinterpret_cast<const char*>(chunk.data()), static_cast<std::streamsize>(n));
      left -= n;
    }
  }
  ~TBenchFile() { std::remove(path_.c_str()); }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

const std::string& BenchFile() {
  static TBenchFile file;
  return file.Path();
}

std::unique_ptr<TMemoryModule> Loaded() {
  auto m = std::make_unique<TMemoryModule>();
  if (m->LoadFromFile(BenchFile()) != 0) return nullptr;
  return m;
}

// The document most cases share, and the partner of the difference search.
std::unique_ptr<TMemoryModule>& Shared() {
  static std::unique_ptr<TMemoryModule> m = Loaded();
  return m;
}
std::unique_ptr<TMemoryModule>& Partner() {
  static std::unique_ptr<TMemoryModule> m = Loaded();
  return m;
}

std::int64_t ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  std::int64_t pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * 4096;
}

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

void BM_LoadFromFile_Memory(benchmark::State& state) {
  BenchFile();
  for (auto _ : state) {
    const std::int64_t before = ResidentBytes();
    TMemoryModule m;
    if (m.LoadFromFile(BenchFile()) != 0) state.SkipWithError("load failed");
    const std::int64_t after = ResidentBytes();
    const double size = static_cast<double>(m.Size());
    state.counters["doc_MiB"] = size / 1048576.0;
    state.counters["rss_delta_MiB"] = static_cast<double>(after - before) / 1048576.0;
    // Slabs of blocks, table, index and free lists, as the module counts them.
    state.counters["counted_MiB"] = static_cast<double>(m.MemoryBytes()) / 1048576.0;
    state.counters["limit_MiB"] = (1.02 * size + 16.0 * 1048576.0) / 1048576.0;
  }
}
BENCHMARK(BM_LoadFromFile_Memory)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_LoadFromFile(benchmark::State& state) {
  BenchFile();
  TMemoryModule m;
  for (auto _ : state) {
    if (m.LoadFromFile(BenchFile()) != 0) state.SkipWithError("load failed");
  }
  state.SetBytesProcessed(state.iterations() * m.Size());
}
BENCHMARK(BM_LoadFromFile)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void FindPatternCase(benchmark::State& state, std::uint8_t direction) {
  TMemoryModule* m = Shared().get();
  if (m == nullptr) return state.SkipWithError("load failed");
  TSearchInfo info;
  info.pattern = reinterpret_cast<const std::uint8_t*>(kAbsent);
  info.length = 8;
  info.direction = direction;
  info.includeStart = 1;
  info.start = direction == 0 ? 0 : m->Size();
  for (auto _ : state) {
    if (m->FindPattern(info) != -1) state.SkipWithError("the pattern occurs in the document");
  }
  state.SetBytesProcessed(state.iterations() * m->Size());
}
void BM_FindPattern_Forward(benchmark::State& state) { FindPatternCase(state, 0); }
void BM_FindPattern_Backward(benchmark::State& state) { FindPatternCase(state, 1); }
BENCHMARK(BM_FindPattern_Forward)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_FindPattern_Backward)->Unit(benchmark::kMillisecond)->MinTime(3.0);

double ChildrenCpuSeconds() {
  rusage usage{};
  ::getrusage(RUSAGE_CHILDREN, &usage);
  auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The yardstick for the pattern search: grep counting a fixed string in the same file.
// Timed by grep's own processor time (like the other cases, which report processor time),
// so that other work on a shared machine does not distort the comparison; wall time is a counter.
void BM_GrepCountFixed_Reference(benchmark::State& state) {
  const std::string command = std::string("LC_ALL=C grep -c -F '") + kAbsent + "' " + BenchFile() + " >/dev/null";
  double wall = 0;
  for (auto _ : state) {
    const double cpu = ChildrenCpuSeconds();
    auto start = std::chrono::steady_clock::now();
    int rc = std::system(command.c_str());
    wall += Seconds(std::chrono::steady_clock::now() - start);
    state.SetIterationTime(ChildrenCpuSeconds() - cpu);
    if (rc == -1) state.SkipWithError("grep did not run");
  }
  state.SetBytesProcessed(state.iterations() * DocumentSize());
  state.counters["wall_ms"] = wall * 1e3 / static_cast<double>(state.iterations());
}
BENCHMARK(BM_GrepCountFixed_Reference)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_FindDifference(benchmark::State& state) {
  TMemoryModule* a = Shared().get();
  TMemoryModule* b = Partner().get();
  if (a == nullptr || b == nullptr) return state.SkipWithError("load failed");
  TCompareInfo info;
  info.other = b;
  info.includeStart = 1;
  std::int32_t run = 0;
  for (auto _ : state) {
    if (a->FindDifference(info, run) != -1) state.SkipWithError("the documents differ");
  }
  state.SetBytesProcessed(state.iterations() * a->Size());
}
BENCHMARK(BM_FindDifference)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_InvertBits(benchmark::State& state) {
  Partner().reset();  // the difference search is done: its partner goes
  TMemoryModule* m = Shared().get();
  if (m == nullptr) return state.SkipWithError("load failed");
  for (auto _ : state) m->InvertBits(0, m->Size());
  state.SetBytesProcessed(state.iterations() * m->Size());
}
BENCHMARK(BM_InvertBits)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// Times one operation at each of many random addresses; reports the median and the 99th percentile.
template <class Op>
void RandomAddressCase(benchmark::State& state, Op op) {
  TMemoryModule* m = Shared().get();
  if (m == nullptr) return state.SkipWithError("load failed");
  std::mt19937 rng(42);
  std::vector<double> times;
  for (auto _ : state) {
    std::int32_t address = static_cast<std::int32_t>(rng() % static_cast<std::uint32_t>(m->Size()));
    auto start = std::chrono::steady_clock::now();
    op(*m, address);
    double t = Seconds(std::chrono::steady_clock::now() - start);
    state.SetIterationTime(t);
    times.push_back(t);
  }
  std::sort(times.begin(), times.end());
  if (!times.empty()) {
    state.counters["median_us"] = times[times.size() / 2] * 1e6;
    state.counters["p99_us"] = times[times.size() * 99 / 100] * 1e6;
  }
  state.counters["blocks"] = m->BlockCount();
}

void BM_InsertData_1Byte(benchmark::State& state) {
  const std::uint8_t x = 0x55;
  RandomAddressCase(state, [&](TMemoryModule& m, std::int32_t a) { m.InsertData(&x, a, 1); });
}
void BM_DeleteData_1Byte(benchmark::State& state) {
  RandomAddressCase(state, [](TMemoryModule& m, std::int32_t a) { m.DeleteData(a, 1); });
}
void BM_ReadData_16Rows(benchmark::State& state) {
  std::uint8_t buffer[256];
  RandomAddressCase(state, [&](TMemoryModule& m, std::int32_t a) {
    m.ReadData(buffer, a & ~15, 256);
    benchmark::DoNotOptimize(buffer);
  });
}
BENCHMARK(BM_ReadData_16Rows)->UseManualTime()->Iterations(200000);
BENCHMARK(BM_InsertData_1Byte)->UseManualTime()->Iterations(200000);
BENCHMARK(BM_DeleteData_1Byte)->UseManualTime()->Iterations(200000);

void BM_Compact_After100kInserts(benchmark::State& state) {
  Shared().reset();
  std::int64_t size = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::unique_ptr<TMemoryModule> m = Loaded();
    if (m == nullptr) return state.SkipWithError("load failed");
    std::mt19937 rng(7);
    const std::uint8_t x = 0xAA;
    for (int i = 0; i < 100000; ++i) {
      m->InsertData(&x, static_cast<std::int32_t>(rng() % static_cast<std::uint32_t>(m->Size() + 1)), 1);
    }
    state.counters["blocks_before"] = m->BlockCount();
    state.ResumeTiming();
    m->Compact();
    state.PauseTiming();
    state.counters["blocks_after"] = m->BlockCount();
    size = m->Size();
    m.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * size);
}
BENCHMARK(BM_Compact_After100kInserts)->Iterations(2)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ovx
