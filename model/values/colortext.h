// SPDX-License-Identifier: GPL-3.0-or-later
// Colours as a style sheet writes them (hex digits, the named colours, rgb()/rgba()/hsl()/hsla(),
// hwb(), lab(), lch(), oklab(), oklch(), color(srgb) and color(srgb-linear)):
// what a colour text stands for, where colours stand in a line, and a colour written back in the
// notation of the text it replaces.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/text/cssscanner.h"

namespace qm {

// The colour value (red in the low byte, as HexToColor gives) of a text that is one whole colour:
// "#" and 3, 4, 6 or 8 hex digits, a named colour in any letter case, or rgb()/rgba() with three
// numbers or three percentages, hsl()/hsla() with a hue and two percentages, in the comma form or
// the blank form with "/" before the alpha; hwb(), lab(), lch(), oklab(), oklch(), color(srgb ...)
// and color(srgb-linear ...) in the blank form; color-mix() of two of these (see ReadColorMix).
// None for anything else, "transparent" included. An alpha is checked but does not change the
// value: a swatch shows the colour itself.
std::optional<int32_t> ColorFromText(std::string_view text);

// The named colours of CSS, lower case, in alphabetical order.
std::span<const std::string_view> ColorNames();

struct TColorSpot {
  int32_t Start = 0;  // byte offset in the text looked at
  int32_t Length = 0;
  int32_t Color = 0;
  bool operator==(const TColorSpot&) const = default;
};

// The colours in a stretch of text, kinds holding the scanner's token kind of each of its bytes:
// those in values and colour tokens, none in selectors, property names, comments, strings or
// url(). The stretch should start and end between words: a colour cut by an edge is not whole.
std::vector<TColorSpot> FindColors(std::string_view text, std::span<const TTokenKind> kinds);

// The text that writes color in the notation of old, a text ColorFromText accepts: hex stays hex
// with as many digits as before where they can say it, the letter case kept; a name stays a name
// when the colour has one, else becomes "#RRGGBB"; rgb() and hsl() get new numbers in the units
// they had, with no more decimals than it takes, and keep their alpha, blanks and commas. A
// color-mix() becomes the one colour, in the notation of its first colour.
std::string ColorInNotation(std::string_view old, int32_t color);

}  // namespace qm
