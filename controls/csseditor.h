// SPDX-License-Identifier: GPL-3.0-or-later
// The source editor of one document tab, over QScintilla. It answers the model's document
// interface in byte positions and raises one synchronous status-change signal per change.
#pragma once

#include <Qsci/qsciscintilla.h>

#include <QFlags>
#include <optional>
#include <string>
#include <string_view>

#include "model/program/syntaxstyles.h"
#include "model/text/changelog.h"
#include "model/text/document.h"
#include "model/text/textencoding.h"

namespace qm {

class TCssLexer;

enum class TStatusChange {
  CaretLine = 0x1,
  Caret = 0x2,
  Selection = 0x4,
  Modified = 0x8,
};
Q_DECLARE_FLAGS(TStatusChanges, TStatusChange)

class TCssEditor : public QsciScintilla, public TDocument {
  Q_OBJECT

 public:
  explicit TCssEditor(QWidget* parent = nullptr);
  ~TCssEditor() override;

  // TDocument
  std::string_view Text() const override;
  int32_t LineCount() const override;
  int32_t LineStart(int32_t line) const override;
  int32_t LineLength(int32_t line) const override;
  TScanState LineStartState(int32_t line) const override;
  uint64_t TextVersion() const override { return Version; }
  std::optional<TTextChange> ChangedSince(uint64_t version) const override;

  // Replaces the whole text by bytes (lines joined by CR LF) as a freshly loaded, unmodified
  // document with the caret at its start and nothing to undo.
  void LoadBytes(std::string_view bytes);
  // How the bytes are read and typed text is stored: UTF-8, or one byte per character.
  void SetEncoding(TTextEncoding encoding);
  TTextEncoding Encoding() const { return Encoding_; }

  int32_t Caret() const;
  void SetCaret(int32_t index);
  TLineCol CaretLineCol() const;
  int32_t SelStart() const;
  int32_t SelEnd() const;
  bool SelAvail() const;
  void SetSelection(int32_t start, int32_t end);
  // Keeps the selection's anchor and moves its other end (the caret) to index.
  void MoveSelectionEnd(int32_t index);
  void SetFirstVisibleLine(int32_t line);
  // Opens the folds that hide the caret's line.
  void UnfoldCaretLine();
  bool Modified() const;
  void SetModified(bool modified);
  // Compares caret, caret line, selection and modified flag with what was last reported and
  // raises StatusChange for the difference. Called after every input event and program change,
  // because QScintilla's own notification arrives later, from painting; commands that act
  // through QScintilla's own calls (undo, paste) call it when they are done.
  void CheckStatus();

  void ApplyFont(const QString& family, int pointSize);
  // The font the text is drawn in.
  QFont EditorFont() const;
  void ApplyTabWidth(int columns);
  void ApplySyntaxStyles(const TSyntaxStyles& styles);
  TCssLexer* Lexer() const { return CssLexer; }

 signals:
  void StatusChange(qm::TStatusChanges changes);
  // The text changed (typing, paste, Undo, Redo, any program change). Raised once for a run of
  // changes: from CheckStatus, or else when control returns to the event loop. undoOrRedo tells
  // a run in which Undo or Redo took a step, which only Scintilla's own report can tell apart.
  void TextChanged(bool undoOrRedo);
  // Typed or pasted text was not inserted: the document's encoding cannot hold it (message says
  // which character).
  void TextRefused(const QString& message);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  // Files dragged from a file manager are the main window's to open, not text to insert.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  // Pasted and dropped text in the document's encoding, and copied text from it.
  QByteArray fromMimeData(const QMimeData* source, bool& rectangular) const override;
  QMimeData* toMimeData(const QByteArray& text, bool rectangular) const override;

 private:
  void UpdateGutterWidth();
  // Called by Scintilla before every insertion and deletion.
  void NoteChange(int32_t position, int32_t removed, int32_t inserted);
  void FlushChange();
  // With a screen reader, QScintilla's own accessibility hooks see every change; without one
  // they are kept out, since each of them counts the characters from the document's start.
  void FollowAccessibility(bool active);
  friend class TEditorAccessibility;

 public:
  // Whether QScintilla's own accessibility hooks see every change of the text.
  bool AccessibilityFollowsText() const;

 private:
  // Text the user typed or pasted, as bytes of the document's encoding; none when 8-bit text
  // cannot hold one of its characters, which TextRefused then tells.
  std::optional<QByteArray> Encoded(const QString& text) const;

  struct TStatus {
    int32_t Caret = 0;
    int32_t CaretLine = 1;
    int32_t Anchor = 0;
    bool Modified = false;
  };
  TStatus Reported;
  TCssLexer* CssLexer = nullptr;
  uint64_t Version = 0;
  TChangeLog Changes;
  bool ChangePending = false;
  bool PendingUndoRedo = false;
  TTextEncoding Encoding_ = TTextEncoding::Utf8;
  int GutterDigits = 0;
  QFont GutterFont;
};

}  // namespace qm

Q_DECLARE_OPERATORS_FOR_FLAGS(qm::TStatusChanges)
