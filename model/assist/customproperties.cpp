// SPDX-License-Identifier: GPL-3.0-or-later
// Definitions come from each rule's parsed declarations, uses from one pass over the code
// bytes that skips comments, strings, escapes and unquoted url()s as CSS's lexical rules do.
#include "model/assist/customproperties.h"

#include <algorithm>
#include <map>

#include "model/asciicase.h"
#include "model/assist/specificity.h"
#include "model/error.h"
#include "model/sheet/declarations.h"
#include "model/text/csslexis.h"
#include "model/text/textscan.h"
#include "model/textbytes.h"

namespace qm {
namespace {

using textbytes::IsBlank;
using textbytes::IsNameChar;

char At(std::string_view text, int32_t i) {
  return i >= 0 && i < static_cast<int32_t>(text.size()) ? text[static_cast<size_t>(i)] : '\0';
}

std::string_view Range(std::string_view text, int32_t from, int32_t to) {
  return text.substr(static_cast<size_t>(from), static_cast<size_t>(std::max(0, to - from)));
}

// Past blanks and comments from i.
int32_t SkipTrivia(std::string_view text, int32_t i) {
  const auto n = static_cast<int32_t>(text.size());
  while (i < n) {
    if (IsBlank(At(text, i))) {
      ++i;
    } else if (At(text, i) == '/' && At(text, i + 1) == '*') {
      i = lexis::CommentEnd(text, i).End;
    } else {
      break;
    }
  }
  return i;
}

// Past the name bytes and escapes from i.
int32_t NameEnd(std::string_view text, int32_t i) {
  const auto n = static_cast<int32_t>(text.size());
  while (i < n) {
    if (At(text, i) == '\\' && lexis::StartsEscape(text, i)) {
      i = lexis::WholeEscapeEnd(text, i);
    } else if (IsNameChar(At(text, i))) {
      ++i;
    } else {
      break;
    }
  }
  return i;
}

// Whether the "(" at paren is that of a var().
bool OpensVar(std::string_view text, int32_t paren) {
  return paren >= 3 && EqualIgnoringAsciiCase(Range(text, paren - 3, paren), "var") &&
         !IsNameChar(At(text, paren - 4)) && At(text, paren - 4) != '\\';
}

// The ")" that closes a function whose arguments go on from i at depth 0; where the declaration
// ends (";", "}" outside brackets) or the text's end when it is never closed.
int32_t ClosingParen(std::string_view text, int32_t i) {
  const auto n = static_cast<int32_t>(text.size());
  int32_t depth = 0;
  while (i < n) {
    const char c = At(text, i);
    if (c == '/' && At(text, i + 1) == '*') {
      i = lexis::CommentEnd(text, i).End;
      continue;
    }
    if (c == '"' || c == '\'') {
      i = lexis::StringEnd(text, i).End;
      continue;
    }
    if (c == '\\') {
      i = lexis::EscapeEnd(text, i);
      continue;
    }
    if (c == '(' || c == '[') {
      ++depth;
    } else if (c == ')' || c == ']') {
      if (depth == 0) {
        return i;
      }
      --depth;
    } else if (depth == 0 && (c == ';' || c == '}' || c == '{')) {
      return i;
    }
    ++i;
  }
  return n;
}

// The use whose var() has its "(" at paren, if it names a custom property.
std::optional<TCustomPropertyUse> UseAt(std::string_view text, int32_t paren) {
  TCustomPropertyUse use;
  use.Start = paren - 3;
  use.NameStart = SkipTrivia(text, paren + 1);
  if (At(text, use.NameStart) != '-' || At(text, use.NameStart + 1) != '-') {
    return std::nullopt;
  }
  use.NameEnd = NameEnd(text, use.NameStart);
  use.Name = std::string(Range(text, use.NameStart, use.NameEnd));
  const int32_t after = SkipTrivia(text, use.NameEnd);
  const int32_t close = ClosingParen(text, after);
  use.End = At(text, close) == ')' ? close + 1 : close;
  if (At(text, after) == ',') {
    use.FallbackStart = after + 1;
    while (use.FallbackStart < close && IsBlank(At(text, use.FallbackStart))) {
      ++use.FallbackStart;
    }
    use.FallbackEnd = close;
    while (use.FallbackEnd > use.FallbackStart && IsBlank(At(text, use.FallbackEnd - 1))) {
      --use.FallbackEnd;
    }
  }
  return use;
}

std::vector<TCustomPropertyUse> FindUses(std::string_view text) {
  std::vector<TCustomPropertyUse> uses;
  const auto n = static_cast<int32_t>(text.size());
  int32_t i = 0;
  while (i < n) {
    const char c = At(text, i);
    if (c == '/' && At(text, i + 1) == '*') {
      i = lexis::CommentEnd(text, i).End;
    } else if (c == '"' || c == '\'') {
      i = std::max(i + 1, lexis::StringEnd(text, i).End);
    } else if (c == '\\') {
      i = lexis::EscapeEnd(text, i);
    } else if (c == '(') {
      const int32_t body = lexis::UnquotedUrlBody(text, i);
      if (body >= 0) {
        i = std::max(i + 1, lexis::UrlTokenEnd(text, body).End);
        continue;
      }
      if (OpensVar(text, i)) {
        if (std::optional<TCustomPropertyUse> use = UseAt(text, i)) {
          uses.push_back(std::move(*use));
        }
      }
      ++i;
    } else {
      ++i;
    }
  }
  return uses;
}

bool StylesTheDocument(std::string_view selectors) {
  size_t from = 0;
  while (from <= selectors.size()) {
    const size_t comma = std::min(selectors.find(',', from), selectors.size());
    const std::string one = OneLine(selectors.substr(from, comma - from));
    if (one == ":root" || one == "html" || one == "*" || one == ":host") {
      return true;
    }
    from = comma + 1;
  }
  return false;
}

// The definition that wins among candidates of one rule or one level: the last "!important"
// one, else the last.
int32_t Winner(const TCustomProperties& properties, const std::vector<int32_t>& candidates) {
  int32_t winner = candidates.back();
  for (const int32_t index : candidates) {
    if (properties.Definitions[static_cast<size_t>(index)].Important) {
      winner = index;
    }
  }
  return winner;
}

class TResolver {
 public:
  TResolver(const TDocument& document, const TModList& blocks, const TCustomProperties& properties,
            int32_t position)
      : Document(document),
        Blocks(blocks),
        Properties(properties),
        Text(document.Text()),
        Position(position) {}

  // The value of name with its var()s replaced; none when it cannot resolve.
  std::optional<std::string> Property(std::string_view name) {
    const auto seen = std::find(Stack.begin(), Stack.end(), name);
    if (seen != Stack.end()) {
      CycleStart = static_cast<int32_t>(seen - Stack.begin());
      Problem.clear();
      for (auto it = seen; it != Stack.end(); ++it) {
        Problem += *it + " -> ";
      }
      Problem += std::string(name) + " is a cycle";
      return std::nullopt;
    }
    const std::vector<int32_t> applying =
        ApplyingDefinitions(Document, Blocks, Properties, name, Position);
    if (applying.empty()) {
      return std::nullopt;
    }
    const TCustomPropertyDefinition& definition =
        Properties.Definitions[static_cast<size_t>(applying.back())];
    const auto depth = static_cast<int32_t>(Stack.size());
    Stack.emplace_back(name);
    std::optional<std::string> value = Substituted(definition.ValueStart, definition.ValueEnd);
    Stack.pop_back();
    if (CycleStart >= 0 && depth >= CycleStart) {
      // Every property of a cycle is invalid, whatever fallbacks it has.
      if (depth == CycleStart) {
        CycleStart = -1;
      }
      return std::nullopt;
    }
    return value;
  }

  // The text from from to to with each var() in it replaced.
  std::optional<std::string> Substituted(int32_t from, int32_t to) {
    std::string out;
    int32_t at = from;
    for (const TCustomPropertyUse& use : Properties.Uses) {
      if (use.Start < at || use.End > to) {
        if (use.Start >= to) {
          break;
        }
        continue;
      }
      out += Range(Text, at, use.Start);
      std::optional<std::string> value;
      if (!ApplyingDefinitions(Document, Blocks, Properties, use.Name, Position).empty()) {
        value = Property(use.Name);
        if (CycleStart >= 0) {
          return std::nullopt;
        }
      } else {
        Problem = use.Name + " is not defined";
      }
      if (!value && use.FallbackStart >= 0) {
        value = Substituted(use.FallbackStart, use.FallbackEnd);
      }
      if (!value) {
        return std::nullopt;
      }
      out += *value;
      at = use.End;
    }
    out += Range(Text, at, to);
    return OneLine(out);
  }

  std::string Problem;

 private:
  const TDocument& Document;
  const TModList& Blocks;
  const TCustomProperties& Properties;
  std::string_view Text;
  int32_t Position;
  std::vector<std::string> Stack;
  int32_t CycleStart = -1;
};

std::string Clipped(std::string text, size_t limit) {
  if (text.size() > limit) {
    text.resize(limit - 3);
    text += "...";
  }
  return text;
}

}  // namespace

TCustomProperties FindCustomProperties(const TDocument& document, const TModList& blocks) {
  RequireCurrent(document, blocks);
  const std::string_view text = document.Text();
  TCustomProperties properties;
  for (int32_t block = 0; block < blocks.Count(); ++block) {
    const std::string_view name = blocks.Items(block).Name;
    if (name.size() > 9 && EqualIgnoringAsciiCase(name.substr(0, 9), "@property")) {
      const int32_t start = SelectorStart(document, blocks, block);
      const int32_t nameStart = start < 0 ? -1 : SkipTrivia(text, start + 9);
      if (nameStart >= 0 && At(text, nameStart) == '-' && At(text, nameStart + 1) == '-') {
        const int32_t nameEnd = NameEnd(text, nameStart);
        properties.Registrations.push_back(
            {std::string(Range(text, nameStart, nameEnd)), nameStart, nameEnd});
      }
      continue;
    }
    for (const TDeclarationItem& item : ParseDeclarations(document, blocks, block)) {
      const std::string_view property = Range(text, item.NameStart, item.NameEnd);
      if (property.starts_with("--")) {
        properties.Definitions.push_back({std::string(property), item.NameStart, item.NameEnd,
                                          item.ValueStart, item.ValueEnd, item.Important, block});
      }
    }
  }
  std::sort(properties.Definitions.begin(), properties.Definitions.end(),
            [](const auto& a, const auto& b) { return a.NameStart < b.NameStart; });
  properties.Uses = FindUses(text);
  return properties;
}

std::string CustomPropertyNameAt(const TCustomProperties& properties, int32_t position) {
  const auto holds = [position](int32_t start, int32_t end) {
    return start <= position && position <= end;
  };
  for (const TCustomPropertyDefinition& definition : properties.Definitions) {
    if (holds(definition.NameStart, definition.NameEnd)) {
      return definition.Name;
    }
  }
  for (const TCustomPropertyUse& use : properties.Uses) {
    if (holds(use.NameStart, use.NameEnd)) {
      return use.Name;
    }
  }
  for (const TCustomPropertyName& registration : properties.Registrations) {
    if (holds(registration.NameStart, registration.NameEnd)) {
      return registration.Name;
    }
  }
  return {};
}

std::vector<int32_t> ApplyingDefinitions(const TDocument& /*document*/, const TModList& blocks,
                                         const TCustomProperties& properties, std::string_view name,
                                         int32_t position) {
  std::vector<int32_t> all;
  for (size_t i = 0; i < properties.Definitions.size(); ++i) {
    if (properties.Definitions[i].Name == name) {
      all.push_back(static_cast<int32_t>(i));
    }
  }
  if (all.size() <= 1) {
    return all;
  }
  const auto inBlock = [&](auto&& test) {
    std::vector<int32_t> found;
    for (const int32_t index : all) {
      if (test(properties.Definitions[static_cast<size_t>(index)].Block)) {
        found.push_back(index);
      }
    }
    return found;
  };
  for (int32_t block = blocks.InnermostBlockAt(position); block >= 0;
       block = EnclosingBlock(blocks, block)) {
    const std::vector<int32_t> here = inBlock([block](int32_t b) { return b == block; });
    if (!here.empty()) {
      return {Winner(properties, here)};
    }
  }
  const std::vector<int32_t> global =
      inBlock([&blocks](int32_t b) { return b >= 0 && StylesTheDocument(blocks.Items(b).Name); });
  if (!global.empty()) {
    return {Winner(properties, global)};
  }
  return all;
}

TCustomPropertyValue ResolveCustomProperty(const TDocument& document, const TModList& blocks,
                                           const TCustomProperties& properties,
                                           std::string_view name, int32_t position) {
  TCustomPropertyValue result;
  const std::vector<int32_t> applying =
      ApplyingDefinitions(document, blocks, properties, name, position);
  if (applying.empty()) {
    result.Problem = std::string(name) + " is not defined";
    return result;
  }
  const TCustomPropertyDefinition& definition =
      properties.Definitions[static_cast<size_t>(applying.back())];
  result.Defined = true;
  result.Value = OneLine(Range(document.Text(), definition.ValueStart, definition.ValueEnd));
  TResolver resolver(document, blocks, properties, position);
  if (std::optional<std::string> resolved = resolver.Property(name)) {
    result.Resolves = true;
    result.Resolved = std::move(*resolved);
  } else {
    result.Problem = resolver.Problem;
  }
  return result;
}

std::string CustomPropertyTipAt(const TDocument& document, const TModList& blocks,
                                int32_t position) {
  RequireCurrent(document, blocks);
  const TLineCol at = document.IndexToLineCol(position);
  const TTokenKind kind = document.TokenAt(at.Line, at.Col);
  if (kind == TTokenKind::Comment || kind == TTokenKind::String) {
    return {};
  }
  const TCustomProperties properties = FindCustomProperties(document, blocks);
  const TCustomPropertyUse* over = nullptr;
  for (const TCustomPropertyUse& use : properties.Uses) {
    if (use.Start <= position && position < use.NameEnd) {
      over = &use;
    }
  }
  std::string name;
  if (over != nullptr) {
    name = over->Name;
  } else {
    for (const TCustomPropertyDefinition& definition : properties.Definitions) {
      if (definition.NameStart <= position && position < definition.NameEnd) {
        name = definition.Name;
      }
    }
  }
  if (name.empty()) {
    return {};
  }
  const TCustomPropertyValue value =
      ResolveCustomProperty(document, blocks, properties, name, position);
  std::string tip;
  if (value.Defined) {
    tip = name + ": " + value.Value;
    const size_t count = ApplyingDefinitions(document, blocks, properties, name, position).size();
    if (count > 1) {
      tip.append("\n(the last of ")
          .append(std::to_string(count))
          .append(" definitions that may apply here)");
    }
  } else {
    tip = name + " is not defined in this sheet";
  }
  if (over != nullptr) {
    TResolver resolver(document, blocks, properties, position);
    const std::optional<std::string> resolved = resolver.Substituted(over->Start, over->End);
    if (resolved) {
      tip.append("\nResolves to: ")
          .append(resolved->empty() ? std::string("(nothing)") : *resolved);
    } else {
      tip.append("\nDoes not resolve: ").append(resolver.Problem);
    }
  } else if (value.Resolves) {
    if (value.Resolved != value.Value) {
      tip.append("\nResolves to: ").append(value.Resolved);
    }
  } else {
    tip.append("\nDoes not resolve: ").append(value.Problem);
  }
  return tip;
}

bool IsCustomPropertyName(std::string_view text) {
  return text.size() > 2 && text.starts_with("--") &&
         std::all_of(text.begin(), text.end(), [](char c) { return IsNameChar(c); });
}

TRenamePlan PlanCustomPropertyRename(const TDocument& /*document*/,
                                     const TCustomProperties& properties, std::string_view from,
                                     std::string_view to, int32_t caret) {
  TRenamePlan plan;
  if (!IsCustomPropertyName(to)) {
    plan.Refusal = FormatMessage(
        "\"%s\" is no custom property name: it starts with \"--\" and holds letters, digits, "
        "\"-\" and \"_\" only.",
        {to});
    return plan;
  }
  std::vector<std::pair<int32_t, int32_t>> places;
  bool taken = false;
  const auto note = [&](const std::string& name, int32_t start, int32_t end) {
    if (name == from) {
      places.emplace_back(start, end);
    } else if (name == to) {
      taken = true;
    }
  };
  for (const auto& definition : properties.Definitions) {
    note(definition.Name, definition.NameStart, definition.NameEnd);
  }
  for (const auto& use : properties.Uses) {
    note(use.Name, use.NameStart, use.NameEnd);
  }
  for (const auto& registration : properties.Registrations) {
    note(registration.Name, registration.NameStart, registration.NameEnd);
  }
  if (places.empty()) {
    plan.Refusal = FormatMessage("%s is neither defined nor used in this sheet.", {from});
    return plan;
  }
  if (from == to) {
    return plan;
  }
  if (taken) {
    plan.Refusal =
        FormatMessage("The name %s is taken: another custom property of this sheet has it.", {to});
    return plan;
  }
  for (const auto& [start, end] : places) {
    plan.Batch.Add({start, end, std::string(to), start});
  }
  plan.Batch.KeepCaret(caret);
  plan.Count = static_cast<int32_t>(places.size());
  return plan;
}

std::optional<TVarCompletion> VarCompletionAt(const TDocument& document, int32_t caret) {
  const TLineCol at = document.IndexToLineCol(caret);
  if (at.Line > document.LineCount()) {
    return std::nullopt;
  }
  const std::string_view line = document.LineText(at.Line);
  const int32_t offset = std::min(at.Col - 1, static_cast<int32_t>(line.size()));
  int32_t start = offset;
  while (start > 0 && IsNameChar(At(line, start - 1))) {
    --start;
  }
  int32_t end = offset;
  while (IsNameChar(At(line, end))) {
    ++end;
  }
  if (start < end && At(line, start) != '-') {
    if (start < offset) {
      return std::nullopt;
    }
    // Right after "var(" in front of another word: the name goes in front of it.
    end = offset;
  }
  int32_t paren = start - 1;
  while (paren >= 0 && IsBlank(At(line, paren))) {
    --paren;
  }
  if (At(line, paren) != '(' || !OpensVar(line, paren)) {
    return std::nullopt;
  }
  const TTokenKind kind = document.TokenAt(at.Line, paren + 1);
  if (kind == TTokenKind::Comment || kind == TTokenKind::String) {
    return std::nullopt;
  }
  const int32_t lineStart = document.LineStart(at.Line);
  return TVarCompletion{lineStart + start, lineStart + end,
                        std::string(Range(line, start, offset))};
}

std::vector<TVarCandidate> VarCandidates(const TDocument& document,
                                         const TCustomProperties& properties,
                                         std::string_view prefix) {
  std::map<std::string, std::string> last;
  for (const TCustomPropertyDefinition& definition : properties.Definitions) {
    if (std::string_view(definition.Name).starts_with(prefix)) {
      last[definition.Name] =
          Clipped(OneLine(Range(document.Text(), definition.ValueStart, definition.ValueEnd)), 40);
    }
  }
  std::vector<TVarCandidate> candidates;
  candidates.reserve(last.size());
  for (auto& [name, value] : last) {
    candidates.push_back({name, std::move(value)});
  }
  return candidates;
}

}  // namespace qm
