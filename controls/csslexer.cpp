// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/csslexer.h"

#include <Qsci/qsciscintilla.h>

#include <QApplication>
#include <QPalette>

#include "platform/settings.h"

namespace qm {

namespace {

QColor ToQColor(int32_t color) {
  return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

constexpr int kNullStyle = static_cast<int>(TTokenKind::Null);

}  // namespace

TCssLexer::TCssLexer(QObject* parent) : QsciLexerCustom(parent) {
  BaseFont = QFont(QString::fromLatin1(Setting::FontName.Default), Setting::FontSize.Default);
  ApplyStyles();
}

QString TCssLexer::description(int style) const {
  if (style >= 0 && style < static_cast<int>(TokenAttributes.size())) {
    return QString::fromLatin1(TokenAttributes[static_cast<size_t>(style)].Name.data(),
                               static_cast<qsizetype>(TokenAttributes[style].Name.size()));
  }
  // Scintilla asks for descriptions until an empty one; the Null kind has no attribute.
  return style == kNullStyle ? QStringLiteral("Null") : QString();
}

void TCssLexer::SetBaseFont(const QFont& font) {
  BaseFont = font;
  ApplyStyles();
}

void TCssLexer::SetStyles(const TSyntaxStyles& styles) {
  Styles = styles;
  ApplyStyles();
}

void TCssLexer::ApplyStyles() {
  const QPalette palette = QApplication::palette();
  const QColor text = palette.color(QPalette::Text);
  const QColor paper = palette.color(QPalette::Base);
  setDefaultFont(BaseFont);
  setDefaultColor(text);
  setDefaultPaper(paper);
  for (int style = 0; style <= kNullStyle; ++style) {
    QFont font = BaseFont;
    QColor fore = text;
    QColor back = paper;
    if (style < kNullStyle) {
      const TSyntaxStyle& s = Styles[static_cast<size_t>(style)];
      font.setBold((s.Style & StyleBold) != 0);
      font.setItalic((s.Style & StyleItalic) != 0);
      font.setUnderline((s.Style & StyleUnderline) != 0);
      font.setStrikeOut((s.Style & 8) != 0);
      fore = s.Foreground ? ToQColor(*s.Foreground) : text;
      back = s.Background ? ToQColor(*s.Background) : paper;
    }
    setFont(font, style);
    setColor(fore, style);
    setPaper(back, style);
  }
}

void TCssLexer::styleText(int start, int end) {
  QsciScintilla* ed = editor();
  if (ed == nullptr || end <= start) {
    return;
  }
  // Restart at the line's start: the line state of the line before is the state there.
  const auto send = [ed](unsigned int msg, unsigned long w = 0, long l = 0) {
    return ed->SendScintilla(msg, w, l);
  };
  long line = send(QsciScintillaBase::SCI_LINEFROMPOSITION, static_cast<unsigned long>(start));
  const long lastLine =
      send(QsciScintillaBase::SCI_LINEFROMPOSITION, static_cast<unsigned long>(end - 1));
  TScanState state = line == 0 ? TScanState{}
                               : TScanState::Decode(static_cast<int32_t>(
                                     send(QsciScintillaBase::SCI_GETLINESTATE, line - 1)));
  const long length = send(QsciScintillaBase::SCI_GETLENGTH);
  long lineStart = send(QsciScintillaBase::SCI_POSITIONFROMLINE, line);
  startStyling(lineStart);
  for (; line <= lastLine; ++line) {
    const long next = line + 1 < send(QsciScintillaBase::SCI_GETLINECOUNT)
                          ? send(QsciScintillaBase::SCI_POSITIONFROMLINE, line + 1)
                          : length;
    const auto* bytes = reinterpret_cast<const char*>(
        send(QsciScintillaBase::SCI_GETRANGEPOINTER, lineStart, next - lineStart));
    TLineScanner scanner(std::string_view(bytes, static_cast<size_t>(next - lineStart)), state);
    TToken token;
    while (scanner.Next(token)) {
      setStyling(token.Length, static_cast<int>(token.Kind));
    }
    state = scanner.State();
    send(QsciScintillaBase::SCI_SETLINESTATE, line, state.Encode());
    lineStart = next;
  }
}

}  // namespace qm
