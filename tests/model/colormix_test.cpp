// SPDX-License-Identifier: GPL-3.0-or-later
// color-mix(): the colour a mix stands for, its swatch in a line, and a pick written back.
#include "model/values/colormix.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "model/values/colortext.h"

namespace qm {
namespace {

constexpr int32_t Rgb(int red, int green, int blue) {
  return red | (green << 8) | (blue << 16);
}

TEST(ColorMix, MixesTwoColoursByTheirPercentagesInTheSpaceNamed) {
  struct TCase {
    const char* Text;
    std::optional<int32_t> Color;
  };
  const TCase cases[] = {
      {"color-mix(in srgb, red 30%, blue)", Rgb(77, 0, 179)},
      {"color-mix(in srgb, red, blue)", Rgb(128, 0, 128)},
      {"color-mix(in srgb, red, 75% blue)", Rgb(64, 0, 191)},
      // Two that do not add up to 100% are scaled to it.
      {"color-mix(in srgb, 30% red, blue 30%)", Rgb(128, 0, 128)},
      {"COLOR-MIX(IN SRGB, #f00 25%, rgb(0 0 255))", Rgb(64, 0, 191)},
      {"color-mix( in srgb ,red 100%,blue )", Rgb(255, 0, 0)},
      {"color-mix(in srgb-linear, black, white)", Rgb(188, 188, 188)},
      {"color-mix(in oklab, white, black)", Rgb(99, 99, 99)},
      {"color-mix(in oklab, red, blue)", Rgb(140, 83, 162)},
      // Polar spaces go round the shorter way unless told otherwise.
      {"color-mix(in oklch, red, blue)", Rgb(186, 0, 194)},
      {"color-mix(in oklch longer hue, red, blue)", Rgb(0, 147, 0)},
      // A grey takes the other colour's hue.
      {"color-mix(in hsl, red, white)", Rgb(223, 159, 159)},
      {"color-mix(in hsl, hsl(350 100% 50%), hsl(10 100% 50%))", Rgb(255, 0, 0)},
      {"color-mix(in hsl decreasing hue, hsl(350 100% 50%), hsl(10 100% 50%))", Rgb(0, 255, 255)},
      // The inner mix is rounded to whole channels, rgb(128 0 128), before the outer one.
      {"color-mix(in srgb, color-mix(in srgb, red, blue), white)", Rgb(192, 128, 192)},
      {"color-mix(in srgb, red 0%, blue 0%)", std::nullopt},
      {"color-mix(in srgb, red 120%, blue)", std::nullopt},
      {"color-mix(in srgb, red -10%, blue)", std::nullopt},
      {"color-mix(in srgb, red 10% 20%, blue)", std::nullopt},
      {"color-mix(in srgb, red)", std::nullopt},
      {"color-mix(in srgb, red, blue, lime)", std::nullopt},
      {"color-mix(srgb, red, blue)", std::nullopt},
      {"color-mix(in srgb longer hue, red, blue)", std::nullopt},
      {"color-mix(in xyz, red, blue)", std::nullopt},
      {"color-mix(in srgb, redd, blue)", std::nullopt},
      {"color-mix(in srgb, red, blue", std::nullopt},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(ColorFromText(c.Text), c.Color) << c.Text;
  }
  // Mixes inside mixes are read a few deep, never without end.
  std::string deep = "red";
  for (int i = 0; i < 200; ++i) {
    deep = "color-mix(in srgb, " + deep + ", red)";
  }
  EXPECT_EQ(ColorFromText(deep), std::nullopt);
}

TEST(ColorMix, AMixIsOneSwatchAndAPickWritesItsFirstColoursNotation) {
  struct TLine {
    std::string Line;
    std::vector<std::string> Spots;
  };
  const TLine lines[] = {
      {"a { color: color-mix(in srgb, rgb(255 0 0) 30%, blue); top: 0 }",
       {"color-mix(in srgb, rgb(255 0 0) 30%, blue)"}},
      // The colours of a mix this editor cannot mix keep their own swatches.
      {"a { color: color-mix(in xyz, red, blue) }", {"red", "blue"}},
      {"a { color: color-mix(in srgb, red, blue; color: lime }", {"red", "blue", "lime"}},
  };
  for (const TLine& c : lines) {
    const std::vector<TTokenKind> kinds(c.Line.size(), TTokenKind::Value);
    std::vector<std::string> found;
    for (const TColorSpot& spot : FindColors(c.Line, kinds)) {
      found.push_back(
          c.Line.substr(static_cast<size_t>(spot.Start), static_cast<size_t>(spot.Length)));
    }
    EXPECT_EQ(found, c.Spots) << c.Line;
  }
  struct TWrite {
    const char* Old;
    int32_t Color;
    const char* Written;
  };
  const TWrite writes[] = {
      {"color-mix(in srgb, red 30%, blue)", Rgb(0, 0, 255), "blue"},
      {"color-mix(in srgb, red 30%, blue)", Rgb(0x12, 0x34, 0x56), "#123456"},
      {"color-mix(in oklab, 40% #F80, white)", Rgb(255, 0, 0), "#F00"},
      {"color-mix(in srgb, rgb(0 0 0 / 50%), white)", Rgb(0, 0, 255), "rgb(0 0 255 / 50%)"},
      {"color-mix(in srgb, color-mix(in srgb, hsl(0 0% 0%), red), blue)", Rgb(0, 255, 0),
       "hsl(120 100% 50%)"},
      // One whose first colour cannot be written in gets hex.
      {"color-mix(in xyz, red, blue)", Rgb(0, 0, 255), "#0000FF"},
  };
  for (const TWrite& c : writes) {
    EXPECT_EQ(ColorInNotation(c.Old, c.Color), c.Written) << c.Old;
  }
  const std::optional<TColorMix> mix = ReadColorMix("color-mix(in srgb, 10% lime , blue)");
  ASSERT_TRUE(mix.has_value());
  EXPECT_EQ(mix->FirstStart, 23U);
  EXPECT_EQ(mix->FirstLength, 4U);
}

}  // namespace
}  // namespace qm
