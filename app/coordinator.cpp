// SPDX-License-Identifier: GPL-3.0-or-later
// The coordinator of reading and writing: the caret-driven reading of the active document into
// the views, and the changes the window's own commands and the views make to it.
#include <QLabel>

#include "app/cssmain.h"
#include "app/opendocument.h"
#include "app/propertiespanel.h"
#include "app/quickinfopanel.h"
#include "app/selectorspanel.h"
#include "app/visualeditorpanel.h"
#include "controls/inspectorcss.h"
#include "model/declarations.h"
#include "model/textencoding.h"

namespace qm {

void TFrmMain::MainTextStatusChange(TOpenDocument* document, TStatusChanges changes) {
  if (document != CurrentDocument() || document->UpdatingText()) {
    return;
  }
  // A move within the line, or one that extends a selection, leaves the views as they are.
  if (changes.testFlag(TStatusChange::CaretLine) && !document->Editor()->SelAvail()) {
    ReadCaretBlock();
  } else if (changes.testFlag(TStatusChange::Caret) || changes.testFlag(TStatusChange::CaretLine)) {
    ShowCaretStatus();
  }
}

void TFrmMain::ClearValues() {
  TInspectorCSS* ic = PropertiesPanel->Inspector();
  for (int32_t i = 0; i < ic->Count(); ++i) {
    ic->Items(i).SetValue({});
  }
  VisualEditorPanel->ClearValues();
}

void TFrmMain::ReadCaretBlock() {
  ClearValues();
  TInspectorCSS* ic = PropertiesPanel->Inspector();
  if (const TOpenDocument* document = CurrentDocument()) {
    const TCssEditor& editor = *document->Editor();
    // Built afresh when the text has changed since: positions of another text version would
    // read the wrong places.
    const TModList& blocks = document->Blocks();
    const int32_t block = RuleBlockAt(editor, blocks, editor.Caret());
    for (int32_t i = 0; block >= 0 && i < ic->Count(); ++i) {
      TInspectorItem& item = ic->Items(i);
      if (item.CssTag.empty()) {
        continue;
      }
      const std::string value =
          ToUtf8(ReadDeclaration(editor, blocks, block, item.CssTag), document->Encoding());
      item.SetValue(value);
      VisualEditorPanel->ShowValue(item.CssTag, value);
    }
  }
  ic->MarkValues();
  ShowCaretStatus();
}

void TFrmMain::DoQueue(const QString& name, const QString& value, int32_t block) {
  TOpenDocument* document = CurrentDocument();
  TInspectorCSS* ic = PropertiesPanel->Inspector();
  const int32_t row = name.isEmpty() ? -1 : ic->IndexOfTag(name);
  if (document == nullptr || row < 0) {
    return;
  }
  const std::string utf8 = value.toStdString();
  // Refused before anything changes when the document's encoding cannot hold the value.
  const std::string bytes = FromUtf8(utf8, document->Encoding());
  ic->Items(row).SetValue(utf8);
  TCssEditor& editor = *document->Editor();
  const TModList& blocks = document->Blocks();
  if (block < 0) {
    block = RuleBlockAt(editor, blocks, editor.Caret());
  }
  document->Apply(PlanDeclarationWrite(
      editor, blocks, block, name.toStdString(), bytes,
      {.Indent = DeclarationIndent_, .Caret = editor.Caret(), .SelectionEnd = editor.SelEnd()}));
}

void TFrmMain::GetSelectorInfo(const QString& name) {
  TInspectorCSS* ic = PropertiesPanel->Inspector();
  const int32_t row = name.isEmpty() ? -1 : ic->IndexOfTag(name);
  QuickInfoPanel->ShowProperty(row < 0 ? nullptr : &ic->Items(row));
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
