// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/sheet/sheetlayout.h"

#include <gtest/gtest.h>

#include "model/sheet/selectorblocks.h"
#include "model/text/memorydocument.h"
#include "reference_tokens.h"
#include "sheets.h"

namespace qm {
namespace {

// The text without its blanks and line breaks: equal for two texts that differ only in those.
std::string Solid(std::string_view text) {
  std::string solid;
  for (const char c : text) {
    if (c != ' ' && c != '\t' && c != '\f' && c != '\r' && c != '\n') {
      solid.push_back(c);
    }
  }
  return solid;
}

// Each block's kind and its name with every run of blanks made one blank.
std::vector<std::string> Rules(const std::string& text) {
  TModList blocks;
  RebuildBlocks(TMemoryDocument(text), blocks);
  std::vector<std::string> rules;
  for (const TItmRecord& block : blocks.All()) {
    std::string rule = block.Kind + " ";
    for (const char c : block.Name) {
      const bool blank = c == ' ' || c == '\t' || c == '\f' || c == '\r' || c == '\n';
      if (!blank) {
        rule.push_back(c);
      } else if (rule.back() != ' ') {
        rule.push_back(' ');
      }
    }
    rules.push_back(std::move(rule));
  }
  return rules;
}

struct LayoutCase {
  const char* name;
  std::string text;
  std::string formatted;
  std::string minified;
};

void PrintTo(const LayoutCase& c, std::ostream* out) {
  *out << c.name;
}

class Layout : public testing::TestWithParam<LayoutCase> {};

TEST_P(Layout, FormatsAndMinifies) {
  EXPECT_EQ(FormatSheet(GetParam().text), GetParam().formatted);
  EXPECT_EQ(MinifySheet(GetParam().text), GetParam().minified);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Layout,
    testing::Values(
        LayoutCase{"rules", "a,\r\n  b{color:red;margin : 0  auto}p{}",
                   "a, b {\r\n  color:red;\r\n  margin : 0 auto\r\n}\r\np {\r\n}",
                   "a, b{color:red;margin : 0 auto}p{}"},
        LayoutCase{"nested_and_comments", "/* top */ @media print { /* in */ a { b: c } }",
                   "/* top */\r\n@media print {\r\n  /* in */\r\n  a {\r\n    b: c\r\n  }\r\n}",
                   "/* top */@media print{/* in */a{b: c}}"},
        // Strings, comments, escapes and a ";" inside url(...) stay as they are.
        LayoutCase{"kept_as_they_are",
                   "a { content: \"x  ;  {\"; b: url(data:x;y) /* a  ;  b */; .\\{  c {} }",
                   "a {\r\n  content: \"x  ;  {\";\r\n  b: url(data:x;y) /* a  ;  b */;\r\n  .\\{ "
                   "c {\r\n  }\r\n}",
                   "a{content: \"x  ;  {\";b: url(data:x;y) /* a  ;  b */;.\\{ c{}}"},
        LayoutCase{"unbalanced", "}} a { b", "}\r\n}\r\na {\r\n  b", "}}a{b"},
        // A comment's end stays apart from a "*" after it.
        LayoutCase{"comment_before_universal", "/* c */\r\n*, p {}", "/* c */\r\n*, p {\r\n}",
                   "/* c */ *, p{}"},
        // An SVG address holds braces, quotes, "/*" and "]" that are none of the code's.
        LayoutCase{"unquoted_url", "a{b:url(x:<s a='{'>/*]}  \"<)  ;c:d}",
                   "a {\r\n  b:url(x:<s a='{'>/*]}  \"<);\r\n  c:d\r\n}",
                   "a{b:url(x:<s a='{'>/*]}  \"<);c:d}"},
        LayoutCase{"svg_style_in_a_url",
                   "a{background:url(data:image/svg+xml;utf8,<svg%20a='b'><style>p{fill:red;"
                   "x:y}</style></svg>) no-repeat;c:d}",
                   "a {\r\n  background:url(data:image/svg+xml;utf8,<svg%20a='b'><style>p{fill:red;"
                   "x:y}</style></svg>) no-repeat;\r\n  c:d\r\n}",
                   "a{background:url(data:image/svg+xml;utf8,<svg%20a='b'><style>p{fill:red;"
                   "x:y}</style></svg>) no-repeat;c:d}"},
        LayoutCase{"blanks_in_a_url",
                   "a {\n  b: url(data:image/svg+xml;utf8,<svg a='1'  b> <g>{ c: d; }</g>)  e;\n}",
                   "a {\r\n  b: url(data:image/svg+xml;utf8,<svg a='1'  b> <g>{ c: d; }</g>) "
                   "e;\r\n}",
                   "a{b: url(data:image/svg+xml;utf8,<svg a='1'  b> <g>{ c: d; }</g>) e;}"},
        // The string ends at its line's end, and so does the declaration the browser drops.
        LayoutCase{"string_left_open", "a { b: \"x  \n  c: d; }\ne {}",
                   "a {\r\n  b: \"x  \nc: d;\r\n}\r\ne {\r\n}", "a{b: \"x  \nc: d;}e{}"},
        // The first blank after a hex escape is its own; the next is a descendant combinator.
        LayoutCase{"hex_escape_blanks", ".\\31  a, .\\31 b,.\\31\r\nc,.\\31\t\td{}",
                   ".\\31  a, .\\31 b,.\\31 c,.\\31  d {\r\n}",
                   ".\\31  a, .\\31 b,.\\31 c,.\\31  d{}"},
        // Where a brace or line break follows, it ends the escape as well as its blank did.
        LayoutCase{"hex_escape_before_a_brace", "a{b:\\9\n}.\\31\n{}",
                   "a {\r\n  b:\\9\r\n}\r\n.\\31 {\r\n}", "a{b:\\9}.\\31{}"}),
    [](const auto& info) { return std::string(info.param.name); });

// Every real sheet the tests read: only blanks and line breaks change, the rules stay the
// same, and formatting, minifying and formatting again gives the same formatted text.
TEST(Layout, RoundTripsEveryRealSheet) {
  const std::vector<TSample> sheets = CorpusSheets();
  ASSERT_FALSE(sheets.empty());
  for (const TSample& sheet : sheets) {
    SCOPED_TRACE(sheet.name);
    const std::string formatted = FormatSheet(sheet.text);
    const std::string minified = MinifySheet(formatted);
    ASSERT_EQ(FormatSheet(minified), formatted);
    EXPECT_EQ(FormatSheet(formatted), formatted);
    EXPECT_EQ(MinifySheet(minified), minified);
    EXPECT_EQ(MinifySheet(sheet.text), minified);
    const std::string solid = Solid(sheet.text);
    EXPECT_EQ(Solid(formatted), solid);
    EXPECT_EQ(Solid(minified), solid);
    const std::vector<std::string> rules = Rules(formatted);
    const std::vector<std::string> before = Rules(sheet.text);
    const std::vector<std::string> after = Rules(minified);
    ASSERT_EQ(after.size(), rules.size());
    for (size_t i = 0; i < rules.size(); ++i) {
      ASSERT_EQ(after[i], rules[i]) << i;
    }
    // Where a comment's end touches a "*" the sheet reads as one long comment to the selector
    // list; laid out, the comment ends where a browser ends it.
    if (sheet.text.find("*/*") == std::string::npos) {
      ASSERT_EQ(before.size(), rules.size());
      for (size_t i = 0; i < rules.size(); ++i) {
        ASSERT_EQ(before[i], rules[i]) << i;
      }
    }
    EXPECT_LT(LongestLine(formatted), 20000u);
  }
}

// Sheets where a careless layout changes what the sheet says. Format and Minify give a sheet a
// browser reads as it read the original, and laying it out again changes nothing.
struct MeaningCase {
  const char* name;
  std::string text;
};

void PrintTo(const MeaningCase& c, std::ostream* out) {
  *out << c.name;
}

class LayoutMeaning : public testing::TestWithParam<MeaningCase> {};

TEST_P(LayoutMeaning, FormatAndMinifyKeepWhatTheSheetSays) {
  const std::string& text = GetParam().text;
  const std::vector<std::string> meaning = reference::Meaning(text);
  const std::string formatted = FormatSheet(text);
  const std::string minified = MinifySheet(text);
  EXPECT_EQ(reference::Meaning(formatted), meaning) << formatted;
  EXPECT_EQ(reference::Meaning(minified), meaning) << minified;
  EXPECT_EQ(FormatSheet(formatted), formatted);
  EXPECT_EQ(MinifySheet(minified), minified);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LayoutMeaning,
    testing::Values(
        MeaningCase{"svg_url",
                    "a { background: url(data:image/svg+xml;utf8,<svg a=\"{}\"/*]'><p/>) }\n"
                    "b { c: d }"},
        MeaningCase{"svg_style_in_a_url",
                    "a { background: url(data:image/svg+xml;utf8,<svg%20a='b'><style>p{fill:red;"
                    "x:y}</style></svg>) no-repeat; c: d }\nb { c: d }"},
        MeaningCase{"blanks_and_braces_in_a_url",
                    "a{b:url(data:x,<svg a='1'  b> <g>{ c: d; }</g>)  e;f:g}h{i:j}"},
        MeaningCase{"url_over_lines", "a{b:url(data:x,<g>{\n c: d;\n}</g>);e:f}h{i:j}"},
        MeaningCase{"url_with_an_opening_bracket", "a { b: url(x[y) ; c: d } e { f: g }"},
        MeaningCase{"url_in_capitals_with_blanks", "a { b: URL(  x{y  ) ; c: d }"},
        MeaningCase{"url_left_open_at_a_newline", "a { b: url(x{\n} c { d: e) } f { g: h }"},
        MeaningCase{"url_left_open_at_the_end", "a { b: url(x{y; c: d }"},
        MeaningCase{"hex_escape_takes_a_newline_in_a_string", "a { b: \"\\31\n}\"; } c { d: e }"},
        MeaningCase{"quoted_url_after_a_newline_left_open", "a { b: url(\n'x\f} c { d: e }"},
        MeaningCase{"double_string_left_open", "a { b: \"x\n}\ne { f: g }"},
        MeaningCase{"single_string_left_open_at_cr_lf", "a { b: 'x  \r\n  ; c: d; }\r\ne {}"},
        MeaningCase{"string_left_open_at_a_form_feed", "a { b: 'x\f}\fe { f: g }"},
        MeaningCase{"string_left_open_in_a_selector", "a[b=\"c\n] { d: e }\nf { g: h }"},
        MeaningCase{"hex_escape_and_descendant", ".\\31  a { b: c }"},
        MeaningCase{"hex_escape_and_compound", ".\\31 a { b: c }"},
        MeaningCase{"six_hex_digits_and_a_blank", ".\\00003a  b { c: d }"},
        MeaningCase{"hex_escape_ended_by_a_line_break", ".\\31\r\n\r\na { b: c }"},
        MeaningCase{"hex_escape_before_a_brace", ".\\31 { b: c } .\\31 {}"},
        MeaningCase{"escaped_slash_before_a_star", ".a\\/* { b: c } */ d { e: f }"},
        MeaningCase{"escaped_quote", ".a\\'b { c: d } e { f: g }"},
        MeaningCase{"escaped_line_break_in_a_string", "a { b: \"x\\\r\n  ; }\" } c { d: e }"},
        MeaningCase{"backslash_before_a_line_break", "a\\\n{ b: c }"},
        MeaningCase{"comment_left_open", "a { b: c } /* d {"}),
    [](const auto& info) { return std::string(info.param.name); });

// Nesting deeper than anyone writes must not make the formatted text grow with the square of the
// depth: each input byte gives at most one line of the deepest indentation.
TEST(Layout, FormatsDeepNestingInLinearSize) {
  constexpr size_t kDepth = 20000;
  std::string text;
  for (size_t i = 0; i < kDepth; ++i) {
    text += "a{";
  }
  text += "b:c";
  text.append(kDepth, '}');
  const std::string formatted = FormatSheet(text);
  EXPECT_LE(formatted.size(), 70 * text.size());
  EXPECT_EQ(FormatSheet(formatted), formatted);
  EXPECT_EQ(reference::Meaning(formatted), reference::Meaning(text));
}

// What a browser reads in every real sheet stays the same after Format and after Minify.
TEST(Layout, EveryRealSheetReadsTheSameLaidOut) {
  for (const TSample& sheet : CorpusSheets()) {
    SCOPED_TRACE(sheet.name);
    const std::vector<std::string> meaning = reference::Meaning(sheet.text);
    EXPECT_EQ(reference::Meaning(FormatSheet(sheet.text)), meaning);
    EXPECT_EQ(reference::Meaning(MinifySheet(sheet.text)), meaning);
  }
}

TEST(Layout, LongestLine) {
  EXPECT_EQ(LongestLine(""), 0u);
  EXPECT_EQ(LongestLine("ab\r\nabcd\rx\nabc"), 4u);
}

}  // namespace
}  // namespace qm
