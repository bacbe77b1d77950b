// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/listrule.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qm {
namespace {

struct SplitCase {
  std::string name;
  std::string text;
  char delimiter;
  std::vector<std::string> items;
};

class ListRuleSplit : public testing::TestWithParam<SplitCase> {};

TEST_P(ListRuleSplit, CutsTextIntoItems) {
  const SplitCase& c = GetParam();
  EXPECT_EQ(SplitList(c.text, c.delimiter), c.items);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ListRuleSplit,
    testing::Values(
        SplitCase{"empty", "", '|', {}}, SplitCase{"only_blanks", " \t ", '|', {}},
        SplitCase{"bar", "red|blue|<color>", '|', {"red", "blue", "<color>"}},
        SplitCase{"blanks_around_items", "  red | blue  ", '|', {"red", "blue"}},
        SplitCase{"blank_separates_too", "1px solid|red", '|', {"1px", "solid", "red"}},
        SplitCase{"control_characters_separate",
                  "a\tb\x01"
                  "c",
                  '|',
                  {"a", "b", "c"}},
        SplitCase{"empty_first", "|a", '|', {"", "a"}},
        SplitCase{"empty_middle", "a||b", '|', {"a", "", "b"}},
        SplitCase{"empty_middle_with_blanks", "a| |b", '|', {"a", "", "b"}},
        SplitCase{"empty_last", "a|", '|', {"a", ""}},
        SplitCase{"empty_last_then_blanks", "a|  ", '|', {"a", ""}},
        SplitCase{"only_delimiter", "|", '|', {"", ""}},
        SplitCase{"quoted_item_keeps_blanks",
                  "\"Times New Roman\"|serif",
                  '|',
                  {"Times New Roman", "serif"}},
        SplitCase{"doubled_quote", "\"say \"\"hi\"\"\"|x", '|', {"say \"hi\"", "x"}},
        SplitCase{"quoted_delimiter", "\"a|b\"|c", '|', {"a|b", "c"}},
        SplitCase{"empty_quotes", "\"\"|a", '|', {"", "a"}},
        SplitCase{"unclosed_quote_runs_to_end", "\"open|x y", '|', {"open|x y"}},
        SplitCase{"text_after_closing_quote", "\"a\"b|c", '|', {"a", "b", "c"}},
        SplitCase{"slash",
                  "border-top-width/border-right-width",
                  '/',
                  {"border-top-width", "border-right-width"}},
        SplitCase{"comma", "Arial, \"Courier New\",serif", ',', {"Arial", "Courier New", "serif"}},
        SplitCase{"other_delimiters_are_text", "a/b,c|d", '|', {"a/b,c", "d"}},
        SplitCase{"browser_flags", "1|0|1", '|', {"1", "0", "1"}}),
    [](const auto& info) { return info.param.name; });

struct FieldCase {
  std::string name;
  std::string text;
  int32_t n;
  std::string field;
};

class ListRuleField : public testing::TestWithParam<FieldCase> {};

TEST_P(ListRuleField, CutsAtEverySeparator) {
  const FieldCase& c = GetParam();
  EXPECT_EQ(FieldAt(c.text, ' ', c.n), c.field);
}

INSTANTIATE_TEST_SUITE_P(Cases, ListRuleField,
                         testing::Values(FieldCase{"first", "1px solid red", 0, "1px"},
                                         FieldCase{"middle", "1px solid red", 1, "solid"},
                                         FieldCase{"last", "1px solid red", 2, "red"},
                                         FieldCase{"beyond_last", "1px solid red", 3, ""},
                                         FieldCase{"adjacent_separators", "1px  solid", 1, ""},
                                         FieldCase{"after_adjacent", "1px  solid", 2, "solid"},
                                         FieldCase{"no_separator", "red", 0, "red"},
                                         FieldCase{"empty_text", "", 0, ""},
                                         FieldCase{"negative", "a b", -1, ""}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace qm
