// SPDX-License-Identifier: GPL-3.0-or-later
// The Visual Editor panel: the pages of value pickers, one per group of properties, that write
// into the open document. Its page area is empty until the pickers arrive.
#pragma once

#include <QWidget>

class QTabWidget;

namespace qm {

class TOpenDocument;

class TVisualEditorPanel : public QWidget {
  Q_OBJECT

 public:
  explicit TVisualEditorPanel(QWidget* parent = nullptr);

  // The document the pickers write into; none while no document is open.
  void SetDocument(TOpenDocument* document);
  QTabWidget* Pages() const { return pcvisual; }

 private:
  TOpenDocument* Document = nullptr;
  QTabWidget* pcvisual = nullptr;
};

}  // namespace qm
