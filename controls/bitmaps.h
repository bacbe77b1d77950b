// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own small bitmaps (glyphs and picker marks), drawn from its SVG resources at
// the exact pixel size a control places them at.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace qm {

// The resource ":/icons/<name>.svg" rendered at size on a transparent background.
QPixmap LoadBitmap(const char* name, QSize size);
// The resource ":/icons/<name>.svg" as an icon for buttons, menus and tree nodes.
QIcon ProgramIcon(const char* name);

}  // namespace qm
