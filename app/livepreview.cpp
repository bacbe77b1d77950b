// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/livepreview.h"

#include <QEvent>
#include <QFileInfo>
#include <QTimer>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

#include "app/opendocument.h"
#include "model/text/textencoding.h"

namespace qm {

namespace {

// The page's own scripts never see these: they run in the program's own world, and the generated
// page runs none of its own anyway. The sheet's element is the one after the page's own style
// elements, unless the page's scripts have added some in front of it: then it is the one that
// starts with the sheet's first visible characters. Links to the sheet's file become style
// elements that take the text too, so rules deleted in the editor leave the page.
constexpr const char* kAttach = R"(
(function (index, print, sheetFile) {
  const visible = (text) => text.slice(0, 4096).replace(/[^!-\[\]-~]/g, '').slice(0, 32);
  const styles = Array.from(document.querySelectorAll('style'));
  let sheet = styles[index];
  if (!sheet || visible(sheet.textContent) !== print) {
    sheet = styles.find((style) => visible(style.textContent) === print);
  }
  if (!sheet) {
    return 0;
  }
  const links = window.quillmereLive ? window.quillmereLive.links : [];
  let replaced = 0;
  if (sheetFile) {
    const target = new URL(sheetFile).href;
    for (const link of document.querySelectorAll('link[href]')) {
      if (!/(^|\s)stylesheet(\s|$)/i.test(link.rel)) {
        continue;
      }
      const address = new URL(link.href);
      address.hash = '';
      address.search = '';
      if (address.href !== target) {
        continue;
      }
      const style = document.createElement('style');
      if (link.media) {
        style.media = link.media;
      }
      link.replaceWith(style);
      links.push(style);
      ++replaced;
    }
  }
  window.quillmereLive = {
    links,
    update(text) {
      sheet.textContent = text;
      for (const style of links) {
        style.textContent = text;
      }
      // Styled and laid out before the answer: the page shows the text once it comes.
      return document.documentElement.offsetHeight;
    },
  };
  return 1 + replaced;
})(%1, %2, %3))";

// No text version: what the page holds is no version of the text.
constexpr uint64_t kNoText = UINT64_MAX;

// Appends text to script as a JavaScript string literal. Written out here, in one piece of
// memory: a JSON writer takes many times as long for a large sheet, and this runs at every key.
void AppendLiteral(QString& script, const QString& text) {
  const auto escape = [](char16_t c) -> char {
    switch (c) {
      case '"':
        return '"';
      case '\\':
        return '\\';
      case '\n':
        return 'n';
      case '\r':
        return 'r';
      case '\t':
        return 't';
      default:
        return 0;
    }
  };
  // The other control characters, and the two line ends a string literal may not hold.
  const auto coded = [](char16_t c) { return c < 0x20 || c == 0x2028 || c == 0x2029; };
  qsizetype length = text.size() + 2;
  for (const QChar c : text) {
    length += escape(c.unicode()) != 0 ? 1 : coded(c.unicode()) ? 5 : 0;
  }
  const qsizetype start = script.size();
  // With room for what follows the literal, so that the script is never copied.
  script.reserve(start + length + 16);
  script.resize(start + length);
  QChar* out = script.data() + start;
  *out++ = QLatin1Char('"');
  for (const QChar c : text) {
    if (const char escaped = escape(c.unicode())) {
      *out++ = QLatin1Char('\\');
      *out++ = QLatin1Char(escaped);
    } else if (coded(c.unicode())) {
      for (const QChar digit : QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'))) {
        *out++ = digit;
      }
    } else {
      *out++ = c;
    }
  }
  *out = QLatin1Char('"');
}

QString Literal(const QString& text) {
  QString literal;
  AppendLiteral(literal, text);
  return literal;
}

QString SheetText(const TOpenDocument& document) {
  const std::string_view bytes = document.Editor()->Text();
  if (document.Encoding() == TTextEncoding::EightBit) {
    return QString::fromStdString(EightBitToUtf8(bytes));
  }
  return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// The first visible characters, as the script above takes them from the page: printable ASCII
// but the backslash, which the page's copy of the sheet may hold where the sheet has none.
QString VisibleStart(std::string_view text) {
  QString print;
  for (size_t i = 0; i < text.size() && i < 4096 && print.size() < 32; ++i) {
    if (text[i] >= '!' && text[i] <= '~' && text[i] != '\\') {
      print += QLatin1Char(text[i]);
    }
  }
  return print;
}

}  // namespace

TLivePreview::TLivePreview(QObject* parent) : QObject(parent) {}

void TLivePreview::SetEnabled(bool enabled) {
  if (enabled == Enabled_) {
    return;
  }
  Enabled_ = enabled;
  Ready = false;
  InFlight = false;
  ++Generation;
  if (enabled && View != nullptr && Document != nullptr && !View->url().isEmpty() &&
      View->url() == QUrl::fromLocalFile(Page.File)) {
    Attach();
  }
}

void TLivePreview::Follow(QWebEngineView* view, TOpenDocument* document, const TLivePage& page) {
  Stop();
  View = view;
  Document = document;
  Page = page;
  Print = VisibleStart(document->Editor()->Text());
  Sent = document->Editor()->TextVersion();
  connect(view, &QWebEngineView::loadFinished, this, &TLivePreview::PageLoaded,
          Qt::UniqueConnection);
  // Installed once: a filter installed again only moves to the front.
  view->installEventFilter(this);
  connect(document, &TOpenDocument::TextChanged, this, &TLivePreview::Schedule,
          Qt::UniqueConnection);
}

void TLivePreview::Stop() {
  if (Document != nullptr) {
    disconnect(Document, &TOpenDocument::TextChanged, this, nullptr);
  }
  Document = nullptr;
  Ready = false;
  InFlight = false;
  ++Generation;
}

bool TLivePreview::Current() const {
  return Ready && !InFlight && !Queued && Document != nullptr &&
         Document->Editor()->TextVersion() == Sent;
}

bool TLivePreview::eventFilter(QObject* watched, QEvent* event) {
  if (watched == View && event->type() == QEvent::Show) {
    Schedule();
  }
  return QObject::eventFilter(watched, event);
}

void TLivePreview::PageLoaded(bool ok) {
  if (ok && Enabled_ && Document != nullptr && View->url() == QUrl::fromLocalFile(Page.File)) {
    Attach();
  }
}

void TLivePreview::Attach() {
  Ready = false;
  const QString sheetFile = Page.SheetFile.isEmpty()
                                ? QString()
                                : QUrl::fromLocalFile(QFileInfo(Page.SheetFile).absoluteFilePath())
                                      .toString(QUrl::FullyEncoded);
  const QString script =
      QString::fromLatin1(kAttach).arg(Page.StylesBefore).arg(Literal(Print), Literal(sheetFile));
  const uint64_t generation = ++Generation;
  View->page()->runJavaScript(
      script, QWebEngineScript::ApplicationWorld,
      [self = QPointer<TLivePreview>(this), generation](const QVariant& found) {
        if (self == nullptr || generation != self->Generation || found.toInt() == 0) {
          return;
        }
        self->Ready = true;
        // The links took no text yet; the sheet may also have changed while the page loaded.
        if (found.toInt() > 1) {
          self->Sent = kNoText;
        }
        self->Push();
      });
}

void TLivePreview::Schedule() {
  if (!Enabled_ || !Ready || std::exchange(Queued, true)) {
    return;
  }
  // Once per turn of the event loop: a change made of several edits goes as one.
  QTimer::singleShot(0, this, [this] {
    Queued = false;
    Push();
  });
}

void TLivePreview::Push() {
  // A preview nobody sees is not worth laying out at every key.
  if (!Enabled_ || !Ready || InFlight || Document == nullptr || View == nullptr ||
      !View->isVisible()) {
    return;
  }
  const uint64_t version = Document->Editor()->TextVersion();
  if (version == Sent) {
    return;
  }
  InFlight = true;
  QString script = QStringLiteral("window.quillmereLive.update(");
  AppendLiteral(script, SheetText(*Document));
  script += QLatin1Char(')');
  const uint64_t generation = Generation;
  View->page()->runJavaScript(
      script, QWebEngineScript::ApplicationWorld,
      [self = QPointer<TLivePreview>(this), generation, version](const QVariant&) {
        if (self == nullptr || generation != self->Generation) {
          return;
        }
        self->InFlight = false;
        self->Sent = version;
        emit self->Updated();
        // Changes made meanwhile went nowhere: the next text goes now.
        self->Push();
      });
}

}  // namespace qm
