// SPDX-License-Identifier: GPL-3.0-or-later
// The basic types of value syntaxes that no syntax spells out (<length>, <string>, ...), each
// told from one value token, and the names CSS gives special meaning.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "model/values/valuetokens.h"

namespace qm {

// The numeric types come first, up to Dimension.
enum class TBuiltinType : uint8_t {
  Length,
  Percentage,
  Number,
  Integer,
  Angle,
  Time,
  Resolution,
  Flex,
  Frequency,
  Dimension,
  String,
  Url,
  Ident,
  CustomIdent,
  DashedIdent,
  HexColor,
  Zero,
  AnyTokens,  // one or more tokens of any kind
};

// A Type node bound to built-in type t has the Target kBuiltinTarget - t.
constexpr int32_t kBuiltinTarget = -2;

// The built-in type of a name as syntaxes write it ("length", "custom-ident"...), if it is one.
std::optional<TBuiltinType> BuiltinTypeNamed(std::string_view name);

// Whether token is an instance of type, its number within [low, high]; a math function such as
// calc() stands for any numeric type. AnyTokens takes any token.
bool IsBuiltinType(TBuiltinType type, double low, double high, const TValueToken& token);

// The units a number of a numeric type is written with ("%" for Percentage), lower case; none
// for the types written without one.
std::span<const std::string_view> UnitsOf(TBuiltinType type);

// "-webkit-box": a name of a browser maker's own; custom properties ("--x") are none.
bool IsVendorPrefixed(std::string_view name);

// inherit, initial, unset, revert and revert-layer, which every property takes.
bool IsCssWideKeyword(std::string_view name);

}  // namespace qm
