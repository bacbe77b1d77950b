// SPDX-License-Identifier: GPL-3.0-or-later
// The coordinator of reading and writing: the views' reading of the document in front, the
// status bar's caret place, and the selectors the window's own command adds.
#include <QLabel>

#include "app/cssmain.h"
#include "app/declarationsync.h"
#include "app/documenttabs.h"
#include "app/opendocument.h"
#include "app/problemspanel.h"
#include "app/propertiespanel.h"
#include "app/quickinfopanel.h"
#include "app/selectorspanel.h"
#include "app/visualeditorpanel.h"

namespace qm {

void TFrmMain::ReadCaretBlock() {
  Sync->Read();
  ShowCaretStatus();
}

void TFrmMain::GetSelectorInfo(const QString& name) {
  DescribedProperty = name;
  const TInspectorCollection& catalogue = Sync->Catalogue();
  const int32_t row = name.isEmpty() ? -1 : catalogue.IndexOfTag(name.toStdString());
  const std::string value = row < 0 ? std::string() : Sync->Value(name.toStdString());
  QuickInfoPanel->ShowProperty(row < 0 ? nullptr : &catalogue.Items(row),
                               value.empty() ? QString() : Sync->RuleName(),
                               QString::fromStdString(value));
}

void TFrmMain::ShowCaretStatus() {
  const TOpenDocument* document = Tabs_->CurrentDocument();
  // The problem the caret is in matters more than where the caret is.
  const QString problem =
      document != nullptr ? TProblemsPanel::ProblemAtCaret(*document) : QString();
  RuleHint->setText(!problem.isEmpty()                        ? problem
                    : document != nullptr && !Sync->HasRule() ? Sync->ReadOnlyMessage()
                                                              : QString());
  if (document == nullptr) {
    StatusPanel->clear();
    return;
  }
  if (!Refusal.isEmpty()) {
    StatusPanel->setText(Refusal);
    return;
  }
  const TCssEditor* editor = document->Editor();
  // Columns count characters, as the Problems panel and --check count them.
  const TLineCol caret = CharacterLineCol(*editor, editor->Caret(), editor->Encoding());
  StatusPanel->setText(QStringLiteral("Line %1 of  %2, Col %3")
                           .arg(caret.Line)
                           .arg(editor->LineCount())
                           .arg(caret.Col));
}

void TFrmMain::AddSelector(TSelectorTab tab, const std::string& name) {
  TOpenDocument* document = Tabs_->CurrentDocument();
  TCssEditor* editor = document->Editor();
  document->Apply(
      TEditBatch(PlanNewSelector(*editor, document->Blocks(), editor->Caret(), tab, name)));
  SelectorsPanel->RefreshTree();
  editor->setFocus();
}

}  // namespace qm
