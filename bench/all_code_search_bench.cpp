// 全コード検索 over 1 GiB (OVX_BENCH_SIZE bytes when given): a five-character text in all six code
// sets at once, every occurrence listed, against `grep -c -F` run once per code set's bytes (six
// times, -a so that it reads on past the first match of a binary file) over the same file in the
// same run; its count goes to a file, since grep writing to /dev/null stops at the first match.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

#include "view/AllCodeSearch.h"

namespace ovx {
namespace {

namespace fs = std::filesystem;

constexpr char16_t kText[] = u"日本語検索";
constexpr std::int64_t kPlantSpacing = 1 << 20;  // one code set's bytes every MiB

std::int64_t Size() {
  const char* text = std::getenv("OVX_BENCH_SIZE");
  const std::int64_t size = text != nullptr ? std::atoll(text) : 0;
  return size > 0 && size <= kMaxDocumentSize ? size : std::int64_t{1} << 30;
}

// The byte strings grep looks for: each code set's form, and the JIS form between escapes.
std::vector<std::string> GrepPatterns() {
  std::vector<std::string> patterns;
  for (int c = scSJis; c < SearchCodeCount; ++c)
    patterns.push_back(EncodeForSearch(kText, static_cast<TSearchCode>(c)).patterns.front());
  patterns.push_back("\x1B$B" + EncodeForSearch(kText, scJis).patterns.front() + "\x1B(B");
  return patterns;
}

struct TSearchFile {
  std::string path, folder;
  std::unique_ptr<TMemoryModule> module = std::make_unique<TMemoryModule>();
  std::int64_t planted = 0;
  TSearchFile() {
    folder = (fs::temp_directory_path() / ("ovx_allcode_" + std::to_string(::getpid()))).string();
    fs::create_directories(folder);
    path = folder + "/doc.bin";
    const std::vector<std::string> patterns = GrepPatterns();
    std::ofstream out(path, std::ios::binary);
    std::vector<char> chunk(static_cast<std::size_t>(kPlantSpacing));
    std::uint64_t x = 0x9E3779B97F4A7C15ull;
    for (std::int64_t at = 0, k = 0; at < Size(); at += kPlantSpacing, ++k) {
      for (char& b : chunk) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        b = static_cast<char>(x >> 56);
      }
      const std::string& p = patterns[static_cast<std::size_t>(k) % patterns.size()];
      std::copy(p.begin(), p.end(), chunk.begin() + 4093);  // across a block boundary
      ++planted;
      out.write(chunk.data(), static_cast<std::streamsize>(std::min<std::int64_t>(kPlantSpacing, Size() - at)));
    }
    out.close();
    for (std::size_t i = 0; i < patterns.size(); ++i) {
      std::ofstream f(folder + "/p" + std::to_string(i), std::ios::binary);
      f << patterns[i] << '\n';
    }
    if (module->LoadFromFile(path) != 0) module.reset();
  }
  ~TSearchFile() { fs::remove_all(folder); }
};

TSearchFile& File() {
  static TSearchFile file;
  return file;
}

double ProcessSeconds(int who) {
  rusage usage{};
  ::getrusage(who, &usage);
  auto s = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6; };
  return s(usage.ru_utime) + s(usage.ru_stime);
}

double Since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Wall time per search (the target is in wall time); processor time as a counter.
void BM_AllCodeSearch_SixCodeSets(benchmark::State& state) {
  TSearchFile& f = File();
  if (!f.module) return state.SkipWithError("load failed");
  double cpu = 0;
  for (auto _ : state) {
    const double cpu0 = ProcessSeconds(RUSAGE_SELF);
    const auto start = std::chrono::steady_clock::now();
    TAllCodeSearch search(kText, {true, true, true, true, true, true}, 0, f.module->Size());
    search.Step(*f.module, f.module->Size());
    state.SetIterationTime(Since(start));
    cpu += ProcessSeconds(RUSAGE_SELF) - cpu0;
    // Each planted JIS form between escapes holds the bare JIS form as well: found once, as JIS.
    if (search.Total() != f.planted) state.SkipWithError("wrong count");
  }
  state.SetBytesProcessed(state.iterations() * Size());
  state.counters["cpu_ms"] = cpu * 1e3 / static_cast<double>(state.iterations());
}
BENCHMARK(BM_AllCodeSearch_SixCodeSets)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3.0);

// The yardstick: grep -c -F once for each of the six byte strings, one after the other.
void BM_AllCodeSearch_GrepSixTimes_Reference(benchmark::State& state) {
  TSearchFile& f = File();
  double cpu = 0;
  for (auto _ : state) {
    const double cpu0 = ProcessSeconds(RUSAGE_CHILDREN);
    const auto start = std::chrono::steady_clock::now();
    for (std::size_t i = 0; i < GrepPatterns().size(); ++i) {
      const std::string command =
          "LC_ALL=C grep -a -c -F -f " + f.folder + "/p" + std::to_string(i) + " " + f.path + " >" + f.folder + "/count";
      if (std::system(command.c_str()) == -1) state.SkipWithError("grep did not run");
    }
    state.SetIterationTime(Since(start));
    cpu += ProcessSeconds(RUSAGE_CHILDREN) - cpu0;
  }
  state.SetBytesProcessed(state.iterations() * Size());
  state.counters["cpu_ms"] = cpu * 1e3 / static_cast<double>(state.iterations());
}
BENCHMARK(BM_AllCodeSearch_GrepSixTimes_Reference)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace
}  // namespace ovx
