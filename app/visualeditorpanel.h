// SPDX-License-Identifier: GPL-3.0-or-later
// The Visual Editor panel: the pages of value pickers, one per group of properties, that write
// into the open document. Its page area is empty until the pickers arrive.
#pragma once

#include <QWidget>
#include <string>

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

  // The reading pass's side of the pickers: all emptied, and the value of one property shown by
  // the pickers that edit it.
  void ClearValues();
  void ShowValue(const std::string& property, const std::string& value);

 private:
  TOpenDocument* Document = nullptr;
  QTabWidget* pcvisual = nullptr;
};

}  // namespace qm
