// SPDX-License-Identifier: GPL-3.0-or-later
// Every match of a find text with the Find options, and the text with them replaced.
#include "model/text/textmatches.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(TextMatches, FindsEveryMatchWithItsLineAndOptions) {
  struct TCase {
    std::string_view Text;
    std::string_view Find;
    bool MatchCase;
    bool WholeWord;
    std::string_view Expected;  // "line:col[line text]" per match
  };
  const TCase cases[] = {
      {"a { color: Red }\r\nb { color: red; border-color: red }", "red", false, false,
       "1:12[a { color: Red }] 2:12[b { color: red; border-color: red }] "
       "2:31[b { color: red; border-color: red }] "},
      {"a { color: Red }\nb { color: red }", "red", true, false, "2:12[b { color: red }] "},
      {"a { color: reddish; x-red: 1 }\rred", "red", false, true, "2:1[red] "},
      {"aaaa", "aa", false, false, "1:1[aaaa] 1:3[aaaa] "},
      {"a\r\n\r\nb", "b", false, false, "3:1[b] "},
      {"abc", "", false, false, ""},
      {"ab", "abc", false, false, ""},
  };
  for (const TCase& test : cases) {
    std::string shown;
    for (const TTextMatch& match :
         FindAllMatches(test.Text, test.Find, test.MatchCase, test.WholeWord)) {
      shown += std::to_string(match.Line) + ":" + std::to_string(match.Col) + "[" + match.LineText +
               "] ";
    }
    EXPECT_EQ(shown, test.Expected) << test.Text;
  }
  // A long line is shown around its match only.
  const std::string minified = std::string(1000, 'x') + "needle" + std::string(1000, 'y');
  const std::vector<TTextMatch> far = FindAllMatches(minified, "needle", true, false);
  ASSERT_EQ(far.size(), 1U);
  EXPECT_EQ(far[0].LineText, std::string(60, 'x') + "needle" + std::string(134, 'y'));
  EXPECT_EQ(far[0].Col, 1001);
}

TEST(TextMatches, ReplacesEachMatchAndNothingElse) {
  const std::string text = "a { color: red }\r\nb { color: RED; x: reddish }";
  EXPECT_EQ(ReplaceMatches(text, FindAllMatches(text, "red", false, true), "blue"),
            "a { color: blue }\r\nb { color: blue; x: reddish }");
  EXPECT_EQ(ReplaceMatches(text, {}, "blue"), text);
}

}  // namespace
}  // namespace qm
