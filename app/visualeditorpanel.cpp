// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/visualeditorpanel.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/declarationsync.h"
#include "app/opendocument.h"
#include "app/placeholdervalues.h"
#include "controls/ComboBoxUnit.h"
#include "controls/Combocss.h"
#include "controls/labelcss.h"
#include "controls/shapeext.h"
#include "controls/tabrows.h"
#include "model/catalogue/visualpickers.h"
#include "platform/commandguard.h"
#include "platform/prompts.h"

namespace qm {

namespace {

// The text without the blanks and control characters around it.
QString Trimmed(const QString& text) {
  qsizetype first = 0;
  qsizetype last = text.size();
  while (first < last && text[first].unicode() <= u' ') {
    ++first;
  }
  while (last > first && text[last - 1].unicode() <= u' ') {
    --last;
  }
  return text.mid(first, last - first);
}

// The placeholders whose pickers a drop-down here opens; lengths and percentages are the unit
// combos' business.
bool OpensPicker(const QString& entry) {
  return entry == QStringLiteral("<url>") || entry == QStringLiteral("<color>") ||
         entry == QStringLiteral("<font>");
}

const QColor kCaptionHover(255, 255, 80);

}  // namespace

TVisualEditorPanel::TVisualEditorPanel(TPrompts& prompts, TFrmEdit& valueDialog,
                                       TDeclarationSync& sync, QWidget* parent)
    : QWidget(parent), Prompts(prompts), FrmEdit(valueDialog), Sync(sync) {
  pcvisual = new QTabWidget(this);
  pcvisual->setObjectName(QStringLiteral("pcvisual"));
  // The tabs wrap onto more lines in a row of their own; the page control's single row would
  // hide most of them in a narrow panel.
  pcvisual->tabBar()->hide();
  TabRows = new TTabRows(*pcvisual, this);
  TabRows->setObjectName(QStringLiteral("TabRows"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(TabRows);
  layout->addWidget(pcvisual, 1);
  BuildPages();
  connect(&Sync, &TDeclarationSync::ValuesChanged, this, [this] { ShowValues(); });
}

void TVisualEditorPanel::ShowValues() {
  ClearValues();
  // Read-only rather than disabled: the values stay readable, also to a screen reader.
  for (TComboCSS* combo : ValueCombos) {
    combo->setReadOnly(!Sync.HasRule());
  }
  for (TComboBoxUnit* unit : UnitCombos) {
    if (QLineEdit* edit = unit->ValueBox()->lineEdit()) {
      edit->setReadOnly(!Sync.HasRule());
    }
    unit->UnitBox()->setEnabled(Sync.HasRule());
  }
  lsttextdecoration->setEnabled(Sync.HasRule());
  // A value a shorthand gives shows in its part's picker, as the part rows show it.
  for (int i = 0; i < Sync.Catalogue().Count(); ++i) {
    const std::string& tag = Sync.Catalogue().Items(i).CssTag;
    if (const std::string value = Sync.AppliedValue(tag); !tag.empty() && !value.empty()) {
      ShowValue(tag, value);
    }
  }
}

void TVisualEditorPanel::ClearValues() {
  // The picker being written from keeps what the user typed, caret and blanks included.
  for (TComboCSS* combo : ValueCombos) {
    if (combo != WritingFrom) {
      combo->SetTextQuiet({});
    }
  }
  for (TComboBoxUnit* unit : UnitCombos) {
    if (unit != WritingFrom) {
      unit->SetText({});
    }
  }
  if (WritingFrom != lsttextdecoration) {
    const QScopedValueRollback<bool> showing(ShowingValues, true);
    lsttextdecoration->clearSelection();
  }
}

void TVisualEditorPanel::ShowValue(const std::string& property, const std::string& value) {
  const QString text = QString::fromStdString(value);
  if (property == "text-decoration" && WritingFrom != lsttextdecoration) {
    // The list reads its own property only: "none" of display: none is no decoration.
    const QScopedValueRollback<bool> showing(ShowingValues, true);
    std::vector<std::string> names;
    for (int i = 0; i < lsttextdecoration->count(); ++i) {
      names.push_back(lsttextdecoration->item(i)->text().toStdString());
    }
    const std::vector<bool> chosen =
        ChosenListEntries(std::vector<std::string_view>(names.begin(), names.end()), value);
    for (int i = 0; i < lsttextdecoration->count(); ++i) {
      lsttextdecoration->item(i)->setSelected(chosen[static_cast<size_t>(i)]);
    }
  }
  QWidget* picker = PickerOfTag.value(QString::fromStdString(property));
  if (picker != nullptr && picker == WritingFrom) {
    return;
  }
  if (auto* combo = qobject_cast<TComboCSS*>(picker)) {
    combo->SetTextQuiet(text);
  } else if (auto* unit = qobject_cast<TComboBoxUnit*>(picker)) {
    unit->SetText(text);
  }
}

void TVisualEditorPanel::VisualChange(QObject* Sender, const QString& sText) {
  const TOpenDocument* document = Sync.Document();
  if (document == nullptr) {
    return;
  }
  if (!Sync.HasRule()) {
    emit StatusMessage(Sync.ReadOnlyMessage());
    return;
  }
  ShowEditingStatus();
  if (auto* combo = qobject_cast<TComboCSS*>(Sender)) {
    const QString v = Trimmed(sText);
    if (!Sync.HasProperty(combo->TagText)) {
      WarnPropertyNotFound();
      return;
    }
    if (OpensPicker(v)) {
      if (const std::optional<QString> composed = ComposeValue(
              Prompts, FrmEdit, v, Sync.Value(combo->TagText.toStdString()), document->Path())) {
        combo->SetTextQuiet(*composed);
        Write(combo->TagText, *composed, combo, false);
      }
      combo->selectAll();
      return;
    }
    // Each keystroke writes; the field's keystrokes together are one step of Undo.
    if (Write(combo->TagText, v, combo, true)) {
      // An entry chosen from the list enters the text only here.
      combo->SetTextQuiet(sText);
    }
  } else if (auto* unit = qobject_cast<TComboBoxUnit*>(Sender)) {
    if (!Sync.HasProperty(unit->TagText)) {
      WarnPropertyNotFound();
      return;
    }
    Write(unit->TagText, unit->Text(), unit, true);
  } else if (Sender == lsttextdecoration) {
    // Each chosen entry followed by a blank, in list order; none chosen removes the declaration.
    QString value;
    for (int i = 0; i < lsttextdecoration->count(); ++i) {
      if (lsttextdecoration->item(i)->isSelected()) {
        value += lsttextdecoration->item(i)->text() + QLatin1Char(' ');
      }
    }
    Write(QStringLiteral("text-decoration"), value, lsttextdecoration, false);
  }
}

void TVisualEditorPanel::VisualChangeUnit(QObject* Sender) {
  VisualChange(Sender, {});
}

void TVisualEditorPanel::lsttextdecorationClick() {
  VisualChange(lsttextdecoration, {});
}

bool TVisualEditorPanel::Write(const QString& name, const QString& value, const QObject* source,
                               bool merges) {
  bool written = false;
  // The view shows the rule as the write left it; its own field keeps what the user typed.
  WritingFrom = source;
  RunCommand(Prompts, [&] { written = Sync.Write(name, value, merges ? source : nullptr); });
  WritingFrom = nullptr;
  if (written) {
    // The write ends by showing the caret's place; the status names the block being edited.
    ShowEditingStatus();
  }
  return written;
}

void TVisualEditorPanel::ShowEditingStatus() {
  if (Sync.HasRule()) {
    emit StatusMessage(QStringLiteral("Editing ") + Sync.RuleName() +
                       QStringLiteral(" properties."));
  }
}

void TVisualEditorPanel::WarnPropertyNotFound() {
  Prompts.Message(TMessageKind::Warning,
                  QStringLiteral("Property is not found in current CSS version.\n"
                                 "Try choosing another CSS version."),
                  {TButton::Ok}, QStringLiteral("Property not found"));
}

void TVisualEditorPanel::ShowBoxGroup(QGroupBox* group) {
  BoxGroups->setCurrentWidget(group);
}

void TVisualEditorPanel::LabelEnter(TLabelCSS* caption) {
  caption->setAutoFillBackground(true);
  QPalette palette = caption->palette();
  palette.setColor(QPalette::Window, kCaptionHover);
  caption->setPalette(palette);
  emit PropertyPointed(caption->TagText);
}

void TVisualEditorPanel::LabelExit(TLabelCSS* caption) {
  caption->setAutoFillBackground(false);
  // Back to the colours of the page around it.
  caption->setPalette(QPalette());
}

bool TVisualEditorPanel::eventFilter(QObject* watched, QEvent* event) {
  // A page's area is measured when it is shown (its style then draws it) and resized.
  if (auto* area = qobject_cast<QScrollArea*>(watched);
      area != nullptr && (event->type() == QEvent::Resize || event->type() == QEvent::Show)) {
    ArrangeCaptions(area);
  }
  if (auto* caption = qobject_cast<TLabelCSS*>(watched)) {
    if (event->type() == QEvent::Enter) {
      RunCommand(Prompts, [this, caption] { LabelEnter(caption); });
    } else if (event->type() == QEvent::Leave) {
      LabelExit(caption);
    }
  } else if (event->type() == QEvent::MouseButtonPress) {
    // Any button on a square of the picture brings its group to the front.
    if (watched == shapemargin) {
      ShowBoxGroup(GroupMargin);
    } else if (watched == shapeborder) {
      ShowBoxGroup(GroupBorder);
    } else if (watched == shapepadding) {
      ShowBoxGroup(Grouppadding);
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace qm
