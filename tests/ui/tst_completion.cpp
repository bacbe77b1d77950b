// SPDX-License-Identifier: GPL-3.0-or-later
// Completion as a user types into the editor: the editor's own list opens, filters and closes
// with the keys, a choice is one step of Undo, and tips tell what a place in a rule is.
#include <QGuiApplication>
#include <QListWidget>

#include "testenv.h"

using namespace qm;

namespace {

// Keys typed one by one, each handled as the event loop handles a keystroke: the list follows
// once the editor has taken the key.
void Type(TCssEditor* editor, const QString& keys) {
  for (const QChar key : keys) {
    QTest::keyClicks(editor, QString(key));
    QCoreApplication::processEvents();
  }
}

// The entries of the editor's open completion list; none while it is closed.
QStringList ListEntries(TCssEditor* editor) {
  if (!editor->isListActive()) {
    return {};
  }
  // The list the editor shows now is its newest; those it closed go at the next turn of the
  // event loop.
  const QList<QListWidget*> lists = editor->findChildren<QListWidget*>();
  for (auto list = lists.rbegin(); list != lists.rend(); ++list) {
    if ((*list)->isVisible() && (*list)->count() > 0) {
      QStringList entries;
      for (int i = 0; i < (*list)->count(); ++i) {
        entries.append((*list)->item(i)->text());
      }
      return entries;
    }
  }
  return {QStringLiteral("(a list nobody can see)")};
}

// The text with "|" where the caret is.
QByteArray Marked(TCssEditor* editor) {
  QByteArray text = Text(editor);
  return text.insert(editor->Caret(), '|');
}

}  // namespace

class TestCompletion : public QObject {
  Q_OBJECT

 private:
  // A window showing one document whose text is marked, "|" the caret, on current CSS.
  TCssEditor* Open(TTestEnv& env, const QByteArray& marked) {
    TFrmMain& w = env.MakeWindow();
    w.resize(1000, 700);
    w.show();
    if (!QTest::qWaitForWindowExposed(&w)) {
      return nullptr;
    }
    QByteArray text = marked;
    const auto caret = static_cast<int32_t>(text.indexOf('|'));
    text.remove(caret, 1);
    w.Tabs().OpenOperation(env.WriteFile(QStringLiteral("sheet.css"), text));
    TCssEditor* editor = w.Tabs().CurrentEditor();
    editor->setFocus();
    editor->SetCaret(caret);
    return editor;
  }

 private slots:
  void keysOpenFilterAndChooseFromTheList_data() {
    QTest::addColumn<QByteArray>("marked");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("listed");  // the first entries; none: no list opens
    QTest::addColumn<int>("key");             // then pressed; 0 for none
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("name prefix, Enter")
        << QByteArray("a { | }") << "backgr" << QStringList{"background", "background-attachment"}
        << int(Qt::Key_Return) << QByteArray("a { background: | }");
    QTest::newRow("keyword property")
        << QByteArray("a { display: | }") << "fl" << QStringList{"flow", "flow-root", "flex"}
        << int(Qt::Key_Tab) << QByteArray("a { display: flow| }");
    QTest::newRow("colour property")
        << QByteArray("a { color: | }") << "rebe" << QStringList{"rebeccapurple"}
        << int(Qt::Key_Return) << QByteArray("a { color: rebeccapurple| }");
    QTest::newRow("after a number")
        << QByteArray("a { width: | }") << "12p" << QStringList{"px", "pt", "pc"}
        << int(Qt::Key_Down) << QByteArray("a { width: 12p| }");
    QTest::newRow("after @") << QByteArray("a {}\r\n|\r\nb {}") << "@med" << QStringList{"media"}
                             << int(Qt::Key_Tab) << QByteArray("a {}\r\n@media |\r\nb {}");
    QTest::newRow("Escape") << QByteArray("a { | }") << "col" << QStringList{"color"}
                            << int(Qt::Key_Escape) << QByteArray("a { col| }");
    QTest::newRow("typing on filters")
        << QByteArray("a { | }") << "border-top-l" << QStringList{"border-top-left-radius"}
        << int(Qt::Key_Return) << QByteArray("a { border-top-left-radius: | }");
    QTest::newRow("prefix that matches nothing")
        << QByteArray("a { | }") << "xyzq" << QStringList{} << int(Qt::Key_Return)
        << QByteArray("a { xyzq\r\n| }");
    QTest::newRow("outside every rule") << QByteArray("a {}\r\n|\r\nb {}") << "col" << QStringList{}
                                        << 0 << QByteArray("a {}\r\ncol|\r\nb {}");
    QTest::newRow("in a selector")
        << QByteArray("a| { }") << "rticle" << QStringList{} << 0 << QByteArray("article| { }");
    QTest::newRow("in a comment") << QByteArray("a { /* | */ }") << "col" << QStringList{} << 0
                                  << QByteArray("a { /* col| */ }");
    QTest::newRow("a word typed in full") << QByteArray("a { color: | }") << "red" << QStringList{}
                                          << 0 << QByteArray("a { color: red| }");
    // After ":" and after a number the list opens by itself; Enter on it, not chosen in, types
    // the line break.
    QTest::newRow("after a colon, Enter")
        << QByteArray("a { color| }") << ":" << QStringList{"currentcolor", "transparent"}
        << int(Qt::Key_Return) << QByteArray("a { color:\r\n| }");
    QTest::newRow("after a number, Enter")
        << QByteArray("a { width: | }") << "12" << QStringList{"px", "em"} << int(Qt::Key_Return)
        << QByteArray("a { width: 12\r\n| }");
    QTest::newRow("after a number, Down and Enter")
        << QByteArray("a { width: | }") << "12" << QStringList{"px", "em"} << int(Qt::Key_Down)
        << QByteArray("a { width: 12| }");
    QTest::newRow("descriptor that shares a property's name")
        << QByteArray("@font-face { | }") << "font-fa" << QStringList{"font-family"}
        << int(Qt::Key_Return) << QByteArray("@font-face { font-family: | }");
    QTest::newRow("best match first")
        << QByteArray("a { color: | }") << "re" << QStringList{"red", "rebeccapurple"}
        << int(Qt::Key_Return) << QByteArray("a { color: red| }");
  }

  void keysOpenFilterAndChooseFromTheList() {
    QFETCH(QByteArray, marked);
    QFETCH(QString, typed);
    QFETCH(QStringList, listed);
    QFETCH(int, key);
    QFETCH(QByteArray, after);
    TTestEnv env;
    TCssEditor* editor = Open(env, marked);
    QVERIFY(editor != nullptr);
    Type(editor, typed);
    const QStringList entries = ListEntries(editor);
    QCOMPARE(entries.mid(0, static_cast<qsizetype>(listed.size())), listed);
    QCOMPARE(entries.isEmpty(), listed.isEmpty());
    if (key != 0) {
      QTest::keyClick(editor, static_cast<Qt::Key>(key));
    }
    QCOMPARE(Marked(editor), after);
    if (key == Qt::Key_Escape || key == Qt::Key_Down) {
      QCOMPARE(editor->isListActive(), key == Qt::Key_Down);
    }
  }

  // A property chosen from the list opens the list of its values, the keywords every property
  // takes last; the choice is one step of Undo.
  void aChosenNameOpensItsValuesAndUndoesInOneStep() {
    TTestEnv env;
    TCssEditor* editor = Open(env, "a { | }");
    QVERIFY(editor != nullptr);
    Type(editor, "align-i");
    QCOMPARE(ListEntries(editor), QStringList{"align-items"});
    QTest::keyClick(editor, Qt::Key_Tab);
    QCOMPARE(Marked(editor), QByteArray("a { align-items: | }"));
    QTRY_VERIFY(editor->isListActive());
    const QStringList values = ListEntries(editor);
    QCOMPARE(values.mid(0, 2), (QStringList{"normal", "stretch"}));
    QCOMPARE(values.mid(values.size() - 5),
             (QStringList{"inherit", "initial", "unset", "revert", "revert-layer"}));
    Type(editor, "cen");
    QCOMPARE(ListEntries(editor), QStringList{"center"});
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(Marked(editor), QByteArray("a { align-items: center| }"));

    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Text(editor), QByteArray("a { align-items: cen }"));
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Text(editor), QByteArray("a { align-i }"));
  }

  // Ctrl+Space opens the list where nothing has been typed yet, and not outside a rule.
  void ctrlSpaceOpensTheListWhereOneApplies() {
    TTestEnv env;
    TCssEditor* editor = Open(env, "a { color: red; | }");
    QVERIFY(editor != nullptr);
    QTest::keyClick(editor, Qt::Key_Space, Qt::ControlModifier);
    QVERIFY(ListEntries(editor).contains(QStringLiteral("z-index")));
    QCOMPARE(Text(editor), QByteArray("a { color: red;  }"));
    QTest::keyClick(editor, Qt::Key_Escape);
    editor->SetCaret(static_cast<int32_t>(Text(editor).size()));
    QTest::keyClick(editor, Qt::Key_Space, Qt::ControlModifier);
    QVERIFY(!editor->isListActive());
  }

  // With the caret beyond every screen (a window moved past the screen's edge) the editor could
  // place neither its list nor a tip: typing goes on without them.
  void noListNorTipWhereNoScreenShowsTheCaret() {
    TTestEnv env;
    TCssEditor* editor = Open(env, "a { | }");
    QVERIFY(editor != nullptr);
    editor->window()->move(20000, 20000);
    QCOMPARE(QGuiApplication::screenAt(editor->mapToGlobal(QPoint(0, 0))), nullptr);
    Type(editor, "col");
    QTest::keyClick(editor, Qt::Key_Space, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Space, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(!editor->isListActive());
    QCOMPARE(editor->SendScintilla(QsciScintillaBase::SCI_CALLTIPACTIVE), 0L);
    QCOMPARE(Marked(editor), QByteArray("a { col| }"));
  }

  // A tip tells what the place under the pointer, or at the caret with Ctrl+Shift+Space, is.
  void tipsExplainPropertiesColoursAndRefusedValues() {
    TTestEnv env;
    TCssEditor* editor = Open(env, "a { color: red; width: 10; }");
    QVERIFY(editor != nullptr);
    const auto tipAt = [&](int32_t caret) {
      editor->SendScintilla(QsciScintillaBase::SCI_CALLTIPCANCEL);
      editor->SetCaret(caret);
      QTest::keyClick(editor, Qt::Key_Space, Qt::ControlModifier | Qt::ShiftModifier);
      return editor->SendScintilla(QsciScintillaBase::SCI_CALLTIPACTIVE) != 0;
    };
    QVERIFY(tipAt(5));    // color
    QVERIFY(tipAt(12));   // red
    QVERIFY(tipAt(24));   // 10, which width refuses
    QVERIFY(tipAt(1));    // the selector, its specificity
    QVERIFY(!tipAt(15));  // between two declarations
    QCOMPARE(Text(editor), QByteArray("a { color: red; width: 10; }"));

    // The pointer resting on a property name shows its tip.
    editor->SendScintilla(QsciScintillaBase::SCI_CALLTIPCANCEL);
    const long x = editor->SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0UL, 6L);
    const long y = editor->SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0UL, 6L);
    QTest::mouseMove(editor->viewport(), QPoint(int(x) + 2, int(y) + 4));
    QTRY_VERIFY(editor->SendScintilla(QsciScintillaBase::SCI_CALLTIPACTIVE) != 0);
  }
};

QM_TEST_MAIN(TestCompletion)
#include "tst_completion.moc"
