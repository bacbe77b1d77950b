// SPDX-License-Identifier: GPL-3.0-or-later
// What the comment- and value-aware searches cost on big sheets, against the literal versions
// of the tests, which look back over the whole text for every candidate.
#include "bench/corpus.h"
#include "model/text/memorydocument.h"
#include "model/text/textscan.h"
#include "tests/model/reference_scan.h"

#include <benchmark/benchmark.h>

#include <random>

namespace qm {
namespace {

struct TBlockQuery {
  std::unique_ptr<TMemoryDocument> Doc;
  std::unique_ptr<reference::TSheet> Ref;
  int32_t Start = -1;
  int32_t End = -1;
  std::string Name;
};

const char* SheetName(int which) {
  return which == 0   ? "corpus 3 MB"
         : which == 1 ? "bootstrap 5.2.3 min"
                      : "corpus 3 MB ending with bootstrap 5.2.3 min";
}

// The sheet's last block and the last property name declared in it.
const TBlockQuery& LastBlock(int which) {
  static TBlockQuery queries[3];
  TBlockQuery& q = queries[which];
  if (q.Doc) {
    return q;
  }
  const std::string minified = "bootstrap5/bootstrap.min.css";
  q.Doc = std::make_unique<TMemoryDocument>(which == 0   ? bench::ConcatenatedCorpus()
                                            : which == 1 ? bench::CorpusSheet(minified)
                                                         : bench::ConcatenatedCorpus(minified));
  q.Ref = std::make_unique<reference::TSheet>(q.Doc->Text());
  const std::string_view text = q.Doc->Text();
  for (int32_t p = 0;
       (p = FindOutsideComments(*q.Doc, text, "{", p + 2, -1, {}, true, false)) != -1;) {
    q.Start = p;
  }
  q.End = q.Doc->MatchingBrace(q.Start);
  for (int32_t line = CurLineNum(*q.Doc, q.Start); line <= CurLineNum(*q.Doc, q.End); ++line) {
    const int32_t first = FirstColumn(*q.Doc, line);
    for (const TToken& t : q.Doc->LineTokens(line)) {
      const int32_t at = first + t.Start;
      if (t.Kind == TTokenKind::Property && at > q.Start && at < q.End) {
        q.Name = std::string(text.substr(static_cast<size_t>(at), static_cast<size_t>(t.Length)));
      }
    }
  }
  return q;
}

void Label(benchmark::State& state, const TBlockQuery& q, int which) {
  state.SetLabel(std::string(SheetName(which)) + ", " + q.Name + " in the block at " +
                 std::to_string(q.Start));
}

// The declaration search of the reading pass: whole word, outside comments and values.
void BM_FindPropertyInLastBlock(benchmark::State& state) {
  const int which = static_cast<int>(state.range(0));
  const TBlockQuery& q = LastBlock(which);
  const TSearchOptions wholeWord{.WholeWord = true};
  int32_t found = -1;
  for (auto _ : state) {
    found = FindOutsideComments(*q.Doc, q.Doc->Text(), q.Name, q.Start, q.End - q.Start, wholeWord,
                                true, true);
    benchmark::DoNotOptimize(found);
  }
  state.counters["found_at"] = found;
  Label(state, q, which);
}
BENCHMARK(BM_FindPropertyInLastBlock)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_FindPropertyInLastBlockLiteral(benchmark::State& state) {
  const int which = static_cast<int>(state.range(0));
  const TBlockQuery& q = LastBlock(which);
  const TSearchOptions wholeWord{.WholeWord = true};
  int32_t found = -1;
  for (auto _ : state) {
    found = reference::FindOutsideComments(*q.Ref, q.Doc->Text(), q.Name, q.Start, q.End - q.Start,
                                           wholeWord, true, true);
    benchmark::DoNotOptimize(found);
  }
  state.counters["found_at"] = found;
  Label(state, q, which);
}
BENCHMARK(BM_FindPropertyInLastBlockLiteral)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// The index the comment test answers from, built once per text version.
void BM_BuildCommentIndex(benchmark::State& state) {
  const TBlockQuery& q = LastBlock(0);
  for (auto _ : state) {
    TCommentIndex index(q.Doc->Text());
    benchmark::DoNotOptimize(index);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(q.Doc->Text().size()));
}
BENCHMARK(BM_BuildCommentIndex)->Unit(benchmark::kMillisecond);

// The block list's scan over a whole sheet: every "{" outside comments and its partner.
void BM_AllBlocksAndPartners(benchmark::State& state) {
  const int which = static_cast<int>(state.range(0));
  const TBlockQuery& q = LastBlock(which);
  const std::string_view text = q.Doc->Text();
  int32_t blocks = 0;
  for (auto _ : state) {
    blocks = 0;
    for (int32_t p = 0;
         (p = FindOutsideComments(*q.Doc, text, "{", p + 2, -1, {}, true, false)) != -1; ++blocks) {
      benchmark::DoNotOptimize(q.Doc->MatchingBrace(p));
    }
  }
  state.counters["blocks"] = blocks;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(text.size()));
  state.SetLabel(SheetName(which));
}
BENCHMARK(BM_AllBlocksAndPartners)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// IsValue at random places: a line lookup and a scan of part of one line.
void BM_IsValueAnywhere(benchmark::State& state) {
  const int which = static_cast<int>(state.range(0));
  const TBlockQuery& q = LastBlock(which);
  std::mt19937 random(5);
  std::uniform_int_distribution<int32_t> anywhere(0, static_cast<int32_t>(q.Doc->Text().size()));
  std::vector<int32_t> places(4096);
  for (int32_t& place : places) {
    place = anywhere(random);
  }
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(IsValue(*q.Doc, places[i++ % places.size()]));
  }
  state.SetLabel(SheetName(which));
}
BENCHMARK(BM_IsValueAnywhere)->Arg(0)->Arg(1);

}  // namespace
}  // namespace qm

BENCHMARK_MAIN();
