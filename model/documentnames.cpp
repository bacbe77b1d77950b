// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/documentnames.h"

#include <algorithm>
#include <cctype>

namespace qm {

std::string UntitledCaption(int counter) {
  return "Untitled" + std::to_string(counter);
}

std::string SaveAsFileName(std::string_view chosen, int filterIndex) {
  const std::string_view extension = filterIndex == 0 ? ".css" : ".txt";
  const bool hasIt = chosen.size() >= extension.size() &&
                     std::equal(extension.begin(), extension.end(), chosen.end() - extension.size(),
                                [](char a, char b) {
                                  return std::tolower(static_cast<unsigned char>(a)) ==
                                         std::tolower(static_cast<unsigned char>(b));
                                });
  std::string path(chosen);
  if (!hasIt) {
    path.append(extension);
  }
  return path;
}

}  // namespace qm
