// SPDX-License-Identifier: GPL-3.0-or-later
// A selector read compound by compound over CSS's lexical rules, counting what each simple
// selector adds; the functional pseudo-classes read their arguments as lists of their own.
#include "model/assist/specificity.h"

#include <algorithm>
#include <array>

#include "model/asciicase.h"
#include "model/sheet/declarations.h"
#include "model/text/csslexis.h"
#include "model/text/textscan.h"
#include "model/textbytes.h"

namespace qm {
namespace {

using textbytes::IsBlank;
using textbytes::IsNameChar;

class TSelectorReader {
 public:
  TSelectorReader(std::string_view text, TSpecificity parent)
      : Text(text), Size(static_cast<int32_t>(text.size())), Parent(parent) {}

  // Reads one complex selector from Pos up to a "," or ")" outside brackets, or the end.
  TSpecificity Complex() {
    TSpecificity total;
    while (Pos < Size) {
      const char c = At(Pos);
      if (c == ',' || c == ')') {
        break;
      }
      if (c == '/' && At(Pos + 1) == '*') {
        Pos = lexis::CommentEnd(Text, Pos).End;
      } else if (c == '#') {
        ++Pos;
        Name();
        total.A += 1;
      } else if (c == '.') {
        ++Pos;
        Name();
        total.B += 1;
      } else if (c == '[') {
        Pos = BracketEnd(Pos);
        total.B += 1;
      } else if (c == ':') {
        total += Pseudo();
      } else if (c == '&') {
        ++Pos;
        total += Parent;
        HasNesting = true;
      } else if (c == '(') {
        Pos = BracketEnd(Pos);
      } else if (c == '"' || c == '\'') {
        Pos = lexis::StringEnd(Text, Pos).End;
      } else if (c == '\\' || textbytes::IsNameStart(c)) {
        Name();
        // "ns|E": the namespace prefix counts for nothing, the "|" is read next.
        if (!(At(Pos) == '|' && At(Pos + 1) != '|')) {
          total.C += 1;
        }
      } else {
        ++Pos;  // "*", "|", combinators, blanks, stray bytes
      }
    }
    return total;
  }

  bool Nesting() const { return HasNesting; }
  int32_t Position() const { return Pos; }
  void Skip() { ++Pos; }

 private:
  char At(int32_t i) const { return i < Size ? Text[static_cast<size_t>(i)] : '\0'; }

  // Reads a name (escapes included) at Pos; returns it in lower case.
  std::string Name() {
    const int32_t start = Pos;
    while (Pos < Size) {
      if (At(Pos) == '\\') {
        if (!lexis::StartsEscape(Text, Pos)) {
          break;
        }
        Pos = lexis::WholeEscapeEnd(Text, Pos);
      } else if (IsNameChar(At(Pos))) {
        ++Pos;
      } else {
        break;
      }
    }
    return AsciiLowerCase(
        Text.substr(static_cast<size_t>(start), static_cast<size_t>(Pos - start)));
  }

  // Just past the bracket that closes the one at open ("(" or "["); strings, comments, escapes and
  // nested brackets are skipped whole. The end of the text when it is never closed.
  int32_t BracketEnd(int32_t open) const {
    int32_t depth = 0;
    int32_t i = open;
    while (i < Size) {
      const char c = At(i);
      if (c == '/' && At(i + 1) == '*') {
        i = lexis::CommentEnd(Text, i).End;
        continue;
      }
      if (c == '"' || c == '\'') {
        i = lexis::StringEnd(Text, i).End;
        continue;
      }
      if (c == '\\') {
        i = lexis::EscapeEnd(Text, i);
        continue;
      }
      if (c == '(' || c == '[') {
        ++depth;
      } else if (c == ')' || c == ']') {
        --depth;
        if (depth == 0) {
          return i + 1;
        }
      }
      ++i;
    }
    return Size;
  }

  // The specificity of a selector list between brackets starting at open, as :is() counts it;
  // Pos goes past the closing bracket.
  TSpecificity Arguments(int32_t open, int32_t from) {
    const int32_t end = BracketEnd(open);
    const bool closed = end > open + 1 && At(end - 1) == ')';
    const int32_t inner = std::max(from, closed ? end - 1 : end);
    const std::string_view args =
        Text.substr(static_cast<size_t>(from), static_cast<size_t>(std::max(0, inner - from)));
    std::vector<TSelectorSpecificity> list = ListSpecificity(args, Parent, false);
    HasNesting = HasNesting || args.find('&') != std::string_view::npos;
    Pos = end;
    return MostSpecific(list);
  }

  // Where " of " starts the selector list of :nth-child(An+B of S) in the brackets at open;
  // -1 when it has none.
  int32_t OfList(int32_t open) const {
    const int32_t end = BracketEnd(open);
    for (int32_t i = open + 1; i + 1 < end; ++i) {
      if ((At(i) == 'o' || At(i) == 'O') && (At(i + 1) == 'f' || At(i + 1) == 'F') &&
          !IsNameChar(At(i - 1)) && !IsNameChar(At(i + 2))) {
        return i + 2;
      }
    }
    return -1;
  }

  TSpecificity Pseudo() {
    const bool element = At(Pos + 1) == ':';
    Pos += element ? 2 : 1;
    const std::string name = Name();
    const bool function = At(Pos) == '(';
    if (element) {
      TSpecificity total{0, 0, 1};
      if (function) {
        // ::slotted(x) and ::part() count their argument as well as themselves.
        total +=
            name == "slotted" ? Arguments(Pos, Pos + 1) : (Pos = BracketEnd(Pos), TSpecificity{});
      }
      return total;
    }
    static constexpr std::array<std::string_view, 4> kLegacyElements = {
        "before", "after", "first-line", "first-letter"};
    if (std::find(kLegacyElements.begin(), kLegacyElements.end(), name) != kLegacyElements.end()) {
      return {0, 0, 1};
    }
    if (!function) {
      return {0, 1, 0};
    }
    if (name == "is" || name == "not" || name == "has" || name == "matches" ||
        name == "-webkit-any" || name == "-moz-any") {
      return Arguments(Pos, Pos + 1);
    }
    if (name == "where") {
      Arguments(Pos, Pos + 1);
      return {};
    }
    TSpecificity total{0, 1, 0};
    if (name == "nth-child" || name == "nth-last-child") {
      const int32_t of = OfList(Pos);
      if (of >= 0) {
        total += Arguments(Pos, of);
        return total;
      }
    } else if (name == "host" || name == "host-context") {
      total += Arguments(Pos, Pos + 1);
      return total;
    }
    Pos = BracketEnd(Pos);
    return total;
  }

  std::string_view Text;
  int32_t Size = 0;
  int32_t Pos = 0;
  TSpecificity Parent;
  bool HasNesting = false;
};

bool IsStyleRule(const TDocument& document, const TModList& blocks, int32_t block) {
  const std::string_view name = blocks.Items(block).Name;
  return !name.empty() && name.front() != '@' &&
         BlockKind(document, blocks, block) == TBlockKind::StyleRule;
}

bool InKeyframes(const TModList& blocks, int32_t block) {
  for (int32_t outer = EnclosingBlock(blocks, block); outer >= 0;
       outer = EnclosingBlock(blocks, outer)) {
    const std::string name = AsciiLowerCase(blocks.Items(outer).Name);
    if (name.starts_with("@") && name.find("keyframes") != std::string::npos) {
      return true;
    }
  }
  return false;
}

// The selectors of a style rule, nested ones counting the style rule around them.
std::vector<TSelectorSpecificity> RuleSpecificity(const TDocument& document, const TModList& blocks,
                                                  int32_t block) {
  int32_t parent = EnclosingBlock(blocks, block);
  while (parent >= 0 && !IsStyleRule(document, blocks, parent)) {
    parent = EnclosingBlock(blocks, parent);
  }
  if (parent < 0) {
    return ListSpecificity(blocks.Items(block).Name);
  }
  return ListSpecificity(blocks.Items(block).Name,
                         MostSpecific(RuleSpecificity(document, blocks, parent)), true);
}

}  // namespace

std::string SpecificityText(TSpecificity specificity) {
  std::string text = "(";
  text.append(std::to_string(specificity.A)).append(", ");
  text.append(std::to_string(specificity.B)).append(", ");
  text.append(std::to_string(specificity.C)).append(")");
  return text;
}

std::vector<TSelectorSpecificity> ListSpecificity(std::string_view list,
                                                  TSpecificity parentSpecificity, bool nested) {
  std::vector<TSelectorSpecificity> selectors;
  int32_t start = 0;
  const auto size = static_cast<int32_t>(list.size());
  while (start <= size) {
    TSelectorReader one(list.substr(static_cast<size_t>(start)), parentSpecificity);
    TSpecificity value = one.Complex();
    const int32_t end = start + one.Position();
    std::string text =
        OneLine(list.substr(static_cast<size_t>(start), static_cast<size_t>(end - start)));
    if (nested && !one.Nesting()) {
      value += parentSpecificity;
    }
    if (!text.empty()) {
      selectors.push_back({std::move(text), value});
    }
    start = end + 1;
  }
  return selectors;
}

TSpecificity MostSpecific(const std::vector<TSelectorSpecificity>& selectors) {
  TSpecificity most;
  for (const TSelectorSpecificity& selector : selectors) {
    most = std::max(most, selector.Value);
  }
  return most;
}

int32_t EnclosingBlock(const TModList& blocks, int32_t block) {
  const int32_t start = blocks.Items(block).StartPos;
  for (int32_t i = block - 1; i >= 0; --i) {
    const TItmRecord& outer = blocks.Items(i);
    if (outer.StartPos < start && (outer.EndPos < 0 || start < outer.EndPos)) {
      return i;
    }
  }
  return -1;
}

int32_t SelectorStart(const TDocument& document, const TModList& blocks, int32_t block) {
  const std::string_view text = document.Text();
  const TItmRecord& item = blocks.Items(block);
  int32_t nameEnd = item.StartPos;
  while (nameEnd > 0 && IsBlank(text[static_cast<size_t>(nameEnd - 1)])) {
    --nameEnd;
  }
  const int32_t nameStart = nameEnd - static_cast<int32_t>(item.Name.size());
  if (nameStart < 0 || text.substr(static_cast<size_t>(nameStart), item.Name.size()) != item.Name) {
    return -1;
  }
  return nameStart;
}

std::string SpecificityTipAt(const TDocument& document, const TModList& blocks, int32_t position) {
  RequireCurrent(document, blocks);
  for (int32_t block = 0; block < blocks.Count(); ++block) {
    const TItmRecord& item = blocks.Items(block);
    if (item.StartPos <= position) {
      continue;
    }
    const int32_t nameStart = SelectorStart(document, blocks, block);
    if (nameStart < 0 || position < nameStart) {
      return {};
    }
    if (!IsStyleRule(document, blocks, block) || InKeyframes(blocks, block)) {
      return {};
    }
    std::string tip = "Specificity";
    for (const TSelectorSpecificity& selector : RuleSpecificity(document, blocks, block)) {
      tip.append("\n")
          .append(SpecificityText(selector.Value))
          .append("  ")
          .append(selector.Selector);
    }
    return tip;
  }
  return {};
}

}  // namespace qm
