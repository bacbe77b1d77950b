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
      QStringLiteral("Check the files without opening a window (\"-\" reads standard input): one "
                     "line per problem, FILE:LINE:COLUMN: error|warning: message, the column "
                     "counted in characters. Exits with 1 when any error was found, 2 when a "
                     "file cannot be read or holds no text or the command line is wrong, 0 "
                     "otherwise.")));
  parser.addOption(QCommandLineOption(
      QStringLiteral("format"),
      QStringLiteral("With --check: text (the default), json (an array of problems) or sarif "
                     "(a SARIF 2.1.0 log, as code-scanning services read)."),
      QStringLiteral("format")));
  parser.addOption(QCommandLineOption(
      QStringLiteral("level"),
      QStringLiteral("With --check: css3 (the default, current CSS), css2 or css1: a property "
                     "the level does not define is an error."),
      QStringLiteral("level")));
  parser.addOption(QCommandLineOption(
      QStringLiteral("no-hack-warnings"),
      QStringLiteral("With --check: pass the hacks only old Internet Explorer reads (*zoom, "
                     "_display, \\9, filter: progid:...) without a warning.")));
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
