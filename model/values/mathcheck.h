// SPDX-License-Identifier: GPL-3.0-or-later
// The math functions of CSS (calc(), min(), max(), clamp(), round(), mod(), rem(), the
// trigonometric and exponential ones, abs(), sign()) checked inside: argument counts, operand
// types, blanks around "+" and "-", units; and the type of what they give.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/values/valuetokens.h"
#include "model/values/valuetypes.h"

namespace qm {

// What a math expression gives. Percentages mixed with another dimension make that
// dimension "with percentages" (a length-percentage).
enum class TMathKind : uint8_t {
  Number,
  Percentage,
  Length,
  Angle,
  Time,
  Resolution,
  Flex,
  Frequency,
  Unknown,  // not told here: var(), a function of another kind, a relative colour's channel
  Invalid,  // a fault inside: Fault says which
};

struct TMathType {
  TMathKind Kind = TMathKind::Unknown;
  bool WithPercent = false;  // a dimension that a percentage was added to
  // For Invalid: what is wrong, and the bytes of the value it is at.
  std::string Fault;
  int32_t FaultStart = 0;
  int32_t FaultEnd = 0;
};

// Whether name is a math function (any letter case, -webkit-calc and -moz-calc included).
bool IsMathFunction(std::string_view name);

// The type of the math function token of tokens, value being the text they were cut from.
TMathType MathTypeOf(const TValueTokens& tokens, const TValueToken& function,
                     std::string_view value);

// Whether a value of type is taken where a basic type is wanted.
bool MathFits(const TMathType& type, TBuiltinType wanted);

// "a length", "an angle"... as a message names a type.
std::string_view MathKindName(TMathKind kind);

}  // namespace qm
