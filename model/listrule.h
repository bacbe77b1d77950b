// SPDX-License-Identifier: GPL-3.0-or-later
// The one way every delimited list is cut into items (value lists and browser flags at "|",
// shorthand parts at "/", font lists at ","), and the plain field cut of shorthand values.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// Blanks and control characters separate items as the delimiter does, except that only a
// delimiter makes an empty item: at the start, between two delimiters, or as the last thing
// in the text. An item that starts with a double quote runs to its closing quote, a doubled
// quote inside standing for one. An empty or all-blank text has no items.
std::vector<std::string> SplitList(std::string_view text, char delimiter);

// Field number n (from 0) of text cut at every separator; adjacent separators give an empty
// field, and a field beyond the last is empty.
std::string FieldAt(std::string_view text, char separator, int32_t n);

}  // namespace qm
