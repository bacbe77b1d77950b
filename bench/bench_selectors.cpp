// SPDX-License-Identifier: GPL-3.0-or-later
// Rebuilding the block list (what happens on every open, tab change and declaration write) on
// bootstrap and on a 3 MB sheet made of the corpus.
#include <benchmark/benchmark.h>

#include "bench/corpus.h"
#include "model/memorydocument.h"
#include "model/selectorblocks.h"

namespace qm {
namespace {

const TMemoryDocument& Sheet(int which) {
  static const TMemoryDocument bootstrap(bench::CorpusSheet("bootstrap5/bootstrap.css"));
  static const TMemoryDocument concatenated(bench::ConcatenatedCorpus());
  return which == 0 ? bootstrap : concatenated;
}

void BM_RefreshItm(benchmark::State& state) {
  const TMemoryDocument& document = Sheet(static_cast<int>(state.range(0)));
  TModList blocks;
  for (auto _ : state) {
    RebuildBlocks(document, blocks);
    benchmark::DoNotOptimize(blocks.Count());
  }
  state.counters["blocks"] = blocks.Count();
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(document.Text().size()));
  state.SetLabel(state.range(0) == 0 ? "bootstrap 5.2.3" : "3 MB of the corpus");
}
BENCHMARK(BM_RefreshItm)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qm

BENCHMARK_MAIN();
