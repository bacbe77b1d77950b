// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/text/textfile.h"

#include <gtest/gtest.h>

#include "realsheets.h"

namespace qm {
namespace {

struct RoundTrip {
  std::string name;
  std::string bytes;
  std::string text;  // as the editor holds it
  TLineBreak lineBreak;
  bool finalBreak;
};

void PrintTo(const RoundTrip& c, std::ostream* out) {
  *out << c.name;
}

class TextFileRoundTrip : public testing::TestWithParam<RoundTrip> {};

TEST_P(TextFileRoundTrip, LoadsJoinedByCrLfAndSavesTheSameBytes) {
  const RoundTrip& c = GetParam();
  const TLoadedText loaded = LoadText(c.bytes);
  EXPECT_EQ(loaded.Text, c.text);
  EXPECT_EQ(loaded.Format.Break, c.lineBreak);
  EXPECT_EQ(loaded.Format.FinalBreak, c.finalBreak);
  EXPECT_EQ(SaveText(loaded.Text, loaded.Format), c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextFileRoundTrip,
    testing::Values(RoundTrip{"empty", "", "", TLineBreak::CRLF, false},
                    RoundTrip{"lf", "a{}\nb{}", "a{}\r\nb{}", TLineBreak::LF, false},
                    RoundTrip{"lf_final", "a\nb\n", "a\r\nb", TLineBreak::LF, true},
                    RoundTrip{"cr", "a\rb", "a\r\nb", TLineBreak::CR, false},
                    RoundTrip{"cr_final", "a\r\r", "a\r\n", TLineBreak::CR, true},
                    RoundTrip{"crlf_final", "a\r\nb\r\n", "a\r\nb", TLineBreak::CRLF, true},
                    RoundTrip{"only_break", "\n", "", TLineBreak::LF, true},
                    RoundTrip{"high_bytes_and_nul", std::string("\x80\xff\0x\n\xe9", 6),
                              std::string("\x80\xff\0x\r\n\xe9", 7), TLineBreak::LF, false},
                    RoundTrip{"mixed", "a\nb\r\nc\rd\n", "a\r\nb\r\nc\r\nd", TLineBreak::CRLF,
                              true}),
    [](const auto& info) { return info.param.name; });

TEST(TextFile, EditedTextIsWrittenWithTheFileConvention) {
  TLoadedText loaded = LoadText("a\nb\n");
  EXPECT_EQ(SaveText("a\r\nx\r\nb\r\n", loaded.Format), "a\nx\nb\n\n");
  // An edited file that mixed its breaks gets one convention throughout.
  loaded = LoadText("a\nb\r\n");
  EXPECT_EQ(SaveText("a\r\nb\r\nc", loaded.Format), "a\r\nb\r\nc\r\n");
}

TEST(TextFile, EveryCorpusSheetSurvivesAnUneditedSave) {
  int files = 0;
  for (const TSheetFile& sheet : RealSheetFiles()) {
    const std::string bytes = ReadSheetBytes(sheet.path);
    const TLoadedText loaded = LoadText(bytes);
    EXPECT_EQ(SaveText(loaded.Text, loaded.Format), bytes) << sheet.name;
    // Converting the file's breaks and back must not rely on the kept original.
    for (const TLineBreak lineBreak : {TLineBreak::LF, TLineBreak::CR, TLineBreak::CRLF}) {
      TTextFormat format;
      format.Break = lineBreak;
      format.FinalBreak = true;
      EXPECT_EQ(LoadText(SaveText(loaded.Text, format)).Text, loaded.Text) << sheet.name;
    }
    ++files;
  }
  EXPECT_GT(files, 5);
}

}  // namespace
}  // namespace qm
