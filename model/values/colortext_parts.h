// SPDX-License-Identifier: GPL-3.0-or-later
// What the colour texts' files share among themselves: the colour value's channels, a colour text
// as read (its notation and the numbers it was written with), the named colours and the scales of
// the modern notations. Not for use outside model/values/colortext*.cpp.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace qm::colortext {

inline int32_t FromRgb(int red, int green, int blue) {
  return red | (green << 8) | (blue << 16);
}

inline int Red(int32_t color) {
  return color & 0xFF;
}
inline int Green(int32_t color) {
  return (color >> 8) & 0xFF;
}
inline int Blue(int32_t color) {
  return (color >> 16) & 0xFF;
}

// One number of a colour function, with its unit.
struct TPart {
  size_t Start = 0;  // in the colour text
  size_t Length = 0;
  double Value = 0;
  std::string_view Unit;  // "", "%" or a name such as "deg"
};

enum class TNotation { Hex, Name, Rgb, Hsl, Hwb, Lab, Lch, Oklab, Oklch, Srgb, SrgbLinear };

// The notations of CSS Color 4 that take blanks between their numbers only.
inline bool IsModern(TNotation notation) {
  return notation != TNotation::Rgb && notation != TNotation::Hsl;
}

struct TColorText {
  TNotation Notation = TNotation::Hex;
  int32_t Color = 0;
  std::array<TPart, 3> Parts{};  // red, green, blue or hue, saturation, lightness
};

// The colour a name stands for, in any letter case; none for a word that names no colour.
std::optional<int32_t> NamedColor(std::string_view word);
// The first name, in name order, of color; none when it has no name.
std::optional<std::string_view> NameOfColor(int32_t color);

// A text that is one whole colour, read with its notation and numbers.
std::optional<TColorText> ReadColor(std::string_view text);

// What 100% of each number stands for; 0 where a number must be an angle.
std::array<double, 3> PercentScale(TNotation notation);
// The scale a bare number of hwb() is written in: its whiteness and blackness run to 100.
double NumberScale(TNotation notation);

}  // namespace qm::colortext
