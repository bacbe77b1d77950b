// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/tabrows.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>
#include <numeric>

namespace qm {

TTabRows::TTabRows(QTabWidget& pages, QWidget* parent) : QWidget(parent), Pages(pages) {
  setFocusPolicy(Qt::TabFocus);
  setMouseTracking(true);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  // The current page's row moves next to the pages.
  connect(&Pages, &QTabWidget::currentChanged, this, [this] { update(); });
}

void TTabRows::InitOption(QStyleOptionTab& option, int index) const {
  option.initFrom(this);
  option.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
  option.shape = QTabBar::RoundedNorth;
  option.text = Pages.tabText(index);
  option.documentMode = false;
  if (index == Pages.currentIndex()) {
    option.state |= QStyle::State_Selected;
    if (hasFocus()) {
      option.state |= QStyle::State_HasFocus;
    }
  }
  if (index == Hot) {
    option.state |= QStyle::State_MouseOver;
  }
}

QSize TTabRows::TabSize(int index) const {
  QStyleOptionTab option;
  InitOption(option, index);
  const int hspace = style()->pixelMetric(QStyle::PM_TabBarTabHSpace, &option, this);
  const int vspace = style()->pixelMetric(QStyle::PM_TabBarTabVSpace, &option, this);
  const QSize text = fontMetrics().size(Qt::TextShowMnemonic, option.text);
  return style()->sizeFromContents(QStyle::CT_TabBarTab, &option,
                                   QSize(text.width() + hspace, text.height() + vspace), this);
}

int TTabRows::RowHeight() const {
  int height = 0;
  for (int i = 0; i < Pages.count(); ++i) {
    height = std::max(height, TabSize(i).height());
  }
  return height;
}

TTabRows::TArrangement TTabRows::Arrange(int width) const {
  TArrangement arrangement;
  const int count = Pages.count();
  if (count == 0) {
    return arrangement;
  }
  std::vector<int> widths(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    widths[static_cast<size_t>(i)] = TabSize(i).width();
  }
  // Tabs fill a row from the left until the next does not fit.
  const auto wrap = [&widths, count](int rowWidth) {
    std::vector<std::pair<int, int>> rows;
    int x = 0;
    for (int i = 0; i < count; ++i) {
      if (rows.empty() || x + widths[static_cast<size_t>(i)] > rowWidth) {
        rows.emplace_back(i, i);
        x = 0;
      }
      rows.back().second = i;
      x += widths[static_cast<size_t>(i)];
    }
    return rows;
  };
  // As few rows as the width allows, filled evenly: the narrowest width that needs no more rows
  // decides where they break.
  std::vector<std::pair<int, int>> rows = wrap(width);
  int low = 0;
  int high = std::max(width, 0);
  while (low < high) {
    const int middle = (low + high) / 2;
    if (wrap(middle).size() <= rows.size()) {
      high = middle;
    } else {
      low = middle + 1;
    }
  }
  rows = wrap(high);
  const int rowHeight = RowHeight();
  const int current = Pages.currentIndex();
  arrangement.Tabs.resize(static_cast<size_t>(count));
  arrangement.RowOf.resize(static_cast<size_t>(count));
  arrangement.Rows = static_cast<int>(rows.size());
  int line = 0;
  for (size_t r = 0; r < rows.size(); ++r) {
    const auto [first, last] = rows[r];
    const bool currentRow = current >= first && current <= last;
    const int y = (currentRow ? arrangement.Rows - 1 : line++) * rowHeight;
    // Wrapped rows share out the width, so the rows line up at both ends.
    const int used = std::accumulate(widths.begin() + first, widths.begin() + last + 1, 0);
    const int spare = rows.size() > 1 ? std::max(0, width - used) : 0;
    const int tabs = last - first + 1;
    int left = 0;
    for (int i = first; i <= last; ++i) {
      const int extra = spare * (i - first + 1) / tabs - spare * (i - first) / tabs;
      const int tabWidth = widths[static_cast<size_t>(i)] + extra;
      arrangement.Tabs[static_cast<size_t>(i)] = QRect(left, y, tabWidth, rowHeight);
      arrangement.RowOf[static_cast<size_t>(i)] = rows[r];
      left += tabWidth;
    }
  }
  return arrangement;
}

QRect TTabRows::TabRect(int index) const {
  const TArrangement arrangement = Arrange(width());
  return index >= 0 && index < static_cast<int>(arrangement.Tabs.size())
             ? arrangement.Tabs[static_cast<size_t>(index)]
             : QRect();
}

int TTabRows::RowCount() const {
  return Arrange(width()).Rows;
}

int TTabRows::TabAt(QPoint pos) const {
  const TArrangement arrangement = Arrange(width());
  for (size_t i = 0; i < arrangement.Tabs.size(); ++i) {
    if (arrangement.Tabs[i].contains(pos)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

int TTabRows::heightForWidth(int width) const {
  return Arrange(width).Rows * RowHeight();
}

QSize TTabRows::sizeHint() const {
  // The rows take the width they are given; asking for one row of every tab would widen the
  // panel at the documents' cost.
  return minimumSizeHint();
}

QSize TTabRows::minimumSizeHint() const {
  int width = 0;
  for (int i = 0; i < Pages.count(); ++i) {
    width = std::max(width, TabSize(i).width());
  }
  return {width, RowHeight()};
}

void TTabRows::FitHeight() {
  // A layout need not ask a widget's height for its width, so the rows say it themselves.
  const int height = heightForWidth(width());
  if (height != minimumHeight() || height != maximumHeight()) {
    setFixedHeight(height);
  }
}

void TTabRows::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FitHeight();
}

void TTabRows::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  const TArrangement arrangement = Arrange(width());
  const int current = Pages.currentIndex();
  // The current tab last: it overlaps its neighbours.
  std::vector<int> order(arrangement.Tabs.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_partition(order.begin(), order.end(), [current](int i) { return i != current; });
  for (const int i : order) {
    QStyleOptionTab option;
    InitOption(option, i);
    option.rect = arrangement.Tabs[static_cast<size_t>(i)];
    const auto [first, last] = arrangement.RowOf[static_cast<size_t>(i)];
    option.position = first == last ? QStyleOptionTab::OnlyOneTab
                      : i == first  ? QStyleOptionTab::Beginning
                      : i == last   ? QStyleOptionTab::End
                                    : QStyleOptionTab::Middle;
    option.selectedPosition = current == i - 1 && i > first  ? QStyleOptionTab::PreviousIsSelected
                              : current == i + 1 && i < last ? QStyleOptionTab::NextIsSelected
                                                             : QStyleOptionTab::NotAdjacent;
    painter.drawControl(QStyle::CE_TabBarTab, option);
  }
}

void TTabRows::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  if (const int index = TabAt(event->position().toPoint()); index >= 0) {
    Pages.setCurrentIndex(index);
  }
}

void TTabRows::mouseMoveEvent(QMouseEvent* event) {
  const int hot = TabAt(event->position().toPoint());
  if (hot != Hot) {
    Hot = hot;
    update();
  }
  QWidget::mouseMoveEvent(event);
}

void TTabRows::leaveEvent(QEvent* event) {
  Hot = -1;
  update();
  QWidget::leaveEvent(event);
}

void TTabRows::keyPressEvent(QKeyEvent* event) {
  const int count = Pages.count();
  if (count > 0 && (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right)) {
    const int step = event->key() == Qt::Key_Left ? -1 : 1;
    Pages.setCurrentIndex((Pages.currentIndex() + step + count) % count);
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace qm
