// SPDX-License-Identifier: GPL-3.0-or-later
// Math functions read as sums of products of typed operands, each function with its count of
// arguments; the first fault found ends the reading.
#include "model/values/mathcheck.h"

#include <array>
#include <span>
#include <vector>

#include "model/asciicase.h"
#include "model/textbytes.h"

namespace qm {
namespace {

using K = TValueTokenKind;

struct TMathFunction {
  std::string_view Name;
  int32_t MinArgs;
  int32_t MaxArgs;  // -1: no limit
};
constexpr std::array<TMathFunction, 25> kFunctions = {{
    {"calc", 1, 1},     {"-webkit-calc", 1, 1}, {"-moz-calc", 1, 1}, {"min", 1, -1},
    {"max", 1, -1},     {"clamp", 3, 3},        {"round", 1, 3},     {"mod", 2, 2},
    {"rem", 2, 2},      {"sin", 1, 1},          {"cos", 1, 1},       {"tan", 1, 1},
    {"asin", 1, 1},     {"acos", 1, 1},         {"atan", 1, 1},      {"atan2", 2, 2},
    {"pow", 2, 2},      {"sqrt", 1, 1},         {"hypot", 1, -1},    {"log", 1, 2},
    {"exp", 1, 1},      {"abs", 1, 1},          {"sign", 1, 1},      {"calc-size", 2, 2},
    {"progress", 3, 3},
}};

const TMathFunction* FunctionNamed(std::string_view name) {
  for (const TMathFunction& function : kFunctions) {
    if (EqualIgnoringAsciiCase(name, function.Name)) {
      return &function;
    }
  }
  return nullptr;
}

bool IsSign(const TValueToken& token, char sign) {
  return token.Kind == K::Delim && token.Text.size() == 1 && token.Text[0] == sign;
}

bool IsBlankAt(std::string_view value, int32_t index) {
  return index < 0 || index >= static_cast<int32_t>(value.size()) ||
         IsBlankOrControl(value[static_cast<size_t>(index)]);
}

class TMathReader {
 public:
  TMathReader(const TValueTokens& tokens, std::string_view value)
      : tokens_(tokens), value_(value) {}

  TMathType Function(const TValueToken& function) {
    const std::string_view name = function.Text;
    const TMathFunction* known = FunctionNamed(name);
    // The arguments, split at their commas.
    std::vector<std::span<const TValueToken>> args;
    const auto* first = tokens_.Tokens.data() + function.ArgsBegin;
    const auto* last = tokens_.Tokens.data() + function.ArgsEnd;
    const auto* from = first;
    for (const auto* at = first; at != last; ++at) {
      if (at->Kind == K::Comma) {
        args.emplace_back(from, at);
        from = at + 1;
      }
    }
    if (first != last) {
      args.emplace_back(from, last);
    }
    if (EqualIgnoringAsciiCase(name, "calc-size") || EqualIgnoringAsciiCase(name, "progress")) {
      return {};  // their arguments are of other kinds: not told here
    }
    // round()'s rounding strategy comes first when it is there.
    if (EqualIgnoringAsciiCase(name, "round") && !args.empty() && args.front().size() == 1 &&
        args.front().front().Kind == K::Ident) {
      const std::string_view strategy = args.front().front().Text;
      for (const std::string_view rounding : {"nearest", "up", "down", "to-zero"}) {
        if (EqualIgnoringAsciiCase(strategy, rounding)) {
          args.erase(args.begin());
          break;
        }
      }
    }
    const auto count = static_cast<int32_t>(args.size());
    const int32_t max =
        known->MaxArgs < 0 ? count : (EqualIgnoringAsciiCase(name, "round") ? 2 : known->MaxArgs);
    if (count < known->MinArgs || count > max) {
      return Fault(function,
                   std::string("`") + std::string(name) + "()` takes " +
                       CountText(known->MinArgs, max == count && known->MaxArgs < 0 ? -1 : max) +
                       std::string(", not ").append(std::to_string(count)));
    }
    std::vector<TMathType> types;
    for (size_t k = 0; k < args.size(); ++k) {
      const std::span<const TValueToken> arg = args[k];
      if (arg.empty()) {
        return Fault(function, std::string("an empty argument in `").append(name) + "()`");
      }
      // clamp()'s bounds may be left open.
      if (EqualIgnoringAsciiCase(name, "clamp") && k != 1 && arg.size() == 1 &&
          arg.front().Kind == K::Ident && EqualIgnoringAsciiCase(arg.front().Text, "none")) {
        continue;
      }
      TMathType type = Sum(arg);
      if (type.Kind == TMathKind::Invalid) {
        return type;
      }
      types.push_back(std::move(type));
    }
    return Combine(function, name, types);
  }

 private:
  static std::string CountText(int32_t min, int32_t max) {
    const auto args = [](int32_t n) {
      return std::to_string(n) + (n == 1 ? " argument" : " arguments");
    };
    if (max < 0) {
      return "at least " + args(min);
    }
    return min == max ? args(min) : std::to_string(min) + " or " + args(max);
  }

  TMathType Fault(const TValueToken& at, std::string message) const {
    TMathType fault;
    fault.Kind = TMathKind::Invalid;
    fault.Fault = std::move(message);
    fault.FaultStart = at.Start;
    fault.FaultEnd = at.End;
    return fault;
  }

  // The type of what a function gives from its arguments' types.
  TMathType Combine(const TValueToken& function, std::string_view name,
                    const std::vector<TMathType>& types) {
    const auto is = [&](std::string_view n) { return EqualIgnoringAsciiCase(name, n); };
    TMathType result;
    for (const TMathType& type : types) {
      if (type.Kind == TMathKind::Unknown) {
        result.Kind = TMathKind::Unknown;
      }
    }
    const auto numbers = [&]() -> TMathType {
      for (const TMathType& type : types) {
        if (type.Kind != TMathKind::Number && type.Kind != TMathKind::Unknown) {
          return Fault(function,
                       std::string("`").append(name) +
                           std::string("()` takes numbers, not ").append(MathKindName(type.Kind)));
        }
      }
      return TMathType{TMathKind::Number, false, {}, 0, 0};
    };
    if (is("sin") || is("cos") || is("tan")) {
      if (types.front().Kind != TMathKind::Number && types.front().Kind != TMathKind::Angle &&
          types.front().Kind != TMathKind::Unknown) {
        return Fault(function, std::string("`").append(name) +
                                   std::string("()` takes an angle or a number, not ")
                                       .append(MathKindName(types.front().Kind)));
      }
      return {TMathKind::Number, false, {}, 0, 0};
    }
    if (is("asin") || is("acos") || is("atan")) {
      const TMathType checked = numbers();
      return checked.Kind == TMathKind::Invalid ? checked
                                                : TMathType{TMathKind::Angle, false, {}, 0, 0};
    }
    if (is("pow") || is("sqrt") || is("exp") || is("log")) {
      return numbers();
    }
    // The rest take arguments of one type and give that type (sign() a number, atan2() an
    // angle).
    TMathType same = types.empty() ? TMathType{TMathKind::Unknown, false, {}, 0, 0} : types.front();
    for (size_t k = 1; k < types.size(); ++k) {
      same = Add(same, types[k], function);
      if (same.Kind == TMathKind::Invalid) {
        return same;
      }
    }
    if (is("sign")) {
      return {TMathKind::Number, false, {}, 0, 0};
    }
    if (is("atan2")) {
      return {TMathKind::Angle, false, {}, 0, 0};
    }
    return same;
  }

  // a + b and a - b: of one type, a percentage joining a dimension.
  TMathType Add(const TMathType& a, const TMathType& b, const TValueToken& at) const {
    if (a.Kind == TMathKind::Unknown || b.Kind == TMathKind::Unknown) {
      return {};
    }
    if (a.Kind == b.Kind) {
      TMathType sum = a;
      sum.WithPercent = a.WithPercent || b.WithPercent;
      return sum;
    }
    const bool aPercent = a.Kind == TMathKind::Percentage;
    const bool bPercent = b.Kind == TMathKind::Percentage;
    if ((aPercent || bPercent) && a.Kind != TMathKind::Number && b.Kind != TMathKind::Number) {
      TMathType sum = aPercent ? b : a;
      sum.WithPercent = true;
      return sum;
    }
    return Fault(at, std::string("cannot add ") + std::string(MathKindName(b.Kind)) +
                         std::string(" to ").append(MathKindName(a.Kind)));
  }

  // <calc-product> [ [ '+' | '-' ] <calc-product> ]*
  TMathType Sum(std::span<const TValueToken> run) {
    size_t at = 0;
    TMathType sum = Product(run, at);
    while (sum.Kind != TMathKind::Invalid && at < run.size()) {
      const TValueToken& op = run[at];
      if (IsSign(op, '+') || IsSign(op, '-')) {
        if (!IsBlankAt(value_, op.Start - 1) || !IsBlankAt(value_, op.End)) {
          return Fault(op, std::string("`") + op.Text[0] + "` needs a blank on each side");
        }
        ++at;
        if (at >= run.size()) {
          return Fault(op, std::string("nothing after `") + op.Text[0] + "`");
        }
        const TMathType next = Product(run, at);
        if (next.Kind == TMathKind::Invalid) {
          return next;
        }
        sum = Add(sum, next, op);
        continue;
      }
      // Two operands side by side: most often "100%-2rem", a sign without its blanks.
      const char sign = value_[static_cast<size_t>(op.Start)];
      if ((sign == '-' || sign == '+') &&
          (op.Kind == K::Number || op.Kind == K::Dimension || op.Kind == K::Percentage)) {
        return Fault(op, std::string("`") + sign + "` needs a blank on each side");
      }
      return Fault(op, std::string("an operator (+, -, *, /) is missing before `")
                               .append(value_.substr(static_cast<size_t>(op.Start),
                                                     static_cast<size_t>(op.End - op.Start))) +
                           "`");
    }
    return sum;
  }

  // <calc-value> [ '*' <calc-value> | '/' <calc-value> ]*
  TMathType Product(std::span<const TValueToken> run, size_t& at) {
    TMathType product = Value(run, at);
    while (product.Kind != TMathKind::Invalid && at < run.size()) {
      const TValueToken& op = run[at];
      const bool times = IsSign(op, '*');
      if (!times && op.Kind != K::Slash) {
        break;
      }
      ++at;
      if (at >= run.size()) {
        return Fault(op, std::string("nothing after `") + (times ? "*" : "/") + "`");
      }
      const TMathType next = Value(run, at);
      if (next.Kind == TMathKind::Invalid) {
        return next;
      }
      if (product.Kind == TMathKind::Unknown || next.Kind == TMathKind::Unknown) {
        product = {};
      } else if (times) {
        if (product.Kind == TMathKind::Number) {
          product = next;
        } else if (next.Kind != TMathKind::Number) {
          product = {};  // a dimension squared may still be divided back: not told here
        }
      } else if (next.Kind == product.Kind) {
        product = {TMathKind::Number, false, {}, 0, 0};
      } else if (next.Kind != TMathKind::Number) {
        return Fault(op, std::string("cannot divide ") + std::string(MathKindName(product.Kind)) +
                             std::string(" by ").append(MathKindName(next.Kind)));
      }
    }
    return product;
  }

  TMathType Value(std::span<const TValueToken> run, size_t& at) {
    const TValueToken& token = run[at++];
    switch (token.Kind) {
      case K::Number:
        return {TMathKind::Number, false, {}, 0, 0};
      case K::Percentage:
        return {TMathKind::Percentage, false, {}, 0, 0};
      case K::Dimension:
        return Dimension(token);
      case K::Ident:
        // e, pi, infinity and NaN are numbers; any other name (a relative colour's channel,
        // a keyword of the function around) is not told here.
        for (const std::string_view constant : {"e", "pi", "infinity", "-infinity", "nan"}) {
          if (EqualIgnoringAsciiCase(token.Text, constant)) {
            return {TMathKind::Number, false, {}, 0, 0};
          }
        }
        return {};
      case K::Function:
        if (token.Text.empty()) {
          return Sum({tokens_.Tokens.data() + token.ArgsBegin,
                      static_cast<size_t>(token.ArgsEnd - token.ArgsBegin)});
        }
        if (FunctionNamed(token.Text) != nullptr) {
          return Function(token);
        }
        return {};
      default:
        return Fault(token, std::string("`").append(
                                value_.substr(static_cast<size_t>(token.Start),
                                              static_cast<size_t>(token.End - token.Start))) +
                                "` is no number");
    }
  }

  TMathType Dimension(const TValueToken& token) const {
    constexpr std::pair<TBuiltinType, TMathKind> kKinds[] = {
        {TBuiltinType::Length, TMathKind::Length},
        {TBuiltinType::Angle, TMathKind::Angle},
        {TBuiltinType::Time, TMathKind::Time},
        {TBuiltinType::Resolution, TMathKind::Resolution},
        {TBuiltinType::Flex, TMathKind::Flex},
        {TBuiltinType::Frequency, TMathKind::Frequency},
    };
    for (const auto& [builtin, kind] : kKinds) {
      for (const std::string_view unit : UnitsOf(builtin)) {
        if (EqualIgnoringAsciiCase(token.Text, unit)) {
          return {kind, false, {}, 0, 0};
        }
      }
    }
    // "10px-2px" is one dimension whose unit reads "px-2px".
    const size_t dash = token.Text.find('-');
    if (dash != std::string_view::npos && dash + 1 < token.Text.size() &&
        (textbytes::IsDigit(token.Text[dash + 1]) || token.Text[dash + 1] == '.')) {
      return Fault(token, "`-` needs a blank on each side");
    }
    return Fault(token, std::string("unknown unit `").append(token.Text) + "`");
  }

  const TValueTokens& tokens_;
  std::string_view value_;
};

}  // namespace

bool IsMathFunction(std::string_view name) {
  return FunctionNamed(name) != nullptr;
}

TMathType MathTypeOf(const TValueTokens& tokens, const TValueToken& function,
                     std::string_view value) {
  if (!IsMathFunction(function.Text)) {
    return {};
  }
  return TMathReader(tokens, value).Function(function);
}

bool MathFits(const TMathType& type, TBuiltinType wanted) {
  switch (type.Kind) {
    case TMathKind::Unknown:
      return true;
    case TMathKind::Invalid:
      return false;
    case TMathKind::Number:
      return wanted == TBuiltinType::Number || wanted == TBuiltinType::Integer;
    case TMathKind::Percentage:
      return wanted == TBuiltinType::Percentage;
    default:
      break;
  }
  // A dimension with percentages stands where either is taken: <length-percentage> offers both.
  if (type.WithPercent && wanted == TBuiltinType::Percentage) {
    return true;
  }
  if (wanted == TBuiltinType::Dimension) {
    return true;
  }
  constexpr std::pair<TMathKind, TBuiltinType> kWanted[] = {
      {TMathKind::Length, TBuiltinType::Length}, {TMathKind::Angle, TBuiltinType::Angle},
      {TMathKind::Time, TBuiltinType::Time},     {TMathKind::Resolution, TBuiltinType::Resolution},
      {TMathKind::Flex, TBuiltinType::Flex},     {TMathKind::Frequency, TBuiltinType::Frequency},
  };
  for (const auto& [kind, builtin] : kWanted) {
    if (type.Kind == kind) {
      return wanted == builtin;
    }
  }
  return false;
}

std::string_view MathKindName(TMathKind kind) {
  switch (kind) {
    case TMathKind::Number:
      return "a number";
    case TMathKind::Percentage:
      return "a percentage";
    case TMathKind::Length:
      return "a length";
    case TMathKind::Angle:
      return "an angle";
    case TMathKind::Time:
      return "a time";
    case TMathKind::Resolution:
      return "a resolution";
    case TMathKind::Flex:
      return "a flex fraction";
    case TMathKind::Frequency:
      return "a frequency";
    case TMathKind::Unknown:
    case TMathKind::Invalid:
      break;
  }
  return "a value";
}

}  // namespace qm
