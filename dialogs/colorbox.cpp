// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/colorbox.h"

#include <QPainter>
#include <QPixmap>

namespace qm {

namespace {

struct TNamedColor {
  const char* Name;
  int32_t Rgb;  // 0xRRGGBB
};

constexpr TNamedColor kColors[] = {
    {"Black", 0x000000}, {"Maroon", 0x800000},      {"Green", 0x008000},
    {"Olive", 0x808000}, {"Navy", 0x000080},        {"Purple", 0x800080},
    {"Teal", 0x008080},  {"Gray", 0x808080},        {"Silver", 0xC0C0C0},
    {"Red", 0xFF0000},   {"Lime", 0x00FF00},        {"Yellow", 0xFFFF00},
    {"Blue", 0x0000FF},  {"Fuchsia", 0xFF00FF},     {"Aqua", 0x00FFFF},
    {"White", 0xFFFFFF}, {"Money Green", 0xC0DCC0}, {"Sky Blue", 0xA6CAF0},
    {"Cream", 0xFFFBF0}, {"Medium Gray", 0xA4A0A0},
};

// The stored form has red in the low byte.
int32_t ToStored(int32_t rgb) {
  return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

}  // namespace

TColorBox::TColorBox(QWidget* parent) : QComboBox(parent) {
  for (const TNamedColor& color : kColors) {
    QPixmap swatch(14, 14);
    swatch.fill(QColor::fromRgb(static_cast<QRgb>(color.Rgb)));
    {
      QPainter painter(&swatch);
      painter.setPen(Qt::darkGray);
      painter.drawRect(0, 0, 13, 13);
    }
    addItem(QIcon(swatch), QLatin1String(color.Name), ToStored(color.Rgb));
  }
  setCurrentIndex(-1);
}

std::optional<int32_t> TColorBox::Selected() const {
  if (currentIndex() < 0) {
    return std::nullopt;
  }
  return currentData().toInt();
}

void TColorBox::Select(std::optional<int32_t> color) {
  setCurrentIndex(color ? findData(*color) : -1);
}

}  // namespace qm
