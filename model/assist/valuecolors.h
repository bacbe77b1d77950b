// SPDX-License-Identifier: GPL-3.0-or-later
// Where colours of a sheet may stand: in the values of its declarations, never in a selector, an
// at-rule's prelude or a value that names fonts, animations or counters.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "model/sheet/selectorblocks.h"
#include "model/text/document.h"
#include "model/values/colortext.h"

namespace qm {

struct TValueRange {
  int32_t Start = 0;  // the value's first byte
  int32_t End = 0;    // just past its last, "!important" included
  bool operator==(const TValueRange&) const = default;
};

// Whether a declaration of property may hold a colour: not one whose words are names of the
// user's (font families, animations, counters, grid areas...), where "Red Hat" or "gold" is a
// name and no colour. Custom properties may hold anything.
bool ValueMayHoldColors(std::string_view property);

// The values, in text order, of the declarations that may hold colours and reach into the
// stretch [from, to) of the document, in every block that holds declarations. Takes time linear
// in the size of the blocks that reach into the stretch. blocks must describe the document.
std::vector<TValueRange> ColorValueRanges(const TDocument& document, const TModList& blocks,
                                          int32_t from, int32_t to);

// The spots that lie wholly inside one of ranges (sorted as ColorValueRanges gives them).
std::vector<TColorSpot> SpotsInValues(const std::vector<TColorSpot>& spots,
                                      std::span<const TValueRange> ranges);

}  // namespace qm
