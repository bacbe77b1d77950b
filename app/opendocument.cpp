// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/opendocument.h"

#include <QVBoxLayout>

#include "app/documentcheck.h"
#include "app/documentrecord.h"
#include "platform/fileio.h"

namespace qm {

TOpenDocument::TOpenDocument(QWidget* parent) : QWidget(parent), Editor_(new TCssEditor(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(Editor_);
  Check_ = new TDocumentCheck(*this);
  connect(Editor_, &TCssEditor::StatusChange, this, [this](TStatusChanges changes) {
    if (!UpdatingText()) {
      emit StatusChange(changes);
    }
  });
  // A file that mixes its line breaks keeps each line's own: its list of breaks follows every
  // change. Scintilla tells a change before it makes it, without the text it puts in: that text
  // is read when the next change is told, or the format is asked for.
  connect(Editor_, &QsciScintilla::SCN_MODIFIED, this,
          [this](int position, int type, const char*, int length) {
            if ((type & (QsciScintillaBase::SC_MOD_BEFOREINSERT |
                         QsciScintillaBase::SC_MOD_BEFOREDELETE)) == 0) {
              return;
            }
            NoteInsertion();
            if ((type & QsciScintillaBase::SC_MOD_BEFOREINSERT) != 0) {
              PendingInsertion = {position, length};
            } else {
              NoteRemoval(Format_, *Editor_, position, length);
            }
          });
  connect(Editor_, &TCssEditor::TextChanged, this, [this](bool undoOrRedo) {
    // The editor cuts a change into several runs where Scintilla reports the save point left or
    // reached; the program's change is told once, when its outermost scope ends.
    if (UpdatingText()) {
      ProgramChanged = true;
      return;
    }
    emit TextChanged(undoOrRedo ? TChangeOrigin::UndoRedo : TChangeOrigin::Typing);
  });
}

void TOpenDocument::Load(const QString& path, const QByteArray& bytes) {
  TLoadedText loaded = LoadText(std::string_view(bytes.constData(), bytes.size()));
  {
    // Loading moves the caret; that is not the user's move.
    TEditScope quiet(*this);
    Editor_->SetEncoding(DetectEncoding(loaded.Text));
    Editor_->LoadBytes(loaded.Text);
  }
  PendingInsertion.reset();
  Format_ = std::move(loaded.Format);
  Path_ = path;
  DiskStamp_ = FileStamp(path);
  Check_->CheckSoon();
}

void TOpenDocument::LoadRecovered(const QString& path, std::string_view bytes) {
  Load(path, {});
  {
    TEditScope quiet(*this);
    Editor_->SetEncoding(DetectEncoding(LoadText(bytes).Text));
  }
  ApplyRecovered(bytes);
  Editor_->SetCaret(0);
}

void TOpenDocument::ApplyRecovered(std::string_view bytes) {
  TLoadedText loaded = LoadText(bytes);
  const auto length = static_cast<int32_t>(Editor_->Text().size());
  Apply(TEditBatch({0, length, std::move(loaded.Text), 0}));
  // The recovered text's own breaks, not those the whole replacement gave its lines; the file's
  // own bytes stay what an Undo back to its text writes.
  PendingInsertion.reset();
  std::string fileBytes = std::move(Format_.MixedOriginal);
  Format_ = std::move(loaded.Format);
  if (!fileBytes.empty()) {
    Format_.MixedOriginal = std::move(fileBytes);
  }
}

void TOpenDocument::SaveTo(const QString& path) {
  WriteFileBytes(path, FileBytes());
  Editor_->SetModified(false);
  Path_ = path;
  DiskStamp_ = FileStamp(path);
  DiscardRecord();
}

void TOpenDocument::KeepRecord(const QString& recordPath, std::function<QString()> caption) {
  Record_ = new TDocumentRecord(*this, recordPath, std::move(caption));
  connect(this, &TOpenDocument::TextChanged, Record_, &TDocumentRecord::TextChanged);
}

void TOpenDocument::DiscardRecord() {
  if (Record_ != nullptr) {
    Record_->Discard();
  }
}

std::string TOpenDocument::FileBytes() const {
  return SaveText(Editor_->Text(), Format());
}

const TTextFormat& TOpenDocument::Format() const {
  NoteInsertion();
  return Format_;
}

void TOpenDocument::NoteInsertion() const {
  if (const auto pending = std::exchange(PendingInsertion, std::nullopt)) {
    qm::NoteInsertion(Format_, *Editor_, pending->first, pending->second);
  }
}

const TProblemSpan* TOpenDocument::ProblemAt(int32_t position) const {
  return Check_->ProblemAt(position);
}

const TModList& TOpenDocument::Blocks() const {
  UpdateBlocks(*Editor_, Blocks_);
  return Blocks_;
}

void TOpenDocument::MoveToNextBlock() {
  Editor_->SetCaret(Blocks().NextBlockStart(Editor_->Caret()));
}

void TOpenDocument::MoveToPreviousBlock() {
  const TModList& blocks = Blocks();
  const int32_t b = blocks.BlockAt(Editor_->Caret());
  Editor_->SetCaret(b > 0 ? blocks.Items(b - 1).StartPos : b == 0 ? blocks.Items(0).StartPos : 0);
}

void TOpenDocument::Apply(const TEditBatch& batch) {
  TEditScope scope(*this);
  scope.Apply(batch);
}

TOpenDocument::TEditScope::TEditScope(TOpenDocument& document) : Document(document) {
  ++Document.Depth;
}

TOpenDocument::TEditScope::~TEditScope() {
  Document.EndScope(std::uncaught_exceptions() > Unwinding);
}

void TOpenDocument::TEditScope::Apply(const TEditBatch& batch) {
  if (batch.Empty()) {
    return;
  }
  Apply([&batch](TCssEditor& editor) {
    const std::vector<TTextEdit> ordered = batch.Ordered();
    editor.SendScintilla(QsciScintillaBase::SCI_BEGINUNDOACTION);
    for (auto edit = ordered.rbegin(); edit != ordered.rend(); ++edit) {
      editor.SendScintilla(QsciScintillaBase::SCI_SETTARGETRANGE, edit->Start, edit->End);
      editor.SendScintilla(QsciScintillaBase::SCI_REPLACETARGET, edit->Text.size(),
                           edit->Text.data());
    }
    editor.SendScintilla(QsciScintillaBase::SCI_ENDUNDOACTION);
    editor.SendScintilla(QsciScintillaBase::SCI_GOTOPOS, batch.Caret());
  });
  Document.ChangedInScope = true;
}

void TOpenDocument::TEditScope::Undo() {
  if (Document.UndoOpen) {
    return;
  }
  TCssEditor& editor = *Document.Editor_;
  const uint64_t version = editor.TextVersion();
  editor.SendScintilla(QsciScintillaBase::SCI_UNDO);
  editor.CheckStatus();
  Document.ChangedInScope = Document.ChangedInScope || editor.TextVersion() != version;
}

void TOpenDocument::TEditScope::Apply(const std::function<void(TCssEditor&)>& change) {
  TCssEditor& editor = *Document.Editor_;
  if (!Document.UndoOpen) {
    editor.SendScintilla(QsciScintillaBase::SCI_BEGINUNDOACTION);
    Document.UndoOpen = true;
  }
  const uint64_t version = editor.TextVersion();
  change(editor);
  // Reported while the scope is open, so that the caret the change moved is not the user's.
  editor.CheckStatus();
  Document.ChangedInScope = Document.ChangedInScope || editor.TextVersion() != version;
}

void TOpenDocument::EndScope(bool failed) {
  if (--Depth > 0) {
    return;
  }
  if (UndoOpen) {
    UndoOpen = false;
    Editor_->SendScintilla(QsciScintillaBase::SCI_ENDUNDOACTION);
  }
  // Also after a failure: what was changed before it stays changed.
  if (std::exchange(ProgramChanged, false)) {
    emit TextChanged(TChangeOrigin::Program);
  }
  if (!std::exchange(ChangedInScope, false) || failed) {
    return;
  }
  try {
    Blocks();
  } catch (const std::exception&) {
    // Left for the next reader: Blocks() builds the list again when it is asked.
    return;
  }
  emit Edited();
}

}  // namespace qm
