// SPDX-License-Identifier: GPL-3.0-or-later
// A length as the unit combo shows it: the units it offers, how a value text is cut into the
// number box's text and a unit, and which texts count as a number a unit may follow.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// "%" first when offered, then "cm", "em", "ex", "in", "mm", "pc", "pt", "px", and the units of
// current CSS "rem", "vw", "vh", "vmin", "vmax", "ch".
std::vector<std::string> UnitList(bool includePercent);

// The positions of units in the order a text is searched for them: first the units that hold
// another unit of the list ("rem" holds "em", "vmin" holds "in"), then the others, each group in
// list order; so "2rem" is cut at its "rem", never at the "em" inside it.
std::vector<size_t> UnitSearchOrder(const std::vector<std::string_view>& units);

struct TUnitSplit {
  std::string Value;       // the number box's text
  int32_t UnitIndex = -1;  // into the unit list, -1 for no unit
};

// The first unit, in search order, that occurs anywhere in text (a plain substring) cuts it: the
// text before it is the value and whatever follows the unit is dropped. So "thin" gives "th" and
// "in": the cut is by letters, not by a number's end. Without any unit the whole text is the value.
TUnitSplit SplitUnitValue(std::string_view text, const std::vector<std::string>& units);

// Optional leading blanks, an optional sign, digits with an optional decimal point and fraction
// (".5" and "5." count), an optional exponent, and nothing after it. An empty text is no number.
bool IsDecimalNumber(std::string_view text);

}  // namespace qm
