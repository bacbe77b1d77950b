// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: the document tabs around which the dock panels sit, the menus and tool bar,
// and the coordinator that keeps the panels on the active document.
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
class QTabWidget;
class QToolBar;

namespace qm {

class TCssEditor;
class TDeclarationSync;
class TEditMenu;
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

  // A new untitled document in a tab of its own, made active.
  void NewDocument();
  // Opens a file into a new tab, or activates the tab that already has that file.
  // Throws TError when the file cannot be read (the new tab stays, untitled and empty).
  void OpenOperation(const QString& path);
  // How a close ended: the tab is gone, the user chose Cancel, or the changes could not be saved
  // (the write failed or the save dialog was cancelled) and the tab stays, still modified.
  enum class TCloseResult { Closed, Cancelled, NotSaved };
  // Closes tab index, asking to save its changes.
  TCloseResult CloseDocument(int index);
  // The window, its title and the panels follow the active tab.
  void ShowActiveDocument();

  // The document of the active tab, of tab index; none while no document is open.
  TOpenDocument* CurrentDocument() const;
  TOpenDocument* Document(int index) const;
  TCssEditor* CurrentEditor() const;
  // The path the active document saves to; empty for an untitled one.
  QString CurrentPath() const;
  // The document tabs.
  QTabWidget* Pages() const { return pgmain; }

  TSelectorsPanel& Selectors() const { return *SelectorsPanel; }
  TPropertiesPanel& Properties() const { return *PropertiesPanel; }
  TQuickInfoPanel& QuickInfo() const { return *QuickInfoPanel; }
  TVisualEditorPanel& VisualEditor() const { return *VisualEditorPanel; }
  TPreviewPanel& Preview() const { return *PreviewPanel; }
  TProblemsPanel& Problems() const { return *ProblemsPanel; }
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
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

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
  // The window title: the active tab's text (with its mark) before the program's name.
  void ShowTitle();

  // Documents (documents.cpp).
  void acNewExecute();
  void acOpenExecute();
  void acSaveExecute();
  void acSaveAsExecute();
  void mSaveAllClick();
  void mCloseClick();
  void mCloseAllClick();
  void mExitClick();
  // Font, size and tab width from the settings, and the syntax styles, onto one editor.
  void ApplyEditorSettings(TCssEditor* editor);
  void SaveDocument(TOpenDocument* document);
  void SaveDocumentAs(TOpenDocument* document);
  // The tab whose document has the file at path, other than except; -1 when there is none.
  int TabOfFile(const QString& path, const TOpenDocument* except = nullptr) const;
  // Makes a tab active without the page control's own change notification.
  void ActivateTab(int index);
  void CloseTabAt(const QPoint& pos);

  // The tabs (tabs.cpp). The caption is the document's name; the tab shows it after a "*" while
  // the document has unsaved changes, and so does the window title for the active one.
  QString Caption(int index) const;
  void SetCaption(int index, const QString& caption);
  void ShowModifiedMark(int index);
  void mNextTabClick();
  void mPreviousTabClick();
  // True unless a file's bytes are not text and the user chose not to open it.
  bool ConfirmOpenAsText(const QByteArray& bytes);

  // The coordinator (cssmain_coordinator.cpp): the caret-driven reading and the program's writes.
  // What the editor of a document reports: a move of the caret into another rule, without a
  // selection, reads that rule's declarations into the views.
  void MainTextStatusChange(TOpenDocument* document, TStatusChanges changes);
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
  QString OpenFilter;
  int DeclarationIndent_ = 8;
  int UntitledCounter = 1;
  TSyntaxStyles SynCss = DefaultSyntaxStyles();

  TRecentFiles* rmain = nullptr;
  TFrmAbout* FrmAbout = nullptr;
  TFrmEdit* FrmEdit = nullptr;
  TFrmOptions* FrmOptions = nullptr;
  TFrmNew* FrmNew = nullptr;
  TEditMenu* EditMenu = nullptr;
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
  TProblemsPanel* ProblemsPanel = nullptr;
  QTabWidget* pgmain = nullptr;
  QLabel* StatusPanel = nullptr;
  QLabel* RuleHint = nullptr;
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
