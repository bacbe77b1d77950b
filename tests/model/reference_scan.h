// SPDX-License-Identifier: GPL-3.0-or-later
// Obviously-correct, slow versions of the scanner and the text searches, written the way the
// rules read, to hold the indexed versions that the program ships against.
#pragma once

#include "model/text/cssscanner.h"
#include "model/text/textscan.h"
#include "reference_code.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace qm::reference {

// ---- The token scanner, one rule after the other. A line reads as NUL past its end.

inline unsigned char At(std::string_view s, size_t i) {
  return i < s.size() ? static_cast<unsigned char>(s[i]) : 0;
}

inline bool EndsLine(unsigned char c) {
  return c == 0 || c == '\r' || c == '\n';
}

inline bool IsHex(unsigned char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

inline bool IsDigit(unsigned char c) {
  return c >= '0' && c <= '9';
}

inline bool IsLetter(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

inline char Folded(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline bool SameFolded(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (size_t i = 0; i < a.size(); ++i) {
    if (Folded(a[i]) != Folded(b[i])) {
      return false;
    }
  }
  return true;
}

inline bool InPropertyList(std::string_view word) {
  return std::any_of(PropertyNames.begin(), PropertyNames.end(),
                     [&](std::string_view name) { return SameFolded(name, word); });
}

struct TLineScan {
  std::vector<TToken> Tokens;
  TScanState End;
};

inline TLineScan ScanLine(std::string_view line, TScanState state) {
  TLineScan scan;
  size_t i = 0;
  const auto emit = [&](size_t start, TTokenKind kind) {
    scan.Tokens.push_back({static_cast<int32_t>(start), static_cast<int32_t>(i - start), kind});
  };
  // The comment rule: up to and past the next "*/", which restores the remembered range, or to
  // the end of the line.
  const auto commentRule = [&] {
    while (!EndsLine(At(line, i))) {
      if (At(line, i) == '*' && At(line, i + 1) == '/') {
        i += 2;
        state.Range = state.CommentReturn;
        state.CommentReturn = TScanRange::Selector;
        return;
      }
      ++i;
    }
  };
  while (i < line.size()) {
    const size_t start = i;
    const unsigned char c = At(line, i);
    if (state.Range == TScanRange::Comment && c != '\r' && c != '\n') {
      if (c == 0) {
        i = line.size();
        emit(start, TTokenKind::Null);
        break;
      }
      commentRule();
      emit(start, TTokenKind::Comment);
      continue;
    }
    if (state.Range == TScanRange::Selector && !(c < ' ' || c == '/' || c == '{')) {
      ++i;
      while (!(At(line, i) < ' ' || At(line, i) == '/' || At(line, i) == '{')) {
        ++i;
      }
      emit(start, TTokenKind::Key);
      continue;
    }
    // The character rules.
    if (c == 0) {
      i = line.size();
      emit(start, TTokenKind::Null);
      break;
    }
    ++i;
    if (c == '\r') {
      if (At(line, i) == '\n') {
        ++i;
      }
      emit(start, TTokenKind::Space);
    } else if (c == '\n') {
      emit(start, TTokenKind::Space);
    } else if (c <= ' ') {
      while ((At(line, i) >= 1 && At(line, i) <= 8) || At(line, i) == 11 || At(line, i) == 12 ||
             (At(line, i) >= 14 && At(line, i) <= 32)) {
        ++i;
      }
      emit(start, TTokenKind::Space);
    } else if (c == '"') {
      while (At(line, i) != '"' && !EndsLine(At(line, i))) {
        ++i;
      }
      if (At(line, i) == '"') {
        ++i;
      }
      emit(start, TTokenKind::String);
    } else if (c == '#') {
      while (IsHex(At(line, i))) {
        ++i;
      }
      emit(start, TTokenKind::Color);
    } else if (IsDigit(c) || c == '.') {
      while (IsDigit(At(line, i)) || At(line, i) == '.') {
        if (At(line, i) == '.' && At(line, i + 1) == '.') {
          break;
        }
        ++i;
      }
      emit(start, TTokenKind::Number);
    } else if (c == '/' && At(line, i) == '*') {
      state.CommentReturn = state.Range;
      state.Range = TScanRange::Comment;
      ++i;
      commentRule();
      emit(start, TTokenKind::Comment);
    } else if (c == '/') {
      emit(start, TTokenKind::Symbol);
    } else if (c == '{') {
      state.Range = TScanRange::Block;
      emit(start, TTokenKind::Symbol);
    } else if (c == '}') {
      state.Range = TScanRange::Selector;
      emit(start, TTokenKind::Symbol);
    } else if (c == ';') {
      state.Range = TScanRange::AfterSemicolon;
      emit(start, TTokenKind::Symbol);
    } else if (c == ':' || c == ',') {
      state.Range = TScanRange::AfterColon;
      emit(start, TTokenKind::Symbol);
    } else if (state.Range == TScanRange::AfterColon) {
      state.Range = TScanRange::Block;
      while (!EndsLine(At(line, i)) && At(line, i) != ',' && At(line, i) != ';' &&
             At(line, i) != '}') {
        ++i;
      }
      emit(start, TTokenKind::Value);
    } else {
      size_t word = start;
      while (IsLetter(At(line, word)) || At(line, word) == '-') {
        ++word;
      }
      while (IsDigit(At(line, word))) {
        ++word;
      }
      while (!(At(line, i) <= ' ' || At(line, i) == '"' || At(line, i) == ':' ||
               At(line, i) == ';' || At(line, i) == '}')) {
        ++i;
      }
      // The looked-up word never runs past the token: the token stops at none of its bytes.
      emit(start, InPropertyList(line.substr(start, word - start)) ? TTokenKind::Property
                                                                   : TTokenKind::UndefinedProperty);
    }
  }
  scan.End = state;
  return scan;
}

// ---- A sheet as the highlighter sees it: lines split at CR LF, CR or LF, each with its tokens.

struct TSheet {
  std::string_view Text;
  std::vector<int32_t> Starts;
  std::vector<int32_t> Lengths;
  std::vector<TScanState> States;
  std::vector<std::vector<TToken>> Tokens;

  explicit TSheet(std::string_view text) : Text(text) {
    size_t start = 0;
    size_t i = 0;
    for (;;) {
      if (i == text.size() || text[i] == '\r' || text[i] == '\n') {
        Starts.push_back(static_cast<int32_t>(start));
        Lengths.push_back(static_cast<int32_t>(i - start));
        if (i == text.size()) {
          break;
        }
        i += text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
        start = i;
      } else {
        ++i;
      }
    }
    TScanState state;
    for (size_t line = 0; line < Starts.size(); ++line) {
      States.push_back(state);
      TLineScan scan = reference::ScanLine(
          text.substr(static_cast<size_t>(Starts[line]), static_cast<size_t>(Lengths[line])),
          state);
      Tokens.push_back(std::move(scan.Tokens));
      state = scan.End;
    }
  }

  int32_t LineCount() const { return static_cast<int32_t>(Starts.size()); }

  // Index to line and column, with the line breaks as the editor counts them.
  TLineCol IndexToLineCol(int32_t index) const {
    if (index < 0) {
      return {1, index + 1};
    }
    const auto after = std::upper_bound(Starts.begin(), Starts.end(), index);
    const auto line = static_cast<int32_t>(after - Starts.begin());
    const int32_t start = Starts[static_cast<size_t>(line - 1)];
    if (line == LineCount() && index >= start + Lengths.back() + 2) {
      return {line + 1, 1};
    }
    return {line, index - start + 1};
  }

  TTokenKind TokenAt(int32_t line, int32_t col) const {
    if (line < 1 || line > LineCount()) {
      return TTokenKind::Null;
    }
    // The tokens are consecutive: the one that covers col is the last that starts at or before it.
    const std::vector<TToken>& tokens = Tokens[static_cast<size_t>(line - 1)];
    const auto after = std::upper_bound(tokens.begin(), tokens.end(), col - 1,
                                        [](int32_t at, const TToken& t) { return at < t.Start; });
    if (after == tokens.begin() || col - 1 >= (after - 1)->Start + (after - 1)->Length) {
      return TTokenKind::Null;
    }
    return (after - 1)->Kind;
  }

  bool IsValue(int32_t pos) const {
    if (pos == -1) {
      return false;
    }
    const int32_t line = IndexToLineCol(pos).Line;
    const int32_t first = Starts[static_cast<size_t>(std::min(line, LineCount()) - 1)];
    const TTokenKind kind = TokenAt(line, pos - first + 2);
    return kind == TTokenKind::Null || kind == TTokenKind::Value;
  }

  // The partner of the code "{" at index, counted over the code bytes.
  int32_t MatchingBrace(int32_t index) const {
    if (Roles.empty() && !Text.empty()) {
      Roles = ByteRoles(Text);
    }
    return MatchingCodeBrace(Text, Roles, index);
  }
  mutable std::vector<TByteRole> Roles;
};

// ---- The searches, step by step.

inline int32_t FindInText(std::string_view text, std::string_view pattern, int32_t from,
                          int32_t count, TSearchOptions options) {
  const auto n = static_cast<int64_t>(text.size());
  int64_t wanted = count == -1 ? n : count;
  const int64_t start = std::max<int64_t>(int64_t{from} - 1, 0);
  if (start >= n || wanted + 1 <= 0) {
    return -1;
  }
  const std::string_view window =
      text.substr(static_cast<size_t>(start), static_cast<size_t>(std::min(wanted + 1, n - start)));
  const auto equal = [&](char a, char b) {
    return options.MatchCase ? a == b : Folded(a) == Folded(b);
  };
  if (pattern.empty() || window.empty()) {
    return -1;
  }
  for (size_t k = 0; k + pattern.size() <= window.size(); ++k) {
    bool match = true;
    for (size_t j = 0; j < pattern.size() && match; ++j) {
      match = equal(window[k + j], pattern[j]);
    }
    if (!match) {
      continue;
    }
    const char before = k == 0 ? '\0' : window[k - 1];
    const char after = k + pattern.size() == window.size() ? '\0' : window[k + pattern.size()];
    if (!options.WholeWord || (WordSeparators.Contains(before) && WordSeparators.Contains(after))) {
      return static_cast<int32_t>(start + static_cast<int64_t>(k));
    }
  }
  return -1;
}

inline int32_t FindLastBefore(int32_t pos, std::string_view text, std::string_view pattern) {
  const auto n = static_cast<int32_t>(text.size());
  const auto m = static_cast<int32_t>(pattern.size());
  if (pos == -1 || pos > n) {
    pos = n;
  }
  if (n == 0) {
    return -1;
  }
  if (m == 0) {
    return pos;
  }
  for (int32_t candidate = std::min(pos, n - m + 1); candidate >= 1; --candidate) {
    bool match = true;
    for (int32_t j = 0; j < m && match; ++j) {
      match = Folded(text[static_cast<size_t>(candidate - 1 + j)]) ==
              Folded(pattern[static_cast<size_t>(j)]);
    }
    if (match) {
      return candidate;
    }
  }
  return -1;
}

inline bool IsInComment(std::string_view text, int32_t pos) {
  const int32_t open = reference::FindLastBefore(pos, text, "/*");
  const int32_t close = reference::FindLastBefore(pos, text, "*/");
  return open != -1 && (close == -1 || close < open);
}

inline int32_t FindOutsideComments(const TSheet& sheet, std::string_view text,
                                   std::string_view pattern, int32_t from, int32_t count,
                                   TSearchOptions options, bool SkipComments, bool SkipValues) {
  const auto n = static_cast<int64_t>(text.size());
  const int64_t windowEnd =
      std::min(std::max<int64_t>(int64_t{from} - 1, 0) + (count == -1 ? n : count) + 1, n);
  for (;;) {
    const int32_t r = reference::FindInText(text, pattern, from, count, options);
    if (!SkipComments || r == -1) {
      return r;
    }
    if (!reference::IsInComment(text, r) && !(SkipValues && sheet.IsValue(r))) {
      return r;
    }
    // Again over the rest of the same window: right after the rejected match up to its end.
    const int64_t restStart = int64_t{r} + static_cast<int64_t>(pattern.size());
    if (restStart >= windowEnd) {
      return -1;
    }
    from = static_cast<int32_t>(restStart + 1);
    count = static_cast<int32_t>(windowEnd - restStart - 1);
  }
}

}  // namespace qm::reference
