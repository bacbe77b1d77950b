// SPDX-License-Identifier: GPL-3.0-or-later
// The value definition syntax of CSS (keywords, <types>, combinators and multipliers) parsed
// once into a grammar tree, and a declaration's value tokens matched against it.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "model/values/valuetokens.h"

namespace qm {

enum class TSyntaxKind : uint8_t {
  Keyword,   // an identifier, matched without regard to ASCII case
  Literal,   // a character such as "," "/" or "'+'"
  Function,  // name( body )
  Type,      // <name> or <'property'>, bound to a built-in type or another syntax
  Sequence,  // a b c: in this order
  AllOf,     // a && b: all, in any order
  AnyOf,     // a || b: one or more, in any order
  OneOf,     // a | b: exactly one
  Repeat,    // a{Min,Max}, a?, a*, a+, a#, a!
  Invalid,   // a piece of syntax that could not be read, or a name that is nowhere defined
};

struct TSyntaxNode {
  TSyntaxKind Kind = TSyntaxKind::Invalid;
  std::string Text;  // keyword, literal, function name or type name as written
  std::vector<int32_t> Children;
  int32_t Min = 1;
  int32_t Max = 1;          // -1: without limit
  bool Comma = false;       // "#": the repetitions are separated by commas
  bool Required = false;    // "!": the group matches at least one token
  bool IsProperty = false;  // <'name'>
  double Low = -1e300;      // <type [Low,High]>
  double High = 1e300;
  int32_t Target = -1;  // Type: the bound syntax's root, or a built-in type below -1
};

// Many syntaxes in one tree, so that references between them are node indexes.
class TValueGrammar {
 public:
  // Parses syntax into nodes and gives its root; a piece it cannot read becomes an Invalid node,
  // so a faulty syntax never stops the others. Linear in the syntax's size.
  int32_t Parse(std::string_view syntax);

  // Names a parsed syntax for references: "<name>" finds a named one, "<'name'>" a property's.
  void Name(std::string_view name, int32_t root, bool isProperty);

  // Binds every reference to a built-in type or a named syntax; an unknown name stays unbound
  // and matches nothing (a value that needs it is then not judged). Call after the last Name.
  void Bind();

  const TSyntaxNode& Node(int32_t index) const { return nodes_.at(static_cast<size_t>(index)); }
  int32_t Root(std::string_view name, bool isProperty) const;

  // Whether tokens, from index 0 of the top run to its end, match the syntax at root.
  enum class TMatch : uint8_t { Yes, No, Unknown };
  // With vendorWildcards a vendor-prefixed keyword or function stands in for whatever one token
  // the syntax wants there.
  TMatch Match(int32_t root, const TValueTokens& tokens, bool vendorWildcards) const;
  // For tokens that do not match: the number of top-level tokens of the longest start of them
  // that the syntax at root takes whole (0 for none), so the next one is the first that does
  // not fit.
  int32_t Reach(int32_t root, const TValueTokens& tokens) const;
  // The keywords the syntax at root takes anywhere, following the syntaxes it names.
  std::vector<std::string_view> Keywords(int32_t root) const;

 private:
  int32_t Add(TSyntaxNode node);

  std::vector<TSyntaxNode> nodes_;
  std::map<std::string, int32_t, std::less<>> named_;
  std::map<std::string, int32_t, std::less<>> properties_;
};

}  // namespace qm
