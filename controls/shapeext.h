// SPDX-License-Identifier: GPL-3.0-or-later
// A filled shape that takes on its hover colour while the pointer is over it and reports the
// pointer entering and leaving; the box-model picture is made of such shapes.
#pragma once

#include <QBrush>
#include <QColor>
#include <QPen>
#include <QWidget>

#include "controls/controlevents.h"

namespace qm {

class TShapeExt : public QWidget {
  Q_OBJECT

 public:
  enum class TShapeType { stRectangle, stEllipse };

  explicit TShapeExt(QWidget* parent = nullptr);

  TShapeType Shape() const { return Shape_; }
  void SetShape(TShapeType shape);
  const QPen& Pen() const { return Pen_; }
  void SetPen(const QPen& pen);
  const QBrush& Brush() const { return Brush_; }
  void SetBrush(const QBrush& brush);
  // The brush colour alone, as the hover changes it.
  void SetBrushColor(const QColor& color);

  // Raised after the fill colour has changed.
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  QColor HoverColor = Qt::white;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  TShapeType Shape_ = TShapeType::stRectangle;
  QPen Pen_{Qt::black};
  QBrush Brush_{Qt::white};
  // The fill in force when the pointer entered, given back when it leaves.
  QColor SavedColor;
};

}  // namespace qm
