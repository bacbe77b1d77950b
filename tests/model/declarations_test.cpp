// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/sheet/declarations.h"

#include <gtest/gtest.h>

#include "model/error.h"
#include "model/text/memorydocument.h"

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
                 "@media print {^\r\n .color { margin: 0 }\r\n}", "color", ""},
        // The rule at the caret: none outside the braces, in a selector or a prelude, or in a
        // block of rules between its rules.
        ReadCase{"caret_in_a_top_comment", "/* ^ */ a { color: red }", "color", ""},
        ReadCase{"caret_in_the_selector", "a^ { color: red }", "color", ""},
        ReadCase{"caret_after_the_rule", "a { color: red }^ b { color: blue }", "color", ""},
        ReadCase{"caret_in_front_of_the_brace", "a{color:red^}b{color:blue}", "color", "red"},
        ReadCase{"caret_in_an_empty_rule", "a{color:red}b{^}", "color", ""},
        ReadCase{"caret_in_media_between_rules", "@media print {\r\n a { color: red }\r\n^\r\n}",
                 "color", ""},
        ReadCase{"caret_in_a_media_prelude", "@media (color^) { a { color: red } }", "color", ""},
        ReadCase{"caret_in_a_nested_selector", "a { color: red; & b^ { color: blue } }", "color",
                 ""},
        ReadCase{"caret_after_a_nested_rule", "a { color: red; & b { color: blue }^ }", "color",
                 "red"},
        ReadCase{"media_nested_in_a_rule", "a { color: red; @media print { color: blue^ } }",
                 "color", "blue"},
        ReadCase{"font_face", "@font-face {^ font-family: X; }", "font-family", "X"},
        ReadCase{"caret_in_a_custom_property_value", "a { --x: { b^: c }; color: red }", "color",
                 "red"},
        ReadCase{"multi_line_value", "a {^\r\n  font-family: a,\r\n    b;\r\n}", "font-family",
                 "a,\r\n    b"},
        ReadCase{"last_one_applies", "a {^ color: red; color: blue }", "color", "blue"},
        // An unquoted url() holds no comment: what follows it is read as it stands.
        ReadCase{"comment_opener_in_a_url", "a {^ background: url(img/*.png); color: red }",
                 "background", "url(img/*.png)"},
        ReadCase{"after_a_comment_opener_in_a_url",
                 "a {^ background: url(img/*.png); color: red; /* x */ }", "color", "red"},
        ReadCase{"important_kept", "a {^ color: red !important }", "color", "red !important"},
        ReadCase{"declaration_at_the_start_of_the_text", "color: red;^ a { }", "color", ""}),
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
        WriteCase{"add_after_a_comment_opener_in_a_url", "h1 {^ background: url(img/*.png) }",
                  "color", "red", "h1 { background: url(img/*.png); color: red; }"},
        WriteCase{"replace_after_a_comment_opener_in_a_url",
                  "h1 {^ background: url(a/*b.png); color: red /* x */ }", "color", "blue",
                  "h1 { background: url(a/*b.png); color: blue; /* x */ }"},
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

// The layouts every write has to keep whole: for each, the caret goes to every place of the
// text, and every declaration of the rule there is replaced and removed, and one is added.
struct LayoutCase {
  std::string name;
  std::string text;
};

// A rule's declarations as name and value, but those of one name.
std::vector<std::pair<std::string, std::string>> Others(const TDocument& document,
                                                        const TModList& blocks, int32_t block,
                                                        std::string_view name) {
  std::vector<std::pair<std::string, std::string>> others;
  const std::string_view text = document.Text();
  for (const TDeclarationItem& item : ParseDeclarations(document, blocks, block)) {
    const auto slice = [&](int32_t from, int32_t to) {
      return std::string(text.substr(static_cast<size_t>(from), static_cast<size_t>(to - from)));
    };
    if (slice(item.NameStart, item.NameEnd) != name) {
      others.emplace_back(slice(item.NameStart, item.NameEnd),
                          slice(item.ValueStart, item.PriorityEnd));
    }
  }
  return others;
}

// Writes name: value into the rule at caret and checks that only that rule changed, that it
// still holds its other declarations, that the value reads back, that the caret stays in the
// rule, and that the same write again changes nothing.
void CheckWrite(const TMemoryDocument& document, const TModList& blocks, int32_t caret,
                const std::string& name, const std::string& value) {
  SCOPED_TRACE(testing::Message() << "caret " << caret << ", " << name << ": " << value);
  const int32_t block = RuleBlockAt(document, blocks, caret);
  const TItmRecord rule = blocks.Items(block);
  const std::string_view before = document.Text();
  const TEditBatch batch = PlanDeclarationWrite(
      document, blocks, block, name, value, {.Indent = 4, .Caret = caret, .SelectionEnd = caret});
  TMemoryDocument written(std::string(document.Text()));
  const int32_t caretAfter = ApplyBatch(batch, written);
  TModList after;
  RebuildBlocks(written, after);
  const std::string_view text = written.Text();
  const size_t tail = before.size() - static_cast<size_t>(rule.EndPos);
  ASSERT_GE(text.size(), tail);
  EXPECT_EQ(text.substr(0, static_cast<size_t>(rule.StartPos) + 1),
            before.substr(0, static_cast<size_t>(rule.StartPos) + 1));
  EXPECT_EQ(text.substr(text.size() - tail), before.substr(static_cast<size_t>(rule.EndPos)));
  // Braces in a custom property's value are blocks of the list, and go with the value.
  int32_t gone = 0;
  if (const auto old = FindDeclaration(document, blocks, block, name)) {
    for (const TItmRecord& item : blocks.All()) {
      gone += old->ValueStart <= item.StartPos && item.StartPos < old->ValueEnd ? 1 : 0;
    }
  }
  ASSERT_EQ(after.Count(), blocks.Count() - gone) << text;
  EXPECT_EQ(after.Items(block).EndPos,
            rule.EndPos + static_cast<int32_t>(text.size()) - static_cast<int32_t>(before.size()));
  EXPECT_EQ(RuleBlockAt(written, after, caretAfter), block) << text;
  EXPECT_EQ(Others(written, after, block, name), Others(document, blocks, block, name)) << text;
  EXPECT_EQ(ReadDeclaration(written, after, block, name), value) << text;
  EXPECT_TRUE(
      PlanDeclarationWrite(written, after, block, name, value, {4, caretAfter, caretAfter}).Empty())
      << text;
}

class DeclarationLayouts : public testing::TestWithParam<LayoutCase> {};

TEST_P(DeclarationLayouts, OnlyTheDeclarationWrittenChanges) {
  const TMemoryDocument document(GetParam().text);
  TModList blocks;
  RebuildBlocks(document, blocks);
  const auto size = static_cast<int32_t>(document.Text().size());
  for (int32_t caret = 0; caret <= size; ++caret) {
    const int32_t block = RuleBlockAt(document, blocks, caret);
    if (block < 0) {
      EXPECT_TRUE(
          PlanDeclarationWrite(document, blocks, block, "color", "qm", {4, caret, caret}).Empty());
      continue;
    }
    std::vector<std::string> names;
    for (const TDeclarationItem& item : ParseDeclarations(document, blocks, block)) {
      names.emplace_back(document.Text().substr(
          static_cast<size_t>(item.NameStart), static_cast<size_t>(item.NameEnd - item.NameStart)));
    }
    for (const std::string& name : names) {
      CheckWrite(document, blocks, caret, name, "qm");
      CheckWrite(document, blocks, caret, name, "\"x:y\" rgb(1, 2, 3)");
      CheckWrite(document, blocks, caret, name, "\"a;{\" '}/*'");
      CheckWrite(document, blocks, caret, name, "");
    }
    CheckWrite(document, blocks, caret, "zoom", "2");
    if (HasFailure()) {
      return;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DeclarationLayouts,
    testing::Values(
        LayoutCase{"caret_outside_every_rule",
                   "/* color: red */\r\na { color: red }\r\nb {\r\n  color: blue;\r\n}\r\n"},
        LayoutCase{"nested_in_media",
                   "@media (min-width: 1px) {\n  a { color: red }\n  b { color: blue; }\n}\n"},
        LayoutCase{"one_line_rules", "a{width:1px}b{width:5px}"},
        LayoutCase{"name_in_a_string", "a { content: \"x; color: y\"; }\nb { color: green }"},
        LayoutCase{"unclosed_parenthesis", "a{width:calc(;color:red}b{color:blue}"},
        LayoutCase{"unclosed_parenthesis_last", "a { margin: 0; background: rgb(1,2 }\nb { }"},
        LayoutCase{"selector_list", "h1,\nh2 {\n  color: red;\n}\nh3\n{\n}\n"},
        LayoutCase{"declaration_at_the_start_of_the_text", "color:red;a{color:blue}"},
        LayoutCase{"multi_line_values",
                   "a {\n  font-family: a,\n    b;\n  box-shadow: 0 0 1px red,\n"
                   "    0 0 2px blue;\n  transition: color 1s\n}\n"},
        LayoutCase{"comment_between_name_and_colon", "a { color /* x */ : red; margin: 0 }"},
        LayoutCase{"css_nesting",
                   "a {\n  color: red;\n  &:hover { color: blue; }\n  .b & { margin: 0 }\n"
                   "  @media print { color: green }\n  padding: 0;\n}\n"},
        LayoutCase{"supports_and_layer",
                   "@supports (display: grid) { .g { display: grid } }\n"
                   "@layer base { p { margin: 0; } }"},
        LayoutCase{"declaration_at_rules",
                   "@font-face { font-family: X; src: url(x.woff) }\n"
                   "@page :first { margin: 1in; @top-left { content: \"a\" } }"},
        LayoutCase{"custom_properties", "a { --x: { b: c; }; --y:1px; color: var(--y) }"},
        LayoutCase{"important", "a { color: red !important; margin: 0 ! IMPORTANT }"},
        LayoutCase{"comments_everywhere",
                   "/*a{*/a/*{*/{/*;*/color/*:*/:/*x*/red/*;*/;/*}*/margin:0/*}*/}/*}*/"},
        LayoutCase{"nul_byte", std::string("a { content: \"\0\"; color: red }\nb{}", 34)},
        LayoutCase{"minified", "a{color:red;margin:0}b{color:blue}@media print{c{color:green}}d{}"},
        LayoutCase{"strings_with_braces",
                   "a { content: \"}\"; color: red }\nb { content: \"{\"; color: blue }"},
        LayoutCase{"data_url", "a{background:url(data:image/png;base64,AA==) no-repeat}"},
        LayoutCase{"unclosed_string", "a { content: \"abc\n; color: red }\nb { color: blue }"},
        LayoutCase{"junk_without_semicolon", "a { color: red; junk }\nb { }"},
        LayoutCase{"backslash_before_the_brace", "a { content: x\\}\nb { }"},
        LayoutCase{"open_quote_before_the_brace", "a{color:red;content:\"x}b{}"},
        LayoutCase{"keyframes", "@keyframes k { from { opacity: 0 } 50% { opacity: .5; } }"}),
    [](const auto& info) { return info.param.name; });

struct RefusalCase {
  std::string value;
  bool refused;
};

class ValueRefusalTable : public testing::TestWithParam<RefusalCase> {};

TEST_P(ValueRefusalTable, RefusesWhatWouldEndTheDeclarationOrTheRule) {
  const RefusalCase& c = GetParam();
  const auto refusal = ValueRefusal(c.value);
  EXPECT_EQ(refusal.has_value(), c.refused) << c.value;
  if (refusal) {
    EXPECT_FALSE(refusal->empty());
  }
  // Nor does a write take it into the text.
  const TMemoryDocument document("a { color: red }");
  TModList blocks;
  RebuildBlocks(document, blocks);
  EXPECT_EQ(PlanDeclarationWrite(document, blocks, 0, "color", c.value, {4, 3, 3}).Empty(),
            c.refused);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ValueRefusalTable,
    testing::Values(RefusalCase{"red", false}, RefusalCase{"url(data:x;base64,AA==)", false},
                    RefusalCase{"\"a;b\"", false}, RefusalCase{"\"}\"", false},
                    RefusalCase{"'{;}' \"/*\"", false}, RefusalCase{"url(x{)", true},
                    RefusalCase{"url(\"../img/a{b};c}.png\")", false},
                    RefusalCase{"'it\\'s'", false}, RefusalCase{"red /* ; } */", false},
                    RefusalCase{"calc(1px + (2px))", false}, RefusalCase{"red;", true},
                    RefusalCase{"red; color: blue", true}, RefusalCase{"red }", true},
                    RefusalCase{"{", true}, RefusalCase{"calc(", true},
                    RefusalCase{"rgb(1,2", true}, RefusalCase{"a)", true}, RefusalCase{"(]", true},
                    RefusalCase{"\"open", true}, RefusalCase{"/* open", true},
                    RefusalCase{"a\\", true}, RefusalCase{"url(img/*.png)", false},
                    RefusalCase{"url(a'b.png) no-repeat", false}, RefusalCase{"url(img/*", true},
                    // A form feed or a lone CR ends a line as LF does, and so the string; a
                    // backslash carries it over CR LF as over LF.
                    RefusalCase{"\"x\f}\"", true}, RefusalCase{"\"x\r}\"", true},
                    RefusalCase{"\"x\n}\"", true}, RefusalCase{"'a\\\r\nb}'", false}));

struct SelectionCase {
  std::string name;
  std::string text;      // "[" at the selection's anchor, "^" at the caret, its moving end
  std::string expected;  // the selector of the rule shown, "" for none, "spans" for two rules
};

class RuleOfSelectionTable : public testing::TestWithParam<SelectionCase> {};

TEST_P(RuleOfSelectionTable, ShowsTheRuleAtTheCaretOfASelectionWithinIt) {
  const SelectionCase& c = GetParam();
  std::string text = c.text;
  const auto anchorAt = text.find('[');
  text.erase(anchorAt, 1);
  const auto caretAt = text.find('^');
  text.erase(caretAt, 1);
  const TMemoryDocument document(text);
  TModList blocks;
  RebuildBlocks(document, blocks);
  const int32_t rule = RuleOfSelection(document, blocks, static_cast<int32_t>(anchorAt),
                                       static_cast<int32_t>(caretAt));
  const std::string shown = rule == kSelectionSpansRules ? "spans"
                            : rule < 0                   ? ""
                                                         : std::string(blocks.Items(rule).Name);
  EXPECT_EQ(shown, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RuleOfSelectionTable,
    testing::Values(
        SelectionCase{"within_one_rule", "a{[width:1px^}b{width:5px}", "a"},
        SelectionCase{"backwards_within_one_rule", "a{width:^1px[}b{width:5px}", "a"},
        SelectionCase{"no_selection", "a{width:1px}b{w[^idth:5px}", "b"},
        // The caret has moved on into the next rule: neither rule is shown.
        SelectionCase{"ends_in_the_next_rule", "a{wi[dth:1px}b{wi^dth:5px}", "spans"},
        SelectionCase{"ends_in_the_rule_before", "a{wi^dth:1px}b{wi[dth:5px}", "spans"},
        SelectionCase{"from_the_rule_selector", "a{width:1px}[b{wi^dth:5px}", "b"},
        SelectionCase{"over_a_whole_rule_before", "[a{width:1px}b{wi^dth:5px}", "spans"},
        SelectionCase{"rule_and_its_closing_brace", "a{width:1px}b{^width:5px}\r\n[c{}", "b"},
        SelectionCase{"over_a_nested_rule", "a{[color:red; b{color:blue} width:1px^}", "a"},
        SelectionCase{"from_a_nested_rule", "a{color:red; b{co[lor:blue} width:1px^}", "a"},
        SelectionCase{"out_of_its_media_block", "@media print{a{co[lor:red}}b{co^lor:blue}",
                      "spans"},
        SelectionCase{"caret_between_rules", "a{co[lor:red}^b{}", ""}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace qm

namespace qm {
namespace {

// A shorthand written after a part decides the part's value; one written before does not.
TEST(DeclaredLater, TellsWhetherAShorthandComesAfterThePart) {
  struct TCase {
    const char* Sheet;
    bool Later;
  };
  const TCase cases[] = {
      {"a { margin-top: 1px; margin: 5px }", true},
      {"a { margin: 5px; margin-top: 1px }", false},
      {"a { MARGIN-TOP: 1px; Margin: 5px }", true},
      // The part declared twice: its last declaration counts.
      {"a { margin-top: 1px; margin: 5px; margin-top: 2px }", false},
      {"a { margin: 5px }", false},
      // A shorthand in a comment or a nested rule is none of the rule's.
      {"a { margin-top: 1px; /* margin: 5px */ }", false},
      {"a { margin-top: 1px; & b { margin: 5px } }", false},
  };
  for (const TCase& c : cases) {
    const TMemoryDocument document(c.Sheet);
    TModList blocks;
    RebuildBlocks(document, blocks);
    EXPECT_EQ(DeclaredLater(document, blocks, 0, "margin-top", {"margin"}), c.Later) << c.Sheet;
  }
}

}  // namespace
}  // namespace qm
