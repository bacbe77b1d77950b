// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/linemarks.h"

#include <Qsci/qsciscintilla.h>

#include "controls/bitmaps.h"

namespace qm {

namespace {

// The editor's other markers, if any, use other numbers.
constexpr int kMarker = 1;
constexpr unsigned kMask = 1u << kMarker;
constexpr int kNumberColumn = 0;
constexpr int kMarkColumn = 1;
const QSize kGlyph(12, 14);

}  // namespace

void TLineMarks::Prepare(QsciScintilla& editor) {
  editor.markerDefine(LoadBitmap("bookmark", kGlyph), kMarker);
  editor.setMarginType(kMarkColumn, QsciScintilla::SymbolMargin);
  editor.setMarginMarkerMask(kMarkColumn, static_cast<int>(kMask));
  editor.setMarginWidth(kMarkColumn, kGlyph.width() + 4);
  editor.setMarginSensitivity(kMarkColumn, true);
  editor.setMarginSensitivity(kNumberColumn, true);
}

std::vector<int32_t> TLineMarks::Lines() const {
  std::vector<int32_t> lines;
  for (int line = Editor.markerFindNext(0, kMask); line >= 0;
       line = Editor.markerFindNext(line + 1, kMask)) {
    lines.push_back(line + 1);
  }
  return lines;
}

bool TLineMarks::Has(int32_t line) const {
  return (Editor.markersAtLine(line - 1) & kMask) != 0;
}

void TLineMarks::Add(int32_t line) {
  Editor.markerAdd(line - 1, kMarker);
}

void TLineMarks::Remove(int32_t line) {
  Editor.markerDelete(line - 1, kMarker);
}

void TLineMarks::Clear() {
  Editor.markerDeleteAll(kMarker);
}

}  // namespace qm
