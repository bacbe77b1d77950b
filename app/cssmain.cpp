// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's life: creation, the first showing, shut-down, the panel commands, and what
// the tests and the coordinator look up by name.
#include "app/cssmain.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QTimer>

#include "app/commandtable.h"
#include "app/declarationsync.h"
#include "app/documenttabs.h"
#include "app/editmenu.h"
#include "app/editorkit.h"
#include "app/propertiespanel.h"
#include "app/visualeditorpanel.h"
#include "controls/recentfiles.h"
#include "dialogs/cssAbout.h"
#include "dialogs/cssnew.h"
#include "dialogs/cssoptions.h"
#include "platform/commandguard.h"
#include "platform/settings.h"
#include "platform/settingsstore.h"
#include "platform/syntaxsettings.h"

namespace qm {

TFrmMain::TFrmMain(const TPlatform& platform, QWidget* parent)
    : QMainWindow(parent), Platform(platform) {
  setWindowIcon(QIcon(QStringLiteral(":/icons/quillmere.svg")));
  CreateMenus();
  CreateToolBar();
  CreateDocumentArea();
  CreateDocks();
  FormCreate();
  FrmOptions = new TFrmOptions(*Platform.Settings, *Platform.Prompts, SynCss, this);
  connect(FrmOptions, &TFrmOptions::Applied, this, &TFrmMain::OptionsApplied);
  FrmAbout = new TFrmAbout(*Platform.Shell, *Platform.Prompts, Sites.HomePage, this);
  FrmNew = new TFrmNew(*Platform.Prompts, this);
  FrmNew->HasDocument = [this] { return Tabs_->CurrentDocument() != nullptr; };
  FrmNew->OnAdd = [this](TSelectorTab tab, const std::string& name) {
    RunCommand(*Platform.Prompts, [this, tab, &name] { AddSelector(tab, name); });
  };
}

TFrmMain::~TFrmMain() = default;

void TFrmMain::FormCreate() {
  TSettingsStore& settings = *Platform.Settings;
  Sites = TSiteAddresses::Load(settings);
  rmain = new TRecentFiles(settings, *Platform.Prompts, this);
  rmain->SetMaxItems(5);
  rmain->SetParentMenu(mFile);
  // Between the two separators in front of Exit.
  rmain->SetPosition(static_cast<int>(mFile->actions().indexOf(Action("mExit"))) - 1);
  rmain->OnClickRecentItem = [this](TRecentFiles*, const QString& filename) {
    RunCommand(*Platform.Prompts, [this, &filename] { Tabs_->OpenOperation(filename); });
  };
  rmain->RebuildRecentMenu();

  StatusPanel->setText(QStringLiteral("Line 1 of  1, Col 1"));
  FillPreviewMenu();

  TWindowBounds stored = Setting::ReadWindowBounds(settings);
  if (!settings.Contains(Setting::Width.Key()) && !settings.Contains(Setting::Height.Key())) {
    stored = FirstStartBounds(stored, AvailableScreenArea(stored));
  }
  const QRect bounds = FitWindowBoundsOnScreen(stored, minimumSizeHint());
  move(bounds.topLeft());
  resize(bounds.size());
  if (Setting::Maximized.Read(settings) == 1) {
    setWindowState(windowState() | Qt::WindowMaximized);
  }

  DesignedState = saveState();
  if (QFileInfo::exists(LayoutFile())) {
    QSettings layout(LayoutFile(), QSettings::IniFormat);
    LayoutRestored = restoreState(layout.value(QStringLiteral("Layout/State")).toByteArray());
  }
  setAcceptDrops(true);

  const std::pair<const char*, QDockWidget*> panels[] = {
      {"mPanelTv", dxSelectors},        {"mPanelvle", dxProperties}, {"mPanelTxtInfo", dxQuickInfo},
      {"mPanelVisual", dxVisualEditor}, {"mShowPreview", dxPreview}, {"mPanelProblems", dxProblems},
  };
  for (const auto& [command, dock] : panels) {
    Action(QLatin1String(command))->setChecked(!dock->isHidden());
  }

  PropertiesPanel->SetCssLevel(Setting::CurrentCss.Read(settings));
  ShowActiveDocument();
  DeclarationIndent_ = Setting::TabWidth.Read(settings);
  Sync->SetIndent(DeclarationIndent_);
  LoadSyntaxStyles(settings, SynCss);
}

QString TFrmMain::LayoutFile() const {
  return QDir(Platform.WorkFolder).filePath(QStringLiteral("layout.ini"));
}

void TFrmMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!Shown) {
    Shown = true;
    // Once the layout has been laid out for the first time, or the panels' size hints win.
    QTimer::singleShot(0, this, &TFrmMain::FitDocumentArea);
    // After the window and every dialog exist; a failure stops the files after it.
    QTimer::singleShot(
        0, this, [this] { RunCommand(*Platform.Prompts, [this] { OpenCommandLineFiles(); }); });
  }
}

void TFrmMain::FitDocumentArea() {
  // A layout that leaves the documents less than half the window makes the program hard to use
  // from its first minute on; the designed arrangement replaces it.
  if (LayoutRestored && centralWidget()->width() * 2 < width()) {
    restoreState(DesignedState);
    LayoutRestored = false;
  }
  if (!LayoutRestored) {
    ApplyDesignedDockSizes();
  }
  // Floating panels were shown by the restore, before the window, which then covered them.
  for (QDockWidget* dock : findChildren<QDockWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (dock->isFloating() && !dock->isHidden()) {
      dock->raise();
    }
  }
}

void TFrmMain::OpenCommandLineFiles() {
  // Changes an earlier run could not save come first: a file named here then only comes to the
  // front.
  RunCommand(*Platform.Prompts, [this] {
    Tabs_->RestoreSession();
    Tabs_->RecoverRecords();
  });
  Tabs_->OpenFiles(std::exchange(CommandLineFiles, {}));
}

void TFrmMain::OpenFromElsewhere(const QStringList& files) {
  if (isMinimized()) {
    showNormal();
  }
  raise();
  activateWindow();
  // Before the first showing they join the command line's files.
  if (!Shown) {
    CommandLineFiles << files;
    return;
  }
  RunCommand(*Platform.Prompts, [this, &files] { Tabs_->OpenFiles(files); });
}

void TFrmMain::closeEvent(QCloseEvent* event) {
  if (FormClose()) {
    event->accept();
  } else {
    event->ignore();
  }
}

void TFrmMain::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && Shown) {
    // After the activation is over: a question asked now would fight it for the focus.
    QTimer::singleShot(
        0, this, [this] { RunCommand(*Platform.Prompts, [this] { Tabs_->CheckFilesOnDisk(); }); });
  }
}

bool TFrmMain::FormClose() {
  // Taken while the documents are still there: the panels' sizes as the user saw them.
  const QByteArray layoutState = saveState();
  // With the last session kept, documents with unsaved changes stay in their records; the
  // next start brings them back as they are.
  if (!Tabs_->KeepSession() && !Tabs_->CloseEveryDocument()) {
    return false;
  }
  TSettingsStore& settings = *Platform.Settings;
  Setting::CurrentCss.Write(settings, PropertiesPanel->CssLevel());
  Setting::ActiveVisualTab.Write(settings, VisualEditorPanel->Pages()->currentIndex());
  // A maximised window keeps the bounds it goes back to when it is restored.
  const QRect normal = isMaximized() ? normalGeometry() : geometry();
  const QPoint frame = geometry().topLeft() - pos();
  Setting::WriteWindowBounds(
      settings, {normal.x() - frame.x(), normal.y() - frame.y(), normal.width(), normal.height()});
  Setting::Maximized.Write(settings, isMaximized() ? 1 : 0);
  settings.Flush();

  QSettings layout(LayoutFile(), QSettings::IniFormat);
  layout.setValue(QStringLiteral("Layout/State"), layoutState);
  layout.sync();
  SaveSyntaxStyles(settings, SynCss);
  settings.Flush();
  return true;
}

void TFrmMain::mExitClick() {
  close();
}

void TFrmMain::mPanelTvClick() {
  dxSelectors->setVisible(Action("mPanelTv")->isChecked());
}

void TFrmMain::mPanelvleClick() {
  dxProperties->setVisible(Action("mPanelvle")->isChecked());
}

void TFrmMain::mPanelTxtInfoClick() {
  dxQuickInfo->setVisible(Action("mPanelTxtInfo")->isChecked());
}

void TFrmMain::mPanelVisualClick() {
  dxVisualEditor->setVisible(Action("mPanelVisual")->isChecked());
}

// Its check mark and the panel's visibility each flip on their own: a panel closed by its own
// button comes back on the next click whatever the mark says.
void TFrmMain::mShowPreviewClick() {
  dxPreview->setVisible(dxPreview->isHidden());
}

// Shows the panel when it is hidden, whatever the mark says; the mark follows the panel, also when
// it is closed by its own button.
void TFrmMain::mPanelProblemsClick() {
  dxProblems->setVisible(dxProblems->isHidden());
  dxProblems->raise();
  Action("mPanelProblems")->setChecked(!dxProblems->isHidden());
  // Beside the preview it gets room for its messages: half the width, unless it has more.
  if (!dxProblems->isHidden() && !dxProblems->isFloating() && !dxPreview->isHidden() &&
      !dxPreview->isFloating() && dockWidgetArea(dxProblems) == dockWidgetArea(dxPreview) &&
      dxProblems->width() * 3 < width()) {
    resizeDocks({dxPreview, dxProblems}, {width() / 2, width() / 2}, Qt::Horizontal);
  }
}

void TFrmMain::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) {
    event->acceptProposedAction();
  }
}

void TFrmMain::dropEvent(QDropEvent* event) {
  QStringList files;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) {
      files.append(QDir::toNativeSeparators(url.toLocalFile()));
    }
  }
  event->acceptProposedAction();
  RunCommand(*Platform.Prompts, [this, &files] { Tabs_->OpenFiles(files); });
}

QDockWidget* TFrmMain::Dock(const QString& name) const {
  return findChild<QDockWidget*>(name, Qt::FindDirectChildrenOnly);
}

QAction* TFrmMain::Action(const QString& name) const {
  QAction* command = FindCommand(this, name);
  if (command == nullptr) {
    command = EditMenu->Action(name);
  }
  return command != nullptr ? command : EditorKit->Action(name);
}

TFindDialog& TFrmMain::FindDialog() const {
  return EditMenu->FindDialog();
}

TFindDialog& TFrmMain::ReplaceDialog() const {
  return EditMenu->ReplaceDialog();
}

QMenu* TFrmMain::Menu(const QString& name) const {
  return findChild<QMenu*>(name);
}

QString TFrmMain::StatusText() const {
  return StatusPanel->text();
}

}  // namespace qm
