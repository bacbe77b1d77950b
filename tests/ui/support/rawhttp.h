// SPDX-License-Identifier: GPL-3.0-or-later
// A plain HTTP client for tests of the live preview's server: sends raw bytes and takes what comes
// back, while the event loop keeps running for the server in the same program.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTcpSocket>

namespace qm {

struct TRawAnswer {
  QByteArray Bytes;
  bool Closed = false;  // the server closed the connection
  // The status of the answer's first line, 0 when there is none.
  int Status() const;
  QByteArray Header(const QByteArray& name) const;
  QByteArray Body() const;
};

// Sends request to the server at 127.0.0.1:port and takes the answer until the connection closes,
// or until timeout milliseconds have passed.
TRawAnswer Exchange(quint16 port, const QByteArray& request, int timeout = 5000);
// A GET request for target with the Host a browser sends to that port.
QByteArray Get(const QString& target, quint16 port, const QByteArray& method = "GET");

// An event stream kept open, as a browser page keeps it.
class TEventClient {
 public:
  TEventClient(quint16 port, const QString& target);
  // The text of the last whole event received, its lines joined by LF; empty before the first.
  QString LastText() const;
  int Events() const;
  bool Closed() const { return Socket.state() == QAbstractSocket::UnconnectedState; }

 private:
  QTcpSocket Socket;
  QByteArray Received;
};

}  // namespace qm
