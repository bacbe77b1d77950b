// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/selectorblocks.h"

#include <algorithm>

#include "model/asciicase.h"
#include "model/cssscanner.h"
#include "model/textscan.h"

namespace qm {

namespace {

constexpr std::string_view kCrLf = "\r\n";

// The element names joined with CR LF after each one, case-folded: the classification looks
// for a selector anywhere in it, so "a:h" or "h" count as elements too.
const std::string& FoldedElementNames() {
  static const std::string names = [] {
    std::string joined;
    for (std::string_view name : ElementNames) {
      joined.append(name);
      joined.append(kCrLf);
    }
    return AsciiLowerCase(joined);
  }();
  return names;
}

// The first "{" or "}" at or after from. find_first_of would look each byte up in the set.
size_t FindBrace(std::string_view text, size_t from) {
  for (size_t i = from; i < text.size(); ++i) {
    if (text[i] == '{' || text[i] == '}') {
      return i;
    }
  }
  return std::string_view::npos;
}

bool IsBlankOrControl(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlankOrControl(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsBlankOrControl(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

}  // namespace

const std::array<std::string_view, 47> ElementNames = {
    "a:link",     "a:visited", "a:active", "a:hover", "a:focus", "ADDRESS", "BIG",     "BLINK",
    "BLOCKQUOTE", "BODY",      "CENTER",   "CITE",    "CODE",    "COMMENT", "DD",      "DFN",
    "DIV",        "DL",        "DT",       "EM",      "H1",      "H2",      "H3",      "H4",
    "H5",         "H6",        "HR",       "KBD",     "LI",      "LISTING", "MARQUEE", "MULTICOL",
    "OL",         "PRE",       "SAMP",     "SMALL",   "SPAN",    "STRIKE",  "STRONG",  "SUB",
    "SUP",        "TABLE",     "TD",       "TR",      "TT",      "UL",      "VAR"};

int32_t TModList::BlockAt(int32_t index) const {
  for (size_t i = 0; i < Items_.size(); ++i) {
    if (Items_[i].StartPos < index && index < Items_[i].EndPos) {
      return static_cast<int32_t>(i);
    }
  }
  return -1;
}

int32_t TModList::NextBlockStart(int32_t index) const {
  for (const TItmRecord& item : Items_) {
    if (item.StartPos > index) {
      return item.StartPos;
    }
  }
  return 0;
}

int32_t TModList::NextBlockEnd(int32_t index) const {
  for (const TItmRecord& item : Items_) {
    if (item.EndPos > index) {
      return item.EndPos;
    }
  }
  return 0;
}

int32_t TModList::IndexOfName(std::string_view name) const {
  for (size_t i = 0; i < Items_.size(); ++i) {
    if (Items_[i].Name == name) {
      return static_cast<int32_t>(i);
    }
  }
  return -1;
}

std::string SelectorKind(std::string_view name) {
  if (name.find('#') != std::string_view::npos) {
    return "ID";
  }
  const std::string_view first = name.substr(0, name.find(','));
  if (!first.empty() && FoldedElementNames().find(AsciiLowerCase(first)) != std::string::npos) {
    return "Element";
  }
  return "Class";
}

std::vector<std::pair<int32_t, int32_t>> PairBraces(const TDocument& document) {
  std::vector<std::pair<int32_t, int32_t>> pairs;
  std::vector<size_t> open;  // indexes into pairs of the braces still open
  const int32_t lines = document.LineCount();
  // Carried here rather than asked of the document, which an editor would have to colour first.
  TScanState state = document.LineStartState(1);
  TToken token;
  for (int32_t line = 1; line <= lines; ++line) {
    const std::string_view text = document.LineText(line);
    // Only lines with a brace need their tokens; the others only pass their state on.
    if (FindBrace(text, 0) == std::string_view::npos) {
      state = ScanLine(text, state);
      continue;
    }
    const int32_t start = document.LineStart(line);
    TLineScanner scanner(text, state);
    while (scanner.Next(token)) {
      if (token.Kind == TTokenKind::Comment || token.Kind == TTokenKind::String) {
        continue;
      }
      const std::string_view bytes =
          text.substr(static_cast<size_t>(token.Start), static_cast<size_t>(token.Length));
      for (size_t at = FindBrace(bytes, 0); at != std::string_view::npos;
           at = FindBrace(bytes, at + 1)) {
        const int32_t index = start + token.Start + static_cast<int32_t>(at);
        if (bytes[at] == '{') {
          open.push_back(pairs.size());
          pairs.emplace_back(index, -1);
        } else if (!open.empty()) {
          pairs[open.back()].second = index;
          open.pop_back();
        }
      }
    }
    state = scanner.State();
  }
  return pairs;
}

void RebuildBlocks(const TDocument& document, TModList& blocks) {
  blocks.Clear();
  const std::string_view text = document.Text();
  const std::vector<std::pair<int32_t, int32_t>> pairs = PairBraces(document);
  int32_t p = 0;
  while (true) {
    // From index p + 1: a brace at index 0 opens no block, and each search starts after the
    // brace before.
    p = FindOutsideComments(document, text, "{", p + 2, -1, {}, true, false);
    if (p < 0) {
      break;
    }
    // Back from the brace to the nearest NUL, "|", "}" or comment end; the byte right before
    // the brace always belongs to the selector.
    int32_t i = p;
    while (true) {
      --i;
      const int32_t before = i - 1;
      const char c = before < 0 ? '\0' : text[static_cast<size_t>(before)];
      if (c == '\0' || c == '|' || c == '}' ||
          (c == '/' && before > 0 && text[static_cast<size_t>(before - 1)] == '*')) {
        break;
      }
    }
    TItmRecord record;
    record.Name = std::string(Trimmed(text.substr(static_cast<size_t>(i), p - i)));
    record.Kind = SelectorKind(record.Name);
    record.StartPos = p;
    const auto pair = std::lower_bound(pairs.begin(), pairs.end(), std::make_pair(p, INT32_MIN));
    record.EndPos =
        pair != pairs.end() && pair->first == p ? pair->second : document.MatchingBrace(p);
    blocks.Add(std::move(record));
  }
}

TTextEdit PlanNewSelector(const TDocument& document, const TModList& blocks, int32_t caret,
                          TSelectorTab tab, std::string_view input) {
  std::string block(kCrLf);
  if (tab == TSelectorTab::ID) {
    block.push_back('#');
  }
  block.append(input);
  block.append(" {");
  for (int i = 0; i < 3; ++i) {
    block.append(kCrLf);
  }
  block.push_back('}');

  const std::string_view text = document.Text();
  const int32_t end = blocks.NextBlockEnd(caret);
  TTextEdit edit;
  if (end <= 0) {
    // No block ends after the caret: the new one goes to the end, never into existing text.
    edit.Start = edit.End = static_cast<int32_t>(text.size());
    edit.Text = block;
  } else {
    // Right after the closing brace, so nothing is split. A brace that ends its line gets one
    // blank after it, as when the caret is put past the line's end and the text typed there;
    // text after the brace on its line moves to a line of its own below the new block.
    edit.Start = edit.End = end + 1;
    const size_t after = static_cast<size_t>(end) + 1;
    const bool endsLine = after >= text.size() || text[after] == '\r' || text[after] == '\n';
    edit.Text = endsLine ? " " + block : block + std::string(kCrLf);
    edit.Caret = edit.Start + static_cast<int32_t>(edit.Text.size()) - 5 -
                 (endsLine ? 0 : static_cast<int32_t>(kCrLf.size()));
    return edit;
  }
  edit.Caret = edit.Start + static_cast<int32_t>(edit.Text.size()) - 5;
  return edit;
}

std::optional<TTextEdit> PlanDeleteBlock(const TDocument& document, const TItmRecord& block) {
  const std::string_view text = document.Text();
  if (block.EndPos < 0 || block.StartPos < 0 || block.EndPos >= static_cast<int32_t>(text.size())) {
    return std::nullopt;
  }
  // The selector starts after the nearest "}", ";", "{" or comment end before the brace, so an
  // at-rule statement, a comment or an enclosing block's opening stays.
  int32_t start = block.StartPos;
  while (start > 0) {
    const char c = text[static_cast<size_t>(start - 1)];
    if (c == '}' || c == ';' || c == '{' ||
        (c == '/' && start >= 2 && text[static_cast<size_t>(start - 2)] == '*')) {
      break;
    }
    --start;
  }
  while (start < block.StartPos && IsBlankOrControl(text[static_cast<size_t>(start)])) {
    ++start;
  }
  int32_t end = block.EndPos + 1;

  // When nothing but blanks is left on the first and last line, the lines go as a whole.
  const int32_t firstLine = document.IndexToLineCol(start).Line;
  const int32_t lastLine = document.IndexToLineCol(block.EndPos).Line;
  const int32_t lineStart = document.LineStart(firstLine);
  const int32_t lineEnd = document.LineStart(lastLine) + document.LineLength(lastLine);
  const bool blankBefore =
      Trimmed(text.substr(static_cast<size_t>(lineStart), static_cast<size_t>(start - lineStart)))
          .empty();
  const bool blankAfter =
      Trimmed(text.substr(static_cast<size_t>(end), static_cast<size_t>(lineEnd - end))).empty();
  if (blankBefore && blankAfter) {
    if (lastLine < document.LineCount()) {
      start = lineStart;
      end = document.LineStart(lastLine + 1);
    } else if (firstLine > 1) {
      start = document.LineStart(firstLine - 1) + document.LineLength(firstLine - 1);
      end = lineEnd;
    } else {
      start = lineStart;
      end = lineEnd;
    }
  }
  return TTextEdit{start, end, std::string(), start};
}

}  // namespace qm
