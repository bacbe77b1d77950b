// SPDX-License-Identifier: GPL-3.0-or-later
// The Preview panel: the page built from the sheet or a chosen page, the preview-file list, and
// the same page in the configured external browsers and the default browser.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QMenu>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineView>

#include "app/cssmain.h"
#include "model/error.h"
#include "model/previewpage.h"
#include "platform/fileio.h"
#include "platform/prompts.h"
#include "platform/settingsstore.h"
#include "platform/shell.h"

namespace qm {

namespace {

const QString kBuildEntry = QStringLiteral("Build HTML using this style sheet");
const QString kMenuItemName = QStringLiteral("PreviewMenuItem");
const QString kInternetExplorer = QStringLiteral("ieLocation");
// Only so many preview files come back at start-up.
constexpr int kStoredFiles = 30;
constexpr int kBrowsers = 10;

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
  return QStringLiteral("File%1").arg(n);
}

}  // namespace

QWidget* TFrmMain::CreatePreviewPanel() {
  auto* panel = new QWidget;
  TbPreview = new QToolBar(panel);
  TbPreview->setIconSize(QSize(16, 16));
  TbPreview->setMovable(false);
  TbRefresh = TbPreview->addAction(Image("refresh"), QStringLiteral("Refresh"));
  TbRefresh->setToolTip(QStringLiteral("Refresh Current View"));
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
  TbOpen->setToolTip(QStringLiteral("Select a new html file for previewing"));
  TbOpenBrowser = TbPreview->addAction(Image("openbrowser"), QStringLiteral("Open in Browser"));
  TbOpenBrowser->setToolTip(
      QStringLiteral("Open the current page in the default browser maximized."));

  // Stands where the browser will be until the first page is shown.
  auto* blank = new QWidget(panel);
  blank->setObjectName(QStringLiteral("PreviewBlank"));
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(TbPreview);
  layout->addWidget(blank, 1);

  connect(TbRefresh, &QAction::triggered, this, &TFrmMain::TbRefreshClick);
  connect(CboFile, &QComboBox::activated, this, &TFrmMain::CboFileSelect);
  connect(TbOpen, &QAction::triggered, this, &TFrmMain::TbOpenClick);
  connect(TbOpenBrowser, &QAction::triggered, this, &TFrmMain::TbOpenBrowserClick);
  connect(bBrowser1, &QAction::triggered, this, &TFrmMain::bBrowser1Click);
  connect(bBrowser2, &QAction::triggered, this, &TFrmMain::bBrowser2Click);
  return panel;
}

void TFrmMain::LoadPreviewFiles() {
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

QString TFrmMain::MakePreview(bool Show) {
  if (CurrentEditor == nullptr) {
    return {};
  }
  QString page = CboFile->currentText();
  const bool generate = page == kBuildEntry;
  if (generate) {
    page = QDir(Platform.DataFolder).filePath(QStringLiteral("dynpreview.htm"));
  }
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
    RefreshItm();
    // The sheet's url()s are written relative to the sheet; an unsaved sheet has no folder.
    if (!CurrentPath().isEmpty()) {
      base = FolderAddress(CurrentPath());
    }
  } else {
    base = FolderAddress(page);
  }
  const std::string built =
      BuildPreviewPage(std::move(lines), generate ? &Blocks : nullptr, CurrentEditor->Text(), base);
  const QString target = QDir(Platform.WorkFolder).filePath(QStringLiteral("temppreview.htm"));
  WriteFileBytes(target, built);
  if (Show) {
    ShowInPreview(target);
  }
  return target;
}

void TFrmMain::ShowInPreview(const QString& path) {
  if (WebPrev == nullptr) {
    QWidget* panel = dxPreview->widget();
    QWidget* blank = panel->findChild<QWidget*>(QStringLiteral("PreviewBlank"));
    WebPrev = new QWebEngineView(panel);
    WebPrev->setObjectName(QStringLiteral("WebPrev"));
    delete panel->layout()->replaceWidget(blank, WebPrev);
    delete blank;
  }
  WebPrev->load(QUrl::fromLocalFile(path));
}

void TFrmMain::TbRefreshClick() {
  MakePreview(true);
}

void TFrmMain::CboFileSelect() {
  MakePreview(true);
}

void TFrmMain::TbOpenClick() {
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

void TFrmMain::FillPreviewMenu() {
  for (QAction* action : mTools->actions()) {
    if (action->objectName().startsWith(kMenuItemName)) {
      mTools->removeAction(action);
      delete action;
    }
  }
  // The buttons name the browser they start, or stay as designed when there is none.
  bBrowser1->setToolTip(QStringLiteral("Preview file in Browser1"));
  bBrowser2->setToolTip(QStringLiteral("Preview file in Browser2"));
  for (int n = 1; n <= kBrowsers; ++n) {
    const QString name =
        Platform.Settings->ReadString(QStringLiteral("Browser%1a").arg(n)).value_or(QString());
    if (name.isEmpty()) {
      break;
    }
    auto* command = new QAction(QStringLiteral("Preview with ") + name, this);
    command->setObjectName(kMenuItemName + QString::number(n));
    // The launch path is the command's hint: a program file, or "ieLocation".
    command->setStatusTip(
        Platform.Settings->ReadString(QStringLiteral("Browser%1b").arg(n)).value_or(QString()));
    connect(command, &QAction::triggered, this, [this, command] { mPreviewb(command); });
    mTools->insertAction(mTools->actions().value(n - 1), command);
    if (n <= 2) {
      (n == 1 ? bBrowser1 : bBrowser2)->setToolTip(command->text());
    }
  }
}

void TFrmMain::mPreviewb(QObject* Sender) {
  const auto* command = qobject_cast<QAction*>(Sender);
  if (command == nullptr) {
    return;
  }
  const QString launch = command->statusTip();
  const QString page = MakePreview(false);
  // Nothing was built: no document, or the page was missing and has been reported.
  if (page.isEmpty()) {
    return;
  }
  if (launch == kInternetExplorer) {
    // That browser's automation server is gone from current systems: the default browser
    // stands in for it.
    Platform.Shell->OpenUrl(QUrl::fromLocalFile(page).toString(QUrl::FullyEncoded));
    return;
  }
  if (!Platform.Shell->StartProgram(launch, {QDir::toNativeSeparators(page)})) {
    throw TError(FormatMessage("Cannot start the browser \"%s\".",
                               {Utf8(QDir::toNativeSeparators(launch))}));
  }
}

void TFrmMain::bBrowser1Click() {
  QAction* first = mTools->actions().value(0);
  if (first != nullptr && first->objectName().left(16) == kMenuItemName + QLatin1Char('1')) {
    mPreviewb(first);
  } else {
    Platform.Prompts->Message(TMessageKind::Warning,
                              QStringLiteral("You did not configure a primary browser."),
                              {TButton::Ok});
  }
}

void TFrmMain::bBrowser2Click() {
  QAction* second = mTools->actions().value(1);
  if (second != nullptr && second->objectName().left(16) == kMenuItemName + QLatin1Char('2')) {
    mPreviewb(second);
  } else {
    Platform.Prompts->Message(TMessageKind::Warning,
                              QStringLiteral("You did not configure a secondary browser."),
                              {TButton::Ok});
  }
}

void TFrmMain::TbOpenBrowserClick() {
  if (WebPrev == nullptr || WebPrev->url().isEmpty()) {
    return;
  }
  // The default browser gets the address with blanks as blanks; other escapes stay.
  QString location = WebPrev->url().toString(QUrl::FullyEncoded);
  location.replace(QStringLiteral("%20"), QStringLiteral(" "));
  Platform.Shell->OpenUrl(location);
}

}  // namespace qm
