// SPDX-License-Identifier: GPL-3.0-or-later
// The Properties panel: the CSS level tabs, the inspector filled with the catalogue of the chosen
// level (read from beside the executable) and its arrangement buttons. What the user sets in a
// row leaves the panel as a declaration to write into the document.
#pragma once

#include <QString>
#include <QWidget>

class QTabBar;
class QToolBar;
class QToolButton;

namespace qm {

class TFrmEdit;
class TInspectorCSS;
class TInspectorItem;
class TOpenDocument;
class TPrompts;

class TPropertiesPanel : public QWidget {
  Q_OBJECT

 public:
  // dataFolder holds "css1.txt", "css2.txt" and "css3.txt"; the current CSS catalogue (where a
  // new user starts) is loaded at once.
  // valueDialog composes fonts, lengths and percentages.
  TPropertiesPanel(TPrompts& prompts, TFrmEdit& valueDialog, const QString& dataFolder,
                   QWidget* parent = nullptr);

  // 0 for CSS1, 1 for CSS2, 2 for current CSS; choosing a level loads its catalogue.
  int CssLevel() const;
  void SetCssLevel(int level);
  // The document whose block at the caret the rows show; none while no document is open.
  void SetDocument(TOpenDocument* document);

  QTabBar* CssTabs() const { return TabCSS; }
  TInspectorCSS* Inspector() const { return ic; }
  QToolButton* CategoriesButton() const { return tbinspcategories; }
  QToolButton* ExpandButton() const { return tbinspexpand; }
  QToolButton* CollapseButton() const { return tbinspcollapse; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 signals:
  // Writes the declaration name: value into the block at the caret (an empty value removes it).
  void WriteDeclaration(const QString& name, const QString& value);
  // A row was chosen: Quick Info describes its property.
  void PropertyChosen(const QString& name);
  void StatusMessage(const QString& text);

 private:
  // Loads the catalogue of the chosen level, arranged as the categories button says, and selects
  // the row chosen before when the new catalogue has it.
  void TabCSSChange();
  void tbinspcategoriesClick();
  void icSelectedChange(TInspectorItem* selected);
  void icEditChange(TInspectorItem* item);
  void icComboChange(const QString& text);
  // "Editing <selector> properties." while the caret is in a block.
  void ShowEditingStatus();

  TPrompts& Prompts;
  TFrmEdit& FrmEdit;
  const QString DataFolder;
  TOpenDocument* Document = nullptr;
  QTabBar* TabCSS = nullptr;
  QToolBar* TbInspector = nullptr;
  QToolButton* tbinspcategories = nullptr;
  QToolButton* tbinspexpand = nullptr;
  QToolButton* tbinspcollapse = nullptr;
  TInspectorCSS* ic = nullptr;
};

}  // namespace qm
