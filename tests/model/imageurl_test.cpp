// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/program/imageurl.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(ImageUrl, PointsTheSheetAtTheImageTheWayBrowsersResolveIt) {
  struct Case {
    std::string_view sheet;
    std::string_view image;
    std::string_view expected;
  };
  const Case cases[] = {
      {"/site/css/main.css", "/site/img/bg.gif", "url(../img/bg.gif)"},
      {"/site/css/main.css", "/site/css/bg.gif", "url(bg.gif)"},
      {"/site/css/main.css", "/site/css/img/a/bg.gif", "url(img/a/bg.gif)"},
      {"/site/css/main.css", "/other/bg.gif", "url(../../other/bg.gif)"},
      {"/site/css/main.css", "/site/my img/bg (1).gif", "url(\"../my img/bg (1).gif\")"},
      // Names that would read as an escape, a fragment, a query or a scheme, or break the value.
      {"/site/css/main.css", "/site/css/#1.png", "url(%231.png)"},
      {"/site/css/main.css", "/site/img/a{b}.png", "url(\"../img/a{b}.png\")"},
      {"/site/css/main.css", "/site/css/x;y}.png", "url(\"x;y}.png\")"},
      {"/site/css/main.css", "/site/css/a?b%c.png", "url(a%3Fb%25c.png)"},
      {"/site/css/main.css", "/site/css/c:d.png", "url(c%3Ad.png)"},
      {"/site/css/main.css", "/site/css/x\ny.png", "url(x%0Ay.png)"},
      {"/site/css/main.css", "/site/img/it's \"q\".png", "url(\"../img/it%27s %22q%22.png\")"},
      // A sheet without a file yet: the image's own address.
      {"", "/home/ann/pics/bg.gif", "url(file:///home/ann/pics/bg.gif)"},
      {"", "/home/ann/my pics/b\"g.gif", "url(file:///home/ann/my%20pics/b%22g.gif)"},
      // Names are UTF-8 on every system, also where the system's own code page cannot hold them.
      {"/site/css/main.css",
       "/site/bilder/gr\xC3\xB6\xC3\x9F"
       "e\xE5\x86\x99.gif",
       "url(../bilder/gr\xC3\xB6\xC3\x9F"
       "e\xE5\x86\x99.gif)"},
      {"",
       "/home/ann/gr\xC3\xB6\xC3\x9F"
       "e.gif",
       "url(file:///home/ann/gr%C3%B6%C3%9F"
       "e.gif)"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ImageUrl(c.sheet, c.image), c.expected) << c.image;
  }
}

#ifdef _WIN32
TEST(ImageUrl, TakesWindowsPathsWithDrivesAndEitherSlash) {
  struct Case {
    std::string_view sheet;
    std::string_view image;
    std::string_view expected;
  };
  const Case cases[] = {
      {"C:/site/css/main.css", "C:/site/img/bg.gif", "url(../img/bg.gif)"},
      {"C:\\site\\css\\main.css", "C:\\site\\img\\bg.gif", "url(../img/bg.gif)"},
      // No relative path leads to another drive.
      {"C:/site/css/main.css", "D:/img/bg.gif", "url(file:///D:/img/bg.gif)"},
      {"", "C:\\Users\\ann\\my pics\\bg.gif", "url(file:///C:/Users/ann/my%20pics/bg.gif)"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ImageUrl(c.sheet, c.image), c.expected) << c.image;
  }
}
#endif

}  // namespace
}  // namespace qm
