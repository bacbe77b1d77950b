// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/imageurl.h"

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
      {"/site/css/main.css", "/site/css/a?b%c.png", "url(a%3Fb%25c.png)"},
      {"/site/css/main.css", "/site/css/c:d.png", "url(c%3Ad.png)"},
      {"/site/css/main.css", "/site/css/x\ny.png", "url(x%0Ay.png)"},
      {"/site/css/main.css", "/site/img/it's \"q\".png", "url(\"../img/it%27s %22q%22.png\")"},
      // A sheet without a file yet: the image's own address.
      {"", "/home/ann/pics/bg.gif", "url(file:///home/ann/pics/bg.gif)"},
      {"", "/home/ann/my pics/b\"g.gif", "url(file:///home/ann/my%20pics/b%22g.gif)"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ImageUrl(c.sheet, c.image), c.expected) << c.image;
  }
}

}  // namespace
}  // namespace qm
