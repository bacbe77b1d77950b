// SPDX-License-Identifier: GPL-3.0-or-later
// "quillmere --check" run as a process with no display: its lines, its exit codes and a file it
// cannot read.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "testenv.h"

namespace {

struct TRun {
  int Code = -1;
  QStringList Out;
  QByteArray Err;
};

// Runs the program with arguments in folder, with no display to open a window on.
TRun RunProgram(const QString& folder, const QStringList& arguments) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove(QStringLiteral("DISPLAY"));
  environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
  environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
  process.setProcessEnvironment(environment);
  process.setWorkingDirectory(folder);
  process.start(QStringLiteral(QUILLMERE_PROGRAM), arguments);
  TRun run;
  if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
    return run;
  }
  run.Code = process.exitCode();
  const QString out = QString::fromUtf8(process.readAllStandardOutput());
  run.Out = out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  run.Err = process.readAllStandardError();
  return run;
}

void Write(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
  QFile file(dir.filePath(name));
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

}  // namespace

class TestCheckCommand : public QObject {
  Q_OBJECT

 private slots:
  void ExitCodesTellWhatWasFound_data() {
    const QStringList badLines{
        "bad.css:2:19: error: `flex-direction`: `colum` is not one of row | row-reverse | column "
        "| column-reverse",
        "bad.css:4:1: error: `@medai` is not a known at-rule",
        "bad.css:5:3: error: unclosed block: `{` has no `}` before the end of the file"};
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<int>("code");
    QTest::addColumn<QStringList>("out");
    QTest::addColumn<QString>("unreadable");
    QTest::newRow("a clean sheet") << QStringList{"good.css"} << 0 << QStringList{} << QString();
    QTest::newRow("a warning alone")
        << QStringList{"warn.css"} << 0
        << QStringList{
               "warn.css:1:18: warning: `text-align`: `-webkit-match-parent` is valid "
               "only with its vendor-prefixed keyword"}
        << QString();
    QTest::newRow("errors, CR LF and CR lines")
        << QStringList{"good.css", "bad.css"} << 1 << badLines << QString();
    QTest::newRow("a missing file, the others still checked")
        << QStringList{"missing.css", "bad.css"} << 2 << badLines << QStringLiteral("missing.css");
    QTest::newRow("a folder") << QStringList{"folder", "good.css"} << 2 << QStringList{}
                              << QStringLiteral("folder");
    QTest::newRow("a file that is no text")
        << QStringList{"image.css", "bad.css"} << 2 << badLines
        << QStringLiteral("\"image.css\": it does not look like a style sheet");
  }
  void ExitCodesTellWhatWasFound() {
    QFETCH(QStringList, files);
    QFETCH(int, code);
    QFETCH(QStringList, out);
    QFETCH(QString, unreadable);
    const QTemporaryDir dir;
    Write(dir, QStringLiteral("good.css"), "a { color: red; --x: 1 }\n");
    Write(dir, QStringLiteral("warn.css"), "li { text-align: -webkit-match-parent }\n");
    Write(dir, QStringLiteral("bad.css"),
          "a {\r\n  flex-direction: colum;\r\n}\r@medai print {}\rb {\n");
    Write(dir, QStringLiteral("image.css"), QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    const TRun run = RunProgram(dir.path(), QStringList{QStringLiteral("--check")} + files);
    QCOMPARE(run.Out, out);
    QCOMPARE(run.Code, code);
    if (unreadable.isEmpty()) {
      QCOMPARE(run.Err, QByteArray());
    } else {
      QVERIFY2(run.Err.contains(unreadable.toUtf8()), run.Err.constData());
    }
  }

  void AnUnreadableFileIsNamedOnTheErrorStream() {
    const QTemporaryDir dir;
    Write(dir, QStringLiteral("locked.css"), "a { colr: red }\n");
    QVERIFY(QFile::setPermissions(dir.filePath(QStringLiteral("locked.css")), {}));
    QFile probe(dir.filePath(QStringLiteral("locked.css")));
    if (probe.open(QIODevice::ReadOnly)) {
      QSKIP("this user reads files without read permission");
    }
    const TRun run = RunProgram(dir.path(), {QStringLiteral("--check"),
                                             QStringLiteral("locked.css"), QStringLiteral("sub")});
    QCOMPARE(run.Code, 2);
    QVERIFY(run.Out.isEmpty());
    QVERIFY2(run.Err.contains("locked.css"), run.Err.constData());
  }
};

QM_TEST_MAIN(TestCheckCommand)
#include "tst_checkcommand.moc"
