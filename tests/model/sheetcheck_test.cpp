// SPDX-License-Identifier: GPL-3.0-or-later
// A whole sheet checked: planted faults reported at their line and column in text order, and
// valid modern CSS, as the real sheets hold it, never flagged.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogues.h"
#include "model/check/sheetcheck.h"
#include "model/text/memorydocument.h"
#include "model/text/textfile.h"
#include "realsheets.h"

namespace qm {
namespace {

const TValueChecker& Checker() {
  return Css3Checker();
}

// The problems of a file's bytes as "LINE:COLUMN: severity: message" lines.
std::vector<std::string> Check(std::string_view bytes) {
  const TMemoryDocument document{LoadText(bytes).Text};
  TModList blocks;
  RebuildBlocks(document, blocks);
  std::vector<std::string> lines;
  for (const TProblem& problem : CheckSheet(document, blocks, Checker())) {
    lines.push_back(ProblemLine(problem));
  }
  return lines;
}

struct TCase {
  const char* Name;
  std::string Sheet;
  // Each problem's start: "LINE:COLUMN: severity: " and the first words of its message.
  std::vector<std::string> Expected;
};

TEST(SheetCheck, ReportsEachPlantedFaultAtItsLineAndColumn) {
  const TCase cases[] = {
      {"a keyword misspelt",
       "a {\n  flex-direction: colum;\n}\n",
       {"2:19: error: `flex-direction`: `colum` is not one of"}},
      {"an unknown property at its name",
       "a { colr: red; color: red }",
       {"1:5: error: `colr` is not a known property"}},
      {"faults in text order over rules and lines",
       "a { width: 10 }\r\nb {\r\n  color: 12px; margin: auto; display: bogus;\r\n}",
       {"1:12: error: `width`: `10` does not match", "3:10: error: `color`: `12px`",
        "3:39: error: `display`: `bogus`"}},
      {"lone CR and LF breaks count as one", "a{}\rb{}\nc { top: x }", {"3:10: error: `top`: `x`"}},
      {"a vendor-prefixed keyword is a warning",
       "li { text-align: -webkit-match-parent }",
       {"1:18: warning: `text-align`: `-webkit-match-parent` is valid only"}},
      {"a nested rule and one inside @media",
       "a {\n  color: red;\n  &:hover { color: nope }\n}\n@media screen {\n  b { opacity: "
       "x }\n}",
       {"3:20: error: `color`: `nope`", "6:16: error: `opacity`: `x`"}},
      {"a descriptor against its at-rule",
       "@font-face { font-family: X; font-display: sometimes }",
       {"1:44: error: `font-display`: `sometimes`"}},
      {"an unknown at-rule, a vendor's own one a warning",
       "@medai screen { a { color: red } }\n@-moz-whatever x;\n@tailwind base;",
       {"1:1: error: `@medai` is not a known at-rule",
        "2:1: warning: `@-moz-whatever` is not a known at-rule",
        "3:1: error: `@tailwind` is not a known at-rule"}},
      {"an unclosed block",
       "a { color: red }\nb {\n  color: blue;\n",
       {"2:3: error: unclosed block"}},
      {"a brace left open at the text's very start",
       "{ a { color: red }\n",
       {"1:1: error: unclosed block"}},
      {"an unclosed string ends at its line",
       "a { content: \"open;\n  color: red }\nb { content: 'it''s' }",
       {"1:14: error: unclosed string"}},
      {"a form feed leaves a string open as LF does, and the quote after its brace too",
       "a { content: \"x\f}\"; color: red }",
       {"1:14: error: unclosed string", "1:18: error: unclosed string"}},
      {"an unclosed comment, and the blocks it swallows",
       "a { color: red }\nb { /* color: red }\n",
       {"2:3: error: unclosed block", "2:5: error: unclosed comment"}},
      {"declarations nested too deep to read are left, with a warning",
       [] {
         std::string deep;
         for (int level = 0; level < 40; ++level) {
           deep += "a{";
         }
         return deep + "\n  color: nope;\n" + std::string(40, '}') + "\na { color: nope }";
       }(),
       {"1:66: warning: blocks nested deeper than 32 levels", "4:12: error: `color`: `nope`"}},
      {"an at-rule inside a string, comment or url is none",
       "/* @nonsense */ a { content: \"@x\"; background: url(a@2x.png) }",
       {}},
  };
  for (const TCase& one : cases) {
    const std::vector<std::string> found = Check(one.Sheet);
    EXPECT_EQ(found.size(), one.Expected.size()) << one.Name;
    for (size_t i = 0; i < std::min(found.size(), one.Expected.size()); ++i) {
      EXPECT_TRUE(found[i].starts_with(one.Expected[i]))
          << one.Name << "\n  found:    " << found[i] << "\n  expected: " << one.Expected[i];
    }
  }
}

TEST(SheetCheck, ValidModernCssIsNeverFlagged) {
  const std::string_view sheet = R"css(@charset "utf-8";
@import url("theme.css") layer(base);
@namespace svg url(http://www.w3.org/2000/svg);
@layer reset, base;
@layer base {
  :root { --gap: 4px; --Brand-Color: { not: a value }; }
  .card {
    margin: var(--gap) calc(var(--gap) * 2);
    color: red !important;
    -webkit-user-select: none;
    -moz-appearance: none;
    padding: env(safe-area-inset-top, 0);
    & > .title { font-weight: 700; }
    @media (width > 40em) { display: grid; grid-template-columns: repeat(3, 1fr); }
  }
}
@container sidebar (min-width: 400px) { .x { container-type: inline-size; } }
@property --angle { syntax: "<angle>"; inherits: false; initial-value: 0deg; }
@supports (display: grid) and (not (display: inline-grid)) { a { display: grid } }
@-webkit-keyframes spin { from { transform: rotate(0) } to { transform: rotate(1turn) } }
@keyframes fade { 0% { opacity: 0 } 100% { opacity: 1 } }
@font-face { font-family: "X"; src: url(x.woff2) format("woff2"); font-display: swap; }
@page :first { margin: 1in; }
@scope (.card) to (.content) { img { border: 1px solid black } }
@starting-style { .x { opacity: 0 } }
a::after { content: "a \"quoted\" @word \
  continued"; }
)css";
  EXPECT_EQ(Check(sheet), std::vector<std::string>{});
}

// The real sheets hold no unknown at-rule and nothing left open; their value faults are listed
// and explained by the value checker's own test of them.
TEST(SheetCheck, TheRealSheetsHoldNoAtRuleOrOpenFault) {
  std::string unexpected;
  for (const TSheetFile& sheet : RealSheetFiles()) {
    if (sheet.name.starts_with("corpus/")) {
      continue;
    }
    for (const std::string& line : Check(ReadSheetBytes(sheet.path))) {
      if (line.find("at-rule") != std::string::npos || line.find("unclosed") != std::string::npos) {
        unexpected += sheet.name + ":" + line + "\n";
      }
    }
  }
  EXPECT_EQ(unexpected, "");
}

}  // namespace
}  // namespace qm
