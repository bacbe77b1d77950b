// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/catalogue/droplist.h"

#include <gtest/gtest.h>

#include <string>

namespace qm {
namespace {

struct EntryCase {
  std::string entry;
  std::string caption;  // empty for an ordinary entry
  std::string widthText;
};

class DropListEntry : public testing::TestWithParam<EntryCase> {};

TEST_P(DropListEntry, PlaceholdersAreExactEntries) {
  const EntryCase& c = GetParam();
  EXPECT_EQ(PlaceholderCaption(PlaceholderOf(c.entry)), c.caption) << c.entry;
  EXPECT_EQ(WidthText(c.entry), c.widthText) << c.entry;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DropListEntry,
    testing::Values(EntryCase{"<color>", "Select Color", "Select Color.."},
                    EntryCase{"<font>", "Select Font", "Select Font.."},
                    EntryCase{"<url>", "Select URL", "Select Image.."},
                    EntryCase{"<length>", "Choose Unit", "Choose Unit..."},
                    EntryCase{"<percentage>", "Choose Percent", "Choose Percent.."},
                    EntryCase{"<Color>", "", "<Color>"}, EntryCase{" <url>", "", " <url>"},
                    EntryCase{"bold", "", "bold"}, EntryCase{"", "", ""}));

TEST(DropList, OpensAllRowsUpToTheCountThenEight) {
  EXPECT_EQ(DropDownRows(0, 10), 0);
  EXPECT_EQ(DropDownRows(10, 10), 10);
  EXPECT_EQ(DropDownRows(11, 10), 8);
  EXPECT_EQ(DropDownRows(5, 3), 8);  // more rows than the list has, as it always opened
}

}  // namespace
}  // namespace qm
