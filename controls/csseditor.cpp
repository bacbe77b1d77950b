// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/csseditor.h"

#include "controls/csslexer.h"
#include "controls/linemarks.h"

#include <algorithm>
#include <utility>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QDragEnterEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPalette>

#include "platform/settings.h"

namespace qm {

namespace {

bool CarriesFiles(const QMimeData* mime) {
  return mime != nullptr && mime->hasUrls();
}

// Without a screen reader Scintilla reports only what is about to change: QScintilla answers the
// reports of done insertions and deletions by counting characters from the document's start.
constexpr int kQuietEvents =
    QsciScintillaBase::SC_MOD_BEFOREINSERT | QsciScintillaBase::SC_MOD_BEFOREDELETE;
constexpr int kAllEvents = QsciScintillaBase::SC_MODEVENTMASKALL;

}  // namespace

// Keeps QScintilla's accessible object from being made while no screen reader is running (its
// caret report counts characters from the start on every screen update), and hands the editors
// over to it as soon as one starts.
class TEditorAccessibility : public QAccessible::ActivationObserver {
 public:
  static TEditorAccessibility& Instance() {
    static TEditorAccessibility instance;
    return instance;
  }
  bool Active() const { return Active_; }
  void Add(TCssEditor* editor) {
    Editors_.push_back(editor);
    // Installed after QScintilla's own factory, which the first editor installs: asked first.
    if (!Installed_) {
      Installed_ = true;
      QAccessible::installFactory(&TEditorAccessibility::Factory);
      QAccessible::installActivationObserver(this);
    }
  }
  void Remove(TCssEditor* editor) { std::erase(Editors_, editor); }

  void accessibilityActiveChanged(bool active) override {
    // Once a screen reader was seen the editors stay with it: one may start again at any time.
    if (!active || Active_) {
      return;
    }
    Active_ = true;
    for (TCssEditor* editor : Editors_) {
      editor->FollowAccessibility(true);
    }
  }

 private:
  TEditorAccessibility() : Active_(QAccessible::isActive()) {}

  static QAccessibleInterface* Factory(const QString& className, QObject* object) {
    if (Instance().Active_ ||
        className != QLatin1String(TCssEditor::staticMetaObject.className())) {
      return nullptr;
    }
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::EditableText);
  }

  std::vector<TCssEditor*> Editors_;
  bool Active_ = false;
  bool Installed_ = false;
};

TCssEditor::TCssEditor(QWidget* parent) : QsciScintilla(parent) {
  CssLexer = new TCssLexer(this);
  setLexer(CssLexer);
  SendScintilla(SCI_SETCODEPAGE, SC_CP_UTF8);
  setEolMode(EolWindows);
  SendScintilla(SCI_SETPASTECONVERTENDINGS, 1);
  setUtf8(true);

  const QPalette palette = QApplication::palette();
  setMarginType(0, NumberMargin);
  setMarginLineNumbers(0, true);
  setMarginWidth(1, 0);
  SendScintilla(SCI_SETMARGINLEFT, 0, 8);
  TLineMarks::Prepare(*this);

  setCaretLineVisible(true);
  setCaretLineBackgroundColor(palette.color(QPalette::ToolTipBase));
  setSelectionForegroundColor(palette.color(QPalette::HighlightedText));
  setSelectionBackgroundColor(palette.color(QPalette::Highlight));
  setEdgeMode(EdgeLine);
  setEdgeColumn(80);

  setAutoIndent(true);
  setIndentationsUseTabs(false);
  setTabIndents(true);
  setBackspaceUnindents(true);
  setWrapMode(WrapNone);
  // Horizontal scroll bar only when a line is wider than the view.
  SendScintilla(SCI_SETSCROLLWIDTH, 1);
  SendScintilla(SCI_SETSCROLLWIDTHTRACKING, 1);

  ApplyFont(QString::fromLatin1(Setting::FontName.Default), Setting::FontSize.Default);
  ApplyTabWidth(Setting::TabWidth.Default);
  UpdateGutterWidth();

  // Told before each change, so in every mode of accessibility alike; what reads the changed
  // text learns of it from TextChanged.
  connect(this, &QsciScintilla::SCN_MODIFIED, this,
          [this](int position, int type, const char*, int length) {
            if ((type & (SC_PERFORMED_UNDO | SC_PERFORMED_REDO)) != 0) {
              PendingUndoRedo = true;
            }
            if ((type & SC_MOD_BEFOREINSERT) != 0) {
              NoteChange(position, 0, length);
            } else if ((type & SC_MOD_BEFOREDELETE) != 0) {
              NoteChange(position, length, 0);
            }
          });
  TEditorAccessibility::Instance().Add(this);
  FollowAccessibility(TEditorAccessibility::Instance().Active());
  connect(this, &QsciScintilla::SCN_SAVEPOINTLEFT, this, &TCssEditor::CheckStatus);
  connect(this, &QsciScintilla::SCN_SAVEPOINTREACHED, this, &TCssEditor::CheckStatus);
  connect(this, &QsciScintilla::SCN_UPDATEUI, this, &TCssEditor::CheckStatus);
}

TCssEditor::~TCssEditor() {
  TEditorAccessibility::Instance().Remove(this);
}

void TCssEditor::FollowAccessibility(bool active) {
  SendScintilla(SCI_SETMODEVENTMASK, active ? kAllEvents : kQuietEvents);
  if (!active) {
    return;
  }
  // The stand-in made while none was running has no text to offer: the next question gets
  // QScintilla's own.
  QAccessibleInterface* known = QAccessible::queryAccessibleInterface(this);
  if (known != nullptr && known->textInterface() == nullptr) {
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(known));
  }
}

bool TCssEditor::AccessibilityFollowsText() const {
  return (const_cast<TCssEditor*>(this)->SendScintilla(SCI_GETMODEVENTMASK) & SC_MOD_INSERTTEXT) !=
         0;
}

void TCssEditor::NoteChange(int32_t position, int32_t removed, int32_t inserted) {
  ++Version;
  Changes.Add(Version, {position, position + removed, position + inserted});
  if (!ChangePending) {
    ChangePending = true;
    QMetaObject::invokeMethod(this, &TCssEditor::FlushChange, Qt::QueuedConnection);
  }
}

void TCssEditor::FlushChange() {
  if (!std::exchange(ChangePending, false)) {
    return;
  }
  UpdateGutterWidth();
  emit TextChanged(std::exchange(PendingUndoRedo, false));
}

std::optional<TTextChange> TCssEditor::ChangedSince(uint64_t version) const {
  return Changes.Since(version);
}

std::string_view TCssEditor::Text() const {
  auto* self = const_cast<TCssEditor*>(this);
  const auto length = static_cast<size_t>(self->SendScintilla(SCI_GETLENGTH));
  const auto* data = reinterpret_cast<const char*>(self->SendScintilla(SCI_GETCHARACTERPOINTER));
  return {data, length};
}

int32_t TCssEditor::LineCount() const {
  return static_cast<int32_t>(const_cast<TCssEditor*>(this)->SendScintilla(SCI_GETLINECOUNT));
}

int32_t TCssEditor::LineStart(int32_t line) const {
  return static_cast<int32_t>(
      const_cast<TCssEditor*>(this)->SendScintilla(SCI_POSITIONFROMLINE, line - 1));
}

int32_t TCssEditor::LineLength(int32_t line) const {
  auto* self = const_cast<TCssEditor*>(this);
  return static_cast<int32_t>(self->SendScintilla(SCI_GETLINEENDPOSITION, line - 1) -
                              self->SendScintilla(SCI_POSITIONFROMLINE, line - 1));
}

TScanState TCssEditor::LineStartState(int32_t line) const {
  if (line <= 1) {
    return TScanState{};
  }
  auto* self = const_cast<TCssEditor*>(this);
  // The state is the one the line before ended in, so that line must be styled.
  const long before = self->SendScintilla(SCI_POSITIONFROMLINE, line - 1);
  if (self->SendScintilla(SCI_GETENDSTYLED) < before) {
    self->SendScintilla(SCI_COLOURISE, self->SendScintilla(SCI_GETENDSTYLED), before);
  }
  return TScanState::Decode(static_cast<int32_t>(self->SendScintilla(SCI_GETLINESTATE, line - 2)));
}

void TCssEditor::LoadBytes(std::string_view bytes) {
  const bool wasReadOnly = isReadOnly();
  setReadOnly(false);
  SendScintilla(SCI_CLEARALL);
  // Length-counted: the text may hold NUL bytes.
  SendScintilla(SCI_APPENDTEXT, static_cast<unsigned long>(bytes.size()), bytes.data());
  SendScintilla(SCI_EMPTYUNDOBUFFER);
  SendScintilla(SCI_SETSAVEPOINT);
  SendScintilla(SCI_GOTOPOS, 0);
  setReadOnly(wasReadOnly);
  CheckStatus();
}

void TCssEditor::SetEncoding(TTextEncoding encoding) {
  Encoding_ = encoding;
  // Scintilla's single-byte mode: positions stay bytes, one per character.
  setUtf8(encoding == TTextEncoding::Utf8);
  SendScintilla(SCI_SETCODEPAGE, encoding == TTextEncoding::Utf8 ? SC_CP_UTF8 : 0);
}

std::optional<QByteArray> TCssEditor::Encoded(const QString& text) const {
  const QByteArray utf8 = text.toUtf8();
  if (Encoding_ == TTextEncoding::Utf8) {
    return utf8;
  }
  // Without this the editor would store each character's Latin-1 byte, or "?" for one that has
  // none: the file would hold something other than what was typed.
  const TEightBitText bytes = Utf8ToEightBit(std::string_view(utf8.constData(), utf8.size()));
  if (bytes.Unencodable) {
    emit const_cast<TCssEditor*>(this)->TextRefused(
        QString::fromStdString(UnencodableMessage(*bytes.Unencodable)));
    return std::nullopt;
  }
  return QByteArray(bytes.Bytes.data(), static_cast<qsizetype>(bytes.Bytes.size()));
}

int32_t TCssEditor::Caret() const {
  return static_cast<int32_t>(const_cast<TCssEditor*>(this)->SendScintilla(SCI_GETCURRENTPOS));
}

void TCssEditor::SetCaret(int32_t index) {
  SendScintilla(SCI_GOTOPOS, index);
  // Up and Down go on from this column, not from where the caret was before.
  SendScintilla(SCI_CHOOSECARETX);
  UnfoldCaretLine();
  CheckStatus();
}

TLineCol TCssEditor::CaretLineCol() const {
  return IndexToLineCol(Caret());
}

int32_t TCssEditor::SelStart() const {
  return static_cast<int32_t>(const_cast<TCssEditor*>(this)->SendScintilla(SCI_GETSELECTIONSTART));
}

int32_t TCssEditor::SelEnd() const {
  return static_cast<int32_t>(const_cast<TCssEditor*>(this)->SendScintilla(SCI_GETSELECTIONEND));
}

bool TCssEditor::SelAvail() const {
  return SelEnd() > SelStart();
}

void TCssEditor::SetSelection(int32_t start, int32_t end) {
  SendScintilla(SCI_SETSEL, start, end);
  UnfoldCaretLine();
  CheckStatus();
}

void TCssEditor::MoveSelectionEnd(int32_t index) {
  SendScintilla(SCI_SETCURRENTPOS, index);
  UnfoldCaretLine();
  CheckStatus();
}

void TCssEditor::UnfoldCaretLine() {
  // Wherever the program puts the caret (a match found, a block chosen, a definition gone to)
  // the user sees it: a folded block around it opens.
  SendScintilla(SCI_ENSUREVISIBLE,
                SendScintilla(SCI_LINEFROMPOSITION, SendScintilla(SCI_GETCURRENTPOS)));
}

void TCssEditor::SetFirstVisibleLine(int32_t line) {
  SendScintilla(SCI_SETFIRSTVISIBLELINE, std::max(0, line - 1));
}

bool TCssEditor::Modified() const {
  return const_cast<TCssEditor*>(this)->SendScintilla(SCI_GETMODIFY) != 0;
}

void TCssEditor::SetModified(bool modified) {
  setModified(modified);
  CheckStatus();
}

void TCssEditor::ApplySyntaxStyles(const TSyntaxStyles& styles) {
  CssLexer->SetStyles(styles);
}

void TCssEditor::ApplyFont(const QString& family, int pointSize) {
  QFont font(family, pointSize);
  font.setStyleHint(QFont::TypeWriter);
  setFont(font);
  CssLexer->SetBaseFont(font);
  // Clearing the styles also reset the gutter's: line numbers in the highlight colours, in a
  // small fixed-pitch font.
  const QPalette palette = QApplication::palette();
  setMarginsBackgroundColor(palette.color(QPalette::Highlight));
  setMarginsForegroundColor(palette.color(QPalette::HighlightedText));
  GutterFont = QFont(QStringLiteral("Terminal"));
  GutterFont.setStyleHint(QFont::TypeWriter);
  GutterFont.setPointSize(8);  // 11 pixels at 96 dpi; the editor sizes fonts in points
  setMarginsFont(GutterFont);
  GutterDigits = 0;
  UpdateGutterWidth();
}

QFont TCssEditor::EditorFont() const {
  return CssLexer->defaultFont();
}

void TCssEditor::ApplyTabWidth(int columns) {
  setTabWidth(columns);
}

namespace {

bool IsAscii(const QString& text) {
  return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

}  // namespace

void TCssEditor::keyPressEvent(QKeyEvent* event) {
  const QString text = event->text();
  // Modifiers do not matter: AltGr, which types "€" on many keyboards, arrives as Ctrl+Alt.
  const bool typed = !text.isEmpty() && text.front().isPrint();
  if (Encoding_ == TTextEncoding::EightBit && typed && !IsAscii(text) && !isReadOnly()) {
    event->accept();
    if (const std::optional<QByteArray> bytes = Encoded(text)) {
      SendScintilla(SCI_REPLACESEL, static_cast<unsigned long>(0), bytes->constData());
    }
    CheckStatus();
    return;
  }
  QsciScintilla::keyPressEvent(event);
  CheckStatus();
}

void TCssEditor::mousePressEvent(QMouseEvent* event) {
  QsciScintilla::mousePressEvent(event);
  CheckStatus();
}

void TCssEditor::mouseMoveEvent(QMouseEvent* event) {
  QsciScintilla::mouseMoveEvent(event);
  CheckStatus();
}

void TCssEditor::mouseReleaseEvent(QMouseEvent* event) {
  QsciScintilla::mouseReleaseEvent(event);
  CheckStatus();
}

void TCssEditor::inputMethodEvent(QInputMethodEvent* event) {
  if (Encoding_ == TTextEncoding::EightBit && !event->commitString().isEmpty()) {
    // The committed text is stored here in the file's encoding; the rest of the event (the
    // text being composed) goes on as it came.
    if (const std::optional<QByteArray> bytes = Encoded(event->commitString())) {
      SendScintilla(SCI_REPLACESEL, static_cast<unsigned long>(0), bytes->constData());
    }
    QInputMethodEvent rest(event->preeditString(), event->attributes());
    QsciScintilla::inputMethodEvent(&rest);
    event->accept();
    CheckStatus();
    return;
  }
  QsciScintilla::inputMethodEvent(event);
  CheckStatus();
}

QByteArray TCssEditor::fromMimeData(const QMimeData* source, bool& rectangular) const {
  QByteArray bytes = QsciScintilla::fromMimeData(source, rectangular);
  if (Encoding_ == TTextEncoding::Utf8 || bytes.isEmpty()) {
    return bytes;
  }
  // An empty answer inserts nothing.
  return Encoded(source->text()).value_or(QByteArray());
}

QMimeData* TCssEditor::toMimeData(const QByteArray& text, bool rectangular) const {
  QMimeData* mime = QsciScintilla::toMimeData(text, rectangular);
  if (Encoding_ == TTextEncoding::EightBit) {
    mime->setText(QString::fromStdString(
        EightBitToUtf8(std::string_view(text.constData(), static_cast<size_t>(text.size())))));
  }
  return mime;
}

void TCssEditor::dragEnterEvent(QDragEnterEvent* event) {
  if (CarriesFiles(event->mimeData())) {
    event->ignore();
    return;
  }
  QsciScintilla::dragEnterEvent(event);
}

void TCssEditor::dragMoveEvent(QDragMoveEvent* event) {
  if (CarriesFiles(event->mimeData())) {
    event->ignore();
    return;
  }
  QsciScintilla::dragMoveEvent(event);
}

void TCssEditor::dropEvent(QDropEvent* event) {
  if (CarriesFiles(event->mimeData())) {
    event->ignore();
    return;
  }
  QsciScintilla::dropEvent(event);
  CheckStatus();
}

void TCssEditor::CheckStatus() {
  FlushChange();
  TStatus now;
  now.Caret = Caret();
  now.Anchor = static_cast<int32_t>(SendScintilla(SCI_GETANCHOR));
  now.CaretLine = static_cast<int32_t>(SendScintilla(SCI_LINEFROMPOSITION, now.Caret)) + 1;
  now.Modified = Modified();
  TStatusChanges changes;
  if (now.Caret != Reported.Caret) {
    changes |= TStatusChange::Caret;
  }
  if (now.CaretLine != Reported.CaretLine) {
    changes |= TStatusChange::CaretLine;
  }
  if (now.Anchor != Reported.Anchor || now.Caret != Reported.Caret) {
    if (now.Anchor != now.Caret || Reported.Anchor != Reported.Caret) {
      changes |= TStatusChange::Selection;
    }
  }
  if (now.Modified != Reported.Modified) {
    changes |= TStatusChange::Modified;
  }
  Reported = now;
  if (changes) {
    emit StatusChange(changes);
  }
}

void TCssEditor::UpdateGutterWidth() {
  const int digits = std::max(3, static_cast<int>(QString::number(LineCount()).size()) + 1);
  if (digits != GutterDigits) {
    GutterDigits = digits;
    // Measured here: Scintilla measures nothing until the editor has been shown.
    const QFontMetrics metrics(GutterFont);
    SendScintilla(SCI_SETMARGINWIDTHN, 0,
                  metrics.horizontalAdvance(QString(digits, QLatin1Char('9'))) + 8);
  }
}

}  // namespace qm
