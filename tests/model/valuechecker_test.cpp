// SPDX-License-Identifier: GPL-3.0-or-later
// Values matched against value definition syntaxes: each combinator and multiplier, the basic
// types, the catalogue's own properties, and what is never flagged.
#include <gtest/gtest.h>

#include <string>

#include "model/values/valuechecker.h"

namespace qm {
namespace {

// One property per feature of the syntax, with the named syntaxes they use.
constexpr std::string_view kFeatures =
    "[1]\nname=juxtaposed\nsyntax=a b c\n"
    "[2]\nname=all-of\nsyntax=a && <length> && c\n"
    "[3]\nname=any-of\nsyntax=a || <integer> || c\n"
    "[4]\nname=one-of\nsyntax=a | b | c\n"
    "[5]\nname=grouped\nsyntax=[ a | b ] [ c | d ]\n"
    "[6]\nname=optional\nsyntax=a b?\n"
    "[7]\nname=star\nsyntax=a <number>*\n"
    "[8]\nname=plus\nsyntax=<length>+\n"
    "[9]\nname=hash\nsyntax=<color>#\n"
    "[10]\nname=counted\nsyntax=<length>{2,3}\n"
    "[11]\nname=exactly\nsyntax=<length>{2}\n"
    "[12]\nname=at-least\nsyntax=<length>{2,}\n"
    "[13]\nname=hash-counted\nsyntax=<number>#{1,2}\n"
    "[14]\nname=required\nsyntax=[ a? b? ]!\n"
    "[15]\nname=ranged\nsyntax=<integer [0,∞]> | <number [-1,1]>\n"
    "[16]\nname=referring\nsyntax=<'one-of'> x\n"
    "[17]\nname=punctuated\nsyntax=<number> / <number> , a\n"
    "[18]\nname=functional\nsyntax=twice( <number> , <number> ) | none\n"
    "[19]\nname=named\nsyntax=<pair>\n"
    "[20]\nname=undefined\nsyntax=<nowhere> | a\n"
    "[21]\nname=backtracking\nsyntax=<length>? <length> a?\n"
    "[22]\nname=broken\nsyntax=[ a | b\n"
    "[23]\nname=describe\natrule=@x\nsyntax=a\n"
    "[24]\nname=quoted-literal\nsyntax=a '+' b\n";
constexpr std::string_view kNamed =
    "[syntaxes]\npair=<length> <length>?\ncolor=<hex-color> | red | rgb( <number>#{3} )\n";

struct TCase {
  std::string_view Property;
  std::string_view Value;
  TValueVerdict Verdict;
};

constexpr TValueVerdict V = TValueVerdict::Valid;
constexpr TValueVerdict E = TValueVerdict::Error;
constexpr TValueVerdict W = TValueVerdict::Warning;
constexpr TValueVerdict U = TValueVerdict::Unknown;

TEST(ValueChecker, EachFeatureOfTheSyntaxMatchesWhatItShouldAndNothingElse) {
  const TValueChecker checker = TValueChecker::FromText(kFeatures, kNamed);
  const TCase cases[] = {
      {"juxtaposed", "a b c", V},
      {"juxtaposed", "A  B\tC", V},
      {"juxtaposed", "a c b", E},
      {"juxtaposed", "a b", E},
      {"all-of", "c 1px a", V},
      {"all-of", "a 0 c", V},
      {"all-of", "a c", E},
      {"all-of", "a 1px c a", E},
      {"any-of", "3 a", V},
      {"any-of", "c", V},
      {"any-of", "a a", E},
      {"any-of", "1.5", E},
      {"one-of", "b", V},
      {"one-of", "d", E},
      {"one-of", "a b", E},
      {"grouped", "b d", V},
      {"grouped", "d b", E},
      {"optional", "a", V},
      {"optional", "a b", V},
      {"optional", "b", E},
      {"star", "a", V},
      {"star", "a 1 2.5 -3", V},
      {"star", "a 1px", E},
      {"plus", "1px 2em 0", V},
      {"plus", "", E},
      {"plus", "1px 2", E},
      {"hash", "red, #fff,rgb(1,2,3)", V},
      {"hash", "red,", E},
      {"hash", "red #fff", E},
      {"hash", "rgb(1,2)", E},
      {"counted", "1px 2px", V},
      {"counted", "1px 2px 3px", V},
      {"counted", "1px", E},
      {"counted", "1px 2px 3px 4px", E},
      {"exactly", "1px 2px", V},
      {"exactly", "1px 2px 3px", E},
      {"at-least", "1px 2px 3px 4px 5px", V},
      {"at-least", "1px", E},
      {"hash-counted", "1, 2", V},
      {"hash-counted", "1, 2, 3", E},
      {"required", "a", V},
      {"required", "a b", V},
      {"ranged", "7", V},
      {"ranged", "-0.5", V},
      {"ranged", "-2", E},
      {"ranged", "1.5", E},
      {"referring", "c x", V},
      {"referring", "x", E},
      {"punctuated", "1 / 2, a", V},
      {"punctuated", "1/2,a", V},
      {"punctuated", "1 2, a", E},
      {"functional", "twice(1, 2)", V},
      {"functional", "TWICE( 1 , 2 )", V},
      {"functional", "twice(1)", E},
      {"functional", "twice(1, 2) none", E},
      {"named", "1px 2px", V},
      {"named", "1px 2px 3px", E},
      {"undefined", "a", V},
      {"undefined", "z", U},
      {"backtracking", "1px", V},
      {"backtracking", "1px 2px a", V},
      {"backtracking", "a", E},
      {"broken", "a", U},
      {"quoted-literal", "a + b", V},
      {"quoted-literal", "a - b", E},
      {"describe", "a", E},
      {"nowhere", "a", E},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(checker.Check(c.Property, c.Value).Verdict, c.Verdict)
        << c.Property << ": " << c.Value;
  }
}

TValueChecker Catalogue() {
  return TValueChecker::FromFiles(std::string(QUILLMERE_DATA_DIR) + "/css3.txt",
                                  std::string(QUILLMERE_DATA_DIR) + "/css3syntax.txt");
}

// A comma of the syntax is left out with the optional parts it separates: all before it, all
// after it, or those between it and another comma.
TEST(ValueChecker, ACommaGoesWithTheOptionalPartsItSeparates) {
  const TValueChecker checker = TValueChecker::FromText(
      "[1]\nname=three\nsyntax=f( <number>? , <length>? , <angle>? )\n"
      "[2]\nname=tail\nsyntax=g( [ a || b ]? , <length>? )\n"
      "[3]\nname=list\nsyntax=a [ , b ]*\n"
      "[4]\nname=stops\nsyntax=<length> , [ <number>? , <length> ]#\n",
      "");
  const TCase cases[] = {
      {"three", "f(1, 2px, 3deg)", V},
      {"three", "f(1, 3deg)", V},
      {"three", "f(2px)", V},
      {"three", "f(1)", V},
      {"three", "f(2px, 3deg)", V},
      {"three", "f()", V},
      {"three", "f(1 2px)", E},
      {"three", "f(1, , 3deg)", E},
      {"three", "f(, 1)", E},
      {"tail", "g(a)", V},
      {"tail", "g(b a, 1px)", V},
      {"tail", "g(1px)", V},
      {"tail", "g(a 1px)", E},
      {"list", "a, b, b", V},
      {"list", "a b", E},
      {"stops", "1px, 2px", V},
      {"stops", "1px, 3, 2px, 4px", V},
      {"stops", "1px, 3 2px", E},
      {"stops", "1px 2px", E},
  };
  for (const TCase& one : cases) {
    EXPECT_EQ(checker.Check(one.Property, one.Value).Verdict, one.Verdict)
        << one.Property << ": " << one.Value;
  }
}

TEST(ValueChecker, TheCataloguesPropertiesTakeTheirBasicTypes) {
  const TValueChecker checker = Catalogue();
  const TCase cases[] = {
      {"width", "10px", V},
      {"width", "0", V},
      {"width", "10", E},
      {"width", "50%", V},
      {"width", "calc(100% - 2rem)", V},
      {"width", "10 px", E},
      {"margin", "0 auto", V},
      {"margin", "1px 2px 3px 4px 5px", E},
      {"opacity", ".5", V},
      {"opacity", "50%", V},
      {"z-index", "2", V},
      {"z-index", "2.5", E},
      {"color", "#ff000080", V},
      {"color", "#ff00", V},
      {"color", "#ff00f", E},
      {"color", "CurrentColor", V},
      {"color", "transparent", V},
      {"color", "rebeccapurple", V},
      {"color", "rgb(0 0 0 / 50%)", V},
      {"color", "rgba(0, 0, 0, .5)", V},
      {"color", "hsl(120deg 50% 50%)", V},
      {"color", "Canvas", V},
      {"color", "blu", E},
      {"background-image", "url(a.png)", V},
      {"background-image", "url(\"a.png\"), linear-gradient(to right, red, #00f 50%)", V},
      {"background", "#fff url(x.png) no-repeat right top / 10px auto", V},
      {"background-position", "left 10px top", V},
      {"transition", "opacity .15s linear, transform 1s", V},
      {"transition-duration", "1px", E},
      {"transform", "rotate(45deg) translate(10px, 50%)", V},
      {"font-family", "\"Segoe UI\", Roboto, sans-serif", V},
      {"font", "italic bold 12px/30px Georgia, serif", V},
      {"grid-template-columns", "repeat(3, 1fr) [end] 20px", V},
      {"content", "\"\\201C\"", V},
      {"cursor", "pointer", V},
      {"flex", "1 1 0%", V},
      {"box-shadow", "inset 0 1px 2px rgba(0,0,0,.075), 0 0 0 .25rem #0d6efd40", V},
      {"animation", "spin 1s infinite linear", V},
      {"margin", "1px /* gap */ 2px", V},
      {"margin", "1px/**/2px", V},
      {"width", "+.5e1px", V},
      {"line-height", "1e3", V},
      {"z-index", "1e3", E},
      {"background-image", "url(data:image/png;base64,AA==)", V},
      {"background-image", "URL( 'a.png' )", V},
      {"content", "'it\\'s'", V},
      {"content", "\"a\" attr(title) \"b\"", V},
      {"padding-left", "-1px", E},
      {"padding-left", "calc(1px - 2em)", V},
      {"margin-left", "-1px", V},
      {"clip", "rect(0, 0, 0, 0)", V},
      {"clip", "rect(1px 2px 3px auto)", V},
      {"clip", "rect(1px, 2px 3px, auto)", E},
      {"font-variant", "small-caps", V},
      {"font-variant", "small-caps all-small-caps", E},
      {"font-variant", "ordinal slashed-zero small-caps", V},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(checker.Check(c.Property, c.Value).Verdict, c.Verdict)
        << c.Property << ": " << c.Value << " -> " << checker.Check(c.Property, c.Value).Message;
  }
}

TEST(ValueChecker, WhatIsValidUntilComputedOrNotOursIsNeverFlagged) {
  const TValueChecker checker = Catalogue();
  const TCase cases[] = {
      {"width", "var(--w)", V},
      {"margin", "0 var(--x, 1px) bogus", V},
      {"padding", "env(safe-area-inset-left)", V},
      {"width", "attr(data-w px)", V},
      {"--anything", "{ not css at all", V},
      {"-webkit-appearance", "whatever-it-likes", V},
      {"color", "red !important", V},
      {"color", "red ! IMPORTANT", V},
      {"color", "inherit", V},
      {"display", "revert-layer", V},
      {"width", "unset", V},
      {"text-align", "-webkit-match-parent", W},
      {"display", "-webkit-box", W},
      {"background-image", "-webkit-linear-gradient(top, #fff, #000)", W},
      {"colour", "red", E},
      {"color", "", E},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(checker.Check(c.Property, c.Value).Verdict, c.Verdict)
        << c.Property << ": " << c.Value << " -> " << checker.Check(c.Property, c.Value).Message;
  }
}

TEST(ValueChecker, AnAtRulesDescriptorsHaveTheirOwnSyntax) {
  const TValueChecker checker = Catalogue();
  struct TDescriptorCase {
    std::string_view AtRule;
    std::string_view Name;
    std::string_view Value;
    TValueVerdict Verdict;
  };
  const TDescriptorCase cases[] = {
      {"@font-face", "font-display", "swap", V},
      {"@font-face", "font-display", "fast", E},
      {"@font-face", "src", "url(a.woff2) format(\"woff2\"), local(Arial)", V},
      {"@font-face", "font-weight", "normal", U},  // a descriptor the catalogue lacks
      {"@property", "inherits", "false", V},
  };
  for (const TDescriptorCase& c : cases) {
    EXPECT_EQ(checker.Check(c.Name, c.Value, c.AtRule).Verdict, c.Verdict)
        << c.AtRule << " " << c.Name << ": " << c.Value;
  }
  EXPECT_TRUE(checker.Knows("COLOR"));
  EXPECT_FALSE(checker.Knows("font-display"));  // a descriptor, no property
  // Outside the at-rule the same name is the property.
  EXPECT_EQ(checker.Check("src", "url(a.woff2)").Verdict, E);
}

TEST(ValueChecker, WithoutItsDataTheCheckerJudgesNothing) {
  for (const TValueChecker& checker :
       {TValueChecker::FromFiles("/nonexistent/css3.txt", "/nonexistent/css3syntax.txt"),
        TValueChecker::FromText(std::string(300, '\0') + "[1]\n\xff\xfe=[<", "\x01\x02{")}) {
    EXPECT_EQ(checker.Check("color", "red").Verdict, U);
    EXPECT_EQ(checker.Check("colour", "red").Verdict, U);
  }
}

TEST(ValueChecker, AMismatchSaysWhy) {
  const TValueChecker checker = Catalogue();
  EXPECT_EQ(checker.Check("flex-direction", "colum").Message,
            "`flex-direction`: `colum` is not one of row | row-reverse | column | column-reverse: "
            "did you mean `column`?");
  EXPECT_EQ(checker.Check("accent-color", "12px").Message,
            "`accent-color`: `12px` does not match auto | <color>");
  EXPECT_EQ(checker.Check("colour", "red").Message,
            "`colour` is not a known property: did you mean `color`?");
  // Nothing near enough, or two equally near, suggests nothing.
  EXPECT_EQ(checker.Check("qqqq", "red").Message, "`qqqq` is not a known property");
  EXPECT_EQ(checker.Check("flex-direction", "sideways").Fix, "");
  // A long syntax is cut short in the message and given whole for a tip.
  const TValueCheck display = checker.Check("display", "blocky thing");
  EXPECT_LE(display.Message.size(), 140u) << display.Message;
  EXPECT_TRUE(display.Detail.starts_with("display: [ <display-outside> || <display-inside> ]"))
      << display.Detail;
  EXPECT_EQ(display.FaultStart, 0);
  EXPECT_EQ(display.FaultEnd, 6);
  EXPECT_EQ(checker.Check("text-align", "-webkit-match-parent").Message,
            "`text-align`: `-webkit-match-parent` is valid only with its vendor-prefixed keyword");
}

TEST(ValueChecker, NoValueMakesTheMatchExplodeOrCrash) {
  const TValueChecker checker = TValueChecker::FromText(
      "[1]\nname=nested\nsyntax=[ [ a? ]* [ a? ]* ]* b\n"
      "[2]\nname=unordered\nsyntax=a? || a? || a? || a? || a? || a? || a? || a? || a?\n"
      "[3]\nname=loop\nsyntax=<loop>\n",
      "[syntaxes]\nloop=<loop> | a\n");
  std::string as;
  for (int i = 0; i < 60; ++i) {
    as += "a ";
  }
  EXPECT_EQ(checker.Check("nested", as).Verdict, E);
  EXPECT_EQ(checker.Check("nested", as + "b").Verdict, V);
  EXPECT_NE(checker.Check("unordered", as).Verdict, V);
  EXPECT_EQ(checker.Check("loop", "a").Verdict, U);
  // Values too long or too deep to judge, and values that are cut short, are not flagged.
  std::string deep;
  for (int i = 0; i < 100000; ++i) {
    deep += "calc(";
  }
  EXPECT_EQ(Catalogue().Check("width", deep).Verdict, U);
  EXPECT_EQ(Catalogue().Check("content", "\"open").Verdict, U);
  std::string many;
  for (int i = 0; i < 100; ++i) {
    many += "a, ";
  }
  EXPECT_EQ(Catalogue().Check("font-family", many + "serif").Verdict, U);
}

}  // namespace
}  // namespace qm
