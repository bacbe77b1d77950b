// SPDX-License-Identifier: GPL-3.0-or-later
// color-mix(): two colours mixed in a colour space, as a swatch shows the result and a pick
// writes it back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace qm {

struct TColorMix {
  int32_t Color = 0;  // the mixed colour, red in the low byte, as ColorFromText gives it
  // Where the first colour stands in the text read.
  size_t FirstStart = 0;
  size_t FirstLength = 0;
};

// The colour of a text that is one whole color-mix(): "in" and a space (srgb, srgb-linear, lab,
// oklab, lch, oklch, hsl, hwb; the polar ones with an optional "shorter|longer|increasing|
// decreasing hue"), then two colours ColorFromText reads, each with an optional percentage from
// 0% to 100% before or after it. A missing percentage is what the other leaves of 100%, both
// missing are 50% each, and two that do not add up to 100% are scaled to it (both 0% is no
// colour). Alphas are checked, not mixed: a swatch shows the colour itself. None for anything
// else, for a space not listed and for more than a few color-mix() inside one another.
std::optional<TColorMix> ReadColorMix(std::string_view text);

}  // namespace qm
