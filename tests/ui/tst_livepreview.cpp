// SPDX-License-Identifier: GPL-3.0-or-later
// The live preview: typing into the sheet changes the shown page without a reload, in the page
// built from the sheet and in a page of the user's own that links the sheet's file; the Live
// button turns it off and is stored.
#include <QSignalSpy>
#include <QToolBar>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "app/livepreview.h"
#include "pagescript.h"
#include "platform/settings.h"
#include "testenv.h"

using namespace qm;

namespace {

void Click(TFrmMain& w, const char* action) {
  QTest::mouseClick(w.Preview().ToolBar()->widgetForAction(w.Preview().Action(action)),
                    Qt::LeftButton);
}

QString ColorOf(TFrmMain& w, const char* selector) {
  return RunPageScript(w.Preview().Browser(),
                       QStringLiteral("getComputedStyle(document.querySelector('%1')).color")
                           .arg(QLatin1String(selector)))
      .toString();
}

// The window shown with the sheet at path open and its caret after the first "red".
void OpenAndShow(TFrmMain& w, const QString& path) {
  w.resize(900, 700);
  w.show();
  QVERIFY(QTest::qWaitForWindowExposed(&w));
  w.Tabs().OpenOperation(path);
  const std::string_view text = w.Tabs().CurrentEditor()->Text();
  w.Tabs().CurrentEditor()->SetCaret(static_cast<int32_t>(text.find("red") + 3));
}

// "red" before the caret becomes "blue", one key at a time.
void TypeBlue(TFrmMain& w) {
  for (int i = 0; i < 3; ++i) {
    QTest::keyClick(w.Tabs().CurrentEditor(), Qt::Key_Backspace);
  }
  QTest::keyClicks(w.Tabs().CurrentEditor(), QStringLiteral("blue"));
}

const QString kBlue = QStringLiteral("rgb(0, 0, 255)");

}  // namespace

class TestLivePreview : public QObject {
  Q_OBJECT

 private slots:
  void typingChangesTheGeneratedPageWithoutAReload() {
    TTestEnv env;
    // The last rule holds what a script's string must escape: a quote, a backslash, a tab, a
    // control character and a line separator, and a letter beyond ASCII.
    const QByteArray sheet =
        "h1 { color: red }\r\nbody { height: 3000px }\r\n"
        "h1::after { content: \"\\\"\\\\\t\x01\xe2\x80\xa8\xc3\xa9\" }";
    const QString path = env.WriteFile(QStringLiteral("look.css"), sheet);
    TFrmMain& w = env.MakeWindow();
    OpenAndShow(w, path);
    Click(w, "TbRefresh");
    QTRY_COMPARE_WITH_TIMEOUT(w.Preview().Browser()->title(), QStringLiteral("Quillmere preview"),
                              20000);
    QCOMPARE(ColorOf(w, "h1"), QStringLiteral("rgb(255, 0, 0)"));
    // A reload would drop the mark and the scroll position.
    RunPageScript(w.Preview().Browser(),
                  QStringLiteral("document.body.dataset.mark = 'kept'; window.scrollTo(0, 500)"));
    QSignalSpy loads(w.Preview().Browser(), &QWebEngineView::loadStarted);

    TypeBlue(w);
    QTRY_COMPARE_WITH_TIMEOUT(ColorOf(w, "h1"), kBlue, 10000);
    QTRY_VERIFY(w.Preview().Live().Current());
    QCOMPARE(loads.count(), 0);
    const std::string_view text = w.Tabs().CurrentEditor()->Text();
    QCOMPARE(RunPageScript(w.Preview().Browser(),
                           QStringLiteral("document.querySelector('style').textContent"))
                 .toString(),
             QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    QCOMPARE(RunPageScript(w.Preview().Browser(),
                           QStringLiteral("document.body.dataset.mark + ' ' + window.scrollY"))
                 .toString(),
             QStringLiteral("kept 500"));
    // So is a change the program makes, as the inspector's writes, through the edit scope.
    const auto blue = static_cast<int32_t>(w.Tabs().CurrentEditor()->Text().find("blue"));
    w.Tabs().CurrentDocument()->Apply(TEditBatch({blue, blue + 4, "green", blue + 5}));
    QTRY_COMPARE_WITH_TIMEOUT(ColorOf(w, "h1"), QStringLiteral("rgb(0, 128, 0)"), 10000);
    // Undo is a change like any other.
    while (w.Tabs().CurrentEditor()->isUndoAvailable()) {
      w.Tabs().CurrentEditor()->undo();
    }
    QTRY_COMPARE_WITH_TIMEOUT(ColorOf(w, "h1"), QStringLiteral("rgb(255, 0, 0)"), 10000);
    QCOMPARE(env.ReadFile(path), sheet);
  }

  // The user's page links the sheet's file: the link gives way to the unsaved text, so a rule
  // taken out of the sheet leaves the page although the file still has it.
  void aPageOfTheUsersOwnTakesTheUnsavedTextInPlaceOfItsLink() {
    TTestEnv env;
    const QByteArray sheet = "p { color: red }\r\nem { color: rgb(1, 2, 3) }";
    const QString path = env.WriteFile(QStringLiteral("site/css/look.css"), sheet);
    const QString page = env.WriteFile(
        QStringLiteral("site/index.htm"),
        "<html><head><title>own</title><link rel=\"stylesheet\" href=\"css/look.css\"></head>"
        "<body><p>text <em>here</em></p></body></html>");
    TFrmMain& w = env.MakeWindow();
    OpenAndShow(w, path);
    env.Prompts.AnswerOpen(page);
    Click(w, "TbOpen");
    QTRY_COMPARE_WITH_TIMEOUT(w.Preview().Browser()->title(), QStringLiteral("own"), 20000);
    QTRY_VERIFY(w.Preview().Live().Current());
    QCOMPARE(ColorOf(w, "em"), QStringLiteral("rgb(1, 2, 3)"));

    TypeBlue(w);
    // Both rules go: the one after the caret is cut off by the line now ending in a comment.
    QTest::keyClicks(w.Tabs().CurrentEditor(), QStringLiteral(" } /*"));
    QTRY_COMPARE_WITH_TIMEOUT(ColorOf(w, "p"), kBlue, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(ColorOf(w, "em"), kBlue, 10000);
    QCOMPARE(RunPageScript(w.Preview().Browser(),
                           QStringLiteral("document.querySelectorAll('link').length"))
                 .toInt(),
             0);
    QCOMPARE(env.ReadFile(path), sheet);
  }

  void offTheShownPageWaitsForRefresh() {
    TTestEnv env;
    const QString path = env.WriteFile(QStringLiteral("look.css"), "h1 { color: red }");
    TFrmMain& w = env.MakeWindow();
    OpenAndShow(w, path);
    Click(w, "TbRefresh");
    QTRY_COMPARE_WITH_TIMEOUT(w.Preview().Browser()->title(), QStringLiteral("Quillmere preview"),
                              20000);
    QTRY_VERIFY(w.Preview().Live().Current());
    Click(w, "TbLive");
    QVERIFY(!w.Preview().Action("TbLive")->isChecked());

    TypeBlue(w);
    // Whatever the program would send, it would have sent before this question is answered.
    QCoreApplication::processEvents();
    QCOMPARE(ColorOf(w, "h1"), QStringLiteral("rgb(255, 0, 0)"));
    Click(w, "TbRefresh");
    QTRY_COMPARE_WITH_TIMEOUT(ColorOf(w, "h1"), kBlue, 20000);
  }

  // The page shows the sheet in front: another tab's sheet comes with its tab, a change of a sheet
  // behind stays out of it, and the page goes with the last tab.
  void thePageFollowsTheTabInFront() {
    TTestEnv env;
    const QString first = env.WriteFile(QStringLiteral("first.css"), "h1 { color: red }");
    const QString second =
        env.WriteFile(QStringLiteral("second.css"), "h1 { color: rgb(0, 128, 0) }");
    TFrmMain& w = env.MakeWindow();
    OpenAndShow(w, first);
    w.Tabs().OpenOperation(second);
    Click(w, "TbRefresh");
    QTRY_COMPARE_WITH_TIMEOUT(ColorOf(w, "h1"), QStringLiteral("rgb(0, 128, 0)"), 20000);

    w.Tabs().Pages()->setCurrentIndex(0);
    QTRY_COMPARE_WITH_TIMEOUT(ColorOf(w, "h1"), QStringLiteral("rgb(255, 0, 0)"), 20000);
    QTRY_VERIFY(w.Preview().Live().Current());
    TypeBlue(w);
    QTRY_COMPARE_WITH_TIMEOUT(ColorOf(w, "h1"), kBlue, 10000);
    // A change of the sheet behind reaches no page.
    TOpenDocument* behind = w.Tabs().Document(1);
    const auto at = static_cast<int32_t>(behind->Editor()->Text().find("rgb"));
    behind->Apply(TEditBatch({at, at + 14, "rgb(9, 9, 9)", at}));
    QCoreApplication::processEvents();
    QTRY_VERIFY(w.Preview().Live().Current());
    QCOMPARE(ColorOf(w, "h1"), kBlue);

    w.Tabs().Pages()->setCurrentIndex(1);
    QTRY_COMPARE_WITH_TIMEOUT(ColorOf(w, "h1"), QStringLiteral("rgb(9, 9, 9)"), 20000);
    // Closing the tab in front brings the other sheet back; closing the last leaves no page.
    env.Prompts.AnswerMessage(TButton::No);
    QVERIFY(w.Tabs().CloseDocument(1) == TDocumentTabs::TCloseResult::Closed);
    QTRY_COMPARE_WITH_TIMEOUT(ColorOf(w, "h1"), kBlue, 20000);
    env.Prompts.AnswerMessage(TButton::No);
    QVERIFY(w.Tabs().CloseDocument(0) == TDocumentTabs::TCloseResult::Closed);
    QTRY_COMPARE_WITH_TIMEOUT(w.Preview().Browser()->url(), QUrl(QStringLiteral("about:blank")),
                              10000);
  }

  void theLiveButtonIsStoredAcrossARestart() {
    TTestEnv env;
    const auto restart = [&env]() -> TFrmMain& {
      TFrmMain& w = env.MakeWindow();
      w.show();
      return w;
    };
    QVERIFY(restart().Preview().Action("TbLive")->isChecked());
    Click(env.Window(), "TbLive");
    QCOMPARE(Setting::LivePreview.Read(*env.ReopenSettings()), 0);
    QVERIFY(!restart().Preview().Action("TbLive")->isChecked());
    Click(env.Window(), "TbLive");
    QCOMPARE(Setting::LivePreview.Read(*env.ReopenSettings()), 1);
    QVERIFY(restart().Preview().Action("TbLive")->isChecked());
  }
};

QM_TEST_MAIN(TestLivePreview)
#include "tst_livepreview.moc"
