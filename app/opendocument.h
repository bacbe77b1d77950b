// SPDX-License-Identifier: GPL-3.0-or-later
// One open document, the page of its tab: the editor, the file behind it, the file's line-break
// format and the selector blocks of the current text; every change the program makes goes
// through its edit scope.
#pragma once

#include <QString>
#include <QWidget>
#include <exception>
#include <functional>
#include <optional>
#include <utility>

#include "controls/csseditor.h"
#include "model/sheet/selectorblocks.h"
#include "model/text/editbatch.h"
#include "model/text/textfile.h"
#include "platform/fileio.h"

namespace qm {

class TDocumentCheck;
class TDocumentRecord;
struct TProblemSpan;

// Who made a change of the text: the user at the keyboard or mouse (typing, paste, cut, drop),
// the user's Undo or Redo, or the program inside an edit scope.
enum class TChangeOrigin { Typing, UndoRedo, Program };

class TOpenDocument : public QWidget {
  Q_OBJECT

 public:
  explicit TOpenDocument(QWidget* parent = nullptr);

  TCssEditor* Editor() const { return Editor_; }
  // The file this document saves to; empty while it is untitled. Each document keeps its own,
  // so documents with equal captions never write over each other's files.
  const QString& Path() const { return Path_; }
  const TTextFormat& Format() const;
  // The file's encoding: typed and pasted text is stored in it, and saving writes the bytes back.
  TTextEncoding Encoding() const { return Editor_->Encoding(); }

  // Replaces the text by the bytes read from the file at path, unmodified and with nothing to
  // undo, and makes it the file this document saves to.
  void Load(const QString& path, const QByteArray& bytes);
  // Takes back text kept by a recovery record: bytes in the file's own encoding and format,
  // as a change of an empty document saving to path (or untitled), so it stays modified.
  void LoadRecovered(const QString& path, std::string_view bytes);
  // Replaces the text by recovered bytes as one step of Undo; the lines keep the recovered
  // text's own line breaks.
  void ApplyRecovered(std::string_view bytes);
  // Writes the text in the file's own format and makes path the document's file. Throws TError
  // when it cannot be written; the document stays modified then.
  void SaveTo(const QString& path);
  // The bytes SaveTo writes for the current text, for a copy that leaves the document as it is.
  std::string FileBytes() const;
  // The file as this document last read or wrote it.
  const TDiskStamp& DiskStamp() const { return DiskStamp_; }
  // The file on disk now counts as the version this document knows (the user has been told).
  void AcceptDiskVersion() { DiskStamp_ = FileStamp(Path_); }

  // Keeps a recovery record at recordPath while the document has unsaved changes; caption names
  // the document in it.
  void KeepRecord(const QString& recordPath, std::function<QString()> caption);
  // Null unless KeepRecord was called.
  TDocumentRecord* Record() const { return Record_; }
  // The changes are let go: the record goes too.
  void DiscardRecord();

  // The selector blocks of the current text: rebuilt here when the text has changed since the
  // list was built, so a list of another text version is never handed out.
  const TModList& Blocks() const;

  // The check as you type of this document and its problems.
  TDocumentCheck& Check() const { return *Check_; }
  // The problem marked at a place of the current text, else null: what pointing there explains.
  const TProblemSpan* ProblemAt(int32_t position) const;

  // True inside an edit scope: the program is changing the text or the caret, and what the
  // editor reports meanwhile is not the user's doing (the caret-driven reading stays quiet).
  bool UpdatingText() const { return Depth > 0; }

  // Next Block and Previous Block: the caret to the start of the block after it, or of the
  // block before the one it is in.
  void MoveToNextBlock();
  void MoveToPreviousBlock();

  // One change by the program. Scopes nest: the outermost one opens a single undo action at the
  // first batch, keeps UpdatingText set until it ends, and then closes the undo action and
  // rebuilds the block list once. The undo action is closed and UpdatingText cleared on every way
  // out, failures included.
  class TEditScope {
   public:
    explicit TEditScope(TOpenDocument& document);
    ~TEditScope();
    TEditScope(const TEditScope&) = delete;
    TEditScope& operator=(const TEditScope&) = delete;

    // Carries the batch out on the editor (ranges in the current text) back to front, puts the
    // caret where the batch says and marks the document modified. The only way a batch reaches
    // the editor: no change escapes the scope's undo action and quiet caret.
    void Apply(const TEditBatch& batch);
    // Takes back the last step of Undo, so that what this scope applies takes its place; only
    // before the scope has applied anything.
    void Undo();
    // A change the editor makes itself (cut, paste), in the same step of Undo.
    void Apply(const std::function<void(TCssEditor&)>& change);

   private:
    TOpenDocument& Document;
    int Unwinding = std::uncaught_exceptions();
  };

  // One batch in a scope of its own.
  void Apply(const TEditBatch& batch);

 signals:
  // A status change of the editor that the user made (none arrives inside an edit scope).
  void StatusChange(qm::TStatusChanges changes);
  // The outermost edit scope that changed the text has ended.
  void Edited();
  // The text changed, once for a run of changes, and who changed it. The program's changes are
  // one run that is told when the outermost edit scope ends, before Edited.
  void TextChanged(qm::TChangeOrigin origin);

 private:
  void EndScope(bool failed);
  // Takes the insertion last told into the file's line breaks, now that its text is in.
  void NoteInsertion() const;

  TCssEditor* const Editor_;
  TDocumentCheck* Check_ = nullptr;
  TDocumentRecord* Record_ = nullptr;
  QString Path_;
  TDiskStamp DiskStamp_;
  // Follows the text, so also changed while the document is only read (see NoteInsertion).
  mutable TTextFormat Format_;
  // An insertion told before it was made: where, and how many bytes.
  mutable std::optional<std::pair<int32_t, int32_t>> PendingInsertion;
  // The file's encoding is the editor's: it reads the bytes and encodes what is typed.

  // Stamped with the text version it was built from; rebuilt when asked for after a change.
  mutable TModList Blocks_;
  int Depth = 0;
  bool UndoOpen = false;
  bool ChangedInScope = false;
  // The editor told of a change inside the scope.
  bool ProgramChanged = false;
};

}  // namespace qm
