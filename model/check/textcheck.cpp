// SPDX-License-Identifier: GPL-3.0-or-later
// The pass over a sheet's text for at-rule names and for strings and comments left open,
// resumable at the places it notes on its way.
#include "model/check/textcheck.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <optional>
#include <string>

#include "model/asciicase.h"
#include "model/check/preludecheck.h"
#include "model/text/csslexis.h"
#include "model/textbytes.h"

namespace qm {
namespace {

using textbytes::IsNameChar;

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

// Resume places are noted about this far apart.
constexpr size_t kPointSpacing = 2048;

// The bytes the scan does something with; every other one only ends a statement's start.
constexpr std::array<bool, 256> kActive = [] {
  std::array<bool, 256> active{};
  for (int c = 0; c <= ' '; ++c) {
    active[static_cast<size_t>(c)] = true;
  }
  for (const char c : std::string_view("/\"'\\@uU{};")) {
    active[static_cast<unsigned char>(c)] = true;
  }
  return active;
}();

// The name without a vendor prefix such as "-webkit-"; empty when it has none.
std::string_view WithoutVendorPrefix(std::string_view name) {
  if (name.size() < 3 || name[0] != '-' || name[1] == '-') {
    return {};
  }
  const size_t dash = name.find('-', 1);
  return dash == std::string_view::npos ? std::string_view() : name.substr(dash + 1);
}

int32_t At(size_t index) {
  return static_cast<int32_t>(index);
}

// Whether the at-rule's prelude is read for faults.
bool HasCheckedPrelude(std::string_view name) {
  return name.size() >= 5 && name.size() <= 9 &&
         (EqualIgnoringAsciiCase(name, "media") || EqualIgnoringAsciiCase(name, "container") ||
          EqualIgnoringAsciiCase(name, "import") || EqualIgnoringAsciiCase(name, "layer"));
}

// Where the at-rule prelude from from ends: at its "{", ";" or "}", at a string left open, or at
// the text's end.
size_t PreludeEnd(std::string_view text, size_t from) {
  size_t i = from;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '{' || c == ';' || c == '}') {
      return i;
    }
    if (c == '/' && i + 1 < text.size() && text[i + 1] == '*') {
      i = static_cast<size_t>(lexis::CommentEnd(text, At(i)).End);
    } else if (c == '"' || c == '\'') {
      const lexis::TRunEnd string = lexis::StringEnd(text, At(i));
      if (!string.Closed) {
        return i;
      }
      i = static_cast<size_t>(string.End);
    } else if (c == '\\') {
      i = static_cast<size_t>(lexis::EscapeEnd(text, At(i)));
    } else if (c == '(' && i >= 3 && lexis::UnquotedUrlBody(text, At(i)) >= 0) {
      i = static_cast<size_t>(lexis::UrlEnd(text, lexis::UnquotedUrlBody(text, At(i))).End);
    } else {
      ++i;
    }
  }
  return text.size();
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

// What the last scan found from where the new one resumes, in the old text's indexes.
struct TTextCheck::TOldScan {
  TTextChange Change;
  std::vector<int32_t> Points;
  std::vector<TProblemSpan> Found;
  std::optional<TProblemSpan> Comment;  // the comment it left open
  size_t Next = 0;                      // the first of Points not yet passed

  // Whether the new scan at index, a statement's start past the change, is where the old one was
  // at one of its points: from there on it finds the same.
  bool InStep(int32_t index) {
    if (index < Change.NewEnd) {
      return false;
    }
    const int32_t delta = Change.NewEnd - Change.OldEnd;
    while (Next < Points.size() && (Points[Next] < Change.OldEnd || Points[Next] + delta < index)) {
      ++Next;
    }
    return Next < Points.size() && Points[Next] + delta == index;
  }
};

void TTextCheck::Full(std::string_view text, const TValueChecker* checker) {
  Checker_ = checker;
  Found_.clear();
  OpenComment_.reset();
  Points_.clear();
  Scan(text, 0, nullptr);
}

void TTextCheck::Update(std::string_view text, const TTextChange& change,
                        const TValueChecker* checker) {
  Checker_ = checker;
  // The last point at or before the change: what the scan knew there came from the text in front
  // of it alone.
  const auto resume = std::upper_bound(Points_.begin(), Points_.end(), change.Start);
  const size_t from = resume == Points_.begin() ? 0 : static_cast<size_t>(*std::prev(resume));
  TOldScan old;
  old.Change = change;
  old.Points.assign(resume, Points_.end());
  Points_.erase(resume, Points_.end());
  const auto kept = std::lower_bound(
      Found_.begin(), Found_.end(), At(from),
      [](const TProblemSpan& found, int32_t index) { return found.Start < index; });
  old.Found.assign(std::make_move_iterator(kept), std::make_move_iterator(Found_.end()));
  Found_.erase(kept, Found_.end());
  old.Comment = std::move(OpenComment_);
  OpenComment_.reset();
  if (!Scan(text, from, &old)) {
    return;
  }
  // Back in step: the rest is what the last scan found, moved by the change's length.
  const int32_t delta = change.NewEnd - change.OldEnd;
  const int32_t stop = Points_.back() - delta;
  for (TProblemSpan& found : old.Found) {
    if (found.Start >= stop) {
      found.Start += delta;
      found.End += delta;
      Found_.push_back(std::move(found));
    }
  }
  for (size_t k = old.Next + 1; k < old.Points.size(); ++k) {
    Points_.push_back(old.Points[k] + delta);
  }
  if (old.Comment) {
    old.Comment->Start += delta;
    old.Comment->End += delta;
    OpenComment_ = std::move(old.Comment);
  }
}

bool TTextCheck::Scan(std::string_view text, size_t from, TOldScan* old) {
  size_t nextPoint = Points_.empty() ? 0 : static_cast<size_t>(Points_.back()) + kPointSpacing;
  bool statementStart = true;
  size_t i = from;
  while (i < text.size()) {
    const char c = text[i];
    if (!kActive[static_cast<unsigned char>(c)]) {
      statementStart = false;
      do {
        ++i;
      } while (i < text.size() && !kActive[static_cast<unsigned char>(text[i])]);
      continue;
    }
    if (c == '/' && i + 1 < text.size() && text[i + 1] == '*') {
      const lexis::TRunEnd comment = lexis::CommentEnd(text, At(i));
      if (!comment.Closed) {
        OpenComment_ =
            TProblemSpan{At(i), At(i + 2), TSeverity::Error,
                         "unclosed comment: `/*` has no `*/` before the end of the file"};
        return false;
      }
      i = static_cast<size_t>(comment.End);
      continue;
    }
    if (c == '"' || c == '\'') {
      // A string left open reads on to its newline, where the next statement may start.
      const lexis::TRunEnd string = lexis::StringEnd(text, At(i));
      if (!string.Closed) {
        Found_.push_back(
            {At(i), std::max(string.End, At(i + 1)), TSeverity::Error,
             std::string("unclosed string: the line ends before its closing `") + c + "`"});
      }
      i = static_cast<size_t>(string.End);
      statementStart = false;
      continue;
    }
    if (c == '\\') {
      i = static_cast<size_t>(lexis::EscapeEnd(text, At(i)));
      statementStart = false;
      continue;
    }
    if (IsBlankOrControl(c)) {
      ++i;
      continue;
    }
    if (c == '@' && statementStart) {
      size_t end = i + 1;
      while (end < text.size() && IsNameChar(text[end])) {
        ++end;
      }
      const std::string_view name = text.substr(i + 1, end - i - 1);
      if (!IsKnownAtRule(name)) {
        // A browser maker's own at-rule is its business: at most a warning.
        const bool vendor = !WithoutVendorPrefix(name).empty();
        Found_.push_back({At(i), At(end), vendor ? TSeverity::Warning : TSeverity::Error,
                          "`@" + std::string(name) + "` is not a known at-rule"});
      } else if (Checker_ != nullptr && HasCheckedPrelude(name)) {
        CheckAtRulePrelude(text, At(i), At(PreludeEnd(text, end)), *Checker_, Found_);
      }
      i = end;
      statementStart = false;
      continue;
    }
    // An unquoted url() may hold "@", quotes and "/*" of its own; one left open reads on to its
    // newline.
    if ((c == 'u' || c == 'U') && i + 3 < text.size() && text[i + 3] == '(') {
      if (const int32_t body = lexis::UnquotedUrlBody(text, At(i + 3)); body >= 0) {
        i = static_cast<size_t>(lexis::UrlEnd(text, body).End);
        statementStart = false;
        continue;
      }
    }
    statementStart = c == '{' || c == '}' || c == ';';
    ++i;
    if (statementStart) {
      const bool inStep = old != nullptr && old->InStep(At(i));
      if (inStep || i >= nextPoint) {
        Points_.push_back(At(i));
        nextPoint = i + kPointSpacing;
      }
      if (inStep) {
        return true;
      }
    }
  }
  return false;
}

}  // namespace qm
