// SPDX-License-Identifier: GPL-3.0-or-later
// The Find in Files panel: the style sheets of a folder searched in the background with the Find
// options, a row per match (file, line, the line's text), Cancel and a progress bar; a match
// opens in a tab at its place, and Replace in Files changes the documents after a preview.
#pragma once

#include <QString>
#include <QWidget>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include "model/text/textmatches.h"

class QCheckBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QThread;
class QTreeWidget;

namespace qm {

class TOpenDocument;
class TPrompts;

class TFindInFilesPanel : public QWidget {
  Q_OBJECT

 public:
  // openFile opens a file in a tab (or brings its tab to the front) and answers its document,
  // none when it cannot be opened.
  TFindInFilesPanel(TPrompts& prompts, std::function<TOpenDocument*(const QString&)> openFile,
                    QWidget* parent = nullptr);
  ~TFindInFilesPanel() override;

  // The folder searched unless the user names another: the active document's own.
  void SetDefaultFolder(const QString& folder);

  QLineEdit* TxtFolder = nullptr;
  QLineEdit* TxtFind = nullptr;
  QLineEdit* TxtReplace = nullptr;
  QCheckBox* ChkMatchCase = nullptr;
  QCheckBox* ChkWholeWord = nullptr;
  QPushButton* CmdFind = nullptr;
  QPushButton* CmdReplaceAll = nullptr;
  QPushButton* CmdCancel = nullptr;
  QProgressBar* Progress = nullptr;
  QTreeWidget* LstMatches = nullptr;

  bool Searching() const { return Worker != nullptr; }
  // The rows as shown: a file's row "name (count)", each match's "  line: text".
  QStringList Rows() const;
  // Opens the match of a row (a file's row: its first match) in a tab at its place.
  void OpenRow(int fileRow, int matchRow);

  // Starts a search of the folder; the rows fill as files are searched.
  void Find();
  void Cancel();
  // Replace in Files: after a preview the user confirms, each file that matched is opened and
  // its matches replaced in one step of Undo of its own; other files are not touched.
  void ReplaceAll();

 signals:
  // The search has ended, finished or cancelled.
  void SearchEnded();

 private:
  struct TFileMatches {
    QString Path;
    std::vector<TTextMatch> Matches;
  };
  void AddFile(TFileMatches file);
  void EndSearch();

  TPrompts& Prompts;
  std::function<TOpenDocument*(const QString&)> OpenFile;
  QString DefaultFolder;
  std::vector<TFileMatches> Results;
  QThread* Worker = nullptr;
  std::shared_ptr<std::atomic<bool>> Cancelled;
  // The find text and options the results were found with.
  std::string FoundText;
  bool FoundMatchCase = false;
  bool FoundWholeWord = false;
};

}  // namespace qm
