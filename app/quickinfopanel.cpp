// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/quickinfopanel.h"

#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QStringList>
#include <QVBoxLayout>

#include "model/catalogue/catalogue.h"
#include "model/catalogue/cataloguefacts.h"
#include "model/listrule.h"

namespace qm {

namespace {

const QString kNoInformation = QStringLiteral("No available information.");

// An 11 x 11 square with a dark blue border and a light ring; a blue centre for "supported",
// an empty light one for "not supported".
QPixmap SupportPicture(bool supported) {
  QPixmap picture(11, 11);
  picture.fill(QColor(0x00, 0x33, 0x66));
  QPainter painter(&picture);
  painter.fillRect(1, 1, 9, 9, QColor(0xEC, 0xE9, 0xD8));
  if (supported) {
    painter.fillRect(2, 2, 7, 7, QColor(0x00, 0x33, 0x99));
    painter.fillRect(3, 3, 5, 5, QColor(0x00, 0x66, 0xCC));
  }
  return picture;
}

}  // namespace

TQuickInfoPanel::TQuickInfoPanel(QWidget* parent)
    : QWidget(parent), ImgSupported(SupportPicture(true)), ImgNotSupported(SupportPicture(false)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  TxtInfo = new QPlainTextEdit(this);
  TxtInfo->setObjectName(QStringLiteral("TxtInfo"));
  TxtInfo->setReadOnly(true);
  TxtInfo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  layout->addWidget(TxtInfo, 1);

  auto* strip = new QFrame(this);
  strip->setObjectName(QStringLiteral("TxtSupport"));
  strip->setFrameShape(QFrame::Panel);
  strip->setFrameShadow(QFrame::Sunken);
  strip->setFixedHeight(18);
  strip->setAutoFillBackground(true);
  strip->setBackgroundRole(QPalette::Base);
  strip->setToolTip(
      QStringLiteral("Support Informatoin for Internet Explorer 5.0, Netscape 6.0, Opera 5.0"));
  TxtSupport = strip;
  // Each browser's name and then its picture, at fixed places from the left; a narrow panel cuts
  // the strip off at its right end instead of squeezing the names.
  const QString names[3] = {QStringLiteral("IE5:"), QStringLiteral("Netscape6:"),
                            QStringLiteral("Opera5:")};
  int x = 8;
  for (int i = 0; i < 3; ++i) {
    auto* label = new QLabel(names[i], strip);
    ImgCaption[i] = label;
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->adjustSize();
    label->move(x, (18 - label->height()) / 2);
    x += label->width() + 4;
    ImgS[i] = new QLabel(strip);
    ImgS[i]->setObjectName(QStringLiteral("ImgS%1").arg(i + 1));
    ImgS[i]->setGeometry(x, 3, 14, 14);
    x += 14 + 16;
  }
  // Current CSS names its browsers and versions in words, in place of the three pictures.
  TxtVersions = new QLabel(strip);
  TxtVersions->setObjectName(QStringLiteral("TxtVersions"));
  TxtVersions->setGeometry(8, 0, 2000, 18);
  TxtVersions->hide();
  layout->addWidget(strip);
}

void TQuickInfoPanel::ShowProperty(const TInspectorItem* item, const QString& rule,
                                   const QString& value) {
  TxtInfo->setPlainText(kNoInformation);
  if (item == nullptr) {
    return;
  }
  QString text =
      item->Description.empty() ? kNoInformation : QString::fromStdString(item->Description);
  if (!value.isEmpty()) {
    text += QStringLiteral("\n\nIn ") + rule + QStringLiteral(": ") +
            QString::fromStdString(item->Caption) + QStringLiteral(": ") + value +
            QStringLiteral(";");
  }
  TxtInfo->setPlainText(text);
  const std::vector<std::string>& browsers = item->Collection().BrowserNames;
  ShowBrowsers(browsers);
  if (!browsers.empty()) {
    const QString versions = QString::fromStdString(DescribeSupport(browsers, item->Browsers));
    TxtVersions->setText(versions);
    TxtVersions->setToolTip(versions);
    return;
  }
  // The flags are listed Opera 5, Netscape 6, Internet Explorer 5; a flag that is missing or
  // neither 1 nor 0 leaves its picture as it was.
  const std::vector<std::string> flags = SplitList(item->Browsers, '|');
  for (int browser = 1; browser <= 3; ++browser) {
    const auto field = static_cast<size_t>(3 - browser);
    if (field >= flags.size() || flags[field].empty()) {
      continue;
    }
    const char flag = flags[field].front();
    if (flag != '1' && flag != '0') {
      continue;
    }
    Shown[browser - 1] = flag == '1' ? TSupport::Supported : TSupport::NotSupported;
    ImgS[browser - 1]->setPixmap(flag == '1' ? ImgSupported : ImgNotSupported);
  }
}

void TQuickInfoPanel::ShowBrowsers(const std::vector<std::string>& browsers) {
  TxtVersions->setVisible(!browsers.empty());
  for (int i = 0; i < 3; ++i) {
    ImgCaption[i]->setVisible(browsers.empty());
    ImgS[i]->setVisible(browsers.empty());
  }
  if (browsers.empty()) {
    TxtSupport->setToolTip(
        QStringLiteral("Support Informatoin for Internet Explorer 5.0, Netscape 6.0, Opera 5.0"));
    return;
  }
  // Until a property is described, the strip names the level's browsers without versions.
  QStringList names;
  for (const std::string& browser : browsers) {
    names.append(QString::fromStdString(browser));
  }
  TxtVersions->setText(names.join(QStringLiteral(", ")));
  TxtVersions->setToolTip(TxtVersions->text());
  TxtSupport->setToolTip(QStringLiteral("The first version of each browser that supports it"));
}

TQuickInfoPanel::TSupport TQuickInfoPanel::Support(int n) const {
  return Shown[n - 1];
}

}  // namespace qm
