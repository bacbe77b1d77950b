// SPDX-License-Identifier: GPL-3.0-or-later
// The document as the model reads it: its lines joined by CR LF, positions as byte indexes.
// The editor widget and the model's in-memory document both answer this interface.
#pragma once

#include <cstdint>
#include <string_view>

namespace qm {

// Lines and columns are 1-based.
struct TLineCol {
  int32_t Line = 1;
  int32_t Col = 1;
  bool operator==(const TLineCol&) const = default;
};

class TDocument {
 public:
  virtual ~TDocument() = default;

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
};

}  // namespace qm
