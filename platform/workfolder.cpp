// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/workfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace qm {

namespace {

// QFileInfo::isWritable reads permission bits only; a read-only mount or an ACL says otherwise.
bool CanWriteIn(const QString& folder) {
  QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".quillmere-XXXXXX")));
  return probe.open();
}

}  // namespace

QString DefaultWorkFolder() {
  const QString beside = QCoreApplication::applicationDirPath();
  if (CanWriteIn(beside)) {
    return beside;
  }
  const QString appData = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  QDir().mkpath(appData);
  return appData;
}

QString DefaultDataFolder() {
  return QCoreApplication::applicationDirPath();
}

}  // namespace qm
