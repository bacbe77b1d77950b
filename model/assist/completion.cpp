// SPDX-License-Identifier: GPL-3.0-or-later
// The completion context read from the caret's line and rule, and its candidates from the
// catalogue, the value syntaxes, the colour names and the known at-rules.
#include "model/assist/completion.h"

#include <algorithm>
#include <set>

#include "model/asciicase.h"
#include "model/catalogue/catalogue.h"
#include "model/check/textcheck.h"
#include "model/listrule.h"
#include "model/sheet/declarations.h"
#include "model/text/csslexis.h"
#include "model/textbytes.h"
#include "model/values/colortext.h"
#include "model/values/valuechecker.h"
#include "model/values/valuetypes.h"

namespace qm {
namespace {

using textbytes::At;
using textbytes::IsBlank;
using textbytes::IsDigit;
using textbytes::IsNameChar;
using textbytes::Slice;

// The at-rule a block's prelude names ("@media"), lower case; empty for a selector's block.
std::string AtRuleOf(const TModList& blocks, int32_t block) {
  if (block < 0) {
    return {};
  }
  std::string_view name = blocks.Items(block).Name;
  if (!name.starts_with('@')) {
    return {};
  }
  size_t end = 1;
  while (end < name.size() && IsNameChar(name[end])) {
    ++end;
  }
  return AsciiLowerCase(name.substr(0, end));
}

// Whether the "@" at index starts a statement: only blanks and comments stand between it and the
// text's start or a "{", "}" or ";".
bool StartsStatement(std::string_view text, int32_t at) {
  int32_t i = at - 1;
  while (i >= 0 && IsBlank(At(text, i))) {
    --i;
  }
  if (i < 0) {
    return true;
  }
  const char c = At(text, i);
  return c == '{' || c == '}' || c == ';' || (c == '/' && i > 0 && At(text, i - 1) == '*');
}

// What the scan of a rule from its brace up to the word at the caret saw.
struct TRuleScan {
  bool Open = false;  // the word stands in a comment or a string
  int32_t Statement = 0;
  int32_t Colon = -1;             // the first ":" of the statement outside brackets
  std::vector<int32_t> Brackets;  // the "(" and "[" still open, innermost last
};

// One pass over the rule's bytes from just past its "{" to limit.
TRuleScan ScanRule(std::string_view text, int32_t from, int32_t limit) {
  TRuleScan scan;
  scan.Statement = from;
  int32_t braces = 0;
  const std::string_view before = Slice(text, 0, limit);
  for (int32_t i = from; i < limit;) {
    const char c = At(text, i);
    if (c == '/' && i + 1 < limit && At(text, i + 1) == '*') {
      const lexis::TRunEnd comment = lexis::CommentEnd(before, i);
      if (!comment.Closed) {
        scan.Open = true;
        return scan;
      }
      i = comment.End;
      continue;
    }
    if (c == '"' || c == '\'') {
      // A string left open at a newline before the word ends there.
      const lexis::TRunEnd string = lexis::StringEnd(before, i);
      if (!string.Closed && string.End >= limit) {
        scan.Open = true;
        return scan;
      }
      i = string.Closed ? string.End : string.End + 1;
      continue;
    }
    if (c == '\\') {
      i = lexis::EscapeEnd(before, i);
      continue;
    }
    if (c == '(' || c == '[') {
      scan.Brackets.push_back(i);
    } else if ((c == ')' || c == ']') && !scan.Brackets.empty()) {
      scan.Brackets.pop_back();
    } else if (c == '{') {
      ++braces;
    } else if (c == '}' && braces > 0) {
      if (--braces == 0) {
        scan = {false, i + 1, -1, {}};
      }
    } else if (braces == 0 && scan.Brackets.empty()) {
      if (c == ';') {
        scan = {false, i + 1, -1, {}};
      } else if (c == ':' && scan.Colon < 0) {
        scan.Colon = i;
      }
    }
    ++i;
  }
  if (braces > 0) {
    scan.Open = true;  // in a nested block that never closed
  }
  return scan;
}

// The first byte at or after i, before limit, that is no blank or comment.
int32_t SkipInsignificant(std::string_view text, int32_t i, int32_t limit) {
  while (i < limit) {
    if (IsBlank(At(text, i))) {
      ++i;
    } else if (At(text, i) == '/' && i + 1 < limit && At(text, i + 1) == '*') {
      i = lexis::CommentEnd(Slice(text, 0, limit), i).End;
    } else {
      break;
    }
  }
  return i;
}

bool AllNameChars(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), IsNameChar);
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         EqualIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

// The keywords, whether it takes a colour, and the numeric types of a syntax, following the
// syntaxes it names; a function's arguments are not the value's own words.
struct TSyntaxWords {
  std::vector<std::string> Keywords;
  bool Color = false;
  std::vector<TBuiltinType> Numbers;
};

// What a walk over a syntax collects: the value's own words; with a function, the numeric types
// of that function's arguments ("45deg" in rotate()); or that function's own keywords and colour
// ("auto-fill" in repeat(), not the words of the functions nested in it).
enum class TCollect : uint8_t { Value, Numbers, Arguments };

void CollectWords(const TValueGrammar& grammar, int32_t node, std::string_view function,
                  TCollect mode, bool inFunction, std::set<int64_t>& seen, TSyntaxWords& words) {
  if (node < 0 || !seen.insert(int64_t{node} * 2 + (inFunction ? 1 : 0)).second) {
    return;
  }
  const bool ownWords = mode == TCollect::Value || (mode == TCollect::Arguments && inFunction);
  const TSyntaxNode& n = grammar.Node(node);
  switch (n.Kind) {
    case TSyntaxKind::Keyword:
      if (ownWords) {
        words.Keywords.push_back(n.Text);
      }
      return;
    case TSyntaxKind::Type:
      if (!n.IsProperty && EqualIgnoringAsciiCase(n.Text, "color") && ownWords) {
        // Its own keywords are the system colours, which nobody means to pick from a list.
        words.Color = true;
        return;
      }
      if (n.Target >= 0) {
        CollectWords(grammar, n.Target, function, mode, inFunction, seen, words);
      } else if (n.Target <= kBuiltinTarget &&
                 (mode == TCollect::Value || (mode == TCollect::Numbers && inFunction))) {
        const auto type = static_cast<TBuiltinType>(kBuiltinTarget - n.Target);
        if (std::find(words.Numbers.begin(), words.Numbers.end(), type) == words.Numbers.end()) {
          words.Numbers.push_back(type);
        }
      }
      return;
    case TSyntaxKind::Function:
      // The numbers of functions nested in the one asked for are its arguments' too.
      if (mode == TCollect::Numbers || (mode == TCollect::Arguments && !inFunction)) {
        const bool inside = inFunction || EqualIgnoringAsciiCase(n.Text, function);
        for (const int32_t child : n.Children) {
          CollectWords(grammar, child, function, mode, inside, seen, words);
        }
      }
      return;
    case TSyntaxKind::Literal:
    case TSyntaxKind::Invalid:
      return;
    default:
      for (const int32_t child : n.Children) {
        CollectWords(grammar, child, function, mode, inFunction, seen, words);
      }
  }
}

// The words of property's syntax (of its function's arguments where a number stands in one that
// the syntax names, as rotate( in transform); where the syntaxes lack the property, of the
// catalogue's value list.
TSyntaxWords WordsOf(const TCompletionContext& context, const TCompletionSources& sources) {
  TSyntaxWords words;
  if (sources.Checker != nullptr) {
    int32_t root = sources.Checker->SyntaxRoot(context.Property, context.AtRule);
    if (root < 0) {
      root = sources.Checker->SyntaxRoot(context.Property);
    }
    if (root >= 0) {
      if (context.Kind == TCompletionKind::Value && !context.Function.empty()) {
        std::set<int64_t> seen;
        CollectWords(sources.Checker->Grammar(), root, context.Function, TCollect::Arguments, false,
                     seen, words);
        return words;
      }
      if (context.Kind == TCompletionKind::Unit && !context.Function.empty()) {
        std::set<int64_t> seen;
        CollectWords(sources.Checker->Grammar(), root, context.Function, TCollect::Numbers, false,
                     seen, words);
        if (!words.Numbers.empty()) {
          return words;
        }
      }
      // calc() and the like take the property's own types.
      std::set<int64_t> seen;
      CollectWords(sources.Checker->Grammar(), root, {}, TCollect::Value, false, seen, words);
      return words;
    }
  }
  if (sources.Catalogue != nullptr &&
      (context.Kind == TCompletionKind::Unit || context.Function.empty())) {
    const int32_t row = sources.Catalogue->IndexOfTag(context.Property);
    if (row >= 0) {
      for (std::string& entry : SplitList(sources.Catalogue->Items(row).EditList, '|')) {
        if (entry == "<color>") {
          words.Color = true;
        } else if (entry == "<length>") {
          words.Numbers.push_back(TBuiltinType::Length);
        } else if (entry == "<percentage>") {
          words.Numbers.push_back(TBuiltinType::Percentage);
        } else if (!entry.empty() && entry.front() != '<') {
          words.Keywords.push_back(std::move(entry));
        }
      }
    }
  }
  return words;
}

constexpr std::string_view kDescriptorsOf = "Descriptors of ";

// The names a declaration may start with in the block: an at-rule's descriptors where the
// catalogue or the value syntaxes list some (and for @page also the properties), else the
// properties. The catalogue files a descriptor that shares a property's name ("font-family" in
// @font-face) under the property: the syntaxes' full list brings it back.
std::vector<std::string> DeclarationNames(const TCompletionContext& context,
                                          const TInspectorCollection& catalogue,
                                          const TValueChecker* checker) {
  const std::string ownGroup = std::string(kDescriptorsOf) + context.AtRule;
  bool hasDescriptors = false;
  std::vector<std::string> properties;
  std::vector<std::string> descriptors;
  for (int32_t i = 0; i < catalogue.Count(); ++i) {
    const TInspectorItem& item = catalogue.Items(i);
    if (item.ChildLevel != 1 || item.CssTag.empty()) {
      continue;
    }
    const std::string_view group =
        item.Parent != nullptr ? std::string_view(item.Parent->Caption) : std::string_view();
    if (!group.starts_with(kDescriptorsOf)) {
      properties.push_back(item.CssTag);
    } else if (!context.AtRule.empty() && EqualIgnoringAsciiCase(group, ownGroup)) {
      hasDescriptors = true;
      descriptors.push_back(item.CssTag);
    }
  }
  if (checker != nullptr && !context.AtRule.empty()) {
    for (std::string& name : checker->DescriptorsOf(context.AtRule)) {
      hasDescriptors = true;
      descriptors.push_back(std::move(name));
    }
  }
  if (!hasDescriptors) {
    return properties;
  }
  if (context.AtRule == "@page") {
    descriptors.insert(descriptors.end(), properties.begin(), properties.end());
  }
  return descriptors;
}

// The at-rules that may start where the context stands.
std::vector<std::string> AtRuleNames(const TCompletionContext& context) {
  static constexpr std::string_view kNestedGroups[] = {"container", "layer",          "media",
                                                       "scope",     "starting-style", "supports"};
  static constexpr std::string_view kFeatureBlocks[] = {
      "annotation", "character-variant", "historical-forms", "ornaments", "styleset", "stylistic",
      "swash"};
  const auto isMarginBox = [](std::string_view name) {
    return name.starts_with("top-") || name.starts_with("bottom-") || name.starts_with("left-") ||
           name.starts_with("right-");
  };
  const auto isFeatureBlock = [](std::string_view name) {
    return std::find(std::begin(kFeatureBlocks), std::end(kFeatureBlocks), name) !=
           std::end(kFeatureBlocks);
  };
  std::vector<std::string> names;
  if (context.AtRule == "@page") {
    for (const std::string_view name : KnownAtRules()) {
      if (isMarginBox(name)) {
        names.emplace_back(name);
      }
    }
  } else if (context.AtRule == "@font-feature-values") {
    names.assign(std::begin(kFeatureBlocks), std::end(kFeatureBlocks));
  } else if (!context.TopLevel && context.AtRule.empty()) {
    names.assign(std::begin(kNestedGroups), std::end(kNestedGroups));  // in a style rule
  } else {
    for (const std::string_view name : KnownAtRules()) {
      const bool statementOnly = name == "charset" || name == "import" || name == "namespace";
      if (!isMarginBox(name) && !isFeatureBlock(name) && (context.TopLevel || !statementOnly)) {
        names.emplace_back(name);
      }
    }
  }
  return names;
}

// The names that start with prefix, sorted: filtered first, since most do not.
void SortNames(std::vector<std::string>& names, std::string_view prefix) {
  std::erase_if(names,
                [&](const std::string& name) { return !StartsWithIgnoringCase(name, prefix); });
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
  names.erase(std::unique(names.begin(), names.end()), names.end());
}

// The rule that holds the caret; or, while a rule is being typed at the end of the text, the
// last block in front of the caret when it is still open and holds declarations.
int32_t RuleAtCaret(const TDocument& document, const TModList& blocks, int32_t caret) {
  const int32_t rule = RuleBlockAt(document, blocks, caret);
  if (rule >= 0) {
    return rule;
  }
  const std::vector<TItmRecord>& all = blocks.All();
  const auto after = std::partition_point(
      all.begin(), all.end(), [caret](const TItmRecord& block) { return block.StartPos < caret; });
  if (after == all.begin()) {
    return -1;
  }
  const auto last = static_cast<int32_t>(after - all.begin()) - 1;
  return blocks.Items(last).EndPos < 0 && HoldsDeclarations(BlockKind(document, blocks, last))
             ? last
             : -1;
}

}  // namespace

TCompletionContext CompletionContextAt(const TDocument& document, const TModList& blocks,
                                       int32_t caret) {
  RequireCurrent(document, blocks);
  const std::string_view text = document.Text();
  TCompletionContext context;
  if (caret < 0 || caret > static_cast<int32_t>(text.size())) {
    return context;
  }
  const TLineCol at = document.IndexToLineCol(caret);
  const int32_t lineStart = document.LineStart(at.Line);
  const int32_t lineEnd = lineStart + document.LineLength(at.Line);
  // A comment or a string before the caret on its line, or one the line starts in.
  if (caret > lineStart) {
    const TTokenKind kind = document.TokenAt(at.Line, at.Col - 1);
    if (kind == TTokenKind::Comment || kind == TTokenKind::String) {
      return context;
    }
  } else if (document.LineStartState(at.Line).Range == TScanRange::Comment) {
    return context;
  }
  int32_t start = caret;
  while (start > lineStart && IsNameChar(At(text, start - 1))) {
    --start;
  }
  int32_t end = caret;
  while (end < lineEnd && IsNameChar(At(text, end))) {
    ++end;
  }
  context.Start = start;
  context.End = end;
  context.Prefix = std::string(Slice(text, start, caret));
  const int32_t rule = RuleAtCaret(document, blocks, caret);
  const int32_t inner = rule >= 0 ? rule : blocks.InnermostBlockAt(std::max(start - 1, 0));
  context.AtRule = AtRuleOf(blocks, inner);

  if (start > lineStart && At(text, start - 1) == '@') {
    if (StartsStatement(text, start - 1) &&
        (rule < 0 || !ScanRule(text, blocks.Items(rule).StartPos + 1, start - 1).Open)) {
      context.Kind = TCompletionKind::AtRule;
      context.TopLevel = inner < 0;
    }
    return context;
  }
  if (rule < 0) {
    return context;
  }
  const TRuleScan scan = ScanRule(text, blocks.Items(rule).StartPos + 1, start);
  if (scan.Open) {
    return context;
  }
  const int32_t first = SkipInsignificant(text, scan.Statement, start);
  if (scan.Colon < 0) {
    if (first == start && !(start < caret && IsDigit(At(text, start)))) {
      context.Kind = TCompletionKind::Property;
      int32_t after = end;
      while (after < lineEnd && IsBlank(At(text, after))) {
        ++after;
      }
      context.ColonFollows = after < lineEnd && At(text, after) == ':';
    }
    return context;
  }
  const std::string_view name = Trimmed(Slice(text, first, scan.Colon));
  if (!AllNameChars(name) ||
      (start > lineStart && (At(text, start - 1) == '#' || At(text, start - 1) == '!'))) {
    return context;
  }
  context.Property = AsciiLowerCase(name);
  // A number and the start of its unit: "12p", "-1.5e" (from the digits after the point)
  int32_t digits = start;
  if (digits < caret && At(text, digits) == '-') {
    ++digits;
  }
  const int32_t numberFrom = digits;
  while (digits < caret && IsDigit(At(text, digits))) {
    ++digits;
  }
  // The function whose brackets hold the word.
  if (!scan.Brackets.empty() && At(text, scan.Brackets.back()) == '(') {
    int32_t name = scan.Brackets.back();
    while (name > first && IsNameChar(At(text, name - 1))) {
      --name;
    }
    context.Function = AsciiLowerCase(Slice(text, name, scan.Brackets.back()));
  }
  if (digits > numberFrom) {
    context.Kind = TCompletionKind::Unit;
    context.Start = digits;
    context.Prefix = std::string(Slice(text, digits, caret));
    return context;
  }
  // In a function's brackets, its arguments; an unquoted url() holds no words.
  if (scan.Brackets.empty() ||
      (!context.Function.empty() && context.Function != "url" && context.Function != "var")) {
    context.Kind = TCompletionKind::Value;
  }
  return context;
}

std::vector<std::string> CompletionCandidates(const TCompletionContext& context,
                                              const TCompletionSources& sources) {
  std::vector<std::string> all;
  switch (context.Kind) {
    case TCompletionKind::None:
      return {};
    case TCompletionKind::Property:
      if (sources.Catalogue != nullptr) {
        all = DeclarationNames(context, *sources.Catalogue, sources.Checker);
        SortNames(all, context.Prefix);
      }
      break;
    case TCompletionKind::AtRule:
      all = AtRuleNames(context);
      SortNames(all, context.Prefix);
      break;
    case TCompletionKind::Value: {
      if (context.Property.starts_with("--")) {
        return {};  // a custom property's value is the author's own
      }
      TSyntaxWords words = WordsOf(context, sources);
      if (words.Keywords.empty() && !words.Color && words.Numbers.empty()) {
        return {};  // a property nobody describes
      }
      std::set<std::string> taken;
      const auto add = [&](std::string_view word) {
        if (taken.insert(AsciiLowerCase(word)).second) {
          all.emplace_back(word);
        }
      };
      for (const std::string& keyword : words.Keywords) {
        if (!IsCssWideKeyword(keyword)) {
          add(keyword);
        }
      }
      if (words.Color) {
        add("currentcolor");
        add("transparent");
        // Alphabetical while nothing is typed; once a word has begun the closest names come
        // first, the shorter before the longer: "re" offers red before rebeccapurple.
        std::vector<std::string_view> colors(ColorNames().begin(), ColorNames().end());
        if (!context.Prefix.empty()) {
          std::stable_sort(
              colors.begin(), colors.end(),
              [](std::string_view a, std::string_view b) { return a.size() < b.size(); });
        }
        for (const std::string_view color : colors) {
          add(color);
        }
      }
      for (const std::string_view wide :
           {"inherit", "initial", "unset", "revert", "revert-layer"}) {
        if (context.Function.empty()) {
          add(wide);  // the value's own, never a function's argument
        }
      }
      break;
    }
    case TCompletionKind::Unit: {
      for (const TBuiltinType type : WordsOf(context, sources).Numbers) {
        for (const std::string_view unit : UnitsOf(type)) {
          if (std::find(all.begin(), all.end(), unit) == all.end()) {
            all.emplace_back(unit);
          }
        }
      }
      break;
    }
  }
  std::erase_if(all, [&](const std::string& candidate) {
    return !StartsWithIgnoringCase(candidate, context.Prefix);
  });
  return all;
}

TTextEdit PlanCompletion(const TCompletionContext& context, std::string_view chosen) {
  TTextEdit edit;
  edit.Start = context.Start;
  edit.End = context.End;
  edit.Text = chosen;
  if (context.Kind == TCompletionKind::Property && !context.ColonFollows) {
    edit.Text += ": ";
  } else if (context.Kind == TCompletionKind::AtRule) {
    edit.Text += " ";
  }
  edit.Caret = edit.Start + static_cast<int32_t>(edit.Text.size());
  return edit;
}

}  // namespace qm
