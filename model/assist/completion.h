// SPDX-License-Identifier: GPL-3.0-or-later
// What the word at the caret can be completed with: a property name in a rule, a value or unit
// after "name:", an at-rule after "@", told from the caret's rule alone, never the whole text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/sheet/selectorblocks.h"
#include "model/text/document.h"
#include "model/text/textedit.h"

namespace qm {

class TInspectorCollection;
class TValueChecker;

enum class TCompletionKind : uint8_t {
  None,      // outside every rule, in a selector, a comment, a string, a url() or var()...
  Property,  // a property name where a declaration starts
  Value,     // a word of a declaration's value, or of a function's arguments in it
  Unit,      // the unit right after a number of a value
  AtRule,    // the name after "@" where a rule or statement starts
};

struct TCompletionContext {
  TCompletionKind Kind = TCompletionKind::None;
  // The word being completed runs from Start to the caret (Prefix) and on to End: a choice
  // replaces all of it.
  int32_t Start = 0;
  int32_t End = 0;
  std::string Prefix;
  // Value and Unit: the declaration's property, in lower case.
  std::string Property;
  // Value and Unit: the function whose brackets hold the word or number ("rotate"), lower case;
  // empty outside any.
  std::string Function;
  // The at-rule of the block the caret is in ("@font-face", "@media"), lower case; empty in a
  // style rule and outside every block.
  std::string AtRule;
  // AtRule: the "@" stands outside every block.
  bool TopLevel = false;
  // Property: a ":" already follows the word, so a choice adds none.
  bool ColonFollows = false;
  bool operator==(const TCompletionContext&) const = default;
};

// The context at caret. Reads the caret's line, and the rule around it up to the caret; blocks
// must describe the document (TError otherwise).
TCompletionContext CompletionContextAt(const TDocument& document, const TModList& blocks,
                                       int32_t caret);

// Where the candidates come from: the chosen level's catalogue for property names, the value
// syntaxes of current CSS for values and units (the catalogue's value list where they have none).
struct TCompletionSources {
  const TInspectorCollection* Catalogue = nullptr;
  const TValueChecker* Checker = nullptr;
};

// The candidates that start with the context's prefix (any letter case), in the order the list
// shows them: property, descriptor and at-rule names alphabetically; for a value the property's
// own keywords in the order of its syntax, then the colour names where it takes a colour, then
// the keywords every property takes; in a function's brackets its arguments' keywords and colours
// alone; for a unit those of the numbers the property takes.
std::vector<std::string> CompletionCandidates(const TCompletionContext& context,
                                              const TCompletionSources& sources);

// The edit that puts the chosen candidate in place of the context's word: a property name
// followed by ": " (unless a ":" follows already), an at-rule name followed by a blank; the
// caret after it.
TTextEdit PlanCompletion(const TCompletionContext& context, std::string_view chosen);

}  // namespace qm
