// SPDX-License-Identifier: GPL-3.0-or-later
// Value tokens matched against the grammar tree by sets of positions, so that no value takes
// more than polynomial work, and a cap on the work that answers "unknown" rather than hang.
#include <bit>
#include <optional>
#include <unordered_set>

#include "model/asciicase.h"
#include "model/values/mathcheck.h"
#include "model/values/valuesyntax.h"
#include "model/values/valuetypes.h"

namespace qm {
namespace {

bool HasRange(const TSyntaxNode& type) {
  return type.Low > -1e300 || type.High < 1e300;
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

  // The type a math function token gives, worked out once per match.
  const TMathType& MathOf(const TValueToken& token) {
    const auto index = static_cast<size_t>(&token - tokens_.Tokens.data());
    if (math_.size() < tokens_.Tokens.size()) {
      math_.resize(tokens_.Tokens.size());
    }
    if (!math_[index]) {
      math_[index] = MathTypeOf(tokens_, token, tokens_.Source);
    }
    return *math_[index];
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
          const auto builtin = static_cast<TBuiltinType>(kBuiltinTarget - node.Target);
          if (builtin == TBuiltinType::AnyTokens) {
            const int32_t first = std::countr_zero(starts);
            return first >= run.Length ? 0 : (Bit(run.Length + 1) - 1) & ~(Bit(first + 1) - 1);
          }
          const TSyntaxNode& range = HasRange(node) || range_ == nullptr ? node : *range_;
          return OneToken(run, starts, [&](const TValueToken& token) {
            // A math function stands for the type it gives; its range is not known before the
            // value is computed.
            if (builtin <= TBuiltinType::Dimension && token.Kind == TValueTokenKind::Function &&
                IsMathFunction(token.Text)) {
              return MathFits(MathOf(token), builtin);
            }
            return IsBuiltinType(builtin, range.Low, range.High, token);
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

  bool IsComma(int32_t index) const {
    const TSyntaxNode& node = nodes_[static_cast<size_t>(index)];
    return node.Kind == TSyntaxKind::Literal && node.Text == ",";
  }

  uint64_t CommaStep(TRun run, uint64_t starts) {
    return OneToken(run, starts,
                    [](const TValueToken& token) { return token.Kind == TValueTokenKind::Comma; });
  }

  // Juxtaposition. A comma of the syntax is left out where the parts it separates are: when
  // everything in front of it in the sequence matched nothing, when everything after it
  // matches nothing, or when the part since the last comma matched nothing, so that two
  // commas would stand together ("<a>? , <b>? , <c>?" takes "a, c", "b" and "a").
  uint64_t Sequence(const TSyntaxNode& node, TRun run, uint64_t starts) {
    const std::vector<int32_t>& children = node.Children;
    uint64_t at = starts;
    uint64_t afterComma = 0;  // places reached right after a comma, by nothing since
    uint64_t ends = 0;        // places where a left-out comma ended the sequence
    for (size_t k = 0; k < children.size() && at != 0; ++k) {
      const int32_t child = children[k];
      if (!IsComma(child)) {
        const uint64_t next = Ends(child, run, at);
        afterComma &= next;
        at = next;
        continue;
      }
      // Only parts of this sequence count: a comma that opens it ("[ , <b> ]*") separates it
      // from what stands in front, which is not known here. Where the comma must be left out,
      // one written there is a fault ("f(1, , 2)").
      const uint64_t skipped = k == 0 ? 0 : at & (starts | afterComma);
      const uint64_t taken = CommaStep(run, at & ~skipped);
      for (uint64_t rest = at & ~skipped; rest != 0; rest &= rest - 1) {
        const uint64_t place = rest & (~rest + 1);
        if (RestMatchesNothing(children, k + 1, run, place)) {
          ends |= place;
        }
      }
      afterComma = taken;
      at = taken | skipped;
    }
    return at | ends;
  }

  // Whether children from first on can all match nothing at place (one bit).
  bool RestMatchesNothing(const std::vector<int32_t>& children, size_t first, TRun run,
                          uint64_t place) {
    bool any = false;
    for (size_t k = first; k < children.size(); ++k) {
      if (IsComma(children[k])) {
        continue;
      }
      if ((Ends(children[k], run, place) & place) == 0) {
        return false;
      }
      any = true;
    }
    return any;
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
  std::vector<std::optional<TMathType>> math_;
  const TSyntaxNode* range_ = nullptr;  // the range of the named type being matched  // the work is
                                        // capped: the answer is "unknown", not "no"
};

}  // namespace

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

int32_t TValueGrammar::Reach(int32_t root, const TValueTokens& tokens) const {
  if (tokens.Broken || tokens.TopEnd > kMaxRun || root < 0) {
    return 0;
  }
  TMatcher matcher(nodes_, tokens, false);
  const uint64_t ends = matcher.Ends(root, {0, tokens.TopEnd}, TMatcher::Bit(0));
  return ends == 0 ? 0 : 63 - std::countl_zero(ends);
}

std::vector<std::string_view> TValueGrammar::Keywords(int32_t root) const {
  std::vector<std::string_view> words;
  if (root < 0) {
    return words;
  }
  std::vector<bool> seen(nodes_.size());
  std::vector<int32_t> pending{root};
  while (!pending.empty()) {
    const int32_t index = pending.back();
    pending.pop_back();
    if (index < 0 || seen[static_cast<size_t>(index)]) {
      continue;
    }
    seen[static_cast<size_t>(index)] = true;
    const TSyntaxNode& node = nodes_[static_cast<size_t>(index)];
    if (node.Kind == TSyntaxKind::Keyword) {
      words.push_back(node.Text);
    } else if (node.Kind == TSyntaxKind::Type) {
      pending.push_back(node.Target);
    } else if (node.Kind != TSyntaxKind::Function) {
      pending.insert(pending.end(), node.Children.begin(), node.Children.end());
    }
  }
  return words;
}

}  // namespace qm
