// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/shapeext.h"

#include <QPainter>
#include <algorithm>

namespace qm {

TShapeExt::TShapeExt(QWidget* parent) : QWidget(parent) {}

void TShapeExt::SetShape(TShapeType shape) {
  Shape_ = shape;
  update();
}

void TShapeExt::SetPen(const QPen& pen) {
  Pen_ = pen;
  update();
}

void TShapeExt::SetBrush(const QBrush& brush) {
  Brush_ = brush;
  update();
}

void TShapeExt::SetBrushColor(const QColor& color) {
  Brush_.setColor(color);
  update();
}

void TShapeExt::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(Pen_);
  painter.setBrush(Brush_);
  // The pen is drawn inside the control, as wide as it is.
  const int width = Pen_.style() == Qt::NoPen ? 0 : std::max(1, Pen_.width());
  const QRect shape = rect().adjusted(width / 2, width / 2, -(width + 1) / 2, -(width + 1) / 2);
  if (Shape_ == TShapeType::stEllipse) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawEllipse(shape);
  } else {
    painter.drawRect(shape);
  }
}

void TShapeExt::enterEvent(QEnterEvent* event) {
  QWidget::enterEvent(event);
  SavedColor = Brush_.color();
  SetBrushColor(HoverColor);
  if (OnMouseEnter) {
    OnMouseEnter(this);
  }
}

void TShapeExt::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  if (SavedColor.isValid()) {
    SetBrushColor(SavedColor);
  }
  if (OnMouseLeave) {
    OnMouseLeave(this);
  }
}

}  // namespace qm
