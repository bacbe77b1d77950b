// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/values/unitvalue.h"

#include <gtest/gtest.h>

#include <string>

namespace qm {
namespace {

TEST(UnitValue, PercentComesFirstWhenOffered) {
  EXPECT_EQ(UnitList(false),
            (std::vector<std::string>{"cm", "em", "ex", "in", "mm", "pc", "pt", "px", "rem", "vw",
                                      "vh", "vmin", "vmax", "ch"}));
  EXPECT_EQ(UnitList(true).front(), "%");
  EXPECT_EQ(UnitList(true).size(), 15u);
}

struct SplitCase {
  std::string text;
  bool includePercent;
  std::string value;
  std::string unit;  // empty for none
};

class UnitSplit : public testing::TestWithParam<SplitCase> {};

TEST_P(UnitSplit, CutsANumberFromItsUnit) {
  const SplitCase& c = GetParam();
  const std::vector<std::string> units = UnitList(c.includePercent);
  const TUnitSplit split = SplitUnitValue(c.text, units);
  EXPECT_EQ(split.Value, c.value) << c.text;
  EXPECT_EQ(split.UnitIndex < 0 ? "" : units[static_cast<size_t>(split.UnitIndex)], c.unit)
      << c.text;
}

// Only a number and then a unit is cut; any other text is kept whole, so nothing is dropped.
INSTANTIATE_TEST_SUITE_P(
    Cases, UnitSplit,
    testing::Values(SplitCase{"12px", false, "12", "px"}, SplitCase{"50%", true, "50", "%"},
                    SplitCase{"50%", false, "50%", ""}, SplitCase{"1.5EM", false, "1.5", "em"},
                    SplitCase{"-.5pt", false, "-.5", "pt"}, SplitCase{"thin", false, "thin", ""},
                    SplitCase{"inherit", false, "inherit", ""},
                    SplitCase{"10px 20px", false, "10px 20px", ""},
                    SplitCase{"auto", false, "auto", ""}, SplitCase{"12", false, "12", ""},
                    SplitCase{"1pxx", false, "1pxx", ""}, SplitCase{"", true, "", ""},
                    SplitCase{"2rem", false, "2", "rem"}, SplitCase{"10vmin", true, "10", "vmin"},
                    SplitCase{"100vh", false, "100", "vh"}, SplitCase{"40ch", false, "40", "ch"}));

struct NumberCase {
  std::string text;
  bool number;
};

class DecimalNumber : public testing::TestWithParam<NumberCase> {};

TEST_P(DecimalNumber, IsWholeText) {
  EXPECT_EQ(IsDecimalNumber(GetParam().text), GetParam().number) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(Cases, DecimalNumber,
                         testing::Values(NumberCase{"12", true}, NumberCase{"  -1.5", true},
                                         NumberCase{"+3", true}, NumberCase{".5", true},
                                         NumberCase{"5.", true}, NumberCase{"1e3", true},
                                         NumberCase{"2.5E-2", true}, NumberCase{"", false},
                                         NumberCase{"  ", false}, NumberCase{"-", false},
                                         NumberCase{".", false}, NumberCase{"1e", false},
                                         NumberCase{"12 ", false}, NumberCase{"th", false},
                                         NumberCase{"5px 10", false}, NumberCase{"1,5", false}));

}  // namespace
}  // namespace qm
