// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/text/textencoding.h"

#include <gtest/gtest.h>

#include "model/error.h"

namespace qm {
namespace {

struct DetectCase {
  const char* name;
  std::string bytes;
  TTextEncoding encoding;
};

void PrintTo(const DetectCase& c, std::ostream* out) {
  *out << c.name;
}

class EncodingOfAFile : public testing::TestWithParam<DetectCase> {};

TEST_P(EncodingOfAFile, IsUtf8OnlyWhenWellFormed) {
  EXPECT_EQ(DetectEncoding(GetParam().bytes), GetParam().encoding);
  EXPECT_EQ(IsValidUtf8(GetParam().bytes), GetParam().encoding == TTextEncoding::Utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EncodingOfAFile,
    testing::Values(DetectCase{"empty", "", TTextEncoding::Utf8},
                    DetectCase{"ascii", "a { color: red }", TTextEncoding::Utf8},
                    DetectCase{"two_byte", "caf\xc3\xa9", TTextEncoding::Utf8},
                    DetectCase{"byte_order_mark",
                               "\xef\xbb\xbf"
                               "a{}",
                               TTextEncoding::Utf8},
                    DetectCase{"replacement_character", "\xef\xbf\xbd", TTextEncoding::Utf8},
                    DetectCase{"four_byte", "\xf0\x9f\x98\x80", TTextEncoding::Utf8},
                    DetectCase{"highest", "\xf4\x8f\xbf\xbf", TTextEncoding::Utf8},
                    DetectCase{"latin1_e_acute", "caf\xe9", TTextEncoding::EightBit},
                    DetectCase{"overlong_slash", "\xc0\xaf", TTextEncoding::EightBit},
                    DetectCase{"overlong_three_byte", "\xe0\x80\xaf", TTextEncoding::EightBit},
                    DetectCase{"surrogate", "\xed\xa0\x80", TTextEncoding::EightBit},
                    DetectCase{"past_u10ffff", "\xf4\x90\x80\x80", TTextEncoding::EightBit},
                    DetectCase{"cut_short_at_the_end", "a\xe2\x82", TTextEncoding::EightBit},
                    DetectCase{"lone_continuation", "\x80", TTextEncoding::EightBit},
                    DetectCase{"windows_quotes", "\x93x\x94", TTextEncoding::EightBit}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Windows1252, MapsTheBytesItDefinesAndKeepsTheUndefinedOnesAsC1Controls) {
  const std::vector<std::pair<uint8_t, char32_t>> table = {
      {0x00, 0x0000}, {0x41, 0x0041}, {0x7F, 0x007F}, {0x80, 0x20AC},
      {0x81, 0x0081}, {0x85, 0x2026}, {0x8D, 0x008D}, {0x8F, 0x008F},
      {0x90, 0x0090}, {0x93, 0x201C}, {0x99, 0x2122}, {0x9D, 0x009D},
      {0x9F, 0x0178}, {0xA0, 0x00A0}, {0xE9, 0x00E9}, {0xFF, 0x00FF}};
  for (const auto& [byte, character] : table) {
    EXPECT_EQ(Windows1252ToUnicode(byte), character) << int{byte};
  }
}

// Every byte shows as one character and is written back as the same byte: opening, editing
// elsewhere and saving an 8-bit file changes none of its other bytes.
TEST(Windows1252, EveryByteRoundTrips) {
  std::string all;
  for (int b = 0; b < 256; ++b) {
    all.push_back(static_cast<char>(b));
    EXPECT_EQ(UnicodeToWindows1252(Windows1252ToUnicode(static_cast<uint8_t>(b))), b) << b;
  }
  const std::string shown = EightBitToUtf8(all);
  EXPECT_TRUE(IsValidUtf8(shown));
  const TEightBitText back = Utf8ToEightBit(shown);
  EXPECT_FALSE(back.Unencodable.has_value());
  EXPECT_EQ(back.Bytes, all);
}

struct TypedCase {
  const char* name;
  std::string typed;
  std::string bytes;
  std::optional<TUnencodable> unencodable;
};

void PrintTo(const TypedCase& c, std::ostream* out) {
  *out << c.name;
}

class TypedInto8Bit : public testing::TestWithParam<TypedCase> {};

TEST_P(TypedInto8Bit, IsStoredOneBytePerCharacterOrRefused) {
  const TEightBitText result = Utf8ToEightBit(GetParam().typed);
  EXPECT_EQ(result.Bytes, GetParam().bytes);
  EXPECT_EQ(result.Unencodable, GetParam().unencodable);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TypedInto8Bit,
    testing::Values(TypedCase{"ascii", "a { }", "a { }", std::nullopt},
                    TypedCase{"e_acute_is_one_byte", "caf\xc3\xa9", "caf\xe9", std::nullopt},
                    TypedCase{"euro_and_quotes", "\xe2\x82\xac\xe2\x80\x9c", "\x80\x93",
                              std::nullopt},
                    TypedCase{"undefined_byte_as_its_control", "\xc2\x8d", "\x8d", std::nullopt},
                    // U+0080 has no byte: 0x80 shows the euro sign.
                    TypedCase{"other_c1_control", "x\xc2\x80", "", TUnencodable{1, 0x80}},
                    TypedCase{"arrow",
                              "a\xe2\x86\x92"
                              "b",
                              "", TUnencodable{1, 0x2192}},
                    TypedCase{"first_of_several", "\xc3\xa9\xe2\x86\x92\xf0\x9f\x98\x80", "",
                              TUnencodable{2, 0x2192}},
                    TypedCase{"emoji", "\xf0\x9f\x98\x80", "", TUnencodable{0, 0x1F600}},
                    TypedCase{"bytes_that_are_no_utf8", "ab\xff", "", TUnencodable{2, 0xFFFD}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TypedInto8Bit, TheMessageNamesTheCharacter) {
  EXPECT_EQ(UnencodableMessage({1, 0x2192}),
            "The character \"\xe2\x86\x92\" (U+2192) cannot be stored in this file, which is 8-bit "
            "text (Windows-1252).");
}

}  // namespace
}  // namespace qm

namespace qm {
namespace {

TEST(TextEncoding, ViewsTextIsStoredInTheDocumentsEncodingOrRefused) {
  EXPECT_EQ(FromUtf8("a\xE2\x82\xAC", TTextEncoding::EightBit), "a\x80");
  EXPECT_EQ(FromUtf8("a\xE2\x86\x92", TTextEncoding::Utf8), "a\xE2\x86\x92");
  EXPECT_THROW(FromUtf8("a\xE2\x86\x92", TTextEncoding::EightBit), TError);
  EXPECT_EQ(ToUtf8("a\x80", TTextEncoding::EightBit), "a\xE2\x82\xAC");
}

}  // namespace
}  // namespace qm
