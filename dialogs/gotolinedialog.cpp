// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/gotolinedialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

namespace qm {

TGoToLineDialog::TGoToLineDialog(int current, int lineCount, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Go to Line"));
  TxtLine_ = new QSpinBox(this);
  TxtLine_->setObjectName(QStringLiteral("TxtLine"));
  TxtLine_->setAccessibleName(QStringLiteral("Line number"));
  TxtLine_->setRange(1, std::max(1, lineCount));
  TxtLine_->setValue(current);
  TxtLine_->selectAll();
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QFormLayout(this);
  layout->addRow(QStringLiteral("&Line (1 to %1):").arg(lineCount), TxtLine_);
  layout->addRow(buttons);
}

int TGoToLineDialog::Line() const {
  return TxtLine_->value();
}

}  // namespace qm
