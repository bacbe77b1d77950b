// SPDX-License-Identifier: GPL-3.0-or-later
// The About box and the Help menu's commands.
#include <QAction>
#include <QPushButton>

#include "commands.h"
#include "dialogs/cssAbout.h"
#include "platform/settings.h"
#include "testenv.h"

using namespace qm;

class TestAbout : public QObject {
  Q_OBJECT

 private slots:
  void aboutBoxShowsNameVersionAndLink() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    TFrmAbout* about = &w.AboutDialog();
    QCOMPARE(about->windowTitle(), QStringLiteral("About Quillmere"));
    QCOMPARE(about->LblTitle->text(), QStringLiteral(" Quillmere"));
    QCOMPARE(about->LblVersion->text(), QStringLiteral(" Version 1.8"));
    QCOMPARE(about->size(), QSize(375, 262));
    QVERIFY(about->CmdOk->isDefault());

    about->show();
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(about->Lblsite, &enter);
    QCOMPARE(about->Lblsite->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(about->Lblsite, &leave);
    QCOMPARE(about->Lblsite->palette().color(QPalette::WindowText), QColor(Qt::black));
    QTest::mouseClick(about->Lblsite, Qt::LeftButton);
    QCOMPARE(env.Shell.Opened, QStringList{about->Lblsite->text()});
    QVERIFY(about->isVisible());
    QTest::keyClick(about, Qt::Key_Escape);
    QVERIFY(!about->isVisible());
  }

  void aBrowserThatCannotStartIsReported() {
    TTestEnv env;
    env.Settings->WriteString(Setting::HomePage.Key(), QStringLiteral("https://example.org/qm"));
    env.Settings->WriteString(Setting::FeedbackMail.Key(), QStringLiteral("me@example.org"));
    env.Shell.UrlsFail = true;
    TFrmMain& w = env.MakeWindow();
    env.Prompts.AnswerMessage(TButton::Ok);
    Trigger(w.Action("mHomePage"));
    env.Prompts.AnswerMessage(TButton::Ok);
    env.Prompts.AnswerMessage(TButton::Ok);
    Trigger(w.Action("mReport"));
    w.AboutDialog().show();
    env.Prompts.AnswerMessage(TButton::Ok);
    QTest::mouseClick(w.AboutDialog().Lblsite, Qt::LeftButton);
    QCOMPARE(
        env.Prompts.Asked,
        (QStringList{"message: Cannot start the default browser for \"https://example.org/qm\".",
                     "message: Please mention in details when reporting errors or suggestions.",
                     "message: Cannot start the mail program for "
                     "\"mailto:me@example.org?Subject=Quillmere%20Feedback\".",
                     "message: Cannot start the default browser for \"https://example.org/qm\"."}));
    QVERIFY(w.AboutDialog().isVisible());  // the box stays after the message
    QCOMPARE(env.Prompts.Unexpected, QStringList());
  }

  void helpCommandsOpenTheirPages() {
    TTestEnv env;
    env.Settings->WriteString(Setting::HomePage.Key(), QStringLiteral("https://example.org/qm"));
    env.Settings->WriteString(Setting::FeedbackMail.Key(), QStringLiteral("me@example.org"));
    TFrmMain& w = env.MakeWindow();
    w.Action("mHomePage")->trigger();
    w.Action("mCSS1page")->trigger();
    w.Action("mCSS2page")->trigger();
    env.Prompts.AnswerMessage(TButton::Ok);
    w.Action("mReport")->trigger();
    QCOMPARE(
        env.Prompts.Asked,
        QStringList{"message: Please mention in details when reporting errors or suggestions."});
    QCOMPARE(env.Shell.Opened,
             (QStringList{"https://example.org/qm", "https://www.w3.org/pub/WWW/TR/REC-CSS1",
                          "https://www.w3.org/TR/REC-CSS2/",
                          "mailto:me@example.org?Subject=Quillmere%20Feedback"}));
  }
};

QM_TEST_MAIN(TestAbout)
#include "tst_about.moc"
