// SPDX-License-Identifier: GPL-3.0-or-later
// The Properties panel: the CSS level tabs, the inspector showing the loaded catalogue with the
// values of the rule at the caret, and its arrangement buttons. What the user sets in a row is
// written into that rule.
#pragma once

#include <QString>
#include <QWidget>
#include <optional>
#include <string>
#include <utility>

class QTabBar;
class QToolBar;
class QToolButton;

namespace qm {

class TFrmEdit;
class TInspectorCSS;
class TInspectorItem;
class TDeclarationSync;
class TOpenDocument;
class TPrompts;

class TPropertiesPanel : public QWidget {
  Q_OBJECT

 public:
  // sync holds the catalogue, the rule at the caret and its values. valueDialog composes fonts,
  // lengths and percentages.
  TPropertiesPanel(TPrompts& prompts, TFrmEdit& valueDialog, TDeclarationSync& sync,
                   QWidget* parent = nullptr);

  // 0 for CSS1, 1 for CSS2, 2 for current CSS; choosing a level loads its catalogue.
  int CssLevel() const;
  void SetCssLevel(int level);

  QTabBar* CssTabs() const { return TabCSS; }
  TInspectorCSS* Inspector() const { return ic; }
  QToolButton* CategoriesButton() const { return tbinspcategories; }
  QToolButton* ExpandButton() const { return tbinspexpand; }
  QToolButton* CollapseButton() const { return tbinspcollapse; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 signals:
  // A row was chosen: Quick Info describes its property.
  void PropertyChosen(const QString& name);
  void StatusMessage(const QString& text);

 private:
  // Loads the catalogue of the chosen level, arranged as the categories button says, and selects
  // the row chosen before when the new catalogue has it.
  void TabCSSChange();
  // The rows of the catalogue just loaded.
  void ShowCatalogue();
  // The rows show the values of the rule at the caret; without a rule they are empty and cannot
  // be edited.
  void ShowValues();
  // Writes a row's value into the rule; false when it was refused. Consecutive writes from one
  // source are one step of Undo.
  bool Write(const QString& name, const QString& value, const void* source = nullptr);
  void tbinspcategoriesClick();
  void icSelectedChange(TInspectorItem* selected);
  void icEditChange(TInspectorItem* item);
  void icComboChange(const QString& text);
  // "Editing <selector> properties." while the caret is in a block.
  void ShowEditingStatus();

  TPrompts& Prompts;
  TFrmEdit& FrmEdit;
  TDeclarationSync& Sync;
  QTabBar* TabCSS = nullptr;
  QToolBar* TbInspector = nullptr;
  QToolButton* tbinspcategories = nullptr;
  QToolButton* tbinspexpand = nullptr;
  QToolButton* tbinspcollapse = nullptr;
  TInspectorCSS* ic = nullptr;
  // The row and text the drop-down last wrote as it was typed: closing the drop-down with that
  // text writes nothing more (with two declarations of a name, once more would remove the other).
  std::optional<std::pair<std::string, std::string>> Typed;
  // The last write was refused: its message stays until the user moves on.
  bool Refused = false;
};

}  // namespace qm
