// SPDX-License-Identifier: GPL-3.0-or-later
// The dialog that asks for the line to put the caret on.
#pragma once

#include <QDialog>

class QSpinBox;

namespace qm {

class TGoToLineDialog : public QDialog {
 public:
  // Offers the lines 1 to lineCount, starting at current.
  TGoToLineDialog(int current, int lineCount, QWidget* parent = nullptr);

  QSpinBox* TxtLine() const { return TxtLine_; }
  int Line() const;

 private:
  QSpinBox* TxtLine_ = nullptr;
};

}  // namespace qm
