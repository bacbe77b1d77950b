// SPDX-License-Identifier: GPL-3.0-or-later
// The Edit menu's text commands planned on the text: Indent and Outdent by eight blanks, Comment
// and Uncomment, and the marked line that Next and Previous Bookmark go to.
#pragma once

#include <cstdint>
#include <vector>

#include "model/text/document.h"
#include "model/text/editbatch.h"

namespace qm {

// What Indent puts in front of a line and Outdent takes away: fixed, whatever the tab width.
inline constexpr int32_t kIndentWidth = 8;

// The edits of one command and the selection it leaves: from Anchor to Caret, in the text after
// the edits; no selection when the two are equal.
struct TEditPlan {
  TEditBatch Batch;
  int32_t Anchor = 0;
  int32_t Caret = 0;
};

// Each takes the selection as start <= end (equal: nothing selected, the caret at start). A
// selection covers the lines from start's to end's, that one even when end is at its column 1.

// With a selection, every line it covers gets eight blanks in front and the selection runs from
// start to end + 8 per line; without one, eight blanks go in at the caret and it ends after them.
TEditPlan PlanIndent(const TDocument& document, int32_t selStart, int32_t selEnd);
// Takes eight blanks from the front of every covered line (the caret's line without a selection)
// that starts with eight; a line with fewer, or with a tab, stays. A selection keeps covering
// the text it covered; the caret alone keeps its line and column, as far as the line now goes.
TEditPlan PlanOutdent(const TDocument& document, int32_t selStart, int32_t selEnd);
// Puts the selection between "/*" and "*/" and selects all of it; without one inserts "/*  */"
// with the caret between the two blanks (nothing when the caret is inside a comment, string,
// unquoted url() or escape already, or at the end of a string or comment left open there). A
// selection that starts or ends inside one of those grows to hold it whole, and every "*/" inside
// gets a backslash ("*\/", and "*\\/" for a "*\/" there was), so the new comment ends only at
// its own "*/" and no rule inside it stays live.
TEditPlan PlanComment(const TDocument& document, int32_t selStart, int32_t selEnd);
// Takes the "/*" and "*/" off every comment the selection touches (the comment around the caret
// without one) and the backslash Comment gave each "*/" inside, so Uncomment after Comment gives
// back the text as it was. The selection keeps covering the text it covered.
TEditPlan PlanUncomment(const TDocument& document, int32_t selStart, int32_t selEnd);

// The marked line that Next Bookmark goes to from caretLine: the first below it, else the first of
// all. marks are line numbers in ascending order; 0 when there are none.
int32_t NextMarkLine(const std::vector<int32_t>& marks, int32_t caretLine);
// The marked line that Previous Bookmark goes to: the last above caretLine, else the last of all.
int32_t PreviousMarkLine(const std::vector<int32_t>& marks, int32_t caretLine);

}  // namespace qm
