// SPDX-License-Identifier: GPL-3.0-or-later
// The declaration list of one rule read over the CSS tokens of its braces alone: strings,
// comments, escapes, bracket nesting, nested rules and at-rules, and what kind of block it is.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace qm {

// Where one declaration stands: name, value and end, as indexes into the whole text.
struct TDeclarationItem {
  int32_t NameStart = 0;
  int32_t NameEnd = 0;
  int32_t Colon = 0;
  // The value without blanks and comments around it, and without "!important".
  int32_t ValueStart = 0;
  int32_t ValueEnd = 0;
  // Where the value ends with its "!important" (ValueEnd when it has none).
  int32_t PriorityEnd = 0;
  // Just past the ";" that ends the declaration; PriorityEnd when the rule's end or the end of
  // the text comes first (then HasSemicolon is false).
  int32_t End = 0;
  bool Important = false;
  bool HasSemicolon = false;
  bool operator==(const TDeclarationItem&) const = default;
};

// A rule or at-rule inside the braces: from its first byte to just past its "}" (or ";").
struct TNestedItem {
  int32_t Start = 0;
  int32_t End = 0;
  int32_t Open = -1;  // its "{"; -1 for an at-rule without a block
  // LastEnd and NeedsSemicolon of the items in front of this one (see TRuleBody).
  int32_t PrevEnd = 0;
  bool PrevNeedsSemicolon = false;
  bool operator==(const TNestedItem&) const = default;
};

struct TRuleBody {
  std::vector<TDeclarationItem> Declarations;  // in text order
  std::vector<TNestedItem> Nested;             // in text order
  // Just past the last byte of the last item that is no blank or comment; the index after the
  // opening brace when the body is empty. NeedsSemicolon: the last item is a declaration or a
  // statement without its ";", so text added after it would be read as part of it.
  int32_t LastEnd = 0;
  bool NeedsSemicolon = false;
};

// The items between an opening brace at open and its closing brace at close (the text's size
// for a block that is never closed). Takes time linear in close - open.
TRuleBody ParseRuleBody(std::string_view text, int32_t open, int32_t close);

enum class TBlockKind : uint8_t {
  StyleRule,          // a selector's block, or a keyframe's
  DeclarationAtRule,  // @font-face, @page, @property, @counter-style and the like
  GroupRule,          // @media, @supports, @layer, @container, @keyframes...: holds rules
  Value,              // braces in a custom property's value or a string: no block of rules
};

// The kind of a block from the prelude in front of its brace: the text from the first byte that
// is no blank or comment after from, the end of whatever stands before the prelude, up to open.
TBlockKind KindOfPrelude(std::string_view text, int32_t from, int32_t open);

// Whether a block of this kind holds declarations; a group rule only does inside a style rule.
inline bool HoldsDeclarations(TBlockKind kind) {
  return kind == TBlockKind::StyleRule || kind == TBlockKind::DeclarationAtRule;
}

}  // namespace qm
