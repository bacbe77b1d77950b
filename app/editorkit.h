// SPDX-License-Identifier: GPL-3.0-or-later
// The View menu and what it gives every editor: zoom and word wrap (remembered), folding,
// several carets, and following custom properties to their definitions, uses and new names.
#pragma once

#include <QObject>
#include <functional>

class QAction;
class QDockWidget;
class QMainWindow;
class QMenu;

namespace qm {

class TFindInFilesPanel;
class TOpenDocument;
class TPlacesPanel;
class TPrompts;
class TSettingsStore;

class TEditorKit : public QObject {
 public:
  // window parents the menu and the panels' docks; activeDocument answers the document of the
  // active tab, or none while no document is open; openFile opens a file in a tab (or brings its
  // tab to the front) and answers its document, none when it cannot be opened.
  TEditorKit(QMainWindow& window, TPrompts& prompts, TSettingsStore& settings,
             std::function<TOpenDocument*()> activeDocument,
             std::function<TOpenDocument*(const QString&)> openFile);

  QMenu* Menu() const { return mView; }
  // One of its commands by name (acZoomIn, acFold, acGoToDefinition, ...); none for another.
  QAction* Action(const QString& name) const;
  // The dock of the panel that lists a custom property's definitions and uses.
  QDockWidget* PlacesDock() const { return dxPlaces; }
  TPlacesPanel& Places() const { return *PlacesPanel; }
  QDockWidget* FindInFilesDock() const { return dxFindInFiles; }
  TFindInFilesPanel& FindInFiles() const { return *FindInFilesPanel; }

  // A new document's editor gets the remembered zoom and wrap, folding and several carets.
  void Attach(TOpenDocument& document);

 private:
  TOpenDocument* Document() const { return ActiveDocument(); }
  // Every open editor's zoom, remembered.
  void SetZoom(int zoom);
  void ZoomBy(int steps);
  void acWordWrapExecute();
  void acGoToLineExecute();
  // Shows the Find in Files panel on the active document's folder.
  void acFindInFilesExecute();

  // Custom properties (editorkit_properties.cpp).
  void acGoToDefinitionExecute();
  void acFindUsesExecute();
  void acRenameExecute();

  QMainWindow& Window;
  TPrompts& Prompts;
  TSettingsStore& Settings;
  std::function<TOpenDocument*()> ActiveDocument;
  QMenu* mView = nullptr;
  QDockWidget* dxPlaces = nullptr;
  TPlacesPanel* PlacesPanel = nullptr;
  QDockWidget* dxFindInFiles = nullptr;
  TFindInFilesPanel* FindInFilesPanel = nullptr;
  int Zoom = 0;
};

}  // namespace qm
