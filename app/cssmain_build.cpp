// SPDX-License-Identifier: GPL-3.0-or-later
// Building the main window: actions, menus, the tool bar, the dock panels and the tab area.
#include <QAction>
#include <QDockWidget>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/cssmain.h"

namespace qm {

namespace {

QIcon Icon(const char* name) {
  return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

// One command: a caption, a tool-tip hint (the caption when none is given) and an optional image.
QAction* MakeAction(QObject* owner, const QString& caption, const QString& hint = {},
                    const char* icon = nullptr) {
  auto* action = new QAction(caption, owner);
  action->setToolTip(hint.isEmpty() ? caption : hint);
  if (icon != nullptr) {
    action->setIcon(Icon(icon));
  }
  return action;
}

QAction* MakeCheck(QObject* owner, const QString& caption) {
  auto* action = new QAction(caption, owner);
  action->setCheckable(true);
  return action;
}

}  // namespace

void TFrmMain::CreateActions() {
  acNew = MakeAction(this, QStringLiteral("New"), QStringLiteral("Create a new file"), "new");
  acNew->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  acOpen = MakeAction(this, QStringLiteral("Open"), QStringLiteral("Open existing file"), "open");
  acOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  acSave = MakeAction(this, QStringLiteral("Save"), QStringLiteral("Save Current File"), "save");
  acSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  acSaveAs = MakeAction(this, QStringLiteral("Save As"), QStringLiteral("Save As currrent file"),
                        "saveas");
  mSaveAll = MakeAction(this, QStringLiteral("Save All"), {}, "saveall");
  mClose = MakeAction(this, QStringLiteral("Close"));
  mCloseAll = MakeAction(this, QStringLiteral("Close All"));
  mExit = MakeAction(this, QStringLiteral("Exit"));

  mUndo = MakeAction(this, QStringLiteral("Undo"), QStringLiteral("Undo Last Action"), "undo");
  mRedo = MakeAction(this, QStringLiteral("Redo"), QStringLiteral("Redo"), "redo");
  acCut = MakeAction(this, QStringLiteral("Cut"), QStringLiteral("Cut Selected Text"), "cut");
  acCopy = MakeAction(this, QStringLiteral("Copy"), QStringLiteral("Copy Selected Text"), "copy");
  acPaste = MakeAction(this, QStringLiteral("Paste"),
                       QStringLiteral("Paste text from the clipboard"), "paste");
  acSelectAll = MakeAction(this, QStringLiteral("Select All"), QStringLiteral("Select All Text"));
  acFind =
      MakeAction(this, QStringLiteral("Find"), QStringLiteral("Find the indicated text"), "find");
  acFind->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_F), QKeySequence(Qt::Key_F3)});
  mReplace = MakeAction(this, QStringLiteral("Replace"), {}, "replace");
  mIndent =
      MakeAction(this, QStringLiteral("Indent"), QStringLiteral("Indent Selected Text"), "indent");
  mOutdent = MakeAction(this, QStringLiteral("Outdent"), QStringLiteral("Outdent Selected Text"),
                        "outdent");
  mNext = MakeAction(this, QStringLiteral("Next Block"), QStringLiteral("Move to next selector"),
                     "nextblock");
  mPrevious = MakeAction(this, QStringLiteral("Previous Block"),
                         QStringLiteral("Move to previous selector"), "prevblock");
  acComment = MakeAction(this, QStringLiteral("Comment"), QStringLiteral("Comment Seleted Text"),
                         "comment");
  acValidate = MakeAction(this, QStringLiteral("Validate Using W3C"),
                          QStringLiteral("Validate Using W3C"), "validate");

  mPanelTv = MakeCheck(this, QStringLiteral("Show Selectors"));
  mPanelvle = MakeCheck(this, QStringLiteral("Show Properties"));
  mPanelTxtInfo = MakeCheck(this, QStringLiteral("Show Info"));
  mPanelVisual = MakeCheck(this, QStringLiteral("Show Visual Editor"));
  mShowPreview = MakeCheck(this, QStringLiteral("Show Preview Window"));
  mShowPreview->setIcon(Icon("preview"));
  mShowPreview->setToolTip(QStringLiteral("Show/Hide Preview window"));
  mOptions = MakeAction(this, QStringLiteral("Options"));

  mHomePage = MakeAction(this, QStringLiteral("HomePage"));
  mCSS1page = MakeAction(this, QStringLiteral("CSS1 Reference"));
  mCSS2page = MakeAction(this, QStringLiteral("CSS2 Reference"));
  mReport = MakeAction(this, QStringLiteral("Report errors,suggestion,comments"));
  mAbout = MakeAction(this, QStringLiteral("About"));

  bPrevBookmark = MakeAction(this, QStringLiteral("Previous Bookmark"),
                             QStringLiteral("Previous Bookmark"), "prevbookmark");
  bNextBookmark = MakeAction(this, QStringLiteral("Next bookmark"), QStringLiteral("Next bookmark"),
                             "nextbookmark");
  bClearBookmarks = MakeAction(this, QStringLiteral("Clear All Bookmarks"),
                               QStringLiteral("Clear All Bookmarks"), "clearbookmarks");
  bBrowser1 = MakeAction(this, QStringLiteral("Browser1"),
                         QStringLiteral("Preview file in Browser1"), "browser1");
  bBrowser2 = MakeAction(this, QStringLiteral("Browser2"),
                         QStringLiteral("Preview file in Browser2"), "browser2");

  connect(acNew, &QAction::triggered, this, &TFrmMain::acNewExecute);
  connect(acOpen, &QAction::triggered, this, &TFrmMain::acOpenExecute);
  connect(acSave, &QAction::triggered, this, &TFrmMain::acSaveExecute);
  connect(acSaveAs, &QAction::triggered, this, &TFrmMain::acSaveAsExecute);
  connect(mSaveAll, &QAction::triggered, this, &TFrmMain::mSaveAllClick);
  connect(mClose, &QAction::triggered, this, &TFrmMain::mCloseClick);
  connect(mCloseAll, &QAction::triggered, this, &TFrmMain::mCloseAllClick);
  connect(mExit, &QAction::triggered, this, &TFrmMain::mExitClick);
  connect(mPanelTv, &QAction::triggered, this, &TFrmMain::mPanelTvClick);
  connect(mPanelvle, &QAction::triggered, this, &TFrmMain::mPanelvleClick);
  connect(mPanelTxtInfo, &QAction::triggered, this, &TFrmMain::mPanelTxtInfoClick);
  connect(mPanelVisual, &QAction::triggered, this, &TFrmMain::mPanelVisualClick);
  connect(mShowPreview, &QAction::triggered, this, &TFrmMain::mShowPreviewClick);
  connect(mHomePage, &QAction::triggered, this, &TFrmMain::mHomePageClick);
  connect(mCSS1page, &QAction::triggered, this, &TFrmMain::mCSS1pageClick);
  connect(mCSS2page, &QAction::triggered, this, &TFrmMain::mCSS2pageClick);
  connect(mReport, &QAction::triggered, this, &TFrmMain::mReportClick);
  connect(mAbout, &QAction::triggered, this, &TFrmMain::mAboutClick);
  connect(mOptions, &QAction::triggered, this, &TFrmMain::mOptionsClick);
  connect(mNext, &QAction::triggered, this, &TFrmMain::mNextClick);
  connect(mPrevious, &QAction::triggered, this, &TFrmMain::mPreviousClick);
}

void TFrmMain::CreateMenus() {
  mFile = menuBar()->addMenu(QStringLiteral("File"));
  mFile->addActions({acNew, acOpen, mClose, mCloseAll});
  mFile->addSeparator();
  mFile->addActions({acSave, acSaveAs, mSaveAll});
  mRecentTop = mFile->addSeparator();
  mRecentBottom = mFile->addSeparator();
  mFile->addAction(mExit);

  mEdit = menuBar()->addMenu(QStringLiteral("Edit"));
  mEdit->addActions({mUndo, mRedo});
  mEdit->addSeparator();
  mEdit->addActions({acCut, acCopy, acPaste, acSelectAll});
  mEdit->addSeparator();
  mEdit->addActions({acFind, mReplace});
  mEdit->addSeparator();
  mEdit->addActions({mIndent, mOutdent});
  mEdit->addSeparator();
  mEdit->addActions({mNext, mPrevious});
  mEdit->addSeparator();
  mEdit->addAction(acComment);

  mTools = menuBar()->addMenu(QStringLiteral("Tools"));
  mTools->addSeparator();
  mTools->addAction(acValidate);
  mTools->addSeparator();
  mTools->addActions({mPanelTv, mPanelvle, mPanelTxtInfo, mPanelVisual, mShowPreview});
  mTools->addSeparator();
  mTools->addAction(mOptions);

  mHelp = menuBar()->addMenu(QStringLiteral("Help"));
  mHelp->addAction(mHomePage);
  QMenu* references = mHelp->addMenu(QStringLiteral("References"));
  references->addActions({mCSS1page, mCSS2page});
  mHelp->addAction(mReport);
  mHelp->addSeparator();
  mHelp->addAction(mAbout);

  MainTextPopUp = new QMenu(this);
  MainTextPopUp->addActions({acCut, acCopy, acPaste});
  MainTextPopUp->addSeparator();
  MainTextPopUp->addAction(acSelectAll);
  MainTextPopUp->addSeparator();
  MainTextPopUp->addAction(acComment);
}

void TFrmMain::CreateToolBar() {
  MainToolBar = addToolBar(QStringLiteral("Main"));
  MainToolBar->setObjectName(QStringLiteral("MainToolBar"));
  MainToolBar->setIconSize(QSize(16, 16));
  MainToolBar->addActions({acNew, acOpen, acSave});
  MainToolBar->addSeparator();
  MainToolBar->addActions({acCut, acCopy, acPaste, acFind});
  MainToolBar->addSeparator();
  MainToolBar->addActions({mUndo, mRedo});
  MainToolBar->addSeparator();
  MainToolBar->addActions({mIndent, mOutdent, acComment, mNext, mPrevious});
  MainToolBar->addSeparator();
  MainToolBar->addActions({bPrevBookmark, bNextBookmark, bClearBookmarks});
  MainToolBar->addSeparator();
  MainToolBar->addActions({bBrowser1, bBrowser2, mShowPreview});
  MainToolBar->addSeparator();
  MainToolBar->addAction(acValidate);
}

void TFrmMain::CreateDocks() {
  // The bottom panel runs under the side columns, across the whole width.
  setCorner(Qt::BottomLeftCorner, Qt::BottomDockWidgetArea);
  setCorner(Qt::BottomRightCorner, Qt::BottomDockWidgetArea);
  setDockOptions(AnimatedDocks | AllowNestedDocks | AllowTabbedDocks);

  auto makeDock = [this](QDockWidget*& dock, const QString& caption, const char* name,
                         QWidget* content) {
    dock = new QDockWidget(caption, this);
    dock->setObjectName(QLatin1String(name));
    dock->setWidget(content);
  };

  auto* properties = new QWidget;
  auto* propertiesLayout = new QVBoxLayout(properties);
  propertiesLayout->setContentsMargins(0, 0, 0, 0);
  propertiesLayout->setSpacing(0);
  TabCSS = new QTabBar(properties);
  TabCSS->addTab(QStringLiteral("CSS1"));
  TabCSS->addTab(QStringLiteral("CSS2"));
  TabCSS->setExpanding(false);
  propertiesLayout->addWidget(TabCSS);
  CreateInspector(propertiesLayout);
  makeDock(dxProperties, QStringLiteral("Properties"), "dxProperties", properties);

  makeDock(dxQuickInfo, QStringLiteral("Quick Info"), "dxQuickInfo", new QWidget);

  makeDock(dxSelectors, QStringLiteral("Selectors"), "dxSelectors", CreateSelectorsPanel());

  makeDock(dxVisualEditor, QStringLiteral("Visual Editor"), "dxVisualEditor", new QWidget);
  makeDock(dxPreview, QStringLiteral("Preview"), "dxPreview", CreatePreviewPanel());

  addDockWidget(Qt::LeftDockWidgetArea, dxProperties);
  splitDockWidget(dxProperties, dxQuickInfo, Qt::Vertical);
  addDockWidget(Qt::RightDockWidgetArea, dxSelectors);
  splitDockWidget(dxSelectors, dxVisualEditor, Qt::Vertical);
  addDockWidget(Qt::BottomDockWidgetArea, dxPreview);
}

void TFrmMain::ApplyDesignedDockSizes() {
  // The panels' own size hints would leave the documents a narrow strip in the designed window.
  resizeDocks({dxProperties, dxSelectors}, {220, 160}, Qt::Horizontal);
  resizeDocks({dxProperties, dxQuickInfo}, {300, 120}, Qt::Vertical);
  resizeDocks({dxSelectors, dxVisualEditor}, {180, 240}, Qt::Vertical);
  resizeDocks({dxPreview}, {120}, Qt::Vertical);
}

void TFrmMain::CreateDocumentArea() {
  pgmain = new QTabWidget(this);
  pgmain->setObjectName(QStringLiteral("pgmain"));
  pgmain->setDocumentMode(true);
  pgmain->setMovable(false);
  pgmain->setIconSize(QSize(14, 14));
  pgmain->tabBar()->installEventFilter(this);
  setCentralWidget(pgmain);
  connect(pgmain, &QTabWidget::currentChanged, this, [this] { pgmainChange(); });

  StatusPanel = new QLabel(statusBar());
  StatusPanel->setFixedWidth(550);
  statusBar()->addWidget(StatusPanel);
}

}  // namespace qm
