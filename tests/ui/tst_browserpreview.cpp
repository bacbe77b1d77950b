// SPDX-License-Identifier: GPL-3.0-or-later
// The live preview in the user's browsers, seen by a plain HTTP client standing in for them:
// every change of the sheet reaches each open page, each document at its own address while its
// tab is open, on the page built from the sheet or on a page of the user's own.
#include <QMenu>
#include <QUrl>

#include "app/browserpreview.h"
#include "platform/liveserver.h"
#include "rawhttp.h"
#include "testenv.h"

using namespace qm;

namespace {

// The sheet as the page's script sees it: the browser gives every line end back as LF.
QString AsPageHasIt(const QByteArray& text) {
  QString sheet = QString::fromUtf8(text);
  sheet.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return sheet;
}

QString EventsOf(const QString& address) {
  const QString path = QUrl(address).path();
  return path.left(path.indexOf(QLatin1Char('/'), 1) + 1) + QStringLiteral(".quillmere-live");
}

TRawAnswer Fetch(const QString& address, const QString& file = {}) {
  const QUrl url(address);
  const QString path = file.isEmpty()
                           ? url.path()
                           : EventsOf(address).replace(QStringLiteral(".quillmere-live"), file);
  return Exchange(static_cast<quint16>(url.port()), Get(path, static_cast<quint16>(url.port())));
}

TFrmMain& ShownWindow(TTestEnv& env) {
  TFrmMain& w = env.MakeWindow();
  w.resize(900, 700);
  w.show();
  return w;
}

}  // namespace

class TestBrowserPreview : public QObject {
  Q_OBJECT

 private slots:
  void everyChangeReachesEveryOpenPage() {
    TTestEnv env;
    const QByteArray sheet = "h1 { color: red }\r\nbody { margin: 0 }";
    const QString path = env.WriteFile(QStringLiteral("look.css"), sheet);
    TFrmMain& w = ShownWindow(env);
    w.Tabs().OpenOperation(path);
    w.Action("mPreviewLive")->trigger();
    QCOMPARE(env.Shell.Opened.size(), 1);
    const QString address = env.Shell.Opened[0];
    const TRawAnswer page = Fetch(address);
    QCOMPARE(page.Status(), 200);
    QVERIFY(page.Body().contains("<title>Quillmere preview</title>"));
    QVERIFY(page.Body().contains("<style data-quillmere-live>" + sheet + "</style>"));
    QVERIFY(page.Body().contains("<h1>h1 [Element]</h1>"));

    const auto port = static_cast<quint16>(QUrl(address).port());
    TEventClient first(port, EventsOf(address));
    TEventClient second(port, EventsOf(address));
    QTRY_COMPARE(first.LastText(), AsPageHasIt(sheet));
    TCssEditor* editor = w.Tabs().CurrentEditor();
    const auto red = static_cast<int32_t>(editor->Text().find("red"));
    const auto expectEverywhere = [&] {
      QTRY_COMPARE(first.LastText(), AsPageHasIt(Text(editor)));
      QTRY_COMPARE(second.LastText(), AsPageHasIt(Text(editor)));
    };
    // Typing, once it pauses.
    editor->SetCaret(red + 3);
    QTest::keyClicks(editor, QStringLiteral("dish"));
    QVERIFY(Text(editor).contains("reddish"));
    expectEverywhere();
    // A write of the program's, as the views make.
    w.Tabs().CurrentDocument()->Apply(TEditBatch({red, red + 7, "blue", red + 4}));
    expectEverywhere();
    QVERIFY(first.LastText().contains(QStringLiteral("blue")));
    // Undo.
    editor->undo();
    expectEverywhere();
    QVERIFY(first.LastText().contains(QStringLiteral("reddish")));
    // A page opened later gets the text as it is now.
    QVERIFY(Fetch(address).Body().contains("reddish"));
    // Asking again opens the same live preview.
    w.Action("mPreviewLive")->trigger();
    QCOMPARE(env.Shell.Opened, (QStringList{address, address}));
    QCOMPARE(env.ReadFile(path), sheet);
  }

  void eachDocumentIsLiveAtItsOwnAddressWhileItsTabIsOpen() {
    TTestEnv env;
    TFrmMain& w = ShownWindow(env);
    w.Tabs().OpenOperation(env.WriteFile(QStringLiteral("one.css"), "p { color: red }"));
    w.Action("mPreviewLive")->trigger();
    w.Tabs().OpenOperation(env.WriteFile(QStringLiteral("two.css"), "p { color: blue }"));
    w.Action("mPreviewLive")->trigger();
    QCOMPARE(env.Shell.Opened.size(), 2);
    const QString one = env.Shell.Opened[0];
    const QString two = env.Shell.Opened[1];
    QVERIFY(QUrl(one).port() != QUrl(two).port());
    QVERIFY(Fetch(one).Body().contains("p { color: red }"));
    QVERIFY(Fetch(two).Body().contains("p { color: blue }"));
    // The other token on the other port finds nothing.
    QCOMPARE(Exchange(static_cast<quint16>(QUrl(one).port()),
                      Get(QUrl(two).path(), static_cast<quint16>(QUrl(one).port())))
                 .Status(),
             404);

    TEventClient oneEvents(static_cast<quint16>(QUrl(one).port()), EventsOf(one));
    QTRY_COMPARE(oneEvents.Events(), 1);
    QTest::keyClicks(w.Tabs().CurrentEditor(), QStringLiteral("a { }"));
    QTRY_VERIFY(Fetch(two).Body().contains("a { }"));
    QTest::qWait(200);
    QCOMPARE(oneEvents.Events(), 1);

    // Closing a tab ends its live preview: its address answers no more.
    env.Prompts.AnswerMessage(TButton::No);
    QVERIFY(w.Tabs().CloseDocument(1) == TDocumentTabs::TCloseResult::Closed);
    QCOMPARE(Fetch(two).Status(), 0);
    QCOMPARE(Fetch(one).Status(), 200);
    QTRY_VERIFY(!oneEvents.Closed());
  }

  // The page's folder is served as it is; the sheet takes the place of the link that names it, the
  // other sheets and images load; the choice is kept for the sheet across a restart.
  void aPageOfTheUsersOwnShowsTheSheetInPlaceOfItsLink() {
    TTestEnv env;
    const QString sheet = env.WriteFile(QStringLiteral("site/css/look.css"), "p { color: red }");
    env.WriteFile(QStringLiteral("site/css/base.css"), "body { margin: 0 }");
    env.WriteFile(QStringLiteral("site/img/dot.png"), QByteArray("\x89PNG\r\n\x1a\n", 8));
    const QByteArray own =
        "<html><head><link rel=\"stylesheet\" href=\"css/base.css\">"
        "<link rel=\"stylesheet\" href=\"css/look.css?v=7\"></head>"
        "<body><p>text<img src=\"img/dot.png\"></p></body></html>";
    const QString page = env.WriteFile(QStringLiteral("site/index.html"), own);
    {
      TFrmMain& w = ShownWindow(env);
      w.Tabs().OpenOperation(sheet);
      env.Prompts.AnswerOpen(page);
      w.Action("mPreviewLivePage")->trigger();
      QCOMPARE(env.Shell.Opened.size(), 1);
      const QString address = env.Shell.Opened[0];
      QVERIFY(address.endsWith(QStringLiteral("/index.html")));
      const QByteArray served = Fetch(address).Body();
      QVERIFY(
          served.contains("<link rel=\"stylesheet\" href=\"css/base.css\">"
                          "<style data-quillmere-live>p { color: red }</style><script>"));
      QVERIFY(!served.contains("look.css"));
      QCOMPARE(Fetch(address, QStringLiteral("css/base.css")).Body(),
               QByteArray("body { margin: 0 }"));
      QCOMPARE(Fetch(address, QStringLiteral("img/dot.png")).Header("Content-Type"),
               QByteArray("image/png"));
      QTest::keyClicks(w.Tabs().CurrentEditor(), QStringLiteral("a { } "));
      QTRY_VERIFY(Fetch(address).Body().contains("a { } p { color: red }"));
      QCOMPARE(env.ReadFile(page), own);
    }
    env.Prompts.AnswerMessage(TButton::No);
    env.DestroyWindow();
    TFrmMain& w = ShownWindow(env);
    w.Tabs().OpenOperation(sheet);
    w.Action("mPreviewLive")->trigger();
    QCOMPARE(env.Shell.Opened.size(), 2);
    QVERIFY(env.Shell.Opened[1].endsWith(QStringLiteral("/index.html")));
  }
};

QM_TEST_MAIN(TestBrowserPreview)
#include "tst_browserpreview.moc"
