// SPDX-License-Identifier: GPL-3.0-or-later
// Custom properties: what counts as a definition and a use, which definition applies where,
// what a var() resolves to, and a rename that touches every place and nothing else.
#include "model/assist/customproperties.h"

#include <gtest/gtest.h>

#include "model/text/memorydocument.h"

namespace qm {
namespace {

struct TSheet {
  explicit TSheet(std::string text) : Document(std::move(text)) {
    RebuildBlocks(Document, Blocks);
    Properties = FindCustomProperties(Document, Blocks);
  }
  int32_t Find(std::string_view what, size_t from = 0) const {
    return static_cast<int32_t>(Document.Text().find(what, from));
  }
  TMemoryDocument Document;
  TModList Blocks;
  TCustomProperties Properties;
};

TEST(CustomProperties, DefinitionsAndUsesAreReadAsCode) {
  const TSheet sheet(
      ":root { --brand: #336699; --Brand: red !important; }\n"
      "/* var(--brand) in a comment */\n"
      "a { content: \"var(--brand)\"; background: url(var(--brand)); color: var( /*c*/ --brand"
      " , var(--fallback, blue)); }\n"
      ".b { --empty:; & .c { --nested: var(--brand) } }\n"
      "@property --angle { syntax: '<angle>'; }\n"
      "p { width: VAR(--w); margin: notvar(--x); }");
  std::vector<std::string> definitions;
  for (const auto& definition : sheet.Properties.Definitions) {
    definitions.push_back(definition.Name + (definition.Important ? "!" : ""));
  }
  EXPECT_EQ(definitions, (std::vector<std::string>{"--brand", "--Brand!", "--empty", "--nested"}));
  std::vector<std::string> uses;
  for (const auto& use : sheet.Properties.Uses) {
    uses.push_back(use.Name);
  }
  EXPECT_EQ(uses, (std::vector<std::string>{"--brand", "--fallback", "--brand", "--w"}));
  const TCustomPropertyUse& withFallback = sheet.Properties.Uses[0];
  const std::string_view text = sheet.Document.Text();
  EXPECT_EQ(text.substr(static_cast<size_t>(withFallback.FallbackStart),
                        static_cast<size_t>(withFallback.FallbackEnd - withFallback.FallbackStart)),
            "var(--fallback, blue)");
  EXPECT_EQ(text[static_cast<size_t>(withFallback.End - 1)], ')');
  ASSERT_EQ(sheet.Properties.Registrations.size(), 1U);
  EXPECT_EQ(sheet.Properties.Registrations[0].Name, "--angle");
}

TEST(CustomProperties, TheDefinitionThatAppliesAndWhatItResolvesTo) {
  const TSheet sheet(
      ":root { --a: 1px; --b: var(--a) solid; --c: var(--undefined, var(--b)); "
      "--loop1: var(--loop2); --loop2: var(--loop1); --safe: var(--loop1, 4px); "
      "--bad: var(--nothing); --pick: 1; --pick: 2 !important; --pick: 3; }\n"
      ".card { --a: 2px; border: var(--b); .inner { margin: var(--a); } }\n"
      ".x { --only: x; } .y { --only: y; } .z { top: var(--only) }");
  struct TCase {
    std::string_view Name;
    std::string_view Place;  // the position is the start of this text's first occurrence
    std::string_view Value;
    std::string_view Resolved;
    std::string_view Problem;
  };
  const TCase cases[] = {
      {"--b", ":root", "var(--a) solid", "1px solid", ""},
      {"--b", "border", "var(--a) solid", "2px solid", ""},
      {"--a", "margin", "2px", "2px", ""},
      {"--c", ":root", "var(--undefined, var(--b))", "1px solid", ""},
      {"--loop1", ":root", "var(--loop2)", "", "--loop1 -> --loop2 -> --loop1 is a cycle"},
      {"--safe", ":root", "var(--loop1, 4px)", "4px", ""},
      {"--bad", ":root", "var(--nothing)", "", "--nothing is not defined"},
      {"--pick", ":root", "2", "2", ""},
      {"--none", ":root", "", "", "--none is not defined"},
  };
  for (const TCase& test : cases) {
    const TCustomPropertyValue value = ResolveCustomProperty(
        sheet.Document, sheet.Blocks, sheet.Properties, test.Name, sheet.Find(test.Place));
    EXPECT_EQ(value.Value, test.Value) << test.Name << " at " << test.Place;
    EXPECT_EQ(value.Resolves, test.Problem.empty()) << test.Name << " at " << test.Place;
    EXPECT_EQ(value.Resolved, test.Resolved) << test.Name << " at " << test.Place;
    EXPECT_EQ(value.Problem, test.Problem) << test.Name << " at " << test.Place;
  }
  // Defined in two rules of which neither holds the place nor styles the whole document: both.
  EXPECT_EQ(ApplyingDefinitions(sheet.Document, sheet.Blocks, sheet.Properties, "--only",
                                sheet.Find("top"))
                .size(),
            2U);
}

TEST(CustomProperties, TheTipOverAVarTellsValueAndResolution) {
  const TSheet sheet(
      ":root { --a: 1px; --b: var(--a) solid; --x: var(--y); --y: var(--x); }\n"
      "p { border: var(--b); top: var(--nope, 3px); left: var(--x); }");
  struct TCase {
    std::string_view Place;
    int32_t Offset;
    std::string_view Expected;
  };
  const TCase cases[] = {
      {"var(--b)", 0, "--b: var(--a) solid\nResolves to: 1px solid"},
      {"var(--b)", 6, "--b: var(--a) solid\nResolves to: 1px solid"},
      {"--b:", 1, "--b: var(--a) solid\nResolves to: 1px solid"},
      {"--a:", 0, "--a: 1px"},
      {"var(--nope", 5, "--nope is not defined in this sheet\nResolves to: 3px"},
      {"var(--x)", 4, "--x: var(--y)\nDoes not resolve: --x -> --y -> --x is a cycle"},
      {"border", 0, ""},
  };
  for (const TCase& test : cases) {
    const int32_t at = sheet.Find(test.Place) + test.Offset;
    EXPECT_EQ(CustomPropertyTipAt(sheet.Document, sheet.Blocks, at), test.Expected) << test.Place;
  }
}

TEST(CustomProperties, RenameChangesEveryPlaceOrSaysWhyNot) {
  const std::string text =
      ":root { --brand: blue; --other: red; }\n"
      "/* --brand stays in a comment */ a { color: var(--brand, var(--brand)); "
      "content: \"var(--brand)\"; & b { --brand: green } }\n"
      "@property --brand { inherits: true; }";
  const TSheet sheet(text);
  const int32_t caret = sheet.Find("color");
  const TRenamePlan plan =
      PlanCustomPropertyRename(sheet.Document, sheet.Properties, "--brand", "--accent", caret);
  ASSERT_TRUE(plan.Refusal.empty()) << plan.Refusal;
  EXPECT_EQ(plan.Count, 5);
  TMemoryDocument renamed(text);
  const int32_t caretAfter = ApplyBatch(plan.Batch, renamed);
  EXPECT_EQ(renamed.Text(),
            ":root { --accent: blue; --other: red; }\n"
            "/* --brand stays in a comment */ a { color: var(--accent, var(--accent)); "
            "content: \"var(--brand)\"; & b { --accent: green } }\n"
            "@property --accent { inherits: true; }");
  EXPECT_EQ(renamed.Text().substr(static_cast<size_t>(caretAfter), 5), "color");

  struct TCase {
    std::string_view From;
    std::string_view To;
    std::string_view Refusal;
  };
  const TCase refused[] = {
      {"--brand", "--other",
       "The name --other is taken: another custom property of this sheet has it."},
      {"--brand", "brand",
       "\"brand\" is no custom property name: it starts with \"--\" and holds letters, digits, "
       "\"-\" and \"_\" only."},
      {"--brand", "--a b",
       "\"--a b\" is no custom property name: it starts with \"--\" and holds letters, digits, "
       "\"-\" and \"_\" only."},
      {"--missing", "--new", "--missing is neither defined nor used in this sheet."},
  };
  for (const TCase& test : refused) {
    const TRenamePlan no =
        PlanCustomPropertyRename(sheet.Document, sheet.Properties, test.From, test.To, caret);
    EXPECT_EQ(no.Refusal, test.Refusal) << test.To;
    EXPECT_TRUE(no.Batch.Empty());
  }
}

TEST(CustomProperties, CompletionAfterVarListsTheSheetsNames) {
  const TSheet sheet(
      ":root { --brand: #336699; --bg: linear-gradient(to right, red 0%, blue 50%, green 100%); }\n"
      "a { color: var(--b); top: var( ); /* var(-- */ left: calc(var(--x) + 1px); top: var(margin "
      "}");
  struct TCase {
    std::string_view Place;
    int32_t Offset;
    bool Found;
    std::string_view Prefix;
  };
  const TCase cases[] = {
      {"var(--b)", 6, true, "--"}, {"var(--b)", 7, true, "--b"}, {"var( )", 5, true, ""},
      {"var(-- */", 6, false, ""}, {"color", 2, false, ""},      {"var(--x)", 7, true, "--x"},
      {"var(margin", 4, true, ""},
  };
  for (const TCase& test : cases) {
    const int32_t at = sheet.Find(test.Place) + test.Offset;
    const std::optional<TVarCompletion> found = VarCompletionAt(sheet.Document, at);
    ASSERT_EQ(found.has_value(), test.Found) << test.Place << test.Offset;
    if (found) {
      EXPECT_EQ(found->Prefix, test.Prefix) << test.Place << test.Offset;
    }
  }
  const std::vector<TVarCandidate> candidates =
      VarCandidates(sheet.Document, sheet.Properties, "--b");
  ASSERT_EQ(candidates.size(), 2U);
  EXPECT_EQ(candidates[0].Name, "--bg");
  EXPECT_EQ(candidates[0].Value, "linear-gradient(to right, red 0%, blu...");
  EXPECT_EQ(candidates[1].Name, "--brand");
  EXPECT_EQ(candidates[1].Value, "#336699");
}

}  // namespace
}  // namespace qm
