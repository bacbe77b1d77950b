// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing one declaration of the rule at the caret by its property name. Only the
// rule's own braces are parsed, so every other rule stays byte for byte as it was.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/sheet/rulebody.h"
#include "model/sheet/selectorblocks.h"
#include "model/text/document.h"
#include "model/text/editbatch.h"

namespace qm {

// The innermost block that holds declarations (a style rule, or an at-rule such as @font-face)
// and holds the caret between its braces, the caret right in front of its "}" included; -1 when
// the caret is outside every block, in a selector, in an at-rule's prelude, in the selector of a
// rule nested in another, or in a block of rules (@media) between its rules. A block that is never
// closed holds no caret. Throws TError when blocks does not describe the document's text.
int32_t RuleBlockAt(const TDocument& document, const TModList& blocks, int32_t caret);

// What RuleOfSelection gives for a selection that holds parts of more than one rule.
constexpr int32_t kSelectionSpansRules = -2;

// The rule whose declarations the views show for a selection from anchor to caret, its moving
// end: the rule at the caret (RuleBlockAt), or kSelectionSpansRules when the selection holds a
// brace of any other block than that rule and the blocks inside it. Takes time linear in the
// blocks in front of the selection's end.
int32_t RuleOfSelection(const TDocument& document, const TModList& blocks, int32_t anchor,
                        int32_t caret);

// What kind of block a block is, told from the text in front of its brace.
TBlockKind BlockKind(const TDocument& document, const TModList& blocks, int32_t block);

// The declarations of block, in text order; none for -1 or a block that holds no declarations.
// Throws TError when blocks does not describe the document's text.
std::vector<TDeclarationItem> ParseDeclarations(const TDocument& document, const TModList& blocks,
                                                int32_t block);

// Why a value typed into a view cannot be written as it is: it would end the declaration or the
// rule (a ";" outside brackets and strings, a "{" or "}" outside strings), or leave a string,
// comment or bracket open so that it would swallow what follows. nullopt when the value can be
// written.
std::optional<std::string> ValueRefusal(std::string_view value);

// Where one declaration stands in the text.
struct TDeclarationSpot {
  int32_t NameStart = 0;
  int32_t ValueStart = 0;  // the value without blanks and comments around it
  int32_t ValueEnd = 0;    // "!important" included
  // What the declaration ends at: ";", "}" or the end of the text ('\0'), and where.
  char Terminator = ';';
  int32_t TerminatorPos = 0;
  bool operator==(const TDeclarationSpot&) const = default;
};

// The declaration of name in block: the last one of that name (the one that applies), in any
// letter case (custom properties "--x" in their own case), among the block's own declarations:
// never one in a comment, a string, a nested rule or a selector. A value runs to its ";" or to
// the rule's "}", across lines, outside strings, comments and brackets. None for block -1 or a
// block that holds no declarations. Throws TError when blocks does not describe the text.
std::optional<TDeclarationSpot> FindDeclaration(const TDocument& document, const TModList& blocks,
                                                int32_t block, std::string_view name);

// Whether a declaration of one of others (shorthands that set name) follows the declaration of
// name in block, so that it decides name's value rather than name's own; false when the block
// has no declaration of name. Names compare as FindDeclaration's do.
bool DeclaredLater(const TDocument& document, const TModList& blocks, int32_t block,
                   std::string_view name, const std::vector<std::string>& others);

// The value of the declaration of name in block, "!important" included, without the blanks and
// comments around it; empty when the block has none.
std::string ReadDeclaration(const TDocument& document, const TModList& blocks, int32_t block,
                            std::string_view name);

// What a write needs besides the text: the blanks in front of a declaration added to a rule
// that has none on a line of its own, and where the caret and the selection's end are.
struct TDeclarationPlace {
  int32_t Indent = 8;
  int32_t Caret = 0;
  int32_t SelectionEnd = 0;
};

// Writing "name: value;" into block: an existing declaration gets the name and value (a comment
// between name and colon, or between value and ";", stays), or is removed when value is empty
// (with its lines when nothing else is left on them); a missing one is added after the rule's
// last declaration, in front of its nested rules or its "}", on a line of its own indented like
// the rule's declarations, or beside them in a one-line rule. A declaration in front of the new
// one that lacks its ";" gets one. Only bytes of the one declaration change; the caret stays on
// its text and inside the rule. A write that would change nothing, block -1, a block that holds
// no declarations, a value that ValueRefusal refuses and an empty value for a missing declaration
// give an empty batch.
TEditBatch PlanDeclarationWrite(const TDocument& document, const TModList& blocks, int32_t block,
                                std::string_view name, std::string_view value,
                                const TDeclarationPlace& place);

}  // namespace qm
