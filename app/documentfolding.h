// SPDX-License-Identifier: GPL-3.0-or-later
// The folds of one document's editor: a gutter column of fold marks whose levels follow the
// block list after every change of the text, so a folded block stays folded while typing.
#pragma once

#include <QObject>

namespace qm {

class TOpenDocument;
class TCssEditor;

class TDocumentFolding : public QObject {
 public:
  explicit TDocumentFolding(TOpenDocument& document);

  // Fold and Unfold: the block at the caret (the innermost one holding the caret's line, or the
  // one whose "{" is on it); Fold All and Unfold All every block of the text.
  static void Fold(TCssEditor& editor);
  static void Unfold(TCssEditor& editor);
  static void FoldAll(TCssEditor& editor);
  static void UnfoldAll(TCssEditor& editor);

  // Sets the editor's levels from the current block list now.
  void Update();

 private:
  void UpdateLater();

  TOpenDocument& Document;
  bool Pending = false;
};

}  // namespace qm
