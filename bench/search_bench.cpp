// Replace-all without queries: an 8-byte pattern by 4 bytes at 100,000 places spread over a
// 256 MiB document, as one undo step, and the undo of that step.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <vector>

#include "bench/BenchViewHost.h"
#include "view/BinaryViewCore.h"

namespace ovx {
namespace {

constexpr std::int32_t kDocumentSize = 256 << 20;
constexpr std::int32_t kMatches = 100000;
constexpr std::uint8_t kPattern[8] = {0xF1, 0x7E, 0x00, 0xC3, 0x5A, 0x99, 0x0F, 0xE8};
constexpr std::uint8_t kReplacement[4] = {0x11, 0x22, 0x33, 0x44};
// Room for every record of the step (the settings' largest undo buffer holds about 15,000 of them).
constexpr std::int64_t kHistoryLimit = std::int64_t{64} << 20;

struct TReplaceDocument {
  TBenchPrompt prompt;
  TBenchViewHost host;
  TBinaryViewCore view{host, prompt};
  TReplaceDocument() {
    // Bytes below 0xF0 everywhere but at the pattern's places, so it occurs exactly there.
    FillRepeatedChunk(view.Module(), kDocumentSize, 2024, 0xF0);
    const std::int32_t spacing = kDocumentSize / kMatches;
    for (std::int32_t i = 0; i < kMatches; ++i) view.Module().WriteData(kPattern, i * spacing + spacing / 2, 8);
    view.History().SetLimit(kHistoryLimit);
    view.SetVisibleRows(48);
  }
  void ReplaceAll() {
    view.SetCaret(0, 0);
    view.ReplaceData(kPattern, 8, kReplacement, 4, false, false, false, nullptr);
  }
};

TReplaceDocument& Document() {
  static auto* document = new TReplaceDocument;  // built once, never freed
  return *document;
}

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Each iteration replaces and undoes; the time of one of the two is reported.
void ReplaceAndUndo(benchmark::State& state, bool timeUndo) {
  TReplaceDocument& d = Document();
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    d.ReplaceAll();
    const double replace = Seconds(start);
    if (d.view.Module().Size() != kDocumentSize - 4 * kMatches) {
      state.SkipWithError("not every match was replaced");
      break;
    }
    start = std::chrono::steady_clock::now();
    d.view.Undo();
    const double undo = Seconds(start);
    if (d.view.Module().Size() != kDocumentSize || d.view.History().CanUndo()) {
      state.SkipWithError("one undo did not take the whole replace back");
      break;
    }
    d.view.History().ClearHistory();
    state.SetIterationTime(timeUndo ? undo : replace);
  }
}

void BM_ReplaceAll_256MiB_100000Matches(benchmark::State& state) { ReplaceAndUndo(state, false); }
void BM_ReplaceAll_Undo(benchmark::State& state) { ReplaceAndUndo(state, true); }
BENCHMARK(BM_ReplaceAll_256MiB_100000Matches)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ReplaceAll_Undo)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace ovx
