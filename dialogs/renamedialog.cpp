// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/renamedialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

namespace qm {

TRenameDialog::TRenameDialog(const QString& name, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Rename Custom Property"));
  TxtName_ = new QLineEdit(name, this);
  TxtName_->setObjectName(QStringLiteral("TxtName"));
  TxtName_->setAccessibleName(QStringLiteral("New name"));
  TxtName_->selectAll();
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QFormLayout(this);
  layout->addRow(QStringLiteral("&New name:"), TxtName_);
  layout->addRow(buttons);
}

QString TRenameDialog::NewName() const {
  return TxtName_->text().trimmed();
}

}  // namespace qm
