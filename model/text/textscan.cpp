// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/text/textscan.h"

#include "model/error.h"
#include "model/textbytes.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace qm {

namespace {

constexpr std::array<bool, 256> SeparatorMembers() {
  std::array<bool, 256> members{};
  for (const int c : {0, 8, 9, 10, 13, 46, 47, 123, 125}) {
    members[c] = true;
  }
  for (int c = 32; c <= 44; ++c) {
    members[c] = true;
  }
  for (int c = 58; c <= 64; ++c) {
    members[c] = true;
  }
  for (int c = 91; c <= 96; ++c) {
    members[c] = true;
  }
  return members;
}

constexpr std::array<uint8_t, 256> MakeFold() {
  std::array<uint8_t, 256> fold{};
  for (int c = 0; c < 256; ++c) {
    fold[c] = static_cast<uint8_t>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  }
  return fold;
}

constexpr std::array<uint8_t, 256> Fold = MakeFold();

inline uint8_t Byte(std::string_view s, int64_t i) {
  return static_cast<uint8_t>(s[static_cast<size_t>(i)]);
}

// A search window [Start, End) of a text; empty when End <= Start.
struct TWindow {
  int64_t Start = 0;
  int64_t End = 0;
};

TWindow WindowOf(std::string_view text, int32_t from, int32_t count) {
  const auto n = static_cast<int64_t>(text.size());
  const int64_t length = (count == -1 ? n : int64_t{count}) + 1;
  const int64_t start = std::min<int64_t>(std::max<int64_t>(int64_t{from} - 1, 0), n);
  return {start, std::clamp<int64_t>(start + length, start, n)};
}

bool MatchesAt(std::string_view text, std::string_view pattern, int64_t at, bool matchCase) {
  if (matchCase) {
    return std::memcmp(text.data() + at, pattern.data(), pattern.size()) == 0;
  }
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (Fold[Byte(text, at + static_cast<int64_t>(i))] != Fold[static_cast<uint8_t>(pattern[i])]) {
      return false;
    }
  }
  return true;
}

// The first start in [at, last] whose byte can begin the pattern, or -1.
int64_t NextCandidate(std::string_view text, uint8_t first, bool matchCase, int64_t at,
                      int64_t last) {
  const uint8_t folded = Fold[first];
  const bool oneForm = matchCase || !(folded >= 'a' && folded <= 'z');
  if (oneForm) {
    const void* hit = std::memchr(text.data() + at, first, static_cast<size_t>(last - at + 1));
    return hit == nullptr ? -1 : static_cast<const char*>(hit) - text.data();
  }
  for (; at <= last; ++at) {
    if (Fold[Byte(text, at)] == folded) {
      return at;
    }
  }
  return -1;
}

// The occurrence rule of FindInText over an explicit window; the window's edges read as NUL.
int64_t FindInWindow(std::string_view text, std::string_view pattern, TWindow window,
                     TSearchOptions options) {
  const auto m = static_cast<int64_t>(pattern.size());
  if (m == 0 || window.End - window.Start < m) {
    return -1;
  }
  const int64_t last = window.End - m;
  const auto first = static_cast<uint8_t>(pattern[0]);
  for (int64_t at = window.Start; at <= last; ++at) {
    at = NextCandidate(text, first, options.MatchCase, at, last);
    if (at < 0) {
      return -1;
    }
    if (!MatchesAt(text, pattern, at, options.MatchCase)) {
      continue;
    }
    if (!options.WholeWord) {
      return at;
    }
    const char before = at == window.Start ? '\0' : text[static_cast<size_t>(at - 1)];
    const char after = at + m == window.End ? '\0' : text[static_cast<size_t>(at + m)];
    if (WordSeparators.Contains(before) && WordSeparators.Contains(after)) {
      return at;
    }
  }
  return -1;
}

}  // namespace

const TCharSet WordSeparators(SeparatorMembers());

int32_t FindInText(std::string_view text, std::string_view pattern, int32_t from, int32_t count,
                   TSearchOptions options) {
  return static_cast<int32_t>(FindInWindow(text, pattern, WindowOf(text, from, count), options));
}

int32_t FindLastBefore(int32_t pos, std::string_view text, std::string_view pattern) {
  const auto n = static_cast<int64_t>(text.size());
  const auto m = static_cast<int64_t>(pattern.size());
  if (pos == -1 || pos > n) {
    pos = static_cast<int32_t>(n);
  }
  if (n == 0) {
    return -1;
  }
  if (m == 0) {
    return pos;
  }
  for (int64_t start = std::min<int64_t>(pos, n - m + 1); start >= 1; --start) {
    if (MatchesAt(text, pattern, start - 1, false)) {
      return static_cast<int32_t>(start);
    }
  }
  return -1;
}

bool IsInComment(std::string_view text, int32_t pos) {
  const auto n = static_cast<int64_t>(text.size());
  if (pos == -1 || pos > n) {
    pos = static_cast<int32_t>(n);
  }
  if (pos <= 0) {
    return false;
  }
  // The last marker that begins before pos decides. Both markers hold a star, at most at pos;
  // going back star by star, a "*/" at the star begins after a "/*" that ends at it.
  for (size_t star = text.rfind('*', static_cast<size_t>(std::min<int64_t>(pos, n - 1)));
       star != std::string_view::npos;
       star = star == 0 ? std::string_view::npos : text.rfind('*', star - 1)) {
    if (static_cast<int64_t>(star) < pos && star + 1 < text.size() && text[star + 1] == '/') {
      return false;
    }
    if (star > 0 && text[star - 1] == '/') {
      return true;
    }
  }
  return false;
}

int32_t FindOutsideComments(const TDocument& document, std::string_view text,
                            std::string_view pattern, int32_t from, int32_t count,
                            TSearchOptions options, bool SkipComments, bool SkipValues) {
  const TWindow window = WindowOf(text, from, count);
  int64_t r = FindInWindow(text, pattern, window, options);
  if (!SkipComments) {
    return static_cast<int32_t>(r);
  }
  const std::string_view documentText = document.Text();
  const bool ownText = text.data() == documentText.data() && text.size() == documentText.size();
  while (r != -1) {
    const auto at = static_cast<int32_t>(r);
    const bool inComment = ownText ? document.Comments().IsInComment(at) : IsInComment(text, at);
    if (!inComment && !(SkipValues && IsValue(document, at))) {
      return at;
    }
    r = FindInWindow(text, pattern, {r + static_cast<int64_t>(pattern.size()), window.End},
                     options);
  }
  return -1;
}

int32_t HexToColor(std::string_view s) {
  const auto blank = [](char c) { return static_cast<uint8_t>(c) <= ' '; };
  if (std::all_of(s.begin(), s.end(), blank) || s[0] != '#' || s.size() < 6) {
    return 0;
  }
  const std::string_view digits = s.substr(1);
  int32_t color = 0;
  for (size_t i = 0; i < 3; ++i) {
    // The blue pair may be cut short by the end of the string; it is never empty.
    const std::string_view pair = digits.substr(2 * i, 2);
    int32_t value = 0;
    for (const char c : pair) {
      int32_t digit = -1;
      if (c >= '0' && c <= '9') {
        digit = c - '0';
      } else if (Fold[static_cast<uint8_t>(c)] >= 'a' && Fold[static_cast<uint8_t>(c)] <= 'f') {
        digit = Fold[static_cast<uint8_t>(c)] - 'a' + 10;
      }
      if (digit < 0) {
        throw TError(FormatMessage("'%s' is not a valid integer value", {"$" + std::string(pair)}));
      }
      value = value * 16 + digit;
    }
    color |= value << (8 * i);
  }
  return color;
}

std::string ColorToHex(int32_t color) {
  const auto bits = static_cast<uint32_t>(color);
  char hex[8];
  std::snprintf(hex, sizeof hex, "#%02X%02X%02X", bits & 0xFF, (bits >> 8) & 0xFF,
                (bits >> 16) & 0xFF);
  return hex;
}

int32_t CurLineNum(const TDocument& document, int32_t pos) {
  return document.IndexToLineCol(pos).Line;
}

int32_t CurLineLen(const TDocument& document, int32_t pos) {
  return static_cast<int32_t>(document.LineText(CurLineNum(document, pos)).size());
}

int32_t FirstColumn(const TDocument& document, int32_t line) {
  return document.LineColToIndex(line, 1);
}

bool IsValue(const TDocument& document, int32_t pos) {
  if (pos == -1) {
    return false;
  }
  const int32_t line = CurLineNum(document, pos);
  // The column of the byte that follows pos.
  const int64_t col = int64_t{pos} - FirstColumn(document, line) + 2;
  const TTokenKind kind = col < 1 || col > INT32_MAX
                              ? TTokenKind::Null
                              : document.TokenAt(line, static_cast<int32_t>(col));
  return kind == TTokenKind::Null || kind == TTokenKind::Value;
}

std::string OneLine(std::string_view text) {
  std::string line;
  bool blank = false;
  for (const char c : text) {
    if (textbytes::IsBlank(c)) {
      blank = !line.empty();
      continue;
    }
    if (blank) {
      line += ' ';
      blank = false;
    }
    line += c;
  }
  return line;
}

}  // namespace qm
