// SPDX-License-Identifier: GPL-3.0-or-later
// The code scan's byte search, its look-aheads over strings, url() and comments, and the brace
// pairs built from it.
#include "model/text/codescan.h"

#include <algorithm>
#include <array>
#include <bit>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define QM_CODE_SEARCH_SSE2 1
#endif

namespace qm {

namespace {

constexpr std::array<bool, 256> MakeInteresting() {
  std::array<bool, 256> bytes{};
  for (const unsigned char c : {'{', '}', ';', '/', '"', '\'', '(', '\\', '\0'}) {
    bytes[c] = true;
  }
  return bytes;
}
constexpr std::array<bool, 256> Interesting = MakeInteresting();

inline bool IsLineBreak(char c) {
  return c == '\n' || c == '\r' || c == '\f';
}

inline bool IsNameByte(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '_' || static_cast<unsigned char>(c) >= 0x80;
}

inline char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

int32_t codescan::NextInteresting(const char* data, int32_t from, int32_t to) {
#ifdef QM_CODE_SEARCH_SSE2
  // Sixteen bytes compared with every interesting byte at once: most of a sheet lies between.
  if (to - from >= 16) {
    const __m128i open = _mm_set1_epi8('{');
    const __m128i close = _mm_set1_epi8('}');
    const __m128i semicolon = _mm_set1_epi8(';');
    const __m128i slash = _mm_set1_epi8('/');
    const __m128i quote = _mm_set1_epi8('"');
    const __m128i apostrophe = _mm_set1_epi8('\'');
    const __m128i paren = _mm_set1_epi8('(');
    const __m128i backslash = _mm_set1_epi8('\\');
    const __m128i nul = _mm_setzero_si128();
    while (to - from >= 16) {
      const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + from));
      const __m128i hits = _mm_or_si128(
          _mm_or_si128(
              _mm_or_si128(_mm_cmpeq_epi8(chunk, open), _mm_cmpeq_epi8(chunk, close)),
              _mm_or_si128(_mm_cmpeq_epi8(chunk, semicolon), _mm_cmpeq_epi8(chunk, slash))),
          _mm_or_si128(
              _mm_or_si128(_mm_cmpeq_epi8(chunk, quote), _mm_cmpeq_epi8(chunk, apostrophe)),
              _mm_or_si128(
                  _mm_or_si128(_mm_cmpeq_epi8(chunk, paren), _mm_cmpeq_epi8(chunk, backslash)),
                  _mm_cmpeq_epi8(chunk, nul))));
      if (const auto mask = static_cast<unsigned>(_mm_movemask_epi8(hits)); mask != 0) {
        return from + std::countr_zero(mask);
      }
      from += 16;
    }
  }
#endif
  while (from < to && !Interesting[static_cast<unsigned char>(data[from])]) {
    ++from;
  }
  return from;
}

int32_t TCodeScanner::RunTo(int32_t from, char close, int32_t& stopped) const {
  const char* const data = Text_.data();
  const auto n = static_cast<int32_t>(Text_.size());
  int32_t j = from;
  while (j < n) {
#ifdef QM_CODE_SEARCH_SSE2
    // A data: URL in quotes runs for hundreds of bytes without one that matters.
    if (n - j >= 16) {
      const __m128i closing = _mm_set1_epi8(close);
      const __m128i backslash = _mm_set1_epi8('\\');
      const __m128i lf = _mm_set1_epi8('\n');
      const __m128i cr = _mm_set1_epi8('\r');
      const __m128i ff = _mm_set1_epi8('\f');
      const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + j));
      const __m128i hits = _mm_or_si128(
          _mm_or_si128(_mm_cmpeq_epi8(chunk, closing), _mm_cmpeq_epi8(chunk, backslash)),
          _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(chunk, lf), _mm_cmpeq_epi8(chunk, cr)),
                       _mm_cmpeq_epi8(chunk, ff)));
      const auto mask = static_cast<unsigned>(_mm_movemask_epi8(hits));
      if (mask == 0) {
        j += 16;
        continue;
      }
      j += std::countr_zero(mask);
    }
#endif
    const char c = data[j];
    if (c == close) {
      return j + 1;
    }
    if (c == '\\') {
      j += 2;
    } else if (IsLineBreak(c)) {
      break;
    } else {
      ++j;
    }
  }
  stopped = std::min(j, n);
  return -1;
}

int32_t TCodeScanner::SkipString(int32_t quote) {
  // A later quote of the same kind before where an open one's look-ahead stopped lies on that
  // look-ahead's path or right after a backslash on it, so it would stop there too.
  int32_t& openUntil = OpenQuoteUntil_[Text_[static_cast<size_t>(quote)] == '"' ? 0 : 1];
  if (quote < openUntil) {
    return quote + 1;
  }
  int32_t stopped = 0;
  const int32_t end = RunTo(quote + 1, Text_[static_cast<size_t>(quote)], stopped);
  if (end >= 0) {
    return end;
  }
  openUntil = stopped;
  DirtyUntil_ = std::max(DirtyUntil_, stopped);
  return quote + 1;
}

int32_t TCodeScanner::SkipUrl(int32_t paren) {
  const char* const data = Text_.data();
  const auto n = static_cast<int32_t>(Text_.size());
  if (paren < 3 || Lower(data[paren - 3]) != 'u' || Lower(data[paren - 2]) != 'r' ||
      Lower(data[paren - 1]) != 'l' || (paren > 3 && IsNameByte(data[paren - 4]))) {
    return paren + 1;
  }
  int32_t from = paren + 1;
  while (from < n && (data[from] == ' ' || data[from] == '\t')) {
    ++from;
  }
  // url("...") is a function holding a string: the string is read as any other.
  if (from < n && (data[from] == '"' || data[from] == '\'')) {
    return paren + 1;
  }
  if (paren < OpenUrlUntil_) {
    return paren + 1;
  }
  int32_t stopped = 0;
  const int32_t end = RunTo(from, ')', stopped);
  if (end >= 0) {
    return end;
  }
  OpenUrlUntil_ = stopped;
  DirtyUntil_ = std::max(DirtyUntil_, stopped);
  return paren + 1;
}

int32_t TCodeScanner::CommentEnd(int32_t open) const {
  const size_t close = Text_.find("*/", static_cast<size_t>(open) + 2);
  return close == std::string_view::npos ? -1 : static_cast<int32_t>(close) + 2;
}

TBracePairs::TBracePairs(std::string_view text) {
  std::vector<size_t> open;
  TCodeScanner scanner(text);
  TCodeStop stop;
  while (scanner.Next(stop)) {
    if (stop.Byte == TCodeByte::Open) {
      open.push_back(Pairs_.size());
      Pairs_.emplace_back(stop.Index, -1);
    } else if (stop.Byte == TCodeByte::Close && !open.empty()) {
      Pairs_[open.back()].second = stop.Index;
      open.pop_back();
    }
  }
}

int32_t TBracePairs::Partner(int32_t open) const {
  const auto it = std::lower_bound(
      Pairs_.begin(), Pairs_.end(), open,
      [](const std::pair<int32_t, int32_t>& pair, int32_t index) { return pair.first < index; });
  return it != Pairs_.end() && it->first == open ? it->second : -1;
}

}  // namespace qm
