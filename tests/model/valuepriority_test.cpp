// SPDX-License-Identifier: GPL-3.0-or-later
// A value and its "!important" apart, and put back together after a picker composed the value.
#include "model/values/valuepriority.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(ValuePriority, ThePriorityComesOffTheValueAsWritten) {
  struct TCase {
    std::string_view Value;
    TValuePriority Split;
  };
  const TCase cases[] = {
      {"red !important", {"red", "!important"}},
      {"  Arial, sans-serif !important ", {"Arial, sans-serif", "!important"}},
      {"#f00! IMPORTANT", {"#f00", "! IMPORTANT"}},
      {"red", {"red", ""}},
      {"!important", {"", "!important"}},
      // In a string, a comment or a url() it is no priority.
      {"\"a !important\"", {"\"a !important\"", ""}},
      {"red /* !important */", {"red /* !important */", ""}},
      {"url(a!important)", {"url(a!important)", ""}},
      {"red !importantly", {"red !importantly", ""}},
      {"", {"", ""}},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(SplitPriority(c.Value), c.Split) << c.Value;
  }
}

TEST(ValuePriority, AComposedValueGetsItsPriorityBack) {
  EXPECT_EQ(WithPriority("#00FF00", "!important"), "#00FF00 !important");
  EXPECT_EQ(WithPriority("Arial, \"DejaVu Sans\"", "! IMPORTANT"),
            "Arial, \"DejaVu Sans\" ! IMPORTANT");
  EXPECT_EQ(WithPriority("12px", ""), "12px");
  EXPECT_EQ(WithPriority("", "!important"), "");
}

}  // namespace
}  // namespace qm
