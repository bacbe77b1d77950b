// SPDX-License-Identifier: GPL-3.0-or-later
// The unit combo: a number or keyword in an editable box and a CSS unit picked beside it, read
// and written as one text such as "12px".
#pragma once

#include <QComboBox>
#include <QStringList>
#include <QWidget>

#include "controls/controlevents.h"

namespace qm {

class TComboBoxUnit : public QWidget {
  Q_OBJECT

 public:
  explicit TComboBoxUnit(QWidget* parent = nullptr);

  // The number box's text followed by the chosen unit, if any.
  QString Text() const;
  // Cuts value at the first unit of the list found in it (see SplitUnitValue); raises nothing.
  void SetText(const QString& value);

  // Raised after every change the user makes to either box.
  TNotifyEvent OnChange;
  // The CSS property the control edits.
  QString TagText;

  // The keywords the number box offers.
  QStringList Items() const;
  void SetItems(const QStringList& items);
  bool IncludePercent() const { return IncludePercent_; }
  // Offers "%" as the first unit, or takes it away.
  void SetIncludePercent(bool include);

  QComboBox* ValueBox() const { return ValueBox_; }
  QComboBox* UnitBox() const { return UnitBox_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ArrangeBoxes();
  void FillUnits();
  // Either box changed by the user: a unit only sticks to a number.
  void BoxChanged();

  QComboBox* ValueBox_;
  QComboBox* UnitBox_;
  bool IncludePercent_ = false;
  // Set while the program itself fills the boxes, so that no change is reported.
  bool Assigning = false;
};

}  // namespace qm
