// SPDX-License-Identifier: GPL-3.0-or-later
// Colours stand in declaration values only: never in a selector, an at-rule's prelude, a font
// family's name, a string, a comment or a url().
#include "model/assist/valuecolors.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/text/memorydocument.h"

namespace qm {
namespace {

// The texts of the colours that the whole sheet shows swatches for, as the editor finds them:
// every colour its highlighter puts in a value, kept where a declaration's value holds it.
std::vector<std::string> ColoursShown(const std::string& sheet) {
  const TMemoryDocument document(sheet);
  TModList blocks;
  RebuildBlocks(document, blocks);
  std::vector<std::string> shown;
  const std::vector<TValueRange> ranges =
      ColorValueRanges(document, blocks, 0, static_cast<int32_t>(sheet.size()));
  for (int32_t line = 1; line <= document.LineCount(); ++line) {
    const std::string_view text = document.LineText(line);
    std::vector<TTokenKind> kinds(text.size(), TTokenKind::Space);
    for (const TToken& token : document.LineTokens(line)) {
      for (int32_t i = token.Start; i < token.Start + token.Length; ++i) {
        kinds[static_cast<size_t>(i)] = token.Kind;
      }
    }
    std::vector<TColorSpot> spots = FindColors(text, kinds);
    for (TColorSpot& spot : spots) {
      spot.Start += document.LineStart(line);
    }
    for (const TColorSpot& spot : SpotsInValues(spots, ranges)) {
      shown.push_back(
          sheet.substr(static_cast<size_t>(spot.Start), static_cast<size_t>(spot.Length)));
    }
  }
  return shown;
}

TEST(ValueColors, OnlyDeclarationValuesHoldColours) {
  struct TCase {
    const char* Sheet;
    std::vector<std::string> Shown;
  };
  const TCase cases[] = {
      {"a { color: red; background: #fed }", {"red", "#fed"}},
      // A nested rule's selector, in a rule and inside @media.
      {".x { color: tan; &:is(#fed, .gold) { color: blue } }", {"tan", "blue"}},
      {"@media screen { .x { & .gold, #fed { border: 1px solid navy } } }", {"navy"}},
      // Font family names, in a rule, in the font shorthand and in @font-face.
      {"h1 { font-family: Red Hat, Gold, serif; color: olive }", {"olive"}},
      {"h1 { font: bold 12px/1 Red Hat, sans-serif }", {}},
      {"@font-face { font-family: Teal; src: url(teal.woff) }", {}},
      {"a { animation: red 1s; counter-reset: gold }", {}},
      // At-rule preludes, strings, comments and url()s.
      {"@supports (color: red) { a { color: lime } }", {"lime"}},
      {"@page :first { margin: 1in; color: gray }", {"gray"}},
      {"a { content: \"red\"; background: url(red.png) /* blue */ green }", {"green"}},
      // A custom property may hold a colour, and !important is part of the value.
      {"a { --accent: #123456; color: pink !important }", {"#123456", "pink"}},
      // Outside every rule, nothing.
      {"red { } #abc { }", {}},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(ColoursShown(c.Sheet), c.Shown) << c.Sheet;
  }
}

TEST(ValueColors, OnlyTheBlocksReachingTheStretchAreRead) {
  const std::string sheet = "a { color: red }\nb { color: blue }\nc { color: lime }";
  const TMemoryDocument document(sheet);
  TModList blocks;
  RebuildBlocks(document, blocks);
  const auto from = static_cast<int32_t>(sheet.find("b {"));
  const auto to = static_cast<int32_t>(sheet.find("c {"));
  const std::vector<TValueRange> ranges = ColorValueRanges(document, blocks, from, to);
  ASSERT_EQ(ranges.size(), 1U);
  EXPECT_EQ(sheet.substr(static_cast<size_t>(ranges[0].Start),
                         static_cast<size_t>(ranges[0].End - ranges[0].Start)),
            "blue");
}

}  // namespace
}  // namespace qm
