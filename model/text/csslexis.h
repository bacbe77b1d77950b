// SPDX-License-Identifier: GPL-3.0-or-later
// Where CSS's comments, strings, escapes and unquoted url()s end, for every reader that has to
// tell them from code. A reader keeps its own loop, and its own answer to what a string left
// open means; what ends one, and what a newline or an escape is, comes from here.
#pragma once

#include <cstdint>
#include <string_view>

#include "model/textbytes.h"

namespace qm::lexis {

using textbytes::IsBlank;
using textbytes::IsNewline;

// Where a comment, string or url() that starts at a place ends.
struct TRunEnd {
  // Closed: just past its "*/", closing quote or ")". Left open: where it stopped, the newline
  // (a string, a url()) or the text's end.
  int32_t End = 0;
  bool Closed = false;
};

// How many bytes the newline at i takes: CR LF is one newline of two bytes; 0 when there is
// none at i.
constexpr int32_t NewlineLength(std::string_view text, int32_t i) {
  const auto at = static_cast<size_t>(i);
  if (at >= text.size() || !IsNewline(text[at])) {
    return 0;
  }
  return text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;
}

// Whether the backslash at i escapes the byte after it outside a string: not before a newline,
// nor at the text's end, where it is a plain backslash. A hex escape ("\7B ") runs on over up to
// six hex digits and a blank (WholeEscapeEnd); where a string or url() ends depends on that blank
// when it is a newline, which the escape takes.
constexpr bool StartsEscape(std::string_view text, int32_t i) {
  const auto at = static_cast<size_t>(i);
  return text[at] == '\\' && at + 1 < text.size() && !IsNewline(text[at + 1]);
}

// Just past the escape at the backslash at i outside a string, or i + 1 when it escapes nothing.
constexpr int32_t EscapeEnd(std::string_view text, int32_t i) {
  return StartsEscape(text, i) ? i + 2 : i + 1;
}

// Just past the whole escape at the backslash at i that StartsEscape: a hex escape's digits and
// the one blank after them (CR LF being one), which belongs to it, or the one byte escaped. A
// reader that keeps blanks apart from the code around them needs the blank; where a run ends
// does not.
constexpr int32_t WholeEscapeEnd(std::string_view text, int32_t i) {
  const auto n = static_cast<int32_t>(text.size());
  int32_t end = i + 1;
  while (end < n && end < i + 7 && textbytes::IsHexDigit(text[static_cast<size_t>(end)])) {
    ++end;
  }
  if (end == i + 1) {
    return i + 2;
  }
  if (end < n && IsBlank(text[static_cast<size_t>(end)])) {
    const int32_t newline = NewlineLength(text, end);
    end += newline > 0 ? newline : 1;
  }
  return end;
}

// Just past the escape at the backslash at i inside a string or url(): it takes the byte after
// it, or the whole newline after it, which continues the string on the next line. The text's end
// when it ends first.
constexpr int32_t StringEscapeEnd(std::string_view text, int32_t i) {
  const int32_t newline = NewlineLength(text, i + 1);
  const int32_t end = i + 1 + (newline > 0 ? newline : 1);
  return end < static_cast<int32_t>(text.size()) ? end : static_cast<int32_t>(text.size());
}

// The comment whose "/*" is at open. Closed just past its "*/"; left open at the text's end.
constexpr TRunEnd CommentEnd(std::string_view text, int32_t open) {
  const size_t close = text.find("*/", static_cast<size_t>(open) + 2);
  if (close == std::string_view::npos) {
    return {static_cast<int32_t>(text.size()), false};
  }
  return {static_cast<int32_t>(close) + 2, true};
}

// A run of bytes from from up to close, escapes taken whole (a hex escape with the blank or
// newline after it): just past close, or left open at the first newline outside an escape or at
// the text's end. Strings and url() are both such runs.
TRunEnd QuotedEnd(std::string_view text, int32_t from, char close);

// The string whose quote, double or single, is at quote.
inline TRunEnd StringEnd(std::string_view text, int32_t quote) {
  return QuotedEnd(text, quote + 1, text[static_cast<size_t>(quote)]);
}

// Where the body of the unquoted url() whose "(" is at paren starts, past blanks and newlines;
// -1 when that "(" opens none: the name right before it must be "url" in any case, and its first
// byte no quote (url("...") is a function holding a string, read as any other string).
int32_t UnquotedUrlBody(std::string_view text, int32_t paren);

// Where the string of the url("...") whose "(" is at paren starts, past blanks and newlines; -1
// when that "(" opens none. Up to there nothing may come between: url( and a "/" is an unquoted
// url().
int32_t QuotedUrlString(std::string_view text, int32_t paren);

// The unquoted url() whose body starts at body: closed just past its ")".
inline TRunEnd UrlEnd(std::string_view text, int32_t body) {
  return QuotedEnd(text, body, ')');
}

// The same url() to where a browser's url token ends: a newline makes it a bad url, which still
// runs on to the next ")" outside an escape, or to the text's end. A reader that moves the bytes
// around it needs this end; one that shows where the url() went wrong, UrlEnd's.
inline TRunEnd UrlTokenEnd(std::string_view text, int32_t body) {
  TRunEnd end = UrlEnd(text, body);
  while (!end.Closed && end.End < static_cast<int32_t>(text.size())) {
    end = UrlEnd(text, end.End + NewlineLength(text, end.End));
  }
  return end;
}

}  // namespace qm::lexis
