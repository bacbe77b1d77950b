// SPDX-License-Identifier: GPL-3.0-or-later
// The Visual Editor panel: nine pages of value pickers, one per property, that show the block at
// the caret and write what the user picks or types into it at once.
#pragma once

#include <QHash>
#include <QWidget>
#include <functional>
#include <optional>
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
  // A property of the loaded catalogue: its value in the block being edited; none when the
  // catalogue lacks the property.
  using TPropertyLookup = std::function<std::optional<std::string>(const QString& name)>;

  // valueDialog composes fonts; lookup tells which properties may be written.
  TVisualEditorPanel(TPrompts& prompts, TFrmEdit& valueDialog, TPropertyLookup lookup,
                     QWidget* parent = nullptr);

  // The document the pickers write into; none while no document is open.
  void SetDocument(TOpenDocument* document);
  // The pages, pcvisual; its current index is the page shown.
  QTabWidget* Pages() const { return pcvisual; }
  // The row of tabs that chooses the page, wrapped onto as many lines as the panel needs.
  TTabRows* Tabs() const { return TabRows; }

  // The reading pass's side of the pickers: all emptied, and the value of one property shown by
  // the picker that edits it (the text-decoration list takes its first entry found in any
  // value).
  void ClearValues();
  void ShowValue(const std::string& property, const std::string& value);

 signals:
  // Writes the declaration name: value into the block at the caret (an empty value removes it).
  void WriteDeclaration(const QString& name, const QString& value);
  // The pointer is on a caption: Quick Info describes its property.
  void PropertyPointed(const QString& name);
  void StatusMessage(const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Building the pages from the table of pickers (visualpages.cpp).
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
  void VisualChange(QObject* Sender, const QString& sText);
  void VisualChangeUnit(QObject* Sender);
  void lsttextdecorationClick();
  void Write(const QString& name, const QString& value);
  void ShowEditingStatus();
  void WarnPropertyNotFound();
  // The box-model picture brings one group to the front.
  void ShowBoxGroup(QGroupBox* group);
  void LabelEnter(TLabelCSS* caption);
  void LabelExit(TLabelCSS* caption);

  TPrompts& Prompts;
  TFrmEdit& FrmEdit;
  const TPropertyLookup Lookup;
  TOpenDocument* Document = nullptr;

  QTabWidget* pcvisual = nullptr;
  TTabRows* TabRows = nullptr;
  QListWidget* lsttextdecoration = nullptr;
  // Set while the reading pass selects entries of the list, which the user did not choose.
  bool ShowingValues = false;
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
