// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/editcommands.h"

#include <gtest/gtest.h>

#include <string>

#include "markedtext.h"
#include "model/memorydocument.h"

namespace qm {
namespace {

enum class TCommand { Indent, Outdent, Comment };

struct CommandCase {
  std::string name;
  TCommand command;
  std::string before;
  std::string after;
};

class EditCommandTable : public testing::TestWithParam<CommandCase> {};

TEST_P(EditCommandTable, ChangesTheTextAndLeavesTheSelection) {
  const CommandCase& c = GetParam();
  const TMarkedText before = ParseMarked(c.before);
  TMemoryDocument document(before.Text);
  const TEditPlan plan =
      c.command == TCommand::Indent    ? PlanIndent(document, before.Start, before.End)
      : c.command == TCommand::Outdent ? PlanOutdent(document, before.Start, before.End)
                                       : PlanComment(before.Start, before.End);
  ApplyBatch(plan.Batch, document);
  // Every command leaves the caret at the selection's end.
  EXPECT_LE(plan.Anchor, plan.Caret);
  EXPECT_EQ(DrawMarked(std::string(document.Text()), plan.Anchor, plan.Caret), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditCommandTable,
    testing::Values(
        CommandCase{"indent_inside_a_line", TCommand::Indent, "a {co|lor: red}",
                    "a {co        |lor: red}"},
        CommandCase{"indent_at_the_end_of_a_line", TCommand::Indent, "a {}|\r\nb {}",
                    "a {}        |\r\nb {}"},
        // The line of the selection's end counts although none of its characters is selected.
        CommandCase{"indent_three_lines", TCommand::Indent, "l1\r\nl2\r\n[l3\r\nl4\r\n]l5\r\nl6",
                    "l1\r\nl2\r\n[        l3\r\n        l4\r\n        ]l5\r\nl6"},
        CommandCase{"outdent_six_blanks_stay", TCommand::Outdent, "      |a", "      |a"},
        CommandCase{"outdent_a_tab_stays", TCommand::Outdent, "\t        |a", "\t        |a"},
        // The caret keeps its column, not its character.
        CommandCase{"outdent_ten_blanks_leave_two", TCommand::Outdent, "          ab|cdefghijkl",
                    "  abcdefghij|kl"},
        CommandCase{"outdent_caret_beyond_the_shorter_line", TCommand::Outdent,
                    "a\r\n          bc|\r\nd", "a\r\n  bc|\r\nd"},
        CommandCase{"outdent_three_lines", TCommand::Outdent,
                    "[        a\r\n        b\r\n]        c\r\nd", "[a\r\nb\r\n]c\r\nd"},
        CommandCase{"outdent_only_lines_with_eight_blanks", TCommand::Outdent,
                    "[      a\r\n          b]", "[      a\r\n  b]"},
        CommandCase{"outdent_selection_from_inside_the_blanks", TCommand::Outdent,
                    "x\r\n    [    a\r\n          b]c", "x\r\n[a\r\n  b]c"},
        CommandCase{"comment_on_an_empty_line", TCommand::Comment, "a {\r\n|\r\n}",
                    "a {\r\n/* | */\r\n}"},
        CommandCase{"comment_a_selection", TCommand::Comment, "a { [color: red] }",
                    "a { [/*color: red*/] }"},
        CommandCase{"comment_over_lines", TCommand::Comment, "[a {\r\n}]\r\nb",
                    "[/*a {\r\n}*/]\r\nb"}),
    [](const testing::TestParamInfo<CommandCase>& info) { return info.param.name; });

struct MarkCase {
  std::string name;
  std::vector<int32_t> marks;
  int32_t caret;
  int32_t next;
  int32_t previous;
};

class MarkTable : public testing::TestWithParam<MarkCase> {};

TEST_P(MarkTable, NextAndPreviousWrapAround) {
  const MarkCase& c = GetParam();
  EXPECT_EQ(NextMarkLine(c.marks, c.caret), c.next);
  EXPECT_EQ(PreviousMarkLine(c.marks, c.caret), c.previous);
}

INSTANTIATE_TEST_SUITE_P(Cases, MarkTable,
                         testing::Values(MarkCase{"between_two", {2, 9}, 5, 9, 2},
                                         MarkCase{"on_the_last", {2, 9}, 9, 2, 2},
                                         MarkCase{"on_the_first", {2, 9}, 2, 9, 9},
                                         MarkCase{"all_on_the_caret", {5}, 5, 5, 5},
                                         MarkCase{"none", {}, 5, 0, 0}),
                         [](const testing::TestParamInfo<MarkCase>& info) {
                           return info.param.name;
                         });

}  // namespace
}  // namespace qm
