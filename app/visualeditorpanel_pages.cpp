// SPDX-License-Identifier: GPL-3.0-or-later
// Building the Visual Editor's pages from the table of pickers: captions right-aligned beside
// their pickers, groups framed, and the Box page's picture choosing among its groups.
#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/visualeditorpanel.h"
#include "controls/ComboBoxUnit.h"
#include "controls/Combocss.h"
#include "controls/labelcss.h"
#include "controls/modeltext.h"
#include "controls/shapeext.h"
#include "model/catalogue/visualpickers.h"
#include "platform/commandguard.h"

namespace qm {

namespace {

// Narrower pickers cut their values short.
constexpr int kPickerMinWidth = 96;

QStringList Items(const TVisualPicker& picker) {
  QStringList items;
  for (const std::string_view item : picker.Items) {
    items << FromModel(item);
  }
  return items;
}

// The pickers that stand together in one group (or on the page itself), in table order.
std::vector<std::vector<const TVisualPicker*>> GroupRuns(
    const std::vector<const TVisualPicker*>& pickers) {
  std::vector<std::vector<const TVisualPicker*>> runs;
  for (const TVisualPicker* picker : pickers) {
    if (runs.empty() || runs.back().front()->Group != picker->Group) {
      runs.emplace_back();
    }
    runs.back().push_back(picker);
  }
  return runs;
}

}  // namespace

void TVisualEditorPanel::BuildPages() {
  for (const std::string_view page : VisualPages()) {
    std::vector<const TVisualPicker*> pickers;
    for (const TVisualPicker& picker : VisualPickers()) {
      if (picker.Page == page) {
        pickers.push_back(&picker);
      }
    }
    pcvisual->addTab(page == kBoxModelPage ? BuildBoxPage(pickers) : BuildRowsPage(pickers),
                     FromModel(page));
  }
  // Every caption of a page is as wide as its widest, so that the pickers line up also across
  // the page's groups.
  for (int i = 0; i < pcvisual->count(); ++i) {
    const QList<TLabelCSS*> captions = pcvisual->widget(i)->findChildren<TLabelCSS*>();
    int widest = 0;
    for (const TLabelCSS* caption : captions) {
      widest = std::max(widest, caption->sizeHint().width());
    }
    for (TLabelCSS* caption : captions) {
      caption->setMinimumWidth(widest);
    }
  }
}

QScrollArea* TVisualEditorPanel::Scrolling(QWidget* content) {
  auto* area = new QScrollArea;
  area->setFrameShape(QFrame::NoFrame);
  area->setWidgetResizable(true);
  area->setWidget(content);
  area->installEventFilter(this);
  return area;
}

void TVisualEditorPanel::ArrangeCaptions(QScrollArea* area) {
  // Too narrow for a caption beside its picker, the area puts every caption above its picker,
  // so that no picker is cut short and the page reads alike from top to bottom. The width the
  // captions need beside their pickers is measured as the style draws them now.
  const QList<QFormLayout*> forms = area->widget()->findChildren<QFormLayout*>();
  for (QFormLayout* form : forms) {
    form->setRowWrapPolicy(QFormLayout::DontWrapRows);
  }
  const int besideWidth =
      area->widget()->minimumSizeHint().width() + area->verticalScrollBar()->sizeHint().width();
  const bool beside = area->width() >= besideWidth;
  const Qt::Alignment alignment = (beside ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
  for (QFormLayout* form : forms) {
    form->setRowWrapPolicy(beside ? QFormLayout::DontWrapRows : QFormLayout::WrapAllRows);
    form->setLabelAlignment(alignment);
  }
  for (TLabelCSS* caption : area->widget()->findChildren<TLabelCSS*>()) {
    caption->setAlignment(alignment);
  }
}

QWidget* TVisualEditorPanel::BuildRowsPage(const std::vector<const TVisualPicker*>& pickers) {
  auto* content = new QWidget;
  auto* layout = new QVBoxLayout(content);
  layout->setContentsMargins(4, 6, 4, 6);
  for (const std::vector<const TVisualPicker*>& run : GroupRuns(pickers)) {
    const std::string_view group = run.front()->Group;
    if (group.empty()) {
      layout->addWidget(BuildForm(run, content));
      continue;
    }
    auto* box = new QGroupBox(FromModel(group), content);
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->setContentsMargins(4, 4, 4, 4);
    boxLayout->addWidget(BuildForm(run, box));
    layout->addWidget(box);
  }
  layout->addStretch(1);
  return Scrolling(content);
}

QWidget* TVisualEditorPanel::BuildForm(const std::vector<const TVisualPicker*>& pickers,
                                       QWidget* parent) {
  auto* form = new QWidget(parent);
  auto* layout = new QFormLayout(form);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  layout->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  layout->setRowWrapPolicy(QFormLayout::DontWrapRows);
  layout->setHorizontalSpacing(4);
  for (const TVisualPicker* picker : pickers) {
    QWidget* field = MakePicker(*picker, form);
    if (picker->Caption.empty()) {
      layout->addRow(static_cast<QWidget*>(nullptr), field);
      continue;
    }
    auto* caption = new TLabelCSS(FromModel(picker->Caption), form);
    caption->TagText = FromModel(picker->TagText);
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    caption->installEventFilter(this);
    layout->addRow(caption, field);
  }
  return form;
}

QWidget* TVisualEditorPanel::MakePicker(const TVisualPicker& picker, QWidget* parent) {
  const QString tag = FromModel(picker.TagText);
  QWidget* made = nullptr;
  if (picker.Kind == TPickerKind::ValueCombo) {
    auto* combo = new TComboCSS(parent);
    combo->TagText = tag;
    combo->SetItems(Items(picker));
    combo->SetSorted(ShowsItemsSorted(picker));
    combo->OnSelect = [this](QObject* sender, const QString& text) {
      RunCommand(Prompts, [this, sender, text] { VisualChange(sender, text); });
    };
    ValueCombos.push_back(combo);
    PickerOfTag.insert(tag, combo);
    made = combo;
  } else if (IsUnitCombo(picker.Kind)) {
    auto* unit = new TComboBoxUnit(parent);
    unit->TagText = tag;
    unit->SetIncludePercent(picker.Kind == TPickerKind::UnitComboPercent);
    unit->SetItems(Items(picker));
    unit->OnChange = [this](QObject* sender) {
      RunCommand(Prompts, [this, sender] { VisualChangeUnit(sender); });
    };
    UnitCombos.push_back(unit);
    PickerOfTag.insert(tag, unit);
    made = unit;
  } else {
    lsttextdecoration = new QListWidget(parent);
    lsttextdecoration->setSortingEnabled(true);
    lsttextdecoration->addItems(Items(picker));
    // A click chooses an entry or lets it go, leaving the others as they are.
    lsttextdecoration->setSelectionMode(QAbstractItemView::MultiSelection);
    const int rows = lsttextdecoration->count();
    lsttextdecoration->setFixedHeight(rows * lsttextdecoration->sizeHintForRow(0) +
                                      2 * lsttextdecoration->frameWidth());
    connect(lsttextdecoration, &QListWidget::itemSelectionChanged, this, [this] {
      if (!ShowingValues) {
        RunCommand(Prompts, [this] { lsttextdecorationClick(); });
      }
    });
    made = lsttextdecoration;
  }
  made->setObjectName(FromModel(picker.Name));
  made->setMinimumWidth(kPickerMinWidth);
  return made;
}

QWidget* TVisualEditorPanel::BuildBoxPage(const std::vector<const TVisualPicker*>& pickers) {
  auto* page = new QWidget;
  auto* layout = new QHBoxLayout(page);
  layout->setContentsMargins(4, 6, 4, 6);
  layout->addWidget(BuildPanelBox(), 0, Qt::AlignTop);
  BoxGroups = new QStackedWidget(page);
  for (const std::vector<const TVisualPicker*>& run : GroupRuns(pickers)) {
    const QString group = FromModel(run.front()->Group);
    auto* box = new QGroupBox(group, BoxGroups);
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->setContentsMargins(2, 2, 2, 2);
    auto* content = new QWidget;
    auto* contentLayout = new QVBoxLayout(content);
    contentLayout->setContentsMargins(2, 2, 2, 2);
    contentLayout->addWidget(BuildForm(run, content));
    contentLayout->addStretch(1);
    boxLayout->addWidget(Scrolling(content));
    BoxGroups->addWidget(box);
    (group == QStringLiteral("Padding")  ? Grouppadding
     : group == QStringLiteral("Margin") ? GroupMargin
                                         : GroupBorder) = box;
  }
  Grouppadding->setObjectName(QStringLiteral("Grouppadding"));
  GroupMargin->setObjectName(QStringLiteral("GroupMargin"));
  GroupBorder->setObjectName(QStringLiteral("GroupBorder"));
  BoxGroups->setCurrentWidget(GroupBorder);
  // The groups scroll rather than widen a narrow panel.
  BoxGroups->setMinimumWidth(60);
  layout->addWidget(BoxGroups, 1);
  return page;
}

TShapeExt* TVisualEditorPanel::MakeShape(QWidget* parent, const char* name, QRect geometry,
                                         QColor fill) {
  auto* shape = new TShapeExt(parent);
  shape->setObjectName(QLatin1String(name));
  shape->setGeometry(geometry);
  shape->SetPen(Qt::NoPen);
  shape->SetBrush(fill);
  shape->HoverColor = QColor(206, 0, 0);
  shape->installEventFilter(this);
  return shape;
}

QWidget* TVisualEditorPanel::BuildPanelBox() {
  auto* box = new QFrame;
  box->setObjectName(QStringLiteral("PanelBox"));
  box->setFrameStyle(QFrame::Box | QFrame::Plain);
  box->setFixedSize(81, 97);
  box->setAutoFillBackground(true);
  QPalette palette = box->palette();
  palette.setColor(QPalette::Window, Qt::white);
  palette.setColor(QPalette::WindowText, Qt::black);
  box->setPalette(palette);
  // Later siblings lie on top: the pointer is over the innermost square it reaches.
  shapemargin = MakeShape(box, "shapemargin", {12, 12, 57, 57}, QColor(33, 138, 201));
  shapeborder = MakeShape(box, "shapeborder", {18, 18, 45, 45}, QColor(17, 57, 102));
  shapepadding = MakeShape(box, "shapepadding", {24, 24, 33, 33}, QColor(31, 102, 182));
  auto* content = new QFrame(box);
  content->setGeometry(32, 32, 17, 17);
  content->setAutoFillBackground(true);
  LblShape = new QLabel(QStringLiteral("Select a box"), box);
  LblShape->setObjectName(QStringLiteral("LblShape"));
  LblShape->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  QFont small = LblShape->font();
  small.setPointSizeF(small.pointSizeF() * 0.85);
  LblShape->setFont(small);
  LblShape->setGeometry(8, 80, 66, 97 - 80 - 1);
  const std::pair<TShapeExt*, QString> captions[] = {{shapemargin, QStringLiteral("Margin")},
                                                     {shapeborder, QStringLiteral("Border")},
                                                     {shapepadding, QStringLiteral("Padding")}};
  for (const auto& [shape, caption] : captions) {
    shape->OnMouseEnter = [this, caption](QObject*) { LblShape->setText(caption); };
  }
  return box;
}

}  // namespace qm
