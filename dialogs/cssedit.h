// SPDX-License-Identifier: GPL-3.0-or-later
// The value dialog "Edit": composes a font-family list, a length (number and unit) or a
// percentage. One instance serves the whole run, so its fields keep what the last use left in
// them unless LoadValue replaces it.
#pragma once

#include <QDialog>
#include <QStringList>
#include <cstdint>
#include <string>
#include <vector>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace qm {

class TPrompts;

class TFrmEdit : public QDialog {
  Q_OBJECT

 public:
  // installedFonts: the font families of the system; the list sorts them.
  TFrmEdit(TPrompts& prompts, const QStringList& installedFonts, QWidget* parent = nullptr);

  static constexpr uint8_t FontMode = 0;
  static constexpr uint8_t LengthMode = 1;
  static constexpr uint8_t PercentageMode = 2;
  // Set by the caller before LoadValue.
  uint8_t Mode = FontMode;

  // Lays the dialog out for Mode and loads value into its fields. Every font of the value is
  // marked; one this system does not have is listed at the top, marked and named as not
  // installed here (a sheet names the fonts of its readers' machines).
  void LoadValue(const QString& value);
  // What the fields compose after "Insert": the font list, the number and its unit, or the
  // number and "%".
  QString Result() const;

  QGroupBox* PLength = nullptr;
  QLineEdit* TxtLength = nullptr;
  QComboBox* CboLength = nullptr;
  QGroupBox* Ppercent = nullptr;
  QLineEdit* TxtPercent = nullptr;
  QGroupBox* PFont = nullptr;
  QListWidget* LstFont = nullptr;
  QLineEdit* TxtPreview = nullptr;
  QLineEdit* TxtFont = nullptr;
  QPushButton* CmdInsert = nullptr;
  QPushButton* CmdCancel = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FillFontList(QStringList installedFonts);
  // Shows the group of the mode alone, on top, with the buttons below it.
  void ShowGroup(QGroupBox* group);
  // A click on an entry toggles its mark, on the box and on the name alike.
  void ToggleFont(QListWidgetItem* item);
  // The marked names: those of the loaded value in its order, new ones after them, and the
  // generic families last.
  void ComposeFont();
  // The font an entry stands for (its text also tells when it is not installed here).
  static QString FontName(const QListWidgetItem& item);
  // The entry under the pointer becomes current and shows its sample.
  void PreviewFontAt(const QPoint& pos);

  TPrompts& Prompts;
  // The fonts of the value loaded, in its order, and those marked since after them.
  std::vector<std::string> LoadedFonts;
  // The unit of the length loaded, in the list's spelling and as the value wrote it.
  QString LoadedUnit;
  QString LoadedUnitText;
};

}  // namespace qm
