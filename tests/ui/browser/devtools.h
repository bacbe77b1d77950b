// SPDX-License-Identifier: GPL-3.0-or-later
// A real browser for tests and benchmarks: Chromium without a window, one page of it driven over
// its DevTools protocol (a WebSocket), while the event loop keeps running for the program.
#pragma once

#include <QHash>
#include <QJsonObject>
#include <QJsonValue>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QWebSocket>

namespace qm {

class TDevTools {
 public:
  TDevTools() = default;
  ~TDevTools();
  TDevTools(const TDevTools&) = delete;
  TDevTools& operator=(const TDevTools&) = delete;

  // The Chromium program, empty when it is not installed.
  static QString Program();
  // Starts the browser on a page showing address; false, with Error() saying why, when it could
  // not be started or reached within timeout milliseconds.
  bool Start(const QString& address, int timeout = 60000);
  const QString& Error() const { return Error_; }
  // The value of a JavaScript expression in the page; undefined when there is no answer in time.
  QJsonValue Evaluate(const QString& expression, int timeout = 10000);

 private:
  QJsonObject Call(const QString& method, const QJsonObject& params, int timeout);

  QProcess Process;
  // Short paths: the browser's own sockets live in them, and a socket's path is short.
  QTemporaryDir Profile{QStringLiteral("/tmp/quillmere-browser-XXXXXX")};
  QWebSocket Socket;
  QString Session;
  int NextId = 1;
  QHash<int, QJsonObject> Answers;
  QString Error_;
};

}  // namespace qm
