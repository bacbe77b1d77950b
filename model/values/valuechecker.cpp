// SPDX-License-Identifier: GPL-3.0-or-later
// The catalogue's value syntaxes loaded into one grammar, and a declaration's value judged
// against its property's syntax with a message that says why it does not fit.
#include "model/values/valuechecker.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <vector>

#include "model/asciicase.h"
#include "model/values/mathcheck.h"
#include "model/values/valuetypes.h"

namespace qm {
namespace {

// The key=value lines of an INI text, each with its section, in file order.
template <typename TLine>
void ForEachEntry(std::string_view text, TLine line) {
  std::string_view section;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view row = Trimmed(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (row.empty() || row.front() == ';') {
      continue;
    }
    if (row.front() == '[' && row.back() == ']') {
      section = row.substr(1, row.size() - 2);
      line(section, std::string_view(), std::string_view(), true);
      continue;
    }
    const size_t equals = row.find('=');
    if (equals != std::string_view::npos) {
      std::string_view value = Trimmed(row.substr(equals + 1));
      // One pair of enclosing quotes goes, as the catalogue's INI reader takes them off.
      if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
          value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
      }
      line(section, Trimmed(row.substr(0, equals)), value, false);
    }
  }
  line(std::string_view(), std::string_view(), std::string_view(), true);
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// The value without "!important" and the blanks around it.
std::string_view WithoutPriority(std::string_view value) {
  value = Trimmed(value);
  const size_t bang = value.rfind('!');
  if (bang != std::string_view::npos &&
      EqualIgnoringAsciiCase(Trimmed(value.substr(bang + 1)), "important")) {
    value = Trimmed(value.substr(0, bang));
  }
  return value;
}

bool ValidUntilComputed(const TValueTokens& tokens) {
  for (const TValueToken& token : tokens.Tokens) {
    if (token.Kind == TValueTokenKind::Function &&
        (EqualIgnoringAsciiCase(token.Text, "var") || EqualIgnoringAsciiCase(token.Text, "env") ||
         EqualIgnoringAsciiCase(token.Text, "attr"))) {
      return true;
    }
  }
  return false;
}

// The value as a message quotes it, on one line: each run of blanks and line breaks one blank,
// a long value cut short.
std::string Quoted(std::string_view value) {
  constexpr size_t kLongest = 60;
  std::string line;
  for (const char c : value) {
    if (IsBlankOrControl(c)) {
      if (!line.empty() && line.back() != ' ') {
        line += ' ';
      }
    } else {
      line += c;
    }
  }
  if (line.size() <= kLongest) {
    return line;
  }
  size_t cut = kLongest;
  while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) {
    --cut;
  }
  return line.substr(0, cut) + "...";
}

// What browsers also accept for a property beyond its syntax, as " | form".
std::string LegacyForm(std::string_view property) {
  // The sides of rect() separated by blanks alone, which CSS 2.1 lets browsers read.
  if (property == "clip") {
    return " | rect( <top> <right> <bottom> <left> )";
  }
  return {};
}

// A syntax as a message names it: whole when short, else its first alternatives and "...".
std::string Brief(std::string_view syntax) {
  constexpr size_t kLongest = 64;
  if (syntax.size() <= kLongest) {
    return std::string(syntax);
  }
  // Cut at the last " | " of the top level that keeps it short.
  int depth = 0;
  size_t cut = 0;
  for (size_t i = 0; i + 2 < syntax.size() && i < kLongest; ++i) {
    const char c = syntax[i];
    depth += (c == '[' || c == '(') ? 1 : (c == ']' || c == ')') ? -1 : 0;
    if (depth == 0 && syntax.substr(i, 3) == " | ") {
      cut = i;
    }
  }
  return cut == 0 ? std::string(syntax.substr(0, kLongest)) + "..."
                  : std::string(syntax.substr(0, cut)) + " | ...";
}

// The edit distance of a and b in any letter case, a swap of two neighbours counting one;
// more than limit is limit + 1.
int32_t Distance(std::string_view a, std::string_view b, int32_t limit) {
  if (static_cast<int32_t>(a.size()) - static_cast<int32_t>(b.size()) > limit ||
      static_cast<int32_t>(b.size()) - static_cast<int32_t>(a.size()) > limit) {
    return limit + 1;
  }
  const size_t n = b.size();
  std::vector<int32_t> before(n + 1);
  std::vector<int32_t> last(n + 1);
  std::vector<int32_t> row(n + 1);
  for (size_t j = 0; j <= n; ++j) {
    last[j] = static_cast<int32_t>(j);
  }
  for (size_t i = 1; i <= a.size(); ++i) {
    row[0] = static_cast<int32_t>(i);
    for (size_t j = 1; j <= n; ++j) {
      const bool same = AsciiLowerCase(a.substr(i - 1, 1)) == AsciiLowerCase(b.substr(j - 1, 1));
      row[j] = std::min({last[j] + 1, row[j - 1] + 1, last[j - 1] + (same ? 0 : 1)});
      if (i > 1 && j > 1 &&
          AsciiLowerCase(a.substr(i - 1, 1)) == AsciiLowerCase(b.substr(j - 2, 1)) &&
          AsciiLowerCase(a.substr(i - 2, 1)) == AsciiLowerCase(b.substr(j - 1, 1))) {
        row[j] = std::min(row[j], before[j - 2] + 1);
      }
    }
    before.swap(last);
    last.swap(row);
  }
  return std::min(last[n], limit + 1);
}

}  // namespace

std::string Nearest(std::string_view word, const std::vector<std::string_view>& names) {
  // One letter off for short words, two for longer ones; a tie names nobody.
  const int32_t limit = word.size() <= 4 ? 1 : 2;
  int32_t best = limit + 1;
  std::string_view found;
  bool tie = false;
  for (const std::string_view name : names) {
    const int32_t distance = Distance(word, name, limit);
    if (distance == 0) {
      return {};
    }
    if (distance < best) {
      best = distance;
      found = name;
      tie = false;
    } else if (distance == best && name != found) {
      tie = true;
    }
  }
  return best <= limit && !tie ? std::string(found) : std::string();
}

namespace {

// Which old-browser hack a declaration is, in words; empty for none.
std::string HackOf(std::string_view property, std::string_view value) {
  if (property.starts_with('*')) {
    return "the `*` property hack, which only Internet Explorer 7 and older read";
  }
  if (property.starts_with('_')) {
    return "the `_` property hack, which only Internet Explorer 6 reads";
  }
  if (EqualIgnoringAsciiCase(property, "behavior")) {
    return "Internet Explorer's HTC binding, which no other browser reads";
  }
  if (value.ends_with("\\9")) {
    return "the `\\9` value hack, which only Internet Explorer 10 and older read";
  }
  if (value.ends_with("\\0") || value.ends_with("\\0/")) {
    return "the `\\0` value hack, which only Internet Explorer 8 to 10 read";
  }
  const auto startsWith = [value](std::string_view head) {
    return value.size() >= head.size() &&
           EqualIgnoringAsciiCase(value.substr(0, head.size()), head);
  };
  if (startsWith("progid:")) {
    return "Internet Explorer's `progid:` filter, which no other browser reads";
  }
  if (startsWith("alpha(opacity")) {
    return "Internet Explorer's `alpha(opacity=...)` filter, which no other browser reads";
  }
  for (size_t at = value.find('('); at != std::string_view::npos; at = value.find('(', at + 1)) {
    if (at >= 10 && EqualIgnoringAsciiCase(value.substr(at - 10, 10), "expression")) {
      return "Internet Explorer's `expression()`, which no other browser reads";
    }
  }
  return {};
}

}  // namespace

TValueChecker TValueChecker::FromFiles(const std::filesystem::path& css3,
                                       const std::filesystem::path& syntaxes) {
  return FromText(ReadFile(css3), ReadFile(syntaxes));
}

TValueChecker TValueChecker::FromText(std::string_view css3, std::string_view syntaxes) {
  TValueChecker checker;
  ForEachEntry(syntaxes, [&](std::string_view section, std::string_view key, std::string_view value,
                             bool sectionEnds) {
    if (!sectionEnds && EqualIgnoringAsciiCase(section, "syntaxes") && !key.empty()) {
      checker.grammar_.Name(key, checker.grammar_.Parse(value), false);
    }
  });
  // The pseudo-classes and pseudo-elements ("[selectors] pseudo-classes=a|b").
  ForEachEntry(css3, [&](std::string_view section, std::string_view key, std::string_view value,
                         bool sectionEnds) {
    if (sectionEnds || !EqualIgnoringAsciiCase(section, "selectors")) {
      return;
    }
    const bool elements = EqualIgnoringAsciiCase(key, "pseudo-elements");
    auto& names = elements ? checker.pseudoElements_ : checker.pseudoClasses_;
    while (!value.empty()) {
      const size_t bar = value.find('|');
      names.insert(AsciiLowerCase(Trimmed(value.substr(0, bar))));
      value = bar == std::string_view::npos ? std::string_view() : value.substr(bar + 1);
    }
  });
  // The descriptors of at-rules whose blocks hold nothing else ("[descriptors] @rule=a|b").
  // @page also takes the properties of the page box: its list is not a limit.
  ForEachEntry(css3, [&](std::string_view section, std::string_view key, std::string_view value,
                         bool sectionEnds) {
    if (!sectionEnds && EqualIgnoringAsciiCase(section, "descriptors") && key.starts_with('@') &&
        !EqualIgnoringAsciiCase(key, "@page")) {
      auto& names = checker.descriptors_[AsciiLowerCase(key)];
      while (!value.empty()) {
        const size_t bar = value.find('|');
        names.insert(AsciiLowerCase(Trimmed(value.substr(0, bar))));
        value = bar == std::string_view::npos ? std::string_view() : value.substr(bar + 1);
      }
    }
  });
  // The features of @media and @container conditions ("[media-features] width=<length>").
  ForEachEntry(css3, [&](std::string_view section, std::string_view key, std::string_view value,
                         bool sectionEnds) {
    if (!sectionEnds && EqualIgnoringAsciiCase(section, "media-features") && !key.empty()) {
      const std::string lower = AsciiLowerCase(Trimmed(key));
      checker.mediaFeatures_.insert(lower);
      checker.grammar_.Name("@media/" + lower, checker.grammar_.Parse(value), true);
      checker.syntaxes_.insert_or_assign("@media/" + lower, std::string(value));
    }
  });
  // An entry's name and syntax; a descriptor (atrule=) is known as "@rule/name", apart from
  // the property of its name.
  std::string name;
  std::string syntax;
  std::string atRule;
  std::string useInstead;
  ForEachEntry(
      css3, [&](std::string_view, std::string_view key, std::string_view value, bool sectionEnds) {
        if (sectionEnds) {
          if (!name.empty() && !syntax.empty()) {
            const std::string lower = AsciiLowerCase(atRule.empty() ? name : atRule + "/" + name);
            checker.grammar_.Name(lower, checker.grammar_.Parse(syntax + LegacyForm(lower)), true);
            checker.syntaxes_.insert_or_assign(lower, syntax);
            if (!useInstead.empty()) {
              checker.useInstead_.insert_or_assign(lower, useInstead);
            }
          }
          name.clear();
          syntax.clear();
          atRule.clear();
          useInstead.clear();
        } else if (EqualIgnoringAsciiCase(key, "name")) {
          name = value;
        } else if (EqualIgnoringAsciiCase(key, "syntax")) {
          syntax = value;
        } else if (EqualIgnoringAsciiCase(key, "atrule")) {
          atRule = value;
        } else if (EqualIgnoringAsciiCase(key, "useinstead")) {
          useInstead = value;
        }
      });
  // The sides of rect() in clip, which the named syntaxes leave out.
  for (const std::string_view side : {"top", "right", "bottom", "left"}) {
    if (checker.grammar_.Root(side, false) < 0) {
      checker.grammar_.Name(side, checker.grammar_.Parse("<length> | auto"), false);
    }
  }
  checker.grammar_.Bind();
  return checker;
}

TValueCheck TValueChecker::OldName(std::string_view property, const std::string& lower) const {
  const auto current = useInstead_.find(lower);
  if (current == useInstead_.end()) {
    return {};
  }
  return {TValueVerdict::Warning,
          std::string("`").append(property) + "` is an old name that browsers still read: use `" +
              current->second + "`",
          true};
}

std::string_view TValueChecker::UseInstead(std::string_view property) const {
  const auto current = useInstead_.find(AsciiLowerCase(Trimmed(property)));
  return current == useInstead_.end() ? std::string_view() : std::string_view(current->second);
}

void TValueChecker::LimitTo(std::set<std::string, std::less<>> properties, std::string level) {
  level_ = std::move(properties);
  levelName_ = std::move(level);
}

TValueCheck TValueChecker::CheckPseudo(std::string_view name, bool element) const {
  const auto& names = element ? pseudoElements_ : pseudoClasses_;
  if (names.empty() || IsVendorPrefixed(name) || names.contains(AsciiLowerCase(name))) {
    return {};
  }
  const std::string colons = element ? "::" : ":";
  TValueCheck check{TValueVerdict::Error, "`" + colons + std::string(name) + "` is not a known " +
                                              (element ? "pseudo-element" : "pseudo-class")};
  std::vector<std::string_view> known(names.begin(), names.end());
  check.Fix = Nearest(name, known);
  if (!check.Fix.empty()) {
    check.Message += ": did you mean `" + colons + check.Fix + "`?";
  }
  return check;
}

TValueCheck TValueChecker::CheckMediaFeature(std::string_view name, std::string_view value) const {
  name = Trimmed(name);
  if (mediaFeatures_.empty() || IsVendorPrefixed(name)) {
    return {TValueVerdict::Unknown, {}};
  }
  if (!mediaFeatures_.contains(AsciiLowerCase(name))) {
    TValueCheck check{TValueVerdict::Error,
                      std::string("`").append(name) + "` is not a known media feature", true};
    check.Fix =
        Nearest(name, std::vector<std::string_view>(mediaFeatures_.begin(), mediaFeatures_.end()));
    if (!check.Fix.empty()) {
      check.Message += ": did you mean `" + check.Fix + "`?";
    }
    return check;
  }
  if (Trimmed(value).empty()) {
    return {};
  }
  return CheckValue(name, value, "@media");
}

bool TValueChecker::Knows(std::string_view property) const {
  return syntaxes_.contains(AsciiLowerCase(Trimmed(property)));
}

std::vector<std::string> TValueChecker::DescriptorsOf(std::string_view atRule) const {
  const auto found = descriptors_.find(AsciiLowerCase(atRule));
  return found == descriptors_.end()
             ? std::vector<std::string>()
             : std::vector<std::string>(found->second.begin(), found->second.end());
}

int32_t TValueChecker::SyntaxRoot(std::string_view property, std::string_view atRule) const {
  property = Trimmed(property);
  const std::string lower = AsciiLowerCase(
      atRule.empty() ? property : std::string(atRule) + std::string("/").append(property));
  return syntaxes_.contains(lower) ? grammar_.Root(lower, true) : -1;
}

TValueCheck TValueChecker::Check(std::string_view property, std::string_view value,
                                 std::string_view atRule) const {
  const std::string_view given = value;
  TValueCheck check = CheckValue(property, WithoutPriority(value), atRule);
  if (check.FaultEnd > 0) {
    const auto shift = static_cast<int32_t>(WithoutPriority(given).data() - given.data());
    check.FaultStart += shift;
    check.FaultEnd += shift;
  }
  return check;
}

TValueCheck TValueChecker::CheckValue(std::string_view property, std::string_view value,
                                      std::string_view atRule) const {
  property = Trimmed(property);
  if (const std::string hack = HackOf(property, value); !hack.empty()) {
    if (!hackWarnings_) {
      return {};
    }
    return {TValueVerdict::Warning, std::string("`").append(property) + "`: " + hack,
            property.starts_with('*') || property.starts_with('_') ||
                EqualIgnoringAsciiCase(property, "behavior")};
  }
  if (property.starts_with('-')) {
    return {};  // a custom property, or one a browser maker has its own syntax for
  }
  const std::string lower = AsciiLowerCase(
      atRule.empty() ? property : std::string(atRule) + std::string("/").append(property));
  const auto syntax = syntaxes_.find(lower);
  if (syntaxes_.empty()) {
    return {TValueVerdict::Unknown, {}};  // without its data the checker judges nothing
  }
  if (atRule.empty() && !level_.empty() && !level_.contains(lower)) {
    return {TValueVerdict::Error,
            std::string("`").append(property) + "` is not a property of " + levelName_, true};
  }
  if (!atRule.empty()) {
    const auto descriptors = descriptors_.find(AsciiLowerCase(atRule));
    if (descriptors != descriptors_.end() &&
        !descriptors->second.contains(AsciiLowerCase(property))) {
      return {TValueVerdict::Error,
              std::string("`").append(property) + "` is not a descriptor of `" +
                  AsciiLowerCase(atRule) + "`",
              true};
    }
  }
  if (syntax == syntaxes_.end()) {
    // The catalogue lists only some descriptors of an at-rule: another name is not judged.
    if (!atRule.empty()) {
      return {TValueVerdict::Unknown, {}};
    }
    TValueCheck unknown{TValueVerdict::Error,
                        std::string("`").append(property) + "` is not a known property", true};
    std::vector<std::string_view> names;
    names.reserve(syntaxes_.size());
    for (const auto& [known, unused] : syntaxes_) {
      if (known.find('/') == std::string::npos) {
        names.push_back(known);
      }
    }
    unknown.Fix = Nearest(property, names);
    if (!unknown.Fix.empty()) {
      unknown.Message += ": did you mean `" + unknown.Fix + "`?";
    }
    return unknown;
  }
  const TValueTokens tokens = TokeniseValue(value);
  if (tokens.Tokens.empty()) {
    return {TValueVerdict::Error, std::string("`").append(property) + "` has no value"};
  }
  if (ValidUntilComputed(tokens) ||
      (tokens.TopEnd == 1 && tokens.Tokens[0].Kind == TValueTokenKind::Ident &&
       IsCssWideKeyword(tokens.Tokens[0].Text))) {
    return OldName(property, lower);
  }
  const int32_t root = grammar_.Root(lower, true);
  switch (grammar_.Match(root, tokens, false)) {
    case TValueGrammar::TMatch::Yes:
      return OldName(property, lower);
    case TValueGrammar::TMatch::Unknown:
      return {TValueVerdict::Unknown, {}};
    case TValueGrammar::TMatch::No:
      break;
  }
  return Mismatch(property, value, tokens, root, syntax->second);
}

TValueCheck TValueChecker::Mismatch(std::string_view property, std::string_view value,
                                    const TValueTokens& tokens, int32_t root,
                                    const std::string& syntax) const {
  const std::string name = std::string("`").append(property) + "`: ";
  TValueCheck check;
  check.Verdict = TValueVerdict::Error;
  check.Detail = std::string(property) + ": " + syntax;
  // A name and a colon inside the value: the ";" before them was left out.
  for (int32_t k = 1; k + 1 < tokens.TopEnd; ++k) {
    const TValueToken& word = tokens.Tokens[static_cast<size_t>(k)];
    const TValueToken& colon = tokens.Tokens[static_cast<size_t>(k + 1)];
    if (word.Kind == TValueTokenKind::Ident && colon.Kind == TValueTokenKind::Delim &&
        colon.Text == ":") {
      const int32_t end = tokens.Tokens[static_cast<size_t>(k - 1)].End;
      check.Message = std::string("missing `;` before `").append(word.Text) + "`";
      check.FaultStart = end;
      check.FaultEnd = end + 1;
      return check;
    }
  }
  // A math function with a fault inside is told by that fault, where it is.
  for (const TValueToken& token : tokens.Tokens) {
    if (token.Kind == TValueTokenKind::Function && IsMathFunction(token.Text)) {
      const TMathType math = MathTypeOf(tokens, token, value);
      if (math.Kind == TMathKind::Invalid) {
        check.Message = name + math.Fault;
        check.FaultStart = math.FaultStart;
        check.FaultEnd = math.FaultEnd;
        return check;
      }
    }
  }
  if (grammar_.Match(root, tokens, true) == TValueGrammar::TMatch::Yes) {
    check.Verdict = TValueVerdict::Warning;
    check.Message = name + "`" + Quoted(value) + "` is valid only with its vendor-prefixed keyword";
    return check;
  }
  // The first token past the longest start of the value that the syntax takes whole.
  const int32_t unfit = std::min(grammar_.Reach(root, tokens), tokens.TopEnd - 1);
  const TValueToken& token = tokens.Tokens[static_cast<size_t>(std::max(unfit, 0))];
  check.FaultStart = token.Start;
  check.FaultEnd = token.End;
  const std::string_view text =
      value.substr(static_cast<size_t>(token.Start), static_cast<size_t>(token.End - token.Start));
  if (token.Kind == TValueTokenKind::Function && IsMathFunction(token.Text)) {
    const TMathType math = MathTypeOf(tokens, token, value);
    if (math.Kind != TMathKind::Unknown) {
      check.Message = name + "`" + Quoted(text) +
                      std::string("` gives ").append(MathKindName(math.Kind)) +
                      ", which does not fit here";
      return check;
    }
  }
  const TSyntaxNode& top = grammar_.Node(root);
  bool keywords = top.Kind == TSyntaxKind::OneOf || top.Kind == TSyntaxKind::Keyword;
  for (const int32_t child : top.Children) {
    keywords = keywords && grammar_.Node(child).Kind == TSyntaxKind::Keyword;
  }
  check.Message = name + "`" + Quoted(unfit == 0 && tokens.TopEnd == 1 ? value : text) + "` " +
                  (keywords ? "is not one of " : "does not match ") + Brief(syntax);
  if (token.Kind == TValueTokenKind::Ident) {
    const std::string near = Nearest(token.Text, grammar_.Keywords(root));
    if (!near.empty()) {
      check.Message += ": did you mean `" + near + "`?";
      check.Fix = near;
    }
  }
  return check;
}

}  // namespace qm
