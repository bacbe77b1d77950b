// SPDX-License-Identifier: GPL-3.0-or-later
// Which catalogue rows the inspector shows and where, which rows are pinned to the top because
// they have a value, and how an edited value spreads between a shorthand and its parts.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/catalogue/catalogue.h"

namespace qm {

// Categorised view: a row is shown when every row above it in the tree is expanded. Without
// categories, category rows are hidden and every property row is shown. A pinned property row
// is always shown; part rows are shown under their shorthand row while it is shown and expanded.
bool IsItemVisible(const TInspectorItem& item, bool showCategories);
int32_t VisibleCount(const TInspectorCollection& items, bool showCategories);

// Pins every property row that has a value, together with its part rows.
void MarkValues(TInspectorCollection& items);
// The number of pinned rows that are shown, which is the height of the top group.
int32_t PinnedCount(const TInspectorCollection& items, bool showCategories);

// Gives every shown row its display position with scrollPos rows scrolled away: the pinned
// rows first, then the other shown rows, each group in item order. Hidden rows get -1.
void LayOutRows(TInspectorCollection& items, int32_t scrollPos, bool showCategories);
// The first row laid out at display position row (0 is the top of the control), or -1.
int32_t IndexAtRow(const TInspectorCollection& items, int32_t row);

// The row shown step positions below (step > 0) or above (step < 0) the row at index, in the
// order LayOutRows gives; -1 past either end. From no row, or one that is not shown, it is the
// top row.
int32_t NeighbourRow(const TInspectorCollection& items, int32_t index, int32_t step,
                     bool showCategories);

// The property row that typing prefix finds: the first whose caption starts with prefix, in any
// letter case, counting from the row at index (itself included, so typing on keeps the row while
// it still matches) in collection order and round to the start; shown or not. -1 for none.
int32_t RowStartingWith(const TInspectorCollection& items, std::string_view prefix, int32_t index);

// Expands or collapses every category row; shorthand rows keep their state.
void SetCategoriesExpanded(TInspectorCollection& items, bool expanded);

// The colour of the swatch drawn beside a value, red in the low byte: for "#" and six
// hexadecimal digits those digits, for "#" and three (the short form) each doubled. Any other
// value, also one that starts with "#" but is no such colour, has no swatch.
std::optional<int32_t> SwatchColor(std::string_view value);

// Stores an edited value. A shorthand's value is spread over its parts, each part showing the
// components that belong to it; a part's value is its own, written as a declaration of its own,
// so the shorthand's other components stay as they are.
void CommitValue(TInspectorCollection& items, TInspectorItem& item, std::string_view text);

// Shows a rule's values: every property row gets valueOf(its property), and each part row of a
// shorthand the value that applies to the part: the rule's own declaration of the part when it
// comes after the shorthand's (placeOf gives where the declaration of a name that applies
// stands, -1 for none), else the components of the shorthand's value that belong to the part.
void ShowRuleValues(TInspectorCollection& items,
                    const std::function<std::string(const std::string& name)>& valueOf,
                    const std::function<int32_t(const std::string& name)>& placeOf);

// The shorthands that have name among their parts, in catalogue order.
std::vector<std::string> ShorthandsOf(const TInspectorCollection& items, std::string_view name);

}  // namespace qm
