// SPDX-License-Identifier: GPL-3.0-or-later
// The window's side of the documents: what each new document gets from it, and the panels, the
// title, the status bar and the recent files following the document tabs.
#include <QDir>
#include <QDockWidget>

#include "app/colorpick.h"
#include "app/cssmain.h"
#include "app/declarationsync.h"
#include "app/documentcheck.h"
#include "app/documenttabs.h"
#include "app/editmenu.h"
#include "app/editorassist.h"
#include "app/editorkit.h"
#include "app/opendocument.h"
#include "app/previewpanel.h"
#include "app/problemspanel.h"
#include "app/selectorspanel.h"
#include "controls/recentfiles.h"
#include "dialogs/cssoptions.h"
#include "platform/prompts.h"
#include "platform/settings.h"

namespace qm {

void TFrmMain::AttachDocument(TOpenDocument* document) {
  TCssEditor* editor = document->Editor();
  ApplyEditorSettings(editor);
  AddColorPicking(*document, *Platform.Prompts);
  document->Check().SetChecker([this]() -> const TValueChecker& { return Sync->ValueChecker(); });
  Sync->SetHackWarnings(Setting::HackWarnings.Read(*Platform.Settings) != 0);
  document->Check().SetEnabled(Setting::CheckAsYouType.Read(*Platform.Settings) != 0);
  connect(FrmOptions, &TFrmOptions::Applied, editor,
          [this, editor, document](const TEditorOptions& options) {
            editor->ApplyFont(options.FontName, options.FontSize);
            editor->ApplyTabWidth(options.TabWidth);
            editor->ApplySyntaxStyles(options.Styles);
            Sync->SetHackWarnings(options.HackWarnings);
            document->Check().SetEnabled(options.CheckAsYouType);
            document->Check().Restart();
          });
  // The declaration sync follows the caret into other rules itself; the status bar tells where
  // the caret is.
  connect(document, &TOpenDocument::StatusChange, this, [this, document](TStatusChanges changes) {
    if (document == Tabs_->CurrentDocument() &&
        (changes & (TStatusChange::Caret | TStatusChange::CaretLine))) {
      Refusal.clear();
      ShowCaretStatus();
    }
  });
  // The program's own changes are not re-read into the views (they wrote them); only the
  // caret's place is shown again.
  connect(document, &TOpenDocument::Edited, this, [this, document] {
    if (document == Tabs_->CurrentDocument()) {
      ShowCaretStatus();
    }
  });
  connect(editor, &TCssEditor::TextRefused, this, [this](const QString& message) {
    Platform.Prompts->Message(TMessageKind::Warning, message, {TButton::Ok});
  });
  EditMenu->Attach(*document);
  EditorKit->Attach(*document);
  // After the window's key routing, so that an open completion list takes Tab first.
  Assist->Attach(*document);
}

void TFrmMain::ApplyEditorSettings(TCssEditor* editor) {
  // Read afresh each time, so what the Options dialog applied counts from now on.
  const TSettingsStore& settings = *Platform.Settings;
  editor->ApplyFont(Setting::FontName.Read(settings), Setting::FontSize.Read(settings));
  editor->ApplyTabWidth(Setting::TabWidth.Read(settings));
  editor->ApplySyntaxStyles(SynCss);
}

void TFrmMain::ShowActiveDocument() {
  TOpenDocument* document = Tabs_->CurrentDocument();
  SelectorsPanel->SetDocument(document);
  PreviewPanel->SetDocument(document);
  ProblemsPanel->SetDocument(document);
  SelectorsPanel->RefreshTree();
  ShowTitle();
  // The views show the rule at the caret of the document now in front, not one of the last.
  Sync->SetDocument(document);
  ShowCaretStatus();
}

void TFrmMain::ShowOpenedDocument(const QString& path) {
  ShowCaretStatus();
  // Before the tree is filled: formatting changes every position in it.
  EditMenu->OfferToFormat();
  SelectorsPanel->RefreshTree();
  // The page built from the sheet at once, in a Preview panel that is on the screen.
  if (dxPreview->isVisible()) {
    PreviewPanel->ShowFirstPage();
  }
  rmain->AddRecentFile(QDir::toNativeSeparators(path));
  rmain->RebuildRecentMenu();
}

void TFrmMain::ShowTitle() {
  const QString program = QStringLiteral("Quillmere");
  setWindowTitle(Tabs_->CurrentDocument() == nullptr
                     ? program
                     : Tabs_->CurrentTabText() + QStringLiteral(" - ") + program);
}

}  // namespace qm
