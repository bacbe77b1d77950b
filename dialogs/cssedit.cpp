// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/cssedit.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>

#include "controls/modeltext.h"
#include "model/catalogue/valuedialog.h"
#include "platform/prompts.h"

namespace qm {

namespace {

// The font an entry of the list stands for, when its text says more than the name.
constexpr int kFont = Qt::UserRole;
// Set on an entry listed for a loaded value's font that this system does not have.
constexpr int kNotInstalled = Qt::UserRole + 1;

}  // namespace

namespace {

QGroupBox* MakeGroup(const QString& title, int height, QWidget* parent) {
  auto* group = new QGroupBox(title, parent);
  group->setGeometry(8, 8, 249, height);
  return group;
}

}  // namespace

TFrmEdit::TFrmEdit(TPrompts& prompts, const QStringList& installedFonts, QWidget* parent)
    : QDialog(parent), Prompts(prompts) {
  setWindowTitle(QStringLiteral("Edit"));
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
  setFixedSize(276, 425);

  PLength = MakeGroup(QStringLiteral(" Edit Length "), 57, this);
  TxtLength = new QLineEdit(PLength);
  TxtLength->setGeometry(16, 24, 153, 21);
  CboLength = new QComboBox(PLength);
  for (const std::string_view unit : DialogLengthUnits) {
    CboLength->addItem(FromModel(unit));
  }
  CboLength->setCurrentText(QStringLiteral("px"));
  CboLength->setGeometry(176, 23, 53, 22);

  Ppercent = MakeGroup(QStringLiteral(" Edit Percentage "), 57, this);
  TxtPercent = new QLineEdit(Ppercent);
  TxtPercent->setGeometry(16, 24, 193, 21);
  auto* percentSign = new QLineEdit(QStringLiteral("%"), Ppercent);
  percentSign->setReadOnly(true);
  percentSign->setFocusPolicy(Qt::NoFocus);
  QFont bold = percentSign->font();
  bold.setBold(true);
  percentSign->setFont(bold);
  percentSign->setGeometry(212, 24, 21, 21);

  PFont = MakeGroup(QStringLiteral(" Edit Font  "), 233, this);
  LstFont = new QListWidget(PFont);
  LstFont->setGeometry(16, 24, 209, 129);
  LstFont->setMouseTracking(true);
  LstFont->viewport()->installEventFilter(this);
  LstFont->installEventFilter(this);
  TxtPreview = new QLineEdit(QStringLiteral("Sample Text"), PFont);
  TxtPreview->setFrame(false);
  TxtPreview->setReadOnly(true);
  TxtPreview->setGeometry(16, 159, 209, 29);
  QPalette tip = TxtPreview->palette();
  tip.setColor(QPalette::Base, palette().color(QPalette::ToolTipBase));
  tip.setColor(QPalette::Text, palette().color(QPalette::ToolTipText));
  TxtPreview->setPalette(tip);
  TxtPreview->installEventFilter(this);
  TxtFont = new QLineEdit(PFont);
  TxtFont->setGeometry(16, 200, 209, 21);

  CmdInsert = new QPushButton(QStringLiteral("Insert"), this);
  CmdInsert->setDefault(true);
  CmdInsert->setGeometry(104, 72, 73, 25);
  CmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
  CmdCancel->setGeometry(184, 72, 73, 25);
  connect(CmdInsert, &QPushButton::clicked, this, &QDialog::accept);
  connect(CmdCancel, &QPushButton::clicked, this, &QDialog::reject);

  FillFontList(installedFonts);
}

void TFrmEdit::FillFontList(QStringList installedFonts) {
  installedFonts.sort(Qt::CaseInsensitive);
  installedFonts.removeDuplicates();
  QStringList names;
  for (const std::string_view generic : GenericFontFamilies) {
    names << FromModel(generic);
  }
  names << installedFonts;
  for (const QString& name : names) {
    auto* item = new QListWidgetItem(name, LstFont);
    // The dialog toggles the marks itself, so that a click on the name does what a click on
    // the box does, once.
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setCheckState(Qt::Unchecked);
  }
}

void TFrmEdit::ShowGroup(QGroupBox* group) {
  for (QGroupBox* each : {PLength, Ppercent, PFont}) {
    each->setVisible(each == group);
  }
  group->move(group->x(), 8);
  const int buttonsTop = group->y() + group->height() + 10;
  CmdInsert->move(CmdInsert->x(), buttonsTop);
  CmdCancel->move(CmdCancel->x(), buttonsTop);
  setFixedSize(width(), group->height() + 80);
}

void TFrmEdit::LoadValue(const QString& value) {
  if (Mode == LengthMode) {
    ShowGroup(PLength);
    LoadedUnit.clear();
    LoadedUnitText.clear();
    if (const auto length = SplitDialogLength(value.toStdString())) {
      TxtLength->setText(QString::fromStdString(length->Number));
      LoadedUnit = FromModel(length->Unit);
      LoadedUnitText = QString::fromStdString(length->Written);
      CboLength->setCurrentText(LoadedUnit);
    } else {
      // No length to cut: the value stays whole, and no unit is added to it.
      TxtLength->setText(value.trimmed());
      CboLength->setCurrentIndex(-1);
    }
    TxtLength->selectAll();
  } else if (Mode == PercentageMode) {
    ShowGroup(Ppercent);
    QString number = value;
    if (const qsizetype at = number.indexOf(QLatin1Char('%')); at >= 0) {
      number.remove(at, 1);
    }
    TxtPercent->setText(number);
    TxtPercent->selectAll();
  } else {
    ShowGroup(PFont);
    // The fonts another value listed as not installed here are not this value's.
    for (int i = LstFont->count() - 1; i >= 0; --i) {
      if (LstFont->item(i)->data(kNotInstalled).toBool()) {
        delete LstFont->takeItem(i);
      } else {
        LstFont->item(i)->setCheckState(Qt::Unchecked);
      }
    }
    LoadedFonts = FontListEntries(value.toStdString());
    int missing = 0;
    for (const std::string& entry : LoadedFonts) {
      const QString name = QString::fromStdString(entry);
      QListWidgetItem* found = nullptr;
      for (int i = 0; i < LstFont->count() && found == nullptr; ++i) {
        if (FontName(*LstFont->item(i)).compare(name, Qt::CaseInsensitive) == 0) {
          found = LstFont->item(i);
        }
      }
      if (found == nullptr) {
        found = new QListWidgetItem(name + QStringLiteral(" (not installed here)"));
        found->setData(kFont, name);
        found->setData(kNotInstalled, true);
        found->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        LstFont->insertItem(missing++, found);
      }
      found->setCheckState(Qt::Checked);
    }
    TxtFont->setText(value);
  }
}

QString TFrmEdit::Result() const {
  if (Mode == LengthMode) {
    // A unit left as it was keeps its spelling: "1.5EM" stays "1.5EM".
    const QString unit = CboLength->currentText();
    return TxtLength->text() + (unit == LoadedUnit ? LoadedUnitText : unit);
  }
  if (Mode == PercentageMode) {
    return TxtPercent->text() + QStringLiteral("%");
  }
  return TxtFont->text();
}

void TFrmEdit::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  QLineEdit* first = Mode == LengthMode ? TxtLength : Mode == PercentageMode ? TxtPercent : TxtFont;
  first->setFocus();
}

void TFrmEdit::ToggleFont(QListWidgetItem* item) {
  item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
  ComposeFont();
}

void TFrmEdit::ComposeFont() {
  std::vector<std::string> chosen;
  for (int i = 0; i < LstFont->count(); ++i) {
    if (LstFont->item(i)->checkState() == Qt::Checked) {
      chosen.push_back(FontName(*LstFont->item(i)).toStdString());
    }
  }
  // The stack so far stays in its order; the next mark goes after it.
  LoadedFonts = ComposeFontStack(LoadedFonts, chosen);
  TxtFont->setText(QString::fromStdString(ComposeFontList(LoadedFonts)));
  TxtFont->end(false);
}

QString TFrmEdit::FontName(const QListWidgetItem& item) {
  const QVariant name = item.data(kFont);
  return name.isValid() ? name.toString() : item.text();
}

void TFrmEdit::PreviewFontAt(const QPoint& pos) {
  QListWidgetItem* item = LstFont->itemAt(pos);
  if (item == nullptr) {
    TxtPreview->setText(QStringLiteral("N/A"));
    return;
  }
  LstFont->setCurrentItem(item);
  if (IsGenericFamily(FontName(*item).toStdString())) {
    TxtPreview->setText(QStringLiteral("N/A"));
    return;
  }
  TxtPreview->show();
  TxtPreview->setText(QStringLiteral("Sample Text"));
  TxtPreview->setFont(QFont(FontName(*item), 14));
}

bool TFrmEdit::eventFilter(QObject* watched, QEvent* event) {
  if (watched == LstFont->viewport()) {
    if (event->type() == QEvent::MouseMove) {
      PreviewFontAt(static_cast<QMouseEvent*>(event)->position().toPoint());
    } else if (event->type() == QEvent::MouseButtonPress) {
      const auto* press = static_cast<QMouseEvent*>(event);
      if (QListWidgetItem* item = LstFont->itemAt(press->position().toPoint());
          item != nullptr && press->button() == Qt::LeftButton) {
        LstFont->setCurrentItem(item);
        ToggleFont(item);
        return true;
      }
    }
  } else if (watched == LstFont && event->type() == QEvent::KeyPress &&
             static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space && LstFont->currentItem()) {
    ToggleFont(LstFont->currentItem());
    return true;
  } else if (watched == TxtPreview && event->type() == QEvent::Enter) {
    TxtPreview->hide();
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace qm
