// SPDX-License-Identifier: GPL-3.0-or-later
// The bytes of a style sheet's text as the scanners read them: a byte by int32_t index, a stretch
// between two indexes, CSS's blanks and the bytes a CSS name is made of.
#pragma once

#include <cstdint>
#include <string_view>

namespace qm::textbytes {

inline char At(std::string_view text, int32_t index) {
  return text[static_cast<size_t>(index)];
}

inline std::string_view Slice(std::string_view text, int32_t from, int32_t to) {
  return text.substr(static_cast<size_t>(from), static_cast<size_t>(to - from));
}

constexpr bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// Bytes above 127 are letters of other scripts.
constexpr bool IsNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '_' || static_cast<unsigned char>(c) >= 0x80;
}

}  // namespace qm::textbytes
