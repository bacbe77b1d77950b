// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/text/document.h"
#include "model/text/codescan.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

namespace qm {

namespace {

// Lines at least this long get resume points this far apart, so that a question about a place
// in a minified sheet's single line does not rescan the line from its start.
constexpr int32_t ResumeSpacing = 1024;

}  // namespace

struct TDocument::TIndexes {
  uint64_t Version = 0;
  const char* Data = nullptr;
  size_t Size = 0;
  std::optional<TCommentIndex> Comments;
  std::optional<TBracePairs> Braces;
  std::unordered_map<int32_t, std::vector<TResumePoint>> LongLines;
};

TDocument::TDocument() = default;
TDocument::TDocument(const TDocument&) {}
TDocument& TDocument::operator=(const TDocument&) {
  Indexes_.reset();
  return *this;
}
TDocument::~TDocument() = default;

std::string_view TDocument::LineText(int32_t line) const {
  if (line < 1 || line > LineCount()) {
    return {};
  }
  return Text().substr(LineStart(line), LineLength(line));
}

TLineCol TDocument::IndexToLineCol(int32_t index) const {
  const int32_t count = LineCount();
  // The last line whose start is at or before index; lines before it cover everything earlier.
  int32_t lo = 1;
  int32_t hi = count;
  while (lo < hi) {
    const int32_t mid = lo + (hi - lo + 1) / 2;
    if (LineStart(mid) <= index) {
      lo = mid;
    } else {
      hi = mid - 1;
    }
  }
  const int32_t start = LineStart(lo);
  if (lo == count && index >= start + LineLength(lo) + 2) {
    return {count + 1, 1};
  }
  return {lo, index - start + 1};
}

TLineCol CharacterLineCol(const TDocument& document, int32_t index, TTextEncoding encoding) {
  TLineCol at = document.IndexToLineCol(index);
  if (encoding != TTextEncoding::Utf8 || at.Line > document.LineCount() || at.Col <= 1) {
    return at;
  }
  std::string_view before = document.Text().substr(static_cast<size_t>(document.LineStart(at.Line)),
                                                   static_cast<size_t>(at.Col - 1));
  if (at.Line == 1 && before.starts_with("\xEF\xBB\xBF")) {
    before.remove_prefix(3);
  }
  int32_t characters = 0;
  for (const char c : before) {
    // Every byte but a continuation byte starts a character.
    characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
  }
  at.Col = characters + 1;
  return at;
}

int32_t TDocument::LineColToIndex(int32_t line, int32_t col) const {
  line = std::clamp(line, 1, LineCount());
  return LineStart(line) + col - 1;
}

TDocument::TIndexes& TDocument::Indexes() const {
  const std::string_view text = Text();
  const uint64_t version = TextVersion();
  if (!Indexes_ || Indexes_->Version != version || Indexes_->Data != text.data() ||
      Indexes_->Size != text.size()) {
    Indexes_ = std::make_unique<TIndexes>();
    Indexes_->Version = version;
    Indexes_->Data = text.data();
    Indexes_->Size = text.size();
  }
  return *Indexes_;
}

const TCommentIndex& TDocument::Comments() const {
  TIndexes& indexes = Indexes();
  if (!indexes.Comments) {
    indexes.Comments.emplace(Text());
  }
  return *indexes.Comments;
}

TDocument::TResumePoint TDocument::ResumeBefore(int32_t line, int32_t offset) const {
  const int32_t length = LineLength(line);
  if (length < 2 * ResumeSpacing) {
    return {0, LineStartState(line)};
  }
  std::vector<TResumePoint>& points = Indexes().LongLines[line];
  if (points.empty()) {
    TLineScanner scanner(LineText(line), LineStartState(line));
    points.push_back({0, scanner.State()});
    TToken token;
    while (scanner.Next(token)) {
      if (scanner.Offset() >= points.back().Offset + ResumeSpacing) {
        points.push_back({scanner.Offset(), scanner.State()});
      }
    }
  }
  const auto after = std::upper_bound(
      points.begin(), points.end(), offset,
      [](int32_t value, const TResumePoint& point) { return value < point.Offset; });
  return *(after - 1);
}

TTokenKind TDocument::TokenAt(int32_t line, int32_t col) const {
  if (line < 1 || line > LineCount() || col < 1 || col > LineLength(line)) {
    return TTokenKind::Null;
  }
  const int32_t offset = col - 1;
  const TResumePoint resume = ResumeBefore(line, offset);
  TLineScanner scanner(LineText(line), resume.State, resume.Offset);
  TToken token;
  while (scanner.Next(token)) {
    if (offset < token.Start + token.Length) {
      return token.Kind;
    }
  }
  return TTokenKind::Null;
}

int32_t TDocument::MatchingBrace(int32_t index) const {
  TIndexes& indexes = Indexes();
  if (!indexes.Braces) {
    indexes.Braces.emplace(Text());
  }
  return indexes.Braces->Partner(index);
}

std::vector<TToken> TDocument::LineTokens(int32_t line) const {
  std::vector<TToken> tokens;
  if (line >= 1 && line <= LineCount()) {
    ScanLine(LineText(line), LineStartState(line), tokens);
  }
  return tokens;
}

}  // namespace qm
