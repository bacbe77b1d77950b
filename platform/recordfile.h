// SPDX-License-Identifier: GPL-3.0-or-later
// One recovery record on disk, written and removed off the main thread so that typing never waits
// for the disk; readable by its user only, and locked while a running program keeps it.
#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <optional>

#include "model/program/recoveryrecord.h"
#include "model/text/textfile.h"

class QLockFile;

namespace qm {

class TRecordFile : public QObject {
  Q_OBJECT

 public:
  // The record at path (its folder is made on the first write). Work handed over goes on after
  // the object is gone.
  explicit TRecordFile(const QString& path, QObject* parent = nullptr);
  ~TRecordFile() override;

  const QString& Path() const { return Path_; }
  // Replaces the record by this one, flushed to the disk. Only the newest of the requests not yet
  // started is carried out, a removal included. With format, record.Bytes is the editor's text,
  // turned into the file's bytes off the main thread too.
  void Write(TRecoveryRecord record, std::optional<TTextFormat> format = std::nullopt);
  void Remove();
  // Blocks until everything handed over so far is done.
  void Wait();

  // Writes the record file at once, in the calling thread; the failure's message, empty on
  // success. The folder gets permissions for its owner only, and so does the file.
  static QString WriteNow(const QString& path, const TRecoveryRecord& record);
  // Deletes a record no program keeps any more, with its lock.
  static void Delete(const QString& path);
  // The lock a running program holds on its record, beside it.
  static QString LockPath(const QString& path);

 signals:
  // A write reached the disk.
  void Written();
  // A write failed; message says why.
  void Failed(const QString& message);

 private:
  struct TShared;
  void Start();

  QString Path_;
  std::shared_ptr<TShared> Shared;
  std::unique_ptr<QLockFile> Lock;
};

}  // namespace qm
