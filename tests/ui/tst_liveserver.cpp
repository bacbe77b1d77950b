// SPDX-License-Identifier: GPL-3.0-or-later
// The live preview's server, with a real HTTP client: it answers only on the loopback address,
// only behind its token, only GET and HEAD, only files inside the page's folder, and it turns away
// what is malformed, oversized, slow or too many without keeping the program waiting.
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QNetworkInterface>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "platform/liveserver.h"
#include "rawhttp.h"
#include "testenv.h"

using namespace qm;

namespace {

// A site folder with a page, a sheet, an image in a subfolder, and beside it a file that must
// never be served, plus a link from inside that points to it.
struct TSiteFolder {
  TSiteFolder() {
    QDir root(Dir.path());
    root.mkpath(QStringLiteral("site/img"));
    Write(QStringLiteral("site/index.html"), "<html><head></head><body>own</body></html>");
    Write(QStringLiteral("site/style.css"), "p { color: red }");
    Write(QStringLiteral("site/img/dot.png"), QByteArray("\x89PNG\r\n\x1a\n", 8));
    Write(QStringLiteral("site/big.bin"), QByteArray(8 * 1024 * 1024, 'x'));
    Write(QStringLiteral("secret.txt"), "secret");
    QFile::link(root.filePath(QStringLiteral("secret.txt")),
                root.filePath(QStringLiteral("site/link.txt")));
    QFile::link(root.path(), root.filePath(QStringLiteral("site/up")));
  }
  void Write(const QString& name, const QByteArray& bytes) const {
    QFile file(QDir(Dir.path()).filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  QString Folder() const { return QDir(Dir.path()).filePath(QStringLiteral("site")); }
  // Every file below the folder with its size and time: what the server must leave alone.
  QStringList State() const {
    QStringList state;
    QDirIterator it(Dir.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
      const QFileInfo info(it.next());
      state << info.filePath() + QLatin1Char(' ') + QString::number(info.size()) +
                   QLatin1Char(' ') + info.lastModified().toString(Qt::ISODateWithMs);
    }
    state.sort();
    return state;
  }
  QTemporaryDir Dir;
};

TLiveSite UsersPage(const TSiteFolder& folder) {
  TLiveSite site;
  site.Folder = folder.Folder();
  site.PageName = QStringLiteral("index.html");
  site.Page = [] { return QByteArray("<html>the page</html>"); };
  return site;
}

}  // namespace

class TestLiveServer : public QObject {
  Q_OBJECT

 private slots:
  void answersOnlyWhatTheSiteHolds() {
    TSiteFolder folder;
    TLiveServer server;
    server.Start(UsersPage(folder));
    const quint16 port = server.Port();
    const QString t = QLatin1Char('/') + server.Token();
    QVERIFY(server.Address().startsWith(QStringLiteral("http://127.0.0.1:%1%2/").arg(port).arg(t)));
    QVERIFY(server.Address().endsWith(QStringLiteral("/index.html")));
    const QByteArray host = "127.0.0.1:" + QByteArray::number(port);
    const struct {
      const char* name;
      QByteArray request;
      int status;
      QByteArray type;
      QByteArray body;
    } cases[] = {
        {"page", Get(t + "/index.html", port), 200, "text/html", "<html>the page</html>"},
        {"site root", Get(t + "/", port), 200, "text/html", "<html>the page</html>"},
        {"sheet", Get(t + "/style.css?v=1", port), 200, "text/css", "p { color: red }"},
        {"image", Get(t + "/img/dot.png", port), 200, "image/png",
         QByteArray("\x89PNG\r\n\x1a\n", 8)},
        {"head", Get(t + "/style.css", port, "HEAD"), 200, "text/css", ""},
        {"localhost",
         "GET " + t.toUtf8() +
             "/style.css HTTP/1.0\r\nHost: localhost:" + QByteArray::number(port) + "\r\n\r\n",
         200, "text/css", "p { color: red }"},
        {"no token", Get(QStringLiteral("/index.html"), port), 404, "text/plain", "404\n"},
        {"wrong token", Get(QStringLiteral("/0123456789abcdef/index.html"), port), 404, "", ""},
        {"token cut short", Get(t.chopped(1) + "/index.html", port), 404, "", ""},
        {"no such file", Get(t + "/none.css", port), 404, "", ""},
        {"folder", Get(t + "/img/", port), 404, "", ""},
        {"folder without slash", Get(t + "/img", port), 404, "", ""},
        {"dot dot", Get(t + "/../secret.txt", port), 404, "", ""},
        {"dot dot inside", Get(t + "/img/../../secret.txt", port), 404, "", ""},
        {"escaped dot dot", Get(t + "/%2e%2e/secret.txt", port), 404, "", ""},
        {"escaped slash", Get(t + "/img%2f..%2f..%2fsecret.txt", port), 404, "", ""},
        {"backslash", Get(t + "/..\\secret.txt", port), 404, "", ""},
        {"escaped backslash", Get(t + "/..%5csecret.txt", port), 404, "", ""},
        {"absolute path", Get(t + "//etc/passwd", port), 404, "", ""},
        {"link out of the folder", Get(t + "/link.txt", port), 404, "", ""},
        {"folder link out of the folder", Get(t + "/up/secret.txt", port), 404, "", ""},
        {"post", "POST " + t.toUtf8() + "/index.html HTTP/1.1\r\nHost: " + host + "\r\n\r\n", 405,
         "", ""},
        {"put", "PUT " + t.toUtf8() + "/x.css HTTP/1.1\r\nHost: " + host + "\r\n\r\n", 405, "", ""},
        {"delete", "DELETE " + t.toUtf8() + "/style.css HTTP/1.1\r\nHost: " + host + "\r\n\r\n",
         405, "", ""},
        {"rebound name",
         "GET " + t.toUtf8() +
             "/style.css HTTP/1.1\r\nHost: evil.example:" + QByteArray::number(port) + "\r\n\r\n",
         403, "", ""},
        {"other port", "GET " + t.toUtf8() + "/style.css HTTP/1.1\r\nHost: 127.0.0.1:1\r\n\r\n",
         403, "", ""},
        {"no host", "GET " + t.toUtf8() + "/style.css HTTP/1.1\r\n\r\n", 400, "", ""},
        {"not http", "HELLO\r\n\r\n", 400, "", ""},
        {"binary", QByteArray("\x16\x03\x01\x00\xa5\x01\x00\x00\r\n\r\n", 12), 400, "", ""},
        {"head too large",
         Get(t + "/style.css", port).replace("User-Agent: test", "X: " + QByteArray(20000, 'a')),
         431, "", ""},
    };
    for (const auto& c : cases) {
      const TRawAnswer answer = Exchange(port, c.request);
      QVERIFY2(answer.Closed, c.name);
      QVERIFY2(answer.Status() == c.status, c.name);
      if (!c.type.isEmpty()) {
        QVERIFY2(answer.Header("Content-Type") == c.type, c.name);
        QVERIFY2(answer.Body() == c.body, c.name);
      }
      QVERIFY2(answer.Header("X-Content-Type-Options") == "nosniff", c.name);
    }
    QCOMPARE(Exchange(port, Get(t + "/style.css", port, "HEAD")).Header("Content-Length"),
             QByteArray("16"));
  }

  // Only the loopback address, only while the preview runs, a new port and token each time.
  void listensOnTheLoopbackAddressWhileLive() {
    TSiteFolder folder;
    TLiveServer server;
    QVERIFY(!server.Listening());
    server.Start(UsersPage(folder));
    const quint16 port = server.Port();
    const QString token = server.Token();
    QCOMPARE(token.size(), 32);
    QCOMPARE(Exchange(port, Get(QLatin1Char('/') + token + "/", port)).Status(), 200);
    for (const QHostAddress& address : QNetworkInterface::allAddresses()) {
      if (address.isLoopback() || address.protocol() != QAbstractSocket::IPv4Protocol) {
        continue;
      }
      QTcpSocket outside;
      outside.connectToHost(address, port);
      QVERIFY(QTest::qWaitFor(
          [&outside] { return outside.state() == QAbstractSocket::UnconnectedState; }, 5000));
      QVERIFY2(outside.error() == QAbstractSocket::ConnectionRefusedError,
               qPrintable(address.toString()));
    }
    server.Stop();
    const TRawAnswer after = Exchange(port, Get(QLatin1Char('/') + token + "/", port));
    QVERIFY(after.Closed);
    QCOMPARE(after.Status(), 0);
    server.Start(UsersPage(folder));
    QVERIFY(server.Token() != token);
  }

  // Every open page gets each new text, one arriving later the current one; a client that takes
  // nothing is sent only the newest text when it does.
  void theEventStreamCarriesTheNewestText() {
    TSiteFolder folder;
    TLiveServer server;
    server.Start(UsersPage(folder));
    server.Publish("p { color: red }");
    const QString events = QLatin1Char('/') + server.Token() + "/.quillmere-live";
    TEventClient first(server.Port(), events);
    TEventClient second(server.Port(), events);
    QTRY_COMPARE(first.LastText(), QStringLiteral("p { color: red }"));
    QTRY_COMPARE(second.Events(), 1);
    server.Publish("p {\r\n  color: blue\r\n}\r\n");
    QTRY_COMPARE(first.LastText(), QStringLiteral("p {\n  color: blue\n}\n"));
    QTRY_COMPARE(second.LastText(), QStringLiteral("p {\n  color: blue\n}\n"));
    TEventClient later(server.Port(), events);
    QTRY_COMPARE(later.LastText(), QStringLiteral("p {\n  color: blue\n}\n"));
    QCOMPARE(server.Streams(), 3);
    server.Stop();
    QTRY_VERIFY(first.Closed());
  }

  // Slow, silent, greedy and many clients each get an error or a close; meanwhile the server
  // answers a browser at once and nothing is written.
  void badClientsAreTurnedAwayAndTheProgramStaysResponsive() {
    TSiteFolder folder;
    const QStringList before = folder.State();
    TLiveServer server;
    server.SetTimeouts(400, 400);
    server.Start(UsersPage(folder));
    const quint16 port = server.Port();
    const QString t = QLatin1Char('/') + server.Token();
    std::vector<std::unique_ptr<QTcpSocket>> clients;
    for (int i = 0; i < 200; ++i) {
      auto socket = std::make_unique<QTcpSocket>();
      QTcpSocket* s = socket.get();
      // Some send nothing, some half a request, some a large file they never read.
      QObject::connect(s, &QTcpSocket::connected, s, [s, i, t, port] {
        if (i % 3 == 1) {
          s->write("GET " + t.toUtf8() + "/index.html HTTP/1.1\r\nHost: 127.0.0.1:");
        } else if (i % 3 == 2) {
          s->write(Get(t + "/big.bin", port));
        }
      });
      if (i % 3 == 2) {
        s->setReadBufferSize(1);
      }
      s->connectToHost(QStringLiteral("127.0.0.1"), port);
      clients.push_back(std::move(socket));
    }
    // A browser is answered at once all the same, and timers keep firing on time.
    QElapsedTimer timer;
    timer.start();
    const TRawAnswer answer = Exchange(port, Get(t + "/style.css", port), 3000);
    QCOMPARE(answer.Status(), 200);
    QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
    QElapsedTimer tick;
    tick.start();
    QTest::qWait(50);
    QVERIFY(tick.elapsed() < 500);
    // Every one of them is closed: with an error when it sent something, or after its time; one
    // that reads nothing does not notice, but the server holds nothing for it any more.
    QTRY_COMPARE_WITH_TIMEOUT(server.Clients(), 0, 10000);
    for (size_t i = 0; i < clients.size(); i += 3) {
      QTRY_VERIFY_WITH_TIMEOUT(clients[i]->state() == QAbstractSocket::UnconnectedState, 5000);
      QTRY_VERIFY_WITH_TIMEOUT(clients[i + 1]->state() == QAbstractSocket::UnconnectedState, 5000);
    }
    QCOMPARE(folder.State(), before);
  }
};

QM_TEST_MAIN(TestLiveServer)
#include "tst_liveserver.moc"
