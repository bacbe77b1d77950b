// SPDX-License-Identifier: GPL-3.0-or-later
// Unsaved changes kept by the recovery records of an earlier run: each is offered to the user,
// who recovers it (the text as it was, modified, the file not written), compares it with the
// file first, or lets it go. A record that cannot be read is said to be so and set aside.
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLockFile>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <vector>

#include "app/documentrecord.h"
#include "app/documenttabs.h"
#include "app/opendocument.h"
#include "model/error.h"
#include "model/program/recoveryrecord.h"
#include "model/program/textdifference.h"
#include "platform/fileio.h"
#include "platform/prompts.h"
#include "platform/recordfile.h"

namespace qm {

struct TDocumentTabs::TFoundRecord {
  QString File;
  TReadRecord Read;
};

namespace {

using TFoundRecord = TDocumentTabs::TFoundRecord;

// The records in folder that no running program keeps, oldest first.
std::vector<TFoundRecord> FreeRecords(const QString& folder) {
  std::vector<TFoundRecord> found;
  const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("*.qmr")}, QDir::Files,
                                                         QDir::Time | QDir::Reversed);
  for (const QFileInfo& info : files) {
    QLockFile lock(TRecordFile::LockPath(info.filePath()));
    if (!lock.tryLock(0)) {
      continue;
    }
    QByteArray bytes;
    try {
      bytes = ReadFileBytes(info.filePath());
    } catch (const TError&) {
      continue;
    }
    found.push_back({info.filePath(), ReadRecord(std::string_view(
                                          bytes.constData(), static_cast<size_t>(bytes.size())))});
  }
  return found;
}

QString DisplayText(const std::string& bytes) {
  const QString text = QString::fromUtf8(bytes);
  // Not UTF-8: shown a byte a character rather than with replacement marks.
  return text.contains(QChar::ReplacementCharacter) ? QString::fromLatin1(bytes) : text;
}

}  // namespace

void TDocumentTabs::RecoverRecords() {
  if (Platform.RecoveryFolder.isEmpty()) {
    return;
  }
  for (const TFoundRecord& found : FreeRecords(Platform.RecoveryFolder)) {
    const QString path = QString::fromStdString(found.Read.Record.Path);
    OfferRecovery(found, path.isEmpty() ? nullptr : Document(TabOfFile(path)));
  }
}

void TDocumentTabs::OfferRecordsOf(TOpenDocument* document) {
  if (Platform.RecoveryFolder.isEmpty() || document == nullptr) {
    return;
  }
  for (const TFoundRecord& found : FreeRecords(Platform.RecoveryFolder)) {
    const QString path = QString::fromStdString(found.Read.Record.Path);
    if (!path.isEmpty() && SameFile(path, document->Path())) {
      OfferRecovery(found, document);
    }
  }
}

void TDocumentTabs::OfferRecovery(const TFoundRecord& found, TOpenDocument* document) {
  const TRecoveryRecord& record = found.Read.Record;
  if (found.Read.State == TRecordState::Unreadable && record.Bytes.empty()) {
    // Kept, under another name, for whoever wants to look at it; never asked about again.
    const QString aside = found.File + QStringLiteral(".unreadable");
    QFile::remove(aside);
    QFile::rename(found.File, aside);
    QFile::remove(TRecordFile::LockPath(found.File));
    Platform.Prompts->Message(
        TMessageKind::Warning,
        QStringLiteral("A recovery record could not be read; nothing could be recovered from it. "
                       "It is kept as \"%1\".")
            .arg(QDir::toNativeSeparators(aside)),
        {TButton::Ok});
    return;
  }
  const QString path = QString::fromStdString(record.Path);
  const bool onDisk = !path.isEmpty() && QFileInfo(path).isFile();
  std::string disk;
  if (onDisk) {
    try {
      const QByteArray bytes = ReadFileBytes(path);
      disk.assign(bytes.constData(), static_cast<size_t>(bytes.size()));
    } catch (const TError&) {
      disk.clear();
    }
  }
  if (found.Read.State == TRecordState::Whole && onDisk && disk == record.Bytes) {
    // The file has the text already (the program ended between saving and removing the record).
    TRecordFile::Delete(found.File);
    return;
  }
  const QString name =
      path.isEmpty() ? QString::fromStdString(record.Caption) : QDir::toNativeSeparators(path);
  QString text = QStringLiteral(
                     "Quillmere ended before the changes to \"%1\" were saved; a recovery record "
                     "kept them.")
                     .arg(name);
  if (found.Read.State != TRecordState::Whole) {
    text += QStringLiteral(
        "\n\nThe record is damaged: only part of the text could be recovered, shown as it is.");
  }
  if (!path.isEmpty() && !onDisk) {
    text += QStringLiteral("\n\nThe file is no longer on disk.");
  } else if (record.FileTime >= 0 &&
             FileStamp(path) != TDiskStamp{record.FileTime, record.FileSize}) {
    text += QStringLiteral("\n\nThe file has been changed on disk since.");
  }
  text += QStringLiteral(
      "\n\nRecover the changes (the file is not written until you save), show the differences "
      "first, or discard them?");
  for (;;) {
    const TButton answer = Platform.Prompts->Message(
        TMessageKind::Confirmation, text,
        {TButton::Recover, TButton::ShowDifferences, TButton::Discard, TButton::Cancel},
        QStringLiteral("Recover Unsaved Changes"));
    if (answer == TButton::ShowDifferences) {
      ShowDifferences(name, disk, record.Bytes);
      continue;
    }
    if (answer == TButton::Discard) {
      TRecordFile::Delete(found.File);
    }
    if (answer != TButton::Recover) {
      // Cancel keeps the record for the next time.
      return;
    }
    break;
  }

  RestoreRecord(record, document, disk, onDisk);
  TRecordFile::Delete(found.File);
}

TOpenDocument* TDocumentTabs::RestoreRecord(const TRecoveryRecord& record, TOpenDocument* document,
                                            const std::string& disk, bool onDisk) {
  const QString path = QString::fromStdString(record.Path);
  if (document == nullptr && onDisk) {
    document = OpenBytes(path, QByteArray(disk.data(), static_cast<qsizetype>(disk.size())));
  }
  if (document != nullptr) {
    // In the file's own document as one step of Undo, which gives the file's text back.
    ActivateTab(pgmain->indexOf(document));
    ShowCurrent();
    document->ApplyRecovered(record.Bytes);
    document->AcceptDiskVersion();
  } else {
    NewDocument();
    document = CurrentDocument();
    document->LoadRecovered(path, record.Bytes);
    if (!path.isEmpty()) {
      SetCaption(pgmain->currentIndex(), QFileInfo(path).fileName(), path);
      WatchFile(path);
    }
  }
  ShowModifiedMark(pgmain->indexOf(document));
  // The document's own record holds the changes before the old one goes.
  if (TDocumentRecord* kept = document->Record()) {
    kept->Update();
    kept->Wait();
  }
  return document;
}

void TDocumentTabs::ShowDifferences(const QString& name, const std::string& before,
                                    const std::string& after) {
  QDialog dialog(this);
  dialog.setWindowTitle(QStringLiteral("Differences: ") + name);
  auto* layout = new QVBoxLayout(&dialog);
  auto* view = new QPlainTextEdit(&dialog);
  view->setObjectName(QStringLiteral("Differences"));
  view->setAccessibleName(QStringLiteral("Differences between the file and the recovered text"));
  view->setReadOnly(true);
  view->setLineWrapMode(QPlainTextEdit::NoWrap);
  view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  const std::string shown = LineDifference(before, after);
  view->setPlainText(shown.empty() ? QStringLiteral("The recovered text is the same as the file.")
                                   : DisplayText(shown));
  layout->addWidget(view);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
  connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  dialog.resize(700, 450);
  Platform.Prompts->RunDialog(dialog);
}

void TDocumentTabs::RecordFailed(const QString& message) {
  if (std::exchange(RecordFailureTold, true)) {
    return;
  }
  Platform.Prompts->Message(
      TMessageKind::Warning,
      QStringLiteral("The recovery record of unsaved changes cannot be written: %1\n\nEditing "
                     "goes on, but changes made since the last save are lost if Quillmere or the "
                     "computer stops before you save them.")
          .arg(message),
      {TButton::Ok});
}

}  // namespace qm
