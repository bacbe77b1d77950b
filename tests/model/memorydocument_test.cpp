// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/text/memorydocument.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace qm {
namespace {

TEST(MemoryDocument, SplitsLinesAsTheEditorDoes) {
  const TMemoryDocument doc("a\r\nbc\rd\n\r\n");
  ASSERT_EQ(doc.LineCount(), 5);
  const std::vector<std::string_view> lines = {"a", "bc", "d", "", ""};
  for (int32_t line = 1; line <= 5; ++line) {
    EXPECT_EQ(doc.LineText(line), lines[static_cast<size_t>(line - 1)]) << line;
  }
  EXPECT_EQ(doc.LineStart(3), 6);
  EXPECT_EQ(TMemoryDocument("").LineCount(), 1);
}

TEST(MemoryDocument, HasNoTokenOutsideTheLines) {
  const TMemoryDocument doc("a {\r\n}");
  EXPECT_EQ(doc.TokenAt(1, 1), TTokenKind::Key);
  EXPECT_EQ(doc.TokenAt(1, 3), TTokenKind::Symbol);
  for (const auto& [line, col] : {std::pair{1, 0}, {1, 4}, {1, 5}, {0, 1}, {2, 2}, {3, 1}}) {
    EXPECT_EQ(doc.TokenAt(line, col), TTokenKind::Null) << line << "," << col;
  }
}

struct BraceCase {
  std::string name;
  std::string text;
  int32_t from;
  int32_t expected;
};

class MatchingBraceTable : public testing::TestWithParam<BraceCase> {};

TEST_P(MatchingBraceTable, PairsTheOpeningBrace) {
  const BraceCase& c = GetParam();
  EXPECT_EQ(TMemoryDocument(c.text).MatchingBrace(c.from), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MatchingBraceTable,
    testing::Values(
        BraceCase{"outer", "a { b { } }", 2, 10}, BraceCase{"inner", "a { b { } }", 6, 8},
        BraceCase{"comment_braces_do_not_count", "a { /* } */ }", 2, 12},
        BraceCase{"string_braces_do_not_count", "a { content: \"}\" }", 2, 17},
        BraceCase{"comment_over_lines", "a {\r\n/* }\r\n } */\r\n}", 2, 18},
        BraceCase{"quote_left_open_on_its_line_is_a_byte", "a { \"}\r\n}", 2, 5},
        BraceCase{"a_brace_inside_a_string_is_none", "a { content: \"{\"; }", 14, -1},
        BraceCase{"single_quotes", "a { content: '}' }", 2, 17},
        BraceCase{"escaped_quote_in_a_string", "a { content: '\\'}' }", 2, 19},
        BraceCase{"other_quote_in_a_string", "a { content: \"'}\" }", 2, 18},
        BraceCase{"escaped_brace", "a { content: \\} }", 2, 16},
        BraceCase{"backslash_at_the_line_end_escapes_nothing", "a { b: c\\\r\n}", 2, 11},
        BraceCase{"url_braces_do_not_count", "a { b: url(data:x}) }", 2, 20},
        BraceCase{"url_in_capitals", "a { b: URL(x}) }", 2, 15},
        BraceCase{"a_function_ending_in_url_is_no_url", "a { b: myurl(x}) }", 2, 14},
        BraceCase{"quoted_url_is_a_string", "a { b: url( \"x)}\" ) }", 2, 20},
        BraceCase{"open_url_ends_with_its_line", "a { b: url(x}\r\n) }", 2, 12},
        BraceCase{"unmatched", "a { b { }", 2, -1}, BraceCase{"not_a_brace", "a { }", 0, -1},
        BraceCase{"closing_brace", "a { }", 4, -1}, BraceCase{"before_the_text", "{}", -1, -1},
        BraceCase{"past_the_text", "{}", 2, -1},
        // A NUL ends no comment, string or line.
        BraceCase{"after_a_nul", std::string("a {\0}", 5), 2, 4}),
    [](const auto& info) { return info.param.name; });

// The document after a series of edits must be the document built from the final text.
void ExpectSameAsFresh(const TMemoryDocument& edited) {
  const TMemoryDocument fresh{std::string(edited.Text())};
  ASSERT_EQ(edited.LineCount(), fresh.LineCount());
  for (int32_t line = 1; line <= fresh.LineCount(); ++line) {
    ASSERT_EQ(edited.LineStart(line), fresh.LineStart(line)) << line;
    ASSERT_EQ(edited.LineLength(line), fresh.LineLength(line)) << line;
    ASSERT_EQ(edited.LineStartState(line), fresh.LineStartState(line)) << line;
  }
}

TEST(MemoryDocument, EditsKeepLinesAndStatesAsAFreshScanGivesThem) {
  const std::vector<std::string> pieces = {"\r", "\n", "\r\n",  "/*", "*/", "{",    "}", ":",
                                           ";",  "a",  "color", " ",  "\"", "x\ry", ""};
  std::mt19937 random(7);
  TMemoryDocument doc("a {\r\n  color: red;\r\n}\r\n/* c */\rb\n{ x: y }");
  for (int step = 0; step < 1500; ++step) {
    const auto size = static_cast<int32_t>(doc.Text().size());
    const int32_t index = std::uniform_int_distribution<int32_t>(0, size)(random);
    const int32_t length = std::uniform_int_distribution<int32_t>(0, 3)(random);
    std::string text;
    for (int n = std::uniform_int_distribution<int>(0, 3)(random); n > 0; --n) {
      text += pieces[std::uniform_int_distribution<size_t>(0, pieces.size() - 1)(random)];
    }
    doc.Replace(index, length, text);
    ExpectSameAsFresh(doc);
    if (testing::Test::HasFatalFailure()) {
      FAIL() << "after replacing " << length << " at " << index << " by '" << text << "'";
    }
  }
}

struct EditCase {
  const char* name;
  std::string text;
  int32_t index;
  int32_t length;
  std::string replacement;
};

void PrintTo(const EditCase& c, std::ostream* out) {
  *out << c.name;
}

class EditBeforeAnEmptyLastLine : public testing::TestWithParam<EditCase> {};

// The empty line after a final break belongs to the text's end, not to an edit on the line
// before it: the edited document has as many lines as a fresh one, however often it is edited.
TEST_P(EditBeforeAnEmptyLastLine, AddsNoLine) {
  const EditCase& c = GetParam();
  TMemoryDocument doc(c.text);
  for (int repeat = 0; repeat < 3; ++repeat) {
    doc.Replace(c.index, c.length, c.replacement);
    ExpectSameAsFresh(doc);
    if (testing::Test::HasFatalFailure()) {
      FAIL() << "after edit " << repeat + 1 << " of '" << doc.Text() << "'";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditBeforeAnEmptyLastLine,
    testing::Values(EditCase{"nothing_replaced_by_nothing", "\n", 0, 0, ""},
                    EditCase{"typing_on_the_line", "a\r\n", 1, 0, "x"},
                    EditCase{"deleting_on_the_line", "abcd\r\n", 0, 1, ""},
                    EditCase{"on_a_line_that_ends_with_a_lone_cr", "a\rb\r", 2, 0, "y"},
                    EditCase{"inserting_a_break", "x\n", 0, 0, "\r\n"},
                    EditCase{"joining_with_the_line_before", "a\r\nb\r\n", 1, 2, ""}),
    [](const auto& info) { return std::string(info.param.name); });

// Random edits near the end of texts that end with a line break, the places the random walk
// above seldom reaches.
TEST(MemoryDocument, EditsNearAFinalBreakKeepTheDocumentAsAFreshScan) {
  const std::vector<std::string> pieces = {"\r", "\n", "\r\n", "/*", "*/", "{", "}", "a", "\"", ""};
  std::mt19937 random(12);
  TMemoryDocument doc("a {\r\n}\r\n");
  for (int step = 0; step < 1500; ++step) {
    const auto size = static_cast<int32_t>(doc.Text().size());
    const int32_t index = std::max(0, size - std::uniform_int_distribution<int32_t>(0, 4)(random));
    const int32_t length = std::uniform_int_distribution<int32_t>(0, 2)(random);
    std::string text = pieces[std::uniform_int_distribution<size_t>(0, pieces.size() - 1)(random)];
    if (step % 3 == 0 && (size == 0 || doc.Text().back() != '\n')) {
      text += "\n";  // keep a final break most of the time
    }
    doc.Replace(index, length, text);
    ExpectSameAsFresh(doc);
    if (testing::Test::HasFatalFailure()) {
      FAIL() << "after replacing " << length << " at " << index << " by '" << text << "'";
    }
  }
}

TEST(MemoryDocument, AKeystrokeRescansOnlyTheLinesWhoseStateChanged) {
  std::string text;
  for (int i = 0; i < 100; ++i) {
    text += "h" + std::to_string(i) + " {\r\n  color: red;\r\n}\r\n";
  }
  TMemoryDocument doc(text);
  const int32_t red = doc.LineStart(2) + 9;
  EXPECT_EQ(doc.Replace(red, 0, "d"), 1);
  // Opening a comment changes the state of every later line; closing it changes them back.
  const int32_t lineTwo = doc.LineStart(2);
  EXPECT_EQ(doc.Replace(lineTwo, 0, "/*"), doc.LineCount() - 1);
  EXPECT_EQ(doc.LineStartState(3), (TScanState{TScanRange::Comment, TScanRange::Block}));
  EXPECT_EQ(doc.Replace(lineTwo + 2, 0, "*/"), doc.LineCount() - 1);
  EXPECT_EQ(doc.LineStartState(3), TScanState{TScanRange::AfterSemicolon});
  // A line split in two is scanned as two lines.
  EXPECT_EQ(doc.Replace(red + 4, 0, "\r\n"), 2);
  ExpectSameAsFresh(doc);
}

}  // namespace
}  // namespace qm
