// SPDX-License-Identifier: GPL-3.0-or-later
// The CSS token scanner that colours every editor line by line and tells the text model which
// token class lies at a place; with the token classes' attribute names and default styles.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace qm {

// The token kinds in the order of the Options dialog's list of attributes, so a kind is also
// the index of its attribute in TokenAttributes (and can serve as an editor style number).
enum class TTokenKind : uint8_t {
  Color,              // "#" and the hex digits after it
  Comment,            // /* ... */, or its part on one line
  Number,             // digits and dots
  Property,           // a known property name
  Key,                // selector text
  Space,              // blanks, tabs, control characters, line ends
  String,             // "..."
  Symbol,             // one of / { } ; : ,
  Text,               // never produced; exists as an attribute only
  UndefinedProperty,  // a word in property position that is no known property name
  Value,              // a word after ":" or "," inside a rule, up to , ; or }
  Null,               // the rest of a line from a NUL byte on: no token there
};

// Where the scanner is; carried from the end of one line to the start of the next.
enum class TScanRange : uint8_t {
  Selector,        // outside every rule: start of text and after "}"
  Comment,         // inside /* */
  Block,           // inside braces, a property name expected
  AfterSemicolon,  // inside braces after ";", behaves like Block
  AfterColon,      // after ":" or ",": the next word starts a value
};

struct TScanState {
  TScanRange Range = TScanRange::Selector;
  // The range a comment restores at its "*/"; Selector whenever Range is not Comment, so that
  // equal ranges compare equal and restyling can stop at the first line that starts unchanged.
  TScanRange CommentReturn = TScanRange::Selector;

  bool operator==(const TScanState&) const = default;

  // As an editor line state: 0 is the state at the start of the text, and Decode(Encode(s)) == s
  // for every state the scanner produces.
  int32_t Encode() const;
  // Any integer gives a valid state; one that Encode never produces gives the initial state.
  static TScanState Decode(int32_t code);
};

struct TToken {
  int32_t Start = 0;  // byte offset in the scanned line
  int32_t Length = 0;
  TTokenKind Kind = TTokenKind::Null;
  bool operator==(const TToken&) const = default;
};

// Scans one line token by token. The line may end with its CR LF, CR or LF: those bytes become a
// Space token and change no range. Tokens are consecutive and cover the line; a NUL byte ends
// the scan, and the bytes from it to the end form one Null token (the range stays as it was).
// Its strings are simpler than CSS's (csslexis.h), which the readers of code go by: one starts
// only with a double quote at a token's start and runs to the next double quote or the editor
// line's end, escapes and form feeds being plain bytes; a comment ends at its "*/" as CSS's does.
class TLineScanner {
 public:
  // Starts at offset, which must be a token boundary reached in state.
  TLineScanner(std::string_view line, TScanState state, int32_t offset = 0)
      : Line_(line), State_(state), Pos_(offset) {}

  // The next token; false at the end of the line.
  bool Next(TToken& token);
  // The state after the last token returned (the state at the line's end once Next is false).
  TScanState State() const { return State_; }
  int32_t Offset() const { return Pos_; }

 private:
  std::string_view Line_;
  TScanState State_;
  int32_t Pos_;
};

// Replaces tokens with the tokens of line; returns the state at the line's end.
TScanState ScanLine(std::string_view line, TScanState start, std::vector<TToken>& tokens);
// Only the state at the line's end.
TScanState ScanLine(std::string_view line, TScanState start);

// The 122 property names, lower case, in their list order; a word is a property name when it
// equals one of them without regard to ASCII letter case.
extern const std::array<std::string_view, 122> PropertyNames;
bool IsPropertyName(std::string_view word);

// Font style bits as the editor settings store them.
inline constexpr int32_t StyleBold = 1;
inline constexpr int32_t StyleItalic = 2;
inline constexpr int32_t StyleUnderline = 4;

struct TTokenAttribute {
  std::string_view Name;              // what the settings store and what IsValue compares
  std::string_view Label;             // what the Options dialog lists
  std::optional<int32_t> Foreground;  // colour value, red in the low byte; none: the editor's
  std::optional<int32_t> Background;
  int32_t Style = 0;
};

// The default attributes, indexed by TTokenKind (Null has none).
extern const std::array<TTokenAttribute, 11> TokenAttributes;
// The attribute name of a kind; empty for Null.
std::string_view AttributeName(TTokenKind kind);

}  // namespace qm
