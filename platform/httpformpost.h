// SPDX-License-Identifier: GPL-3.0-or-later
// Posting a multipart form over HTTP without blocking the window: one post at a time, cancellable,
// failing after a time without progress; cookies are kept from one post to the next.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <chrono>
#include <utility>
#include <vector>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

namespace qm {

// A text field, or a file when FileName is not empty.
struct TFormPart {
  QByteArray Name;
  QByteArray Content;
  QString FileName;
  QByteArray ContentType;  // a file part's; fields go without one
};

struct TFormPost {
  QUrl Url;
  std::vector<TFormPart> Parts;  // sent in this order
  std::vector<std::pair<QByteArray, QByteArray>> Headers;
};

// How a post ended: the answer's body, or the message of what went wrong.
struct THttpAnswer {
  QByteArray Body;
  QString Error;

  bool Ok() const { return Error.isEmpty(); }
};

class THttpFormPoster : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;

  // Starts posting form, after cancelling a post still running. Finished follows once.
  virtual void Post(const TFormPost& form) = 0;
  // Drops the running post; no Finished follows for it.
  virtual void Cancel() = 0;
  virtual bool Busy() const = 0;
  // A post fails when nothing has been sent or received for this long; for the next posts.
  virtual void SetTimeout(std::chrono::milliseconds timeout) = 0;

 signals:
  // An HTTP error status, a failed connection or the time-out arrive as an error.
  void Finished(const qm::THttpAnswer& answer);
};

class TNetworkFormPoster : public THttpFormPoster {
  Q_OBJECT

 public:
  explicit TNetworkFormPoster(QObject* parent = nullptr);
  ~TNetworkFormPoster() override;

  void Post(const TFormPost& form) override;
  void Cancel() override;
  bool Busy() const override { return !Reply.isNull(); }
  void SetTimeout(std::chrono::milliseconds timeout) override { Timeout = timeout; }

 private:
  void ReplyFinished();
  void TimedOut();

  QNetworkAccessManager* Network;
  QTimer* Timer;
  QPointer<QNetworkReply> Reply;
  std::chrono::milliseconds Timeout{60000};
  bool Expired = false;
};

}  // namespace qm
