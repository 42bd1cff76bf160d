// Holding DOWN through a 1 GiB document: one step is the caret move plus the paint
// model of the visible rows, which is all the view reads per repaint.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "bench/BenchViewHost.h"
#include "view/BinaryViewCore.h"

namespace ovx {
namespace {

constexpr std::int32_t kGiB = 1 << 30;
constexpr std::int32_t kVisibleRows = 48;  // a window of about 1000 pixels at font height 14

// A host whose repaint builds the paint model, as the window's PaintRows does before drawing.
class TPaintingHost : public TBenchViewHost {
 public:
  TBinaryViewCore* view = nullptr;
  TPaintModel model;
  void PaintRows() override {
    if (view) BuildPaintModel(view->Module(), view->PaintInput(), model);
  }
};

struct TBigView {
  TBenchPrompt prompt;
  TPaintingHost host;
  TBinaryViewCore view{host, prompt};
  TBigView() {
    // Varied bytes (Shift-JIS pairs, control bytes, text).
    FillRepeatedChunk(view.Module(), kGiB, 12345);
    view.SetVisibleRows(kVisibleRows);
    host.view = &view;
  }
};

TBigView& BigView() {
  static auto* big = new TBigView;  // built once for every case, never freed
  return *big;
}

void BM_HoldDownThrough1GiB(benchmark::State& state) {
  TBigView& big = BigView();
  big.view.SetCharaSet(static_cast<TCharaSet>(state.range(0)));
  big.view.SetCaret(kGiB / 2, 0);
  for (auto _ : state) {
    big.view.ExecuteCommand(cmDOWN);
    if (big.view.CaretAddress() >= kGiB - 16) big.view.SetCaret(0, 0);
    benchmark::DoNotOptimize(big.host.model.rows.data());
  }
  state.counters["rows"] = kVisibleRows;
}
BENCHMARK(BM_HoldDownThrough1GiB)->Arg(csSJis)->Arg(csUnicode)->Unit(benchmark::kMicrosecond);

// Paging moves the top row every step, so no two repaints read the same rows.
void BM_PageDownThrough1GiB(benchmark::State& state) {
  TBigView& big = BigView();
  big.view.SetCharaSet(csSJis);
  big.view.SetCaret(0, 0);
  for (auto _ : state) {
    big.view.ExecuteCommand(cmPAGEDOWN);
    if (big.view.CaretAddress() >= kGiB - 16 * kVisibleRows) big.view.SetCaret(0, 0);
    benchmark::DoNotOptimize(big.host.model.rows.data());
  }
}
BENCHMARK(BM_PageDownThrough1GiB)->Unit(benchmark::kMicrosecond);

// Hex digits typed in insert mode at the middle of 1 GiB: one step is a digit's edit, its history
// step and the repaint's paint model.
void BM_TypeHexDigitsAtTheMiddleOf1GiB(benchmark::State& state) {
  TBigView& big = BigView();
  big.view.SetCharaSet(csSJis);
  const std::uint8_t mode = big.view.InputMode();
  big.view.SetInputMode(imInsert);
  big.view.SetCaret(kGiB / 2, 0);
  const char digits[] = "0123456789ABCDEF";
  std::size_t i = 0;
  for (auto _ : state) {
    big.view.TypeCharacters(std::string_view(&digits[i++ % 16], 1));
    benchmark::DoNotOptimize(big.host.model.rows.data());
  }
  // The other cases expect the document as it was.
  big.view.Module().DeleteData(kGiB / 2, big.view.Module().Size() - kGiB);
  big.view.SetInputMode(mode);
}
BENCHMARK(BM_TypeHexDigitsAtTheMiddleOf1GiB)->Iterations(2000)->Unit(benchmark::kMicrosecond);

// The partner of the comparison cases: the same bytes as the big view's document but its last.
TMemoryModule& BigPartner() {
  static auto* partner = [] {
    TBigView& big = BigView();
    auto* m = new TMemoryModule;
    std::vector<std::uint8_t> chunk(1 << 20);
    for (std::int32_t at = 0; at < kGiB; at += static_cast<std::int32_t>(chunk.size())) {
      big.view.Module().ReadData(chunk.data(), at, static_cast<std::int32_t>(chunk.size()));
      m->InsertData(chunk.data(), at, static_cast<std::int32_t>(chunk.size()));
    }
    std::uint8_t last = 0;
    m->ReadData(&last, kGiB - 1, 1);
    last = static_cast<std::uint8_t>(last ^ 0xFF);
    m->WriteData(&last, kGiB - 1, 1);
    return m;
  }();
  return *partner;
}

// COMPARENEXT from the top finds the one difference, at the last byte.
void BM_CompareNextThrough1GiB(benchmark::State& state) {
  TBigView& big = BigView();
  TMemoryModule& partner = BigPartner();
  big.view.EndCompare();
  big.view.CompareWithModule(partner);
  for (auto _ : state) {
    big.view.SetCaret(0, 0);
    big.view.CompareNext();
    if (big.view.CaretAddress() != kGiB - 1) state.SkipWithError("the difference was not found");
  }
  big.view.EndCompare();
  state.SetBytesProcessed(state.iterations() * std::int64_t{kGiB});
}
BENCHMARK(BM_CompareNextThrough1GiB)->Unit(benchmark::kMillisecond);

// One repaint's model of 48 rows, plain and while comparing (the partner's rows read as well).
void BM_PaintModel(benchmark::State& state) {
  TBigView& big = BigView();
  big.view.EndCompare();
  if (state.range(0)) big.view.CompareWithModule(BigPartner());
  big.view.SetCharaSet(csSJis);
  std::int32_t top = 0;
  TPaintModel model;
  for (auto _ : state) {
    top = (top + 4099) % (kGiB / 16 - kVisibleRows);
    big.view.SetTopRow(top);
    BuildPaintModel(big.view.Module(), big.view.PaintInput(), model);
    benchmark::DoNotOptimize(model.rows.data());
  }
  big.view.EndCompare();
}
BENCHMARK(BM_PaintModel)->ArgName("comparing")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace ovx
