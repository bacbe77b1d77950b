// SPDX-License-Identifier: GPL-3.0-or-later
// The block list built the way the rule reads: each code "{" of the literal byte reading, a scan
// back from it for the selector, and the literal brace matching for its partner.
#pragma once

#include "model/sheet/selectorblocks.h"
#include "model/text/document.h"
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
  const std::vector<TByteRole> roles = ByteRoles(text);
  std::vector<TBlock> blocks;
  for (int32_t p = 1; p < static_cast<int32_t>(text.size()); ++p) {
    if (text[size_t(p)] != '{' || roles[size_t(p)] != TByteRole::Code) {
      continue;
    }
    // The selector starts after the last code "{", "}", ";" or NUL, or comment end.
    int32_t i = p;
    while (i > 0) {
      const auto before = static_cast<size_t>(i - 1);
      const char c = text[before];
      if (roles[before] == TByteRole::CommentEnd ||
          (roles[before] == TByteRole::Code && (c == '{' || c == '}' || c == ';' || c == '\0'))) {
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
