// SPDX-License-Identifier: GPL-3.0-or-later
// The problems kept up to date while a sheet is edited: after every edit, checking again only
// near it gives what a check of the whole sheet gives.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "catalogues.h"
#include "model/check/livecheck.h"
#include "model/text/memorydocument.h"
#include "model/text/textfile.h"
#include "realsheets.h"

namespace qm {

// A problem as a failing comparison shows it.
void PrintTo(const TProblemSpan& problem, std::ostream* out) {
  *out << "[" << problem.Start << "," << problem.End << ") " << problem.Message;
}

namespace {

const TValueChecker& Checker() {
  return Css3Checker();
}

struct TEdit {
  int32_t Index;
  int32_t Length;
  std::string Text;
};

// Carries out each edit and compares the kept-up problems with a fresh whole check.
void ExpectUpdatesMatchFullChecks(std::string text, const std::vector<TEdit>& edits) {
  TMemoryDocument document(std::move(text));
  TModList blocks;
  RebuildBlocks(document, blocks);
  TLiveCheck live;
  live.Update(document, blocks, Checker());
  for (size_t n = 0; n < edits.size(); ++n) {
    const TEdit& edit = edits[n];
    document.Replace(edit.Index, edit.Length, edit.Text);
    UpdateBlocks(document, blocks);
    live.Update(document, blocks, Checker());
    ASSERT_TRUE(live.Describes(document));
    TLiveCheck whole;
    whole.Full(document, blocks, Checker());
    ASSERT_EQ(live.Problems(), whole.Problems())
        << "after edit " << n << ": " << edit.Length << " bytes at " << edit.Index
        << " replaced by \"" << edit.Text << "\"";
  }
}

TEST(LiveCheck, EditsThatOpenAndCloseBlocksStringsAndComments) {
  const std::string sheet =
      "a { color: red; }\n@media print {\n  b { colr: blue; margin: 1px }\n}\n"
      "c { width: 10 }\n@font-face { font-family: x; src: url(a.woff) }\nd { top: 0 }\n";
  const int32_t media = static_cast<int32_t>(sheet.find("@media"));
  const int32_t colr = static_cast<int32_t>(sheet.find("colr"));
  const int32_t c = static_cast<int32_t>(sheet.find("c {"));
  const int32_t end = static_cast<int32_t>(sheet.size());
  ExpectUpdatesMatchFullChecks(sheet, {
                                          {colr + 3, 0, "o"},    // fixed
                                          {colr + 3, 1, ""},     // broken again
                                          {c, 0, "x {"},         // a block left open
                                          {c, 3, ""},            // and gone
                                          {media, 0, "/* "},     // a comment left open
                                          {end, 0, "*/"},        // closed at the end
                                          {end, 2, ""},          // open again
                                          {media, 3, ""},        // gone
                                          {c + 4, 0, "\""},      // a string left open
                                          {c + 4, 1, ""},        // gone
                                          {media, 6, "@medya"},  // an unknown at-rule
                                          {media, 6, "@media"},  // known again
                                          {c - 2, 1, ""},        // @media's "}" deleted
                                          {c - 2, 0, "}"},       // and back
                                          {0, 0, "x { y: 1 }"},  // a rule in front
                                          {0, 10, "}"},          // a stray brace in front
                                          {0, 1, "{"},           // everything nested
                                          {0, 1, ""},            // as it was
                                      });
}

TEST(LiveCheck, EditsInAtRulePreludesAndAttributeSelectors) {
  const std::string sheet =
      "@import url(a.css) layer(x);\n@layer a, b;\n"
      "@media (min-width: 10px) { a[href] { color: red } }\nb { top: 0 }\n";
  const auto at = [&](std::string_view what) { return static_cast<int32_t>(sheet.find(what)); };
  ExpectUpdatesMatchFullChecks(sheet, {
                                          {at("width"), 0, "x"},     // an unknown feature
                                          {at("width"), 1, ""},      // known again
                                          {at("10px"), 4, "10"},     // a value without a unit
                                          {at("10px"), 2, "10px"},   // back
                                          {at(", b"), 0, ";"},       // a statement split
                                          {at(", b"), 1, ""},        // joined again
                                          {at("a, b"), 0, "1"},      // a layer name broken
                                          {at("a, b"), 1, ""},       // fixed
                                          {at("href]") + 4, 1, ""},  // "[" left open
                                          {at("href") + 4, 0, "]"},  // closed
                                          {at("(x)") + 1, 1, "."},   // layer(.)
                                          {at("(x)") + 1, 1, "x"},   // layer(x)
                                          {at("(min"), 0, "{"},      // the prelude cut short
                                          {at("(min"), 1, ""},       // whole again
                                      });
}

TEST(LiveCheck, TypingAndDeletingAllOverARealSheet) {
  const struct {
    const char* Sheet;
    std::vector<std::string> Typed;
    int Edits;
  } cases[] = {
      {"jquery-ui/jquery-ui.css",
       {"e", "; ", "colr: red;", "{", "}", "/*", "*/", "\"", "@x ", ":", "\r\n"},
       60},
      // Braces opened and closed all over: blocks nest deeper and come back out.
      {"jquery-ui/theme.css", {"{", "}", "{", "}}", "a{", "x"}, 100},
  };
  for (const auto& one : cases) {
    SCOPED_TRACE(one.Sheet);
    const std::string text = LoadText(ReadSheetBytes(RealSheetPath(one.Sheet))).Text;
    std::mt19937 random(25);
    std::vector<TEdit> edits;
    int32_t size = static_cast<int32_t>(text.size());
    for (int n = 0; n < one.Edits; ++n) {
      const int32_t index = static_cast<int32_t>(random() % static_cast<uint32_t>(size));
      if (n % 3 == 2) {
        const int32_t length =
            std::min<int32_t>(1 + static_cast<int32_t>(random() % 40), size - index);
        edits.push_back({index, length, ""});
        size -= length;
      } else {
        const std::string& what = one.Typed[random() % one.Typed.size()];
        edits.push_back({index, 0, what});
        size += static_cast<int32_t>(what.size());
      }
    }
    ExpectUpdatesMatchFullChecks(text, edits);
  }
}

TEST(LiveCheck, ProblemAtFindsTheSpanUnderAPlace) {
  const TMemoryDocument document("a { colr: red; width: 10 }");
  TModList blocks;
  RebuildBlocks(document, blocks);
  TLiveCheck live;
  live.Full(document, blocks, Checker());
  ASSERT_EQ(live.Problems().size(), 2u);
  const struct {
    int32_t Index;
    const char* Message;  // the start of the message there, or null for none
  } cases[] = {
      {3, nullptr},          {4, "`colr` is not"},  {7, "`colr` is not"}, {8, nullptr},
      {22, "`width`: `10`"}, {23, "`width`: `10`"}, {24, nullptr},
  };
  for (const auto& one : cases) {
    const TProblemSpan* found = live.ProblemAt(one.Index);
    if (one.Message == nullptr) {
      EXPECT_EQ(found, nullptr) << one.Index;
    } else {
      ASSERT_NE(found, nullptr) << one.Index;
      EXPECT_EQ(found->Message.rfind(one.Message, 0), 0u) << one.Index << ": " << found->Message;
    }
  }
}

}  // namespace
}  // namespace qm
