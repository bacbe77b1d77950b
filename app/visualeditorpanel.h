// SPDX-License-Identifier: GPL-3.0-or-later
// The Visual Editor panel: nine pages of value pickers, one per property, that show the block at
// the caret and write what the user picks or types into it at once.
#pragma once

#include <QHash>
#include <QWidget>
#include <string>
#include <vector>

class QGroupBox;
class QLabel;
class QListWidget;
class QScrollArea;
class QStackedWidget;
class QTabWidget;

namespace qm {

class TComboBoxUnit;
class TDeclarationSync;
class TComboCSS;
class TFrmEdit;
class TLabelCSS;
class TOpenDocument;
class TPrompts;
class TShapeExt;
class TTabRows;
struct TVisualPicker;

class TVisualEditorPanel : public QWidget {
  Q_OBJECT

 public:
  // valueDialog composes fonts; sync holds the catalogue and the rule at the caret the pickers
  // show and write into.
  TVisualEditorPanel(TPrompts& prompts, TFrmEdit& valueDialog, TDeclarationSync& sync,
                     QWidget* parent = nullptr);

  // The pages, pcvisual; its current index is the page shown.
  QTabWidget* Pages() const { return pcvisual; }
  // The row of tabs that chooses the page, wrapped onto as many lines as the panel needs.
  TTabRows* Tabs() const { return TabRows; }

 signals:
  // The pointer is on a caption: Quick Info describes its property.
  void PropertyPointed(const QString& name);
  void StatusMessage(const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Building the pages from the table of pickers (visualeditorpanel_pages.cpp).
  void BuildPages();
  QWidget* BuildRowsPage(const std::vector<const TVisualPicker*>& pickers);
  QWidget* BuildBoxPage(const std::vector<const TVisualPicker*>& pickers);
  QWidget* BuildPanelBox();
  // The caption and picker of each row, in a form of its own (one per group).
  QWidget* BuildForm(const std::vector<const TVisualPicker*>& pickers, QWidget* parent);
  QWidget* MakePicker(const TVisualPicker& picker, QWidget* parent);
  // Content that scrolls when the panel is too short for it.
  QScrollArea* Scrolling(QWidget* content);
  // Captions beside their pickers where the area is wide enough, above them where not.
  void ArrangeCaptions(QScrollArea* area);
  TShapeExt* MakeShape(QWidget* parent, const char* name, QRect geometry, QColor fill);

  // What the user does with a picker.
  // The pickers show the rule at the caret: all emptied, and each property's value shown by the
  // picker that edits it (the text-decoration list takes its first entry found in any value).
  // Without a rule they take no input.
  void ShowValues();
  void ClearValues();
  void ShowValue(const std::string& property, const std::string& value);
  void VisualChange(QObject* Sender, const QString& sText);
  void VisualChangeUnit(QObject* Sender);
  void lsttextdecorationClick();
  // False when the write was refused; the picker keeps its text then. The picker source keeps
  // what it shows while the other views follow the write; with merges, its consecutive writes
  // are one step of Undo.
  bool Write(const QString& name, const QString& value, const QObject* source, bool merges);
  void ShowEditingStatus();
  void WarnPropertyNotFound();
  // The box-model picture brings one group to the front.
  void ShowBoxGroup(QGroupBox* group);
  void LabelEnter(TLabelCSS* caption);
  void LabelExit(TLabelCSS* caption);

  TPrompts& Prompts;
  TFrmEdit& FrmEdit;
  TDeclarationSync& Sync;

  QTabWidget* pcvisual = nullptr;
  TTabRows* TabRows = nullptr;
  QListWidget* lsttextdecoration = nullptr;
  // Set while the reading pass selects entries of the list, which the user did not choose.
  bool ShowingValues = false;
  // The picker whose write is under way.
  const QObject* WritingFrom = nullptr;
  std::vector<TComboCSS*> ValueCombos;
  std::vector<TComboBoxUnit*> UnitCombos;
  // The drop-down or unit combo that edits each property.
  QHash<QString, QWidget*> PickerOfTag;

  QStackedWidget* BoxGroups = nullptr;
  QGroupBox* Grouppadding = nullptr;
  QGroupBox* GroupMargin = nullptr;
  QGroupBox* GroupBorder = nullptr;
  TShapeExt* shapemargin = nullptr;
  TShapeExt* shapeborder = nullptr;
  TShapeExt* shapepadding = nullptr;
  QLabel* LblShape = nullptr;
};

}  // namespace qm
