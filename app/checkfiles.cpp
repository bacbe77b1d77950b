// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/checkfiles.h"

#include <QDir>
#include <QFile>

#include "model/check/sheetcheck.h"
#include "model/error.h"
#include "model/text/memorydocument.h"
#include "model/text/textfile.h"
#include "model/text/textkind.h"
#include "platform/fileio.h"

namespace qm {
namespace {

void Write(FILE* stream, const QByteArray& line) {
  std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stream);
  std::fputc('\n', stream);
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

int CheckFiles(const QStringList& files, const QString& dataFolder, FILE* out, FILE* err) {
  if (files.isEmpty()) {
    Write(err, "quillmere: --check needs the style sheets to check");
    return 2;
  }
  const QDir data(dataFolder);
  const QString css3 = data.filePath(QStringLiteral("css3.txt"));
  const QString syntaxes = data.filePath(QStringLiteral("css3syntax.txt"));
  if (!QFile::exists(css3) || !QFile::exists(syntaxes)) {
    Write(err, "quillmere: the value syntaxes are missing from " +
                   QDir::toNativeSeparators(dataFolder).toLocal8Bit() + ": values are not checked");
  }
  const TValueChecker checker =
      TValueChecker::FromFiles(css3.toStdString(), syntaxes.toStdString());
  bool unreadable = false;
  bool errors = false;
  for (const QString& name : files) {
    QByteArray bytes;
    try {
      bytes = ReadFileBytes(name);
    } catch (const TError& error) {
      Write(err, QByteArray("quillmere: ") + error.what());
      unreadable = true;
      continue;
    }
    const std::string_view raw(bytes.constData(), static_cast<size_t>(bytes.size()));
    // An image or a program named by mistake would only give a screen of made-up problems.
    if (!LooksLikeText(raw)) {
      Write(err, "quillmere: Cannot check file \"" + name.toLocal8Bit() +
                     "\": it does not look like a style sheet.");
      unreadable = true;
      continue;
    }
    const TMemoryDocument document{LoadText(raw).Text};
    TModList blocks;
    RebuildBlocks(document, blocks);
    for (const TProblem& problem : CheckSheet(document, blocks, checker)) {
      errors = errors || problem.Severity == TSeverity::Error;
      Write(out, name.toLocal8Bit() + ":" + QByteArray::fromStdString(ProblemLine(problem)));
    }
  }
  std::fflush(out);
  return unreadable ? 2 : (errors ? 1 : 0);
}

}  // namespace qm
