// SPDX-License-Identifier: GPL-3.0-or-later
// The Options dialog: editor font and tab width, the token classes' colours and styles, and the
// external browsers. Nothing takes effect until Apply; each showing starts from what is stored.
#pragma once

#include <QDialog>
#include <QStringList>

#include "model/program/syntaxstyles.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace qm {

class TSettingsStore;
class TPrompts;

// A drop-down of the standard and extended named colours; a colour it does not offer leaves it
// without a selection.
class TColorBox;

// What Apply announces to the editors, as it was stored.
struct TEditorOptions {
  QString FontName;
  int FontSize = 0;
  int TabWidth = 0;
  bool CheckAsYouType = true;
  bool HackWarnings = true;
  TSyntaxStyles Styles;
};

class TFrmOptions : public QDialog {
  Q_OBJECT

 public:
  // styles is the highlighter's table as the editors use it now; Apply announces the new one.
  TFrmOptions(TSettingsStore& settings, TPrompts& prompts, const TSyntaxStyles& styles,
              QWidget* parent = nullptr);

  // The browsers as the list shows them, with their executables.
  QStringList BrowserNames() const;
  const QStringList& BrowserPaths() const { return Paths; }
  const TSyntaxStyles& WorkingStyles() const { return Working; }

  QTabWidget* Pages = nullptr;
  QComboBox* CmbFont = nullptr;
  QComboBox* CmbSize = nullptr;
  QLineEdit* TxtTabWidth = nullptr;
  QCheckBox* ChkCheckAsYouType = nullptr;
  QCheckBox* ChkRestoreSession = nullptr;
  QCheckBox* ChkHackWarnings = nullptr;
  QListWidget* LstElements = nullptr;
  QCheckBox* ccBold = nullptr;
  QCheckBox* ccItalic = nullptr;
  QCheckBox* ccUnderline = nullptr;
  TColorBox* ccForeground = nullptr;
  TColorBox* ccBackground = nullptr;
  QListWidget* LstBrowsers = nullptr;
  QPushButton* CmdAdd = nullptr;
  QPushButton* CmdEdit = nullptr;
  QPushButton* CmdDelete = nullptr;
  QGroupBox* GrpBrowser = nullptr;
  QLineEdit* TxtName = nullptr;
  QLineEdit* TxtPath = nullptr;
  QPushButton* CmdBrowse = nullptr;
  QPushButton* CmdAddOk = nullptr;
  QPushButton* CmdCancelAdd = nullptr;
  QPushButton* CmdApply = nullptr;
  QPushButton* CmdCancel = nullptr;

  void FormShow();
  void LstElementsClick();
  void ccForegroundChange();
  void ccBackgroundChange();
  void ccStyleClick(int bit, bool on);
  void CmdAddClick();
  void CmdEditClick();
  void CmdDeleteClick();
  void CmdAddOkClick();
  void CmdCancelAddClick();
  void CmdBrowseClick();
  void CmdApplyClick();

 signals:
  // Apply has stored the settings and the styles: whoever uses them takes them up from options.
  void Applied(const qm::TEditorOptions& options);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* CreateEditorPage();
  QWidget* CreatePreviewPage();
  void CloseEntryGroup();
  void UpdateAddEnabled();
  // The selected element's working style, or none.
  TSyntaxStyle* SelectedStyle();

  TSettingsStore& Settings;
  TPrompts& Prompts;
  TSyntaxStyles Styles;  // as last applied
  TSyntaxStyles Working;
  QStringList Paths;
  bool Showing = false;  // controls are being filled: their change handlers stay quiet
};

}  // namespace qm
