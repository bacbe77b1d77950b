// SPDX-License-Identifier: GPL-3.0-or-later
// The inspector grid's in-place editors and keys: opening an editor over the selected row,
// storing or cancelling what it holds, following the focus, and moving between rows by keys.
#include "controls/inspectorcss.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <utility>

#include "controls/modeltext.h"
#include "model/catalogue/gridrows.h"
#include "model/listrule.h"

namespace qm {

namespace {

// A focus change caused by another window or a pop-up coming up is no leaving: the editor gets
// the focus back when its window does.
bool LeavesWindow(Qt::FocusReason reason) {
  return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

}  // namespace

TInplaceEdit::TInplaceEdit(TInspectorCSS& owner) : QLineEdit(owner.viewport()), Owner(owner) {
  setFrame(false);
  hide();
}

void TInplaceEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  if (!LeavesWindow(event->reason())) {
    OldText = text();
  }
}

void TInplaceEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (!LeavesWindow(event->reason())) {
    Owner.EditorFocusLost(*this);
  }
}

void TInplaceEdit::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    event->accept();
    Owner.CancelEditor(*this, OldText);
    return;
  }
  QLineEdit::keyPressEvent(event);
}

TInplaceCombo::TInplaceCombo(TInspectorCSS& owner) : TComboCSS(owner.viewport()), Owner(owner) {
  setFrame(false);
  hide();
}

void TInplaceCombo::focusInEvent(QFocusEvent* event) {
  TComboCSS::focusInEvent(event);
  if (!LeavesWindow(event->reason())) {
    OldText = text();
  }
}

void TInplaceCombo::focusOutEvent(QFocusEvent* event) {
  TComboCSS::focusOutEvent(event);
  if (!LeavesWindow(event->reason())) {
    Owner.EditorFocusLost(*this);
  }
}

void TInplaceCombo::keyPressEvent(QKeyEvent* event) {
  // The first Escape closes an open list; with none open it cancels the edit.
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && !IsDroppedDown()) {
    event->accept();
    Owner.CancelEditor(*this, OldText);
    return;
  }
  TComboCSS::keyPressEvent(event);
}

void TInspectorCSS::LeaveRows() {
  // What was typed belongs to a row of the catalogue being replaced: store and report it there
  // while that row still exists.
  CommitEdit();
  {
    const QScopedValueRollback<bool> exiting(Exiting, true);
    Edit->hide();
    Combo->hide();
  }
  Selected_ = nullptr;
}

void TInspectorCSS::FollowSelected() {
  QLineEdit* open = !Edit->isHidden()    ? static_cast<QLineEdit*>(Edit)
                    : !Combo->isHidden() ? static_cast<QLineEdit*>(Combo)
                                         : nullptr;
  if (open == nullptr || Selected_ == nullptr || Exiting) {
    return;
  }
  if (!IsItemVisible(*Selected_)) {
    // Unpinned in a collapsed category: the category opens, so the row stays under its editor.
    for (TInspectorItem* above = Selected_->Parent; above != nullptr; above = above->Parent) {
      above->Expanded = true;
    }
    UpdateScrollBar();
    viewport()->update();
  }
  LayOut();
  ScrollIntoView(*Selected_);
  const int top = Selected_->DisplayID * RowHeight_ + (open == Edit ? 2 : 0);
  if (open->y() != top) {
    open->move(open->x(), top);
  }
}

void TInspectorCSS::CancelEditor(QLineEdit& editor, const QString& oldText) {
  if (Exiting || editor.isHidden()) {
    return;
  }
  if (editor.text() != oldText) {
    // A drop-down has written what was typed: setting its old text writes that back.
    editor.setText(oldText);
  }
  if (&editor == Combo) {
    ExitEditor(*Combo, Combo->OldText, false);
  } else {
    ExitEditor(*Edit, Edit->OldText, true);
  }
}

void TInspectorCSS::PressRow(TInspectorItem& item, int x, bool toggles, bool opens) {
  const int level = item.ChildLevel;
  if (toggles) {
    // Anywhere on a category row; on a shorthand row only on its glyph, both ends included.
    const bool onGlyph = item.HasChildren && x >= level * 10 + 2 && x <= level * 10 + 22;
    if (level == 0 || onGlyph) {
      item.Expanded = !item.Expanded;
      UpdateScrollBar();
    }
  }
  if (!Edit->isHidden() || !Combo->isHidden()) {
    CommitEdit();
  }
  LayOut();
  if (level != 0 && opens) {
    OpenEditor(item);
  } else {
    // With no editor to type into, the keys go to the rows.
    setFocus(opens ? Qt::MouseFocusReason : Qt::OtherFocusReason);
  }
  viewport()->update();
  Selected_ = &item;
  if (OnSelectedChange) {
    OnSelectedChange(this, &item);
  }
}

void TInspectorCSS::OpenEditor(TInspectorItem& item) {
  const int top = item.DisplayID * RowHeight_;
  const int left = ColumnWidth_ + 2;
  const int width = std::max(0, viewport()->width() - left);
  const QString value = FromModel(item.Value());
  if (item.EditType == TEditType::etList) {
    QStringList entries;
    for (const std::string& entry : SplitList(item.EditList, '|')) {
      entries << FromModel(entry);
    }
    Combo->SetItems(entries);
    Combo->setGeometry(left, top, width, RowHeight_ - 1);
    Combo->setReadOnly(ReadOnly_);
    Combo->show();
    Combo->SetTextQuiet(value);
    // Also when the window is not active yet and the focus arrives later.
    Combo->OldText = Combo->text();
    Combo->setFocus(Qt::MouseFocusReason);
    Combo->selectAll();
  } else {
    // As wide as the value cell, so no stale value shows beside a short editor.
    Edit->setGeometry(left, top + 2, width, RowHeight_ - 3);
    Edit->setReadOnly(ReadOnly_);
    Edit->show();
    Edit->setText(value);
    Edit->OldText = Edit->text();
    Edit->setFocus(Qt::MouseFocusReason);
    Edit->selectAll();
  }
}

void TInspectorCSS::ShowNewValueInEditor(const TInspectorItem& item) {
  if (&item != Selected_ || Exiting) {
    return;
  }
  const QString value = FromModel(item.Value());
  if (item.EditType == TEditType::etList) {
    if (!Combo->isHidden() && Combo->text() != value) {
      Combo->SetTextQuiet(value);
      Combo->OldText = value;
    }
  } else if (!Edit->isHidden() && Edit->text() != value) {
    Edit->setText(value);
    Edit->OldText = value;
  }
}

void TInspectorCSS::CommitEdit() {
  if (Selected_ == nullptr || Selected_->ChildLevel == 0) {
    return;
  }
  const bool list = Selected_->EditType == TEditType::etList;
  QLineEdit& editor = list ? static_cast<QLineEdit&>(*Combo) : *Edit;
  // Without an open editor there is no text to store; a stale one would overwrite the value.
  if (editor.isHidden()) {
    return;
  }
  CommitValue(Items_, *Selected_, editor.text().toStdString());
  if (list) {
    ExitEditor(*Combo, Combo->OldText, false);
  } else {
    ExitEditor(*Edit, Edit->OldText, true);
  }
}

void TInspectorCSS::ExitEditor(QLineEdit& editor, const QString& oldText, bool copiesText) {
  const QScopedValueRollback<bool> exiting(Exiting, true);
  // Hidden on every way out, also when the handler of the report fails.
  struct THide {
    TInspectorCSS& Owner;
    QLineEdit& Editor;
    ~THide() {
      if (Editor.hasFocus()) {
        // The focus stays in the control, so leaving the editor does not leave the control.
        Owner.setFocus(Qt::OtherFocusReason);
      }
      Editor.hide();
    }
  } hide{*this, editor};
  TInspectorItem* row = Selected_;
  if (row == nullptr) {
    return;
  }
  if (copiesText) {
    row->SetValue(editor.text().toStdString());
  }
  // A part row reports itself: its value is written as the part's own declaration.
  if (editor.text() != oldText && OnEditChange) {
    OnEditChange(&editor, row);
  }
}

bool TInspectorCSS::HoldsFocus() const {
  const QWidget* focus = QApplication::focusWidget();
  return focus != nullptr && (focus == this || isAncestorOf(focus));
}

void TInspectorCSS::EditorFocusLost(QLineEdit& editor) {
  if (Exiting || editor.isHidden()) {
    return;
  }
  if (HoldsFocus()) {
    if (&editor == Combo) {
      ExitEditor(*Combo, Combo->OldText, false);
    } else {
      ExitEditor(*Edit, Edit->OldText, true);
    }
    return;
  }
  // Leaving the control stores the editor's text as a click on another row would, so a part's
  // shorthand is rebuilt before it is reported.
  CommitEdit();
  FocusLeftControl();
}

void TInspectorCSS::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  if (!Exiting && !LeavesWindow(event->reason()) && !HoldsFocus()) {
    FocusLeftControl();
  }
}

void TInspectorCSS::FocusLeftControl() {
  if (Selected_ != nullptr) {
    Selected_ = nullptr;
    viewport()->update();
  }
}

void TInspectorCSS::keyPressEvent(QKeyEvent* event) {
  // Keys the editors leave alone arrive here too; only the control's own keys move rows.
  if (!hasFocus()) {
    event->ignore();
    return;
  }
  const int key = event->key();
  const bool plain = (event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == 0;
  if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_F2) && plain &&
      Selected_ != nullptr && Selected_->ChildLevel != 0) {
    // The selected row's editor opens, and typing goes into the value from now on.
    event->accept();
    LayOut();
    PressRow(*Selected_, 40, false);
    return;
  }
  const QString text = event->text();
  if (plain && !text.isEmpty() && text.at(0).isPrint() && !(Typed.isEmpty() && text == u" ")) {
    event->accept();
    FindTypedRow(text);
    return;
  }
  const int step = key == Qt::Key_Down ? 1 : key == Qt::Key_Up ? -1 : 0;
  if (step == 0) {
    event->ignore();
    return;
  }
  event->accept();
  Typed.clear();
  LayOut();
  const int32_t index =
      NeighbourRow(Items_, Selected_ != nullptr ? Selected_->Index() : -1, step, ShowCategories_);
  if (index < 0) {
    return;
  }
  TInspectorItem& item = Items_.Items(index);
  ScrollIntoView(item);
  PressRow(item, 0, false, false);
}

void TInspectorCSS::FindTypedRow(const QString& typed) {
  // Keys typed in a quick run make one name; after a pause a new one begins.
  constexpr qint64 kPauseMs = 1000;
  if (!TypedAt.isValid() || TypedAt.elapsed() > kPauseMs) {
    Typed.clear();
  }
  TypedAt.start();
  Typed += typed;
  const int32_t index =
      RowStartingWith(Items_, Typed.toStdString(), Selected_ != nullptr ? Selected_->Index() : -1);
  if (index < 0) {
    QApplication::beep();
    return;
  }
  TInspectorItem& item = Items_.Items(index);
  for (TInspectorItem* above = item.Parent; above != nullptr; above = above->Parent) {
    above->Expanded = true;
  }
  UpdateScrollBar();
  LayOut();
  ScrollIntoView(item);
  PressRow(item, 0, false, false);
}

void TInspectorCSS::SelectItem(TInspectorItem* item) {
  if (item == nullptr) {
    return;
  }
  // An open editor's text belongs to its own row, not to the one being selected.
  CommitEdit();
  Selected_ = item;
  LayOut();
  if (!IsItemVisible(*item)) {
    viewport()->update();
    return;
  }
  PressRow(*item, 40, true);
}

}  // namespace qm
