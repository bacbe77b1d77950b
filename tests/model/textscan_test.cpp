// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/text/textscan.h"

#include "model/error.h"
#include "model/text/memorydocument.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

constexpr TSearchOptions NoOptions{};
constexpr TSearchOptions WholeWord{.WholeWord = true};
constexpr TSearchOptions MatchCase{.MatchCase = true};

struct FindCase {
  std::string name;
  std::string text;
  std::string pattern;
  int32_t from;
  int32_t count;
  TSearchOptions options;
  int32_t expected;
};

class FindInTextTable : public testing::TestWithParam<FindCase> {};

TEST_P(FindInTextTable, FindsTheFirstMatchInItsWindow) {
  const FindCase& c = GetParam();
  EXPECT_EQ(FindInText(c.text, c.pattern, c.from, c.count, c.options), c.expected);
}

const std::string Rule = "x{background-color:red;color:blue}";

INSTANTIATE_TEST_SUITE_P(
    Cases, FindInTextTable,
    testing::Values(
        FindCase{"whole_word_skips_the_hyphenated_name", Rule, "color", 0, -1, WholeWord, 23},
        FindCase{"substring_finds_it_inside_a_name", Rule, "color", 0, -1, NoOptions, 13},
        FindCase{"from_one_is_from_zero", Rule, "color", 1, -1, NoOptions, 13},
        FindCase{"from_is_one_based", "abcabc", "a", 4, -1, NoOptions, 3},
        FindCase{"from_just_after_a_match_misses_it", "abcabc", "a", 2, -1, NoOptions, 3},
        FindCase{"window_edges_are_word_boundaries", "xcolorx", "color", 2, 4, WholeWord, 1},
        FindCase{"window_holds_count_plus_one_bytes", "xcolorx", "color", 2, 3, NoOptions, -1},
        FindCase{"window_is_cut_at_the_end", "abc", "c", 1, 1000, NoOptions, 2},
        FindCase{"count_below_minus_one_is_empty", "abc", "a", 0, -2, NoOptions, -1},
        FindCase{"from_beyond_the_text", "abc", "c", 5, -1, NoOptions, -1},
        FindCase{"empty_pattern", "abc", "", 0, -1, NoOptions, -1},
        FindCase{"empty_text", "", "a", 0, -1, NoOptions, -1},
        FindCase{"case_is_ignored_for_ascii_letters", "a COLOR", "color", 0, -1, NoOptions, 2},
        FindCase{"match_case", "a COLOR color", "color", 0, -1, MatchCase, 8},
        FindCase{"high_bytes_are_not_folded", "\xc9\xe9", "\xe9", 0, -1, NoOptions, 1},
        FindCase{"whole_word_tries_overlapping_matches", "ba.a.a", "a.a", 0, -1, WholeWord, 3},
        FindCase{"whole_word_and_case", "Color-x COLOR", "color", 0, -1,
                 TSearchOptions{.WholeWord = true, .MatchCase = true}, -1}),
    [](const auto& info) { return info.param.name; });

struct WordCase {
  std::string text;
  bool holdsColor;
};

class WholeWordBoundaries : public testing::TestWithParam<WordCase> {};

TEST_P(WholeWordBoundaries, FollowTheSeparatorClass) {
  const WordCase& c = GetParam();
  EXPECT_EQ(FindInText(c.text, "color", 0, -1, WholeWord) != -1, c.holdsColor) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Cases, WholeWordBoundaries,
                         testing::Values(WordCase{"my_color", true}, WordCase{"color_x", true},
                                         WordCase{"color-x", false}, WordCase{"colors", false},
                                         WordCase{"background-color", false},
                                         WordCase{"{color}", true}, WordCase{"\tcolor\r", true},
                                         WordCase{"|color", false}, WordCase{"~color", false},
                                         WordCase{"color\x7f", false},
                                         WordCase{"\xa0"
                                                  "color",
                                                  false},
                                         WordCase{"1color", false}, WordCase{"`color@", true},
                                         WordCase{std::string("\0color\b", 7), true}));

TEST(WordSeparators, HoldExactlyTheListedCodes) {
  std::string members;
  for (int c = 0; c < 256; ++c) {
    if (WordSeparators.Contains(static_cast<char>(c))) {
      members += std::to_string(c) + " ";
    }
  }
  EXPECT_EQ(members,
            "0 8 9 10 13 32 33 34 35 36 37 38 39 40 41 42 43 44 46 47 58 59 60 61 62 63 64 91 92 "
            "93 94 95 96 123 125 ");
}

// x, blank, /, *, blank, y, blank, *, /, blank, z: a comment from index 2 to 8.
TEST(IsInComment, CountsAMarkerOnlyFromTheIndexAfterItsStart) {
  const std::string text = "x /* y */ z";
  for (int32_t pos = 0; pos <= 11; ++pos) {
    EXPECT_EQ(IsInComment(text, pos), pos >= 3 && pos <= 7) << pos;
  }
  EXPECT_FALSE(IsInComment(text, -1));  // the whole text
  EXPECT_FALSE(IsInComment(text, 50));
}

struct CommentCase {
  std::string text;
  std::string inside;  // per position 0..size: '1' inside, '0' outside
};

class IsInCommentTable : public testing::TestWithParam<CommentCase> {};

TEST_P(IsInCommentTable, LooksAtTheLastMarkerBeforeThePosition) {
  const CommentCase& c = GetParam();
  ASSERT_EQ(c.inside.size(), c.text.size() + 1);
  for (size_t pos = 0; pos <= c.text.size(); ++pos) {
    EXPECT_EQ(IsInComment(c.text, static_cast<int32_t>(pos)), c.inside[pos] == '1')
        << c.text << " at " << pos;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IsInCommentTable,
    testing::Values(CommentCase{"a */ b", "0000000"}, CommentCase{"a /* b", "0001111"},
                    CommentCase{"/**/", "01100"},
                    // A star shared by both markers: the closer wins.
                    CommentCase{"/*/ x", "010000"}, CommentCase{"*/*x", "00111"},
                    CommentCase{"\"/*\" a */", "0011111100"},
                    CommentCase{"/* a /* b */ c */", "011111111110000000"}, CommentCase{"", "0"}));

struct LastCase {
  int32_t pos;
  std::string text;
  std::string pattern;
  int32_t expected;
};

class FindLastBeforeTable : public testing::TestWithParam<LastCase> {};

TEST_P(FindLastBeforeTable, GivesTheOneBasedStartOfTheLastMatch) {
  const LastCase& c = GetParam();
  EXPECT_EQ(FindLastBefore(c.pos, c.text, c.pattern), c.expected)
      << c.pos << " " << c.text << " " << c.pattern;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindLastBeforeTable,
    testing::Values(LastCase{3, "abcabc", "c", 3}, LastCase{3, "abcabc", "", 3},
                    LastCase{3, "", "c", -1}, LastCase{-1, "", "", -1},
                    LastCase{5, "abcabc", "c", 3}, LastCase{-1, "abcabc", "c", 6},
                    LastCase{99, "abcabc", "", 6}, LastCase{6, "abcabc", "bc", 5},
                    LastCase{4, "abcabc", "bc", 2}, LastCase{0, "abcabc", "a", -1},
                    LastCase{-1, "xABc", "abC", 2}, LastCase{-1, "ab", "abc", -1}));

TEST(FindOutsideComments, SkipsMatchesInCommentsAndStaysInItsWindow) {
  const TMemoryDocument doc("a /* { */ {\r\n/*{*/{");
  const std::string_view text = doc.Text();
  EXPECT_EQ(FindOutsideComments(doc, text, "{", 0, -1, NoOptions, true, false), 10);
  EXPECT_EQ(FindOutsideComments(doc, text, "{", 0, -1, NoOptions, false, false), 5);
  // The window ends at 6: the brace in the comment is rejected and nothing is left.
  EXPECT_EQ(FindOutsideComments(doc, text, "{", 0, 6, NoOptions, true, false), -1);
  // The rejected brace is the window's last byte: the rest is empty, not the whole text.
  EXPECT_EQ(FindOutsideComments(doc, text, "{", 14, 2, NoOptions, true, false), -1);
  EXPECT_EQ(FindOutsideComments(doc, text, "{", 14, 5, NoOptions, true, false), 18);
}

TEST(FindOutsideComments, SkipsNamesThatTheScannerPutsInAValue) {
  const TMemoryDocument doc("a {\r\n  font: color; color: red;\r\n}");
  const std::string_view text = doc.Text();
  EXPECT_EQ(FindOutsideComments(doc, text, "color", 3, 30, WholeWord, true, false), 13);
  EXPECT_EQ(FindOutsideComments(doc, text, "color", 3, 30, WholeWord, true, true), 20);
  // Without SkipComments the value test does not apply either.
  EXPECT_EQ(FindOutsideComments(doc, text, "color", 3, 30, WholeWord, false, true), 13);
}

TEST(FindOutsideComments, ReadsCommentsFromTheTextItIsGiven) {
  const TMemoryDocument doc("x");
  EXPECT_EQ(
      FindOutsideComments(doc, "/* color */ color: red", "color", 0, -1, NoOptions, true, false),
      12);
}

struct HexCase {
  std::string text;
  int32_t expected;
};

class HexToColorTable : public testing::TestWithParam<HexCase> {};

TEST_P(HexToColorTable, ReadsRedGreenBluePairs) {
  EXPECT_EQ(HexToColor(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Cases, HexToColorTable,
                         testing::Values(HexCase{"#ff8000", 0x0080FF},
                                         HexCase{"#FF8000 ", 0x0080FF}, HexCase{"ff8000", 0},
                                         HexCase{"#fff", 0}, HexCase{" #ff8000", 0}, HexCase{"", 0},
                                         HexCase{"      ", 0}, HexCase{"#12345", 0x053412},
                                         HexCase{"#12345678", 0x563412},
                                         HexCase{"#aBcDeF", 0xEFCDAB}));

TEST(HexToColor, NamesTheFirstPairThatIsNotHexadecimal) {
  for (const auto& [text, message] : std::vector<std::pair<std::string, std::string>>{
           {"#gg0000", "'$gg' is not a valid integer value"},
           {"#00zz00", "'$zz' is not a valid integer value"},
           {"#0000 0", "'$ 0' is not a valid integer value"},
           {"#1234g", "'$g' is not a valid integer value"},
           {"#x1x2x3", "'$x1' is not a valid integer value"}}) {
    try {
      HexToColor(text);
      ADD_FAILURE() << text << " converted";
    } catch (const TError& error) {
      EXPECT_EQ(std::string(error.what()), message);
    }
  }
}

TEST(ColorToHex, WritesUpperCaseRedFirstAndIgnoresTheHighByte) {
  EXPECT_EQ(ColorToHex(0x0080FF), "#FF8000");
  EXPECT_EQ(ColorToHex(0x12345678), "#785634");
  EXPECT_EQ(ColorToHex(0), "#000000");
  EXPECT_EQ(ColorToHex(-1), "#FFFFFF");
  EXPECT_EQ(HexToColor(ColorToHex(0xA1B2C3)), 0xA1B2C3);
}

TEST(LineHelpers, FollowTheTwoByteBreakArithmetic) {
  const TMemoryDocument doc("ab\r\ncd\r\ne");
  struct {
    int32_t pos, line, length;
  } cases[] = {{-1, 1, 2}, {0, 1, 2}, {2, 1, 2},  {3, 1, 2},  {4, 2, 2},
               {8, 3, 1},  {9, 3, 1}, {10, 3, 1}, {11, 4, 0}, {500, 4, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(CurLineNum(doc, c.pos), c.line) << c.pos;
    EXPECT_EQ(CurLineLen(doc, c.pos), c.length) << c.pos;
  }
  EXPECT_EQ(FirstColumn(doc, 2), 4);
  EXPECT_EQ(FirstColumn(doc, 7), 8);
  EXPECT_EQ(FirstColumn(doc, 0), 0);
}

TEST(IsValue, LooksAtTheTokenOfTheNextByte) {
  const TMemoryDocument doc(std::string("a { color: red; }\r\nb { x\0y }", 28));
  struct {
    int32_t pos;
    bool value;
  } cases[] = {
      {-1, false},  // never
      {0, false},   // the blank of the selector "a "
      {3, false},   // the property name
      {10, true},   // "red"
      {13, false},  // ";"
      {16, true},   // past the end of the line
      {17, true},   // the LF: still past the end
      {23, true},   // the NUL and what follows it have no token
      {26, true},   // so the brace after the NUL has none either
      {28, true},   // past the text
      {99, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsValue(doc, c.pos), c.value) << c.pos;
  }
}

}  // namespace
}  // namespace qm
