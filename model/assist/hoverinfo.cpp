// SPDX-License-Identifier: GPL-3.0-or-later
// What the pointer rests on, found from its line's tokens and its rule's declarations, and the
// tip's text from the catalogue, the colour notations and the value checker.
#include "model/assist/hoverinfo.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "model/asciicase.h"
#include "model/assist/valuecolors.h"
#include "model/catalogue/catalogue.h"
#include "model/listrule.h"
#include "model/sheet/declarations.h"
#include "model/textbytes.h"
#include "model/values/colortext.h"
#include "model/values/valuechecker.h"

namespace qm {
namespace {

using textbytes::Slice;

// The colour written at position in the value from valueStart to valueEnd, if one is. Only the
// value's own part of the position's line is scanned, so a pointer in a long one-line sheet costs
// no scan of the whole line.
std::optional<int32_t> ColorAt(const TDocument& document, int32_t position, int32_t valueStart,
                               int32_t valueEnd) {
  const TLineCol at = document.IndexToLineCol(position);
  const int32_t lineStart = document.LineStart(at.Line);
  const std::string_view line = document.LineText(at.Line);
  const int32_t from = valueStart >= lineStart ? valueStart - lineStart : 0;
  const int32_t to = std::min(static_cast<int32_t>(line.size()), valueEnd - lineStart);
  const std::string_view stretch = Slice(line, from, std::max(from, to));
  std::vector<TTokenKind> kinds(stretch.size(), TTokenKind::Null);
  const auto mark = [&](const TToken& token) {
    for (int32_t i = token.Start; i < token.Start + token.Length; ++i) {
      kinds[static_cast<size_t>(i)] = token.Kind;
    }
  };
  // Read as a value from its start, or from the start of a line it goes on on; a comment the
  // line starts in stays one.
  TScanState state{TScanRange::AfterColon};
  if (from == 0 && document.LineStartState(at.Line).Range == TScanRange::Comment) {
    state = document.LineStartState(at.Line);
  }
  TLineScanner scanner(stretch, state);
  for (TToken token; scanner.Next(token);) {
    mark(token);
  }
  const int32_t offset = at.Col - 1 - from;
  for (const TColorSpot& spot : FindColors(stretch, kinds)) {
    if (spot.Start <= offset && offset < spot.Start + spot.Length) {
      return spot.Color;
    }
  }
  return std::nullopt;
}

// "@font-face" for a block of descriptors, whose names the checker looks up as its own.
std::string_view AtRuleOf(const TDocument& document, const TModList& blocks, int32_t block) {
  if (BlockKind(document, blocks, block) != TBlockKind::DeclarationAtRule) {
    return {};
  }
  const std::string_view name = blocks.Items(block).Name;
  return name.substr(0, name.find_first_of(" \t\r\n/("));
}

}  // namespace

std::string PropertyTip(const TInspectorCollection& catalogue, std::string_view property) {
  const int32_t row = catalogue.IndexOfTag(AsciiLowerCase(property));
  if (row < 0) {
    return {};
  }
  const TInspectorItem& item = catalogue.Items(row);
  std::string tip = item.CssTag + "\n" +
                    (item.Description.empty() ? "No available information." : item.Description);
  if (catalogue.BrowserNames.empty()) {
    // The flags are listed Opera 5, Netscape 6, Internet Explorer 5.
    const std::vector<std::string> flags = SplitList(item.Browsers, '|');
    const char* const names[] = {"Opera 5", "Netscape 6", "Internet Explorer 5"};
    std::string support;
    for (int i = 2; i >= 0; --i) {
      const auto field = static_cast<size_t>(i);
      if (field < flags.size() && !flags[field].empty() &&
          (flags[field].front() == '1' || flags[field].front() == '0')) {
        support += std::string(support.empty() ? "" : ", ") + names[i] +
                   (flags[field].front() == '1' ? ": yes" : ": no");
      }
    }
    if (!support.empty()) {
      tip += "\nSupport: " + support;
    }
  }
  return tip;
}

std::string ColorTip(int32_t color) {
  return ColorInNotation("#FFFFFF", color) + "\n" + ColorInNotation("rgb(0, 0, 0)", color) + "\n" +
         ColorInNotation("hsl(0, 0%, 0%)", color);
}

std::string WrappedTip(std::string_view tip, size_t width) {
  constexpr std::string_view kIndent = "  ";
  std::string wrapped;
  wrapped.reserve(tip.size());
  while (!tip.empty()) {
    const size_t lineEnd = std::min(tip.find('\n'), tip.size());
    std::string_view line = tip.substr(0, lineEnd);
    tip.remove_prefix(std::min(lineEnd + 1, tip.size()));
    bool first = true;
    do {
      const size_t room = first ? width : std::max(width, kIndent.size() + 1) - kIndent.size();
      size_t cut = line.size();
      if (line.size() > room) {
        cut = line.rfind(' ', room);
        if (cut == std::string_view::npos || cut == 0) {
          cut = std::min(line.find(' ', room), line.size());
        }
      }
      if (!first) {
        wrapped += kIndent;
      }
      wrapped += line.substr(0, cut);
      line.remove_prefix(cut);
      while (!line.empty() && line.front() == ' ') {
        line.remove_prefix(1);
      }
      if (!line.empty()) {
        wrapped += '\n';
      }
      first = false;
    } while (!line.empty());
    if (!tip.empty()) {
      wrapped += '\n';
    }
  }
  return wrapped;
}

std::string HoverTextAt(const TDocument& document, const TModList& blocks, int32_t position,
                        const TInspectorCollection& catalogue, const TValueChecker* checker) {
  RequireCurrent(document, blocks);
  const std::string_view text = document.Text();
  if (position < 0 || position >= static_cast<int32_t>(text.size())) {
    return {};
  }
  const TLineCol at = document.IndexToLineCol(position);
  const TTokenKind kind = document.TokenAt(at.Line, at.Col);
  if (kind == TTokenKind::Comment || kind == TTokenKind::String) {
    return {};
  }
  const int32_t rule = RuleBlockAt(document, blocks, position);
  if (rule < 0) {
    return {};
  }
  for (const TDeclarationItem& item : ParseDeclarations(document, blocks, rule)) {
    if (item.NameStart <= position && position < item.NameEnd) {
      return PropertyTip(catalogue, Slice(text, item.NameStart, item.NameEnd));
    }
    if (item.ValueStart <= position && position < item.PriorityEnd) {
      std::string tip;
      const std::optional<int32_t> color =
          ValueMayHoldColors(Slice(text, item.NameStart, item.NameEnd))
              ? ColorAt(document, position, item.ValueStart, item.PriorityEnd)
              : std::nullopt;
      if (color) {
        tip = ColorTip(*color);
      }
      if (checker != nullptr) {
        const TValueCheck check = checker->Check(Slice(text, item.NameStart, item.NameEnd),
                                                 Slice(text, item.ValueStart, item.PriorityEnd),
                                                 AtRuleOf(document, blocks, rule));
        if (check.Verdict == TValueVerdict::Error || check.Verdict == TValueVerdict::Warning) {
          tip += (tip.empty() ? "" : "\n") + check.Message;
        }
      }
      return tip;
    }
  }
  return {};
}

}  // namespace qm
