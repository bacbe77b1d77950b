// SPDX-License-Identifier: GPL-3.0-or-later
// The colour spaces of CSS Color 4 that a sheet can write a colour in, to and from sRGB: hwb(),
// lab() and lch() (CIE, D50 white), oklab() and oklch(), and linear-light sRGB.
#pragma once

#include <array>

namespace qm {

// Red, green and blue from 0 to 1 (outside that range for a colour sRGB cannot show).
using TRgb = std::array<double, 3>;

// hue in degrees, whiteness and blackness from 0 to 1.
TRgb HwbToRgb(double hue, double white, double black);
// Hue in degrees (0 for a grey), whiteness, blackness.
std::array<double, 3> RgbToHwb(const TRgb& rgb);

// hue in degrees, saturation and lightness from 0 to 1, as hsl() means them; and back (hue 0 for
// a grey).
TRgb HslToRgb(double hue, double saturation, double lightness);
std::array<double, 3> RgbToHsl(const TRgb& rgb);

// Lightness 0..100, a, b as CSS's lab() writes them.
TRgb LabToRgb(const std::array<double, 3>& lab);
std::array<double, 3> RgbToLab(const TRgb& rgb);

// Lightness 0..1, a, b as CSS's oklab() writes them.
TRgb OklabToRgb(const std::array<double, 3>& lab);
std::array<double, 3> RgbToOklab(const TRgb& rgb);

// Lightness, a, b to lightness, chroma, hue in degrees, and back.
std::array<double, 3> LabToLch(const std::array<double, 3>& lab);
std::array<double, 3> LchToLab(const std::array<double, 3>& lch);

// One sRGB channel to linear light and back.
double LinearChannel(double channel);
double GammaChannel(double linear);

}  // namespace qm
