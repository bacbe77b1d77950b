// SPDX-License-Identifier: GPL-3.0-or-later
// The View menu's commands, and zoom and wrap kept alike in every editor of the window.
#include "app/editorkit.h"

#include <QAction>
#include <QDockWidget>
#include <QFileInfo>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>

#include "app/commandtable.h"
#include "app/documentfolding.h"
#include "app/findinfilespanel.h"
#include "app/opendocument.h"
#include "app/placespanel.h"
#include "controls/severalcarets.h"
#include "dialogs/gotolinedialog.h"
#include "model/sheet/sheetlayout.h"
#include "platform/prompts.h"
#include "platform/settings.h"

namespace qm {
namespace {

using Sci = QsciScintillaBase;

// Scintilla lays a wrapped line out as a whole at every change of it: a 3 MB minified line took
// tens of seconds a keystroke. A text with a line longer than this stays unwrapped (Format
// Document splits it), so that typing stays quick.
constexpr size_t kLongestWrapped = 20'000;

void ApplyWrap(TCssEditor& editor, bool wrap) {
  const bool on = wrap && LongestLine(editor.Text()) <= kLongestWrapped;
  if ((editor.wrapMode() != QsciScintilla::WrapNone) == on) {
    return;
  }
  editor.setWrapMode(on ? QsciScintilla::WrapWord : QsciScintilla::WrapNone);
  if (on) {
    // A wrapped line shows where it goes on, and lines are laid out only as far as the view
    // needs them.
    editor.setWrapVisualFlags(QsciScintilla::WrapFlagByText);
    editor.SendScintilla(Sci::SCI_SETLAYOUTCACHE, static_cast<unsigned long>(Sci::SC_CACHE_PAGE));
  }
}

}  // namespace

TEditorKit::TEditorKit(QMainWindow& window, TPrompts& prompts, TSettingsStore& settings,
                       std::function<TOpenDocument*()> activeDocument,
                       std::function<TOpenDocument*(const QString&)> openFile)
    : QObject(&window),
      Window(window),
      Prompts(prompts),
      Settings(settings),
      ActiveDocument(std::move(activeDocument)),
      Zoom(Setting::Zoom.Read(settings)) {
  const auto onEditor = [this](void (*command)(TCssEditor&)) {
    return [this, command] {
      if (TOpenDocument* document = Document()) {
        command(*document->Editor());
      }
    };
  };
  constexpr TKeyScope kWindow = TKeyScope::Window;
  constexpr TKeyScope kEditor = TKeyScope::Editor;
  const TCommand menu[] = {
      {"acZoomIn", "Zoom In", "Larger text", nullptr, "Ctrl++; Ctrl+=", [this] { ZoomBy(1); }},
      {"acZoomOut", "Zoom Out", "Smaller text", nullptr, "Ctrl+-", [this] { ZoomBy(-1); }},
      {"acZoomReset", "Reset Zoom", "Text at the font's own size", nullptr, "Ctrl+0",
       [this] { SetZoom(0); }},
      {"acWordWrap", "Word Wrap", "Wrap long lines at the editor's width", nullptr, "",
       [this] { acWordWrapExecute(); }, kWindow, true},
      {"|"},
      {"acGoToLine", "Go to Line", "Put the caret on a line (a folded block opens)", nullptr,
       "Ctrl+G", [this] { acGoToLineExecute(); }},
      {"acFold", "Fold", "Fold the block at the caret", nullptr, "Ctrl+Shift+[",
       onEditor(&TDocumentFolding::Fold)},
      {"acUnfold", "Unfold", "Unfold the block at the caret", nullptr, "Ctrl+Shift+]",
       onEditor(&TDocumentFolding::Unfold)},
      {"acFoldAll", "Fold All", "Fold every block", nullptr, "Ctrl+Alt+[",
       onEditor(&TDocumentFolding::FoldAll)},
      {"acUnfoldAll", "Unfold All", "Unfold every block", nullptr, "Ctrl+Alt+]",
       onEditor(&TDocumentFolding::UnfoldAll)},
      {"|"},
      {"acAddNextOccurrence", "Add Next Occurrence",
       "Select the next occurrence of the selection as well (Alt+click adds a caret)", nullptr,
       "Ctrl+D", onEditor(&TSeveralCarets::AddNextOccurrence), kEditor},
      {"|"},
      {"acGoToDefinition", "Go to Definition",
       "Go to where the custom property at the caret is set", nullptr, "F12",
       [this] { acGoToDefinitionExecute(); }},
      {"acFindUses", "Find Uses", "List every use of the custom property at the caret", nullptr,
       "Shift+F12", [this] { acFindUsesExecute(); }},
      {"acFindInFiles", "Find in Files", "Search the style sheets of a folder", nullptr,
       "Ctrl+Alt+F", [this] { acFindInFilesExecute(); }},
      {"acRename", "Rename Custom Property",
       "Rename the custom property at the caret everywhere in the sheet", nullptr, "F2",
       [this] { acRenameExecute(); }},
  };
  mView = new QMenu(QStringLiteral("&View"), &window);
  mView->setObjectName(QStringLiteral("mView"));
  AddCommands(this, Prompts, menu, mView);
  Action(QStringLiteral("acWordWrap"))->setChecked(Setting::WordWrap.Read(settings) != 0);

  PlacesPanel = new TPlacesPanel;
  dxPlaces = new QDockWidget(QStringLiteral("Custom Property Uses"), &window);
  dxPlaces->setObjectName(QStringLiteral("dxPlaces"));
  dxPlaces->setWidget(PlacesPanel);
  window.addDockWidget(Qt::BottomDockWidgetArea, dxPlaces);
  dxPlaces->hide();

  FindInFilesPanel = new TFindInFilesPanel(Prompts, std::move(openFile));
  dxFindInFiles = new QDockWidget(QStringLiteral("Find in Files"), &window);
  dxFindInFiles->setObjectName(QStringLiteral("dxFindInFiles"));
  dxFindInFiles->setWidget(FindInFilesPanel);
  window.addDockWidget(Qt::BottomDockWidgetArea, dxFindInFiles);
  dxFindInFiles->hide();
}

QAction* TEditorKit::Action(const QString& name) const {
  return FindCommand(this, name);
}

void TEditorKit::Attach(TOpenDocument& document) {
  TCssEditor& editor = *document.Editor();
  new TSeveralCarets(editor);
  new TDocumentFolding(document);
  editor.zoomTo(Zoom);
  ApplyWrap(editor, Action(QStringLiteral("acWordWrap"))->isChecked());
  // A file read or text pasted may bring a line too long to wrap, or take it away.
  connect(&document, &TOpenDocument::TextChanged, this, [this, &editor] {
    ApplyWrap(editor, Action(QStringLiteral("acWordWrap"))->isChecked());
  });
  // Ctrl+wheel zooms one editor; every other follows and the zoom is remembered.
  connect(&editor, &Sci::SCN_ZOOM, this,
          [this, &editor] { SetZoom(static_cast<int>(editor.SendScintilla(Sci::SCI_GETZOOM))); });
}

void TEditorKit::SetZoom(int zoom) {
  Zoom = std::clamp(zoom, Setting::Zoom.Min, Setting::Zoom.Max);
  Setting::Zoom.Write(Settings, Zoom);
  for (TCssEditor* editor : Window.findChildren<TCssEditor*>()) {
    if (editor->SendScintilla(Sci::SCI_GETZOOM) != Zoom) {
      editor->zoomTo(Zoom);
    }
  }
}

void TEditorKit::ZoomBy(int steps) {
  SetZoom(Zoom + steps);
}

void TEditorKit::acFindInFilesExecute() {
  if (const TOpenDocument* document = Document();
      document != nullptr && !document->Path().isEmpty()) {
    FindInFilesPanel->SetDefaultFolder(QFileInfo(document->Path()).absolutePath());
  }
  dxFindInFiles->show();
  dxFindInFiles->raise();
  FindInFilesPanel->TxtFind->setFocus();
  FindInFilesPanel->TxtFind->selectAll();
}

void TEditorKit::acGoToLineExecute() {
  TOpenDocument* document = Document();
  if (document == nullptr) {
    return;
  }
  TCssEditor& editor = *document->Editor();
  TGoToLineDialog dialog(editor.CaretLineCol().Line, editor.LineCount(), &Window);
  if (!Prompts.RunDialog(dialog)) {
    return;
  }
  editor.SetCaret(editor.LineStart(std::clamp(dialog.Line(), 1, editor.LineCount())));
  editor.setFocus();
}

void TEditorKit::acWordWrapExecute() {
  const bool wrap = Action(QStringLiteral("acWordWrap"))->isChecked();
  Setting::WordWrap.Write(Settings, wrap ? 1 : 0);
  for (TCssEditor* editor : Window.findChildren<TCssEditor*>()) {
    ApplyWrap(*editor, wrap);
  }
}

}  // namespace qm
