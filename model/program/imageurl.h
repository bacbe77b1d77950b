// SPDX-License-Identifier: GPL-3.0-or-later
// The url() value that points a style sheet at an image file.
#pragma once

#include <string>
#include <string_view>

namespace qm {

// "url(...)" for the image at imagePath, as the sheet saved at sheetPath reaches it: a path
// relative to the sheet's folder with "/" between folders (in a url() a backslash is an escape,
// not a separator); the image's file:/// URL when the sheet has no file yet (sheetPath empty) or
// no relative path leads there. A character that would make the reference mean something else
// ("%", "#", "?", ":", quotes, backslashes, control characters, line breaks) is written as "%"
// and its two hexadecimal digits, so the browser loads the file whatever its name; a reference
// that holds blanks, parentheses, braces or ";" is written in double quotes.
std::string ImageUrl(std::string_view sheetPath, std::string_view imagePath);

}  // namespace qm
