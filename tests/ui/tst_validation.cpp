// SPDX-License-Identifier: GPL-3.0-or-later
// Validate Using W3C against a validator on 127.0.0.1 inside the test: the form the service
// receives, the answer written and shown, and what each failure leaves behind.
#include <QDir>
#include <QDockWidget>
#include <QNetworkProxy>
#include <QTabBar>
#include <QToolBar>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include "commands.h"
#include "platform/settings.h"
#include "testenv.h"
#include "testhttpserver.h"

using namespace qm;

namespace {

using TProgressAnswer = TScriptedPrompts::TProgressAnswer;

const QString kConnecting = QStringLiteral("Connecting to W3C website...");
const QString kValidatorPath = QStringLiteral("/css-validator/validator");
// Its script would retitle it if it ran.
const QByteArray kAnswerPage =
    "<html><head><title>W3C CSS Validator results</title></head><body><h1>Congratulations! No "
    "Error Found.</h1><script>document.title = 'ran'</script></body></html>";

QString WorkFile(const TTestEnv& env, const QString& name) {
  return QDir(env.Platform.WorkFolder).filePath(name);
}

// A shown window whose validator is at url.
TFrmMain& MakeWindow(TTestEnv& env, const QUrl& url) {
  env.Settings->WriteString(Setting::ValidatorUrl.Key(), url.toString());
  TFrmMain& w = env.MakeWindow();
  w.resize(900, 700);
  w.show();
  if (!QTest::qWaitForWindowExposed(&w)) {
    qFatal("the window was not shown");
  }
  return w;
}

// Clicks the tool bar's button; the progress box is answered as given.
void Validate(TTestEnv& env, TProgressAnswer progress = TProgressAnswer::Wait) {
  env.Prompts.AnswerProgress(progress);
  TFrmMain& w = env.Window();
  QWidget* button = w.ToolBar()->widgetForAction(w.Action("acValidate"));
  QVERIFY(button != nullptr && button->isVisible());
  QTest::mouseClick(button, Qt::LeftButton);
}

void ChooseCssTab(TFrmMain& w, int tab) {
  QTabBar* tabs = w.Properties().CssTabs();
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
  QCOMPARE(w.Properties().CssLevel(), tab);
}

// JavaScript, access to local files, access to remote addresses, as the preview is set now.
QList<bool> PreviewAllows(const TFrmMain& w) {
  const QWebEngineSettings* settings = w.Preview().Browser()->settings();
  return {settings->testAttribute(QWebEngineSettings::JavascriptEnabled),
          settings->testAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls),
          settings->testAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls)};
}

}  // namespace

class TestValidation : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    // A proxy from the environment must not take the program's requests elsewhere.
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
  }

  void theEditedSheetIsPostedAndTheAnswerShown_data() {
    QTest::addColumn<int>("cssTab");
    QTest::addColumn<QByteArray>("profile");
    QTest::newRow("CSS1") << 0 << QByteArray("css1");
    QTest::newRow("CSS2") << 1 << QByteArray("css2");
    QTest::newRow("CSS3") << 2 << QByteArray("css3");
  }
  void theEditedSheetIsPostedAndTheAnswerShown() {
    QFETCH(int, cssTab);
    QFETCH(QByteArray, profile);
    TTestServer server([](const QByteArray&) { return Answer("200 OK", kAnswerPage); });
    TTestEnv env;
    TFrmMain& w = MakeWindow(env, server.Url(kValidatorPath));
    const QByteArray saved = "p { color: red }\n";
    const QString sheet = env.WriteFile(QStringLiteral("site/a.css"), saved);
    w.Tabs().OpenOperation(sheet);
    ChooseCssTab(w, cssTab);
    QTest::keyClicks(w.Tabs().CurrentEditor(), QStringLiteral("h1 { }"));
    QTest::keyClick(w.Tabs().CurrentEditor(), Qt::Key_Return);
    Validate(env);

    QCOMPARE(env.Prompts.Asked, QStringList{"progress: " + kConnecting});
    QCOMPARE(env.Prompts.Unexpected, QStringList());
    QCOMPARE(server.Requests.size(), 1);
    const QByteArray& request = server.Requests.front();
    QVERIFY2(request.startsWith("POST " + kValidatorPath.toLatin1() + " HTTP/1.1\r\n"),
             request.constData());
    QCOMPARE(HeaderValue(request, "Accept"), QByteArray("text/html, */*"));
    // The unsaved text, with the file's own line breaks; the document and its file unchanged.
    const QByteArray edited = "h1 { }\np { color: red }\n";
    const QList<TReceivedPart> parts = Parts(request);
    QCOMPARE(parts.size(), 4);
    QCOMPARE(parts[0].Disposition, QByteArray(R"(form-data; name="file"; filename="tempw3c.css")"));
    QCOMPARE(parts[0].ContentType, QByteArray("text/css"));
    QCOMPARE(parts[0].Content, edited);
    const QList<QByteArray> fields[] = {
        {"warning", "2"}, {"profile", profile}, {"usermedium", "all"}};
    for (int i = 0; i < 3; ++i) {
      QCOMPARE(parts[i + 1].Disposition, "form-data; name=\"" + fields[i][0] + '"');
      QCOMPARE(parts[i + 1].ContentType, QByteArray());
      QCOMPARE(parts[i + 1].Content, fields[i][1]);
    }
    QCOMPARE(TTestEnv::ReadFile(WorkFile(env, QStringLiteral("tempw3c.css"))), edited);
    QVERIFY(w.Tabs().CurrentEditor()->Modified());
    QCOMPARE(TTestEnv::ReadFile(sheet), saved);
    QCOMPARE(w.Tabs().CurrentPath(), sheet);

    // The answer as received, shown with no script and no reach to other local files.
    const QString answerFile = WorkFile(env, QStringLiteral("tempw3c.htm"));
    QCOMPARE(TTestEnv::ReadFile(answerFile), kAnswerPage);
    QCOMPARE(w.StatusText(), QStringLiteral("Connected successfully"));
    QVERIFY(w.Preview().Browser() != nullptr);
    QTRY_COMPARE(w.Preview().Browser()->title(), QStringLiteral("W3C CSS Validator results"));
    QCOMPARE(w.Preview().Browser()->url(), QUrl::fromLocalFile(answerFile));
    QCOMPARE(PreviewAllows(w), (QList<bool>{false, false, false}));

    // The page built from the sheet gets its local images again.
    Trigger(w.Preview().Action("TbRefresh"));
    QTRY_COMPARE(w.Preview().Browser()->title(), QStringLiteral("Quillmere preview"));
    QCOMPARE(PreviewAllows(w), (QList<bool>{false, true, false}));
  }

  // One poster for the run: the service's session cookie goes back with the next sheet.
  void aSecondAnswerReplacesTheFirstWhole() {
    const QByteArray longer = kAnswerPage + QByteArray(4000, 'x');
    const QByteArray shorter = "<html><head><title>short</title></head></html>";
    int answered = 0;
    TTestServer server([&](const QByteArray&) {
      return ++answered == 1 ? Answer("200 OK", longer, "Set-Cookie: session=42; Path=/\r\n")
                             : Answer("200 OK", shorter);
    });
    TTestEnv env;
    TFrmMain& w = MakeWindow(env, server.Url(kValidatorPath));
    w.Tabs().OpenOperation(env.WriteFile(QStringLiteral("a.css"), "p { color: red }"));
    // The panel stays as the user left it; the answer is there when it is opened.
    w.Dock(QStringLiteral("dxPreview"))->hide();
    const QString answerFile = WorkFile(env, QStringLiteral("tempw3c.htm"));
    Validate(env);
    QCOMPARE(TTestEnv::ReadFile(answerFile), longer);
    Validate(env);
    QCOMPARE(TTestEnv::ReadFile(answerFile), shorter);
    QCOMPARE(server.Requests.size(), 2);
    QCOMPARE(HeaderValue(server.Requests[1], "Cookie"), QByteArray("session=42"));
    QCOMPARE(env.Prompts.Unexpected, QStringList());
    QVERIFY(w.Dock(QStringLiteral("dxPreview"))->isHidden());

    w.Action("mShowPreview")->trigger();
    QTRY_COMPARE(w.Preview().Browser()->title(), QStringLiteral("short"));
  }

  void failuresLeaveTheStatusAndTheLastAnswer_data() {
    QTest::addColumn<QString>("setup");
    QTest::addColumn<std::optional<QByteArray>>("answer");
    // How the progress box is answered: "wait", "cancel", or "" when it does not come up.
    QTest::addColumn<QString>("progress");
    QTest::addColumn<QString>("message");
    // Whether the sheet reached the server: 1 yes, 0 no, -1 either (the cancel may come before
    // or after the request is out).
    QTest::addColumn<int>("reached");
    const std::optional<QByteArray> silent;
    QTest::newRow("server error") << QString()
                                  << std::optional<QByteArray>(
                                         Answer("500 Internal Server Error", "it broke"))
                                  << "wait"
                                  << "server replied: Internal Server Error" << 1;
    QTest::newRow("closed connection")
        << QString() << std::optional<QByteArray>(QByteArray()) << "wait"
        << "closed" << 1;
    QTest::newRow("never answers") << QString() << silent << "wait"
                                   << "127.0.0.1 did not answer within 1" << 1;
    // Cancel is the user's choice: no box.
    QTest::newRow("cancelled") << QString() << silent << "cancel" << QString() << -1;
    // The box names the service and its address, not only what went wrong.
    QTest::newRow("refused") << "refused" << silent << "wait"
                             << "W3C CSS Validation Service at http://127.0.0.1:" << 0;
    QTest::newRow("not a web address")
        << "address" << silent << ""
        << "The validator address \"jigsaw.w3.org/css-validator\" is not a web address." << 0;
    QTest::newRow("sheet file not writable") << "tempw3c.css" << silent << ""
                                             << "Cannot create file" << 0;
    QTest::newRow("answer file not writable")
        << "tempw3c.htm" << std::optional<QByteArray>(Answer("200 OK", kAnswerPage)) << "wait"
        << "Cannot create file" << 1;
  }
  void failuresLeaveTheStatusAndTheLastAnswer() {
    QFETCH(QString, setup);
    QFETCH(std::optional<QByteArray>, answer);
    QFETCH(QString, progress);
    QFETCH(QString, message);
    QFETCH(int, reached);
    TTestServer server([&answer](const QByteArray&) { return answer; });
    TTestEnv env;
    Setting::ValidatorTimeout.Write(*env.Settings, 1);
    QUrl url = server.Url(kValidatorPath);
    if (setup == QStringLiteral("refused")) {
      server.Close();
    } else if (setup == QStringLiteral("address")) {
      url = QUrl(QStringLiteral("jigsaw.w3.org/css-validator"));
    }
    TFrmMain& w = MakeWindow(env, url);
    const QString answerFile = WorkFile(env, QStringLiteral("tempw3c.htm"));
    const QByteArray lastAnswer = "<html>the last answer</html>";
    env.WriteFile(QStringLiteral("work/tempw3c.htm"), lastAnswer);
    if (setup.startsWith(QStringLiteral("tempw3c."))) {
      // A folder in the file's place cannot be replaced by a file.
      QFile::remove(WorkFile(env, setup));
      QVERIFY(QDir(env.Platform.WorkFolder).mkdir(setup));
    }
    w.Tabs().OpenOperation(env.WriteFile(QStringLiteral("a.css"), "p { color: red }"));
    if (!progress.isEmpty()) {
      env.Prompts.AnswerProgress(progress == QStringLiteral("cancel") ? TProgressAnswer::Cancel
                                                                      : TProgressAnswer::Wait);
    }
    if (!message.isEmpty()) {
      env.Prompts.AnswerMessage(TButton::Ok);
    }
    const QString caretStatus = w.StatusText();
    Trigger(w.Action("acValidate"));

    // The reason in a box, and the status back at the caret's place.
    QCOMPARE(env.Prompts.Unexpected, QStringList());
    QCOMPARE(env.Prompts.Asked.size(), (progress.isEmpty() ? 0 : 1) + (message.isEmpty() ? 0 : 1));
    if (!message.isEmpty()) {
      QVERIFY2(env.Prompts.Asked.back().contains(message, Qt::CaseInsensitive),
               qPrintable(env.Prompts.Asked.back()));
    }
    QCOMPARE(w.StatusText(), caretStatus);
    // The HTTP client sends the post again once when a connection closes without an answer.
    if (reached >= 0) {
      QCOMPARE(!server.Requests.isEmpty(), reached == 1);
    }
    if (setup != QStringLiteral("tempw3c.htm")) {
      QCOMPARE(TTestEnv::ReadFile(answerFile), lastAnswer);
    }
    // The sheet's own page, shown when it was opened, stays.
    QVERIFY(w.Preview().Browser() != nullptr);
    QVERIFY(w.Preview().Browser()->url() != QUrl::fromLocalFile(answerFile));
    QVERIFY(!env.FormPoster.Busy());
  }

  void withoutADocumentNothingIsSent() {
    TTestServer server([](const QByteArray&) { return Answer("200 OK", kAnswerPage); });
    TTestEnv env;
    TFrmMain& w = MakeWindow(env, server.Url(kValidatorPath));
    const QString status = w.StatusText();
    Trigger(w.Action("acValidate"));
    QCOMPARE(env.Prompts.Asked, QStringList());
    QCOMPARE(w.StatusText(), status);
    QVERIFY(QDir(env.Platform.WorkFolder).entryList({QStringLiteral("tempw3c.*")}).isEmpty());
    QCOMPARE(server.Requests.size(), 0);
  }
};

QM_TEST_MAIN(TestValidation)
#include "tst_validation.moc"
