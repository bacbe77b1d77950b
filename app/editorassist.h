// SPDX-License-Identifier: GPL-3.0-or-later
// Completion lists and tips in the editors of one window, from the chosen catalogue and the
// value syntaxes of current CSS, shown with the editor's own list and call tips.
#pragma once

#include <QObject>
#include <cstdint>
#include <string>

#include "model/assist/completion.h"

namespace qm {

class TDeclarationSync;
class TInspectorCollection;
class TOpenDocument;
class TValueChecker;

class TEditorAssist : public QObject {
 public:
  // The catalogue is the one sync holds, whichever level is chosen; the value syntaxes are the
  // ones it reads when first asked, shared with the check as you type.
  explicit TEditorAssist(const TDeclarationSync& sync, QObject* parent = nullptr);
  ~TEditorAssist() override;

  // Gives the document's editor completion (typing, Ctrl+Space) and tips (the pointer resting,
  // Ctrl+Shift+Space at the caret). What a choice inserts goes through the document's edit
  // scope, one step of Undo.
  void Attach(TOpenDocument& document);

  // The tip for position in document: the problem the check marks there, else what the word there
  // is; empty where there is nothing to tell.
  std::string TipAt(const TOpenDocument& document, int32_t position) const;

  TCompletionSources Sources() const;
  const TValueChecker* Checker() const;
  const TInspectorCollection& Catalogue() const;

 private:
  const TDeclarationSync& Sync;
};

}  // namespace qm
