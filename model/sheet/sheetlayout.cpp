// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/sheet/sheetlayout.h"

#include <algorithm>

#include "model/text/csslexis.h"
#include "model/textbytes.h"

namespace qm {

namespace {

constexpr std::string_view kCrLf = "\r\n";

using textbytes::IsBlank;

// The editor's lines end at CR and LF; a form feed stays inside one.
bool EndsEditorLine(char c) {
  return c == '\r' || c == '\n';
}

// Deeper blocks are indented no further: indentation growing with depth would make the
// formatted text grow with the square of the nesting.
constexpr int kMaxIndentDepth = 32;

// Just past the escape at the backslash at i. Outside a string too a line break after the
// backslash goes with it: a blank in its place would change what the backslash stands before.
size_t EscapeEnd(std::string_view text, size_t i) {
  const auto at = static_cast<int32_t>(i);
  return static_cast<size_t>(lexis::StartsEscape(text, at) ? lexis::WholeEscapeEnd(text, at)
                                                           : lexis::StringEscapeEnd(text, at));
}

// Where the blank that ends the hex escape from i to end starts; end when it has none.
size_t HexEscapeBlank(std::string_view text, size_t i, size_t end) {
  if (!lexis::StartsEscape(text, static_cast<int32_t>(i)) || end - i <= 2 ||
      !IsBlank(text[end - 1])) {
    return end;
  }
  return text[end - 1] == '\n' && text[end - 2] == '\r' ? end - 2 : end - 1;
}

// Splits the text into the pieces that stay as they are (a selector, prelude or declaration
// with its blank runs made one blank, or a comment between them) and the braces and semicolons
// between them, and hands them to a layout.
template <typename TLayout>
void Lay(std::string_view text, TLayout& layout) {
  std::string piece;   // the current selector, prelude or declaration
  bool blank = false;  // blanks were seen after the piece's last byte
  int nesting = 0;     // ( and [ open in the piece: a ";" there belongs to it, as in url(data:...)
  size_t escapeBlank = std::string::npos;  // the piece's size after the last hex escape's blank
  const auto flush = [&](char boundary) {
    // What follows the piece, a brace, ";" or line break, ends the escape as well; a line break
    // there would become its blank when the text is read again.
    if (piece.size() == escapeBlank) {
      piece.pop_back();
    }
    escapeBlank = std::string::npos;
    layout.Piece(piece, boundary);
    piece.clear();
    blank = false;
    nesting = 0;
  };
  const auto take = [&](std::string_view bytes) {
    // A line break kept in the piece stands for the blanks after it.
    if (blank && !piece.empty() && !textbytes::IsNewline(piece.back())) {
      piece.push_back(' ');
    }
    blank = false;
    piece.append(bytes);
  };
  const size_t size = text.size();
  for (size_t i = 0; i < size;) {
    const char c = text[i];
    if (c == '/' && i + 1 < size && text[i + 1] == '*') {
      const auto end = static_cast<size_t>(lexis::CommentEnd(text, static_cast<int32_t>(i)).End);
      if (piece.empty()) {
        layout.Comment(text.substr(i, end - i));
        blank = false;
      } else {
        take(text.substr(i, end - i));
      }
      i = end;
    } else if (c == '"' || c == '\'') {
      // To the closing quote, or to the newline, where an unclosed string ends.
      const lexis::TRunEnd end = lexis::StringEnd(text, static_cast<int32_t>(i));
      take(text.substr(i, static_cast<size_t>(end.End) - i));
      i = static_cast<size_t>(end.End);
      // The line break that ends a string left open stays: a blank there would let the string
      // run on over the next line.
      if (const auto newline = static_cast<size_t>(lexis::NewlineLength(text, end.End));
          !end.Closed && newline > 0) {
        piece.append(text.substr(i, newline));
        i += newline;
      }
    } else if (c == '\\') {
      const size_t end = EscapeEnd(text, i);
      const size_t own = HexEscapeBlank(text, i, end);
      take(text.substr(i, own - i));
      // A hex escape's blank is its own, not the code's: ".\31  a" is a "1" and then a blank.
      if (own < end) {
        piece.push_back(' ');
        escapeBlank = piece.size();
      }
      i = end;
    } else if (const int32_t body =
                   c == '(' ? lexis::UnquotedUrlBody(text, static_cast<int32_t>(i)) : -1;
               body >= 0) {
      // An unquoted url() is one token whatever it holds: braces, quotes and "/*" of an SVG
      // address among them, and one left open runs on as far as a browser reads it.
      const auto end = static_cast<size_t>(lexis::UrlTokenEnd(text, body).End);
      take(text.substr(i, end - i));
      i = end;
    } else if (IsBlank(c)) {
      blank = true;
      ++i;
    } else if (c == '{' || c == '}' || (c == ';' && nesting == 0)) {
      flush(c);
      ++i;
    } else {
      if (c == '(' || c == '[') {
        ++nesting;
      } else if ((c == ')' || c == ']') && nesting > 0) {
        --nesting;
      }
      take(text.substr(i, 1));
      ++i;
    }
  }
  if (!piece.empty()) {
    flush('\0');
  }
}

class TFormatLayout {
 public:
  void Piece(const std::string& piece, char boundary) {
    if (boundary == '}') {
      if (!piece.empty()) {
        Line(piece);
      }
      Depth_ = std::max(0, Depth_ - 1);
      Line("}");
      return;
    }
    if (boundary == '{') {
      Line(piece.empty() ? std::string("{") : piece + " {");
      ++Depth_;
      return;
    }
    Line(boundary == ';' ? piece + ";" : piece);
  }
  void Comment(std::string_view comment) { Line(comment); }
  std::string Text() {
    if (Out_.ends_with(kCrLf)) {
      Out_.resize(Out_.size() - kCrLf.size());
    }
    return std::move(Out_);
  }

 private:
  void Line(std::string_view line) {
    Out_.append(static_cast<size_t>(2 * std::min(Depth_, kMaxIndentDepth)), ' ');
    Out_.append(line);
    Out_.append(kCrLf);
  }
  std::string Out_;
  int Depth_ = 0;
};

class TMinifyLayout {
 public:
  void Piece(const std::string& piece, char boundary) {
    Append(piece);
    if (boundary != '\0') {
      Out_.push_back(boundary);
    }
  }
  void Comment(std::string_view comment) { Append(comment); }
  std::string Text() { return std::move(Out_); }

 private:
  // A comment's end followed by "*" or "/" would read as "*/*" or "*//": one blank keeps them
  // apart for every reader that looks for comment markers.
  void Append(std::string_view text) {
    if (!text.empty() && (text[0] == '*' || text[0] == '/') && Out_.ends_with("*/")) {
      Out_.push_back(' ');
    }
    Out_.append(text);
  }

  std::string Out_;
};

}  // namespace

std::string FormatSheet(std::string_view text) {
  TFormatLayout layout;
  Lay(text, layout);
  return layout.Text();
}

std::string MinifySheet(std::string_view text) {
  TMinifyLayout layout;
  Lay(text, layout);
  return layout.Text();
}

size_t LongestLine(std::string_view text) {
  size_t longest = 0;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || EndsEditorLine(text[i])) {
      longest = std::max(longest, i - start);
      start = i + 1;
    }
  }
  return longest;
}

}  // namespace qm
