// SPDX-License-Identifier: GPL-3.0-or-later
// The Properties panel's inspector: created below the CSS level tabs and filled with the
// catalogue of the level they show.
#include <QDir>
#include <QTabBar>
#include <QVBoxLayout>

#include "app/cssmain.h"
#include "controls/inspectorcss.h"

namespace qm {

void TFrmMain::CreateInspector(QVBoxLayout* propertiesLayout) {
  ic = new TInspectorCSS(propertiesLayout->parentWidget());
  ic->setObjectName(QStringLiteral("ic"));
  ic->SetColumnWidth(150);
  // The inspector takes all the room below the tabs.
  propertiesLayout->addWidget(ic, 1);

  const auto loadCatalogue = [this] {
    const QString name =
        TabCSS->currentIndex() == 1 ? QStringLiteral("css2.txt") : QStringLiteral("css1.txt");
    ic->LoadCatalogue(QDir(Platform.DataFolder).filePath(name));
  };
  loadCatalogue();
  // Also when the stored CSS level is restored at start-up.
  connect(TabCSS, &QTabBar::currentChanged, ic, loadCatalogue);
}

}  // namespace qm
