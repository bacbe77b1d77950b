// SPDX-License-Identifier: GPL-3.0-or-later
#include "testhttpserver.h"

#include <QTcpSocket>

namespace qm {

TTestServer::TTestServer(TRespond respond) : Respond(std::move(respond)) {
  if (!Server.listen(QHostAddress::LocalHost, 0)) {
    qFatal("cannot listen on 127.0.0.1");
  }
  QObject::connect(&Server, &QTcpServer::newConnection, &Server, [this] {
    while (QTcpSocket* socket = Server.nextPendingConnection()) {
      QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { Read(socket); });
      QObject::connect(socket, &QTcpSocket::disconnected, socket, [this, socket] {
        ++Disconnects;
        socket->deleteLater();
      });
    }
  });
}

QUrl TTestServer::Url(const QString& path) const {
  return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(Server.serverPort()).arg(path));
}

void TTestServer::Read(QTcpSocket* socket) {
  QByteArray& buffer = Buffers[socket];
  buffer += socket->readAll();
  const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
  if (headerEnd < 0) {
    return;
  }
  qsizetype length = 0;
  for (const QByteArray& line : buffer.left(headerEnd).split('\n')) {
    if (line.toLower().startsWith("content-length:")) {
      length = line.mid(15).trimmed().toLongLong();
    }
  }
  if (buffer.size() < headerEnd + 4 + length) {
    return;
  }
  const QByteArray request = buffer.left(headerEnd + 4 + length);
  buffer.remove(0, request.size());
  Requests << request;
  const std::optional<QByteArray> answer = Respond(request);
  if (!answer) {
    return;
  }
  socket->write(*answer);
  socket->disconnectFromHost();
}

QByteArray Answer(const QByteArray& status, const QByteArray& body, const QByteArray& headers) {
  return "HTTP/1.1 " + status +
         "\r\nContent-Type: text/html\r\nContent-Length: " + QByteArray::number(body.size()) +
         "\r\n" + headers + "Connection: close\r\n\r\n" + body;
}

QByteArray HeaderValue(const QByteArray& message, const QByteArray& name) {
  const QByteArray head = message.left(message.indexOf("\r\n\r\n"));
  for (const QByteArray& line : head.split('\n')) {
    if (line.toLower().startsWith(name.toLower() + ':')) {
      return line.mid(name.size() + 1).trimmed();
    }
  }
  return {};
}

QList<TReceivedPart> Parts(const QByteArray& request) {
  const QByteArray type = HeaderValue(request, "Content-Type");
  const QByteArray boundary = "--" + type.mid(type.indexOf("boundary=") + 9).replace('"', "");
  const QByteArray body = request.mid(request.indexOf("\r\n\r\n") + 4);
  QList<TReceivedPart> parts;
  qsizetype at = body.indexOf(boundary);
  while (at >= 0 && body.mid(at + boundary.size(), 2) == "\r\n") {
    const qsizetype start = at + boundary.size() + 2;
    const qsizetype next = body.indexOf("\r\n" + boundary, start);
    const QByteArray part = body.mid(start, next - start);
    const qsizetype split = part.indexOf("\r\n\r\n");
    parts.push_back({HeaderValue(part.left(split) + "\r\n\r\n", "Content-Disposition"),
                     HeaderValue(part.left(split) + "\r\n\r\n", "Content-Type"),
                     part.mid(split + 4)});
    at = next + 2;
  }
  return parts;
}

}  // namespace qm
