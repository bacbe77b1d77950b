// SPDX-License-Identifier: GPL-3.0-or-later
// Saving and closing documents: a document with unsaved changes leaves only once it is written
// or the user lets its changes go.
#include <QDir>
#include <QFileInfo>
#include <QSignalBlocker>
#include <QTabWidget>

#include "app/documenttabs.h"
#include "app/opendocument.h"
#include "model/error.h"
#include "model/program/documentnames.h"
#include "platform/commandguard.h"
#include "platform/fileio.h"
#include "platform/prompts.h"

namespace qm {

void TDocumentTabs::SaveCurrent() {
  if (TOpenDocument* document = CurrentDocument()) {
    SaveDocument(document);
  }
}

void TDocumentTabs::SaveCurrentAs() {
  if (TOpenDocument* document = CurrentDocument()) {
    SaveDocumentAs(document);
  }
}

void TDocumentTabs::SaveDocument(TOpenDocument* document) {
  if (document->Path().isEmpty()) {
    SaveDocumentAs(document);
    return;
  }
  document->SaveTo(document->Path());
  // A file replaced by renaming is another file to the watcher.
  WatchFile(document->Path());
}

void TDocumentTabs::SaveDocumentAs(TOpenDocument* document) {
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
  SetCaption(pgmain->indexOf(document), QFileInfo(answer->FileName).fileName(), path);
  WatchFile(path);
}

void TDocumentTabs::SaveAll() {
  for (int i = pgmain->count() - 1; i >= 0; --i) {
    ActivateTab(i);
    ShowCurrent();
    SaveCurrent();
  }
}

void TDocumentTabs::CloseCurrent() {
  if (pgmain->currentIndex() >= 0) {
    CloseDocument(pgmain->currentIndex());
  }
}

void TDocumentTabs::CloseAll() {
  for (int i = pgmain->count() - 1; i >= 0; --i) {
    if (CloseDocument(i) == TCloseResult::NotSaved) {
      return;
    }
  }
}

bool TDocumentTabs::CloseEveryDocument() {
  for (int i = pgmain->count() - 1; i >= 0; --i) {
    if (CloseDocument(i) != TCloseResult::Closed) {
      return false;
    }
  }
  return true;
}

TDocumentTabs::TCloseResult TDocumentTabs::CloseDocument(int index) {
  TOpenDocument* document = Document(index);
  if (document == nullptr) {
    return TCloseResult::Closed;
  }
  bool saved = false;
  if (document->Editor()->Modified()) {
    // The question is about the document in view.
    if (index != pgmain->currentIndex()) {
      ActivateTab(index);
      ShowCurrent();
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
    ShowCurrent();
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
  // Saved, or its changes let go: nothing is left to recover.
  document->DiscardRecord();
  document->deleteLater();
  ShowCurrent();
  return TCloseResult::Closed;
}

}  // namespace qm
