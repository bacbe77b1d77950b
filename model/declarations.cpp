// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/declarations.h"

#include <algorithm>

#include "model/asciicase.h"
#include "model/textscan.h"

namespace qm {

namespace {

constexpr std::string_view kCrLf = "\r\n";

char At(std::string_view text, int32_t index) {
  return text[static_cast<size_t>(index)];
}

int32_t LineEnd(const TDocument& document, int32_t line) {
  return document.LineStart(line) + document.LineLength(line);
}

// The search window of a block, as FindInText takes it: from the character in front of the
// opening brace to the one in front of the closing brace; to the text's end for a block whose
// brace is never closed. The whole text for no block.
struct TSearchWindow {
  int32_t From = 0;
  int32_t Count = -1;
};

TSearchWindow WindowOf(const TDocument& document, const TModList& blocks, int32_t block) {
  if (block < 0) {
    return {};
  }
  const TItmRecord& item = blocks.Items(block);
  const auto end = item.EndPos >= 0 ? item.EndPos : static_cast<int32_t>(document.Text().size());
  return {item.StartPos, end - item.StartPos};
}

// The declaration whose name starts at nameStart: the value after its ":" up to its end. None
// when no ":" follows the name before that end, or a "{" ends it: then the name is a word of a
// selector inside the block (".color {") and no declaration.
std::optional<TDeclarationSpot> SpotAt(const TDocument& document, int32_t nameStart,
                                       std::string_view name) {
  const std::string_view text = document.Text();
  const int32_t lineEnd = LineEnd(document, document.IndexToLineCol(nameStart).Line);
  TDeclarationSpot spot;
  spot.NameStart = nameStart;
  spot.Terminator = '\0';
  spot.TerminatorPos = lineEnd;
  int32_t valueStart = nameStart + static_cast<int32_t>(name.size());
  bool colonSeen = false;
  char quote = '\0';
  int32_t depth = 0;
  for (int32_t i = valueStart; i < lineEnd; ++i) {
    const char c = At(text, i);
    if (quote != '\0') {
      if (c == '\\') {
        ++i;
      } else if (c == quote) {
        quote = '\0';
      }
    } else if (c == '/' && i + 1 < lineEnd && At(text, i + 1) == '*') {
      const size_t close = text.find("*/", static_cast<size_t>(i) + 2);
      if (close == std::string_view::npos || static_cast<int32_t>(close) + 2 > lineEnd) {
        // A comment that goes on past the line is no part of the declaration.
        spot.TerminatorPos = i;
        break;
      }
      i = static_cast<int32_t>(close) + 1;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '(') {
      ++depth;
    } else if (c == ')') {
      depth = std::max(depth - 1, 0);
    } else if (depth == 0 && (c == ';' || c == '}' || c == '{')) {
      spot.Terminator = c;
      spot.TerminatorPos = i;
      break;
    } else if (c == ':' && !colonSeen && depth == 0) {
      colonSeen = true;
      valueStart = i + 1;
    }
  }
  if (!colonSeen || spot.Terminator == '{') {
    return std::nullopt;
  }
  const std::string_view value = Trimmed(text.substr(
      static_cast<size_t>(valueStart), static_cast<size_t>(spot.TerminatorPos - valueStart)));
  spot.ValueStart = static_cast<int32_t>(value.data() - text.data());
  spot.ValueEnd = spot.ValueStart + static_cast<int32_t>(value.size());
  return spot;
}

// The last character before index (and after from) that is neither blank nor part of a comment;
// -1 when there is none.
int32_t LastSignificantBefore(std::string_view text, int32_t from, int32_t index) {
  int32_t i = index - 1;
  while (i > from) {
    const char c = At(text, i);
    if (IsBlankOrControl(c)) {
      --i;
    } else if (c == '/' && i > 0 && At(text, i - 1) == '*') {
      const size_t open = text.rfind("/*", static_cast<size_t>(i) - 1);
      if (open == std::string_view::npos || static_cast<int32_t>(open) <= from) {
        return i;
      }
      i = static_cast<int32_t>(open) - 1;
    } else {
      return i;
    }
  }
  return -1;
}

// Whether a declaration can start at index: after the "{" of its block, the ";" of the
// declaration before it or the "}" of a rule nested before it, with only blanks and comments in
// between. A word of a selector (".color", "a:not(.color)") or in a string never follows these.
bool StartsDeclaration(std::string_view text, int32_t index) {
  const int32_t before = LastSignificantBefore(text, -1, index);
  if (before < 0) {
    return false;
  }
  const char c = At(text, before);
  return c == '{' || c == ';' || c == '}';
}

std::optional<TDeclarationSpot> FindName(const TDocument& document, const TSearchWindow& window,
                                         std::string_view name) {
  const std::string_view text = document.Text();
  const auto windowEnd = window.Count < 0
                             ? static_cast<int64_t>(text.size())
                             : std::max<int64_t>(window.From - 1, 0) + int64_t{window.Count} + 1;
  int32_t from = window.From;
  while (true) {
    const int64_t count = window.Count < 0 ? -1 : windowEnd - std::max<int64_t>(from - 1, 0) - 1;
    if (window.Count >= 0 && count < 0) {
      return std::nullopt;
    }
    const int32_t p = FindOutsideComments(document, text, name, from, static_cast<int32_t>(count),
                                          {.WholeWord = true}, true, true);
    if (p < 0) {
      return std::nullopt;
    }
    if (StartsDeclaration(text, p)) {
      if (auto spot = SpotAt(document, p, name)) {
        return spot;
      }
    }
    // The next match may start right after this one; the window starts one in front of from.
    from = p + static_cast<int32_t>(name.size()) + 1;
  }
}

std::string Declaration(std::string_view name, std::string_view value) {
  std::string declaration(name);
  declaration.append(": ").append(value).push_back(';');
  return declaration;
}

// The line break that ends a line, or else the one before it; CR LF in a one-line text.
std::string BreakNear(const TDocument& document, int32_t line) {
  if (line >= document.LineCount()) {
    line = document.LineCount() - 1;
  }
  if (line < 1) {
    return std::string(kCrLf);
  }
  const int32_t end = LineEnd(document, line);
  return std::string(document.Text().substr(
      static_cast<size_t>(end), static_cast<size_t>(document.LineStart(line + 1) - end)));
}

// Replacing or removing the declaration at spot.
TTextEdit PlanChange(const TDocument& document, const TDeclarationSpot& spot, std::string_view name,
                     std::string_view value) {
  const std::string_view text = document.Text();
  const int32_t line = document.IndexToLineCol(spot.NameStart).Line;
  const int32_t lineStart = document.LineStart(line);
  const int32_t lineEnd = LineEnd(document, line);
  int32_t end = spot.TerminatorPos;
  if (spot.Terminator == ';') {
    // Through the ";"; a removal also takes the blank that parts it from what follows. Never
    // into a brace or the next declaration's name.
    end = spot.TerminatorPos + 1;
    if (value.empty() && end < lineEnd && (At(text, end) == ' ' || At(text, end) == '\t')) {
      ++end;
    }
  } else if (spot.Terminator != '\0') {
    // A brace ends the declaration: it stays, with the blank in front of it when replacing.
    end = value.empty() ? spot.TerminatorPos : spot.ValueEnd;
  }
  if (!value.empty()) {
    return {spot.NameStart, end, Declaration(name, value), 0};
  }
  const std::string_view before =
      text.substr(static_cast<size_t>(lineStart), static_cast<size_t>(spot.NameStart - lineStart));
  const std::string_view after =
      text.substr(static_cast<size_t>(end), static_cast<size_t>(lineEnd - end));
  if (!Trimmed(before).empty() || !Trimmed(after).empty()) {
    return {spot.NameStart, end, {}, 0};
  }
  // Nothing else on the line: the line goes, with the break in front of it, so that a caret on
  // it moves to the end of the line before (still in the block), not onto the closing brace.
  if (line > 1) {
    return {LineEnd(document, line - 1), lineEnd, {}, 0};
  }
  if (line < document.LineCount()) {
    return {lineStart, document.LineStart(line + 1), {}, 0};
  }
  return {lineStart, lineEnd, {}, 0};
}

// Adding a declaration in front of a block's closing brace at close (the text's end for a block
// that is never closed), inside the block that opens at open.
void PlanAddToBlock(const TDocument& document, int32_t open, int32_t close,
                    const std::string& declaration, int32_t indent, TEditBatch& batch) {
  const std::string_view text = document.Text();
  // A declaration in front that lacks its ";" would swallow the new one as part of its value.
  const int32_t last = LastSignificantBefore(text, open, close);
  if (last > open) {
    const char c = At(text, last);
    if (c != ';' && c != '{' && c != '}') {
      batch.Add({last + 1, last + 1, ";", 0});
    }
  }
  const std::string blanks(static_cast<size_t>(indent), ' ');
  if (close >= static_cast<int32_t>(text.size())) {
    batch.Add({close, close, BreakNear(document, document.LineCount()) + blanks + declaration, 0});
    return;
  }
  const int32_t braceLine = document.IndexToLineCol(close).Line;
  const int32_t lineStart = document.LineStart(braceLine);
  const bool braceStartsLine =
      Trimmed(text.substr(static_cast<size_t>(lineStart), static_cast<size_t>(close - lineStart)))
          .empty() &&
      lineStart > open;
  if (braceStartsLine) {
    batch.Add({lineStart, lineStart, blanks + declaration + BreakNear(document, braceLine - 1), 0});
    return;
  }
  // The brace shares its line with the selector or a declaration: the new one goes right in
  // front of it, parted by blanks.
  const bool blankBefore = close > 0 && (At(text, close - 1) == ' ' || At(text, close - 1) == '\t');
  batch.Add({close, close, (blankBefore ? "" : " ") + declaration + " ", 0});
}

}  // namespace

std::optional<TDeclarationSpot> FindDeclaration(const TDocument& document, const TModList& blocks,
                                                int32_t block, std::string_view name) {
  RequireCurrent(document, blocks);
  if (name.empty() || block >= blocks.Count()) {
    return std::nullopt;
  }
  return FindName(document, WindowOf(document, blocks, block), name);
}

std::string ReadDeclaration(const TDocument& document, const TModList& blocks, int32_t block,
                            std::string_view name) {
  const std::optional<TDeclarationSpot> spot = FindDeclaration(document, blocks, block, name);
  if (!spot) {
    return {};
  }
  return std::string(
      document.Text().substr(static_cast<size_t>(spot->ValueStart),
                             static_cast<size_t>(spot->ValueEnd - spot->ValueStart)));
}

TEditBatch PlanDeclarationWrite(const TDocument& document, const TModList& blocks, int32_t block,
                                std::string_view name, std::string_view value,
                                const TDeclarationPlace& place) {
  TEditBatch batch;
  if (name.empty()) {
    return batch;
  }
  if (const auto spot = FindDeclaration(document, blocks, block, name)) {
    // The same declaration written again is no change, and no step of Undo.
    const std::string declaration = Declaration(name, value);
    const bool same =
        spot->Terminator == ';' &&
        spot->TerminatorPos + 1 - spot->NameStart == static_cast<int32_t>(declaration.size()) &&
        document.Text().substr(static_cast<size_t>(spot->NameStart), declaration.size()) ==
            declaration;
    if (!same) {
      batch.Add(PlanChange(document, *spot, name, value));
    }
  } else if (!value.empty()) {
    const std::string declaration = Declaration(name, value);
    if (block >= 0) {
      const TItmRecord& item = blocks.Items(block);
      const int32_t close =
          item.EndPos >= 0 ? item.EndPos : static_cast<int32_t>(document.Text().size());
      PlanAddToBlock(document, item.StartPos, close, declaration, place.Indent, batch);
    } else {
      const int32_t line = document.IndexToLineCol(place.SelectionEnd).Line;
      const int32_t at = document.LineStart(std::min(line, document.LineCount()));
      batch.Add({at, at,
                 std::string(static_cast<size_t>(place.Indent), ' ') + declaration +
                     BreakNear(document, line),
                 0});
    }
  }
  batch.KeepCaret(place.Caret);
  return batch;
}

}  // namespace qm
