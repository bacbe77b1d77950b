// SPDX-License-Identifier: GPL-3.0-or-later
// The Problems panel: the problems the check as you type found in the document in front, one row
// each with its line, column, severity and message; activating a row puts the caret there.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

class QTreeView;

namespace qm {

class TOpenDocument;
class TProblemsModel;

class TProblemsPanel : public QWidget {
  Q_OBJECT

 public:
  explicit TProblemsPanel(QWidget* parent = nullptr);
  ~TProblemsPanel() override;

  // The document whose problems the panel lists and whose check runs; none while no document
  // is open.
  void SetDocument(TOpenDocument* document);
  QTreeView* List() const { return LstProblems; }
  // The rows as shown: "LINE:COLUMN: error|warning: message".
  QStringList Rows() const;
  // Puts the caret at the problem of a row and focuses the editor.
  void GoTo(int row);
  // "Error: " or "Warning: " and the message of the problem the caret of document is in (or
  // right after); empty when there is none.
  static QString ProblemAtCaret(const TOpenDocument& document);

 signals:
  // The rows show the problems of the last check.
  void Shown();

 private:
  void ShowProblems();

  QPointer<TOpenDocument> Document;
  TProblemsModel* Model = nullptr;
  QTreeView* LstProblems = nullptr;
};

}  // namespace qm
