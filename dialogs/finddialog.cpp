// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/finddialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qm {

TFindDialog::TFindDialog(TKind kind, QWidget* parent) : QDialog(parent) {
  const bool replace = kind == TKind::Replace;
  setWindowTitle(replace ? QStringLiteral("Replace") : QStringLiteral("Find"));
  setModal(false);
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

  auto* grid = new QGridLayout(this);
  grid->setHorizontalSpacing(8);
  auto* findLabel = new QLabel(QStringLiteral("Fi&nd what:"), this);
  TxtFind = new QLineEdit(this);
  TxtFind->setMinimumWidth(200);
  findLabel->setBuddy(TxtFind);
  grid->addWidget(findLabel, 0, 0);
  grid->addWidget(TxtFind, 0, 1);

  // The buttons stand in a column on the right, as in every desktop editor's dialogs.
  auto* buttons = new QVBoxLayout;
  CmdFindNext = new QPushButton(QStringLiteral("&Find Next"), this);
  CmdFindNext->setDefault(true);
  buttons->addWidget(CmdFindNext);
  if (replace) {
    auto* replaceLabel = new QLabel(QStringLiteral("Re&place with:"), this);
    TxtReplace = new QLineEdit(this);
    replaceLabel->setBuddy(TxtReplace);
    grid->addWidget(replaceLabel, 1, 0);
    grid->addWidget(TxtReplace, 1, 1);
    CmdReplace = new QPushButton(QStringLiteral("&Replace"), this);
    CmdReplaceAll = new QPushButton(QStringLiteral("Replace &All"), this);
    buttons->addWidget(CmdReplace);
    buttons->addWidget(CmdReplaceAll);
  }
  CmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
  buttons->addWidget(CmdCancel);
  buttons->addStretch();
  grid->addLayout(buttons, 0, 2, 4, 1, Qt::AlignTop);

  ChkWholeWord = new QCheckBox(QStringLiteral("Match &whole word only"), this);
  ChkMatchCase = new QCheckBox(QStringLiteral("Match &case"), this);
  auto* checks = new QVBoxLayout;
  checks->addStretch();
  checks->addWidget(ChkWholeWord);
  checks->addWidget(ChkMatchCase);
  auto* options = new QHBoxLayout;
  options->addLayout(checks);
  if (!replace) {
    auto* direction = new QGroupBox(QStringLiteral("Direction"), this);
    auto* directionLayout = new QHBoxLayout(direction);
    OptUp = new QRadioButton(QStringLiteral("&Up"), direction);
    OptDown = new QRadioButton(QStringLiteral("&Down"), direction);
    OptDown->setChecked(true);
    directionLayout->addWidget(OptUp);
    directionLayout->addWidget(OptDown);
    options->addStretch();
    options->addWidget(direction);
  }
  grid->addLayout(options, 2, 0, 1, 2);
  grid->setRowStretch(3, 1);
  grid->setSizeConstraint(QLayout::SetFixedSize);

  // Tab goes through the fields as they are shown, the buttons last.
  QList<QWidget*> order{TxtFind, TxtReplace,  ChkWholeWord, ChkMatchCase,  OptUp,
                        OptDown, CmdFindNext, CmdReplace,   CmdReplaceAll, CmdCancel};
  order.removeAll(nullptr);
  for (qsizetype i = 1; i < order.size(); ++i) {
    setTabOrder(order[i - 1], order[i]);
  }

  connect(CmdFindNext, &QPushButton::clicked, this, &TFindDialog::Find);
  if (replace) {
    connect(CmdReplace, &QPushButton::clicked, this, [this] { emit Replace(false); });
    connect(CmdReplaceAll, &QPushButton::clicked, this, [this] { emit Replace(true); });
  }
  connect(CmdCancel, &QPushButton::clicked, this, &QDialog::close);
}

void TFindDialog::Execute() {
  show();
  raise();
  activateWindow();
  TxtFind->setFocus();
  TxtFind->selectAll();
}

QString TFindDialog::FindText() const {
  return TxtFind->text();
}

void TFindDialog::SetFindText(const QString& text) {
  TxtFind->setText(text);
}

QString TFindDialog::ReplaceText() const {
  return TxtReplace != nullptr ? TxtReplace->text() : QString();
}

bool TFindDialog::WholeWord() const {
  return ChkWholeWord->isChecked();
}

bool TFindDialog::MatchCase() const {
  return ChkMatchCase->isChecked();
}

bool TFindDialog::Down() const {
  return OptDown == nullptr || OptDown->isChecked();
}

}  // namespace qm
