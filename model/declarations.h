// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing one declaration of a selector block by its property name. The block's
// declarations are never parsed as a whole: each is found by its name inside the block's braces,
// so text the program does not understand is left exactly as it is.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/document.h"
#include "model/editbatch.h"
#include "model/selectorblocks.h"

namespace qm {

// Where one declaration stands in the text.
struct TDeclarationSpot {
  int32_t NameStart = 0;
  int32_t ValueStart = 0;  // the value without its leading and trailing blanks
  int32_t ValueEnd = 0;
  // What the declaration ends at: ";", "}", "{" or the end of its line (-1 then), and where.
  char Terminator = ';';
  int32_t TerminatorPos = 0;
  bool operator==(const TDeclarationSpot&) const = default;
};

// The declaration of name in block: its name is a whole word, in any letter case, between the
// block's braces, outside comments, and where the scanner expects a property name (so never in a
// value, a string, or a selector). block -1 searches the whole text and takes the first one.
// A declaration ends at the first ";", "}" or "{" of its line that lies outside strings,
// parentheses and comments, or at the line's end: a ";" in url(data:...) or in a string does not
// end it. Throws TError when blocks does not describe the document's current text.
std::optional<TDeclarationSpot> FindDeclaration(const TDocument& document, const TModList& blocks,
                                                int32_t block, std::string_view name);

// The value of the declaration of name in block, without surrounding blanks; empty when the
// block has none.
std::string ReadDeclaration(const TDocument& document, const TModList& blocks, int32_t block,
                            std::string_view name);

// What a write needs besides the text: the blanks in front of an added line, and where the caret
// and the selection's end are (an addition without a block goes above the selection end's line).
struct TDeclarationPlace {
  int32_t Indent = 8;
  int32_t Caret = 0;
  int32_t SelectionEnd = 0;
};

// Writing "name: value;" into block (-1: the first such declaration in the whole text):
// an existing declaration is replaced, or removed when value is empty (with its line when nothing
// else is left on it); a missing one is added on a line of its own above the block's closing
// brace, or before the brace when the brace shares its line with other text. Whatever the
// layout, the block's braces stay and the new declaration lands inside them; a declaration in
// front of the new one that lacks its ";" gets one. The caret stays on the text it was on.
// An empty value for a missing declaration gives an empty batch.
TEditBatch PlanDeclarationWrite(const TDocument& document, const TModList& blocks, int32_t block,
                                std::string_view name, std::string_view value,
                                const TDeclarationPlace& place);

}  // namespace qm
