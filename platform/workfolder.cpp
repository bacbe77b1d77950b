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

bool SameFolder(const QString& a, const QString& b) {
  return QDir::cleanPath(QDir(a).absolutePath()) == QDir::cleanPath(QDir(b).absolutePath());
}

}  // namespace

bool HoldsDataFiles(const QString& folder) {
  return QFileInfo(QDir(folder).filePath(QStringLiteral("css1.txt"))).isFile();
}

QString FindDataFolder(const QString& programFolder) {
  if (HoldsDataFiles(programFolder)) {
    return programFolder;
  }
  const QString installed =
      QDir::cleanPath(QDir(programFolder).filePath(QStringLiteral("../share/quillmere")));
  if (HoldsDataFiles(installed)) {
    return installed;
  }
  return programFolder;
}

QString ChooseWorkFolder(const QString& programFolder, const QString& dataFolder,
                         const QString& userFolder) {
  if (SameFolder(programFolder, dataFolder) && CanWriteIn(programFolder)) {
    return programFolder;
  }
  return userFolder;
}

QString DefaultDataFolder() {
  return FindDataFolder(QCoreApplication::applicationDirPath());
}

QString DefaultWorkFolder() {
  const QString program = QCoreApplication::applicationDirPath();
  const QString appData = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  const QString chosen = ChooseWorkFolder(program, FindDataFolder(program), appData);
  if (chosen == appData) {
    QDir().mkpath(appData);
  }
  return chosen;
}

QString DefaultRecoveryFolder() {
  return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
      .filePath(QStringLiteral("recovery"));
}

}  // namespace qm
