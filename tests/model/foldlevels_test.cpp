// SPDX-License-Identifier: GPL-3.0-or-later
// Fold levels from the block list: rules, at-rules, nested rules and comments that span lines.
#include "model/sheet/foldlevels.h"

#include <gtest/gtest.h>

#include "model/text/memorydocument.h"

namespace qm {
namespace {

// Each line as its depth, with "+" for a line a fold starts after.
std::string Levels(std::string_view text) {
  const TMemoryDocument document{std::string(text)};
  TModList blocks;
  RebuildBlocks(document, blocks);
  std::string shown;
  for (const TFoldLine& line : FoldLevels(document, blocks)) {
    shown += std::to_string(line.Depth) + (line.Header ? "+" : "") + " ";
  }
  return shown;
}

TEST(FoldLevels, BlocksAndCommentsThatSpanLinesFold) {
  struct TCase {
    std::string_view Text;
    std::string_view Expected;
  };
  const TCase cases[] = {
      {"h1 { color: red }\nh2 {\n  top: 0;\n}\n", "0 0+ 1 1 0 "},
      {"@media print {\n  a {\n    b: c;\n  }\n}", "0+ 1+ 2 2 1 "},
      {"a {\n  & b {\n    c: d; }\n  e: f;\n}", "0+ 1+ 2 1 1 "},
      {"/* one\n   two */\na { }", "0+ 1 0 "},
      {"/* one line */ a {\n}", "0+ 1 "},
      {"a { content: \"/*\"; }\nb {\n}", "0 0+ 1 "},
      {"a { background: url(x/*y.png); }\nb {\n}", "0 0+ 1 "},
      {"a {\n  b: c;\n", "0+ 1 1 "},
      {"a\n{\n}\n/* open\n", "0 0+ 1 0+ 1 "},
      {"", "0 "},
  };
  for (const TCase& test : cases) {
    EXPECT_EQ(Levels(test.Text), test.Expected) << test.Text;
  }
}

}  // namespace
}  // namespace qm
