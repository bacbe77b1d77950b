// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/program/previewpage.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "model/asciicase.h"
#include "model/text/memorydocument.h"

namespace qm {
namespace {

struct SampleCase {
  const char* name;
  std::string kind;
  std::string selector;
  std::vector<std::string> lines;
};

void PrintTo(const SampleCase& c, std::ostream* out) {
  *out << c.name;
}

class PreviewSampleLines : public testing::TestWithParam<SampleCase> {};

TEST_P(PreviewSampleLines, OneLinePerElementNameClassOrID) {
  const SampleCase& c = GetParam();
  EXPECT_EQ(SampleLines(TItmRecord{0, 5, c.kind, c.selector}), c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PreviewSampleLines,
    testing::Values(
        SampleCase{"two_elements",
                   "Element",
                   "h1, h2",
                   {"<h1>h1 [Element]</h1><br>", "<h2>h2 [Element]</h2><br>"}},
        SampleCase{"blanks_separate_and_case_folds",
                   "Element",
                   "DIV P",
                   {"<div>div [Element]</div><br>", "<p>p [Element]</p><br>"}},
        SampleCase{
            "link_pseudo_class", "Element", "a:hover", {"<a href=\"http://\">a:hover</a><br>"}},
        // li occurs inside "a:link", so it is shown as a link too; b occurs nowhere there.
        SampleCase{"li_is_a_link", "Element", "li", {"<a href=\"http://\">li</a><br>"}},
        SampleCase{"b_is_an_element", "Element", "b", {"<b>b [Element]</b><br>"}},
        SampleCase{"empty_names_skipped",
                   "Element",
                   "h1,,em,",
                   {"<h1>h1 [Element]</h1><br>", "<em>em [Element]</em><br>"}},
        SampleCase{"class", "Class", ".note", {"<div class=\"note\">.note [Class]</div><br>"}},
        SampleCase{"class_loses_only_its_first_dot",
                   "Class",
                   "p.note.Big",
                   {"<div class=\"pnote.Big\">p.note.Big [Class]</div><br>"}},
        SampleCase{"id", "ID", "#top", {"<div ID=\"top\">#top [ID]</div><br>"}},
        SampleCase{"id_loses_only_its_first_hash",
                   "ID",
                   "div#a#b",
                   {"<div ID=\"diva#b\">div#a#b [ID]</div><br>"}},
        SampleCase{"other_kind", "", "@media print", {}},
        SampleCase{"at_rule_text_holding_a_class", "Class", "@media (max-width: 600px) { .a", {}},
        // Names are text: markup in them shows as written and never becomes a tag or attribute.
        SampleCase{"class_with_markup",
                   "Class",
                   ".x\"><img src=x onerror=alert(1)>",
                   {"<div class=\"x&quot;&gt;&lt;img src=x onerror=alert(1)&gt;\">"
                    ".x&quot;&gt;&lt;img src=x onerror=alert(1)&gt; [Class]</div><br>"}},
        SampleCase{
            "id_with_markup",
            "ID",
            "#a<script>'&",
            {"<div ID=\"a&lt;script&gt;&#39;&amp;\">#a&lt;script&gt;&#39;&amp; [ID]</div><br>"}},
        SampleCase{"element_that_cannot_be_a_tag",
                   "Element",
                   "a,<img/src=x/onerror=alert(1)>,b>",
                   {"<a href=\"http://\">a</a><br>",
                    "<span>&lt;img/src=x/onerror=alert(1)&gt; [Element]</span><br>",
                    "<span>b&gt; [Element]</span><br>"}}),
    [](const auto& info) { return std::string(info.param.name); });

TModList BlocksOf(const std::string& sheet) {
  TModList blocks;
  RebuildBlocks(TMemoryDocument(sheet), blocks);
  return blocks;
}

TEST(PreviewPage, GeneratedPageHasTheSampleLinesAboveTheMarkerAndTheSheetInItsHead) {
  const std::string sheet = "h1, h2 { }\r\n.note { }\r\n#top { }\r\na:hover { }";
  const TModList blocks = BlocksOf(sheet);
  const std::vector<std::string> templateLines = PageLines(
      "<html>\n<head>\n<title>T</title>\n</head>\n<body>\n<h1>Sample</h1>\n"
      "<!--this is for QUILLMERE--!>\n<p>end</p>\n</body>\n</html>");
  EXPECT_EQ(BuildPreviewPage(templateLines, &blocks, sheet, ""),
            "<html>\r\n<head>\r\n<title>T</title>\r\n"
            "<style type=\"text/css\" >\r\n" +
                sheet +
                "\r\n</style>\r\n</head>\r\n<body>\r\n<h1>Sample</h1>\r\n"
                "<h1>h1 [Element]</h1><br>\r\n"
                "<h2>h2 [Element]</h2><br>\r\n"
                "<div class=\"note\">.note [Class]</div><br>\r\n"
                "<div ID=\"top\">#top [ID]</div><br>\r\n"
                "<a href=\"http://\">a:hover</a><br>\r\n"
                "<!--this is for QUILLMERE--!>\r\n<p>end</p>\r\n</body>\r\n</html>\r\n");
}

TEST(PreviewPage, AChosenPageGetsNoSampleLines) {
  const TModList blocks = BlocksOf("h1 { }");
  EXPECT_EQ(BuildPreviewPage(PageLines("<head></head>\r\n<!--This is For Quillmere--!>"), nullptr,
                             "h1 { }", ""),
            "<head><style type=\"text/css\" >\r\nh1 { }\r\n</style>\r\n</head>\r\n"
            "<!--This is For Quillmere--!>\r\n");
}

struct InsertCase {
  const char* name;
  std::string page;
  std::string expected;
};

void PrintTo(const InsertCase& c, std::ostream* out) {
  *out << c.name;
}

class PreviewWithoutMarker : public testing::TestWithParam<InsertCase> {};

TEST_P(PreviewWithoutMarker, SampleLinesEndTheBody) {
  const TModList blocks = BlocksOf("h1 { } .x { }");
  EXPECT_EQ(JoinPageLines(InsertSampleLines(PageLines(GetParam().page), blocks)),
            GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PreviewWithoutMarker,
    testing::Values(
        InsertCase{"marker_only_as_part_of_a_line", "<p><!--This is For Quillmere--!></p>\n</body>",
                   "<p><!--This is For Quillmere--!></p>\r\n<h1>h1 [Element]</h1><br>\r\n"
                   "<div class=\"x\">.x [Class]</div><br>\r\n</body>\r\n"},
        InsertCase{"indented_body_end", "<p>a</p>\n  </BODY>\n</html>",
                   "<p>a</p>\r\n<h1>h1 [Element]</h1><br>\r\n"
                   "<div class=\"x\">.x [Class]</div><br>\r\n  </BODY>\r\n</html>\r\n"},
        InsertCase{"body_ends_inside_a_line", "<p>a</p></body></html>",
                   "<p>a</p>\r\n<h1>h1 [Element]</h1><br>\r\n"
                   "<div class=\"x\">.x [Class]</div><br>\r\n</body></html>\r\n"},
        InsertCase{"no_body_end", "<p>a</p>",
                   "<p>a</p>\r\n<h1>h1 [Element]</h1><br>\r\n"
                   "<div class=\"x\">.x [Class]</div><br>\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

struct StyleCase {
  const char* name;
  std::string page;
  std::string base;
  std::string expected;  // "@" stands for the style element
};

void PrintTo(const StyleCase& c, std::ostream* out) {
  *out << c.name;
}

class PreviewStyleElement : public testing::TestWithParam<StyleCase> {};

TEST_P(PreviewStyleElement, GoesIntoTheHeadWithTheBaseAddress) {
  const StyleCase& c = GetParam();
  std::string expected = c.expected;
  expected.replace(expected.find('@'), 1, "<style type=\"text/css\" >\r\np{}\r\n</style>\r\n");
  EXPECT_EQ(AddStyleSheet(c.page, "p{}", c.base), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PreviewStyleElement,
    testing::Values(
        StyleCase{"lower_case_head_end", "<head>\r\n</head><body>", "", "<head>\r\n@</head><body>"},
        StyleCase{"capital_head_end", "<HEAD>\r\n</HEAD>\r\n<BODY>", "",
                  "<HEAD>\r\n@</HEAD>\r\n<BODY>"},
        StyleCase{"first_head_end_only", "</head></head>", "", "@</head></head>"},
        StyleCase{"no_head_end_before_the_body", "<html><BODY class=\"a\"><body>", "",
                  "<html>@<BODY class=\"a\"><body>"},
        StyleCase{"bodyless_tag_is_no_body", "<bodytext><p>x</p>", "", "@<bodytext><p>x</p>"},
        StyleCase{"neither_at_the_start", "<p>x</p>", "", "@<p>x</p>"},
        StyleCase{"base_after_the_head_tag",
                  "<head lang=\"en\">\r\n<link href=\"a.css\">\r\n</head>", "file:///site/",
                  "<head lang=\"en\">\r\n<base href=\"file:///site/\">\r\n"
                  "<link href=\"a.css\">\r\n@</head>"},
        StyleCase{"header_is_no_head", "<header></header><body>", "file:///s/",
                  "<header></header><base href=\"file:///s/\">\r\n@<body>"},
        StyleCase{"base_with_the_style_when_no_head_tag", "</HEAD>", "file:///s/",
                  "<base href=\"file:///s/\">\r\n@</HEAD>"},
        StyleCase{"page_keeps_its_own_base", "<head><BASE href=\"http://x/\"></head>", "file:///s/",
                  "<head><BASE href=\"http://x/\">@</head>"},
        StyleCase{"base_attribute_escaped", "<head></head>", "file:///a&b/\"c\"/",
                  "<head>\r\n<base href=\"file:///a&amp;b/&quot;c&quot;/\">@</head>"}),
    [](const auto& info) { return std::string(info.param.name); });

struct SheetCase {
  const char* name;
  std::string sheet;
  std::string content;  // what the style element holds
};

void PrintTo(const SheetCase& c, std::ostream* out) {
  *out << c.name;
}

class PreviewHostileSheet : public testing::TestWithParam<SheetCase> {};

// The style element ends where the page closes it, whatever the sheet holds: the first end tag
// of a style element, in any letter case, is the page's own.
TEST_P(PreviewHostileSheet, CannotEndTheStyleElement) {
  const SheetCase& c = GetParam();
  const std::string page = AddStyleSheet("<head></head>", c.sheet, "");
  EXPECT_EQ(page, "<head><style type=\"text/css\" >\r\n" + c.content + "\r\n</style>\r\n</head>");
  EXPECT_EQ(AsciiLowerCase(page).find("</style"), page.size() - 17);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PreviewHostileSheet,
    testing::Values(
        SheetCase{"script_in_a_comment", "/* </style><script>alert(1)</script> */ h1 { }",
                  "/* <\\/style><script>alert(1)<\\/script> */ h1 { }"},
        SheetCase{"capitals_and_blank", "a{} /* </STYLE >x */", "a{} /* <\\/STYLE >x */"},
        // "<!--" means nothing to a style element, so it cannot hide an end tag either.
        SheetCase{"inside_markup_comment", "<!-- </style> -->", "<!-- <\\/style> -->"},
        SheetCase{"in_a_string_and_a_url", "a{content:\"</style>\";background:url(</x)}",
                  "a{content:\"<\\/style>\";background:url(<\\/x)}"},
        SheetCase{"at_the_very_end", "a{}</", "a{}<\\/"},
        // The "/" opens a comment, which an escape would undo; no tag name can follow it.
        SheetCase{"comment_after_a_less_than", "a</*c*/{}", "a</*c*/{}"}),
    [](const auto& info) { return std::string(info.param.name); });

struct StylesBeforeCase {
  const char* name;
  std::string page;
  int32_t count;
};

void PrintTo(const StylesBeforeCase& c, std::ostream* out) {
  *out << c.name;
}

class PreviewStylesBefore : public testing::TestWithParam<StylesBeforeCase> {};

// The live preview finds the sheet's style element in the shown page by this count.
TEST_P(PreviewStylesBefore, CountsTheStyleElementsABrowserListsBeforeTheSheets) {
  int32_t count = -1;
  BuildPreviewPage(PageLines(GetParam().page), nullptr, "p{}", "", &count);
  EXPECT_EQ(count, GetParam().count);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PreviewStylesBefore,
    testing::Values(
        StylesBeforeCase{"none", "<head></head>", 0},
        StylesBeforeCase{"own_styles_in_the_head",
                         "<head><style>a{}</style>\n<STYLE media=print></STYLE></head>", 2},
        StylesBeforeCase{"not_those_after_the_sheet", "<head></head><body><style></style>", 0},
        StylesBeforeCase{"not_in_a_comment", "<head><!-- <style> --><style></style></head>", 1},
        StylesBeforeCase{"not_in_a_script", "<head><script>x='<style>'</script></head>", 0},
        StylesBeforeCase{"not_in_a_style", "<head><style>/* <style> */</style></head>", 1},
        StylesBeforeCase{"not_in_a_template_or_title",
                         "<head><template><style></style></template><title><style></title></head>",
                         0},
        StylesBeforeCase{"other_tag_names", "<head><styles></styles><stylex></head>", 0},
        StylesBeforeCase{"before_the_body_without_a_head_end", "<style></style><body><style>", 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PreviewPage, LinesEndAtAnyBreakAndAreWrittenWithCrLf) {
  EXPECT_EQ(PageLines("a\r\nb\rc\nd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(PageLines("a\n\r\n\rb\r\n"), (std::vector<std::string>{"a", "", "", "b"}));
  EXPECT_EQ(PageLines(""), std::vector<std::string>{});
  EXPECT_EQ(JoinPageLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
}

TEST(PreviewPage, ShippedTemplateTakesTheSampleLinesInsideItsBody) {
  std::ifstream file(std::string(QUILLMERE_DATA_DIR) + "/dynpreview.htm", std::ios::binary);
  ASSERT_TRUE(file) << "data/dynpreview.htm";
  std::stringstream bytes;
  bytes << file.rdbuf();
  const std::vector<std::string> lines = PageLines(bytes.str());
  EXPECT_EQ(std::count(lines.begin(), lines.end(), std::string(PreviewMarker)), 1);

  const TModList blocks = BlocksOf(".note { }");
  const std::string page = BuildPreviewPage(lines, &blocks, ".note { }", "file:///s/");
  const size_t sample = page.find("<div class=\"note\">.note [Class]</div><br>\r\n");
  ASSERT_NE(sample, std::string::npos);
  EXPECT_LT(page.find("<body"), sample);
  EXPECT_LT(sample, page.find("</body>"));
  EXPECT_LT(page.find("<base href=\"file:///s/\">"), page.find("<style type=\"text/css\" >"));
  EXPECT_LT(page.find("<style type=\"text/css\" >\r\n.note { }\r\n</style>\r\n"),
            page.find("</head>"));
}

struct SlotCase {
  const char* name;
  std::vector<std::string> stored;
  std::string path;
  int slot;
};

void PrintTo(const SlotCase& c, std::ostream* out) {
  *out << c.name;
}

class PreviewFileNumbering : public testing::TestWithParam<SlotCase> {};

TEST_P(PreviewFileNumbering, NewFilesAreStoredAfterTheLast) {
  EXPECT_EQ(PreviewFileSlot(GetParam().stored, GetParam().path), GetParam().slot);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PreviewFileNumbering,
    testing::Values(SlotCase{"first_is_file1", {}, "/a.htm", 1},
                    SlotCase{"second_is_file2", {"/a.htm"}, "/b.htm", 2},
                    SlotCase{"stored_already", {"/a.htm", "/b.htm"}, "/b.htm", 0},
                    SlotCase{"stored_in_other_case", {"C:\\Site\\A.htm"}, "c:\\site\\a.HTM", 0},
                    // A stored file the list dropped as missing keeps its number.
                    SlotCase{"after_dropped_entries", {"/gone.htm", "/b.htm"}, "/c.htm", 3}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qm
