// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/values/colortext.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qm {
namespace {

constexpr int32_t Rgb(int red, int green, int blue) {
  return red | (green << 8) | (blue << 16);
}

struct TextCase {
  std::string name;
  std::string text;
  std::optional<int32_t> color;
};

class ColorFromTextTable : public testing::TestWithParam<TextCase> {};

TEST_P(ColorFromTextTable, ReadsTheColourAWholeTextStandsFor) {
  EXPECT_EQ(ColorFromText(GetParam().text), GetParam().color) << GetParam().text;
}

constexpr int32_t Orange = Rgb(255, 136, 0);

INSTANTIATE_TEST_SUITE_P(
    Cases, ColorFromTextTable,
    testing::Values(TextCase{"three_digits", "#f80", Orange},
                    TextCase{"six_digits_in_capitals", "#FF8800", Orange},
                    TextCase{"four_and_eight_digits_carry_an_alpha", "#f80c", Orange},
                    TextCase{"eight_digits", "#ff8800cc", Orange},
                    TextCase{"five_digits", "#ff880", std::nullopt},
                    TextCase{"seven_digits", "#ff88001", std::nullopt},
                    TextCase{"not_hex", "#fg0", std::nullopt},
                    TextCase{"hash_alone", "#", std::nullopt},
                    TextCase{"name", "red", Rgb(255, 0, 0)},
                    TextCase{"name_in_capitals", "RED", Rgb(255, 0, 0)},
                    TextCase{"name_in_mixed_case", "RebeccaPurple", Rgb(0x66, 0x33, 0x99)},
                    TextCase{"longest_name", "lightgoldenrodyellow", Rgb(0xfa, 0xfa, 0xd2)},
                    TextCase{"first_and_last_names", "AliceBlue", Rgb(0xf0, 0xf8, 0xff)},
                    TextCase{"last_name", "yellowgreen", Rgb(0x9a, 0xcd, 0x32)},
                    TextCase{"no_colour_of_its_own", "transparent", std::nullopt},
                    TextCase{"current_colour", "currentColor", std::nullopt},
                    TextCase{"almost_a_name", "redd", std::nullopt},
                    TextCase{"rgb_with_commas", "rgb(255, 136, 0)", Orange},
                    TextCase{"function_name_in_capitals", "RGB(255,136,0)", Orange},
                    TextCase{"rgba_with_alpha", "rgba(255, 136, 0, 0.5)", Orange},
                    TextCase{"blanks_and_slash_alpha", "rgb(255 136 0 / 50%)", Orange},
                    TextCase{"rgb_percentages", "rgb(100%, 53.3%, 0%)", Orange},
                    TextCase{"decimals_and_exponent", "rgb(254.6, 1.36e2, +0)", Orange},
                    TextCase{"out_of_range_is_clamped", "rgb(300, -5, 0)", Rgb(255, 0, 0)},
                    TextCase{"hsl", "hsl(32, 100%, 50%)", Orange},
                    TextCase{"hsl_in_degrees", "hsl(120deg, 100%, 25%)", Rgb(0, 128, 0)},
                    TextCase{"hsla_in_turns_with_alpha", "hsla(0.5turn 100% 50% / .5)",
                             Rgb(0, 255, 255)},
                    TextCase{"negative_hue", "hsl(-240, 100%, 50%)", Rgb(0, 255, 0)},
                    TextCase{"two_numbers", "rgb(255, 136)", std::nullopt},
                    TextCase{"five_numbers", "rgba(1, 2, 3, 4, 5)", std::nullopt},
                    TextCase{"numbers_and_percentages_mixed", "rgb(255, 50%, 0)", std::nullopt},
                    TextCase{"commas_and_blanks_mixed", "rgb(255 136, 0)", std::nullopt},
                    TextCase{"slash_alpha_after_commas", "rgb(255, 136, 0 / 1)", std::nullopt},
                    TextCase{"alpha_without_slash", "rgb(255 136 0 1)", std::nullopt},
                    TextCase{"hsl_without_percentages", "hsl(32, 100, 50)", std::nullopt},
                    TextCase{"length_in_rgb", "rgb(1px, 2, 3)", std::nullopt},
                    TextCase{"variable_in_rgb", "rgb(var(--x))", std::nullopt},
                    TextCase{"unclosed", "rgb(255,136,0", std::nullopt},
                    TextCase{"other_function", "device-cmyk(0 81% 81% 30%)", std::nullopt}),
    [](const auto& info) { return info.param.name; });

// What FindColors finds in one line of a sheet, as the scanner classes it: each colour's text
// and value.
std::vector<std::pair<std::string, int32_t>> ColorsIn(const std::string& line) {
  std::vector<TToken> tokens;
  ScanLine(line, TScanState{}, tokens);
  std::vector<TTokenKind> kinds;
  for (const TToken& token : tokens) {
    kinds.insert(kinds.end(), static_cast<size_t>(token.Length), token.Kind);
  }
  std::vector<std::pair<std::string, int32_t>> found;
  for (const TColorSpot& spot : FindColors(line, kinds)) {
    found.emplace_back(
        line.substr(static_cast<size_t>(spot.Start), static_cast<size_t>(spot.Length)), spot.Color);
  }
  return found;
}

struct LineCase {
  std::string name;
  std::string line;
  std::vector<std::pair<std::string, int32_t>> colors;
};

class FindColorsTable : public testing::TestWithParam<LineCase> {};

TEST_P(FindColorsTable, FindsTheColoursOfValuesOnly) {
  EXPECT_EQ(ColorsIn(GetParam().line), GetParam().colors) << GetParam().line;
}

constexpr int32_t Red = Rgb(255, 0, 0);
constexpr int32_t Blue = Rgb(0, 0, 255);

INSTANTIATE_TEST_SUITE_P(
    Cases, FindColorsTable,
    testing::Values(
        LineCase{"colour_token_and_name",
                 "a { color: #f80; background: red }",
                 {{"#f80", Orange}, {"red", Red}}},
        LineCase{"name_after_a_number_in_one_value", "a { border: 1px solid RED }", {{"RED", Red}}},
        LineCase{"hex_inside_a_value", "a{border:thin solid #0000ff}", {{"#0000ff", Blue}}},
        LineCase{"function_over_several_tokens",
                 "h1 { color: rgb(1, 2, 3) }",
                 {{"rgb(1, 2, 3)", Rgb(1, 2, 3)}}},
        LineCase{"not_in_selectors", ".red, #fff, a:hover { color: blue }", {{"blue", Blue}}},
        LineCase{"not_in_comments",
                 "/* red */ a { color: rgba(0 0 0 / 50%) }",
                 {{"rgba(0 0 0 / 50%)", Rgb(0, 0, 0)}}},
        LineCase{"not_in_a_comment_inside_a_value",
                 "a { background: url(x.png) /* red */ blue }",
                 {{"blue", Blue}}},
        LineCase{"not_in_strings_or_addresses",
                 "a { content: \"red\"; font-family: 'Red'; background: url(red.png) }",
                 {}},
        LineCase{"inside_other_functions",
                 "a { background: linear-gradient(red, #00f 50%) }",
                 {{"red", Red}, {"#00f", Blue}}},
        LineCase{"not_in_property_position", "a { red: 1; --blue: 2 }", {}},
        LineCase{"invalid_ones_give_none",
                 "a { color: redd; margin: 1red -red; color: #12345; color: rgb(1, 2) }",
                 {}},
        LineCase{"unclosed_function_then_a_colour",
                 "a { color: rgb(1, 2, 3; color: red }",
                 {{"red", Red}}}),
    [](const auto& info) { return info.param.name; });

struct RewriteCase {
  std::string name;
  std::string old;
  int32_t color;
  std::string written;
};

class ColorInNotationTable : public testing::TestWithParam<RewriteCase> {};

TEST_P(ColorInNotationTable, WritesThePickInTheNotationItReplaces) {
  const RewriteCase& c = GetParam();
  EXPECT_EQ(ColorInNotation(c.old, c.color), c.written) << c.old;
  EXPECT_EQ(ColorFromText(c.written), c.color) << c.written;
}

constexpr int32_t Navy = Rgb(0x12, 0x34, 0x56);

INSTANTIATE_TEST_SUITE_P(
    Cases, ColorInNotationTable,
    testing::Values(
        RewriteCase{"short_hex_stays_short", "#f80", Red, "#f00"},
        RewriteCase{"short_hex_grows_when_it_must", "#f80", Navy, "#123456"},
        RewriteCase{"capitals_stay", "#F80", Red, "#F00"},
        RewriteCase{"no_letters_gives_capitals", "#123", Rgb(0xab, 0xcd, 0xef), "#ABCDEF"},
        RewriteCase{"long_hex_stays_long", "#FF8800", Red, "#FF0000"},
        RewriteCase{"short_alpha_kept", "#f80c", Red, "#f00c"},
        RewriteCase{"short_alpha_doubled", "#f80c", Navy, "#123456cc"},
        RewriteCase{"long_alpha_kept", "#ff8800cc", Red, "#ff0000cc"},
        RewriteCase{"name_to_name", "red", Blue, "blue"},
        RewriteCase{"name_in_capitals", "RED", Blue, "BLUE"},
        RewriteCase{"name_of_the_same_colour_unchanged", "cyan", Rgb(0, 255, 255), "cyan"},
        RewriteCase{"name_to_hex_without_a_name", "Red", Navy, "#123456"},
        RewriteCase{"rgb_numbers", "rgb(255, 136, 0)", Navy, "rgb(18, 52, 86)"},
        RewriteCase{"rgba_keeps_alpha_and_spacing", "rgba(255,136,0,.5)", Navy,
                    "rgba(18,52,86,.5)"},
        RewriteCase{"rgb_percentages", "rgb(100% 50% 0% / 25%)", Rgb(128, 64, 0),
                    "rgb(50% 25% 0% / 25%)"},
        RewriteCase{"rgb_percentages_with_decimals", "rgb(0%, 0%, 0%)", Rgb(1, 2, 3),
                    "rgb(0.4%, 0.8%, 1.2%)"},
        RewriteCase{"hsl", "hsl(32, 100%, 50%)", Rgb(0, 128, 0), "hsl(120, 100%, 25%)"},
        RewriteCase{"hsl_keeps_its_hue_unit", "HSL(32DEG, 100%, 50%)", Blue,
                    "HSL(240DEG, 100%, 50%)"},
        RewriteCase{"hsl_in_turns", "hsla(0.5turn 100% 50% / .5)", Rgb(255, 128, 0),
                    "hsla(0.0837turn 100% 50% / .5)"},
        RewriteCase{"grey_keeps_the_hue", "hsl(200, 50%, 40%)", Rgb(128, 128, 128),
                    "hsl(200, 0%, 50%)"},
        RewriteCase{"hsl_needing_decimals", "hsl(0, 0%, 0%)", Navy, "hsl(210, 65.4%, 20.4%)"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace qm

namespace qm {
namespace {

// The notations of CSS Color 4: read as browsers read them, and a pick written back in them.
TEST(ColorText, TheNotationsOfColor4ReadAndWriteBack) {
  struct TCase {
    const char* Text;
    std::optional<int32_t> Color;  // red in the low byte
  };
  const auto rgb = [](int r, int g, int b) { return r | (g << 8) | (b << 16); };
  const TCase reads[] = {
      {"hwb(0 0% 0%)", rgb(255, 0, 0)},
      {"hwb(120deg 20% 30% / 0.5)", rgb(51, 179, 51)},
      {"hwb(0 60% 60%)", rgb(128, 128, 128)},
      {"lab(50% 0 0)", rgb(119, 119, 119)},
      {"lab(54.29 80.82 69.89)", rgb(255, 0, 0)},
      {"lch(54.29 106.84 40.85)", rgb(255, 0, 0)},
      {"oklab(62.8% 0.225 0.126)", rgb(255, 0, 0)},
      {"oklab(1 0 0)", rgb(255, 255, 255)},
      {"oklch(0.628 0.2577 29.23)", rgb(255, 0, 0)},
      {"OKLCH(45.2% 0.313 264.05)", rgb(0, 0, 255)},
      {"color(srgb 1 0.5 0)", rgb(255, 128, 0)},
      {"color(srgb-linear 0 0 1)", rgb(0, 0, 255)},
      {"color(display-p3 1 0 0)", std::nullopt},
      {"lab(50, 0, 0)", std::nullopt},  // commas belong to rgb() and hsl() alone
      {"oklch(0.5 0.1 1px)", std::nullopt},
  };
  for (const TCase& c : reads) {
    EXPECT_EQ(ColorFromText(c.Text), c.Color) << c.Text;
  }
  struct TWrite {
    const char* Old;
    int32_t Color;
    const char* Written;
  };
  const TWrite writes[] = {
      {"hwb(0 0% 0%)", rgb(0, 0, 255), "hwb(240 0% 0%)"},
      {"oklch(0.5 0.1 30 / 50%)", rgb(255, 0, 0), nullptr},
      {"lab(50% 0 0)", rgb(0, 255, 0), nullptr},
      {"color(srgb 0 0 0)", rgb(255, 0, 0), "color(srgb 1 0 0)"},
  };
  for (const TWrite& c : writes) {
    const std::string written = ColorInNotation(c.Old, c.Color);
    if (c.Written != nullptr) {
      EXPECT_EQ(written, c.Written) << c.Old;
    }
    // The notation is kept, and reads back as the colour picked.
    const std::string_view old(c.Old);
    EXPECT_EQ(written.substr(0, old.find('(')), old.substr(0, old.find('('))) << c.Old;
    EXPECT_EQ(ColorFromText(written), c.Color) << written;
  }
  // Swatches show on them in a value.
  const std::string line = "a { color: oklch(0.628 0.2577 29.23); background: hwb(0 0% 0%) }";
  std::vector<TTokenKind> kinds(line.size(), TTokenKind::Value);
  EXPECT_EQ(FindColors(line, kinds).size(), 2U);
}

}  // namespace
}  // namespace qm
