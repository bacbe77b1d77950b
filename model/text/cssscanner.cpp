// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/text/cssscanner.h"
#include "model/asciicase.h"
#include "model/textbytes.h"

#include <algorithm>

namespace qm {

namespace {

// What starts a token outside a comment and outside selector text.
enum TCharRule : uint8_t {
  RuleNul,
  RuleCr,
  RuleLf,
  RuleSpace,
  RuleQuote,
  RuleHash,
  RuleNumber,
  RuleSlash,
  RuleOpen,
  RuleClose,
  RuleSemicolon,
  RuleColon,
  RuleWord,
};

// Bit sets over the 256 byte values, one bit per run rule, so a run is one table load per byte.
enum TRunBits : uint8_t {
  SpaceRun = 1,      // what a Space token runs over after its first character
  KeyStop = 2,       // ends selector text
  ValueStop = 4,     // ends a Value token
  PropertyStop = 8,  // ends a property-name token
  HexDigit = 16,     // continues a Color token
  StringStop = 32,   // ends a String token (the quote, or the line's end)
  CommentStop = 64,  // where a comment may end: "*" or the line's end
  NumberChar = 128,  // continues a Number token
};

struct TCharTables {
  std::array<TCharRule, 256> Rule{};
  std::array<uint8_t, 256> Run{};
};

constexpr TCharTables MakeTables() {
  TCharTables t;
  for (int c = 0; c < 256; ++c) {
    TCharRule rule = RuleWord;
    if (c == 0) {
      rule = RuleNul;
    } else if (c == '\r') {
      rule = RuleCr;
    } else if (c == '\n') {
      rule = RuleLf;
    } else if (c <= ' ') {
      rule = RuleSpace;
    } else if (c == '"') {
      rule = RuleQuote;
    } else if (c == '#') {
      rule = RuleHash;
    } else if (textbytes::IsDigit(static_cast<char>(c)) || c == '.') {
      rule = RuleNumber;
    } else if (c == '/') {
      rule = RuleSlash;
    } else if (c == '{') {
      rule = RuleOpen;
    } else if (c == '}') {
      rule = RuleClose;
    } else if (c == ';') {
      rule = RuleSemicolon;
    } else if (c == ':' || c == ',') {
      rule = RuleColon;
    }
    t.Rule[c] = rule;
    uint8_t run = 0;
    if ((c >= 1 && c <= 8) || c == 11 || c == 12 || (c >= 14 && c <= 32)) {
      run |= SpaceRun;
    }
    if (c < ' ' || c == '/' || c == '{') {
      run |= KeyStop;
    }
    if (c == 0 || c == '\n' || c == '\r' || c == ',' || c == ';' || c == '}') {
      run |= ValueStop;
    }
    if (c <= ' ' || c == '"' || c == ':' || c == ';' || c == '}') {
      run |= PropertyStop;
    }
    if (textbytes::IsHexDigit(static_cast<char>(c))) {
      run |= HexDigit;
    }
    if (c == '"' || c == 0 || c == '\n' || c == '\r') {
      run |= StringStop;
    }
    if (c == '*' || c == 0 || c == '\n' || c == '\r') {
      run |= CommentStop;
    }
    if (textbytes::IsDigit(static_cast<char>(c)) || c == '.') {
      run |= NumberChar;
    }
    t.Run[c] = run;
  }
  return t;
}

constexpr TCharTables Tables = MakeTables();

inline uint8_t Byte(std::string_view s, int32_t i) {
  return static_cast<uint8_t>(s[static_cast<size_t>(i)]);
}

// Advances i over the bytes that do not have any of the stop bits.
inline int32_t RunUntil(std::string_view s, int32_t i, uint8_t stop) {
  const auto n = static_cast<int32_t>(s.size());
  while (i < n && (Tables.Run[Byte(s, i)] & stop) == 0) {
    ++i;
  }
  return i;
}

inline int32_t RunWhile(std::string_view s, int32_t i, uint8_t bits) {
  const auto n = static_cast<int32_t>(s.size());
  while (i < n && (Tables.Run[Byte(s, i)] & bits) != 0) {
    ++i;
  }
  return i;
}

// The body of a comment from i: just past the next "*/" (restoring the remembered range) or up
// to the line's end, where the range stays Comment.
int32_t CommentBody(std::string_view s, int32_t i, TScanState& state) {
  const auto n = static_cast<int32_t>(s.size());
  for (;;) {
    i = RunUntil(s, i, CommentStop);
    if (i >= n || s[static_cast<size_t>(i)] != '*') {
      return i;
    }
    if (i + 1 < n && s[static_cast<size_t>(i) + 1] == '/') {
      state.Range = state.CommentReturn;
      state.CommentReturn = TScanRange::Selector;
      return i + 2;
    }
    ++i;
  }
}

inline bool IsLetterOrHyphen(uint8_t c) {
  return textbytes::IsLetter(static_cast<char>(c)) || c == '-';
}

}  // namespace

int32_t TScanState::Encode() const {
  const TScanRange back = Range == TScanRange::Comment ? CommentReturn : TScanRange::Selector;
  return static_cast<int32_t>(Range) | (static_cast<int32_t>(back) << 3);
}

TScanState TScanState::Decode(int32_t code) {
  constexpr int32_t ranges = static_cast<int32_t>(TScanRange::AfterColon) + 1;
  const int32_t range = code & 7;
  const int32_t back = code >> 3;
  if (code < 0 || range >= ranges || back >= ranges ||
      (range != static_cast<int32_t>(TScanRange::Comment) && back != 0) ||
      back == static_cast<int32_t>(TScanRange::Comment)) {
    return {};
  }
  return {static_cast<TScanRange>(range), static_cast<TScanRange>(back)};
}

bool TLineScanner::Next(TToken& token) {
  const std::string_view s = Line_;
  const auto n = static_cast<int32_t>(s.size());
  const int32_t start = Pos_;
  if (start >= n) {
    return false;
  }
  const uint8_t c = Byte(s, start);
  TTokenKind kind = TTokenKind::Null;
  int32_t end = start + 1;
  const TCharRule rule = Tables.Rule[c];
  if (State_.Range == TScanRange::Comment && rule != RuleNul && rule != RuleCr && rule != RuleLf) {
    kind = TTokenKind::Comment;
    end = CommentBody(s, start, State_);
  } else if (State_.Range == TScanRange::Selector && (Tables.Run[c] & KeyStop) == 0) {
    kind = TTokenKind::Key;
    end = RunUntil(s, start + 1, KeyStop);
  } else {
    switch (rule) {
      case RuleNul:
        kind = TTokenKind::Null;
        end = n;
        break;
      case RuleCr:
        kind = TTokenKind::Space;
        if (end < n && s[static_cast<size_t>(end)] == '\n') {
          ++end;
        }
        break;
      case RuleLf:
        kind = TTokenKind::Space;
        break;
      case RuleSpace:
        kind = TTokenKind::Space;
        end = RunWhile(s, end, SpaceRun);
        break;
      case RuleQuote:
        kind = TTokenKind::String;
        end = RunUntil(s, end, StringStop);
        if (end < n && s[static_cast<size_t>(end)] == '"') {
          ++end;
        }
        break;
      case RuleHash:
        kind = TTokenKind::Color;
        end = RunWhile(s, end, HexDigit);
        break;
      case RuleNumber:
        kind = TTokenKind::Number;
        // A dot followed by another dot ends the number: ".." is never inside one.
        while (end < n && (Tables.Run[Byte(s, end)] & NumberChar) != 0 &&
               !(s[static_cast<size_t>(end)] == '.' && end + 1 < n &&
                 s[static_cast<size_t>(end) + 1] == '.')) {
          ++end;
        }
        break;
      case RuleSlash:
        if (end < n && s[static_cast<size_t>(end)] == '*') {
          kind = TTokenKind::Comment;
          State_.CommentReturn = State_.Range;
          State_.Range = TScanRange::Comment;
          end = CommentBody(s, end + 1, State_);
        } else {
          kind = TTokenKind::Symbol;
        }
        break;
      case RuleOpen:
        kind = TTokenKind::Symbol;
        State_.Range = TScanRange::Block;
        break;
      case RuleClose:
        kind = TTokenKind::Symbol;
        State_.Range = TScanRange::Selector;
        break;
      case RuleSemicolon:
        kind = TTokenKind::Symbol;
        State_.Range = TScanRange::AfterSemicolon;
        break;
      case RuleColon:
        kind = TTokenKind::Symbol;
        State_.Range = TScanRange::AfterColon;
        break;
      case RuleWord:
        if (State_.Range == TScanRange::AfterColon) {
          kind = TTokenKind::Value;
          State_.Range = TScanRange::Block;
          end = RunUntil(s, end, ValueStop);
        } else {
          end = RunUntil(s, end, PropertyStop);
          // The name looked up is the leading letters and hyphens and the digits after them.
          int32_t word = start;
          while (word < end && IsLetterOrHyphen(Byte(s, word))) {
            ++word;
          }
          while (word < end && s[static_cast<size_t>(word)] >= '0' &&
                 s[static_cast<size_t>(word)] <= '9') {
            ++word;
          }
          kind = IsPropertyName(
                     s.substr(static_cast<size_t>(start), static_cast<size_t>(word - start)))
                     ? TTokenKind::Property
                     : TTokenKind::UndefinedProperty;
        }
        break;
    }
  }
  Pos_ = end;
  token = {start, end - start, kind};
  return true;
}

TScanState ScanLine(std::string_view line, TScanState start, std::vector<TToken>& tokens) {
  tokens.clear();
  TLineScanner scanner(line, start);
  TToken token;
  while (scanner.Next(token)) {
    tokens.push_back(token);
  }
  return scanner.State();
}

TScanState ScanLine(std::string_view line, TScanState start) {
  TLineScanner scanner(line, start);
  TToken token;
  while (scanner.Next(token)) {
  }
  return scanner.State();
}

namespace {

// The names as one comma- and blank-separated list, the way they are maintained.
constexpr std::string_view NameList =
    "azimuth, background, background-attachment, background-color, background-image, "
    "background-position, background-repeat, border, border-collapse, border-color, "
    "border-spacing, border-style, border-top, border-right, border-bottom, border-left, "
    "border-top-color, border-right-color, border-bottom-color, border-left-color, "
    "border-top-style, border-right-style, border-bottom-style, border-left-style, "
    "border-top-width, border-right-width, border-bottom-width, border-left-width, "
    "border-width, bottom, caption-side, clear, clip, color, content, counter-increment, "
    "counter-reset, cue, cue-after, cue-before, cursor, direction, display, elevation, "
    "empty-cells, float, font, font-family, font-size, font-size-adjust, font-stretch, "
    "font-style, font-variant, font-weight, height, left, letter-spacing, line-height, "
    "list-style, list-style-image, list-style-position, list-style-type, margin, "
    "margin-top, margin-right, margin-bottom, margin-left, marker-offset, marks, "
    "max-height, max-width, min-height, min-width, orphans, outline, outline-color, "
    "outline-style, outline-width, overflow, padding, padding-top, padding-right, "
    "padding-bottom, padding-left, page, page-break-after, page-break-before, "
    "page-break-inside, pause, pause-after, pause-before, pitch, pitch-range, "
    "play-during, position, quotes, richness, right, size, speak, speak-header, "
    "speak-numeral, speak-punctuation, speech-rate, stress, table-layout, text-align, "
    "text-decoration, text-indent, text-shadow, text-transform, top, unicode-bidi, "
    "vertical-align, visibility, voice-family, volume, white-space, widows, width, "
    "word-spacing, z-index";

constexpr std::array<std::string_view, 122> SplitNames(std::string_view list) {
  std::array<std::string_view, 122> names{};
  size_t count = 0;
  size_t i = 0;
  while (i < list.size()) {
    if (list[i] == ',' || list[i] == ' ') {
      ++i;
      continue;
    }
    size_t end = i;
    while (end < list.size() && list[end] != ',' && list[end] != ' ') {
      ++end;
    }
    names.at(count++) = list.substr(i, end - i);  // a 123rd name does not compile
    i = end;
  }
  if (count != names.size()) {
    throw "the property-name list must hold 122 names";
  }
  return names;
}

constexpr std::array<std::string_view, 122> Names = SplitNames(NameList);

constexpr size_t LongestName() {
  size_t longest = 0;
  for (const std::string_view name : Names) {
    longest = std::max(longest, name.size());
  }
  return longest;
}

constexpr size_t LongestPropertyName = LongestName();

constexpr std::array<std::string_view, 122> SortedNames = [] {
  std::array<std::string_view, 122> sorted = Names;
  std::sort(sorted.begin(), sorted.end());
  return sorted;
}();

}  // namespace

const std::array<std::string_view, 122> PropertyNames = Names;

bool IsPropertyName(std::string_view word) {
  if (word.empty() || word.size() > LongestPropertyName) {
    return false;
  }
  std::array<char, LongestPropertyName> folded{};
  for (size_t i = 0; i < word.size(); ++i) {
    folded[i] = AsciiLower(word[i]);
  }
  return std::binary_search(SortedNames.begin(), SortedNames.end(),
                            std::string_view(folded.data(), word.size()));
}

const std::array<TTokenAttribute, 11> TokenAttributes = {{
    {"Color Value", "Color Value", std::nullopt, std::nullopt, 0},
    {"Comment", "Comment", std::nullopt, std::nullopt, 0},
    {"Number", "Number", std::nullopt, std::nullopt, 0},
    {"Property", "Property", std::nullopt, std::nullopt, StyleBold},
    {"Reserved Word", "Reserved Word", 0x008080, std::nullopt, StyleBold},
    {"Space", "Space", std::nullopt, std::nullopt, 0},
    {"String", "String", std::nullopt, std::nullopt, 0},
    {"Symbol", "Symbol", std::nullopt, std::nullopt, 0},
    {"Text", "Text", std::nullopt, std::nullopt, 0},
    {"Undefined Property", "Undefined Property", 0x000080, std::nullopt, StyleBold},
    {"Value", "Value", 0xFF8000, std::nullopt, 0},
}};

std::string_view AttributeName(TTokenKind kind) {
  const auto index = static_cast<size_t>(kind);
  return index < TokenAttributes.size() ? TokenAttributes[index].Name : std::string_view();
}

}  // namespace qm
