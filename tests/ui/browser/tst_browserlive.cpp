// SPDX-License-Identifier: GPL-3.0-or-later
// The live preview in a real browser: Chromium shows the page the program serves, and what is
// typed in the editor restyles the page in it without a reload, on the page built from the sheet
// and on a page of the user's own with its own sheet and image.
#include <QImage>
#include <QUrl>

#include "devtools.h"
#include "testenv.h"

using namespace qm;

namespace {

QString ColorOf(TDevTools& browser, const char* selector) {
  return browser
      .Evaluate(QStringLiteral("getComputedStyle(document.querySelector('%1')).color")
                    .arg(QLatin1String(selector)))
      .toString();
}

// "red" becomes "blue", typed as a user types it.
void TypeBlue(TFrmMain& w) {
  TCssEditor* editor = w.Tabs().CurrentEditor();
  editor->SetCaret(static_cast<int32_t>(editor->Text().find("red") + 3));
  for (int i = 0; i < 3; ++i) {
    QTest::keyClick(editor, Qt::Key_Backspace);
  }
  QTest::keyClicks(editor, QStringLiteral("blue"));
}

const QString kRed = QStringLiteral("rgb(255, 0, 0)");
const QString kBlue = QStringLiteral("rgb(0, 0, 255)");

}  // namespace

class TestBrowserLive : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    if (TDevTools::Program().isEmpty()) {
      QSKIP("chromium is not installed (scripts/install-deps installs it)");
    }
  }

  void theBrowserTakesEveryEditWithoutAReload() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    w.show();
    w.Tabs().OpenOperation(
        env.WriteFile(QStringLiteral("look.css"), "h1 { color: red }\r\nbody { height: 3000px }"));
    w.Action("mPreviewLive")->trigger();
    TDevTools browser;
    QVERIFY2(browser.Start(env.Shell.Opened.value(0)), qPrintable(browser.Error()));
    QTRY_COMPARE_WITH_TIMEOUT(ColorOf(browser, "h1"), kRed, 30000);
    // A reload would lose both.
    browser.Evaluate(QStringLiteral("window.mark = 'kept'; window.scrollTo(0, 500); 1"));

    TypeBlue(w);
    QTRY_COMPARE_WITH_TIMEOUT(ColorOf(browser, "h1"), kBlue, 10000);
    QCOMPARE(browser.Evaluate(QStringLiteral("window.mark + ' ' + window.scrollY")).toString(),
             QStringLiteral("kept 500"));
  }

  void theUsersOwnPageKeepsItsOtherSheetAndImage() {
    TTestEnv env;
    const QString sheet = env.WriteFile(QStringLiteral("site/css/look.css"), "p { color: red }");
    env.WriteFile(QStringLiteral("site/css/base.css"), "em { color: rgb(0, 128, 0) }");
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::black);
    QVERIFY(image.save(env.Dir.filePath(QStringLiteral("site/dot.png"))));
    const QString page =
        env.WriteFile(QStringLiteral("site/index.html"),
                      "<!DOCTYPE html><html><head><link rel=\"stylesheet\" href=\"css/base.css\">"
                      "<link rel=\"stylesheet\" href=\"css/look.css\"></head>"
                      "<body><p>text <em>here</em> <img src=\"dot.png\"></p></body></html>");
    TFrmMain& w = env.MakeWindow();
    w.show();
    w.Tabs().OpenOperation(sheet);
    env.Prompts.AnswerOpen(page);
    w.Action("mPreviewLivePage")->trigger();
    TDevTools browser;
    QVERIFY2(browser.Start(env.Shell.Opened.value(0)), qPrintable(browser.Error()));
    QTRY_COMPARE_WITH_TIMEOUT(ColorOf(browser, "p"), kRed, 30000);
    QTRY_COMPARE(ColorOf(browser, "em"), QStringLiteral("rgb(0, 128, 0)"));
    QTRY_COMPARE(
        browser.Evaluate(QStringLiteral("document.querySelector('img').naturalWidth")).toInt(), 3);

    TypeBlue(w);
    QTRY_COMPARE_WITH_TIMEOUT(ColorOf(browser, "p"), kBlue, 10000);
    QCOMPARE(ColorOf(browser, "em"), QStringLiteral("rgb(0, 128, 0)"));
  }
};

QM_TEST_MAIN(TestBrowserLive)
#include "tst_browserlive.moc"
