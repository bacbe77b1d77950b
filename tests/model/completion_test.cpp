// SPDX-License-Identifier: GPL-3.0-or-later
// Completion at the caret: which word the caret is in and what it can become, from the current
// CSS catalogue and value syntaxes; and the text a choice puts in place.
#include "model/assist/completion.h"

#include <gtest/gtest.h>

#include <string>

#include "model/catalogue/catalogue.h"
#include "model/text/memorydocument.h"
#include "model/values/valuechecker.h"

namespace qm {
namespace {

using K = TCompletionKind;

// A text with "|" where the caret is, as a document with its blocks.
struct TAtCaret {
  explicit TAtCaret(std::string_view marked) {
    std::string text(marked);
    Caret = static_cast<int32_t>(text.find('|'));
    text.erase(static_cast<size_t>(Caret), 1);
    Document = std::make_unique<TMemoryDocument>(text);
    RebuildBlocks(*Document, Blocks);
  }
  TCompletionContext Context() const { return CompletionContextAt(*Document, Blocks, Caret); }

  std::unique_ptr<TMemoryDocument> Document;
  TModList Blocks;
  int32_t Caret = 0;
};

struct TCurrentCss {
  TCurrentCss() { Catalogue.LoadCatalogue(std::string(QUILLMERE_DATA_DIR) + "/css3.txt"); }
  TCompletionSources Sources() const { return {&Catalogue, &Checker}; }

  TInspectorCollection Catalogue;
  TValueChecker Checker =
      TValueChecker::FromFiles(std::string(QUILLMERE_DATA_DIR) + "/css3.txt",
                               std::string(QUILLMERE_DATA_DIR) + "/css3syntax.txt");
};

const TCurrentCss& CurrentCss() {
  static const TCurrentCss css;
  return css;
}

TEST(Completion, TheContextIsToldFromTheCaretsRuleAndLine) {
  struct TCase {
    std::string_view Text;
    TCompletionKind Kind;
    std::string_view Prefix;
    std::string_view Property;  // or, for an at-rule, the at-rule of the block around it
  };
  const TCase cases[] = {
      {"a { col| }", K::Property, "col", ""},
      {"a {\r\n  color: red;\r\n  back|\r\n}", K::Property, "back", ""},
      {"a { color: red; |}", K::Property, "", ""},
      {"a { b {} marg| }", K::Property, "marg", ""},
      {"a { disp|", K::Property, "disp", ""},  // a rule still being typed at the end
      {"@media print { a { disp|", K::Property, "disp", ""},
      {"a { display: fl| }", K::Value, "fl", "display"},
      {"a { DISPLAY :|}", K::Value, "", "display"},
      {"a { margin: 0 au|; }", K::Value, "au", "margin"},
      {"a { border: 1px so| }", K::Value, "so", "border"},
      {"a { width: 12p| }", K::Unit, "p", "width"},
      {"a { width: -1.5e| }", K::Unit, "e", "width"},
      {"a { width: calc(100% - 2r|) }", K::Unit, "r", "width"},
      {"a { background: url(x|) }", K::None, "x", ""},
      {"a { color: var(--x|) }", K::None, "--x", ""},
      {"a { grid-template-columns: repeat(au|) }", K::Value, "au", "grid-template-columns"},
      {"a { grid-area: [a|] }", K::None, "a", ""},
      {"a { color: #ff|f }", K::None, "ff", ""},
      {"a { color: red !imp| }", K::None, "imp", ""},
      {"@me|", K::AtRule, "me", ""},
      {"a {} @|", K::AtRule, "", ""},
      {"a { @med| }", K::AtRule, "med", ""},
      {"@page { @top-l| }", K::AtRule, "top-l", "@page"},
      {"@media print { @|}", K::AtRule, "", "@media"},
      {"a { color: @x| }", K::None, "x", ""},
      {"a@b| {}", K::None, "b", ""},
      {"col|", K::None, "col", ""},
      {"a {} b|", K::None, "b", ""},
      {"a:ho|ver { color: red }", K::None, "ho", ""},
      {"a { b c| {} }", K::None, "c", ""},
      {"@media print { di| a {} }", K::None, "di", ""},
      {"/* a { col| */", K::None, "col", ""},
      {"a { /* col| */ }", K::None, "col", ""},
      {"a { content: \"co|", K::None, "co", ""},
      {"a { content: 'x'; /* x */ wid| }", K::Property, "wid", ""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    const TCompletionContext context = TAtCaret(c.Text).Context();
    EXPECT_EQ(context.Kind, c.Kind);
    if (c.Kind == K::None) {
      continue;
    }
    EXPECT_EQ(context.Prefix, c.Prefix);
    EXPECT_EQ(c.Kind == K::AtRule ? context.AtRule : context.Property, c.Property);
  }
}

TEST(Completion, TheWordReplacedRunsOnPastTheCaret) {
  const TAtCaret at("a { bac|kground: red }");
  const TCompletionContext context = at.Context();
  ASSERT_EQ(context.Kind, K::Property);
  EXPECT_EQ(context.Start, 4);
  EXPECT_EQ(context.End, 14);
  EXPECT_TRUE(context.ColonFollows);
  const TTextEdit edit = PlanCompletion(context, "background-color");
  EXPECT_EQ(edit, (TTextEdit{4, 14, "background-color", 20}));
}

TEST(Completion, AChoiceIsFollowedByWhatComesNextAndNothingElse) {
  struct TCase {
    std::string_view Text;
    std::string_view Chosen;
    std::string_view After;
  };
  const TCase cases[] = {
      {"a { col| }", "color", "a { color: | }"},
      {"a { display: fl| }", "flex", "a { display: flex| }"},
      {"a { width: 12p| }", "px", "a { width: 12px| }"},
      {"@me|", "media", "@media |"},
      {"a { COL|OR: red }", "color", "a { color|: red }"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    const TAtCaret at(c.Text);
    const TTextEdit edit = PlanCompletion(at.Context(), c.Chosen);
    std::string text(at.Document->Text());
    text.replace(static_cast<size_t>(edit.Start), static_cast<size_t>(edit.End - edit.Start),
                 edit.Text);
    text.insert(static_cast<size_t>(edit.Caret), "|");
    EXPECT_EQ(text, c.After);
  }
}

// The first candidates, and how many there are in all (-1: not counted).
struct TListCase {
  std::string_view Text;
  std::vector<std::string> First;
  int Count = -1;
};

TEST(Completion, CandidatesComeFromTheCataloguesDataInTheOrderTheListShowsThem) {
  const TListCase cases[] = {
      {"a { align-i| }", {"align-items"}, 1},
      {"a { COLUMN-R| }",
       {"column-rule", "column-rule-color", "column-rule-style", "column-rule-width"},
       4},
      {"a { xyzzy| }", {}, 0},
      // A descriptor belongs in its at-rule's block, and only there.
      {"@font-face { font-d| }", {"font-display"}, 1},
      {"a { font-d| }", {}, 0},
      // Descriptors that share a property's name are the block's own too; other properties not.
      {"@font-face { font-| }",
       {"font-display", "font-family", "font-feature-settings", "font-language-override",
        "font-named-instance", "font-stretch", "font-style", "font-variant",
        "font-variation-settings", "font-weight", "font-width"},
       11},
      {"@FONT-FACE { font-fam| }", {"font-family"}, 1},
      {"@font-palette-values --p { font-f| }", {"font-family"}, 1},
      {"@font-face { col| }", {}, 0},
      {"@font-face { font-display: sw| }", {"swap"}, 1},
      // @page takes its descriptors and the properties of the page box.
      {"@page { si| }", {"size"}, 1},
      {"@page { margin-l| }", {"margin-left"}, 1},
      {"a { display: fl| }", {"flow", "flow-root", "flex"}, 3},
      {"a { display: inline-f| }", {"inline-flex"}, 1},
      // Keywords of the syntaxes a property names: border-style's through <line-style>.
      {"a { border-top-style: d| }", {"dotted", "dashed", "double"}, 3},
      {"a { color: |}", {"currentcolor", "transparent", "aliceblue", "antiquewhite"}, -1},
      // Once a word has begun, the closest colour names come first.
      {"a { background-color: re| }", {"red", "rebeccapurple", "revert", "revert-layer"}, 4},
      {"a { color: bl| }", {"blue", "black", "blueviolet", "blanchedalmond"}, 4},
      {"a { text-align: in| }", {"inherit", "initial"}, 2},
      {"a { --x: in| }", {}, 0},
      {"a { nonsense: in| }", {}, 0},
      {"a { width: 12p| }", {"px", "pt", "pc"}, 3},
      {"a { transition-duration: 2| }", {"s", "ms"}, 2},
      {"a { transform: rotate(45d| }", {"deg"}, 1},
      {"a { transform: translate(4| }", {"px", "em"}, -1},
      {"a { width: calc(1| }", {"px", "em"}, -1},
      {"a { transform: 4| }", {}, 0},
      {"a { flex: 1| }", {"px", "em"}, -1},
      {"a { grid-template-columns: 1f| }", {"fr"}, 1},
      {"a { z-index: 1| }", {}, 0},
      // In a function's brackets, that function's own arguments, not the property's words.
      // The words of every form of repeat() the syntax names, its track sizes' among them.
      {"a { grid-template-columns: repeat(|) }",
       {"min-content", "max-content", "auto", "auto-fill", "auto-fit"},
       5},
      {"a { grid-template-columns: repeat(au| }", {"auto", "auto-fill", "auto-fit"}, 3},
      {"a { grid-template-columns: repeat(auto-fill, minmax(a|)) }", {"auto"}, -1},
      {"a { color: color-mix(|) }", {"in"}, -1},
      {"a { background: linear-gradient(red, bl| }", {"blue", "black"}, -1},
      {"a { width: calc(a|) }", {}, 0},
      {"a { display: nosuch(|) }", {}, 0},
      {"@me|", {"media"}, 1},
      {"@ch|", {"charset"}, 1},
      {"a { @s| }", {"scope", "starting-style", "supports"}, 3},
      {"@page { @top-left| }", {"top-left", "top-left-corner"}, 2},
      {"col|", {}, 0},
  };
  for (const TListCase& c : cases) {
    SCOPED_TRACE(c.Text);
    const std::vector<std::string> found =
        CompletionCandidates(TAtCaret(c.Text).Context(), CurrentCss().Sources());
    ASSERT_GE(found.size(), c.First.size());
    EXPECT_EQ(std::vector<std::string>(found.begin(), found.begin() + c.First.size()), c.First);
    if (c.Count >= 0) {
      EXPECT_EQ(static_cast<int>(found.size()), c.Count);
    }
  }
}

TEST(Completion, AValueListEndsWithTheKeywordsEveryPropertyTakes) {
  const std::vector<std::string> found =
      CompletionCandidates(TAtCaret("a { color: |}").Context(), CurrentCss().Sources());
  ASSERT_GT(found.size(), 150u);
  EXPECT_EQ(std::vector<std::string>(found.end() - 5, found.end()),
            (std::vector<std::string>{"inherit", "initial", "unset", "revert", "revert-layer"}));
  EXPECT_NE(std::find(found.begin(), found.end(), "rebeccapurple"), found.end());
}

TEST(Completion, AnOlderLevelOffersItsOwnPropertiesOnly) {
  TInspectorCollection css1;
  css1.LoadCatalogue(std::string(QUILLMERE_DATA_DIR) + "/css1.txt");
  const TCompletionSources sources{&css1, &CurrentCss().Checker};
  EXPECT_EQ(CompletionCandidates(TAtCaret("a { fle| }").Context(), sources),
            std::vector<std::string>{});
  EXPECT_EQ(CompletionCandidates(TAtCaret("a { font-we| }").Context(), sources),
            std::vector<std::string>{"font-weight"});
  // Without value syntaxes, the catalogue's own list of values.
  const std::vector<std::string> values =
      CompletionCandidates(TAtCaret("a { font-weight: bo| }").Context(), {&css1, nullptr});
  EXPECT_EQ(values, (std::vector<std::string>{"bold", "bolder"}));
}

}  // namespace
}  // namespace qm
