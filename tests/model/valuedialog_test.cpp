// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/catalogue/valuedialog.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(ValueDialog, CutsALengthAtTheEndOfItsNumber) {
  struct Case {
    std::string_view value;
    std::optional<TDialogLength> expected;
  };
  const Case cases[] = {
      {"12px", TDialogLength{"12", "px", "px"}},
      // The unit in any case, kept as written.
      {"1.5EM", TDialogLength{"1.5", "em", "EM"}},
      {" -.5in ", TDialogLength{"-.5", "in", "in"}},
      // No number, or no unit of the list after it: nothing to cut.
      {"thin", std::nullopt},
      {"1empx", std::nullopt},
      {"1px 2px", std::nullopt},
      {"12", std::nullopt},
      // Units of current CSS, "rem" not read as "em", "vmin" not as "in".
      {"2rem", TDialogLength{"2", "rem", "rem"}},
      {"50vmin", TDialogLength{"50", "vmin", "vmin"}},
      {"100vw", TDialogLength{"100", "vw", "vw"}},
      {"auto", std::nullopt},
      {"", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SplitDialogLength(c.value), c.expected) << c.value;
  }
}

TEST(ValueDialog, FontListsKeepEveryNameInOrder) {
  using Names = std::vector<std::string>;
  EXPECT_EQ(FontListEntries(" Arial, \"Times New Roman\", serif "),
            (Names{"Arial", "Times New Roman", "serif"}));
  EXPECT_EQ(FontListEntries("Arial, Times New Roman,'a, b'"),
            (Names{"Arial", "Times New Roman", "a, b"}));
  EXPECT_TRUE(FontListEntries("  ").empty());
  EXPECT_EQ(ComposeFontList({"cursive", "Times New Roman", "Verdana"}),
            "cursive, \"Times New Roman\", Verdana");
  EXPECT_EQ(ComposeFontList({}), "");
  EXPECT_TRUE(IsGenericFamilyText("monospace"));
  EXPECT_FALSE(IsGenericFamilyText("DejaVu Sans"));
}

TEST(ValueDialog, ANewFontGoesBeforeTheGenericFamily) {
  using Names = std::vector<std::string>;
  struct Case {
    Names original;
    Names chosen;  // in the dialog's list order
    Names expected;
  };
  const Case cases[] = {
      // A font not installed here stays, in its place.
      {{"Arial", "sans-serif"},
       {"Arial", "DejaVu Sans", "sans-serif"},
       {"Arial", "DejaVu Sans", "sans-serif"}},
      {{"Arial", "sans-serif"},
       {"sans-serif", "DejaVu Sans", "Arial"},
       {"Arial", "DejaVu Sans", "sans-serif"}},
      // The user's order, not the list's; case does not make a name new.
      {{"b", "A", "serif"}, {"a", "B", "serif"}, {"b", "A", "serif"}},
      // Unticked names go; a generic family chosen alone comes last all the same.
      {{"Arial", "Verdana"}, {"monospace", "Verdana"}, {"Verdana", "monospace"}},
      {{}, {"serif", "X"}, {"X", "serif"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ComposeFontStack(c.original, c.chosen), c.expected);
  }
}

}  // namespace
}  // namespace qm
