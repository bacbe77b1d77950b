// SPDX-License-Identifier: GPL-3.0-or-later
// Each fold adds one to the depth of its lines, counted with a difference array so that deep
// nesting costs nothing extra; comments are found over CSS's lexical rules.
#include "model/sheet/foldlevels.h"

#include <algorithm>

#include "model/text/csslexis.h"

namespace qm {
namespace {

// Each comment that spans lines, from its "/*" to the end of its "*/".
template <typename TFold>
void ForEachComment(std::string_view text, TFold&& fold) {
  const auto n = static_cast<int32_t>(text.size());
  int32_t i = 0;
  while (i < n) {
    const char c = text[static_cast<size_t>(i)];
    if (c == '/' && i + 1 < n && text[static_cast<size_t>(i) + 1] == '*') {
      const lexis::TRunEnd end = lexis::CommentEnd(text, i);
      // One left open folds to the text's end, as a block left open does.
      fold(i, end.Closed ? end.End - 1 : -1);
      i = end.End;
    } else if (c == '"' || c == '\'') {
      i = std::max(i + 1, lexis::StringEnd(text, i).End);
    } else if (c == '\\') {
      i = lexis::EscapeEnd(text, i);
    } else if (c == '(' && lexis::UnquotedUrlBody(text, i) >= 0) {
      i = std::max(i + 1, lexis::UrlTokenEnd(text, lexis::UnquotedUrlBody(text, i)).End);
    } else {
      ++i;
    }
  }
}

}  // namespace

std::vector<TFoldLine> FoldLevels(const TDocument& document, const TModList& blocks) {
  RequireCurrent(document, blocks);
  const int32_t lines = document.LineCount();
  const auto size = static_cast<int32_t>(document.Text().size());
  std::vector<TFoldLine> levels(static_cast<size_t>(lines));
  std::vector<int32_t> steps(static_cast<size_t>(lines) + 2, 0);
  const auto fold = [&](int32_t open, int32_t close) {
    const int32_t first = document.IndexToLineCol(open).Line;
    const int32_t last = std::min(lines, document.IndexToLineCol(close < 0 ? size : close).Line);
    if (last <= first) {
      return;
    }
    levels[static_cast<size_t>(first - 1)].Header = true;
    steps[static_cast<size_t>(first)] += 1;  // the line after the header, 0-based
    steps[static_cast<size_t>(last)] -= 1;
  };
  for (const TItmRecord& block : blocks.All()) {
    fold(block.StartPos, block.EndPos);
  }
  ForEachComment(document.Text(), fold);
  int32_t depth = 0;
  for (int32_t line = 0; line < lines; ++line) {
    depth += steps[static_cast<size_t>(line)];
    levels[static_cast<size_t>(line)].Depth = depth;
  }
  return levels;
}

}  // namespace qm
