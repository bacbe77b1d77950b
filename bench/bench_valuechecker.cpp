// SPDX-License-Identifier: GPL-3.0-or-later
// Checking every declaration of bootstrap 5 against the value syntaxes of current CSS: the check
// alone, and with the rules' declarations found first; a whole sheet's problems; and building the
// checker from its data.
#include <benchmark/benchmark.h>

#include "bench/corpus.h"
#include "model/check/sheetcheck.h"
#include "model/sheet/declarations.h"
#include "model/text/memorydocument.h"
#include "model/values/valuechecker.h"

namespace qm {
namespace {

TValueChecker LoadChecker() {
  return TValueChecker::FromFiles(std::filesystem::path(QUILLMERE_DATA_DIR) / "css3.txt",
                                  std::filesystem::path(QUILLMERE_DATA_DIR) / "css3syntax.txt");
}

// The declarations of every style rule, as (name, value) pairs into the document's text.
std::vector<std::pair<std::string_view, std::string_view>> Declarations(
    const TMemoryDocument& document, const TModList& blocks) {
  std::vector<std::pair<std::string_view, std::string_view>> found;
  const std::string_view text = document.Text();
  for (int32_t block = 0; block < blocks.Count(); ++block) {
    if (BlockKind(document, blocks, block) != TBlockKind::StyleRule) {
      continue;
    }
    for (const TDeclarationItem& item : ParseDeclarations(document, blocks, block)) {
      found.emplace_back(text.substr(static_cast<size_t>(item.NameStart),
                                     static_cast<size_t>(item.NameEnd - item.NameStart)),
                         text.substr(static_cast<size_t>(item.ValueStart),
                                     static_cast<size_t>(item.ValueEnd - item.ValueStart)));
    }
  }
  return found;
}

void BM_CheckEveryDeclarationOfBootstrap5(benchmark::State& state) {
  const TValueChecker checker = LoadChecker();
  const TMemoryDocument document(bench::CorpusSheet("bootstrap5/bootstrap.css"));
  TModList blocks;
  RebuildBlocks(document, blocks);
  const auto declarations = Declarations(document, blocks);
  size_t errors = 0;
  for (auto _ : state) {
    errors = 0;
    for (const auto& [name, value] : declarations) {
      errors += checker.Check(name, value).Verdict == TValueVerdict::Error ? 1 : 0;
    }
  }
  state.counters["declarations"] = static_cast<double>(declarations.size());
  state.counters["errors"] = static_cast<double>(errors);
}
BENCHMARK(BM_CheckEveryDeclarationOfBootstrap5)->Unit(benchmark::kMillisecond);

void BM_FindAndCheckEveryDeclarationOfBootstrap5(benchmark::State& state) {
  const TValueChecker checker = LoadChecker();
  const TMemoryDocument document(bench::CorpusSheet("bootstrap5/bootstrap.css"));
  TModList blocks;
  RebuildBlocks(document, blocks);
  for (auto _ : state) {
    size_t errors = 0;
    for (const auto& [name, value] : Declarations(document, blocks)) {
      errors += checker.Check(name, value).Verdict == TValueVerdict::Error ? 1 : 0;
    }
    benchmark::DoNotOptimize(errors);
  }
}
BENCHMARK(BM_FindAndCheckEveryDeclarationOfBootstrap5)->Unit(benchmark::kMillisecond);

// What --check does with a sheet once it is read: its blocks, then every problem.
void BM_CheckSheet(benchmark::State& state, const std::string& text) {
  const TValueChecker checker = LoadChecker();
  const TMemoryDocument document(text);
  size_t problems = 0;
  for (auto _ : state) {
    TModList blocks;
    RebuildBlocks(document, blocks);
    problems = CheckSheet(document, blocks, checker).size();
  }
  state.counters["bytes"] = static_cast<double>(text.size());
  state.counters["problems"] = static_cast<double>(problems);
}
BENCHMARK_CAPTURE(BM_CheckSheet, bootstrap5, bench::CorpusSheet("bootstrap5/bootstrap.css"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CheckSheet, corpus, bench::ConcatenatedCorpus())
    ->Unit(benchmark::kMillisecond);

// A sheet of today's CSS the size of bootstrap 5, where every rule computes with math functions.
std::string MathSheet() {
  std::string sheet;
  for (int rule = 0; sheet.size() < 230000; ++rule) {
    sheet += ".m" + std::to_string(rule) +
             " { width: calc(100% - 2 * var(--gap, 1rem)); margin: clamp(1rem, 0.5rem + 2vw, "
             "3rem) max(1px, min(2%, 4em)); rotate: calc(1turn / 8 + atan2(1px, 2px)); "
             "line-height: round(up, 1.25 * 1.2, 0.1); font-size: calc((1rem + 2px) * 1.5); }\n";
  }
  return sheet;
}
BENCHMARK_CAPTURE(BM_CheckSheet, math, MathSheet())->Unit(benchmark::kMillisecond);

void BM_LoadChecker(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(LoadChecker());
  }
}
BENCHMARK(BM_LoadChecker)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qm

BENCHMARK_MAIN();
