// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/assist/valuecolors.h"

#include <algorithm>
#include <array>

#include "model/asciicase.h"
#include "model/sheet/declarations.h"
#include "model/sheet/rulebody.h"
#include "model/textbytes.h"

namespace qm {

namespace {

// Properties whose words are names: a colour keyword among them is a name that looks like one.
constexpr std::array<std::string_view, 17> kNamingProperties = {
    "animation",         "animation-name", "container",           "container-name",
    "counter-increment", "counter-reset",  "counter-set",         "font",
    "font-family",       "grid-area",      "grid-column",         "grid-row",
    "grid-template",     "transition",     "transition-property", "view-transition-name",
    "voice-family"};

}  // namespace

bool ValueMayHoldColors(std::string_view property) {
  if (property.starts_with("--")) {
    return true;
  }
  const std::string lower = AsciiLowerCase(property);
  return std::find(kNamingProperties.begin(), kNamingProperties.end(), lower) ==
         kNamingProperties.end();
}

std::vector<TValueRange> ColorValueRanges(const TDocument& document, const TModList& blocks,
                                          int32_t from, int32_t to) {
  std::vector<TValueRange> ranges;
  const std::string_view text = document.Text();
  const auto size = static_cast<int32_t>(text.size());
  for (int32_t b = 0; b < blocks.Count(); ++b) {
    const TItmRecord& block = blocks.Items(b);
    const int32_t close = block.EndPos < 0 ? size : block.EndPos;
    if (block.StartPos >= to || close < from ||
        !HoldsDeclarations(BlockKind(document, blocks, b))) {
      continue;
    }
    for (const TDeclarationItem& item : ParseRuleBody(text, block.StartPos, close).Declarations) {
      if (item.PriorityEnd < from || item.ValueStart >= to) {
        continue;
      }
      const std::string_view name = textbytes::Slice(text, item.NameStart, item.NameEnd);
      if (ValueMayHoldColors(name)) {
        ranges.push_back({item.ValueStart, item.PriorityEnd});
      }
    }
  }
  std::sort(ranges.begin(), ranges.end(),
            [](const TValueRange& a, const TValueRange& b) { return a.Start < b.Start; });
  return ranges;
}

std::vector<TColorSpot> SpotsInValues(const std::vector<TColorSpot>& spots,
                                      std::span<const TValueRange> ranges) {
  std::vector<TColorSpot> kept;
  for (const TColorSpot& spot : spots) {
    // The last range starting at or before the spot is the only one that can hold it.
    const auto after = std::upper_bound(
        ranges.begin(), ranges.end(), spot.Start,
        [](int32_t start, const TValueRange& range) { return start < range.Start; });
    if (after != ranges.begin() && spot.Start + spot.Length <= std::prev(after)->End) {
      kept.push_back(spot);
    }
  }
  return kept;
}

}  // namespace qm
