// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/editcommands.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace qm {

namespace {

const std::string kIndent(kIndentWidth, ' ');

struct TLineRange {
  int32_t First = 1;
  int32_t Last = 1;
};

TLineRange CoveredLines(const TDocument& document, int32_t selStart, int32_t selEnd) {
  return {document.IndexToLineCol(selStart).Line,
          std::min(document.IndexToLineCol(selEnd).Line, document.LineCount())};
}

bool StartsWithIndent(const TDocument& document, int32_t line) {
  return document.LineText(line).starts_with(kIndent);
}

// Where index lies once the given blanks at the fronts of lines are gone: it keeps to its
// character, and one among the removed blanks goes to where they were.
int32_t AfterRemovals(int32_t index, const std::vector<int32_t>& removedAt) {
  int32_t shift = 0;
  for (const int32_t at : removedAt) {
    if (index >= at + kIndentWidth) {
      shift += kIndentWidth;
    } else if (index > at) {
      shift += index - at;
    }
  }
  return index - shift;
}

}  // namespace

TEditPlan PlanIndent(const TDocument& document, int32_t selStart, int32_t selEnd) {
  TEditPlan plan;
  if (selStart == selEnd) {
    // At the line's end or inside it alike: the blanks go in at the caret.
    plan.Batch.Add({selStart, selStart, kIndent, selStart + kIndentWidth});
    plan.Anchor = plan.Caret = selStart + kIndentWidth;
    return plan;
  }
  const TLineRange lines = CoveredLines(document, selStart, selEnd);
  for (int32_t line = lines.First; line <= lines.Last; ++line) {
    const int32_t start = document.LineStart(line);
    plan.Batch.Add({start, start, kIndent, start});
  }
  plan.Anchor = selStart;
  plan.Caret = selEnd + kIndentWidth * (lines.Last - lines.First + 1);
  return plan;
}

TEditPlan PlanOutdent(const TDocument& document, int32_t selStart, int32_t selEnd) {
  TEditPlan plan;
  if (selStart == selEnd) {
    const TLineCol caret = document.IndexToLineCol(selStart);
    const int32_t start = document.LineStart(caret.Line);
    plan.Anchor = plan.Caret = selStart;
    if (StartsWithIndent(document, caret.Line)) {
      const int32_t length = document.LineLength(caret.Line) - kIndentWidth;
      plan.Anchor = plan.Caret = start + std::min(caret.Col - 1, length);
      plan.Batch.Add({start, start + kIndentWidth, "", plan.Caret});
    }
    return plan;
  }
  const TLineRange lines = CoveredLines(document, selStart, selEnd);
  std::vector<int32_t> removedAt;
  for (int32_t line = lines.First; line <= lines.Last; ++line) {
    if (StartsWithIndent(document, line)) {
      const int32_t start = document.LineStart(line);
      removedAt.push_back(start);
      plan.Batch.Add({start, start + kIndentWidth, "", start});
    }
  }
  plan.Anchor = AfterRemovals(selStart, removedAt);
  plan.Caret = AfterRemovals(selEnd, removedAt);
  return plan;
}

TEditPlan PlanComment(int32_t selStart, int32_t selEnd) {
  TEditPlan plan;
  if (selStart == selEnd) {
    plan.Batch.Add({selStart, selStart, "/*  */", selStart + 3});
    plan.Anchor = plan.Caret = selStart + 3;
    return plan;
  }
  plan.Batch.Add({selStart, selStart, "/*", selStart});
  plan.Batch.Add({selEnd, selEnd, "*/", selEnd + 2});
  plan.Anchor = selStart;
  plan.Caret = selEnd + 4;
  return plan;
}

int32_t NextMarkLine(const std::vector<int32_t>& marks, int32_t caretLine) {
  if (marks.empty()) {
    return 0;
  }
  const auto below = std::upper_bound(marks.begin(), marks.end(), caretLine);
  return below != marks.end() ? *below : marks.front();
}

int32_t PreviousMarkLine(const std::vector<int32_t>& marks, int32_t caretLine) {
  if (marks.empty()) {
    return 0;
  }
  const auto above = std::lower_bound(marks.begin(), marks.end(), caretLine);
  return above != marks.begin() ? *std::prev(above) : marks.back();
}

}  // namespace qm
