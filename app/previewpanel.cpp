// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/previewpanel.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <utility>

#include "app/livepreview.h"
#include "app/opendocument.h"
#include "model/program/previewpage.h"
#include "platform/commandguard.h"
#include "platform/fileio.h"
#include "platform/prompts.h"
#include "platform/settings.h"
#include "platform/settingsstore.h"
#include "platform/shell.h"

namespace qm {

namespace {

const QString kBuildEntry = QStringLiteral("Build HTML using this style sheet");
// Only so many preview files come back at start-up.
constexpr int kStoredFiles = 30;

QIcon Image(const char* name) {
  return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

// The address a page's relative URLs resolve against: the folder holding file.
std::string FolderAddress(const QString& file) {
  return QUrl::fromLocalFile(QFileInfo(file).absolutePath() + QLatin1Char('/'))
      .toString(QUrl::FullyEncoded)
      .toStdString();
}

QString FileValue(int n) {
  return Setting::PreviewFile.Key(n);
}

}  // namespace

TPreviewPanel::TPreviewPanel(const TPlatform& platform, QWidget* parent)
    : QWidget(parent), Platform(platform) {
  TbPreview = new QToolBar(this);
  TbPreview->setIconSize(QSize(16, 16));
  TbPreview->setMovable(false);
  TbRefresh = TbPreview->addAction(Image("refresh"), QStringLiteral("Refresh"));
  TbRefresh->setObjectName(QStringLiteral("TbRefresh"));
  TbRefresh->setToolTip(QStringLiteral("Refresh Current View"));
  TbLive = TbPreview->addAction(Image("live"), QStringLiteral("Live"));
  TbLive->setObjectName(QStringLiteral("TbLive"));
  TbLive->setToolTip(QStringLiteral("Show every change of the style sheet as it is made"));
  TbLive->setCheckable(true);
  TbLive->setChecked(Setting::LivePreview.Read(*Platform.Settings) == 1);
  if (auto* button = qobject_cast<QToolButton*>(TbPreview->widgetForAction(TbLive))) {
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  }
  Live_ = new TLivePreview(this);
  Live_->SetEnabled(TbLive->isChecked());
  TbPreview->addSeparator();
  CboFile = new QComboBox(TbPreview);
  CboFile->setObjectName(QStringLiteral("CboFile"));
  CboFile->addItem(kBuildEntry);
  // The list takes the width the buttons leave; long paths do not widen the panel.
  CboFile->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  CboFile->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  CboFile->setMinimumContentsLength(8);
  TbPreview->addWidget(CboFile);
  TbOpen = TbPreview->addAction(Image("open"), QStringLiteral("Open"));
  TbOpen->setObjectName(QStringLiteral("TbOpen"));
  TbOpen->setToolTip(QStringLiteral("Select a new html file for previewing"));
  TbOpenBrowser = TbPreview->addAction(Image("openbrowser"), QStringLiteral("Open in Browser"));
  TbOpenBrowser->setObjectName(QStringLiteral("TbOpenBrowser"));
  TbOpenBrowser->setToolTip(
      QStringLiteral("Open the current page in the default browser maximized."));

  // Stands where the browser will be until the first page is shown.
  auto* blank = new QWidget(this);
  blank->setObjectName(QStringLiteral("PreviewBlank"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(TbPreview);
  layout->addWidget(blank, 1);

  const auto preview = [this] { RunCommand(*Platform.Prompts, [this] { MakePreview(true); }); };
  connect(TbRefresh, &QAction::triggered, this, preview);
  connect(CboFile, &QComboBox::activated, this, preview);
  connect(TbLive, &QAction::toggled, this, [this](bool on) {
    Live_->SetEnabled(on);
    Setting::LivePreview.Write(*Platform.Settings, on ? 1 : 0);
    Platform.Settings->Flush();
  });
  connect(TbOpen, &QAction::triggered, this,
          [this] { RunCommand(*Platform.Prompts, [this] { ChooseAndPreviewPage(); }); });
  connect(TbOpenBrowser, &QAction::triggered, this,
          [this] { RunCommand(*Platform.Prompts, [this] { OpenInDefaultBrowser(); }); });
  LoadPreviewFiles();
}

QAction* TPreviewPanel::Action(const QString& name) const {
  return findChild<QAction*>(name);
}

void TPreviewPanel::SetDocument(TOpenDocument* document) {
  if (document == Document) {
    return;
  }
  Document = document;
  // The page built from the sheet shows the sheet in front: it is built again for the new one,
  // and goes with the last document. A validation answer stays until the next Refresh.
  if (!ShowsBuiltPage) {
    return;
  }
  if (document == nullptr) {
    Live_->Stop();
    ShowsBuiltPage = false;
    WebPrev->setUrl(QUrl(QStringLiteral("about:blank")));
    return;
  }
  // Once the document has its text and file (a tab comes to the front before its file is read),
  // and once for a run of switches.
  if (!std::exchange(RebuildQueued, true)) {
    QTimer::singleShot(0, this, [this] {
      RebuildQueued = false;
      // Quietly: a page that went missing is reported when the user asks for it.
      if (ShowsBuiltPage && Document != nullptr && QFileInfo(PreviewSource()).isFile()) {
        RunCommand(*Platform.Prompts, [this] { MakePreview(true); });
      }
    });
  }
}

QString TPreviewPanel::ChosenPage() const {
  return CboFile->currentText() == kBuildEntry ? QString() : CboFile->currentText();
}

QString TPreviewPanel::PreviewTarget() const {
  return QDir(Platform.WorkFolder).filePath(QStringLiteral("temppreview.htm"));
}

QString TPreviewPanel::PreviewSource() const {
  const QString page = CboFile->currentText();
  return page == kBuildEntry ? QDir(Platform.DataFolder).filePath(QStringLiteral("dynpreview.htm"))
                             : page;
}

void TPreviewPanel::LoadPreviewFiles() {
  for (int n = 1; n <= kStoredFiles; ++n) {
    const QString path = Platform.Settings->ReadString(FileValue(n)).value_or(QString());
    if (path.isEmpty()) {
      break;
    }
    CboFile->addItem(path);
  }
  // From code, so no page is built at start-up.
  CboFile->setCurrentIndex(0);
}

QString TPreviewPanel::MakePreview(bool Show) {
  if (Document == nullptr) {
    return {};
  }
  const bool generate = CboFile->currentText() == kBuildEntry;
  const QString page = PreviewSource();
  if (!QFileInfo(page).isFile()) {
    Platform.Prompts->Message(TMessageKind::Error,
                              QStringLiteral("Preview file was not found,\n"
                                             "Make sure the path is correct"),
                              {TButton::Ok});
    // Only for this run: the stored list keeps the entry, the file may come back.
    CboFile->removeItem(CboFile->currentIndex());
    return {};
  }
  const QByteArray bytes = ReadFileBytes(page);
  std::vector<std::string> lines = PageLines(std::string_view(bytes.constData(), bytes.size()));
  std::string base;
  if (generate) {
    // The sheet's url()s are written relative to the sheet; an unsaved sheet has no folder.
    if (!Document->Path().isEmpty()) {
      base = FolderAddress(Document->Path());
    }
  } else {
    base = FolderAddress(page);
  }
  TLivePage live;
  const std::string built =
      BuildPreviewPage(std::move(lines), generate ? &Document->Blocks() : nullptr,
                       Document->Editor()->Text(), base, &live.StylesBefore);
  const QString target = PreviewTarget();
  WriteFileBytes(target, built);
  if (Show) {
    ShowInPreview(target, generate ? TPageTrust::Generated : TPageTrust::UsersOwn);
    live.File = target;
    live.SheetFile = Document->Path();
    Live_->Follow(WebPrev, Document, live);
  }
  return target;
}

void TPreviewPanel::ShowFirstPage() {
  if (WebPrev != nullptr || Document == nullptr || CboFile->currentText() != kBuildEntry ||
      !QFileInfo(QDir(Platform.DataFolder).filePath(QStringLiteral("dynpreview.htm"))).isFile()) {
    return;
  }
  MakePreview(true);
}

void TPreviewPanel::ShowInPreview(const QString& path, TPageTrust trust) {
  Live_->Stop();
  ShowsBuiltPage = path == PreviewTarget();
  if (WebPrev == nullptr) {
    QWidget* blank = findChild<QWidget*>(QStringLiteral("PreviewBlank"));
    WebPrev = new QWebEngineView(this);
    WebPrev->setObjectName(QStringLiteral("WebPrev"));
    delete layout()->replaceWidget(blank, WebPrev);
    delete blank;
  }
  // The user's own page gets the browser's defaults, as in any browser. A generated page keeps
  // its access to local files: the sheet's relative images are files beside the sheet, which
  // the browser refuses to a local page without it; with no script the page cannot read what
  // it loads nor send it anywhere. A received page needs nothing local: whoever wrote it does
  // not get to load the user's files even for show.
  QWebEngineSettings* settings = WebPrev->settings();
  const auto allow = [settings](QWebEngineSettings::WebAttribute attribute, bool allowed) {
    if (allowed) {
      settings->resetAttribute(attribute);
    } else {
      settings->setAttribute(attribute, false);
    }
  };
  allow(QWebEngineSettings::JavascriptEnabled, trust == TPageTrust::UsersOwn);
  allow(QWebEngineSettings::LocalContentCanAccessRemoteUrls, trust == TPageTrust::UsersOwn);
  allow(QWebEngineSettings::LocalContentCanAccessFileUrls, trust != TPageTrust::Received);
  WebPrev->load(QUrl::fromLocalFile(path));
}

void TPreviewPanel::ChooseAndPreviewPage() {
  const QString path = Platform.Prompts->OpenFileName(
      QStringLiteral("All Files (*.*)|*.*|Html Files(*.htm, *.html)|*.htm;*.html"));
  if (path.isEmpty()) {
    return;
  }
  int index = -1;
  for (int i = 0; i < CboFile->count() && index < 0; ++i) {
    if (CboFile->itemText(i).compare(path, Qt::CaseInsensitive) == 0) {
      index = i;
    }
  }
  if (index < 0) {
    CboFile->addItem(path);
    CboFile->setCurrentIndex(CboFile->count() - 1);
    std::vector<std::string> stored;
    for (int n = 1;; ++n) {
      const QString entry = Platform.Settings->ReadString(FileValue(n)).value_or(QString());
      if (entry.isEmpty()) {
        break;
      }
      stored.push_back(Utf8(entry));
    }
    if (const int slot = PreviewFileSlot(stored, Utf8(path)); slot > 0) {
      Platform.Settings->WriteString(FileValue(slot), path);
      Platform.Settings->Flush();
    }
  } else {
    CboFile->setCurrentIndex(index);
    CboFile->setFocus();
  }
  MakePreview(true);
}

void TPreviewPanel::OpenInDefaultBrowser() {
  if (WebPrev == nullptr || WebPrev->url().isEmpty()) {
    return;
  }
  // The default browser gets the address with blanks as blanks; other escapes stay.
  QString location = WebPrev->url().toString(QUrl::FullyEncoded);
  location.replace(QStringLiteral("%20"), QStringLiteral(" "));
  OpenUrlOrFail(*Platform.Shell, location);
}

}  // namespace qm
