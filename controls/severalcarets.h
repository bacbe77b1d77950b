// SPDX-License-Identifier: GPL-3.0-or-later
// Several carets and column selections in one editor: Alt+click adds a caret, Alt+drag selects
// a column, Ctrl+D adds the next occurrence of the selection, Escape keeps the main caret only.
#pragma once

#include <QObject>
#include <QPoint>

namespace qm {

class TCssEditor;

class TSeveralCarets : public QObject {
 public:
  // Turns the editor's multiple selection on (typing, Backspace, Delete and paste act at every
  // caret as one step of Undo) and takes its Alt+mouse, Ctrl+D and Escape.
  explicit TSeveralCarets(TCssEditor& editor);

  // The next occurrence of the main selection (the word at the caret when it is empty) becomes
  // a selection of its own, the main one.
  static void AddNextOccurrence(TCssEditor& editor);
  // Every selection but the main one goes; false when there was only one.
  static bool KeepMainOnly(TCssEditor& editor);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int32_t PositionAt(QPoint point) const;

  TCssEditor& Editor;
  bool AltPressed = false;
  bool Dragged = false;
  QPoint PressedAt;
};

}  // namespace qm
