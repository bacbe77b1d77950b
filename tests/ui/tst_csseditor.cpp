// SPDX-License-Identifier: GPL-3.0-or-later
// The editor widget against the model's in-memory document: the same lines, scanner states,
// tokens, colours and brace partners on every corpus sheet and on generated sheets, and after
// edits typed into the middle of a sheet.
#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QKeyEvent>
#include <QTest>

#include "controls/csseditor.h"
#include "model/text/memorydocument.h"
#include "sheets.h"
#include "testenv.h"

using namespace qm;

namespace {

// Compares everything the model asks a document, and the colours the editor shows.
void CompareDocuments(TCssEditor& editor, const TMemoryDocument& memory, const std::string& name) {
  const char* where = name.c_str();
  QVERIFY2(editor.Text() == memory.Text(), where);
  QCOMPARE(editor.LineCount(), memory.LineCount());
  editor.SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0, -1);
  const std::vector<std::vector<TToken>> tokens = memory.AllTokens();
  for (int32_t line = 1; line <= memory.LineCount(); ++line) {
    QCOMPARE(editor.LineStart(line), memory.LineStart(line));
    QCOMPARE(editor.LineLength(line), memory.LineLength(line));
    QVERIFY2(editor.LineStartState(line) == memory.LineStartState(line), where);
    QVERIFY2(editor.LineTokens(line) == tokens[static_cast<size_t>(line - 1)], where);
    // Every byte of the line is drawn in the style of its token's kind.
    const int32_t start = memory.LineStart(line);
    for (const TToken& token : tokens[static_cast<size_t>(line - 1)]) {
      for (int32_t i = token.Start; i < token.Start + token.Length; ++i) {
        const long style = editor.SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, start + i);
        if (style != static_cast<long>(token.Kind)) {
          QFAIL(qPrintable(QStringLiteral("%1: style %2 at %3, token kind %4")
                               .arg(where)
                               .arg(style)
                               .arg(start + i)
                               .arg(static_cast<int>(token.Kind))));
        }
      }
    }
  }
  const std::string_view text = memory.Text();
  for (size_t i = text.find('{'); i != std::string_view::npos; i = text.find('{', i + 1)) {
    QCOMPARE(editor.MatchingBrace(static_cast<int32_t>(i)),
             memory.MatchingBrace(static_cast<int32_t>(i)));
  }
}

}  // namespace

class TestCssEditor : public QObject {
  Q_OBJECT

 private slots:
  void answersAsTheModelDoesOnEverySheet() {
    std::vector<TSample> sheets = CorpusSheets();
    for (TSample& sample : GeneratedSheets()) {
      sheets.push_back(std::move(sample));
    }
    QVERIFY(sheets.size() > 40);
    for (const TSample& sample : sheets) {
      TCssEditor editor;
      editor.LoadBytes(sample.text);
      const TMemoryDocument memory(sample.text);
      CompareDocuments(editor, memory, sample.name);
      if (QTest::currentTestFailed()) {
        return;
      }
    }
  }

  void editsRestyleWhatTheyChange() {
    const std::vector<TSample> sheets = CorpusSheets();
    const std::string& text = sheets.front().text;
    TCssEditor editor;
    editor.resize(600, 400);
    editor.show();
    editor.LoadBytes(text);
    TMemoryDocument memory(text);
    const uint64_t version = editor.TextVersion();
    // An opened comment in the middle runs on to the next "*/"; closing it restores the rest.
    const int32_t middle = memory.LineStart(memory.LineCount() / 2);
    for (const char* typed : {"/*", "x", "*/", "\"", "{"}) {
      editor.SetCaret(middle);
      QTest::keyClicks(&editor, QString::fromLatin1(typed));
      memory.Replace(middle, 0, typed);
      CompareDocuments(editor, memory, std::string("after typing ") + typed);
      if (QTest::currentTestFailed()) {
        return;
      }
    }
    QVERIFY(editor.TextVersion() != version);
  }

  // Without a screen reader QScintilla's accessibility hooks are kept away from every change; once
  // one starts, every editor, open or opened later, offers its text to it and follows typing.
  void aScreenReaderGetsTheTextAndItsChanges() {
    TCssEditor before;
    before.LoadBytes("a { }");
    QVERIFY(!before.AccessibilityFollowsText());
    QAccessibleInterface* stand = QAccessible::queryAccessibleInterface(&before);
    QVERIFY(stand != nullptr && stand->textInterface() == nullptr);

    QAccessible::setActive(true);
    TCssEditor after;
    after.LoadBytes("p { }");
    for (TCssEditor* editor : {&before, &after}) {
      QVERIFY(editor->AccessibilityFollowsText());
      QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(editor);
      QVERIFY(reader != nullptr && reader->textInterface() != nullptr);
      editor->SetCaret(0);
      QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("é"));
      QApplication::sendEvent(editor, &typed);
      QCOMPARE(reader->textInterface()->characterCount(), 6);
      QCOMPARE(reader->textInterface()->text(0, 2).at(0), QChar(0xE9));
    }
  }

  void loadingGivesAnUnmodifiedDocumentWithNothingToUndo() {
    TCssEditor editor;
    editor.LoadBytes(std::string("a{}\r\nb\0c", 8));
    QCOMPARE(editor.Text().size(), size_t(8));
    QVERIFY(!editor.Modified());
    QVERIFY(!editor.isUndoAvailable());
    QCOMPARE(editor.Caret(), 0);
    QCOMPARE(editor.IndexToLineCol(6), (TLineCol{2, 2}));
    QCOMPARE(editor.IndexToLineCol(3), (TLineCol{1, 4}));  // the CR
    QCOMPARE(editor.IndexToLineCol(4), (TLineCol{1, 5}));  // the LF
    QCOMPARE(editor.IndexToLineCol(-1), (TLineCol{1, 0}));
    QCOMPARE(editor.IndexToLineCol(9), (TLineCol{2, 5}));  // the last line's break, were it there
    QCOMPARE(editor.IndexToLineCol(10), (TLineCol{3, 1}));
    QCOMPARE(editor.LineColToIndex(9, 2), 6);
  }
};

QM_TEST_MAIN(TestCssEditor)
#include "tst_csseditor.moc"
