// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/catalogue/visualpickers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "model/catalogue/catalogue.h"

namespace qm {
namespace {

// Every picker of the visual editor as "page|group|caption|kind|name|property|items", the items
// separated by blanks, in the order the pages show them.
constexpr std::string_view kExpected = R"(
Background||Background color:|value|cmbbackgroundcolor|background-color|<color> transparent
Background||Background image:|value|cmbbackgroundimage|background-image|<url> none
Background||Attachment:|value|cmbbackgroundattachment|background-attachment|fixed scroll
Background||Repeat:|value|cmbbackgroundrepeat|background-repeat|no-repeat repeat repeat-x repeat-y
Background||Position:|unit%|cmbbackgroundposition|background-position|top center bottom left right
Position||Top:|unit%|cmbtop|top|auto
Position||Left:|unit%|cmbleft|left|auto
Position||Height:|unit%|cmbheight|height|auto
Position||Width:|unit%|cmbwidth|width|auto
Position||Overflow:|value|cmboverflow|overflow|auto hidden scroll visible
Position||Visibility:|value|cmbvisibility|visibility|collapse hidden visible
Position||Z-Index:|value|cmbzindex|z-index|auto
Position||Position:|value|cmbposition|position|absolute fixed relative static
Font||Name:|value|cmbfontfamily|font-family|<font>
Font||Size:|unit%|cmbfontsize|font-size|(value) small medium large
Font||Size Adjust:|unit%|cmbfontsizeadjust|font-size-adjust|(value) large larger medium small smaller x-large x-small xx-large xx-small
Font||Style:|value|cmbfontstyle|font-style|italic normal oblique
Font||Weight:|value|cmbfontweight|font-weight|100 200 300 400 500 600 700 800 900 bold bolder lighter normal
Font||Variant:|value|cmbfontvariant|font-variant|normal small-caps
Font||Stretch:|value|cmbfontstretch|font-stretch|condensed expanded extra-condensed extra-expanded narrower normal semi-condensed semi-expanded ultra-condensed ultra-expanded wider
Text||Text Shadow:|unit|cmbtextshadow|text-shadow|<color> (value) none
Text||Text Decoration:|list|lsttextdecoration|text-decoration|blink line-through none overline underline
Text||Text Align:|value|cmbtextalign|text-align|center justify left right
Text||Letter Space:|unit|cmbletterspacing|letter-spacing|(value) normal
Text||Line Height:|unit|cmblineheight|line-height|(value) normal
Text||White Space:|value|cmbwhitespace|white-space|normal nowrap pre
Text||Text Indent:|unit|cmbtextindent|text-indent|(value)
Text||Word Spacing:|unit|cmbwordspacing|word-spacing|(value) normal
Text||Text Transform:|value|cmdtexttransform|text-transform|capitalize lowercase none uppercase
Speech||Azimuth:|value|cmbazimuth|azimuth|behind center center-left center-right far-left far-right left left-side leftwards right right-side rightwards
Speech||Pause:|value|cmbpause|pause|(value)
Speech||Play During:|value|cmbplayduring|play-during|<url> auto mix none repeat
Speech||Cue:|value|cmbcue|cue|(value)
Speech||Elevation:|value|cmbelevation|elevation|above below higher level lower
Speech||Speech Rate:|value|cmbspeechrate|speech-rate|fast faster medium slow slower x-fast x-slow
Speech||Richness:|value|cmbRichness|richness|(value)
Speech||Stress:|value|cmbstress|stress|(value)
Speech||Pitch:|value|cmbpitch|pitch|high low medium x-high x-low
Speech||Pitch Range:|value|cmbpitchrange|pitch-range|(value)
Speech||Volume:|value|cmbvolume|volume|loud medium silent soft x-loud x-soft
Speech||Voice Family:|value|cmbvoicefamily|voice-family|child female male
Speech||Speak:|value|cmbspeak|speak|none normal spell-out
Speech||Speak Header:|value|cmbspeakheader|speak-header|always once
Speech||Speak Numeral:|value|cmbspeaknumeral|speak-numeral|continuous digits
Speech||Speak Punctuation:|value|cmbspeakpunctuation|speak-punctuation|code none
Box|Padding|Top:|unit%|cmbpaddingtop|padding-top|
Box|Padding|Left:|unit%|cmbpaddingleft|padding-left|
Box|Padding|Bottom:|unit%|cmbpaddingbottom|padding-bottom|
Box|Padding|Right:|unit%|cmbpaddingright|padding-right|
Box|Margin|Top:|unit%|cmbmargintop|margin-top|
Box|Margin|Left:|unit%|cmbmarginleft|margin-left|
Box|Margin|Bottom:|unit%|cmbmarginbottom|margin-bottom|
Box|Margin|Right:|unit%|cmbmarginright|margin-right|
Box|Border|Top:|unit|cmbbordertopwidth|border-top-width|(value) normal
Box|Border||value|cmbbordertopstyle|border-top-style|dashed dotted double groove hidden inset none outset ridge solid
Box|Border||value|cmbbordertopcolor|border-top-color|<color>
Box|Border|Left:|unit|cmbborderleftwidth|border-left-width|(value) normal
Box|Border||value|cmbborderleftstyle|border-left-style|dashed dotted double groove hidden inset none outset ridge solid
Box|Border||value|cmbborderleftcolor|border-left-color|<color>
Box|Border|Bottom:|unit|cmbborderbottomwidth|border-bottom-width|(value) normal
Box|Border||value|cmbborderbottomstyle|border-bottom-style|dashed dotted double groove hidden inset none outset ridge solid
Box|Border||value|cmbborderbottomcolor|border-bottom-color|<color>
Box|Border|Right:|unit|cmbborderrightwidth|border-right-width|(value) normal
Box|Border||value|cmbborderrightstyle|border-right-style|dashed dotted double groove hidden inset none outset ridge solid
Box|Border||value|cmbborderrightcolor|border-right-color|<color>
Lists And Tables|List|Type:|value|cmbliststyletype|list-style-type|armenian circle cjk-ideographic decimal decimal-leading-zero disc georgian hebrew hiragana hiragana-iroha katakana katakana-iroha lower-alpha lower-greek lower-latin lower-roman none square upper-alpha upper-latin upper-roman
Lists And Tables|List|Position:|value|cmblistposition|list-style-position|inside outside
Lists And Tables|List|Image:|value|cmbliststyleimage|list-style-image|<url> none
Lists And Tables||Empty Cells:|value|cmbemptycells|empty-cells|hide show
Lists And Tables||Border Spacing:|unit|cmbborderspacing|border-spacing|(value)
Lists And Tables||Caption Side:|value|cmbcaptionside|caption-side|bottom left right top
Lists And Tables||Table Layout:|value|cmbtablelayout|table-layout|auto fixed
Lists And Tables||Border Collapse:|value|cmbbordercollapse|border-collapse|collapse separate
Misc||Color:|value|cmbcolor|color|<color>
Misc||Cursor:|value|cmbcursor|cursor|<url> auto crosshair default e-resize help move ne-resize n-resize nw-resize pointer se-resize s-resize sw-resize text wait w-resize
Misc||Direction:|value|cmbdirection|direction|ltr rtl
Misc||Unicode:|value|cmbunicodebidi|unicode-bidi|bidi-override embed normal
Misc||Content:|value|cmbcontent|content|<url> close-quote no-close-quote no-open-quote open-quote
Misc||Counter Inc:|value|cmbcounterincrement|counter-increment|none
Misc||Quotes:|value|cmbquotes|quotes|none
Misc||Counter Reset:|value|cmbcounterreset|counter-reset|none
Misc|Outline|Color:|value|cmboutlinecolor|outline-color|<color> invert
Misc|Outline|Style:|value|cmboutlinestyle|outline-style|dashed dotted double groove hidden inset none outset ridge solid
Misc|Outline|Width:|unit|cmboutlinewidth|outline-width|(value) thin medium thick
Page||Widows:|value|cmbwidows|widows|(value)
Page||Marks:|value|cmbmarks|marks|crop cross none
Page||Orphans:|value|cmborphans|orphans|(value)
Page||Size:|unit|cmbsize|size|(value) auto portrait landscape
Page|Page Break|Before:|value|cmbpagebreakbefore|page-break-before|always auto avoid left right
Page|Page Break|After:|value|cmbpagebreakafter|page-break-after|always auto avoid left right
Page|Page Break|Inside:|value|cmbpagebreakinside|page-break-inside|auto avoid
)";

std::string KindName(TPickerKind kind) {
  switch (kind) {
    case TPickerKind::ValueCombo:
      return "value";
    case TPickerKind::UnitCombo:
      return "unit";
    case TPickerKind::UnitComboPercent:
      return "unit%";
    case TPickerKind::MultiSelectList:
      return "list";
  }
  return "?";
}

std::string Line(const TVisualPicker& p) {
  std::string items;
  for (const std::string_view item : p.Items) {
    items += (items.empty() ? "" : " ") + std::string(item);
  }
  std::ostringstream line;
  line << p.Page << '|' << p.Group << '|' << p.Caption << '|' << KindName(p.Kind) << '|' << p.Name
       << '|' << p.TagText << '|' << items;
  return line.str();
}

TEST(VisualPickers, EveryPickerWithItsCaptionPropertyAndItemsInOrder) {
  std::vector<std::string> expected;
  std::istringstream lines{std::string(kExpected)};
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty()) {
      expected.push_back(line);
    }
  }
  const std::vector<TVisualPicker>& pickers = VisualPickers();
  ASSERT_EQ(pickers.size(), expected.size());
  for (size_t i = 0; i < pickers.size(); ++i) {
    EXPECT_EQ(Line(pickers[i]), expected[i]) << "picker " << i;
  }
}

TEST(VisualPickers, PagesComeInTabOrderAndEachPropertyHasOnePickerAndCaption) {
  const std::vector<std::string_view> pages = {
      "Background", "Position",         "Font", "Text", "Speech",
      "Box",        "Lists And Tables", "Misc", "Page"};
  EXPECT_EQ(VisualPages(), pages);
  std::set<std::string_view> names;
  std::set<std::string_view> properties;
  size_t page = 0;
  const TVisualPicker* previous = nullptr;
  for (const TVisualPicker& p : VisualPickers()) {
    // A picker without a caption stands beneath another of its group.
    if (p.Caption.empty()) {
      EXPECT_TRUE(previous != nullptr && previous->Page == p.Page && previous->Group == p.Group)
          << p.Name;
    }
    previous = &p;
    while (page < pages.size() && pages[page] != p.Page) {
      ++page;
    }
    EXPECT_LT(page, pages.size()) << p.Name << " is out of page order";
    EXPECT_TRUE(names.insert(p.Name).second) << p.Name;
    // The reading pass shows a property in the one picker that edits it.
    EXPECT_TRUE(properties.insert(p.TagText).second) << p.TagText;
  }
}

TEST(VisualPickers, EveryPropertyIsInTheLevel2Catalogue) {
  TInspectorCollection css2;
  css2.LoadCatalogue(std::filesystem::path(QUILLMERE_DATA_DIR) / "css2.txt");
  ASSERT_GT(css2.Count(), 100);
  for (const TVisualPicker& p : VisualPickers()) {
    EXPECT_GE(css2.IndexOfTag(p.TagText), 0) << p.TagText;
  }
}

}  // namespace
}  // namespace qm

namespace qm {
namespace {

TEST(VisualPickers, AListChoosesTheEntriesThatAreWordsOfItsValue) {
  const std::vector<std::string_view> entries = {"blink", "line-through", "none", "overline",
                                                 "underline"};
  struct TCase {
    std::string_view Value;
    std::vector<bool> Chosen;
  };
  const TCase cases[] = {
      {"underline overline", {false, false, false, true, true}},
      {"UNDERLINE", {false, false, false, false, true}},
      {"none", {false, false, true, false, false}},
      // A word that holds an entry is not that entry; comments and strings hold none.
      {"nonesuch underlined", {false, false, false, false, false}},
      {"/* none */ underline", {false, false, false, false, true}},
      {"underline wavy red", {false, false, false, false, true}},
      {"", {false, false, false, false, false}},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(ChosenListEntries(entries, c.Value), c.Chosen) << c.Value;
  }
}

}  // namespace
}  // namespace qm
