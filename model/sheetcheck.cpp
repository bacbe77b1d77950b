// SPDX-License-Identifier: GPL-3.0-or-later
// The problems of a whole style sheet: its declarations checked block by block, and one pass over
// the text for at-rule names and for strings and comments that are never closed.
#include "model/sheetcheck.h"

#include <algorithm>
#include <iterator>

#include "model/asciicase.h"
#include "model/declarations.h"

namespace qm {
namespace {

// The at-rules of current CSS and those browsers still read, and the rules inside them
// (@font-feature-values' feature blocks, @page's margin boxes).
constexpr std::string_view kAtRules[] = {
    "annotation",
    "bottom-center",
    "bottom-left",
    "bottom-left-corner",
    "bottom-right",
    "bottom-right-corner",
    "character-variant",
    "charset",
    "color-profile",
    "container",
    "counter-style",
    "custom-media",
    "document",
    "font-face",
    "font-feature-values",
    "font-palette-values",
    "historical-forms",
    "import",
    "keyframes",
    "layer",
    "left-bottom",
    "left-middle",
    "left-top",
    "media",
    "namespace",
    "ornaments",
    "page",
    "position-try",
    "property",
    "right-bottom",
    "right-middle",
    "right-top",
    "scope",
    "starting-style",
    "styleset",
    "stylistic",
    "supports",
    "swash",
    "top-center",
    "top-left",
    "top-left-corner",
    "top-right",
    "top-right-corner",
    "view-transition",
    "viewport",
    "function",
    "font-variant",
    "apply",
};

// Real sheets nest a few levels deep; beyond this many the declarations are not read.
constexpr size_t kMaxCheckedDepth = 32;

struct TFound {
  int32_t Index = 0;
  TSeverity Severity = TSeverity::Error;
  std::string Message;
};

bool IsNameByte(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '_' || static_cast<unsigned char>(c) >= 0x80;
}

// The name without a vendor prefix such as "-webkit-"; empty when it has none.
std::string_view WithoutVendorPrefix(std::string_view name) {
  if (name.size() < 3 || name[0] != '-' || name[1] == '-') {
    return {};
  }
  const size_t dash = name.find('-', 1);
  return dash == std::string_view::npos ? std::string_view() : name.substr(dash + 1);
}

// Where a string that starts with its quote at start ends: just past its closing quote, or at
// the line break or text end that leaves it open (then open is set).
size_t StringEnd(std::string_view text, size_t start, bool& open) {
  const char quote = text[start];
  size_t i = start + 1;
  while (i < text.size()) {
    const char c = text[i];
    if (c == quote) {
      open = false;
      return i + 1;
    }
    if (c == '\r' || c == '\n') {
      break;
    }
    if (c == '\\' && i + 1 < text.size()) {
      // An escaped line break continues the string on the next line.
      i += text.compare(i + 1, 2, "\r\n") == 0 ? 3 : 2;
      continue;
    }
    ++i;
  }
  open = true;
  return i;
}

// At-rule names, and blocks, strings and comments left open, in one pass over the CSS tokens
// (a brace in a string, comment or url() opens nothing). An at-rule only starts where a
// rule or declaration could: at the text's start or after "{", "}" or ";" and blanks or comments.
void ScanText(std::string_view text, std::vector<TFound>& found) {
  std::vector<int32_t> open;  // the "{" not yet closed, innermost last
  const auto reportOpen = [&] {
    for (const int32_t brace : open) {
      found.push_back(
          {brace, TSeverity::Error, "unclosed block: `{` has no `}` before the end of the file"});
    }
  };
  bool statementStart = true;
  size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '/' && i + 1 < text.size() && text[i + 1] == '*') {
      const size_t end = text.find("*/", i + 2);
      if (end == std::string_view::npos) {
        found.push_back({static_cast<int32_t>(i), TSeverity::Error,
                         "unclosed comment: `/*` has no `*/` before the end of the file"});
        reportOpen();
        return;
      }
      i = end + 2;
      continue;
    }
    if (c == '"' || c == '\'') {
      bool open = false;
      const size_t end = StringEnd(text, i, open);
      if (open) {
        found.push_back(
            {static_cast<int32_t>(i), TSeverity::Error,
             std::string("unclosed string: the line ends before its closing `") + c + "`"});
      }
      i = end;
      statementStart = false;
      continue;
    }
    if (c == '\\') {
      i += 2;
      statementStart = false;
      continue;
    }
    if (IsBlankOrControl(c)) {
      ++i;
      continue;
    }
    if (c == '@' && statementStart) {
      size_t end = i + 1;
      while (end < text.size() && IsNameByte(text[end])) {
        ++end;
      }
      const std::string_view name = text.substr(i + 1, end - i - 1);
      if (!IsKnownAtRule(name)) {
        // A browser maker's own at-rule is its business: at most a warning.
        const bool vendor = !WithoutVendorPrefix(name).empty();
        found.push_back({static_cast<int32_t>(i), vendor ? TSeverity::Warning : TSeverity::Error,
                         "`@" + std::string(name) + "` is not a known at-rule"});
      }
      i = end;
      statementStart = false;
      continue;
    }
    // An unquoted url() may hold "@", quotes and "/*" of its own.
    if ((c == 'u' || c == 'U') && EqualIgnoringAsciiCase(text.substr(i, 4), "url(")) {
      size_t j = i + 4;
      while (j < text.size() && (text[j] == ' ' || text[j] == '\t')) {
        ++j;
      }
      if (j < text.size() && text[j] != '"' && text[j] != '\'') {
        while (j < text.size() && text[j] != ')' && text[j] != '\r' && text[j] != '\n') {
          j += text[j] == '\\' ? 2 : 1;
        }
        i = std::min(j, text.size());
        statementStart = false;
        continue;
      }
    }
    if (c == '{') {
      open.push_back(static_cast<int32_t>(i));
    } else if (c == '}' && !open.empty()) {
      open.pop_back();
    }
    statementStart = c == '{' || c == '}' || c == ';';
    ++i;
  }
  reportOpen();
}

std::string_view Slice(std::string_view text, int32_t from, int32_t to) {
  return text.substr(static_cast<size_t>(from), static_cast<size_t>(to - from));
}

void CheckDeclarations(const TDocument& document, const TModList& blocks,
                       const TValueChecker& checker, std::vector<TFound>& found) {
  const std::string_view text = document.Text();
  // The ends of the blocks around the current one, innermost last; a block never closed runs to
  // the text's end.
  std::vector<int32_t> around;
  bool tooDeep = false;
  for (int32_t block = 0; block < blocks.Count(); ++block) {
    const TItmRecord& record = blocks.Items(block);
    while (!around.empty() && around.back() < record.StartPos) {
      around.pop_back();
    }
    const size_t depth = around.size();
    around.push_back(record.EndPos < 0 ? static_cast<int32_t>(text.size()) : record.EndPos);
    // Each block's declarations are read over all of its braces, nested blocks included: a depth
    // limit keeps the whole check linear in the text.
    if (depth >= kMaxCheckedDepth) {
      if (!tooDeep) {
        found.push_back({record.StartPos, TSeverity::Warning,
                         "blocks nested deeper than " + std::to_string(kMaxCheckedDepth) +
                             " levels: the declarations inside them are not checked"});
      }
      tooDeep = true;
      continue;
    }
    const TBlockKind kind = BlockKind(document, blocks, block);
    if (!HoldsDeclarations(kind)) {
      continue;
    }
    // An at-rule's descriptors are its own: "@font-face" tells which.
    std::string_view atRule;
    if (kind == TBlockKind::DeclarationAtRule) {
      atRule = record.Name;
      atRule = atRule.substr(0, atRule.find_first_of(" \t\r\n/("));
    }
    for (const TDeclarationItem& item : ParseDeclarations(document, blocks, block)) {
      const std::string_view name = Slice(text, item.NameStart, item.NameEnd);
      const TValueCheck check =
          checker.Check(name, Slice(text, item.ValueStart, item.PriorityEnd), atRule);
      if (check.Verdict != TValueVerdict::Error && check.Verdict != TValueVerdict::Warning) {
        continue;
      }
      // A value that does not fit is shown at the value; an unknown name at the name.
      const bool atValue =
          item.ValueEnd > item.ValueStart && (checker.Knows(name) || !atRule.empty());
      found.push_back(
          {atValue ? item.ValueStart : item.NameStart,
           check.Verdict == TValueVerdict::Error ? TSeverity::Error : TSeverity::Warning,
           check.Message});
    }
  }
}

}  // namespace

bool IsKnownAtRule(std::string_view name) {
  const std::string lower = AsciiLowerCase(name);
  const std::string_view plain = WithoutVendorPrefix(lower);
  const std::string_view bare = plain.empty() ? std::string_view(lower) : plain;
  return std::find(std::begin(kAtRules), std::end(kAtRules), bare) != std::end(kAtRules);
}

std::span<const std::string_view> KnownAtRules() {
  return kAtRules;
}

std::vector<TProblem> CheckSheet(const TDocument& document, const TModList& blocks,
                                 const TValueChecker& checker) {
  RequireCurrent(document, blocks);
  std::vector<TFound> found;
  ScanText(document.Text(), found);
  CheckDeclarations(document, blocks, checker, found);
  std::stable_sort(found.begin(), found.end(),
                   [](const TFound& a, const TFound& b) { return a.Index < b.Index; });
  std::vector<TProblem> problems;
  problems.reserve(found.size());
  for (TFound& one : found) {
    const TLineCol at = document.IndexToLineCol(one.Index);
    problems.push_back({at.Line, at.Col, one.Severity, std::move(one.Message)});
  }
  return problems;
}

std::string ProblemLine(const TProblem& problem) {
  return std::to_string(problem.Line) + ":" + std::to_string(problem.Column) + ": " +
         (problem.Severity == TSeverity::Error ? "error: " : "warning: ") + problem.Message;
}

}  // namespace qm
