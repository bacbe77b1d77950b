// SPDX-License-Identifier: GPL-3.0-or-later
// Find and Replace: the two dialogs beside the window, and each press of their buttons on the
// active document.
#include "app/editmenu.h"
#include "app/opendocument.h"
#include "dialogs/finddialog.h"
#include "platform/prompts.h"

namespace qm {

namespace {

TFindOptions Options(const TFindDialog& dialog) {
  TFindOptions options;
  options.setFlag(TFindOption::MatchCase, dialog.MatchCase());
  options.setFlag(TFindOption::WholeWord, dialog.WholeWord());
  options.setFlag(TFindOption::Backwards, !dialog.Down());
  return options;
}

}  // namespace

void TEditMenu::acFindExecute() {
  if (Document() != nullptr) {
    DialogFind->Execute();
  }
}

void TEditMenu::mReplaceClick() {
  if (Document() != nullptr) {
    DialogReplace->SetFindText(DialogFind->FindText());
    DialogReplace->Execute();
  }
}

void TEditMenu::DialogFindFind() {
  FindNext(*DialogFind, QStringLiteral("Search completed with no results!"));
}

void TEditMenu::DialogReplaceFind() {
  FindNext(*DialogReplace, QStringLiteral("Search completed with no results!"));
}

void TEditMenu::FindNext(const TFindDialog& dialog, const QString& noResults) {
  TOpenDocument* document = Document();
  if (document == nullptr) {
    return;
  }
  int found = 0;
  {
    TOpenDocument::TEditScope quiet(*document);
    found = SynSearch.Find(*document->Editor(), dialog.FindText(), Options(dialog));
  }
  emit SelectionFound();
  if (found == 0) {
    Prompts.Message(TMessageKind::Information, noResults, {TButton::Yes});
  }
}

void TEditMenu::DialogReplaceReplace(bool all) {
  TOpenDocument* document = Document();
  if (document == nullptr) {
    return;
  }
  TCssEditor& editor = *document->Editor();
  const TFindOptions options = Options(*DialogReplace);
  if (all) {
    const TReplacements replacements =
        SynSearch.PlanReplaceAll(editor, DialogReplace->FindText(), DialogReplace->ReplaceText(),
                                 options | TFindOption::EntireScope);
    document->Apply(replacements.Batch);
    DialogReplace->close();
    Prompts.Message(
        TMessageKind::Information,
        QStringLiteral("Search completed and made %1 replacement(s).").arg(replacements.Count),
        {TButton::Yes});
    return;
  }
  int found = 0;
  {
    TOpenDocument::TEditScope scope(*document);
    // Normally the match the previous press found, but whatever the user selected since.
    if (editor.SelAvail()) {
      scope.Apply(SynSearch.PlanReplaceSelection(editor, DialogReplace->ReplaceText()));
    }
    found = SynSearch.Find(editor, DialogReplace->FindText(), options);
  }
  emit SelectionFound();
  if (found == 0) {
    Prompts.Message(TMessageKind::Information, QStringLiteral("Search completed with no results."),
                    {TButton::Yes});
  }
}

}  // namespace qm
