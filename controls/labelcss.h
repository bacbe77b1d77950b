// SPDX-License-Identifier: GPL-3.0-or-later
// A caption that names the CSS property of the picker beside it, so that pointing at the caption
// can show that property's description.
#pragma once

#include <QLabel>

namespace qm {

class TLabelCSS : public QLabel {
  Q_OBJECT

 public:
  explicit TLabelCSS(QWidget* parent = nullptr) : QLabel(parent) {}
  TLabelCSS(const QString& caption, QWidget* parent = nullptr) : QLabel(caption, parent) {}

  // The CSS property the caption describes, e.g. "font-weight".
  QString TagText;
};

}  // namespace qm
