// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/sheet/editcommands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "markedtext.h"
#include "model/text/memorydocument.h"
#include "realsheets.h"
#include "reference_tokens.h"

namespace qm {
namespace {

enum class TCommand { Indent, Outdent, Comment, Uncomment };

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
      : c.command == TCommand::Comment ? PlanComment(document, before.Start, before.End)
                                       : PlanUncomment(document, before.Start, before.End);
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
                    "[/*a {\r\n}*/]\r\nb"},
        // The note's "*/" would end the new comment there and leave b's rule live.
        CommandCase{"comment_over_a_comment", TCommand::Comment,
                    "[a { color: red } /* note */ b { color: blue }]",
                    "[/*a { color: red } /* note *\\/ b { color: blue }*/]"},
        CommandCase{"comment_from_inside_a_comment", TCommand::Comment, "/* no[te */ b {}]",
                    "[/*/* note *\\/ b {}*/]"},
        CommandCase{"comment_to_inside_a_comment", TCommand::Comment, "[a {} /* no]te */ b",
                    "[/*a {} /* note *\\/*/] b"},
        CommandCase{"comment_a_closer_in_a_string", TCommand::Comment, "[a { content: \"*/\" }]",
                    "[/*a { content: \"*\\/\" }*/]"},
        // What a comment already holds gets one more backslash, so Uncomment can tell them apart.
        CommandCase{"comment_an_escaped_closer", TCommand::Comment, "[/* x *\\/ */]",
                    "[/*/* x *\\\\/ *\\/*/]"},
        CommandCase{"comment_with_the_caret_in_a_comment", TCommand::Comment, "/* a| */ b {}",
                    "/* a| */ b {}"},
        CommandCase{"uncomment_at_the_caret", TCommand::Uncomment, "a {} /* b| {} */ c",
                    "a {}  b| {}  c"},
        CommandCase{"uncomment_at_a_comment_edge", TCommand::Uncomment, "a {} /* b {} */| c",
                    "a {}  b {} | c"},
        CommandCase{"uncomment_outside_comments", TCommand::Uncomment, "/* a */ b| {}",
                    "/* a */ b| {}"},
        CommandCase{"uncomment_restores_the_closers", TCommand::Uncomment,
                    "[/*a {} /* note *\\/ b {} *\\\\/*/]", "[a {} /* note */ b {} *\\/]"},
        CommandCase{"uncomment_every_comment_in_the_selection", TCommand::Uncomment,
                    "/*a*/ [b /*c*/ d /*e*/] /*f*/", "/*a*/ [b c d e] /*f*/"},
        CommandCase{"uncomment_an_unclosed_comment", TCommand::Uncomment, "a /* b|", "a  b|"},
        // There a new comment would fall inside the string or comment left open.
        CommandCase{"comment_at_the_end_of_a_string_left_open", TCommand::Comment,
                    "a { b: \"c|\r\n}", "a { b: \"c|\r\n}"},
        CommandCase{"comment_at_the_end_of_a_comment_left_open", TCommand::Comment, "a /* b|",
                    "a /* b|"},
        CommandCase{"comment_from_the_end_of_a_string_left_open", TCommand::Comment,
                    "a { b: \"c[\r\n}]", "a { b: [/*\"c\r\n}*/]"},
        // "\/" and "\'" are escapes: a "/*" after the backslash would open no comment, and a
        // quote left out of one would open a string.
        CommandCase{"comment_with_the_caret_in_an_escape", TCommand::Comment, ".a\\|/ {}",
                    ".a\\|/ {}"},
        CommandCase{"comment_from_inside_an_escape", TCommand::Comment, ".a\\[/b {}]",
                    ".a[/*\\/b {}*/]"},
        CommandCase{"comment_to_inside_an_escape", TCommand::Comment, "[.a\\]'b {} c {}",
                    "[/*.a\\'*/]b {} c {}"},
        CommandCase{"comment_to_inside_a_hex_escape", TCommand::Comment, "[.a\\3]1 b {}",
                    "[/*.a\\31 */]b {}"},
        // An unquoted url() holds "/*" and quotes that are none of the code's.
        CommandCase{"comment_with_the_caret_in_a_url", TCommand::Comment, "b: url(x'/*|y)",
                    "b: url(x'/*|y)"},
        CommandCase{"comment_from_inside_a_url", TCommand::Comment, "b: ur[l(x'/*y) c]",
                    "b: [/*url(x'/*y) c*/]"}),
    [](const testing::TestParamInfo<CommandCase>& info) { return info.param.name; });

// Comment then Uncomment over any selection gives the text back, and what Comment made is one
// comment from the selection's start to its end, whatever comments and strings it holds.
void CheckCommentRoundTrip(const std::string& name, const std::string& text, int32_t start,
                           int32_t end) {
  SCOPED_TRACE(name + " " + std::to_string(start) + ".." + std::to_string(end));
  TMemoryDocument document(text);
  const TEditPlan comment = PlanComment(document, start, end);
  ApplyBatch(comment.Batch, document);
  const std::string commented(document.Text());
  if (comment.Batch.Empty()) {
    EXPECT_EQ(start, end) << "a selection is always commented";
    return;
  }
  // The new comment reads as nothing but a break between tokens, where it stands.
  const int32_t from = comment.Anchor == comment.Caret ? comment.Anchor - 3 : comment.Anchor;
  const int32_t to = (comment.Anchor == comment.Caret ? comment.Anchor + 3 : comment.Caret) -
                     static_cast<int32_t>(commented.size() - text.size());
  EXPECT_TRUE(reference::Tokens(commented) ==
              reference::Tokens(text.substr(0, static_cast<size_t>(from)) + "/**/" +
                                text.substr(static_cast<size_t>(to))))
      << commented.substr(static_cast<size_t>(std::max(0, from - 20)),
                          static_cast<size_t>(std::min(to - from, 60) + 40));
  if (comment.Anchor != comment.Caret) {
    // A browser's comment runs to the first "*/" after its "/*".
    ASSERT_EQ(commented.compare(static_cast<size_t>(comment.Anchor), 2, "/*"), 0);
    EXPECT_EQ(commented.find("*/", static_cast<size_t>(comment.Anchor) + 2),
              static_cast<size_t>(comment.Caret) - 2);
  }
  const TEditPlan uncomment = PlanUncomment(document, comment.Anchor, comment.Caret);
  ApplyBatch(uncomment.Batch, document);
  // Without a selection the two blanks Comment put between the marks stay.
  const bool atCaret = start == end;
  EXPECT_EQ(document.Text(), atCaret ? text.substr(0, static_cast<size_t>(start)) + "  " +
                                           text.substr(static_cast<size_t>(start))
                                     : text);
}

TEST(CommentRoundTrip, GivesTheTextBackForEverySelectionOfAFixture) {
  const std::string text =
      "a { color: red } /* one */\r\nb { content: \"*/\"; x: '/*' }\r\n/* two *\\/ */ c {}**/";
  const auto size = static_cast<int32_t>(text.size());
  for (int32_t start = 0; start < size; ++start) {
    for (int32_t end = start + 1; end <= size; ++end) {
      CheckCommentRoundTrip("fixture", text, start, end);
    }
  }
}

// Texts where a careless Comment puts its marks inside a run or cuts one in two.
TEST(CommentRoundTrip, GivesTheTextBackAtEveryCaretAndSelectionOfRuns) {
  const std::string texts[] = {
      "a { b: url(data:x,<s a='{}'/*]>) }\nc { d: e }",
      "a { b: \"x\r\n}\nc { d: e }",
      "a { b: 'x",
      ".a\\/* b {} */ c {}",
      ".a\\'b { c: d } e { f: g }",
      ".\\31  a { } .\\31\r\nb {}",
      "a { b: \"x\\\r\ny */\"; } c {}",
      "a { b: c } /* d {",
      "a { b: url(x{\n} c { d: e) } f {}",
      "a { b: url( 'x' ) } \\url(y) \\z\n{}\\",
      "x\"y\f#url(x\"y\n) (url(\n'a\n) b",
  };
  for (const std::string& text : texts) {
    const auto size = static_cast<int32_t>(text.size());
    for (int32_t start = 0; start <= size; ++start) {
      for (int32_t end = start; end <= size; ++end) {
        CheckCommentRoundTrip("runs", text, start, end);
      }
    }
  }
}

TEST(CommentRoundTrip, GivesTheTextBackInRealSheets) {
  for (const TSheetFile& sheet : RealSheetFiles()) {
    const TMemoryDocument document(ReadSheetBytes(sheet.path));
    const std::string text(document.Text());
    const auto size = static_cast<int32_t>(text.size());
    // A spread of selections: short and long, starting anywhere (in comments too).
    for (int32_t start = 0; start < size; start += std::max(1, size / 4)) {
      for (const int32_t length : {37, size / 3}) {
        CheckCommentRoundTrip(sheet.name, text, start, std::min(size, start + length));
      }
    }
  }
}

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
