// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/program/livepage.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(LinkedFile, NamesTheFileBesideThePageAsABrowserResolvesIt) {
  const struct {
    const char* href;
    const char* file;
  } cases[] = {
      {"look.css", "look.css"},
      {"  css/look.css?v=3#top ", "css/look.css"},
      {"./css/../css/look.css", "css/look.css"},
      {"../shared/base.css", "../shared/base.css"},
      {"css\\look.css", "css/look.css"},
      {"my%20look.css", "my look.css"},
      {"c\tss/look.css", "css/look.css"},
      // Not beside the page: another scheme or host, the server's root, a folder, nothing.
      {"https://example.org/look.css", ""},
      {"//example.org/look.css", ""},
      {"/look.css", ""},
      {"file:look.css", ""},
      {"css/", ""},
      {"", ""},
      {"?v=1", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LinkedFile(c.href), c.file) << c.href;
  }
}

TEST(SheetLinks, FindsTheStylesheetLinksAsABrowserReadsThem) {
  const std::string page =
      "<html><head><!-- <link rel=stylesheet href=commented.css> -->\n"
      "<script>var s = '<link rel=\"stylesheet\" href=\"scripted.css\">';</script>\n"
      "<LINK REL='alternate Stylesheet' HREF='a&amp;b.css' media=\"print\"/>\n"
      "<link rel=icon href=icon.png>\n"
      "<link href=plain.css rel=stylesheet>\n"
      "<linked rel=stylesheet href=no.css></head></html>";
  const std::vector<TSheetLink> links = SheetLinks(page);
  ASSERT_EQ(links.size(), 2u);
  EXPECT_EQ(links[0].Href, "a&b.css");
  EXPECT_EQ(links[0].Media, "print");
  EXPECT_EQ(page.substr(links[0].Start, links[0].End - links[0].Start),
            "<LINK REL='alternate Stylesheet' HREF='a&amp;b.css' media=\"print\"/>");
  EXPECT_EQ(links[1].Href, "plain.css");
  EXPECT_EQ(page.substr(links[1].Start, links[1].End - links[1].Start),
            "<link href=plain.css rel=stylesheet>");
}

constexpr const char* kScript =
    "<script>new EventSource(\"/t/.quillmere-live\").onmessage = function (event) {\r\n"
    "  document.querySelectorAll('style[data-quillmere-live]').forEach(function (sheet) {\r\n"
    "    sheet.textContent = event.data;\r\n"
    "  });\r\n"
    "};</script>";

TEST(LivePage, TheSheetTakesThePlaceOfItsLinksOrJoinsTheHead) {
  const std::string script = kScript;
  const struct {
    const char* name;
    const char* page;
    const char* sheetFile;
    std::string result;
  } cases[] = {
      {"the link naming the sheet, other sheets stay",
       "<head><link rel=stylesheet href=base.css><link rel=stylesheet href='css/look.css?v=2' "
       "media=screen></head>",
       "css/look.css",
       "<head><link rel=stylesheet href=base.css><style data-quillmere-live "
       "media=\"screen\">p{}</style>" +
           script + "</head>"},
      {"every link naming it, one script",
       "<link rel=stylesheet href=look.css><p><link rel=stylesheet href=./look.css>", "look.css",
       "<style data-quillmere-live>p{}</style>" + script +
           "<p><style data-quillmere-live>p{}</style>"},
      {"no link names it: added before the head's end",
       "<head><link rel=stylesheet href=other.css></HEAD><body>", "look.css",
       "<head><link rel=stylesheet href=other.css><style data-quillmere-live>p{}</style>" + script +
           "\r\n</HEAD><body>"},
      {"the generated page names no file", "<head><link rel=stylesheet href=look.css></head>", "",
       "<head><link rel=stylesheet href=look.css><style data-quillmere-live>p{}</style>" + script +
           "\r\n</head>"},
      {"a link in a comment is no link", "<!--<link rel=stylesheet href=look.css>--><body>",
       "look.css",
       "<!--<link rel=stylesheet href=look.css>--><style data-quillmere-live>p{}</style>" + script +
           "\r\n<body>"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LivePage(c.page, "p{}", c.sheetFile, "/t/.quillmere-live"), c.result) << c.name;
  }
}

TEST(LivePage, NothingInTheSheetEndsItsElement) {
  const std::string page =
      LivePage("<head></head>", "a::after { content: \"</style><script>alert(1)</script>\" }", "",
               "/t/.quillmere-live");
  EXPECT_EQ(page.find("</style><script>alert"), std::string::npos);
  EXPECT_NE(page.find("<\\/style><script>alert(1)<\\/script>"), std::string::npos);
}

}  // namespace
}  // namespace qm
