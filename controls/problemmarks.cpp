// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/problemmarks.h"

#include <QColor>
#include <algorithm>

#include "controls/csseditor.h"

namespace qm {

namespace {

using Sci = QsciScintillaBase;

}  // namespace

TProblemMarks::TProblemMarks(TCssEditor* editor) : Editor(editor) {
  Error = Editor->indicatorDefine(QsciScintilla::SquiggleLowIndicator);
  Editor->setIndicatorForegroundColor(QColor(0xE0, 0x10, 0x10), Error);
  Warning = Editor->indicatorDefine(QsciScintilla::SquiggleLowIndicator);
  Editor->setIndicatorForegroundColor(QColor(0xC0, 0x80, 0x00), Warning);
}

void TProblemMarks::Clear() {
  const long length = Editor->SendScintilla(Sci::SCI_GETLENGTH);
  for (const int indicator : {Error, Warning}) {
    Editor->SendScintilla(Sci::SCI_SETINDICATORCURRENT, indicator);
    Editor->SendScintilla(Sci::SCI_INDICATORCLEARRANGE, 0L, length);
  }
}

void TProblemMarks::Show(const std::vector<TProblemSpan>& problems) {
  Clear();
  const long length = Editor->SendScintilla(Sci::SCI_GETLENGTH);
  for (const TProblemSpan& problem : problems) {
    const long start = std::min<long>(problem.Start, length);
    // A mark at the text's end (a block left open there) still needs a byte to be seen on.
    const long end = std::min<long>(std::max(problem.End, problem.Start + 1), length);
    const long from = end > start ? start : std::max(0L, end - 1);
    if (end <= from) {
      continue;
    }
    Editor->SendScintilla(Sci::SCI_SETINDICATORCURRENT,
                          problem.Severity == TSeverity::Error ? Error : Warning);
    Editor->SendScintilla(Sci::SCI_INDICATORFILLRANGE, from, end - from);
  }
}

}  // namespace qm
