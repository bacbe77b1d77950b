// SPDX-License-Identifier: GPL-3.0-or-later
// The basic types of value syntaxes told from one value token: units, numbers in their range,
// hex colours, identifiers and the math functions that stand for any number.
#include "model/values/valuetypes.h"

#include <array>
#include <span>

#include "model/asciicase.h"
#include "model/values/mathcheck.h"

namespace qm {
namespace {

struct TBuiltinName {
  std::string_view Name;
  TBuiltinType Type;
};
constexpr std::array<TBuiltinName, 24> kBuiltins = {{
    {"length", TBuiltinType::Length},
    {"percentage", TBuiltinType::Percentage},
    {"number", TBuiltinType::Number},
    {"number-token", TBuiltinType::Number},
    {"integer", TBuiltinType::Integer},
    {"angle", TBuiltinType::Angle},
    {"time", TBuiltinType::Time},
    {"resolution", TBuiltinType::Resolution},
    {"flex", TBuiltinType::Flex},
    {"frequency", TBuiltinType::Frequency},
    {"dimension", TBuiltinType::Dimension},
    {"dimension-token", TBuiltinType::Dimension},
    {"string", TBuiltinType::String},
    {"string-token", TBuiltinType::String},
    {"url", TBuiltinType::Url},
    {"ident", TBuiltinType::Ident},
    {"ident-token", TBuiltinType::Ident},
    {"custom-ident", TBuiltinType::CustomIdent},
    {"dashed-ident", TBuiltinType::DashedIdent},
    {"custom-property-name", TBuiltinType::DashedIdent},
    {"hex-color", TBuiltinType::HexColor},
    {"zero", TBuiltinType::Zero},
    {"declaration-value", TBuiltinType::AnyTokens},
    {"any-value", TBuiltinType::AnyTokens},
}};

constexpr std::string_view kLengthUnits[] = {
    "px",   "em",    "rem",   "ex",    "rex",   "ch",    "rch",   "ic",  "ric", "cap",
    "rcap", "lh",    "rlh",   "vw",    "vh",    "vmin",  "vmax",  "vi",  "vb",  "svw",
    "svh",  "lvw",   "lvh",   "dvw",   "dvh",   "svi",   "svb",   "lvi", "lvb", "dvi",
    "dvb",  "svmin", "svmax", "lvmin", "lvmax", "dvmin", "dvmax", "cqw", "cqh", "cqi",
    "cqb",  "cqmin", "cqmax", "cm",    "mm",    "q",     "in",    "pt",  "pc"};
constexpr std::string_view kAngleUnits[] = {"deg", "grad", "rad", "turn"};
constexpr std::string_view kTimeUnits[] = {"s", "ms"};
constexpr std::string_view kResolutionUnits[] = {"dpi", "dpcm", "dppx", "x"};
constexpr std::string_view kFlexUnits[] = {"fr"};
constexpr std::string_view kFrequencyUnits[] = {"hz", "khz"};
constexpr std::string_view kPercentageUnits[] = {"%"};

bool UnitIn(std::string_view unit, std::span<const std::string_view> units) {
  for (const std::string_view known : units) {
    if (EqualIgnoringAsciiCase(unit, known)) {
      return true;
    }
  }
  return false;
}

bool IsLengthUnit(std::string_view unit) {
  return UnitIn(unit, kLengthUnits);
}

bool IsHexColor(std::string_view hex) {
  if (hex.size() != 3 && hex.size() != 4 && hex.size() != 6 && hex.size() != 8) {
    return false;
  }
  for (const char c : hex) {
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'))) {
      return false;
    }
  }
  return true;
}

}  // namespace

bool IsBuiltinType(TBuiltinType builtin, double low, double high, const TValueToken& token) {
  const auto InRange = [low, high](double value) { return value >= low && value <= high; };
  using K = TValueTokenKind;
  const bool numeric = builtin <= TBuiltinType::Dimension;
  if (numeric && token.Kind == K::Function && IsMathFunction(token.Text)) {
    return true;
  }
  switch (builtin) {
    case TBuiltinType::Length:
      return (token.Kind == K::Dimension && IsLengthUnit(token.Text) && InRange(token.Number)) ||
             (token.Kind == K::Number && token.Number == 0);
    case TBuiltinType::Percentage:
      return token.Kind == K::Percentage && InRange(token.Number);
    case TBuiltinType::Number:
      return token.Kind == K::Number && InRange(token.Number);
    case TBuiltinType::Integer:
      return token.Kind == K::Number && token.Integer && InRange(token.Number);
    case TBuiltinType::Angle:
      return (token.Kind == K::Dimension && UnitIn(token.Text, kAngleUnits)) ||
             (token.Kind == K::Number && token.Number == 0);
    case TBuiltinType::Time:
      return token.Kind == K::Dimension && UnitIn(token.Text, kTimeUnits) && InRange(token.Number);
    case TBuiltinType::Resolution:
      return token.Kind == K::Dimension && UnitIn(token.Text, kResolutionUnits);
    case TBuiltinType::Flex:
      return token.Kind == K::Dimension && UnitIn(token.Text, kFlexUnits) && InRange(token.Number);
    case TBuiltinType::Frequency:
      return token.Kind == K::Dimension && UnitIn(token.Text, kFrequencyUnits);
    case TBuiltinType::Dimension:
      return token.Kind == K::Dimension;
    case TBuiltinType::String:
      return token.Kind == K::String;
    case TBuiltinType::Url:
      return token.Kind == K::Url ||
             (token.Kind == K::Function && (EqualIgnoringAsciiCase(token.Text, "url") ||
                                            EqualIgnoringAsciiCase(token.Text, "src")));
    case TBuiltinType::Ident:
      return token.Kind == K::Ident;
    case TBuiltinType::CustomIdent:
      return token.Kind == K::Ident && !IsCssWideKeyword(token.Text) &&
             !EqualIgnoringAsciiCase(token.Text, "default");
    case TBuiltinType::DashedIdent:
      return token.Kind == K::Ident && token.Text.starts_with("--");
    case TBuiltinType::HexColor:
      return token.Kind == K::Hash && IsHexColor(token.Text);
    case TBuiltinType::Zero:
      return token.Kind == K::Number && token.Number == 0;
    case TBuiltinType::AnyTokens:
      return true;
  }
  return false;
}

std::span<const std::string_view> UnitsOf(TBuiltinType type) {
  switch (type) {
    case TBuiltinType::Length:
      return kLengthUnits;
    case TBuiltinType::Percentage:
      return kPercentageUnits;
    case TBuiltinType::Angle:
      return kAngleUnits;
    case TBuiltinType::Time:
      return kTimeUnits;
    case TBuiltinType::Resolution:
      return kResolutionUnits;
    case TBuiltinType::Flex:
      return kFlexUnits;
    case TBuiltinType::Frequency:
      return kFrequencyUnits;
    default:
      return {};
  }
}

std::optional<TBuiltinType> BuiltinTypeNamed(std::string_view name) {
  for (const TBuiltinName& builtin : kBuiltins) {
    if (EqualIgnoringAsciiCase(builtin.Name, name)) {
      return builtin.Type;
    }
  }
  return std::nullopt;
}

bool IsVendorPrefixed(std::string_view name) {
  return name.size() > 2 && name[0] == '-' && name[1] != '-' && name.find('-', 1) != name.npos;
}

bool IsCssWideKeyword(std::string_view name) {
  for (const std::string_view wide : {"inherit", "initial", "unset", "revert", "revert-layer"}) {
    if (EqualIgnoringAsciiCase(name, wide)) {
      return true;
    }
  }
  return false;
}

}  // namespace qm
