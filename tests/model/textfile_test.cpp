// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/text/textfile.h"

#include <gtest/gtest.h>

#include "model/text/memorydocument.h"
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
                    RoundTrip{"mixed", "a\nb\r\nc\rd\n", "a\r\nb\r\nc\r\nd", TLineBreak::LF, true},
                    RoundTrip{"mixed_most_cr", "a\rb\r\nc\r", "a\r\nb\r\nc", TLineBreak::CR, true}),
    [](const auto& info) { return info.param.name; });

TEST(TextFile, EditedTextIsWrittenWithTheFileConvention) {
  TLoadedText loaded = LoadText("a\nb\n");
  EXPECT_EQ(SaveText("a\r\nx\r\nb\r\n", loaded.Format), "a\nx\nb\n\n");
}

struct TextEdit {
  int32_t position;
  int32_t removed;
  std::string inserted;
};

struct MixedEdit {
  std::string name;
  std::string bytes;
  std::vector<TextEdit> edits;  // in the editor's text, one after the other
  std::string saved;
};

void PrintTo(const MixedEdit& c, std::ostream* out) {
  *out << c.name;
}

class TextFileMixedBreaks : public testing::TestWithParam<MixedEdit> {};

// The editor's text of the sheet below: "a{}" 0-2, "b{}" 5-7, "c{}" 10-12, "d{}" 15-17.
constexpr std::string_view kMixed = "a{}\nb{}\r\nc{}\rd{}\n";

TEST_P(TextFileMixedBreaks, EveryLineTheEditLeavesKeepsItsBreak) {
  const MixedEdit& c = GetParam();
  TLoadedText loaded = LoadText(c.bytes);
  TMemoryDocument document(loaded.Text);
  for (const TextEdit& edit : c.edits) {
    NoteRemoval(loaded.Format, document, edit.position, edit.removed);
    document.Replace(edit.position, edit.removed, {});
    document.Replace(edit.position, 0, edit.inserted);
    NoteInsertion(loaded.Format, document, edit.position,
                  static_cast<int32_t>(edit.inserted.size()));
  }
  EXPECT_EQ(SaveText(document.Text(), loaded.Format), c.saved);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextFileMixedBreaks,
    testing::Values(
        MixedEdit{"within_a_line", std::string(kMixed), {{5, 1, "bb"}}, "a{}\nbb{}\r\nc{}\rd{}\n"},
        MixedEdit{"two_far_apart",
                  std::string(kMixed),
                  {{5, 1, "B"}, {15, 1, "D"}},
                  "a{}\nB{}\r\nc{}\rD{}\n"},
        // A new line gets the most common break, LF, wherever it is typed in.
        MixedEdit{"enter_at_a_line_end",
                  std::string(kMixed),
                  {{8, 0, "\r\nx{}"}},
                  "a{}\nb{}\r\nx{}\nc{}\rd{}\n"},
        MixedEdit{"line_put_in_front_of_a_line",
                  std::string(kMixed),
                  {{10, 0, "x{}\r\n"}},
                  "a{}\nb{}\r\nx{}\nc{}\rd{}\n"},
        MixedEdit{"lines_pasted_into_a_line",
                  std::string(kMixed),
                  {{6, 0, "x\r\ny"}},
                  "a{}\nbx\ny{}\r\nc{}\rd{}\n"},
        MixedEdit{"line_removed", std::string(kMixed), {{5, 5, ""}}, "a{}\nc{}\rd{}\n"},
        MixedEdit{"empty_line_removed", "a\r\n\nb\rc", {{3, 2, ""}}, "a\r\nb\rc"},
        // Joined at its end, a line keeps its own break, as it does when Enter splits it there.
        MixedEdit{"lines_joined", std::string(kMixed), {{8, 2, ""}}, "a{}\nb{}c{}\r\nd{}\n"},
        MixedEdit{"lines_joined_and_split_again",
                  std::string(kMixed),
                  {{8, 2, ""}, {8, 0, "\r\n"}},
                  "a{}\nb{}\r\nc{}\rd{}\n"},
        // The file's last break stays its last.
        MixedEdit{"line_added_at_the_end", "a\nb\nc\r", {{7, 0, "\r\nd"}}, "a\nb\nc\nd\r"},
        MixedEdit{"edited_and_back",
                  std::string(kMixed),
                  {{5, 5, ""}, {5, 0, "b{}\r\n"}},
                  std::string(kMixed)}),
    [](const auto& info) { return info.param.name; });

TEST(TextFile, AMixedSheetFormattedBackToFrontKeepsItsBreaks) {
  // Every line split in two from the end: each edit lands next to the one before.
  std::string bytes;
  std::string expected;
  constexpr int kLines = 1000;
  for (int i = 0; i < kLines; ++i) {
    const char* eol = i % 100 == 0 ? "\r\n" : "\n";
    bytes.append("a{}").append(eol);
    expected.append("a{\n}").append(eol);
  }
  TLoadedText loaded = LoadText(bytes);
  TMemoryDocument document(loaded.Text);
  for (int line = kLines; line >= 1; --line) {
    const int32_t at = document.LineStart(line) + 2;
    document.Replace(at, 0, "\r\n");
    NoteInsertion(loaded.Format, document, at, 2);
  }
  EXPECT_EQ(SaveText(document.Text(), loaded.Format), expected);
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
