// SPDX-License-Identifier: GPL-3.0-or-later
// Finding tags in an HTML page as a browser reads it: names in any letter case, and the comments
// and the text of script, style, template, textarea and title elements, which hold no markup.
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>

namespace qm {

// The first occurrence of needle (lower case) at or after from, in any letter case.
size_t FindNoCase(std::string_view text, std::string_view needle, size_t from = 0);

// Whether a tag that opens with start ("<head", "<body") begins at text[at], in any letter case:
// the name must end there, so "<header" is no "<head".
bool OpensTag(std::string_view text, size_t at, std::string_view start);

// The first tag that opens with start, as OpensTag tells, wherever it stands.
size_t FindOpeningTag(std::string_view text, std::string_view start);

// Calls visit with the place of every "<" before end that a browser may read as a tag: comments
// are skipped whole, and an element whose text is no markup is visited at its start tag and then
// skipped up to its end tag.
void ForEachMarkupTag(std::string_view page, size_t end, const std::function<void(size_t)>& visit);

}  // namespace qm
