// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/visualeditorpanel.h"

#include <QTabWidget>
#include <QVBoxLayout>

namespace qm {

TVisualEditorPanel::TVisualEditorPanel(QWidget* parent) : QWidget(parent) {
  pcvisual = new QTabWidget(this);
  pcvisual->setObjectName(QStringLiteral("pcvisual"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(pcvisual);
}

void TVisualEditorPanel::ClearValues() {
  // No pickers yet.
}

void TVisualEditorPanel::ShowValue(const std::string&, const std::string&) {
  // No pickers yet.
}

void TVisualEditorPanel::SetDocument(TOpenDocument* document) {
  Document = document;
}

}  // namespace qm
