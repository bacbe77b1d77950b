// SPDX-License-Identifier: GPL-3.0-or-later
// The Quick Info panel: what a property is and which browsers support it. It shows nothing yet;
// the panel is here so that the window places and restores it.
#pragma once

#include <QWidget>

namespace qm {

class TQuickInfoPanel : public QWidget {
  Q_OBJECT

 public:
  explicit TQuickInfoPanel(QWidget* parent = nullptr) : QWidget(parent) {}
};

}  // namespace qm
