// SPDX-License-Identifier: GPL-3.0-or-later
// The Find and Replace dialogs: the find text (and the replacement), whole word, match case and,
// for Find, the direction. They stay open beside the main window and only report the buttons.
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qm {

class TFindDialog : public QDialog {
  Q_OBJECT

 public:
  enum class TKind { Find, Replace };
  explicit TFindDialog(TKind kind, QWidget* parent = nullptr);

  // Shows the dialog without blocking the main window, in front, with the find text selected.
  void Execute();

  QString FindText() const;
  void SetFindText(const QString& text);
  QString ReplaceText() const;
  bool WholeWord() const;
  bool MatchCase() const;
  // Always down in the Replace dialog, which has no direction.
  bool Down() const;

  QLineEdit* TxtFind = nullptr;
  QLineEdit* TxtReplace = nullptr;  // Replace only
  QCheckBox* ChkWholeWord = nullptr;
  QCheckBox* ChkMatchCase = nullptr;
  QRadioButton* OptUp = nullptr;  // Find only
  QRadioButton* OptDown = nullptr;
  QPushButton* CmdFindNext = nullptr;
  QPushButton* CmdReplace = nullptr;  // Replace only
  QPushButton* CmdReplaceAll = nullptr;
  QPushButton* CmdCancel = nullptr;

 signals:
  // Find Next was pressed.
  void Find();
  // Replace (all false) or Replace All (all true) was pressed.
  void Replace(bool all);
};

}  // namespace qm
