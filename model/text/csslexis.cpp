// SPDX-License-Identifier: GPL-3.0-or-later
// The run to a closing quote or ")", searched sixteen bytes at a time: a data: URL runs for
// hundreds of bytes without one that matters.
#include "model/text/csslexis.h"

#include <bit>

#include "model/asciicase.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define QM_LEXIS_SEARCH_SSE2 1
#endif

namespace qm::lexis {

namespace {

// The first byte at or after from that is close, a backslash or a newline; the text's end when
// there is none.
int32_t NextStop(std::string_view text, int32_t from, char close) {
  const char* const data = text.data();
  const auto n = static_cast<int32_t>(text.size());
#ifdef QM_LEXIS_SEARCH_SSE2
  if (n - from >= 16) {
    const __m128i closing = _mm_set1_epi8(close);
    const __m128i backslash = _mm_set1_epi8('\\');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i ff = _mm_set1_epi8('\f');
    while (n - from >= 16) {
      const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + from));
      const __m128i hits = _mm_or_si128(
          _mm_or_si128(_mm_cmpeq_epi8(chunk, closing), _mm_cmpeq_epi8(chunk, backslash)),
          _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(chunk, lf), _mm_cmpeq_epi8(chunk, cr)),
                       _mm_cmpeq_epi8(chunk, ff)));
      if (const auto mask = static_cast<unsigned>(_mm_movemask_epi8(hits)); mask != 0) {
        return from + std::countr_zero(mask);
      }
      from += 16;
    }
  }
#endif
  while (from < n && data[from] != close && data[from] != '\\' && !IsNewline(data[from])) {
    ++from;
  }
  return from;
}

}  // namespace

TRunEnd QuotedEnd(std::string_view text, int32_t from, char close) {
  const auto n = static_cast<int32_t>(text.size());
  int32_t j = from;
  while ((j = NextStop(text, j, close)) < n) {
    const char c = text[static_cast<size_t>(j)];
    if (c == close) {
      return {j + 1, true};
    }
    if (c != '\\') {
      return {j, false};  // a newline
    }
    j = StartsEscape(text, j) ? WholeEscapeEnd(text, j) : StringEscapeEnd(text, j);
  }
  return {n, false};
}

namespace {

// Where the body of the url() whose "(" is at paren starts, past blanks and newlines, quoted or
// not; -1 when that "(" follows no name "url" ("#url(" and "@url(" are other names).
int32_t UrlBody(std::string_view text, int32_t paren) {
  const auto at = [text](int32_t i) { return text[static_cast<size_t>(i)]; };
  if (paren < 3 || AsciiLower(at(paren - 3)) != 'u' || AsciiLower(at(paren - 2)) != 'r' ||
      AsciiLower(at(paren - 1)) != 'l' ||
      (paren > 3 &&
       (textbytes::IsNameChar(at(paren - 4)) || at(paren - 4) == '#' || at(paren - 4) == '@'))) {
    return -1;
  }
  const auto n = static_cast<int32_t>(text.size());
  int32_t body = paren + 1;
  while (body < n && textbytes::IsBlank(at(body))) {
    ++body;
  }
  return body;
}

bool IsQuote(std::string_view text, int32_t i) {
  return i < static_cast<int32_t>(text.size()) &&
         (text[static_cast<size_t>(i)] == '"' || text[static_cast<size_t>(i)] == '\'');
}

}  // namespace

int32_t UnquotedUrlBody(std::string_view text, int32_t paren) {
  const int32_t body = UrlBody(text, paren);
  return body < 0 || IsQuote(text, body) ? -1 : body;
}

int32_t QuotedUrlString(std::string_view text, int32_t paren) {
  const int32_t body = UrlBody(text, paren);
  return body >= 0 && IsQuote(text, body) ? body : -1;
}

}  // namespace qm::lexis
