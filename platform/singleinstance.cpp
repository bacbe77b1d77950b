// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/singleinstance.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace qm {

namespace {

constexpr char Taken = 'k';

}  // namespace

TSingleInstance::TSingleInstance(const QString& name, QObject* parent)
    : QObject(parent), Name(name), Server(new QLocalServer(this)) {
  Server->setSocketOptions(QLocalServer::UserAccessOption);
  connect(Server, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = Server->nextPendingConnection()) {
      connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
      connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
        QDataStream in(socket);
        in.startTransaction();
        QStringList files;
        in >> files;
        if (!in.commitTransaction()) {
          return;  // the rest is still on its way
        }
        socket->write(&Taken, 1);
        socket->flush();
        emit FilesArrived(files);
      });
    }
  });
}

QString TSingleInstance::UserName() {
  QByteArray user = qgetenv("USER");
  if (user.isEmpty()) {
    user = qgetenv("USERNAME");
  }
  const QByteArray key =
      user + '\n' + QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toUtf8();
  const QString name =
      QStringLiteral("quillmere-") +
      QString::fromLatin1(
          QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(24));
#ifdef Q_OS_UNIX
  // A socket's path holds at most 107 bytes, which a long temporary folder would pass: the
  // runtime folder where the path fits, else /tmp.
  QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (folder.isEmpty() || folder.toLocal8Bit().size() + name.size() + 1 > 100) {
    folder = QStringLiteral("/tmp");
  }
  return folder + QLatin1Char('/') + name;
#else
  return name;
#endif
}

bool TSingleInstance::HandOver(const QString& name, const QStringList& files, int timeoutMs) {
  QLocalSocket socket;
  socket.connectToServer(name);
  if (!socket.waitForConnected(timeoutMs)) {
    return false;
  }
  QByteArray message;
  QDataStream out(&message, QIODevice::WriteOnly);
  out << files;
  socket.write(message);
  if (!socket.waitForBytesWritten(timeoutMs)) {
    return false;
  }
  while (socket.bytesAvailable() < 1) {
    if (!socket.waitForReadyRead(timeoutMs)) {
      return false;
    }
  }
  char answer = 0;
  return socket.read(&answer, 1) == 1 && answer == Taken;
}

bool TSingleInstance::Listen() {
  if (Server->listen(Name)) {
    return true;
  }
  // Left behind by a program that was killed, unless another start took it meanwhile.
  QLocalSocket probe;
  probe.connectToServer(Name);
  if (probe.waitForConnected(500)) {
    return false;
  }
  QLocalServer::removeServer(Name);
  return Server->listen(Name);
}

}  // namespace qm
