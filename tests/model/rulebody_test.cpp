// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/sheet/rulebody.h"

#include <gtest/gtest.h>

#include <string>

namespace qm {
namespace {

// The names and values a rule's braces hold, as the parser finds them: "name=value" with "!"
// after an important one, and "[...]" for each nested rule or at-rule.
std::string Items(const std::string& text) {
  const auto open = static_cast<int32_t>(text.find('{'));
  const auto close = static_cast<int32_t>(text.rfind('}'));
  const TRuleBody body = ParseRuleBody(text, open, close);
  const auto slice = [&](int32_t from, int32_t to) {
    return text.substr(static_cast<size_t>(from), static_cast<size_t>(to - from));
  };
  std::string result;
  size_t nested = 0;
  for (const TDeclarationItem& item : body.Declarations) {
    while (nested < body.Nested.size() && body.Nested[nested].Start < item.NameStart) {
      result += "[" + slice(body.Nested[nested].Start, body.Nested[nested].End) + "] ";
      ++nested;
    }
    result += slice(item.NameStart, item.NameEnd) + "=" + slice(item.ValueStart, item.ValueEnd) +
              (item.Important ? "! " : " ");
  }
  for (; nested < body.Nested.size(); ++nested) {
    result += "[" + slice(body.Nested[nested].Start, body.Nested[nested].End) + "] ";
  }
  return result + (body.NeedsSemicolon ? "+;" : ".");
}

struct BodyCase {
  std::string name;
  std::string text;
  std::string items;
};

class RuleBodyTable : public testing::TestWithParam<BodyCase> {};

TEST_P(RuleBodyTable, FindsTheDeclarationsOfTheRuleItself) {
  EXPECT_EQ(Items(GetParam().text), GetParam().items);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RuleBodyTable,
    testing::Values(
        BodyCase{"plain", "a { color: red; margin: 0 }", "color=red margin=0 +;"},
        BodyCase{"empty", "a { }", "."},
        BodyCase{"name_in_a_string", "a { content: \"x; color: y\"; }",
                 "content=\"x; color: y\" ."},
        BodyCase{"escaped_quote", "a { content: \"\\\";\"; b: 1 }", "content=\"\\\";\" b=1 +;"},
        BodyCase{"single_quotes", "a { content: ';'; b: 1; }", "content=';' b=1 ."},
        BodyCase{"multi_line", "a {\n  font-family: a,\n    b;\n}", "font-family=a,\n    b ."},
        BodyCase{"comment_between_name_and_colon", "a { color /* x */ : red }", "color=red +;"},
        BodyCase{"comments_around_the_value", "a { color: /* a */ red /* b */; }", "color=red ."},
        BodyCase{"important", "a { color: red !important; margin: 0 ! IMPORTANT }",
                 "color=red! margin=0! +;"},
        BodyCase{"data_url", "a { b: url(data:x;base64,AA==) }", "b=url(data:x;base64,AA==) +;"},
        // An unquoted url() holds no comment, string or brace: they are the address's bytes.
        BodyCase{"comment_opener_in_a_url", "a { b: url(img/*.png); c: d }",
                 "b=url(img/*.png) c=d +;"},
        BodyCase{"quote_and_braces_in_a_url", "a { b: url(x'{}.png) 1px; c: d; }",
                 "b=url(x'{}.png) 1px c=d ."},
        BodyCase{"comment_after_a_url", "a { b: url(x/*y) /* z; */; c: d; }", "b=url(x/*y) c=d ."},
        // Left open, it swallows nothing, as a bracket left open does not.
        BodyCase{"url_left_open", "a { b: url(x/*y; c: d }", "b=url(x/*y c=d +;"},
        BodyCase{"unclosed_parenthesis", "a { width: calc(; color: red }",
                 "width=calc( color=red +;"},
        BodyCase{"custom_property_with_braces", "a { --x: { b: c; }; d: e; }",
                 "--x={ b: c; } d=e ."},
        BodyCase{"nested_rules",
                 "a { color: red; &:hover { color: blue } .b & { c: d; } @media print { e: f } "
                 "g: h; }",
                 "color=red [&:hover { color: blue }] [.b & { c: d; }] [@media print { e: f }] "
                 "g=h ."},
        BodyCase{"nested_rule_spelled_like_a_declaration", "a { b:hover { c: d } }",
                 "[b:hover { c: d }] ."},
        BodyCase{"at_rule_statement", "a { @apply x; color: red }", "[@apply x;] color=red +;"},
        BodyCase{"junk", "a { color: red; junk }", "color=red +;"},
        BodyCase{"old_hacks", "a { *zoom: 1; _height: 1px }", "*zoom=1 _height=1px +;"},
        BodyCase{"empty_value", "a { color:; margin: }", "color= margin= +;"},
        BodyCase{"nul_byte", std::string("a { content: \"\0\"; b: c }", 24),
                 std::string("content=\"\0\" b=c +;", 18)}),
    [](const auto& info) { return info.param.name; });

struct KindCase {
  std::string name;
  std::string text;  // the block's "{" is the last one
  TBlockKind kind;
};

class PreludeKindTable : public testing::TestWithParam<KindCase> {};

TEST_P(PreludeKindTable, TellsTheKindFromTheTextInFrontOfTheBrace) {
  const std::string& text = GetParam().text;
  EXPECT_EQ(KindOfPrelude(text, 0, static_cast<int32_t>(text.rfind('{'))), GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PreludeKindTable,
    testing::Values(KindCase{"selector", "a.b > c {", TBlockKind::StyleRule},
                    KindCase{"after_a_rule", "@media print { } a {", TBlockKind::StyleRule},
                    KindCase{"after_a_statement", "@import url(a;b.css); a {",
                             TBlockKind::StyleRule},
                    KindCase{"media", "/* x */ @media (min-width: 1px) {", TBlockKind::GroupRule},
                    KindCase{"supports", "@supports (display: grid) {", TBlockKind::GroupRule},
                    KindCase{"layer", "@layer base {", TBlockKind::GroupRule},
                    KindCase{"container", "@container card (width > 1px) {", TBlockKind::GroupRule},
                    KindCase{"prefixed_keyframes", "@-webkit-keyframes k {", TBlockKind::GroupRule},
                    KindCase{"font_face", "@font-face {", TBlockKind::DeclarationAtRule},
                    KindCase{"page", "@page :first {", TBlockKind::DeclarationAtRule},
                    KindCase{"property", "@property --x {", TBlockKind::DeclarationAtRule},
                    KindCase{"nested_in_a_rule", "a { color: red; & b {", TBlockKind::StyleRule},
                    KindCase{"custom_property_value", "a { --x: {", TBlockKind::Value},
                    KindCase{"in_a_string", "a { content: \"{\" }", TBlockKind::Value},
                    KindCase{"in_a_comment", "a { /* { */ b /* { */ }", TBlockKind::Value},
                    KindCase{"after_an_open_quote", "a { b: \"x\n}\nc {", TBlockKind::StyleRule}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace qm
