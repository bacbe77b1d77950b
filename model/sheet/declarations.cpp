// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/sheet/declarations.h"

#include <algorithm>

#include "model/asciicase.h"
#include "model/text/csslexis.h"
#include "model/textbytes.h"

namespace qm {

namespace {

using textbytes::At;
using textbytes::Slice;

bool Contains(const TItmRecord& item, int32_t caret) {
  return item.EndPos >= 0 && item.StartPos < caret && caret <= item.EndPos;
}

// The block that holds block, else -1.
int32_t ParentOf(const TModList& blocks, int32_t block) {
  const int32_t start = blocks.Items(block).StartPos;
  for (int32_t j = block - 1; j >= 0; --j) {
    const TItmRecord& item = blocks.Items(j);
    if (item.EndPos < 0 || item.EndPos > start) {
      return j;
    }
  }
  return -1;
}

TBlockKind KindOf(std::string_view text, const TModList& blocks, int32_t block) {
  // The prelude starts after whatever ends last in front of the brace: the block before this
  // one, or the brace of the block that holds it.
  const int32_t start = blocks.Items(block).StartPos;
  int32_t from = 0;
  if (block > 0) {
    const TItmRecord& before = blocks.Items(block - 1);
    from = before.EndPos >= 0 && before.EndPos < start ? before.EndPos + 1 : before.StartPos + 1;
  }
  return KindOfPrelude(text, from, start);
}

// Whether block holds declarations: a style rule or a declaration at-rule, or a group rule
// nested in a style rule (CSS nesting: "a { @media print { color: red } }").
bool HoldsDeclarationsHere(std::string_view text, const TModList& blocks, int32_t block) {
  for (int32_t b = block; b >= 0; b = ParentOf(blocks, b)) {
    const TBlockKind kind = KindOf(text, blocks, b);
    if (kind != TBlockKind::GroupRule) {
      return b != block ? kind == TBlockKind::StyleRule : HoldsDeclarations(kind);
    }
  }
  return false;
}

bool IsDeclarationBlock(const TDocument& document, const TModList& blocks, int32_t block) {
  return block >= 0 && block < blocks.Count() && blocks.Items(block).EndPos >= 0 &&
         HoldsDeclarationsHere(document.Text(), blocks, block);
}

TRuleBody BodyOf(const TDocument& document, const TModList& blocks, int32_t block) {
  const TItmRecord& item = blocks.Items(block);
  return ParseRuleBody(document.Text(), item.StartPos, item.EndPos);
}

bool OnlyBlanks(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; });
}

bool NameIs(std::string_view written, std::string_view name) {
  if (name.size() > 1 && name[0] == '-' && name[1] == '-') {
    return written == name;  // custom properties are case-sensitive
  }
  return EqualIgnoringAsciiCase(written, name);
}

// The last declaration of name: the one that applies.
std::optional<TDeclarationItem> Named(const TDocument& document,
                                      const std::vector<TDeclarationItem>& items,
                                      std::string_view name) {
  const std::string_view text = document.Text();
  for (auto it = items.rbegin(); it != items.rend(); ++it) {
    if (NameIs(Slice(text, it->NameStart, it->NameEnd), name)) {
      return *it;
    }
  }
  return std::nullopt;
}

int32_t LineEndAt(const TDocument& document, int32_t index) {
  const int32_t line = document.IndexToLineCol(index).Line;
  return document.LineStart(line) + document.LineLength(line);
}

// The line break that ends a line, or else the one before it; CR LF in a one-line text.
std::string BreakNear(const TDocument& document, int32_t line) {
  line = std::min(line, document.LineCount() - 1);
  if (line < 1) {
    return "\r\n";
  }
  const int32_t end = document.LineStart(line) + document.LineLength(line);
  return std::string(Slice(document.Text(), end, document.LineStart(line + 1)));
}

// Replacing the declaration's name and value; the ";" is added when it lacks one. What stands
// between name and colon stays when it holds a comment.
void PlanReplace(const TDocument& document, const TDeclarationItem& item, std::string_view name,
                 std::string_view value, TEditBatch& batch) {
  const std::string_view text = document.Text();
  const std::string_view between = Slice(text, item.NameEnd, item.ValueStart);
  std::string written(name);
  if (between.find("/*") != std::string_view::npos) {
    written.append(between);
  } else {
    written.append(": ");
  }
  written.append(value);
  // Blanks in front of the ";" go with the old value; a comment there stays.
  int32_t end = item.PriorityEnd;
  if (!item.HasSemicolon) {
    written.push_back(';');
  } else if (OnlyBlanks(Slice(text, item.PriorityEnd, item.End - 1))) {
    written.push_back(';');
    end = item.End;
  }
  if (Slice(text, item.NameStart, end) != written) {
    batch.Add({item.NameStart, end, std::move(written), 0});
  }
}

// Removing the declaration with the blanks after it; with its lines when nothing else is on them.
void PlanRemove(const TDocument& document, const TDeclarationItem& item, TEditBatch& batch) {
  const std::string_view text = document.Text();
  const int32_t firstLine = document.IndexToLineCol(item.NameStart).Line;
  const int32_t lineStart = document.LineStart(firstLine);
  const int32_t lineEnd = LineEndAt(document, item.End);
  int32_t end = item.End;
  while (end < lineEnd && (At(text, end) == ' ' || At(text, end) == '\t')) {
    ++end;
  }
  if (end == lineEnd && OnlyBlanks(Slice(text, lineStart, item.NameStart)) && firstLine > 1) {
    // The break in front goes with the lines, so a caret on them ends up on the line before,
    // still inside the rule.
    const int32_t before = document.LineStart(firstLine - 1) + document.LineLength(firstLine - 1);
    batch.Add({before, lineEnd, {}, 0});
    return;
  }
  batch.Add({item.NameStart, end, {}, 0});
}

// Adding the declaration after the rule's last one: in front of the nested rules that follow
// it, or of the rule's "}".
void PlanAdd(const TDocument& document, const TItmRecord& block, const TRuleBody& body,
             const std::string& declaration, int32_t defaultIndent, TEditBatch& batch) {
  const std::string_view text = document.Text();
  const int32_t after = body.Declarations.empty() ? block.StartPos : body.Declarations.back().End;
  int32_t at = block.EndPos;
  int32_t lastEnd = body.LastEnd;
  bool needsSemicolon = body.NeedsSemicolon;
  for (const TNestedItem& nested : body.Nested) {
    if (nested.Start >= after) {
      at = nested.Start;
      lastEnd = nested.PrevEnd;
      needsSemicolon = nested.PrevNeedsSemicolon;
      break;
    }
  }
  if (needsSemicolon) {
    // A declaration in front that lacks its ";" would take the new one into its value.
    // After a backslash a line break comes first, or the ";" would be escaped.
    const bool escaped = At(text, lastEnd - 1) == '\\';
    const int32_t line = document.IndexToLineCol(lastEnd).Line;
    batch.Add({lastEnd, lastEnd, (escaped ? BreakNear(document, line) : std::string()) + ";", 0});
  }
  std::string indent(static_cast<size_t>(defaultIndent), ' ');
  for (auto it = body.Declarations.rbegin(); it != body.Declarations.rend(); ++it) {
    const int32_t start = document.LineStart(document.IndexToLineCol(it->NameStart).Line);
    if (start > block.StartPos && OnlyBlanks(Slice(text, start, it->NameStart))) {
      indent = Slice(text, start, it->NameStart);
      break;
    }
  }
  const int32_t line = document.IndexToLineCol(at).Line;
  const int32_t lineStart = document.LineStart(line);
  if (lineStart > block.StartPos && OnlyBlanks(Slice(text, lineStart, at))) {
    batch.Add({lineStart, lineStart, indent + declaration + BreakNear(document, line - 1), 0});
    return;
  }
  const bool blankBefore = At(text, at - 1) == ' ' || At(text, at - 1) == '\t';
  batch.Add({at, at, (blankBefore ? "" : " ") + declaration + " ", 0});
}

}  // namespace

int32_t RuleBlockAt(const TDocument& document, const TModList& blocks, int32_t caret) {
  RequireCurrent(document, blocks);
  const std::string_view text = document.Text();
  if (caret <= 0 || caret > static_cast<int32_t>(text.size())) {
    return -1;
  }
  // The innermost block with StartPos < caret <= EndPos: the caret right in front of a "}" is
  // still inside its rule.
  int32_t block = -1;
  const auto consider = [&](int32_t candidate) {
    if (candidate >= 0 && Contains(blocks.Items(candidate), caret) &&
        (block < 0 || blocks.Items(candidate).StartPos > blocks.Items(block).StartPos)) {
      block = candidate;
    }
  };
  consider(blocks.InnermostBlockAt(caret));
  consider(blocks.InnermostBlockAt(caret - 1));
  if (At(text, caret - 1) == '{') {
    const auto& all = blocks.All();
    const auto it = std::lower_bound(
        all.begin(), all.end(), caret - 1,
        [](const TItmRecord& item, int32_t start) { return item.StartPos < start; });
    if (it != all.end() && it->StartPos == caret - 1) {
      consider(static_cast<int32_t>(it - all.begin()));
    }
  }
  // Braces in a custom property's value belong to the declaration of the rule around them.
  while (block >= 0 && KindOf(text, blocks, block) == TBlockKind::Value) {
    block = ParentOf(blocks, block);
  }
  if (!IsDeclarationBlock(document, blocks, block)) {
    return -1;
  }
  for (const TNestedItem& nested : BodyOf(document, blocks, block).Nested) {
    if (nested.Open >= 0 && nested.Start < caret && caret <= nested.Open) {
      return -1;  // in the selector of a nested rule or the prelude of a nested at-rule
    }
  }
  return block;
}

int32_t RuleOfSelection(const TDocument& document, const TModList& blocks, int32_t anchor,
                        int32_t caret) {
  const int32_t rule = RuleBlockAt(document, blocks, caret);
  if (rule < 0 || anchor == caret) {
    return rule;
  }
  const TItmRecord& own = blocks.Items(rule);
  const int32_t start = std::min(anchor, caret);
  const int32_t end = std::max(anchor, caret);
  const auto selected = [&](int32_t brace) { return brace >= start && brace < end; };
  for (const TItmRecord& item : blocks.All()) {
    if (item.StartPos >= end) {
      break;
    }
    // A rule's own braces and those of the rules nested in it are that rule's text.
    const bool ownText =
        item.StartPos >= own.StartPos && item.EndPos >= 0 && item.EndPos <= own.EndPos;
    if (!ownText && (selected(item.StartPos) || selected(item.EndPos))) {
      return kSelectionSpansRules;
    }
  }
  return rule;
}

TBlockKind BlockKind(const TDocument& document, const TModList& blocks, int32_t block) {
  RequireCurrent(document, blocks);
  return KindOf(document.Text(), blocks, block);
}

std::vector<TDeclarationItem> ParseDeclarations(const TDocument& document, const TModList& blocks,
                                                int32_t block) {
  RequireCurrent(document, blocks);
  if (!IsDeclarationBlock(document, blocks, block)) {
    return {};
  }
  return BodyOf(document, blocks, block).Declarations;
}

std::optional<TDeclarationSpot> FindDeclaration(const TDocument& document, const TModList& blocks,
                                                int32_t block, std::string_view name) {
  if (name.empty()) {
    RequireCurrent(document, blocks);
    return std::nullopt;
  }
  const auto item = Named(document, ParseDeclarations(document, blocks, block), name);
  if (!item) {
    return std::nullopt;
  }
  TDeclarationSpot spot;
  spot.NameStart = item->NameStart;
  spot.ValueStart = item->ValueStart;
  spot.ValueEnd = item->PriorityEnd;
  const int32_t close = blocks.Items(block).EndPos;
  spot.Terminator = item->HasSemicolon ? ';' : '}';
  spot.TerminatorPos = item->HasSemicolon ? item->End - 1 : close;
  return spot;
}

bool DeclaredLater(const TDocument& document, const TModList& blocks, int32_t block,
                   std::string_view name, const std::vector<std::string>& others) {
  const std::vector<TDeclarationItem> items = ParseDeclarations(document, blocks, block);
  const auto own = Named(document, items, name);
  if (!own) {
    return false;
  }
  return std::any_of(others.begin(), others.end(), [&](const std::string& other) {
    const auto later = Named(document, items, other);
    return later && later->NameStart > own->NameStart;
  });
}

std::string ReadDeclaration(const TDocument& document, const TModList& blocks, int32_t block,
                            std::string_view name) {
  const std::optional<TDeclarationSpot> spot = FindDeclaration(document, blocks, block, name);
  if (!spot) {
    return {};
  }
  return std::string(Slice(document.Text(), spot->ValueStart, spot->ValueEnd));
}

TEditBatch PlanDeclarationWrite(const TDocument& document, const TModList& blocks, int32_t block,
                                std::string_view name, std::string_view value,
                                const TDeclarationPlace& place) {
  RequireCurrent(document, blocks);
  TEditBatch batch;
  if (name.empty() || !IsDeclarationBlock(document, blocks, block) || ValueRefusal(value)) {
    return batch;
  }
  const TRuleBody body = BodyOf(document, blocks, block);
  if (const auto item = Named(document, body.Declarations, name)) {
    if (value.empty()) {
      PlanRemove(document, *item, batch);
    } else {
      PlanReplace(document, *item, name, value, batch);
    }
  } else if (!value.empty()) {
    std::string declaration(name);
    declaration.append(": ").append(value).push_back(';');
    PlanAdd(document, blocks.Items(block), body, declaration, place.Indent, batch);
  }
  batch.KeepCaret(place.Caret);
  return batch;
}

std::optional<std::string> ValueRefusal(std::string_view value) {
  std::vector<char> open;
  for (size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    if (c == '\\') {
      if (i + 1 == value.size()) {
        return "The value ends with a backslash, which would take the character after it.";
      }
      i = static_cast<size_t>(lexis::EscapeEnd(value, static_cast<int32_t>(i))) - 1;
    } else if (c == '/' && i + 1 < value.size() && value[i + 1] == '*') {
      const lexis::TRunEnd comment = lexis::CommentEnd(value, static_cast<int32_t>(i));
      if (!comment.Closed) {
        return "The value opens a comment that it does not close.";
      }
      i = static_cast<size_t>(comment.End) - 1;
    } else if (c == '{' || c == '}') {
      // Only a string keeps them from the rule: in a bracket they would still pair.
      return "The value cannot hold \"{\" or \"}\" outside quotes: it would end the rule.";
    } else if (c == '"' || c == '\'') {
      const lexis::TRunEnd string = lexis::StringEnd(value, static_cast<int32_t>(i));
      if (!string.Closed) {
        return "The value opens a quote that it does not close on its line.";
      }
      // Braces and ";" in a string closed on its line are the string's text.
      i = static_cast<size_t>(string.End) - 1;
    } else if (c == ';' && open.empty()) {
      return "The value cannot hold \";\" outside quotes and brackets: it would end the "
             "declaration.";
    } else if (const int32_t body =
                   c == '(' ? lexis::UnquotedUrlBody(value, static_cast<int32_t>(i)) : -1;
               body >= 0) {
      // An unquoted url() holds no comment, string or bracket: it runs to its ")".
      const lexis::TRunEnd url = lexis::UrlTokenEnd(value, body);
      if (!url.Closed) {
        return "The value leaves a url( open: \")\" is missing.";
      }
      // Braces in it would still pair with the rule's for readers of the sheet that do not
      // know url()s; quoted, the address may hold them.
      if (Slice(value, body, url.End).find_first_of("{}") != std::string_view::npos) {
        return "The value cannot hold \"{\" or \"}\" outside quotes: it would end the rule.";
      }
      i = static_cast<size_t>(url.End) - 1;
    } else if (c == '(' || c == '[') {
      open.push_back(c == '(' ? ')' : ']');
    } else if (c == ')' || c == ']') {
      if (open.empty() || open.back() != c) {
        return std::string("The value closes a bracket \"") + c + "\" that it did not open.";
      }
      open.pop_back();
    }
  }
  if (!open.empty()) {
    return std::string("The value leaves a bracket open: \"") + open.back() + "\" is missing.";
  }
  return std::nullopt;
}

}  // namespace qm
