// SPDX-License-Identifier: GPL-3.0-or-later
// Building the main window: actions, menus, the tool bar, the dock panels, the document tabs
// and the status bar.
#include <QAction>
#include <QDockWidget>
#include <QFontDatabase>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <algorithm>
#include <span>

#include "app/browserpreview.h"
#include "app/commandtable.h"
#include "app/cssmain.h"
#include "app/declarationsync.h"
#include "app/documenttabs.h"
#include "app/editmenu.h"
#include "app/editorassist.h"
#include "app/editorkit.h"
#include "app/opendocument.h"
#include "app/previewpanel.h"
#include "app/problemspanel.h"
#include "app/propertiespanel.h"
#include "app/quickinfopanel.h"
#include "app/selectorspanel.h"
#include "app/visualeditorpanel.h"
#include "controls/inspectorcss.h"
#include "dialogs/cssedit.h"
#include "dialogs/cssnew.h"
#include "platform/commandguard.h"
#include "platform/prompts.h"

namespace qm {

void TFrmMain::CreateMenus() {
  EditMenu = new TEditMenu(this, *Platform.Prompts, [this] { return Tabs_->CurrentDocument(); });
  // The views follow a match found to the rule it is in.
  connect(EditMenu, &TEditMenu::SelectionFound, this, [this] {
    RunCommand(*Platform.Prompts, [this] { Sync->FollowCaret(); });
    ShowCaretStatus();
  });
  const auto addMenu = [this](const QString& caption, const char* name,
                              std::span<const TCommand> commands) {
    QMenu* menu = menuBar()->addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    AddCommands(this, *Platform.Prompts, commands, menu);
    return menu;
  };

  // Each menu's commands in its order: name, caption, tool tip, image, keys, command.
  const TCommand file[] = {
      {"acNew", "New", "Create a new file", "new", "Ctrl+N", [this] { Tabs_->NewDocument(); }},
      {"acOpen", "Open", "Open existing file", "open", "Ctrl+O",
       [this] { Tabs_->OpenChosenFile(); }},
      {"mClose", "Close", nullptr, nullptr, "Ctrl+W", [this] { Tabs_->CloseCurrent(); }},
      {"mCloseAll", "Close All", nullptr, nullptr, "", [this] { Tabs_->CloseAll(); }},
      {"|"},
      {"acSave", "Save", "Save Current File", "save", "Ctrl+S", [this] { Tabs_->SaveCurrent(); }},
      {"acSaveAs", "Save As", "Save As currrent file", "saveas", "Ctrl+Shift+S",
       [this] { Tabs_->SaveCurrentAs(); }},
      {"mSaveAll", "Save All", nullptr, "saveall", "", [this] { Tabs_->SaveAll(); }},
      // The recent files stand between these two.
      {"|"},
      {"|"},
      {"mExit", "Exit", nullptr, nullptr, "", [this] { mExitClick(); }},
  };
  mFile = addMenu(QStringLiteral("&File"), "mFile", file);

  menuBar()->addMenu(EditMenu->Menu());
  EditorKit = new TEditorKit(
      *this, *Platform.Prompts, *Platform.Settings, [this] { return Tabs_->CurrentDocument(); },
      [this](const QString& path) -> TOpenDocument* {
        TOpenDocument* before = Tabs_->CurrentDocument();
        Tabs_->OpenOperation(path);
        TOpenDocument* document = Tabs_->CurrentDocument();
        // A file that could not be read leaves an untitled tab, not the file's.
        return document != nullptr && document != before && document->Path().isEmpty() ? nullptr
                                                                                       : document;
      });
  menuBar()->addMenu(EditorKit->Menu());

  constexpr TKeyScope kWindow = TKeyScope::Window;
  constexpr bool kCheck = true;
  // The configured browsers' commands go in front.
  const TCommand tools[] = {
      {"|"},
      {"mPreviewLive", "Preview Live in Browser", nullptr, nullptr, "",
       [this] { mPreviewLiveClick(); }},
      {"mPreviewLivePage", "Preview Live with Page...", nullptr, nullptr, "",
       [this] { mPreviewLivePageClick(); }},
      {"|"},
      {"acValidate", "Validate Using W3C", nullptr, "validate", "",
       [this] { acValidateExecute(); }},
      {"|"},
      {"mPanelTv", "Show Selectors", nullptr, nullptr, "", [this] { mPanelTvClick(); }, kWindow,
       kCheck},
      {"mPanelvle", "Show Properties", nullptr, nullptr, "", [this] { mPanelvleClick(); }, kWindow,
       kCheck},
      {"mPanelTxtInfo", "Show Info", nullptr, nullptr, "", [this] { mPanelTxtInfoClick(); },
       kWindow, kCheck},
      {"mPanelVisual", "Show Visual Editor", nullptr, nullptr, "", [this] { mPanelVisualClick(); },
       kWindow, kCheck},
      {"mShowPreview", "Show Preview Window", "Show/Hide Preview window", "preview", "",
       [this] { mShowPreviewClick(); }, kWindow, kCheck},
      {"mPanelProblems", "Show Problems", nullptr, nullptr, "", [this] { mPanelProblemsClick(); },
       kWindow, kCheck},
      {"|"},
      {"mOptions", "Options", nullptr, nullptr, "", [this] { mOptionsClick(); }},
  };
  mTools = addMenu(QStringLiteral("&Tools"), "mTools", tools);

  const TCommand help[] = {
      {"mHomePage", "HomePage", nullptr, nullptr, "", [this] { mHomePageClick(); }},
      {"mReport", "Report errors,suggestion,comments", nullptr, nullptr, "",
       [this] { mReportClick(); }},
      {"|"},
      {"mAbout", "About", nullptr, nullptr, "", [this] { mAboutClick(); }},
  };
  QMenu* helpMenu = addMenu(QStringLiteral("&Help"), "mHelp", help);
  const TCommand references[] = {
      {"mCSS1page", "CSS1 Reference", nullptr, nullptr, "", [this] { mCSS1pageClick(); }},
      {"mCSS2page", "CSS2 Reference", nullptr, nullptr, "", [this] { mCSS2pageClick(); }},
  };
  auto* referencesMenu = new QMenu(QStringLiteral("&References"), helpMenu);
  AddCommands(this, *Platform.Prompts, references, referencesMenu);
  helpMenu->insertMenu(Action("mReport"), referencesMenu);

  // In no menu: the tool bar's browser buttons, and the keys between the tabs, which work in the
  // whole window.
  const TCommand others[] = {
      {"bBrowser1", "Browser1", "Preview file in Browser1", "browser1", "",
       [this] { bBrowser1Click(); }},
      {"bBrowser2", "Browser2", "Preview file in Browser2", "browser2", "",
       [this] { bBrowser2Click(); }},
      {"mNextTab", "Next Tab", nullptr, nullptr, "Ctrl+Tab", [this] { Tabs_->NextTab(); }},
      {"mPreviousTab", "Previous Tab", nullptr, nullptr, "Ctrl+Shift+Backtab",
       [this] { Tabs_->PreviousTab(); }},
  };
  AddCommands(this, *Platform.Prompts, others);
  addActions({Action("mNextTab"), Action("mPreviousTab")});
}

void TFrmMain::CreateToolBar() {
  MainToolBar = addToolBar(QStringLiteral("Main"));
  MainToolBar->setObjectName(QStringLiteral("MainToolBar"));
  MainToolBar->setIconSize(QSize(16, 16));
  AddToBar(MainToolBar, [this](const QString& name) { return Action(name); },
           {"acNew",
            "acOpen",
            "acSave",
            "|",
            "acCut",
            "acCopy",
            "acPaste",
            "acFind",
            "|",
            "mUndo",
            "mRedo",
            "|",
            "mIndent",
            "mOutdent",
            "acComment",
            "mNext",
            "mPrevious",
            "|",
            "bPrevBookmark",
            "bNextBookmark",
            "bClearBookmarks",
            "|",
            "bBrowser1",
            "bBrowser2",
            "mShowPreview",
            "|",
            "acValidate"});
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
  Assist = new TEditorAssist(*Sync, this);
  PropertiesPanel = new TPropertiesPanel(*Platform.Prompts, *FrmEdit, *Sync);
  makeDock(dxProperties, QStringLiteral("Properties"), "dxProperties", PropertiesPanel);
  QuickInfoPanel = new TQuickInfoPanel;
  makeDock(dxQuickInfo, QStringLiteral("Quick Info"), "dxQuickInfo", QuickInfoPanel);
  SelectorsPanel = new TSelectorsPanel(*Platform.Prompts);
  makeDock(dxSelectors, QStringLiteral("Selectors"), "dxSelectors", SelectorsPanel);
  VisualEditorPanel = new TVisualEditorPanel(*Platform.Prompts, *FrmEdit, *Sync);
  makeDock(dxVisualEditor, QStringLiteral("Visual Editor"), "dxVisualEditor", VisualEditorPanel);
  PreviewPanel = new TPreviewPanel(Platform);
  Browsers_ = new TBrowserPreview(Platform, this);
  makeDock(dxPreview, QStringLiteral("Preview"), "dxPreview", PreviewPanel);
  ProblemsPanel = new TProblemsPanel;
  makeDock(dxProblems, QStringLiteral("Problems"), "dxProblems", ProblemsPanel);
  // The status bar tells the problem at the caret as the check finds it.
  connect(ProblemsPanel, &TProblemsPanel::Shown, this, &TFrmMain::ShowCaretStatus);

  connect(SelectorsPanel, &TSelectorsPanel::NewSelectorRequested, this,
          [this](TSelectorTab tab) { FrmNew->ShowOnTab(tab); });
  connect(SelectorsPanel, &TSelectorsPanel::Refreshed, this,
          [this] { RunCommand(*Platform.Prompts, [this] { ReadCaretBlock(); }); });
  connect(Sync, &TDeclarationSync::StatusMessage, this, [this](const QString& text) {
    Refusal = text == TDeclarationSync::NoRuleMessage() ? QString() : text;
    StatusPanel->setText(text);
  });
  connect(Sync, &TDeclarationSync::Written, this, [this] { Refusal.clear(); });
  // The support strip names the chosen level's browsers before any property is described.
  connect(Sync, &TDeclarationSync::CatalogueChanged, QuickInfoPanel,
          [this] { QuickInfoPanel->ShowBrowsers(Sync->Catalogue().BrowserNames); });
  QuickInfoPanel->ShowBrowsers(Sync->Catalogue().BrowserNames);
  // Quick Info shows the described property's value as the rule now has it.
  connect(Sync, &TDeclarationSync::ValuesChanged, this, [this] {
    GetSelectorInfo(DescribedProperty);
    ShowCaretStatus();
  });
  // A rule chosen in the tree is the rule the views show.
  connect(SelectorsPanel, &TSelectorsPanel::BlockSelected, this, [this] {
    RunCommand(*Platform.Prompts, [this] { Sync->FollowCaret(); });
    ShowCaretStatus();
  });
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
          [this] { Action("mPanelProblems")->setChecked(!dxProblems->isHidden()); });
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
  Tabs_ = new TDocumentTabs(Platform, this);
  setCentralWidget(Tabs_);
  connect(Tabs_, &TDocumentTabs::DocumentCreated, this, &TFrmMain::AttachDocument);
  connect(Tabs_, &TDocumentTabs::CurrentChanged, this,
          [this] { RunCommand(*Platform.Prompts, [this] { ShowActiveDocument(); }); });
  connect(Tabs_, &TDocumentTabs::DocumentOpened, this, [this](TOpenDocument*, const QString& path) {
    RunCommand(*Platform.Prompts, [this, &path] { ShowOpenedDocument(path); });
  });
  connect(Tabs_, &TDocumentTabs::CurrentTabTextChanged, this, &TFrmMain::ShowTitle);
  connect(Tabs_, &TDocumentTabs::Told, this,
          [this](const QString& text) { statusBar()->showMessage(text, 15000); });

  StatusPanel = new QLabel(statusBar());
  StatusPanel->setFixedWidth(550);
  statusBar()->addWidget(StatusPanel);
  RuleHint = new QLabel(statusBar());
  RuleHint->setObjectName(QStringLiteral("RuleHint"));
  statusBar()->addWidget(RuleHint, 1);
}

}  // namespace qm
