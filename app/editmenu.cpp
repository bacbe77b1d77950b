// SPDX-License-Identifier: GPL-3.0-or-later
// The Edit menu's commands on the active document: undo and redo, the clipboard, Indent,
// Outdent, Comment and Uncomment, the blocks, and the line marks in the gutter.
#include "app/editmenu.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>

#include "app/commandtable.h"
#include "app/opendocument.h"
#include "controls/linemarks.h"
#include "dialogs/finddialog.h"
#include "model/editcommands.h"
#include "model/sheetlayout.h"
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

// A command planned on the selection of the active document, if there is one.
void CarryOnSelection(TOpenDocument* document,
                      TEditPlan (*plan)(const TDocument&, int32_t, int32_t)) {
  if (document != nullptr) {
    const TCssEditor& editor = *document->Editor();
    Carry(*document, plan(editor, editor.SelStart(), editor.SelEnd()));
  }
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

}  // namespace

TEditMenu::TEditMenu(QWidget* window, TPrompts& prompts,
                     std::function<TOpenDocument*()> activeDocument)
    : QObject(window), Prompts(prompts), ActiveDocument(std::move(activeDocument)) {
  // The menu's commands in its order: name, caption, tool tip, image, keys, command. The editor
  // takes the keys of some itself.
  constexpr TKeyScope kEditor = TKeyScope::Editor;
  const TCommand menu[] = {
      {"mUndo", "Undo", "Undo Last Action", "undo", "Ctrl+Z", [this] { Undo(); }, kEditor},
      {"mRedo", "Redo", "Redo", "redo", "Ctrl+Y", [this] { Redo(); }, kEditor},
      {"|"},
      {"acCut", "Cut", "Cut Selected Text", "cut", "Ctrl+X", [this] { Cut(); }, kEditor},
      {"acCopy", "Copy", "Copy Selected Text", "copy", "Ctrl+C", [this] { Copy(); }, kEditor},
      {"acPaste", "Paste", "Paste text from the clipboard", "paste", "Ctrl+V", [this] { Paste(); },
       kEditor},
      {"acSelectAll", "Select All", "Select All Text", nullptr, "Ctrl+A", [this] { SelectAll(); },
       kEditor},
      {"|"},
      {"acFind", "Find", "Find the indicated text", "find", "Ctrl+F; F3", [this] { ShowFind(); }},
      {"mReplace", "Replace", nullptr, "replace", "Ctrl+H", [this] { ShowReplace(); }},
      {"|"},
      {"mIndent", "Indent", "Indent Selected Text", "indent", "Tab", [this] { Indent(); }, kEditor},
      {"mOutdent", "Outdent", "Outdent Selected Text", "outdent", "Shift+Tab",
       [this] { Outdent(); }, kEditor},
      {"|"},
      {"mNext", "Next Block", "Move to next selector", "nextblock", "", [this] { NextBlock(); }},
      {"mPrevious", "Previous Block", "Move to previous selector", "prevblock", "",
       [this] { PreviousBlock(); }},
      {"|"},
      {"acComment", "Comment", "Comment Seleted Text", "comment", "Ctrl+K", [this] { Comment(); }},
      {"acUncomment", "Uncomment", "Take the comment marks off the selected text", nullptr,
       "Ctrl+Shift+K", [this] { Uncomment(); }},
      {"|"},
      {"acFormat", "Format Document", "One declaration per line, indented by nesting", nullptr,
       "Ctrl+Shift+F", [this] { LayOut(&FormatSheet); }},
      {"acMinify", "Minify", "Everything on one line, without blanks between rules", nullptr, "",
       [this] { LayOut(&MinifySheet); }},
  };
  Menu_ = new QMenu(QStringLiteral("Edit"), window);
  Menu_->setObjectName(QStringLiteral("mEdit"));
  AddCommands(this, Prompts, menu, Menu_);
  // The line marks, on the tool bar only.
  const TCommand marks[] = {
      {"bPrevBookmark", "Previous Bookmark", nullptr, "prevbookmark", "",
       [this] { PreviousMark(); }},
      {"bNextBookmark", "Next bookmark", nullptr, "nextbookmark", "", [this] { NextMark(); }},
      {"bClearBookmarks", "Clear All Bookmarks", nullptr, "clearbookmarks", "",
       [this] { ClearMarks(); }},
  };
  AddCommands(this, Prompts, marks);

  PopUp_ = new QMenu(window);
  PopUp_->setObjectName(QStringLiteral("MainTextPopUp"));
  AddToBar(PopUp_, [this](const QString& name) { return Action(name); },
           {"acCut", "acCopy", "acPaste", "|", "acSelectAll", "|", "acComment", "acUncomment"});

  DialogFind = new TFindDialog(TFindDialog::TKind::Find, window);
  DialogFind->setObjectName(QStringLiteral("DialogFind"));
  DialogReplace = new TFindDialog(TFindDialog::TKind::Replace, window);
  DialogReplace->setObjectName(QStringLiteral("DialogReplace"));
  connect(DialogFind, &TFindDialog::Find, this, [this] {
    RunCommand(Prompts, [this] {
      FindNext(*DialogFind, QStringLiteral("Search completed with no results!"));
    });
  });
  connect(DialogReplace, &TFindDialog::Find, this, [this] {
    RunCommand(Prompts, [this] {
      FindNext(*DialogReplace, QStringLiteral("Search completed with no results!"));
    });
  });
  connect(DialogReplace, &TFindDialog::Replace, this,
          [this](bool all) { RunCommand(Prompts, [this, all] { Replace(all); }); });
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
  new TKeyRouter(editor, [this](QKeyEvent* event) { return EditorKeyDown(event); });
  connect(editor, &QsciScintilla::marginClicked, this,
          [this, editor](int /*margin*/, int line, Qt::KeyboardModifiers /*state*/) {
            RunCommand(Prompts, [=, this] { GutterClick(editor, line + 1); });
          });
  editor->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(editor, &QWidget::customContextMenuRequested, this,
          [this, editor](const QPoint& pos) { PopUp_->popup(editor->mapToGlobal(pos)); });
}

void TEditMenu::Undo() {
  if (TCssEditor* editor = Editor()) {
    editor->undo();
    editor->CheckStatus();
  }
}

void TEditMenu::Redo() {
  if (TCssEditor* editor = Editor()) {
    editor->redo();
    editor->CheckStatus();
  }
}

void TEditMenu::Cut() {
  if (TOpenDocument* document = Document()) {
    TOpenDocument::TEditScope scope(*document);
    scope.Apply([](TCssEditor& editor) { editor.cut(); });
  }
}

void TEditMenu::Copy() {
  if (TCssEditor* editor = Editor()) {
    editor->copy();
  }
}

void TEditMenu::Paste() {
  if (TOpenDocument* document = Document()) {
    TOpenDocument::TEditScope scope(*document);
    scope.Apply([](TCssEditor& editor) { editor.paste(); });
  }
}

void TEditMenu::SelectAll() {
  if (TCssEditor* editor = Editor()) {
    editor->selectAll();
    editor->CheckStatus();
  }
}

void TEditMenu::Indent() {
  CarryOnSelection(Document(), &PlanIndent);
}

void TEditMenu::Outdent() {
  CarryOnSelection(Document(), &PlanOutdent);
}

void TEditMenu::Comment() {
  CarryOnSelection(Document(), &PlanComment);
}

void TEditMenu::Uncomment() {
  CarryOnSelection(Document(), &PlanUncomment);
}

void TEditMenu::NextBlock() {
  if (TOpenDocument* document = Document()) {
    document->MoveToNextBlock();
  }
}

void TEditMenu::PreviousBlock() {
  if (TOpenDocument* document = Document()) {
    document->MoveToPreviousBlock();
  }
}

bool TEditMenu::EditorKeyDown(QKeyEvent* event) {
  struct TRoute {
    int Key;
    Qt::KeyboardModifiers Modifiers;
    void (TEditMenu::*Command)();
  };
  static const TRoute routes[] = {
      {Qt::Key_Tab, Qt::NoModifier, &TEditMenu::Indent},
      {Qt::Key_Backtab, Qt::ShiftModifier, &TEditMenu::Outdent},
      {Qt::Key_Tab, Qt::ShiftModifier, &TEditMenu::Outdent},
      {Qt::Key_X, Qt::ControlModifier, &TEditMenu::Cut},
      {Qt::Key_Delete, Qt::ShiftModifier, &TEditMenu::Cut},
      {Qt::Key_C, Qt::ControlModifier, &TEditMenu::Copy},
      {Qt::Key_Insert, Qt::ControlModifier, &TEditMenu::Copy},
      {Qt::Key_V, Qt::ControlModifier, &TEditMenu::Paste},
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

void TEditMenu::GutterClick(TCssEditor* editor, int line) {
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

void TEditMenu::NextMark() {
  if (TCssEditor* editor = Editor()) {
    GoToMark(*editor, &NextMarkLine);
  }
}

void TEditMenu::PreviousMark() {
  if (TCssEditor* editor = Editor()) {
    GoToMark(*editor, &PreviousMarkLine);
  }
}

void TEditMenu::ClearMarks() {
  if (TCssEditor* editor = Editor()) {
    TLineMarks(*editor).Clear();
  }
}

}  // namespace qm
