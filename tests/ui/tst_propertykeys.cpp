// SPDX-License-Identifier: GPL-3.0-or-later
// The Properties panel under the keyboard and the mouse: a refused value keeps its message and
// its text, typing a name finds its row and writes nothing, Escape takes an edit back, and an
// open editor stays over its own row when a write moves the rows.
#include <QLineEdit>
#include <QScrollBar>

#include "app/declarationsync.h"
#include "controls/inspectorcss.h"
#include "testenv.h"

using namespace qm;

namespace {

TInspectorCSS& Ic(TFrmMain& w) {
  return *w.Properties().Inspector();
}

TInspectorItem& Row(TFrmMain& w, const char* tag) {
  return Ic(w).Items(Ic(w).IndexOfTag(QString::fromLatin1(tag)));
}

// The window on the screen with sheet open in CSS2, the caret inside its first rule.
bool Open(TTestEnv& env, TFrmMain& w, const QByteArray& sheet) {
  w.resize(1000, 760);
  w.show();
  if (!QTest::qWaitForWindowExposed(&w)) {
    return false;
  }
  w.Properties().SetCssLevel(1);
  w.Tabs().OpenOperation(env.WriteFile(QStringLiteral("a.css"), sheet));
  TCssEditor* editor = w.Tabs().CurrentEditor();
  editor->setFocus();
  editor->SetCaret(static_cast<int32_t>(sheet.indexOf('{')) + 1);
  editor->CheckStatus();
  return true;
}

// Where a row is on the screen now, as the control lays it out when it paints.
QPoint RowPoint(TFrmMain& w, const TInspectorItem& item, int x = 40) {
  Ic(w).viewport()->repaint();
  return {x, item.DisplayID * Ic(w).RowHeight() + Ic(w).RowHeight() / 2};
}

void ClickRow(TFrmMain& w, const TInspectorItem& item) {
  QTest::mouseClick(Ic(w).viewport(), Qt::LeftButton, {}, RowPoint(w, item));
}

// The open editor of the selected row: the drop-down or the text editor.
QLineEdit* OpenEditor(TFrmMain& w) {
  if (!Ic(w).InplaceCombo()->isHidden()) {
    return Ic(w).InplaceCombo();
  }
  return Ic(w).InplaceEdit()->isHidden() ? nullptr : Ic(w).InplaceEdit();
}

const QByteArray kSheet = "h1 {\r\n  color: red;\r\n}";

}  // namespace

class TestPropertyKeys : public QObject {
  Q_OBJECT

 private slots:
  void aRefusedValueKeepsItsMessageAndItsText_data() {
    QTest::addColumn<QByteArray>("tag");
    QTest::newRow("drop-down row") << QByteArray("content");
    QTest::newRow("text row") << QByteArray("margin");
  }

  // Typed and then left by a click on another row: nothing of the refused value is written, the
  // refusal stays in the status bar, and the row shows what was typed.
  void aRefusedValueKeepsItsMessageAndItsText() {
    QFETCH(QByteArray, tag);
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    QVERIFY(Open(env, w, kSheet));
    ClickRow(w, Row(w, tag.constData()));
    QLineEdit* editor = OpenEditor(w);
    QVERIFY(editor != nullptr && editor->hasFocus());
    QTest::keyClicks(editor, QStringLiteral("x;y"));
    // Up to the rows with values, where color is, and a click on it.
    Ic(w).verticalScrollBar()->setValue(0);
    ClickRow(w, Row(w, "color"));
    // The check and the caret's place that come in later leave the message standing.
    QTest::qWait(1500);
    QVERIFY2(!Text(w).contains("x;y") && !Text(w).contains(";y"), Text(w).constData());
    QVERIFY2(w.StatusText().contains(QLatin1String(";")), qPrintable(w.StatusText()));
    QVERIFY(!w.StatusText().startsWith(QStringLiteral("Editing")));
    QCOMPARE(QString::fromStdString(Row(w, tag.constData()).Value()), QStringLiteral("x;y"));
  }

  // With the keys on the rows, typing a name selects its row and nothing is written; Enter
  // then opens the row's editor.
  void typingANameFindsItsRowAndWritesNothing() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    QVERIFY(Open(env, w, kSheet));
    w.Properties().CategoriesButton()->click();  // alphabetical: no category to click
    ClickRow(w, Row(w, "color"));
    // Down moves to the next row with the keys staying on the rows.
    QTest::keyClick(Ic(w).InplaceCombo(), Qt::Key_Escape);
    QVERIFY(Ic(w).hasFocus());
    QTest::keyClick(&Ic(w), Qt::Key_Down);
    QVERIFY(OpenEditor(w) == nullptr);
    QVERIFY(Ic(w).hasFocus());

    QTest::keyClicks(&Ic(w), QStringLiteral("display"));
    QCOMPARE(Ic(w).Selected(), &Row(w, "display"));
    QVERIFY(OpenEditor(w) == nullptr);
    QCOMPARE(Text(w), kSheet);
    QTest::qWait(1100);  // a pause starts a new name
    QTest::keyClicks(&Ic(w), QStringLiteral("WID"));
    QCOMPARE(Ic(w).Selected(), &Row(w, "widows"));
    QTest::keyClicks(&Ic(w), QStringLiteral("T"));
    QCOMPARE(Ic(w).Selected(), &Row(w, "width"));
    QCOMPARE(Text(w), kSheet);
    QVERIFY(!w.Tabs().CurrentEditor()->Modified());

    QTest::keyClick(&Ic(w), Qt::Key_Return);
    QLineEdit* editor = OpenEditor(w);
    QVERIFY(editor != nullptr && editor->hasFocus());
    QTest::keyClicks(editor, QStringLiteral("5px"));
    QVERIFY2(Text(w).contains("width: 5px;"), Text(w).constData());
  }

  void escapeTakesTheEditBack_data() {
    QTest::addColumn<QByteArray>("tag");
    QTest::addColumn<QByteArray>("typed");
    QTest::newRow("drop-down row, declared") << QByteArray("color") << QByteArray("blue");
    QTest::newRow("drop-down row, new") << QByteArray("width") << QByteArray("5px");
    QTest::newRow("text row") << QByteArray("margin") << QByteArray("1px 2px");
  }

  // Escape restores the value the editor opened with, in the text and in the row, and closes
  // the editor; the keys stay on the rows.
  void escapeTakesTheEditBack() {
    QFETCH(QByteArray, tag);
    QFETCH(QByteArray, typed);
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    QVERIFY(Open(env, w, kSheet));
    const std::string before = Row(w, tag.constData()).Value();
    ClickRow(w, Row(w, tag.constData()));
    QLineEdit* editor = OpenEditor(w);
    QVERIFY(editor != nullptr);
    QTest::keyClicks(editor, QString::fromLatin1(typed));
    QTest::keyClick(editor, Qt::Key_Escape);
    QCOMPARE(Text(w), kSheet);
    QVERIFY(OpenEditor(w) == nullptr);
    QCOMPARE(Row(w, tag.constData()).Value(), before);
    QVERIFY(Ic(w).hasFocus());
  }

  // A write pins its row to the top: the open editor goes with it rather than covering the row
  // or the category row now in its old place.
  void theEditorStaysOverItsRowAfterAWrite() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    QVERIFY(Open(env, w, kSheet));
    TInspectorItem& width = Row(w, "width");
    ClickRow(w, width);
    QLineEdit* editor = OpenEditor(w);
    QVERIFY(editor != nullptr);
    const int before = editor->y();
    QTest::keyClicks(editor, QStringLiteral("5"));
    QVERIFY2(Text(w).contains("width: 5;"), Text(w).constData());
    Ic(w).viewport()->repaint();
    QVERIFY(width.Pinned);
    QVERIFY(editor->y() != before);
    QCOMPARE(editor->y(), width.DisplayID * Ic(w).RowHeight());
    QVERIFY(editor->isVisible());
    // Emptied, the row leaves the pinned group again, and the editor follows.
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Backspace);
    QCOMPARE(Text(w), kSheet);
    Ic(w).viewport()->repaint();
    QCOMPARE(editor->y(), width.DisplayID * Ic(w).RowHeight());
  }
};

QTEST_MAIN(TestPropertyKeys)
#include "tst_propertykeys.moc"
