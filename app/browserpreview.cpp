// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/browserpreview.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include "app/opendocument.h"
#include "model/program/httprequest.h"
#include "model/program/livepage.h"
#include "model/program/previewpage.h"
#include "model/text/textencoding.h"
#include "platform/fileio.h"
#include "platform/liveserver.h"
#include "platform/settingsstore.h"

namespace qm {

namespace {

// Typing goes to the browsers once it pauses this long; other changes go at once.
constexpr int kTypingPause = 40;

QString PageKey(const QString& sheetPath) {
  return QStringLiteral("LivePages/") +
         QString::fromLatin1(
             QCryptographicHash::hash(sheetPath.toUtf8(), QCryptographicHash::Sha1).toHex());
}

std::string SheetUtf8(const TOpenDocument& document) {
  const std::string_view bytes = document.Editor()->Text();
  return document.Encoding() == TTextEncoding::EightBit ? EightBitToUtf8(bytes)
                                                        : std::string(bytes);
}

QByteArray Bytes(const std::string& text) {
  return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

// A document's live preview, which goes with the document.
class TDocumentLive : public QObject {
 public:
  TDocumentLive(TOpenDocument& document, const TPlatform& platform)
      : QObject(&document), Document(document), Platform(platform) {
    setObjectName(QStringLiteral("DocumentLive"));
    Server = new TLiveServer(this);
    Server->setObjectName(QStringLiteral("LiveServer"));
    Pause.setSingleShot(true);
    connect(&Pause, &QTimer::timeout, this, [this] { Publish(); });
    connect(&Document, &TOpenDocument::TextChanged, this, [this](TChangeOrigin origin) {
      if (Server->Listening()) {
        Pause.start(origin == TChangeOrigin::Typing ? kTypingPause : 0);
      }
    });
  }

  QString Chosen;
  QString Shown;  // the page the server serves; empty for the page built from the sheet
  TLiveServer* Server = nullptr;

  void Start(const QString& page) {
    TLiveSite site;
    Shown = page;
    if (page.isEmpty()) {
      site.Folder =
          Document.Path().isEmpty() ? QString() : QFileInfo(Document.Path()).absolutePath();
      site.PageType = "text/html; charset=utf-8";
      site.Page = [this] {
        const QByteArray bytes =
            ReadFileBytes(QDir(Platform.DataFolder).filePath(QStringLiteral("dynpreview.htm")));
        const std::string page = JoinPageLines(InsertSampleLines(
            PageLines(std::string_view(bytes.constData(), bytes.size())), Document.Blocks()));
        return Bytes(LivePage(page, SheetUtf8(Document), {}, EventsAddress()));
      };
    } else {
      const QFileInfo info(page);
      site.Folder = info.absolutePath();
      site.PageName = info.fileName();
      site.Page = [this, info] {
        const QByteArray bytes = ReadFileBytes(info.absoluteFilePath());
        const QString sheetFile = Document.Path().isEmpty()
                                      ? QString()
                                      : QDir(info.absolutePath()).relativeFilePath(Document.Path());
        return Bytes(LivePage(std::string_view(bytes.constData(), bytes.size()),
                              SheetUtf8(Document), Utf8(sheetFile), EventsAddress()));
      };
    }
    Server->Start(site);
    Publish();
  }

 private:
  std::string EventsAddress() const {
    std::string address = "/";
    address += Server->Token().toStdString();
    address += '/';
    address += EventsName;
    return address;
  }

  void Publish() { Server->Publish(Bytes(SheetUtf8(Document))); }

  TOpenDocument& Document;
  TPlatform Platform;
  QTimer Pause;
};

TDocumentLive* LiveOf(const TOpenDocument* document) {
  return document->findChild<TDocumentLive*>(QStringLiteral("DocumentLive"),
                                             Qt::FindDirectChildrenOnly);
}

}  // namespace

TBrowserPreview::TBrowserPreview(const TPlatform& platform, QObject* parent)
    : QObject(parent), Platform(platform) {}

QString TBrowserPreview::Open(TOpenDocument* document, const QString& fallbackPage) {
  TDocumentLive* live = LiveOf(document);
  if (live == nullptr) {
    live = new TDocumentLive(*document, Platform);
  }
  QString page = ChosenPage(document);
  if (page.isEmpty()) {
    page = fallbackPage;
  }
  if (!live->Server->Listening() || live->Shown != page) {
    live->Start(page);
  }
  return live->Server->Address();
}

void TBrowserPreview::ChoosePage(TOpenDocument* document, const QString& page) {
  TDocumentLive* live = LiveOf(document);
  if (live == nullptr) {
    live = new TDocumentLive(*document, Platform);
  }
  live->Chosen = page;
  if (!document->Path().isEmpty()) {
    Platform.Settings->WriteString(PageKey(document->Path()), page);
    Platform.Settings->Flush();
  }
}

QString TBrowserPreview::ChosenPage(const TOpenDocument* document) const {
  if (const TDocumentLive* live = LiveOf(document); live != nullptr && !live->Chosen.isEmpty()) {
    return live->Chosen;
  }
  if (document->Path().isEmpty()) {
    return {};
  }
  return Platform.Settings->ReadString(PageKey(document->Path())).value_or(QString());
}

TLiveServer* TBrowserPreview::Server(const TOpenDocument* document) {
  const TDocumentLive* live = LiveOf(document);
  return live == nullptr ? nullptr : live->Server;
}

}  // namespace qm
