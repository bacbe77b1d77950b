// SPDX-License-Identifier: GPL-3.0-or-later
// Several carets and columns with the mouse and the keys, folding from the gutter and the keys,
// zoom and word wrap: each gesture's text, carets and steps of Undo as a user meets them.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QSpinBox>
#include <QWheelEvent>

#include "dialogs/finddialog.h"
#include "platform/settings.h"
#include "testenv.h"

using namespace qm;

namespace {

using Sci = QsciScintillaBase;

// Where the byte at position is drawn, in the editor's viewport.
QPoint PointOf(TCssEditor& editor, int32_t position) {
  const auto x = static_cast<int>(
      editor.SendScintilla(Sci::SCI_POINTXFROMPOSITION, 0UL, static_cast<long>(position)));
  const auto y = static_cast<int>(
      editor.SendScintilla(Sci::SCI_POINTYFROMPOSITION, 0UL, static_cast<long>(position)));
  return {x + 1, y + static_cast<int>(editor.SendScintilla(Sci::SCI_TEXTHEIGHT, 0UL)) / 2};
}

int32_t IndexOf(TCssEditor& editor, const char* text, int from = 0) {
  return static_cast<int32_t>(Text(&editor).indexOf(text, from));
}

long Selections(TCssEditor& editor) {
  return editor.SendScintilla(Sci::SCI_GETSELECTIONS);
}

void AltDrag(TCssEditor& editor, QPoint from, QPoint to) {
  QWidget* viewport = editor.viewport();
  QTest::mousePress(viewport, Qt::LeftButton, Qt::AltModifier, from);
  QMouseEvent move(QEvent::MouseMove, to, viewport->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                   Qt::AltModifier);
  QApplication::sendEvent(viewport, &move);
  QTest::mouseRelease(viewport, Qt::LeftButton, Qt::AltModifier, to);
}

bool LineVisible(TCssEditor& editor, int line0) {
  return editor.SendScintilla(Sci::SCI_GETLINEVISIBLE, static_cast<unsigned long>(line0)) != 0;
}

const QByteArray kRules =
    "a {\r\n  color: red;\r\n}\r\nb {\r\n  color: blue;\r\n  top: 0;\r\n}\r\nc {\r\n  left: "
    "0;\r\n}";

}  // namespace

class TestSeveralCarets : public QObject {
  Q_OBJECT

 private:
  TCssEditor* Open(TTestEnv& env, const QByteArray& text) {
    TFrmMain& w = env.MakeWindow();
    w.resize(1000, 700);
    w.show();
    if (!QTest::qWaitForWindowExposed(&w)) {
      return nullptr;
    }
    w.Tabs().OpenOperation(env.WriteFile(QStringLiteral("sheet.css"), text));
    TCssEditor* editor = w.Tabs().CurrentEditor();
    editor->setFocus();
    QCoreApplication::processEvents();
    return editor;
  }

 private slots:
  void altClickAddsACaretAndTypingActsAtEveryOneAsOneStep() {
    TTestEnv env;
    TCssEditor* editor = Open(env, "a {\r\n  color: red;\r\n  top: 0;\r\n}");
    QVERIFY(editor != nullptr);
    editor->SetCaret(IndexOf(*editor, "color"));
    const QPoint top = PointOf(*editor, IndexOf(*editor, "top"));
    QTest::mouseClick(editor->viewport(), Qt::LeftButton, Qt::AltModifier, top);
    QCOMPARE(Selections(*editor), 2L);
    // Each key acts at every caret and is one step of Undo.
    QTest::keyClicks(editor, QStringLiteral("xy"));
    QCOMPARE(Text(editor), QByteArray("a {\r\n  xycolor: red;\r\n  xytop: 0;\r\n}"));
    QTest::keyClick(editor, Qt::Key_Backspace);
    QTest::keyClick(editor, Qt::Key_Delete);
    QCOMPARE(Text(editor), QByteArray("a {\r\n  xolor: red;\r\n  xop: 0;\r\n}"));
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Text(editor), QByteArray("a {\r\n  xcolor: red;\r\n  xtop: 0;\r\n}"));
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Text(editor), QByteArray("a {\r\n  xycolor: red;\r\n  xytop: 0;\r\n}"));
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Text(editor), QByteArray("a {\r\n  color: red;\r\n  top: 0;\r\n}"));

    // Paste puts the clipboard at every caret, one step of Undo too.
    editor->SetCaret(IndexOf(*editor, "color"));
    QTest::mouseClick(editor->viewport(), Qt::LeftButton, Qt::AltModifier, top);
    QCOMPARE(Selections(*editor), 2L);
    QApplication::clipboard()->setText(QStringLiteral("Q"));
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(Text(editor), QByteArray("a {\r\n  Qcolor: red;\r\n  Qtop: 0;\r\n}"));

    // Escape keeps the caret added last, the main one, and the views follow it.
    QTest::keyClick(editor, Qt::Key_Escape);
    QCOMPARE(Selections(*editor), 1L);
    QCOMPARE(editor->Caret(), IndexOf(*editor, "top"));
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Text(editor), QByteArray("a {\r\n  color: red;\r\n  top: 0;\r\n}"));
  }

  void commentAndIndentActOnTheLineOfEveryCaret() {
    TTestEnv env;
    const QByteArray text = "a {\r\n  color: red;\r\n  top: 0;\r\n  left: 1;\r\n}";
    TCssEditor* editor = Open(env, text);
    QVERIFY(editor != nullptr);
    editor->SetCaret(IndexOf(*editor, "color") + 2);
    QTest::mouseClick(editor->viewport(), Qt::LeftButton, Qt::AltModifier,
                      PointOf(*editor, IndexOf(*editor, "left") + 1));
    QTest::keyClick(editor, Qt::Key_K, Qt::ControlModifier);
    const QList<QByteArray> lines = Text(editor).split('\n');
    QVERIFY(lines[1].contains("/*"));
    QVERIFY(!lines[2].contains("/*"));
    QVERIFY(lines[3].contains("/*"));
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Text(editor), text);
  }

  void altDragAndAltShiftArrowsSelectAColumn() {
    TTestEnv env;
    TCssEditor* editor = Open(env, "a {\r\n  color: red;\r\n  top: 0;\r\n  left: 1;\r\n}");
    QVERIFY(editor != nullptr);
    const int32_t color = IndexOf(*editor, "color");
    const int32_t top = IndexOf(*editor, "top");
    AltDrag(*editor, PointOf(*editor, color), PointOf(*editor, top + 2));
    QCOMPARE(Selections(*editor), 2L);
    QCOMPARE(editor->SendScintilla(Sci::SCI_SELECTIONISRECTANGLE), 1L);
    QTest::keyClicks(editor, QStringLiteral("Q"));
    QCOMPARE(Text(editor), QByteArray("a {\r\n  Qlor: red;\r\n  Qp: 0;\r\n  left: 1;\r\n}"));

    QTest::keyClick(editor, Qt::Key_Escape);
    QTest::mouseClick(editor->viewport(), Qt::LeftButton, Qt::NoModifier,
                      PointOf(*editor, IndexOf(*editor, "Qlor")));
    QTest::keyClick(editor, Qt::Key_Down, Qt::AltModifier | Qt::ShiftModifier);
    QTest::keyClick(editor, Qt::Key_Down, Qt::AltModifier | Qt::ShiftModifier);
    QCOMPARE(Selections(*editor), 3L);
    QTest::keyClicks(editor, QStringLiteral("-"));
    QCOMPARE(Text(editor), QByteArray("a {\r\n  -Qlor: red;\r\n  -Qp: 0;\r\n  -left: 1;\r\n}"));
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Text(editor), QByteArray("a {\r\n  Qlor: red;\r\n  Qp: 0;\r\n  left: 1;\r\n}"));
  }

  void ctrlDAddsTheNextOccurrence() {
    TTestEnv env;
    const QByteArray text = "a { color: red; }\r\nb { color: reddish; }\r\nc { border-color: red }";
    TCssEditor* editor = Open(env, text);
    QVERIFY(editor != nullptr);
    editor->SetCaret(IndexOf(*editor, "red") + 1);
    // The word at the caret first, then each next whole occurrence.
    QTest::keyClick(editor, Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(Selections(*editor), 1L);
    QCOMPARE(editor->SelStart(), IndexOf(*editor, "red"));
    QCOMPARE(editor->SelEnd(), IndexOf(*editor, "red") + 3);
    QTest::keyClick(editor, Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(Selections(*editor), 2L);
    QTest::keyClick(editor, Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(Selections(*editor), 2L);
    QTest::keyClicks(editor, QStringLiteral("blue"));
    QCOMPARE(Text(editor),
             QByteArray("a { color: blue; }\r\nb { color: reddish; }\r\nc { border-color: blue }"));
    for (int i = 0; i < 4; ++i) {
      QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    }
    QCOMPARE(Text(editor), text);
  }

  void blocksFoldFromTheKeysAndTheGutterAndStayFolded() {
    TTestEnv env;
    TCssEditor* editor = Open(env, kRules);
    QVERIFY(editor != nullptr);
    TFrmMain& w = env.Window();
    editor->SetCaret(IndexOf(*editor, "top"));
    QTest::keyClick(editor, Qt::Key_BracketLeft, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(!LineVisible(*editor, 4));
    QVERIFY(!LineVisible(*editor, 6));
    QVERIFY(LineVisible(*editor, 3));
    QCOMPARE(editor->CaretLineCol().Line, 4);

    // Typing in another block, a new line in it, and a view's write keep the fold.
    editor->SetCaret(IndexOf(*editor, "left"));
    QTest::keyClicks(editor, QStringLiteral("x"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    QVERIFY(!LineVisible(*editor, 5));
    w.Tabs().CurrentDocument()->Apply(TEditBatch(TTextEdit{0, 0, "/* top */\r\n", 0}));
    QCoreApplication::processEvents();
    QVERIFY(LineVisible(*editor, 4));
    QVERIFY(!LineVisible(*editor, 5));
    QVERIFY(!LineVisible(*editor, 7));

    // Find opens the fold it lands in.
    TFindDialog& find = w.FindDialog();
    QTest::keyClick(editor, Qt::Key_F, Qt::ControlModifier);
    find.SetFindText(QStringLiteral("blue"));
    editor->SetCaret(0);
    QTest::mouseClick(find.CmdFindNext, Qt::LeftButton);
    QVERIFY(LineVisible(*editor, 5));
    QCOMPARE(editor->SelStart(), IndexOf(*editor, "blue"));
    find.close();

    // So does Go to Line.
    QTest::keyClick(editor, Qt::Key_BracketLeft, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(!LineVisible(*editor, 6));
    env.Prompts.AnswerDialog([](QDialog& dialog) {
      dialog.findChild<QSpinBox*>(QStringLiteral("TxtLine"))->setValue(7);
      return true;
    });
    QTest::keyClick(editor, Qt::Key_G, Qt::ControlModifier);
    QVERIFY(LineVisible(*editor, 6));
    QCOMPARE(editor->CaretLineCol(), (TLineCol{7, 1}));

    // Fold All and Unfold All; a click in the fold column folds its block.
    QTest::keyClick(editor, Qt::Key_BracketLeft, Qt::ControlModifier | Qt::AltModifier);
    QVERIFY(!LineVisible(*editor, 2));
    QVERIFY(!LineVisible(*editor, 5));
    QTest::keyClick(editor, Qt::Key_BracketRight, Qt::ControlModifier | Qt::AltModifier);
    for (int line = 0; line < 12; ++line) {
      QVERIFY(LineVisible(*editor, line));
    }
    const int foldColumn = static_cast<int>(editor->SendScintilla(Sci::SCI_GETMARGINWIDTHN, 0UL) +
                                            editor->SendScintilla(Sci::SCI_GETMARGINWIDTHN, 1UL)) +
                           4;
    const QPoint header(foldColumn, PointOf(*editor, IndexOf(*editor, "a {")).y());
    QTest::mouseClick(editor->viewport(), Qt::LeftButton, Qt::NoModifier, header);
    QVERIFY(!LineVisible(*editor, 2));
    QTest::mouseClick(editor->viewport(), Qt::LeftButton, Qt::NoModifier, header);
    QVERIFY(LineVisible(*editor, 2));
  }

  void zoomAndWrapAreRememberedAndSharedByEveryEditor() {
    TTestEnv env;
    TCssEditor* editor = Open(env, kRules);
    QVERIFY(editor != nullptr);
    TFrmMain& w = env.Window();
    QCOMPARE(editor->SendScintilla(Sci::SCI_GETZOOM), 0L);
    QCOMPARE(editor->wrapMode(), QsciScintilla::WrapNone);
    QTest::keyClick(editor, Qt::Key_Equal, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Plus, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(editor->SendScintilla(Sci::SCI_GETZOOM), 1L);
    QCOMPARE(Setting::Zoom.Read(*env.ReopenSettings()), 1);
    QTest::keyClick(editor, Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(editor->SendScintilla(Sci::SCI_GETZOOM), 0L);

    const QPoint middle = editor->viewport()->rect().center();
    QWheelEvent wheel(middle, editor->viewport()->mapToGlobal(middle), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(editor->viewport(), &wheel);
    QCOMPARE(editor->SendScintilla(Sci::SCI_GETZOOM), 1L);
    QCOMPARE(Setting::Zoom.Read(*env.ReopenSettings()), 1);

    w.Action(QStringLiteral("acWordWrap"))->trigger();
    QCOMPARE(editor->wrapMode(), QsciScintilla::WrapWord);
    QCOMPARE(Setting::WordWrap.Read(*env.ReopenSettings()), 1);
    w.Tabs().NewDocument();
    TCssEditor* second = w.Tabs().CurrentEditor();
    QCOMPARE(second->SendScintilla(Sci::SCI_GETZOOM), 1L);
    QCOMPARE(second->wrapMode(), QsciScintilla::WrapWord);
    // A line too long to wrap quickly (a minified sheet) stays whole.
    env.Prompts.AnswerMessage(TButton::No);
    w.Tabs().OpenOperation(
        env.WriteFile(QStringLiteral("min.css"), QByteArray(30000, 'a') + " { color: red }"));
    QCOMPARE(w.Tabs().CurrentEditor()->wrapMode(), QsciScintilla::WrapNone);
  }
};

QM_TEST_MAIN(TestSeveralCarets)
#include "tst_severalcarets.moc"
