// SPDX-License-Identifier: GPL-3.0-or-later
// The inspector grid's rows: loading and arranging them, their geometry and painting, and the
// mouse over them. The in-place editors and the keys are in inspectorcss_edit.cpp.
#include "controls/inspectorcss.h"

#include <QApplication>
#include <QCollator>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <utility>

#include "controls/bitmaps.h"
#include "controls/modeltext.h"
#include "model/catalogue/gridrows.h"

namespace qm {

namespace {

constexpr int kMargin = 15;  // the strip on the left where value marks are drawn
const QColor kValueMark(0xFF, 0xFF, 0x00);

// Text with an opaque background of its own extent, top-left at (x, y).
void DrawText(QPainter& painter, int x, int y, const QString& text, const QColor& color,
              const QColor& background) {
  const QFontMetrics metrics(painter.font());
  const QRect box(x, y, metrics.horizontalAdvance(text), metrics.height());
  painter.fillRect(box, background);
  painter.setPen(color);
  painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

}  // namespace

TInspectorCSS::TInspectorCSS(QWidget* parent)
    : QAbstractScrollArea(parent),
      RowFont(QApplication::font()),
      RowHeight_(QFontMetrics(RowFont).height() + 6),
      ExpandGlyph(LoadBitmap("EXPAND", {16, 16})),
      CollapseGlyph(LoadBitmap("COLLAPSE", {16, 16})) {
  // Captions sort without regard to case, in the user's language.
  QCollator collator;
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  Items_.Collate = [collator](std::string_view a, std::string_view b) {
    return collator.compare(QString::fromUtf8(a.data(), static_cast<qsizetype>(a.size())),
                            QString::fromUtf8(b.data(), static_cast<qsizetype>(b.size())));
  };
  Items_.OnValueChange = [this](const TInspectorItem& item) {
    InvalidateRow(item.Index());
    ShowNewValueInEditor(item);
  };

  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  verticalScrollBar()->setSingleStep(1);
  verticalScrollBar()->setFocusPolicy(Qt::NoFocus);
  // A click must not take the focus from an open editor before the click has stored its text;
  // the control takes the focus itself where no editor opens.
  setFocusPolicy(Qt::NoFocus);
  viewport()->setFocusPolicy(Qt::NoFocus);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);

  Edit = new TInplaceEdit(*this);
  Edit->resize(Edit->width(), RowHeight_ - 3);
  // Enter commits a text row, as leaving it does.
  connect(Edit, &QLineEdit::returnPressed, this, [this] {
    if (!Exiting && !Edit->isHidden()) {
      CommitEdit();
    }
  });
  Combo = new TInplaceCombo(*this);
  Combo->resize(Combo->width(), RowHeight_ - 1);
  Combo->OnSelect = [this](QObject* sender, QString text) {
    if (OnComboChange) {
      OnComboChange(sender, std::move(text));
    }
  };
  UpdateScrollBar();
}

TInspectorCSS::~TInspectorCSS() {
  // The editors outlive the rows by a moment; nothing they lose may reach the rows.
  Exiting = true;
  Items_.OnValueChange = nullptr;
}

void TInspectorCSS::SetReadOnly(bool readOnly) {
  ReadOnly_ = readOnly;
  Edit->setReadOnly(readOnly);
  Combo->setReadOnly(readOnly);
}

void TInspectorCSS::SetColumnWidth(int width) {
  ColumnWidth_ = width;
  viewport()->update();
}

void TInspectorCSS::SetShowCategories(bool show) {
  ShowCategories_ = show;
  Items_.Arrange(!show);
  UpdateScrollBar();
  viewport()->update();
  FollowSelected();
}

int32_t TInspectorCSS::PinnedCount() const {
  return qm::PinnedCount(Items_, ShowCategories_);
}

bool TInspectorCSS::IsItemVisible(const TInspectorItem& item) const {
  return qm::IsItemVisible(item, ShowCategories_);
}

int32_t TInspectorCSS::VisibleCount() const {
  return qm::VisibleCount(Items_, ShowCategories_);
}

void TInspectorCSS::LoadCatalogue(const TIniFile& catalogue) {
  LeaveRows();
  Items_.LoadCatalogue(catalogue);
  UpdateScrollBar();
  viewport()->update();
}

void TInspectorCSS::ClearItems() {
  LeaveRows();
  Items_.Clear();
  UpdateScrollBar();
  viewport()->update();
}

int32_t TInspectorCSS::IndexOfTag(const QString& name) const {
  return Items_.IndexOfTag(name.toStdString());
}

void TInspectorCSS::MarkValues() {
  qm::MarkValues(Items_);
  // A pinned row of a collapsed category adds a row to scroll through.
  UpdateScrollBar();
  viewport()->update();
  FollowSelected();
}

void TInspectorCSS::ExpandAll() {
  CommitEdit();
  SetCategoriesExpanded(Items_, true);
  UpdateScrollBar();
  viewport()->update();
}

void TInspectorCSS::CollapseAll() {
  CommitEdit();
  SetCategoriesExpanded(Items_, false);
  UpdateScrollBar();
  viewport()->update();
}

void TInspectorCSS::UpdateScrollBar() {
  const int page = std::max(1, viewport()->height() / RowHeight_);
  QScrollBar* bar = verticalScrollBar();
  bar->setPageStep(page);
  bar->setRange(0, std::max(0, VisibleCount() - page));
}

void TInspectorCSS::InvalidateRow(int32_t index) {
  if (index < 0 || index >= Items_.Count()) {
    return;
  }
  const int32_t row = Items_.Items(index).DisplayID;
  if (row >= 0) {
    viewport()->update(QRect(0, row * RowHeight_, viewport()->width(), RowHeight_));
  }
}

void TInspectorCSS::LayOut() {
  LayOutRows(Items_, verticalScrollBar()->value(), ShowCategories_);
}

void TInspectorCSS::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBar();
  // An open editor keeps covering the whole value cell.
  const int width = std::max(0, viewport()->width() - ColumnWidth_ - 2);
  for (QLineEdit* editor : {static_cast<QLineEdit*>(Edit), static_cast<QLineEdit*>(Combo)}) {
    editor->resize(width, editor->height());
  }
}

void TInspectorCSS::scrollContentsBy(int, int dy) {
  // The open editor moves with its row.
  viewport()->scroll(0, dy * RowHeight_);
}

void TInspectorCSS::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  LayOut();
  const int width = viewport()->width();
  const int height = viewport()->height();
  painter.fillRect(viewport()->rect(), palette().color(QPalette::Active, QPalette::Base));
  painter.fillRect(0, 0, kMargin, height, palette().color(QPalette::Active, QPalette::Highlight));
  painter.setFont(RowFont);
  for (int32_t i = 0; i < Items_.Count(); ++i) {
    const TInspectorItem& item = Items_.Items(i);
    const int y = item.DisplayID * RowHeight_;
    if (item.DisplayID >= 0 && y < height) {
      DrawRow(painter, item, y);
    }
  }
  if (Selected_ != nullptr && Selected_->ChildLevel == 0 && Selected_->DisplayID >= 0) {
    painter.setPen(QPen(palette().color(QPalette::Active, QPalette::Text), 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, Selected_->DisplayID * RowHeight_, width - 1, RowHeight_ - 1);
  }
}

void TInspectorCSS::DrawRow(QPainter& painter, const TInspectorItem& item, int y) {
  const QPalette& colours = palette();
  const QColor highlight = colours.color(QPalette::Active, QPalette::Highlight);
  const QColor windowText = colours.color(QPalette::Active, QPalette::Text);
  const int width = viewport()->width();
  const QString caption = FromModel(item.Caption);
  const std::string& value = item.Value();

  if (item.ChildLevel == 0) {
    painter.fillRect(5, y, width - 5, RowHeight_, highlight);
    QFont bold = RowFont;
    bold.setBold(true);
    painter.setFont(bold);
    DrawText(painter, 18, y + 3, caption, windowText, highlight);
    painter.setFont(RowFont);
  } else {
    painter.setPen(highlight);
    painter.drawLine(ColumnWidth_, y, ColumnWidth_, y + RowHeight_ - 1);
    painter.drawLine(kMargin, y + RowHeight_ - 1, width - 1, y + RowHeight_ - 1);
    const bool selected = &item == Selected_;
    const QColor text =
        selected ? colours.color(QPalette::Active, QPalette::HighlightedText) : windowText;
    const QColor background = selected ? highlight : QColor(Qt::white);
    if (selected) {
      painter.fillRect(kMargin, y, ColumnWidth_ - kMargin, RowHeight_, highlight);
    }
    // A long name stops at the column line rather than running under the value.
    painter.save();
    painter.setClipRect(kMargin, y, ColumnWidth_ - kMargin, RowHeight_);
    DrawText(painter, item.ChildLevel * 15 + 15, y + 2, caption, text, background);
    painter.restore();
    if (const std::optional<int32_t> colour = SwatchColor(value)) {
      const auto bits = static_cast<uint32_t>(*colour);
      painter.setPen(Qt::black);
      painter.setBrush(QColor(bits & 0xFF, (bits >> 8) & 0xFF, (bits >> 16) & 0xFF));
      painter.drawRect(ColumnWidth_ + 2, y + 2, 13, RowHeight_ - 6);
      painter.setBrush(Qt::NoBrush);
      DrawText(painter, ColumnWidth_ + 18, y + 2, FromModel(value), text, Qt::white);
    } else {
      DrawText(painter, ColumnWidth_ + 5, y + 2, FromModel(value), text, background);
    }
  }

  if (item.HasChildren) {
    painter.drawPixmap(item.ChildLevel * 10 + 4, y + 2,
                       item.Expanded ? CollapseGlyph : ExpandGlyph);
  }
  if (!value.empty()) {
    painter.fillRect(0, y, kMargin, RowHeight_ - 1, kValueMark);
  }
}

QString TInspectorCSS::CutOffName(QPoint pos) {
  LayOut();
  const int32_t index = pos.y() < 0 ? -1 : IndexAtRow(Items_, pos.y() / RowHeight_);
  if (index < 0 || pos.x() >= ColumnWidth_) {
    return {};
  }
  const TInspectorItem& item = Items_.Items(index);
  const QString caption = FromModel(item.Caption);
  // The same left edge as DrawRow's, where the name starts.
  const int right = item.ChildLevel * 15 + 15 + QFontMetrics(RowFont).horizontalAdvance(caption);
  return item.ChildLevel > 0 && right > ColumnWidth_ ? caption : QString();
}

bool TInspectorCSS::viewportEvent(QEvent* event) {
  if (event->type() != QEvent::ToolTip) {
    return QAbstractScrollArea::viewportEvent(event);
  }
  const auto* help = static_cast<QHelpEvent*>(event);
  const QString name = CutOffName(help->pos());
  if (name.isEmpty()) {
    QToolTip::hideText();
    event->ignore();
  } else {
    QToolTip::showText(help->globalPos(), name, viewport());
  }
  return true;
}

void TInspectorCSS::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  LayOut();
  const int32_t index = pos.y() < 0 ? -1 : IndexAtRow(Items_, pos.y() / RowHeight_);
  if (index >= 0) {
    PressRow(Items_.Items(index), pos.x(), true);
  }
  if (OnMouseDown) {
    OnMouseDown(this, event->button(), event->modifiers(), pos.x(), pos.y());
  }
  event->accept();
}

void TInspectorCSS::ScrollIntoView(const TInspectorItem& item) {
  const int page = std::max(1, viewport()->height() / RowHeight_);
  QScrollBar* bar = verticalScrollBar();
  if (item.DisplayID < 0) {
    bar->setValue(bar->value() + item.DisplayID);
  } else if (item.DisplayID >= page) {
    bar->setValue(bar->value() + item.DisplayID - page + 1);
  }
  LayOut();
}

}  // namespace qm
