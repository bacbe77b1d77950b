// SPDX-License-Identifier: GPL-3.0-or-later
// The document as the model reads it: its lines joined by CR LF, positions as byte indexes.
// The editor widget and the model's in-memory document both answer this interface.
#pragma once

#include "model/text/changelog.h"
#include "model/text/commentindex.h"
#include "model/text/cssscanner.h"
#include "model/text/textencoding.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace qm {

// Lines and columns are 1-based.
struct TLineCol {
  int32_t Line = 1;
  int32_t Col = 1;
  bool operator==(const TLineCol&) const = default;
};

class TDocument;

// The line and column of index as a person counts them: a column is a character (a code point
// of UTF-8 text, a byte of 8-bit text), and the byte order mark that opens a UTF-8 file is no
// character of its first line. What --check, the Problems panel and the status bar show.
TLineCol CharacterLineCol(const TDocument& document, int32_t index, TTextEncoding encoding);

class TDocument {
 public:
  TDocument();
  // A copy builds its own indexes when first asked.
  TDocument(const TDocument&);
  TDocument& operator=(const TDocument&);
  virtual ~TDocument();

  // The whole text, valid until the document next changes.
  virtual std::string_view Text() const = 0;
  // Never less than 1: an empty document has one empty line.
  virtual int32_t LineCount() const = 0;
  // Index of column 1 of a line in 1..LineCount().
  virtual int32_t LineStart(int32_t line) const = 0;
  // Length of a line in 1..LineCount(), without its line break.
  virtual int32_t LineLength(int32_t line) const = 0;

  // The text of a line without its break; empty for a line out of range.
  std::string_view LineText(int32_t line) const;

  // Index to line and column: every line covers its characters and then a two-character break,
  // so the index of the CR is column n+1 and that of the LF column n+2; an index past the last
  // line is (LineCount()+1, 1) and -1 is (1, 0).
  TLineCol IndexToLineCol(int32_t index) const;
  // Line and column to index: the line is limited to 1..LineCount(), the column is not limited.
  int32_t LineColToIndex(int32_t line, int32_t col) const;

  // The scanner's state at column 1 of a line in 1..LineCount(): what the line before left, the
  // initial state for line 1. It must describe the current text, so an editor styles first.
  virtual TScanState LineStartState(int32_t line) const = 0;
  // Changes whenever the text changes: what is built from one text version is kept until then.
  virtual uint64_t TextVersion() const = 0;
  // What changed after an older version as one stretch, when the document still knows; a result
  // built from that version then needs only that stretch looked at again.
  virtual std::optional<TTextChange> ChangedSince(uint64_t /*version*/) const {
    return std::nullopt;
  }

  // The kind of the token that covers a column of a line; Null (no token) for a line or column
  // outside the text of the lines, and from a NUL byte to the line's end. The default scans the
  // line; an editor may answer from its styles instead.
  virtual TTokenKind TokenAt(int32_t line, int32_t col) const;
  // Index of the "}" that closes the "{" at index, both code as TCodeScanner reads it: nested
  // braces are counted, those in comments, strings (double or single quotes) and unquoted url()
  // are not. -1 when the text ends first or there is no code "{" at index.
  virtual int32_t MatchingBrace(int32_t index) const;

  // Every token of a line, offsets from column 1, its line break left out.
  std::vector<TToken> LineTokens(int32_t line) const;
  // The comment markers of the current text.
  const TCommentIndex& Comments() const;

 private:
  struct TIndexes;
  struct TResumePoint {
    int32_t Offset = 0;  // in the line, a token boundary
    TScanState State;
  };
  TIndexes& Indexes() const;
  // The closest place at or before offset in a line from which scanning gives the line's tokens.
  TResumePoint ResumeBefore(int32_t line, int32_t offset) const;

  mutable std::unique_ptr<TIndexes> Indexes_;
};

}  // namespace qm
