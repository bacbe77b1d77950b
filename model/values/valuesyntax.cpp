// SPDX-License-Identifier: GPL-3.0-or-later
// Parsing value definition syntaxes into one grammar tree, each in one pass, and binding the
// references between them.
#include "model/values/valuesyntax.h"

#include <algorithm>
#include <charconv>
#include <utility>

#include "model/asciicase.h"
#include "model/textbytes.h"
#include "model/values/valuetypes.h"

namespace qm {
namespace {

TSyntaxNode NodeOf(TSyntaxKind kind, std::string text = {}, std::vector<int32_t> children = {}) {
  TSyntaxNode node;
  node.Kind = kind;
  node.Text = std::move(text);
  node.Children = std::move(children);
  return node;
}

// The syntaxes are the program's own ASCII text: any control byte separates, and a byte above
// 127 is no part of a name.
using textbytes::IsAsciiNameChar;

class TSyntaxParser {
 public:
  TSyntaxParser(std::string_view text, std::vector<TSyntaxNode>& nodes)
      : text_(text), nodes_(nodes) {}

  int32_t Whole() {
    const int32_t root = OneOf();
    SkipBlanks();
    if (at_ < text_.size()) {
      return Add(NodeOf(TSyntaxKind::Invalid, std::string(text_)));
    }
    return root;
  }

 private:
  int32_t Add(TSyntaxNode node) {
    nodes_.push_back(std::move(node));
    return static_cast<int32_t>(nodes_.size() - 1);
  }

  void SkipBlanks() {
    while (at_ < text_.size() && IsBlankOrControl(text_[at_])) {
      ++at_;
    }
  }

  bool Peek(std::string_view what) {
    SkipBlanks();
    return text_.substr(at_, what.size()) == what;
  }

  int32_t Combine(TSyntaxKind kind, std::vector<int32_t> children) {
    if (children.size() == 1) {
      return children.front();
    }
    return Add(NodeOf(kind, {}, std::move(children)));
  }

  int32_t OneOf() {
    std::vector<int32_t> children{AnyOf()};
    while (Peek("|") && !Peek("||")) {
      ++at_;
      children.push_back(AnyOf());
    }
    return Combine(TSyntaxKind::OneOf, std::move(children));
  }

  int32_t AnyOf() {
    std::vector<int32_t> children{AllOf()};
    while (Peek("||")) {
      at_ += 2;
      children.push_back(AllOf());
    }
    return Combine(TSyntaxKind::AnyOf, std::move(children));
  }

  int32_t AllOf() {
    std::vector<int32_t> children{Sequence()};
    while (Peek("&&")) {
      at_ += 2;
      children.push_back(Sequence());
    }
    return Combine(TSyntaxKind::AllOf, std::move(children));
  }

  int32_t Sequence() {
    std::vector<int32_t> children;
    while (true) {
      SkipBlanks();
      if (at_ >= text_.size() || text_[at_] == ']' || text_[at_] == ')' || text_[at_] == '|' ||
          Peek("&&")) {
        break;
      }
      children.push_back(Term());
    }
    if (children.empty()) {
      return Add(NodeOf(TSyntaxKind::Invalid, "empty"));
    }
    return Combine(TSyntaxKind::Sequence, std::move(children));
  }

  // "{m}", "{m,}" or "{m,n}" at at_; false (and at_ unchanged) for anything else.
  bool Range(int32_t& min, int32_t& max) {
    // A count is short: looking further for its "}" would make a stray "{" cost a scan.
    const size_t close = text_.substr(0, std::min(text_.size(), at_ + 24)).find('}', at_);
    if (close == std::string_view::npos) {
      return false;
    }
    const std::string_view inside = text_.substr(at_ + 1, close - at_ - 1);
    const size_t comma = inside.find(',');
    const std::string_view first = inside.substr(0, comma);
    if (std::from_chars(first.data(), first.data() + first.size(), min).ec != std::errc()) {
      return false;
    }
    max = min;
    if (comma != std::string_view::npos) {
      const std::string_view second = Trimmed(inside.substr(comma + 1));
      max = -1;
      if (!second.empty() &&
          std::from_chars(second.data(), second.data() + second.size(), max).ec != std::errc()) {
        return false;
      }
    }
    at_ = close + 1;
    return true;
  }

  int32_t Term() {
    int32_t node = Primary();
    while (at_ < text_.size()) {
      const char c = text_[at_];
      TSyntaxNode repeat = NodeOf(TSyntaxKind::Repeat, {}, {node});
      if (c == '?') {
        repeat.Min = 0;
        ++at_;
      } else if (c == '*') {
        repeat.Min = 0;
        repeat.Max = -1;
        ++at_;
      } else if (c == '+') {
        repeat.Max = -1;
        ++at_;
      } else if (c == '#') {
        repeat.Max = -1;
        repeat.Comma = true;
        ++at_;
        if (at_ < text_.size() && text_[at_] == '{') {
          Range(repeat.Min, repeat.Max);
        }
      } else if (c == '!') {
        repeat.Required = true;
        ++at_;
      } else if (c == '{' && Range(repeat.Min, repeat.Max)) {
      } else {
        break;
      }
      node = Add(std::move(repeat));
    }
    return node;
  }

  int32_t Primary() {
    const char c = text_[at_];
    if (c == '[') {
      ++at_;
      const int32_t inside = OneOf();
      if (Peek("]")) {
        ++at_;
        return inside;
      }
      return Add(NodeOf(TSyntaxKind::Invalid, "["));
    }
    if (c == '<') {
      return Type();
    }
    if (c == '\'') {
      const size_t close = text_.find('\'', at_ + 1);
      if (close == std::string_view::npos) {
        at_ = text_.size();
        return Add(NodeOf(TSyntaxKind::Invalid, "'"));
      }
      std::string inside(text_.substr(at_ + 1, close - at_ - 1));
      at_ = close + 1;
      const bool literal = inside.size() == 1 && !IsAsciiNameChar(inside[0]);
      return Add(NodeOf(literal ? TSyntaxKind::Literal : TSyntaxKind::Keyword, std::move(inside)));
    }
    if (c == ',' || c == '/') {
      ++at_;
      return Add(NodeOf(TSyntaxKind::Literal, std::string(1, c)));
    }
    if (IsAsciiNameChar(c) || c == '(') {
      const size_t start = at_;
      while (at_ < text_.size() && IsAsciiNameChar(text_[at_])) {
        ++at_;
      }
      std::string name(text_.substr(start, at_ - start));
      if (at_ < text_.size() && text_[at_] == '(') {
        ++at_;
        TSyntaxNode function = NodeOf(TSyntaxKind::Function, std::move(name));
        if (!Peek(")")) {
          function.Children.push_back(OneOf());
        }
        if (!Peek(")")) {
          return Add(NodeOf(TSyntaxKind::Invalid, "("));
        }
        ++at_;
        return Add(std::move(function));
      }
      return Add(NodeOf(TSyntaxKind::Keyword, std::move(name)));
    }
    ++at_;
    return Add(NodeOf(TSyntaxKind::Invalid, std::string(1, c)));
  }

  static double Bound(std::string_view text) {
    text = Trimmed(text);
    if (text.ends_with("\xE2\x88\x9E")) {  // infinity
      return text.starts_with('-') ? -1e300 : 1e300;
    }
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
  }

  int32_t Type() {
    const size_t close = text_.find('>', at_);
    if (close == std::string_view::npos) {
      at_ = text_.size();
      return Add(NodeOf(TSyntaxKind::Invalid, "<"));
    }
    std::string_view inside = Trimmed(text_.substr(at_ + 1, close - at_ - 1));
    at_ = close + 1;
    TSyntaxNode type = NodeOf(TSyntaxKind::Type);
    if (inside.size() >= 2 && inside.front() == '\'' && inside.back() == '\'') {
      type.IsProperty = true;
      inside = inside.substr(1, inside.size() - 2);
    }
    const size_t bracket = inside.find('[');
    if (bracket != std::string_view::npos && inside.ends_with(']')) {
      const std::string_view range = inside.substr(bracket + 1, inside.size() - bracket - 2);
      const size_t comma = range.find(',');
      if (comma != std::string_view::npos) {
        type.Low = Bound(range.substr(0, comma));
        type.High = Bound(range.substr(comma + 1));
      }
      inside = Trimmed(inside.substr(0, bracket));
    }
    type.Text = std::string(inside);
    return Add(std::move(type));
  }

  std::string_view text_;
  size_t at_ = 0;
  std::vector<TSyntaxNode>& nodes_;
};

}  // namespace

int32_t TValueGrammar::Parse(std::string_view syntax) {
  if (Trimmed(syntax).empty()) {
    nodes_.push_back(NodeOf(TSyntaxKind::Invalid, "empty"));
    return static_cast<int32_t>(nodes_.size() - 1);
  }
  return TSyntaxParser(syntax, nodes_).Whole();
}

void TValueGrammar::Name(std::string_view name, int32_t root, bool isProperty) {
  (isProperty ? properties_ : named_).insert_or_assign(AsciiLowerCase(name), root);
}

int32_t TValueGrammar::Root(std::string_view name, bool isProperty) const {
  const auto& names = isProperty ? properties_ : named_;
  const auto found = names.find(AsciiLowerCase(name));
  return found == names.end() ? -1 : found->second;
}

void TValueGrammar::Bind() {
  for (TSyntaxNode& node : nodes_) {
    if (node.Kind != TSyntaxKind::Type) {
      continue;
    }
    node.Target = -1;
    if (const auto builtin = node.IsProperty ? std::nullopt : BuiltinTypeNamed(node.Text)) {
      node.Target = kBuiltinTarget - static_cast<int32_t>(*builtin);
    }
    if (node.Target == -1) {
      node.Target = Root(node.Text, node.IsProperty);
    }
  }
}

}  // namespace qm
