// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/checkfiles.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <set>

#include "model/asciicase.h"
#include "model/catalogue/inifile.h"
#include "model/check/sheetcheck.h"
#include "model/error.h"
#include "model/text/memorydocument.h"
#include "model/text/textencoding.h"
#include "model/text/textfile.h"
#include "model/text/textkind.h"
#include "platform/fileio.h"

namespace qm {
namespace {

void Write(FILE* stream, const QByteArray& line) {
  std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stream);
  std::fputc('\n', stream);
}

QByteArray ReadAll(FILE* in) {
  QByteArray bytes;
  char buffer[65536];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0) {
    bytes.append(buffer, static_cast<qsizetype>(got));
  }
  if (std::ferror(in) != 0) {
    throw TError("Cannot read the standard input.");
  }
  return bytes;
}

// The property names of an older level's catalogue, lower case.
std::set<std::string, std::less<>> LevelProperties(const QString& catalogue) {
  const TIniFile ini = TIniFile::FromFile(catalogue.toStdString());
  std::set<std::string, std::less<>> names;
  for (int32_t section = 1;; ++section) {
    const std::string name = ini.ReadString(std::to_string(section), "name", "-1");
    if (name == "-1") {
      break;
    }
    names.insert(AsciiLowerCase(name));
  }
  return names;
}

}  // namespace

bool AsksForCheck(const QStringList& arguments) {
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    if (arguments[i] == QStringLiteral("--")) {
      return false;
    }
    if (arguments[i] == QStringLiteral("--check")) {
      return true;
    }
  }
  return false;
}

bool CheckRequestFrom(const QCommandLineParser& options, TCheckRequest& request, QString& problem) {
  request.Files = options.positionalArguments();
  if (options.isSet(QStringLiteral("format")) &&
      !ReportFormatNamed(options.value(QStringLiteral("format")).toStdString(), request.Format)) {
    problem = QStringLiteral("--format takes text, json or sarif, not \"%1\"")
                  .arg(options.value(QStringLiteral("format")));
    return false;
  }
  if (options.isSet(QStringLiteral("level"))) {
    request.Level = options.value(QStringLiteral("level")).toLower();
    if (request.Level != QStringLiteral("css1") && request.Level != QStringLiteral("css2") &&
        request.Level != QStringLiteral("css3")) {
      problem = QStringLiteral("--level takes css1, css2 or css3, not \"%1\"")
                    .arg(options.value(QStringLiteral("level")));
      return false;
    }
  }
  request.HackWarnings = !options.isSet(QStringLiteral("no-hack-warnings"));
  if (request.Files.isEmpty()) {
    problem =
        QStringLiteral("--check needs the style sheets to check (\"-\" reads standard input)");
    return false;
  }
  return true;
}

int CheckFiles(const TCheckRequest& request, const QString& dataFolder, FILE* in, FILE* out,
               FILE* err) {
  const QDir data(dataFolder);
  const QString css3 = data.filePath(QStringLiteral("css3.txt"));
  const QString syntaxes = data.filePath(QStringLiteral("css3syntax.txt"));
  if (!QFile::exists(css3) || !QFile::exists(syntaxes)) {
    Write(err, "quillmere: the value syntaxes are missing from " +
                   QDir::toNativeSeparators(dataFolder).toLocal8Bit() + ": values are not checked");
  }
  TValueChecker checker = TValueChecker::FromFiles(css3.toStdString(), syntaxes.toStdString());
  checker.SetHackWarnings(request.HackWarnings);
  if (request.Level != QStringLiteral("css3")) {
    const QString catalogue = data.filePath(request.Level + QStringLiteral(".txt"));
    checker.LimitTo(LevelProperties(catalogue), request.Level.toUpper().toStdString());
  }
  bool unreadable = false;
  bool errors = false;
  std::vector<TFileProblems> found;
  for (const QString& name : request.Files) {
    const bool standardInput = name == QStringLiteral("-");
    const QString shown = standardInput ? QStringLiteral("<stdin>") : name;
    QByteArray bytes;
    try {
      bytes = standardInput ? ReadAll(in) : ReadFileBytes(name);
    } catch (const TError& error) {
      Write(err, QByteArray("quillmere: ") + error.what());
      unreadable = true;
      continue;
    }
    const std::string_view raw(bytes.constData(), static_cast<size_t>(bytes.size()));
    // An image or a program named by mistake would only give a screen of made-up problems.
    if (!LooksLikeText(raw)) {
      Write(err, "quillmere: Cannot check file \"" + shown.toLocal8Bit() +
                     "\": it does not look like a style sheet.");
      unreadable = true;
      continue;
    }
    const TMemoryDocument document{LoadText(raw).Text};
    TModList blocks;
    RebuildBlocks(document, blocks);
    TFileProblems file{shown.toStdString(),
                       CheckSheet(document, blocks, checker, DetectEncoding(raw))};
    for (const TProblem& problem : file.Problems) {
      errors = errors || problem.Severity == TSeverity::Error;
    }
    if (request.Format == TReportFormat::Text) {
      // Each file's lines as soon as it is checked.
      const std::string lines = TextReport({file});
      std::fwrite(lines.data(), 1, lines.size(), out);
    } else {
      found.push_back(std::move(file));
    }
  }
  const std::string report =
      request.Format == TReportFormat::Json ? JsonReport(found)
      : request.Format == TReportFormat::Sarif
          ? SarifReport(found, QCoreApplication::applicationVersion().toStdString())
          : std::string();
  std::fwrite(report.data(), 1, report.size(), out);
  std::fflush(out);
  return unreadable ? 2 : (errors ? 1 : 0);
}

}  // namespace qm
