// SPDX-License-Identifier: GPL-3.0-or-later
// The selector blocks of a style sheet: one per "{" outside comments, with its partner "}", the
// selector text in front of it and its kind, in text order; and the lookups the views use.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/text/document.h"
#include "model/text/textedit.h"

namespace qm {

// A record's Name views the text its list was built from: it stays valid while that list, or a
// copy of it, lives.
struct TItmRecord {
  int32_t StartPos = 0;   // index of the opening brace
  int32_t EndPos = -1;    // index of its partner, -1 when it has none
  std::string Kind;       // "Element", "Class" or "ID"
  std::string_view Name;  // the selector text, trimmed
  bool operator==(const TItmRecord&) const = default;
};

// A place just past a "}" where a scan of the blocks can resume or stop, and the one block still
// open there, if any: the StartPos of its brace (0 for a brace at index 0, which opens no block),
// -1 when none is.
struct TBlockCheckpoint {
  int32_t Index = 0;
  int32_t Outer = -1;
};

class TModList;
void RebuildBlocks(const TDocument& document, TModList& blocks);
void UpdateBlocks(const TDocument& document, TModList& blocks);

class TModList {
 public:
  int32_t Count() const { return static_cast<int32_t>(Items_.size()); }
  const TItmRecord& Items(int32_t index) const { return Items_.at(static_cast<size_t>(index)); }
  const std::vector<TItmRecord>& All() const { return Items_; }

  // The TextVersion() of the document the list was last built from.
  uint64_t TextVersion() const { return Version_; }
  // Whether the list was built from the document's current text. Positions and names of a list
  // built from another text version point at the wrong places.
  bool Describes(const TDocument& document) const {
    return Built_ && Version_ == document.TextVersion();
  }

  // The first block (in list order, so an enclosing block before the ones inside it) with
  // StartPos < index < EndPos, else -1.
  int32_t BlockAt(int32_t index) const;
  // The innermost block with StartPos < index < EndPos (a rule inside an @media block rather than
  // the @media block), else -1. The declarations at a place are those of this block.
  int32_t InnermostBlockAt(int32_t index) const;
  // StartPos of the first block starting after index, else 0.
  int32_t NextBlockStart(int32_t index) const;
  // EndPos of the first block ending after index, else 0.
  int32_t NextBlockEnd(int32_t index) const;
  // The first block whose Name is name exactly, else -1.
  int32_t IndexOfName(std::string_view name) const;

 private:
  friend void RebuildBlocks(const TDocument& document, TModList& blocks);
  friend void UpdateBlocks(const TDocument& document, TModList& blocks);

  // The names view these texts, shared by copies of the list: one copy of the whole text per
  // full build and one of the stretch each update looked at again.
  std::vector<std::shared_ptr<std::string>> Texts_;
  size_t UpdatedBytes_ = 0;
  std::vector<TItmRecord> Items_;
  // Just past each "}" after which at most one block is open, in text order.
  std::vector<TBlockCheckpoint> Checkpoints_;
  // Each "}" that closes no block, in text order.
  std::vector<int32_t> Strays_;
  uint64_t Version_ = 0;
  bool Built_ = false;
};

// The element names that classify selectors and that the New Selector dialog offers: the links'
// states, then the elements of current HTML that style sheets style, in lower case.
extern const std::array<std::string_view, 103> ElementNames;

// "ID" for a name holding "#"; "Element" when the part before the first "," occurs, in any
// case, within the element names; "Class" otherwise.
std::string SelectorKind(std::string_view name);

// Rebuilds blocks from the document's text in one pass, and stamps the list with the document's
// TextVersion(). Blocks are the "{" that are code as TCodeScanner reads it (not in a comment, a
// string or an unquoted url()), except one at index 0; a block's partner is the "}" that the
// document's MatchingBrace gives. A block's name is its own selector: the text after the last
// code "{", "}", ";" or NUL, or comment end, before its brace, trimmed.
void RebuildBlocks(const TDocument& document, TModList& blocks);
// The same list as RebuildBlocks gives, looking only at what changed when the document can tell
// what changed since the list's version: from the changed line on until the scan is back in step
// with the old list, whose later blocks are shifted.
void UpdateBlocks(const TDocument& document, TModList& blocks);

// A selector name as one line of at most TreeNameLimit bytes for the selector tree: runs of
// blanks and line breaks become one blank, and a longer name keeps its end (the part nearest its
// brace) behind "...". The whole name belongs in the node's tool tip.
inline constexpr size_t TreeNameLimit = 80;
std::string TreeName(std::string_view name);

// A list built from another text version would plan an edit at the wrong place, and a planned
// edit is applied without a look at the text: every planner refuses such a list with TError, in
// every build, not only in debug.
void RequireCurrent(const TDocument& document, const TModList& blocks);

enum class TSelectorTab { Element = 0, Class = 1, ID = 2 };

// Adding a selector with an empty block after the block that holds the caret (or the next
// block after it); at the end of the document when no block ends after the caret. The caret
// goes to the first empty line inside the new block.
// Both planners throw TError when blocks does not describe the document's current text.
TTextEdit PlanNewSelector(const TDocument& document, const TModList& blocks, int32_t caret,
                          TSelectorTab tab, std::string_view input);

// Removing a block: from the first character of its own selector through its closing brace,
// and the whole line when nothing else is left on it. None for a block without partner.
std::optional<TTextEdit> PlanDeleteBlock(const TDocument& document, const TModList& blocks,
                                         int32_t block);

}  // namespace qm
