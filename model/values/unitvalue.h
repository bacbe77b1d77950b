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

struct TUnitSplit {
  std::string Value;       // the number box's text
  int32_t UnitIndex = -1;  // into the unit list, -1 for no unit
};

// A number followed by one of the units, in any letter case, is cut into the number box's text
// and that unit ("1.5EM" gives "1.5" and "em"). Anything else ("thin", "auto", "12 px") is
// the value as a whole, without a unit.
TUnitSplit SplitUnitValue(std::string_view text, const std::vector<std::string>& units);

// Optional leading blanks, an optional sign, digits with an optional decimal point and fraction
// (".5" and "5." count), an optional exponent, and nothing after it. An empty text is no number.
bool IsDecimalNumber(std::string_view text);

}  // namespace qm
