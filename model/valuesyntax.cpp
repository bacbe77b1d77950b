// SPDX-License-Identifier: GPL-3.0-or-later
// Parsing value definition syntaxes into one grammar tree, and matching value tokens against it
// by sets of positions, so that no value takes more than polynomial work.
#include "model/valuesyntax.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <unordered_set>
#include <utility>

#include "model/asciicase.h"

namespace qm {
namespace {

// The types no syntax spells out, told from the token alone. A bound Type node's Target is
// kBuiltinBase - index for these.
enum class TBuiltin : uint8_t {
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
constexpr int32_t kBuiltinBase = -2;

struct TBuiltinName {
  std::string_view Name;
  TBuiltin Type;
};
constexpr std::array<TBuiltinName, 24> kBuiltins = {{
    {"length", TBuiltin::Length},
    {"percentage", TBuiltin::Percentage},
    {"number", TBuiltin::Number},
    {"number-token", TBuiltin::Number},
    {"integer", TBuiltin::Integer},
    {"angle", TBuiltin::Angle},
    {"time", TBuiltin::Time},
    {"resolution", TBuiltin::Resolution},
    {"flex", TBuiltin::Flex},
    {"frequency", TBuiltin::Frequency},
    {"dimension", TBuiltin::Dimension},
    {"dimension-token", TBuiltin::Dimension},
    {"string", TBuiltin::String},
    {"string-token", TBuiltin::String},
    {"url", TBuiltin::Url},
    {"ident", TBuiltin::Ident},
    {"ident-token", TBuiltin::Ident},
    {"custom-ident", TBuiltin::CustomIdent},
    {"dashed-ident", TBuiltin::DashedIdent},
    {"custom-property-name", TBuiltin::DashedIdent},
    {"hex-color", TBuiltin::HexColor},
    {"zero", TBuiltin::Zero},
    {"declaration-value", TBuiltin::AnyTokens},
    {"any-value", TBuiltin::AnyTokens},
}};

TSyntaxNode NodeOf(TSyntaxKind kind, std::string text = {}, std::vector<int32_t> children = {}) {
  TSyntaxNode node;
  node.Kind = kind;
  node.Text = std::move(text);
  node.Children = std::move(children);
  return node;
}

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

bool IsNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '_';
}

class TSyntaxParser {
 public:
  TSyntaxParser(std::string_view text, std::vector<TSyntaxNode>& nodes)
      : text_(text), nodes_(nodes) {}

  int32_t Whole() {
    const int32_t root = OneOf();
    SkipBlanks();
    if (at_ < text_.size()) {
      return Add(NodeOf(TSyntaxKind::Invalid, std::string(text_)));
    }
    return root;
  }

 private:
  int32_t Add(TSyntaxNode node) {
    nodes_.push_back(std::move(node));
    return static_cast<int32_t>(nodes_.size() - 1);
  }

  void SkipBlanks() {
    while (at_ < text_.size() && IsBlank(text_[at_])) {
      ++at_;
    }
  }

  bool Peek(std::string_view what) {
    SkipBlanks();
    return text_.substr(at_, what.size()) == what;
  }

  int32_t Combine(TSyntaxKind kind, std::vector<int32_t> children) {
    if (children.size() == 1) {
      return children.front();
    }
    return Add(NodeOf(kind, {}, std::move(children)));
  }

  int32_t OneOf() {
    std::vector<int32_t> children{AnyOf()};
    while (Peek("|") && !Peek("||")) {
      ++at_;
      children.push_back(AnyOf());
    }
    return Combine(TSyntaxKind::OneOf, std::move(children));
  }

  int32_t AnyOf() {
    std::vector<int32_t> children{AllOf()};
    while (Peek("||")) {
      at_ += 2;
      children.push_back(AllOf());
    }
    return Combine(TSyntaxKind::AnyOf, std::move(children));
  }

  int32_t AllOf() {
    std::vector<int32_t> children{Sequence()};
    while (Peek("&&")) {
      at_ += 2;
      children.push_back(Sequence());
    }
    return Combine(TSyntaxKind::AllOf, std::move(children));
  }

  int32_t Sequence() {
    std::vector<int32_t> children;
    while (true) {
      SkipBlanks();
      if (at_ >= text_.size() || text_[at_] == ']' || text_[at_] == ')' || text_[at_] == '|' ||
          Peek("&&")) {
        break;
      }
      children.push_back(Term());
    }
    if (children.empty()) {
      return Add(NodeOf(TSyntaxKind::Invalid, "empty"));
    }
    return Combine(TSyntaxKind::Sequence, std::move(children));
  }

  // "{m}", "{m,}" or "{m,n}" at at_; false (and at_ unchanged) for anything else.
  bool Range(int32_t& min, int32_t& max) {
    // A count is short: looking further for its "}" would make a stray "{" cost a scan.
    const size_t close = text_.substr(0, std::min(text_.size(), at_ + 24)).find('}', at_);
    if (close == std::string_view::npos) {
      return false;
    }
    const std::string_view inside = text_.substr(at_ + 1, close - at_ - 1);
    const size_t comma = inside.find(',');
    const std::string_view first = inside.substr(0, comma);
    if (std::from_chars(first.data(), first.data() + first.size(), min).ec != std::errc()) {
      return false;
    }
    max = min;
    if (comma != std::string_view::npos) {
      const std::string_view second = Trimmed(inside.substr(comma + 1));
      max = -1;
      if (!second.empty() &&
          std::from_chars(second.data(), second.data() + second.size(), max).ec != std::errc()) {
        return false;
      }
    }
    at_ = close + 1;
    return true;
  }

  int32_t Term() {
    int32_t node = Primary();
    while (at_ < text_.size()) {
      const char c = text_[at_];
      TSyntaxNode repeat = NodeOf(TSyntaxKind::Repeat, {}, {node});
      if (c == '?') {
        repeat.Min = 0;
        ++at_;
      } else if (c == '*') {
        repeat.Min = 0;
        repeat.Max = -1;
        ++at_;
      } else if (c == '+') {
        repeat.Max = -1;
        ++at_;
      } else if (c == '#') {
        repeat.Max = -1;
        repeat.Comma = true;
        ++at_;
        if (at_ < text_.size() && text_[at_] == '{') {
          Range(repeat.Min, repeat.Max);
        }
      } else if (c == '!') {
        repeat.Required = true;
        ++at_;
      } else if (c == '{' && Range(repeat.Min, repeat.Max)) {
      } else {
        break;
      }
      node = Add(std::move(repeat));
    }
    return node;
  }

  int32_t Primary() {
    const char c = text_[at_];
    if (c == '[') {
      ++at_;
      const int32_t inside = OneOf();
      if (Peek("]")) {
        ++at_;
        return inside;
      }
      return Add(NodeOf(TSyntaxKind::Invalid, "["));
    }
    if (c == '<') {
      return Type();
    }
    if (c == '\'') {
      const size_t close = text_.find('\'', at_ + 1);
      if (close == std::string_view::npos) {
        at_ = text_.size();
        return Add(NodeOf(TSyntaxKind::Invalid, "'"));
      }
      std::string inside(text_.substr(at_ + 1, close - at_ - 1));
      at_ = close + 1;
      const bool literal = inside.size() == 1 && !IsNameChar(inside[0]);
      return Add(NodeOf(literal ? TSyntaxKind::Literal : TSyntaxKind::Keyword, std::move(inside)));
    }
    if (c == ',' || c == '/') {
      ++at_;
      return Add(NodeOf(TSyntaxKind::Literal, std::string(1, c)));
    }
    if (IsNameChar(c) || c == '(') {
      const size_t start = at_;
      while (at_ < text_.size() && IsNameChar(text_[at_])) {
        ++at_;
      }
      std::string name(text_.substr(start, at_ - start));
      if (at_ < text_.size() && text_[at_] == '(') {
        ++at_;
        TSyntaxNode function = NodeOf(TSyntaxKind::Function, std::move(name));
        if (!Peek(")")) {
          function.Children.push_back(OneOf());
        }
        if (!Peek(")")) {
          return Add(NodeOf(TSyntaxKind::Invalid, "("));
        }
        ++at_;
        return Add(std::move(function));
      }
      return Add(NodeOf(TSyntaxKind::Keyword, std::move(name)));
    }
    ++at_;
    return Add(NodeOf(TSyntaxKind::Invalid, std::string(1, c)));
  }

  static double Bound(std::string_view text) {
    text = Trimmed(text);
    if (text.ends_with("\xE2\x88\x9E")) {  // infinity
      return text.starts_with('-') ? -1e300 : 1e300;
    }
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
  }

  int32_t Type() {
    const size_t close = text_.find('>', at_);
    if (close == std::string_view::npos) {
      at_ = text_.size();
      return Add(NodeOf(TSyntaxKind::Invalid, "<"));
    }
    std::string_view inside = Trimmed(text_.substr(at_ + 1, close - at_ - 1));
    at_ = close + 1;
    TSyntaxNode type = NodeOf(TSyntaxKind::Type);
    if (inside.size() >= 2 && inside.front() == '\'' && inside.back() == '\'') {
      type.IsProperty = true;
      inside = inside.substr(1, inside.size() - 2);
    }
    const size_t bracket = inside.find('[');
    if (bracket != std::string_view::npos && inside.ends_with(']')) {
      const std::string_view range = inside.substr(bracket + 1, inside.size() - bracket - 2);
      const size_t comma = range.find(',');
      if (comma != std::string_view::npos) {
        type.Low = Bound(range.substr(0, comma));
        type.High = Bound(range.substr(comma + 1));
      }
      inside = Trimmed(inside.substr(0, bracket));
    }
    type.Text = std::string(inside);
    return Add(std::move(type));
  }

  std::string_view text_;
  size_t at_ = 0;
  std::vector<TSyntaxNode>& nodes_;
};

bool IsVendorPrefixed(std::string_view name) {
  return name.size() > 2 && name[0] == '-' && name[1] != '-' && name.find('-', 1) != name.npos;
}

bool IsMathFunction(std::string_view name) {
  static constexpr std::array<std::string_view, 23> kNames = {
      "calc",  "min", "max",  "clamp", "round", "mod",          "rem",      "sin",
      "cos",   "tan", "asin", "acos",  "atan",  "atan2",        "pow",      "sqrt",
      "hypot", "log", "exp",  "abs",   "sign",  "-webkit-calc", "-moz-calc"};
  for (const std::string_view math : kNames) {
    if (EqualIgnoringAsciiCase(name, math)) {
      return true;
    }
  }
  return false;
}

bool UnitIn(std::string_view unit, std::initializer_list<std::string_view> units) {
  for (const std::string_view known : units) {
    if (EqualIgnoringAsciiCase(unit, known)) {
      return true;
    }
  }
  return false;
}

bool IsLengthUnit(std::string_view unit) {
  return UnitIn(unit,
                {"px",   "em",    "rem",   "ex",    "rex",   "ch",    "rch",   "ic",  "ric", "cap",
                 "rcap", "lh",    "rlh",   "vw",    "vh",    "vmin",  "vmax",  "vi",  "vb",  "svw",
                 "svh",  "lvw",   "lvh",   "dvw",   "dvh",   "svi",   "svb",   "lvi", "lvb", "dvi",
                 "dvb",  "svmin", "svmax", "lvmin", "lvmax", "dvmin", "dvmax", "cqw", "cqh", "cqi",
                 "cqb",  "cqmin", "cqmax", "cm",    "mm",    "q",     "in",    "pt",  "pc"});
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

bool IsCssWideKeyword(std::string_view name) {
  for (const std::string_view wide : {"inherit", "initial", "unset", "revert", "revert-layer"}) {
    if (EqualIgnoringAsciiCase(name, wide)) {
      return true;
    }
  }
  return false;
}

bool HasRange(const TSyntaxNode& type) {
  return type.Low > -1e300 || type.High < 1e300;
}

bool InRange(const TSyntaxNode& type, double value) {
  return value >= type.Low && value <= type.High;
}

// Whether one token is an instance of a built-in type (AnyTokens aside).
bool IsBuiltin(TBuiltin builtin, const TSyntaxNode& type, const TValueToken& token) {
  using K = TValueTokenKind;
  const bool numeric = builtin <= TBuiltin::Dimension;
  if (numeric && token.Kind == K::Function && IsMathFunction(token.Text)) {
    return true;
  }
  switch (builtin) {
    case TBuiltin::Length:
      return (token.Kind == K::Dimension && IsLengthUnit(token.Text) &&
              InRange(type, token.Number)) ||
             (token.Kind == K::Number && token.Number == 0);
    case TBuiltin::Percentage:
      return token.Kind == K::Percentage && InRange(type, token.Number);
    case TBuiltin::Number:
      return token.Kind == K::Number && InRange(type, token.Number);
    case TBuiltin::Integer:
      return token.Kind == K::Number && token.Integer && InRange(type, token.Number);
    case TBuiltin::Angle:
      return (token.Kind == K::Dimension && UnitIn(token.Text, {"deg", "grad", "rad", "turn"})) ||
             (token.Kind == K::Number && token.Number == 0);
    case TBuiltin::Time:
      return token.Kind == K::Dimension && UnitIn(token.Text, {"s", "ms"}) &&
             InRange(type, token.Number);
    case TBuiltin::Resolution:
      return token.Kind == K::Dimension && UnitIn(token.Text, {"dpi", "dpcm", "dppx", "x"});
    case TBuiltin::Flex:
      return token.Kind == K::Dimension && UnitIn(token.Text, {"fr"}) &&
             InRange(type, token.Number);
    case TBuiltin::Frequency:
      return token.Kind == K::Dimension && UnitIn(token.Text, {"hz", "khz"});
    case TBuiltin::Dimension:
      return token.Kind == K::Dimension;
    case TBuiltin::String:
      return token.Kind == K::String;
    case TBuiltin::Url:
      return token.Kind == K::Url ||
             (token.Kind == K::Function && (EqualIgnoringAsciiCase(token.Text, "url") ||
                                            EqualIgnoringAsciiCase(token.Text, "src")));
    case TBuiltin::Ident:
      return token.Kind == K::Ident;
    case TBuiltin::CustomIdent:
      return token.Kind == K::Ident && !IsCssWideKeyword(token.Text) &&
             !EqualIgnoringAsciiCase(token.Text, "default");
    case TBuiltin::DashedIdent:
      return token.Kind == K::Ident && token.Text.starts_with("--");
    case TBuiltin::HexColor:
      return token.Kind == K::Hash && IsHexColor(token.Text);
    case TBuiltin::Zero:
      return token.Kind == K::Number && token.Number == 0;
    case TBuiltin::AnyTokens:
      return true;
  }
  return false;
}

// Sets of positions in one run of tokens, as bits: bit i is the run's i-th token (bit Length is
// its end). Runs of more than kMaxRun tokens are not judged.
constexpr int32_t kMaxRun = 62;
constexpr int32_t kMaxDepth = 200;
constexpr int32_t kMaxSteps = 200000;

struct TRun {
  int32_t Begin = 0;
  int32_t Length = 0;
};

class TMatcher {
 public:
  TMatcher(const std::vector<TSyntaxNode>& nodes, const TValueTokens& tokens, bool wildcards)
      : nodes_(nodes), tokens_(tokens), wildcards_(wildcards) {}

  bool unknown = false;

  uint64_t Ends(int32_t index, TRun run, uint64_t starts) {
    if (starts == 0 || exhausted_) {
      return 0;
    }
    if (++steps_ > kMaxSteps || depth_ > kMaxDepth) {
      unknown = true;
      exhausted_ = true;
      return 0;
    }
    ++depth_;
    const uint64_t ends = Step(nodes_[static_cast<size_t>(index)], run, starts);
    --depth_;
    return ends;
  }

  static uint64_t Bit(int32_t i) { return uint64_t{1} << i; }

 private:
  // The ends of a node that takes one token, given whether it takes the token at position i.
  template <typename TTakes>
  uint64_t OneToken(TRun run, uint64_t starts, TTakes takes) {
    uint64_t ends = 0;
    for (uint64_t rest = starts; rest != 0; rest &= rest - 1) {
      const int32_t i = std::countr_zero(rest);
      if (i >= run.Length) {
        continue;
      }
      const TValueToken& token = tokens_.Tokens[static_cast<size_t>(run.Begin + i)];
      const bool wild =
          wildcards_ &&
          (token.Kind == TValueTokenKind::Ident || token.Kind == TValueTokenKind::Function) &&
          IsVendorPrefixed(token.Text);
      if (wild || takes(token)) {
        ends |= Bit(i + 1);
      }
    }
    return ends;
  }

  bool Args(const TSyntaxNode& function, const TValueToken& token) {
    const TRun args{token.ArgsBegin, token.ArgsEnd - token.ArgsBegin};
    if (args.Length > kMaxRun) {
      unknown = true;
      return false;
    }
    if (function.Children.empty()) {
      return args.Length == 0;
    }
    return (Ends(function.Children.front(), args, Bit(0)) & Bit(args.Length)) != 0;
  }

  uint64_t Step(const TSyntaxNode& node, TRun run, uint64_t starts) {
    using K = TValueTokenKind;
    switch (node.Kind) {
      case TSyntaxKind::Keyword:
        return OneToken(run, starts, [&](const TValueToken& token) {
          return token.Kind == K::Ident && EqualIgnoringAsciiCase(token.Text, node.Text);
        });
      case TSyntaxKind::Literal:
        return OneToken(run, starts, [&](const TValueToken& token) {
          return (token.Kind == K::Comma || token.Kind == K::Slash || token.Kind == K::Delim) &&
                 token.Text == node.Text;
        });
      case TSyntaxKind::Function:
        return OneToken(run, starts, [&](const TValueToken& token) {
          return token.Kind == K::Function && EqualIgnoringAsciiCase(token.Text, node.Text) &&
                 Args(node, token);
        });
      case TSyntaxKind::Type:
        if (node.Target >= 0) {
          // A range on a named type, as in <length-percentage [0,inf]>, holds for the numbers
          // inside it.
          const TSyntaxNode* outer = range_;
          if (HasRange(node)) {
            range_ = &node;
          }
          const uint64_t ends = Ends(node.Target, run, starts);
          range_ = outer;
          return ends;
        }
        if (node.Target == -1) {
          unknown = true;
          return 0;
        } else {
          const auto builtin = static_cast<TBuiltin>(kBuiltinBase - node.Target);
          if (builtin == TBuiltin::AnyTokens) {
            const int32_t first = std::countr_zero(starts);
            return first >= run.Length ? 0 : (Bit(run.Length + 1) - 1) & ~(Bit(first + 1) - 1);
          }
          const TSyntaxNode& range = HasRange(node) || range_ == nullptr ? node : *range_;
          return OneToken(run, starts, [&](const TValueToken& token) {
            return IsBuiltin(builtin, range, token);
          });
        }
      case TSyntaxKind::Sequence:
        return Sequence(node, run, starts);
      case TSyntaxKind::OneOf: {
        uint64_t ends = 0;
        for (const int32_t child : node.Children) {
          ends |= Ends(child, run, starts);
        }
        return ends;
      }
      case TSyntaxKind::AllOf:
      case TSyntaxKind::AnyOf:
        return Unordered(node, run, starts);
      case TSyntaxKind::Repeat:
        if (node.Required) {
          uint64_t ends = 0;
          for (uint64_t rest = starts; rest != 0; rest &= rest - 1) {
            const uint64_t start = rest & (~rest + 1);
            ends |= Repeat(node, run, start) & ~start;
          }
          return ends;
        }
        return Repeat(node, run, starts);
      case TSyntaxKind::Invalid:
        unknown = true;
        return 0;
    }
    return 0;
  }

  bool IsOptional(int32_t index) const {
    const TSyntaxNode& node = nodes_[static_cast<size_t>(index)];
    return node.Kind == TSyntaxKind::Repeat && node.Min == 0 && !node.Required;
  }

  bool IsComma(int32_t index) const {
    const TSyntaxNode& node = nodes_[static_cast<size_t>(index)];
    return node.Kind == TSyntaxKind::Literal && node.Text == ",";
  }

  uint64_t CommaStep(TRun run, uint64_t starts) {
    return OneToken(run, starts,
                    [](const TValueToken& token) { return token.Kind == TValueTokenKind::Comma; });
  }

  // Juxtaposition. A comma next to an optional part that is left out is left out with it, as
  // in "<stop> , [ <hint>? , <stop> ]#".
  uint64_t Sequence(const TSyntaxNode& node, TRun run, uint64_t starts) {
    const std::vector<int32_t>& children = node.Children;
    uint64_t before = starts;  // the positions in front of the previous child
    uint64_t at = starts;
    for (size_t k = 0; k < children.size() && at != 0; ++k) {
      const int32_t child = children[k];
      if (IsComma(child) && k > 0 && IsOptional(children[k - 1])) {
        const uint64_t emptyBefore = before;
        before = at;
        at = CommaStep(run, at & ~emptyBefore) | emptyBefore;
        continue;
      }
      if (IsComma(child) && k + 1 < children.size() && IsOptional(children[k + 1])) {
        const uint64_t afterComma = CommaStep(run, at);
        const uint64_t next = Ends(children[k + 1], run, afterComma) & ~afterComma;
        before = at;
        at = next | at;
        ++k;
        continue;
      }
      before = at;
      at = Ends(child, run, at);
    }
    return at;
  }

  uint64_t Repeat(const TSyntaxNode& node, TRun run, uint64_t starts) {
    const int32_t child = node.Children.front();
    uint64_t ends = node.Min == 0 ? starts : 0;
    uint64_t at = starts;
    uint64_t seen = 0;
    const int32_t limit = node.Max < 0 ? node.Min + kMaxRun + 1 : node.Max;
    for (int32_t i = 1; i <= limit && at != 0; ++i) {
      if (i > 1 && node.Comma) {
        at = OneToken(
            run, at, [](const TValueToken& token) { return token.Kind == TValueTokenKind::Comma; });
      }
      at = Ends(child, run, at);
      if (i >= node.Min) {
        ends |= at;
        if ((at & ~seen) == 0) {
          break;
        }
        seen |= at;
      }
    }
    return ends;
  }

  // "&&" and "||": a search over which children are used and where the value stands, each
  // child taking at least one token; a child left out must be one that may match nothing
  // ("&&"), or at least one child must be used ("||").
  uint64_t Unordered(const TSyntaxNode& node, TRun run, uint64_t starts) {
    const size_t count = node.Children.size();
    constexpr size_t kMaxStates = 4096;
    if (count > 32) {
      unknown = true;
      return 0;
    }
    std::vector<uint64_t> pending;  // (children used << 8) | position
    std::unordered_set<uint64_t> seen;
    for (uint64_t rest = starts; rest != 0; rest &= rest - 1) {
      pending.push_back(static_cast<uint64_t>(std::countr_zero(rest)));
    }
    seen.insert(pending.begin(), pending.end());
    uint64_t ends = 0;
    while (!pending.empty() && !exhausted_) {
      const uint64_t state = pending.back();
      pending.pop_back();
      const uint64_t used = state >> 8;
      const auto at = static_cast<int32_t>(state & 0xFF);
      bool restMayBeEmpty = true;
      bool anyMayBeEmpty = false;
      for (size_t k = 0; k < count; ++k) {
        if ((used & (uint64_t{1} << k)) != 0) {
          continue;
        }
        uint64_t reached = Ends(node.Children[k], run, Bit(at));
        const bool empty = (reached & Bit(at)) != 0;
        restMayBeEmpty = restMayBeEmpty && empty;
        anyMayBeEmpty = anyMayBeEmpty || empty;
        reached &= ~Bit(at);
        for (; reached != 0; reached &= reached - 1) {
          const uint64_t next =
              ((used | (uint64_t{1} << k)) << 8) | static_cast<uint64_t>(std::countr_zero(reached));
          if (seen.insert(next).second) {
            pending.push_back(next);
          }
        }
      }
      if (seen.size() > kMaxStates) {
        unknown = true;
        exhausted_ = true;
        return 0;
      }
      const bool done =
          node.Kind == TSyntaxKind::AllOf ? restMayBeEmpty : used != 0 || anyMayBeEmpty;
      if (done) {
        ends |= Bit(at);
      }
    }
    return ends;
  }

  const std::vector<TSyntaxNode>& nodes_;
  const TValueTokens& tokens_;
  bool wildcards_;
  int32_t steps_ = 0;
  int32_t depth_ = 0;
  bool exhausted_ = false;
  const TSyntaxNode* range_ = nullptr;  // the range of the named type being matched  // the work is
                                        // capped: the answer is "unknown", not "no"
};

}  // namespace

int32_t TValueGrammar::Parse(std::string_view syntax) {
  if (Trimmed(syntax).empty()) {
    nodes_.push_back(NodeOf(TSyntaxKind::Invalid, "empty"));
    return static_cast<int32_t>(nodes_.size() - 1);
  }
  return TSyntaxParser(syntax, nodes_).Whole();
}

void TValueGrammar::Name(std::string_view name, int32_t root, bool isProperty) {
  (isProperty ? properties_ : named_).insert_or_assign(AsciiLowerCase(name), root);
}

int32_t TValueGrammar::Root(std::string_view name, bool isProperty) const {
  const auto& names = isProperty ? properties_ : named_;
  const auto found = names.find(AsciiLowerCase(name));
  return found == names.end() ? -1 : found->second;
}

void TValueGrammar::Bind() {
  for (TSyntaxNode& node : nodes_) {
    if (node.Kind != TSyntaxKind::Type) {
      continue;
    }
    node.Target = -1;
    if (!node.IsProperty) {
      for (size_t i = 0; i < kBuiltins.size(); ++i) {
        if (EqualIgnoringAsciiCase(kBuiltins[i].Name, node.Text)) {
          node.Target = kBuiltinBase - static_cast<int32_t>(kBuiltins[i].Type);
        }
      }
    }
    if (node.Target == -1) {
      node.Target = Root(node.Text, node.IsProperty);
    }
  }
}

TValueGrammar::TMatch TValueGrammar::Match(int32_t root, const TValueTokens& tokens,
                                           bool vendorWildcards) const {
  if (tokens.Broken || tokens.TopEnd > kMaxRun) {
    return TMatch::Unknown;
  }
  TMatcher matcher(nodes_, tokens, vendorWildcards);
  const uint64_t ends = matcher.Ends(root, {0, tokens.TopEnd}, TMatcher::Bit(0));
  if ((ends & TMatcher::Bit(tokens.TopEnd)) != 0) {
    return TMatch::Yes;
  }
  return matcher.unknown ? TMatch::Unknown : TMatch::No;
}

}  // namespace qm
