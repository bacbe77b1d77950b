// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/selectorblocks.h"

#include <algorithm>
#include <bit>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define QM_STOP_SEARCH_SSE2 1
#endif

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

namespace {

// The bytes the pass must stop at: braces, the comment markers' bytes, and the name stops.
constexpr std::array<bool, 256> MakeStopBytes() {
  std::array<bool, 256> stops{};
  for (const unsigned char c : {'{', '}', '/', '*', ';', '\0'}) {
    stops[c] = true;
  }
  return stops;
}
constexpr std::array<bool, 256> StopBytes = MakeStopBytes();

// The first stop byte in [from, to), else to. Kept apart from the scan's state, so that the loop
// over the bytes between stops stays in registers.
int32_t NextStop(const char* data, int32_t from, int32_t to) {
#ifdef QM_STOP_SEARCH_SSE2
  // Sixteen bytes compared with every stop byte at once: most of a sheet lies between stops.
  const __m128i stops[] = {_mm_set1_epi8('{'), _mm_set1_epi8('}'), _mm_set1_epi8('/'),
                           _mm_set1_epi8('*'), _mm_set1_epi8(';'), _mm_setzero_si128()};
  while (to - from >= 16) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + from));
    __m128i hits = _mm_setzero_si128();
    for (const __m128i& stop : stops) {
      hits = _mm_or_si128(hits, _mm_cmpeq_epi8(chunk, stop));
    }
    if (const auto mask = static_cast<unsigned>(_mm_movemask_epi8(hits)); mask != 0) {
      return from + std::countr_zero(mask);
    }
    from += 16;
  }
#endif
  while (from < to && !StopBytes[static_cast<unsigned char>(data[from])]) {
    ++from;
  }
  return from;
}

// The tokens of one line, asked for in the order of the line's bytes.
class TLineKinds {
 public:
  TLineKinds(std::string_view line, TScanState state) : Scanner_(line, state) {
    Scanner_.SkipNameLookup();
  }
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

 private:
  TLineScanner Scanner_;
  TToken Token_;
};

// One pass over the text, or over a stretch of it from a checkpoint on, that finds every block,
// its name and its partner. Only lines that hold a brace are scanned for tokens, from the state
// the document keeps for the line.
class TBlockScan {
 public:
  TBlockScan(const TDocument& document, std::string_view text, std::vector<TItmRecord>& items,
             std::vector<TBlockCheckpoint>& checkpoints)
      : Document_(document), Text_(text), Items_(items), Checkpoints_(checkpoints) {}

  void ResumeAt(const TBlockCheckpoint& point) {
    InComment_ = point.InComment;
    LastStop_ = point.LastStop;
  }

  // Scans the lines from line on. With an old list to meet, stops at the first line at or after
  // from whose checkpoint the old list has too (shifted by shift), and returns that line's index;
  // else scans to the end and returns -1.
  int32_t ScanLines(int32_t line, int32_t from = 0, int32_t shift = 0,
                    const std::vector<TBlockCheckpoint>* old = nullptr) {
    const int32_t lines = Document_.LineCount();
    int32_t index = Document_.LineStart(line);
    for (; line <= lines; ++line) {
      const int32_t start = Document_.LineStart(line);
      const int32_t end = start + Document_.LineLength(line);
      // Between lines only line breaks; a brace there would lie in no token.
      ScanBytes(index, start);
      if (ScanLine(line, start, end, from, shift, old)) {
        return start;
      }
      index = end;
    }
    ScanBytes(index, static_cast<int32_t>(Text_.size()));
    return -1;
  }

 private:
  bool Settled() const { return Open_.empty() && Waiting_.empty() && Depth_ == 0; }

  // Whether the old list, shifted, has this checkpoint: then the rest of the old list, shifted,
  // is what the scan would find. A name running back into the changed stretch would differ.
  static bool Meets(const TBlockCheckpoint& here, int32_t from, int32_t shift,
                    const std::vector<TBlockCheckpoint>& old) {
    if (here.Index < from || here.LastStop < from) {
      return false;
    }
    const auto it = std::lower_bound(
        old.begin(), old.end(), here.Index - shift,
        [](const TBlockCheckpoint& point, int32_t index) { return point.Index < index; });
    if (it == old.end() || it->Index != here.Index - shift) {
      return false;
    }
    TBlockCheckpoint shifted = *it;
    shifted.Index += shift;
    shifted.LastStop += shift;
    return shifted == here;
  }

  bool ScanLine(int32_t line, int32_t start, int32_t end, int32_t from, int32_t shift,
                const std::vector<TBlockCheckpoint>* old) {
    const bool settled = Settled();
    const bool inComment = InComment_;
    const int32_t lastStop = LastStop_;
    std::optional<TLineKinds> kinds;
    const char* const data = Text_.data();
    for (int32_t index = start; index < end; ++index) {
      index = NextStop(data, index, end);
      if (index == end) {
        break;
      }
      const char c = data[index];
      bool pairs = false;
      if (c == '{' || c == '}') {
        if (!kinds) {
          const TScanState state = Document_.LineStartState(line);
          if (settled) {
            const TBlockCheckpoint here{start, lastStop, state, inComment};
            if (old != nullptr && Meets(here, from, shift, *old)) {
              return true;
            }
            Checkpoints_.push_back(here);
          }
          kinds.emplace(Text_.substr(static_cast<size_t>(start), static_cast<size_t>(end - start)),
                        state);
        }
        pairs = kinds->PairsBraces(index - start);
      }
      Stop(index, c, pairs);
    }
    return false;
  }

  // Bytes outside every line's tokens.
  void ScanBytes(int32_t from, int32_t to) {
    const char* const data = Text_.data();
    for (int32_t index = NextStop(data, from, to); index < to;
         index = NextStop(data, index + 1, to)) {
      Stop(index, data[index], false);
    }
  }

  void Stop(int32_t index, char c, bool pairs) {
    if (c == '{') {
      Open(index, pairs);
    } else if (c == '}' && pairs) {
      Close(index);
    }
    Note(index, c);
  }

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

  // The selector runs from after the last stop to the brace. Every brace is a stop, so the bytes
  // looked at for names are each looked at once.
  TItmRecord Record(int32_t p) {
    TItmRecord record;
    record.StartPos = p;
    int32_t start = LastStop_ + 1;
    int32_t end = p;
    while (start < end && IsBlankOrControl(Text_[static_cast<size_t>(start)])) {
      ++start;
    }
    while (end > start && IsBlankOrControl(Text_[static_cast<size_t>(end - 1)])) {
      --end;
    }
    record.Name = Text_.substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
    record.Kind = KindOf(record.Name.find('#') != std::string_view::npos,
                         record.Name.substr(0, record.Name.find(',')));
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
    const bool ends = c == '{' || c == '}' || c == ';' || c == '\0';
    if ((ends && !InComment_) || c == '\0' || (c == '/' && at > 0 && Text_[at - 1] == '*')) {
      LastStop_ = index;
    }
  }

  const TDocument& Document_;
  std::string_view Text_;
  std::vector<TItmRecord>& Items_;
  std::vector<TBlockCheckpoint>& Checkpoints_;
  bool InComment_ = false;
  int32_t LastStop_ = -1;
  // Pairing braces open, by item index (-1 for a brace that opens no block), and their depth;
  // blocks whose brace does not pair (in a string, for one) with the depth they wait for.
  std::vector<int32_t> Open_;
  int64_t Depth_ = 0;
  std::vector<std::pair<int64_t, int32_t>> Waiting_;
};

// Names from text that is about to change view a copy of the stretch they lie in.
void KeepNames(std::string_view text, std::vector<TItmRecord>::iterator first,
               std::vector<TItmRecord>::iterator last,
               std::vector<std::shared_ptr<const std::string>>& texts, size_t& copied) {
  if (first == last) {
    return;
  }
  size_t from = text.size();
  size_t to = 0;
  for (auto it = first; it != last; ++it) {
    const auto at = static_cast<size_t>(it->Name.data() - text.data());
    from = std::min(from, at);
    to = std::max(to, at + it->Name.size());
  }
  from = std::min(from, to);
  auto copy = std::make_shared<const std::string>(text.substr(from, to - from));
  for (auto it = first; it != last; ++it) {
    const auto at = static_cast<size_t>(it->Name.data() - text.data()) - from;
    it->Name = std::string_view(*copy).substr(at, it->Name.size());
  }
  copied += copy->size();
  texts.push_back(std::move(copy));
}

}  // namespace

void RebuildBlocks(const TDocument& document, TModList& blocks) {
  auto text = std::make_shared<const std::string>(document.Text());
  // A rebuild is mostly of a text much like the last one: room for as many blocks again.
  std::vector<TItmRecord> items;
  items.reserve(blocks.Items_.size() + blocks.Items_.size() / 8);
  std::vector<TBlockCheckpoint> checkpoints;
  checkpoints.reserve(blocks.Checkpoints_.size() + blocks.Checkpoints_.size() / 8);
  TBlockScan scan(document, *text, items, checkpoints);
  scan.ScanLines(1);
  blocks.Items_ = std::move(items);
  blocks.Checkpoints_ = std::move(checkpoints);
  blocks.Texts_.clear();
  blocks.Texts_.push_back(std::move(text));
  blocks.UpdatedBytes_ = 0;
  blocks.Version_ = document.TextVersion();
  blocks.Built_ = true;
}

void UpdateBlocks(const TDocument& document, TModList& blocks) {
  if (blocks.Describes(document)) {
    return;
  }
  const std::optional<TTextChange> change =
      blocks.Built_ ? document.ChangedSince(blocks.Version_) : std::nullopt;
  const std::string_view text = document.Text();
  // Most of the text new (a load, a Format Document), or copies of changed stretches adding up to
  // half the text: a new copy costs less.
  if (!change || change->NewEnd - change->Start > static_cast<int32_t>(text.size() / 2) ||
      blocks.UpdatedBytes_ > text.size() / 2 + 4096) {
    RebuildBlocks(document, blocks);
    return;
  }
  const int32_t shift = change->NewEnd - change->OldEnd;
  // From the line before the change's, which a line break typed at its start may join.
  const int32_t changedLine =
      std::max(1, std::min(document.IndexToLineCol(change->Start).Line, document.LineCount()) - 1);
  const int32_t lineStart = document.LineStart(changedLine);
  std::vector<TBlockCheckpoint>& old = blocks.Checkpoints_;
  auto resume = std::upper_bound(
      old.begin(), old.end(), lineStart,
      [](int32_t index, const TBlockCheckpoint& point) { return index < point.Index; });
  const TBlockCheckpoint from = resume == old.begin() ? TBlockCheckpoint{} : *std::prev(resume);
  const int32_t firstLine = from.Index == 0 ? 1 : document.IndexToLineCol(from.Index).Line;

  std::vector<TItmRecord> items;
  std::vector<TBlockCheckpoint> checkpoints;
  TBlockScan scan(document, text, items, checkpoints);
  scan.ResumeAt(from);
  const int32_t met = scan.ScanLines(firstLine, change->NewEnd, shift, &old);

  std::vector<TItmRecord>& all = blocks.Items_;
  const auto keptBefore =
      std::lower_bound(all.begin(), all.end(), from.Index,
                       [](const TItmRecord& item, int32_t index) { return item.StartPos < index; });
  std::vector<TItmRecord> after;
  std::vector<TBlockCheckpoint> checkpointsAfter;
  if (met >= 0) {
    const int32_t oldMet = met - shift;
    const auto keptAfter = std::lower_bound(
        all.begin(), all.end(), oldMet,
        [](const TItmRecord& item, int32_t index) { return item.StartPos < index; });
    after.assign(keptAfter, all.end());
    for (TItmRecord& item : after) {
      item.StartPos += shift;
      if (item.EndPos >= 0) {
        item.EndPos += shift;
      }
    }
    const auto pointAfter = std::lower_bound(
        old.begin(), old.end(), oldMet,
        [](const TBlockCheckpoint& point, int32_t index) { return point.Index < index; });
    checkpointsAfter.assign(pointAfter, old.end());
    for (TBlockCheckpoint& point : checkpointsAfter) {
      point.Index += shift;
      point.LastStop += shift;
    }
  }
  KeepNames(text, items.begin(), items.end(), blocks.Texts_, blocks.UpdatedBytes_);
  // The blocks before the checkpoint closed before it.
  all.erase(keptBefore, all.end());
  all.insert(all.end(), items.begin(), items.end());
  all.insert(all.end(), after.begin(), after.end());
  old.erase(resume == old.begin() ? old.begin() : std::prev(resume), old.end());
  old.insert(old.end(), checkpoints.begin(), checkpoints.end());
  old.insert(old.end(), checkpointsAfter.begin(), checkpointsAfter.end());
  blocks.Version_ = document.TextVersion();
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
