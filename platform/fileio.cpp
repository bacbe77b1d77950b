// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fileio.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "model/error.h"

namespace qm {

std::string Utf8(const QString& text) {
  return text.toUtf8().toStdString();
}

bool SameFile(const QString& a, const QString& b) {
  const QString first = QFileInfo(a).canonicalFilePath();
#ifdef Q_OS_WIN
  const Qt::CaseSensitivity letterCase = Qt::CaseInsensitive;
#else
  const Qt::CaseSensitivity letterCase = Qt::CaseSensitive;
#endif
  return !first.isEmpty() && first.compare(QFileInfo(b).canonicalFilePath(), letterCase) == 0;
}

QString CanonicalFilePath(const QString& path) {
  const QFileInfo info(path);
  const QString canonical = info.canonicalFilePath();
  return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

TDiskStamp FileStamp(const QString& path) {
  const QFileInfo info(path);
  if (path.isEmpty() || !info.exists()) {
    return {};
  }
  return {info.lastModified().toMSecsSinceEpoch(), info.size()};
}

QByteArray ReadFileBytes(const QString& path) {
  QFile file(path);
  QByteArray bytes;
  if (file.open(QIODevice::ReadOnly)) {
    bytes = file.readAll();
  }
  if (!file.isOpen() || file.error() != QFileDevice::NoError) {
    throw TError(FormatMessage("Cannot open file \"%s\". %s",
                               {Utf8(QDir::toNativeSeparators(path)), Utf8(file.errorString())}));
  }
  return bytes;
}

void WriteFileBytes(const QString& path, std::string_view bytes) {
  QSaveFile file(path);
  const auto size = static_cast<qint64>(bytes.size());
  const bool written =
      file.open(QIODevice::WriteOnly) && file.write(bytes.data(), size) == size && file.commit();
  if (!written) {
    throw TError(FormatMessage("Cannot create file \"%s\". %s",
                               {Utf8(QDir::toNativeSeparators(path)), Utf8(file.errorString())}));
  }
}

}  // namespace qm
