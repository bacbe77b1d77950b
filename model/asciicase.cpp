// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/asciicase.h"

#include <algorithm>

namespace qm {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlankOrControl(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsBlankOrControl(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

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
