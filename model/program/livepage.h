// SPDX-License-Identifier: GPL-3.0-or-later
// The page a browser gets from the live preview: the sheet in style elements that a few lines of
// script keep current from the program's event stream, in place of the page's links to the sheet.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qm {

// The file a link's address names, relative to the page's folder, with "/" between the names
// ("css/look.css", "../shared/base.css"); empty when it names no file beside the page: another
// scheme or host, a path from the server's root, or nothing at all. Query and fragment do not
// count, escapes are decoded and a backslash is a "/", as a browser takes them.
std::string LinkedFile(std::string_view href);

// A <link> element of a page whose rel holds the word "stylesheet" (outside comments and the
// text of script, style and the like).
struct TSheetLink {
  size_t Start = 0;  // its "<"
  size_t End = 0;    // after its ">"
  std::string Href;  // as written, "&amp;" decoded
  std::string Media;
};
std::vector<TSheetLink> SheetLinks(std::string_view page);

// The page with the sheet's text in style elements marked for the live script, and the script
// that takes every new text from eventsAddress: the links naming sheetFile (relative to the
// page's folder, as LinkedFile gives it) become such elements, keeping their media; when none
// does, or sheetFile is empty, one is added where the preview puts its sheet. Nothing in the sheet
// can end its element.
std::string LivePage(std::string_view page, std::string_view sheet, std::string_view sheetFile,
                     std::string_view eventsAddress);

}  // namespace qm
