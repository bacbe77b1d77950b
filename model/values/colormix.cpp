// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/values/colormix.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

#include "model/asciicase.h"
#include "model/textbytes.h"
#include "model/values/colorspaces.h"
#include "model/values/colortext.h"

namespace qm {
namespace {

using textbytes::IsBlank;

constexpr std::string_view kMix = "color-mix(";
// color-mix() inside color-mix() this deep is read; deeper is no colour, so that reading stays
// linear in the text's length.
constexpr int kDeepest = 4;

enum class TSpace { Srgb, SrgbLinear, Lab, Oklab, Lch, Oklch, Hsl, Hwb };
enum class THueWay { Shorter, Longer, Increasing, Decreasing };

struct TSpaceName {
  std::string_view Name;
  TSpace Space;
  int Hue;  // the index of the hue among the space's numbers; -1 for none
};

constexpr std::array<TSpaceName, 8> kSpaces{{
    {"srgb", TSpace::Srgb, -1},
    {"srgb-linear", TSpace::SrgbLinear, -1},
    {"lab", TSpace::Lab, -1},
    {"oklab", TSpace::Oklab, -1},
    {"lch", TSpace::Lch, 2},
    {"oklch", TSpace::Oklch, 2},
    {"hsl", TSpace::Hsl, 0},
    {"hwb", TSpace::Hwb, 0},
}};

std::array<double, 3> ToSpace(TSpace space, const TRgb& rgb) {
  switch (space) {
    case TSpace::Srgb:
      return rgb;
    case TSpace::SrgbLinear:
      return {LinearChannel(rgb[0]), LinearChannel(rgb[1]), LinearChannel(rgb[2])};
    case TSpace::Lab:
      return RgbToLab(rgb);
    case TSpace::Oklab:
      return RgbToOklab(rgb);
    case TSpace::Lch:
      return LabToLch(RgbToLab(rgb));
    case TSpace::Oklch:
      return LabToLch(RgbToOklab(rgb));
    case TSpace::Hsl:
      return RgbToHsl(rgb);
    case TSpace::Hwb:
      return RgbToHwb(rgb);
  }
  return rgb;
}

TRgb FromSpace(TSpace space, const std::array<double, 3>& v) {
  switch (space) {
    case TSpace::Srgb:
      return v;
    case TSpace::SrgbLinear:
      return {GammaChannel(v[0]), GammaChannel(v[1]), GammaChannel(v[2])};
    case TSpace::Lab:
      return LabToRgb(v);
    case TSpace::Oklab:
      return OklabToRgb(v);
    case TSpace::Lch:
      return LabToRgb(LchToLab(v));
    case TSpace::Oklch:
      return OklabToRgb(LchToLab(v));
    case TSpace::Hsl:
      return HslToRgb(v[0], v[1], v[2]);
    case TSpace::Hwb:
      return HwbToRgb(v[0], v[1], v[2]);
  }
  return v;
}

// The text split at the commas outside brackets, each piece without its outer blanks.
std::vector<std::string_view> TopLevelPieces(std::string_view text) {
  std::vector<std::string_view> pieces;
  int depth = 0;
  size_t from = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    const char c = i < text.size() ? text[i] : ',';
    if (c == '(') {
      ++depth;
    } else if (c == ')') {
      --depth;
    } else if (c == ',' && depth == 0) {
      pieces.push_back(Trimmed(text.substr(from, i - from)));
      from = i + 1;
    }
  }
  return pieces;
}

// The words of text between blanks.
std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < text.size()) {
    if (IsBlank(text[i])) {
      ++i;
      continue;
    }
    const size_t start = i;
    while (i < text.size() && !IsBlank(text[i])) {
      ++i;
    }
    words.push_back(text.substr(start, i - start));
  }
  return words;
}

struct TMixSpace {
  TSpace Space = TSpace::Srgb;
  int Hue = -1;
  THueWay Way = THueWay::Shorter;
};

// "in oklch", "in hsl longer hue".
std::optional<TMixSpace> ReadSpace(std::string_view text) {
  const std::vector<std::string_view> words = Words(text);
  if ((words.size() != 2 && words.size() != 4) || !EqualIgnoringAsciiCase(words[0], "in")) {
    return std::nullopt;
  }
  TMixSpace mix;
  const std::string name = AsciiLowerCase(words[1]);
  const auto space = std::find_if(kSpaces.begin(), kSpaces.end(),
                                  [&](const TSpaceName& s) { return s.Name == name; });
  if (space == kSpaces.end()) {
    return std::nullopt;
  }
  mix.Space = space->Space;
  mix.Hue = space->Hue;
  if (words.size() == 4) {
    const std::string way = AsciiLowerCase(words[2]);
    if (mix.Hue < 0 || !EqualIgnoringAsciiCase(words[3], "hue")) {
      return std::nullopt;
    }
    if (way == "shorter") {
      mix.Way = THueWay::Shorter;
    } else if (way == "longer") {
      mix.Way = THueWay::Longer;
    } else if (way == "increasing") {
      mix.Way = THueWay::Increasing;
    } else if (way == "decreasing") {
      mix.Way = THueWay::Decreasing;
    } else {
      return std::nullopt;
    }
  }
  return mix;
}

// "30%" from 0% to 100%.
std::optional<double> ReadPercentage(std::string_view word) {
  if (word.size() < 2 || word.back() != '%') {
    return std::nullopt;
  }
  const std::string_view number = word.substr(0, word.size() - 1);
  double value = 0;
  const auto read = std::from_chars(number.data(), number.data() + number.size(), value);
  if (read.ec != std::errc() || read.ptr != number.data() + number.size() || value < 0 ||
      value > 100) {
    return std::nullopt;
  }
  return value;
}

struct TMixPart {
  int32_t Color = 0;
  std::optional<double> Percentage;
  size_t Start = 0;  // of the colour, in the piece
  size_t Length = 0;
};

// "red 30%", "30% red", "rgb(0 0 255)".
std::optional<TMixPart> ReadPart(std::string_view piece, int depth);

std::optional<int32_t> ReadMixedColor(std::string_view text, int depth, TColorMix* mix);

bool IsMix(std::string_view text) {
  return text.size() > kMix.size() && EqualIgnoringAsciiCase(text.substr(0, kMix.size()), kMix);
}

std::optional<int32_t> ReadAnyColor(std::string_view text, int depth) {
  return IsMix(text) ? ReadMixedColor(text, depth + 1, nullptr) : ColorFromText(text);
}

std::optional<TMixPart> ReadPart(std::string_view piece, int depth) {
  TMixPart part;
  part.Length = piece.size();
  const size_t blank = piece.find_first_of(" \t\r\n\f");
  const size_t lastBlank = piece.find_last_of(" \t\r\n\f");
  if (blank != std::string_view::npos &&
      (part.Percentage = ReadPercentage(piece.substr(0, blank)))) {
    const std::string_view rest = Trimmed(piece.substr(blank));
    part.Start = static_cast<size_t>(rest.data() - piece.data());
    part.Length = rest.size();
  } else if (lastBlank != std::string_view::npos &&
             (part.Percentage = ReadPercentage(piece.substr(lastBlank + 1)))) {
    part.Length = Trimmed(piece.substr(0, lastBlank)).size();
  }
  const std::optional<int32_t> color = ReadAnyColor(piece.substr(part.Start, part.Length), depth);
  if (!color) {
    return std::nullopt;
  }
  part.Color = *color;
  return part;
}

bool IsGrey(int32_t color) {
  const int red = color & 0xFF;
  return red == ((color >> 8) & 0xFF) && red == ((color >> 16) & 0xFF);
}

TRgb Unit(int32_t color) {
  return {(color & 0xFF) / 255.0, ((color >> 8) & 0xFF) / 255.0, ((color >> 16) & 0xFF) / 255.0};
}

int32_t FromUnitRgb(const TRgb& rgb) {
  const auto channel = [](double v) {
    return static_cast<int32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
  };
  return channel(rgb[0]) | (channel(rgb[1]) << 8) | (channel(rgb[2]) << 16);
}

// The two hues in degrees, the second moved by whole turns so that going straight from the
// first to it takes the way asked for.
void PlaceHues(double& first, double& second, THueWay way) {
  const auto turn = [](double h) {
    h = std::fmod(h, 360.0);
    return h < 0 ? h + 360 : h;
  };
  first = turn(first);
  second = turn(second);
  const double d = second - first;
  switch (way) {
    case THueWay::Shorter:
      second += d > 180 ? -360 : d < -180 ? 360 : 0;
      break;
    case THueWay::Longer:
      second += d > 0 && d < 180 ? -360 : d > -180 && d <= 0 ? 360 : 0;
      break;
    case THueWay::Increasing:
      second += d < 0 ? 360 : 0;
      break;
    case THueWay::Decreasing:
      second -= d > 0 ? 360 : 0;
      break;
  }
}

std::optional<int32_t> ReadMixedColor(std::string_view text, int depth, TColorMix* mix) {
  if (depth > kDeepest || !IsMix(text) || text.back() != ')') {
    return std::nullopt;
  }
  const std::string_view inside = text.substr(kMix.size(), text.size() - kMix.size() - 1);
  const std::vector<std::string_view> pieces = TopLevelPieces(inside);
  if (pieces.size() != 3) {
    return std::nullopt;
  }
  const std::optional<TMixSpace> space = ReadSpace(pieces[0]);
  const std::optional<TMixPart> first = ReadPart(pieces[1], depth);
  const std::optional<TMixPart> second = ReadPart(pieces[2], depth);
  if (!space || !first || !second) {
    return std::nullopt;
  }
  double p1 = first->Percentage.value_or(second->Percentage ? 100 - *second->Percentage : 50);
  double p2 = second->Percentage.value_or(100 - p1);
  if (p1 + p2 <= 0) {
    return std::nullopt;
  }
  // Two that leave less than 100% would make the mix see-through: a swatch shows its colour.
  const double sum = p1 + p2;
  p1 /= sum;
  p2 /= sum;
  std::array<double, 3> a = ToSpace(space->Space, Unit(first->Color));
  std::array<double, 3> b = ToSpace(space->Space, Unit(second->Color));
  if (space->Hue >= 0) {
    // A grey has no hue of its own: it takes the other colour's.
    const auto h = static_cast<size_t>(space->Hue);
    const bool greyA = IsGrey(first->Color);
    const bool greyB = IsGrey(second->Color);
    if (greyA && !greyB) {
      a[h] = b[h];
    } else if (greyB && !greyA) {
      b[h] = a[h];
    } else if (greyA && greyB) {
      a[h] = b[h] = 0;
    }
    PlaceHues(a[h], b[h], space->Way);
  }
  std::array<double, 3> mixed{};
  for (size_t k = 0; k < 3; ++k) {
    mixed[k] = a[k] * p1 + b[k] * p2;
  }
  const int32_t color = FromUnitRgb(FromSpace(space->Space, mixed));
  if (mix != nullptr) {
    mix->Color = color;
    mix->FirstStart = static_cast<size_t>(pieces[1].data() - text.data()) + first->Start;
    mix->FirstLength = first->Length;
  }
  return color;
}

}  // namespace

std::optional<TColorMix> ReadColorMix(std::string_view text) {
  TColorMix mix;
  if (!ReadMixedColor(text, 0, &mix)) {
    return std::nullopt;
  }
  return mix;
}

}  // namespace qm
