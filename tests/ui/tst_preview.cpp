// SPDX-License-Identifier: GPL-3.0-or-later
// The Preview panel: the page Refresh writes and shows, the preview-file list and its stored
// entries, the Tools menu's browser commands, the tool-bar browser buttons and the default browser.
#include <QComboBox>
#include <QDockWidget>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include "app/browserpreview.h"
#include "dialogs/cssoptions.h"
#include "platform/liveserver.h"
#include "platform/settings.h"
#include "rawhttp.h"
#include "testenv.h"

using namespace qm;

namespace {

QStringList Items(const QComboBox* combo) {
  QStringList items;
  for (int i = 0; i < combo->count(); ++i) {
    items << combo->itemText(i);
  }
  return items;
}

// The Tools menu's captions down to its first fixed command.
QStringList ToolsTop(const TFrmMain& w) {
  QStringList captions;
  for (const QAction* action : w.Menu("mTools")->actions()) {
    captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    if (action->text() == QStringLiteral("Validate Using W3C")) {
      break;
    }
  }
  return captions;
}

void Click(QToolBar* bar, QAction* action) {
  QWidget* button = bar->widgetForAction(action);
  QVERIFY(button != nullptr && button->isVisible());
  QTest::mouseClick(button, Qt::LeftButton);
}

void StoreBrowsers(TTestEnv& env, const QList<std::pair<QString, QString>>& browsers) {
  for (int i = 0; i < browsers.size(); ++i) {
    env.Settings->WriteString(Setting::BrowserName.Key(i + 1), browsers[i].first);
    env.Settings->WriteString(Setting::BrowserPath.Key(i + 1), browsers[i].second);
  }
}

void ShowWindow(TFrmMain& w) {
  w.resize(900, 700);
  w.show();
  QVERIFY(QTest::qWaitForWindowExposed(&w));
}

QString PagePath(const TTestEnv& env) {
  return QDir(env.Platform.WorkFolder).filePath(QStringLiteral("temppreview.htm"));
}

const QString kBuild = QStringLiteral("Build HTML using this style sheet");
const QString kNotFound =
    QStringLiteral("message: Preview file was not found,\nMake sure the path is correct");

}  // namespace

class TestPreview : public QObject {
  Q_OBJECT

 private slots:
  void startUpLoadsTheStoredPreviewFiles_data() {
    QTest::addColumn<QList<int>>("stored");
    QTest::addColumn<int>("loaded");
    QTest::newRow("none") << QList<int>{} << 0;
    QTest::newRow("stops at the first missing") << QList<int>{1, 2, 4} << 2;
    QList<int> all;
    for (int n = 1; n <= 31; ++n) {
      all << n;
    }
    QTest::newRow("thirty at most") << all << 30;
  }
  void startUpLoadsTheStoredPreviewFiles() {
    QFETCH(QList<int>, stored);
    QFETCH(int, loaded);
    TTestEnv env;
    for (const int n : stored) {
      env.Settings->WriteString(Setting::PreviewFile.Key(n), QStringLiteral("/p/%1.htm").arg(n));
    }
    TFrmMain& w = env.MakeWindow();
    QStringList expected{kBuild};
    for (int n = 1; n <= loaded; ++n) {
      expected << QStringLiteral("/p/%1.htm").arg(n);
    }
    QCOMPARE(Items(w.Preview().FileList()), expected);
    QCOMPARE(w.Preview().FileList()->currentIndex(), 0);
    // Start-up builds no page and leaves the browser engine alone.
    QVERIFY(w.Preview().Browser() == nullptr);
    QVERIFY(!QFile::exists(PagePath(env)));
  }

  void refreshShowsTheGeneratedPageAndTheDefaultBrowserOpensIt() {
    TTestEnv env;
    // A blank and a "#" in the work folder: the address shown escapes both.
    env.Platform.WorkFolder = env.Dir.filePath(QStringLiteral("work dir#1"));
    QDir().mkpath(env.Platform.WorkFolder);
    TFrmMain& w = env.MakeWindow();
    ShowWindow(w);
    const QString sheet = env.WriteFile(QStringLiteral("site/css/a.css"),
                                        "h1, h2 { }\n.note { }\n#top { }\na:hover { }");
    w.Tabs().OpenOperation(sheet);
    Click(w.Preview().ToolBar(), w.Preview().Action("TbRefresh"));

    const QByteArray page = TTestEnv::ReadFile(PagePath(env));
    const QByteArray samples =
        "<h1>h1 [Element]</h1><br>\r\n<h2>h2 [Element]</h2><br>\r\n"
        "<div class=\"note\">.note [Class]</div><br>\r\n<div ID=\"top\">#top [ID]</div><br>\r\n"
        "<a href=\"http://\">a:hover</a><br>\r\n<!--This is For Quillmere--!>\r\n";
    QVERIFY2(page.contains(samples), page.constData());
    QVERIFY(
        page.contains("<style type=\"text/css\" >\r\nh1, h2 { }\r\n.note { }\r\n#top { }\r\n"
                      "a:hover { }\r\n</style>\r\n</head>"));
    const QByteArray base =
        QUrl::fromLocalFile(env.Dir.filePath(QStringLiteral("site/css/"))).toEncoded();
    QVERIFY(page.contains("<base href=\"" + base + "\">"));

    QVERIFY(w.Preview().Browser() != nullptr);
    QTRY_COMPARE(w.Preview().Browser()->title(), QStringLiteral("Quillmere preview"));
    QCOMPARE(w.Preview().Browser()->url(), QUrl::fromLocalFile(PagePath(env)));
    QVERIFY(w.Preview().Browser()->isVisible());

    Click(w.Preview().ToolBar(), w.Preview().Action("TbOpenBrowser"));
    QString opened = QUrl::fromLocalFile(PagePath(env)).toString(QUrl::FullyEncoded);
    QVERIFY(opened.contains(QStringLiteral("work%20dir%231")));
    opened.replace(QStringLiteral("work%20dir%231"), QStringLiteral("work dir%231"));
    QCOMPARE(env.Shell.Opened, QStringList{opened});
  }

  // The generated page carries text from the sheet, so it runs no script and may not reach
  // remote addresses (it still loads the sheet's local images); a page the user picked is their
  // own and runs its scripts.
  void onlyThePageTheUserPickedRunsScripts() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    ShowWindow(w);
    w.Tabs().OpenOperation(env.WriteFile(QStringLiteral("a.css"), "p { color: red }"));
    const QString own = env.WriteFile(
        QStringLiteral("pages/own.htm"),
        "<html><head><title>own</title></head><body><script>document.title = 'ran'</script>"
        "</body></html>");
    const auto allowed = [&w] {
      const QWebEngineSettings* settings = w.Preview().Browser()->settings();
      return QList<bool>{
          settings->testAttribute(QWebEngineSettings::JavascriptEnabled),
          settings->testAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls),
          settings->testAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls)};
    };
    Click(w.Preview().ToolBar(), w.Preview().Action("TbRefresh"));
    QTRY_COMPARE(w.Preview().Browser()->title(), QStringLiteral("Quillmere preview"));
    QCOMPARE(allowed(), (QList<bool>{false, true, false}));

    env.Prompts.AnswerOpen(own);
    Click(w.Preview().ToolBar(), w.Preview().Action("TbOpen"));
    QTRY_COMPARE(w.Preview().Browser()->title(), QStringLiteral("ran"));
    QCOMPARE(allowed()[0], true);

    w.Preview().FileList()->setCurrentIndex(0);
    Click(w.Preview().ToolBar(), w.Preview().Action("TbRefresh"));
    QTRY_COMPARE(w.Preview().Browser()->title(), QStringLiteral("Quillmere preview"));
    QCOMPARE(allowed(), (QList<bool>{false, true, false}));
  }

  void openAddsAChosenPageOnceAndStoresIt() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    ShowWindow(w);
    w.Tabs().OpenOperation(env.WriteFile(QStringLiteral("a.css"), "p { color: red }"));
    const QString first =
        env.WriteFile(QStringLiteral("pages/one.htm"), "<HTML><HEAD></HEAD><BODY>x</BODY></HTML>");
    const QString second = env.WriteFile(QStringLiteral("pages/two.htm"), "<p>two</p>");

    env.Prompts.AnswerOpen(QString());  // cancelled: nothing changes
    Click(w.Preview().ToolBar(), w.Preview().Action("TbOpen"));
    QCOMPARE(env.Prompts.Asked,
             QStringList{"open: All Files (*.*)|*.*|Html Files(*.htm, *.html)|*.htm;*.html"});
    QCOMPARE(Items(w.Preview().FileList()), QStringList{kBuild});

    env.Prompts.AnswerOpen(first);
    Click(w.Preview().ToolBar(), w.Preview().Action("TbOpen"));
    QCOMPARE(Items(w.Preview().FileList()), (QStringList{kBuild, first}));
    QCOMPARE(w.Preview().FileList()->currentText(), first);
    // A closing head tag in capitals still receives the sheet, and the page's own folder is
    // where its relative addresses lead.
    const QByteArray base =
        QUrl::fromLocalFile(env.Dir.filePath(QStringLiteral("pages/"))).toEncoded();
    QCOMPARE(TTestEnv::ReadFile(PagePath(env)),
             "<HTML><HEAD>\r\n<base href=\"" + base +
                 "\"><style type=\"text/css\" >\r\np { color: red }\r\n</style>\r\n"
                 "</HEAD><BODY>x</BODY></HTML>\r\n");

    env.Prompts.AnswerOpen(second);
    Click(w.Preview().ToolBar(), w.Preview().Action("TbOpen"));
    w.Preview().FileList()->setCurrentIndex(0);
    env.Prompts.AnswerOpen(first);  // known already: only selected
    Click(w.Preview().ToolBar(), w.Preview().Action("TbOpen"));
    QCOMPARE(Items(w.Preview().FileList()), (QStringList{kBuild, first, second}));
    QCOMPARE(w.Preview().FileList()->currentText(), first);
    QVERIFY(w.Preview().FileList()->hasFocus());
    QVERIFY(env.Prompts.Unexpected.isEmpty());

    const auto stored = env.ReopenSettings();
    QCOMPARE(stored->ReadString(Setting::PreviewFile.Key(1)), std::optional<QString>(first));
    QCOMPARE(stored->ReadString(Setting::PreviewFile.Key(2)), std::optional<QString>(second));
    QVERIFY(!stored->Contains(Setting::PreviewFile.Key(3)));
  }

  void aMissingPreviewFileIsReportedAndDropped_data() {
    QTest::addColumn<bool>("templateMissing");
    QTest::newRow("chosen page") << false;
    QTest::newRow("template") << true;
  }
  void aMissingPreviewFileIsReportedAndDropped() {
    QFETCH(bool, templateMissing);
    TTestEnv env;
    const QString gone = env.Dir.filePath(QStringLiteral("gone.htm"));
    const QString kept = env.WriteFile(QStringLiteral("kept.htm"), "<p>kept</p>");
    env.Settings->WriteString(Setting::PreviewFile.Key(1), gone);
    if (templateMissing) {
      // The catalogues are there, the template is not.
      env.Platform.DataFolder = env.Dir.filePath(QStringLiteral("no-template"));
      QDir().mkpath(env.Platform.DataFolder);
      for (const char* name : {"css1.txt", "css2.txt", "css3.txt"}) {
        QVERIFY(QFile::copy(QStringLiteral(QUILLMERE_DATA_DIR "/") + QLatin1String(name),
                            env.Platform.DataFolder + QLatin1Char('/') + QLatin1String(name)));
      }
    }
    TFrmMain& w = env.MakeWindow();
    ShowWindow(w);
    // Opened while the panel is hidden, so it builds no page of its own at the opening.
    w.Dock(QStringLiteral("dxPreview"))->hide();
    w.Tabs().OpenOperation(env.WriteFile(QStringLiteral("a.css"), "p { }"));
    w.Dock(QStringLiteral("dxPreview"))->show();
    w.Preview().FileList()->setFocus();
    env.Prompts.AnswerMessage(TButton::Ok);
    if (templateMissing) {
      Click(w.Preview().ToolBar(), w.Preview().Action("TbRefresh"));
    } else {
      QTest::keyClick(w.Preview().FileList(), Qt::Key_Down);  // the user picks the stored page
    }
    QCOMPARE(env.Prompts.Asked, QStringList{kNotFound});
    QCOMPARE(Items(w.Preview().FileList()), QStringList{templateMissing ? gone : kBuild});
    QVERIFY(!QFile::exists(PagePath(env)));
    QVERIFY(w.Preview().Browser() == nullptr);

    // The stored entry stays for the next run, and a page added now does not take its place.
    env.Prompts.AnswerOpen(kept);
    Click(w.Preview().ToolBar(), w.Preview().Action("TbOpen"));
    const auto stored = env.ReopenSettings();
    QCOMPARE(stored->ReadString(Setting::PreviewFile.Key(1)), std::optional<QString>(gone));
    QCOMPARE(stored->ReadString(Setting::PreviewFile.Key(2)), std::optional<QString>(kept));
  }

  void withoutADocumentNothingIsBuilt() {
    TTestEnv env;
    StoreBrowsers(env, {{"one", "/opt/one"}});
    TFrmMain& w = env.MakeWindow();
    ShowWindow(w);
    Click(w.Preview().ToolBar(), w.Preview().Action("TbRefresh"));
    Click(w.ToolBar(), w.Action("bBrowser1"));
    QVERIFY(env.Prompts.Asked.isEmpty());
    QVERIFY(env.Shell.Started.isEmpty());
    QVERIFY(!QFile::exists(PagePath(env)));
    QVERIFY(w.Preview().Browser() == nullptr);
  }

  void toolsMenuHoldsOneCommandPerBrowser() {
    TTestEnv env;
    StoreBrowsers(env, {{"Firefox", "/usr/bin/firefox"},
                        {"Chromium", "/usr/bin/chromium"},
                        {"Old", "ieLocation"}});
    env.Settings->WriteString(Setting::BrowserName.Key(5), QStringLiteral("after a gap"));
    env.Settings->WriteString(Setting::FontSize.Key(), QStringLiteral("10"));
    env.Settings->WriteString(Setting::TabWidth.Key(), QStringLiteral("2"));
    TFrmMain& w = env.MakeWindow();
    const QStringList three{"Preview with Firefox",
                            "Preview with Chromium",
                            "Preview with Old",
                            "-",
                            "Preview Live in Browser",
                            "Preview Live with Page...",
                            "-",
                            "Validate Using W3C"};
    QCOMPARE(ToolsTop(w), three);
    QCOMPARE(w.Menu("mTools")->actions().at(1)->objectName(), QStringLiteral("PreviewMenuItem2"));
    QCOMPARE(w.Action("bBrowser1")->toolTip(), QStringLiteral("Preview with Firefox"));
    w.FillPreviewMenu();
    QCOMPARE(ToolsTop(w), three);

    // Options' Apply rebuilds the commands: deleting the first browser leaves two.
    TFrmOptions& o = w.OptionsDialog();
    QTimer::singleShot(0, &o, [&o] {
      o.LstBrowsers->setCurrentRow(0);
      o.CmdDelete->click();
      o.CmdApply->click();
    });
    w.Action("mOptions")->trigger();
    QCOMPARE(ToolsTop(w), (QStringList{"Preview with Chromium", "Preview with Old", "-",
                                       "Preview Live in Browser", "Preview Live with Page...", "-",
                                       "Validate Using W3C"}));
    QCOMPARE(w.Action("bBrowser2")->toolTip(), QStringLiteral("Preview with Old"));
  }

  void browserButtonsStartTheConfiguredBrowsers() {
    TTestEnv env;
    StoreBrowsers(env, {{"Mine", "/opt/My Browser/browse"}, {"Old", "ieLocation"}});
    TFrmMain& w = env.MakeWindow();
    ShowWindow(w);
    w.Dock(QStringLiteral("dxPreview"))->hide();
    w.Tabs().OpenOperation(env.WriteFile(QStringLiteral("a.css"), "p { }"));
    w.Dock(QStringLiteral("dxPreview"))->show();

    // The browser gets the live preview's address, whose page carries the sheet.
    Click(w.ToolBar(), w.Action("bBrowser1"));
    const TLiveServer* server = TBrowserPreview::Server(w.Tabs().CurrentDocument());
    QVERIFY(server != nullptr && server->Listening());
    const QString address = server->Address();
    QCOMPARE(env.Shell.Started, QStringList{"/opt/My Browser/browse " + address});
    QVERIFY(Exchange(server->Port(), Get(QUrl(address).path(), server->Port()))
                .Body()
                .contains("<style data-quillmere-live>p { }</style>"));
    // The old automation browser is gone: the default browser opens the page instead.
    Click(w.ToolBar(), w.Action("bBrowser2"));
    QCOMPARE(env.Shell.Opened, QStringList{address});
    // A browser that cannot be started says so.
    env.Shell.Missing << QStringLiteral("/opt/My Browser/browse");
    env.Prompts.AnswerMessage(TButton::Ok);
    Click(w.ToolBar(), w.Action("bBrowser1"));
    QCOMPARE(env.Prompts.Asked,
             QStringList{"message: Cannot start the browser \"/opt/My Browser/browse\"."});
    QVERIFY(w.Preview().Browser() == nullptr);  // the external browsers leave the panel alone
  }

  void browserButtonsWarnWhenNoneIsConfigured_data() {
    QTest::addColumn<int>("configured");
    QTest::addColumn<QStringList>("warnings");
    QTest::newRow("none") << 0
                          << QStringList{"message: You did not configure a primary browser.",
                                         "message: You did not configure a secondary browser."};
    QTest::newRow("one") << 1 << QStringList{"message: You did not configure a secondary browser."};
  }
  void browserButtonsWarnWhenNoneIsConfigured() {
    QFETCH(int, configured);
    QFETCH(QStringList, warnings);
    TTestEnv env;
    if (configured > 0) {
      StoreBrowsers(env, {{"Mine", "/opt/mine"}});
    }
    TFrmMain& w = env.MakeWindow();
    ShowWindow(w);
    w.Tabs().OpenOperation(env.WriteFile(QStringLiteral("a.css"), "p { }"));
    env.Prompts.AnswerMessage(TButton::Ok);
    env.Prompts.AnswerMessage(TButton::Ok);
    Click(w.ToolBar(), w.Action("bBrowser1"));
    Click(w.ToolBar(), w.Action("bBrowser2"));
    QCOMPARE(env.Prompts.Asked, warnings);
    QCOMPARE(env.Shell.Started.size(), configured);
  }
};

QM_TEST_MAIN(TestPreview)
#include "tst_preview.moc"
