// SPDX-License-Identifier: GPL-3.0-or-later
// Rebuilding the block list (what happens on every open, tab change and declaration write) on
// bootstrap, on a 3 MB sheet made of the corpus, and on generated sheets that once made it
// quadratic or could: a stray quote in front of 3 MB of minified rules, 20,000 nested rules, and
// a line of quotes and url( left open.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/corpus.h"
#include "model/sheet/selectorblocks.h"
#include "model/text/memorydocument.h"

namespace qm {
namespace {

// One line: an unclosed string in the first value makes every later brace string text.
std::string StrayQuoteSheet() {
  std::string sheet = "body{content:\"x}";
  for (int i = 0; sheet.size() < 3'000'000; ++i) {
    sheet += ".r" + std::to_string(i) + "{color:red;margin:0 auto}";
  }
  return sheet;
}

std::string NestedSheet() {
  std::string sheet;
  for (int i = 0; i < 20'000; ++i) {
    sheet += ".n" + std::to_string(i) + " {\r\n  color: red;\r\n";
  }
  for (int i = 0; i < 20'000; ++i) {
    sheet += "}\r\n";
  }
  return sheet;
}

// One line of quotes and url( that never close: each is looked past once, not to the line's end
// again and again.
std::string OpenQuotesSheet() {
  std::string sheet = "x{a:'";
  while (sheet.size() < 3'000'000) {
    sheet += "\"url(b\\\" c;d{e}";
  }
  return sheet;
}

const TMemoryDocument& Sheet(int64_t which) {
  static const TMemoryDocument bootstrap(bench::CorpusSheet("bootstrap5/bootstrap.css"));
  static const TMemoryDocument concatenated(bench::ConcatenatedCorpus());
  static const TMemoryDocument strayQuote(StrayQuoteSheet());
  static const TMemoryDocument nested(NestedSheet());
  static const TMemoryDocument openQuotes(OpenQuotesSheet());
  const TMemoryDocument* sheets[] = {&bootstrap, &concatenated, &strayQuote, &nested, &openQuotes};
  return *sheets[which];
}

const char* Label(int64_t which) {
  const char* labels[] = {"bootstrap 5.2.3", "3 MB of the corpus",
                          "3 MB, stray quote before minified rules", "20,000 nested rules",
                          "3 MB line of open quotes and url("};
  return labels[which];
}

void BM_RefreshItm(benchmark::State& state) {
  const TMemoryDocument& document = Sheet(state.range(0));
  TModList blocks;
  for (auto _ : state) {
    RebuildBlocks(document, blocks);
    benchmark::DoNotOptimize(blocks.Count());
  }
  state.counters["blocks"] = blocks.Count();
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(document.Text().size()));
  state.SetLabel(Label(state.range(0)));
}
BENCHMARK(BM_RefreshItm)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

// The list brought up to date after a keystroke in the middle of the sheet that adds no brace,
// quote or comment marker: a letter typed and rubbed out in turn. Only the update is timed.
void BM_UpdateItmAfterKeystroke(benchmark::State& state) {
  TMemoryDocument document(std::string(Sheet(state.range(0)).Text()));
  TModList blocks;
  RebuildBlocks(document, blocks);
  const int32_t at = document.LineStart(document.LineCount() / 2) + 2;
  bool insert = true;
  for (auto _ : state) {
    state.PauseTiming();
    document.Replace(at, insert ? 0 : 1, insert ? "x" : "");
    insert = !insert;
    state.ResumeTiming();
    UpdateBlocks(document, blocks);
    benchmark::DoNotOptimize(blocks.Count());
  }
  state.counters["blocks"] = blocks.Count();
  state.SetLabel(Label(state.range(0)));
}
BENCHMARK(BM_UpdateItmAfterKeystroke)->DenseRange(0, 1)->Unit(benchmark::kMicrosecond);

// What filling the tree costs in the model: the shown name of every block.
void BM_TreeNames(benchmark::State& state) {
  TModList blocks;
  RebuildBlocks(Sheet(state.range(0)), blocks);
  size_t full = 0;
  for (const TItmRecord& block : blocks.All()) {
    full += block.Name.size();
  }
  for (auto _ : state) {
    size_t shown = 0;
    for (const TItmRecord& block : blocks.All()) {
      shown += TreeName(block.Name).size();
    }
    benchmark::DoNotOptimize(shown);
  }
  state.counters["blocks"] = blocks.Count();
  state.counters["MB of whole names"] = static_cast<double>(full) / 1e6;
  state.SetLabel(Label(state.range(0)));
}
BENCHMARK(BM_TreeNames)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qm

BENCHMARK_MAIN();
