// SPDX-License-Identifier: GPL-3.0-or-later
// A declaration's value cut into tokens, with each function's arguments in a run of their own.
#include "model/values/valuetokens.h"

#include <charconv>

#include "model/text/csslexis.h"
#include "model/textbytes.h"

namespace qm {
namespace {

constexpr int kMaxDepth = 32;

using textbytes::IsDigit;

// A name's first byte after its hyphens: no digit, and a backslash for the escape it starts.
bool IsIdentStart(char c) {
  return (textbytes::IsNameStart(c) && c != '-') || c == '\\';
}

bool IsIdentChar(char c) {
  return textbytes::IsNameChar(c) || c == '\\';
}

struct TRawToken {
  TValueToken Token;
  std::vector<TRawToken> Args;
};

class TCutter {
 public:
  explicit TCutter(std::string_view text) : text_(text) {}

  // The tokens up to the ")" that closes a function (depth > 0) or to the end of the text.
  std::vector<TRawToken> Run(int depth) {
    std::vector<TRawToken> run;
    while (true) {
      SkipBlanks();
      if (at_ >= text_.size()) {
        if (depth > 0) {
          broken_ = true;
        }
        return run;
      }
      const char c = text_[at_];
      if (c == ')') {
        if (depth > 0) {
          ++at_;
          return run;
        }
        broken_ = true;
        ++at_;
        continue;
      }
      TRawToken token;
      const size_t tokenStart = at_;
      if (StartsNumber()) {
        ReadNumber(token.Token);
      } else if (StartsIdent(at_)) {
        const std::string_view name = ReadName();
        if (at_ < text_.size() && text_[at_] == '(') {
          ++at_;
          if (EqualsUrl(name) && !StartsQuotedArgument()) {
            ReadUrl(token.Token);
          } else {
            token.Token.Kind = TValueTokenKind::Function;
            token.Token.Text = name;
            token.Args = Nested(depth);
          }
        } else {
          token.Token.Kind = TValueTokenKind::Ident;
          token.Token.Text = name;
        }
      } else if (c == '(') {
        ++at_;
        token.Token.Kind = TValueTokenKind::Function;
        token.Args = Nested(depth);
      } else if (c == '#') {
        ++at_;
        const size_t start = at_;
        while (at_ < text_.size() && IsIdentChar(text_[at_])) {
          ++at_;
        }
        token.Token.Kind = at_ > start ? TValueTokenKind::Hash : TValueTokenKind::Delim;
        token.Token.Text =
            at_ > start ? text_.substr(start, at_ - start) : text_.substr(start - 1, 1);
      } else if (c == '"' || c == '\'') {
        ReadString(token.Token);
      } else {
        token.Token.Kind = c == ','   ? TValueTokenKind::Comma
                           : c == '/' ? TValueTokenKind::Slash
                                      : TValueTokenKind::Delim;
        token.Token.Text = text_.substr(at_, 1);
        ++at_;
      }
      token.Token.Start = static_cast<int32_t>(tokenStart);
      token.Token.End = static_cast<int32_t>(at_);
      run.push_back(std::move(token));
    }
  }

  bool Broken() const { return broken_; }

 private:
  std::vector<TRawToken> Nested(int depth) {
    if (depth + 1 >= kMaxDepth) {
      broken_ = true;
      at_ = text_.size();
      return {};
    }
    return Run(depth + 1);
  }

  void SkipBlanks() {
    while (at_ < text_.size()) {
      if (static_cast<unsigned char>(text_[at_]) <= ' ') {
        ++at_;
      } else if (text_.substr(at_, 2) == "/*") {
        at_ = static_cast<size_t>(lexis::CommentEnd(text_, static_cast<int32_t>(at_)).End);
      } else {
        return;
      }
    }
  }

  char At(size_t i) const { return i < text_.size() ? text_[i] : '\0'; }

  bool StartsIdent(size_t i) const {
    if (At(i) == '-') {
      return IsIdentStart(At(i + 1)) || At(i + 1) == '-';
    }
    return IsIdentStart(At(i));
  }

  bool StartsNumber() const {
    size_t i = at_;
    if (At(i) == '+' || At(i) == '-') {
      ++i;
    }
    return IsDigit(At(i)) || (At(i) == '.' && IsDigit(At(i + 1)));
  }

  std::string_view ReadName() {
    const size_t start = at_;
    while (at_ < text_.size() && IsIdentChar(text_[at_])) {
      at_ += text_[at_] == '\\' && at_ + 1 < text_.size() ? 2 : 1;
    }
    return text_.substr(start, at_ - start);
  }

  void ReadNumber(TValueToken& token) {
    const size_t start = at_;
    bool integer = true;
    if (At(at_) == '+' || At(at_) == '-') {
      ++at_;
    }
    while (IsDigit(At(at_))) {
      ++at_;
    }
    if (At(at_) == '.' && IsDigit(At(at_ + 1))) {
      integer = false;
      ++at_;
      while (IsDigit(At(at_))) {
        ++at_;
      }
    }
    if ((At(at_) == 'e' || At(at_) == 'E') &&
        (IsDigit(At(at_ + 1)) ||
         ((At(at_ + 1) == '+' || At(at_ + 1) == '-') && IsDigit(At(at_ + 2))))) {
      integer = false;
      at_ += 2;
      while (IsDigit(At(at_))) {
        ++at_;
      }
    }
    size_t from = start + (text_[start] == '+' ? 1 : 0);
    double number = 0;
    std::from_chars(text_.data() + from, text_.data() + at_, number);
    token.Number = number;
    token.Integer = integer;
    if (At(at_) == '%') {
      ++at_;
      token.Kind = TValueTokenKind::Percentage;
    } else if (StartsIdent(at_)) {
      token.Kind = TValueTokenKind::Dimension;
      token.Text = ReadName();
    } else {
      token.Kind = TValueTokenKind::Number;
    }
  }

  static bool EqualsUrl(std::string_view name) {
    return name.size() == 3 && (name[0] | 0x20) == 'u' && (name[1] | 0x20) == 'r' &&
           (name[2] | 0x20) == 'l';
  }

  bool StartsQuotedArgument() {
    SkipBlanks();
    return At(at_) == '"' || At(at_) == '\'';
  }

  void ReadUrl(TValueToken& token) {
    token.Kind = TValueTokenKind::Url;
    ReadUntil(')', token);
  }

  void ReadString(TValueToken& token) {
    const char quote = text_[at_++];
    token.Kind = TValueTokenKind::String;
    ReadUntil(quote, token);
  }

  // The token's text runs to the first end byte that no backslash escapes, which is passed over;
  // without one the value is broken and the rest of it is used up.
  void ReadUntil(char end, TValueToken& token) {
    const size_t start = at_;
    while (at_ < text_.size() && text_[at_] != end) {
      at_ += text_[at_] == '\\' ? 2 : 1;
    }
    if (at_ >= text_.size()) {
      broken_ = true;
      at_ = text_.size();
      return;
    }
    token.Text = text_.substr(start, at_ - start);
    ++at_;
  }

  std::string_view text_;
  size_t at_ = 0;
  bool broken_ = false;
};

// Lays a run out contiguously, then each function's arguments after everything before them.
void Flatten(std::vector<TRawToken>& run, std::vector<TValueToken>& tokens) {
  const auto begin = tokens.size();
  for (const TRawToken& raw : run) {
    tokens.push_back(raw.Token);
  }
  for (size_t i = 0; i < run.size(); ++i) {
    if (run[i].Token.Kind == TValueTokenKind::Function) {
      const auto argsBegin = static_cast<int32_t>(tokens.size());
      Flatten(run[i].Args, tokens);
      tokens[begin + i].ArgsBegin = argsBegin;
      tokens[begin + i].ArgsEnd = argsBegin + static_cast<int32_t>(run[i].Args.size());
    }
  }
}

}  // namespace

TValueTokens TokeniseValue(std::string_view value) {
  TCutter cutter(value);
  std::vector<TRawToken> top = cutter.Run(0);
  TValueTokens result;
  result.TopEnd = static_cast<int32_t>(top.size());
  Flatten(top, result.Tokens);
  result.Broken = cutter.Broken();
  result.Source = value;
  return result;
}

}  // namespace qm
