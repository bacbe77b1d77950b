// SPDX-License-Identifier: GPL-3.0-or-later
// A sheet's tokens as CSS's tokenizer makes them, written out literally and slowly: what a
// browser reads, to hold the layout and comment commands to. Comments are dropped; a run of
// blanks is one "ws" token whatever its extent; names, strings and urls carry their value with
// escapes decoded, so "\31 " and "1" read the same.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qm::reference {

class TTokenizer {
 public:
  explicit TTokenizer(std::string_view text) {
    // Newlines are made one: CR LF, CR and FF all read as LF.
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\r') {
        In_.push_back('\n');
        if (i + 1 < text.size() && text[i + 1] == '\n') {
          ++i;
        }
      } else {
        In_.push_back(text[i] == '\f' ? '\n' : text[i]);
      }
    }
  }

  std::vector<std::string> Tokens() {
    std::vector<std::string> tokens;
    while (At_ < In_.size()) {
      std::string token = Next();
      if (!token.empty() && !(token == "ws" && !tokens.empty() && tokens.back() == "ws")) {
        tokens.push_back(std::move(token));
      }
    }
    return tokens;
  }

 private:
  static bool Newline(char c) { return c == '\n'; }
  static bool Space(char c) { return c == ' ' || c == '\t' || c == '\n'; }
  static bool Digit(char c) { return c >= '0' && c <= '9'; }
  static bool Hex(char c) { return Digit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
  static bool NameStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' ||
           static_cast<unsigned char>(c) >= 0x80;
  }
  static bool NameChar(char c) { return NameStart(c) || Digit(c) || c == '-'; }

  // The byte k places on; '\0' past the end.
  char Peek(size_t k = 0) const { return At_ + k < In_.size() ? In_[At_ + k] : '\0'; }
  bool AtEnd(size_t k = 0) const { return At_ + k >= In_.size(); }

  bool ValidEscape(size_t k = 0) const {
    return Peek(k) == '\\' && (AtEnd(k + 1) || !Newline(Peek(k + 1)));
  }
  bool StartsName(size_t k = 0) const {
    if (Peek(k) == '-') {
      return (!AtEnd(k + 1) && (NameStart(Peek(k + 1)) || Peek(k + 1) == '-')) ||
             ValidEscape(k + 1);
    }
    return (!AtEnd(k) && NameStart(Peek(k))) || ValidEscape(k);
  }
  bool StartsNumber() const {
    if (Peek() == '+' || Peek() == '-') {
      return Digit(Peek(1)) || (Peek(1) == '.' && Digit(Peek(2)));
    }
    return Digit(Peek()) || (Peek() == '.' && Digit(Peek(1)));
  }

  static void AppendCodePoint(std::string& out, uint32_t cp) {
    if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      cp = 0xFFFD;
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }

  // The escape whose backslash was just taken: up to six hex digits and one blank after them, or
  // the one byte after the backslash.
  void Escape(std::string& out) {
    if (AtEnd()) {
      AppendCodePoint(out, 0xFFFD);
      return;
    }
    if (Hex(Peek())) {
      uint32_t cp = 0;
      for (int n = 0; n < 6 && Hex(Peek()); ++n) {
        const char h = In_[At_++];
        cp = cp * 16 + static_cast<uint32_t>(Digit(h) ? h - '0' : (h | 0x20) - 'a' + 10);
      }
      if (Space(Peek())) {
        ++At_;
      }
      AppendCodePoint(out, cp);
      return;
    }
    out.push_back(In_[At_++]);
  }

  std::string Name() {
    std::string name;
    while (!AtEnd()) {
      if (NameChar(Peek())) {
        name.push_back(In_[At_++]);
      } else if (ValidEscape()) {
        ++At_;
        Escape(name);
      } else {
        break;
      }
    }
    return name;
  }

  std::string String(char quote) {
    std::string value;
    while (!AtEnd()) {
      const char c = In_[At_];
      if (c == quote) {
        ++At_;
        return "string:" + value;
      }
      if (Newline(c)) {
        return "bad-string";  // the newline stays for the next token
      }
      ++At_;
      if (c != '\\') {
        value.push_back(c);
      } else if (AtEnd()) {
        break;
      } else if (Newline(Peek())) {
        ++At_;  // an escaped newline continues the string
      } else {
        Escape(value);
      }
    }
    return "string:" + value;
  }

  void BadUrlRemnants() {
    while (!AtEnd()) {
      if (Peek() == ')') {
        ++At_;
        return;
      }
      if (ValidEscape()) {
        ++At_;
        std::string ignored;
        Escape(ignored);
      } else {
        ++At_;
      }
    }
  }

  std::string Url() {
    std::string value;
    while (Space(Peek()) && !AtEnd()) {
      ++At_;
    }
    while (!AtEnd()) {
      const char c = In_[At_];
      if (c == ')') {
        ++At_;
        return "url:" + value;
      }
      if (Space(c)) {
        while (!AtEnd() && Space(Peek())) {
          ++At_;
        }
        if (AtEnd() || Peek() == ')') {
          At_ += AtEnd() ? 0 : 1;
          return "url:" + value;
        }
        BadUrlRemnants();
        return "bad-url";
      }
      const auto u = static_cast<unsigned char>(c);
      if (c == '"' || c == '\'' || c == '(' || u <= 8 || u == 0x0B || (u >= 0x0E && u <= 0x1F) ||
          u == 0x7F) {
        BadUrlRemnants();
        return "bad-url";
      }
      if (c == '\\') {
        if (!ValidEscape()) {
          BadUrlRemnants();
          return "bad-url";
        }
        ++At_;
        Escape(value);
        continue;
      }
      value.push_back(c);
      ++At_;
    }
    return "url:" + value;
  }

  std::string IdentLike() {
    std::string name = Name();
    if (Peek() != '(') {
      return "ident:" + name;
    }
    ++At_;
    std::string lower;
    for (const char c : name) {
      lower.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c | 0x20) : c);
    }
    if (lower != "url") {
      return "function:" + name;
    }
    size_t k = 0;
    while (Space(Peek(k)) && !AtEnd(k)) {
      ++k;
    }
    if (Peek(k) == '"' || Peek(k) == '\'') {
      return "function:" + name;
    }
    return Url();
  }

  std::string Numeric() {
    std::string number;
    const auto digits = [&] {
      while (Digit(Peek())) {
        number.push_back(In_[At_++]);
      }
    };
    if (Peek() == '+' || Peek() == '-') {
      number.push_back(In_[At_++]);
    }
    digits();
    if (Peek() == '.' && Digit(Peek(1))) {
      number.push_back(In_[At_++]);
      digits();
    }
    if ((Peek() == 'e' || Peek() == 'E') &&
        (Digit(Peek(1)) || ((Peek(1) == '+' || Peek(1) == '-') && Digit(Peek(2))))) {
      number.push_back(In_[At_++]);
      number.push_back(In_[At_++]);
      digits();
    }
    if (StartsName()) {
      return "dimension:" + number + " " + Name();
    }
    if (Peek() == '%') {
      ++At_;
      return "percentage:" + number;
    }
    return "number:" + number;
  }

  // The next token; empty for a comment.
  std::string Next() {
    const char c = Peek();
    if (c == '/' && Peek(1) == '*') {
      At_ += 2;
      while (!AtEnd() && !(Peek() == '*' && Peek(1) == '/')) {
        ++At_;
      }
      At_ = AtEnd() ? At_ : At_ + 2;
      return "";
    }
    if (Space(c)) {
      while (!AtEnd() && Space(Peek())) {
        ++At_;
      }
      return "ws";
    }
    if (c == '"' || c == '\'') {
      ++At_;
      return String(c);
    }
    if (c == '#' && !AtEnd(1) && (NameChar(Peek(1)) || ValidEscape(1))) {
      ++At_;
      const bool id = StartsName();
      return (id ? "hash-id:" : "hash:") + Name();
    }
    if (StartsNumber()) {
      return Numeric();
    }
    if (c == '-' && Peek(1) == '-' && Peek(2) == '>') {
      At_ += 3;
      return "CDC";
    }
    if (c == '<' && Peek(1) == '!' && Peek(2) == '-' && Peek(3) == '-') {
      At_ += 4;
      return "CDO";
    }
    if (StartsName()) {
      return IdentLike();
    }
    if (c == '@' && StartsName(1)) {
      ++At_;
      return "at-keyword:" + Name();
    }
    ++At_;
    return std::string("delim:") + c;
  }

  std::string In_;
  size_t At_ = 0;
};

inline std::vector<std::string> Tokens(std::string_view text) {
  return TTokenizer(text).Tokens();
}

// The tokens with a blank kept only where it separates two tokens and neither is a brace or
// semicolon: there a layout may put or take away blanks without changing what the sheet means.
inline std::vector<std::string> Meaning(std::string_view text) {
  const std::vector<std::string> tokens = Tokens(text);
  const auto free = [](const std::string& token) {
    return token == "delim:{" || token == "delim:}" || token == "delim:;";
  };
  std::vector<std::string> kept;
  for (size_t i = 0; i < tokens.size(); ++i) {
    if (tokens[i] == "ws" &&
        (i == 0 || i + 1 == tokens.size() || free(tokens[i - 1]) || free(tokens[i + 1]))) {
      continue;
    }
    kept.push_back(tokens[i]);
  }
  return kept;
}

}  // namespace qm::reference
