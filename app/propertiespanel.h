// SPDX-License-Identifier: GPL-3.0-or-later
// The Properties panel: the CSS level tabs and the inspector below them, filled with the
// catalogue of the chosen level, which the panel reads from beside the executable.
#pragma once

#include <QString>
#include <QWidget>

class QTabBar;

namespace qm {

class TInspectorCSS;
class TOpenDocument;
class TPrompts;

class TPropertiesPanel : public QWidget {
  Q_OBJECT

 public:
  // dataFolder holds "css1.txt" and "css2.txt"; the CSS1 catalogue is loaded at once.
  TPropertiesPanel(TPrompts& prompts, const QString& dataFolder, QWidget* parent = nullptr);

  // 0 for CSS1, 1 for CSS2; choosing a level loads its catalogue.
  int CssLevel() const;
  void SetCssLevel(int level);
  // The document whose block at the caret the rows show; none while no document is open.
  void SetDocument(TOpenDocument* document);

  QTabBar* CssTabs() const { return TabCSS; }
  TInspectorCSS* Inspector() const { return ic; }

 private:
  // Fills the inspector with the catalogue of the chosen level; a catalogue that cannot be read
  // is reported by its file name and leaves the inspector without rows.
  void LoadChosenCatalogue();

  TPrompts& Prompts;
  const QString DataFolder;
  TOpenDocument* Document = nullptr;
  QTabBar* TabCSS = nullptr;
  TInspectorCSS* ic = nullptr;
};

}  // namespace qm
