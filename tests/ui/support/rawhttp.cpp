// SPDX-License-Identifier: GPL-3.0-or-later
#include "rawhttp.h"

#include <QTest>

namespace qm {

int TRawAnswer::Status() const {
  const QList<QByteArray> words = Bytes.left(Bytes.indexOf('\n')).split(' ');
  return words.size() > 1 ? words[1].toInt() : 0;
}

QByteArray TRawAnswer::Header(const QByteArray& name) const {
  const QByteArray head = Bytes.left(Bytes.indexOf("\r\n\r\n"));
  for (const QByteArray& line : head.split('\n')) {
    const qsizetype colon = line.indexOf(':');
    if (colon > 0 && line.left(colon).trimmed().toLower() == name.toLower()) {
      return line.mid(colon + 1).trimmed();
    }
  }
  return {};
}

QByteArray TRawAnswer::Body() const {
  const qsizetype end = Bytes.indexOf("\r\n\r\n");
  return end < 0 ? QByteArray() : Bytes.mid(end + 4);
}

TRawAnswer Exchange(quint16 port, const QByteArray& request, int timeout) {
  TRawAnswer answer;
  QTcpSocket socket;
  QObject::connect(&socket, &QTcpSocket::readyRead, [&] { answer.Bytes += socket.readAll(); });
  QObject::connect(&socket, &QTcpSocket::connected, [&] { socket.write(request); });
  socket.connectToHost(QStringLiteral("127.0.0.1"), port);
  answer.Closed =
      QTest::qWaitFor([&] { return socket.state() == QAbstractSocket::UnconnectedState; }, timeout);
  answer.Bytes += socket.readAll();
  return answer;
}

QByteArray Get(const QString& target, quint16 port, const QByteArray& method) {
  return method + ' ' + target.toUtf8() +
         " HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(port) +
         "\r\nUser-Agent: test\r\n\r\n";
}

TEventClient::TEventClient(quint16 port, const QString& target) {
  QObject::connect(&Socket, &QTcpSocket::readyRead, [this] { Received += Socket.readAll(); });
  QObject::connect(&Socket, &QTcpSocket::connected,
                   [this, port, target] { Socket.write(Get(target, port)); });
  Socket.connectToHost(QStringLiteral("127.0.0.1"), port);
}

int TEventClient::Events() const {
  const qsizetype head = Received.indexOf("\r\n\r\n");
  return head < 0 ? 0 : static_cast<int>(Received.mid(head + 4).count("\n\n"));
}

QString TEventClient::LastText() const {
  const qsizetype head = Received.indexOf("\r\n\r\n");
  if (head < 0) {
    return {};
  }
  const QByteArray stream = Received.mid(head + 4);
  const qsizetype end = stream.lastIndexOf("\n\n");
  if (end < 0) {
    return {};
  }
  const qsizetype start = stream.lastIndexOf("\n\n", end - 1);
  QStringList lines;
  for (const QByteArray& line :
       stream.mid(start < 0 ? 0 : start + 2, end - (start < 0 ? 0 : start + 2)).split('\n')) {
    lines << QString::fromUtf8(line.mid(6));  // after "data: "
  }
  return lines.join(QLatin1Char('\n'));
}

}  // namespace qm
