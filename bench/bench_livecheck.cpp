// SPDX-License-Identifier: GPL-3.0-or-later
// The check as you type after one keystroke in the middle of a 3 MB sheet: the block list and
// the problems brought up to date, as the editor does once typing pauses.
#include <benchmark/benchmark.h>

#include "bench/corpus.h"
#include "catalogues.h"
#include "model/check/livecheck.h"
#include "model/text/memorydocument.h"

namespace qm {
namespace {

const TValueChecker& Checker() {
  return Css3Checker();
}

// What is typed and rubbed out again in turn: a letter inside a declaration, or a brace that
// opens a block up to the next "}" and leaves the block around it open to the end.
const char* const kTyped[] = {"x", "{"};

// Times either the typing (range 1 is 0) or the rubbing out (1); the other step is done with the
// clock stopped, so that each measures one keystroke in a sheet in the same state.
void BM_RecheckAfterKeystroke(benchmark::State& state) {
  TMemoryDocument document(bench::ConcatenatedCorpus());
  TModList blocks;
  RebuildBlocks(document, blocks);
  TLiveCheck live;
  live.Full(document, blocks, Checker());
  // Inside a declaration of a rule in the middle of the sheet.
  const std::string_view text = document.Text();
  const int32_t at = static_cast<int32_t>(text.find(": ", text.find('{', text.size() / 2))) + 2;
  const std::string_view typed = kTyped[state.range(0)];
  const bool timeTyping = state.range(1) == 0;
  const auto edit = [&](bool typing) {
    document.Replace(at, typing ? 0 : static_cast<int32_t>(typed.size()), typing ? typed : "");
  };
  const auto recheck = [&] {
    UpdateBlocks(document, blocks);
    live.Update(document, blocks, Checker());
    benchmark::DoNotOptimize(live.Problems().size());
  };
  for (auto _ : state) {
    state.PauseTiming();
    if (!timeTyping) {
      edit(true);
      recheck();
    }
    edit(timeTyping);
    state.ResumeTiming();
    recheck();
    if (timeTyping) {
      state.PauseTiming();
      edit(false);
      recheck();
      state.ResumeTiming();
    }
  }
  state.counters["bytes"] = static_cast<double>(document.Text().size());
  state.counters["problems"] = static_cast<double>(live.Problems().size());
  state.SetLabel(std::string(timeTyping ? "typed " : "rubbed out ") + kTyped[state.range(0)]);
}
BENCHMARK(BM_RecheckAfterKeystroke)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qm

BENCHMARK_MAIN();
