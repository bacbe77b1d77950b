// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/bitmaps.h"

#include <QPainter>
#include <QSvgRenderer>

namespace qm {

QPixmap LoadBitmap(const char* name, QSize size) {
  QPixmap pixmap(size);
  pixmap.fill(Qt::transparent);
  QSvgRenderer renderer(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
  QPainter painter(&pixmap);
  renderer.render(&painter);
  return pixmap;
}

QIcon ProgramIcon(const char* name) {
  return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

}  // namespace qm
