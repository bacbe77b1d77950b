// SPDX-License-Identifier: GPL-3.0-or-later
// The line marks of one editor: a bookmark glyph in a gutter column beside the line numbers for
// each marked line. The marks move with their lines as the text changes.
#pragma once

#include <cstdint>
#include <vector>

class QsciScintilla;

namespace qm {

class TLineMarks {
 public:
  explicit TLineMarks(QsciScintilla& editor) : Editor(editor) {}

  // Gives an editor the glyph and its gutter column. Clicks on the column and on the line
  // numbers arrive as QsciScintilla::marginClicked instead of selecting the line.
  static void Prepare(QsciScintilla& editor);

  // The marked lines, 1-based, in ascending order.
  std::vector<int32_t> Lines() const;
  bool Has(int32_t line) const;
  void Add(int32_t line);
  void Remove(int32_t line);
  void Clear();

 private:
  QsciScintilla& Editor;
};

}  // namespace qm
