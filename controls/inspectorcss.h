// SPDX-License-Identifier: GPL-3.0-or-later
// The property inspector grid: the loaded catalogue drawn as rows of name and value, with an
// in-place text editor or drop-down over the selected row's value; it reports, never writes.
#pragma once

#include <QAbstractScrollArea>
#include <QElapsedTimer>
#include <QFont>
#include <QLineEdit>
#include <QPixmap>
#include <QString>
#include <functional>

#include "controls/Combocss.h"
#include "controls/controlevents.h"
#include "model/catalogue/catalogue.h"
#include "model/catalogue/inifile.h"

namespace qm {

class TInspectorCSS;

// The borderless text editor over a text row's value cell.
class TInplaceEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit TInplaceEdit(TInspectorCSS& owner);

  // The text when the editor last received the focus; leaving with another text is an edit.
  QString OldText;

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  TInspectorCSS& Owner;
};

// The borderless drop-down over a list row's value cell.
class TInplaceCombo : public TComboCSS {
  Q_OBJECT

 public:
  explicit TInplaceCombo(TInspectorCSS& owner);

  QString OldText;

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  TInspectorCSS& Owner;
};

class TInspectorCSS : public QAbstractScrollArea {
  Q_OBJECT

 public:
  // Selected is the clicked row, also when it was selected already.
  using TSelectedChangeEvent = std::function<void(QObject* Sender, TInspectorItem* Selected)>;
  // Sender is the in-place editor left; sItem the edited row, a part row included.
  using TEditChangeEvent = std::function<void(QObject* Sender, TInspectorItem* sItem)>;
  using TMouseDownEvent = std::function<void(QObject* Sender, Qt::MouseButton Button,
                                             Qt::KeyboardModifiers Shift, int X, int Y)>;

  explicit TInspectorCSS(QWidget* parent = nullptr);
  ~TInspectorCSS() override;

  // Width of the name column in pixels.
  int ColumnWidth() const { return ColumnWidth_; }
  void SetColumnWidth(int width);
  bool ShowCategories() const { return ShowCategories_; }
  // Arranges the rows in categories (true) or alphabetically (false); an open editor stays.
  void SetShowCategories(bool show);
  int RowHeight() const { return RowHeight_; }
  // The editors show the values but take no typing (the values belong to no rule).
  bool ReadOnly() const { return ReadOnly_; }
  void SetReadOnly(bool readOnly);

  TInspectorCollection& Items() { return Items_; }
  const TInspectorCollection& Items() const { return Items_; }
  TInspectorItem& Items(int32_t index) { return Items_.Items(index); }
  int32_t Count() const { return Items_.Count(); }
  TInspectorItem* Selected() const { return Selected_; }
  // Display rows in the top group of rows that have a value.
  int32_t PinnedCount() const;

  // Replaces the rows by a catalogue, in categorised order, with no row selected.
  void LoadCatalogue(const TIniFile& catalogue);
  // No rows at all, as when no catalogue could be read.
  void ClearItems();
  int32_t IndexOfTag(const QString& name) const;
  // Pins the rows that have a value to the top; called after the values have been written.
  void MarkValues();
  void ExpandAll();
  void CollapseAll();
  // Selects item and reopens its editor, as a click on its row does.
  void SelectItem(TInspectorItem* item);

  bool IsItemVisible(const TInspectorItem& item) const;
  int32_t VisibleCount() const;
  void UpdateScrollBar();
  void InvalidateRow(int32_t index);
  // Stores the open editor's text into the selected row (spreading a shorthand over its parts,
  // or rebuilding it from them) and leaves the editor.
  void CommitEdit();

  TInplaceEdit* InplaceEdit() const { return Edit; }
  TInplaceCombo* InplaceCombo() const { return Combo; }

  TSelectedChangeEvent OnSelectedChange;
  TEditChangeEvent OnEditChange;
  // The drop-down's own OnSelect, passed on with the drop-down as Sender.
  TOnSelectEvent OnComboChange;
  TMouseDownEvent OnMouseDown;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  // A name the name column cuts off shows whole in a tool tip.
  bool viewportEvent(QEvent* event) override;

 private:
  friend class TInplaceEdit;
  friend class TInplaceCombo;

  // Stores what the open editor holds and leaves it, before the rows are replaced.
  void LeaveRows();
  void LayOut();
  void DrawRow(QPainter& painter, const TInspectorItem& item, int y);
  // The click on a row at x: toggles (when asked), commits, opens the row's editor, selects.
  // Chosen by the keyboard (opens false), the row is selected with no editor: the keys stay
  // with the rows until Enter or F2 opens it.
  void PressRow(TInspectorItem& item, int x, bool toggles, bool opens = true);
  // The selected row found by typing the start of its name: shown, scrolled into view, never
  // edited.
  void FindTypedRow(const QString& typed);
  // Keeps an open editor over its row after the rows moved (a write pins or unpins rows): moved
  // there, or taken away when the row is no longer shown.
  void FollowSelected();
  // Escape in an editor: the value it started with comes back and the editor closes.
  void CancelEditor(QLineEdit& editor, const QString& oldText);
  void OpenEditor(TInspectorItem& item);
  // A value the program set for the row whose editor is open shows in the editor, and counts as
  // its starting text: leaving the editor then writes nothing stale back.
  void ShowNewValueInEditor(const TInspectorItem& item);
  // The editor's own leaving: stores a text editor's text, reports a change, hides.
  void ExitEditor(QLineEdit& editor, const QString& oldText, bool copiesText);
  void EditorFocusLost(QLineEdit& editor);
  void FocusLeftControl();
  bool HoldsFocus() const;
  void ScrollIntoView(const TInspectorItem& item);
  // The whole name of the property whose name is cut off at pos of the viewport; empty when the
  // name shows whole there or pos is not on a name.
  QString CutOffName(QPoint pos);

  TInspectorCollection Items_;
  int ColumnWidth_ = 70;
  bool ShowCategories_ = true;
  bool ReadOnly_ = false;
  QFont RowFont;
  int RowHeight_;
  QPixmap ExpandGlyph;
  QPixmap CollapseGlyph;
  TInplaceEdit* Edit;
  TInplaceCombo* Combo;
  TInspectorItem* Selected_ = nullptr;
  // Set while an editor is being left or taken away, so its focus loss does not leave it again.
  bool Exiting = false;
  // What was typed to find a row, and when the last key of it came.
  QString Typed;
  QElapsedTimer TypedAt;
};

}  // namespace qm
