// SPDX-License-Identifier: GPL-3.0-or-later
// The bytes of a style sheet's text as the scanners read them: a byte by int32_t index, a stretch
// between two indexes, and the classes of bytes CSS knows (newlines, blanks, digits, the bytes a
// name is made of). model/text/csslexis.h builds comments, strings and escapes from these.
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

// CSS ends a line at a form feed as well as at LF and CR.
constexpr bool IsNewline(char c) {
  return c == '\n' || c == '\r' || c == '\f';
}

constexpr bool IsBlank(char c) {
  return c == ' ' || c == '\t' || IsNewline(c);
}

constexpr bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

constexpr bool IsHexDigit(char c) {
  return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// A to Z in either case; no byte of another script.
constexpr bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// A name's bytes as far as ASCII goes: for text the program itself writes in ASCII, such as its
// value syntaxes.
constexpr bool IsAsciiNameChar(char c) {
  return IsLetter(c) || IsDigit(c) || c == '-' || c == '_';
}

// Bytes above 127 are letters of other scripts.
constexpr bool IsNameChar(char c) {
  return IsAsciiNameChar(c) || static_cast<unsigned char>(c) >= 0x80;
}

// A name byte that may also lead a word: "-" and "_" may, a digit may not.
constexpr bool IsNameStart(char c) {
  return IsNameChar(c) && !IsDigit(c);
}

}  // namespace qm::textbytes
