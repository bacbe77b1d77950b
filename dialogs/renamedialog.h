// SPDX-License-Identifier: GPL-3.0-or-later
// The dialog that asks for a custom property's new name, filled with its present one.
#pragma once

#include <QDialog>

class QLineEdit;

namespace qm {

class TRenameDialog : public QDialog {
 public:
  explicit TRenameDialog(const QString& name, QWidget* parent = nullptr);

  QLineEdit* TxtName() const { return TxtName_; }
  QString NewName() const;

 private:
  QLineEdit* TxtName_ = nullptr;
};

}  // namespace qm
