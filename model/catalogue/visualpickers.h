// SPDX-License-Identifier: GPL-3.0-or-later
// The pickers of the visual editor as data: for every page, in order, each caption and the
// control beside it with the property it edits and the values it offers.
#pragma once

#include <string_view>
#include <vector>

namespace qm {

enum class TPickerKind : unsigned char {
  ValueCombo,        // a drop-down of values, some of which open a picker
  UnitCombo,         // a number or keyword and a CSS unit
  UnitComboPercent,  // the same, with "%" among the units
  MultiSelectList,   // a list in which several entries can be chosen at once
};

struct TVisualPicker {
  std::string_view Page;
  // The group box the picker stands in; empty when it stands on the page itself.
  std::string_view Group;
  // Empty for a picker that stands beneath the one captioned before it: the caption names that
  // one's property.
  std::string_view Caption;
  TPickerKind Kind;
  std::string_view Name;
  // The property the picker edits and its caption describes.
  std::string_view TagText;
  std::vector<std::string_view> Items;
};

// The page captions in tab order.
const std::vector<std::string_view>& VisualPages();
// Every picker, page by page in tab order, and in each page from top to bottom.
const std::vector<TVisualPicker>& VisualPickers();

// The page whose groups share one place; its box-model picture chooses the group in front.
inline constexpr std::string_view kBoxModelPage = "Box";

bool IsUnitCombo(TPickerKind kind);

// Which entries of a multi-select list the value of its own property chooses: those that are
// words of the value, in any letter case (words in comments or strings are none).
std::vector<bool> ChosenListEntries(const std::vector<std::string_view>& entries,
                                    std::string_view value);
// Whether the picker shows its items sorted rather than in the order given: value drop-downs
// do, except on the Background page, where the order given is the natural one.
bool ShowsItemsSorted(const TVisualPicker& picker);

}  // namespace qm
