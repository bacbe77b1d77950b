// SPDX-License-Identifier: GPL-3.0-or-later
// Completion lists and tips in the editors of one window, from the chosen catalogue and the
// value syntaxes of current CSS, shown with the editor's own list and call tips.
#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "model/completion.h"

namespace qm {

class TDeclarationSync;
class TInspectorCollection;
class TOpenDocument;
class TValueChecker;

class TEditorAssist : public QObject {
 public:
  // dataFolder holds "css3.txt" and "css3syntax.txt", read when a value is first completed or
  // checked; the catalogue is the one sync holds, whichever level is chosen.
  TEditorAssist(const TDeclarationSync& sync, QString dataFolder, QObject* parent = nullptr);
  ~TEditorAssist() override;

  // Gives the document's editor completion (typing, Ctrl+Space) and tips (the pointer resting,
  // Ctrl+Shift+Space at the caret). What a choice inserts goes through the document's edit
  // scope, one step of Undo.
  void Attach(TOpenDocument& document);

  TCompletionSources Sources() const;
  // The value syntaxes; none when their files cannot be read.
  const TValueChecker* Checker() const;
  const TInspectorCollection& Catalogue() const;

 private:
  const TDeclarationSync& Sync;
  const QString DataFolder;
  mutable std::unique_ptr<TValueChecker> Checker_;
};

}  // namespace qm
