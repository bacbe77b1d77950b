// SPDX-License-Identifier: GPL-3.0-or-later
// A panel that lists places in one document (a custom property's definitions and uses), one row
// each with its line, column and the line's text; activating a row puts the caret there.
#pragma once

#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <vector>

class QLabel;
class QListWidget;

namespace qm {

class TOpenDocument;

struct TPlace {
  int32_t Start = 0;  // the range selected when the row is activated
  int32_t End = 0;
};

class TPlacesPanel : public QWidget {
 public:
  explicit TPlacesPanel(QWidget* parent = nullptr);

  // Lists places of document's current text under heading, in the order given.
  void Show(const QString& heading, TOpenDocument& document, std::vector<TPlace> places);
  QString Heading() const;
  // The rows as shown: "LINE:COLUMN: the line's text".
  QStringList Rows() const;
  QListWidget* List() const { return LstPlaces; }
  // Selects the place of a row and focuses the editor; nothing when the document is gone.
  void GoTo(int row);

 private:
  QLabel* LblHeading = nullptr;
  QListWidget* LstPlaces = nullptr;
  QPointer<TOpenDocument> Document;
  std::vector<TPlace> Places;
};

}  // namespace qm
