// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/program/recentlist.h"

#include <gtest/gtest.h>

#include <set>

namespace qm {
namespace {

using Strings = std::vector<std::string>;

TEST(RecentList, NewestFirstKeepingOneMoreThanShown) {
  Strings stored(5);
  Strings written;
  for (const char* file : {"/a.css", "/b.css", "/c.css", "/d.css", "/e.css", "/f.css"}) {
    written = RecentListAfterAdd(stored, file, 5);
    stored = written;
    stored.resize(5);
  }
  EXPECT_EQ(written, (Strings{"/f.css", "/e.css", "/d.css", "/c.css", "/b.css", "/a.css"}));
}

TEST(RecentList, ReopeningInAnotherLetterCaseMovesToTheTop) {
  const Strings stored{"/x/A.css", "/x/B.css", "/x/C.css", "", ""};
  EXPECT_EQ(RecentListAfterAdd(stored, "/X/c.CSS", 5),
            (Strings{"/X/c.CSS", "/x/A.css", "/x/B.css"}));
}

TEST(RecentList, MissingFilesAreDroppedAndTheRestMovesUp) {
  const std::set<std::string> existing{"/b", "/c", "/d", "/e", "/f"};
  const auto exists = [&existing](const std::string& path) { return existing.count(path) > 0; };
  const TRecentMenu menu =
      BuildRecentMenu({"/gone", "/b", "/c", "/d", "/e", "/f"}, 5, true, exists);
  EXPECT_TRUE(menu.Changed);
  EXPECT_EQ(menu.Slots, (Strings{"/b", "/c", "/d", "/e", "/f", ""}));
  ASSERT_EQ(menu.Items.size(), 5u);
  EXPECT_EQ(menu.Items[0].Number, 1);
  EXPECT_EQ(menu.Items[0].Path, "/b");
  EXPECT_EQ(menu.Items[4].Path, "/f");

  // Without the existence check nothing is dropped; empty slots make no item.
  const TRecentMenu kept = BuildRecentMenu({"/gone", "", "/c"}, 5, false, exists);
  EXPECT_FALSE(kept.Changed);
  ASSERT_EQ(kept.Items.size(), 2u);
  EXPECT_EQ(kept.Items[1].Number, 3);
  // All slots gone or empty: the rebuild ends.
  EXPECT_TRUE(BuildRecentMenu({"/x", "/y", "", "", "", ""}, 5, true, exists).Items.empty());
}

TEST(RecentList, Captions) {
  EXPECT_EQ(RecentCaption(1, "/home/u/site.css", false), "&1 site.css");
  EXPECT_EQ(RecentCaption(10, "C:\\web\\site.css", false), "&10 site.css");
  EXPECT_EQ(RecentCaption(2, "/home/u/site.css", true), "&2 /home/u/site.css");
}

}  // namespace
}  // namespace qm
