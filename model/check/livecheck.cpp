// SPDX-License-Identifier: GPL-3.0-or-later
// A document's problems, its rules checked one by one: after an edit a rule is checked again only
// when the edit touched its text or moved its braces, or its neighbours' that its kind depends on.
#include "model/check/livecheck.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <string>

#include "model/asciicase.h"
#include "model/check/preludecheck.h"
#include "model/sheet/declarations.h"
#include "model/text/csslexis.h"
#include "model/textbytes.h"
#include "model/values/valuetypes.h"

namespace qm {
namespace {

using textbytes::Slice;

// Real sheets nest a few levels deep; beyond this many the declarations are not read.
constexpr size_t kMaxCheckedDepth = 32;

// Statements of a rule's body in the text [from, to) that start with ":": a declaration whose
// property name is missing. Nested rules are passed over.
void NamelessDeclarations(std::string_view text, const TModList& blocks, int32_t from, int32_t to,
                          bool last, std::vector<TProblemSpan>& found) {
  int32_t depth = 0;
  bool statementStart = true;
  for (int32_t i = from; i < to;) {
    const char c = text[static_cast<size_t>(i)];
    if (c == '/' && i + 1 < to && text[static_cast<size_t>(i + 1)] == '*') {
      i = lexis::CommentEnd(text, i).End;
      continue;
    }
    if (IsBlankOrControl(c)) {
      ++i;
      continue;
    }
    if (c == '"' || c == '\'') {
      i = lexis::StringEnd(text, i).End;
      statementStart = false;
      continue;
    }
    // A nested rule is passed over whole, by the block list: a rule left open holds every rule
    // after it, which must not cost a scan of the rest of the text at each keystroke.
    if (c == '{' && depth == 0) {
      int32_t lo = 0;
      int32_t hi = blocks.Count();
      while (lo < hi) {
        const int32_t mid = lo + (hi - lo) / 2;
        (blocks.Items(mid).StartPos < i ? lo = mid + 1 : hi = mid);
      }
      if (lo < blocks.Count() && blocks.Items(lo).StartPos == i) {
        // Past the last declaration only nested rules follow, as a rule left open holds every
        // rule after it: reading their selectors would cost a scan of the rest of the text.
        if (last || blocks.Items(lo).EndPos < 0) {
          return;
        }
        i = blocks.Items(lo).EndPos + 1;
        statementStart = true;
        continue;
      }
    }
    if (c == ':' && statementStart && depth == 0) {
      found.push_back(
          {i, i + 1, TSeverity::Error, "a declaration without a property name before its `:`"});
    }
    depth += c == '{' ? 1 : (c == '}' && depth > 0 ? -1 : 0);
    statementStart = c == ';' || c == '{' || c == '}';
    ++i;
  }
}

// The pseudo-classes and pseudo-elements of the selector in front of a rule's "{", in the text
// [from, to): the selector starts after the last ";", "{" or "}" there; an at-rule's prelude is
// none.
void CheckSelector(std::string_view text, int32_t from, int32_t to, const TValueChecker& checker,
                   std::vector<TProblemSpan>& found) {
  int32_t start = from;
  for (int32_t i = from; i < to;) {
    const char c = text[static_cast<size_t>(i)];
    if (c == '/' && i + 1 < to && text[static_cast<size_t>(i + 1)] == '*') {
      i = lexis::CommentEnd(text, i).End;
    } else if (c == '"' || c == '\'') {
      i = lexis::StringEnd(text, i).End;
    } else {
      start = c == ';' || c == '{' || c == '}' ? i + 1 : start;
      ++i;
    }
  }
  bool first = true;
  // After a browser maker's own pseudo-element its pseudo-classes are its own too
  // (::-webkit-scrollbar-button:horizontal), up to the end of the compound selector.
  bool vendorElement = false;
  for (int32_t i = start; i < to;) {
    const char c = text[static_cast<size_t>(i)];
    if (c == '/' && i + 1 < to && text[static_cast<size_t>(i + 1)] == '*') {
      i = lexis::CommentEnd(text, i).End;
      continue;
    }
    if (IsBlankOrControl(c)) {
      vendorElement = false;
      ++i;
      continue;
    }
    if (first && c == '@') {
      return;
    }
    first = false;
    if (c == '"' || c == '\'') {
      i = lexis::StringEnd(text, i).End;
      continue;
    }
    if (c == '\\') {
      i = lexis::EscapeEnd(text, i);
      continue;
    }
    if (c == '[') {
      i = CheckAttributeSelector(text, i, to, found);
      continue;
    }
    vendorElement = vendorElement && c != ',' && c != '>' && c != '+' && c != '~';
    if (c != ':') {
      ++i;
      continue;
    }
    const bool element = i + 1 < to && text[static_cast<size_t>(i + 1)] == ':';
    const int32_t nameStart = i + (element ? 2 : 1);
    int32_t nameEnd = nameStart;
    while (nameEnd < to && textbytes::IsNameChar(text[static_cast<size_t>(nameEnd)])) {
      ++nameEnd;
    }
    const std::string_view name = Slice(text, nameStart, nameEnd);
    vendorElement = vendorElement || (element && IsVendorPrefixed(name));
    if (nameEnd > nameStart && !vendorElement) {
      TValueCheck check = checker.CheckPseudo(name, element);
      if (check.Verdict == TValueVerdict::Error) {
        found.push_back({nameStart,
                         nameEnd,
                         TSeverity::Error,
                         std::move(check.Message),
                         {},
                         std::move(check.Fix)});
      }
    }
    i = std::max(nameEnd, i + 1);
  }
}

// Declarations written outside every rule, in the text [from, to) in front of a rule's "{":
// "color: red;" there is no declaration but the start of a selector that swallows the next rule.
void CheckPrelude(std::string_view text, int32_t from, int32_t to,
                  std::vector<TProblemSpan>& found) {
  // A selector holds no ";" most of the time: then there is nothing to read.
  if (text.substr(static_cast<size_t>(from), static_cast<size_t>(to - from)).find(';') ==
      std::string_view::npos) {
    return;
  }
  int32_t start = -1;  // of the statement being read, at its first byte that is no blank
  bool colon = false;
  for (int32_t i = from; i < to;) {
    const char c = text[static_cast<size_t>(i)];
    if (c == '/' && i + 1 < to && text[static_cast<size_t>(i + 1)] == '*') {
      i = lexis::CommentEnd(text, i).End;
      continue;
    }
    if (IsBlankOrControl(c)) {
      ++i;
      continue;
    }
    if (start < 0) {
      start = i;
    }
    if (c == '"' || c == '\'') {
      i = lexis::StringEnd(text, i).End;
      continue;
    }
    colon = colon || c == ':';
    if (c == ';') {
      // An at-rule statement (@import ...;) ends at its ";" as it should.
      if (colon && text[static_cast<size_t>(start)] != '@') {
        found.push_back({start, i + 1, TSeverity::Error,
                         "a declaration outside every rule: it belongs inside a rule's `{ }`"});
      }
      start = -1;
      colon = false;
    }
    ++i;
  }
}

// The problems of one block's own declarations, each against its property or descriptor.
void CheckDeclarations(const TDocument& document, const TModList& blocks, int32_t block,
                       const TValueChecker& checker, std::vector<TProblemSpan>& found) {
  const TBlockKind kind = BlockKind(document, blocks, block);
  if (!HoldsDeclarations(kind)) {
    return;
  }
  const std::string_view text = document.Text();
  // An at-rule's descriptors are its own: "@font-face" tells which.
  std::string_view atRule;
  if (kind == TBlockKind::DeclarationAtRule) {
    atRule = blocks.Items(block).Name;
    atRule = atRule.substr(0, atRule.find_first_of(" \t\r\n/("));
  }
  // What lies between the declarations: nested rules, and text that is none.
  int32_t gap = blocks.Items(block).StartPos + 1;
  for (const TDeclarationItem& item : ParseDeclarations(document, blocks, block)) {
    NamelessDeclarations(text, blocks, gap, item.NameStart, false, found);
    gap = item.End;
    const std::string_view name = Slice(text, item.NameStart, item.NameEnd);
    TValueCheck check = checker.Check(name, Slice(text, item.ValueStart, item.PriorityEnd), atRule);
    if (check.Verdict != TValueVerdict::Error && check.Verdict != TValueVerdict::Warning) {
      continue;
    }
    // A value that does not fit is shown at the value; an unknown name at the name.
    const bool atValue = item.ValueEnd > item.ValueStart && !check.AtName;
    TProblemSpan problem{
        atValue ? item.ValueStart : item.NameStart,
        atValue ? item.PriorityEnd : std::max(item.NameEnd, item.NameStart + 1),
        check.Verdict == TValueVerdict::Error ? TSeverity::Error : TSeverity::Warning,
        std::move(check.Message),
        std::move(check.Detail),
        std::move(check.Fix)};
    // The first token that does not fit, where the value says which.
    if (atValue && check.FaultEnd > 0) {
      problem.Start = item.ValueStart + check.FaultStart;
      problem.End = item.ValueStart + check.FaultEnd;
    }
    found.push_back(std::move(problem));
  }
  const int32_t end = blocks.Items(block).EndPos;
  NamelessDeclarations(text, blocks, gap, end < 0 ? static_cast<int32_t>(text.size()) : end, true,
                       found);
}

TProblemSpan OpenBlock(int32_t brace) {
  return {brace, brace + 1, TSeverity::Error,
          "unclosed block: `{` has no `}` before the end of the file"};
}

void SortByStart(std::vector<TProblemSpan>& problems) {
  std::stable_sort(problems.begin(), problems.end(),
                   [](const TProblemSpan& a, const TProblemSpan& b) { return a.Start < b.Start; });
}

}  // namespace

void TLiveCheck::Full(const TDocument& document, const TModList& blocks,
                      const TValueChecker& checker) {
  RequireCurrent(document, blocks);
  Text_.Full(document.Text(), &checker);
  Blocks_.clear();
  CheckBlocks(document, blocks, checker, nullptr);
  Version_ = document.TextVersion();
  Checked_ = true;
  Assemble();
}

void TLiveCheck::Update(const TDocument& document, const TModList& blocks,
                        const TValueChecker& checker) {
  if (Describes(document)) {
    return;
  }
  const std::optional<TTextChange> change =
      Checked_ ? document.ChangedSince(Version_) : std::nullopt;
  if (!change) {
    Full(document, blocks, checker);
    return;
  }
  RequireCurrent(document, blocks);
  Text_.Update(document.Text(), *change, &checker);
  CheckBlocks(document, blocks, checker, &*change);
  Version_ = document.TextVersion();
  Assemble();
}

void TLiveCheck::Clear() {
  *this = TLiveCheck();
}

void TLiveCheck::CheckBlocks(const TDocument& document, const TModList& blocks,
                             const TValueChecker& checker, const TTextChange* change) {
  const std::string_view text = document.Text();
  const auto textEnd = static_cast<int32_t>(text.size());
  const size_t count = static_cast<size_t>(blocks.Count());
  // An edit that adds or removes no block leaves each block at its index: its entry is brought
  // up to date where it is.
  const bool inPlace = change != nullptr && Blocks_.size() == count;
  std::vector<TBlockCheck> old;
  if (!inPlace) {
    old = std::move(Blocks_);
    Blocks_.clear();
    Blocks_.resize(count);
  }
  TooDeep_.clear();
  Unclosed_.clear();
  // A brace at the text's very start opens no block of the list, but may be left open as well.
  if (!text.empty() && text.front() == '{' && document.MatchingBrace(0) < 0) {
    Unclosed_.push_back(OpenBlock(0));
  }
  size_t next = 0;  // the first block of the last check not yet passed
  // The ends of the blocks around the current one, innermost last; a block never closed runs to
  // the text's end.
  std::vector<int32_t> around;
  for (int32_t block = 0; block < blocks.Count(); ++block) {
    const TItmRecord& record = blocks.Items(block);
    while (!around.empty() && around.back() < record.StartPos) {
      around.pop_back();
    }
    const bool deep = around.size() >= kMaxCheckedDepth;
    const int32_t end = record.EndPos < 0 ? textEnd : record.EndPos;
    around.push_back(end);
    if (record.EndPos < 0) {
      Unclosed_.push_back(OpenBlock(record.StartPos));
    }
    // The kind comes from the text after whatever ends last in front of the brace.
    int32_t from = 0;
    if (block > 0) {
      const TItmRecord& before = blocks.Items(block - 1);
      from = before.EndPos >= 0 && before.EndPos < record.StartPos ? before.EndPos + 1
                                                                   : before.StartPos + 1;
    }
    // Each block's declarations are read over all of its braces, nested blocks included: a depth
    // limit keeps the whole check linear in the text.
    if (deep && TooDeep_.empty()) {
      TooDeep_.push_back({record.StartPos, record.StartPos + 1, TSeverity::Warning,
                          "blocks nested deeper than " + std::to_string(kMaxCheckedDepth) +
                              " levels: the declarations inside them are not checked"});
    }
    // The last check of a block whose text the change did not touch, if there was one.
    TBlockCheck* before = nullptr;
    if (change != nullptr && (from > change->NewEnd || change->Start > end)) {
      if (inPlace) {
        before = &Blocks_[static_cast<size_t>(block)];
      } else {
        while (next < old.size()) {
          const std::optional<int32_t> start = Mapped(old[next].StartPos, *change);
          if (start && *start >= record.StartPos) {
            break;
          }
          ++next;
        }
        before = next < old.size() ? &old[next] : nullptr;
      }
    }
    bool kept = false;
    int32_t delta = 0;
    if (before != nullptr) {
      const std::optional<int32_t> oldEnd =
          before->EndPos < 0 ? std::optional<int32_t>(-1) : Mapped(before->EndPos, *change);
      kept = Mapped(before->StartPos, *change) == record.StartPos && oldEnd == record.EndPos &&
             Mapped(before->From, *change) == from && before->Deep == deep;
      delta = before->StartPos >= change->OldEnd ? change->NewEnd - change->OldEnd : 0;
    }
    TBlockCheck& check = Blocks_[static_cast<size_t>(block)];
    const bool top = around.size() == 1;
    if (kept) {
      const bool wasTop = before->Top;
      if (before != &check) {
        check.Problems = std::move(before->Problems);
        check.Outside = std::move(before->Outside);
      }
      for (std::vector<TProblemSpan>* kind : {&check.Problems, &check.Outside}) {
        for (TProblemSpan& problem : *kind) {
          problem.Start += delta;
          problem.End += delta;
        }
      }
      // A brace typed or rubbed out in front may put a kept rule inside another or take it
      // out: only what stands outside every rule is told again then.
      if (wasTop != top) {
        check.Outside.clear();
        if (top) {
          CheckPrelude(text, from, record.StartPos, check.Outside);
        }
      }
    } else {
      check.Problems.clear();
      check.Outside.clear();
      if (top) {
        CheckPrelude(text, from, record.StartPos, check.Outside);
      }
      CheckSelector(text, from, record.StartPos, checker, check.Problems);
      if (!deep) {
        CheckDeclarations(document, blocks, block, checker, check.Problems);
      }
    }
    check.StartPos = record.StartPos;
    check.EndPos = record.EndPos;
    check.From = from;
    check.Deep = deep;
    check.Top = top;
  }
}

void TLiveCheck::Assemble() {
  std::vector<TProblemSpan> text = Text_.Found();
  if (Text_.OpenComment()) {
    text.push_back(*Text_.OpenComment());
  }
  text.insert(text.end(), Unclosed_.begin(), Unclosed_.end());
  SortByStart(text);
  std::vector<TProblemSpan> declarations = TooDeep_;
  for (const TBlockCheck& block : Blocks_) {
    declarations.insert(declarations.end(), block.Outside.begin(), block.Outside.end());
    declarations.insert(declarations.end(), block.Problems.begin(), block.Problems.end());
  }
  SortByStart(declarations);
  Problems_.clear();
  Problems_.reserve(text.size() + declarations.size());
  // On equal places the text's problems come first.
  std::merge(std::make_move_iterator(text.begin()), std::make_move_iterator(text.end()),
             std::make_move_iterator(declarations.begin()),
             std::make_move_iterator(declarations.end()), std::back_inserter(Problems_),
             [](const TProblemSpan& a, const TProblemSpan& b) { return a.Start < b.Start; });
}

const TProblemSpan* TLiveCheck::ProblemAt(int32_t index) const {
  auto it =
      std::upper_bound(Problems_.begin(), Problems_.end(), index,
                       [](int32_t at, const TProblemSpan& problem) { return at < problem.Start; });
  // Spans are short: one holding index starts shortly before it.
  for (int steps = 0; it != Problems_.begin() && steps < 64; ++steps) {
    --it;
    if (index < it->End) {
      return &*it;
    }
  }
  return nullptr;
}

}  // namespace qm
