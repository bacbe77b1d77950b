// SPDX-License-Identifier: GPL-3.0-or-later
// The reading pass's model part: the rule at the caret found and every property of the CSS2
// catalogue read from it, in a 3 MB sheet and in a 4 MB one-line sheet; and reading and writing
// a declaration whose long value repeats its own name.
#include <benchmark/benchmark.h>

#include "bench/corpus.h"
#include "model/catalogue/catalogue.h"
#include "model/sheet/declarations.h"
#include "model/text/memorydocument.h"

namespace qm {
namespace {

std::vector<std::string> CatalogueProperties(const char* catalogue) {
  TInspectorCollection items;
  items.LoadCatalogue(std::filesystem::path(QUILLMERE_DATA_DIR) / catalogue);
  std::vector<std::string> names;
  for (int32_t i = 0; i < items.Count(); ++i) {
    if (!items.Items(i).CssTag.empty()) {
      names.push_back(items.Items(i).CssTag);
    }
  }
  return names;
}

// The reading pass's model part, timed: the rule at the caret found and every name read from it.
void ReadEveryName(benchmark::State& state, const TDocument& document, const TModList& blocks,
                   int32_t caret, const std::vector<std::string>& names) {
  size_t found = 0;
  for (auto _ : state) {
    found = 0;
    const int32_t block = RuleBlockAt(document, blocks, caret);
    for (const std::string& name : names) {
      found += ReadDeclaration(document, blocks, block, name).empty() ? 0 : 1;
    }
  }
  state.counters["values"] = static_cast<double>(found);
}

void ReadLastBlock(benchmark::State& state, const std::string& last,
                   const char* catalogue = "css2.txt") {
  const TMemoryDocument document(bench::ConcatenatedCorpus(last));
  TModList blocks;
  RebuildBlocks(document, blocks);
  const std::vector<std::string> names = CatalogueProperties(catalogue);
  const int32_t caret = blocks.Items(blocks.Count() - 1).StartPos + 1;
  ReadEveryName(state, document, blocks, caret, names);
  state.counters["properties"] = static_cast<double>(names.size());
}

void BM_ReadingPassLastBlockOf3MB(benchmark::State& state) {
  ReadLastBlock(state, "bootstrap5/bootstrap.css");
}
BENCHMARK(BM_ReadingPassLastBlockOf3MB)->Unit(benchmark::kMicrosecond);

void BM_ReadingPassLastBlockOf3MBMinified(benchmark::State& state) {
  ReadLastBlock(state, "bootstrap5/bootstrap.min.css");
}
BENCHMARK(BM_ReadingPassLastBlockOf3MBMinified)->Unit(benchmark::kMicrosecond);

// The same pass over the five times longer list of current CSS.
void BM_ReadingPassLastBlockOf3MBCurrentCss(benchmark::State& state) {
  ReadLastBlock(state, "bootstrap5/bootstrap.css", "css3.txt");
}
BENCHMARK(BM_ReadingPassLastBlockOf3MBCurrentCss)->Unit(benchmark::kMicrosecond);

// Loading the current CSS catalogue, as a switch to its tab does.
void BM_LoadCurrentCssCatalogue(benchmark::State& state) {
  for (auto _ : state) {
    TInspectorCollection items;
    items.LoadCatalogue(std::filesystem::path(QUILLMERE_DATA_DIR) / "css3.txt");
    benchmark::DoNotOptimize(items.Count());
  }
}
BENCHMARK(BM_LoadCurrentCssCatalogue)->Unit(benchmark::kMillisecond);

// The minified sheets on one line, 4 MiB, the caret in a rule in its middle.
void BM_RuleAtCaretIn4MBOneLine(benchmark::State& state) {
  std::string text = bench::MinifiedCorpus();
  text += text.substr(0, 1024 * 1024);
  const TMemoryDocument document(text);
  TModList blocks;
  RebuildBlocks(document, blocks);
  const int32_t middle = blocks.InnermostBlockAt(static_cast<int32_t>(text.size() / 2));
  const int32_t caret = blocks.Items(middle).StartPos + 1;
  const std::vector<std::string> names = CatalogueProperties("css2.txt");
  ReadEveryName(state, document, blocks, caret, names);
  state.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_RuleAtCaretIn4MBOneLine)->Unit(benchmark::kMicrosecond);

// A rule whose value is range(0) bytes of "background " again and again: reading it and planning
// a write of a new value.
void BM_ReadWriteLongValue(benchmark::State& state) {
  std::string value;
  while (value.size() < static_cast<size_t>(state.range(0))) {
    value += "background ";
  }
  const TMemoryDocument document("a { color: red }\r\nb {\r\n  background: " + value +
                                 ";\r\n  margin: 0;\r\n}\r\nc { color: blue }\r\n");
  TModList blocks;
  RebuildBlocks(document, blocks);
  for (auto _ : state) {
    const int32_t block = RuleBlockAt(document, blocks, blocks.Items(1).StartPos + 1);
    benchmark::DoNotOptimize(ReadDeclaration(document, blocks, block, "background"));
    benchmark::DoNotOptimize(
        PlanDeclarationWrite(document, blocks, block, "background", "none", {8, 0, 0}));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_ReadWriteLongValue)->Arg(240 * 1024)->Arg(960 * 1024)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qm

BENCHMARK_MAIN();
