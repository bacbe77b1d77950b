// SPDX-License-Identifier: GPL-3.0-or-later
// The Edit menu's commands on the current document: Indent, Outdent, Comment and Uncomment from
// the keys and the menu as one step of Undo, the clipboard keys, the line marks in the gutter
// with Next, Previous and Clear, and nothing at all without a document.
#include <QAction>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

#include "app/opendocument.h"
#include "commands.h"
#include "controls/linemarks.h"
#include "dialogs/finddialog.h"
#include "markedtext.h"
#include "testenv.h"

using namespace qm;

namespace {

TCssEditor& Open(TTestEnv& env, TFrmMain& w, const QString& text) {
  w.Tabs().OpenOperation(env.WriteFile(QStringLiteral("a.css"), text.toUtf8()));
  return *w.Tabs().CurrentEditor();
}

QString Shown(const TCssEditor& editor) {
  return QString::fromStdString(
      DrawMarked(std::string(editor.Text()), editor.SelStart(), editor.SelEnd()));
}

void Select(TCssEditor& editor, const TMarkedText& marked) {
  editor.SetSelection(marked.Start, marked.End);
}

// A press of the key, or a trigger of the window's command of that name.
void Perform(TFrmMain& w, const QString& gesture) {
  TCssEditor* editor = w.Tabs().CurrentEditor();
  if (gesture == QLatin1String("Tab")) {
    QTest::keyClick(editor, Qt::Key_Tab);
  } else if (gesture == QLatin1String("Shift+Tab")) {
    QTest::keyClick(editor, Qt::Key_Backtab, Qt::ShiftModifier);
  } else {
    Trigger(w.Action(gesture));
  }
}

QPoint GutterPoint(TCssEditor& editor, int margin, int line) {
  const int height = static_cast<int>(editor.SendScintilla(QsciScintillaBase::SCI_TEXTHEIGHT, 0));
  const int x = margin == 0 ? 4 : editor.marginWidth(0) + editor.marginWidth(1) / 2;
  return {x, (line - 1) * height + height / 2};
}

}  // namespace

class TestEditCommands : public QObject {
  Q_OBJECT

 private slots:
  void textCommandsAreOneStepOfUndo_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("gesture");
    QTest::addColumn<QString>("after");
    QTest::newRow("Tab inside a line") << "a {co|lor: red}"
                                       << "Tab"
                                       << "a {co        |lor: red}";
    QTest::newRow("Tab at the end of a line") << "a {}|\r\nb {}"
                                              << "Tab"
                                              << "a {}        |\r\nb {}";
    // The last line counts although none of its characters is selected: the end moves 24 on.
    QTest::newRow("Tab over lines 3 to 5")
        << "l1\r\nl2\r\n[l3\r\nl4\r\n]l5\r\nl6"
        << "Tab"
        << "l1\r\nl2\r\n[        l3\r\n        l4\r\n        ]l5\r\nl6";
    QTest::newRow("Shift+Tab on six blanks") << "      |a {}"
                                             << "Shift+Tab"
                                             << "      |a {}";
    QTest::newRow("Shift+Tab on ten blanks") << "|          a {}"
                                             << "Shift+Tab"
                                             << "|  a {}";
    QTest::newRow("Indent from the menu") << "[a {\r\n]}"
                                          << "mIndent"
                                          << "[        a {\r\n        ]}";
    QTest::newRow("Outdent from the menu") << "[        a {\r\n        ]}"
                                           << "mOutdent"
                                           << "[a {\r\n]}";
    QTest::newRow("Comment on an empty line") << "a {\r\n|\r\n}"
                                              << "acComment"
                                              << "a {\r\n/* | */\r\n}";
    QTest::newRow("Comment a selection") << "a { [color: red] }"
                                         << "acComment"
                                         << "a { [/*color: red*/] }";
    QTest::newRow("Comment over a comment") << "[a {} /* x */ b {}]"
                                            << "acComment"
                                            << "[/*a {} /* x *\\/ b {}*/]";
    QTest::newRow("Uncomment at the caret") << "/*a {} /* x *\\/ b| {}*/"
                                            << "acUncomment"
                                            << "a {} /* x */ b| {}";
  }
  void textCommandsAreOneStepOfUndo() {
    QFETCH(QString, before);
    QFETCH(QString, gesture);
    QFETCH(QString, after);
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    const TMarkedText start = ParseMarked(before.toStdString());
    TCssEditor& editor = Open(env, w, QString::fromStdString(start.Text));
    editor.ApplyTabWidth(3);  // the blanks are eight whatever the tab width
    Select(editor, start);
    QSignalSpy edited(w.Tabs().CurrentDocument(), &TOpenDocument::Edited);
    QSignalSpy status(w.Tabs().CurrentDocument(), &TOpenDocument::StatusChange);

    Perform(w, gesture);
    QCOMPARE(Shown(editor), after);
    const bool changed = before != after;
    QCOMPARE(edited.count(), changed ? 1 : 0);
    QCOMPARE(status.count(), 0);  // the command's own caret moves read nothing
    QCOMPARE(editor.Modified(), changed);
    QCOMPARE(editor.SendScintilla(QsciScintillaBase::SCI_GETANCHOR) <= editor.Caret(), true);

    Trigger(w.Action(QStringLiteral("mUndo")));
    QCOMPARE(QString::fromUtf8(editor.Text().data(), static_cast<qsizetype>(editor.Text().size())),
             QString::fromStdString(start.Text));
    QVERIFY(!editor.Modified());
    Trigger(w.Action(QStringLiteral("mRedo")));
    QCOMPARE(editor.Modified(), changed);
  }

  // The clipboard keys run the window's commands, which change the text quietly and as one step.
  void clipboardKeysRunTheCommands_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("clipboard");
    const QString cut = QStringLiteral("a | d");
    const QString kept = QStringLiteral("a [bc] d");
    QTest::newRow("Ctrl+X") << int(Qt::Key_X) << int(Qt::ControlModifier) << cut << "bc";
    QTest::newRow("Shift+Delete") << int(Qt::Key_Delete) << int(Qt::ShiftModifier) << cut << "bc";
    QTest::newRow("Ctrl+C") << int(Qt::Key_C) << int(Qt::ControlModifier) << kept << "bc";
    QTest::newRow("Ctrl+Insert") << int(Qt::Key_Insert) << int(Qt::ControlModifier) << kept << "bc";
    QTest::newRow("Ctrl+V") << int(Qt::Key_V) << int(Qt::ControlModifier) << "a x\r\ny| d"
                            << "x\ny";
  }
  void clipboardKeysRunTheCommands() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, after);
    QFETCH(QString, clipboard);
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    TCssEditor& editor = Open(env, w, QStringLiteral("a bc d"));
    Select(editor, ParseMarked("a [bc] d"));
    QApplication::clipboard()->setText(QStringLiteral("x\ny"));
    QSignalSpy edited(w.Tabs().CurrentDocument(), &TOpenDocument::Edited);
    QSignalSpy status(w.Tabs().CurrentDocument(), &TOpenDocument::StatusChange);

    QTest::keyClick(&editor, static_cast<Qt::Key>(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(Shown(editor), after);
    QCOMPARE(QApplication::clipboard()->text(), clipboard);
    QCOMPARE(edited.count(), after == QLatin1String("a [bc] d") ? 0 : 1);
    QCOMPARE(status.count(), 0);
    Trigger(w.Action(QStringLiteral("mUndo")));
    QCOMPARE(QString::fromUtf8(editor.Text().data()), QStringLiteral("a bc d"));
  }

  void gutterClicksSetAndRemoveLineMarks() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    TCssEditor& editor = Open(env, w, QStringLiteral("a {\r\n}\r\nb {\r\n}\r\nc {}"));
    const TLineMarks marks(editor);
    QVERIFY(editor.marginWidth(1) > 0);  // the glyphs' column
    const auto click = [&editor](int margin, int line) {
      QTest::mouseClick(editor.viewport(), Qt::LeftButton, Qt::NoModifier,
                        GutterPoint(editor, margin, line));
    };
    click(1, 3);
    QCOMPARE(marks.Lines(), std::vector<int32_t>{3});
    click(0, 5);  // the line numbers are the gutter too
    QCOMPARE(marks.Lines(), (std::vector<int32_t>{3, 5}));
    click(1, 3);
    QCOMPARE(marks.Lines(), std::vector<int32_t>{5});
    editor.SetSelection(0, 3);
    click(1, 2);
    click(1, 5);
    QCOMPARE(marks.Lines(), std::vector<int32_t>{5});  // nothing happens while text is selected
    QCOMPARE(editor.SelEnd(), 3);
    QVERIFY(!editor.Modified());
  }

  void nextAndPreviousGoToTheMarksAroundTheCaret() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    QString text;
    for (int line = 1; line <= 12; ++line) {
      text += (line == 2 ? QStringLiteral("ab") : QStringLiteral("line %1 {}").arg(line, 2)) +
              (line < 12 ? QStringLiteral("\r\n") : QString());
    }
    TCssEditor& editor = Open(env, w, text);
    TLineMarks marks(editor);
    marks.Add(2);
    marks.Add(9);
    const auto go = [&w, &editor](const char* command) {
      Trigger(w.Action(QLatin1String(command)));
      const TLineCol caret = editor.CaretLineCol();
      return QStringLiteral("%1:%2").arg(caret.Line).arg(caret.Col);
    };
    const auto caretTo = [&editor](int line, int col) {
      editor.SetCaret(editor.LineColToIndex(line, col));
    };
    caretTo(5, 6);
    QCOMPARE(go("bNextBookmark"), QStringLiteral("9:6"));
    QCOMPARE(go("bNextBookmark"), QStringLiteral("2:3"));  // around to the top, at the line's end
    caretTo(5, 6);
    QCOMPARE(go("bPrevBookmark"), QStringLiteral("2:3"));
    QCOMPARE(go("bPrevBookmark"), QStringLiteral("9:3"));  // around to the bottom
    marks.Add(12);
    QCOMPARE(go("bNextBookmark"), QStringLiteral("12:3"));  // the last line is reached too
    // Moving to a mark is the user's move: the status bar follows.
    QCOMPARE(w.StatusText(), QStringLiteral("Line 12 of  12, Col 3"));

    Trigger(w.Action(QStringLiteral("bClearBookmarks")));
    QCOMPARE(marks.Lines(), std::vector<int32_t>{});
    QCOMPARE(go("bNextBookmark"), QStringLiteral("12:3"));
    QCOMPARE(go("bPrevBookmark"), QStringLiteral("12:3"));
  }

  // The keys of the commands that the editor does not take itself work from the editor.
  void commentKeysAndReplaceKey() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    TCssEditor& editor = Open(env, w, QStringLiteral("a {} b {}"));
    editor.SetSelection(5, 9);
    QTest::keyClick(&editor, Qt::Key_K, Qt::ControlModifier);
    QCOMPARE(Shown(editor), QStringLiteral("a {} [/*b {}*/]"));
    QTest::keyClick(&editor, Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(Shown(editor), QStringLiteral("a {} [b {}]"));
    QTest::keyClick(&editor, Qt::Key_H, Qt::ControlModifier);
    QVERIFY(w.ReplaceDialog().isVisible());
    QCOMPARE(env.Prompts.Asked, QStringList());
  }

  void everyCommandDoesNothingWithoutADocument() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    QApplication::clipboard()->setText(QStringLiteral("kept"));
    const char* commands[] = {"mUndo",     "mRedo",         "acCut",         "acCopy",
                              "acPaste",   "acSelectAll",   "mIndent",       "mOutdent",
                              "acComment", "bNextBookmark", "bPrevBookmark", "bClearBookmarks",
                              "acFind",    "mReplace",      "acUncomment"};
    for (const char* command : commands) {
      Trigger(w.Action(QLatin1String(command)));
    }
    QVERIFY(w.FindDialog().isHidden());
    QVERIFY(w.ReplaceDialog().isHidden());
    QCOMPARE(w.Tabs().Pages()->count(), 0);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("kept"));

    // The dialogs stay open after the last document is gone; their buttons then do nothing.
    Open(env, w, QStringLiteral("a { color: red }"));
    Trigger(w.Action(QStringLiteral("acFind")));
    Trigger(w.Action(QStringLiteral("mReplace")));
    Trigger(w.Action(QStringLiteral("mClose")));
    QCOMPARE(w.Tabs().Pages()->count(), 0);
    w.FindDialog().TxtFind->setText(QStringLiteral("nothing"));
    w.ReplaceDialog().TxtFind->setText(QStringLiteral("nothing"));
    for (QPushButton* button : {w.FindDialog().CmdFindNext, w.ReplaceDialog().CmdFindNext,
                                w.ReplaceDialog().CmdReplace, w.ReplaceDialog().CmdReplaceAll}) {
      QTest::mouseClick(button, Qt::LeftButton);
    }
    QCOMPARE(env.Prompts.Asked, QStringList());
    QVERIFY(w.ReplaceDialog().isVisible());
  }
};

QM_TEST_MAIN(TestEditCommands)
#include "tst_editcommands.moc"
