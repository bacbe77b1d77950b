// SPDX-License-Identifier: GPL-3.0-or-later
// Building the main window: actions, menus, the tool bar, the dock panels and the tab area.
#include <QAction>
#include <QDockWidget>
#include <QFontDatabase>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "app/cssmain.h"
#include "app/declarationsync.h"
#include "app/opendocument.h"
#include "app/previewpanel.h"
#include "app/problemspanel.h"
#include "app/propertiespanel.h"
#include "app/quickinfopanel.h"
#include "app/selectorspanel.h"
#include "app/visualeditorpanel.h"
#include "controls/bitmaps.h"
#include "controls/inspectorcss.h"
#include "dialogs/cssedit.h"
#include "dialogs/cssnew.h"
#include "platform/commandguard.h"

namespace qm {

namespace {

// One command: a caption, a tool-tip hint (the caption when none is given) and an optional image.
QAction* MakeAction(QObject* owner, const QString& caption, const QString& hint = {},
                    const char* icon = nullptr) {
  auto* action = new QAction(caption, owner);
  action->setToolTip(hint.isEmpty() ? caption : hint);
  if (icon != nullptr) {
    action->setIcon(ProgramIcon(icon));
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
  acSaveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  mSaveAll = MakeAction(this, QStringLiteral("Save All"), {}, "saveall");
  mClose = MakeAction(this, QStringLiteral("Close"));
  mClose->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
  mCloseAll = MakeAction(this, QStringLiteral("Close All"));
  mExit = MakeAction(this, QStringLiteral("Exit"));

  mUndo = MakeAction(this, QStringLiteral("Undo"), QStringLiteral("Undo Last Action"), "undo");
  mRedo = MakeAction(this, QStringLiteral("Redo"), QStringLiteral("Redo"), "redo");
  acCut = MakeAction(this, QStringLiteral("Cut"), QStringLiteral("Cut Selected Text"), "cut");
  acCopy = MakeAction(this, QStringLiteral("Copy"), QStringLiteral("Copy Selected Text"), "copy");
  acPaste = MakeAction(this, QStringLiteral("Paste"),
                       QStringLiteral("Paste text from the clipboard"), "paste");
  acSelectAll = MakeAction(this, QStringLiteral("Select All"), QStringLiteral("Select All Text"));
  mIndent =
      MakeAction(this, QStringLiteral("Indent"), QStringLiteral("Indent Selected Text"), "indent");
  mOutdent = MakeAction(this, QStringLiteral("Outdent"), QStringLiteral("Outdent Selected Text"),
                        "outdent");
  // The editor takes these keys itself (Tab and Shift+Tab through the window's key routing); the
  // menus and tool tips only name them, and the
  // shortcuts never fire outside the menus, where a key belongs to the widget with the focus.
  const std::pair<QAction*, QKeySequence> editorKeys[] = {
      {mUndo, QKeySequence(Qt::CTRL | Qt::Key_Z)},
      {mRedo, QKeySequence(Qt::CTRL | Qt::Key_Y)},
      {acCut, QKeySequence(Qt::CTRL | Qt::Key_X)},
      {acCopy, QKeySequence(Qt::CTRL | Qt::Key_C)},
      {acPaste, QKeySequence(Qt::CTRL | Qt::Key_V)},
      {acSelectAll, QKeySequence(Qt::CTRL | Qt::Key_A)},
      {mIndent, QKeySequence(Qt::Key_Tab)},
      {mOutdent, QKeySequence(Qt::SHIFT | Qt::Key_Tab)},
  };
  for (const auto& [action, key] : editorKeys) {
    action->setShortcut(key);
    action->setShortcutContext(Qt::WidgetShortcut);
  }
  acFind =
      MakeAction(this, QStringLiteral("Find"), QStringLiteral("Find the indicated text"), "find");
  acFind->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_F), QKeySequence(Qt::Key_F3)});
  mReplace = MakeAction(this, QStringLiteral("Replace"), {}, "replace");
  mReplace->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
  mNext = MakeAction(this, QStringLiteral("Next Block"), QStringLiteral("Move to next selector"),
                     "nextblock");
  mPrevious = MakeAction(this, QStringLiteral("Previous Block"),
                         QStringLiteral("Move to previous selector"), "prevblock");
  acComment = MakeAction(this, QStringLiteral("Comment"), QStringLiteral("Comment Seleted Text"),
                         "comment");
  acComment->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
  acUncomment = MakeAction(this, QStringLiteral("Uncomment"),
                           QStringLiteral("Take the comment marks off the selected text"));
  acUncomment->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K));
  acValidate = MakeAction(this, QStringLiteral("Validate Using W3C"),
                          QStringLiteral("Validate Using W3C"), "validate");

  mPanelTv = MakeCheck(this, QStringLiteral("Show Selectors"));
  mPanelvle = MakeCheck(this, QStringLiteral("Show Properties"));
  mPanelTxtInfo = MakeCheck(this, QStringLiteral("Show Info"));
  mPanelVisual = MakeCheck(this, QStringLiteral("Show Visual Editor"));
  mShowPreview = MakeCheck(this, QStringLiteral("Show Preview Window"));
  mShowPreview->setIcon(ProgramIcon("preview"));
  mShowPreview->setToolTip(QStringLiteral("Show/Hide Preview window"));
  mPanelProblems = MakeCheck(this, QStringLiteral("Show Problems"));
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
  mNextTab = MakeAction(this, QStringLiteral("Next Tab"));
  mNextTab->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab));
  mPreviousTab = MakeAction(this, QStringLiteral("Previous Tab"));
  mPreviousTab->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab));
  addActions({mNextTab, mPreviousTab});
  // A tool tip names the key that gives the same command.
  for (QAction* action : findChildren<QAction*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (!action->shortcut().isEmpty()) {
      action->setToolTip(action->toolTip() + QStringLiteral(" (") +
                         action->shortcut().toString(QKeySequence::NativeText) +
                         QStringLiteral(")"));
    }
  }

  // Tests and the coordinator find a command by the name it is known by.
  const std::pair<QAction*, const char*> names[] = {
      {acNew, "acNew"},
      {acOpen, "acOpen"},
      {acSave, "acSave"},
      {acSaveAs, "acSaveAs"},
      {mSaveAll, "mSaveAll"},
      {mClose, "mClose"},
      {mCloseAll, "mCloseAll"},
      {mExit, "mExit"},
      {mUndo, "mUndo"},
      {mRedo, "mRedo"},
      {acCut, "acCut"},
      {acCopy, "acCopy"},
      {acPaste, "acPaste"},
      {acSelectAll, "acSelectAll"},
      {acFind, "acFind"},
      {mReplace, "mReplace"},
      {mIndent, "mIndent"},
      {mOutdent, "mOutdent"},
      {mNext, "mNext"},
      {mPrevious, "mPrevious"},
      {acComment, "acComment"},
      {acUncomment, "acUncomment"},
      {acValidate, "acValidate"},
      {mPanelTv, "mPanelTv"},
      {mPanelvle, "mPanelvle"},
      {mPanelTxtInfo, "mPanelTxtInfo"},
      {mPanelVisual, "mPanelVisual"},
      {mShowPreview, "mShowPreview"},
      {mPanelProblems, "mPanelProblems"},
      {mOptions, "mOptions"},
      {mHomePage, "mHomePage"},
      {mCSS1page, "mCSS1page"},
      {mCSS2page, "mCSS2page"},
      {mReport, "mReport"},
      {mAbout, "mAbout"},
      {bPrevBookmark, "bPrevBookmark"},
      {bNextBookmark, "bNextBookmark"},
      {bClearBookmarks, "bClearBookmarks"},
      {bBrowser1, "bBrowser1"},
      {bBrowser2, "bBrowser2"},
      {mNextTab, "mNextTab"},
      {mPreviousTab, "mPreviousTab"},
  };
  for (const auto& [action, name] : names) {
    action->setObjectName(QLatin1String(name));
  }

  Bind(acNew, &TFrmMain::acNewExecute);
  Bind(acOpen, &TFrmMain::acOpenExecute);
  Bind(acSave, &TFrmMain::acSaveExecute);
  Bind(acSaveAs, &TFrmMain::acSaveAsExecute);
  Bind(mSaveAll, &TFrmMain::mSaveAllClick);
  Bind(mClose, &TFrmMain::mCloseClick);
  Bind(mCloseAll, &TFrmMain::mCloseAllClick);
  Bind(mExit, &TFrmMain::mExitClick);
  Bind(mPanelTv, &TFrmMain::mPanelTvClick);
  Bind(mPanelvle, &TFrmMain::mPanelvleClick);
  Bind(mPanelTxtInfo, &TFrmMain::mPanelTxtInfoClick);
  Bind(mPanelVisual, &TFrmMain::mPanelVisualClick);
  Bind(mShowPreview, &TFrmMain::mShowPreviewClick);
  Bind(mPanelProblems, &TFrmMain::mPanelProblemsClick);
  Bind(mHomePage, &TFrmMain::mHomePageClick);
  Bind(mCSS1page, &TFrmMain::mCSS1pageClick);
  Bind(mCSS2page, &TFrmMain::mCSS2pageClick);
  Bind(mReport, &TFrmMain::mReportClick);
  Bind(mAbout, &TFrmMain::mAboutClick);
  Bind(mOptions, &TFrmMain::mOptionsClick);
  Bind(mNext, &TFrmMain::MoveToNextBlock);
  Bind(mPrevious, &TFrmMain::MoveToPreviousBlock);
  Bind(acValidate, &TFrmMain::acValidateExecute);
  Bind(bBrowser1, &TFrmMain::bBrowser1Click);
  Bind(bBrowser2, &TFrmMain::bBrowser2Click);
  Bind(mNextTab, &TFrmMain::mNextTabClick);
  Bind(mPreviousTab, &TFrmMain::mPreviousTabClick);
}

void TFrmMain::Bind(QAction* action, void (TFrmMain::*handler)()) {
  connect(action, &QAction::triggered, this, [this, handler] {
    RunCommand(*Platform.Prompts, [this, handler] { (this->*handler)(); });
  });
}

void TFrmMain::CreateMenus() {
  mFile = menuBar()->addMenu(QStringLiteral("File"));
  mFile->setObjectName(QStringLiteral("mFile"));
  mFile->addActions({acNew, acOpen, mClose, mCloseAll});
  mFile->addSeparator();
  mFile->addActions({acSave, acSaveAs, mSaveAll});
  mRecentTop = mFile->addSeparator();
  mRecentBottom = mFile->addSeparator();
  mFile->addAction(mExit);

  mEdit = menuBar()->addMenu(QStringLiteral("Edit"));
  mEdit->setObjectName(QStringLiteral("mEdit"));
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
  mEdit->addActions({acComment, acUncomment});

  mTools = menuBar()->addMenu(QStringLiteral("Tools"));
  mTools->setObjectName(QStringLiteral("mTools"));
  mTools->addSeparator();
  mTools->addAction(acValidate);
  mTools->addSeparator();
  mTools->addActions(
      {mPanelTv, mPanelvle, mPanelTxtInfo, mPanelVisual, mShowPreview, mPanelProblems});
  mTools->addSeparator();
  mTools->addAction(mOptions);

  mHelp = menuBar()->addMenu(QStringLiteral("Help"));
  mHelp->setObjectName(QStringLiteral("mHelp"));
  mHelp->addAction(mHomePage);
  QMenu* references = mHelp->addMenu(QStringLiteral("References"));
  references->addActions({mCSS1page, mCSS2page});
  mHelp->addAction(mReport);
  mHelp->addSeparator();
  mHelp->addAction(mAbout);

  MainTextPopUp = new QMenu(this);
  MainTextPopUp->setObjectName(QStringLiteral("MainTextPopUp"));
  MainTextPopUp->addActions({acCut, acCopy, acPaste});
  MainTextPopUp->addSeparator();
  MainTextPopUp->addAction(acSelectAll);
  MainTextPopUp->addSeparator();
  MainTextPopUp->addActions({acComment, acUncomment});
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

  FrmEdit = new TFrmEdit(*Platform.Prompts, QFontDatabase::families(), this);
  Sync = new TDeclarationSync(*Platform.Prompts, Platform.DataFolder, this);
  Sync->SetIndent(DeclarationIndent_);
  PropertiesPanel = new TPropertiesPanel(*Platform.Prompts, *FrmEdit, *Sync);
  makeDock(dxProperties, QStringLiteral("Properties"), "dxProperties", PropertiesPanel);
  QuickInfoPanel = new TQuickInfoPanel;
  makeDock(dxQuickInfo, QStringLiteral("Quick Info"), "dxQuickInfo", QuickInfoPanel);
  SelectorsPanel = new TSelectorsPanel(*Platform.Prompts);
  makeDock(dxSelectors, QStringLiteral("Selectors"), "dxSelectors", SelectorsPanel);
  VisualEditorPanel = new TVisualEditorPanel(*Platform.Prompts, *FrmEdit, *Sync);
  makeDock(dxVisualEditor, QStringLiteral("Visual Editor"), "dxVisualEditor", VisualEditorPanel);
  PreviewPanel = new TPreviewPanel(Platform);
  makeDock(dxPreview, QStringLiteral("Preview"), "dxPreview", PreviewPanel);
  ProblemsPanel = new TProblemsPanel;
  makeDock(dxProblems, QStringLiteral("Problems"), "dxProblems", ProblemsPanel);
  // The status bar tells the problem at the caret as the check finds it.
  connect(ProblemsPanel, &TProblemsPanel::Shown, this, &TFrmMain::ShowCaretStatus);

  connect(SelectorsPanel, &TSelectorsPanel::NewSelectorRequested, this,
          [this](TSelectorTab tab) { FrmNew->ShowOnTab(tab); });
  connect(SelectorsPanel, &TSelectorsPanel::Refreshed, this,
          [this] { RunCommand(*Platform.Prompts, [this] { ReadCaretBlock(); }); });
  connect(Sync, &TDeclarationSync::StatusMessage, StatusPanel, &QLabel::setText);
  // Quick Info shows the described property's value as the rule now has it.
  connect(Sync, &TDeclarationSync::ValuesChanged, this, [this] {
    GetSelectorInfo(DescribedProperty);
    ShowCaretStatus();
  });
  connect(SelectorsPanel, &TSelectorsPanel::BlockSelected, this, &TFrmMain::ShowCaretStatus);
  connect(PropertiesPanel, &TPropertiesPanel::PropertyChosen, this, &TFrmMain::GetSelectorInfo);
  connect(PropertiesPanel, &TPropertiesPanel::StatusMessage, StatusPanel, &QLabel::setText);
  connect(VisualEditorPanel, &TVisualEditorPanel::PropertyPointed, this,
          &TFrmMain::GetSelectorInfo);
  connect(VisualEditorPanel, &TVisualEditorPanel::StatusMessage, StatusPanel, &QLabel::setText);

  addDockWidget(Qt::LeftDockWidgetArea, dxProperties);
  splitDockWidget(dxProperties, dxQuickInfo, Qt::Vertical);
  addDockWidget(Qt::RightDockWidgetArea, dxSelectors);
  splitDockWidget(dxSelectors, dxVisualEditor, Qt::Vertical);
  addDockWidget(Qt::BottomDockWidgetArea, dxPreview);
  // Beside the preview, shown from the Tools menu: the first start stays as roomy as before (the
  // underlines and the status bar tell the problems without it).
  addDockWidget(Qt::BottomDockWidgetArea, dxProblems, Qt::Horizontal);
  dxProblems->hide();
  connect(dxProblems, &QDockWidget::visibilityChanged, this,
          [this] { mPanelProblems->setChecked(!dxProblems->isHidden()); });
}

void TFrmMain::ApplyDesignedDockSizes() {
  // The panels' own size hints would leave the documents a narrow strip: the side columns share
  // at most half the width, in the designed proportion, and the preview gets three tenths of the
  // height, enough to see a page in.
  // The Properties' value column as wide as its name column, and Quick Info's support strip whole.
  constexpr int kLeft = 340;
  // Room for the Visual Editor's captions beside their pickers.
  constexpr int kRight = 300;
  const int separators =
      2 * style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent, nullptr, this);
  const int sides = std::min(kLeft + kRight, width() / 2 - separators);
  // In a small window the Properties' minimum width would take from the documents' half: the
  // left column is then the narrower one.
  const int left = sides >= 480 ? sides * kLeft / (kLeft + kRight) : sides * 11 / 24;
  resizeDocks({dxProperties, dxSelectors}, {left, sides - left}, Qt::Horizontal);
  resizeDocks({dxProperties, dxQuickInfo}, {300, 120}, Qt::Vertical);
  // The tree gets a screenful of selectors, as much as the Visual Editor's pages: half of what
  // the preview, the menus, the tool bar and the status bar leave.
  const int preview = std::max(120, height() * 3 / 10);
  const int column = std::max(0, height() - preview - 120) / 2;
  resizeDocks({dxSelectors, dxVisualEditor}, {column, column}, Qt::Vertical);
  resizeDocks({dxPreview}, {preview}, Qt::Vertical);
}

void TFrmMain::CreateDocumentArea() {
  // The documents' tabs are hidden while none is open, but the area stays: an empty central
  // widget would hand its width to the panels, and the next document would get only a strip.
  auto* documentArea = new QWidget(this);
  documentArea->setObjectName(QStringLiteral("DocumentArea"));
  auto* areaLayout = new QVBoxLayout(documentArea);
  areaLayout->setContentsMargins(0, 0, 0, 0);
  pgmain = new QTabWidget(documentArea);
  areaLayout->addWidget(pgmain);
  pgmain->setObjectName(QStringLiteral("pgmain"));
  pgmain->setDocumentMode(true);
  pgmain->setMovable(false);
  pgmain->setIconSize(QSize(14, 14));
  pgmain->tabBar()->installEventFilter(this);
  setCentralWidget(documentArea);
  connect(pgmain, &QTabWidget::currentChanged, this,
          [this] { RunCommand(*Platform.Prompts, [this] { ShowActiveDocument(); }); });

  StatusPanel = new QLabel(statusBar());
  StatusPanel->setFixedWidth(550);
  statusBar()->addWidget(StatusPanel);
  RuleHint = new QLabel(statusBar());
  RuleHint->setObjectName(QStringLiteral("RuleHint"));
  statusBar()->addWidget(RuleHint, 1);
}

}  // namespace qm
