// SPDX-License-Identifier: GPL-3.0-or-later
// The Selectors panel: the tree of the open document's blocks grouped into elements, classes and
// IDs, its tool bar and pop-up menu; a click selects a block, Delete removes one.
#pragma once

#include <QMetaObject>
#include <QWidget>
#include <vector>

#include "model/sheet/selectorblocks.h"

class QAction;
class QMenu;
class QTimer;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace qm {

class TOpenDocument;
class TPrompts;

class TSelectorsPanel : public QWidget {
  Q_OBJECT

 public:
  explicit TSelectorsPanel(TPrompts& prompts, QWidget* parent = nullptr);

  // The document the tree shows; none while no document is open. The tree is not rebuilt here,
  // but follows the document's text from now on, once typing pauses for kFollowDelay.
  void SetDocument(TOpenDocument* document);
  static constexpr int kFollowDelay = 600;  // milliseconds
  // The three groups, expanded, with a node per block of the document and none selected.
  void RefreshTree();
  // Before the pop-up menu opens over pos: Delete is offered for a selector node only.
  void PreparePopup(const QPoint& pos);

  QTreeWidget* Tree() const { return Tv; }
  QToolBar* ToolBar() const { return TbSelectors; }
  // The panel's commands by name: TbTrefresh, TbtNewElement, TbtNewClass, TbtNewID, TbtDelete,
  // mTNew, mTDelete.
  QAction* Action(const QString& name) const;

 signals:
  // New Element, New Class, New ID, or New in the pop-up menu.
  void NewSelectorRequested(qm::TSelectorTab tab);
  // Refresh rebuilt the tree: the block at the caret is to be read again.
  void Refreshed();
  // A click on a node selected its block in the text: the caret's place is to be shown again.
  void BlockSelected();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Refresh();
  // The tree of the text as it is now, with the node that was selected (the same name, and the
  // same one of equal names) selected again and the view scrolled where it was.
  void FollowText();
  void SelectNodeBlock();
  void SelectNodeAt(const QPoint& pos);
  void RequestNewForNode();
  void DeleteNodeBlock();
  // The index of the node's block in the document's current list, -1 for a group node or when
  // the text no longer has that block.
  int32_t BlockOfNode(QTreeWidgetItem* node) const;
  // The node's selector name as written, and the at-rule it is in; the node shows the name
  // shortened to one bounded line.
  QString WholeName(QTreeWidgetItem* node) const;
  friend class TSelectorNode;

  TPrompts& Prompts;
  TOpenDocument* Document = nullptr;
  QMetaObject::Connection TextChanges;
  QTimer* Idle = nullptr;
  // The text version the nodes were made from; each node keeps its block in that version's list.
  uint64_t TreeVersion = 0;

  QToolBar* TbSelectors = nullptr;
  QAction* TbTrefresh = nullptr;
  QAction* TbtNewElement = nullptr;
  QAction* TbtNewClass = nullptr;
  QAction* TbtNewID = nullptr;
  QAction* TbtDelete = nullptr;
  QTreeWidget* Tv = nullptr;
  QMenu* TvPopup = nullptr;
  QAction* mTNew = nullptr;
  QAction* mTDelete = nullptr;
};

}  // namespace qm
