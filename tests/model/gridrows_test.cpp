// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/catalogue/gridrows.h"

#include "catalogues.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "model/catalogue/inifile.h"

namespace qm {
namespace {

// Three categories of two properties each; margin is a shorthand of four parts.
const char* const kRows = R"(
[categories]
0=Box
1=Colour
2=Text
[1]
name=margin-top
[2]
name=margin-right
[3]
name=margin-bottom
[4]
name=margin-left
[5]
name=margin
value=/margin-top/margin-right/margin-bottom/margin-left
[6]
name=padding
[7]
name=color
category=1
[8]
name=background-color
category=1
[9]
name=text-align
category=2
[10]
name=text-indent
category=2
)";

TInspectorItem& Row(TInspectorCollection& items, std::string_view caption) {
  for (int32_t i = 0; i < items.Count(); ++i) {
    if (items.Items(i).Caption == caption && items.Items(i).ChildLevel < 2) {
      return items.Items(i);
    }
  }
  throw std::runtime_error("no row " + std::string(caption));
}

// The captions of the shown rows from the top of the control, as LayOutRows placed them.
std::vector<std::string> Screen(TInspectorCollection& items, bool showCategories,
                                int32_t scrollPos = 0) {
  LayOutRows(items, scrollPos, showCategories);
  std::vector<std::string> rows;
  for (int32_t row = 0;; ++row) {
    const int32_t at = IndexAtRow(items, row);
    if (at < 0) {
      break;
    }
    const TInspectorItem& item = items.Items(at);
    rows.push_back(std::string(item.ChildLevel, '.') + item.Caption);
  }
  return rows;
}

using Rows = std::vector<std::string>;

TEST(InspectorRows, CollapsingACategoryHidesItsRows) {
  TInspectorCollection items;
  items.LoadCatalogue(TIniFile::FromText(kThreeByTwo));
  EXPECT_EQ(VisibleCount(items, true), 9);
  Row(items, "A").Expanded = false;
  EXPECT_EQ(VisibleCount(items, true), 7);
  EXPECT_EQ(Screen(items, true), (Rows{"A", "B", ".b1", ".b2", "C", ".c1", ".c2"}));
  // Without categories every property shows, also those of a collapsed category.
  EXPECT_EQ(VisibleCount(items, false), 6);
  EXPECT_EQ(Screen(items, false), (Rows{".a1", ".a2", ".b1", ".b2", ".c1", ".c2"}));
}

TEST(InspectorRows, PartRowsFollowTheirShorthandRow) {
  TInspectorCollection items;
  items.LoadCatalogue(TIniFile::FromText(kRows));
  TInspectorItem& margin = Row(items, "margin");
  const TInspectorItem& part = items.Items(margin.Index() + 1);
  EXPECT_TRUE(IsItemVisible(part, true));
  EXPECT_TRUE(IsItemVisible(part, false));
  margin.Expanded = false;
  EXPECT_FALSE(IsItemVisible(part, true));
  EXPECT_FALSE(IsItemVisible(part, false));
  margin.Expanded = true;
  Row(items, "Box").Expanded = false;
  EXPECT_FALSE(IsItemVisible(part, true));
  EXPECT_TRUE(IsItemVisible(part, false));
}

TEST(InspectorRows, RowsWithValuesArePinnedToTheTop) {
  TInspectorCollection items;
  items.LoadCatalogue(TIniFile::FromText(kRows));
  Row(items, "color").SetValue("red");
  Row(items, "margin").SetValue("1px 2px");
  Row(items, "text-align").SetValue("left");
  Row(items, "Text").Expanded = false;
  MarkValues(items);

  // margin's parts are pinned with it; text-align shows although its category is collapsed.
  EXPECT_EQ(PinnedCount(items, true), 7);
  EXPECT_EQ(Screen(items, true),
            (Rows{".margin", "..margin-top", "..margin-right", "..margin-bottom", "..margin-left",
                  ".color", ".text-align", "Box", ".margin-top", ".margin-right", ".margin-bottom",
                  ".margin-left", ".padding", "Colour", ".background-color", "Text"}));
  EXPECT_EQ(VisibleCount(items, true), 16);

  // Collapsing the pinned shorthand takes its parts out of the top group without a gap.
  Row(items, "margin").Expanded = false;
  EXPECT_EQ(PinnedCount(items, true), 3);
  EXPECT_EQ(Screen(items, true), (Rows{".margin", ".color", ".text-align", "Box", ".margin-top",
                                       ".margin-right", ".margin-bottom", ".margin-left",
                                       ".padding", "Colour", ".background-color", "Text"}));

  // A collapsed category no longer hides the parts of its pinned shorthand.
  Row(items, "margin").Expanded = true;
  Row(items, "Box").Expanded = false;
  EXPECT_EQ(Screen(items, true),
            (Rows{".margin", "..margin-top", "..margin-right", "..margin-bottom", "..margin-left",
                  ".color", ".text-align", "Box", "Colour", ".background-color", "Text"}));
  EXPECT_EQ(VisibleCount(items, true), 11);
}

TEST(InspectorRows, MarkValuesStartsAfresh) {
  TInspectorCollection items;
  items.LoadCatalogue(TIniFile::FromText(kRows));
  Row(items, "margin").SetValue("0");
  MarkValues(items);
  Row(items, "margin").SetValue("");
  Row(items, "padding").SetValue("1px");
  MarkValues(items);
  EXPECT_EQ(PinnedCount(items, true), 1);
  EXPECT_EQ(Screen(items, false).front(), ".padding");
  // A part's own value does not pin it or its shorthand.
  items.Items(Row(items, "margin").Index() + 1).SetValue("3px");
  MarkValues(items);
  EXPECT_FALSE(Row(items, "margin").Pinned);
}

TEST(InspectorRows, LayoutShiftsWithTheScrollPosition) {
  TInspectorCollection items;
  items.LoadCatalogue(TIniFile::FromText(kThreeByTwo));
  Row(items, "b2").SetValue("x");
  MarkValues(items);
  LayOutRows(items, 2, true);
  EXPECT_EQ(Row(items, "b2").DisplayID, -2);
  EXPECT_EQ(Row(items, "A").DisplayID, -1);
  EXPECT_EQ(Row(items, "a1").DisplayID, 0);
  EXPECT_EQ(IndexAtRow(items, 0), Row(items, "a1").Index());
  EXPECT_EQ(IndexAtRow(items, -1), -1);
  EXPECT_EQ(IndexAtRow(items, 8), -1);
  Row(items, "A").Expanded = false;
  LayOutRows(items, 0, true);
  EXPECT_EQ(Row(items, "a1").DisplayID, -1);
}

struct CommitCase {
  std::string name;
  std::string typed;
  Rows parts;
};

class CommitShorthand : public testing::TestWithParam<CommitCase> {};

TEST_P(CommitShorthand, SpreadsTheValueOverItsParts) {
  const CommitCase& c = GetParam();
  TInspectorCollection items;
  items.LoadCatalogue(TIniFile::FromText(kRows));
  TInspectorItem& margin = Row(items, "margin");
  CommitValue(items, margin, c.typed);
  EXPECT_EQ(margin.Value(), c.typed);
  Rows parts;
  for (int32_t k = 1; k <= items.ChildCount(margin); ++k) {
    parts.push_back(items.Items(margin.Index() + k).Value());
  }
  EXPECT_EQ(parts, c.parts);
}

// The box rule: one word for every side, two for top and bottom then the sides, three for top,
// the sides, bottom, four clockwise; words past the fourth belong to no side.
INSTANTIATE_TEST_SUITE_P(
    Cases, CommitShorthand,
    testing::Values(CommitCase{"one_word", "auto", {"auto", "auto", "auto", "auto"}},
                    CommitCase{"two_words", "1px 2px", {"1px", "2px", "1px", "2px"}},
                    CommitCase{"three_words", "1px  2px 3px", {"1px", "2px", "3px", "2px"}},
                    CommitCase{"surrounding_blanks", " 1px 2% ", {"1px", "2%", "1px", "2%"}},
                    CommitCase{"bracketed_blanks",
                               "calc(1px + 2px) 0",
                               {"calc(1px + 2px)", "0", "calc(1px + 2px)", "0"}},
                    CommitCase{"five_words", "1 2 3 4 5", {"1", "2", "3", "4"}},
                    CommitCase{"empty", "", {"", "", "", ""}}),
    [](const auto& info) { return info.param.name; });

TEST(InspectorRows, AnEditedPartKeepsItsShorthand) {
  TInspectorCollection items;
  items.LoadCatalogue(TIniFile::FromText(kRows));
  TInspectorItem& margin = Row(items, "margin");
  CommitValue(items, margin, "1px 2px");
  std::vector<std::string> reported;
  items.OnValueChange = [&](const TInspectorItem& item) { reported.push_back(item.Caption); };

  CommitValue(items, items.Items(margin.Index() + 2), "3px");
  EXPECT_EQ(margin.Value(), "1px 2px");
  EXPECT_EQ(reported, (Rows{"margin-right"}));

  // A plain property has no parts to spread to.
  CommitValue(items, Row(items, "padding"), "4px 5px");
  EXPECT_EQ(Row(items, "padding").Value(), "4px 5px");
}

// A part row shows the value that applies: of the part's own declaration and the shorthand's,
// the one written later. A comment in the shorthand's value is no part.
TEST(InspectorRows, APartRowShowsTheValueThatApplies) {
  struct TCase {
    const char* Name;
    std::vector<std::pair<std::string, std::string>> Declarations;  // in text order
    Rows Parts;                                                     // top, right, bottom, left
  };
  const TCase cases[] = {
      {"shorthand after the part",
       {{"margin-top", "1px"}, {"margin", "5px"}},
       {"5px", "5px", "5px", "5px"}},
      {"part after the shorthand",
       {{"margin", "5px"}, {"margin-top", "1px"}},
       {"1px", "5px", "5px", "5px"}},
      {"part alone", {{"margin-left", "2px"}}, {"", "", "", "2px"}},
      {"comment in the shorthand", {{"margin", "1px /* x */ 2px"}}, {"1px", "2px", "1px", "2px"}},
  };
  for (const TCase& c : cases) {
    TInspectorCollection items;
    items.LoadCatalogue(TIniFile::FromText(kRows));
    const auto find = [&](const std::string& name) -> std::optional<int32_t> {
      for (size_t k = 0; k < c.Declarations.size(); ++k) {
        if (c.Declarations[k].first == name) {
          return static_cast<int32_t>(k);
        }
      }
      return std::nullopt;
    };
    ShowRuleValues(
        items,
        [&](const std::string& name) {
          const auto at = find(name);
          return at ? c.Declarations[static_cast<size_t>(*at)].second : std::string();
        },
        [&](const std::string& name) { return find(name).value_or(-1); });
    const TInspectorItem& margin = Row(items, "margin");
    Rows parts;
    for (int32_t k = 1; k <= items.ChildCount(margin); ++k) {
      parts.push_back(items.Items(margin.Index() + k).Value());
    }
    EXPECT_EQ(parts, c.Parts) << c.Name;
  }
  TInspectorCollection items;
  items.LoadCatalogue(TIniFile::FromText(kRows));
  EXPECT_EQ(ShorthandsOf(items, "margin-top"), Rows{"margin"});
  EXPECT_EQ(ShorthandsOf(items, "padding"), Rows{});
}

TEST(InspectorRows, TypingFindsThePropertyRowByItsName) {
  TInspectorCollection items;
  items.LoadCatalogue(TIniFile::FromText(kRows));
  const auto found = [&](std::string_view prefix, std::string_view from) {
    const int32_t at = RowStartingWith(items, prefix, from.empty() ? -1 : Row(items, from).Index());
    return at < 0 ? std::string() : items.Items(at).Caption;
  };
  struct TCase {
    std::string_view Prefix;
    std::string_view From;  // the selected row; empty for none
    std::string Found;
  };
  const TCase cases[] = {
      {"t", "", "text-align"},
      {"TEXT-I", "", "text-indent"},
      // Typing on keeps a row that still matches; the search goes round from the selected row.
      {"margin", "margin-right", "margin-right"},
      {"margin-t", "margin-right", "margin-top"},
      {"c", "text-align", "color"},
      // Category rows and part rows are not found; nothing matches nothing.
      {"box", "", ""},
      {"x", "", ""},
      {"", "", ""},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(found(c.Prefix, c.From), c.Found) << c.Prefix << " from " << c.From;
  }
}

TEST(InspectorRows, NeighbourRowsFollowTheScreenOrder) {
  TInspectorCollection items;
  items.LoadCatalogue(TIniFile::FromText(kThreeByTwo));
  Row(items, "c1").SetValue("x");
  MarkValues(items);
  Row(items, "B").Expanded = false;
  // On screen: c1 (pinned), A, a1, a2, B, C, c1, c2 -- b1 and b2 are hidden.
  const auto next = [&](std::string_view from, int32_t step) -> std::string {
    const int32_t at =
        NeighbourRow(items, from.empty() ? -1 : Row(items, from).Index(), step, true);
    return at < 0 ? "<none>" : items.Items(at).Caption;
  };
  EXPECT_EQ(next("c1", 1), "A");
  EXPECT_EQ(next("A", -1), "c1");
  EXPECT_EQ(next("B", 1), "C");
  EXPECT_EQ(next("C", -1), "B");
  EXPECT_EQ(next("c1", -1), "<none>");
  EXPECT_EQ(next("c2", 1), "<none>");
  // From no row, or from a hidden one, either key starts at the top.
  EXPECT_EQ(next("", 1), "c1");
  EXPECT_EQ(next("b1", -1), "c1");
}

TEST(InspectorRows, ExpandingAllTouchesOnlyCategories) {
  TInspectorCollection items;
  items.LoadCatalogue(TIniFile::FromText(kRows));
  Row(items, "margin").Expanded = false;
  SetCategoriesExpanded(items, false);
  EXPECT_EQ(Screen(items, true), (Rows{"Box", "Colour", "Text"}));
  SetCategoriesExpanded(items, true);
  EXPECT_FALSE(Row(items, "margin").Expanded);
  EXPECT_EQ(VisibleCount(items, true), 13);  // 3 categories and 10 properties, no parts
}

struct SwatchCase {
  std::string name;
  std::string value;
  std::optional<int32_t> color;
};

class Swatch : public testing::TestWithParam<SwatchCase> {};

TEST_P(Swatch, ReadsOnlyWellFormedColours) {
  EXPECT_EQ(SwatchColor(GetParam().value), GetParam().color) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Swatch,
    testing::Values(SwatchCase{"red_first", "#FF0000", 0x0000FF},
                    SwatchCase{"lower_case", "#00ff80", 0x80FF00},
                    SwatchCase{"followed_by_more", "#0000FF !important", 0xFF0000},
                    SwatchCase{"short_form", "#F80", 0x0088FF},
                    SwatchCase{"short_form_then_blank", "#fff none", 0xFFFFFF},
                    SwatchCase{"not_hexadecimal", "#GG0000", std::nullopt},
                    SwatchCase{"cut_short", "#FF00", std::nullopt},
                    SwatchCase{"five_digits", "#FF000", std::nullopt},
                    SwatchCase{"short_form_runs_on", "#abcx", std::nullopt},
                    SwatchCase{"hash_only", "#", std::nullopt},
                    SwatchCase{"name", "red", std::nullopt}, SwatchCase{"empty", "", std::nullopt}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace qm
