// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/shell.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace qm {

bool TSystemShell::OpenUrl(const QString& url) {
  return QDesktopServices::openUrl(QUrl(url, QUrl::TolerantMode));
}

bool TSystemShell::StartProgram(const QString& program, const QStringList& arguments) {
  return QProcess::startDetached(program, arguments);
}

}  // namespace qm
