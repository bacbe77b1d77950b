// SPDX-License-Identifier: GPL-3.0-or-later
// What differs between two versions of a text, line by line, for a person to read: the lines the
// two share at the start and at the end are left out, the rest is shown as removed and added.
#pragma once

#include <string>
#include <string_view>

namespace qm {

// Lines end at CR LF, CR or LF. The result names the first line that differs in each version,
// then the old lines with "- " and the new ones with "+ "; empty when the texts have the same
// lines. Linear in the texts' length.
std::string LineDifference(std::string_view before, std::string_view after);

}  // namespace qm
