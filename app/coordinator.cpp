// SPDX-License-Identifier: GPL-3.0-or-later
// The coordinator of reading and writing: the caret-driven reading of the active document and
// the changes the window's own commands make to it.
#include <QLabel>

#include "app/cssmain.h"
#include "app/opendocument.h"
#include "app/selectorspanel.h"

namespace qm {

void TFrmMain::ReadCaretBlock(TOpenDocument* document) {
  if (document == nullptr || document != CurrentDocument() || document->UpdatingText()) {
    return;
  }
  ShowCaretStatus();
}

void TFrmMain::ShowCaretStatus() {
  const TOpenDocument* document = CurrentDocument();
  if (document == nullptr) {
    StatusPanel->clear();
    return;
  }
  const TCssEditor* editor = document->Editor();
  const TLineCol caret = editor->CaretLineCol();
  StatusPanel->setText(QStringLiteral("Line %1 of  %2, Col %3")
                           .arg(caret.Line)
                           .arg(editor->LineCount())
                           .arg(caret.Col));
}

void TFrmMain::AddSelector(TSelectorTab tab, const std::string& name) {
  TOpenDocument* document = CurrentDocument();
  TCssEditor* editor = document->Editor();
  document->Apply(
      TEditBatch(PlanNewSelector(*editor, document->Blocks(), editor->Caret(), tab, name)));
  SelectorsPanel->RefreshTree();
  editor->setFocus();
}

void TFrmMain::MoveToNextBlock() {
  if (TOpenDocument* document = CurrentDocument()) {
    document->MoveToNextBlock();
  }
}

void TFrmMain::MoveToPreviousBlock() {
  if (TOpenDocument* document = CurrentDocument()) {
    document->MoveToPreviousBlock();
  }
}

}  // namespace qm
