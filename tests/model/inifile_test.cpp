// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/catalogue/inifile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace qm {
namespace {

struct ReadCase {
  std::string name;
  std::string file;
  std::string section;
  std::string key;
  std::string value;  // what ReadString gives with the default "dflt"
};

class IniRead : public testing::TestWithParam<ReadCase> {};

TEST_P(IniRead, ReadsProfileStrings) {
  const ReadCase& c = GetParam();
  EXPECT_EQ(TIniFile::FromText(c.file).ReadString(c.section, c.key, "dflt"), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniRead,
    testing::Values(
        ReadCase{"plain", "[s]\nk=v\n", "s", "k", "v"},
        ReadCase{"names_ignore_case", "[Cats]\nName=v\n", "cATS", "NAME", "v"},
        ReadCase{"blanks_around_names_and_value", " [ s ] \n  k  =  two words \t\n", "s", "k",
                 "two words"},
        ReadCase{"crlf_lines", "[s]\r\na=1\r\nk=v\r\n", "s", "k", "v"},
        ReadCase{"cr_lines", "[s]\ra=1\rk=v", "s", "k", "v"},
        ReadCase{"absent_key", "[s]\nk=v\n", "s", "other", "dflt"},
        ReadCase{"absent_section", "[s]\nk=v\n", "t", "k", "dflt"},
        ReadCase{"key_of_other_section", "[s]\nk=v\n[t]\nj=w\n", "t", "k", "dflt"},
        ReadCase{"empty_value_is_not_absent", "[s]\nk=\n", "s", "k", ""},
        ReadCase{"equals_in_value", "[s]\nk=a=b\n", "s", "k", "a=b"},
        ReadCase{"double_quotes_dropped", "[s]\nk= \" padded \" \n", "s", "k", " padded "},
        ReadCase{"single_quotes_dropped", "[s]\nk='x'\n", "s", "k", "x"},
        ReadCase{"mismatched_quotes_kept", "[s]\nk=\"x'\n", "s", "k", "\"x'"},
        ReadCase{"lone_quote_kept", "[s]\nk=\"\n", "s", "k", "\""},
        ReadCase{"quoted_list_items_kept", "[s]\nk=\"a b\"|\"c d\"\n", "s", "k", "\"a b\"|\"c d\""},
        ReadCase{"first_key_wins", "[s]\nk=1\nk=2\n", "s", "k", "1"},
        ReadCase{"first_section_wins", "[s]\nk=1\n[S]\nk=2\nj=3\n", "s", "j", "dflt"},
        ReadCase{"line_before_any_section", "k=v\n[s]\n", "s", "k", "dflt"},
        ReadCase{"comment_line", "[s]\n;k=v\n", "s", "k", "dflt"},
        ReadCase{"utf8_signature", "\xEF\xBB\xBF[s]\nk=v\n", "s", "k", "v"},
        ReadCase{"no_final_break", "[s]\nk=v", "s", "k", "v"}),
    [](const auto& info) { return info.param.name; });

TEST(IniFile, CutsLongValues) {
  const std::string longValue(3000, 'x');
  const TIniFile ini = TIniFile::FromText("[s]\nk=" + longValue + "\n");
  EXPECT_EQ(ini.ReadString("s", "k", ""), longValue.substr(0, TIniFile::MaxValueLength));
  EXPECT_EQ(TIniFile::MaxValueLength, 2047u);
}

struct IntegerCase {
  std::string name;
  std::string line;  // the key line, or none for an absent key
  int32_t value;     // what ReadInteger gives with the default 42
};

class IniInteger : public testing::TestWithParam<IntegerCase> {};

TEST_P(IniInteger, ReadsDecimalAndHexadecimal) {
  const IntegerCase& c = GetParam();
  EXPECT_EQ(TIniFile::FromText("[s]\n" + c.line + "\n").ReadInteger("s", "k", 42), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniInteger,
    testing::Values(IntegerCase{"decimal", "k=7", 7}, IntegerCase{"negative", "k=-3", -3},
                    IntegerCase{"blanks", "k=  12  ", 12}, IntegerCase{"hex_0x", "k=0x2", 2},
                    IntegerCase{"hex_upper", "k=0X1f", 31}, IntegerCase{"hex_dollar", "k=$10", 16},
                    IntegerCase{"largest", "k=2147483647", 2147483647},
                    IntegerCase{"too_large", "k=2147483648", 42},
                    IntegerCase{"letters", "k=abc", 42},
                    IntegerCase{"trailing_letters", "k=12abc", 42},
                    IntegerCase{"prefix_only", "k=0x", 42}, IntegerCase{"empty", "k=", 42},
                    IntegerCase{"absent", "", 42}),
    [](const auto& info) { return info.param.name; });

TEST(IniFile, MissingFileReadsAsEmpty) {
  const TIniFile ini =
      TIniFile::FromFile(std::filesystem::temp_directory_path() / "quillmere-no-such-file.ini");
  EXPECT_EQ(ini.ReadString("categories", "0", "-1"), "-1");
  EXPECT_EQ(ini.ReadInteger("1", "category", 0), 0);
}

}  // namespace
}  // namespace qm
