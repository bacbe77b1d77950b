// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/placespanel.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "app/opendocument.h"

namespace qm {

TPlacesPanel::TPlacesPanel(QWidget* parent) : QWidget(parent) {
  LblHeading = new QLabel(this);
  LblHeading->setObjectName(QStringLiteral("LblPlaces"));
  LstPlaces = new QListWidget(this);
  LstPlaces->setObjectName(QStringLiteral("LstPlaces"));
  LstPlaces->setAccessibleName(QStringLiteral("Places"));
  LblHeading->setBuddy(LstPlaces);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(LblHeading);
  layout->addWidget(LstPlaces);
  connect(LstPlaces, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { GoTo(LstPlaces->row(item)); });
}

void TPlacesPanel::Show(const QString& heading, TOpenDocument& document,
                        std::vector<TPlace> places) {
  Document = &document;
  Places = std::move(places);
  LblHeading->setText(heading);
  LstPlaces->clear();
  const TCssEditor& editor = *document.Editor();
  for (const TPlace& place : Places) {
    const TLineCol at = editor.IndexToLineCol(place.Start);
    const std::string_view line = editor.LineText(at.Line);
    LstPlaces->addItem(
        QStringLiteral("%1:%2: %3")
            .arg(at.Line)
            .arg(at.Col)
            .arg(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())).trimmed()));
  }
  if (!Places.empty()) {
    LstPlaces->setCurrentRow(0);
  }
}

QString TPlacesPanel::Heading() const {
  return LblHeading->text();
}

QStringList TPlacesPanel::Rows() const {
  QStringList rows;
  for (int i = 0; i < LstPlaces->count(); ++i) {
    rows.append(LstPlaces->item(i)->text());
  }
  return rows;
}

void TPlacesPanel::GoTo(int row) {
  if (Document == nullptr || row < 0 || row >= static_cast<int>(Places.size())) {
    return;
  }
  TCssEditor& editor = *Document->Editor();
  const TPlace& place = Places[static_cast<size_t>(row)];
  const auto size = static_cast<int32_t>(editor.Text().size());
  // The text may have changed since the list was made: the place stays within it.
  editor.SetSelection(std::min(place.Start, size), std::min(place.End, size));
  editor.setFocus();
}

}  // namespace qm
