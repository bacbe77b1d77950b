// SPDX-License-Identifier: GPL-3.0-or-later
// The selector blocks of the active document and the Selectors panel: the tree, its tool bar and
// pop-up menu, Next Block and Previous Block, and adding and deleting selectors.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/cssmain.h"
#include "app/flagscope.h"
#include "dialogs/cssnew.h"
#include "platform/prompts.h"

namespace qm {

namespace {

const char* const kGroups[] = {"Elements", "Classes", "IDs"};
const char* const kGroupImages[] = {"element", "class", "id"};

QIcon Image(const char* name) {
  return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

int GroupOfKind(const std::string& kind) {
  return kind == "Element" ? 0 : kind == "Class" ? 1 : 2;
}

}  // namespace

QWidget* TFrmMain::CreateSelectorsPanel() {
  auto* panel = new QWidget;
  TbSelectors = new QToolBar(panel);
  TbSelectors->setIconSize(QSize(16, 16));
  TbTrefresh = TbSelectors->addAction(Image("refresh"), QStringLiteral("Refresh"));
  TbtNewElement = TbSelectors->addAction(Image("element"), QStringLiteral("New Element"));
  TbtNewClass = TbSelectors->addAction(Image("class"), QStringLiteral("New Class"));
  TbtNewID = TbSelectors->addAction(Image("id"), QStringLiteral("New ID"));
  TbtDelete = TbSelectors->addAction(Image("delete"), QStringLiteral("Delete"));
  TbtDelete->setToolTip(QStringLiteral("Delete Selected Selector"));

  Tv = new QTreeWidget(panel);
  Tv->setHeaderHidden(true);
  Tv->setRootIsDecorated(true);
  Tv->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Selected and focused nodes in the panel's own green.
  QPalette palette = Tv->palette();
  for (const auto group : {QPalette::Active, QPalette::Inactive}) {
    palette.setColor(group, QPalette::Highlight, QColor(147, 160, 112));
    palette.setColor(group, QPalette::HighlightedText,
                     QApplication::palette().color(QPalette::HighlightedText));
  }
  Tv->setPalette(palette);
  Tv->setContextMenuPolicy(Qt::CustomContextMenu);
  Tv->viewport()->installEventFilter(this);

  TvPopup = new QMenu(Tv);
  mTNew = TvPopup->addAction(QStringLiteral("New"));
  TvPopup->addSeparator();
  mTDelete = TvPopup->addAction(QStringLiteral("Delete"));

  connect(TbTrefresh, &QAction::triggered, this, &TFrmMain::TbTrefreshClick);
  connect(TbtNewElement, &QAction::triggered, this, &TFrmMain::TbtNewElementClick);
  connect(TbtNewClass, &QAction::triggered, this, &TFrmMain::TbtNewClassClick);
  connect(TbtNewID, &QAction::triggered, this, &TFrmMain::TbtNewIDClick);
  connect(TbtDelete, &QAction::triggered, this, &TFrmMain::mTDeleteClick);
  connect(mTNew, &QAction::triggered, this, &TFrmMain::mTNewClick);
  connect(mTDelete, &QAction::triggered, this, &TFrmMain::mTDeleteClick);
  connect(Tv, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    TvContextPopup(pos);
    TvPopup->popup(Tv->viewport()->mapToGlobal(pos));
  });

  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(TbSelectors);
  layout->addWidget(Tv);
  return panel;
}

void TFrmMain::RefreshItm() {
  if (CurrentEditor != nullptr) {
    RebuildBlocks(*CurrentEditor, Blocks);
  }
}

void TFrmMain::RefreshTree() {
  Tv->setUpdatesEnabled(false);
  Tv->clear();
  QTreeWidgetItem* groups[3];
  for (int i = 0; i < 3; ++i) {
    groups[i] = new QTreeWidgetItem(Tv, QStringList{QLatin1String(kGroups[i])});
    groups[i]->setIcon(0, Image(kGroupImages[i]));
  }
  if (CurrentEditor != nullptr) {
    // Built detached and added at once: a large sheet has thousands of nodes.
    QList<QTreeWidgetItem*> children[3];
    for (const TItmRecord& block : Blocks.All()) {
      const int group = GroupOfKind(block.Kind);
      auto* node = new QTreeWidgetItem(
          QStringList{QString::fromUtf8(block.Name.data(), std::ssize(block.Name))});
      node->setIcon(0, groups[group]->icon(0));
      children[group].append(node);
    }
    for (int i = 0; i < 3; ++i) {
      groups[i]->addChildren(children[i]);
    }
  }
  for (QTreeWidgetItem* group : groups) {
    group->setExpanded(true);
  }
  Tv->setCurrentItem(nullptr);
  Tv->clearSelection();
  Tv->setUpdatesEnabled(true);
}

void TFrmMain::TbTrefreshClick() {
  RefreshItm();
  RefreshTree();
  if (CurrentEditor != nullptr) {
    ReadCaretBlock(CurrentEditor);
  }
}

void TFrmMain::TvClick() {
  QTreeWidgetItem* node = Tv->currentItem();
  if (node == nullptr || !node->isSelected() || CurrentEditor == nullptr) {
    return;
  }
  RefreshItm();
  const int b = Blocks.IndexOfName(node->text(0).toStdString());
  if (b >= 0) {
    const TItmRecord& block = Blocks.Items(b);
    TFlagScope updating(UpdatingText);
    CurrentEditor->SetCaret(block.StartPos + 1);
    CurrentEditor->SetFirstVisibleLine(CurrentEditor->CaretLineCol().Line);
    CurrentEditor->MoveSelectionEnd(block.EndPos + 2);
  }
  CurrentEditor->setFocus();
}

void TFrmMain::TvMouseDown(const QPoint& pos) {
  if (QTreeWidgetItem* node = Tv->itemAt(pos)) {
    Tv->setCurrentItem(node);
  }
}

void TFrmMain::TvContextPopup(const QPoint& pos) {
  if (QTreeWidgetItem* node = Tv->itemAt(pos)) {
    mTDelete->setEnabled(node->parent() != nullptr);
  }
}

void TFrmMain::mNextClick() {
  if (CurrentEditor != nullptr) {
    CurrentEditor->SetCaret(Blocks.NextBlockStart(CurrentEditor->Caret()));
  }
}

void TFrmMain::mPreviousClick() {
  if (CurrentEditor == nullptr) {
    return;
  }
  const int32_t b = Blocks.BlockAt(CurrentEditor->Caret());
  CurrentEditor->SetCaret(b > 0    ? Blocks.Items(b - 1).StartPos
                          : b == 0 ? Blocks.Items(0).StartPos
                                   : 0);
}

void TFrmMain::TbtNewElementClick() {
  FrmNew->ShowOnTab(TSelectorTab::Element);
}

void TFrmMain::TbtNewClassClick() {
  FrmNew->ShowOnTab(TSelectorTab::Class);
}

void TFrmMain::TbtNewIDClick() {
  FrmNew->ShowOnTab(TSelectorTab::ID);
}

void TFrmMain::mTNewClick() {
  QTreeWidgetItem* node = Tv->currentItem();
  if (node == nullptr) {
    TbtNewElementClick();
    return;
  }
  const QString group = (node->parent() != nullptr ? node->parent() : node)->text(0);
  if (group == QLatin1String(kGroups[1])) {
    TbtNewClassClick();
  } else if (group == QLatin1String(kGroups[2])) {
    TbtNewIDClick();
  } else {
    TbtNewElementClick();
  }
}

void TFrmMain::AddSelector(TSelectorTab tab, const std::string& name) {
  RefreshItm();  // the planner refuses a block list older than the text
  CurrentEditor->ApplyEdit(
      PlanNewSelector(*CurrentEditor, Blocks, CurrentEditor->Caret(), tab, name));
  RefreshItm();
  RefreshTree();
  CurrentEditor->setFocus();
}

void TFrmMain::mTDeleteClick() {
  QTreeWidgetItem* node = Tv->currentItem();
  if (node == nullptr || node->parent() == nullptr || CurrentEditor == nullptr) {
    return;
  }
  RefreshItm();  // the planner refuses a block list older than the text
  const int b = Blocks.IndexOfName(node->text(0).toStdString());
  if (b < 0) {
    return;  // the tree lags behind the text: nothing of that name is left to delete
  }
  const auto edit = PlanDeleteBlock(*CurrentEditor, Blocks, b);
  if (!edit) {
    Platform.Prompts->Message(
        TMessageKind::Information,
        QStringLiteral("The block of \"%1\" has no closing brace, so it is not deleted.")
            .arg(node->text(0)),
        {TButton::Ok});
    return;
  }
  CurrentEditor->ApplyEdit(*edit);
  delete node;
  RefreshItm();
  RefreshTree();
}

}  // namespace qm
