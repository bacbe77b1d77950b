// SPDX-License-Identifier: GPL-3.0-or-later
// Letter case and blanks as style sheets and the program's own files know them: only A-Z and a-z
// fold, bytes above 127 are left as they are; blanks are the blank and the control characters.
#pragma once

#include <string>
#include <string_view>

namespace qm {

constexpr char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr bool IsBlankOrControl(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}
// Without leading and trailing blanks and control characters.
std::string_view Trimmed(std::string_view text);

std::string AsciiLowerCase(std::string_view text);
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b);
bool EndsWithIgnoringAsciiCase(std::string_view text, std::string_view suffix);

}  // namespace qm
