// SPDX-License-Identifier: GPL-3.0-or-later
// Laying a style sheet out again: one declaration per line, indented by nesting ("Format
// Document"), or everything on one line ("Minify"). Only blanks and line breaks change.
#pragma once

#include <string>
#include <string_view>

namespace qm {

// Each selector and at-rule prelude on a line of its own ending in " {", each declaration or
// statement on a line ending in ";", each "}" on its own line, nested lines indented by two
// blanks per level up to 32 levels (deeper ones as deep as the 32nd, so that the text grows no
// more than a fixed factor), lines joined by CR LF. Inside a selector, prelude or declaration
// every run of blanks and line breaks becomes one blank; strings, comments, unquoted url()s and
// escaped characters stay as they are, a hex escape keeps the blank that ends it, and a string
// left open keeps the line break that ends it. Formatting formatted text changes nothing.
std::string FormatSheet(std::string_view text);

// The same pieces with no blanks or line breaks between them: the inverse of FormatSheet, which
// gives back the formatted text. Minifying minified text changes nothing.
std::string MinifySheet(std::string_view text);

// The longest line's length in bytes: a sheet with lines far longer than a screen is slow to
// show and to edit, and worth formatting.
size_t LongestLine(std::string_view text);

}  // namespace qm
