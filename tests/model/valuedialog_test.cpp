// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/valuedialog.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(ValueDialog, CutsALengthAtTheFirstUnitInListOrder) {
  struct Case {
    std::string_view value;
    std::optional<TDialogLength> expected;
  };
  const Case cases[] = {
      {"12px", TDialogLength{"12", "px"}},
      // Found in any case, taken out only in lower case.
      {"1.5EM", TDialogLength{"1.5EM", "em"}},
      {"2in", TDialogLength{"2", "in"}},
      // Anywhere in the value: "thin" holds "in".
      {"thin", TDialogLength{"th", "in"}},
      // "em" comes before "px" in the list.
      {"1empx", TDialogLength{"1px", "em"}},
      // A unit that holds another is looked for first: "rem" before "em", "vmin" before "in".
      {"2rem", TDialogLength{"2", "rem"}},
      {"50vmin", TDialogLength{"50", "vmin"}},
      {"100vw", TDialogLength{"100", "vw"}},
      {"auto", std::nullopt},
      {"", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SplitDialogLength(c.value), c.expected) << c.value;
  }
}

TEST(ValueDialog, FontListsAreCutAndComposedByTheListRule) {
  EXPECT_EQ(FontListEntries(" Arial, \"Times New Roman\", serif "),
            (std::vector<std::string>{"Arial", "Times New Roman", "serif"}));
  EXPECT_EQ(FontListEntries("Arial, Times New Roman"),
            (std::vector<std::string>{"Arial", "Times", "New", "Roman"}));
  EXPECT_TRUE(FontListEntries("  ").empty());
  EXPECT_EQ(ComposeFontList({"cursive", "Times New Roman", "Verdana"}),
            "cursive, \"Times New Roman\", Verdana");
  EXPECT_EQ(ComposeFontList({}), "");
  EXPECT_TRUE(IsGenericFamilyText("monospace"));
  EXPECT_TRUE(IsGenericFamilyText("sans"));
  EXPECT_FALSE(IsGenericFamilyText("DejaVu Sans"));
}

}  // namespace
}  // namespace qm
