// SPDX-License-Identifier: GPL-3.0-or-later
// Find in Files: the style sheets of a folder searched in the background with the Find options,
// a match opened in a tab at its place, Replace in Files after a preview with one step of Undo
// per file and no file written, and Cancel.
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QDockWidget>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>

#include "app/editorkit.h"
#include "app/findinfilespanel.h"
#include "testenv.h"

using namespace qm;

class TestFindInFiles : public QObject {
  Q_OBJECT

 private slots:
  void findListsTheMatchesAndOpensOne() {
    TTestEnv env;
    QDir(env.Dir.path()).mkdir(QStringLiteral("sub"));
    const QString a = env.WriteFile(QStringLiteral("a.css"), "a { color: red }\r\n");
    const QString b = env.WriteFile(QStringLiteral("b.css"), "b { color: blue }\n");
    const QString c =
        env.WriteFile(QStringLiteral("sub/c.css"), "c { color: red; }\nd { border-color: RED }\n");
    env.WriteFile(QStringLiteral("notes.txt"), "red");
    TFrmMain& w = env.MakeWindow();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.Tabs().OpenOperation(a);
    w.Action(QStringLiteral("acFindInFiles"))->trigger();
    auto* panel = w.findChild<TFindInFilesPanel*>();
    QVERIFY(panel != nullptr);
    QVERIFY(panel->isVisible());

    const auto find = [&](const QString& text, bool matchCase) {
      panel->TxtFind->setText(text);
      panel->ChkMatchCase->setChecked(matchCase);
      QSignalSpy ended(panel, &TFindInFilesPanel::SearchEnded);
      QTest::mouseClick(panel->CmdFind, Qt::LeftButton);
      QVERIFY(ended.wait(10000) || ended.count() == 1);
      QCOMPARE(panel->Progress->value(), panel->Progress->maximum());
    };
    find(QStringLiteral("red"), false);
    QCOMPARE(panel->Rows(),
             (QStringList{"a.css (1)", "  1: a { color: red }", "sub/c.css (2)",
                          "  1: c { color: red; }", "  2: d { border-color: RED }"}));
    find(QStringLiteral("red"), true);
    QCOMPARE(panel->Rows(), (QStringList{"a.css (1)", "  1: a { color: red }", "sub/c.css (1)",
                                         "  1: c { color: red; }"}));

    find(QStringLiteral("RED"), false);
    panel->OpenRow(1, 1);
    TCssEditor* editor = w.Tabs().CurrentEditor();
    QCOMPARE(w.Tabs().CurrentDocument()->Path(), c);
    QCOMPARE(Text(editor).mid(editor->SelStart(), editor->SelEnd() - editor->SelStart()),
             QByteArray("RED"));
    QCOMPARE(editor->CaretLineCol().Line, 2);

    // Replace in Files: a preview, then each file that matched changes in a step of its own.
    panel->TxtReplace->setText(QStringLiteral("green"));
    env.Prompts.AnswerMessage(TButton::Yes);
    env.Prompts.AnswerMessage(TButton::Ok);
    QTest::mouseClick(panel->CmdReplaceAll, Qt::LeftButton);
    QVERIFY(env.Prompts.Asked.at(env.Prompts.Asked.size() - 2)
                .startsWith(QStringLiteral("message: Replace 3 match(es) of \"RED\" in 2 file(s) "
                                           "with \"green\"?\n\na.css:1: a { color: red }  ->  a { "
                                           "color: green }\n")));
    QCOMPARE(env.Prompts.Asked.last(),
             QStringLiteral("message: Made 3 replacement(s) in 2 file(s); the changed documents "
                            "are open, not yet saved."));
    QCOMPARE(w.Tabs().CurrentDocument()->Path(), c);
    QCOMPARE(Text(w), QByteArray("c { color: green; }\r\nd { border-color: green }"));
    QTest::keyClick(w.Tabs().CurrentEditor(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Text(w), QByteArray("c { color: red; }\r\nd { border-color: RED }"));
    // No file is written, and the one that did not match is not even opened.
    QCOMPARE(TTestEnv::ReadFile(a), QByteArray("a { color: red }\r\n"));
    QCOMPARE(TTestEnv::ReadFile(b), QByteArray("b { color: blue }\n"));
    for (int i = 0; i < w.Tabs().Pages()->count(); ++i) {
      QVERIFY(w.Tabs().Document(i)->Path() != b);
    }
  }

  void cancelEndsTheSearch() {
    TTestEnv env;
    QByteArray sheet;
    for (int rule = 0; rule < 300; ++rule) {
      sheet += ".r" + QByteArray::number(rule) + " { color: red; margin: 0 }\n";
    }
    for (int file = 0; file < 200; ++file) {
      env.WriteFile(QStringLiteral("s%1.css").arg(file), sheet);
    }
    TFrmMain& w = env.MakeWindow();
    w.Action(QStringLiteral("acFindInFiles"))->trigger();
    auto* panel = w.findChild<TFindInFilesPanel*>();
    panel->TxtFolder->setText(env.Dir.path());
    panel->TxtFind->setText(QStringLiteral("red"));
    QSignalSpy ended(panel, &TFindInFilesPanel::SearchEnded);
    QTest::mouseClick(panel->CmdFind, Qt::LeftButton);
    QVERIFY(panel->Searching());
    QVERIFY(panel->CmdCancel->isEnabled());
    QTest::mouseClick(panel->CmdCancel, Qt::LeftButton);
    QVERIFY(ended.wait(10000) || ended.count() == 1);
    QVERIFY(!panel->Searching());
    QVERIFY(panel->CmdFind->isEnabled());
    QVERIFY(panel->Progress->value() <= 200);
  }
};

QM_TEST_MAIN(TestFindInFiles)
#include "tst_findinfiles.moc"
