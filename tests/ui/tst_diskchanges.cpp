// SPDX-License-Identifier: GPL-3.0-or-later
// Open files that another program changes or deletes: told when the window gets the focus again,
// read again when the tab has no unsaved changes, and both versions kept when it has.
#include <QFile>
#include <QStatusBar>
#include <QTabWidget>

#include "app/opendocument.h"
#include "testenv.h"

using namespace qm;

class TestDiskChanges : public QObject {
  Q_OBJECT

 private slots:
  void theWindowTellsWhatChangedWhileItWasAway() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    const QString clean = env.WriteFile(QStringLiteral("clean.css"), "a{}\n");
    const QString edited = env.WriteFile(QStringLiteral("edited.css"), "b{}\n");
    const QString gone = env.WriteFile(QStringLiteral("gone.css"), "c{}\n");
    const QString same = env.WriteFile(QStringLiteral("same.css"), "d{}\n");
    for (const QString& path : {clean, edited, gone, same}) {
      w.Tabs().OpenOperation(path);
    }
    TOpenDocument& editedDocument = *w.Tabs().Document(1);
    QTest::keyClicks(editedDocument.Editor(), "x");

    // Away from the window, other programs change the files.
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
    env.WriteFile(QStringLiteral("clean.css"), "a{color:red}\n");
    env.WriteFile(QStringLiteral("edited.css"), "b{color:blue}\n");
    QFile::remove(gone);
    QVERIFY(env.Prompts.Asked.isEmpty());

    env.Prompts.AnswerMessage(TButton::Ok);
    env.Prompts.AnswerMessage(TButton::Ok);
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTRY_COMPARE(env.Prompts.Pending(), 0);
    QCOMPARE(env.Prompts.Asked.size(), 2);
    QVERIFY(env.Prompts.Asked[0].contains(QStringLiteral("unsaved changes")));
    QVERIFY(env.Prompts.Asked[1].contains(QStringLiteral("deleted")));

    // Read again, unmodified; the edits kept beside the file's new version; the rest as it was.
    QTabWidget& pages = *w.Tabs().Pages();
    QCOMPARE(pages.count(), 5);
    QCOMPARE(QByteArray::fromStdString(w.Tabs().Document(0)->FileBytes()), "a{color:red}\n");
    QVERIFY(!w.Tabs().Document(0)->Editor()->Modified());
    QCOMPARE(QByteArray::fromStdString(editedDocument.FileBytes()), "xb{}\n");
    QVERIFY(editedDocument.Editor()->Modified());
    QCOMPARE(QByteArray::fromStdString(w.Tabs().Document(4)->FileBytes()), "b{color:blue}\n");
    QCOMPARE(pages.tabText(4), QStringLiteral("*edited.css (on disk)"));
    QCOMPARE(QByteArray::fromStdString(w.Tabs().Document(2)->FileBytes()), "c{}\n");
    QVERIFY(w.Tabs().Document(2)->Editor()->Modified());
    QVERIFY(!w.Tabs().Document(3)->Editor()->Modified());
    QCOMPARE(QByteArray::fromStdString(w.Tabs().Document(3)->FileBytes()), "d{}\n");

    // Told once: the next return to the window asks nothing.
    elsewhere.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::qWait(20);
    QCOMPARE(env.Prompts.Asked.size(), 2);
    // Closing without saving leaves everything on disk as the other programs wrote it; the
    // deleted file's text is asked about like unsaved changes.
    env.Prompts.AnswerMessage(TButton::No);
    env.Prompts.AnswerMessage(TButton::No);
    env.Prompts.AnswerMessage(TButton::No);
    w.Tabs().CloseAll();
    QCOMPARE(TTestEnv::ReadFile(edited), QByteArray("b{color:blue}\n"));
    QCOMPARE(pages.count(), 0);
    QVERIFY(!QFile::exists(gone));
  }
};

QM_TEST_MAIN(TestDiskChanges)
#include "tst_diskchanges.moc"
