// SPDX-License-Identifier: GPL-3.0-or-later
// The New Selector dialog: an element, class or ID name for a new, empty block. It stays open
// beside the main window and keeps what was chosen and typed between uses.
#pragma once

#include <QDialog>
#include <functional>

#include "model/sheet/selectorblocks.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabBar;

namespace qm {

class TPrompts;

class TFrmNew : public QDialog {
  Q_OBJECT

 public:
  explicit TFrmNew(TPrompts& prompts, QWidget* parent = nullptr);

  // Shows the dialog without blocking the main window, on the tab given.
  void ShowOnTab(TSelectorTab tab);

  // Whether there is a document to add to; without one OK does nothing and the dialog stays.
  std::function<bool()> HasDocument;
  // Adds the selector to the document.
  std::function<void(TSelectorTab tab, const std::string& name)> OnAdd;

  QTabBar* TabNew = nullptr;
  QPushButton* CmdOk = nullptr;
  QPushButton* CmdCancel = nullptr;
  QComboBox* CboElement = nullptr;
  QLineEdit* Txt = nullptr;
  QLabel* TxtLabel = nullptr;
  QLabel* LblElement = nullptr;

  void TabNewChange();
  void CmdOkClick();
  void CmdCancelClick();

 private:
  TPrompts& Prompts;
};

}  // namespace qm
