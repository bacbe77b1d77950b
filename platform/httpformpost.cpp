// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/httpformpost.h"

#include <QHttpMultiPart>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>

namespace qm {

namespace {

// A name inside a quoted header parameter: quotes and line breaks would end it early.
QByteArray Quoted(const QByteArray& text) {
  QByteArray quoted = text;
  quoted.replace('"', "%22").replace('\r', "%0D").replace('\n', "%0A");
  return '"' + quoted + '"';
}

QHttpPart MakePart(const TFormPart& part) {
  QHttpPart made;
  QByteArray disposition = "form-data; name=" + Quoted(part.Name);
  if (!part.FileName.isEmpty()) {
    disposition += "; filename=" + Quoted(part.FileName.toUtf8());
    if (!part.ContentType.isEmpty()) {
      made.setRawHeader("Content-Type", part.ContentType);
    }
  }
  made.setRawHeader("Content-Disposition", disposition);
  made.setBody(part.Content);
  return made;
}

}  // namespace

TNetworkFormPoster::TNetworkFormPoster(QObject* parent)
    : THttpFormPoster(parent), Network(new QNetworkAccessManager(this)), Timer(new QTimer(this)) {
  Timer->setSingleShot(true);
  connect(Timer, &QTimer::timeout, this, &TNetworkFormPoster::TimedOut);
}

TNetworkFormPoster::~TNetworkFormPoster() {
  Cancel();
}

void TNetworkFormPoster::Post(const TFormPost& form) {
  Cancel();
  auto* multiPart = new QHttpMultiPart(QHttpMultiPart::FormDataType);
  for (const TFormPart& part : form.Parts) {
    multiPart->append(MakePart(part));
  }
  QNetworkRequest request(form.Url);
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                       QNetworkRequest::NoLessSafeRedirectPolicy);
  for (const auto& [name, value] : form.Headers) {
    request.setRawHeader(name, value);
  }
  Expired = false;
  Reply = Network->post(request, multiPart);
  multiPart->setParent(Reply);
  // Any sign of life restarts the clock, so a slow but moving transfer is not cut off.
  const auto alive = [this] { Timer->start(Timeout); };
  connect(Reply, &QNetworkReply::uploadProgress, this, alive);
  connect(Reply, &QNetworkReply::downloadProgress, this, alive);
  connect(Reply, &QNetworkReply::metaDataChanged, this, alive);
  connect(Reply, &QNetworkReply::finished, this, &TNetworkFormPoster::ReplyFinished);
  Timer->start(Timeout);
}

void TNetworkFormPoster::Cancel() {
  Timer->stop();
  if (QNetworkReply* reply = Reply.data()) {
    Reply.clear();
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
  }
}

void TNetworkFormPoster::TimedOut() {
  if (Reply != nullptr) {
    Expired = true;
    Reply->abort();  // finishes the reply, and with it the post
  }
}

void TNetworkFormPoster::ReplyFinished() {
  Timer->stop();
  QNetworkReply* reply = Reply.data();
  Reply.clear();
  if (reply == nullptr) {
    return;
  }
  reply->deleteLater();
  THttpAnswer answer;
  if (Expired) {
    answer.Error = QStringLiteral("%1 did not answer within %2 seconds.")
                       .arg(reply->url().host())
                       .arg(static_cast<double>(Timeout.count()) / 1000.0);
  } else if (reply->error() != QNetworkReply::NoError) {
    answer.Error = reply->errorString();
  } else {
    answer.Body = reply->readAll();
  }
  emit Finished(answer);
}

}  // namespace qm
