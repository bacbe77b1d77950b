// SPDX-License-Identifier: GPL-3.0-or-later
// A colour written back in the notation of the colour text it replaces.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>

#include "model/asciicase.h"
#include "model/text/textscan.h"
#include "model/values/colormix.h"
#include "model/values/colorspaces.h"
#include "model/values/colortext.h"
#include "model/values/colortext_parts.h"

namespace qm {

namespace {

using colortext::Blue;
using colortext::Green;
using colortext::IsModern;
using colortext::NameOfColor;
using colortext::NumberScale;
using colortext::PercentScale;
using colortext::ReadColor;
using colortext::Red;
using colortext::TColorText;
using colortext::TNotation;
using colortext::TPart;

double InHueUnit(double degrees, std::string_view unit) {
  const std::string lower = AsciiLowerCase(unit);
  if (lower == "grad") {
    return degrees / 0.9;
  }
  if (lower == "rad") {
    return degrees * std::numbers::pi / 180;
  }
  if (lower == "turn") {
    return degrees / 360;
  }
  return degrees;
}

// The three numbers of a modern notation that give color, in the scale of 100% or of a bare
// number as each part was written; the hue of a colour without one is left out (NaN).
std::array<double, 3> ModernNumbers(TNotation notation, const std::array<TPart, 3>& parts,
                                    int32_t color) {
  const TRgb rgb{Red(color) / 255.0, Green(color) / 255.0, Blue(color) / 255.0};
  std::array<double, 3> v{};
  bool grey = Red(color) == Green(color) && Green(color) == Blue(color);
  switch (notation) {
    case TNotation::Hwb:
      v = RgbToHwb(rgb);
      break;
    case TNotation::Lab:
      v = RgbToLab(rgb);
      break;
    case TNotation::Lch:
      v = LabToLch(RgbToLab(rgb));
      break;
    case TNotation::Oklab:
      v = RgbToOklab(rgb);
      break;
    case TNotation::Oklch:
      v = LabToLch(RgbToOklab(rgb));
      break;
    case TNotation::Srgb:
      v = rgb;
      break;
    default:
      v = {LinearChannel(rgb[0]), LinearChannel(rgb[1]), LinearChannel(rgb[2])};
      break;
  }
  const std::array<double, 3> scale = PercentScale(notation);
  std::array<double, 3> numbers{};
  for (size_t k = 0; k < 3; ++k) {
    if (scale[k] == 0) {
      numbers[k] = grey ? std::nan("") : InHueUnit(v[k], parts[k].Unit);
    } else if (parts[k].Unit == "%") {
      numbers[k] = v[k] / scale[k] * 100;
    } else {
      numbers[k] = v[k] * NumberScale(notation);
    }
  }
  return numbers;
}

// value with at most decimals digits after the point, and none it does not need.
std::string Decimal(double value, int decimals) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  std::string text = buffer;
  if (text.find('.') != std::string::npos) {
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') {
      text.pop_back();
    }
  }
  return text == "-0" ? "0" : text;
}

// old with each part given a new number, its unit kept.
std::string WithParts(std::string_view old, const TColorText& read,
                      const std::array<std::string, 3>& numbers) {
  std::string text(old);
  for (size_t k = 3; k-- > 0;) {
    const TPart& part = read.Parts[k];
    if (!numbers[k].empty()) {
      text.replace(part.Start, part.Length, numbers[k] + std::string(part.Unit));
    }
  }
  return text;
}

struct THsl {
  double Hue = 0;  // degrees
  double Saturation = 0;
  double Lightness = 0;  // percent
};

THsl ToHsl(int32_t color) {
  const double r = Red(color) / 255.0;
  const double g = Green(color) / 255.0;
  const double b = Blue(color) / 255.0;
  const double max = std::max({r, g, b});
  const double min = std::min({r, g, b});
  const double d = max - min;
  THsl hsl;
  hsl.Lightness = (max + min) / 2 * 100;
  if (d == 0) {
    return hsl;
  }
  const double l = (max + min) / 2;
  hsl.Saturation = d / (1 - std::abs(2 * l - 1)) * 100;
  double h = 0;
  if (max == r) {
    h = (g - b) / d + (g < b ? 6 : 0);
  } else if (max == g) {
    h = (b - r) / d + 2;
  } else {
    h = (r - g) / d + 4;
  }
  hsl.Hue = h * 60;
  return hsl;
}

std::string HexDigits(int32_t color, bool isShort) {
  char buffer[8];
  if (isShort) {
    std::snprintf(buffer, sizeof buffer, "%x%x%x", Red(color) / 17, Green(color) / 17,
                  Blue(color) / 17);
  } else {
    std::snprintf(buffer, sizeof buffer, "%02x%02x%02x", Red(color), Green(color), Blue(color));
  }
  return buffer;
}

bool HasLower(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

bool HasUpper(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

std::string AsciiUpperCase(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - 'a' + 'A');
    }
  }
  return text;
}

std::string HexInNotation(std::string_view old, int32_t color) {
  const std::string_view digits = old.substr(1);
  const bool canBeShort = Red(color) % 17 == 0 && Green(color) % 17 == 0 && Blue(color) % 17 == 0;
  const bool wasShort = digits.size() < 6;
  std::string text = "#";
  text += HexDigits(color, wasShort && canBeShort);
  // The alpha stays as written: one digit, or two when the colour needs six.
  if (digits.size() == 4) {
    text += canBeShort ? std::string(1, digits[3]) : std::string(2, digits[3]);
  } else if (digits.size() == 8) {
    text += digits.substr(6);
  }
  // Upper case when the digits had capitals, or no letters to tell.
  return HasUpper(digits) || !HasLower(digits) ? AsciiUpperCase(text) : text;
}

std::string NameInNotation(std::string_view old, const TColorText& read, int32_t color) {
  if (read.Color == color) {
    return std::string(old);
  }
  const std::optional<std::string_view> named = NameOfColor(color);
  if (!named) {
    return ColorToHex(color);
  }
  const std::string name(*named);
  return HasLower(old) ? name : AsciiUpperCase(name);
}

// The fewest decimals that still read back as color; rgb() numbers are whole.
std::string FunctionInNotation(std::string_view old, const TColorText& read, int32_t color) {
  std::string text;
  for (int decimals = 0; decimals <= 6; ++decimals) {
    std::array<std::string, 3> numbers;
    if (IsModern(read.Notation)) {
      const std::array<double, 3> values = ModernNumbers(read.Notation, read.Parts, color);
      for (size_t k = 0; k < 3; ++k) {
        if (!std::isnan(values[k])) {
          numbers[k] = Decimal(values[k], decimals);
        }
      }
    } else if (read.Notation == TNotation::Rgb) {
      const int channels[] = {Red(color), Green(color), Blue(color)};
      for (size_t k = 0; k < 3; ++k) {
        numbers[k] = read.Parts[k].Unit == "%" ? Decimal(channels[k] * 100.0 / 255, decimals)
                                               : std::to_string(channels[k]);
      }
    } else {
      const THsl hsl = ToHsl(color);
      // A grey has no hue: the one written stays.
      if (hsl.Saturation != 0) {
        numbers[0] = Decimal(InHueUnit(hsl.Hue, read.Parts[0].Unit), decimals);
      }
      numbers[1] = Decimal(hsl.Saturation, decimals);
      numbers[2] = Decimal(hsl.Lightness, decimals);
    }
    text = WithParts(old, read, numbers);
    if (ColorFromText(text) == color) {
      break;
    }
  }
  return text;
}

}  // namespace

std::string ColorInNotation(std::string_view old, int32_t color) {
  color &= 0xFFFFFF;
  const std::optional<TColorText> read = ReadColor(old);
  if (!read) {
    // A mix becomes one colour, written as its first colour was.
    if (const std::optional<TColorMix> mix = ReadColorMix(old)) {
      return ColorInNotation(old.substr(mix->FirstStart, mix->FirstLength), color);
    }
    return ColorToHex(color);
  }
  switch (read->Notation) {
    case TNotation::Hex:
      return HexInNotation(old, color);
    case TNotation::Name:
      return NameInNotation(old, *read, color);
    default:
      break;
  }
  return FunctionInNotation(old, *read, color);
}

}  // namespace qm
