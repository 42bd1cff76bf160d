// String conversions of 10 MB of mixed Shift-JIS text: ASCII, kanji and
// half-width katakana runs with voiced marks.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "charset/CharConv.h"
#include "charset/StrUty.h"

namespace {

const std::string& MixedSJisText() {
  static const std::string text = [] {
    constexpr std::size_t kSize = 10u << 20;
    std::string s;
    s.reserve(kSize + 16);
    std::uint32_t seed = 12345;
    auto next = [&seed](std::uint32_t range) {
      seed = seed * 1664525u + 1013904223u;
      return (seed >> 8) % range;
    };
    while (s.size() < kSize) {
      const std::uint32_t kind = next(3), run = 1 + next(12);
      for (std::uint32_t i = 0; i < run; ++i) {
        if (kind == 0) {
          s.push_back(static_cast<char>(0x20 + next(0x5F)));
        } else if (kind == 1) {
          const auto jis = static_cast<ovx::TCharCode>((0x30 + next(0x44)) << 8 | (0x21 + next(94)));
          const ovx::TCharCode sjis = ovx::JisToSJis(jis);
          s.push_back(static_cast<char>(sjis >> 8));
          s.push_back(static_cast<char>(sjis & 0xFF));
        } else {
          s.push_back(static_cast<char>(0xA1 + next(63)));
        }
      }
    }
    return s;
  }();
  return text;
}

template <std::string (*Convert)(std::string_view)>
void BM_Convert(benchmark::State& state) {
  const std::string& text = MixedSJisText();
  for (auto _ : state) {
    std::string out = Convert(text);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}

void BM_SJisToUtf16(benchmark::State& state) {
  const std::string& text = MixedSJisText();
  for (auto _ : state) {
    std::u16string out = ovx::SJisToUtf16(text);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}

}  // namespace

BENCHMARK(BM_Convert<ovx::SJisStrToJis>)->Name("BM_SJisStrToJis_10MB")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Convert<ovx::SJisStrToEuc>)->Name("BM_SJisStrToEuc_10MB")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Convert<ovx::SJisStrToUnicode>)->Name("BM_SJisStrToUnicode_10MB")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Convert<ovx::SJisToUtf8>)->Name("BM_SJisToUtf8_10MB")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SJisToUtf16)->Name("BM_SJisToUtf16_10MB")->Unit(benchmark::kMillisecond);
