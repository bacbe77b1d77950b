// SPDX-License-Identifier: GPL-3.0-or-later
// A declaration's value cut into the tokens its value syntax is matched against: the arguments
// of a function or of parentheses lie in a run of their own, so every run is contiguous.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace qm {

enum class TValueTokenKind : uint8_t {
  Ident,
  Number,
  Dimension,
  Percentage,
  Hash,
  String,
  Url,       // url( ... ) without quotes
  Function,  // name( ... ); plain parentheses have an empty name
  Comma,
  Slash,
  Delim,  // any other single character, such as + - * [ ]
};

struct TValueToken {
  TValueTokenKind Kind = TValueTokenKind::Delim;
  std::string_view Text;  // the ident, function name, unit, hash without "#", or the character
  double Number = 0;      // Number, Dimension and Percentage
  bool Integer = false;   // a number written without "." or exponent
  // Where the token lies in the value: its first byte (a sign or "#" included) and the byte
  // after its last (a function's ")" included).
  int32_t Start = 0;
  int32_t End = 0;
  // The run of a function's arguments, as indexes into TValueTokens::Tokens.
  int32_t ArgsBegin = 0;
  int32_t ArgsEnd = 0;
};

struct TValueTokens {
  // Every run: the top level first (0 .. TopEnd), each function's arguments after it.
  std::vector<TValueToken> Tokens;
  int32_t TopEnd = 0;
  // The value holds something that cannot be cut safely (a string or bracket left open, or
  // nesting deeper than a value ever needs); such a value is not judged.
  bool Broken = false;
  // The value the tokens were cut from.
  std::string_view Source;
};

// The tokens of value, which views keep pointing into. Comments and blanks are skipped.
// Linear in the value's size.
TValueTokens TokeniseValue(std::string_view value);

}  // namespace qm
