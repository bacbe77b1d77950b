// SPDX-License-Identifier: GPL-3.0-or-later
// The code bytes of a style sheet read one byte after the other, the way the rule reads: which
// bytes are code, which end a comment, and which lie in a comment, string, url() or escape.
#pragma once

#include <string_view>
#include <vector>

namespace qm::reference {

enum class TByteRole { Skipped, Code, CommentEnd };

inline std::vector<TByteRole> ByteRoles(std::string_view text) {
  const size_t n = text.size();
  const size_t none = std::string_view::npos;
  std::vector<TByteRole> roles(n, TByteRole::Skipped);
  // Just past close, looked for from j on the same line with backslashes taking the next byte, or
  // the whole CR LF after them.
  const auto closes = [&](size_t j, char close) {
    while (j < n) {
      const char c = text[j];
      if (c == close) {
        return j + 1;
      }
      if (c == '\n' || c == '\r' || c == '\f') {
        return none;
      }
      j += c != '\\' ? 1 : text.compare(j + 1, 2, "\r\n") == 0 ? 3 : 2;
    }
    return none;
  };
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
  const auto nameByte = [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || static_cast<unsigned char>(c) >= 0x80;
  };
  size_t i = 0;
  while (i < n) {
    const char c = text[i];
    if (c == '/' && i + 1 < n && text[i + 1] == '*') {
      const size_t close = text.find("*/", i + 2);
      if (close == none) {
        break;  // the rest is comment
      }
      roles[close + 1] = TByteRole::CommentEnd;
      i = close + 2;
      continue;
    }
    if (c == '"' || c == '\'') {
      if (const size_t end = closes(i + 1, c); end != none) {
        i = end;
        continue;
      }
    }
    if (c == '(' && i >= 3 && lower(text[i - 3]) == 'u' && lower(text[i - 2]) == 'r' &&
        lower(text[i - 1]) == 'l' && (i == 3 || !nameByte(text[i - 4]))) {
      size_t j = i + 1;
      while (j < n && (text[j] == ' ' || text[j] == '\t')) {
        ++j;
      }
      if (j >= n || (text[j] != '"' && text[j] != '\'')) {
        if (const size_t end = closes(j, ')'); end != none) {
          i = end;
          continue;
        }
      }
    }
    roles[i] = c == '/' && i > 0 && text[i - 1] == '*' ? TByteRole::CommentEnd : TByteRole::Code;
    if (c == '\\' && i + 1 < n && text[i + 1] != '\n' && text[i + 1] != '\r' &&
        text[i + 1] != '\f') {
      ++i;  // the escaped byte is no code
    }
    ++i;
  }
  return roles;
}

// Forward from the code "{" at index, counting code braces.
inline int32_t MatchingCodeBrace(std::string_view text, const std::vector<TByteRole>& roles,
                                 int32_t index) {
  if (index < 0 || static_cast<size_t>(index) >= text.size() || text[size_t(index)] != '{' ||
      roles[size_t(index)] != TByteRole::Code) {
    return -1;
  }
  int32_t depth = 0;
  for (size_t i = static_cast<size_t>(index); i < text.size(); ++i) {
    if (roles[i] == TByteRole::Code && (text[i] == '{' || text[i] == '}')) {
      depth += text[i] == '{' ? 1 : -1;
      if (depth == 0) {
        return static_cast<int32_t>(i);
      }
    }
  }
  return -1;
}

}  // namespace qm::reference
