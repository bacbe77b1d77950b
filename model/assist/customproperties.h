// SPDX-License-Identifier: GPL-3.0-or-later
// The custom properties of a style sheet: where each is defined and used, which definition
// applies at a place, what a var() finally resolves to, and the edits of a rename.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/sheet/selectorblocks.h"
#include "model/text/document.h"
#include "model/text/editbatch.h"

namespace qm {

struct TCustomPropertyDefinition {
  std::string Name;
  int32_t NameStart = 0;
  int32_t NameEnd = 0;
  int32_t ValueStart = 0;  // without the blanks around it and without "!important"
  int32_t ValueEnd = 0;
  bool Important = false;
  int32_t Block = -1;  // the block whose declaration it is
};

// A var() that names a custom property: from its "var" to just past its ")" (the end of the
// text when it is never closed), the name, and the fallback after the "," when it has one.
struct TCustomPropertyUse {
  std::string Name;
  int32_t Start = 0;
  int32_t NameStart = 0;
  int32_t NameEnd = 0;
  int32_t End = 0;
  int32_t FallbackStart = -1;  // -1 without fallback
  int32_t FallbackEnd = -1;
};

// The name of an @property rule, which registers a custom property.
struct TCustomPropertyName {
  std::string Name;
  int32_t NameStart = 0;
  int32_t NameEnd = 0;
};

struct TCustomProperties {
  std::vector<TCustomPropertyDefinition> Definitions;  // in text order
  std::vector<TCustomPropertyUse> Uses;                // in text order of their "var"
  std::vector<TCustomPropertyName> Registrations;
};

// Every definition (a declaration whose name starts with "--", in a style rule or nested rule),
// use and registration in the text. A name in a comment or a string is none of them. Names are
// compared as written: custom properties are case-sensitive. Linear in the text's size for
// sheets of few nesting levels. blocks must describe the document (TError otherwise).
TCustomProperties FindCustomProperties(const TDocument& document, const TModList& blocks);

// The custom property whose name holds position, or ends right there (a caret just past the
// name): a definition's name, a use's name or an @property's name. Empty when none.
std::string CustomPropertyNameAt(const TCustomProperties& properties, int32_t position);

// The definitions of name that apply at position, indexes into Definitions: the one of the
// innermost rule around position that defines name (the last one there, or its last
// "!important" one), going outwards through the rules that hold it; else the one of the rules
// that style the whole document (":root", "html", "*", ":host"), the last in text order; else
// every definition of name, which the user then chooses from. Empty when name has none.
std::vector<int32_t> ApplyingDefinitions(const TDocument& document, const TModList& blocks,
                                         const TCustomProperties& properties, std::string_view name,
                                         int32_t position);

// A custom property's value where position is, and what it resolves to with every var() in it
// replaced by the value of its property that applies there, or by its fallback.
struct TCustomPropertyValue {
  bool Defined = false;
  std::string Value;  // as written, comments and all, one line
  bool Resolves = false;
  std::string Resolved;  // when it Resolves; otherwise Problem says why not
  std::string Problem;   // "--a -> --b -> --a is a cycle", "--b is not defined"
};
TCustomPropertyValue ResolveCustomProperty(const TDocument& document, const TModList& blocks,
                                           const TCustomProperties& properties,
                                           std::string_view name, int32_t position);

// The tip over a var() (its name or "var") or over a custom property's definition: the value
// and what it resolves to; empty elsewhere.
std::string CustomPropertyTipAt(const TDocument& document, const TModList& blocks,
                                int32_t position);

// Renaming a custom property at every definition, use and registration. Refusal is set, and
// Batch empty, when to is no custom property name or another custom property of the sheet
// already has it, or when from appears nowhere.
struct TRenamePlan {
  TEditBatch Batch;
  std::string Refusal;
  int32_t Count = 0;  // the places changed
};
TRenamePlan PlanCustomPropertyRename(const TDocument& document, const TCustomProperties& properties,
                                     std::string_view from, std::string_view to, int32_t caret);

// Whether text is a custom property's name: "--" and at least one name byte, no blanks.
bool IsCustomPropertyName(std::string_view text);

// Completion of a custom property's name right after "var(": the word from Start to End holds
// the caret; Prefix is the part in front of it.
struct TVarCompletion {
  int32_t Start = 0;
  int32_t End = 0;
  std::string Prefix;
};
std::optional<TVarCompletion> VarCompletionAt(const TDocument& document, int32_t caret);

// The names the sheet defines that start with prefix, each once, in alphabetical order, each
// with the value of its last definition as one line of at most 40 bytes.
struct TVarCandidate {
  std::string Name;
  std::string Value;
};
std::vector<TVarCandidate> VarCandidates(const TDocument& document,
                                         const TCustomProperties& properties,
                                         std::string_view prefix);

}  // namespace qm
