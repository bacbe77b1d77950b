// SPDX-License-Identifier: GPL-3.0-or-later
// The pass over a sheet's text for at-rule names and for blocks, strings and comments left open,
// resumable at the places it notes on its way.
#include "model/textcheck.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <optional>
#include <string>

#include "model/asciicase.h"
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

// Resume places are noted about this far apart, where few enough blocks are open.
constexpr size_t kPointSpacing = 2048;
constexpr size_t kPointDepth = 16;

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

int32_t At(size_t index) {
  return static_cast<int32_t>(index);
}

TProblemSpan OpenBlock(int32_t brace) {
  return {brace, brace + 1, TSeverity::Error,
          "unclosed block: `{` has no `}` before the end of the file"};
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
  std::vector<TPoint> Points;
  std::vector<TProblemSpan> Found;
  std::optional<TProblemSpan> Comment;  // the comment it left open
  std::vector<int32_t> FinalOpen;       // the blocks it left open
  std::vector<int32_t> Strays;          // the "}" it met with no block open
  size_t Next = 0;                      // the first of Points not yet passed
  std::vector<int32_t> OpenInStep;      // the new scan's open blocks where it came back in step

  // Whether the new scan at index with open is where the old one was at one of its points, in a
  // state from which it finds the same. The braces open there matter only to the blocks left
  // open: when the old scan went on to close some of those open at the point, and met no "}"
  // with none open, the new scan closes as many of its own, whatever they are, and finds the
  // same after.
  bool InStep(int32_t index, const std::vector<int32_t>& open) {
    if (index < Change.NewEnd) {
      return false;
    }
    const int32_t delta = Change.NewEnd - Change.OldEnd;
    while (Next < Points.size() &&
           (Points[Next].Index < Change.OldEnd || Points[Next].Index + delta < index)) {
      ++Next;
    }
    if (Next == Points.size() || Points[Next].Index + delta != index) {
      return false;
    }
    const std::vector<int32_t>& was = Points[Next].Open;
    bool same = was.size() == open.size();
    for (size_t k = 0; same && k < open.size(); ++k) {
      same = Mapped(was[k], Change) == open[k];
    }
    if (!same) {
      // A "}" the old scan met with none open would close one of the new scan's own. With a
      // block of the point's left open to the end, it met none.
      const size_t kept = OpenBefore(FinalOpen, Points[Next].Index);
      const bool stray = kept == 0 && !Strays.empty() && Strays.back() >= Points[Next].Index;
      if (stray || open.size() < was.size() - kept) {
        return false;
      }
    }
    OpenInStep = open;
    return true;
  }

  // The braces of an old stack after the point in step as the new scan has them then.
  std::vector<int32_t> Translated(const std::vector<int32_t>& stack) const {
    const int32_t delta = Change.NewEnd - Change.OldEnd;
    const size_t before = OpenBefore(stack, Points[Next].Index);
    const size_t closed = Points[Next].Open.size() - before;
    std::vector<int32_t> now(OpenInStep.begin(),
                             OpenInStep.end() - static_cast<std::ptrdiff_t>(closed));
    for (size_t k = before; k < stack.size(); ++k) {
      now.push_back(stack[k] + delta);
    }
    return now;
  }

  // How many braces of a stack (in text order) were opened before index.
  static size_t OpenBefore(const std::vector<int32_t>& stack, int32_t index) {
    return static_cast<size_t>(std::lower_bound(stack.begin(), stack.end(), index) - stack.begin());
  }
};

void TTextCheck::Full(std::string_view text) {
  Found_.clear();
  AtEnd_.clear();
  Points_.clear();
  Strays_.clear();
  Scan(text, 0, {}, nullptr);
}

void TTextCheck::Update(std::string_view text, const TTextChange& change) {
  // The last point at or before the change: what the scan knew there came from the text in front
  // of it alone.
  const auto resume =
      std::upper_bound(Points_.begin(), Points_.end(), change.Start,
                       [](int32_t index, const TPoint& point) { return index < point.Index; });
  size_t from = 0;
  std::vector<int32_t> open;
  if (resume != Points_.begin()) {
    from = static_cast<size_t>(std::prev(resume)->Index);
    open = std::prev(resume)->Open;
  }
  TOldScan old;
  old.Change = change;
  old.Points.assign(std::make_move_iterator(resume), std::make_move_iterator(Points_.end()));
  Points_.erase(resume, Points_.end());
  const auto kept = std::lower_bound(
      Found_.begin(), Found_.end(), At(from),
      [](const TProblemSpan& found, int32_t index) { return found.Start < index; });
  old.Found.assign(std::make_move_iterator(kept), std::make_move_iterator(Found_.end()));
  Found_.erase(kept, Found_.end());
  const auto keptStrays = std::lower_bound(Strays_.begin(), Strays_.end(), At(from));
  old.Strays.assign(keptStrays, Strays_.end());
  Strays_.erase(keptStrays, Strays_.end());
  for (size_t k = 0; k < AtEnd_.size(); ++k) {
    if (k == 0 && EndsInComment_) {
      old.Comment = std::move(AtEnd_[k]);
    } else {
      old.FinalOpen.push_back(AtEnd_[k].Start);
    }
  }
  AtEnd_.clear();
  if (!Scan(text, from, std::move(open), &old)) {
    return;
  }
  // Back in step: the rest is what the last scan found, moved by the change's length.
  const int32_t delta = change.NewEnd - change.OldEnd;
  const int32_t stop = Points_.back().Index - delta;
  for (TProblemSpan& found : old.Found) {
    if (found.Start >= stop) {
      found.Start += delta;
      found.End += delta;
      Found_.push_back(std::move(found));
    }
  }
  for (const int32_t stray : old.Strays) {
    if (stray >= stop) {
      Strays_.push_back(stray + delta);
    }
  }
  for (size_t k = old.Next + 1; k < old.Points.size(); ++k) {
    Points_.push_back({old.Points[k].Index + delta, old.Translated(old.Points[k].Open)});
  }
  if (old.Comment) {
    old.Comment->Start += delta;
    old.Comment->End += delta;
    AtEnd_.push_back(std::move(*old.Comment));
    EndsInComment_ = true;
  }
  for (const int32_t brace : old.Translated(old.FinalOpen)) {
    AtEnd_.push_back(OpenBlock(brace));
  }
}

bool TTextCheck::Scan(std::string_view text, size_t from, std::vector<int32_t> open,
                      TOldScan* old) {
  size_t nextPoint =
      Points_.empty() ? 0 : static_cast<size_t>(Points_.back().Index) + kPointSpacing;
  EndsInComment_ = false;
  const auto reportOpen = [&] {
    for (const int32_t brace : open) {
      AtEnd_.push_back(OpenBlock(brace));
    }
  };
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
      const size_t end = text.find("*/", i + 2);
      if (end == std::string_view::npos) {
        AtEnd_.push_back({At(i), At(i + 2), TSeverity::Error,
                          "unclosed comment: `/*` has no `*/` before the end of the file"});
        EndsInComment_ = true;
        reportOpen();
        return false;
      }
      i = end + 2;
      continue;
    }
    if (c == '"' || c == '\'') {
      bool unclosed = false;
      const size_t end = StringEnd(text, i, unclosed);
      if (unclosed) {
        Found_.push_back(
            {At(i), At(std::max(end, i + 1)), TSeverity::Error,
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
      while (end < text.size() && IsNameChar(text[end])) {
        ++end;
      }
      const std::string_view name = text.substr(i + 1, end - i - 1);
      if (!IsKnownAtRule(name)) {
        // A browser maker's own at-rule is its business: at most a warning.
        const bool vendor = !WithoutVendorPrefix(name).empty();
        Found_.push_back({At(i), At(end), vendor ? TSeverity::Warning : TSeverity::Error,
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
      open.push_back(At(i));
    } else if (c == '}') {
      if (open.empty()) {
        Strays_.push_back(At(i));
      } else {
        open.pop_back();
      }
    }
    statementStart = c == '{' || c == '}' || c == ';';
    ++i;
    if (statementStart) {
      const bool inStep = old != nullptr && old->InStep(At(i), open);
      if (inStep || (i >= nextPoint && open.size() <= kPointDepth)) {
        Points_.push_back({At(i), open});
        nextPoint = i + kPointSpacing;
      }
      if (inStep) {
        return true;
      }
    }
  }
  reportOpen();
  return false;
}

}  // namespace qm
