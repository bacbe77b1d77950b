// SPDX-License-Identifier: GPL-3.0-or-later
// The reading pass's model part: every property of the CSS2 catalogue read from the last block
// of a 3 MB sheet, the sheet ending with a formatted or a minified real sheet.
#include <benchmark/benchmark.h>

#include "bench/corpus.h"
#include "model/catalogue.h"
#include "model/declarations.h"
#include "model/memorydocument.h"

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

void ReadLastBlock(benchmark::State& state, const std::string& last,
                   const char* catalogue = "css2.txt") {
  const TMemoryDocument document(bench::ConcatenatedCorpus(last));
  TModList blocks;
  RebuildBlocks(document, blocks);
  const std::vector<std::string> names = CatalogueProperties(catalogue);
  const int32_t block = blocks.InnermostBlockAt(blocks.Items(blocks.Count() - 1).StartPos + 1);
  size_t found = 0;
  for (auto _ : state) {
    found = 0;
    for (const std::string& name : names) {
      found += ReadDeclaration(document, blocks, block, name).empty() ? 0 : 1;
    }
  }
  state.counters["properties"] = static_cast<double>(names.size());
  state.counters["values"] = static_cast<double>(found);
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

}  // namespace
}  // namespace qm

BENCHMARK_MAIN();
