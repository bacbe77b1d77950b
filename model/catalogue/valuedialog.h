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
  std::string_view Unit;  // the list's spelling
  std::string Written;    // the unit as the value spells it
  bool operator==(const TDialogLength&) const = default;
};

// A number followed by one of the units in any letter case ("1.5EM": "1.5", "em", "EM"); none
// for any other value ("thin", "auto", "1px 2px").
std::optional<TDialogLength> SplitDialogLength(std::string_view value);

// The names of a font-family list, in its order: the list is cut at its commas (not those in
// quotes), a quoted name loses its quotes, an unquoted name keeps its blanks.
std::vector<std::string> FontListEntries(std::string_view value);

// The fonts a value names, after the user has chosen again: the names kept from original in
// their order, then the new ones chosen, and the generic families last, so a named font is
// never behind a generic one that always matches. Names compare without regard to case.
std::vector<std::string> ComposeFontStack(const std::vector<std::string>& original,
                                          const std::vector<std::string>& chosen);

// Whether name is one of the generic families, in any letter case.
bool IsGenericFamily(std::string_view name);

// The names joined by ", ", a name holding a blank in double quotes.
std::string ComposeFontList(const std::vector<std::string>& names);

// Whether a font name occurs within "serif,sans-serif,cursive,fantasy,monospace": the dialog shows
// no sample for a generic family.
bool IsGenericFamilyText(std::string_view name);

}  // namespace qm
