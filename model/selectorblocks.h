// SPDX-License-Identifier: GPL-3.0-or-later
// The selector blocks of a style sheet: one per "{" outside comments, with its partner "}", the
// selector text in front of it and its kind, in text order; and the lookups the views use.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/document.h"
#include "model/textedit.h"

namespace qm {

struct TItmRecord {
  int32_t StartPos = 0;  // index of the opening brace
  int32_t EndPos = -1;   // index of its partner, -1 when it has none
  std::string Kind;      // "Element", "Class" or "ID"
  std::string Name;      // the selector text, trimmed
  bool operator==(const TItmRecord&) const = default;
};

class TModList {
 public:
  int32_t Count() const { return static_cast<int32_t>(Items_.size()); }
  const TItmRecord& Items(int32_t index) const { return Items_.at(static_cast<size_t>(index)); }
  const std::vector<TItmRecord>& All() const { return Items_; }
  void Clear() { Items_.clear(); }
  void Add(TItmRecord record) { Items_.push_back(std::move(record)); }

  // The first block (in list order, so an enclosing block before the ones inside it) with
  // StartPos < index < EndPos, else -1.
  int32_t BlockAt(int32_t index) const;
  // StartPos of the first block starting after index, else 0.
  int32_t NextBlockStart(int32_t index) const;
  // EndPos of the first block ending after index, else 0.
  int32_t NextBlockEnd(int32_t index) const;
  // The first block whose Name is name exactly, else -1.
  int32_t IndexOfName(std::string_view name) const;

 private:
  std::vector<TItmRecord> Items_;
};

// The element names that classify selectors and that the New Selector dialog offers.
extern const std::array<std::string_view, 47> ElementNames;

// "ID" for a name holding "#"; "Element" when the part before the first "," occurs, in any
// case, within the element names; "Class" otherwise.
std::string SelectorKind(std::string_view name);

// Rebuilds blocks from the document's text.
void RebuildBlocks(const TDocument& document, TModList& blocks);

// The partner of every "{" (by index) in one pass: braces inside Comment and String tokens do
// not count, those elsewhere (in a value such as url(data:...)) do. -1 for no partner.
std::vector<std::pair<int32_t, int32_t>> PairBraces(const TDocument& document);

enum class TSelectorTab { Element = 0, Class = 1, ID = 2 };

// Adding a selector with an empty block after the block that holds the caret (or the next
// block after it); at the end of the document when no block ends after the caret. The caret
// goes to the first empty line inside the new block.
TTextEdit PlanNewSelector(const TDocument& document, const TModList& blocks, int32_t caret,
                          TSelectorTab tab, std::string_view input);

// Removing a block: from the first character of its own selector through its closing brace,
// and the whole line when nothing else is left on it. None for a block without partner.
std::optional<TTextEdit> PlanDeleteBlock(const TDocument& document, const TItmRecord& block);

}  // namespace qm
