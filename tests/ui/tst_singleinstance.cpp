// SPDX-License-Identifier: GPL-3.0-or-later
// One running program per user: a later start hands its files to the running one and ends;
// --version and --check never do. The running window opens them as tabs and comes forward.
#include <QProcess>
#include <QSignalSpy>
#include <QTabWidget>

#include "app/opendocument.h"
#include "platform/singleinstance.h"
#include "testenv.h"

using namespace qm;

class TestSingleInstance : public QObject {
  Q_OBJECT

 private slots:
  void aLaterStartHandsItsFilesOver_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("handed");
    QTest::newRow("files, one named from the start's folder")
        << QStringList{"rel.css", "/elsewhere/abs.css"}
        << QStringList{"@/rel.css", "/elsewhere/abs.css"};
    QTest::newRow("no files: the window comes forward") << QStringList() << QStringList();
    QTest::newRow("version") << QStringList{"--version"} << QStringList{"none"};
    QTest::newRow("check") << QStringList{"--check", "rel.css"} << QStringList{"none"};
  }
  void aLaterStartHandsItsFilesOver() {
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, handed);
    TTestEnv env;
    env.WriteFile(QStringLiteral("rel.css"), "a{}");
    TSingleInstance running(TSingleInstance::UserName());
    QVERIFY(running.Listen());
    QSignalSpy arrived(&running, &TSingleInstance::FilesArrived);

    QProcess later;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    later.setProcessEnvironment(environment);
    later.setWorkingDirectory(env.Dir.path());
    later.start(QStringLiteral(QUILLMERE_PROGRAM), arguments);
    // The running program answers from its event loop.
    QTRY_COMPARE_WITH_TIMEOUT(later.state(), QProcess::NotRunning, 60000);
    if (handed == QStringList{"none"}) {
      QCOMPARE(arrived.size(), 0);
      return;
    }
    QCOMPARE(later.exitCode(), 0);
    QCOMPARE(arrived.size(), 1);
    handed.replaceInStrings(QStringLiteral("@"), env.Dir.path());
    QCOMPARE(arrived[0][0].toStringList(), handed);
  }

  void handedFilesOpenAsTabsInTheWindow() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QString a = env.WriteFile(QStringLiteral("a.css"), "a{}");
    const QString b = env.WriteFile(QStringLiteral("b.css"), "b{}");
    w.showMinimized();
    w.OpenFromElsewhere({a, b});
    QVERIFY(!w.isMinimized());
    QCOMPARE(w.Tabs().Pages()->count(), 2);
    QCOMPARE(w.Tabs().CurrentTabText(), QStringLiteral("b.css"));
    // A file open already only comes to the front.
    w.OpenFromElsewhere({a});
    QCOMPARE(w.Tabs().Pages()->count(), 2);
    QCOMPARE(w.Tabs().CurrentTabText(), QStringLiteral("a.css"));
  }
};

QM_TEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
