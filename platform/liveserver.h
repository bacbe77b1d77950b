// SPDX-License-Identifier: GPL-3.0-or-later
// The small HTTP server of one live preview: on the loopback address, on a free port, behind a
// random token; it serves the page, the files of the page's folder (read only) and an event stream
// that carries every new text of the sheet to each open page.
#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>

class QTcpServer;

namespace qm {

class TLiveConnection;

// What a live preview serves.
struct TLiveSite {
  // Served read only, the page's folder; empty: no file at all.
  QString Folder;
  // The page's own file name in Folder when the page is the user's; empty for a generated page.
  QString PageName;
  // The page as it is to be sent now, with the current text of the sheet.
  std::function<QByteArray()> Page;
  QByteArray PageType = "text/html";
};

class TLiveServer : public QObject {
  Q_OBJECT

 public:
  explicit TLiveServer(QObject* parent = nullptr);
  ~TLiveServer() override;

  // Listens for the site with a new token; throws TError when no port can be had.
  void Start(const TLiveSite& site);
  // Stops listening and drops every client.
  void Stop();
  bool Listening() const;
  // "http://127.0.0.1:" port "/" token "/", and the page's name when it is the user's page.
  QString Address() const;
  quint16 Port() const;
  const QString& Token() const { return Token_; }

  // The sheet's new text (UTF-8) for every open page, and for each page that opens later.
  void Publish(const QByteArray& text);
  // The event streams open now, and all clients connected.
  int Streams() const;
  int Clients() const { return static_cast<int>(Connections.size()); }

  // How long a client may take to send its request, and how long one may keep the server waiting
  // to take what it is sent, in milliseconds.
  void SetTimeouts(int request, int stalled);
  // At most so many clients at once; more are turned away.
  static constexpr int MaxClients = 128;

 signals:
  // An event stream took the text published last (it may still be on its way to the browser).
  void Sent();

 private:
  friend class TLiveConnection;
  void Accept();

  QTcpServer* Server = nullptr;
  TLiveSite Site;
  QString Token_;
  QString CanonicalFolder;
  QByteArray Message;  // the current text as one event
  QList<TLiveConnection*> Connections;
  int RequestTimeout = 10000;
  int StallTimeout = 30000;
};

}  // namespace qm
