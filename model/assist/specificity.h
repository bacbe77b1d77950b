// SPDX-License-Identifier: GPL-3.0-or-later
// How specific each selector of a selector list is, counted as browsers count it today, and the
// tip that shows it over a rule's selector.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/sheet/selectorblocks.h"
#include "model/text/document.h"

namespace qm {

// (a, b, c): IDs; classes, attributes and pseudo-classes; types and pseudo-elements.
struct TSpecificity {
  int32_t A = 0;
  int32_t B = 0;
  int32_t C = 0;
  auto operator<=>(const TSpecificity&) const = default;
  TSpecificity& operator+=(const TSpecificity& other) {
    A += other.A;
    B += other.B;
    C += other.C;
    return *this;
  }
};

// "(a, b, c)".
std::string SpecificityText(TSpecificity specificity);

struct TSelectorSpecificity {
  std::string Selector;  // one selector of the list, its runs of blanks made one blank
  TSpecificity Value;
};

// Each selector of list, in order. :is(), :not() and :has() count as their most specific
// argument, :where() as nothing, :nth-child(An+B of S) as a pseudo-class and its S; "&" counts
// as :is() of the parent rule's list (parentSpecificity, its most specific selector), and a
// nested selector without "&" as if "& " stood in front of it when nested is true. Legacy
// pseudo-elements written with one colon (:before, :after, :first-line, :first-letter) count as
// pseudo-elements. Comments, strings and escapes are read as CSS reads them.
std::vector<TSelectorSpecificity> ListSpecificity(std::string_view list,
                                                  TSpecificity parentSpecificity = {0, 1, 0},
                                                  bool nested = false);

// The most specific selector of a list, as :is() counts it; (0, 0, 0) for an empty list.
TSpecificity MostSpecific(const std::vector<TSelectorSpecificity>& selectors);

// The innermost block around block (its brace between the other's braces), else -1.
int32_t EnclosingBlock(const TModList& blocks, int32_t block);

// Where the selector text (the Name) of block starts in the document's text; -1 when the text
// in front of its brace does not end with it.
int32_t SelectorStart(const TDocument& document, const TModList& blocks, int32_t block);

// The tip over the selector of a style rule: one line per selector of its list with its
// specificity; empty when position is not on a style rule's selector. Nested rules count their
// parents. blocks must describe the document (TError otherwise).
std::string SpecificityTipAt(const TDocument& document, const TModList& blocks, int32_t position);

}  // namespace qm
