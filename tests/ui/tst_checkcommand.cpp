// SPDX-License-Identifier: GPL-3.0-or-later
// "quillmere --check" run as a process with no display: its lines, its exit codes, a file it
// cannot read, standard input, the JSON and SARIF reports and the options that shape them.
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "testenv.h"

namespace {

struct TRun {
  int Code = -1;
  QStringList Out;
  QByteArray Err;
};

// Runs the program with arguments in folder, with no display to open a window on, input on its
// standard input.
TRun RunProgram(const QString& folder, const QStringList& arguments, const QByteArray& input = {}) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove(QStringLiteral("DISPLAY"));
  environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
  environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
  process.setProcessEnvironment(environment);
  process.setWorkingDirectory(folder);
  process.start(QStringLiteral(QUILLMERE_PROGRAM), arguments);
  process.write(input);
  process.closeWriteChannel();
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
        "| column-reverse: did you mean `column`?",
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

  void UsageErrorsExitWithTwoAndSayWhy_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("says");
    QTest::newRow("an unknown option")
        << QStringList{"--check", "--bogus", "a.css"} << QStringLiteral("bogus");
    QTest::newRow("a format it cannot write")
        << QStringList{"--check", "--format", "xml", "a.css"} << QStringLiteral("--format");
    QTest::newRow("a level it does not know")
        << QStringList{"--check", "--level=css4", "a.css"} << QStringLiteral("--level");
    QTest::newRow("no file") << QStringList{"--check"} << QStringLiteral("style sheets");
    QTest::newRow("an unknown option without --check")
        << QStringList{"--frobnicate"} << QStringLiteral("frobnicate");
  }
  void UsageErrorsExitWithTwoAndSayWhy() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, says);
    const QTemporaryDir dir;
    Write(dir, QStringLiteral("a.css"), "a { colr: red }\n");
    const TRun run = RunProgram(dir.path(), arguments);
    QCOMPARE(run.Code, 2);
    QVERIFY(run.Out.isEmpty());
    QVERIFY2(run.Err.contains(says.toUtf8()), run.Err.constData());
  }

  void StandardInputLevelsHacksAndCharacterColumns() {
    const QTemporaryDir dir;
    // A byte order mark and two-byte letters in front of the fault count one column each.
    Write(dir, QStringLiteral("bom.css"),
          "\xEF\xBB\xBF"
          "a { content: \"\xC3\xA9\xC3\xA9\"; colr: red }\n");
    Write(dir, QStringLiteral("modern.css"), "a { aspect-ratio: 1; *zoom: 1 }\n");
    TRun run = RunProgram(dir.path(), {"--check", "-", "bom.css"}, "b {\n  widht: 1px }\n");
    QCOMPARE(run.Out,
             (QStringList{"<stdin>:2:3: error: `widht` is not a known property: did you mean "
                          "`width`?",
                          "bom.css:1:20: error: `colr` is not a known property: did you mean "
                          "`color`?"}));
    QCOMPARE(run.Code, 1);
    run = RunProgram(dir.path(), {"--check", "modern.css"});
    QCOMPARE(run.Out, (QStringList{"modern.css:1:22: warning: `*zoom`: the `*` property hack, "
                                   "which only Internet Explorer 7 and older read"}));
    QCOMPARE(run.Code, 0);
    run =
        RunProgram(dir.path(), {"--check", "--no-hack-warnings", "--level", "css2", "modern.css"});
    QCOMPARE(run.Out, (QStringList{"modern.css:1:5: error: `aspect-ratio` is not a property of "
                                   "CSS2"}));
    QCOMPARE(run.Code, 1);
  }

  void JsonAndSarifReportsParseWithTheirFields() {
    const QTemporaryDir dir;
    Write(dir, QStringLiteral("two.css"),
          "a { color: \"a\" 1px; colr: red }\nb { width: calc(1px+2px) }\n");
    Write(dir, QStringLiteral("good.css"), "a { color: red }\n");
    const TRun json =
        RunProgram(dir.path(), {"--check", "--format", "json", "two.css", "good.css"});
    QCOMPARE(json.Code, 1);
    QJsonParseError error;
    const QJsonDocument parsed = QJsonDocument::fromJson(json.Out.join('\n').toUtf8(), &error);
    QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString()));
    const QJsonArray problems = parsed.array();
    QCOMPARE(problems.size(), 3);
    const QJsonObject first = problems.at(0).toObject();
    QCOMPARE(first.value("file").toString(), QStringLiteral("two.css"));
    QCOMPARE(first.value("line").toInt(), 1);
    QCOMPARE(first.value("column").toInt(), 12);
    QCOMPARE(first.value("severity").toString(), QStringLiteral("error"));
    QVERIFY(first.value("message").toString().contains(QStringLiteral("`\"a\"`")));
    QCOMPARE(problems.at(2).toObject().value("line").toInt(), 2);

    const TRun sarif = RunProgram(dir.path(), {"--check", "--format=sarif", "two.css"});
    QCOMPARE(sarif.Code, 1);
    const QJsonObject log = QJsonDocument::fromJson(sarif.Out.join('\n').toUtf8(), &error).object();
    QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString()));
    // The properties the SARIF 2.1.0 schema requires, and those code scanning reads.
    QCOMPARE(log.value("version").toString(), QStringLiteral("2.1.0"));
    const QJsonObject run = log.value("runs").toArray().at(0).toObject();
    QCOMPARE(run.value("tool").toObject().value("driver").toObject().value("name").toString(),
             QStringLiteral("Quillmere"));
    QCOMPARE(run.value("columnKind").toString(), QStringLiteral("unicodeCodePoints"));
    const QJsonArray results = run.value("results").toArray();
    QCOMPARE(results.size(), 3);
    for (const QJsonValue& value : results) {
      const QJsonObject result = value.toObject();
      QVERIFY(!result.value("message").toObject().value("text").toString().isEmpty());
      QVERIFY(result.value("level").toString() == QStringLiteral("error") ||
              result.value("level").toString() == QStringLiteral("warning"));
      const QJsonObject location =
          result.value("locations").toArray().at(0).toObject().value("physicalLocation").toObject();
      QCOMPARE(location.value("artifactLocation").toObject().value("uri").toString(),
               QStringLiteral("two.css"));
      QVERIFY(location.value("region").toObject().value("startLine").toInt() >= 1);
      QVERIFY(location.value("region").toObject().value("startColumn").toInt() >= 1);
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
