// SPDX-License-Identifier: GPL-3.0-or-later
// The tip for what the pointer rests on in a rule: a property's Quick Info, a colour in hex,
// rgb() and hsl(), and why the check refuses a declaration's value.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/sheet/selectorblocks.h"
#include "model/text/document.h"

namespace qm {

class TInspectorCollection;
class TValueChecker;

// The text of the tip for the byte at position; empty where there is nothing to tell (outside
// every rule, in a selector, a comment or a string, on a value that fits and holds no colour).
// A property is described by the chosen level's catalogue; values are checked against the value
// syntaxes of current CSS. Reads the position's line and rule only; blocks must describe the
// document (TError otherwise).
std::string HoverTextAt(const TDocument& document, const TModList& blocks, int32_t position,
                        const TInspectorCollection& catalogue, const TValueChecker* checker);

// A property's Quick Info as a tip: its name, its description (the facts of current CSS with the
// browsers that support it, or an older level's text with its three browsers); empty for a
// property the catalogue lacks.
std::string PropertyTip(const TInspectorCollection& catalogue, std::string_view property);

// "#RRGGBB", "rgb(r, g, b)" and "hsl(h, s%, l%)", one a line.
std::string ColorTip(int32_t color);

// A tip shows its lines as they are: each line of tip longer than width bytes is broken at its
// last blank that keeps it within width (a longer word stays whole), and the lines it goes on
// in are indented by two blanks, so that no line runs off the screen.
inline constexpr size_t TipWidth = 100;
std::string WrappedTip(std::string_view tip, size_t width = TipWidth);

}  // namespace qm
