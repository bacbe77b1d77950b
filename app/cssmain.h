// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: document tabs around which the dock panels sit, the menus and tool bar,
// and the program state every command works on.
#pragma once

#include <QMainWindow>
#include <QStringList>

#include "controls/csseditor.h"
#include "model/selectorblocks.h"
#include "model/syntaxstyles.h"
#include "platform/platform.h"
#include "platform/siteaddresses.h"

class QAction;
class QComboBox;
class QDockWidget;
class QLabel;
class QMenu;
class QTabBar;
class QTabWidget;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;
class QVBoxLayout;
class QWebEngineView;

namespace qm {

class TDocumentTab;
class TInspectorCSS;
class TFrmAbout;
class TFrmNew;
class TFrmOptions;
class TRecentFiles;

class TFrmMain : public QMainWindow {
  Q_OBJECT

 public:
  explicit TFrmMain(const TPlatform& platform, QWidget* parent = nullptr);
  ~TFrmMain() override;

  // Files named on the command line, opened when the window is first shown.
  void SetCommandLineFiles(const QStringList& files) { CommandLineFiles = files; }

  // Documents (documents.cpp).
  void NewDocument();
  void OpenOperation(const QString& path);
  bool CloseDocument(int index);
  void pgmainChange();
  void acNewExecute();
  void acOpenExecute();
  void acSaveExecute();
  void acSaveAsExecute();
  void mSaveAllClick();
  void mCloseClick();
  void mCloseAllClick();
  void mExitClick();
  TDocumentTab* DocumentTab(int index) const;
  TDocumentTab* ActiveTab() const;
  // The path the active document saves to; empty for an untitled one.
  QString CurrentPath() const;

  // Panels (cssmain.cpp).
  void mPanelTvClick();
  void mPanelvleClick();
  void mPanelTxtInfoClick();
  void mPanelVisualClick();
  void mShowPreviewClick();

  // Selector blocks and the Selectors panel (selectors.cpp).
  void RefreshItm();
  void RefreshTree();
  void TbTrefreshClick();
  void TvClick();
  void TvMouseDown(const QPoint& pos);
  void TvContextPopup(const QPoint& pos);
  void mNextClick();
  void mPreviousClick();
  void TbtNewElementClick();
  void TbtNewClassClick();
  void TbtNewIDClick();
  void mTNewClick();
  void mTDeleteClick();
  // Adds a new selector with an empty block after the block at the caret.
  void AddSelector(TSelectorTab tab, const std::string& name);

  // The Preview panel and the external browsers (preview.cpp).
  // Writes "temppreview.htm" from the entry of CboFile and the active sheet, and with Show shows
  // it in the panel; returns its path, empty when nothing was built.
  QString MakePreview(bool Show);
  // Shows a local file in the Preview panel, making its browser the first time.
  void ShowInPreview(const QString& path);
  void TbRefreshClick();
  void CboFileSelect();
  void TbOpenClick();
  void FillPreviewMenu();
  void mPreviewb(QObject* Sender);
  void bBrowser1Click();
  void bBrowser2Click();
  void TbOpenBrowserClick();

  // Help menu (helpcommands.cpp).
  void mHomePageClick();
  void mCSS1pageClick();
  void mCSS2pageClick();
  void mReportClick();
  void mAboutClick();
  void mOptionsClick();
  // What the Options dialog applied, for the window itself: the indent and the browser commands.
  void OptionsApplied();
  void rmainClickRecentItem(TRecentFiles* sender, const QString& filename);

  // The editor's status-change handler.
  void MainTextStatusChange(TCssEditor* sender, TStatusChanges changes);

  // Program state.
  TCssEditor* CurrentEditor = nullptr;
  bool UpdatingText = false;
  int DeclarationIndent = 8;
  int UntitledCounter = 1;
  // The selector blocks of the active document, as of the last RefreshItm.
  TModList Blocks;
  // The token classes' colours and styles every editor is drawn with.
  TSyntaxStyles SynCss = DefaultSyntaxStyles();

  // Components.
  TRecentFiles* rmain = nullptr;
  TFrmAbout* FrmAbout = nullptr;
  TFrmOptions* FrmOptions = nullptr;
  TFrmNew* FrmNew = nullptr;
  QToolBar* TbSelectors = nullptr;
  QMenu* TvPopup = nullptr;
  QAction* TbTrefresh = nullptr;
  QAction* TbtNewElement = nullptr;
  QAction* TbtNewClass = nullptr;
  QAction* TbtNewID = nullptr;
  QAction* TbtDelete = nullptr;
  QAction* mTNew = nullptr;
  QAction* mTDelete = nullptr;
  QTabWidget* pgmain = nullptr;
  QLabel* StatusPanel = nullptr;
  QToolBar* MainToolBar = nullptr;
  QDockWidget* dxProperties = nullptr;
  QDockWidget* dxQuickInfo = nullptr;
  QDockWidget* dxSelectors = nullptr;
  QDockWidget* dxVisualEditor = nullptr;
  QDockWidget* dxPreview = nullptr;
  QTabBar* TabCSS = nullptr;
  TInspectorCSS* ic = nullptr;
  QTreeWidget* Tv = nullptr;
  QMenu* mFile = nullptr;
  QMenu* mEdit = nullptr;
  QMenu* mTools = nullptr;
  QMenu* mHelp = nullptr;
  QMenu* MainTextPopUp = nullptr;
  // The separators of the File menu between which the recent files stand.
  QAction* mRecentTop = nullptr;
  QAction* mRecentBottom = nullptr;

  QAction* acNew = nullptr;
  QAction* acOpen = nullptr;
  QAction* acSave = nullptr;
  QAction* acSaveAs = nullptr;
  QAction* mSaveAll = nullptr;
  QAction* mClose = nullptr;
  QAction* mCloseAll = nullptr;
  QAction* mExit = nullptr;
  QAction* mUndo = nullptr;
  QAction* mRedo = nullptr;
  QAction* acCut = nullptr;
  QAction* acCopy = nullptr;
  QAction* acPaste = nullptr;
  QAction* acSelectAll = nullptr;
  QAction* acFind = nullptr;
  QAction* mReplace = nullptr;
  QAction* mIndent = nullptr;
  QAction* mOutdent = nullptr;
  QAction* mNext = nullptr;
  QAction* mPrevious = nullptr;
  QAction* acComment = nullptr;
  QAction* acValidate = nullptr;
  QAction* mPanelTv = nullptr;
  QAction* mPanelvle = nullptr;
  QAction* mPanelTxtInfo = nullptr;
  QAction* mPanelVisual = nullptr;
  QAction* mShowPreview = nullptr;
  QAction* mOptions = nullptr;
  QAction* mHomePage = nullptr;
  QAction* mCSS1page = nullptr;
  QAction* mCSS2page = nullptr;
  QAction* mReport = nullptr;
  QAction* mAbout = nullptr;
  QAction* bPrevBookmark = nullptr;
  QAction* bNextBookmark = nullptr;
  QAction* bClearBookmarks = nullptr;
  QAction* bBrowser1 = nullptr;
  QAction* bBrowser2 = nullptr;
  QToolBar* TbPreview = nullptr;
  QAction* TbRefresh = nullptr;
  QComboBox* CboFile = nullptr;
  QAction* TbOpen = nullptr;
  QAction* TbOpenBrowser = nullptr;
  // Made the first time a page is shown: starting the browser engine is slow.
  QWebEngineView* WebPrev = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Building the window (cssmain_build.cpp).
  void CreateActions();
  void CreateMenus();
  void CreateToolBar();
  void CreateDocks();
  // The inspector below the CSS level tabs of the Properties panel (propertiespanel.cpp).
  void CreateInspector(QVBoxLayout* propertiesLayout);
  void CreateDocumentArea();
  void ApplyDesignedDockSizes();
  QWidget* CreateSelectorsPanel();
  QWidget* CreatePreviewPanel();
  void LoadPreviewFiles();
  // The reading pass that follows a caret move to another line.
  void ReadCaretBlock(TCssEditor* editor);

  void FormCreate();
  bool FormClose();
  void OpenCommandLineFiles();
  QString LayoutFile() const;
  void SetTitle(const QString& title);
  // Font, size and tab width from the settings, and the syntax styles, onto one editor.
  void ApplyEditorSettings(TCssEditor* editor);
  void SaveDocument(TDocumentTab* tab);
  void SaveDocumentAs(TDocumentTab* tab);
  void WriteDocument(TDocumentTab* tab, const QString& path);
  // Makes a tab active without the page control's own change notification.
  void ActivateTab(int index);
  void pgmainMouseUp(const QPoint& pos);

  TPlatform Platform;
  TSiteAddresses Sites;
  QStringList CommandLineFiles;
  bool Shown = false;
  bool LayoutRestored = false;
  QString OpenFilter;
};

}  // namespace qm
