// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/sheet/sheetlayout.h"

#include <gtest/gtest.h>

#include "model/sheet/selectorblocks.h"
#include "model/text/memorydocument.h"
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
                   "/* c */ *, p{}"}),
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

TEST(Layout, LongestLine) {
  EXPECT_EQ(LongestLine(""), 0u);
  EXPECT_EQ(LongestLine("ab\r\nabcd\rx\nabc"), 4u);
}

}  // namespace
}  // namespace qm
