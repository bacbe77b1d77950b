// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/catalogue/visualpickers.h"

#include <array>

#include "model/asciicase.h"
#include "model/values/valuetokens.h"

namespace qm {

namespace {

constexpr TPickerKind Value = TPickerKind::ValueCombo;
constexpr TPickerKind Unit = TPickerKind::UnitCombo;
constexpr TPickerKind UnitPercent = TPickerKind::UnitComboPercent;
constexpr TPickerKind List = TPickerKind::MultiSelectList;

// A picker as the table below writes it: its items in one text, separated by blanks (no item
// holds a blank).
struct TRow {
  std::string_view Page, Group, Caption;
  TPickerKind Kind;
  std::string_view Name, TagText, Items;
};

constexpr std::string_view kBorderStyles =
    "dashed dotted double groove hidden inset none outset ridge solid";
constexpr std::string_view kPageBreaks = "always auto avoid left right";

constexpr auto kRows = std::to_array<TRow>({
    {"Background", "", "Background color:", Value, "cmbbackgroundcolor", "background-color",
     "<color> transparent"},
    {"Background", "", "Background image:", Value, "cmbbackgroundimage", "background-image",
     "<url> none"},
    {"Background", "", "Attachment:", Value, "cmbbackgroundattachment", "background-attachment",
     "fixed scroll"},
    {"Background", "", "Repeat:", Value, "cmbbackgroundrepeat", "background-repeat",
     "no-repeat repeat repeat-x repeat-y"},
    {"Background", "", "Position:", UnitPercent, "cmbbackgroundposition", "background-position",
     "top center bottom left right"},

    {"Position", "", "Top:", UnitPercent, "cmbtop", "top", "auto"},
    {"Position", "", "Left:", UnitPercent, "cmbleft", "left", "auto"},
    {"Position", "", "Height:", UnitPercent, "cmbheight", "height", "auto"},
    {"Position", "", "Width:", UnitPercent, "cmbwidth", "width", "auto"},
    {"Position", "", "Overflow:", Value, "cmboverflow", "overflow", "auto hidden scroll visible"},
    {"Position", "", "Visibility:", Value, "cmbvisibility", "visibility",
     "collapse hidden visible"},
    {"Position", "", "Z-Index:", Value, "cmbzindex", "z-index", "auto"},
    {"Position", "", "Position:", Value, "cmbposition", "position",
     "absolute fixed relative static"},

    {"Font", "", "Name:", Value, "cmbfontfamily", "font-family", "<font>"},
    {"Font", "", "Size:", UnitPercent, "cmbfontsize", "font-size", "(value) small medium large"},
    {"Font", "", "Size Adjust:", UnitPercent, "cmbfontsizeadjust", "font-size-adjust",
     "(value) large larger medium small smaller x-large x-small xx-large xx-small"},
    {"Font", "", "Style:", Value, "cmbfontstyle", "font-style", "italic normal oblique"},
    {"Font", "", "Weight:", Value, "cmbfontweight", "font-weight",
     "100 200 300 400 500 600 700 800 900 bold bolder lighter normal"},
    {"Font", "", "Variant:", Value, "cmbfontvariant", "font-variant", "normal small-caps"},
    {"Font", "", "Stretch:", Value, "cmbfontstretch", "font-stretch",
     "condensed expanded extra-condensed extra-expanded narrower normal semi-condensed "
     "semi-expanded ultra-condensed ultra-expanded wider"},

    {"Text", "", "Text Shadow:", Unit, "cmbtextshadow", "text-shadow", "<color> (value) none"},
    {"Text", "", "Text Decoration:", List, "lsttextdecoration", "text-decoration",
     "blink line-through none overline underline"},
    {"Text", "", "Text Align:", Value, "cmbtextalign", "text-align", "center justify left right"},
    {"Text", "", "Letter Space:", Unit, "cmbletterspacing", "letter-spacing", "(value) normal"},
    {"Text", "", "Line Height:", Unit, "cmblineheight", "line-height", "(value) normal"},
    {"Text", "", "White Space:", Value, "cmbwhitespace", "white-space", "normal nowrap pre"},
    {"Text", "", "Text Indent:", Unit, "cmbtextindent", "text-indent", "(value)"},
    {"Text", "", "Word Spacing:", Unit, "cmbwordspacing", "word-spacing", "(value) normal"},
    {"Text", "", "Text Transform:", Value, "cmdtexttransform", "text-transform",
     "capitalize lowercase none uppercase"},

    {"Speech", "", "Azimuth:", Value, "cmbazimuth", "azimuth",
     "behind center center-left center-right far-left far-right left left-side leftwards right "
     "right-side rightwards"},
    {"Speech", "", "Pause:", Value, "cmbpause", "pause", "(value)"},
    {"Speech", "", "Play During:", Value, "cmbplayduring", "play-during",
     "<url> auto mix none repeat"},
    {"Speech", "", "Cue:", Value, "cmbcue", "cue", "(value)"},
    {"Speech", "", "Elevation:", Value, "cmbelevation", "elevation",
     "above below higher level lower"},
    {"Speech", "", "Speech Rate:", Value, "cmbspeechrate", "speech-rate",
     "fast faster medium slow slower x-fast x-slow"},
    {"Speech", "", "Richness:", Value, "cmbRichness", "richness", "(value)"},
    {"Speech", "", "Stress:", Value, "cmbstress", "stress", "(value)"},
    {"Speech", "", "Pitch:", Value, "cmbpitch", "pitch", "high low medium x-high x-low"},
    {"Speech", "", "Pitch Range:", Value, "cmbpitchrange", "pitch-range", "(value)"},
    {"Speech", "", "Volume:", Value, "cmbvolume", "volume",
     "loud medium silent soft x-loud x-soft"},
    {"Speech", "", "Voice Family:", Value, "cmbvoicefamily", "voice-family", "child female male"},
    {"Speech", "", "Speak:", Value, "cmbspeak", "speak", "none normal spell-out"},
    {"Speech", "", "Speak Header:", Value, "cmbspeakheader", "speak-header", "always once"},
    {"Speech", "", "Speak Numeral:", Value, "cmbspeaknumeral", "speak-numeral",
     "continuous digits"},
    {"Speech", "", "Speak Punctuation:", Value, "cmbspeakpunctuation", "speak-punctuation",
     "code none"},

    {kBoxModelPage, "Padding", "Top:", UnitPercent, "cmbpaddingtop", "padding-top", ""},
    {kBoxModelPage, "Padding", "Left:", UnitPercent, "cmbpaddingleft", "padding-left", ""},
    {kBoxModelPage, "Padding", "Bottom:", UnitPercent, "cmbpaddingbottom", "padding-bottom", ""},
    {kBoxModelPage, "Padding", "Right:", UnitPercent, "cmbpaddingright", "padding-right", ""},
    {kBoxModelPage, "Margin", "Top:", UnitPercent, "cmbmargintop", "margin-top", ""},
    {kBoxModelPage, "Margin", "Left:", UnitPercent, "cmbmarginleft", "margin-left", ""},
    {kBoxModelPage, "Margin", "Bottom:", UnitPercent, "cmbmarginbottom", "margin-bottom", ""},
    {kBoxModelPage, "Margin", "Right:", UnitPercent, "cmbmarginright", "margin-right", ""},
    {kBoxModelPage, "Border", "Top:", Unit, "cmbbordertopwidth", "border-top-width",
     "(value) normal"},
    {kBoxModelPage, "Border", "", Value, "cmbbordertopstyle", "border-top-style", kBorderStyles},
    {kBoxModelPage, "Border", "", Value, "cmbbordertopcolor", "border-top-color", "<color>"},
    {kBoxModelPage, "Border", "Left:", Unit, "cmbborderleftwidth", "border-left-width",
     "(value) normal"},
    {kBoxModelPage, "Border", "", Value, "cmbborderleftstyle", "border-left-style", kBorderStyles},
    {kBoxModelPage, "Border", "", Value, "cmbborderleftcolor", "border-left-color", "<color>"},
    {kBoxModelPage, "Border", "Bottom:", Unit, "cmbborderbottomwidth", "border-bottom-width",
     "(value) normal"},
    {kBoxModelPage, "Border", "", Value, "cmbborderbottomstyle", "border-bottom-style",
     kBorderStyles},
    {kBoxModelPage, "Border", "", Value, "cmbborderbottomcolor", "border-bottom-color", "<color>"},
    {kBoxModelPage, "Border", "Right:", Unit, "cmbborderrightwidth", "border-right-width",
     "(value) normal"},
    {kBoxModelPage, "Border", "", Value, "cmbborderrightstyle", "border-right-style",
     kBorderStyles},
    {kBoxModelPage, "Border", "", Value, "cmbborderrightcolor", "border-right-color", "<color>"},

    {"Lists And Tables", "List", "Type:", Value, "cmbliststyletype", "list-style-type",
     "armenian circle cjk-ideographic decimal decimal-leading-zero disc georgian hebrew hiragana "
     "hiragana-iroha katakana katakana-iroha lower-alpha lower-greek lower-latin lower-roman "
     "none square upper-alpha upper-latin upper-roman"},
    {"Lists And Tables", "List", "Position:", Value, "cmblistposition", "list-style-position",
     "inside outside"},
    {"Lists And Tables", "List", "Image:", Value, "cmbliststyleimage", "list-style-image",
     "<url> none"},
    {"Lists And Tables", "", "Empty Cells:", Value, "cmbemptycells", "empty-cells", "hide show"},
    {"Lists And Tables", "", "Border Spacing:", Unit, "cmbborderspacing", "border-spacing",
     "(value)"},
    {"Lists And Tables", "", "Caption Side:", Value, "cmbcaptionside", "caption-side",
     "bottom left right top"},
    {"Lists And Tables", "", "Table Layout:", Value, "cmbtablelayout", "table-layout",
     "auto fixed"},
    {"Lists And Tables", "", "Border Collapse:", Value, "cmbbordercollapse", "border-collapse",
     "collapse separate"},

    {"Misc", "", "Color:", Value, "cmbcolor", "color", "<color>"},
    {"Misc", "", "Cursor:", Value, "cmbcursor", "cursor",
     "<url> auto crosshair default e-resize help move ne-resize n-resize nw-resize pointer "
     "se-resize s-resize sw-resize text wait w-resize"},
    {"Misc", "", "Direction:", Value, "cmbdirection", "direction", "ltr rtl"},
    {"Misc", "", "Unicode:", Value, "cmbunicodebidi", "unicode-bidi", "bidi-override embed normal"},
    {"Misc", "", "Content:", Value, "cmbcontent", "content",
     "<url> close-quote no-close-quote no-open-quote open-quote"},
    {"Misc", "", "Counter Inc:", Value, "cmbcounterincrement", "counter-increment", "none"},
    {"Misc", "", "Quotes:", Value, "cmbquotes", "quotes", "none"},
    {"Misc", "", "Counter Reset:", Value, "cmbcounterreset", "counter-reset", "none"},
    {"Misc", "Outline", "Color:", Value, "cmboutlinecolor", "outline-color", "<color> invert"},
    {"Misc", "Outline", "Style:", Value, "cmboutlinestyle", "outline-style", kBorderStyles},
    {"Misc", "Outline", "Width:", Unit, "cmboutlinewidth", "outline-width",
     "(value) thin medium thick"},

    {"Page", "", "Widows:", Value, "cmbwidows", "widows", "(value)"},
    {"Page", "", "Marks:", Value, "cmbmarks", "marks", "crop cross none"},
    {"Page", "", "Orphans:", Value, "cmborphans", "orphans", "(value)"},
    {"Page", "", "Size:", Unit, "cmbsize", "size", "(value) auto portrait landscape"},
    {"Page", "Page Break", "Before:", Value, "cmbpagebreakbefore", "page-break-before",
     kPageBreaks},
    {"Page", "Page Break", "After:", Value, "cmbpagebreakafter", "page-break-after", kPageBreaks},
    {"Page", "Page Break", "Inside:", Value, "cmbpagebreakinside", "page-break-inside",
     "auto avoid"},
});

std::vector<std::string_view> SplitItems(std::string_view items) {
  std::vector<std::string_view> split;
  while (!items.empty()) {
    const size_t blank = items.find(' ');
    split.push_back(items.substr(0, blank));
    items = blank == std::string_view::npos ? std::string_view() : items.substr(blank + 1);
  }
  return split;
}

}  // namespace

const std::vector<std::string_view>& VisualPages() {
  static const std::vector<std::string_view> pages = {
      "Background",  "Position",         "Font", "Text", "Speech",
      kBoxModelPage, "Lists And Tables", "Misc", "Page"};
  return pages;
}

const std::vector<TVisualPicker>& VisualPickers() {
  static const std::vector<TVisualPicker> pickers = [] {
    std::vector<TVisualPicker> made;
    made.reserve(kRows.size());
    for (const TRow& row : kRows) {
      made.push_back({row.Page, row.Group, row.Caption, row.Kind, row.Name, row.TagText,
                      SplitItems(row.Items)});
    }
    return made;
  }();
  return pickers;
}

bool IsUnitCombo(TPickerKind kind) {
  return kind == TPickerKind::UnitCombo || kind == TPickerKind::UnitComboPercent;
}

bool ShowsItemsSorted(const TVisualPicker& picker) {
  return picker.Kind == TPickerKind::ValueCombo && picker.Page != "Background";
}

std::vector<bool> ChosenListEntries(const std::vector<std::string_view>& entries,
                                    std::string_view value) {
  std::vector<bool> chosen(entries.size(), false);
  const TValueTokens tokens = TokeniseValue(value);
  for (int32_t t = 0; t < tokens.TopEnd; ++t) {
    const TValueToken& token = tokens.Tokens[static_cast<size_t>(t)];
    if (token.Kind != TValueTokenKind::Ident) {
      continue;
    }
    for (size_t e = 0; e < entries.size(); ++e) {
      if (EqualIgnoringAsciiCase(token.Text, entries[e])) {
        chosen[e] = true;
      }
    }
  }
  return chosen;
}

}  // namespace qm
