// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/documentrecord.h"

#include <QTimer>

#include "app/opendocument.h"
#include "platform/fileio.h"
#include "platform/recordfile.h"

namespace qm {

TDocumentRecord::TDocumentRecord(TOpenDocument& document, const QString& path,
                                 std::function<QString()> caption)
    : QObject(&document),
      Document(document),
      Caption(std::move(caption)),
      File(new TRecordFile(path, this)),
      Pause(new QTimer(this)) {
  Pause->setSingleShot(true);
  Pause->setInterval(DefaultPauseMs);
  connect(Pause, &QTimer::timeout, this, &TDocumentRecord::Update);
  connect(File, &TRecordFile::Written, this, &TDocumentRecord::Written);
  connect(File, &TRecordFile::Failed, this, &TDocumentRecord::Failed);
}

const QString& TDocumentRecord::Path() const {
  return File->Path();
}

void TDocumentRecord::SetPause(int milliseconds) {
  Pause->setInterval(milliseconds);
}

void TDocumentRecord::TextChanged() {
  Pause->start();
}

void TDocumentRecord::Update() {
  Pause->stop();
  if (!Document.Editor()->Modified()) {
    Discard();
    return;
  }
  TRecoveryRecord record;
  record.Path = Utf8(Document.Path());
  record.Caption = Utf8(Caption());
  record.FileTime = Document.DiskStamp().Time;
  record.FileSize = Document.DiskStamp().Size;
  // The one copy of the text made here; the file's line breaks and the rest happen off the main
  // thread.
  record.Bytes = Document.Editor()->Text();
  File->Write(std::move(record), Document.Format());
  Kept = true;
}

void TDocumentRecord::Discard() {
  Pause->stop();
  if (std::exchange(Kept, false)) {
    File->Remove();
  }
}

void TDocumentRecord::Wait() {
  File->Wait();
}

}  // namespace qm
