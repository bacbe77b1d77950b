// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/asciicase.h"

#include <algorithm>

namespace qm {

std::string AsciiLowerCase(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(), AsciiLower);
  return lower;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return AsciiLower(x) == AsciiLower(y);
         });
}

bool EndsWithIgnoringAsciiCase(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() &&
         EqualIgnoringAsciiCase(text.substr(text.size() - suffix.size()), suffix);
}

}  // namespace qm
