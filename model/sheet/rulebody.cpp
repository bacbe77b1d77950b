// SPDX-License-Identifier: GPL-3.0-or-later
// One pass over a rule's braces that finds its declarations and nested rules, and the look at a
// block's prelude that tells its kind.
#include "model/sheet/rulebody.h"

#include <array>
#include <cstdint>

#include "model/asciicase.h"
#include "model/text/csslexis.h"
#include "model/textbytes.h"

namespace qm {

namespace {

using textbytes::At;
using textbytes::IsBlank;
using textbytes::IsNameChar;

// The bytes of a rule's braces, read atom by atom: a comment, a string, an escape, a run of name
// characters or one other byte. Nothing is read at or past End.
struct TCursor {
  std::string_view Text;
  int32_t End = 0;
  mutable int32_t UnclosedFrom = INT32_MAX;  // no "*/" from here to End

  std::string_view Braces() const { return Text.substr(0, static_cast<size_t>(End)); }

  bool CommentAt(int32_t i) const {
    return At(Text, i) == '/' && i + 1 < End && At(Text, i + 1) == '*';
  }

  // Just past the atom that starts at i.
  int32_t Next(int32_t i) const {
    const char c = At(Text, i);
    if (CommentAt(i)) {
      // A comment left open to the end of the braces is a plain "/", like an open quote. Once
      // no "*/" follows a place, none follows a later one: the search is not repeated.
      if (i + 2 < UnclosedFrom) {
        const lexis::TRunEnd comment = lexis::CommentEnd(Braces(), i);
        if (comment.Closed) {
          return comment.End;
        }
        UnclosedFrom = i + 2;
      }
      return i + 1;
    }
    if (c == '"' || c == '\'') {
      // A quote left open to the end of its line or of the braces is a plain byte, so that it
      // cannot swallow what follows, nor a ";" put after it.
      const lexis::TRunEnd string = lexis::StringEnd(Braces(), i);
      return string.Closed ? string.End : i + 1;
    }
    if (c == '(') {
      // The body of an unquoted url() is the address's bytes, "/*", quotes and braces included:
      // the bracket and its body are one atom, up to the ")" that closes it.
      if (const int32_t body = lexis::UnquotedUrlBody(Braces(), i); body >= 0) {
        const lexis::TRunEnd url = lexis::UrlTokenEnd(Braces(), body);
        if (url.Closed) {
          return url.End - 1;
        }
      }
      return i + 1;
    }
    if (lexis::StartsEscape(Braces(), i)) {
      return NameEnd(i);
    }
    if (IsNameChar(c)) {
      return NameEnd(i);
    }
    return i + 1;
  }

  // Just past the run of name characters and escapes that starts at i.
  int32_t NameEnd(int32_t i) const {
    while (i < End) {
      const char c = At(Text, i);
      if (lexis::StartsEscape(Braces(), i)) {
        i += 2;
      } else if (IsNameChar(c)) {
        ++i;
      } else {
        break;
      }
    }
    return i < End ? i : End;
  }

  bool Insignificant(int32_t i) const {
    return IsBlank(At(Text, i)) || (CommentAt(i) && Next(i) > i + 1);
  }

  // The first atom at or after i that is no blank or comment; End when there is none.
  int32_t SkipInsignificant(int32_t i) const {
    while (i < End && Insignificant(i)) {
      i = Next(i);
    }
    return i;
  }
};

bool IsOpener(char c) {
  return c == '(' || c == '[' || c == '{';
}

char PartnerOf(char c) {
  return c == '(' ? ')' : c == '[' ? ']' : '}';
}

// Which brackets of the braces are closed by their partner: an opener left open (a value typed
// as "calc(") is read as a plain byte, so that it cannot swallow the declarations after it.
std::vector<uint8_t> MatchedBrackets(const TCursor& cursor, int32_t begin) {
  std::vector<uint8_t> matched(static_cast<size_t>(cursor.End - begin), 0);
  std::vector<int32_t> open;
  for (int32_t i = begin; i < cursor.End; i = cursor.Next(i)) {
    const char c = At(cursor.Text, i);
    if (IsOpener(c)) {
      open.push_back(i);
    } else if ((c == ')' || c == ']' || c == '}') && !open.empty() &&
               PartnerOf(At(cursor.Text, open.back())) == c) {
      matched[static_cast<size_t>(open.back() - begin)] = 1;
      matched[static_cast<size_t>(i - begin)] = 1;
      open.pop_back();
    }
  }
  return matched;
}

// Where a scan for the end of an item stopped, and what it saw on the way.
struct TStop {
  int32_t At = 0;  // the ";" or "{" it stopped at, or the end of the braces
  char Char = '\0';
  // The last three atoms that are no blank or comment, latest first: start and end.
  std::array<int32_t, 3> Starts{-1, -1, -1};
  std::array<int32_t, 3> Ends{-1, -1, -1};
};

class TBodyParser {
 public:
  TBodyParser(std::string_view text, int32_t open, int32_t close)
      : Cursor_{text, close}, Begin_(open + 1), Matched_(MatchedBrackets(Cursor_, open + 1)) {}

  TRuleBody Parse() {
    TRuleBody body;
    body.LastEnd = Begin_;
    int32_t i = Begin_;
    while (true) {
      i = Cursor_.SkipInsignificant(i);
      if (i >= Cursor_.End) {
        break;
      }
      if (At(Cursor_.Text, i) == ';') {
        ++i;
        body.LastEnd = i;
        body.NeedsSemicolon = false;
        continue;
      }
      i = Item(i, body);
    }
    return body;
  }

 private:
  bool Matched(int32_t i) const { return Matched_[static_cast<size_t>(i - Begin_)] != 0; }

  // Scans from i to the first ";" outside brackets, or the first "{" outside brackets when
  // braces do not nest (everywhere but in a custom property's value), or the end.
  TStop ScanToEnd(int32_t i, bool bracesNest) const {
    TStop stop;
    int32_t depth = 0;
    for (; i < Cursor_.End; i = Cursor_.Next(i)) {
      const char c = At(Cursor_.Text, i);
      if (depth == 0 && (c == ';' || (c == '{' && !bracesNest))) {
        stop.At = i;
        stop.Char = c;
        return stop;
      }
      if (!Cursor_.Insignificant(i)) {
        stop.Starts = {i, stop.Starts[0], stop.Starts[1]};
        stop.Ends = {Cursor_.Next(i), stop.Ends[0], stop.Ends[1]};
      }
      if (IsOpener(c) && Matched(i)) {
        ++depth;
      } else if ((c == ')' || c == ']' || c == '}') && Matched(i)) {
        --depth;
      }
    }
    stop.At = Cursor_.End;
    return stop;
  }

  // Just past the "}" of the block whose "{" is at i; the end of the braces for one never closed.
  int32_t PastBlock(int32_t i) const {
    if (!Matched(i)) {
      return Cursor_.End;
    }
    int32_t depth = 0;
    for (; i < Cursor_.End; i = Cursor_.Next(i)) {
      const char c = At(Cursor_.Text, i);
      if (IsOpener(c) && Matched(i)) {
        ++depth;
      } else if ((c == ')' || c == ']' || c == '}') && Matched(i) && --depth == 0) {
        return i + 1;
      }
    }
    return Cursor_.End;
  }

  // Reads the item that starts at i; returns where the next one may start.
  int32_t Item(int32_t i, TRuleBody& body) const {
    const std::string_view text = Cursor_.Text;
    int32_t nameEnd = i;
    if (At(text, i) == '*' || At(text, i) == '_') {
      ++nameEnd;  // the old "*zoom" and "_height" hacks are declarations too
    }
    nameEnd = At(text, i) == '@' ? i : Cursor_.NameEnd(nameEnd);
    const int32_t colon = nameEnd > i ? Cursor_.SkipInsignificant(nameEnd) : Cursor_.End;
    if (colon < Cursor_.End && At(text, colon) == ':') {
      const bool custom = nameEnd - i > 2 && At(text, i) == '-' && At(text, i + 1) == '-';
      const TStop stop = ScanToEnd(colon + 1, custom);
      if (stop.Char != '{') {
        Declaration(i, nameEnd, colon, stop, body);
        return stop.Char == ';' ? stop.At + 1 : stop.At;
      }
      return Nested(i, stop, body);
    }
    const TStop stop = ScanToEnd(i, false);
    if (stop.Char == '{') {
      return Nested(i, stop, body);
    }
    if (stop.Char == ';') {
      // A statement at-rule or text that is no declaration: left as it is.
      if (At(text, i) == '@') {
        body.Nested.push_back({i, stop.At + 1, -1, body.LastEnd, body.NeedsSemicolon});
      }
      body.LastEnd = stop.At + 1;
      body.NeedsSemicolon = false;
      return stop.At + 1;
    }
    body.LastEnd = stop.Ends[0] >= 0 ? stop.Ends[0] : i;
    body.NeedsSemicolon = true;
    return stop.At;
  }

  int32_t Nested(int32_t start, const TStop& stop, TRuleBody& body) const {
    const int32_t end = PastBlock(stop.At);
    body.Nested.push_back({start, end, stop.At, body.LastEnd, body.NeedsSemicolon});
    body.LastEnd = end;
    body.NeedsSemicolon = false;
    return end;
  }

  void Declaration(int32_t start, int32_t nameEnd, int32_t colon, const TStop& stop,
                   TRuleBody& body) const {
    TDeclarationItem item;
    item.NameStart = start;
    item.NameEnd = nameEnd;
    item.Colon = colon;
    item.ValueStart = Cursor_.SkipInsignificant(colon + 1);
    if (item.ValueStart >= stop.At) {
      item.ValueStart = colon + 1;
    }
    const int32_t last = stop.Ends[0] > colon ? stop.Ends[0] : colon + 1;
    item.ValueEnd = last;
    item.PriorityEnd = last;
    const std::string_view text = Cursor_.Text;
    const auto atom = [&](size_t n) {
      return text.substr(static_cast<size_t>(stop.Starts[n]),
                         static_cast<size_t>(stop.Ends[n] - stop.Starts[n]));
    };
    if (stop.Starts[1] > colon && atom(1) == "!" && EqualIgnoringAsciiCase(atom(0), "important")) {
      item.Important = true;
      item.ValueEnd = stop.Starts[2] > colon ? stop.Ends[2] : item.ValueStart;
    }
    item.HasSemicolon = stop.Char == ';';
    item.End = item.HasSemicolon ? stop.At + 1 : item.PriorityEnd;
    body.Declarations.push_back(item);
    body.LastEnd = item.End;
    body.NeedsSemicolon = !item.HasSemicolon;
  }

  TCursor Cursor_;
  int32_t Begin_;
  std::vector<uint8_t> Matched_;
};

constexpr std::array<std::string_view, 8> kGroupRules = {
    "media", "supports", "layer", "container", "document", "scope", "starting-style", "keyframes"};

}  // namespace

TRuleBody ParseRuleBody(std::string_view text, int32_t open, int32_t close) {
  if (open < 0 || close <= open || close > static_cast<int32_t>(text.size())) {
    TRuleBody none;
    none.LastEnd = open + 1;
    return none;
  }
  return TBodyParser(text, open, close).Parse();
}

TBlockKind KindOfPrelude(std::string_view text, int32_t from, int32_t open) {
  const TCursor cursor{text, open};
  // Whether the brace is inside a string or a comment that starts in front of it.
  const TCursor whole{text, static_cast<int32_t>(text.size())};
  // The prelude starts after the last ";" or brace in front of it, outside brackets.
  int32_t start = from;
  int32_t depth = 0;
  for (int32_t i = from; i < open;) {
    const char c = At(text, i);
    const int32_t next = cursor.Next(i);
    // Only a string, a comment or an atom cut short at the brace can reach past it.
    const bool mayReach = c == '"' || c == '\'' || c == '/' || next >= open;
    if (mayReach && whole.Next(i) > open) {
      return TBlockKind::Value;  // the brace is in a string or a comment
    }
    if (c == '(' || c == '[') {
      ++depth;
    } else if ((c == ')' || c == ']') && depth > 0) {
      --depth;
    } else if (c == '{' || c == '}' || (c == ';' && depth == 0)) {
      depth = 0;
      start = i + 1;
    }
    i = next;
  }
  start = cursor.SkipInsignificant(start);
  if (start >= open) {
    return TBlockKind::StyleRule;
  }
  if (At(text, start) == '@') {
    std::string name = AsciiLowerCase(
        text.substr(size_t(start) + 1, size_t(cursor.NameEnd(start + 1) - start - 1)));
    if (name.size() > 1 && name[0] == '-') {
      // A vendor's prefix: "-webkit-keyframes" is "keyframes".
      const size_t dash = name.find('-', 1);
      name = dash == std::string::npos ? name : name.substr(dash + 1);
    }
    for (const std::string_view group : kGroupRules) {
      if (name == group) {
        return TBlockKind::GroupRule;
      }
    }
    return TBlockKind::DeclarationAtRule;
  }
  const int32_t nameEnd = cursor.NameEnd(start);
  if (nameEnd - start > 2 && At(text, start) == '-' && At(text, start + 1) == '-') {
    const int32_t colon = cursor.SkipInsignificant(nameEnd);
    if (colon < open && At(text, colon) == ':') {
      return TBlockKind::Value;
    }
  }
  return TBlockKind::StyleRule;
}

}  // namespace qm
