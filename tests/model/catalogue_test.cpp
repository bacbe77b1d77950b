// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/catalogue/catalogue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "model/catalogue/inifile.h"
#include "model/listrule.h"

namespace qm {
namespace {

// A catalogue written to a file of its own for one test, removed afterwards.
class TempCatalogue {
 public:
  explicit TempCatalogue(const std::string& text) {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("quillmere-catalogue-" + std::to_string(std::random_device{}()) + "-" +
             std::to_string(counter++) + ".txt");
    std::ofstream(path_, std::ios::binary) << text;
  }
  ~TempCatalogue() { std::filesystem::remove(path_); }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

void Load(TInspectorCollection& items, const std::string& text) {
  const TempCatalogue file(text);
  items.LoadCatalogue(file.Path());
}

// The rows as an indented outline, one "caption" per line, two blanks per level.
std::string Outline(const TInspectorCollection& items) {
  std::string out;
  for (int32_t i = 0; i < items.Count(); ++i) {
    const TInspectorItem& item = items.Items(i);
    out += std::string(2u * item.ChildLevel, ' ') + item.Caption + "\n";
  }
  return out;
}

// Every row is directly followed by all of its children, each before the next row of its level,
// and every row's Index is its position. In alphabetical order categories have no rows under them.
void ExpectDepthFirst(const TInspectorCollection& items, bool alphabetical = false) {
  for (int32_t i = 0; i < items.Count(); ++i) {
    const TInspectorItem& item = items.Items(i);
    EXPECT_EQ(item.Index(), i);
    if (item.Parent != nullptr && !(alphabetical && item.Parent->ChildLevel == 0)) {
      EXPECT_LT(item.Parent->Index(), i) << item.Caption;
      for (int32_t j = item.Parent->Index() + 1; j < i; ++j) {
        const TInspectorItem* between = &items.Items(j);
        while (between != nullptr && between != item.Parent) {
          between = between->Parent;
        }
        EXPECT_EQ(between, item.Parent) << item.Caption << " is cut off from its parent";
      }
    }
  }
}

const char* const kBoxCatalogue = R"(; a small catalogue
[categories]
0=Text
1=Box
2=Background

[1]
name=color
category=0
value=<color>|red
info=Colour of the text.
supported=1|1|1

[2]
name=border-top-width
category=1
value=thin|medium|thick|<length>
info=Width of the top border.
supported=1|0|1

[3]
name=border-right-width
category=1
value=thin|thick
info=Width of the right border.
supported=0|1|1

[4]
name=border-width
category=1
value=/border-top-width/border-right-width
info=Both widths at once.
supported=1|1|0

[5]
name=background-color
category=2
value=<color>|transparent

[6]
name=azimuth
category=1
value=
info=
)";

TEST(Catalogue, LoadsCategoriesSortedAndPropertiesInSectionOrder) {
  TInspectorCollection items;
  Load(items, kBoxCatalogue);
  EXPECT_EQ(Outline(items),
            "Background\n"
            "  background-color\n"
            "Box\n"
            "  border-top-width\n"
            "  border-right-width\n"
            "  border-width\n"
            "    border-top-width\n"
            "    border-right-width\n"
            "  azimuth\n"
            "Text\n"
            "  color\n");
  ExpectDepthFirst(items);
}

TEST(Catalogue, ShorthandGetsPartRowsCopiedFromTheNamedProperties) {
  TInspectorCollection items;
  Load(items, kBoxCatalogue);
  const int32_t at = items.IndexOfTag("border-width");
  ASSERT_GE(at, 0);
  const TInspectorItem& shorthand = items.Items(at);
  EXPECT_EQ(shorthand.EditType, TEditType::etText);
  EXPECT_EQ(shorthand.EditList, "");
  EXPECT_TRUE(shorthand.HasChildren);
  EXPECT_EQ(shorthand.Parent->Caption, "Box");
  ASSERT_EQ(items.ChildCount(shorthand), 2);

  const TInspectorItem& top = items.Items(at + 1);
  const TInspectorItem& right = items.Items(at + 2);
  EXPECT_EQ(top.Parent, &shorthand);
  EXPECT_EQ(top.ChildLevel, 2);
  EXPECT_EQ(top.CssTag, "");
  EXPECT_EQ(top.Caption, "border-top-width");
  EXPECT_EQ(top.EditType, TEditType::etList);
  EXPECT_EQ(top.EditList, "thin|medium|thick|<length>");
  EXPECT_EQ(top.Description, "Width of the top border.");
  EXPECT_EQ(top.Browsers, "1|0|1");
  EXPECT_FALSE(top.HasChildren);
  EXPECT_EQ(right.Caption, "border-right-width");
  EXPECT_EQ(right.EditList, "thin|thick");
  EXPECT_EQ(right.Browsers, "0|1|1");
}

// One property section, loaded beside three categories A, B and C.
struct SectionCase {
  std::string name;
  std::string keys;  // the lines of section [1] after name=p
  std::string category;
  TEditType editType;
  std::string editList;
  std::string description;
  std::string browsers;
};

class CatalogueSection : public testing::TestWithParam<SectionCase> {};

TEST_P(CatalogueSection, FillsThePropertyRow) {
  const SectionCase& c = GetParam();
  TInspectorCollection items;
  Load(items, "[categories]\n0=A\n1=B\n2=C\n[1]\nname=p\n" + c.keys);
  const int32_t at = items.IndexOfTag("p");
  ASSERT_GE(at, 0);
  const TInspectorItem& p = items.Items(at);
  EXPECT_EQ(p.Caption, "p");
  EXPECT_EQ(p.ChildLevel, 1);
  ASSERT_NE(p.Parent, nullptr);
  EXPECT_EQ(p.Parent->Caption, c.category);
  EXPECT_EQ(p.EditType, c.editType);
  EXPECT_EQ(p.EditList, c.editList);
  EXPECT_EQ(p.Description, c.description);
  EXPECT_EQ(p.Browsers, c.browsers);
  EXPECT_EQ(p.Value(), "");
  EXPECT_TRUE(p.Expanded);
  EXPECT_FALSE(p.Pinned);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CatalogueSection,
    testing::Values(
        SectionCase{"no_other_keys", "", "A", TEditType::etText, "", "Not Available", "-1"},
        SectionCase{"empty_info", "info=\n", "A", TEditType::etText, "", "", "-1"},
        SectionCase{"value_list", "value=red|blue|<color>\n", "A", TEditType::etList,
                    "red|blue|<color>", "Not Available", "-1"},
        SectionCase{"empty_value", "value=\n", "A", TEditType::etText, "", "Not Available", "-1"},
        SectionCase{"quoted_value", "value=\"a b|c\"\n", "A", TEditType::etList, "a b|c",
                    "Not Available", "-1"},
        SectionCase{"shorthand_without_parts", "value=/\n", "A", TEditType::etText, "",
                    "Not Available", "-1"},
        SectionCase{"category_decimal", "category=1\n", "B", TEditType::etText, "", "Not Available",
                    "-1"},
        SectionCase{"category_hex", "category=0x2\n", "C", TEditType::etText, "", "Not Available",
                    "-1"},
        SectionCase{"category_dollar_hex", "category=$1\n", "B", TEditType::etText, "",
                    "Not Available", "-1"},
        SectionCase{"category_not_a_number", "category=two\n", "A", TEditType::etText, "",
                    "Not Available", "-1"},
        SectionCase{"category_too_large", "category=3\n", "A", TEditType::etText, "",
                    "Not Available", "-1"},
        SectionCase{"category_negative", "category=-1\n", "A", TEditType::etText, "",
                    "Not Available", "-1"},
        SectionCase{"supported_and_info", "info=Says what p does.\nsupported=1|0|1\n", "A",
                    TEditType::etText, "", "Says what p does.", "1|0|1"},
        // A section of the current level lists facts instead of written words.
        SectionCase{"facts_without_info",
                    "syntax=a | b\ninitial=a\ninherited=no\nstatus=experimental\n", "A",
                    TEditType::etText, "",
                    "Syntax: a | b\nInitial value: a\nInherited: no\nExperimental.", "-1"},
        SectionCase{"written_info_wins_over_facts", "info=Own words.\nsyntax=a\n", "A",
                    TEditType::etText, "", "Own words.", "-1"},
        SectionCase{"written_not_available_stays", "info=Not Available\nsyntax=a\n", "A",
                    TEditType::etText, "", "Not Available", "-1"},
        SectionCase{"standard_status_alone_is_no_fact", "status=standard\n", "A", TEditType::etText,
                    "", "Not Available", "-1"}),
    [](const auto& info) { return info.param.name; });

TEST(Catalogue, ValueListWithBlanksGivesTrimmedEntries) {
  TInspectorCollection items;
  Load(items, "[categories]\n0=A\n[1]\nname=p\nvalue=red | blue | \"dark blue\"\n");
  const TInspectorItem& p = items.Items(items.IndexOfTag("p"));
  EXPECT_EQ(SplitList(p.EditList, '|'), (std::vector<std::string>{"red", "blue", "dark blue"}));
}

TEST(Catalogue, MissingFileGivesOneCategoryAndOneProperty) {
  TInspectorCollection items;
  items.LoadCatalogue(std::filesystem::temp_directory_path() / "quillmere-missing-catalogue.txt");
  ASSERT_EQ(items.Count(), 2);
  EXPECT_EQ(items.Items(0).Caption, "-1");
  EXPECT_EQ(items.Items(0).ChildLevel, 0);
  const TInspectorItem& property = items.Items(1);
  EXPECT_EQ(property.Caption, "-1");
  EXPECT_EQ(property.CssTag, "-1");
  EXPECT_EQ(property.Parent, &items.Items(0));
  EXPECT_EQ(property.EditType, TEditType::etText);
  EXPECT_EQ(property.Description, "Not Available");
  EXPECT_EQ(property.Browsers, "-1");
}

TEST(Catalogue, ReadsPropertiesUntilTheFirstMissingSectionAfterTheFirst) {
  TInspectorCollection items;
  // Section 1 is taken even without a name; the gap at 4 hides section 5.
  Load(items, "[categories]\n0=A\n[2]\nname=b\n[3]\nname=c\n[5]\nname=e\n");
  EXPECT_EQ(Outline(items), "A\n  -1\n  b\n  c\n");
}

TEST(Catalogue, LoadingReplacesEveryRow) {
  TInspectorCollection items;
  Load(items, kBoxCatalogue);
  items.Items(items.IndexOfTag("color")).SetValue("red");
  Load(items, "[categories]\n0=Only\n[1]\nname=color\n");
  EXPECT_EQ(Outline(items), "Only\n  color\n");
  EXPECT_EQ(items.Items(1).Value(), "");
}

// Catalogues that break the rules still load into a whole collection in depth-first order.
struct BrokenCase {
  std::string name;
  std::string sections;  // after [categories] 0=A 1=B and [1] name=a
  std::string outline;
};

class BrokenCatalogue : public testing::TestWithParam<BrokenCase> {};

TEST_P(BrokenCatalogue, LoadsWhatCanBeResolved) {
  const BrokenCase& c = GetParam();
  TInspectorCollection items;
  Load(items, "[categories]\n0=A\n1=B\n[1]\nname=a\ncategory=1\n" + c.sections);
  EXPECT_EQ(Outline(items), c.outline);
  ExpectDepthFirst(items);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BrokenCatalogue,
    testing::Values(BrokenCase{"part_names_nothing", "[2]\nname=s\ncategory=1\nvalue=/a/nothing\n",
                               "A\nB\n  a\n  s\n    a\n"},
                    BrokenCase{"part_names_later_section",
                               "[2]\nname=s\ncategory=1\nvalue=/z/a\n[3]\nname=z\ncategory=1\n",
                               "A\nB\n  a\n  s\n    a\n  z\n"},
                    BrokenCase{"part_names_its_own_shorthand",
                               "[2]\nname=s\ncategory=1\nvalue=/s/a\n", "A\nB\n  a\n  s\n    a\n"},
                    BrokenCase{"part_names_other_case", "[2]\nname=s\ncategory=1\nvalue=/A\n",
                               "A\nB\n  a\n  s\n"},
                    BrokenCase{"empty_entries", "[2]\nname=s\ncategory=1\nvalue=//a//a/\n",
                               "A\nB\n  a\n  s\n    a\n    a\n"},
                    BrokenCase{"quoted_empty_entry", "[2]\nname=s\ncategory=1\nvalue=/\"\"/a\n",
                               "A\nB\n  a\n  s\n    a\n"},
                    BrokenCase{"category_outside", "[2]\nname=s\ncategory=7\n", "A\n  s\nB\n  a\n"},
                    BrokenCase{"every_part_unknown", "[2]\nname=s\ncategory=9\nvalue=/x/y\n",
                               "A\n  s\nB\n  a\n"}),
    [](const auto& info) { return info.param.name; });

TEST(Catalogue, NoCategoriesStillGivesCategoryMinusOne) {
  TInspectorCollection items;
  Load(items, "[1]\nname=a\ncategory=3\n[2]\nname=b\n");
  EXPECT_EQ(Outline(items), "-1\n  a\n  b\n");
}

TEST(Catalogue, ArrangeAlphabeticalAndBack) {
  TInspectorCollection items;
  Load(items, kBoxCatalogue);
  items.Arrange(true);
  // Categories first in their present order, then properties by name, each with its parts.
  EXPECT_EQ(Outline(items),
            "Background\n"
            "Box\n"
            "Text\n"
            "  azimuth\n"
            "  background-color\n"
            "  border-right-width\n"
            "  border-top-width\n"
            "  border-width\n"
            "    border-top-width\n"
            "    border-right-width\n"
            "  color\n");
  ExpectDepthFirst(items, true);

  items.Arrange(false);
  // Properties keep the order they had, which is now alphabetical within each category.
  EXPECT_EQ(Outline(items),
            "Background\n"
            "  background-color\n"
            "Box\n"
            "  azimuth\n"
            "  border-right-width\n"
            "  border-top-width\n"
            "  border-width\n"
            "    border-top-width\n"
            "    border-right-width\n"
            "Text\n"
            "  color\n");
  ExpectDepthFirst(items);
}

TEST(Catalogue, ArrangeIgnoresLetterCaseAndUsesTheOwnersCollation) {
  TInspectorCollection items;
  TInspectorItem& c = items.AddItem("cat", "", "", "", "", 0, nullptr);
  for (const char* name : {"b", "A", "c", "B"}) {
    items.AddItem(name, name, "", "", "", 1, &c);
  }
  items.Arrange(true);
  EXPECT_EQ(Outline(items), "cat\n  A\n  b\n  B\n  c\n");

  items.Collate = [](std::string_view a, std::string_view b) { return CompareText(b, a); };
  items.Arrange(true);
  EXPECT_EQ(Outline(items), "cat\n  c\n  b\n  B\n  A\n");
}

TEST(Catalogue, ArrangeKeepsRowsWithoutCategory) {
  TInspectorCollection items;
  TInspectorItem& loose = items.AddItem("loose", "loose", "", "", "", 1, nullptr);
  items.AddItem("part", "", "", "", "", 2, &loose);
  items.AddItem("cat", "", "", "", "", 0, nullptr);
  items.Arrange(false);
  EXPECT_EQ(Outline(items), "cat\n  loose\n    part\n");
  EXPECT_EQ(items.Items(1).Index(), 1);
}

TEST(Catalogue, IndexOfTagMatchesExactly) {
  TInspectorCollection items;
  Load(items, kBoxCatalogue);
  const int32_t color = items.IndexOfTag("color");
  ASSERT_GE(color, 0);
  EXPECT_EQ(items.Items(color).CssTag, "color");
  EXPECT_EQ(items.IndexOfTag("Color"), -1);
  EXPECT_EQ(items.IndexOfTag("colo"), -1);
  EXPECT_EQ(items.IndexOfTag("Box"), -1);
  // Category and part rows have empty tags; an empty name finds none of them.
  EXPECT_EQ(items.IndexOfTag(""), -1);
  // The property row, not one of its copies as a part.
  EXPECT_EQ(items.Items(items.IndexOfTag("border-top-width")).ChildLevel, 1);
}

TEST(Catalogue, ChildCountStopsAtTheFirstRowThatIsNotAChild) {
  TInspectorCollection items;
  TInspectorItem& cat = items.AddItem("cat", "", "", "", "", 0, nullptr);
  TInspectorItem& s = items.AddItem("s", "s", "", "", "", 1, &cat);
  items.AddItem("p1", "", "", "", "", 2, &s);
  items.AddItem("p2", "", "", "", "", 2, &s);
  items.AddItem("t", "t", "", "", "", 1, &cat);
  items.AddItem("p3", "", "", "", "", 2, &s);  // out of order: not counted
  EXPECT_EQ(items.ChildCount(s), 2);
  // The first property's parts end the run of the category's own children.
  EXPECT_EQ(items.ChildCount(cat), 1);
  EXPECT_EQ(items.ChildCount(items.Items(2)), 0);
}

TEST(Catalogue, AddItemTreatsAPartListAsNoList) {
  TInspectorCollection items;
  const TInspectorItem& shorthand = items.AddItem("s", "s", "/a/b", "d", "1|1|1", 1, nullptr);
  EXPECT_EQ(shorthand.EditType, TEditType::etText);
  EXPECT_EQ(shorthand.EditList, "");
  const TInspectorItem& list = items.AddItem("l", "l", "x|y", "", "", 1, nullptr);
  EXPECT_EQ(list.EditType, TEditType::etList);
  EXPECT_EQ(list.EditList, "x|y");
}

TEST(Catalogue, ValueChangesAreReportedOnce) {
  TInspectorCollection items;
  Load(items, kBoxCatalogue);
  std::vector<std::string> reported;
  items.OnValueChange = [&](const TInspectorItem& item) {
    reported.push_back(item.Caption + "=" + item.Value());
  };
  TInspectorItem& color = items.Items(items.IndexOfTag("color"));
  color.SetValue("red");
  color.SetValue("red");
  color.SetValue("");
  EXPECT_EQ(reported, (std::vector<std::string>{"color=red", "color="}));
}

}  // namespace
}  // namespace qm
