// Parsing a 1 MB template (target: 50 ms or less).
#include <benchmark/benchmark.h>

#include "filer/FilerParser.h"
#include "filer/FilerText.h"

namespace {

// A template of about one megabyte with every kind of token: pages of fields, comments,
// common blocks, header lines and both executable sections.
std::string MegabyteTemplate() {
  std::string text = "#DEFINE TITLE bench\n#DEFINE AUTHOR bench\nCOMMON(row)\nLABEL(\"common row\") HORIZONTALRULE\nCOMMAND\n";
  text += "INITIALIZE\nCLEAR(0,16,0) WRITEPATTERNHEX(16,16,\"DEADBEEF\")\nCOMMAND\n";
  for (int page = 0; text.size() < (1u << 20); ++page) {
    text += "PAGE(\"page " + std::to_string(page) + "\")  { a page of fields }\nSEGMENT(0x" + std::to_string(page) + "00)\n";
    text += "EDITINTEGER(\"integer\", 0x10, 4, 0, 0x7FFFFFFF)\nEDITBIT(\"flag\", 2, 7)  # a bit\n";
    text += "EDITSELECT(\"choice\", 3, 1, \"0=>zero\", \"1=>one\", \"0x2=>two\")\nEDITSTRING(\"name\", 4, 12, 32)\n";
    text += "INDENT(16) MARGIN(*) MESSAGE(200, 60, \"first line\", \"second line\")\nINCLUDECOMMON(ROW)\n";
  }
  text += "FINALIZE\nWRITEINTEGER(0, 4, 1) WRITESTRING(8, 4, \"ABCD\", 0)\n";
  return ovx::NormalizeFilerText(text);
}

void BM_AnalyzeMegabyteTemplate(benchmark::State& state) {
  const std::string text = MegabyteTemplate();
  for (auto _ : state) {
    ovx::TFilerCommandList initialize, edit, finalize;
    ovx::TAnalyzeError error;
    ovx::AnalyzeFilerText(text, initialize, edit, error, finalize);
    if (error.Error) state.SkipWithError(error.Message.c_str());
    benchmark::DoNotOptimize(edit.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_AnalyzeMegabyteTemplate)->Unit(benchmark::kMillisecond);

}  // namespace
