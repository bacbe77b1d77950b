// SPDX-License-Identifier: GPL-3.0-or-later
// The Edit menu's commands on the active document: undo and redo, the clipboard, Indent,
// Outdent, Comment and Uncomment, the blocks, and the line marks in the gutter.
#include "app/editmenu.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <algorithm>
#include <vector>

#include "app/commandtable.h"
#include "app/opendocument.h"
#include "controls/linemarks.h"
#include "dialogs/finddialog.h"
#include "model/check/problem.h"
#include "model/sheet/editcommands.h"
#include "model/sheet/sheetlayout.h"
#include "platform/commandguard.h"

namespace qm {

namespace {

// Hands an editor's key presses to the Edit menu before the editor sees them.
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

// A command planned on the selection of the active document, if there is one; with several
// carets or a column, on each of their lines, as one step of Undo.
void CarryOnSelection(TOpenDocument* document,
                      TEditPlan (*plan)(const TDocument&, int32_t, int32_t)) {
  if (document == nullptr) {
    return;
  }
  TCssEditor& editor = *document->Editor();
  const auto count =
      static_cast<unsigned long>(editor.SendScintilla(QsciScintillaBase::SCI_GETSELECTIONS));
  if (count <= 1) {
    Carry(*document, plan(editor, editor.SelStart(), editor.SelEnd()));
    return;
  }
  std::vector<std::pair<int32_t, int32_t>> ranges;
  for (unsigned long i = 0; i < count; ++i) {
    ranges.emplace_back(
        static_cast<int32_t>(editor.SendScintilla(QsciScintillaBase::SCI_GETSELECTIONNSTART, i)),
        static_cast<int32_t>(editor.SendScintilla(QsciScintillaBase::SCI_GETSELECTIONNEND, i)));
  }
  std::sort(ranges.begin(), ranges.end());
  // Selections that share a line are one: a command acts on whole lines.
  std::vector<std::pair<int32_t, int32_t>> merged;
  for (const auto& range : ranges) {
    if (!merged.empty() && editor.IndexToLineCol(range.first).Line <=
                               editor.IndexToLineCol(merged.back().second).Line) {
      merged.back().second = std::max(merged.back().second, range.second);
    } else {
      merged.push_back(range);
    }
  }
  TEditBatch batch;
  for (const auto& [start, end] : merged) {
    for (TTextEdit& edit : plan(editor, start, end).Batch.Ordered()) {
      batch.Add(std::move(edit));
    }
  }
  batch.KeepCaret(editor.Caret());
  document->Apply(batch);
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

// The problem with a suggested fix under the caret or just in front of it (the caret right
// after a misspelt word); null for none.
const TProblemSpan* FixAtCaret(const TOpenDocument& document) {
  const int32_t caret = document.Editor()->Caret();
  for (const int32_t at : {caret, caret - 1}) {
    const TProblemSpan* problem = at >= 0 ? document.ProblemAt(at) : nullptr;
    if (problem != nullptr && !problem->Fix.empty()) {
      return problem;
    }
  }
  return nullptr;
}

}  // namespace

TEditMenu::TEditMenu(QWidget* window, TPrompts& prompts,
                     std::function<TOpenDocument*()> activeDocument)
    : QObject(window), Prompts(prompts), ActiveDocument(std::move(activeDocument)) {
  // The menu's commands in its order: name, caption, tool tip, image, keys, command. The editor
  // takes the keys of some itself.
  constexpr TKeyScope kEditor = TKeyScope::Editor;
  const TCommand menu[] = {
      {"mUndo", "Undo", "Undo Last Action", "undo", "Ctrl+Z", [this] { mUndoClick(); }, kEditor},
      {"mRedo", "Redo", "Redo", "redo", "Ctrl+Y", [this] { mRedoClick(); }, kEditor},
      {"|"},
      {"acCut", "Cut", "Cut Selected Text", "cut", "Ctrl+X", [this] { acCutExecute(); }, kEditor},
      {"acCopy", "Copy", "Copy Selected Text", "copy", "Ctrl+C", [this] { acCopyExecute(); },
       kEditor},
      {"acPaste", "Paste", "Paste text from the clipboard", "paste", "Ctrl+V",
       [this] { acPasteExecute(); }, kEditor},
      {"acSelectAll", "Select All", "Select All Text", nullptr, "Ctrl+A",
       [this] { acSelectAllExecute(); }, kEditor},
      {"|"},
      {"acFind", "Find", "Find the indicated text", "find", "Ctrl+F; F3",
       [this] { acFindExecute(); }},
      {"mReplace", "Replace", nullptr, "replace", "Ctrl+H", [this] { mReplaceClick(); }},
      {"|"},
      {"mIndent", "Indent", "Indent Selected Text", "indent", "Tab", [this] { mIndentClick(); },
       kEditor},
      {"mOutdent", "Outdent", "Outdent Selected Text", "outdent", "Shift+Tab",
       [this] { mOutdentClick(); }, kEditor},
      {"|"},
      {"mNext", "Next Block", "Move to next selector", "nextblock", "", [this] { mNextClick(); }},
      {"mPrevious", "Previous Block", "Move to previous selector", "prevblock", "",
       [this] { mPreviousClick(); }},
      {"|"},
      {"acComment", "Comment", "Comment Seleted Text", "comment", "Ctrl+K",
       [this] { acCommentExecute(); }},
      {"acUncomment", "Uncomment", "Take the comment marks off the selected text", nullptr,
       "Ctrl+Shift+K", [this] { acUncommentExecute(); }},
      {"acQuickFix", "Apply Suggested Fix",
       "Put what the problem at the caret suggests (\"did you mean\") in place", nullptr, "Ctrl+.",
       [this] { acQuickFixExecute(); }, kEditor},
      {"|"},
      {"acFormat", "Format Document", "One declaration per line, indented by nesting", nullptr,
       "Ctrl+Shift+F", [this] { LayOut(&FormatSheet); }},
      {"acMinify", "Minify", "Everything on one line, without blanks between rules", nullptr, "",
       [this] { LayOut(&MinifySheet); }},
  };
  mEdit = new QMenu(QStringLiteral("&Edit"), window);
  mEdit->setObjectName(QStringLiteral("mEdit"));
  AddCommands(this, Prompts, menu, mEdit);
  // The line marks, on the tool bar only.
  const TCommand marks[] = {
      {"bPrevBookmark", "Previous Bookmark", nullptr, "prevbookmark", "",
       [this] { bPreviousMarkClick(); }},
      {"bNextBookmark", "Next bookmark", nullptr, "nextbookmark", "", [this] { bNextMarkClick(); }},
      {"bClearBookmarks", "Clear All Bookmarks", nullptr, "clearbookmarks", "",
       [this] { bClearMarksClick(); }},
  };
  AddCommands(this, Prompts, marks);

  MainTextPopUp = new QMenu(window);
  MainTextPopUp->setObjectName(QStringLiteral("MainTextPopUp"));
  AddToBar(MainTextPopUp, [this](const QString& name) { return Action(name); },
           {"acQuickFix", "|", "acCut", "acCopy", "acPaste", "|", "acSelectAll", "|", "acComment",
            "acUncomment"});

  DialogFind = new TFindDialog(TFindDialog::TKind::Find, window);
  DialogFind->setObjectName(QStringLiteral("DialogFind"));
  DialogReplace = new TFindDialog(TFindDialog::TKind::Replace, window);
  DialogReplace->setObjectName(QStringLiteral("DialogReplace"));
  connect(DialogFind, &TFindDialog::Find, this,
          [this] { RunCommand(Prompts, [this] { DialogFindFind(); }); });
  connect(DialogReplace, &TFindDialog::Find, this,
          [this] { RunCommand(Prompts, [this] { DialogReplaceFind(); }); });
  connect(DialogReplace, &TFindDialog::Replace, this,
          [this](bool all) { RunCommand(Prompts, [this, all] { DialogReplaceReplace(all); }); });
}

QAction* TEditMenu::Action(const QString& name) const {
  return FindCommand(this, name);
}

TCssEditor* TEditMenu::Editor() const {
  const TOpenDocument* document = Document();
  return document == nullptr ? nullptr : document->Editor();
}

void TEditMenu::Attach(TOpenDocument& document) {
  TCssEditor* editor = document.Editor();
  new TKeyRouter(editor, [this](QKeyEvent* event) { return MainTextKeyDown(event); });
  connect(editor, &QsciScintilla::marginClicked, this,
          [this, editor](int /*margin*/, int line, Qt::KeyboardModifiers /*state*/) {
            RunCommand(Prompts, [=, this] { MainTextGutterClick(editor, line + 1); });
          });
  editor->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(editor, &QWidget::customContextMenuRequested, this,
          [this, &document, editor](const QPoint& pos) {
            // On an underline with a suggestion, the menu's fix is that one's.
            const auto at = static_cast<int32_t>(editor->SendScintilla(
                QsciScintillaBase::SCI_POSITIONFROMPOINTCLOSE, pos.x(), pos.y()));
            const TProblemSpan* problem = at >= 0 ? document.ProblemAt(at) : nullptr;
            if (problem != nullptr && !problem->Fix.empty()) {
              editor->SetCaret(at);
            }
            Action(QStringLiteral("acQuickFix"))->setEnabled(FixAtCaret(document) != nullptr);
            MainTextPopUp->popup(editor->mapToGlobal(pos));
          });
}

void TEditMenu::mUndoClick() {
  if (TCssEditor* editor = Editor()) {
    editor->undo();
    editor->CheckStatus();
  }
}

void TEditMenu::mRedoClick() {
  if (TCssEditor* editor = Editor()) {
    editor->redo();
    editor->CheckStatus();
  }
}

void TEditMenu::acCutExecute() {
  if (TOpenDocument* document = Document()) {
    TOpenDocument::TEditScope scope(*document);
    scope.Apply([](TCssEditor& editor) { editor.cut(); });
  }
}

void TEditMenu::acCopyExecute() {
  if (TCssEditor* editor = Editor()) {
    editor->copy();
  }
}

void TEditMenu::acPasteExecute() {
  if (TOpenDocument* document = Document()) {
    TOpenDocument::TEditScope scope(*document);
    scope.Apply([](TCssEditor& editor) { editor.paste(); });
  }
}

void TEditMenu::acSelectAllExecute() {
  if (TCssEditor* editor = Editor()) {
    editor->selectAll();
    editor->CheckStatus();
  }
}

void TEditMenu::mIndentClick() {
  CarryOnSelection(Document(), &PlanIndent);
}

void TEditMenu::mOutdentClick() {
  CarryOnSelection(Document(), &PlanOutdent);
}

void TEditMenu::acCommentExecute() {
  CarryOnSelection(Document(), &PlanComment);
}

void TEditMenu::acUncommentExecute() {
  CarryOnSelection(Document(), &PlanUncomment);
}

void TEditMenu::acQuickFixExecute() {
  TOpenDocument* document = Document();
  const TProblemSpan* problem = document == nullptr ? nullptr : FixAtCaret(*document);
  if (problem == nullptr) {
    return;
  }
  if (const std::optional<TTextEdit> fix = QuickFix(*problem)) {
    document->Apply(TEditBatch(*fix));
  }
  Action(QStringLiteral("acQuickFix"))->setEnabled(true);
}

void TEditMenu::mNextClick() {
  if (TOpenDocument* document = Document()) {
    document->MoveToNextBlock();
  }
}

void TEditMenu::mPreviousClick() {
  if (TOpenDocument* document = Document()) {
    document->MoveToPreviousBlock();
  }
}

bool TEditMenu::MainTextKeyDown(QKeyEvent* event) {
  struct TRoute {
    int Key;
    Qt::KeyboardModifiers Modifiers;
    void (TEditMenu::*Command)();
  };
  static const TRoute routes[] = {
      {Qt::Key_Tab, Qt::NoModifier, &TEditMenu::mIndentClick},
      {Qt::Key_Backtab, Qt::ShiftModifier, &TEditMenu::mOutdentClick},
      {Qt::Key_Tab, Qt::ShiftModifier, &TEditMenu::mOutdentClick},
      {Qt::Key_X, Qt::ControlModifier, &TEditMenu::acCutExecute},
      {Qt::Key_Delete, Qt::ShiftModifier, &TEditMenu::acCutExecute},
      {Qt::Key_C, Qt::ControlModifier, &TEditMenu::acCopyExecute},
      {Qt::Key_Insert, Qt::ControlModifier, &TEditMenu::acCopyExecute},
      {Qt::Key_V, Qt::ControlModifier, &TEditMenu::acPasteExecute},
      {Qt::Key_Period, Qt::ControlModifier, &TEditMenu::acQuickFixExecute},
  };
  // Insert and Delete of the number pad are the same keys.
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  for (const TRoute& route : routes) {
    if (event->key() == route.Key && modifiers == route.Modifiers) {
      RunCommand(Prompts, [this, &route] { (this->*route.Command)(); });
      return true;
    }
  }
  return false;
}

void TEditMenu::MainTextGutterClick(TCssEditor* editor, int line) {
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

void TEditMenu::bNextMarkClick() {
  if (TCssEditor* editor = Editor()) {
    GoToMark(*editor, &NextMarkLine);
  }
}

void TEditMenu::bPreviousMarkClick() {
  if (TCssEditor* editor = Editor()) {
    GoToMark(*editor, &PreviousMarkLine);
  }
}

void TEditMenu::bClearMarksClick() {
  if (TCssEditor* editor = Editor()) {
    TLineMarks(*editor).Clear();
  }
}

}  // namespace qm
