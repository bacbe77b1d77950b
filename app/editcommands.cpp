// SPDX-License-Identifier: GPL-3.0-or-later
// The Edit menu's commands on the current document: undo and redo, the clipboard, Indent,
// Outdent, Comment and Uncomment, the line marks in the gutter, and Find and Replace with their
// dialogs.
#include <QAction>
#include <QKeyEvent>
#include <functional>

#include "app/cssmain.h"
#include "app/opendocument.h"
#include "controls/linemarks.h"
#include "dialogs/finddialog.h"
#include "model/editcommands.h"
#include "platform/commandguard.h"
#include "platform/prompts.h"

namespace qm {

namespace {

// Hands an editor's key presses to the window before the editor sees them.
class TKeyRouter : public QObject {
 public:
  TKeyRouter(QObject* editor, std::function<bool(QKeyEvent*)> route)
      : QObject(editor), Route(std::move(route)) {
    editor->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    return event->type() == QEvent::KeyPress && Route(static_cast<QKeyEvent*>(event));
  }

 private:
  std::function<bool(QKeyEvent*)> Route;
};

// Carries out a planned command as one step of Undo and leaves the selection it planned.
void Carry(TOpenDocument& document, const TEditPlan& plan) {
  TOpenDocument::TEditScope scope(document);
  scope.Apply(plan.Batch);
  document.Editor()->SetSelection(plan.Anchor, plan.Caret);
}

// The caret to the marked line choose picks, in the column it stands in now (or the line's end).
void GoToMark(TCssEditor& editor,
              int32_t (*choose)(const std::vector<int32_t>& marks, int32_t caretLine)) {
  const int32_t line = choose(TLineMarks(editor).Lines(), editor.CaretLineCol().Line);
  if (line == 0) {
    return;
  }
  const long column = editor.SendScintilla(QsciScintillaBase::SCI_GETCOLUMN, editor.Caret());
  editor.SetCaret(static_cast<int32_t>(
      editor.SendScintilla(QsciScintillaBase::SCI_FINDCOLUMN, line - 1, column)));
}

TFindOptions Options(const TFindDialog& dialog) {
  TFindOptions options;
  options.setFlag(TFindOption::MatchCase, dialog.MatchCase());
  options.setFlag(TFindOption::WholeWord, dialog.WholeWord());
  options.setFlag(TFindOption::Backwards, !dialog.Down());
  return options;
}

}  // namespace

void TFrmMain::CreateEditCommands() {
  Bind(mUndo, &TFrmMain::mUndoClick);
  Bind(mRedo, &TFrmMain::mRedoClick);
  Bind(acCut, &TFrmMain::acCutExecute);
  Bind(acCopy, &TFrmMain::acCopyExecute);
  Bind(acPaste, &TFrmMain::acPasteExecute);
  Bind(acSelectAll, &TFrmMain::acSelectAllExecute);
  Bind(mIndent, &TFrmMain::mIndentClick);
  Bind(mOutdent, &TFrmMain::mOutdentClick);
  Bind(acComment, &TFrmMain::acCommentExecute);
  Bind(acUncomment, &TFrmMain::acUncommentExecute);
  Bind(bNextBookmark, &TFrmMain::bNextMarkClick);
  Bind(bPrevBookmark, &TFrmMain::bPreviousMarkClick);
  Bind(bClearBookmarks, &TFrmMain::bClearMarksClick);
  Bind(acFind, &TFrmMain::acFindExecute);
  Bind(mReplace, &TFrmMain::mReplaceClick);

  DialogFind = new TFindDialog(TFindDialog::TKind::Find, this);
  DialogFind->setObjectName(QStringLiteral("DialogFind"));
  DialogReplace = new TFindDialog(TFindDialog::TKind::Replace, this);
  DialogReplace->setObjectName(QStringLiteral("DialogReplace"));
  connect(DialogFind, &TFindDialog::Find, this,
          [this] { RunCommand(*Platform.Prompts, [this] { DialogFindFind(); }); });
  connect(DialogReplace, &TFindDialog::Find, this,
          [this] { RunCommand(*Platform.Prompts, [this] { DialogReplaceFind(); }); });
  connect(DialogReplace, &TFindDialog::Replace, this, [this](bool all) {
    RunCommand(*Platform.Prompts, [this, all] { DialogReplaceReplace(all); });
  });
}

void TFrmMain::BindEditorEvents(TOpenDocument* document) {
  TCssEditor* editor = document->Editor();
  new TKeyRouter(editor, [this](QKeyEvent* event) { return MainTextKeyDown(event); });
  connect(editor, &QsciScintilla::marginClicked, this,
          [this, editor](int /*margin*/, int line, Qt::KeyboardModifiers /*state*/) {
            RunCommand(*Platform.Prompts, [=, this] { MainTextGutterClick(editor, line + 1); });
          });
}

void TFrmMain::mUndoClick() {
  if (TCssEditor* editor = CurrentEditor()) {
    editor->undo();
    editor->CheckStatus();
  }
}

void TFrmMain::mRedoClick() {
  if (TCssEditor* editor = CurrentEditor()) {
    editor->redo();
    editor->CheckStatus();
  }
}

void TFrmMain::acCutExecute() {
  if (TOpenDocument* document = CurrentDocument()) {
    TOpenDocument::TEditScope scope(*document);
    scope.Apply([](TCssEditor& editor) { editor.cut(); });
  }
}

void TFrmMain::acCopyExecute() {
  if (TCssEditor* editor = CurrentEditor()) {
    editor->copy();
  }
}

void TFrmMain::acPasteExecute() {
  if (TOpenDocument* document = CurrentDocument()) {
    TOpenDocument::TEditScope scope(*document);
    scope.Apply([](TCssEditor& editor) { editor.paste(); });
  }
}

void TFrmMain::acSelectAllExecute() {
  if (TCssEditor* editor = CurrentEditor()) {
    editor->selectAll();
    editor->CheckStatus();
  }
}

void TFrmMain::mIndentClick() {
  if (TOpenDocument* document = CurrentDocument()) {
    const TCssEditor& editor = *document->Editor();
    Carry(*document, PlanIndent(editor, editor.SelStart(), editor.SelEnd()));
  }
}

void TFrmMain::mOutdentClick() {
  if (TOpenDocument* document = CurrentDocument()) {
    const TCssEditor& editor = *document->Editor();
    Carry(*document, PlanOutdent(editor, editor.SelStart(), editor.SelEnd()));
  }
}

void TFrmMain::acCommentExecute() {
  if (TOpenDocument* document = CurrentDocument()) {
    const TCssEditor& editor = *document->Editor();
    Carry(*document, PlanComment(editor, editor.SelStart(), editor.SelEnd()));
  }
}

void TFrmMain::acUncommentExecute() {
  if (TOpenDocument* document = CurrentDocument()) {
    const TCssEditor& editor = *document->Editor();
    Carry(*document, PlanUncomment(editor, editor.SelStart(), editor.SelEnd()));
  }
}

bool TFrmMain::MainTextKeyDown(QKeyEvent* event) {
  struct TRoute {
    int Key;
    Qt::KeyboardModifiers Modifiers;
    void (TFrmMain::*Command)();
  };
  static const TRoute routes[] = {
      {Qt::Key_Tab, Qt::NoModifier, &TFrmMain::mIndentClick},
      {Qt::Key_Backtab, Qt::ShiftModifier, &TFrmMain::mOutdentClick},
      {Qt::Key_Tab, Qt::ShiftModifier, &TFrmMain::mOutdentClick},
      {Qt::Key_X, Qt::ControlModifier, &TFrmMain::acCutExecute},
      {Qt::Key_Delete, Qt::ShiftModifier, &TFrmMain::acCutExecute},
      {Qt::Key_C, Qt::ControlModifier, &TFrmMain::acCopyExecute},
      {Qt::Key_Insert, Qt::ControlModifier, &TFrmMain::acCopyExecute},
      {Qt::Key_V, Qt::ControlModifier, &TFrmMain::acPasteExecute},
  };
  // Insert and Delete of the number pad are the same keys.
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  for (const TRoute& route : routes) {
    if (event->key() == route.Key && modifiers == route.Modifiers) {
      RunCommand(*Platform.Prompts, [this, &route] { (this->*route.Command)(); });
      return true;
    }
  }
  return false;
}

void TFrmMain::MainTextGutterClick(TCssEditor* editor, int line) {
  if (editor->SelAvail()) {
    return;
  }
  TLineMarks marks(*editor);
  if (marks.Has(line)) {
    marks.Remove(line);
  } else {
    marks.Add(line);
  }
}

void TFrmMain::bNextMarkClick() {
  if (TCssEditor* editor = CurrentEditor()) {
    GoToMark(*editor, &NextMarkLine);
  }
}

void TFrmMain::bPreviousMarkClick() {
  if (TCssEditor* editor = CurrentEditor()) {
    GoToMark(*editor, &PreviousMarkLine);
  }
}

void TFrmMain::bClearMarksClick() {
  if (TCssEditor* editor = CurrentEditor()) {
    TLineMarks(*editor).Clear();
  }
}

void TFrmMain::acFindExecute() {
  if (CurrentDocument() != nullptr) {
    DialogFind->Execute();
  }
}

void TFrmMain::mReplaceClick() {
  if (CurrentDocument() != nullptr) {
    DialogReplace->SetFindText(DialogFind->FindText());
    DialogReplace->Execute();
  }
}

void TFrmMain::DialogFindFind() {
  FindNext(*DialogFind, QStringLiteral("Search completed with no results!"));
}

void TFrmMain::DialogReplaceFind() {
  FindNext(*DialogReplace, QStringLiteral("Search completed with no results!"));
}

void TFrmMain::FindNext(const TFindDialog& dialog, const QString& noResults) {
  TOpenDocument* document = CurrentDocument();
  if (document == nullptr) {
    return;
  }
  int found = 0;
  {
    TOpenDocument::TEditScope quiet(*document);
    found = SynSearch.Find(*document->Editor(), dialog.FindText(), Options(dialog));
  }
  ShowCaretStatus();
  if (found == 0) {
    Platform.Prompts->Message(TMessageKind::Information, noResults, {TButton::Yes});
  }
}

void TFrmMain::DialogReplaceReplace(bool all) {
  TOpenDocument* document = CurrentDocument();
  if (document == nullptr) {
    return;
  }
  TCssEditor& editor = *document->Editor();
  const TFindOptions options = Options(*DialogReplace);
  if (all) {
    const TReplacements replacements =
        SynSearch.PlanReplaceAll(editor, DialogReplace->FindText(), DialogReplace->ReplaceText(),
                                 options | TFindOption::EntireScope);
    document->Apply(replacements.Batch);
    DialogReplace->close();
    Platform.Prompts->Message(
        TMessageKind::Information,
        QStringLiteral("Search completed and made %1 replacement(s).").arg(replacements.Count),
        {TButton::Yes});
    return;
  }
  int found = 0;
  {
    TOpenDocument::TEditScope scope(*document);
    // Normally the match the previous press found, but whatever the user selected since.
    if (editor.SelAvail()) {
      scope.Apply(SynSearch.PlanReplaceSelection(editor, DialogReplace->ReplaceText()));
    }
    found = SynSearch.Find(editor, DialogReplace->FindText(), options);
  }
  ShowCaretStatus();
  if (found == 0) {
    Platform.Prompts->Message(TMessageKind::Information,
                              QStringLiteral("Search completed with no results."), {TButton::Yes});
  }
}

}  // namespace qm
