// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/liveserver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <memory>

#include "model/error.h"
#include "model/program/httprequest.h"
#include "platform/fileio.h"

namespace qm {

namespace {

// Sent to a client a piece at a time, so that one that reads slowly holds no more than this.
constexpr qint64 kChunk = 64 * 1024;

QByteArray Bytes(const std::string& text) {
  return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

// One client: its request read, then the answer sent a piece at a time, or the event stream kept.
class TLiveConnection : public QObject {
 public:
  TLiveConnection(TLiveServer& server, QTcpSocket* socket)
      : QObject(socket), Server(server), Socket(socket) {
    Deadline.setSingleShot(true);
    connect(&Deadline, &QTimer::timeout, this, [this] {
      if (State == TState::Reading) {
        Refuse(408);
      } else {
        Socket->abort();
      }
    });
    connect(Socket, &QTcpSocket::readyRead, this, [this] { Read(); });
    connect(Socket, &QTcpSocket::bytesWritten, this, [this] { Written(); });
    connect(Socket, &QTcpSocket::disconnected, this, [this] { Drop(); });
    connect(Socket, &QTcpSocket::errorOccurred, this, [this] {
      if (Socket->state() != QAbstractSocket::ConnectedState) {
        Drop();
      }
    });
    Deadline.start(Server.RequestTimeout);
  }

  bool Streaming() const { return State == TState::Streaming; }
  bool Waiting() const { return State == TState::Reading; }

  // Makes room for a new client: this one has not even sent its request yet.
  void TurnAway() {
    Refuse(503);
    Server.Connections.removeOne(this);
  }

  // The newest text goes when the client has taken what it was sent before; texts in between
  // are never sent.
  void Send() {
    if (Socket->bytesToWrite() > 0) {
      Pending = true;
      if (!Deadline.isActive()) {
        Deadline.start(Server.StallTimeout);
      }
      return;
    }
    Pending = false;
    Socket->write(Server.Message);
    Deadline.start(Server.StallTimeout);
    emit Server.Sent();
  }

 private:
  enum class TState { Reading, Sending, Streaming, Closing };

  void Read() {
    if (State != TState::Reading) {
      // Nothing after the request is read; it is not kept either.
      Socket->skip(Socket->bytesAvailable());
      return;
    }
    In += Socket->read(static_cast<qint64>(MaxRequestHead) + 1 - In.size());
    THttpRequest request;
    switch (ReadRequestHead(std::string_view(In.constData(), In.size()), request)) {
      case THeadStatus::Incomplete:
        return;
      case THeadStatus::TooLarge:
        Refuse(431);
        return;
      case THeadStatus::Malformed:
        Refuse(400);
        return;
      case THeadStatus::Complete:
        Answer(request);
        return;
    }
  }

  void Answer(const THttpRequest& request) {
    if (const int refusal = RequestRefusal(request, Server.Port()); refusal != 0) {
      Refuse(refusal);
      return;
    }
    const bool head = request.Method == "HEAD";
    const TSiteTarget target =
        SiteTarget(request.Target, Server.Token_.toStdString(), Server.Site.PageName.toStdString());
    switch (target.Resource) {
      case TSiteResource::Missing:
        Refuse(404);
        return;
      case TSiteResource::Page: {
        QByteArray page;
        try {
          page = Server.Site.Page();
        } catch (const std::exception&) {
          // The template went missing: the user sees why in the program when asking again.
          Refuse(500);
          return;
        }
        Reply(Bytes(ResponseHead(200, Server.Site.PageType.toStdString(), page.size())),
              head ? QByteArray() : page);
        return;
      }
      case TSiteResource::Events:
        State = TState::Streaming;
        Socket->write(Bytes(ResponseHead(200, "text/event-stream", 0, true)));
        if (!head) {
          // The text may have changed since the page was sent.
          Send();
        } else {
          Socket->disconnectFromHost();
        }
        return;
      case TSiteResource::File:
        ServeFile(QString::fromStdString(target.File), head);
        return;
    }
  }

  // A file of the site's folder, and nothing that only a link inside the folder points to.
  void ServeFile(const QString& name, bool head) {
    const QString canonical =
        QFileInfo(QDir(Server.Site.Folder).filePath(name)).canonicalFilePath();
    if (Server.CanonicalFolder.isEmpty() || canonical.isEmpty() ||
        !canonical.startsWith(Server.CanonicalFolder + QLatin1Char('/')) ||
        !QFileInfo(canonical).isFile()) {
      Refuse(404);
      return;
    }
    auto file = std::make_unique<QFile>(canonical);
    if (!file->open(QIODevice::ReadOnly)) {
      Refuse(404);
      return;
    }
    const std::string type(ContentType(name.toStdString()));
    Socket->write(Bytes(ResponseHead(200, type, file->size())));
    if (head) {
      Finish();
      return;
    }
    File = std::move(file);
    State = TState::Sending;
    Written();
  }

  void Reply(const QByteArray& head, const QByteArray& body) {
    Socket->write(head);
    Socket->write(body);
    Finish();
  }

  void Refuse(int status) {
    const QByteArray text = QByteArray::number(status) + '\n';
    Reply(Bytes(ResponseHead(status, "text/plain", text.size())), text);
  }

  // Closes once everything written has gone, unless the client stops taking it.
  void Finish() {
    State = TState::Closing;
    File.reset();
    Socket->disconnectFromHost();
    Deadline.start(Server.StallTimeout);
  }

  void Written() {
    if (State == TState::Streaming) {
      Deadline.stop();
      if (Pending && Socket->bytesToWrite() == 0) {
        Send();
      } else if (Socket->bytesToWrite() > 0) {
        Deadline.start(Server.StallTimeout);
      }
      return;
    }
    if (State == TState::Closing) {
      Deadline.start(Server.StallTimeout);
      return;
    }
    if (State != TState::Sending || Socket->bytesToWrite() >= kChunk) {
      return;
    }
    Deadline.start(Server.StallTimeout);
    const QByteArray piece = File->read(kChunk);
    if (!piece.isEmpty()) {
      Socket->write(piece);
    }
    if (piece.size() < kChunk) {
      Finish();
    }
  }

  void Drop() {
    if (Dropped) {
      return;
    }
    Dropped = true;
    Deadline.stop();
    Server.Connections.removeOne(this);
    Socket->deleteLater();
  }

  TLiveServer& Server;
  QTcpSocket* Socket;
  QTimer Deadline;
  TState State = TState::Reading;
  QByteArray In;
  std::unique_ptr<QFile> File;
  bool Pending = false;
  bool Dropped = false;
};

TLiveServer::TLiveServer(QObject* parent) : QObject(parent) {}

TLiveServer::~TLiveServer() {
  Stop();
}

void TLiveServer::Start(const TLiveSite& site) {
  Stop();
  Site = site;
  CanonicalFolder = Site.Folder.isEmpty() ? QString() : QFileInfo(Site.Folder).canonicalFilePath();
  // 128 bits from the system's source: no page on the web can guess an address.
  quint32 words[4];
  QRandomGenerator::system()->fillRange(words);
  Token_.clear();
  for (const quint32 word : words) {
    Token_ += QStringLiteral("%1").arg(word, 8, 16, QLatin1Char('0'));
  }
  Server = new QTcpServer(this);
  Server->setMaxPendingConnections(MaxClients);
  // Clients beyond the system's queue of new connections would wait unanswered for seconds.
  Server->setListenBacklogSize(4 * MaxClients);
  connect(Server, &QTcpServer::newConnection, this, &TLiveServer::Accept);
  if (!Server->listen(QHostAddress::LocalHost, 0)) {
    const QString reason = Server->errorString();
    Stop();
    throw TError(FormatMessage("Cannot start the live preview: %s", {Utf8(reason)}));
  }
}

void TLiveServer::Stop() {
  for (TLiveConnection* connection : std::exchange(Connections, {})) {
    auto* socket = static_cast<QTcpSocket*>(connection->parent());
    socket->disconnect(connection);
    socket->abort();
    socket->deleteLater();
  }
  delete Server;
  Server = nullptr;
}

bool TLiveServer::Listening() const {
  return Server != nullptr && Server->isListening();
}

quint16 TLiveServer::Port() const {
  return Listening() ? Server->serverPort() : 0;
}

QString TLiveServer::Address() const {
  return QStringLiteral("http://127.0.0.1:%1/%2/").arg(Port()).arg(Token_) +
         QString::fromUtf8(QUrl::toPercentEncoding(Site.PageName, "/"));
}

void TLiveServer::Publish(const QByteArray& text) {
  Message = Bytes(EventMessage(std::string_view(text.constData(), text.size())));
  for (TLiveConnection* connection : Connections) {
    if (connection->Streaming()) {
      connection->Send();
    }
  }
}

int TLiveServer::Streams() const {
  int streams = 0;
  for (const TLiveConnection* connection : Connections) {
    streams += connection->Streaming() ? 1 : 0;
  }
  return streams;
}

void TLiveServer::SetTimeouts(int request, int stalled) {
  RequestTimeout = request;
  StallTimeout = stalled;
}

void TLiveServer::Accept() {
  while (QTcpSocket* socket = Server->nextPendingConnection()) {
    if (Connections.size() >= MaxClients) {
      // The client waiting longest for its own request makes room, so that a crowd of silent
      // clients cannot keep a browser out; when all are busy, the new one is turned away.
      const auto waiting = std::find_if(Connections.begin(), Connections.end(),
                                        [](const TLiveConnection* c) { return c->Waiting(); });
      if (waiting == Connections.end()) {
        socket->write(Bytes(ResponseHead(503, "", 0)));
        socket->disconnectFromHost();
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        continue;
      }
      (*waiting)->TurnAway();
    }
    Connections.append(new TLiveConnection(*this, socket));
  }
}

}  // namespace qm
