// SPDX-License-Identifier: GPL-3.0-or-later
// The HTTP form poster against a server on 127.0.0.1 inside the test, which records every raw
// request and answers, closes or keeps silent as each test tells it.
#include <QNetworkProxy>
#include <QSignalSpy>
#include <QTest>

#include "platform/httpformpost.h"
#include "testhttpserver.h"

using namespace qm;

namespace {

const QByteArray kSheet = "a { color: red }\r\n/* caf\xc3\xa9 \xe9 */\r\n";

TFormPost ValidationForm(const QUrl& url) {
  return {url,
          {{"file", kSheet, QStringLiteral("/tmp/work/tempw3c.css"), "text/css"},
           {"warning", "2", {}, {}},
           {"profile", "css2", {}, {}},
           {"usermedium", "all", {}, {}}},
          {{"Accept", "text/html, */*"}}};
}

THttpAnswer Received(const QSignalSpy& spy) {
  return qvariant_cast<THttpAnswer>(spy.last().at(0));
}

}  // namespace

class TestHttpFormPost : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    // A proxy from the environment must not take the test's requests elsewhere.
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
  }

  void theFormArrivesInOrderAndTheAnswerComesBack() {
    const QByteArray page = "<html>\x01\x02 valid \xff</html>";
    TTestServer server([&page](const QByteArray&) { return Answer("200 OK", page); });
    TNetworkFormPoster poster;
    QSignalSpy finished(&poster, &THttpFormPoster::Finished);
    poster.Post(ValidationForm(server.Url(QStringLiteral("/css-validator/validator"))));
    QVERIFY(poster.Busy());
    QVERIFY(finished.wait(10000));
    QCOMPARE(finished.count(), 1);
    QVERIFY(!poster.Busy());
    QCOMPARE(Received(finished).Error, QString());
    QCOMPARE(Received(finished).Body, page);

    QCOMPARE(server.Requests.size(), 1);
    const QByteArray& request = server.Requests.front();
    QVERIFY2(request.startsWith("POST /css-validator/validator HTTP/1.1\r\n"), request.constData());
    QCOMPARE(HeaderValue(request, "Accept"), QByteArray("text/html, */*"));
    QVERIFY(HeaderValue(request, "Content-Type").startsWith("multipart/form-data; boundary="));
    const QList<TReceivedPart> parts = Parts(request);
    QCOMPARE(parts.size(), 4);
    QCOMPARE(parts[0].Disposition,
             QByteArray(R"(form-data; name="file"; filename="/tmp/work/tempw3c.css")"));
    QCOMPARE(parts[0].ContentType, QByteArray("text/css"));
    QCOMPARE(parts[0].Content, kSheet);
    const QList<QByteArray> fields[] = {
        {"warning", "2"}, {"profile", "css2"}, {"usermedium", "all"}};
    for (int i = 0; i < 3; ++i) {
      QCOMPARE(parts[i + 1].Disposition, "form-data; name=\"" + fields[i][0] + '"');
      QCOMPARE(parts[i + 1].ContentType, QByteArray());
      QCOMPARE(parts[i + 1].Content, fields[i][1]);
    }
  }

  void quotesInNamesCannotEndTheParameter() {
    TTestServer server([](const QByteArray&) { return Answer("200 OK", "ok"); });
    TNetworkFormPoster poster;
    QSignalSpy finished(&poster, &THttpFormPoster::Finished);
    poster.Post({server.Url(QStringLiteral("/")),
                 {{"a\"b", "x", QStringLiteral("my \"sheet\"\r\n.css"), "text/css"}},
                 {}});
    QVERIFY(finished.wait(10000));
    QCOMPARE(Parts(server.Requests.front()).front().Disposition,
             QByteArray(R"(form-data; name="a%22b"; filename="my %22sheet%22%0D%0A.css")"));
  }

  void redirectsAreFollowedAndCookiesKept() {
    TTestServer server([](const QByteArray& request) {
      return request.contains(" /validator ")
                 ? Answer("303 See Other", {},
                          "Location: /answer\r\nSet-Cookie: session=42; Path=/\r\n")
                 : Answer("200 OK", "the answer");
    });
    TNetworkFormPoster poster;
    QSignalSpy finished(&poster, &THttpFormPoster::Finished);
    poster.Post(ValidationForm(server.Url(QStringLiteral("/validator"))));
    QVERIFY(finished.wait(10000));
    QCOMPARE(Received(finished).Body, QByteArray("the answer"));
    QCOMPARE(server.Requests.size(), 2);
    QVERIFY(server.Requests[1].contains(" /answer "));

    poster.Post(ValidationForm(server.Url(QStringLiteral("/validator"))));
    QVERIFY(finished.wait(10000));
    QCOMPARE(server.Requests.size(), 4);
    QCOMPARE(HeaderValue(server.Requests[2], "Cookie"), QByteArray("session=42"));
  }

  void failuresArriveAsErrors_data() {
    QTest::addColumn<std::optional<QByteArray>>("answer");
    QTest::addColumn<QString>("message");
    QTest::newRow("server error") << std::optional<QByteArray>(
                                         Answer("500 Internal Server Error", "it broke"))
                                  << "Internal Server Error";
    QTest::newRow("not found") << std::optional<QByteArray>(Answer("404 Not Found", "gone"))
                               << "Not Found";
    QTest::newRow("closed connection") << std::optional<QByteArray>(QByteArray()) << "closed";
    QTest::newRow("never answers") << std::optional<QByteArray>() << "did not answer within 0.3";
  }
  void failuresArriveAsErrors() {
    QFETCH(std::optional<QByteArray>, answer);
    QFETCH(QString, message);
    TTestServer server([&answer](const QByteArray&) { return answer; });
    TNetworkFormPoster poster;
    poster.SetTimeout(std::chrono::milliseconds(300));
    QSignalSpy finished(&poster, &THttpFormPoster::Finished);
    poster.Post(ValidationForm(server.Url(QStringLiteral("/css-validator/validator"))));
    QVERIFY(finished.wait(10000));
    QCOMPARE(finished.count(), 1);
    QVERIFY(!poster.Busy());
    const THttpAnswer received = Received(finished);
    QVERIFY2(received.Error.contains(message, Qt::CaseInsensitive), qPrintable(received.Error));
    QVERIFY(!received.Ok());
    QCOMPARE(received.Body, QByteArray());
  }

  void cancelDropsThePostAndTheConnection() {
    TTestServer server([](const QByteArray& request) {
      return request.contains(" /slow ") ? std::nullopt
                                         : std::optional<QByteArray>(Answer("200 OK", "quick"));
    });
    TNetworkFormPoster poster;
    QSignalSpy finished(&poster, &THttpFormPoster::Finished);
    poster.Post(ValidationForm(server.Url(QStringLiteral("/slow"))));
    QTRY_COMPARE(server.Requests.size(), 1);
    poster.Cancel();
    QVERIFY(!poster.Busy());
    QTRY_COMPARE(server.Disconnects, 1);
    QCOMPARE(finished.count(), 0);

    // The poster is ready for the next post, and only that one finishes.
    poster.Post(ValidationForm(server.Url(QStringLiteral("/quick"))));
    QVERIFY(finished.wait(10000));
    QCOMPARE(finished.count(), 1);
    QCOMPARE(Received(finished).Body, QByteArray("quick"));
  }
};

QTEST_GUILESS_MAIN(TestHttpFormPost)
#include "tst_httpformpost.moc"
