// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-word bounds, #RRGGBB conversions, and text searches with their comment and value tests.
// The program uses the first two: the editor's Find tells whole words by WordSeparators, and the
// colour cells, placeholder values and colour text convert with HexToColor and ColorToHex. The
// searches and line helpers have no caller in the program today; the differential test and
// bench_textscan hold them against their literal versions. Their comment test counts "/*" and
// "*/" wherever they stand, in strings too: where CSS's comments end is csslexis.h's to say.
#pragma once

#include "model/text/document.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace qm {

class TCharSet {
 public:
  constexpr explicit TCharSet(const std::array<bool, 256>& members) : Members_(members) {}
  constexpr bool Contains(char c) const { return Members_[static_cast<uint8_t>(c)]; }

 private:
  std::array<bool, 256> Members_;
};

// What bounds a whole word: NUL, backspace, tab, LF, CR, blank to "," and "." "/", ":" to "@",
// "[" to "`" (the underscore among them), "{" and "}". Not the hyphen, "|", "~", DEL, nor any byte
// above 127: background-color does not hold the word color, my_color does.
extern const TCharSet WordSeparators;

struct TSearchOptions {
  bool WholeWord = false;
  bool MatchCase = false;  // otherwise ASCII letters match in either case
};

// The first match of pattern in the window of text that starts at index max(from - 1, 0) and holds
// count + 1 bytes (count -1: to the end of text), or -1. A whole word needs a separator or the
// window's edge on both sides. An empty pattern matches nowhere.
int32_t FindInText(std::string_view text, std::string_view pattern, int32_t from, int32_t count,
                   TSearchOptions options);

// The 1-based position of the last match of pattern, in any case, that starts at or before the
// 1-based pos (-1 or beyond the text: the whole text); -1 when none. An empty pattern gives pos.
int32_t FindLastBefore(int32_t pos, std::string_view text, std::string_view pattern);

// Whether the last comment marker that begins strictly before index pos is a "/*". Markers count
// anywhere, in strings too, and comments do not nest.
bool IsInComment(std::string_view text, int32_t pos);

// FindInText, skipping (with SkipComments) matches inside comments and also (with SkipValues)
// matches whose next byte the document's scanner puts in a Value token or in no token; a skipped
// match resumes the search right after it, within the same window. SkipValues assumes text is the
// document's own text; without SkipComments neither flag applies.
int32_t FindOutsideComments(const TDocument& document, std::string_view text,
                            std::string_view pattern, int32_t from, int32_t count,
                            TSearchOptions options, bool SkipComments, bool SkipValues);

// "#RRGGBB" to a colour value with red in the low byte; 0 for anything not starting with "#" or
// shorter than 6 bytes. A pair that is not hexadecimal raises TError "'$<pair>' is not a valid
// integer value".
int32_t HexToColor(std::string_view s);
// "#" and upper-case hex digits, red first; the high byte is ignored.
std::string ColorToHex(int32_t color);

// The line that holds an index (LineCount() + 1 past the text).
int32_t CurLineNum(const TDocument& document, int32_t pos);
// The length of the line that holds an index (0 past the text).
int32_t CurLineLen(const TDocument& document, int32_t pos);
// The index of column 1 of a line.
int32_t FirstColumn(const TDocument& document, int32_t line);
// Whether the byte after pos lies in a value: in a Value token or in no token at all (beyond its
// line's end, for one). Never at pos -1.
bool IsValue(const TDocument& document, int32_t pos);

// text with each run of blanks and line breaks made one blank, none at either end.
std::string OneLine(std::string_view text);

}  // namespace qm
