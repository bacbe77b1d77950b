// SPDX-License-Identifier: GPL-3.0-or-later
// Specificity as browsers count it: the simple selectors, the functional pseudo-classes, the
// nesting selector, the tip over a rule's selector list.
#include "model/assist/specificity.h"

#include <gtest/gtest.h>

#include "model/text/memorydocument.h"

namespace qm {
namespace {

TEST(Specificity, EachSelectorCountsItsSimpleSelectors) {
  struct TCase {
    std::string_view Selector;
    TSpecificity Expected;
  };
  const TCase cases[] = {
      {"*", {0, 0, 0}},
      {"ul ol+li", {0, 0, 3}},
      {"h1 + *[rel=up]", {0, 1, 1}},
      {"ul ol li.red", {0, 1, 3}},
      {"li.red.level", {0, 2, 1}},
      {"#x34y", {1, 0, 0}},
      {"#s12:not(FOO)", {1, 0, 1}},
      {".foo :is(.bar, #baz)", {1, 1, 0}},
      {":where(#a, .b) p", {0, 0, 1}},
      {":has(> img, #x) a", {1, 0, 1}},
      {":not(.a, .b.c)", {0, 2, 0}},
      {"a:hover", {0, 1, 1}},
      {"p::before", {0, 0, 2}},
      {"p:before", {0, 0, 2}},
      {"P:First-Letter", {0, 0, 2}},
      {"li:nth-child(2n+1)", {0, 1, 1}},
      {":nth-child(2n+1 of .a, #b)", {1, 1, 0}},
      {":nth-last-child(odd of li.x)", {0, 2, 1}},
      {"::slotted(.a)", {0, 1, 1}},
      {":host(.dark) .x", {0, 3, 0}},
      {"svg|circle", {0, 0, 1}},
      {"*|*", {0, 0, 0}},
      {"a /* #not-an-id .x */ b", {0, 0, 2}},
      {"[data-x=\"a, b) #c\"] p", {0, 1, 1}},
      {"#\\31 23", {1, 0, 0}},
      {".a\\.b", {0, 1, 0}},
      {":is(:where(#a), .b)", {0, 1, 0}},
      {":is(#a, :not(#b #c))", {2, 0, 0}},
      {"&", {0, 1, 0}},
  };
  for (const TCase& test : cases) {
    const std::vector<TSelectorSpecificity> list = ListSpecificity(test.Selector);
    ASSERT_EQ(list.size(), 1U) << test.Selector;
    EXPECT_EQ(SpecificityText(list[0].Value), SpecificityText(test.Expected)) << test.Selector;
  }
}

TEST(Specificity, AListCountsEachSelectorAndNestingCountsTheParent) {
  const std::vector<TSelectorSpecificity> list = ListSpecificity("h1,\n  .a > p ,#x:is(a, b)");
  ASSERT_EQ(list.size(), 3U);
  EXPECT_EQ(list[0].Selector, "h1");
  EXPECT_EQ(list[1].Selector, ".a > p");
  EXPECT_EQ(list[2].Selector, "#x:is(a, b)");
  EXPECT_EQ(SpecificityText(list[1].Value), "(0, 1, 1)");
  EXPECT_EQ(SpecificityText(list[2].Value), "(1, 0, 1)");
  EXPECT_EQ(SpecificityText(MostSpecific(list)), "(1, 0, 1)");

  struct TCase {
    std::string_view Selector;
    std::string_view Expected;
  };
  // The parent rule's most specific selector is (1, 0, 0).
  const TCase nested[] = {
      {"& .b", "(1, 1, 0)"},        {".b", "(1, 1, 0)"},  {"> p", "(1, 0, 1)"},
      {".b &", "(1, 1, 0)"},        {"& &", "(2, 0, 0)"}, {":is(&) p", "(1, 0, 1)"},
      {":where(&) p", "(0, 0, 1)"},
  };
  for (const TCase& test : nested) {
    const std::vector<TSelectorSpecificity> one = ListSpecificity(test.Selector, {1, 0, 0}, true);
    ASSERT_EQ(one.size(), 1U) << test.Selector;
    EXPECT_EQ(SpecificityText(one[0].Value), test.Expected) << test.Selector;
  }
}

TEST(Specificity, TheTipOverARuleSelectorCountsItsParents) {
  struct TCase {
    std::string_view Marked;  // the pointer rests on the byte after "|"
    std::string_view Expected;
  };
  const TCase cases[] = {
      {"h1, .|a p { color: red }", "Specificity\n(0, 0, 1)  h1\n(0, 1, 1)  .a p"},
      {"@media print { #a|, b { } }", "Specificity\n(1, 0, 0)  #a\n(0, 0, 1)  b"},
      {".a, #b { color: red; & |p { } }", "Specificity\n(1, 0, 1)  & p"},
      {"#a { @media print { .|b { } } }", "Specificity\n(1, 1, 0)  .b"},
      {"#a { .b { .c|  { } } }", "Specificity\n(1, 2, 0)  .c"},
      {"h1 { col|or: red }", ""},
      {"@media pr|int { h1 { } }", ""},
      {"@keyframes k { fr|om { top: 0 } }", ""},
      {"/* |x */ h1 { }", ""},
  };
  for (const TCase& test : cases) {
    std::string text(test.Marked);
    const auto at = static_cast<int32_t>(text.find('|'));
    text.erase(static_cast<size_t>(at), 1);
    const TMemoryDocument document(text);
    TModList blocks;
    RebuildBlocks(document, blocks);
    EXPECT_EQ(SpecificityTipAt(document, blocks, at), test.Expected) << test.Marked;
  }
}

}  // namespace
}  // namespace qm
