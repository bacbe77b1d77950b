// SPDX-License-Identifier: GPL-3.0-or-later
// The real-world style sheets the tests and benchmarks read: those the Debian packages of
// scripts/install-deps install, and the sheets of QUILLMERE_CORPUS_DIR when that folder exists.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace qm {

struct TSheetFile {
  std::string name;  // "<source>/<file name>", unique over all sources
  std::filesystem::path path;
};

// Every real-world sheet, in name order. A missing package folder is an error (the tests would
// silently cover less); the corpus folder is read in addition when it is there.
inline std::vector<TSheetFile> RealSheetFiles() {
  struct TSource {
    const char* name;
    std::filesystem::path folder;
    bool required;
  };
  const TSource sources[] = {
      {"bootstrap3", "/usr/share/javascript/bootstrap/css", true},
      {"bootstrap4", "/usr/share/javascript/bootstrap4/css", true},
      {"bootstrap5", "/usr/share/javascript/bootstrap5/css", true},
      {"font-awesome", "/usr/share/fonts-font-awesome/css", true},
      {"normalize", "/usr/share/javascript/normalize.css", true},
      {"jquery-ui", "/usr/share/javascript/jquery-ui/themes/base", true},
      {"purecss", "/usr/share/purecss/css", true},
      {"highlight.js", "/usr/share/javascript/highlight.js/styles", true},
      {"leaflet", "/usr/share/javascript/leaflet", true},
      {"corpus", QUILLMERE_CORPUS_DIR, false},
  };
  std::vector<TSheetFile> sheets;
  for (const TSource& source : sources) {
    if (!std::filesystem::is_directory(source.folder)) {
      if (source.required) {
        throw std::runtime_error("The style sheets in " + source.folder.string() +
                                 " are missing; scripts/install-deps installs them.");
      }
      continue;
    }
    for (const auto& entry : std::filesystem::directory_iterator(source.folder)) {
      // Debian links some sheets from a second folder: is_regular_file follows the link.
      if (entry.path().extension() == ".css" && entry.is_regular_file()) {
        sheets.push_back(
            {std::string(source.name) + "/" + entry.path().filename().string(), entry.path()});
      }
    }
  }
  std::sort(sheets.begin(), sheets.end(),
            [](const TSheetFile& a, const TSheetFile& b) { return a.name < b.name; });
  return sheets;
}

// The file's bytes as they are on disk.
inline std::string ReadSheetBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// The real-world sheet called name (as RealSheetFiles names it); a missing one is an error.
inline std::filesystem::path RealSheetPath(const std::string& name) {
  for (const TSheetFile& sheet : RealSheetFiles()) {
    if (sheet.name == name) {
      return sheet.path;
    }
  }
  throw std::runtime_error("No real-world style sheet is called " + name + ".");
}

}  // namespace qm
