// SPDX-License-Identifier: GPL-3.0-or-later
// Colouring whole sheets line by line as the editor's lexer does, and what a keystroke in the
// middle of a 3 MB sheet costs.
#include "bench/corpus.h"
#include "model/text/cssscanner.h"
#include "model/text/memorydocument.h"
#include "tests/model/reference_scan.h"

#include <benchmark/benchmark.h>

namespace qm {
namespace {

const std::string& Sheet(int which) {
  static const std::string bootstrap = bench::CorpusSheet("bootstrap5/bootstrap.css");
  static const std::string minified = bench::CorpusSheet("bootstrap5/bootstrap.min.css");
  static const std::string concatenated = bench::ConcatenatedCorpus();
  return which == 0 ? bootstrap : which == 1 ? minified : concatenated;
}

void Label(benchmark::State& state, int which) {
  state.SetLabel(which == 0   ? "bootstrap 5.2.3"
                 : which == 1 ? "bootstrap 5.2.3 min"
                              : "corpus 3 MB");
}

// Every line with its break, its tokens into one reused vector, the state carried along.
void BM_ScanLines(benchmark::State& state) {
  const int which = static_cast<int>(state.range(0));
  const std::vector<std::string_view> lines = bench::LinesWithBreaks(Sheet(which));
  std::vector<TToken> tokens;
  size_t count = 0;
  for (auto _ : state) {
    TScanState scan;
    count = 0;
    for (const std::string_view line : lines) {
      scan = ScanLine(line, scan, tokens);
      count += tokens.size();
    }
    benchmark::DoNotOptimize(scan);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(Sheet(which).size()));
  state.counters["tokens"] = static_cast<double>(count);
  Label(state, which);
}
BENCHMARK(BM_ScanLines)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// The same with the literal scanner of the tests, for comparison.
void BM_ScanLinesLiteral(benchmark::State& state) {
  const int which = static_cast<int>(state.range(0));
  const std::vector<std::string_view> lines = bench::LinesWithBreaks(Sheet(which));
  for (auto _ : state) {
    TScanState scan;
    for (const std::string_view line : lines) {
      scan = reference::ScanLine(line, scan).End;
    }
    benchmark::DoNotOptimize(scan);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(Sheet(which).size()));
  Label(state, which);
}
BENCHMARK(BM_ScanLinesLiteral)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);

// Opening a sheet in the in-memory document: line starts and every line's start state.
void BM_LoadDocument(benchmark::State& state) {
  const int which = static_cast<int>(state.range(0));
  for (auto _ : state) {
    TMemoryDocument doc(Sheet(which));
    benchmark::DoNotOptimize(doc.LineCount());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(Sheet(which).size()));
  Label(state, which);
}
BENCHMARK(BM_LoadDocument)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);

// A character typed into a declaration in the middle of the 3 MB sheet and taken out again:
// each edit rescans the lines it touches and stops at the first line that starts unchanged.
void BM_KeystrokeInTheMiddle(benchmark::State& state) {
  TMemoryDocument doc(Sheet(2));
  const int32_t middle = doc.LineStart(doc.LineCount() / 2);
  const auto text = doc.Text();
  const auto at = static_cast<int32_t>(text.find(';', static_cast<size_t>(middle)));
  int64_t rescanned = 0;
  for (auto _ : state) {
    rescanned += doc.Replace(at, 0, "x");
    rescanned += doc.Replace(at, 1, "");
  }
  state.counters["lines_rescanned_per_edit"] =
      static_cast<double>(rescanned) / static_cast<double>(2 * state.iterations());
  state.counters["lines"] = doc.LineCount();
}
BENCHMARK(BM_KeystrokeInTheMiddle)->Unit(benchmark::kMicrosecond);

// For contrast: "/*" typed at the start of a declaration line in the middle changes the state of
// every line up to the next "*/".
void BM_CommentOpenedInTheMiddle(benchmark::State& state) {
  TMemoryDocument doc(Sheet(2));
  int32_t line = doc.LineCount() / 2;
  while (doc.LineStartState(line).Range != TScanRange::Block ||
         doc.LineText(line).find('*') != std::string_view::npos) {
    ++line;
  }
  const int32_t start = doc.LineStart(line);
  int64_t rescanned = 0;
  for (auto _ : state) {
    rescanned += doc.Replace(start, 0, "/*");
    rescanned += doc.Replace(start, 2, "");
  }
  state.counters["lines_rescanned_per_edit"] =
      static_cast<double>(rescanned) / static_cast<double>(2 * state.iterations());
}
BENCHMARK(BM_CommentOpenedInTheMiddle)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qm

BENCHMARK_MAIN();
