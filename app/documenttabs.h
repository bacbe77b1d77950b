// SPDX-License-Identifier: GPL-3.0-or-later
// The document tabs: every open document in a tab of its own, the one in front, and the file
// commands on them (new, open, save, close), with captions that mark unsaved changes.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <string>

#include "platform/platform.h"

class QFileSystemWatcher;
class QTabWidget;

namespace qm {

class TCssEditor;
struct TRecoveryRecord;
class TOpenDocument;

class TDocumentTabs : public QWidget {
  Q_OBJECT

 public:
  explicit TDocumentTabs(const TPlatform& platform, QWidget* parent = nullptr);

  // A new untitled document in a tab of its own, in front.
  void NewDocument();
  // Opens a file into a new tab, or brings the tab that already has that file to the front.
  // Throws TError when the file cannot be read (the new tab stays, untitled and empty).
  void OpenOperation(const QString& path);
  // Opens the files one after the other; a failure stops the files after it.
  void OpenFiles(const QStringList& paths);
  // Asks for a file and opens it.
  void OpenChosenFile();
  // Offers, one document after the other, the unsaved changes that recovery records of an
  // earlier run kept (the program or the machine ended before they were saved).
  void RecoverRecords();
  // Files changed or deleted by another program since their documents last read or wrote them:
  // a document without unsaved changes is read again; one with changes keeps them, and the
  // file's version opens beside it. Run when the window gets the focus again.
  void CheckFilesOnDisk();

  // Before the program ends, when the option to reopen the last session is on: the tabs are
  // written down for the next start, and documents with unsaved changes keep them in their
  // records instead of asking. False when nothing was kept (then every document is closed
  // with its question).
  bool KeepSession();
  // Reopens what KeepSession wrote down; files gone since are left out with one message.
  void RestoreSession();

  // A record found in the recovery folder, as read.
  struct TFoundRecord;

  // Save writes the document in front to its file, or asks for one when it is untitled; Save
  // As always asks. Throw TError when the file cannot be written.
  void SaveCurrent();
  void SaveCurrentAs();
  // Saves every document, each brought to the front first, from the last tab to the first.
  void SaveAll();

  // How a close ended: the tab is gone, the user chose Cancel, or the changes could not be saved
  // (the write failed or the save dialog was cancelled) and the tab stays, still modified.
  enum class TCloseResult { Closed, Cancelled, NotSaved };
  // Closes tab index, asking to save its changes.
  TCloseResult CloseDocument(int index);
  void CloseCurrent();
  // Cancel keeps that tab and goes on; changes that could not be saved stop there.
  void CloseAll();
  // Before the program ends: false, with that tab and those before it still open, at the first
  // tab that stays.
  bool CloseEveryDocument();

  // The tab after the one in front, or before it, round at the ends.
  void NextTab();
  void PreviousTab();

  // The document in front, of tab index; none while no document is open.
  TOpenDocument* CurrentDocument() const;
  TOpenDocument* Document(int index) const;
  TCssEditor* CurrentEditor() const;
  // The path the document in front saves to; empty for an untitled one.
  QString CurrentPath() const;
  // The text of the tab in front, "*" before its caption while it has unsaved changes.
  QString CurrentTabText() const;
  QTabWidget* Pages() const { return pgmain; }

 signals:
  // Something the user should know that asks for no answer (the status bar shows it).
  void Told(const QString& text);
  // A new document before it comes to the front: what every document needs is attached now.
  void DocumentCreated(qm::TOpenDocument* document);
  // The file at path was read into document, now in front.
  void DocumentOpened(qm::TOpenDocument* document, const QString& path);
  // Another document, or none, is in front.
  void CurrentChanged(qm::TOpenDocument* document);
  // The text of the tab in front changed: its caption, or its mark of unsaved changes.
  void CurrentTabTextChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SaveDocument(TOpenDocument* document);
  void SaveDocumentAs(TOpenDocument* document);
  // The tab whose document has the file at path, other than except; -1 when there is none.
  int TabOfFile(const QString& path, const TOpenDocument* except = nullptr) const;
  // A new tab in front with the file's bytes read into it.
  TOpenDocument* OpenBytes(const QString& path, const QByteArray& bytes);

  // Recovery (documenttabs_recovery.cpp).
  // Offers the record found; document is the open document of its file, if there is one.
  void OfferRecovery(const TFoundRecord& found, TOpenDocument* document);
  // The records kept for the file document has just opened.
  void OfferRecordsOf(TOpenDocument* document);
  // The record's text in document (the file's own, when open) or in a new tab: modified, the
  // file not written.
  TOpenDocument* RestoreRecord(const TRecoveryRecord& record, TOpenDocument* document,
                               const std::string& disk, bool onDisk);
  void ShowDifferences(const QString& name, const std::string& before, const std::string& after);
  void RecordFailed(const QString& message);

  // Outside changes (documenttabs_disk.cpp).
  void WatchFile(const QString& path);
  void ReloadFromDisk(TOpenDocument* document, const QByteArray& bytes);
  void KeepBothVersions(TOpenDocument* document, const QByteArray& bytes);

  // Brings a tab to the front without the page control's own change notification.
  void ActivateTab(int index);
  // Shows the document in front, focused, and tells who follows it.
  void ShowCurrent();
  void CloseTabAt(const QPoint& pos);
  // The caption is the document's name; the tab shows it after a "*" while the document has
  // unsaved changes.
  QString Caption(int index) const;
  void SetCaption(int index, const QString& caption, const QString& path);
  void ShowModifiedMark(int index);
  // True unless a file's bytes are not text and the user chose not to open it.
  bool ConfirmOpenAsText(const QByteArray& bytes);

  TPlatform Platform;
  QTabWidget* pgmain = nullptr;
  QString OpenFilter;
  int UntitledCounter = 1;
  // A failed record is told once, until one is written again.
  bool RecordFailureTold = false;
  QFileSystemWatcher* Watcher = nullptr;
  bool CheckingFiles = false;
};

}  // namespace qm
