// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/sheet/selectorblocks.h"

#include <algorithm>

#include "model/asciicase.h"
#include "model/error.h"

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

constexpr char FoldedAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Which bytes occur in the folded element names: a part holding any other byte (a ".", a blank)
// cannot occur in them, which settles most class selectors at their first byte.
const std::array<bool, 256>& ElementNameBytes() {
  static const std::array<bool, 256> bytes = [] {
    std::array<bool, 256> in{};
    for (const char c : FoldedElementNames()) {
      in[static_cast<unsigned char>(c)] = true;
    }
    return in;
  }();
  return bytes;
}

// The kind of a name given whether it holds "#" and its part before the first ",". The part is
// looked for in the folded names without a folded copy of it.
std::string KindOf(bool hasHash, std::string_view first) {
  if (hasHash) {
    return "ID";
  }
  const std::string& names = FoldedElementNames();
  const std::array<bool, 256>& bytes = ElementNameBytes();
  const bool possible = !first.empty() && first.size() <= names.size() &&
                        std::all_of(first.begin(), first.end(), [&bytes](char c) {
                          return bytes[static_cast<unsigned char>(FoldedAscii(c))];
                        });
  if (possible && std::search(names.begin(), names.end(), first.begin(), first.end(),
                              [](char n, char f) { return n == FoldedAscii(f); }) != names.end()) {
    return "Element";
  }
  return "Class";
}

}  // namespace

void RequireCurrent(const TDocument& document, const TModList& blocks) {
  if (!blocks.Describes(document)) {
    throw TError("The selector list does not match the text any more; refresh it and try again.");
  }
}

const std::array<std::string_view, 103> ElementNames = {
    "a:link",     "a:visited", "a:active",   "a:hover",  "a:focus",  "a",       "abbr",
    "address",    "article",   "aside",      "audio",    "b",        "bdi",     "bdo",
    "blockquote", "body",      "br",         "button",   "canvas",   "caption", "cite",
    "code",       "col",       "colgroup",   "data",     "datalist", "dd",      "del",
    "details",    "dfn",       "dialog",     "div",      "dl",       "dt",      "em",
    "embed",      "fieldset",  "figcaption", "figure",   "footer",   "form",    "h1",
    "h2",         "h3",        "h4",         "h5",       "h6",       "header",  "hgroup",
    "hr",         "html",      "i",          "iframe",   "img",      "input",   "ins",
    "kbd",        "label",     "legend",     "li",       "main",     "mark",    "menu",
    "meter",      "nav",       "object",     "ol",       "optgroup", "option",  "output",
    "p",          "picture",   "pre",        "progress", "q",        "rp",      "rt",
    "ruby",       "s",         "samp",       "search",   "section",  "select",  "small",
    "span",       "strong",    "sub",        "summary",  "sup",      "svg",     "table",
    "tbody",      "td",        "textarea",   "tfoot",    "th",       "thead",   "time",
    "tr",         "u",         "ul",         "var",      "video"};

int32_t TModList::BlockAt(int32_t index) const {
  for (size_t i = 0; i < Items_.size(); ++i) {
    if (Items_[i].StartPos < index && index < Items_[i].EndPos) {
      return static_cast<int32_t>(i);
    }
  }
  return -1;
}

int32_t TModList::InnermostBlockAt(int32_t index) const {
  // Blocks are in the order of their opening braces, so a block inside another comes later.
  int32_t innermost = -1;
  for (size_t i = 0; i < Items_.size() && Items_[i].StartPos < index; ++i) {
    if (index < Items_[i].EndPos) {
      innermost = static_cast<int32_t>(i);
    }
  }
  return innermost;
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
  return KindOf(name.find('#') != std::string_view::npos, name.substr(0, name.find(',')));
}

std::string TreeName(std::string_view name) {
  const bool cut = name.size() > TreeNameLimit;
  if (cut) {
    name.remove_prefix(name.size() - (TreeNameLimit - 3));
    // Not from the middle of a UTF-8 sequence.
    for (int i = 0; i < 3 && !name.empty() && (static_cast<unsigned char>(name[0]) & 0xC0) == 0x80;
         ++i) {
      name.remove_prefix(1);
    }
  }
  std::string shown = cut ? "..." : "";
  for (const char c : name) {
    if (!IsBlankOrControl(c)) {
      shown.push_back(c);
    } else if (shown.empty() || shown.back() != ' ') {
      shown.push_back(' ');
    }
  }
  return shown;
}

TTextEdit PlanNewSelector(const TDocument& document, const TModList& blocks, int32_t caret,
                          TSelectorTab tab, std::string_view input) {
  RequireCurrent(document, blocks);
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

std::optional<TTextEdit> PlanDeleteBlock(const TDocument& document, const TModList& blocks,
                                         int32_t index) {
  RequireCurrent(document, blocks);
  const TItmRecord& block = blocks.Items(index);
  const std::string_view text = document.Text();
  if (block.EndPos < 0 || block.StartPos < 0 || block.EndPos >= static_cast<int32_t>(text.size())) {
    return std::nullopt;
  }
  // The selector is the block's own name, which starts after the nearest code "}", ";" or "{",
  // or comment end, before the brace (a ";" in a string such as [title="a;b"] is none), so an
  // at-rule statement, a comment or an enclosing block's opening stays.
  int32_t start = block.StartPos;
  while (start > 0 && IsBlankOrControl(text[static_cast<size_t>(start - 1)])) {
    --start;
  }
  start -= static_cast<int32_t>(block.Name.size());
  if (start < 0 || text.substr(static_cast<size_t>(start), block.Name.size()) != block.Name) {
    start = block.StartPos;
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
