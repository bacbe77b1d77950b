// SPDX-License-Identifier: GPL-3.0-or-later
// Fold levels are handed to Scintilla line by line, only where they changed, so that typing in
// a long sheet sets one or two lines and Scintilla keeps the folded state of the rest.
#include "app/documentfolding.h"

#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>

#include "app/opendocument.h"
#include "model/sheet/foldlevels.h"

namespace qm {
namespace {

using Sci = QsciScintillaBase;

constexpr int kFoldMargin = 2;

int SciLevel(const TFoldLine& line) {
  return (Sci::SC_FOLDLEVELBASE + line.Depth) | (line.Header ? Sci::SC_FOLDLEVELHEADERFLAG : 0);
}

// The header of the fold at the caret: its own line when a fold starts there, else the line
// that starts the innermost fold holding it; -1 outside every fold. 0-based.
long HeaderAtCaret(TCssEditor& editor) {
  const long line = editor.SendScintilla(Sci::SCI_LINEFROMPOSITION, editor.Caret());
  if ((editor.SendScintilla(Sci::SCI_GETFOLDLEVEL, line) & Sci::SC_FOLDLEVELHEADERFLAG) != 0) {
    return line;
  }
  return editor.SendScintilla(Sci::SCI_GETFOLDPARENT, line);
}

void FoldAt(TCssEditor& editor, int action) {
  const long header = HeaderAtCaret(editor);
  if (header < 0) {
    return;
  }
  editor.SendScintilla(Sci::SCI_FOLDLINE, static_cast<unsigned long>(header),
                       static_cast<long>(action));
  if (action == Sci::SC_FOLDACTION_CONTRACT) {
    // The caret stays where the user sees it: on the folded block's first line.
    const long caretLine = editor.SendScintilla(Sci::SCI_LINEFROMPOSITION, editor.Caret());
    if (caretLine != header) {
      editor.SetCaret(static_cast<int32_t>(
          editor.SendScintilla(Sci::SCI_GETLINEENDPOSITION, static_cast<unsigned long>(header))));
    }
  }
}

}  // namespace

TDocumentFolding::TDocumentFolding(TOpenDocument& document)
    : QObject(&document), Document(document) {
  TCssEditor& editor = *document.Editor();
  editor.setFolding(QsciScintilla::BoxedTreeFoldStyle, kFoldMargin);
  // The fold keys are the window's; the editor would take them for paragraph moves.
  for (const int key : {Qt::Key_BracketLeft, Qt::Key_BracketRight}) {
    for (const int modifiers : {Qt::CTRL | Qt::SHIFT, Qt::CTRL | Qt::ALT}) {
      if (QsciCommand* command = editor.standardCommands()->boundTo(key | modifiers)) {
        if (command->key() == (key | modifiers)) {
          command->setKey(0);
        } else {
          command->setAlternateKey(0);
        }
      }
    }
  }
  connect(&document, &TOpenDocument::TextChanged, this, [this] { UpdateLater(); });
  Update();
}

void TDocumentFolding::UpdateLater() {
  if (Pending) {
    return;
  }
  Pending = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        Pending = false;
        Update();
      },
      Qt::QueuedConnection);
}

void TDocumentFolding::Update() {
  TCssEditor& editor = *Document.Editor();
  const std::vector<TFoldLine> levels = FoldLevels(editor, Document.Blocks());
  // Scintilla moves its own levels with the lines it inserts and deletes; what it holds now is
  // compared, not what was set last.
  for (size_t line = 0; line < levels.size(); ++line) {
    const int level = SciLevel(levels[line]);
    const auto sciLine = static_cast<unsigned long>(line);
    if ((editor.SendScintilla(Sci::SCI_GETFOLDLEVEL, sciLine) & 0x3FFF) != level) {
      editor.SendScintilla(Sci::SCI_SETFOLDLEVEL, sciLine, static_cast<long>(level));
    }
  }
}

void TDocumentFolding::Fold(TCssEditor& editor) {
  FoldAt(editor, Sci::SC_FOLDACTION_CONTRACT);
}

void TDocumentFolding::Unfold(TCssEditor& editor) {
  FoldAt(editor, Sci::SC_FOLDACTION_EXPAND);
}

void TDocumentFolding::FoldAll(TCssEditor& editor) {
  editor.SendScintilla(Sci::SCI_FOLDALL, static_cast<unsigned long>(Sci::SC_FOLDACTION_CONTRACT));
  // The caret goes to the line that now shows its block.
  const long line = editor.SendScintilla(Sci::SCI_LINEFROMPOSITION, editor.Caret());
  if (editor.SendScintilla(Sci::SCI_GETLINEVISIBLE, line) == 0) {
    long header = line;
    while (header >= 0 && editor.SendScintilla(Sci::SCI_GETLINEVISIBLE, header) == 0) {
      header = editor.SendScintilla(Sci::SCI_GETFOLDPARENT, header);
    }
    if (header >= 0) {
      editor.SetCaret(static_cast<int32_t>(
          editor.SendScintilla(Sci::SCI_GETLINEENDPOSITION, static_cast<unsigned long>(header))));
    }
  }
}

void TDocumentFolding::UnfoldAll(TCssEditor& editor) {
  editor.SendScintilla(Sci::SCI_FOLDALL, static_cast<unsigned long>(Sci::SC_FOLDACTION_EXPAND));
}

}  // namespace qm
