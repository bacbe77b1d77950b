// SPDX-License-Identifier: GPL-3.0-or-later
// Documents: new, open, save, save as, close, and keeping the window in step with the active tab.
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QMenu>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>

#include "app/colorpick.h"
#include "app/cssmain.h"
#include "app/declarationsync.h"
#include "app/documentcheck.h"
#include "app/editmenu.h"
#include "app/editorassist.h"
#include "app/opendocument.h"
#include "app/previewpanel.h"
#include "app/problemspanel.h"
#include "app/propertiespanel.h"
#include "app/selectorspanel.h"
#include "app/visualeditorpanel.h"
#include "controls/recentfiles.h"
#include "dialogs/cssoptions.h"
#include "model/error.h"
#include "model/program/documentnames.h"
#include "platform/commandguard.h"
#include "platform/fileio.h"
#include "platform/prompts.h"
#include "platform/settings.h"

namespace qm {

namespace {

// The tab's tool tip: captions of files from different folders can be equal.
QString NativeFullPath(const QString& path) {
  return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

}  // namespace

TOpenDocument* TFrmMain::Document(int index) const {
  return qobject_cast<TOpenDocument*>(pgmain->widget(index));
}

TOpenDocument* TFrmMain::CurrentDocument() const {
  return pgmain->currentIndex() < 0 ? nullptr : Document(pgmain->currentIndex());
}

TCssEditor* TFrmMain::CurrentEditor() const {
  const TOpenDocument* document = CurrentDocument();
  return document == nullptr ? nullptr : document->Editor();
}

QString TFrmMain::CurrentPath() const {
  const TOpenDocument* document = CurrentDocument();
  return document == nullptr ? QString() : document->Path();
}

void TFrmMain::ActivateTab(int index) {
  const QSignalBlocker blocker(pgmain);
  pgmain->setCurrentIndex(index);
}

void TFrmMain::NewDocument() {
  auto* document = new TOpenDocument(pgmain);
  const QString caption = QString::fromStdString(UntitledCaption(UntitledCounter++));
  int index = 0;
  {
    const QSignalBlocker blocker(pgmain);
    index = pgmain->addTab(document, QIcon(QStringLiteral(":/icons/close.svg")), caption);
    pgmain->tabBar()->setTabData(index, caption);
    pgmain->setCurrentIndex(index);
  }
  pgmain->show();

  TCssEditor* editor = document->Editor();
  ApplyEditorSettings(editor);
  AddColorPicking(*document, *Platform.Prompts);
  document->Check().SetChecker([this]() -> const TValueChecker& { return Sync->ValueChecker(); });
  document->Check().SetEnabled(Setting::CheckAsYouType.Read(*Platform.Settings) != 0);
  connect(FrmOptions, &TFrmOptions::Applied, editor,
          [editor, document](const TEditorOptions& options) {
            editor->ApplyFont(options.FontName, options.FontSize);
            editor->ApplyTabWidth(options.TabWidth);
            editor->ApplySyntaxStyles(options.Styles);
            document->Check().SetEnabled(options.CheckAsYouType);
          });

  connect(document, &TOpenDocument::StatusChange, this, [this, document](TStatusChanges changes) {
    RunCommand(*Platform.Prompts,
               [this, document, changes] { MainTextStatusChange(document, changes); });
    if (changes.testFlag(TStatusChange::Modified)) {
      ShowModifiedMark(pgmain->indexOf(document));
    }
  });
  // The program's own changes are not re-read into the views (they wrote them); only the
  // caret's place is shown again.
  connect(document, &TOpenDocument::Edited, this, [this, document] {
    ShowModifiedMark(pgmain->indexOf(document));
    if (document == CurrentDocument()) {
      ShowCaretStatus();
    }
  });
  connect(editor, &TCssEditor::TextRefused, this, [this](const QString& message) {
    Platform.Prompts->Message(TMessageKind::Warning, message, {TButton::Ok});
  });
  EditMenu->Attach(*document);
  // After the window's key routing, so that an open completion list takes Tab first.
  Assist->Attach(*document);

  ShowActiveDocument();
}

void TFrmMain::OpenOperation(const QString& given) {
  if (given.isEmpty()) {
    return;
  }
  // A name relative to the folder the program started in would mean another file, or none,
  // after a start from elsewhere.
  const QString path = CanonicalFilePath(given);
  OpenFilter =
      QStringLiteral("All Files (*.*)|*.*|Text Files (*.txt)|*.txt|CSS Files (*.css)|*.css");
  // A file is edited in one tab only, or one tab's save would drop the other's edits.
  if (const int open = TabOfFile(path); open >= 0) {
    ActivateTab(open);
    ShowActiveDocument();
    return;
  }

  // Read once: the bytes decide the question and become the text. A file that cannot be read
  // still gets its tab, as it always has, and the reading's own message says why.
  QByteArray bytes;
  try {
    bytes = ReadFileBytes(path);
  } catch (const TError&) {
    NewDocument();
    throw;
  }
  if (!ConfirmOpenAsText(bytes)) {
    return;
  }
  const QString name = QFileInfo(path).fileName();
  NewDocument();
  CurrentDocument()->Load(path, bytes);
  ShowCaretStatus();
  SetCaption(pgmain->currentIndex(), name);
  pgmain->setTabToolTip(pgmain->currentIndex(), NativeFullPath(path));
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

int TFrmMain::TabOfFile(const QString& path, const TOpenDocument* except) const {
  for (int i = 0; i < pgmain->count(); ++i) {
    const TOpenDocument* document = Document(i);
    if (document != except && !document->Path().isEmpty() && SameFile(document->Path(), path)) {
      return i;
    }
  }
  return -1;
}

void TFrmMain::ApplyEditorSettings(TCssEditor* editor) {
  // Read afresh each time, so what the Options dialog applied counts from now on.
  const TSettingsStore& settings = *Platform.Settings;
  editor->ApplyFont(Setting::FontName.Read(settings), Setting::FontSize.Read(settings));
  editor->ApplyTabWidth(Setting::TabWidth.Read(settings));
  editor->ApplySyntaxStyles(SynCss);
}

void TFrmMain::ShowActiveDocument() {
  TOpenDocument* document = CurrentDocument();
  SelectorsPanel->SetDocument(document);
  PreviewPanel->SetDocument(document);
  ProblemsPanel->SetDocument(document);
  if (document == nullptr) {
    pgmain->hide();
  } else {
    if (pgmain->isHidden()) {
      pgmain->show();
    }
    document->Editor()->setFocus();
  }
  SelectorsPanel->RefreshTree();
  ShowTitle();
  // The views show the rule at the caret of the document now active, not one of the last.
  Sync->SetDocument(document);
  ShowCaretStatus();
}

void TFrmMain::acNewExecute() {
  NewDocument();
}

void TFrmMain::acOpenExecute() {
  const QString path = Platform.Prompts->OpenFileName(OpenFilter);
  if (!path.isEmpty()) {
    OpenOperation(path);
  }
}

void TFrmMain::acSaveExecute() {
  if (TOpenDocument* document = CurrentDocument()) {
    SaveDocument(document);
  }
}

void TFrmMain::acSaveAsExecute() {
  if (TOpenDocument* document = CurrentDocument()) {
    SaveDocumentAs(document);
  }
}

void TFrmMain::SaveDocument(TOpenDocument* document) {
  if (document->Path().isEmpty()) {
    SaveDocumentAs(document);
    return;
  }
  document->SaveTo(document->Path());
}

void TFrmMain::SaveDocumentAs(TOpenDocument* document) {
  // The document's own file, in its folder; an untitled one by its caption.
  const QString preset =
      document->Path().isEmpty()
          ? Caption(pgmain->indexOf(document))
          : QDir::toNativeSeparators(QFileInfo(document->Path()).absoluteFilePath());
  QString path;
  std::optional<TSaveAnswer> answer;
  // No to the question about an existing file goes back to the dialog for another name.
  for (;;) {
    answer = Platform.Prompts->SaveFileName(
        QStringLiteral("Cascading Style Sheet (*.css)|*.css|Text File (*.txt)|*.txt"), preset);
    if (!answer) {
      return;
    }
    path = QString::fromStdString(SaveAsFileName(Utf8(answer->FileName), answer->FilterIndex));
    // Refused rather than asked: replacing it would have to close the other tab, whose edits
    // may not be saved; the user decides there what becomes of them.
    if (TabOfFile(path, document) >= 0) {
      throw TError(FormatMessage(
          "\"%s\" is open in another tab. Close it there first, or choose another name.",
          {Utf8(QDir::toNativeSeparators(path))}));
    }
    // The dialog only knew the name as typed; the question is for the file that is written.
    if (!QFileInfo::exists(path)) {
      break;
    }
    const TButton replace = Platform.Prompts->Message(
        TMessageKind::Confirmation,
        QStringLiteral("\"%1\" already exists. Do you want to replace it?")
            .arg(QDir::toNativeSeparators(path)),
        {TButton::Yes, TButton::No});
    // Closing the box ends Save As.
    if (replace == TButton::Yes) {
      break;
    }
    if (replace != TButton::No) {
      return;
    }
  }
  document->SaveTo(path);
  const QString caption = QFileInfo(answer->FileName).fileName();
  SetCaption(pgmain->indexOf(document), caption);
  pgmain->setTabToolTip(pgmain->indexOf(document), NativeFullPath(path));
}

void TFrmMain::mSaveAllClick() {
  for (int i = pgmain->count() - 1; i >= 0; --i) {
    ActivateTab(i);
    ShowActiveDocument();
    acSaveExecute();
  }
}

void TFrmMain::mCloseClick() {
  if (pgmain->currentIndex() >= 0) {
    CloseDocument(pgmain->currentIndex());
  }
}

void TFrmMain::mCloseAllClick() {
  // Cancel keeps that tab and goes on; changes that could not be saved stop the command there.
  for (int i = pgmain->count() - 1; i >= 0; --i) {
    if (CloseDocument(i) == TCloseResult::NotSaved) {
      return;
    }
  }
}

TFrmMain::TCloseResult TFrmMain::CloseDocument(int index) {
  TOpenDocument* document = Document(index);
  if (document == nullptr) {
    return TCloseResult::Closed;
  }
  bool saved = false;
  if (document->Editor()->Modified()) {
    // The question is about the document in view.
    if (index != pgmain->currentIndex()) {
      ActivateTab(index);
      ShowActiveDocument();
    }
    const TButton answer =
        Platform.Prompts->Message(TMessageKind::Confirmation,
                                  QStringLiteral("Save the changes to this document: ") +
                                      Caption(index) + QStringLiteral(" ?"),
                                  {TButton::Yes, TButton::No, TButton::Cancel});
    if (answer == TButton::Cancel) {
      return TCloseResult::Cancelled;
    }
    if (answer == TButton::Yes) {
      // The failure is told here, once; whoever asked for the close only learns that it stopped.
      const bool written =
          RunCommand(*Platform.Prompts, [this, document] { SaveDocument(document); });
      if (!written || document->Editor()->Modified()) {
        return TCloseResult::NotSaved;
      }
      saved = true;
    }
  }
  if (!saved && pgmain->count() > 1) {
    const int active = pgmain->currentIndex();
    ActivateTab(active > 0 ? active - 1 : pgmain->count() - 1);
    ShowActiveDocument();
  }

  const int closing = pgmain->indexOf(document);
  const bool wasActive = closing == pgmain->currentIndex();
  {
    const QSignalBlocker blocker(pgmain);
    QWidget* keep = wasActive ? nullptr : pgmain->currentWidget();
    pgmain->removeTab(closing);
    if (pgmain->count() > 0) {
      // The tab that followed the closed one; after the last, the first.
      pgmain->setCurrentIndex(keep != nullptr             ? pgmain->indexOf(keep)
                              : closing < pgmain->count() ? closing
                                                          : 0);
    }
  }
  document->deleteLater();
  ShowActiveDocument();
  return TCloseResult::Closed;
}

void TFrmMain::CloseTabAt(const QPoint& pos) {
  QTabBar* bar = pgmain->tabBar();
  const int index = bar->tabAt(pos);
  // The close glyph is the image at the tab's left edge.
  if (index >= 0 && pos.x() - bar->tabRect(index).left() < 20) {
    CloseDocument(index);
  }
}

}  // namespace qm
