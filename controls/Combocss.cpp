// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/Combocss.h"

#include <QApplication>
#include <QCollator>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStyleOption>
#include <QStyledItemDelegate>
#include <algorithm>

#include "controls/bitmaps.h"
#include "model/catalogue/droplist.h"

namespace qm {

// Draws one list row: placeholders as a bold caption with their picker's bitmap, every other
// entry as it is; a row is highlighted when the pointer is on it, never framed.
class TDropListDelegate : public QStyledItemDelegate {
 public:
  explicit TDropListDelegate(TDropList& list) : QStyledItemDelegate(&list), List(list) {}

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
    return {option.rect.width(), TDropList::RowHeight};
  }

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    // The list shows itself focused while the edit keeps the focus.
    const QPalette& palette = List.palette();
    const bool highlighted = index.row() == List.Highlighted();
    const QRect& row = option.rect;
    painter->fillRect(
        row, palette.color(QPalette::Active, highlighted ? QPalette::Highlight : QPalette::Base));
    painter->setPen(
        palette.color(QPalette::Active, highlighted ? QPalette::HighlightedText : QPalette::Text));
    const QString entry = index.data().toString();
    const TPlaceholder placeholder = PlaceholderOf(entry.toStdString());
    QFont font = List.font();
    QString caption = entry;
    const QPixmap* bitmap = nullptr;
    if (placeholder != TPlaceholder::None) {
      font.setBold(true);
      caption = QString::fromLatin1(PlaceholderCaption(placeholder).data(),
                                    static_cast<qsizetype>(PlaceholderCaption(placeholder).size()));
      bitmap = Bitmap(placeholder);
    }
    painter->setFont(font);
    painter->drawText(QRect(row.left() + 3, row.top(), row.width() - 3, row.height()),
                      Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, caption);
    if (bitmap != nullptr) {
      painter->drawPixmap(row.left() + row.width() - 18, row.top() + 2, *bitmap);
    }
  }

 private:
  const QPixmap* Bitmap(TPlaceholder placeholder) const {
    switch (placeholder) {
      case TPlaceholder::Color:
        return &List.ColorBitmap;
      case TPlaceholder::Font:
        return &List.FontBitmap;
      case TPlaceholder::Url:
        return &List.UrlBitmap;
      case TPlaceholder::Length:
      case TPlaceholder::Percentage:
        return &List.UnitBitmap;
      case TPlaceholder::None:
        break;
    }
    return nullptr;
  }

  TDropList& List;
};

TDropList::TDropList(TComboCSS& owner)
    : QListWidget(&owner),
      ColorBitmap(LoadBitmap("COLOR", {13, 13})),
      FontBitmap(LoadBitmap("FONT", {12, 12})),
      UrlBitmap(LoadBitmap("URL", {12, 12})),
      UnitBitmap(LoadBitmap("UNIT", {16, 14})) {
  // A tool-tip window: above everything, no task-bar entry, never activated by showing it.
  setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                 Qt::WindowDoesNotAcceptFocus);
  setAttribute(Qt::WA_ShowWithoutActivating);
  // A window does not take its owner's font by itself.
  setAttribute(Qt::WA_WindowPropagation);
  setFocusPolicy(Qt::NoFocus);
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setLineWidth(1);
  setSelectionMode(QAbstractItemView::NoSelection);
  setUniformItemSizes(true);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  setMouseTracking(true);
  setItemDelegate(new TDropListDelegate(*this));
  hide();
}

QStringList TDropList::Items() const {
  QStringList items;
  items.reserve(count());
  for (int i = 0; i < count(); ++i) {
    items << item(i)->text();
  }
  return items;
}

void TDropList::SetItems(const QStringList& items) {
  clear();
  addItems(items);
  if (Sorted_) {
    SortItems();
  }
  if (Highlighted_ >= count()) {
    Highlighted_ = -1;
  }
}

void TDropList::SetSorted(bool sorted) {
  Sorted_ = sorted;
  if (sorted) {
    SortItems();
  }
}

void TDropList::SortItems() {
  // Without regard to case, in the user's language, as the system's own sorted lists do.
  QCollator collator;
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  QStringList items = Items();
  std::stable_sort(items.begin(), items.end(), [&collator](const QString& a, const QString& b) {
    return collator.compare(a, b) < 0;
  });
  clear();
  addItems(items);
}

void TDropList::SetHighlighted(int row) {
  if (row < -1 || row >= count()) {
    row = -1;
  }
  if (row != Highlighted_) {
    Highlighted_ = row;
    viewport()->update();
  }
}

void TDropList::Open(const QRect& screenRect) {
  setGeometry(screenRect);
  show();
  raise();
  grabMouse();
}

void TDropList::CloseUp() {
  hide();
}

void TDropList::hideEvent(QHideEvent* event) {
  ScrollDrag = false;
  if (QWidget::mouseGrabber() == this) {
    releaseMouse();
  }
  QListWidget::hideEvent(event);
  if (OnCloseUp) {
    OnCloseUp();
  }
}

int TDropList::RowAt(QPoint pos) const {
  const QPoint inViewport = viewport()->mapFrom(this, pos);
  if (!viewport()->rect().contains(inViewport)) {
    return -1;
  }
  const QModelIndex index = indexAt(inViewport);
  return index.isValid() ? index.row() : -1;
}

bool TDropList::ForwardToScrollBar(QMouseEvent& event, QPoint pos) {
  QScrollBar* bar = verticalScrollBar();
  const bool onBar = bar->isVisible() && bar->rect().contains(bar->mapFrom(this, pos));
  if (!ScrollDrag && !(event.type() == QEvent::MouseButtonPress && onBar)) {
    return false;
  }
  const QPointF local = bar->mapFrom(this, pos);
  QMouseEvent copy(event.type(), local, bar->mapToGlobal(local), event.button(), event.buttons(),
                   event.modifiers());
  QApplication::sendEvent(bar, &copy);
  ScrollDrag = event.type() != QEvent::MouseButtonRelease;
  return true;
}

void TDropList::MousePress(QMouseEvent& event, QPoint pos) {
  event.accept();
  if (ForwardToScrollBar(event, pos)) {
    return;
  }
  // Left of or above the list: the click is meant for something else.
  if (pos.x() < 0 || pos.y() < 0) {
    CloseUp();
  }
}

void TDropList::MouseMove(QMouseEvent& event, QPoint pos) {
  event.accept();
  if (ForwardToScrollBar(event, pos)) {
    return;
  }
  SetHighlighted(RowAt(pos));
}

void TDropList::MouseRelease(QMouseEvent& event, QPoint pos) {
  event.accept();
  if (ForwardToScrollBar(event, pos)) {
    return;
  }
  // The row under the release is the one chosen: the release that ends the press which opened
  // the list lies on the edit's button, outside the rows, and chooses nothing.
  SetHighlighted(RowAt(pos));
  if (OnMouseUp) {
    OnMouseUp();
  }
  if (pos.x() >= 0 && pos.y() >= 0) {
    CloseUp();
  }
}

bool TDropList::IsMouseButtonOrMove(const QEvent& event) {
  switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
      return true;
    default:
      return false;
  }
}

bool TDropList::HandleMouse(QEvent& event, QPoint pos) {
  auto& mouse = static_cast<QMouseEvent&>(event);
  switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      MousePress(mouse, pos);
      return true;
    case QEvent::MouseMove:
      MouseMove(mouse, pos);
      return true;
    case QEvent::MouseButtonRelease:
      MouseRelease(mouse, pos);
      return true;
    default:
      return false;
  }
}

bool TDropList::event(QEvent* event) {
  if (IsMouseButtonOrMove(*event) &&
      HandleMouse(*event, static_cast<QMouseEvent*>(event)->position().toPoint())) {
    return true;
  }
  return QListWidget::event(event);
}

bool TDropList::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    return true;
  }
  if (IsMouseButtonOrMove(*event)) {
    const QPoint pos =
        viewport()->mapTo(this, static_cast<QMouseEvent*>(event)->position().toPoint());
    if (HandleMouse(*event, pos)) {
      return true;
    }
  }
  return QListWidget::viewportEvent(event);
}

TComboCSS::TComboCSS(QWidget* parent)
    : QLineEdit(parent),
      DropList_(new TDropList(*this)),
      ButtonWidth_(style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this)) {
  DropList_->OnMouseUp = [this] { ChooseItem(); };
  // The release that ends the opening press goes to the list, so the button comes up here.
  DropList_->OnCloseUp = [this] { SetButtonState(ButtonHot_, false); };
  setMouseTracking(true);
  // Text never runs under the button.
  setTextMargins(0, 0, ButtonWidth_ + 2, 0);
  connect(this, &QLineEdit::textChanged, this, [this] { TextChanged(); });
}

TComboCSS::~TComboCSS() = default;

QRect TComboCSS::ClientRect() const {
  if (!hasFrame()) {
    return rect();
  }
  QStyleOptionFrame option;
  initStyleOption(&option);
  const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
  return rect().adjusted(frame, frame, -frame, -frame);
}

QRect TComboCSS::ButtonRect() const {
  const QRect client = ClientRect();
  return {client.right() + 1 - ButtonWidth_, client.top(), ButtonWidth_, client.height()};
}

bool TComboCSS::IsDroppedDown() const {
  return DropList_->isVisible();
}

void TComboCSS::SetTextQuiet(const QString& s) {
  if (s == text()) {
    return;
  }
  const QScopedValueRollback<bool> quiet(Quiet, true);
  setText(s);
}

void TComboCSS::TextChanged() {
  if (Quiet) {
    Quiet = false;
    return;
  }
  if (OnChange) {
    OnChange(this);
  }
  if (OnSelect) {
    OnSelect(this, text());
  }
}

void TComboCSS::ChooseItem() {
  const int row = DropList_->Highlighted();
  if (row < 0) {
    return;
  }
  const QString entry = DropList_->item(row)->text();
  const QScopedValueRollback<bool> quiet(Quiet, true);
  if (OnSelect) {
    OnSelect(this, entry);
  }
}

void TComboCSS::DropDown() {
  const int count = DropList_->count();
  const int height = DropDownRows(count, DropDownCount) * TDropList::RowHeight + 2;
  int width = this->width();
  const QFontMetrics metrics(DropList_->font());
  int widest = 0;
  for (const QString& entry : DropList_->Items()) {
    const std::string bytes = entry.toStdString();
    widest = std::max(
        widest, metrics.horizontalAdvance(QString::fromStdString(std::string(WidthText(bytes)))));
  }
  if (width - 20 < widest) {
    width = widest + 26;
  }
  DropList_->Open(QRect(mapToGlobal(QPoint(0, this->height())), QSize(width, height)));
}

void TComboCSS::HideList() {
  if (DropList_->isVisible()) {
    DropList_->CloseUp();
  }
}

void TComboCSS::SetButtonState(bool hot, bool pressed) {
  if (hot != ButtonHot_ || pressed != ButtonPressed_) {
    ButtonHot_ = hot;
    ButtonPressed_ = pressed;
    update(ButtonRect());
  }
}

void TComboCSS::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    HideList();
  }
  // Keys that type a character, Enter, Backspace and Esc among them, report the text as it is
  // before the key takes effect; Delete and the movement keys type nothing.
  const QString typed = event->text();
  if (!typed.isEmpty() && typed != QStringLiteral("\x7f") && OnSelect) {
    OnSelect(this, text());
  }
  QLineEdit::keyPressEvent(event);
}

void TComboCSS::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && ButtonRect().contains(event->position().toPoint())) {
    DropDown();
    SetButtonState(ButtonHot_, true);
    event->accept();
    return;
  }
  SetButtonState(ButtonHot_, false);
  HideList();
  QLineEdit::mousePressEvent(event);
}

void TComboCSS::mouseReleaseEvent(QMouseEvent* event) {
  SetButtonState(ButtonHot_, false);
  QLineEdit::mouseReleaseEvent(event);
}

void TComboCSS::mouseMoveEvent(QMouseEvent* event) {
  const bool hot = ButtonRect().contains(event->position().toPoint());
  SetButtonState(hot, ButtonPressed_);
  setCursor(hot ? Qt::ArrowCursor : Qt::IBeamCursor);
  QLineEdit::mouseMoveEvent(event);
}

void TComboCSS::leaveEvent(QEvent* event) {
  SetButtonState(false, false);
  QLineEdit::leaveEvent(event);
}

void TComboCSS::focusOutEvent(QFocusEvent* event) {
  HideList();
  QLineEdit::focusOutEvent(event);
}

void TComboCSS::hideEvent(QHideEvent* event) {
  HideList();
  QLineEdit::hideEvent(event);
}

void TComboCSS::paintEvent(QPaintEvent* event) {
  QLineEdit::paintEvent(event);
  QPainter painter(this);
  const QRect button = ButtonRect();
  QStyleOptionButton option;
  option.initFrom(this);
  option.rect = button;
  option.state &=
      ~(QStyle::State_MouseOver | QStyle::State_HasFocus | QStyle::State_Sunken | QStyle::State_On);
  const bool pressed = ButtonHot_ && ButtonPressed_;
  option.state |= pressed ? QStyle::State_Sunken : QStyle::State_Raised;
  if (ButtonHot_) {
    option.state |= QStyle::State_MouseOver;
  }
  style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &option, &painter, this);
  if (ButtonHot_ && !pressed) {
    // Not every style lights a button under the pointer; the hot state must still show.
    QColor tint = palette().color(QPalette::Active, QPalette::Highlight);
    tint.setAlpha(48);
    painter.fillRect(button.adjusted(1, 1, -1, -1), tint);
  }
  QStyleOption arrow(option);
  const int side = std::max(4, std::min(button.width(), button.height()) / 2);
  arrow.rect = QRect(0, 0, side, side);
  arrow.rect.moveCenter(button.center());
  style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, &painter, this);
}

}  // namespace qm
