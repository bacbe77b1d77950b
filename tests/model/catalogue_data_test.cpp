// SPDX-License-Identifier: GPL-3.0-or-later
// The two catalogues that ship with the program, checked as the program reads them.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "model/catalogue/catalogue.h"
#include "model/catalogue/inifile.h"
#include "model/listrule.h"

namespace qm {
namespace {

using Names = std::vector<std::string>;

// The property names the editor's syntax colouring knows.
const Names kScannerNames = {"azimuth",
                             "background",
                             "background-attachment",
                             "background-color",
                             "background-image",
                             "background-position",
                             "background-repeat",
                             "border",
                             "border-collapse",
                             "border-color",
                             "border-spacing",
                             "border-style",
                             "border-top",
                             "border-right",
                             "border-bottom",
                             "border-left",
                             "border-top-color",
                             "border-right-color",
                             "border-bottom-color",
                             "border-left-color",
                             "border-top-style",
                             "border-right-style",
                             "border-bottom-style",
                             "border-left-style",
                             "border-top-width",
                             "border-right-width",
                             "border-bottom-width",
                             "border-left-width",
                             "border-width",
                             "bottom",
                             "caption-side",
                             "clear",
                             "clip",
                             "color",
                             "content",
                             "counter-increment",
                             "counter-reset",
                             "cue",
                             "cue-after",
                             "cue-before",
                             "cursor",
                             "direction",
                             "display",
                             "elevation",
                             "empty-cells",
                             "float",
                             "font",
                             "font-family",
                             "font-size",
                             "font-size-adjust",
                             "font-stretch",
                             "font-style",
                             "font-variant",
                             "font-weight",
                             "height",
                             "left",
                             "letter-spacing",
                             "line-height",
                             "list-style",
                             "list-style-image",
                             "list-style-position",
                             "list-style-type",
                             "margin",
                             "margin-top",
                             "margin-right",
                             "margin-bottom",
                             "margin-left",
                             "marker-offset",
                             "marks",
                             "max-height",
                             "max-width",
                             "min-height",
                             "min-width",
                             "orphans",
                             "outline",
                             "outline-color",
                             "outline-style",
                             "outline-width",
                             "overflow",
                             "padding",
                             "padding-top",
                             "padding-right",
                             "padding-bottom",
                             "padding-left",
                             "page",
                             "page-break-after",
                             "page-break-before",
                             "page-break-inside",
                             "pause",
                             "pause-after",
                             "pause-before",
                             "pitch",
                             "pitch-range",
                             "play-during",
                             "position",
                             "quotes",
                             "richness",
                             "right",
                             "size",
                             "speak",
                             "speak-header",
                             "speak-numeral",
                             "speak-punctuation",
                             "speech-rate",
                             "stress",
                             "table-layout",
                             "text-align",
                             "text-decoration",
                             "text-indent",
                             "text-shadow",
                             "text-transform",
                             "top",
                             "unicode-bidi",
                             "vertical-align",
                             "visibility",
                             "voice-family",
                             "volume",
                             "white-space",
                             "widows",
                             "width",
                             "word-spacing",
                             "z-index"};

// The properties the visual editor's pickers and captions stand for, page by page.
const Names kVisualEditorNames = {
    "background-color", "background-image", "background-attachment", "background-repeat",
    "background-position",
    //
    "top", "left", "height", "width", "overflow", "visibility", "z-index", "position",
    //
    "font-family", "font-size", "font-size-adjust", "font-style", "font-weight", "font-variant",
    "font-stretch",
    //
    "text-shadow", "text-decoration", "text-align", "letter-spacing", "line-height", "white-space",
    "text-indent", "word-spacing", "text-transform",
    //
    "azimuth", "pause", "play-during", "cue", "elevation", "speech-rate", "richness", "stress",
    "pitch", "pitch-range", "volume", "voice-family", "speak", "speak-header", "speak-numeral",
    "speak-punctuation",
    //
    "padding-top", "padding-left", "padding-bottom", "padding-right", "margin-top", "margin-left",
    "margin-bottom", "margin-right", "border-top-width", "border-left-width", "border-bottom-width",
    "border-right-width", "border-top-style", "border-left-style", "border-bottom-style",
    "border-right-style", "border-top-color", "border-left-color", "border-bottom-color",
    "border-right-color",
    //
    "list-style-type", "list-style-position", "list-style-image", "empty-cells", "border-spacing",
    "caption-side", "table-layout", "border-collapse",
    //
    "color", "cursor", "direction", "unicode-bidi", "content", "counter-increment", "quotes",
    "counter-reset", "outline-color", "outline-style", "outline-width",
    //
    "widows", "marks", "orphans", "size", "page-break-before", "page-break-after",
    "page-break-inside"};

const Names kCss1Names = {"font-family",
                          "font-style",
                          "font-variant",
                          "font-weight",
                          "font-size",
                          "font",
                          "color",
                          "background-color",
                          "background-image",
                          "background-repeat",
                          "background-attachment",
                          "background-position",
                          "background",
                          "word-spacing",
                          "letter-spacing",
                          "text-decoration",
                          "vertical-align",
                          "text-transform",
                          "text-align",
                          "text-indent",
                          "line-height",
                          "margin-top",
                          "margin-right",
                          "margin-bottom",
                          "margin-left",
                          "margin",
                          "padding-top",
                          "padding-right",
                          "padding-bottom",
                          "padding-left",
                          "padding",
                          "border-top-width",
                          "border-right-width",
                          "border-bottom-width",
                          "border-left-width",
                          "border-width",
                          "border-color",
                          "border-style",
                          "border-top",
                          "border-right",
                          "border-bottom",
                          "border-left",
                          "border",
                          "width",
                          "height",
                          "float",
                          "clear",
                          "display",
                          "white-space",
                          "list-style-type",
                          "list-style-image",
                          "list-style-position",
                          "list-style"};

struct Section {
  std::string name;
  std::string category;
  std::string value;
  std::string info;
  std::string supported;
};

// The property sections as written, read until the first missing name as the program does.
std::vector<Section> ReadSections(const TIniFile& ini) {
  std::vector<Section> sections;
  for (int n = 1;; ++n) {
    const std::string s = std::to_string(n);
    Section section{ini.ReadString(s, "name", "-1"), ini.ReadString(s, "category", ""),
                    ini.ReadString(s, "value", ""), ini.ReadString(s, "info", "Not Available"),
                    ini.ReadString(s, "supported", "-1")};
    if (section.name == "-1") {
      return sections;
    }
    sections.push_back(section);
  }
}

int CategoryCount(const TIniFile& ini) {
  int count = 0;
  while (ini.ReadString("categories", std::to_string(count), "-1") != "-1") {
    ++count;
  }
  return count;
}

Names SortedNames(const std::vector<Section>& sections) {
  Names names;
  for (const Section& s : sections) {
    names.push_back(s.name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

Names Sorted(Names names) {
  std::sort(names.begin(), names.end());
  return names;
}

class ShippedCatalogue : public testing::TestWithParam<std::string> {
 protected:
  std::filesystem::path Path() const {
    return std::filesystem::path(QUILLMERE_DATA_DIR) / GetParam();
  }
  TIniFile Ini() const { return TIniFile::FromFile(Path()); }
};

TEST_P(ShippedCatalogue, EveryPropertyLoadsIntoItsCategory) {
  const TIniFile ini = Ini();
  const std::vector<Section> sections = ReadSections(ini);
  const int categories = CategoryCount(ini);
  ASSERT_GT(categories, 1);
  ASSERT_GT(sections.size(), 50u);

  TInspectorCollection items;
  items.LoadCatalogue(Path());
  int properties = 0;
  for (int32_t i = 0; i < items.Count(); ++i) {
    properties += items.Items(i).ChildLevel == 1 ? 1 : 0;
  }
  EXPECT_EQ(properties, static_cast<int>(sections.size()));

  const Names names = SortedNames(sections);
  EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end()) << "a name repeats";
  for (const Section& s : sections) {
    const int32_t at = items.IndexOfTag(s.name);
    ASSERT_GE(at, 0) << s.name;
    const int category = TIniFile::FromText("[s]\nk=" + s.category).ReadInteger("s", "k", -1);
    EXPECT_TRUE(category >= 0 && category < categories) << s.name << " category=" << s.category;
    EXPECT_EQ(items.Items(at).Parent->Caption, ini.ReadString("categories", s.category, ""))
        << s.name;
  }
}

TEST_P(ShippedCatalogue, EveryShorthandPartIsAnEarlierProperty) {
  const std::vector<Section> sections = ReadSections(Ini());
  TInspectorCollection items;
  items.LoadCatalogue(Path());
  std::set<std::string> earlier;
  int shorthands = 0;
  for (const Section& s : sections) {
    if (!s.value.empty() && s.value.front() == '/') {
      ++shorthands;
      const Names parts = SplitList(std::string_view(s.value).substr(1), '/');
      for (const std::string& part : parts) {
        EXPECT_TRUE(earlier.count(part) == 1) << s.name << " names \"" << part << "\"";
      }
      const TInspectorItem& row = items.Items(items.IndexOfTag(s.name));
      EXPECT_EQ(items.ChildCount(row), static_cast<int32_t>(parts.size())) << s.name;
    }
    earlier.insert(s.name);
  }
  EXPECT_GT(shorthands, 5);
}

// The first two levels, whose support flags stand for three browsers of their time.
class ShippedEarlyCatalogue : public ShippedCatalogue {};

TEST_P(ShippedEarlyCatalogue, EverySupportedHasThreeFlags) {
  for (const Section& s : ReadSections(Ini())) {
    const Names flags = SplitList(s.supported, '|');
    ASSERT_EQ(flags.size(), 3u) << s.name << " supported=" << s.supported;
    for (const std::string& flag : flags) {
      EXPECT_TRUE(!flag.empty() && (flag[0] == '0' || flag[0] == '1'))
          << s.name << " supported=" << s.supported;
    }
  }
}

TEST_P(ShippedEarlyCatalogue, EveryPropertyIsDescribedWithItsInitialValue) {
  for (const Section& s : ReadSections(Ini())) {
    EXPECT_NE(s.info.find("Initial value:"), std::string::npos) << s.name << ": " << s.info;
  }
}

TEST_P(ShippedCatalogue, PickerEntriesAreSpelledAsThePickersExpect) {
  const std::set<std::string> pickers = {"<color>", "<length>", "<percentage>", "<url>", "<font>"};
  for (const Section& s : ReadSections(Ini())) {
    if (!s.value.empty() && s.value.front() == '/') {
      continue;
    }
    for (const std::string& entry : SplitList(s.value, '|')) {
      EXPECT_FALSE(entry.empty()) << s.name << " value=" << s.value;
      if (entry.find('<') != std::string::npos || entry.find('>') != std::string::npos) {
        EXPECT_EQ(pickers.count(entry), 1u) << s.name << " value=" << s.value;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Files, ShippedCatalogue,
                         testing::Values("css1.txt", "css2.txt", "css3.txt"),
                         [](const auto& info) { return info.param.substr(0, 4); });
INSTANTIATE_TEST_SUITE_P(Files, ShippedEarlyCatalogue, testing::Values("css1.txt", "css2.txt"),
                         [](const auto& info) { return info.param.substr(0, 4); });

TEST(ShippedCatalogues, Css3HoldsEveryPropertyOfTheVisualEditor) {
  const Names names = SortedNames(
      ReadSections(TIniFile::FromFile(std::filesystem::path(QUILLMERE_DATA_DIR) / "css3.txt")));
  for (const std::string& name : kVisualEditorNames) {
    EXPECT_TRUE(std::binary_search(names.begin(), names.end(), name)) << name;
  }
}

TEST(ShippedCatalogues, Css2HoldsTheLevel2PropertiesTheEditorKnows) {
  const Names names = SortedNames(
      ReadSections(TIniFile::FromFile(std::filesystem::path(QUILLMERE_DATA_DIR) / "css2.txt")));
  EXPECT_EQ(names, Sorted(kScannerNames));
  for (const std::string& name : kVisualEditorNames) {
    EXPECT_TRUE(std::binary_search(names.begin(), names.end(), name)) << name;
  }
}

TEST(ShippedCatalogues, Css1HoldsTheLevel1Properties) {
  const Names names = SortedNames(
      ReadSections(TIniFile::FromFile(std::filesystem::path(QUILLMERE_DATA_DIR) / "css1.txt")));
  EXPECT_EQ(names, Sorted(kCss1Names));
}

}  // namespace
}  // namespace qm
