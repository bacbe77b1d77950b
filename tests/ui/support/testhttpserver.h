// SPDX-License-Identifier: GPL-3.0-or-later
// An HTTP server on 127.0.0.1 inside a test: it records every raw request and answers, closes or
// keeps silent as the test tells it; and readers of the requests it recorded.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QTcpServer>
#include <QUrl>
#include <functional>
#include <optional>

class QTcpSocket;

namespace qm {

// What the server does with a complete request: send the bytes, close the connection when they
// are empty, or keep silent when there are none.
using TRespond = std::function<std::optional<QByteArray>(const QByteArray& request)>;

class TTestServer {
 public:
  explicit TTestServer(TRespond respond);

  // The address of path on this server.
  QUrl Url(const QString& path) const;
  // Stops listening: connections to Url are refused from now on.
  void Close() { Server.close(); }

  QList<QByteArray> Requests;
  int Disconnects = 0;

 private:
  void Read(QTcpSocket* socket);

  TRespond Respond;
  QTcpServer Server;
  QHash<QTcpSocket*, QByteArray> Buffers;
};

// A whole HTTP/1.1 answer with its length, after which the server closes the connection.
QByteArray Answer(const QByteArray& status, const QByteArray& body, const QByteArray& headers = {});

// The value of the header name in a request or part head; empty when it has none.
QByteArray HeaderValue(const QByteArray& message, const QByteArray& name);

struct TReceivedPart {
  QByteArray Disposition;
  QByteArray ContentType;
  QByteArray Content;
};

// The parts of a multipart/form-data request, in the order they were sent.
QList<TReceivedPart> Parts(const QByteArray& request);

}  // namespace qm
