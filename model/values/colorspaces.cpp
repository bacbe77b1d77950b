// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/values/colorspaces.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace qm {

namespace {

using TMatrix = std::array<std::array<double, 3>, 3>;

std::array<double, 3> Times(const TMatrix& m, const std::array<double, 3>& v) {
  return {m[0][0] * v[0] + m[0][1] * v[1] + m[0][2] * v[2],
          m[1][0] * v[0] + m[1][1] * v[1] + m[1][2] * v[2],
          m[2][0] * v[0] + m[2][1] * v[1] + m[2][2] * v[2]};
}

TRgb Linear(const TRgb& rgb) {
  return {LinearChannel(rgb[0]), LinearChannel(rgb[1]), LinearChannel(rgb[2])};
}

TRgb Gamma(const TRgb& linear) {
  return {GammaChannel(linear[0]), GammaChannel(linear[1]), GammaChannel(linear[2])};
}

// Linear sRGB and CIE XYZ with the D65 white.
constexpr TMatrix kRgbToXyz{{{0.41239079926595934, 0.357584339383878, 0.1804807884018343},
                             {0.21263900587151027, 0.715168678767756, 0.07219231536073371},
                             {0.01933081871559182, 0.11919477979462598, 0.9505321522496607}}};
constexpr TMatrix kXyzToRgb{{{3.2409699419045226, -1.537383177570094, -0.4986107602930034},
                             {-0.9692436362808796, 1.8759675015077202, 0.04155505740717559},
                             {0.05563007969699366, -0.20397695888897652, 1.0569715142428786}}};
// Bradford adaptation between the D65 and D50 whites.
constexpr TMatrix kD65ToD50{{{1.0479298208405488, 0.022946793341019088, -0.05019222954313557},
                             {0.029627815688159344, 0.990434484573249, -0.01707382502938514},
                             {-0.009243058152591178, 0.015055144896577895, 0.7518742899580008}}};
constexpr TMatrix kD50ToD65{{{0.9554734527042182, -0.023098536874261423, 0.0632593086610217},
                             {-0.028369706963208136, 1.0099954580058226, 0.021041398966943008},
                             {0.012314001688319899, -0.020507696433477912, 1.3303659366080753}}};
constexpr std::array<double, 3> kD50{0.3457 / 0.3585, 1.0, (1.0 - 0.3457 - 0.3585) / 0.3585};
constexpr double kEpsilon = 216.0 / 24389.0;
constexpr double kKappa = 24389.0 / 27.0;

// Linear sRGB and OKLab's cone responses.
constexpr TMatrix kRgbToLms{{{0.4122214708, 0.5363325363, 0.0514459929},
                             {0.2119034982, 0.6806995451, 0.1073969566},
                             {0.0883024619, 0.2817188376, 0.6299787005}}};
constexpr TMatrix kLmsToOklab{{{0.2104542553, 0.7936177850, -0.0040720468},
                               {1.9779984951, -2.4285922050, 0.4505937099},
                               {0.0259040371, 0.7827717662, -0.8086757660}}};
constexpr TMatrix kOklabToLms{{{1.0, 0.3963377774, 0.2158037573},
                               {1.0, -0.1055613458, -0.0638541728},
                               {1.0, -0.0894841775, -1.2914855480}}};
constexpr TMatrix kLmsToRgb{{{4.0767416621, -3.3077115913, 0.2309699292},
                             {-1.2684380046, 2.6097574011, -0.3413193965},
                             {-0.0041960863, -0.7034186147, 1.7076147010}}};

double HueOf(double a, double b) {
  double hue = std::atan2(b, a) * 180 / std::numbers::pi;
  return hue < 0 ? hue + 360 : hue;
}

}  // namespace

double LinearChannel(double channel) {
  const double size = std::abs(channel);
  const double linear = size <= 0.04045 ? size / 12.92 : std::pow((size + 0.055) / 1.055, 2.4);
  return std::copysign(linear, channel);
}

double GammaChannel(double linear) {
  const double size = std::abs(linear);
  const double channel = size <= 0.0031308 ? size * 12.92 : 1.055 * std::pow(size, 1 / 2.4) - 0.055;
  return std::copysign(channel, linear);
}

TRgb HwbToRgb(double hue, double white, double black) {
  if (white + black >= 1) {
    const double grey = white / (white + black);
    return {grey, grey, grey};
  }
  hue = std::fmod(hue, 360.0);
  if (hue < 0) {
    hue += 360;
  }
  TRgb rgb{};
  for (size_t k = 0; k < 3; ++k) {
    // The fully saturated colour of the hue, as hsl(hue 100% 50%) gives it.
    const double n = k == 0 ? 0 : k == 1 ? 8 : 4;
    const double at = std::fmod(n + hue / 30, 12.0);
    const double pure = 0.5 - 0.5 * std::max(-1.0, std::min({at - 3, 9 - at, 1.0}));
    rgb[k] = pure * (1 - white - black) + white;
  }
  return rgb;
}

std::array<double, 3> RgbToHwb(const TRgb& rgb) {
  const double max = std::max({rgb[0], rgb[1], rgb[2]});
  const double min = std::min({rgb[0], rgb[1], rgb[2]});
  const double d = max - min;
  double hue = 0;
  if (d > 0) {
    if (max == rgb[0]) {
      hue = (rgb[1] - rgb[2]) / d + (rgb[1] < rgb[2] ? 6 : 0);
    } else if (max == rgb[1]) {
      hue = (rgb[2] - rgb[0]) / d + 2;
    } else {
      hue = (rgb[0] - rgb[1]) / d + 4;
    }
    hue *= 60;
  }
  return {hue, min, 1 - max};
}

// Through hwb(): hsl() and hwb() are two ways to say the same hue's mix with white and black.
TRgb HslToRgb(double hue, double saturation, double lightness) {
  const double value = lightness + saturation * std::min(lightness, 1 - lightness);
  const double whiteFree = value == 0 ? 0 : 2 * (1 - lightness / value);
  return HwbToRgb(hue, (1 - whiteFree) * value, 1 - value);
}

std::array<double, 3> RgbToHsl(const TRgb& rgb) {
  const std::array<double, 3> hwb = RgbToHwb(rgb);
  const double value = 1 - hwb[2];
  const double whiteFree = value == 0 ? 0 : 1 - hwb[1] / value;
  const double lightness = value * (1 - whiteFree / 2);
  const double room = std::min(lightness, 1 - lightness);
  return {hwb[0], room <= 0 ? 0 : (value - lightness) / room, lightness};
}

TRgb LabToRgb(const std::array<double, 3>& lab) {
  const double fy = (lab[0] + 16) / 116;
  const double fx = lab[1] / 500 + fy;
  const double fz = fy - lab[2] / 200;
  const auto inverse = [](double f) {
    const double cube = f * f * f;
    return cube > kEpsilon ? cube : (116 * f - 16) / kKappa;
  };
  const std::array<double, 3> xyz{
      inverse(fx) * kD50[0],
      (lab[0] > kKappa * kEpsilon ? fy * fy * fy : lab[0] / kKappa) * kD50[1],
      inverse(fz) * kD50[2]};
  return Gamma(Times(kXyzToRgb, Times(kD50ToD65, xyz)));
}

std::array<double, 3> RgbToLab(const TRgb& rgb) {
  const std::array<double, 3> xyz = Times(kD65ToD50, Times(kRgbToXyz, Linear(rgb)));
  std::array<double, 3> f{};
  for (size_t k = 0; k < 3; ++k) {
    const double t = xyz[k] / kD50[k];
    f[k] = t > kEpsilon ? std::cbrt(t) : (kKappa * t + 16) / 116;
  }
  return {116 * f[1] - 16, 500 * (f[0] - f[1]), 200 * (f[1] - f[2])};
}

TRgb OklabToRgb(const std::array<double, 3>& lab) {
  std::array<double, 3> lms = Times(kOklabToLms, lab);
  for (double& v : lms) {
    v = v * v * v;
  }
  return Gamma(Times(kLmsToRgb, lms));
}

std::array<double, 3> RgbToOklab(const TRgb& rgb) {
  std::array<double, 3> lms = Times(kRgbToLms, Linear(rgb));
  for (double& v : lms) {
    v = std::cbrt(v);
  }
  return Times(kLmsToOklab, lms);
}

std::array<double, 3> LabToLch(const std::array<double, 3>& lab) {
  return {lab[0], std::hypot(lab[1], lab[2]), HueOf(lab[1], lab[2])};
}

std::array<double, 3> LchToLab(const std::array<double, 3>& lch) {
  const double hue = lch[2] * std::numbers::pi / 180;
  return {lch[0], lch[1] * std::cos(hue), lch[1] * std::sin(hue)};
}

}  // namespace qm
