// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/sheet/editcommands.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "model/text/csslexis.h"

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

// A comment's bytes, from its "/*" to just after its "*/" (to the text's end when unclosed), a
// string's, from its quote to just after the closing one (or to the newline that leaves it open),
// an unquoted url()'s from its name to its ")", a quoted one's from its name to its string's end,
// or an escape's.
struct TSpan {
  int32_t Start = 0;
  int32_t End = 0;
  bool Comment = false;
  // Left open: what is put at its end still falls inside it, in the string that runs to the
  // newline there or the comment that runs to the text's end.
  bool Open = false;
};

// The comments, strings, url()s and escapes, as a browser reads them (a "/*" inside a string or
// url() opens no comment, a quote inside a comment opens no string, a backslash takes the "/" or
// quote after it), that overlap [from, to] or touch it at either end. One pass from the text's
// start, which stops after to.
std::vector<TSpan> SpansAround(std::string_view text, int32_t from, int32_t to) {
  std::vector<TSpan> found;
  const auto size = static_cast<int32_t>(text.size());
  const auto at = [text](int32_t i) { return text[static_cast<size_t>(i)]; };
  int32_t i = 0;
  // A url()'s span starts at its name, three bytes before the "(" that shows it.
  while (i < size && i <= to + 3) {
    const char c = at(i);
    int32_t start = i;
    lexis::TRunEnd end;
    if (c == '/' && i + 1 < size && at(i + 1) == '*') {
      end = lexis::CommentEnd(text, i);
    } else if (c == '"' || c == '\'') {
      end = lexis::StringEnd(text, i);
    } else if (c == '\\') {
      // One escaping nothing, before a newline or at the text's end, would still escape a "/"
      // put right after it.
      end = lexis::StartsEscape(text, i) ? lexis::TRunEnd{lexis::WholeEscapeEnd(text, i), true}
                                         : lexis::TRunEnd{i + 1, false};
    } else if (const int32_t body = c == '(' ? lexis::UnquotedUrlBody(text, i) : -1; body >= 0) {
      end = lexis::UrlTokenEnd(text, body);
      // From its name, with the backslash when the name's first letter is escaped ("\\url(").
      start = i > 3 && at(i - 4) == '\\' ? i - 4 : i - 3;
    } else if (const int32_t quote = c == '(' ? lexis::QuotedUrlString(text, i) : -1; quote >= 0) {
      // A "/*" between url( and its string would start an unquoted url().
      end = lexis::StringEnd(text, quote);
      start = i > 3 && at(i - 4) == '\\' ? i - 4 : i - 3;
    } else {
      ++i;
      continue;
    }
    if (start <= to && end.End >= from) {
      found.push_back({start, end.End, c == '/', !end.Closed});
    }
    i = end.End;
  }
  return found;
}

bool Inside(const TSpan& span, int32_t index) {
  return span.Start < index && (index < span.End || (span.Open && index == span.End));
}

// Where each "/" of [start, end) stands after a "*" and a run of backslashes (none or more): the
// run of backslashes begins at the returned place. Comment puts one more backslash there,
// Uncomment takes one away where the run is not empty.
std::vector<int32_t> CloserLikes(std::string_view text, int32_t start, int32_t end,
                                 bool withBackslash) {
  std::vector<int32_t> found;
  for (int32_t i = start + 1; i < end; ++i) {
    if (text[static_cast<size_t>(i)] != '/') {
      continue;
    }
    int32_t run = i;
    while (run > start && text[static_cast<size_t>(run) - 1] == '\\') {
      --run;
    }
    if (run > start && text[static_cast<size_t>(run) - 1] == '*' && (!withBackslash || run < i)) {
      found.push_back(run);
    }
  }
  return found;
}

// Where index lies once the given ranges are gone: it keeps to its character, and one inside a
// removed range goes to where the range was.
int32_t AfterDeletions(int32_t index, const std::vector<TSpan>& removed) {
  int32_t shift = 0;
  for (const TSpan& range : removed) {
    if (index >= range.End) {
      shift += range.End - range.Start;
    } else if (index > range.Start) {
      shift += index - range.Start;
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

TEditPlan PlanComment(const TDocument& document, int32_t selStart, int32_t selEnd) {
  TEditPlan plan;
  const std::string_view text = document.Text();
  const std::vector<TSpan> around = SpansAround(text, selStart, selEnd);
  if (selStart == selEnd) {
    plan.Anchor = plan.Caret = selStart;
    // In a comment its "*/" would end that comment early; in a string or url() it would be no
    // comment; after a backslash its "/" would be escaped.
    if (std::any_of(around.begin(), around.end(),
                    [selStart](const TSpan& span) { return Inside(span, selStart); })) {
      return plan;
    }
    plan.Batch.Add({selStart, selStart, "/*  */", selStart + 3});
    plan.Anchor = plan.Caret = selStart + 3;
    return plan;
  }
  // A comment, string, url() or escape cut in two would leave its other half live, or take the
  // new "/*" in.
  int32_t start = selStart;
  int32_t end = selEnd;
  // Spans overlap where a url()'s name is escaped ("\\url("): grown into one, the start may fall
  // inside an earlier span.
  for (bool grown = true; grown;) {
    grown = false;
    for (const TSpan& span : around) {
      const int32_t wasStart = start;
      const int32_t wasEnd = end;
      start = Inside(span, start) ? span.Start : start;
      end = Inside(span, end) ? span.End : end;
      grown = grown || start != wasStart || end != wasEnd;
    }
  }
  plan.Batch.Add({start, start, "/*", start});
  const std::vector<int32_t> closers = CloserLikes(text, start, end, false);
  for (const int32_t at : closers) {
    plan.Batch.Add({at, at, "\\", at});
  }
  plan.Batch.Add({end, end, "*/", end});
  plan.Anchor = start;
  plan.Caret = end + 4 + static_cast<int32_t>(closers.size());
  return plan;
}

TEditPlan PlanUncomment(const TDocument& document, int32_t selStart, int32_t selEnd) {
  TEditPlan plan;
  const std::string_view text = document.Text();
  std::vector<TSpan> removed;
  for (const TSpan& comment : SpansAround(text, selStart, selEnd)) {
    // A selection takes the comments it shares text with; the caret alone, the one it is in or
    // at the edge of.
    if (!comment.Comment ||
        (selStart != selEnd && (comment.End <= selStart || comment.Start >= selEnd))) {
      continue;
    }
    const bool closed = comment.End - comment.Start >= 4 &&
                        text.substr(static_cast<size_t>(comment.End) - 2, 2) == "*/";
    const int32_t contentEnd = closed ? comment.End - 2 : comment.End;
    removed.push_back({comment.Start, comment.Start + 2});
    for (const int32_t at : CloserLikes(text, comment.Start + 2, contentEnd, true)) {
      removed.push_back({at, at + 1});
    }
    if (closed) {
      removed.push_back({contentEnd, comment.End});
    }
  }
  for (const TSpan& range : removed) {
    plan.Batch.Add({range.Start, range.End, "", range.Start});
  }
  plan.Anchor = AfterDeletions(selStart, removed);
  plan.Caret = AfterDeletions(selEnd, removed);
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
