// SPDX-License-Identifier: GPL-3.0-or-later
// The code scan's byte search, its look-aheads over strings and url(), and the brace pairs built
// from it.
#include "model/text/codescan.h"

#include <algorithm>
#include <array>
#include <bit>

#include "model/text/csslexis.h"

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

int32_t TCodeScanner::SkipString(int32_t quote) {
  // A later quote of the same kind before where an open one's look-ahead stopped lies on that
  // look-ahead's path or right after a backslash on it, so it would stop there too.
  int32_t& openUntil = OpenQuoteUntil_[Text_[static_cast<size_t>(quote)] == '"' ? 0 : 1];
  if (quote < openUntil) {
    return quote + 1;
  }
  const lexis::TRunEnd end = lexis::StringEnd(Text_, quote);
  if (end.Closed) {
    return end.End;
  }
  // Left open: the quote is a plain byte.
  openUntil = end.End;
  DirtyUntil_ = std::max(DirtyUntil_, end.End);
  return quote + 1;
}

int32_t TCodeScanner::SkipUrl(int32_t paren) {
  if (paren < OpenUrlUntil_) {
    return paren + 1;
  }
  const int32_t body = lexis::UnquotedUrlBody(Text_, paren);
  if (body < 0) {
    return paren + 1;
  }
  const lexis::TRunEnd end = lexis::UrlEnd(Text_, body);
  if (end.Closed) {
    return end.End;
  }
  OpenUrlUntil_ = end.End;
  DirtyUntil_ = std::max(DirtyUntil_, end.End);
  return paren + 1;
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
