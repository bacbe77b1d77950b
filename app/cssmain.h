// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: the dock panels around the document tabs, the menus, the tool bar and the
// status bar, and the coordinator that keeps the panels on the document in front.
#pragma once

#include <QMainWindow>
#include <QStringList>

#include "controls/csseditor.h"
#include "model/program/syntaxstyles.h"
#include "model/sheet/selectorblocks.h"
#include "platform/platform.h"
#include "platform/siteaddresses.h"

class QAction;
class QDockWidget;
class QLabel;
class QMenu;
class QToolBar;

namespace qm {

class TCssEditor;
class TBrowserPreview;
class TDeclarationSync;
class TDocumentTabs;
class TEditMenu;
class TEditorKit;
class TEditorAssist;
class TOpenDocument;
class TFrmAbout;
class TFrmEdit;
class TFindDialog;
class TFrmNew;
class TFrmOptions;
struct TEditorOptions;
class TPreviewPanel;
class TProblemsPanel;
class TPropertiesPanel;
class TQuickInfoPanel;
class TRecentFiles;
class TSelectorsPanel;
class TVisualEditorPanel;

class TFrmMain : public QMainWindow {
  Q_OBJECT

 public:
  explicit TFrmMain(const TPlatform& platform, QWidget* parent = nullptr);
  ~TFrmMain() override;

  // Files named on the command line, opened when the window is first shown.
  void SetCommandLineFiles(const QStringList& files) { CommandLineFiles = files; }

  // Files a later start of the program handed over: opened as tabs here, the window in front.
  void OpenFromElsewhere(const QStringList& files);

  // The open documents, the one in front, and the file commands on them.
  TDocumentTabs& Tabs() const { return *Tabs_; }
  TSelectorsPanel& Selectors() const { return *SelectorsPanel; }
  TPropertiesPanel& Properties() const { return *PropertiesPanel; }
  TQuickInfoPanel& QuickInfo() const { return *QuickInfoPanel; }
  TVisualEditorPanel& VisualEditor() const { return *VisualEditorPanel; }
  TPreviewPanel& Preview() const { return *PreviewPanel; }
  TProblemsPanel& Problems() const { return *ProblemsPanel; }
  // The live preview in the user's own browsers.
  TBrowserPreview& Browsers() const { return *Browsers_; }
  // The catalogue, the rule at the active document's caret, and every write the views make.
  TDeclarationSync& Declarations() const { return *Sync; }
  // Completion and tips in every document's editor.
  const TEditorAssist& Assistant() const { return *Assist; }
  // The dock panels by name: dxProperties, dxQuickInfo, dxSelectors, dxVisualEditor, dxPreview,
  // dxProblems.
  QDockWidget* Dock(const QString& name) const;
  // The window's commands by name (acNew, mSaveAll, mNext, bBrowser1, ...), the Edit menu's
  // included.
  QAction* Action(const QString& name) const;
  // The menus by name: mFile, mEdit, mTools, mHelp, and the editor's pop-up MainTextPopUp.
  QMenu* Menu(const QString& name) const;
  QToolBar* ToolBar() const { return MainToolBar; }
  TRecentFiles& RecentFiles() const { return *rmain; }
  TFrmNew& NewSelectorDialog() const { return *FrmNew; }
  TFrmOptions& OptionsDialog() const { return *FrmOptions; }
  TFrmAbout& AboutDialog() const { return *FrmAbout; }
  // The value dialog for fonts, lengths and percentages, one for the whole run.
  TFrmEdit& ValueDialog() const { return *FrmEdit; }
  TFindDialog& FindDialog() const;
  TFindDialog& ReplaceDialog() const;
  // The first panel of the status bar.
  QString StatusText() const;
  // Blanks in front of a declaration the program adds.
  int DeclarationIndent() const { return DeclarationIndent_; }
  // The token classes' colours and styles every editor is drawn with.
  const TSyntaxStyles& SyntaxStyles() const { return SynCss; }
  // The Tools menu's "Preview with" commands and the browser buttons' hints, from the settings.
  void FillPreviewMenu();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  // Back in the window: files changed by other programs meanwhile are told.
  void changeEvent(QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // Building the window (cssmain_build.cpp).
  // The menus, each made from the table of its commands, and the Edit menu with its own.
  void CreateMenus();
  // The tool bar: commands of the menus' tables, by name.
  void CreateToolBar();
  void CreateDocks();
  void CreateDocumentArea();
  void ApplyDesignedDockSizes();
  // After the first showing: the designed arrangement instead of a restored layout that squeezes
  // the documents, and floating panels in front.
  void FitDocumentArea();

  void FormCreate();
  bool FormClose();
  void OpenCommandLineFiles();
  QString LayoutFile() const;
  void mExitClick();

  // The window's side of the documents (cssmain_documents.cpp).
  // What every document gets from the window: the editor's settings, the check, the Edit menu,
  // completion, and the status bar following its caret.
  void AttachDocument(TOpenDocument* document);
  // Font, size and tab width from the settings, and the syntax styles, onto one editor.
  void ApplyEditorSettings(TCssEditor* editor);
  // The panels, the title and the status bar follow the document in front.
  void ShowActiveDocument();
  // A file just opened: the offer to format it, its selectors, its page, the recent files.
  void ShowOpenedDocument(const QString& path);
  // The window title: the text of the tab in front (with its mark) before the program's name.
  void ShowTitle();

  // The coordinator (cssmain_coordinator.cpp): the views' reading pass, Quick Info, the status
  // bar's caret place, and the window's own writes.
  // The reading pass: every view shows the declarations of the rule at the active document's
  // caret (all empty outside rules), and the status bar the caret's place.
  void ReadCaretBlock();
  // Quick Info for the property name of the loaded catalogue, with its value in the rule.
  void GetSelectorInfo(const QString& name);
  // "Line %d of  %d, Col %d" for the caret of the active document; empty without one. Beside
  // it the problem the caret is in, or while the caret is in no rule, the hint to put it inside
  // one.
  void ShowCaretStatus();
  // Adds a selector with an empty block after the block at the caret of the active document.
  void AddSelector(TSelectorTab tab, const std::string& name);

  // Panels (cssmain.cpp).
  void mPanelTvClick();
  void mPanelvleClick();
  void mPanelTxtInfoClick();
  void mPanelVisualClick();
  void mShowPreviewClick();
  void mPanelProblemsClick();

  // The external browsers (cssmain_browsers.cpp).
  void PreviewInBrowser(QAction* command);
  // Preview Live in Browser, Preview Live with Page...: the live preview of the document in
  // front in the default browser, on the page built from the sheet or chosen before, or on a page
  // the user chooses now.
  void mPreviewLiveClick();
  void mPreviewLivePageClick();
  void bBrowser1Click();
  void bBrowser2Click();
  // Starts the browser of the Tools menu's command n, or says that none is configured.
  void PreviewInConfiguredBrowser(int n, const QString& missing);

  // Validation (cssmain_validation.cpp): the sheet to the W3C CSS Validation Service, its answer to
  // the Preview panel.
  void acValidateExecute();

  // Help menu and Options (cssmain_help.cpp).
  void mHomePageClick();
  void mCSS1pageClick();
  void mCSS2pageClick();
  void mReportClick();
  void mAboutClick();
  void mOptionsClick();
  // What the Options dialog applied, for the window itself: the indent and the browser commands.
  void OptionsApplied(const TEditorOptions& options);

  TPlatform Platform;
  TSiteAddresses Sites;
  QStringList CommandLineFiles;
  bool Shown = false;
  bool LayoutRestored = false;
  QByteArray DesignedState;
  int DeclarationIndent_ = 8;
  TSyntaxStyles SynCss = DefaultSyntaxStyles();

  TRecentFiles* rmain = nullptr;
  TFrmAbout* FrmAbout = nullptr;
  TFrmEdit* FrmEdit = nullptr;
  TFrmOptions* FrmOptions = nullptr;
  TFrmNew* FrmNew = nullptr;
  TEditMenu* EditMenu = nullptr;
  TEditorKit* EditorKit = nullptr;
  TDeclarationSync* Sync = nullptr;
  // Completion and tips in every document's editor.
  TEditorAssist* Assist = nullptr;
  // The property Quick Info describes, shown again when the rule's values change.
  QString DescribedProperty;
  TSelectorsPanel* SelectorsPanel = nullptr;
  TPropertiesPanel* PropertiesPanel = nullptr;
  TQuickInfoPanel* QuickInfoPanel = nullptr;
  TVisualEditorPanel* VisualEditorPanel = nullptr;
  TPreviewPanel* PreviewPanel = nullptr;
  TBrowserPreview* Browsers_ = nullptr;
  TProblemsPanel* ProblemsPanel = nullptr;
  TDocumentTabs* Tabs_ = nullptr;
  QLabel* StatusPanel = nullptr;
  QLabel* RuleHint = nullptr;
  // Why the last write from a view was refused: it stays in the status bar, whatever else
  // refreshes it, until the caret moves or a write goes through.
  QString Refusal;
  QToolBar* MainToolBar = nullptr;
  QDockWidget* dxProperties = nullptr;
  QDockWidget* dxQuickInfo = nullptr;
  QDockWidget* dxSelectors = nullptr;
  QDockWidget* dxVisualEditor = nullptr;
  QDockWidget* dxPreview = nullptr;
  QDockWidget* dxProblems = nullptr;
  QMenu* mFile = nullptr;
  QMenu* mTools = nullptr;
};

}  // namespace qm
