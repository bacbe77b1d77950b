// SPDX-License-Identifier: GPL-3.0-or-later
// The value dialog's reading and composing of values: a length cut into number and unit, a
// font-family list cut into names and composed again from the names marked.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// The units the dialog offers, in its list order.
inline constexpr std::array<std::string_view, 14> DialogLengthUnits = {
    "cm", "em", "ex", "in", "mm", "pc", "pt", "px", "rem", "vw", "vh", "vmin", "vmax", "ch"};
// The generic font families, above the installed fonts in the dialog's list, in this order.
inline constexpr std::array<std::string_view, 5> GenericFontFamilies = {
    "serif", "sans-serif", "cursive", "fantasy", "monospace"};

struct TDialogLength {
  std::string Number;
  std::string_view Unit;
  bool operator==(const TDialogLength&) const = default;
};

// The first unit, in search order (UnitSearchOrder), that occurs anywhere in value without regard
// to case; the number is value with the unit's first lower-case occurrence taken out ("1.5EM" keeps
// its "EM", and "thin" gives "th" and "in"). None when no unit occurs.
std::optional<TDialogLength> SplitDialogLength(std::string_view value);

// The names of a font-family list: a name in double quotes is one entry, an unquoted name with
// blanks falls apart into its words.
std::vector<std::string> FontListEntries(std::string_view value);

// The names joined by ", ", a name holding a blank in double quotes.
std::string ComposeFontList(const std::vector<std::string>& names);

// Whether a font name occurs within "serif,sans-serif,cursive,fantasy,monospace": the dialog shows
// no sample for a generic family.
bool IsGenericFamilyText(std::string_view name);

}  // namespace qm
