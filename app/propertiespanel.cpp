// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/propertiespanel.h"

#include <QTabBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <utility>

#include "app/declarationsync.h"
#include "app/opendocument.h"
#include "app/placeholdervalues.h"
#include "controls/bitmaps.h"
#include "controls/inspectorcss.h"
#include "dialogs/cssedit.h"
#include "model/catalogue/gridrows.h"
#include "platform/commandguard.h"
#include "platform/prompts.h"

namespace qm {

namespace {

QToolButton* MakeButton(QToolBar* bar, const char* icon, const QString& hint) {
  auto* button = new QToolButton(bar);
  button->setIcon(ProgramIcon(icon));
  button->setToolTip(hint);
  button->setAutoRaise(true);
  bar->addWidget(button);
  return button;
}

}  // namespace

TPropertiesPanel::TPropertiesPanel(TPrompts& prompts, TFrmEdit& valueDialog, TDeclarationSync& sync,
                                   QWidget* parent)
    : QWidget(parent), Prompts(prompts), FrmEdit(valueDialog), Sync(sync) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  TabCSS = new QTabBar(this);
  TabCSS->addTab(QStringLiteral("CSS1"));
  TabCSS->addTab(QStringLiteral("CSS2"));
  TabCSS->addTab(QStringLiteral("CSS3"));
  TabCSS->setTabToolTip(2, QStringLiteral("Current CSS, with today's browsers"));
  TabCSS->setCurrentIndex(2);
  TabCSS->setExpanding(false);
  layout->addWidget(TabCSS);
  // The arrangement buttons sit at the panel's top right corner, level with the tabs, and
  // take no width from the panel's layout (see resizeEvent).
  TbInspector = new QToolBar(this);
  TbInspector->setObjectName(QStringLiteral("TbInspector"));
  TbInspector->setIconSize(QSize(16, 16));
  tbinspcategories = MakeButton(TbInspector, "properties", QStringLiteral("Show Categories"));
  tbinspcategories->setCheckable(true);
  tbinspcategories->setChecked(true);
  tbinspexpand = MakeButton(TbInspector, "EXPAND", QStringLiteral("Expand All"));
  tbinspcollapse = MakeButton(TbInspector, "COLLAPSE", QStringLiteral("Collapse All"));
  TbInspector->adjustSize();

  ic = new TInspectorCSS(this);
  ic->setObjectName(QStringLiteral("ic"));
  ic->SetColumnWidth(150);
  // The inspector takes all the room below the tabs.
  layout->addWidget(ic, 1);

  ic->OnSelectedChange = [this](QObject*, TInspectorItem* selected) {
    RunCommand(Prompts, [this, selected] { icSelectedChange(selected); });
  };
  ic->OnEditChange = [this](QObject*, TInspectorItem* item) {
    RunCommand(Prompts, [this, item] { icEditChange(item); });
  };
  ic->OnComboChange = [this](QObject*, const QString& text) {
    RunCommand(Prompts, [this, text] { icComboChange(text); });
  };
  connect(tbinspcategories, &QToolButton::clicked, this, [this] { tbinspcategoriesClick(); });
  connect(tbinspexpand, &QToolButton::clicked, ic, &TInspectorCSS::ExpandAll);
  connect(tbinspcollapse, &QToolButton::clicked, ic, &TInspectorCSS::CollapseAll);

  connect(&Sync, &TDeclarationSync::CatalogueChanged, this, [this] { ShowCatalogue(); });
  connect(&Sync, &TDeclarationSync::ValuesChanged, this, [this] { ShowValues(); });
  // What an open editor holds belongs to the rule it was opened in.
  connect(&Sync, &TDeclarationSync::LeavingRule, ic, &TInspectorCSS::CommitEdit);
  TabCSSChange();
  connect(TabCSS, &QTabBar::currentChanged, this, [this] { TabCSSChange(); });
}

void TPropertiesPanel::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // Where the tabs and the buttons do not fit side by side, the buttons get a row of their own
  // above the tabs rather than covering the last tab.
  const bool sideBySide = TabCSS->sizeHint().width() + TbInspector->width() <= width();
  layout()->setContentsMargins(0, sideBySide ? 0 : TbInspector->height(), 0, 0);
  TbInspector->move(width() - TbInspector->width(),
                    sideBySide ? std::max(0, (TabCSS->height() - TbInspector->height()) / 2) : 0);
  TbInspector->raise();
}

int TPropertiesPanel::CssLevel() const {
  return TabCSS->currentIndex();
}

void TPropertiesPanel::SetCssLevel(int level) {
  TabCSS->setCurrentIndex(level);
}

void TPropertiesPanel::TabCSSChange() {
  RunCommand(Prompts, [this] { Sync.SetCssLevel(CssLevel()); });
}

void TPropertiesPanel::ShowCatalogue() {
  const std::string chosen = ic->Selected() != nullptr ? ic->Selected()->CssTag : std::string();
  if (Sync.Catalogue().Count() == 0) {
    // No catalogue could be read: no rows, not those of the level before.
    ic->ClearItems();
  } else {
    ic->LoadCatalogue(Sync.CatalogueFile());
  }
  ic->SetShowCategories(tbinspcategories->isChecked());
  if (const int32_t row = ic->IndexOfTag(QString::fromStdString(chosen)); row >= 0) {
    ic->SelectItem(&ic->Items(row));
  }
}

void TPropertiesPanel::ShowValues() {
  ic->SetReadOnly(!Sync.HasRule());
  ShowRuleValues(
      ic->Items(), [this](const std::string& name) { return Sync.Value(name); },
      [this](const std::string& name) { return Sync.Place(name); });
  ic->MarkValues();
}

bool TPropertiesPanel::Write(const QString& name, const QString& value, const void* source) {
  bool written = false;
  RunCommand(Prompts, [&] { written = Sync.Write(name, value, source); });
  return written;
}

void TPropertiesPanel::tbinspcategoriesClick() {
  ic->SetShowCategories(tbinspcategories->isChecked());
}

void TPropertiesPanel::ShowEditingStatus() {
  if (Sync.HasRule()) {
    emit StatusMessage(QStringLiteral("Editing ") + Sync.RuleName() +
                       QStringLiteral(" properties."));
  }
}

void TPropertiesPanel::icSelectedChange(TInspectorItem* selected) {
  // Another row's edit is another step of Undo.
  Sync.EndMerge();
  Typed.reset();
  emit PropertyChosen(selected != nullptr ? QString::fromStdString(selected->Caption) : QString());
  // Why the row just left was refused stays in view when the click moves on to this row.
  if (!std::exchange(Refused, false)) {
    ShowEditingStatus();
  }
}

void TPropertiesPanel::icEditChange(TInspectorItem* item) {
  if (Sync.Document() == nullptr || item == nullptr ||
      std::exchange(Typed, std::nullopt) == std::pair(item->Caption, item->Value())) {
    // The row shows what applies now, which is not always what was typed: clearing one of two
    // declarations of a name leaves the other.
    ShowValues();
    return;
  }
  Refused = !Write(QString::fromStdString(item->Caption), QString::fromStdString(item->Value()));
}

void TPropertiesPanel::icComboChange(const QString& text) {
  TInspectorItem* row = ic->Selected();
  const TOpenDocument* document = Sync.Document();
  if (document == nullptr || row == nullptr) {
    return;
  }
  if (!Sync.HasRule()) {
    emit StatusMessage(Sync.ReadOnlyMessage());
    return;
  }
  const QString entry = text.trimmed();
  const std::optional<QString> value =
      ComposeValue(Prompts, FrmEdit, entry, row->Value(), document->Path());
  if (!value) {
    return;
  }
  // A part row's value is written as the part's own declaration.
  const QString tag = QString::fromStdString(row->Caption);
  bool written = false;
  if (!IsPlaceholder(entry)) {
    // What is typed into the drop-down is written at every keystroke, as one step of Undo.
    written = Write(tag, entry, ic->InplaceCombo());
    if (written) {
      // An entry picked from the list shows in the drop-down as it came.
      ic->InplaceCombo()->SetTextQuiet(text);
      Typed.emplace(row->Caption, text.toStdString());
    }
  } else {
    ic->InplaceCombo()->SetTextQuiet(*value);
    written = Write(tag, *value);
    ic->SelectItem(row);
  }
  // After the write, whose end shows the caret's place; a refusal's message stays, and the
  // drop-down keeps what was typed.
  Refused = !written;
  if (written) {
    ShowEditingStatus();
  }
}

}  // namespace qm
