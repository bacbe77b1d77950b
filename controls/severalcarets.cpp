// SPDX-License-Identifier: GPL-3.0-or-later
// Alt+mouse is read here rather than left to Scintilla, whose Alt+click would drop the carets
// already placed; the selections themselves are Scintilla's.
#include "controls/severalcarets.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "controls/csseditor.h"

namespace qm {
namespace {

using Sci = QsciScintillaBase;

}  // namespace

TSeveralCarets::TSeveralCarets(TCssEditor& editor) : QObject(&editor), Editor(editor) {
  editor.SendScintilla(Sci::SCI_SETMULTIPLESELECTION, 1UL);
  editor.SendScintilla(Sci::SCI_SETADDITIONALSELECTIONTYPING, 1UL);
  editor.SendScintilla(Sci::SCI_SETMULTIPASTE, static_cast<unsigned long>(Sci::SC_MULTIPASTE_EACH));
  editor.SendScintilla(Sci::SCI_SETADDITIONALCARETSBLINK, 1UL);
  editor.SendScintilla(Sci::SCI_SETRECTANGULARSELECTIONMODIFIER,
                       static_cast<unsigned long>(Sci::SCMOD_ALT));
  editor.installEventFilter(this);
  editor.viewport()->installEventFilter(this);
}

int32_t TSeveralCarets::PositionAt(QPoint point) const {
  return static_cast<int32_t>(Editor.SendScintilla(Sci::SCI_POSITIONFROMPOINT,
                                                   static_cast<unsigned long>(point.x()),
                                                   static_cast<long>(point.y())));
}

void TSeveralCarets::AddNextOccurrence(TCssEditor& editor) {
  // Case matters; a selection that is a whole word (or none, which takes the word at the caret)
  // adds whole words only, so "red" does not pick the start of "reddish".
  const auto start = static_cast<unsigned long>(editor.SelStart());
  const auto end = static_cast<unsigned long>(editor.SelEnd());
  const bool word =
      start == end ||
      (editor.SendScintilla(Sci::SCI_WORDSTARTPOSITION, start, 1L) == static_cast<long>(start) &&
       editor.SendScintilla(Sci::SCI_WORDENDPOSITION, end, 1L) == static_cast<long>(end) &&
       editor.SendScintilla(Sci::SCI_WORDENDPOSITION, start, 1L) == static_cast<long>(end));
  editor.SendScintilla(Sci::SCI_TARGETWHOLEDOCUMENT);
  editor.SendScintilla(
      Sci::SCI_SETSEARCHFLAGS,
      static_cast<unsigned long>(Sci::SCFIND_MATCHCASE | (word ? Sci::SCFIND_WHOLEWORD : 0)));
  editor.SendScintilla(Sci::SCI_MULTIPLESELECTADDNEXT);
  editor.SendScintilla(Sci::SCI_SCROLLCARET);
  editor.UnfoldCaretLine();
  editor.CheckStatus();
}

bool TSeveralCarets::KeepMainOnly(TCssEditor& editor) {
  if (editor.SendScintilla(Sci::SCI_GETSELECTIONS) <= 1) {
    return false;
  }
  const long main = editor.SendScintilla(Sci::SCI_GETMAINSELECTION);
  const long caret =
      editor.SendScintilla(Sci::SCI_GETSELECTIONNCARET, static_cast<unsigned long>(main));
  const long anchor =
      editor.SendScintilla(Sci::SCI_GETSELECTIONNANCHOR, static_cast<unsigned long>(main));
  // Cleared first, so that no column mode is left over to shape the next selection.
  editor.SendScintilla(Sci::SCI_CLEARSELECTIONS);
  editor.SendScintilla(Sci::SCI_SETSELECTION, static_cast<unsigned long>(caret), anchor);
  editor.CheckStatus();
  return true;
}

bool TSeveralCarets::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &Editor) {
    if (event->type() == QEvent::KeyPress) {
      const auto* key = static_cast<QKeyEvent*>(event);
      const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
      if (key->key() == Qt::Key_D && modifiers == Qt::ControlModifier) {
        AddNextOccurrence(Editor);
        return true;
      }
      if (key->key() == Qt::Key_Escape && modifiers == Qt::NoModifier && !Editor.isListActive() &&
          !Editor.isCallTipActive()) {
        return KeepMainOnly(Editor);
      }
    }
    return false;
  }
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() != Qt::LeftButton || mouse->modifiers() != Qt::AltModifier) {
        return false;
      }
      AltPressed = true;
      Dragged = false;
      PressedAt = mouse->position().toPoint();
      Editor.setFocus(Qt::MouseFocusReason);
      return true;
    }
    case QEvent::MouseMove: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (!AltPressed || (mouse->buttons() & Qt::LeftButton) == 0) {
        return false;
      }
      const QPoint at = mouse->position().toPoint();
      if (!Dragged && (at - PressedAt).manhattanLength() < QApplication::startDragDistance()) {
        return true;
      }
      Dragged = true;
      // A column from the place pressed to the place the pointer is now.
      Editor.SendScintilla(Sci::SCI_SETRECTANGULARSELECTIONANCHOR,
                           static_cast<unsigned long>(PositionAt(PressedAt)));
      Editor.SendScintilla(Sci::SCI_SETRECTANGULARSELECTIONCARET,
                           static_cast<unsigned long>(PositionAt(at)));
      Editor.CheckStatus();
      return true;
    }
    case QEvent::MouseButtonRelease: {
      if (!AltPressed) {
        return false;
      }
      AltPressed = false;
      if (!Dragged) {
        const auto position = static_cast<unsigned long>(PositionAt(PressedAt));
        Editor.SendScintilla(Sci::SCI_ADDSELECTION, position, static_cast<long>(position));
        Editor.CheckStatus();
      }
      return true;
    }
    default:
      return false;
  }
}

}  // namespace qm
