// SPDX-License-Identifier: GPL-3.0-or-later
// The value drop-down: a one-line edit with a drop-down button and a pop-up list of suggested
// values, some of which stand for opening a picker; it reports choices and never applies them.
#pragma once

#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QStringList>
#include <functional>

#include "controls/controlevents.h"

namespace qm {

class TComboCSS;

// The pop-up list of a TComboCSS: a window above every other window that never takes the
// keyboard focus from the edit, and holds the mouse while it is open.
class TDropList : public QListWidget {
  Q_OBJECT

 public:
  static constexpr int RowHeight = 16;

  explicit TDropList(TComboCSS& owner);

  QStringList Items() const;
  void SetItems(const QStringList& items);
  bool Sorted() const { return Sorted_; }
  void SetSorted(bool sorted);

  // The row under the pointer, which a release chooses; -1 for none.
  int Highlighted() const { return Highlighted_; }
  void SetHighlighted(int row);

  void Open(const QRect& screenRect);
  void CloseUp();

  // Raised by a button release, before the list closes.
  std::function<void()> OnMouseUp;
  std::function<void()> OnCloseUp;

 protected:
  // While the list holds the mouse, input comes to the list itself rather than to its
  // viewport; both are handled alike.
  bool event(QEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  friend class TDropListDelegate;

  // Mouse input in the list's own coordinates, whichever of its parts it was sent to.
  static bool IsMouseButtonOrMove(const QEvent& event);
  bool HandleMouse(QEvent& event, QPoint pos);
  void MousePress(QMouseEvent& event, QPoint pos);
  void MouseMove(QMouseEvent& event, QPoint pos);
  void MouseRelease(QMouseEvent& event, QPoint pos);
  int RowAt(QPoint pos) const;
  // A drag on the scroll bar goes to it, so that a long list can be scrolled while open.
  bool ForwardToScrollBar(QMouseEvent& event, QPoint pos);
  void SortItems();

  int Highlighted_ = -1;
  bool Sorted_ = false;
  bool ScrollDrag = false;
  QPixmap ColorBitmap;
  QPixmap FontBitmap;
  QPixmap UrlBitmap;
  QPixmap UnitBitmap;
};

class TComboCSS : public QLineEdit {
  Q_OBJECT

 public:
  explicit TComboCSS(QWidget* parent = nullptr);
  ~TComboCSS() override;

  // The CSS property the control edits, e.g. "background-color".
  QString TagText;
  // Above this many entries the list opens 8 rows tall and scrolls.
  int DropDownCount = 10;
  // Raised with the chosen entry, or with the text: before a typed character takes effect, and
  // after every change that was not made through SetTextQuiet.
  TOnSelectEvent OnSelect;
  TNotifyEvent OnChange;

  QStringList Items() const { return DropList_->Items(); }
  void SetItems(const QStringList& items) { DropList_->SetItems(items); }
  bool Sorted() const { return DropList_->Sorted(); }
  void SetSorted(bool sorted) { DropList_->SetSorted(sorted); }
  TDropList* DropList() const { return DropList_; }

  // Shows s without raising OnChange or OnSelect, so that filling the control is no edit.
  void SetTextQuiet(const QString& s);
  void DropDown();
  // Reports the highlighted entry through OnSelect; the handler decides what the text becomes.
  void ChooseItem();
  bool IsDroppedDown() const;

  // The button at the right end of the edit, full height, as wide as a scroll bar.
  QRect ButtonRect() const;
  int ButtonWidth() const { return ButtonWidth_; }
  bool ButtonPressed() const { return ButtonPressed_; }
  bool ButtonHot() const { return ButtonHot_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void TextChanged();
  void HideList();
  void SetButtonState(bool hot, bool pressed);
  QRect ClientRect() const;

  TDropList* DropList_;
  int ButtonWidth_;
  bool ButtonPressed_ = false;
  bool ButtonHot_ = false;
  // Set for the one text change a programmatic assignment causes, and consumed by it.
  bool Quiet = false;
};

}  // namespace qm
