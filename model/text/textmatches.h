// SPDX-License-Identifier: GPL-3.0-or-later
// Every match of a find text in a whole text, with the Find options, for searching and replacing
// across files: where each is, on which line, and the text with every match replaced.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

struct TTextMatch {
  int32_t Start = 0;  // byte index in the text
  int32_t End = 0;
  int32_t Line = 1;  // 1-based, lines ending at CR LF, CR or LF
  int32_t Col = 1;   // 1-based byte column
  // The match's line without its break; of a line longer than 200 bytes, 200 bytes of it from
  // 60 before the match.
  std::string LineText;
  bool operator==(const TTextMatch&) const = default;
};

// The matches in text order, none overlapping: ASCII letters without regard to case unless
// matchCase; whole words bounded as the editor's Find bounds them ("-" is part of a word).
// An empty find text finds nothing. Linear in the text's size for a find text of fixed length.
std::vector<TTextMatch> FindAllMatches(std::string_view text, std::string_view find, bool matchCase,
                                       bool wholeWord);

// The text with each of matches (found in it) replaced by replacement.
std::string ReplaceMatches(std::string_view text, const std::vector<TTextMatch>& matches,
                           std::string_view replacement);

}  // namespace qm
