// SPDX-License-Identifier: GPL-3.0-or-later
// The block list built the way the rule reads: a search for each "{" outside comments (the
// indexed search, which the differential test holds against the literal one), a scan back from
// it for the selector, and the literal brace matching for its partner.
#pragma once

#include "model/document.h"
#include "model/selectorblocks.h"
#include "reference_scan.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qm::reference {

struct TBlock {
  int32_t StartPos = 0;
  int32_t EndPos = -1;
  std::string Kind;
  std::string Name;
  bool operator==(const TBlock&) const = default;
};

inline std::vector<TBlock> Blocks(const TDocument& document, const TSheet& sheet) {
  const std::string_view text = document.Text();
  std::vector<TBlock> blocks;
  // Whether a comment is open at each byte: the last marker that begins before it is a "/*".
  std::vector<bool> inComment(text.size() + 1, false);
  int32_t lastOpen = -1;
  int32_t lastClose = -1;
  for (size_t i = 0; i <= text.size(); ++i) {
    inComment[i] = lastOpen > lastClose;
    if (i + 1 < text.size() && text.substr(i, 2) == "/*") {
      lastOpen = static_cast<int32_t>(i);
    } else if (i + 1 < text.size() && text.substr(i, 2) == "*/") {
      lastClose = static_cast<int32_t>(i);
    }
  }
  for (int32_t p = qm::FindOutsideComments(document, text, "{", 2, -1, {}, true, false); p >= 0;
       p = qm::FindOutsideComments(document, text, "{", p + 2, -1, {}, true, false)) {
    // The selector starts after the last "{", "}" or ";" outside comments, comment end or NUL.
    int32_t i = p;
    while (i > 0) {
      const auto before = static_cast<size_t>(i - 1);
      const char c = text[before];
      const bool ends = (c == '{' || c == '}' || c == ';') && !inComment[before];
      if (ends || c == '\0' || (c == '/' && before > 0 && text[before - 1] == '*')) {
        break;
      }
      --i;
    }
    std::string name(text.substr(static_cast<size_t>(i), static_cast<size_t>(p - i)));
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!name.empty() && blank(name.back())) {
      name.pop_back();
    }
    name.erase(0, std::find_if_not(name.begin(), name.end(), blank) - name.begin());
    blocks.push_back({p, sheet.MatchingBrace(p), SelectorKind(name), name});
  }
  return blocks;
}

}  // namespace qm::reference
