// SPDX-License-Identifier: GPL-3.0-or-later
// Which components of a shorthand's value belong to which of its parts, told by what each part
// accepts (its catalogue list), so a part row shows its own component and nothing else.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/catalogue/catalogue.h"

namespace qm {

struct TShorthandPart {
  std::string Name;      // the part's property, such as "background-image"
  std::string EditList;  // its catalogue list: keywords and placeholders at "|"
};

// The part rows of a shorthand row with what each accepts; a part that is itself a shorthand of
// sides (border-width) accepts what its first side accepts.
std::vector<TShorthandPart> ShorthandPartsOf(const TInspectorCollection& items,
                                             const TInspectorItem& shorthand);

// The value's components, one text per part (empty where the value has none for it). The
// components are the value's words outside quotes and brackets, taken in order; each goes to
// the first part still empty that accepts it (a keyword of its list, or the kind its
// placeholders stand for), else to the part that took the word before when it accepts it
// ("left top"); a word after "/" goes to the part after the one before it (a font's line
// height); a font family takes the rest of the value. Four parts named for the sides of a box
// share the words by the box rule: one for all sides, two for top and bottom then right and
// left, three for top, the sides, bottom, four clockwise from the top. A word no part accepts
// shows in none.
std::vector<std::string> SpreadShorthand(std::string_view value,
                                         const std::vector<TShorthandPart>& parts);

}  // namespace qm
