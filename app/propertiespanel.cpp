// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/propertiespanel.h"

#include <QDir>
#include <QTabBar>
#include <QVBoxLayout>

#include "controls/inspectorcss.h"
#include "model/inifile.h"
#include "platform/commandguard.h"
#include "platform/fileio.h"

namespace qm {

TPropertiesPanel::TPropertiesPanel(TPrompts& prompts, const QString& dataFolder, QWidget* parent)
    : QWidget(parent), Prompts(prompts), DataFolder(dataFolder) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  TabCSS = new QTabBar(this);
  TabCSS->addTab(QStringLiteral("CSS1"));
  TabCSS->addTab(QStringLiteral("CSS2"));
  TabCSS->setExpanding(false);
  layout->addWidget(TabCSS);

  ic = new TInspectorCSS(this);
  ic->setObjectName(QStringLiteral("ic"));
  ic->SetColumnWidth(150);
  // The inspector takes all the room below the tabs.
  layout->addWidget(ic, 1);

  LoadChosenCatalogue();
  connect(TabCSS, &QTabBar::currentChanged, this, [this] { LoadChosenCatalogue(); });
}

int TPropertiesPanel::CssLevel() const {
  return TabCSS->currentIndex();
}

void TPropertiesPanel::SetCssLevel(int level) {
  TabCSS->setCurrentIndex(level);
}

void TPropertiesPanel::SetDocument(TOpenDocument* document) {
  Document = document;
}

void TPropertiesPanel::LoadChosenCatalogue() {
  // Emptied first: a catalogue that cannot be read leaves no rows of the level before.
  ic->ClearItems();
  RunCommand(Prompts, [this] {
    const QString name = CssLevel() == 1 ? QStringLiteral("css2.txt") : QStringLiteral("css1.txt");
    const QByteArray bytes = ReadFileBytes(QDir(DataFolder).filePath(name));
    ic->LoadCatalogue(TIniFile::FromText(std::string_view(bytes.constData(), bytes.size())));
  });
}

}  // namespace qm
