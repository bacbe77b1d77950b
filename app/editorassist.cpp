// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's own auto-completion list opened and filtered as the user types, a choice written
// through the document's edit scope, and call tips where the pointer rests.
#include "app/editorassist.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QStringList>
#include <QToolTip>

#include "app/declarationsync.h"
#include "app/opendocument.h"
#include "model/asciicase.h"
#include "model/assist/customproperties.h"
#include "model/assist/hoverinfo.h"
#include "model/assist/specificity.h"
#include "model/check/sheetcheck.h"
#include "model/values/valuechecker.h"

namespace qm {
namespace {

using Sci = QsciScintillaBase;

constexpr int kListId = 1;
// The list of custom properties inside var(): its entries hold the value after the name.
constexpr int kVarListId = 2;
constexpr QLatin1String kVarValueGap("  ");
// How long the pointer rests before its tip shows.
constexpr int kDwellMs = 600;

// Whether the place in the text at position lies on a screen. The editor places its list and
// its call tips by the screen at that place and fails without one (a window reaching past the
// screen's edge, a caret scrolled out of its view), so then neither is shown.
bool OnScreen(const TCssEditor& editor, int32_t position) {
  auto& self = const_cast<TCssEditor&>(editor);
  const long x = self.SendScintilla(Sci::SCI_POINTXFROMPOSITION, 0UL, static_cast<long>(position));
  const long y = self.SendScintilla(Sci::SCI_POINTYFROMPOSITION, 0UL, static_cast<long>(position));
  const QPoint local(static_cast<int>(x), static_cast<int>(y));
  return editor.viewport()->rect().contains(local) &&
         QGuiApplication::screenAt(editor.viewport()->mapToGlobal(local)) != nullptr;
}

bool StartsWord(int ch) {
  return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') ||
         ch == '-' || ch == '_' || ch == '@';
}

// Completion and tips of one document's editor; lives as long as the editor.
class TDocumentAssist : public QObject {
 public:
  TDocumentAssist(TOpenDocument& document, const TEditorAssist& assist)
      : QObject(document.Editor()), Document(document), Assist(assist) {
    TCssEditor* editor = document.Editor();
    // Installed after the window's own key routing, so this filter sees a key first: Tab
    // chooses from an open list instead of indenting.
    editor->installEventFilter(this);
    // The list is shown in the order given (values before the keywords every property takes)
    // and matches what is typed without regard to case.
    editor->SendScintilla(Sci::SCI_AUTOCSETORDER, static_cast<unsigned long>(Sci::SC_ORDER_CUSTOM));
    editor->SendScintilla(Sci::SCI_AUTOCSETIGNORECASE, static_cast<unsigned long>(true));
    editor->SendScintilla(Sci::SCI_AUTOCSETCHOOSESINGLE, static_cast<unsigned long>(false));
    editor->SendScintilla(Sci::SCI_AUTOCSETMAXHEIGHT, static_cast<unsigned long>(10));
    // Entries carry no images: a "?" in a value shown in the list stays part of it.
    editor->SendScintilla(Sci::SCI_AUTOCSETTYPESEPARATOR, static_cast<unsigned long>('\x1e'));
    editor->SendScintilla(Sci::SCI_SETMOUSEDWELLTIME, static_cast<unsigned long>(kDwellMs));
    // Tips in the colours of tool tips: the editor's own grey text is hard to read.
    const QPalette palette = QToolTip::palette();
    editor->SendScintilla(Sci::SCI_CALLTIPSETFORE, palette.color(QPalette::ToolTipText));
    editor->SendScintilla(Sci::SCI_CALLTIPSETBACK, palette.color(QPalette::ToolTipBase));
    connect(editor, &Sci::SCN_CHARADDED, this, [this](int ch) {
      // A character typed into the open list's word is a choice among its entries.
      if (Document.Editor()->isListActive() && StartsWord(ch)) {
        UserChose = true;
      }
      // After ":" a value starts and after a digit a unit may: the list opens by itself there,
      // and after "var(" with the sheet's custom properties.
      TCssEditor& editor = *Document.Editor();
      if (StartsWord(ch) || ch == ':' || editor.isListActive() ||
          (ch == '(' && VarCompletionAt(editor, editor.Caret()))) {
        ListLater();
      }
    });
    connect(&Document, &TOpenDocument::TextChanged, this, [this](TChangeOrigin origin) {
      if (origin != TChangeOrigin::Program && Document.Editor()->isListActive()) {
        ListLater();
      }
    });
    connect(editor, &QsciScintilla::userListActivated, this,
            [this](int id, const QString& chosen) { Choose(id, chosen); });
    connect(editor, &Sci::SCN_DWELLSTART, this,
            [this](int position, int /*x*/, int /*y*/) { ShowTip(position); });
    connect(editor, &Sci::SCN_DWELLEND, this, [this](int /*position*/, int /*x*/, int /*y*/) {
      Document.Editor()->SendScintilla(Sci::SCI_CALLTIPCANCEL);
    });
  }

 protected:
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) {
      return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    TCssEditor& editor = *Document.Editor();
    if (key->key() == Qt::Key_Space && modifiers == Qt::ControlModifier) {
      ShowList(true);
      return true;
    }
    if (key->key() == Qt::Key_Space && modifiers == (Qt::ControlModifier | Qt::ShiftModifier)) {
      // The tip of the word at the caret, or of the word the caret has just left.
      const int32_t caret = editor.Caret();
      if (!ShowTip(caret) && caret > 0) {
        ShowTip(caret - 1);
      }
      return true;
    }
    if (key->key() == Qt::Key_Tab && modifiers == Qt::NoModifier && editor.isListActive()) {
      editor.SendScintilla(Sci::SCI_AUTOCCOMPLETE);
      return true;
    }
    if (editor.isListActive()) {
      switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
          UserChose = true;
          break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
          // A list that opened by itself, in which the user neither moved nor typed, takes no
          // Enter: the line break the user meant is typed.
          if (!UserChose) {
            editor.cancelList();
          }
          break;
        default:
          break;
      }
    }
    return false;
  }

 private:
  // A typed character that can start or continue a word, and any change while the list is
  // open (Backspace, Delete), show the list anew once the keystroke has been handled everywhere:
  // the views that follow the caret react to it too, and the editor itself closes its list when
  // a character does not fit the entries it shows.
  void ListLater() {
    if (ListPending) {
      return;
    }
    ListPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
          ListPending = false;
          if (!Document.UpdatingText()) {
            ShowList(false);
          }
        },
        Qt::QueuedConnection);
  }

  // Opens the list for the word at the caret, or filters the open one by what has been typed
  // since; closes it when nothing fits. Without forced (as the user types) a list opens once a
  // word has begun, and for a value or a unit also before: after ":" and after a number. Enter
  // on a list the user has not chosen in still starts a new line.
  void ShowList(bool forced) {
    TCssEditor& editor = *Document.Editor();
    if (ShowVarList(forced)) {
      return;
    }
    std::vector<std::string> candidates;
    TCompletionContext context;
    const bool wasOpen = editor.isListActive();
    if (!editor.SelAvail() && !editor.isReadOnly() && OnScreen(editor, editor.Caret())) {
      context = CompletionContextAt(editor, Document.Blocks(), editor.Caret());
      if (forced || !context.Prefix.empty() || context.Kind == TCompletionKind::AtRule ||
          context.Kind == TCompletionKind::Value || context.Kind == TCompletionKind::Unit) {
        candidates = CompletionCandidates(context, Assist.Sources());
      }
    }
    if (!wasOpen) {
      // Asked for (Ctrl+Space, a name chosen) or opened for a word the user began, it is the
      // user's list; one that opened by itself after ":" or a number is not, until they type
      // into it or move in it.
      UserChose = forced || !context.Prefix.empty();
    }
    // A list holding only the word as typed has nothing to offer.
    if (candidates.empty() || (!forced && candidates.size() == 1 &&
                               EqualIgnoringAsciiCase(candidates.front(), context.Prefix))) {
      if (editor.isListActive()) {
        editor.cancelList();
      }
      return;
    }
    QStringList items;
    items.reserve(static_cast<qsizetype>(candidates.size()));
    for (const std::string& candidate : candidates) {
      items.append(QString::fromStdString(candidate));
    }
    editor.SendScintilla(Sci::SCI_CALLTIPCANCEL);
    editor.showUserList(kListId, items);
  }

  // Inside the brackets of var(), the custom properties the sheet defines, each with its value;
  // false elsewhere.
  bool ShowVarList(bool forced) {
    TCssEditor& editor = *Document.Editor();
    const std::optional<TVarCompletion> var = VarCompletionAt(editor, editor.Caret());
    if (!var) {
      return false;
    }
    std::vector<TVarCandidate> candidates;
    if (!editor.SelAvail() && !editor.isReadOnly() && OnScreen(editor, editor.Caret())) {
      candidates =
          VarCandidates(editor, FindCustomProperties(editor, Document.Blocks()), var->Prefix);
    }
    if (candidates.empty() ||
        (!forced && candidates.size() == 1 && candidates.front().Name == var->Prefix)) {
      if (editor.isListActive()) {
        editor.cancelList();
      }
      return true;
    }
    QStringList items;
    for (const TVarCandidate& candidate : candidates) {
      items.append(QString::fromStdString(candidate.Name) + kVarValueGap +
                   QString::fromStdString(candidate.Value));
    }
    editor.SendScintilla(Sci::SCI_CALLTIPCANCEL);
    editor.showUserList(kVarListId, items);
    return true;
  }

  void ChooseVar(const QString& chosen) {
    TCssEditor& editor = *Document.Editor();
    const std::optional<TVarCompletion> var = VarCompletionAt(editor, editor.Caret());
    if (!var) {
      return;
    }
    const std::string name = chosen.section(kVarValueGap, 0, 0).toStdString();
    TOpenDocument::TEditScope scope(Document);
    scope.Apply(TEditBatch(
        TTextEdit{var->Start, var->End, name, var->Start + static_cast<int32_t>(name.size())}));
  }

  void Choose(int id, const QString& chosen) {
    if (id == kVarListId) {
      ChooseVar(chosen);
      return;
    }
    if (id != kListId) {
      return;
    }
    TCssEditor& editor = *Document.Editor();
    const TCompletionContext context =
        CompletionContextAt(editor, Document.Blocks(), editor.Caret());
    if (context.Kind == TCompletionKind::None) {
      return;
    }
    {
      TOpenDocument::TEditScope scope(Document);
      scope.Apply(TEditBatch(PlanCompletion(context, chosen.toStdString())));
    }
    if (context.Kind == TCompletionKind::Property) {
      // The editor closes its list once this notification returns: the values' list opens after.
      QMetaObject::invokeMethod(
          this, [this] { ShowList(true); }, Qt::QueuedConnection);
    }
  }

  bool ShowTip(int32_t position) {
    TCssEditor& editor = *Document.Editor();
    if (position < 0 || editor.isListActive() || !OnScreen(editor, position)) {
      return false;
    }
    const std::string tip = Assist.TipAt(Document, position);
    if (tip.empty()) {
      return false;
    }
    editor.SendScintilla(Sci::SCI_CALLTIPSHOW, static_cast<unsigned long>(position), tip.c_str());
    return true;
  }

  TOpenDocument& Document;
  const TEditorAssist& Assist;
  bool ListPending = false;
  // The user has chosen in the open list: moved in it, typed into its word or asked for it.
  bool UserChose = false;
};

}  // namespace

TEditorAssist::TEditorAssist(const TDeclarationSync& sync, QObject* parent)
    : QObject(parent), Sync(sync) {}

TEditorAssist::~TEditorAssist() = default;

void TEditorAssist::Attach(TOpenDocument& document) {
  new TDocumentAssist(document, *this);
}

const TInspectorCollection& TEditorAssist::Catalogue() const {
  return Sync.Catalogue();
}

const TValueChecker* TEditorAssist::Checker() const {
  return &Sync.ValueChecker();
}

std::string TEditorAssist::TipAt(const TOpenDocument& document, int32_t position) const {
  // A problem the check marks there matters more than what the word is.
  if (const TProblemSpan* problem = document.ProblemAt(position)) {
    return WrappedTip(problem->Detail.empty() ? problem->Message
                                              : problem->Message + "\n" + problem->Detail);
  }
  const TCssEditor& editor = *document.Editor();
  const TModList& blocks = document.Blocks();
  // Over a selector its specificity; over a var() or a custom property's name its value.
  std::string tip = SpecificityTipAt(editor, blocks, position);
  if (tip.empty()) {
    tip = CustomPropertyTipAt(editor, blocks, position);
  }
  if (tip.empty()) {
    tip = HoverTextAt(editor, blocks, position, Catalogue(), Checker());
  }
  return WrappedTip(tip);
}

TCompletionSources TEditorAssist::Sources() const {
  return {&Catalogue(), Checker()};
}

}  // namespace qm
