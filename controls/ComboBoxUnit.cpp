// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/ComboBoxUnit.h"

#include <QLineEdit>
#include <QScopedValueRollback>
#include <utility>

#include "model/values/unitvalue.h"

namespace qm {

namespace {

constexpr int kHeight = 21;
constexpr int kUnitWidth = 38;

}  // namespace

TComboBoxUnit::TComboBoxUnit(QWidget* parent)
    : QWidget(parent), ValueBox_(new QComboBox(this)), UnitBox_(new QComboBox(this)) {
  setFixedHeight(kHeight);
  ValueBox_->setEditable(true);
  // Enter must not add what was typed to the keywords.
  ValueBox_->setInsertPolicy(QComboBox::NoInsert);
  UnitBox_->setEditable(false);
  UnitBox_->setMaxVisibleItems(9);
  FillUnits();
  connect(ValueBox_, &QComboBox::editTextChanged, this, [this] { BoxChanged(); });
  connect(UnitBox_, &QComboBox::currentIndexChanged, this, [this] { BoxChanged(); });
  ArrangeBoxes();
}

void TComboBoxUnit::FillUnits() {
  const QScopedValueRollback<bool> assigning(Assigning, true);
  const QString unit = UnitBox_->currentText();
  UnitBox_->clear();
  for (const std::string& name : UnitList(IncludePercent_)) {
    UnitBox_->addItem(QString::fromStdString(name));
  }
  UnitBox_->setCurrentIndex(unit.isEmpty() ? -1 : UnitBox_->findText(unit));
  ArrangeBoxes();
}

void TComboBoxUnit::SetIncludePercent(bool include) {
  if (include != IncludePercent_) {
    IncludePercent_ = include;
    FillUnits();
  }
}

QStringList TComboBoxUnit::Items() const {
  QStringList items;
  for (int i = 0; i < ValueBox_->count(); ++i) {
    items << ValueBox_->itemText(i);
  }
  return items;
}

void TComboBoxUnit::SetItems(const QStringList& items) {
  const QScopedValueRollback<bool> assigning(Assigning, true);
  // Filling the list would put its first keyword into the box.
  const QString text = ValueBox_->currentText();
  ValueBox_->clear();
  ValueBox_->addItems(items);
  ValueBox_->setCurrentIndex(-1);
  ValueBox_->setEditText(text);
}

QString TComboBoxUnit::Text() const {
  const QString unit = UnitBox_->currentIndex() < 0 ? QString() : UnitBox_->currentText();
  return ValueBox_->currentText() + unit;
}

void TComboBoxUnit::SetText(const QString& value) {
  const QScopedValueRollback<bool> assigning(Assigning, true);
  std::vector<std::string> units;
  for (int i = 0; i < UnitBox_->count(); ++i) {
    units.push_back(UnitBox_->itemText(i).toStdString());
  }
  const TUnitSplit split = SplitUnitValue(value.toStdString(), units);
  ValueBox_->setEditText(QString::fromStdString(split.Value));
  UnitBox_->setCurrentIndex(split.UnitIndex);
}

void TComboBoxUnit::BoxChanged() {
  if (Assigning) {
    return;
  }
  if (!IsDecimalNumber(ValueBox_->currentText().toStdString())) {
    const QScopedValueRollback<bool> assigning(Assigning, true);
    UnitBox_->setCurrentIndex(-1);
  }
  if (OnChange) {
    OnChange(this);
  }
}

void TComboBoxUnit::ArrangeBoxes() {
  // 38 pixels fit a unit beside the button in the classic look; a style with a wider button
  // or a larger font gets the width it needs to show the unit whole.
  const int unitWidth = std::max(kUnitWidth, UnitBox_->sizeHint().width());
  const int valueWidth = std::max(0, width() - unitWidth - 2);
  ValueBox_->setGeometry(0, 0, valueWidth, height());
  UnitBox_->setGeometry(valueWidth + 2, 0, unitWidth, height());
}

void TComboBoxUnit::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  ArrangeBoxes();
}

}  // namespace qm
