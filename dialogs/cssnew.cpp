// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/cssnew.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>

#include "platform/prompts.h"

namespace qm {

TFrmNew::TFrmNew(TPrompts& prompts, QWidget* parent) : QDialog(parent), Prompts(prompts) {
  setWindowTitle(QStringLiteral("New Selector"));
  setFixedSize(274, 146);
  setModal(false);
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

  TabNew = new QTabBar(this);
  TabNew->addTab(QStringLiteral("New Element"));
  TabNew->addTab(QStringLiteral("New Class"));
  TabNew->addTab(QStringLiteral("New ID"));
  TabNew->setExpanding(false);
  TabNew->setGeometry(8, 6, 258, 26);

  LblElement = new QLabel(QStringLiteral("Choose a new element:"), this);
  LblElement->setGeometry(16, 42, 242, 18);
  TxtLabel = new QLabel(QStringLiteral("Enter a new Class name"), this);
  TxtLabel->setGeometry(16, 42, 242, 18);
  CboElement = new QComboBox(this);
  for (std::string_view name : ElementNames) {
    CboElement->addItem(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
  }
  CboElement->setCurrentIndex(-1);
  CboElement->setGeometry(16, 62, 242, 24);
  Txt = new QLineEdit(this);
  Txt->setGeometry(16, 62, 242, 24);
  TxtLabel->setBuddy(Txt);
  for (QWidget* widget : {static_cast<QWidget*>(CboElement), static_cast<QWidget*>(Txt),
                          static_cast<QWidget*>(TxtLabel), static_cast<QWidget*>(LblElement)}) {
    widget->hide();
  }

  CmdOk = new QPushButton(QStringLiteral("Ok"), this);
  CmdOk->setDefault(true);
  CmdOk->setGeometry(102, 110, 78, 26);
  CmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
  CmdCancel->setGeometry(188, 110, 78, 26);
  connect(TabNew, &QTabBar::currentChanged, this, &TFrmNew::TabNewChange);
  connect(CmdOk, &QPushButton::clicked, this, &TFrmNew::CmdOkClick);
  connect(CmdCancel, &QPushButton::clicked, this, &TFrmNew::CmdCancelClick);
}

void TFrmNew::ShowOnTab(TSelectorTab tab) {
  show();
  raise();
  activateWindow();
  {
    const QSignalBlocker blocker(TabNew);
    TabNew->setCurrentIndex(static_cast<int>(tab));
  }
  TabNewChange();
}

void TFrmNew::TabNewChange() {
  const bool element = TabNew->currentIndex() == 0;
  LblElement->setVisible(element);
  CboElement->setVisible(element);
  TxtLabel->setVisible(!element);
  Txt->setVisible(!element);
  if (element) {
    CboElement->setFocus();
  } else {
    TxtLabel->setText(TabNew->currentIndex() == 1 ? QStringLiteral("Enter a new Class name")
                                                  : QStringLiteral("Enter a new ID name"));
    Txt->setFocus();
  }
}

void TFrmNew::CmdOkClick() {
  if (!HasDocument || !HasDocument()) {
    return;
  }
  const auto tab = static_cast<TSelectorTab>(TabNew->currentIndex());
  const QString input = tab == TSelectorTab::Element ? CboElement->currentText() : Txt->text();
  if (input.isEmpty()) {
    static const char* const kAsk[] = {
        "Please choose an element.", "Please enter a valid class name.", "Please enter a ID name."};
    Prompts.Message(TMessageKind::Confirmation, QLatin1String(kAsk[static_cast<int>(tab)]),
                    {TButton::Yes});
    return;
  }
  if (OnAdd) {
    OnAdd(tab, input.toStdString());
  }
  close();
}

void TFrmNew::CmdCancelClick() {
  close();
}

}  // namespace qm
