// SPDX-License-Identifier: GPL-3.0-or-later
// The indexed scanner and searches against the literal versions in reference_scan.h, on every
// corpus sheet and on generated sheets full of the awkward cases.
#include "model/sheet/selectorblocks.h"
#include "model/text/memorydocument.h"
#include "model/text/textfile.h"
#include "model/text/textscan.h"
#include "reference_blocks.h"
#include "reference_scan.h"
#include "sheets.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

namespace qm {
namespace {

// Every position of a small text. On a bigger one the literal searches, which look back over the
// whole text, would take minutes: the start, the places around the first comment markers and
// braces, the end, and as many random places as a fixed budget of literal work allows.
std::vector<int32_t> Positions(std::string_view text, std::mt19937& random) {
  const auto n = static_cast<int32_t>(text.size());
  std::vector<int32_t> positions = {-2, -1};
  if (n <= 8000) {
    for (int32_t p = 0; p <= n + 2; ++p) {
      positions.push_back(p);
    }
    return positions;
  }
  for (int32_t p = 0; p < 300; ++p) {
    positions.push_back(p);
  }
  int32_t near = 0;
  for (size_t at = text.find_first_of("*{}"); at != std::string_view::npos && near < 100;
       at = text.find_first_of("*{}", at + 1), ++near) {
    for (int32_t d = -1; d <= 2; ++d) {
      positions.push_back(static_cast<int32_t>(at) + d);
    }
  }
  for (int32_t p = n - 10; p <= n + 2; ++p) {
    positions.push_back(p);
  }
  std::uniform_int_distribution<int32_t> anywhere(0, n);
  for (int32_t i = std::clamp(3'000'000 / n, 10, 300); i > 0; --i) {
    positions.push_back(anywhere(random));
  }
  return positions;
}

// Both versions of a sheet, built once for all the comparisons made on it: scanning the whole
// corpus literally is the slow part under the sanitizers.
struct TPair {
  std::unique_ptr<TMemoryDocument> Doc;
  std::unique_ptr<reference::TSheet> Ref;
};

const TPair& PairFor(const TSample& sample) {
  static std::map<std::string, TPair> pairs;
  TPair& pair = pairs[sample.name];
  if (!pair.Doc) {
    pair.Doc = std::make_unique<TMemoryDocument>(sample.text);
    pair.Ref = std::make_unique<reference::TSheet>(pair.Doc->Text());
  }
  return pair;
}

class Differential : public testing::TestWithParam<TSample> {
 protected:
  void SetUp() override {
    Doc = PairFor(GetParam()).Doc.get();
    Ref = PairFor(GetParam()).Ref.get();
  }
  std::string_view Text() const { return Doc->Text(); }
  // Where every column and every brace would take too long under the sanitizers.
  bool Big() const { return Text().size() > 60000; }
  // Where the literal searches, which look back over the whole text, must be sampled.
  bool LongLookBack() const { return Text().size() > 8000; }

  const TMemoryDocument* Doc = nullptr;
  const reference::TSheet* Ref = nullptr;
  std::mt19937 Random{11};
};

TEST_P(Differential, LinesStatesAndTokensAgree) {
  ASSERT_EQ(Doc->LineCount(), Ref->LineCount());
  const auto tokens = Doc->AllTokens();
  for (int32_t line = 1; line <= Ref->LineCount(); ++line) {
    const auto i = static_cast<size_t>(line - 1);
    ASSERT_EQ(Doc->LineStart(line), Ref->Starts[i]) << line;
    ASSERT_EQ(Doc->LineLength(line), Ref->Lengths[i]) << line;
    ASSERT_EQ(Doc->LineStartState(line), Ref->States[i]) << line;
    ASSERT_EQ(tokens[i], Ref->Tokens[i]) << line;
    int32_t covered = 0;
    for (const TToken& t : tokens[i]) {
      ASSERT_TRUE(t.Start == covered && t.Length > 0) << line << ":" << t.Start;
      covered += t.Length;
    }
    ASSERT_EQ(covered, Ref->Lengths[i]) << line;
    // As the editor hands a line over: with its break.
    const auto end =
        line < Ref->LineCount() ? static_cast<size_t>(Ref->Starts[i + 1]) : Text().size();
    const std::string_view withBreak = Text().substr(static_cast<size_t>(Ref->Starts[i]),
                                                     end - static_cast<size_t>(Ref->Starts[i]));
    std::vector<TToken> scanned;
    const TScanState state = ScanLine(withBreak, Ref->States[i], scanned);
    const reference::TLineScan expected = reference::ScanLine(withBreak, Ref->States[i]);
    ASSERT_EQ(scanned, expected.Tokens) << line;
    ASSERT_EQ(state, expected.End) << line;
  }
}

TEST_P(Differential, TokenAtAgrees) {
  // Every column of a small sheet. On a big one, every column of every tenth line, and on the
  // other long lines, whose questions start from points inside the line, the first and last
  // column of every fourth token.
  for (int32_t line = 0; line <= Ref->LineCount() + 1; ++line) {
    const bool inText = line >= 1 && line <= Ref->LineCount();
    const int32_t length = inText ? Ref->Lengths[static_cast<size_t>(line - 1)] : 0;
    if (!Big() || line % 10 == 0 || !inText) {
      for (int32_t col = -1; col <= length + 3; ++col) {
        ASSERT_EQ(Doc->TokenAt(line, col), Ref->TokenAt(line, col)) << line << ":" << col;
      }
      continue;
    }
    if (length <= 2000) {
      continue;
    }
    const std::vector<TToken>& tokens = Ref->Tokens[static_cast<size_t>(line - 1)];
    for (size_t i = 0; i < tokens.size(); i += 4) {
      for (const int32_t col : {tokens[i].Start + 1, tokens[i].Start + tokens[i].Length}) {
        ASSERT_EQ(Doc->TokenAt(line, col), Ref->TokenAt(line, col)) << line << ":" << col;
      }
    }
  }
}

TEST_P(Differential, IsValueAgrees) {
  const auto n = static_cast<int32_t>(Text().size());
  for (int32_t pos = -3; pos <= n + 3; pos += Big() ? 53 : 1) {
    ASSERT_EQ(IsValue(*Doc, pos), Ref->IsValue(pos)) << pos;
  }
}

TEST_P(Differential, CommentTestAndLastMatchAgree) {
  for (const int32_t pos : Positions(Text(), Random)) {
    const bool expected = reference::IsInComment(Text(), pos);
    ASSERT_EQ(Doc->Comments().IsInComment(pos), expected) << pos;
    ASSERT_EQ(IsInComment(Text(), pos), expected) << pos;
    // A rare pattern makes the literal search run back over the whole text.
    for (const std::string_view pattern : {"{", "*/", LongLookBack() ? "" : "Co"}) {
      ASSERT_EQ(FindLastBefore(pos, Text(), pattern),
                reference::FindLastBefore(pos, Text(), pattern))
          << pos << " " << pattern;
    }
  }
}

TEST_P(Differential, BlockScanAgrees) {
  // The block list's scan: each "{" outside comments, its partner, and the names in its window.
  // On a big sheet the literal searches, which look back over the whole text, check the first
  // blocks, the last ones and every two hundredth.
  const std::string_view text = Text();
  std::vector<int32_t> braces;
  for (int32_t p = 0;;) {
    p = FindOutsideComments(*Doc, text, "{", p + 2, -1, {}, true, false);
    if (p == -1) {
      break;
    }
    braces.push_back(p);
  }
  for (size_t i = 0; i <= braces.size(); ++i) {
    if (LongLookBack() && i >= 50 && i + 10 < braces.size() && i % 200 != 0) {
      continue;
    }
    const int32_t p = i == 0 ? 0 : braces[i - 1];
    ASSERT_EQ(i < braces.size() ? braces[i] : -1,
              reference::FindOutsideComments(*Ref, text, "{", p + 2, -1, {}, true, false))
        << p;
    if (i == braces.size()) {
      break;
    }
    const int32_t start = braces[i];
    const int32_t end = Doc->MatchingBrace(start);
    ASSERT_EQ(end, Ref->MatchingBrace(start)) << start;
    for (const std::string_view name : {"color", "margin", "display", "top", "font", "width"}) {
      const TSearchOptions wholeWord{.WholeWord = true};
      ASSERT_EQ(FindOutsideComments(*Doc, text, name, start, end - start, wholeWord, true, true),
                reference::FindOutsideComments(*Ref, text, name, start, end - start, wholeWord,
                                               true, true))
          << start << " " << name;
    }
  }
}

TEST_P(Differential, MatchingBraceAgreesForEveryBrace) {
  // Every brace of a small sheet, every fourth of a big one.
  const std::string_view text = Text();
  int32_t brace = 0;
  for (size_t at = text.find('{'); at != std::string_view::npos; at = text.find('{', at + 1)) {
    if (Big() && brace++ % 4 != 0) {
      continue;
    }
    ASSERT_EQ(Doc->MatchingBrace(static_cast<int32_t>(at)),
              Ref->MatchingBrace(static_cast<int32_t>(at)))
        << at;
  }
}

TEST_P(Differential, BlockListAgrees) {
  TModList blocks;
  RebuildBlocks(*Doc, blocks);
  const std::vector<reference::TBlock> expected = reference::Blocks(*Doc, *Ref);
  ASSERT_EQ(static_cast<size_t>(blocks.Count()), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    const TItmRecord& block = blocks.All()[i];
    ASSERT_EQ(
        (reference::TBlock{block.StartPos, block.EndPos, block.Kind, std::string(block.Name)}),
        expected[i])
        << i;
  }
}

// Sheets that once made the block list slow, and the places where pairing and names stop.
std::vector<TSample> HostileSheets() {
  std::string minified = "x{content:\"";
  std::string nested;
  std::string spacedNesting;
  for (int i = 0; i < 300; ++i) {
    minified += "a{b:c}";
    nested = "x{" + nested + "}";
    spacedNesting = " h1, p {\r\n" + spacedNesting + "}\r\n";
  }
  return {
      {"stray_quote_before_minified_rules", minified + "\r\np{}\r\n}"},
      {"deep_nesting", nested},
      {"deep_nesting_over_lines", spacedNesting},
      {"overlapping_comment_markers", "/*/ a{b}{c} */ d{} /*/ e{ \"*/\" } f{}"},
      {"nul_before_braces", std::string("a{ b\0{ c{ }}\r\n} d{}", 19)},
      {"closers_before_any_opener", "}}} \"{\" a{ \"{\" } } x{\"}\"} }"},
      {"string_braces_over_lines", "a{ content: \"{\r\n} b{ \"{\" }\r\n}"},
      {"name_stops", "x}{}|y{}*/z{} /**/w{} \r\n #a, .b{}"},
  };
}

// Every start position with windows of every size: on the generated sheets only, where the
// literal searches are quick enough for it.
class DifferentialWindows : public Differential {};

TEST_P(DifferentialWindows, SearchesWithAnyWindowAndOptionsAgree) {
  const std::string_view text = Text();
  const auto n = static_cast<int32_t>(text.size());
  const std::vector<std::string_view> patterns = {"{", "}", "color", "COLOR", "a", "/*", ":"};
  std::uniform_int_distribution<int32_t> count(-3, n + 3);
  for (int32_t from = -1; from <= n + 2; ++from) {
    const std::string_view pattern = patterns[static_cast<size_t>(from + 1) % patterns.size()];
    const int32_t c = from % 5 == 0 ? -1 : count(Random);
    const TSearchOptions options{.WholeWord = from % 2 == 0, .MatchCase = from % 3 == 0};
    const bool skipComments = from % 4 != 1;
    const bool skipValues = from % 8 < 4;
    ASSERT_EQ(FindInText(text, pattern, from, c, options),
              reference::FindInText(text, pattern, from, c, options))
        << from << " " << c << " " << pattern;
    ASSERT_EQ(FindOutsideComments(*Doc, text, pattern, from, c, options, skipComments, skipValues),
              reference::FindOutsideComments(*Ref, text, pattern, from, c, options, skipComments,
                                             skipValues))
        << from << " " << c << " " << pattern;
  }
  // A line searched on its own, as the declaration reader does: its own comments only.
  for (int32_t line = 1; line <= Doc->LineCount(); ++line) {
    const std::string_view lineText = Doc->LineText(line);
    ASSERT_EQ(FindOutsideComments(*Doc, lineText, "color", 0, -1, {}, true, false),
              reference::FindOutsideComments(*Ref, lineText, "color", 0, -1, {}, true, false))
        << line;
  }
}

INSTANTIATE_TEST_SUITE_P(Corpus, Differential, testing::ValuesIn(CorpusSheets()),
                         [](const auto& info) {
                           std::string name = info.param.name;
                           for (char& c : name) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) {
                               c = '_';
                             }
                           }
                           return name;
                         });
INSTANTIATE_TEST_SUITE_P(Generated, Differential, testing::ValuesIn(GeneratedSheets()),
                         [](const auto& info) { return info.param.name; });
INSTANTIATE_TEST_SUITE_P(Hostile, Differential, testing::ValuesIn(HostileSheets()),
                         [](const auto& info) { return info.param.name; });
INSTANTIATE_TEST_SUITE_P(Generated, DifferentialWindows, testing::ValuesIn(GeneratedSheets()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace qm
