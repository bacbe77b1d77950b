// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's life: creation, the first showing, shut-down, and the panel commands.
#include "app/cssmain.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QSettings>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>

#include "app/documenttab.h"
#include "controls/recentfiles.h"
#include "dialogs/cssAbout.h"
#include "dialogs/cssnew.h"
#include "dialogs/cssoptions.h"
#include "platform/settings.h"
#include "platform/settingsstore.h"
#include "platform/syntaxsettings.h"

namespace qm {

TFrmMain::TFrmMain(const TPlatform& platform, QWidget* parent)
    : QMainWindow(parent), Platform(platform) {
  setWindowIcon(QIcon(QStringLiteral(":/icons/quillmere.svg")));
  CreateActions();
  CreateMenus();
  CreateToolBar();
  CreateDocumentArea();
  CreateDocks();
  FormCreate();
  FrmOptions = new TFrmOptions(*Platform.Settings, *Platform.Prompts, SynCss, this);
  connect(FrmOptions, &TFrmOptions::Applied, this, &TFrmMain::OptionsApplied);
  FrmAbout = new TFrmAbout(*Platform.Shell, Sites.HomePage, this);
  FrmNew = new TFrmNew(*Platform.Prompts, this);
  FrmNew->HasDocument = [this] { return CurrentEditor != nullptr; };
  FrmNew->OnAdd = [this](TSelectorTab tab, const std::string& name) { AddSelector(tab, name); };
}

TFrmMain::~TFrmMain() = default;

void TFrmMain::FormCreate() {
  TSettingsStore& settings = *Platform.Settings;
  Sites = TSiteAddresses::Load(settings);
  rmain = new TRecentFiles(settings, *Platform.Prompts, this);
  rmain->SetMaxItems(5);
  rmain->SetParentMenu(mFile);
  rmain->SetPosition(static_cast<int>(mFile->actions().indexOf(mRecentBottom)));
  rmain->OnClickRecentItem = [this](TRecentFiles* sender, const QString& filename) {
    rmainClickRecentItem(sender, filename);
  };
  rmain->RebuildRecentMenu();

  OpenFilter = QStringLiteral("All Files|*.*|Text Files|*.txt|CSS Files|*.css");
  StatusPanel->setText(QStringLiteral("Line 1 of  1, Col 1"));
  FillPreviewMenu();
  LoadPreviewFiles();

  const QRect bounds =
      FitWindowBoundsOnScreen(Setting::ReadWindowBounds(settings), minimumSizeHint());
  move(bounds.topLeft());
  resize(bounds.size());

  if (QFileInfo::exists(LayoutFile())) {
    QSettings layout(LayoutFile(), QSettings::IniFormat);
    LayoutRestored = restoreState(layout.value(QStringLiteral("Layout/State")).toByteArray());
  }
  setAcceptDrops(true);

  mPanelTv->setChecked(!dxSelectors->isHidden());
  mPanelvle->setChecked(!dxProperties->isHidden());
  mPanelTxtInfo->setChecked(!dxQuickInfo->isHidden());
  mPanelVisual->setChecked(!dxVisualEditor->isHidden());
  mShowPreview->setChecked(!dxPreview->isHidden());

  TabCSS->setCurrentIndex(Setting::CurrentCss.Read(settings));
  pgmainChange();
  DeclarationIndent = Setting::TabWidth.Read(settings);
  LoadSyntaxStyles(settings, SynCss);
}

QString TFrmMain::LayoutFile() const {
  return QDir(Platform.WorkFolder).filePath(QStringLiteral("layout.ini"));
}

void TFrmMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!Shown) {
    Shown = true;
    if (!LayoutRestored) {
      // Once the layout has been laid out for the first time, or the panels' size hints win.
      QTimer::singleShot(0, this, &TFrmMain::ApplyDesignedDockSizes);
    }
    // After the window and every dialog exist; a failure stops the files after it.
    QTimer::singleShot(0, this, &TFrmMain::OpenCommandLineFiles);
  }
}

void TFrmMain::OpenCommandLineFiles() {
  const QStringList files = std::exchange(CommandLineFiles, {});
  for (const QString& file : files) {
    OpenOperation(file);
  }
}

void TFrmMain::closeEvent(QCloseEvent* event) {
  if (FormClose()) {
    event->accept();
  } else {
    event->ignore();
  }
}

bool TFrmMain::FormClose() {
  for (int i = pgmain->count() - 1; i >= 0; --i) {
    if (!CloseDocument(i)) {
      return false;
    }
  }
  TSettingsStore& settings = *Platform.Settings;
  Setting::CurrentCss.Write(settings, TabCSS->currentIndex());
  Setting::ActiveVisualTab.Write(settings, 0);
  Setting::WriteWindowBounds(settings, {x(), y(), width(), height()});
  settings.Flush();

  QSettings layout(LayoutFile(), QSettings::IniFormat);
  layout.setValue(QStringLiteral("Layout/State"), saveState());
  layout.sync();
  SaveSyntaxStyles(settings, SynCss);
  settings.Flush();
  return true;
}

void TFrmMain::mExitClick() {
  close();
}

void TFrmMain::SetTitle(const QString& title) {
  setWindowTitle(title);
}

void TFrmMain::mPanelTvClick() {
  dxSelectors->setVisible(mPanelTv->isChecked());
}

void TFrmMain::mPanelvleClick() {
  dxProperties->setVisible(mPanelvle->isChecked());
}

void TFrmMain::mPanelTxtInfoClick() {
  dxQuickInfo->setVisible(mPanelTxtInfo->isChecked());
}

void TFrmMain::mPanelVisualClick() {
  dxVisualEditor->setVisible(mPanelVisual->isChecked());
}

// Its check mark and the panel's visibility each flip on their own: a panel closed by its own
// button comes back on the next click whatever the mark says.
void TFrmMain::mShowPreviewClick() {
  dxPreview->setVisible(dxPreview->isHidden());
}

void TFrmMain::MainTextStatusChange(TCssEditor* sender, TStatusChanges changes) {
  if (UpdatingText || sender != CurrentEditor || sender->SelAvail() ||
      !changes.testFlag(TStatusChange::CaretLine)) {
    return;
  }
  ReadCaretBlock(sender);
}

void TFrmMain::ReadCaretBlock(TCssEditor* editor) {
  if (UpdatingText || editor->SelAvail()) {
    return;
  }
  const TLineCol caret = editor->CaretLineCol();
  StatusPanel->setText(QStringLiteral("Line %1 of  %2, Col %3")
                           .arg(caret.Line)
                           .arg(editor->LineCount())
                           .arg(caret.Col));
}

void TFrmMain::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) {
    event->acceptProposedAction();
  }
}

void TFrmMain::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  event->acceptProposedAction();
  for (const QUrl& url : urls) {
    if (url.isLocalFile()) {
      OpenOperation(QDir::toNativeSeparators(url.toLocalFile()));
    }
  }
}

bool TFrmMain::eventFilter(QObject* watched, QEvent* event) {
  if (Tv != nullptr && watched == Tv->viewport()) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::RightButton) {
      TvMouseDown(mouse->position().toPoint());
    } else if (event->type() == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton) {
      TvClick();
    }
  }
  if (watched == pgmain->tabBar() && event->type() == QEvent::MouseButtonRelease) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton) {
      pgmainMouseUp(mouse->position().toPoint());
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace qm
