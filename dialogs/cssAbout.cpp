// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/cssAbout.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "platform/commandguard.h"
#include "platform/shell.h"

namespace qm {

namespace {

constexpr int kBandHeight = 59;

void SetTextColor(QLabel* label, const QColor& color) {
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, color);
  label->setPalette(palette);
}

QFont PixelFont(const QString& family, int pixels, bool bold) {
  QFont font(family);
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

}  // namespace

void TLinkLabel::enterEvent(QEnterEvent* event) {
  SetTextColor(this, QColor(0x00, 0x00, 0xFF));
  QLabel::enterEvent(event);
}

void TLinkLabel::leaveEvent(QEvent* event) {
  SetTextColor(this, Qt::black);
  QLabel::leaveEvent(event);
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit clicked();
  }
  QLabel::mouseReleaseEvent(event);
}

TFrmAbout::TFrmAbout(TShell& shell, TPrompts& prompts, const QString& homePage, QWidget* parent)
    : QDialog(parent), Shell(shell), Prompts(prompts), HomePage(homePage) {
  const QString title = QApplication::applicationName();
  setWindowTitle(QStringLiteral("About ") + title);
  setFixedSize(375, 262);
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

  LblTitle = new QLabel(QStringLiteral(" ") + title, this);
  LblTitle->setFont(PixelFont(QStringLiteral("Arial"), 19, true));
  LblTitle->setGeometry(12, 8, 351, 26);
  LblVersion = new QLabel(QStringLiteral(" Version 1.8"), this);
  LblVersion->setFont(PixelFont(QStringLiteral("Arial"), 11, true));
  LblVersion->setGeometry(12, 36, 351, 16);
  for (QLabel* label : {LblTitle, LblVersion}) {
    SetTextColor(label, Qt::black);
  }

  auto* blurb = new QLabel(
      QStringLiteral("An editor for Cascading Style Sheets.\n\nQuillmere is free software under "
                     "the GNU General Public License, version 3 or later."),
      this);
  blurb->setWordWrap(true);
  blurb->setGeometry(20, kBandHeight + 16, 335, 80);

  Lblsite = new TLinkLabel(HomePage, this);
  Lblsite->setFont([] {
    QFont font = PixelFont(QStringLiteral("Tahoma"), 9, true);
    font.setUnderline(true);
    return font;
  }());
  SetTextColor(Lblsite, Qt::black);
  Lblsite->setCursor(Qt::PointingHandCursor);
  Lblsite->setGeometry(20, 180, 335, 18);
  connect(Lblsite, &TLinkLabel::clicked, this, &TFrmAbout::LblsiteClick);

  CmdOk = new QPushButton(QStringLiteral("OK"), this);
  CmdOk->setDefault(true);
  CmdOk->setGeometry(375 - 12 - 85, 262 - 12 - 27, 85, 27);
  // Escape rejects a dialog on its own, so OK is the cancel button too.
  connect(CmdOk, &QPushButton::clicked, this, &QDialog::accept);
}

void TFrmAbout::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  QPainter painter(this);
  painter.fillRect(QRect(0, 0, width(), kBandHeight), Qt::white);
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawLine(0, kBandHeight, width(), kBandHeight);
}

void TFrmAbout::LblsiteClick() {
  RunCommand(Prompts, [this] { OpenUrlOrFail(Shell, HomePage); });
}

}  // namespace qm
