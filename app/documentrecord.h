// SPDX-License-Identifier: GPL-3.0-or-later
// The recovery record of one open document: written once typing pauses while the document has
// unsaved changes, removed when it is saved, closed without saving, or back to what was saved.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QTimer;

namespace qm {

class TOpenDocument;
class TRecordFile;

class TDocumentRecord : public QObject {
  Q_OBJECT

 public:
  // How long typing pauses before the record is written.
  static constexpr int DefaultPauseMs = 1000;

  // The record at path, for document; caption names the document in it.
  TDocumentRecord(TOpenDocument& document, const QString& path, std::function<QString()> caption);

  const QString& Path() const;
  void SetPause(int milliseconds);
  // The text changed: the record follows at the next pause.
  void TextChanged();
  // Writes or removes the record now, as the document stands (the next pause would).
  void Update();
  // The changes are saved or let go: the record goes.
  void Discard();
  // The record at Path() already holds this document's changes (recovered from it).
  void TakeOver() { Kept = true; }
  // Blocks until the disk has what was handed over.
  void Wait();

 signals:
  // The record of the text as it was at the pause reached the disk.
  void Written();
  void Failed(const QString& message);

 private:
  TOpenDocument& Document;
  std::function<QString()> Caption;
  TRecordFile* File;
  QTimer* Pause;
  // A record may be on disk: only then is there one to remove.
  bool Kept = false;
};

}  // namespace qm
