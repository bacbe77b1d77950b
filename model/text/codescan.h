// SPDX-License-Identifier: GPL-3.0-or-later
// Which braces, semicolons and comment ends of a style sheet are its code rather than text in a
// comment, a string, an unquoted url() or an escape: the one reading that pairs braces.
#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "model/text/csslexis.h"

namespace qm {

enum class TCodeByte : uint8_t {
  Open,        // "{"
  Close,       // "}"
  Semicolon,   // ";"
  Nul,         // a NUL byte
  CommentEnd,  // the "/" of the "*/" that ends a comment, or of a "*/" outside one
};

struct TCodeStop {
  int32_t Index = 0;
  TCodeByte Byte = TCodeByte::Open;
  // No quote or url( in front of it on its line was left open: then what lies before it reads
  // the same whatever changes after it, and a scan may resume just past it.
  bool Clean = true;
};

// Walks the code bytes of a text in order. Outside code are, as csslexis.h reads them:
// - a comment, to its "*/", or to the text's end when none follows;
// - a closed string in double or single quotes; a string left open at a newline is no string:
//   its quote is a plain byte, so that a quote being typed cannot swallow the rest of the sheet;
// - an unquoted url(...), to its ")" by the same rules;
// - the byte after a backslash, unless that is a newline.
// Each case is settled by looking ahead on one line at most once per place, so a scan is linear
// in the text's length.
class TCodeScanner {
 public:
  // from is 0 or just past a stop that a scan reported as clean.
  explicit TCodeScanner(std::string_view text, int32_t from = 0) : Text_(text), Pos_(from) {}

  // The next stop; false at the text's end.
  bool Next(TCodeStop& stop);
  // Whether the text ended inside a comment (once Next has returned false).
  bool EndedInComment() const { return EndedInComment_; }

 private:
  // Just past the string or url() that starts at index, or index + 1 when there is none.
  int32_t SkipString(int32_t quote);
  int32_t SkipUrl(int32_t paren);

  std::string_view Text_;
  int32_t Pos_ = 0;
  // Quotes (double, single) and url( before these places are known to be left open.
  int32_t OpenQuoteUntil_[2] = {-1, -1};
  int32_t OpenUrlUntil_ = -1;
  // The end of the last look-ahead that found nothing to close: stops before it are not clean.
  int32_t DirtyUntil_ = -1;
  bool EndedInComment_ = false;
};

// The partner of every "{" of a text that is code, found in one pass.
class TBracePairs {
 public:
  explicit TBracePairs(std::string_view text);
  // The index of the "}" that closes the code "{" at open: nested code braces are counted. -1
  // when the text ends first, or when there is no code "{" at open.
  int32_t Partner(int32_t open) const;

 private:
  std::vector<std::pair<int32_t, int32_t>> Pairs_;  // by opening brace
};

namespace codescan {

// The first byte in [from, to) that may change what is code: braces, ";", "/", a quote, "(", a
// backslash or NUL; to when there is none.
int32_t NextInteresting(const char* data, int32_t from, int32_t to);

}  // namespace codescan

inline bool TCodeScanner::Next(TCodeStop& stop) {
  const char* const data = Text_.data();
  const auto n = static_cast<int32_t>(Text_.size());
  int32_t i = Pos_;
  for (;;) {
    i = codescan::NextInteresting(data, i, n);
    if (i >= n) {
      Pos_ = n;
      return false;
    }
    TCodeByte byte = TCodeByte::Open;
    switch (data[i]) {
      case '{':
        break;
      case '}':
        byte = TCodeByte::Close;
        break;
      case ';':
        byte = TCodeByte::Semicolon;
        break;
      case '\0':
        byte = TCodeByte::Nul;
        break;
      case '\\':
        i = lexis::EscapeEnd(Text_, i);
        continue;
      case '"':
      case '\'':
        i = SkipString(i);
        continue;
      case '(':
        i = SkipUrl(i);
        continue;
      default:  // '/'
        if (i + 1 < n && data[i + 1] == '*') {
          const lexis::TRunEnd end = lexis::CommentEnd(Text_, i);
          if (!end.Closed) {
            Pos_ = n;
            EndedInComment_ = true;
            return false;
          }
          i = end.End - 1;
        } else if (i == 0 || data[i - 1] != '*') {
          ++i;
          continue;
        }
        byte = TCodeByte::CommentEnd;
        break;
    }
    stop = {i, byte, i >= DirtyUntil_};
    Pos_ = i + 1;
    return true;
  }
}

}  // namespace qm
