// SPDX-License-Identifier: GPL-3.0-or-later
// The preview page: the template filled with one sample line per selector block, and any page
// given the whole style sheet, and the address its relative URLs resolve against, in its head.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/sheet/selectorblocks.h"

namespace qm {

// The template line above which the sample lines go; the whole line, in any letter case.
inline constexpr std::string_view PreviewMarker = "<!--This is For Quillmere--!>";

// A page file's lines: a line ends at CR LF, lone CR or lone LF.
std::vector<std::string> PageLines(std::string_view bytes);
// The lines, each one, the last included, followed by CR LF.
std::string JoinPageLines(const std::vector<std::string>& lines);

// The lines one block shows in the generated page: an element or link line per element name,
// one div line for a class or an ID, none for another kind or an at-rule. Names are shown as text,
// never read as markup; a name that cannot be a plain tag name gets a span instead of its own
// element.
std::vector<std::string> SampleLines(const TItmRecord& block);

// The template with every block's sample lines, in block order, directly above the marker line;
// without one, at the end of the body (before "</body>", else at the end of the page).
std::vector<std::string> InsertSampleLines(std::vector<std::string> lines, const TModList& blocks);

// Where a style element for the sheet goes in page: in front of the closing head tag (any letter
// case), else in front of the first "<body", else at the very start.
size_t StylePlace(std::string_view page);
// The sheet as the text of a style element: nothing in it can end the element. Every "</" becomes
// "<\/", which CSS reads alike ("\/" is an escaped "/"); a "</*" stays, as its "/" opens a comment
// and no tag name can follow. "<!--" needs nothing: in a style element it is plain text.
std::string StyleContent(std::string_view sheet);

// The page with the sheet in a style element in its head: in front of the closing head tag (any
// letter case), else in front of the first "<body", else at the very start. Nothing in the sheet
// can end the style element: every "</" of it becomes "<\/", which CSS reads alike. A non-empty
// baseHref becomes the page's base address, first thing in its head, unless the page sets its own.
std::string AddStyleSheet(std::string_view page, std::string_view sheet, std::string_view baseHref);

// The page to write: for the generated page (blocks given) the template lines with the sample
// lines, for a chosen page (blocks null) its lines as they are; with the sheet and base address.
// With stylesBefore, also how many style elements a browser finds in the page before the sheet's
// own, which is thus the next one (markup comments and the text of script, style, title, textarea
// and template elements hold none).
std::string BuildPreviewPage(std::vector<std::string> lines, const TModList* blocks,
                             std::string_view sheet, std::string_view baseHref,
                             int32_t* stylesBefore = nullptr);

// The number n of the setting "File" n under which a newly added preview file is stored, given
// the paths stored as File1, File2, ... up to the first missing one: after the last of them, or
// 0 when the path is stored already (compared in any letter case). Entries the list dropped for
// this run because their file was missing stay stored, so a new file never takes their place.
int PreviewFileSlot(const std::vector<std::string>& stored, std::string_view path);

}  // namespace qm
