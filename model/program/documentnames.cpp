// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/program/documentnames.h"

#include "model/asciicase.h"

#include <algorithm>

namespace qm {

std::string UntitledCaption(int counter) {
  return "Untitled" + std::to_string(counter);
}

std::string SaveAsFileName(std::string_view chosen, int filterIndex) {
  const std::string_view extension = filterIndex == 0 ? ".css" : ".txt";
  const bool hasIt = EndsWithIgnoringAsciiCase(chosen, extension);
  std::string path(chosen);
  if (!hasIt) {
    path.append(extension);
  }
  return path;
}

}  // namespace qm
