// SPDX-License-Identifier: GPL-3.0-or-later
// The catalogue's value syntaxes loaded into one grammar, and a declaration's value judged
// against its property's syntax with a message that says why it does not fit.
#include "model/values/valuechecker.h"

#include <fstream>
#include <sstream>

#include "model/asciicase.h"
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

// The value as a message quotes it: a long one cut short.
std::string Quoted(std::string_view value) {
  constexpr size_t kLongest = 60;
  if (value.size() <= kLongest) {
    return std::string(value);
  }
  size_t cut = kLongest;
  while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80) {
    --cut;
  }
  return std::string(value.substr(0, cut)) + "...";
}

// What browsers also accept for a property beyond its syntax, as " | form".
std::string LegacyForm(std::string_view property) {
  // The sides of rect() separated by blanks alone, which CSS 2.1 lets browsers read.
  if (property == "clip") {
    return " | rect( <top> <right> <bottom> <left> )";
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
  // An entry's name and syntax; a descriptor (atrule=) is known as "@rule/name", apart from
  // the property of its name.
  std::string name;
  std::string syntax;
  std::string atRule;
  ForEachEntry(
      css3, [&](std::string_view, std::string_view key, std::string_view value, bool sectionEnds) {
        if (sectionEnds) {
          if (!name.empty() && !syntax.empty()) {
            const std::string lower = AsciiLowerCase(atRule.empty() ? name : atRule + "/" + name);
            checker.grammar_.Name(lower, checker.grammar_.Parse(syntax + LegacyForm(lower)), true);
            checker.syntaxes_.insert_or_assign(lower, syntax);
          }
          name.clear();
          syntax.clear();
          atRule.clear();
        } else if (EqualIgnoringAsciiCase(key, "name")) {
          name = value;
        } else if (EqualIgnoringAsciiCase(key, "syntax")) {
          syntax = value;
        } else if (EqualIgnoringAsciiCase(key, "atrule")) {
          atRule = value;
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

bool TValueChecker::Knows(std::string_view property) const {
  return syntaxes_.contains(AsciiLowerCase(Trimmed(property)));
}

int32_t TValueChecker::SyntaxRoot(std::string_view property, std::string_view atRule) const {
  property = Trimmed(property);
  const std::string lower =
      AsciiLowerCase(atRule.empty() ? property : std::string(atRule) + "/" + std::string(property));
  return syntaxes_.contains(lower) ? grammar_.Root(lower, true) : -1;
}

TValueCheck TValueChecker::Check(std::string_view property, std::string_view value,
                                 std::string_view atRule) const {
  property = Trimmed(property);
  if (property.starts_with('-')) {
    return {};  // a custom property, or one a browser maker has its own syntax for
  }
  value = WithoutPriority(value);
  const std::string lower =
      AsciiLowerCase(atRule.empty() ? property : std::string(atRule) + "/" + std::string(property));
  const auto syntax = syntaxes_.find(lower);
  if (syntaxes_.empty()) {
    return {TValueVerdict::Unknown, {}};  // without its data the checker judges nothing
  }
  if (syntax == syntaxes_.end()) {
    // The catalogue lists only some descriptors of an at-rule: another name is not judged.
    if (!atRule.empty()) {
      return {TValueVerdict::Unknown, {}};
    }
    return {TValueVerdict::Error, "`" + std::string(property) + "` is not a known property"};
  }
  const TValueTokens tokens = TokeniseValue(value);
  if (tokens.Tokens.empty()) {
    return {TValueVerdict::Error, "`" + std::string(property) + "` has no value"};
  }
  if (ValidUntilComputed(tokens) ||
      (tokens.TopEnd == 1 && tokens.Tokens[0].Kind == TValueTokenKind::Ident &&
       IsCssWideKeyword(tokens.Tokens[0].Text))) {
    return {};
  }
  const int32_t root = grammar_.Root(lower, true);
  switch (grammar_.Match(root, tokens, false)) {
    case TValueGrammar::TMatch::Yes:
      return {};
    case TValueGrammar::TMatch::Unknown:
      return {TValueVerdict::Unknown, {}};
    case TValueGrammar::TMatch::No:
      break;
  }
  const std::string head = "`" + std::string(property) + "`: `" + Quoted(value) + "` ";
  if (grammar_.Match(root, tokens, true) == TValueGrammar::TMatch::Yes) {
    return {TValueVerdict::Warning, head + "is valid only with its vendor-prefixed keyword"};
  }
  const TSyntaxNode& top = grammar_.Node(root);
  bool keywords = top.Kind == TSyntaxKind::OneOf || top.Kind == TSyntaxKind::Keyword;
  for (const int32_t child : top.Children) {
    keywords = keywords && grammar_.Node(child).Kind == TSyntaxKind::Keyword;
  }
  return {TValueVerdict::Error,
          head + (keywords ? "is not one of " : "does not match ") + syntax->second};
}

}  // namespace qm
