// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/values/colortext.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "model/asciicase.h"
#include "model/text/textscan.h"
#include "model/textbytes.h"
#include "model/values/colormix.h"
#include "model/values/colorspaces.h"

namespace qm {

namespace {

using textbytes::IsBlank;
using textbytes::IsDigit;
using textbytes::IsLetter;
using textbytes::IsNameChar;
using textbytes::IsNameStart;

struct TNamedColor {
  std::string_view Name;
  uint32_t Rgb;  // 0xRRGGBB, as the names are usually listed
};

// The named colours of CSS, in name order for the lookup.
constexpr std::array<TNamedColor, 148> NamedColors{{
    {"aliceblue", 0xf0f8ff},
    {"antiquewhite", 0xfaebd7},
    {"aqua", 0x00ffff},
    {"aquamarine", 0x7fffd4},
    {"azure", 0xf0ffff},
    {"beige", 0xf5f5dc},
    {"bisque", 0xffe4c4},
    {"black", 0x000000},
    {"blanchedalmond", 0xffebcd},
    {"blue", 0x0000ff},
    {"blueviolet", 0x8a2be2},
    {"brown", 0xa52a2a},
    {"burlywood", 0xdeb887},
    {"cadetblue", 0x5f9ea0},
    {"chartreuse", 0x7fff00},
    {"chocolate", 0xd2691e},
    {"coral", 0xff7f50},
    {"cornflowerblue", 0x6495ed},
    {"cornsilk", 0xfff8dc},
    {"crimson", 0xdc143c},
    {"cyan", 0x00ffff},
    {"darkblue", 0x00008b},
    {"darkcyan", 0x008b8b},
    {"darkgoldenrod", 0xb8860b},
    {"darkgray", 0xa9a9a9},
    {"darkgreen", 0x006400},
    {"darkgrey", 0xa9a9a9},
    {"darkkhaki", 0xbdb76b},
    {"darkmagenta", 0x8b008b},
    {"darkolivegreen", 0x556b2f},
    {"darkorange", 0xff8c00},
    {"darkorchid", 0x9932cc},
    {"darkred", 0x8b0000},
    {"darksalmon", 0xe9967a},
    {"darkseagreen", 0x8fbc8f},
    {"darkslateblue", 0x483d8b},
    {"darkslategray", 0x2f4f4f},
    {"darkslategrey", 0x2f4f4f},
    {"darkturquoise", 0x00ced1},
    {"darkviolet", 0x9400d3},
    {"deeppink", 0xff1493},
    {"deepskyblue", 0x00bfff},
    {"dimgray", 0x696969},
    {"dimgrey", 0x696969},
    {"dodgerblue", 0x1e90ff},
    {"firebrick", 0xb22222},
    {"floralwhite", 0xfffaf0},
    {"forestgreen", 0x228b22},
    {"fuchsia", 0xff00ff},
    {"gainsboro", 0xdcdcdc},
    {"ghostwhite", 0xf8f8ff},
    {"gold", 0xffd700},
    {"goldenrod", 0xdaa520},
    {"gray", 0x808080},
    {"green", 0x008000},
    {"greenyellow", 0xadff2f},
    {"grey", 0x808080},
    {"honeydew", 0xf0fff0},
    {"hotpink", 0xff69b4},
    {"indianred", 0xcd5c5c},
    {"indigo", 0x4b0082},
    {"ivory", 0xfffff0},
    {"khaki", 0xf0e68c},
    {"lavender", 0xe6e6fa},
    {"lavenderblush", 0xfff0f5},
    {"lawngreen", 0x7cfc00},
    {"lemonchiffon", 0xfffacd},
    {"lightblue", 0xadd8e6},
    {"lightcoral", 0xf08080},
    {"lightcyan", 0xe0ffff},
    {"lightgoldenrodyellow", 0xfafad2},
    {"lightgray", 0xd3d3d3},
    {"lightgreen", 0x90ee90},
    {"lightgrey", 0xd3d3d3},
    {"lightpink", 0xffb6c1},
    {"lightsalmon", 0xffa07a},
    {"lightseagreen", 0x20b2aa},
    {"lightskyblue", 0x87cefa},
    {"lightslategray", 0x778899},
    {"lightslategrey", 0x778899},
    {"lightsteelblue", 0xb0c4de},
    {"lightyellow", 0xffffe0},
    {"lime", 0x00ff00},
    {"limegreen", 0x32cd32},
    {"linen", 0xfaf0e6},
    {"magenta", 0xff00ff},
    {"maroon", 0x800000},
    {"mediumaquamarine", 0x66cdaa},
    {"mediumblue", 0x0000cd},
    {"mediumorchid", 0xba55d3},
    {"mediumpurple", 0x9370db},
    {"mediumseagreen", 0x3cb371},
    {"mediumslateblue", 0x7b68ee},
    {"mediumspringgreen", 0x00fa9a},
    {"mediumturquoise", 0x48d1cc},
    {"mediumvioletred", 0xc71585},
    {"midnightblue", 0x191970},
    {"mintcream", 0xf5fffa},
    {"mistyrose", 0xffe4e1},
    {"moccasin", 0xffe4b5},
    {"navajowhite", 0xffdead},
    {"navy", 0x000080},
    {"oldlace", 0xfdf5e6},
    {"olive", 0x808000},
    {"olivedrab", 0x6b8e23},
    {"orange", 0xffa500},
    {"orangered", 0xff4500},
    {"orchid", 0xda70d6},
    {"palegoldenrod", 0xeee8aa},
    {"palegreen", 0x98fb98},
    {"paleturquoise", 0xafeeee},
    {"palevioletred", 0xdb7093},
    {"papayawhip", 0xffefd5},
    {"peachpuff", 0xffdab9},
    {"peru", 0xcd853f},
    {"pink", 0xffc0cb},
    {"plum", 0xdda0dd},
    {"powderblue", 0xb0e0e6},
    {"purple", 0x800080},
    {"rebeccapurple", 0x663399},
    {"red", 0xff0000},
    {"rosybrown", 0xbc8f8f},
    {"royalblue", 0x4169e1},
    {"saddlebrown", 0x8b4513},
    {"salmon", 0xfa8072},
    {"sandybrown", 0xf4a460},
    {"seagreen", 0x2e8b57},
    {"seashell", 0xfff5ee},
    {"sienna", 0xa0522d},
    {"silver", 0xc0c0c0},
    {"skyblue", 0x87ceeb},
    {"slateblue", 0x6a5acd},
    {"slategray", 0x708090},
    {"slategrey", 0x708090},
    {"snow", 0xfffafa},
    {"springgreen", 0x00ff7f},
    {"steelblue", 0x4682b4},
    {"tan", 0xd2b48c},
    {"teal", 0x008080},
    {"thistle", 0xd8bfd8},
    {"tomato", 0xff6347},
    {"turquoise", 0x40e0d0},
    {"violet", 0xee82ee},
    {"wheat", 0xf5deb3},
    {"white", 0xffffff},
    {"whitesmoke", 0xf5f5f5},
    {"yellow", 0xffff00},
    {"yellowgreen", 0x9acd32},
}};

int32_t FromRgb(int red, int green, int blue) {
  return red | (green << 8) | (blue << 16);
}

int Red(int32_t color) {
  return color & 0xFF;
}
int Green(int32_t color) {
  return (color >> 8) & 0xFF;
}
int Blue(int32_t color) {
  return (color >> 16) & 0xFF;
}

int32_t FromListed(uint32_t rgb) {
  return FromRgb(static_cast<int>(rgb >> 16), static_cast<int>((rgb >> 8) & 0xFF),
                 static_cast<int>(rgb & 0xFF));
}

std::optional<int32_t> NamedColor(std::string_view word) {
  if (word.size() < 3 || word.size() > 20) {
    return std::nullopt;
  }
  const std::string name = AsciiLowerCase(word);
  const auto at = std::lower_bound(
      NamedColors.begin(), NamedColors.end(), name,
      [](const TNamedColor& entry, const std::string& key) { return entry.Name < key; });
  if (at == NamedColors.end() || at->Name != name) {
    return std::nullopt;
  }
  return FromListed(at->Rgb);
}

int HexValue(char c) {
  const char lower = AsciiLower(c);
  if (IsDigit(c)) {
    return c - '0';
  }
  return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
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
bool IsModern(TNotation notation) {
  return notation != TNotation::Rgb && notation != TNotation::Hsl;
}

struct TColorText {
  TNotation Notation = TNotation::Hex;
  int32_t Color = 0;
  std::array<TPart, 3> Parts{};  // red, green, blue or hue, saturation, lightness
};

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

// What 100% of each number stands for; 0 where a number must be an angle.
std::array<double, 3> PercentScale(TNotation notation) {
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

// The scale a bare number of hwb() is written in: its whiteness and blackness run to 100.
double NumberScale(TNotation notation) {
  return notation == TNotation::Hwb ? 100 : 1;
}

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

double InHueUnit(double degrees, std::string_view unit);

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

std::optional<TColorText> ReadColor(std::string_view text) {
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
  const auto named =
      std::find_if(NamedColors.begin(), NamedColors.end(),
                   [color](const TNamedColor& c) { return FromListed(c.Rgb) == color; });
  if (named == NamedColors.end()) {
    return ColorToHex(color);
  }
  const std::string name(named->Name);
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

std::span<const std::string_view> ColorNames() {
  static const std::vector<std::string_view> names = [] {
    std::vector<std::string_view> all;
    all.reserve(NamedColors.size());
    for (const TNamedColor& color : NamedColors) {
      all.push_back(color.Name);
    }
    return all;
  }();
  return names;
}

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
