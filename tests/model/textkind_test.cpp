// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/text/textkind.h"

#include <gtest/gtest.h>

#include <string>

namespace qm {
namespace {

struct KindCase {
  const char* name;
  std::string bytes;
  bool text;
};

void PrintTo(const KindCase& c, std::ostream* out) {
  *out << c.name;
}

class KindOfAFile : public testing::TestWithParam<KindCase> {};

TEST_P(KindOfAFile, IsTextUnlessItHoldsNulOrManyControls) {
  EXPECT_EQ(LooksLikeText(GetParam().bytes), GetParam().text);
}

std::string Repeat(const std::string& piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) {
    out += piece;
  }
  return out;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KindOfAFile,
    testing::Values(KindCase{"empty", "", true}, KindCase{"sheet", "a { color: red }\r\n", true},
                    KindCase{"layout_controls", "a {\tb: c }\f\v\x1b[0m\r", true},
                    KindCase{"latin1_and_utf8", "p:before { content: \"caf\xe9 \xc3\xa9\" }", true},
                    KindCase{"nul_at_the_end", Repeat("a { b: c }\n", 1000) + std::string(1, '\0'),
                             false},
                    KindCase{"utf16", std::string("a\0{\0}\0", 6), false},
                    KindCase{"executable_header",
                             std::string("\x7f"
                                         "ELF\x02\x01\x01\0\0\0",
                                         10),
                             false},
                    KindCase{"one_control_in_twenty", "\x01" + std::string(19, 'a'), true},
                    KindCase{"one_control_in_ten", "\x01" + std::string(9, 'a'), false},
                    KindCase{"controls_without_nul", Repeat("\x01\x02\x03\x04 data", 100), false}),
    [](const testing::TestParamInfo<KindCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qm
