// SPDX-License-Identifier: GPL-3.0-or-later
// How the current level's facts and browser versions become the Quick Info text.
#include "model/catalogue/cataloguefacts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/catalogue/catalogue.h"
#include "model/catalogue/inifile.h"

namespace qm {
namespace {

const std::vector<std::string> kFour = {"Chrome", "Edge", "Firefox", "Safari"};

struct SupportCase {
  std::string name;
  std::string fields;
  std::string text;
};

class Support : public testing::TestWithParam<SupportCase> {};

TEST_P(Support, NamesEachBrowserWithItsVersionAndMarks) {
  EXPECT_EQ(DescribeSupport(kFour, GetParam().fields), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Support,
    testing::Values(
        SupportCase{"versions", "57|16|52|10.1", "Chrome 57, Edge 16, Firefox 52, Safari 10.1"},
        SupportCase{"marks", "4+prefix|12+partial|no|3+partial+prefix",
                    "Chrome 4 (with a prefix), Edge 12 (partial), Firefox not supported, "
                    "Safari 3 (partial, with a prefix)"},
        SupportCase{"flag_and_unknown", "preview+flag|?|1|",
                    "Chrome preview (behind a flag), Edge unknown, Firefox 1, Safari unknown"},
        SupportCase{"fewer_fields_than_browsers", "1",
                    "Chrome 1, Edge unknown, Firefox unknown, Safari unknown"}),
    [](const auto& info) { return info.param.name; });

TEST(CatalogueFacts, ALoadedEntryOfTheCurrentLevelDescribesItsFactsAndSupport) {
  TInspectorCollection items;
  items.LoadCatalogue(TIniFile::FromText(R"([catalogue]
browsers=Chrome|Edge|Firefox|Safari
[categories]
0=Box Alignment
[1]
name=gap
syntax=<'row-gap'> <'column-gap'>?
initial=normal
appliesto=flex containers
inherited=no
percentages=refer to the content area
animation=by computed value type
atrule=@page
status=nonstandard
supported=57|16|52|10.1+partial
)"));
  EXPECT_EQ(items.BrowserNames, kFour);
  const TInspectorItem& gap = items.Items(items.IndexOfTag("gap"));
  EXPECT_EQ(gap.Description,
            "Syntax: <'row-gap'> <'column-gap'>?\n"
            "Initial value: normal\n"
            "Applies to: flex containers\n"
            "Inherited: no\n"
            "Percentages: refer to the content area\n"
            "Animation type: by computed value type\n"
            "Descriptor of the @page rule.\n"
            "Non-standard.\n"
            "Support: Chrome 57, Edge 16, Firefox 52, Safari 10.1 (partial)");

  // The next catalogue of the first two levels names no browsers of its own.
  items.LoadCatalogue(TIniFile::FromText("[1]\nname=color\nsupported=1|1|1\n"));
  EXPECT_TRUE(items.BrowserNames.empty());
}

}  // namespace
}  // namespace qm
