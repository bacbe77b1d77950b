// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/shell.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

#include "model/error.h"
#include "platform/fileio.h"

namespace qm {

void OpenUrlOrFail(TShell& shell, const QString& url) {
  if (!shell.OpenUrl(url)) {
    throw TError(FormatMessage(url.startsWith(QStringLiteral("mailto:"), Qt::CaseInsensitive)
                                   ? "Cannot start the mail program for \"%s\"."
                                   : "Cannot start the default browser for \"%s\".",
                               {Utf8(url)}));
  }
}

bool TSystemShell::OpenUrl(const QString& url) {
  return QDesktopServices::openUrl(QUrl(url, QUrl::TolerantMode));
}

bool TSystemShell::StartProgram(const QString& program, const QStringList& arguments) {
  return QProcess::startDetached(program, arguments);
}

}  // namespace qm
