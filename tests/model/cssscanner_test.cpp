// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/text/cssscanner.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace qm {
namespace {

std::string KindName(TTokenKind kind) {
  switch (kind) {
    case TTokenKind::Color:
      return "Color";
    case TTokenKind::Comment:
      return "Comment";
    case TTokenKind::Number:
      return "Number";
    case TTokenKind::Property:
      return "Property";
    case TTokenKind::Key:
      return "Key";
    case TTokenKind::Space:
      return "Space";
    case TTokenKind::String:
      return "String";
    case TTokenKind::Symbol:
      return "Symbol";
    case TTokenKind::Text:
      return "Text";
    case TTokenKind::UndefinedProperty:
      return "Undefined";
    case TTokenKind::Value:
      return "Value";
    case TTokenKind::Null:
      return "Null";
  }
  return "?";
}

// Tokens as Kind'text' pairs, so a table row reads like the line it describes.
std::string Render(std::string_view line, const std::vector<TToken>& tokens) {
  std::string out;
  for (const TToken& t : tokens) {
    if (!out.empty()) {
      out += ' ';
    }
    out += KindName(t.Kind) + "'" +
           std::string(line.substr(static_cast<size_t>(t.Start), static_cast<size_t>(t.Length))) +
           "'";
  }
  return out;
}

constexpr TScanState Selector{};
constexpr TScanState Block{TScanRange::Block};
constexpr TScanState AfterSemicolon{TScanRange::AfterSemicolon};
constexpr TScanState AfterColon{TScanRange::AfterColon};
constexpr TScanState CommentInBlock{TScanRange::Comment, TScanRange::Block};
constexpr TScanState CommentInSelector{TScanRange::Comment, TScanRange::Selector};

struct LineCase {
  std::string name;
  TScanState start;
  std::string line;
  std::string tokens;
  TScanState end;
};

class ScanLineTable : public testing::TestWithParam<LineCase> {};

TEST_P(ScanLineTable, GivesTheseTokensAndEndState) {
  const LineCase& c = GetParam();
  std::vector<TToken> tokens;
  const TScanState end = ScanLine(c.line, c.start, tokens);
  EXPECT_EQ(Render(c.line, tokens), c.tokens);
  EXPECT_EQ(end, c.end);
  EXPECT_EQ(ScanLine(c.line, c.start), c.end);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScanLineTable,
    testing::Values(
        LineCase{"declaration", Block, "color: red;",
                 "Property'color' Symbol':' Space' ' Value'red' Symbol';'", AfterSemicolon},
        LineCase{"number_then_value_to_the_semicolon", Block, "margin: 0 auto;",
                 "Property'margin' Symbol':' Space' ' Number'0' Space' ' Value'auto' Symbol';'",
                 AfterSemicolon},
        LineCase{"selector_with_colon_is_one_key", Selector, "a:hover {", "Key'a:hover ' Symbol'{'",
                 Block},
        LineCase{"quoted_family_then_comma_then_value", Block,
                 "font-family: \"Times New Roman\", serif;",
                 "Property'font-family' Symbol':' Space' ' String'\"Times New Roman\"' "
                 "Symbol',' Space' ' Value'serif' Symbol';'",
                 AfterSemicolon},
        LineCase{"capitals_are_a_property", Block, "COLOR: red",
                 "Property'COLOR' Symbol':' Space' ' Value'red'", Block},
        LineCase{"word_after_semicolon_is_a_property_name", Block, "a: b; c",
                 "Undefined'a' Symbol':' Space' ' Value'b' Symbol';' Space' ' Undefined'c'",
                 AfterSemicolon},
        LineCase{"hex_colour_is_not_a_value", Block, "color: #ff0000;",
                 "Property'color' Symbol':' Space' ' Color'#ff0000' Symbol';'", AfterSemicolon},
        LineCase{"value_runs_over_blanks_to_the_brace", Selector, "h1 { color: red }",
                 "Key'h1 ' Symbol'{' Space' ' Property'color' Symbol':' Space' ' Value'red ' "
                 "Symbol'}'",
                 Selector},
        LineCase{"value_keeps_braces_and_quotes_until_a_closing_brace", Block,
                 "background: url(\"data:x{y\"}) z",
                 "Property'background' Symbol':' Space' ' Value'url(\"data:x{y\"' Symbol'}' "
                 "Key') z'",
                 Selector},
        LineCase{"selector_text_holds_blanks_commas_hash_braces", Selector, ".x, #y } 2 {",
                 "Key'.x, #y } 2 ' Symbol'{'", Block},
        LineCase{"slash_splits_a_selector", Selector, "a/b", "Key'a' Symbol'/' Key'b'", Selector},
        LineCase{"comment_inside_a_selector_restores_it", Selector, "a /* x */ b",
                 "Key'a ' Comment'/* x */' Key' b'", Selector},
        LineCase{"comment_left_open_remembers_the_block", Block, "x /* open",
                 "Undefined'x' Space' ' Comment'/* open'", CommentInBlock},
        LineCase{"line_ending_right_after_the_opener", Block, "/*", "Comment'/*'", CommentInBlock},
        LineCase{"comment_closes_and_restores_the_block", CommentInBlock, "still */ color",
                 "Comment'still */' Space' ' Property'color'", Block},
        LineCase{"opener_star_is_not_a_closer", Block, "/*/", "Comment'/*/'", CommentInBlock},
        LineCase{"empty_comment", Block, "/**/x", "Comment'/**/' Undefined'x'", Block},
        LineCase{"value_does_not_open_comments", Block, "color: red /* note",
                 "Property'color' Symbol':' Space' ' Value'red /* note'", Block},
        LineCase{"number_stops_before_two_dots", AfterColon, "1.5..2", "Number'1.5' Number'..2'",
                 AfterColon},
        LineCase{"unterminated_string_runs_to_the_end", AfterColon, "\"abc; }", "String'\"abc; }'",
                 AfterColon},
        LineCase{"hex_run", AfterColon, "#12fG", "Color'#12f' Value'G'", Block},
        LineCase{"a_tab_starts_a_new_space_token", Block, "\t \tx",
                 "Space'\t ' Space'\t' Undefined'x'", Block},
        LineCase{"property_name_is_letters_and_hyphens_then_digits", Block,
                 "color_x z-index font2 colors",
                 "Property'color_x' Space' ' Property'z-index' Space' ' Undefined'font2' "
                 "Space' ' Undefined'colors'",
                 Block},
        LineCase{"bytes_above_127_are_word_and_key_bytes", Block, "\xe9t\xe9: \xe0 }\xff\xfe{",
                 "Undefined'\xe9t\xe9' Symbol':' Space' ' Value'\xe0 ' Symbol'}' Key'\xff\xfe' "
                 "Symbol'{'",
                 Block},
        LineCase{"nul_ends_the_line", Block, std::string("a\0{b", 4),
                 std::string("Undefined'a' Null'\0{b'", 22), Block},
        LineCase{"break_is_space_in_any_range", CommentInSelector, "x */ y\r\n",
                 "Comment'x */' Key' y' Space'\r\n'", Selector},
        LineCase{"break_after_an_open_comment", Block, "/* x\r\n", "Comment'/* x' Space'\r\n'",
                 CommentInBlock},
        LineCase{"lone_breaks", Block, "a\rb\n", "Undefined'a' Space'\r' Undefined'b' Space'\n'",
                 Block}),
    [](const auto& info) { return info.param.name; });

TEST(CssScanner, UnterminatedCommentColoursEveryFollowingLineUntilItsEnd) {
  const std::vector<std::string_view> lines = {"a { /* open", "color: red;", "",
                                               "} */ color: red }", "b {"};
  std::vector<std::string> rendered;
  TScanState state;
  for (const std::string_view line : lines) {
    std::vector<TToken> tokens;
    state = ScanLine(line, state, tokens);
    rendered.push_back(Render(line, tokens));
    if (line.empty()) {
      EXPECT_EQ(state, CommentInBlock);
    }
  }
  EXPECT_EQ(rendered, (std::vector<std::string>{
                          "Key'a ' Symbol'{' Space' ' Comment'/* open'",
                          "Comment'color: red;'",
                          "",
                          "Comment'} */' Space' ' Property'color' Symbol':' Space' ' Value'red ' "
                          "Symbol'}'",
                          "Key'b ' Symbol'{'",
                      }));
}

TEST(CssScanner, StatesSurviveTheEditorLineStateEncoding) {
  constexpr TScanRange ranges[] = {TScanRange::Selector, TScanRange::Block,
                                   TScanRange::AfterSemicolon, TScanRange::AfterColon};
  std::set<int32_t> codes;
  for (const TScanRange range : ranges) {
    EXPECT_EQ(TScanState::Decode(TScanState{range}.Encode()), TScanState{range});
    codes.insert(TScanState{range}.Encode());
    const TScanState inComment{TScanRange::Comment, range};
    EXPECT_EQ(TScanState::Decode(inComment.Encode()), inComment);
    codes.insert(inComment.Encode());
  }
  EXPECT_EQ(codes.size(), 8u);
  EXPECT_EQ(TScanState{}.Encode(), 0);  // an editor's default line state is the text's start
  for (const int32_t garbage : {-1, 5, 7, 8, 9, 1 + 8 * 5, 1000}) {
    EXPECT_EQ(TScanState::Decode(garbage), TScanState{}) << garbage;
  }
}

TEST(CssScanner, PropertyNamesAreTheHundredAndTwentyTwoDistinctNames) {
  const std::set<std::string_view> distinct(PropertyNames.begin(), PropertyNames.end());
  EXPECT_EQ(distinct.size(), 122u);
  EXPECT_TRUE(distinct.count("azimuth") && distinct.count("z-index"));
  EXPECT_TRUE(IsPropertyName("Background-Attachment"));
  EXPECT_FALSE(IsPropertyName("background-"));
  EXPECT_FALSE(IsPropertyName(""));
}

TEST(CssScanner, AttributesCarryTheStoredNamesAndDefaultStyles) {
  EXPECT_EQ(AttributeName(TTokenKind::Value), "Value");
  EXPECT_EQ(AttributeName(TTokenKind::Key), "Reserved Word");
  EXPECT_EQ(AttributeName(TTokenKind::UndefinedProperty), "Undefined Property");
  EXPECT_EQ(AttributeName(TTokenKind::Color), "Color Value");
  EXPECT_EQ(AttributeName(TTokenKind::Null), "");
  // Olive selectors, maroon unknown properties, blue values: colour values are red-first.
  const auto& key = TokenAttributes[static_cast<size_t>(TTokenKind::Key)];
  EXPECT_EQ(key.Foreground, 0x008080);
  EXPECT_EQ(key.Style, StyleBold);
  EXPECT_EQ(TokenAttributes[static_cast<size_t>(TTokenKind::UndefinedProperty)].Foreground,
            0x000080);
  EXPECT_EQ(TokenAttributes[static_cast<size_t>(TTokenKind::Value)].Foreground, 0xFF8000);
  EXPECT_EQ(TokenAttributes[static_cast<size_t>(TTokenKind::Property)].Style, StyleBold);
  EXPECT_FALSE(TokenAttributes[static_cast<size_t>(TTokenKind::Comment)].Foreground);
}

}  // namespace
}  // namespace qm
