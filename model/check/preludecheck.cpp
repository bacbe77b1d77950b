// SPDX-License-Identifier: GPL-3.0-or-later
// At-rule preludes and attribute selectors, read byte by byte up to their "{" or ";": each test
// in parentheses, each name and form where it stands, a problem at the first byte that does not
// fit.
#include "model/check/preludecheck.h"

#include <algorithm>
#include <string>
#include <utility>

#include "model/asciicase.h"
#include "model/text/csslexis.h"
#include "model/textbytes.h"

namespace qm {
namespace {

using textbytes::Slice;

char ByteAt(std::string_view text, int32_t i) {
  return text[static_cast<size_t>(i)];
}

// Past blanks and comments from i, no further than to.
int32_t SkipBlanks(std::string_view text, int32_t i, int32_t to) {
  while (i < to) {
    const char c = ByteAt(text, i);
    if (IsBlankOrControl(c)) {
      ++i;
    } else if (c == '/' && i + 1 < to && ByteAt(text, i + 1) == '*') {
      i = std::min(lexis::CommentEnd(text, i).End, to);
    } else {
      break;
    }
  }
  return i;
}

// Past the name that starts at i (escapes included), no further than to; i when none starts
// there: a digit, or "-" and a digit, starts a number.
int32_t NameEnd(std::string_view text, int32_t i, int32_t to) {
  if (i >= to) {
    return i;
  }
  const char c = ByteAt(text, i);
  if (!(textbytes::IsNameStart(c) || c == '\\') ||
      (c == '-' && i + 1 < to && textbytes::IsDigit(ByteAt(text, i + 1)))) {
    return i;
  }
  int32_t j = i;
  while (j < to) {
    if (ByteAt(text, j) == '\\') {
      j = std::min(lexis::EscapeEnd(text, j), to);
    } else if (textbytes::IsNameChar(ByteAt(text, j))) {
      ++j;
    } else {
      break;
    }
  }
  return j;
}

// Past the word at i, for a problem's span: up to a blank, a bracket or a separator.
int32_t WordEnd(std::string_view text, int32_t i, int32_t to) {
  int32_t j = i;
  while (j < to && !IsBlankOrControl(ByteAt(text, j)) &&
         std::string_view("()[]{},;:").find(ByteAt(text, j)) == std::string_view::npos) {
    ++j;
  }
  return std::max(j, i + 1);
}

// Past the string, comment or escape at i; i when none starts there, -1 for a string left open.
int32_t PastRun(std::string_view text, int32_t i, int32_t to) {
  const char c = ByteAt(text, i);
  if (c == '"' || c == '\'') {
    const lexis::TRunEnd string = lexis::StringEnd(text, i);
    return string.Closed ? string.End : -1;
  }
  if (c == '/' && i + 1 < to && ByteAt(text, i + 1) == '*') {
    return lexis::CommentEnd(text, i).End;
  }
  return c == '\\' ? lexis::EscapeEnd(text, i) : i;
}

// The ")" that closes the "(" at open, strings and comments passed over; to when none does
// before it, -1 when a string left open comes first.
int32_t CloseParen(std::string_view text, int32_t open, int32_t to) {
  int32_t depth = 0;
  for (int32_t i = open; i < to;) {
    const int32_t past = PastRun(text, i, to);
    if (past != i) {
      if (past < 0) {
        return -1;
      }
      i = past;
      continue;
    }
    const char c = ByteAt(text, i);
    if (c == '(') {
      ++depth;
    } else if (c == ')' && --depth == 0) {
      return i;
    }
    ++i;
  }
  return to;
}

void Report(std::vector<TProblemSpan>& found, int32_t start, int32_t end, std::string message) {
  found.push_back({start, std::max(end, start + 1), TSeverity::Error, std::move(message)});
}

// The bytes [from, to) without the blanks and comments around them.
std::pair<int32_t, int32_t> Trim(std::string_view text, int32_t from, int32_t to) {
  from = SkipBlanks(text, from, to);
  while (to > from && IsBlankOrControl(ByteAt(text, to - 1))) {
    --to;
  }
  return {from, to};
}

// A media feature's check told at its name, or at its value [valueStart, valueEnd) when the
// value is at fault.
void Tell(TValueCheck check, std::pair<int32_t, int32_t> name, std::pair<int32_t, int32_t> value,
          int32_t valueFrom, std::vector<TProblemSpan>& found) {
  if (check.Verdict != TValueVerdict::Error && check.Verdict != TValueVerdict::Warning) {
    return;
  }
  TProblemSpan problem{
      name.first,
      std::max(name.second, name.first + 1),
      check.Verdict == TValueVerdict::Error ? TSeverity::Error : TSeverity::Warning,
      std::move(check.Message),
      std::move(check.Detail),
      std::move(check.Fix)};
  if (!check.AtName && value.second > value.first) {
    problem.Start = check.FaultEnd > 0 ? valueFrom + check.FaultStart : value.first;
    problem.End = check.FaultEnd > 0 ? valueFrom + check.FaultEnd : value.second;
  }
  found.push_back(std::move(problem));
}

// The test inside one pair of parentheses, [from, to): "name: value", a range
// ("400px <= width < 700px", "width >= 600px") or a name alone ("color").
void CheckFeature(std::string_view text, int32_t from, int32_t to, const TValueChecker& checker,
                  std::vector<TProblemSpan>& found) {
  int32_t colon = -1;
  std::vector<std::pair<int32_t, int32_t>> comparisons;
  for (int32_t i = from; i < to;) {
    const char c = ByteAt(text, i);
    if (c == '"' || c == '\'' || c == '(') {
      const int32_t end = c == '(' ? CloseParen(text, i, to) + 1 : lexis::StringEnd(text, i).End;
      i = end <= i ? to : end;
      continue;
    }
    if (c == '/' && i + 1 < to && ByteAt(text, i + 1) == '*') {
      i = lexis::CommentEnd(text, i).End;
      continue;
    }
    if (c == ':' && colon < 0 && comparisons.empty()) {
      colon = i;
    } else if (colon < 0 && (c == '<' || c == '>' || c == '=')) {
      const int32_t length = c != '=' && i + 1 < to && ByteAt(text, i + 1) == '=' ? 2 : 1;
      comparisons.emplace_back(i, i + length);
      i += length;
      continue;
    }
    ++i;
  }
  if (colon >= 0) {
    const auto name = Trim(text, from, colon);
    const auto value = Trim(text, colon + 1, to);
    if (name.first == name.second) {
      Report(found, colon, colon + 1, "a media feature's name is missing before its `:`");
      return;
    }
    const std::string_view feature = Slice(text, name.first, name.second);
    TValueCheck check = checker.CheckMediaFeature(feature, Slice(text, colon + 1, to));
    if (check.Verdict != TValueVerdict::Error && value.first == value.second) {
      Report(found, colon, colon + 1,
             std::string("`").append(feature) + "` has no value after its `:`");
      return;
    }
    Tell(std::move(check), name, value, colon + 1, found);
    return;
  }
  if (comparisons.empty()) {
    const auto name = Trim(text, from, to);
    if (name.first == name.second) {
      Report(found, from - 1, to + 1, "empty parentheses: a media feature is expected");
      return;
    }
    Tell(checker.CheckMediaFeature(Slice(text, name.first, name.second), {}), name, name,
         name.first, found);
    return;
  }
  if (comparisons.size() > 2) {
    Report(found, comparisons[2].first, comparisons[2].second,
           "a range compares no more than three terms");
    return;
  }
  // The terms between the comparisons: the feature's name is the middle one of three, else the
  // one that is a name.
  std::vector<std::pair<int32_t, int32_t>> terms;
  int32_t start = from;
  for (const auto& [opStart, opEnd] : comparisons) {
    terms.push_back(Trim(text, start, opStart));
    start = opEnd;
  }
  terms.push_back(Trim(text, start, to));
  for (size_t k = 0; k < terms.size(); ++k) {
    if (terms[k].first == terms[k].second) {
      const auto& at = comparisons[k == 0 ? 0 : k - 1];
      Report(found, at.first, at.second,
             "a value or a media feature is expected beside `" +
                 std::string(Slice(text, at.first, at.second)) + "`");
      return;
    }
  }
  size_t nameTerm = 1;
  if (terms.size() == 2 && NameEnd(text, terms[0].first, terms[0].second) == terms[0].second) {
    nameTerm = 0;
  }
  const auto name = terms[nameTerm];
  const std::string_view feature = Slice(text, name.first, name.second);
  TValueCheck check = checker.CheckMediaFeature(feature, {});
  if (check.Verdict == TValueVerdict::Error) {
    Tell(std::move(check), name, name, name.first, found);
    return;
  }
  for (size_t k = 0; k < terms.size(); ++k) {
    if (k != nameTerm) {
      Tell(checker.CheckMediaFeature(feature, Slice(text, terms[k].first, terms[k].second)), name,
           terms[k], terms[k].first, found);
    }
  }
}

// A media query list or a container condition in [from, to): each test in parentheses. Media
// types, "and", "not", "only", "or", commas and a container's name are passed over; so are
// functions such as style().
void CheckConditions(std::string_view text, int32_t from, int32_t to, const TValueChecker& checker,
                     std::vector<TProblemSpan>& found) {
  for (int32_t i = from; i < to;) {
    const int32_t past = PastRun(text, i, to);
    if (past != i) {
      if (past < 0) {
        return;
      }
      i = past;
      continue;
    }
    if (ByteAt(text, i) != '(') {
      ++i;
      continue;
    }
    if (i > from && textbytes::IsNameChar(ByteAt(text, i - 1))) {
      const int32_t close = CloseParen(text, i, to);
      if (close < 0) {
        return;
      }
      i = close + 1;
      continue;
    }
    // A group of conditions is read further in: its own parentheses are its tests.
    const int32_t inner = SkipBlanks(text, i + 1, to);
    const int32_t word = NameEnd(text, inner, to);
    if ((inner < to && ByteAt(text, inner) == '(') ||
        (EqualIgnoringAsciiCase(Slice(text, inner, word), "not") &&
         (word == to || IsBlankOrControl(ByteAt(text, word)) || ByteAt(text, word) == '('))) {
      i = inner;
      continue;
    }
    const int32_t close = CloseParen(text, i, to);
    if (close < 0) {
      return;
    }
    CheckFeature(text, i + 1, close, checker, found);
    i = close + 1;
  }
}

// Layer names in [from, to): one, or (list) several between commas; each a name or names
// joined by ".". Nothing at all is an anonymous layer.
void CheckLayerNames(std::string_view text, int32_t from, int32_t to, bool list,
                     std::vector<TProblemSpan>& found) {
  int32_t i = SkipBlanks(text, from, to);
  if (i == to) {
    return;
  }
  while (true) {
    const int32_t end = NameEnd(text, i, to);
    if (end == i) {
      Report(found, i, WordEnd(text, i, to), "a layer name is expected");
      return;
    }
    i = end;
    if (i < to && ByteAt(text, i) == '.') {
      ++i;
      continue;
    }
    i = SkipBlanks(text, i, to);
    if (i == to) {
      return;
    }
    if (list && ByteAt(text, i) == ',') {
      i = SkipBlanks(text, i + 1, to);
      continue;
    }
    Report(found, i, WordEnd(text, i, to),
           list ? "`,` or the end of the layer names is expected" : "one layer name is expected");
    return;
  }
}

// @import's prelude from past its name: a url() or a string, then layer or layer(name),
// supports(condition) and a media query list, each optional.
void CheckImport(std::string_view text, int32_t from, int32_t to, const TValueChecker& checker,
                 std::vector<TProblemSpan>& found) {
  int32_t i = SkipBlanks(text, from, to);
  const int32_t first = i;
  if (i < to && (ByteAt(text, i) == '"' || ByteAt(text, i) == '\'')) {
    const lexis::TRunEnd string = lexis::StringEnd(text, i);
    if (!string.Closed) {
      return;
    }
    i = string.End;
  } else if (NameEnd(text, i, to) == i + 3 && i + 3 < to && ByteAt(text, i + 3) == '(' &&
             EqualIgnoringAsciiCase(Slice(text, i, i + 3), "url")) {
    if (const int32_t body = lexis::UnquotedUrlBody(text, i + 3); body >= 0) {
      const lexis::TRunEnd url = lexis::UrlEnd(text, body);
      if (!url.Closed) {
        return;
      }
      i = url.End;
    } else {
      const int32_t close = CloseParen(text, i + 3, to);
      if (close < 0 || close >= to) {
        return;
      }
      i = close + 1;
    }
  } else {
    Report(found, first, first < to ? WordEnd(text, first, to) : first + 1,
           "`@import` takes a `url()` or a string first");
    return;
  }
  i = SkipBlanks(text, i, to);
  int32_t word = NameEnd(text, i, to);
  if (EqualIgnoringAsciiCase(Slice(text, i, word), "layer")) {
    i = word;
    if (i < to && ByteAt(text, i) == '(') {
      const int32_t close = CloseParen(text, i, to);
      if (close < 0) {
        return;
      }
      CheckLayerNames(text, i + 1, close, false, found);
      i = std::min(close + 1, to);
    }
    i = SkipBlanks(text, i, to);
    word = NameEnd(text, i, to);
  }
  if (EqualIgnoringAsciiCase(Slice(text, i, word), "supports") && word < to &&
      ByteAt(text, word) == '(') {
    const int32_t close = CloseParen(text, word, to);
    if (close < 0) {
      return;
    }
    i = std::min(close + 1, to);
  }
  CheckConditions(text, i, to, checker, found);
}

}  // namespace

void CheckAtRulePrelude(std::string_view text, int32_t at, int32_t to, const TValueChecker& checker,
                        std::vector<TProblemSpan>& found) {
  int32_t nameEnd = at + 1;
  while (nameEnd < to && textbytes::IsNameChar(ByteAt(text, nameEnd))) {
    ++nameEnd;
  }
  const std::string_view name = Slice(text, at + 1, nameEnd);
  if (EqualIgnoringAsciiCase(name, "media") || EqualIgnoringAsciiCase(name, "container")) {
    CheckConditions(text, nameEnd, to, checker, found);
  } else if (EqualIgnoringAsciiCase(name, "import")) {
    CheckImport(text, nameEnd, to, checker, found);
  } else if (EqualIgnoringAsciiCase(name, "layer")) {
    const bool block = to < static_cast<int32_t>(text.size()) && ByteAt(text, to) == '{';
    CheckLayerNames(text, nameEnd, to, !block, found);
  }
}

int32_t CheckAttributeSelector(std::string_view text, int32_t open, int32_t to,
                               std::vector<TProblemSpan>& found) {
  // One problem for the selector; it goes on past the next "]".
  const auto fail = [&](int32_t at, int32_t end, std::string message) {
    Report(found, at, end, std::move(message));
    for (int32_t i = at; i < to;) {
      const char c = ByteAt(text, i);
      if (c == '"' || c == '\'') {
        i = lexis::StringEnd(text, i).End;
        continue;
      }
      if (c == ']') {
        return i + 1;
      }
      ++i;
    }
    return to;
  };
  const auto unclosed = [&] {
    Report(found, open, open + 1, "unclosed attribute selector: `[` has no `]`");
    return to;
  };
  int32_t i = SkipBlanks(text, open + 1, to);
  // A namespace in front of the name: "ns|", "*|" or "|".
  const int32_t prefix = i < to && ByteAt(text, i) == '*' ? i + 1 : NameEnd(text, i, to);
  if (prefix < to && ByteAt(text, prefix) == '|' &&
      !(prefix + 1 < to && ByteAt(text, prefix + 1) == '=')) {
    i = prefix + 1;
  }
  if (i >= to) {
    return unclosed();
  }
  const int32_t nameEnd = NameEnd(text, i, to);
  if (nameEnd == i) {
    return fail(i, WordEnd(text, i, to), "an attribute name is expected after `[`");
  }
  i = SkipBlanks(text, nameEnd, to);
  if (i >= to) {
    return unclosed();
  }
  if (ByteAt(text, i) == ']') {
    return i + 1;
  }
  int32_t operatorEnd = i;
  if (ByteAt(text, i) == '=') {
    operatorEnd = i + 1;
  } else if (std::string_view("~|^$*").find(ByteAt(text, i)) != std::string_view::npos &&
             i + 1 < to && ByteAt(text, i + 1) == '=') {
    operatorEnd = i + 2;
  }
  if (operatorEnd == i) {
    return fail(i, i + 1, "`]`, `=`, `~=`, `|=`, `^=`, `$=` or `*=` is expected");
  }
  const std::string_view comparison = Slice(text, i, operatorEnd);
  i = SkipBlanks(text, operatorEnd, to);
  if (i >= to) {
    return unclosed();
  }
  if (ByteAt(text, i) == '"' || ByteAt(text, i) == '\'') {
    const lexis::TRunEnd string = lexis::StringEnd(text, i);
    if (!string.Closed) {
      return to;  // the string left open is told where it starts
    }
    i = string.End;
  } else if (const int32_t valueEnd = NameEnd(text, i, to); valueEnd > i) {
    i = valueEnd;
  } else {
    return fail(i, ByteAt(text, i) == ']' ? i + 1 : WordEnd(text, i, to),
                std::string("a name or a string is expected after `").append(comparison) + "`");
  }
  i = SkipBlanks(text, i, to);
  // The letter case flag: "i" or "s".
  if (i < to && NameEnd(text, i, to) == i + 1 &&
      (AsciiLowerCase(Slice(text, i, i + 1)) == "i" ||
       AsciiLowerCase(Slice(text, i, i + 1)) == "s")) {
    i = SkipBlanks(text, i + 1, to);
  }
  if (i >= to) {
    return unclosed();
  }
  if (ByteAt(text, i) != ']') {
    return fail(i, WordEnd(text, i, to), "`]` is expected");
  }
  return i + 1;
}

}  // namespace qm
