// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/selectorblocks.h"

#include <algorithm>

#include "model/asciicase.h"
#include "model/cssscanner.h"
#include "model/error.h"
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

// The kind of a name given whether it holds "#" and its part before the first ",". A part longer
// than the folded element names cannot occur in them, so it is never folded or searched.
std::string KindOf(bool hasHash, std::string_view first) {
  if (hasHash) {
    return "ID";
  }
  const std::string& names = FoldedElementNames();
  if (!first.empty() && first.size() <= names.size() &&
      names.find(AsciiLowerCase(first)) != std::string::npos) {
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

namespace {

// Where a selector's text may start: after one of the last two places the name scan stops at.
// What a name needs to know of the text after its stop is found by a forward look that resumes
// where the last one ended, so each byte is looked at once per stop however many braces share it.
struct TNameStart {
  int32_t Stop = -1;        // the stop byte; -1: the name may start at the text's start
  int32_t Seen = 0;         // bytes after the stop up to here have been looked at
  int32_t FirstSolid = -1;  // the first byte after the stop that is not blank, -1: none seen
  int32_t FirstComma = -1;  // the first "," after the stop, -1: none seen
  int32_t LastHash = -1;    // the last "#" seen after the stop, -1: none

  void LookUpTo(std::string_view text, int32_t end) {
    for (; Seen < end; ++Seen) {
      const char c = text[static_cast<size_t>(Seen)];
      if (FirstSolid < 0 && !IsBlankOrControl(c)) {
        FirstSolid = Seen;
      }
      if (c == ',' && FirstComma < 0) {
        FirstComma = Seen;
      } else if (c == '#') {
        LastHash = Seen;
      }
    }
  }
};

// The bytes the pass must stop at: braces, the comment markers' bytes, and the name stops.
constexpr std::array<bool, 256> MakeStopBytes() {
  std::array<bool, 256> stops{};
  for (const unsigned char c : {'{', '}', '/', '*', '|', '\0'}) {
    stops[c] = true;
  }
  return stops;
}
constexpr std::array<bool, 256> StopBytes = MakeStopBytes();

// The tokens of one line, asked for in the order of the line's bytes.
class TLineKinds {
 public:
  TLineKinds(std::string_view line, TScanState state) : Scanner_(line, state) {}
  // Whether the byte at offset lies in a token that pairs braces (not a Comment or a String);
  // offsets must not decrease from one call to the next.
  bool PairsBraces(int32_t offset) {
    while (offset >= Token_.Start + Token_.Length) {
      if (!Scanner_.Next(Token_)) {
        return false;
      }
    }
    return Token_.Kind != TTokenKind::Comment && Token_.Kind != TTokenKind::String;
  }
  TScanState EndState() {
    while (Scanner_.Next(Token_)) {
    }
    return Scanner_.State();
  }

 private:
  TLineScanner Scanner_;
  TToken Token_;
};

// One pass over the text that finds every block, its name and its partner.
class TBlockScan {
 public:
  TBlockScan(std::string_view text, std::vector<TItmRecord>& items) : Text_(text), Items_(items) {}

  // The bytes [from, to); kinds (of the line that starts at lineStart) tells which braces pair,
  // none for bytes outside every line.
  void Scan(int32_t from, int32_t to, TLineKinds* kinds, int32_t lineStart) {
    for (int32_t index = from; index < to; ++index) {
      const char c = Text_[static_cast<size_t>(index)];
      if (!StopBytes[static_cast<unsigned char>(c)]) {
        continue;
      }
      const bool brace = c == '{' || c == '}';
      const bool pairs = brace && kinds != nullptr && kinds->PairsBraces(index - lineStart);
      if (c == '{') {
        Open(index, pairs);
      } else if (c == '}' && pairs) {
        Close(index);
      }
      Note(index, c);
    }
  }

 private:
  void Open(int32_t p, bool pairs) {
    // A comment is open when the last marker that begins before p is a "/*"; braces there, and
    // one at index 0, open no block.
    int32_t block = -1;
    if (p > 0 && !InComment_) {
      block = static_cast<int32_t>(Items_.size());
      Items_.push_back(Record(p));
    }
    if (pairs) {
      Open_.push_back(block);
      ++Depth_;
    } else if (block >= 0) {
      // Counted from here on, it closes at the first pairing "}" that takes the depth below the
      // one it met. Those waiting wait for depths at most one below the current one, the later
      // ones for higher depths, so each "}" settles only the top of this stack.
      Waiting_.push_back({Depth_ - 1, block});
    }
  }

  void Close(int32_t index) {
    if (!Open_.empty()) {
      if (Open_.back() >= 0) {
        Items_[static_cast<size_t>(Open_.back())].EndPos = index;
      }
      Open_.pop_back();
    }
    --Depth_;
    while (!Waiting_.empty() && Waiting_.back().first == Depth_) {
      Items_[static_cast<size_t>(Waiting_.back().second)].EndPos = index;
      Waiting_.pop_back();
    }
  }

  // The selector runs from after a stop to the brace, except that the byte right before the
  // brace always belongs to it, so a stop right there hands over to the one before.
  TItmRecord Record(int32_t p) {
    TNameStart& start = Last_.Stop == p - 1 ? BeforeLast_ : Last_;
    start.LookUpTo(Text_, p);
    TItmRecord record;
    record.StartPos = p;
    if (start.FirstSolid < 0) {
      record.Kind = KindOf(false, {});
      return record;
    }
    // The blanks before a brace belong to it alone, so going back over them costs nothing extra.
    int32_t end = p;
    while (IsBlankOrControl(Text_[static_cast<size_t>(end - 1)])) {
      --end;
    }
    record.Name = Text_.substr(static_cast<size_t>(start.FirstSolid),
                               static_cast<size_t>(end - start.FirstSolid));
    const int32_t firstEnd = start.FirstComma >= 0 ? start.FirstComma : end;
    record.Kind = KindOf(start.LastHash >= 0,
                         record.Name.substr(0, static_cast<size_t>(firstEnd - start.FirstSolid)));
    return record;
  }

  void Note(int32_t index, char c) {
    const auto at = static_cast<size_t>(index);
    const char next = at + 1 < Text_.size() ? Text_[at + 1] : '\0';
    if (c == '/' && next == '*') {
      InComment_ = true;
    } else if (c == '*' && next == '/') {
      InComment_ = false;
    }
    if (c == '\0' || c == '|' || c == '}' || (c == '/' && at > 0 && Text_[at - 1] == '*')) {
      BeforeLast_ = Last_;
      Last_ = {index, index + 1};
    }
  }

  std::string_view Text_;
  std::vector<TItmRecord>& Items_;
  bool InComment_ = false;
  TNameStart Last_;
  TNameStart BeforeLast_;
  // Pairing braces open, by item index (-1 for a brace that opens no block), and their depth;
  // blocks whose brace does not pair (in a string, for one) with the depth they wait for.
  std::vector<int32_t> Open_;
  int64_t Depth_ = 0;
  std::vector<std::pair<int64_t, int32_t>> Waiting_;
};

}  // namespace

void RebuildBlocks(const TDocument& document, TModList& blocks) {
  auto text = std::make_shared<const std::string>(document.Text());
  std::vector<TItmRecord> items;
  TBlockScan scan(*text, items);
  const int32_t lines = document.LineCount();
  // Carried here rather than asked of the document, which an editor would have to colour first.
  TScanState state = document.LineStartState(1);
  int32_t index = 0;
  for (int32_t line = 1; line <= lines; ++line) {
    const int32_t start = document.LineStart(line);
    const int32_t end = start + document.LineLength(line);
    // Between lines only line breaks; a brace there would lie in no token.
    scan.Scan(index, start, nullptr, 0);
    TLineKinds kinds(std::string_view(*text).substr(static_cast<size_t>(start),
                                                    static_cast<size_t>(end - start)),
                     state);
    scan.Scan(start, end, &kinds, start);
    state = kinds.EndState();
    index = end;
  }
  scan.Scan(index, static_cast<int32_t>(text->size()), nullptr, 0);
  blocks.Items_ = std::move(items);
  blocks.Text_ = std::move(text);
  blocks.Version_ = document.TextVersion();
  blocks.Built_ = true;
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
