// SPDX-License-Identifier: GPL-3.0-or-later
// The style sheets the benchmarks run on: the real-world sheets as the editor holds them (lines
// joined by CR LF) and a 3 MB sheet made by concatenating them.
#pragma once

#include "model/text/textfile.h"
#include "tests/common/realsheets.h"

#include <string>
#include <vector>

namespace qm::bench {

// name as RealSheetFiles names it, such as "bootstrap5/bootstrap.css".
inline std::string CorpusSheet(const std::string& name) {
  return LoadText(ReadSheetBytes(RealSheetPath(name))).Text;
}

// The real-world sheets in name order, again and again, until the text holds 3 MiB; with last,
// that sheet is left out of the rounds and ends the text.
inline std::string ConcatenatedCorpus(const std::string& last = {}) {
  std::vector<std::string> sheets;
  for (const TSheetFile& file : RealSheetFiles()) {
    if (file.name != last) {
      sheets.push_back(LoadText(ReadSheetBytes(file.path)).Text);
    }
  }
  const std::string ending = last.empty() ? std::string() : CorpusSheet(last);
  constexpr size_t size = 3 * 1024 * 1024;
  std::string text;
  while (text.size() + ending.size() < size) {
    for (const std::string& sheet : sheets) {
      if (text.size() + ending.size() >= size) {
        break;
      }
      if (!text.empty()) {
        text += "\r\n";
      }
      text += sheet;
    }
  }
  if (!ending.empty()) {
    text += "\r\n" + ending;
  }
  return text;
}

// The minified real-world sheets (".min.css") again and again, their line breaks made blanks,
// until the one line holds 3 MiB.
inline std::string MinifiedCorpus() {
  std::string sheets;
  for (const TSheetFile& file : RealSheetFiles()) {
    if (file.name.ends_with(".min.css")) {
      sheets += ReadSheetBytes(file.path) + " ";
    }
  }
  for (char& c : sheets) {
    if (c == '\r' || c == '\n') {
      c = ' ';
    }
  }
  constexpr size_t size = 3 * 1024 * 1024;
  std::string text;
  while (text.size() < size) {
    text += sheets;
  }
  text.resize(size);
  return text;
}

// The lines of a text with their breaks, as an editor hands them to its lexer.
inline std::vector<std::string_view> LinesWithBreaks(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      end = text.size();
    } else {
      end += text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1;
    }
    lines.push_back(text.substr(start, end - start));
    start = end;
  }
  return lines;
}

}  // namespace qm::bench
