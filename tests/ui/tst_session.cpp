// SPDX-License-Identifier: GPL-3.0-or-later
// The last session: the next start reopens the tabs in their order with their carets, the tab in
// front and the unsaved changes, untitled documents included; files gone since are left out with
// one message. With the option off, ending asks about unsaved changes as always.
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QTabWidget>

#include "app/opendocument.h"
#include "platform/settings.h"
#include "testenv.h"

using namespace qm;

namespace {

void Type(TOpenDocument& document, const QString& text) {
  QTest::keyClicks(document.Editor(), text);
}

QStringList Tabs(const TFrmMain& w) {
  QStringList tabs;
  for (int i = 0; i < w.Tabs().Pages()->count(); ++i) {
    TOpenDocument& document = *w.Tabs().Document(i);
    tabs << QStringLiteral("%1 %2 @%3")
                .arg(w.Tabs().Pages()->tabText(i),
                     QString::fromLatin1(QByteArray::fromStdString(document.FileBytes())))
                .arg(document.Editor()->Caret());
  }
  return tabs;
}

}  // namespace

class TestSession : public QObject {
  Q_OBJECT

 private slots:
  void theNextStartReopensTheLastSession_data() {
    QTest::addColumn<bool>("filesGone");
    QTest::newRow("every file there") << false;
    QTest::newRow("two files gone") << true;
  }
  void theNextStartReopensTheLastSession() {
    QFETCH(bool, filesGone);
    TTestEnv env;
    env.Platform.RecoveryFolder = env.Dir.filePath(QStringLiteral("recovery"));
    const QString a = env.WriteFile(QStringLiteral("a.css"), "a{}\nb{}\n");
    const QString b = env.WriteFile(QStringLiteral("b.css"), "c{}");
    const QString c = env.WriteFile(QStringLiteral("c.css"), "d{}");
    {
      TFrmMain& w = env.MakeWindow();
      w.show();
      w.Tabs().OpenOperation(a);
      w.Tabs().CurrentEditor()->SetCaret(5);
      w.Tabs().OpenOperation(b);
      Type(*w.Tabs().CurrentDocument(), QStringLiteral("x"));
      w.Tabs().NewDocument();
      Type(*w.Tabs().CurrentDocument(), QStringLiteral("u{}"));
      w.Tabs().NewDocument();  // empty: nothing to bring back
      w.Tabs().OpenOperation(c);
      w.Tabs().Pages()->setCurrentIndex(1);
      // Nothing is asked: the unsaved changes stay in their records.
      QVERIFY(w.close());
      QCOMPARE(env.Prompts.Asked, QStringList());
      env.DestroyWindow();
    }
    QCOMPARE(TTestEnv::ReadFile(b), QByteArray("c{}"));
    if (filesGone) {
      QFile::remove(a);
      QFile::remove(c);
      env.Prompts.AnswerMessage(TButton::Ok);
    }
    TFrmMain& w = env.MakeWindow();
    w.show();
    QTRY_VERIFY(w.Tabs().Pages()->count() > 0);
    QTRY_COMPARE(env.Prompts.Pending(), 0);
    // The untitled document is named by this run's count of new documents.
    const QStringList expected = filesGone ? QStringList{"*b.css xc{} @1", "*Untitled2 u{} @3"}
                                           : QStringList{"a.css a{}\nb{}\n @5", "*b.css xc{} @1",
                                                         "*Untitled3 u{} @3", "c.css d{} @0"};
    QCOMPARE(Tabs(w), expected);
    QCOMPARE(w.Tabs().CurrentTabText(), QStringLiteral("*b.css"));
    if (filesGone) {
      QCOMPARE(env.Prompts.Asked.size(), 1);
      QVERIFY(env.Prompts.Asked[0].contains(QDir::toNativeSeparators(a)));
      QVERIFY(env.Prompts.Asked[0].contains(QDir::toNativeSeparators(c)));
    }
    // The restored changes are unsaved changes like any: ending asks nothing again, and the
    // session after that is the same.
    QVERIFY(w.close());
    env.DestroyWindow();
    TFrmMain& again = env.MakeWindow();
    again.show();
    QTRY_COMPARE(again.Tabs().Pages()->count(), filesGone ? 2 : 4);
  }

  void withTheOptionOffEndingAsksAndTheNextStartIsEmpty() {
    TTestEnv env;
    env.Platform.RecoveryFolder = env.Dir.filePath(QStringLiteral("recovery"));
    Setting::RestoreSession.Write(*env.Settings, 0);
    const QString a = env.WriteFile(QStringLiteral("a.css"), "a{}");
    {
      TFrmMain& w = env.MakeWindow();
      w.show();
      w.Tabs().OpenOperation(a);
      Type(*w.Tabs().CurrentDocument(), QStringLiteral("x"));
      env.Prompts.AnswerMessage(TButton::No);
      QVERIFY(w.close());
      QCOMPARE(env.Prompts.Asked.size(), 1);
      env.DestroyWindow();
    }
    TFrmMain& w = env.MakeWindow();
    w.show();
    QTest::qWait(50);
    QCOMPARE(w.Tabs().Pages()->count(), 0);
    QCOMPARE(QDir(env.Platform.RecoveryFolder).entryList({QStringLiteral("*.qmr")}), QStringList());
  }
};

QM_TEST_MAIN(TestSession)
#include "tst_session.moc"
