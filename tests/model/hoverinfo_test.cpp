// SPDX-License-Identifier: GPL-3.0-or-later
// The tip under the pointer: a property's Quick Info, a colour's three notations, and why a
// value is refused; nothing outside rules, in selectors, comments and strings.
#include "model/assist/hoverinfo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "model/catalogue/catalogue.h"
#include "model/text/memorydocument.h"
#include "model/values/valuechecker.h"

namespace qm {
namespace {

std::string DataFile(std::string_view name) {
  return std::string(QUILLMERE_DATA_DIR) + "/" + std::string(name);
}

// The tip with the pointer on the byte after "|".
std::string TipAt(std::string_view marked, const TInspectorCollection& catalogue,
                  const TValueChecker* checker) {
  std::string text(marked);
  const auto at = static_cast<int32_t>(text.find('|'));
  text.erase(static_cast<size_t>(at), 1);
  const TMemoryDocument document(text);
  TModList blocks;
  RebuildBlocks(document, blocks);
  return HoverTextAt(document, blocks, at, catalogue, checker);
}

TEST(HoverInfo, EachPlaceInARuleTellsWhatItIs) {
  TInspectorCollection css3;
  css3.LoadCatalogue(DataFile("css3.txt"));
  const TValueChecker checker =
      TValueChecker::FromFiles(DataFile("css3.txt"), DataFile("css3syntax.txt"));
  struct TCase {
    std::string_view Text;
    std::string_view Tip;  // "" for none; else the tip starts with this
  };
  const TCase cases[] = {
      {"a { co|lor: red }", "color\nSyntax: <color>"},
      {"|a { color: red }", ""},  // the pointer on the selector
      {"a { color: r|ed }", "#FF0000\nrgb(255, 0, 0)\nhsl(0, 100%, 50%)"},
      {"a { border: 1px solid #|0a0 }", "#00AA00\nrgb(0, 170, 0)\nhsl(120, 100%, 33.3%)"},
      {"a { color: hsl(240, 100%, 5|0%) }", "#0000FF\nrgb(0, 0, 255)"},
      {"a { color: red; background: url(red.png) bl|ue }", "#0000FF"},
      // Anywhere in a mix, the colour it mixes.
      {"a { color: color-mix(in srgb, r|ed 30%, blue) }", "#4D00B3\nrgb(77, 0, 179)"},
      {"a { color: color-mix(in x|yz, red, blue) }", ""},
      {"a { background: url(r|ed.png) }", ""},
      {"a {\r\n  border: 1px\r\n    solid gr|een;\r\n}", "#008000"},
      {"a { display: fle|c }", "`display`: `flec` does not match"},
      {"a { width: 1|0 }", "`width`: `10` does not match"},
      {"a { width: 1|0px }", ""},
      {"a { color: redd|ish }", "`color`: `reddish` does not match"},
      {"@font-face { font-disp|lay: swap }", "font-display\nSyntax: auto"},
      {"/* a { co|lor: red } */", ""},
      {"a { content: \"co|lor: red\" }", ""},
      {"a { x|yzzy: 1 }", ""},
      {"a:h|over { color: red }", ""},
      {"p|", ""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    const std::string tip = TipAt(c.Text, css3, &checker);
    if (c.Tip.empty()) {
      EXPECT_EQ(tip, "");
    } else {
      EXPECT_EQ(tip.substr(0, c.Tip.size()), c.Tip) << tip;
    }
  }
  // The facts of current CSS name today's four browsers.
  const std::string tip = TipAt("a { co|lor: red }", css3, &checker);
  for (const std::string_view browser : {"Chrome", "Edge", "Firefox", "Safari"}) {
    EXPECT_NE(tip.find(browser), std::string::npos) << browser;
  }
}

TEST(HoverInfo, AnOlderLevelsPropertyNamesItsThreeBrowsers) {
  TInspectorCollection css1;
  css1.LoadCatalogue(DataFile("css1.txt"));
  EXPECT_EQ(PropertyTip(css1, "color"),
            "color\nThe foreground colour of the element's text. Initial value: depends on the "
            "browser.\nSupport: Internet Explorer 5: yes, Netscape 6: yes, Opera 5: yes");
  EXPECT_EQ(PropertyTip(css1, "flex"), "");
}

// A tip's long lines are broken at blanks so that none runs off the screen; short lines, line
// breaks of their own and words longer than the width stay as they are.
TEST(HoverInfo, LongTipLinesAreBrokenAtBlanks) {
  const struct {
    std::string_view Tip;
    std::string_view Wrapped;
  } cases[] = {
      {"color\nshort line", "color\nshort line"},
      {"aaaa bbbb cccc dddd", "aaaa bbbb\n  cccc\n  dddd"},
      {"aaaa\n\nbbbb cccc dddd", "aaaa\n\nbbbb cccc\n  dddd"},
      {"aaaaaaaaaaaaaa bb", "aaaaaaaaaaaaaa\n  bb"},
      {"a  b", "a  b"},
      {"", ""},
  };
  for (const auto& one : cases) {
    EXPECT_EQ(WrappedTip(one.Tip, 10), one.Wrapped) << one.Tip;
  }
  TInspectorCollection css3;
  css3.LoadCatalogue(DataFile("css3.txt"));
  const std::string tip = WrappedTip(PropertyTip(css3, "grid-template-columns"));
  ASSERT_NE(tip.find("Animation type"), std::string::npos);
  for (size_t start = 0; start < tip.size();) {
    const size_t end = std::min(tip.find('\n', start), tip.size());
    EXPECT_LE(end - start, TipWidth) << tip.substr(start, end - start);
    start = end + 1;
  }
}

}  // namespace
}  // namespace qm
