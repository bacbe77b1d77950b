// SPDX-License-Identifier: GPL-3.0-or-later
// Style sheets for tests that compare two implementations: every real-world sheet as the editor
// holds it, and generated sheets full of the cases the scanning rules treat specially.
#pragma once

#include <random>
#include <string>
#include <vector>

#include "model/text/textfile.h"
#include "realsheets.h"

namespace qm {

struct TSample {
  std::string name;
  std::string text;
};

inline void PrintTo(const TSample& sample, std::ostream* out) {
  *out << sample.name;
}

inline std::vector<TSample> CorpusSheets() {
  std::vector<TSample> sheets;
  for (const TSheetFile& file : RealSheetFiles()) {
    sheets.push_back({file.name, LoadText(ReadSheetBytes(file.path)).Text});
  }
  return sheets;
}

// Random sheets made of the pieces the rules treat specially, with every kind of line break,
// NULs and bytes above 127; a long-line sheet has no breaks, like a minified one.
inline std::string GeneratedSheet(std::mt19937& random, size_t size, bool longLine) {
  static const std::vector<std::string> pieces = {"a",
                                                  "h1, h2",
                                                  "a:hover",
                                                  ".x",
                                                  "#id",
                                                  "@media print",
                                                  " ",
                                                  "  ",
                                                  "\t",
                                                  "{",
                                                  "}",
                                                  "{ ",
                                                  "}",
                                                  "color",
                                                  "COLOR",
                                                  "margin",
                                                  "font-family",
                                                  "background-color",
                                                  "x",
                                                  "my_color",
                                                  ":",
                                                  ";",
                                                  ",",
                                                  ": red",
                                                  ": 0 auto;",
                                                  ": #ff0000;",
                                                  "\"Times New Roman\"",
                                                  "\"{\"",
                                                  "\"}",
                                                  "\"",
                                                  "url(data:x{y})",
                                                  "URL( x;}",
                                                  ")",
                                                  "'",
                                                  "'a;{'",
                                                  "\\",
                                                  "\\'",
                                                  "1.5..2",
                                                  ".5",
                                                  "/*",
                                                  "*/",
                                                  "/* c */",
                                                  "/**/",
                                                  "/*/",
                                                  "*/*",
                                                  "/",
                                                  "*",
                                                  "\r",
                                                  "\n",
                                                  "\r\n",
                                                  "\r\n",
                                                  "\r\r\n",
                                                  "\xe9",
                                                  "\xff\xfe",
                                                  std::string(1, '\0'),
                                                  "\x01",
                                                  "\x0b\x0c",
                                                  "\x7f"};
  std::string text;
  while (text.size() < size) {
    std::string piece = pieces[std::uniform_int_distribution<size_t>(0, pieces.size() - 1)(random)];
    if (longLine && piece.find_first_of("\r\n") != std::string::npos) {
      piece = " ";
    }
    text += piece;
  }
  return text;
}

inline std::vector<TSample> GeneratedSheets() {
  std::vector<TSample> sheets;
  std::mt19937 random(2024);
  for (int i = 0; i < 30; ++i) {
    sheets.push_back({"generated" + std::to_string(i), GeneratedSheet(random, 1500, false)});
  }
  for (int i = 0; i < 2; ++i) {
    sheets.push_back({"long_line" + std::to_string(i), GeneratedSheet(random, 3000, true)});
  }
  return sheets;
}

}  // namespace qm
