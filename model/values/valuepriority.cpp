// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/values/valuepriority.h"

#include "model/asciicase.h"
#include "model/text/csslexis.h"
#include "model/textbytes.h"

namespace qm {

namespace {

using lexis::CommentEnd;
using lexis::EscapeEnd;
using lexis::StartsEscape;
using lexis::StringEnd;
using lexis::UnquotedUrlBody;
using lexis::UrlTokenEnd;

std::string_view Trim(std::string_view text) {
  while (!text.empty() && textbytes::IsBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && textbytes::IsBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

// Where the last "!" outside strings and comments stands, else npos.
size_t LastBang(std::string_view text) {
  size_t bang = std::string_view::npos;
  const auto size = static_cast<int32_t>(text.size());
  for (int32_t i = 0; i < size;) {
    const char c = textbytes::At(text, i);
    if (c == '"' || c == '\'') {
      i = StringEnd(text, i).End;
    } else if (c == '/' && i + 1 < size && textbytes::At(text, i + 1) == '*') {
      i = CommentEnd(text, i).End;
    } else if (StartsEscape(text, i)) {
      i = EscapeEnd(text, i);
    } else if (const int32_t body = c == '(' ? UnquotedUrlBody(text, i) : -1; body >= 0) {
      i = UrlTokenEnd(text, body).End;
    } else {
      if (c == '!') {
        bang = static_cast<size_t>(i);
      }
      ++i;
    }
  }
  return bang;
}

}  // namespace

TValuePriority SplitPriority(std::string_view value) {
  value = Trim(value);
  const size_t bang = LastBang(value);
  if (bang != std::string_view::npos &&
      EqualIgnoringAsciiCase(Trim(value.substr(bang + 1)), "important")) {
    return {Trim(value.substr(0, bang)), value.substr(bang)};
  }
  return {value, {}};
}

std::string WithPriority(std::string_view value, std::string_view priority) {
  std::string text(Trim(value));
  if (!text.empty() && !priority.empty()) {
    text += ' ';
    text += priority;
  }
  return text;
}

}  // namespace qm
