// SPDX-License-Identifier: GPL-3.0-or-later
#include "devtools.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStandardPaths>
#include <QTest>

namespace qm {

TDevTools::~TDevTools() {
  Socket.close();
  if (Process.state() != QProcess::NotRunning) {
    Process.kill();
    Process.waitForFinished(5000);
  }
}

QString TDevTools::Program() {
  return QStandardPaths::findExecutable(QStringLiteral("chromium"));
}

bool TDevTools::Start(const QString& address, int timeout) {
  QDeadlineTimer deadline(timeout);
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("TMPDIR"), Profile.path());
  Process.setProcessEnvironment(environment);
  // As root Chromium runs only without its sandbox; a fresh profile asks nothing.
  Process.start(Program(), {QStringLiteral("--headless=new"), QStringLiteral("--no-sandbox"),
                            QStringLiteral("--disable-gpu"), QStringLiteral("--no-first-run"),
                            QStringLiteral("--remote-debugging-port=0"),
                            QStringLiteral("--user-data-dir=") + Profile.path(),
                            QStringLiteral("about:blank")});
  const QString portFile = QDir(Profile.path()).filePath(QStringLiteral("DevToolsActivePort"));
  QStringList lines;
  (void)QTest::qWaitFor(
      [&] {
        QFile file(portFile);
        if (file.open(QIODevice::ReadOnly)) {
          lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
        }
        return lines.size() >= 2 || Process.state() == QProcess::NotRunning;
      },
      static_cast<int>(deadline.remainingTime()));
  if (lines.size() < 2) {
    Error_ = QStringLiteral("Chromium did not start: ") + Process.readAllStandardError().right(500);
    return false;
  }
  QObject::connect(&Socket, &QWebSocket::textMessageReceived, [this](const QString& text) {
    const QJsonObject message = QJsonDocument::fromJson(text.toUtf8()).object();
    if (message.contains(QStringLiteral("id"))) {
      Answers.insert(message.value(QStringLiteral("id")).toInt(), message);
    }
  });
  Socket.open(
      QUrl(QStringLiteral("ws://127.0.0.1:%1%2").arg(lines[0].trimmed(), lines[1].trimmed())));
  if (!QTest::qWaitFor([this] { return Socket.state() == QAbstractSocket::ConnectedState; },
                       static_cast<int>(deadline.remainingTime()))) {
    Error_ = QStringLiteral("No DevTools connection: ") + Socket.errorString();
    return false;
  }
  const QString target =
      Call(QStringLiteral("Target.createTarget"), {{QStringLiteral("url"), address}}, 10000)
          .value(QStringLiteral("targetId"))
          .toString();
  Session = Call(QStringLiteral("Target.attachToTarget"),
                 {{QStringLiteral("targetId"), target}, {QStringLiteral("flatten"), true}}, 10000)
                .value(QStringLiteral("sessionId"))
                .toString();
  if (Session.isEmpty()) {
    Error_ = QStringLiteral("No page in the browser");
    return false;
  }
  return true;
}

QJsonObject TDevTools::Call(const QString& method, const QJsonObject& params, int timeout) {
  const int id = NextId++;
  QJsonObject message{{QStringLiteral("id"), id},
                      {QStringLiteral("method"), method},
                      {QStringLiteral("params"), params}};
  if (!Session.isEmpty()) {
    message.insert(QStringLiteral("sessionId"), Session);
  }
  Socket.sendTextMessage(QString::fromUtf8(QJsonDocument(message).toJson(QJsonDocument::Compact)));
  (void)QTest::qWaitFor([this, id] { return Answers.contains(id); }, timeout);
  return Answers.take(id).value(QStringLiteral("result")).toObject();
}

QJsonValue TDevTools::Evaluate(const QString& expression, int timeout) {
  return Call(QStringLiteral("Runtime.evaluate"),
              {{QStringLiteral("expression"), expression}, {QStringLiteral("returnByValue"), true}},
              timeout)
      .value(QStringLiteral("result"))
      .toObject()
      .value(QStringLiteral("value"));
}

}  // namespace qm
