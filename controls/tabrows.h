// SPDX-License-Identifier: GPL-3.0-or-later
// The tabs of a page control wrapped onto as many rows as the width needs, so that every page
// stays one click away in a narrow panel; the row of the current page lies next to the pages.
#pragma once

#include <QWidget>
#include <vector>

class QStyleOptionTab;
class QTabWidget;

namespace qm {

class TTabRows : public QWidget {
  Q_OBJECT

 public:
  // Shows the tabs of pages, whose own tab bar the owner hides.
  explicit TTabRows(QTabWidget& pages, QWidget* parent = nullptr);

  // Where the tab of page index lies at the present width.
  QRect TabRect(int index) const;
  int RowCount() const;

  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int width) const override;
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct TArrangement {
    std::vector<QRect> Tabs;
    // The first and last tab of each tab's row.
    std::vector<std::pair<int, int>> RowOf;
    int Rows = 0;
  };
  TArrangement Arrange(int width) const;
  QSize TabSize(int index) const;
  int RowHeight() const;
  void InitOption(QStyleOptionTab& option, int index) const;
  int TabAt(QPoint pos) const;
  void FitHeight();

  QTabWidget& Pages;
  int Hot = -1;
};

}  // namespace qm
