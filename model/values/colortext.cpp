// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/values/colortext.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <numbers>

#include "model/asciicase.h"
#include "model/text/textscan.h"
#include "model/textbytes.h"
#include "model/values/colormix.h"
#include "model/values/colorspaces.h"
#include "model/values/colortext_parts.h"

namespace qm {

namespace {

using textbytes::IsBlank;
using textbytes::IsDigit;
using textbytes::IsLetter;
using textbytes::IsNameChar;
using textbytes::IsNameStart;

using colortext::FromRgb;
using colortext::IsModern;
using colortext::NamedColor;
using colortext::NumberScale;
using colortext::PercentScale;
using colortext::ReadColor;
using colortext::TColorText;
using colortext::TNotation;
using colortext::TPart;

int HexValue(char c) {
  const char lower = AsciiLower(c);
  if (IsDigit(c)) {
    return c - '0';
  }
  return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

// A number as CSS writes it (sign, digits, decimals, exponent) and its unit, from text[at].
std::optional<TPart> ReadPart(std::string_view text, size_t at) {
  size_t i = at;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    ++i;
  }
  const size_t digits = i;
  while (i < text.size() && IsDigit(text[i])) {
    ++i;
  }
  bool any = i > digits;
  if (i + 1 < text.size() && text[i] == '.' && IsDigit(text[i + 1])) {
    ++i;
    while (i < text.size() && IsDigit(text[i])) {
      ++i;
    }
    any = true;
  }
  if (!any) {
    return std::nullopt;
  }
  if (i < text.size() && AsciiLower(text[i]) == 'e') {
    size_t e = i + 1;
    if (e < text.size() && (text[e] == '+' || text[e] == '-')) {
      ++e;
    }
    if (e < text.size() && IsDigit(text[e])) {
      while (e < text.size() && IsDigit(text[e])) {
        ++e;
      }
      i = e;
    }
  }
  TPart part;
  part.Start = at;
  // from_chars takes no plus sign.
  const size_t from = text[at] == '+' ? at + 1 : at;
  if (std::from_chars(text.data() + from, text.data() + i, part.Value).ptr != text.data() + i) {
    return std::nullopt;
  }
  const size_t unit = i;
  if (i < text.size() && text[i] == '%') {
    ++i;
  } else {
    while (i < text.size() && IsLetter(text[i])) {
      ++i;
    }
  }
  part.Unit = text.substr(unit, i - unit);
  part.Length = i - at;
  return part;
}

int Channel(double value) {
  return static_cast<int>(std::lround(std::clamp(value, 0.0, 255.0)));
}

double HueDegrees(const TPart& hue) {
  const std::string unit = AsciiLowerCase(hue.Unit);
  if (unit == "grad") {
    return hue.Value * 0.9;
  }
  if (unit == "rad") {
    return hue.Value * 180 / std::numbers::pi;
  }
  if (unit == "turn") {
    return hue.Value * 360;
  }
  return hue.Value;
}

bool IsAngleUnit(std::string_view unit) {
  const std::string lower = AsciiLowerCase(unit);
  return lower.empty() || lower == "deg" || lower == "grad" || lower == "rad" || lower == "turn";
}

int32_t HslColor(double hue, double saturation, double lightness) {
  hue = std::fmod(hue, 360.0);
  if (hue < 0) {
    hue += 360;
  }
  const double s = std::clamp(saturation / 100, 0.0, 1.0);
  const double l = std::clamp(lightness / 100, 0.0, 1.0);
  const double a = s * std::min(l, 1 - l);
  const auto f = [&](double n) {
    const double k = std::fmod(n + hue / 30, 12.0);
    return l - a * std::max(-1.0, std::min({k - 3, 9 - k, 1.0}));
  };
  return FromRgb(Channel(f(0) * 255), Channel(f(8) * 255), Channel(f(4) * 255));
}

std::optional<TNotation> ModernNotation(std::string_view lowerName) {
  if (lowerName == "hwb") {
    return TNotation::Hwb;
  }
  if (lowerName == "lab") {
    return TNotation::Lab;
  }
  if (lowerName == "lch") {
    return TNotation::Lch;
  }
  if (lowerName == "oklab") {
    return TNotation::Oklab;
  }
  if (lowerName == "oklch") {
    return TNotation::Oklch;
  }
  return std::nullopt;
}

}  // namespace

std::array<double, 3> colortext::PercentScale(TNotation notation) {
  switch (notation) {
    case TNotation::Hwb:
      return {0, 1, 1};
    case TNotation::Lab:
      return {100, 125, 125};
    case TNotation::Lch:
      return {100, 150, 0};
    case TNotation::Oklab:
      return {1, 0.4, 0.4};
    case TNotation::Oklch:
      return {1, 0.4, 0};
    default:
      return {1, 1, 1};
  }
}

double colortext::NumberScale(TNotation notation) {
  return notation == TNotation::Hwb ? 100 : 1;
}

namespace {

int32_t FromUnit(const TRgb& rgb) {
  return FromRgb(Channel(rgb[0] * 255), Channel(rgb[1] * 255), Channel(rgb[2] * 255));
}

// The colour of hwb(), lab(), lch(), oklab(), oklch() or color(srgb) from its three numbers.
std::optional<int32_t> ModernColor(TNotation notation, const std::array<TPart, 3>& parts) {
  const std::array<double, 3> scale = PercentScale(notation);
  std::array<double, 3> v{};
  for (size_t k = 0; k < 3; ++k) {
    const TPart& part = parts[k];
    if (scale[k] == 0) {
      if (!IsAngleUnit(part.Unit)) {
        return std::nullopt;
      }
      v[k] = HueDegrees(part);
    } else if (part.Unit == "%") {
      v[k] = part.Value / 100 * scale[k];
    } else if (part.Unit.empty()) {
      v[k] = part.Value / NumberScale(notation);
    } else {
      return std::nullopt;
    }
  }
  switch (notation) {
    case TNotation::Hwb:
      return FromUnit(HwbToRgb(v[0], v[1], v[2]));
    case TNotation::Lab:
      return FromUnit(LabToRgb(v));
    case TNotation::Lch:
      return FromUnit(LabToRgb(LchToLab(v)));
    case TNotation::Oklab:
      return FromUnit(OklabToRgb(v));
    case TNotation::Oklch:
      return FromUnit(OklabToRgb(LchToLab(v)));
    case TNotation::Srgb:
      return FromUnit(v);
    case TNotation::SrgbLinear:
      return FromUnit({GammaChannel(v[0]), GammaChannel(v[1]), GammaChannel(v[2])});
    default:
      return std::nullopt;
  }
}

// rgb(), rgba(), hsl() or hsla(): three numbers and an optional alpha, all separated by commas,
// or by blanks with a "/" before the alpha. hwb(), lab(), lch(), oklab(), oklch() and
// color(srgb ...) take blanks only.
std::optional<TColorText> ReadFunction(std::string_view text) {
  const size_t open = text.find('(');
  if (open == std::string_view::npos || text.back() != ')') {
    return std::nullopt;
  }
  const std::string name = AsciiLowerCase(text.substr(0, open));
  TColorText color;
  size_t i = open + 1;
  if (name == "rgb" || name == "rgba") {
    color.Notation = TNotation::Rgb;
  } else if (name == "hsl" || name == "hsla") {
    color.Notation = TNotation::Hsl;
  } else if (const std::optional<TNotation> modern = ModernNotation(name)) {
    color.Notation = *modern;
  } else if (name == "color") {
    // color(srgb ...) and color(srgb-linear ...): the space's name, then its numbers.
    while (i < text.size() && IsBlank(text[i])) {
      ++i;
    }
    const size_t space = i;
    while (i < text.size() && (IsLetter(text[i]) || text[i] == '-')) {
      ++i;
    }
    const std::string spaceName = AsciiLowerCase(text.substr(space, i - space));
    if (spaceName == "srgb") {
      color.Notation = TNotation::Srgb;
    } else if (spaceName == "srgb-linear") {
      color.Notation = TNotation::SrgbLinear;
    } else {
      return std::nullopt;
    }
    if (i >= text.size() || !IsBlank(text[i])) {
      return std::nullopt;
    }
  } else {
    return std::nullopt;
  }
  std::vector<TPart> parts;
  std::string separators;  // before each part after the first: ',', '/' or ' '
  const size_t end = text.size() - 1;
  while (true) {
    const size_t before = i;
    while (i < end && IsBlank(text[i])) {
      ++i;
    }
    if (i == end) {
      break;
    }
    if (!parts.empty()) {
      char separator = ' ';
      if (text[i] == ',' || text[i] == '/') {
        separator = text[i++];
        while (i < end && IsBlank(text[i])) {
          ++i;
        }
      } else if (i == before) {
        return std::nullopt;  // two numbers with nothing between them
      }
      separators += separator;
    }
    const std::optional<TPart> part = ReadPart(text, i);
    if (!part || parts.size() == 4) {
      return std::nullopt;
    }
    parts.push_back(*part);
    i += part->Length;
  }
  if (parts.size() < 3) {
    return std::nullopt;
  }
  const bool commas = separators.substr(0, 2) == ",,";
  const bool blanks = separators.substr(0, 2) == "  ";
  if ((!commas && !blanks) || (commas && IsModern(color.Notation))) {
    return std::nullopt;
  }
  if (parts.size() == 4) {
    const TPart& alpha = parts[3];
    if (separators[2] != (commas ? ',' : '/') || !(alpha.Unit.empty() || alpha.Unit == "%")) {
      return std::nullopt;
    }
  }
  std::copy_n(parts.begin(), 3, color.Parts.begin());
  const auto& p = color.Parts;
  if (IsModern(color.Notation)) {
    const std::optional<int32_t> modern = ModernColor(color.Notation, color.Parts);
    if (!modern) {
      return std::nullopt;
    }
    color.Color = *modern;
  } else if (color.Notation == TNotation::Rgb) {
    const bool numbers = p[0].Unit.empty() && p[1].Unit.empty() && p[2].Unit.empty();
    const bool percentages = p[0].Unit == "%" && p[1].Unit == "%" && p[2].Unit == "%";
    if (!numbers && !percentages) {
      return std::nullopt;
    }
    // 50% is 127.5 exactly, as a browser reads it, which a factor of 2.55 would miss.
    const auto channel = [percentages](const TPart& part) {
      return Channel(percentages ? part.Value * 255 / 100 : part.Value);
    };
    color.Color = FromRgb(channel(p[0]), channel(p[1]), channel(p[2]));
  } else {
    if (!IsAngleUnit(p[0].Unit) || p[1].Unit != "%" || p[2].Unit != "%") {
      return std::nullopt;
    }
    color.Color = HslColor(HueDegrees(p[0]), p[1].Value, p[2].Value);
  }
  return color;
}

}  // namespace

std::optional<TColorText> colortext::ReadColor(std::string_view text) {
  if (text.empty()) {
    return std::nullopt;
  }
  TColorText color;
  if (text[0] == '#') {
    const std::string_view digits = text.substr(1);
    const size_t n = digits.size();
    if ((n != 3 && n != 4 && n != 6 && n != 8) ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return HexValue(c) >= 0; })) {
      return std::nullopt;
    }
    const bool isShort = n < 6;
    const auto channel = [&](size_t k) {
      return isShort ? HexValue(digits[k]) * 17
                     : HexValue(digits[2 * k]) * 16 + HexValue(digits[2 * k + 1]);
    };
    color.Notation = TNotation::Hex;
    color.Color = FromRgb(channel(0), channel(1), channel(2));
    return color;
  }
  if (text.find('(') != std::string_view::npos) {
    return ReadFunction(text);
  }
  if (!std::all_of(text.begin(), text.end(), IsLetter)) {
    return std::nullopt;
  }
  const std::optional<int32_t> named = NamedColor(text);
  if (!named) {
    return std::nullopt;
  }
  color.Notation = TNotation::Name;
  color.Color = *named;
  return color;
}

namespace {

bool IsColorFunction(std::string_view lowerName) {
  return lowerName == "rgb" || lowerName == "rgba" || lowerName == "hsl" || lowerName == "hsla" ||
         lowerName == "color" || ModernNotation(lowerName).has_value();
}

// The ")" that closes the "(" at open, brackets inside counted; the text's size where a ";",
// "{" or "}" comes first or nothing closes it.
size_t ClosingBracket(std::string_view text, size_t open) {
  int depth = 0;
  for (size_t i = open; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '(') {
      ++depth;
    } else if (c == ')' && --depth == 0) {
      return i;
    } else if (c == ';' || c == '{' || c == '}') {
      break;
    }
  }
  return text.size();
}

// Tokens whose text is never a colour of a value.
bool OutsideValues(TTokenKind kind) {
  switch (kind) {
    case TTokenKind::Key:
    case TTokenKind::Property:
    case TTokenKind::UndefinedProperty:
    case TTokenKind::Comment:
    case TTokenKind::String:
    case TTokenKind::Null:
      return true;
    default:
      return false;
  }
}

}  // namespace

std::optional<int32_t> ColorFromText(std::string_view text) {
  if (const std::optional<TColorText> read = ReadColor(text)) {
    return read->Color;
  }
  if (const std::optional<TColorMix> mix = ReadColorMix(text)) {
    return mix->Color;
  }
  return std::nullopt;
}

std::vector<TColorSpot> FindColors(std::string_view text, std::span<const TTokenKind> kinds) {
  std::vector<TColorSpot> spots;
  const size_t n = std::min(text.size(), kinds.size());
  const auto add = [&](size_t start, size_t end) {
    const std::optional<int32_t> color = ColorFromText(text.substr(start, end - start));
    if (color) {
      spots.push_back({static_cast<int32_t>(start), static_cast<int32_t>(end - start), *color});
    }
    return color.has_value();
  };
  size_t i = 0;
  while (i < n) {
    const char c = text[i];
    if (OutsideValues(kinds[i])) {
      ++i;
    } else if (c == '#') {
      size_t end = i + 1;
      while (end < n && IsNameChar(text[end])) {
        ++end;
      }
      add(i, end);
      i = end;
    } else if (IsDigit(c) || (c == '.' && i + 1 < n && IsDigit(text[i + 1]))) {
      // A number and its unit: "1red" is no colour.
      while (i < n && (IsNameChar(text[i]) || text[i] == '.')) {
        ++i;
      }
    } else if (c == '/' && i + 1 < n && text[i + 1] == '*') {
      // A comment, also one the highlighter did not mark as one.
      const size_t close = text.find("*/", i + 2);
      i = close == std::string_view::npos || close + 2 > n ? n : close + 2;
    } else if (c == '"' || c == '\'') {
      const size_t close = text.find(c, i + 1);
      i = close == std::string_view::npos || close >= n ? n : close + 1;
    } else if (c == '\\') {
      i += 2;
    } else if (IsNameStart(c)) {
      size_t end = i;
      while (end < n && IsNameChar(text[end])) {
        ++end;
      }
      if (end < n && text[end] == '(') {
        const std::string name = AsciiLowerCase(text.substr(i, end - i));
        if (name == "url") {
          // An address, whatever words it holds.
          const size_t close = text.find(')', end);
          end = close == std::string_view::npos || close >= n ? n : close;
        } else if (name == "color-mix") {
          // One swatch for the mix; the colours of one this editor cannot mix keep their own.
          const size_t close = ClosingBracket(text.substr(0, n), end);
          if (close < n && add(i, close + 1)) {
            end = close;
          }
        } else if (IsColorFunction(name)) {
          const size_t close = text.find_first_of("();{}", end + 1);
          if (close < n && text[close] == ')') {
            add(i, close + 1);
            end = close;
          }
        }
        // Other functions (gradients, var() with a fallback) hold colours of their own.
        i = end + 1;
      } else {
        add(i, end);
        i = end;
      }
    } else {
      ++i;
    }
  }
  return spots;
}

}  // namespace qm
