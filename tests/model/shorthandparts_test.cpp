// SPDX-License-Identifier: GPL-3.0-or-later
// The components of a shorthand's value that the part rows show, with the shipped catalogues'
// part lists.
#include "model/catalogue/shorthandparts.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "model/catalogue/catalogue.h"

namespace qm {
namespace {

using Parts = std::vector<std::string>;

struct SpreadCase {
  const char* name;
  const char* shorthand;
  const char* value;
  Parts parts;
  const char* catalogue = "css2.txt";
};

class Spread : public testing::TestWithParam<SpreadCase> {};

TEST_P(Spread, EachPartShowsItsOwnComponents) {
  TInspectorCollection items;
  const SpreadCase& c = GetParam();
  items.LoadCatalogue(std::filesystem::path(QUILLMERE_DATA_DIR) / c.catalogue);
  const TInspectorItem& shorthand = items.Items(items.IndexOfTag(c.shorthand));
  EXPECT_EQ(SpreadShorthand(c.value, ShorthandPartsOf(items, shorthand)), c.parts);
}

// background: color, image, repeat, attachment, position. font: style, variant, weight, size,
// line-height, family. border: width, style, color. list-style: type, position, image.
INSTANTIATE_TEST_SUITE_P(
    Cases, Spread,
    testing::Values(
        SpreadCase{"image_and_repeat",
                   "background",
                   "url(img/bg.png) no-repeat",
                   {"", "url(img/bg.png)", "no-repeat", "", ""}},
        SpreadCase{"colour_last_and_two_word_position",
                   "background",
                   "url(\"a b.png\") left top #FFF",
                   {"#FFF", "url(\"a b.png\")", "", "", "left top"}},
        SpreadCase{"named_colour", "background", "red fixed", {"red", "", "", "fixed", ""}},
        SpreadCase{"font_with_line_height",
                   "font",
                   "italic bold 12px/1.5 Georgia, \"DejaVu Sans\", serif",
                   {"italic", "", "bold", "12px", "1.5", "Georgia, \"DejaVu Sans\", serif"}},
        SpreadCase{"font_size_and_family", "font", "12PX Arial", {"", "", "", "12PX", "", "Arial"}},
        SpreadCase{"border_any_order", "border", "red 1px solid", {"1px", "solid", "red"}},
        SpreadCase{
            "border_rgb_with_blanks", "border", "thin rgb(1, 2, 3)", {"thin", "", "rgb(1, 2, 3)"}},
        SpreadCase{"list_style", "list-style", "inside square", {"square", "inside", ""}},
        SpreadCase{
            "border_colour_sides", "border-color", "red blue", {"red", "blue", "red", "blue"}},
        SpreadCase{"empty", "border", "", {"", "", ""}},
        // Current CSS lists the sides alphabetically: bottom, left, right, top.
        SpreadCase{"sides_in_any_order", "margin", "0", {"0", "0", "0", "0"}, "css3.txt"},
        SpreadCase{"two_sides_in_any_order",
                   "margin",
                   "1px 2px",
                   {"1px", "2px", "2px", "1px"},
                   "css3.txt"},
        SpreadCase{"four_sides_in_any_order",
                   "padding",
                   "1px 2px 3px 4px",
                   {"3px", "4px", "2px", "1px"},
                   "css3.txt"},
        // A comment is no component, wherever it stands.
        SpreadCase{"comment_between_sides",
                   "margin",
                   "1px /* x */ 2px",
                   {"1px", "2px", "2px", "1px"},
                   "css3.txt"},
        SpreadCase{"comment_touching_words",
                   "border",
                   "1px/* a b/c */solid /**/ red/*d*/",
                   {"1px", "solid", "red"}},
        SpreadCase{"comment_in_front_of_a_font_family",
                   "font",
                   "12px /* big */ Arial",
                   {"", "", "", "12px", "", "Arial"}}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace qm
