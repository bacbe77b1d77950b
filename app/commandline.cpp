// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

#include "platform/workfolder.h"

namespace qm {

void DescribeCommandLine(QCommandLineParser& parser) {
  QCoreApplication::setApplicationName(QStringLiteral("Quillmere"));
  QCoreApplication::setApplicationVersion(QStringLiteral(QUILLMERE_VERSION));
  parser.setApplicationDescription(QStringLiteral("An editor for CSS style sheets."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addOption(QCommandLineOption(
      QStringLiteral("check"),
      QStringLiteral("Check the files without opening a window: one line per problem, "
                     "FILE:LINE:COLUMN: error|warning: message. Exits with 1 when any error was "
                     "found, 2 when a file cannot be read or holds no text, 0 otherwise.")));
  parser.addPositionalArgument(
      QStringLiteral("files"),
      QStringLiteral(
          "Style sheets to open, each in a tab (\"--\" before a name starting with \"-\")."),
      QStringLiteral("[file.css ...]"));
}

QString VersionText(const QString& dataFolder) {
  QString text =
      QStringLiteral(QUILLMERE_VERSION "\nData folder: ") + QDir::toNativeSeparators(dataFolder);
  if (!HoldsDataFiles(dataFolder)) {
    text += QStringLiteral(" (the catalogues are missing)");
  }
  return text;
}

bool AsksForAnswerOnly(const QStringList& arguments) {
  static const QStringList Answered = {
      QStringLiteral("-h"),         QStringLiteral("--help"), QStringLiteral("-?"),
      QStringLiteral("--help-all"), QStringLiteral("-v"),     QStringLiteral("--version"),
  };
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    if (arguments[i] == QStringLiteral("--")) {
      return false;
    }
    if (Answered.contains(arguments[i])) {
      return true;
    }
  }
  return false;
}

}  // namespace qm
