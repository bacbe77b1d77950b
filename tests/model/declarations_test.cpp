// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/declarations.h"

#include <gtest/gtest.h>

#include "model/error.h"
#include "model/memorydocument.h"

namespace qm {
namespace {

// A text with "^" where the caret is: the document without it, and the caret's index.
struct TCaretText {
  explicit TCaretText(const std::string& marked) : Caret(static_cast<int32_t>(marked.find('^'))) {
    std::string text = marked;
    text.erase(static_cast<size_t>(Caret), 1);
    Document.SetText(text);
    RebuildBlocks(Document, Blocks);
  }
  int32_t Block() const { return RuleBlockAt(Document, Blocks, Caret); }
  TMemoryDocument Document;
  TModList Blocks;
  int32_t Caret;
};

struct ReadCase {
  std::string name;
  std::string text;  // with "^" at the caret
  std::string property;
  std::string expected;
};

class ReadDeclarationTable : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadDeclarationTable, ReadsTheValueOfTheBlockAtTheCaret) {
  const ReadCase& c = GetParam();
  const TCaretText sheet(c.text);
  EXPECT_EQ(ReadDeclaration(sheet.Document, sheet.Blocks, sheet.Block(), c.property), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadDeclarationTable,
    testing::Values(
        ReadCase{"indented", "h1 {^\r\n  color: red;\r\n}", "color", "red"},
        ReadCase{"at_column_one", "h1 {^\r\ncolor: red;\r\n}", "color", "red"},
        ReadCase{"list_value", "h1 {^\r\n  font-family: Tahoma, Verdana;\r\n}", "font-family",
                 "Tahoma, Verdana"},
        ReadCase{"second_on_a_line", "p {^ color:red;font-size:8pt }", "font-size", "8pt"},
        ReadCase{"no_semicolon_reads_to_line_end", "h1 {^\r\n  color: red  \r\n}", "color", "red"},
        // The declaration found is the one read, not "color" inside background-color.
        ReadCase{"name_ending_another_name", "h1 {^ background-color: red; color: blue }", "color",
                 "blue"},
        ReadCase{"in_a_comment", "h1 {^\r\n  /* color: red; */\r\n}", "color", ""},
        ReadCase{"any_letter_case", "h1 {^ COLOR: red }", "color", "red"},
        ReadCase{"brace_on_its_line", "h1 {^ color: red }", "color", "red"},
        ReadCase{"semicolon_in_data_url", "a {^ background: url(data:image/png;base64,AA==) }",
                 "background", "url(data:image/png;base64,AA==)"},
        ReadCase{"semicolon_and_brace_in_string", "a {^ content: \"x; }\"; color: red }", "content",
                 "\"x; }\""},
        ReadCase{"name_in_a_string_value", "a {^ content: \"color: x\"; color: red }", "color",
                 "red"},
        ReadCase{"other_block", "a { color: red }\r\nb {^ }", "color", ""},
        ReadCase{"minified", "a{color:red}b{^color:blue;margin:0}", "color", "blue"},
        // A rule inside an at-rule is read, not the first one of the at-rule.
        ReadCase{"nested_rule", "@media print {\r\n a { color: red }\r\n b {^ color: blue }\r\n}",
                 "color", "blue"},
        ReadCase{"selector_spelled_like_a_property",
                 "@media print {^\r\n .color { margin: 0 }\r\n}", "color", ""}),
    [](const auto& info) { return info.param.name; });

struct WriteCase {
  std::string name;
  std::string text;  // with "^" at the caret
  std::string property;
  std::string value;
  std::string expected;
};

class WriteDeclarationTable : public testing::TestWithParam<WriteCase> {};

TEST_P(WriteDeclarationTable, WritesInsideTheBlockWhateverItsLayout) {
  const WriteCase& c = GetParam();
  TCaretText sheet(c.text);
  const TEditBatch batch =
      PlanDeclarationWrite(sheet.Document, sheet.Blocks, sheet.Block(), c.property, c.value,
                           {.Indent = 8, .Caret = sheet.Caret, .SelectionEnd = sheet.Caret});
  ApplyBatch(batch, sheet.Document);
  EXPECT_EQ(sheet.Document.Text(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WriteDeclarationTable,
    testing::Values(
        WriteCase{"replace", "h1 {^ color: red; font-size: 8pt; }", "color", "blue",
                  "h1 { color: blue; font-size: 8pt; }"},
        WriteCase{"replace_keeps_the_comment_apart", "h1 {^\r\n  line-height: 1.15; /* 1 */\r\n}",
                  "line-height", "1.5", "h1 {\r\n  line-height: 1.5; /* 1 */\r\n}"},
        WriteCase{"remove", "h1 {^ color: red; font-size: 8pt; }", "color", "",
                  "h1 { font-size: 8pt; }"},
        WriteCase{"remove_the_line", "h1 {^\r\n  color: red;\r\n  font-size: 8pt;\r\n}", "color",
                  "", "h1 {\r\n  font-size: 8pt;\r\n}"},
        WriteCase{"add_to_a_new_block", "h1 {\r\n^\r\n\r\n}", "color", "red",
                  "h1 {\r\n\r\n\r\n        color: red;\r\n}"},
        WriteCase{"name_in_catalogue_case", "h1 {^ COLOR: red; }", "color", "blue",
                  "h1 { color: blue; }"},
        WriteCase{"commented_one_stays", "h1 {^\r\n  /* color: red; */\r\n}", "color", "blue",
                  "h1 {\r\n  /* color: red; */\r\n        color: blue;\r\n}"},
        WriteCase{"unchanged_for_the_same_declaration", "h1 {^ color: red; }", "color", "red",
                  "h1 { color: red; }"},
        WriteCase{"unchanged_for_a_missing_one", "h1 {^ color: red; }", "margin", "",
                  "h1 { color: red; }"},
        // The closing brace stays, and the next declaration keeps its first letter.
        WriteCase{"semicolon_then_brace_replace", "h1 {^color: red;}", "color", "blue",
                  "h1 {color: blue;}"},
        WriteCase{"semicolon_then_brace_remove", "h1 {^color: red;}", "color", "", "h1 {}"},
        WriteCase{"no_blank_after_semicolon", "p {^ color:red;font-size:8pt }", "color", "",
                  "p { font-size:8pt }"},
        WriteCase{"no_semicolon_before_brace_replace", "h1 {^ color: red }", "color", "blue",
                  "h1 { color: blue; }"},
        WriteCase{"no_semicolon_before_brace_remove", "h1 {^ color: red }", "color", "", "h1 { }"},
        WriteCase{"one_line_rule_add", "h1 {^ color: red }", "font-size", "8pt",
                  "h1 { color: red; font-size: 8pt; }"},
        WriteCase{"one_line_rule_without_blanks_add", "h1{^color:red}", "margin", "0",
                  "h1{color:red; margin: 0; }"},
        WriteCase{"brace_on_the_declaration_line_add", "h1 {\r\n  color: red;^ }", "margin", "0",
                  "h1 {\r\n  color: red; margin: 0; }"},
        WriteCase{"missing_semicolon_above_the_brace", "h1 {^\r\n  color: red /* note */\r\n}",
                  "margin", "0", "h1 {\r\n  color: red; /* note */\r\n  margin: 0;\r\n}"},
        WriteCase{"data_url_replaced_whole", "a {^ background: url(data:x;base64,AA==); }",
                  "background", "none", "a { background: none; }"},
        WriteCase{"minified", "a{^color:red;margin:0}b{color:blue}", "color", "green",
                  "a{color: green;margin:0}b{color:blue}"},
        WriteCase{"nested_rule", "@media print {\r\n a { color: red }\r\n b {^ color: blue }\r\n}",
                  "color", "green",
                  "@media print {\r\n a { color: red }\r\n b { color: green; }\r\n}"},
        WriteCase{"lf_breaks_kept", "h1 {^\n  color: red;\n}", "margin", "0",
                  "h1 {\n  color: red;\n  margin: 0;\n}"}),
    [](const auto& info) { return info.param.name; });

TEST(WriteDeclaration, TheCaretStaysOnItsText) {
  TCaretText sheet("h1 {\r\n  color: red;\r\n  ^margin: 0;\r\n}");
  const TEditBatch batch = PlanDeclarationWrite(sheet.Document, sheet.Blocks, sheet.Block(),
                                                "color", "", {8, sheet.Caret, sheet.Caret});
  const int32_t caret = ApplyBatch(batch, sheet.Document);
  EXPECT_EQ(sheet.Document.Text().substr(static_cast<size_t>(caret)), "margin: 0;\r\n}");
}

TEST(WriteDeclaration, ACaretOnARemovedLineStaysInTheBlock) {
  TCaretText sheet("h1 {\r\n  color: red;\r\n^  margin: 0;\r\n}");
  const TEditBatch batch = PlanDeclarationWrite(sheet.Document, sheet.Blocks, sheet.Block(),
                                                "margin", "", {8, sheet.Caret, sheet.Caret});
  const int32_t caret = ApplyBatch(batch, sheet.Document);
  EXPECT_EQ(sheet.Document.Text(), "h1 {\r\n  color: red;\r\n}");
  EXPECT_EQ(sheet.Document.Text().substr(static_cast<size_t>(caret)), "\r\n}");
}

TEST(WriteDeclaration, RefusesABlockListOfAnotherText) {
  TCaretText sheet("h1 {^ color: red; }");
  sheet.Document.Replace(0, 0, "p { }\r\n");
  EXPECT_THROW(ReadDeclaration(sheet.Document, sheet.Blocks, 0, "color"), TError);
  EXPECT_THROW(PlanDeclarationWrite(sheet.Document, sheet.Blocks, 0, "color", "blue", {}), TError);
}

}  // namespace
}  // namespace qm
