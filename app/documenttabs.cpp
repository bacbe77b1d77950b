// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/documenttabs.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QUuid>
#include <QVBoxLayout>

#include "app/documentrecord.h"
#include "app/opendocument.h"
#include "model/error.h"
#include "model/program/documentnames.h"
#include "model/text/textkind.h"
#include "platform/commandguard.h"
#include "platform/fileio.h"
#include "platform/prompts.h"

namespace qm {

TDocumentTabs::TDocumentTabs(const TPlatform& platform, QWidget* parent)
    : QWidget(parent), Platform(platform) {
  // The tabs are hidden while no document is open, but this area stays: an empty central
  // widget would hand its width to the panels, and the next document would get only a strip.
  setObjectName(QStringLiteral("DocumentArea"));
  auto* areaLayout = new QVBoxLayout(this);
  areaLayout->setContentsMargins(0, 0, 0, 0);
  pgmain = new QTabWidget(this);
  areaLayout->addWidget(pgmain);
  pgmain->setObjectName(QStringLiteral("pgmain"));
  pgmain->setDocumentMode(true);
  pgmain->setMovable(false);
  pgmain->setIconSize(QSize(14, 14));
  pgmain->tabBar()->installEventFilter(this);
  pgmain->hide();
  connect(pgmain, &QTabWidget::currentChanged, this, &TDocumentTabs::ShowCurrent);
  OpenFilter = QStringLiteral("All Files|*.*|Text Files|*.txt|CSS Files|*.css");
  Watcher = new QFileSystemWatcher(this);
  // Told at once while the user is in the window; otherwise when it gets the focus again.
  connect(Watcher, &QFileSystemWatcher::fileChanged, this, [this] {
    if (window()->isActiveWindow()) {
      RunCommand(*Platform.Prompts, [this] { CheckFilesOnDisk(); });
    }
  });
}

TOpenDocument* TDocumentTabs::Document(int index) const {
  return qobject_cast<TOpenDocument*>(pgmain->widget(index));
}

TOpenDocument* TDocumentTabs::CurrentDocument() const {
  return pgmain->currentIndex() < 0 ? nullptr : Document(pgmain->currentIndex());
}

TCssEditor* TDocumentTabs::CurrentEditor() const {
  const TOpenDocument* document = CurrentDocument();
  return document == nullptr ? nullptr : document->Editor();
}

QString TDocumentTabs::CurrentPath() const {
  const TOpenDocument* document = CurrentDocument();
  return document == nullptr ? QString() : document->Path();
}

QString TDocumentTabs::CurrentTabText() const {
  return pgmain->currentIndex() < 0 ? QString() : pgmain->tabText(pgmain->currentIndex());
}

void TDocumentTabs::ActivateTab(int index) {
  const QSignalBlocker blocker(pgmain);
  pgmain->setCurrentIndex(index);
}

void TDocumentTabs::ShowCurrent() {
  TOpenDocument* document = CurrentDocument();
  if (document == nullptr) {
    pgmain->hide();
  } else {
    if (pgmain->isHidden()) {
      pgmain->show();
    }
    document->Editor()->setFocus();
  }
  emit CurrentChanged(document);
}

void TDocumentTabs::NewDocument() {
  auto* document = new TOpenDocument(pgmain);
  const QString caption = QString::fromStdString(UntitledCaption(UntitledCounter++));
  {
    const QSignalBlocker blocker(pgmain);
    const int index = pgmain->addTab(document, QIcon(QStringLiteral(":/icons/close.svg")), caption);
    pgmain->tabBar()->setTabData(index, caption);
    pgmain->setCurrentIndex(index);
  }
  pgmain->show();
  connect(document, &TOpenDocument::StatusChange, this, [this, document](TStatusChanges changes) {
    if (changes.testFlag(TStatusChange::Modified)) {
      ShowModifiedMark(pgmain->indexOf(document));
    }
  });
  connect(document, &TOpenDocument::Edited, this,
          [this, document] { ShowModifiedMark(pgmain->indexOf(document)); });
  if (!Platform.RecoveryFolder.isEmpty()) {
    const QString name = QUuid::createUuid().toString(QUuid::WithoutBraces);
    document->KeepRecord(QDir(Platform.RecoveryFolder).filePath(name + QStringLiteral(".qmr")),
                         [this, document] { return Caption(pgmain->indexOf(document)); });
    connect(document->Record(), &TDocumentRecord::Failed, this, &TDocumentTabs::RecordFailed);
    connect(document->Record(), &TDocumentRecord::Written, this,
            [this] { RecordFailureTold = false; });
  }
  emit DocumentCreated(document);
  ShowCurrent();
}

void TDocumentTabs::OpenOperation(const QString& given) {
  if (given.isEmpty()) {
    return;
  }
  // A name relative to the folder the program started in would mean another file, or none,
  // after a start from elsewhere.
  const QString path = CanonicalFilePath(given);
  OpenFilter =
      QStringLiteral("All Files (*.*)|*.*|Text Files (*.txt)|*.txt|CSS Files (*.css)|*.css");
  // A file is edited in one tab only, or one tab's save would drop the other's edits.
  if (const int open = TabOfFile(path); open >= 0) {
    ActivateTab(open);
    ShowCurrent();
    return;
  }

  // Read once: the bytes decide the question and become the text. A file that cannot be read
  // still gets its tab, as it always has, and the reading's own message says why.
  QByteArray bytes;
  try {
    bytes = ReadFileBytes(path);
  } catch (const TError&) {
    NewDocument();
    throw;
  }
  if (!ConfirmOpenAsText(bytes)) {
    return;
  }
  OfferRecordsOf(OpenBytes(path, bytes));
}

TOpenDocument* TDocumentTabs::OpenBytes(const QString& path, const QByteArray& bytes) {
  NewDocument();
  TOpenDocument* document = CurrentDocument();
  document->Load(path, bytes);
  SetCaption(pgmain->currentIndex(), QFileInfo(path).fileName(), path);
  WatchFile(path);
  emit DocumentOpened(document, path);
  return document;
}

void TDocumentTabs::OpenFiles(const QStringList& paths) {
  for (const QString& path : paths) {
    OpenOperation(path);
  }
}

void TDocumentTabs::OpenChosenFile() {
  const QString path = Platform.Prompts->OpenFileName(OpenFilter);
  if (!path.isEmpty()) {
    OpenOperation(path);
  }
}

int TDocumentTabs::TabOfFile(const QString& path, const TOpenDocument* except) const {
  for (int i = 0; i < pgmain->count(); ++i) {
    const TOpenDocument* document = Document(i);
    if (document != except && !document->Path().isEmpty() && SameFile(document->Path(), path)) {
      return i;
    }
  }
  return -1;
}

bool TDocumentTabs::ConfirmOpenAsText(const QByteArray& bytes) {
  return LooksLikeText(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()))) ||
         Platform.Prompts->Message(
             TMessageKind::Confirmation,
             QStringLiteral("This file does not look like a style sheet. Open it anyway?"),
             {TButton::Yes, TButton::No}) == TButton::Yes;
}

QString TDocumentTabs::Caption(int index) const {
  return pgmain->tabBar()->tabData(index).toString();
}

void TDocumentTabs::SetCaption(int index, const QString& caption, const QString& path) {
  pgmain->tabBar()->setTabData(index, caption);
  // Captions of files from different folders can be equal: the tip tells them apart.
  pgmain->setTabToolTip(index, QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
  ShowModifiedMark(index);
}

void TDocumentTabs::ShowModifiedMark(int index) {
  const TOpenDocument* document = Document(index);
  if (document == nullptr) {
    return;
  }
  const QString text =
      (document->Editor()->Modified() ? QStringLiteral("*") : QString()) + Caption(index);
  if (pgmain->tabText(index) != text) {
    pgmain->setTabText(index, text);
  }
  if (index == pgmain->currentIndex()) {
    emit CurrentTabTextChanged();
  }
}

void TDocumentTabs::NextTab() {
  if (pgmain->count() > 1) {
    pgmain->setCurrentIndex((pgmain->currentIndex() + 1) % pgmain->count());
  }
}

void TDocumentTabs::PreviousTab() {
  if (pgmain->count() > 1) {
    pgmain->setCurrentIndex((pgmain->currentIndex() + pgmain->count() - 1) % pgmain->count());
  }
}

bool TDocumentTabs::eventFilter(QObject* watched, QEvent* event) {
  if (watched == pgmain->tabBar() && event->type() == QEvent::MouseButtonRelease) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton) {
      const QPoint pos = mouse->position().toPoint();
      RunCommand(*Platform.Prompts, [this, pos] { CloseTabAt(pos); });
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TDocumentTabs::CloseTabAt(const QPoint& pos) {
  QTabBar* bar = pgmain->tabBar();
  const int index = bar->tabAt(pos);
  // The close glyph is the image at the tab's left edge.
  if (index >= 0 && pos.x() - bar->tabRect(index).left() < 20) {
    CloseDocument(index);
  }
}

}  // namespace qm
