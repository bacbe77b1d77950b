// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/selectorspanel.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <functional>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "app/opendocument.h"
#include "controls/bitmaps.h"
#include "model/sheet/declarations.h"
#include "model/text/textencoding.h"
#include "platform/commandguard.h"
#include "platform/prompts.h"

namespace qm {

namespace {

const char* const kGroups[] = {"Elements", "Classes", "IDs"};
const char* const kGroupImages[] = {"element", "class", "id"};

int GroupOfKind(std::string_view kind) {
  return kind == "Element" ? 0 : kind == "Class" ? 1 : 2;
}

// Whether a block is one of the sheet's selectors: not an at-rule (@media, @font-face), nor braces
// in a custom property's value.
bool IsSelectorBlock(const TDocument& document, const TModList& blocks, int32_t block) {
  return BlockKind(document, blocks, block) == TBlockKind::StyleRule &&
         !blocks.Items(block).Name.starts_with('@');
}

// What a node keeps: the selector it stands for, without the line that tells equal ones apart;
// its block in the list the tree was made from; whether it only holds the rules nested in its
// block (an at-rule, or a rule listed in another group).
constexpr int kNameRole = Qt::UserRole;
constexpr int kBlockRole = Qt::UserRole + 1;
constexpr int kHolderRole = Qt::UserRole + 2;
// Rules nested deeper than this are shown at this depth, beside the rule they are in.
constexpr int kMaxDepth = 16;

QString NodeName(const QTreeWidgetItem* node) {
  return node->data(0, kNameRole).toString();
}

QTreeWidgetItem* GroupOf(QTreeWidgetItem* node) {
  while (node->parent() != nullptr) {
    node = node->parent();
  }
  return node;
}

// The nodes below a group, each before the nodes below it: in the text order of their blocks.
std::vector<QTreeWidgetItem*> NodesUnder(QTreeWidgetItem* group) {
  std::vector<QTreeWidgetItem*> nodes;
  std::vector<QTreeWidgetItem*> pending;
  for (int i = group->childCount() - 1; i >= 0; --i) {
    pending.push_back(group->child(i));
  }
  while (!pending.empty()) {
    QTreeWidgetItem* node = pending.back();
    pending.pop_back();
    nodes.push_back(node);
    for (int i = node->childCount() - 1; i >= 0; --i) {
      pending.push_back(node->child(i));
    }
  }
  return nodes;
}

// How many nodes in front of node in its group have its name.
int OccurrenceOf(QTreeWidgetItem* node) {
  int occurrence = 0;
  for (QTreeWidgetItem* other : NodesUnder(GroupOf(node))) {
    if (other == node) {
      break;
    }
    occurrence += NodeName(other) == NodeName(node) ? 1 : 0;
  }
  return occurrence;
}

// Names are the document's bytes: UTF-8, or 8-bit text shown as Windows-1252.
QString FromModel(std::string_view text, TTextEncoding encoding) {
  return QString::fromStdString(ToUtf8(text, encoding));
}

}  // namespace

// A selector's node: its tool tip is the whole name, made only when it is shown. With deep
// nesting the names run back over the outer rules, and copies of all of them would grow with
// the square of the text.
class TSelectorNode : public QTreeWidgetItem {
 public:
  TSelectorNode(const QString& shown, const TSelectorsPanel& panel)
      : QTreeWidgetItem(QStringList{shown}), Panel(panel) {}

  QVariant data(int column, int role) const override {
    if (role == Qt::ToolTipRole) {
      return Panel.WholeName(const_cast<TSelectorNode*>(this));
    }
    return QTreeWidgetItem::data(column, role);
  }

 private:
  const TSelectorsPanel& Panel;
};

TSelectorsPanel::TSelectorsPanel(TPrompts& prompts, QWidget* parent)
    : QWidget(parent), Prompts(prompts) {
  TbSelectors = new QToolBar(this);
  TbSelectors->setIconSize(QSize(16, 16));
  TbTrefresh = TbSelectors->addAction(ProgramIcon("refresh"), QStringLiteral("Refresh"));
  TbtNewElement = TbSelectors->addAction(ProgramIcon("element"), QStringLiteral("New Element"));
  TbtNewClass = TbSelectors->addAction(ProgramIcon("class"), QStringLiteral("New Class"));
  TbtNewID = TbSelectors->addAction(ProgramIcon("id"), QStringLiteral("New ID"));
  TbtDelete = TbSelectors->addAction(ProgramIcon("delete"), QStringLiteral("Delete"));
  TbtDelete->setToolTip(QStringLiteral("Delete Selected Selector"));

  Tv = new QTreeWidget(this);
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
  Idle = new QTimer(this);
  Idle->setSingleShot(true);
  Idle->setInterval(kFollowDelay);
  connect(Idle, &QTimer::timeout, this, [this] { RunCommand(Prompts, [this] { FollowText(); }); });

  TvPopup = new QMenu(Tv);
  mTNew = TvPopup->addAction(QStringLiteral("New"));
  TvPopup->addSeparator();
  mTDelete = TvPopup->addAction(QStringLiteral("Delete"));

  const std::pair<QAction*, const char*> names[] = {
      {TbTrefresh, "TbTrefresh"}, {TbtNewElement, "TbtNewElement"}, {TbtNewClass, "TbtNewClass"},
      {TbtNewID, "TbtNewID"},     {TbtDelete, "TbtDelete"},         {mTNew, "mTNew"},
      {mTDelete, "mTDelete"}};
  for (const auto& [action, name] : names) {
    action->setObjectName(QLatin1String(name));
  }
  const auto command = [this](QAction* action, void (TSelectorsPanel::*handler)()) {
    connect(action, &QAction::triggered, this,
            [this, handler] { RunCommand(Prompts, [this, handler] { (this->*handler)(); }); });
  };
  command(TbTrefresh, &TSelectorsPanel::Refresh);
  command(TbtDelete, &TSelectorsPanel::DeleteNodeBlock);
  command(mTDelete, &TSelectorsPanel::DeleteNodeBlock);
  command(mTNew, &TSelectorsPanel::RequestNewForNode);
  connect(TbtNewElement, &QAction::triggered, this,
          [this] { emit NewSelectorRequested(TSelectorTab::Element); });
  connect(TbtNewClass, &QAction::triggered, this,
          [this] { emit NewSelectorRequested(TSelectorTab::Class); });
  connect(TbtNewID, &QAction::triggered, this,
          [this] { emit NewSelectorRequested(TSelectorTab::ID); });
  connect(Tv, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    PreparePopup(pos);
    TvPopup->popup(Tv->viewport()->mapToGlobal(pos));
  });

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(TbSelectors);
  layout->addWidget(Tv);
}

QAction* TSelectorsPanel::Action(const QString& name) const {
  return findChild<QAction*>(name);
}

void TSelectorsPanel::SetDocument(TOpenDocument* document) {
  Document = document;
  disconnect(TextChanges);
  Idle->stop();
  if (document != nullptr) {
    // Each change only restarts the wait: typing costs nothing more in a large sheet.
    TextChanges = connect(document, &TOpenDocument::TextChanged, Idle, qOverload<>(&QTimer::start));
  }
}

void TSelectorsPanel::FollowText() {
  if (Document == nullptr || Document->Editor()->TextVersion() == TreeVersion) {
    return;
  }
  QTreeWidgetItem* node = Tv->currentItem();
  const bool selected = node != nullptr && node->isSelected();
  int group = -1;
  int occurrence = -1;  // the group itself
  QString text;
  if (selected) {
    group = Tv->indexOfTopLevelItem(GroupOf(node));
    if (node->parent() != nullptr) {
      text = NodeName(node);
      occurrence = OccurrenceOf(node);
    }
  }
  const int scroll = Tv->verticalScrollBar()->value();
  RefreshTree();
  if (selected) {
    QTreeWidgetItem* again = occurrence < 0 ? Tv->topLevelItem(group) : nullptr;
    if (occurrence >= 0) {
      for (QTreeWidgetItem* other : NodesUnder(Tv->topLevelItem(group))) {
        if (NodeName(other) == text && occurrence-- == 0) {
          again = other;
          break;
        }
      }
    }
    if (again != nullptr) {
      Tv->setCurrentItem(again);
    }
  }
  Tv->verticalScrollBar()->setValue(scroll);
}

bool TSelectorsPanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Tv->viewport()) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::RightButton) {
      SelectNodeAt(mouse->position().toPoint());
    } else if (event->type() == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton) {
      RunCommand(Prompts, [this] { SelectNodeBlock(); });
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TSelectorsPanel::RefreshTree() {
  Tv->setUpdatesEnabled(false);
  Tv->clear();
  QTreeWidgetItem* groups[3];
  for (int i = 0; i < 3; ++i) {
    groups[i] = new QTreeWidgetItem(Tv, QStringList{QLatin1String(kGroups[i])});
    groups[i]->setIcon(0, ProgramIcon(kGroupImages[i]));
  }
  if (Document != nullptr) {
    const TModList& blocks = Document->Blocks();
    const TTextEncoding encoding = Document->Encoding();
    TreeVersion = Document->Editor()->TextVersion();
    const TCssEditor& editor = *Document->Editor();
    // The block each block is shown in (-1 for none) and how deep.
    std::vector<int32_t> outer(static_cast<size_t>(blocks.Count()), -1);
    std::vector<int> depth(static_cast<size_t>(blocks.Count()), 0);
    std::vector<int32_t> open;
    std::vector<int32_t> listed;
    std::unordered_map<std::string, int> uses;
    for (int32_t b = 0; b < blocks.Count(); ++b) {
      const int32_t start = blocks.Items(b).StartPos;
      while (!open.empty() && blocks.Items(open.back()).EndPos >= 0 &&
             blocks.Items(open.back()).EndPos < start) {
        open.pop_back();
      }
      if (!open.empty()) {
        const auto around = static_cast<size_t>(open.back());
        outer[static_cast<size_t>(b)] = depth[around] < kMaxDepth ? open.back() : outer[around];
        const int32_t shownIn = outer[static_cast<size_t>(b)];
        depth[static_cast<size_t>(b)] = shownIn < 0 ? 0 : depth[static_cast<size_t>(shownIn)] + 1;
      }
      open.push_back(b);
      if (IsSelectorBlock(editor, blocks, b)) {
        listed.push_back(b);
        ++uses[TreeName(blocks.Items(b).Name)];
      }
    }
    // Built detached and added at once: a large sheet has thousands of nodes.
    QList<QTreeWidgetItem*> children[3];
    std::map<std::pair<int, int32_t>, QTreeWidgetItem*> made;
    const auto makeNode = [&](int group, int32_t b, bool holder) {
      const TItmRecord& block = blocks.Items(b);
      const std::string name = TreeName(block.Name);
      const QString shown = FromModel(name, encoding);
      // Rules of the same selector are told apart by the line of their brace.
      auto* node = new TSelectorNode(holder || uses[name] < 2
                                         ? shown
                                         : QStringLiteral("%1 (line %2)")
                                               .arg(shown)
                                               .arg(editor.IndexToLineCol(block.StartPos).Line),
                                     *this);
      node->setData(0, kNameRole, shown);
      node->setData(0, kBlockRole, b);
      node->setData(0, kHolderRole, holder);
      node->setIcon(0, groups[group]->icon(0));
      made[{group, b}] = node;
      return node;
    };
    const auto place = [&](int group, QTreeWidgetItem* in, QTreeWidgetItem* node) {
      if (in == nullptr) {
        children[group].append(node);
      } else {
        in->addChild(node);
      }
    };
    // The node a rule of the group nested in block b goes under: b's own, or one made for b (and
    // the blocks b is in) to hold it. At most kMaxDepth deep.
    std::function<QTreeWidgetItem*(int, int32_t)> holderOf = [&](int group, int32_t b) {
      if (b < 0) {
        return static_cast<QTreeWidgetItem*>(nullptr);
      }
      if (const auto found = made.find({group, b}); found != made.end()) {
        return found->second;
      }
      QTreeWidgetItem* in = holderOf(group, outer[static_cast<size_t>(b)]);
      QTreeWidgetItem* node = makeNode(group, b, true);
      place(group, in, node);
      return node;
    };
    for (const int32_t b : listed) {
      const int group = GroupOfKind(blocks.Items(b).Kind);
      QTreeWidgetItem* in = holderOf(group, outer[static_cast<size_t>(b)]);
      place(group, in, makeNode(group, b, false));
    }
    for (int i = 0; i < 3; ++i) {
      groups[i]->addChildren(children[i]);
    }
  }
  Tv->expandAll();
  Tv->setCurrentItem(nullptr);
  Tv->clearSelection();
  Tv->setUpdatesEnabled(true);
}

int32_t TSelectorsPanel::BlockOfNode(QTreeWidgetItem* node) const {
  if (node == nullptr || node->parent() == nullptr || Document == nullptr) {
    return -1;
  }
  const TModList& blocks = Document->Blocks();
  if (Document->Editor()->TextVersion() == TreeVersion) {
    return node->data(0, kBlockRole).toInt();
  }
  if (node->data(0, kHolderRole).toBool()) {
    return -1;  // found again when the tree follows the text
  }
  // Typed since the tree was made: the same block is the one of the same name and number.
  const QString text = NodeName(node);
  int occurrence = 0;
  for (QTreeWidgetItem* other : NodesUnder(GroupOf(node))) {
    if (other == node) {
      break;
    }
    occurrence += !other->data(0, kHolderRole).toBool() && NodeName(other) == text ? 1 : 0;
  }
  const TTextEncoding encoding = Document->Encoding();
  for (int32_t b = 0; b < blocks.Count(); ++b) {
    if (FromModel(TreeName(blocks.Items(b).Name), encoding) == text &&
        IsSelectorBlock(*Document->Editor(), blocks, b) && occurrence-- == 0) {
      return b;
    }
  }
  return -1;
}

QString TSelectorsPanel::WholeName(QTreeWidgetItem* node) const {
  const int32_t block = BlockOfNode(node);
  if (block < 0) {
    return {};
  }
  const TModList& blocks = Document->Blocks();
  const TItmRecord& item = blocks.Items(block);
  QString name = FromModel(item.Name, Document->Encoding());
  // A rule inside an at-rule (@media, @supports) names the innermost one as a hint, on one
  // bounded line. The list is in text order: the blocks around this one come before it.
  for (int32_t outer = block - 1; outer >= 0; --outer) {
    const TItmRecord& around = blocks.Items(outer);
    if (around.EndPos > item.StartPos && around.Name.starts_with('@')) {
      name += QStringLiteral("\nin ") + FromModel(TreeName(around.Name), Document->Encoding());
      break;
    }
  }
  return name;
}

void TSelectorsPanel::Refresh() {
  RefreshTree();
  emit Refreshed();
}

void TSelectorsPanel::SelectNodeBlock() {
  QTreeWidgetItem* node = Tv->currentItem();
  if (node == nullptr || !node->isSelected() || Document == nullptr) {
    return;
  }
  TCssEditor* editor = Document->Editor();
  if (const int32_t b = BlockOfNode(node); b >= 0) {
    const TItmRecord block = Document->Blocks().Items(b);
    TOpenDocument::TEditScope quiet(*Document);
    editor->SetCaret(block.StartPos + 1);
    editor->SetFirstVisibleLine(editor->CaretLineCol().Line);
    // The block is selected from its end, so that the caret, the selection's moving end, is in
    // the rule, and the views show it.
    editor->SetSelection(block.EndPos + 2, block.StartPos + 1);
  }
  editor->setFocus();
  emit BlockSelected();
}

void TSelectorsPanel::SelectNodeAt(const QPoint& pos) {
  if (QTreeWidgetItem* node = Tv->itemAt(pos)) {
    Tv->setCurrentItem(node);
  }
}

void TSelectorsPanel::PreparePopup(const QPoint& pos) {
  if (QTreeWidgetItem* node = Tv->itemAt(pos)) {
    mTDelete->setEnabled(node->parent() != nullptr && !NodeName(node).startsWith(QLatin1Char('@')));
  }
}

void TSelectorsPanel::RequestNewForNode() {
  QTreeWidgetItem* node = Tv->currentItem();
  const QString group = node == nullptr ? QString() : GroupOf(node)->text(0);
  emit NewSelectorRequested(group == QLatin1String(kGroups[1])   ? TSelectorTab::Class
                            : group == QLatin1String(kGroups[2]) ? TSelectorTab::ID
                                                                 : TSelectorTab::Element);
}

void TSelectorsPanel::DeleteNodeBlock() {
  QTreeWidgetItem* node = Tv->currentItem();
  const int32_t b = BlockOfNode(node);
  if (b < 0 || NodeName(node).startsWith(QLatin1Char('@'))) {
    // A group, an at-rule holding rules, or the text has no such block any more.
    return;
  }
  const auto edit = PlanDeleteBlock(*Document->Editor(), Document->Blocks(), b);
  if (!edit) {
    Prompts.Message(
        TMessageKind::Information,
        QStringLiteral("The block of \"%1\" has no closing brace, so it is not deleted.")
            .arg(node->text(0)),
        {TButton::Ok});
    return;
  }
  Document->Apply(TEditBatch(*edit));
  RefreshTree();
}

}  // namespace qm
