// SPDX-License-Identifier: GPL-3.0-or-later
// How documents are named: the caption of a new document and the file Save As writes.
#pragma once

#include <string>
#include <string_view>

namespace qm {

// "Untitled" followed by the counter, without a blank.
std::string UntitledCaption(int counter);

// The file written for the name chosen in the save dialog: ".css" for the first filter, ".txt"
// for any other, appended unless the name already ends with it in any letter case.
std::string SaveAsFileName(std::string_view chosen, int filterIndex);

}  // namespace qm
