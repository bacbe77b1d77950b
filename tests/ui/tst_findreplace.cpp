// SPDX-License-Identifier: GPL-3.0-or-later
// Find and Replace: the modeless dialogs' options on the editor's search from the caret without
// wrapping around, the Replace presses, Replace All as one step of Undo, and the result messages.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

#include "app/opendocument.h"
#include "commands.h"
#include "dialogs/finddialog.h"
#include "markedtext.h"
#include "model/text/textencoding.h"
#include "testenv.h"

using namespace qm;

namespace {

const QString kNoResults = QStringLiteral("message: Search completed with no results!");
const QString kNoMoreResults = QStringLiteral("message: Search completed with no results.");
// One message box whose only button is Yes.
const QList<QList<TButton>> kYesOnly{QList<TButton>{TButton::Yes}};

TCssEditor& Open(TTestEnv& env, TFrmMain& w, const std::string& marked) {
  const TMarkedText text = ParseMarked(marked);
  w.Tabs().OpenOperation(
      env.WriteFile(QStringLiteral("a.css"), QByteArray::fromStdString(text.Text)));
  TCssEditor& editor = *w.Tabs().CurrentEditor();
  editor.SetSelection(text.Start, text.End);
  return editor;
}

QString Shown(const TCssEditor& editor) {
  return QString::fromStdString(
      DrawMarked(std::string(editor.Text()), editor.SelStart(), editor.SelEnd()));
}

void Press(QPushButton* button) {
  QTest::mouseClick(button, Qt::LeftButton);
}

}  // namespace

class TestFindReplace : public QObject {
  Q_OBJECT

 private slots:
  void findNextSearchesFromTheCaret_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("options");  // any of "up", "word", "case"
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("caretAtStart");
    QTest::newRow("empty find text") << "a { |color: red }"
                                     << ""
                                     << ""
                                     << "a { |color: red }" << true;
    QTest::newRow("down, the only match above") << "a { color: red }\r\n|b {}"
                                                << "color"
                                                << ""
                                                << "a { color: red }\r\n|b {}" << true;
    QTest::newRow("down") << "|a { color: red }"
                          << "COLOR"
                          << ""
                          << "a { [color]: red }" << false;
    QTest::newRow("up") << "a { color: red }|"
                        << "color"
                        << "up"
                        << "a { [color]: red }" << true;
    QTest::newRow("up, the only match below") << "a {}\r\n|b { color: red }"
                                              << "color"
                                              << "up"
                                              << "a {}\r\n|b { color: red }" << true;
    QTest::newRow("whole word") << "|a { background-color: red; color: blue }"
                                << "color"
                                << "word"
                                << "a { background-color: red; [color]: blue }" << false;
    QTest::newRow("whole word, up") << "a { color: red; background-color: blue }|"
                                    << "color"
                                    << "up word"
                                    << "a { [color]: red; background-color: blue }" << true;
    QTest::newRow("match case") << "|A { COLOR: red; color: blue }"
                                << "color"
                                << "case"
                                << "A { COLOR: red; [color]: blue }" << false;
    QTest::newRow("from the end of the previous match")
        << "a { [color]: red; color: blue }"
        << "color"
        << ""
        << "a { color: red; [color]: blue }" << false;
  }
  void findNextSearchesFromTheCaret() {
    QFETCH(QString, before);
    QFETCH(QString, find);
    QFETCH(QString, options);
    QFETCH(QString, after);
    QFETCH(bool, caretAtStart);
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    TCssEditor& editor = Open(env, w, before.toStdString());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::keyClick(&editor, Qt::Key_F, Qt::ControlModifier);
    TFindDialog& dialog = w.FindDialog();
    QVERIFY(dialog.isVisible());
    QVERIFY(!dialog.isModal());
    QVERIFY(dialog.OptDown->isChecked());
    dialog.TxtFind->setText(find);
    dialog.OptUp->setChecked(options.contains(QLatin1String("up")));
    dialog.ChkWholeWord->setChecked(options.contains(QLatin1String("word")));
    dialog.ChkMatchCase->setChecked(options.contains(QLatin1String("case")));
    QSignalSpy status(w.Tabs().CurrentDocument(), &TOpenDocument::StatusChange);
    const bool found = before != after;
    if (!found) {
      env.Prompts.AnswerMessage(TButton::Yes);
    }

    Press(dialog.CmdFindNext);
    QCOMPARE(Shown(editor), after);
    QCOMPARE(editor.Caret(), caretAtStart ? editor.SelStart() : editor.SelEnd());
    QCOMPARE(env.Prompts.Asked, found ? QStringList() : QStringList{kNoResults});
    QCOMPARE(env.Prompts.Offered, found ? QList<QList<TButton>>() : kYesOnly);
    QCOMPARE(status.count(), 0);  // the search's selection reads nothing
    const TLineCol caret = editor.CaretLineCol();
    QCOMPARE(w.StatusText(), QStringLiteral("Line %1 of  %2, Col %3")
                                 .arg(caret.Line)
                                 .arg(editor.LineCount())
                                 .arg(caret.Col));
    QVERIFY(!editor.Modified());
  }

  // Each press replaces what the one before found; the press that replaces the last match says so.
  void replacePressesWalkThroughTheMatches() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    TCssEditor& editor = Open(env, w, "a { color: red }\r\n|b { color: blue; Color: x }");
    w.FindDialog().TxtFind->setText(QStringLiteral("color"));
    Trigger(w.Action(QStringLiteral("mReplace")));
    TFindDialog& dialog = w.ReplaceDialog();
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.TxtFind->text(), QStringLiteral("color"));  // taken from the Find dialog
    dialog.TxtReplace->setText(QStringLiteral("border-color"));
    dialog.ChkMatchCase->setChecked(true);
    const QStringList expected{
        "a { color: red }\r\nb { [color]: blue; Color: x }",
        "a { color: red }\r\nb { border-color: blue; Color: x }|",
    };
    Press(dialog.CmdReplace);
    QCOMPARE(Shown(editor), expected[0]);
    QVERIFY(!editor.Modified());
    env.Prompts.AnswerMessage(TButton::Yes);
    Press(dialog.CmdReplace);
    QCOMPARE(QString::fromUtf8(editor.Text().data()), QString(expected[1]).remove('|'));
    QCOMPARE(env.Prompts.Asked, QStringList{kNoMoreResults});
    QCOMPARE(env.Prompts.Offered, kYesOnly);
    QVERIFY(dialog.isVisible());

    // Whatever is selected is what the next press replaces; the search goes on after it.
    editor.SetSelection(11, 14);  // "red"
    Press(dialog.CmdReplace);
    QCOMPARE(Shown(editor), QStringLiteral("a { color: border-color }\r\nb { border-[color]: blue; "
                                           "Color: x }"));
  }

  // From the keyboard alone, on the first opening and every one after: Tab goes from the find
  // text to the replacement, then through the options, then the buttons.
  void tabFollowsTheFieldsAsShown() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    TCssEditor& editor = Open(env, w, "a { margin: 1px 2px }|");
    TFindDialog& dialog = w.ReplaceDialog();
    for (int opening = 1; opening <= 2; ++opening) {
      Trigger(w.Action(QStringLiteral("mReplace")));
      QVERIFY(QTest::qWaitForWindowActive(&dialog));
      QTRY_COMPARE(QApplication::focusWidget(), dialog.TxtFind);
      QTest::keyClicks(dialog.TxtFind, QStringLiteral("px"));
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), dialog.TxtReplace);
      QTest::keyClicks(dialog.TxtReplace, QStringLiteral("em"));
      const QWidget* expected[] = {dialog.ChkWholeWord, dialog.ChkMatchCase, dialog.CmdFindNext,
                                   dialog.CmdReplace, dialog.CmdReplaceAll};
      for (const QWidget* next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
      }
      env.Prompts.AnswerMessage(TButton::Yes);
      QTest::keyClick(dialog.CmdReplaceAll, Qt::Key_Space);
      QCOMPARE(env.Prompts.Unexpected, QStringList());
      dialog.TxtReplace->clear();
    }
    QCOMPARE(QString::fromUtf8(editor.Text().data()), QStringLiteral("a { margin: 1em 2em }"));

    TFindDialog& find = w.FindDialog();
    Trigger(w.Action(QStringLiteral("acFind")));
    QVERIFY(QTest::qWaitForWindowActive(&find));
    QTRY_COMPARE(QApplication::focusWidget(), find.TxtFind);
    QTest::keyClick(find.TxtFind, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), find.ChkWholeWord);
  }

  void replaceAllReplacesEverywhereInOneStep_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("count");
    QTest::newRow("no match") << "a { color: red }|"
                              << "blue"
                              << "a { color: red }" << 0;
    QTest::newRow("before the caret too")
        << "a { color: red }\r\nb { |color: blue }"
        << "color"
        << "a { border-color: red }\r\nb { border-color: blue }" << 2;
    QTest::newRow("whole words only") << "|a { color: red; background-color: blue }"
                                      << "color"
                                      << "a { border-color: red; background-color: blue }" << 1;
  }
  void replaceAllReplacesEverywhereInOneStep() {
    QFETCH(QString, before);
    QFETCH(QString, find);
    QFETCH(QString, after);
    QFETCH(int, count);
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    TCssEditor& editor = Open(env, w, before.toStdString());
    Trigger(w.Action(QStringLiteral("mReplace")));
    TFindDialog& dialog = w.ReplaceDialog();
    dialog.TxtFind->setText(find);
    dialog.TxtReplace->setText(QStringLiteral("border-color"));
    dialog.ChkWholeWord->setChecked(true);
    QSignalSpy edited(w.Tabs().CurrentDocument(), &TOpenDocument::Edited);
    env.Prompts.AnswerMessage(TButton::Yes);

    Press(dialog.CmdReplaceAll);
    QCOMPARE(QString::fromUtf8(editor.Text().data()), after);
    QCOMPARE(
        env.Prompts.Asked,
        QStringList{
            QStringLiteral("message: Search completed and made %1 replacement(s).").arg(count)});
    QCOMPARE(env.Prompts.Offered, kYesOnly);
    QVERIFY(dialog.isHidden());
    QCOMPARE(edited.count(), count > 0 ? 1 : 0);
    QCOMPARE(editor.Modified(), count > 0);
    Trigger(w.Action(QStringLiteral("mUndo")));
    QCOMPARE(Shown(editor).remove('|'), QString(before).remove('|'));
  }

  // 8-bit text finds its own characters and refuses a replacement it cannot hold.
  void anEightBitDocumentIsSearchedInItsEncoding() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    TCssEditor& editor = Open(env, w, "|a { content: \"caf\xE9\" }");
    QCOMPARE(w.Tabs().CurrentDocument()->Encoding(), TTextEncoding::EightBit);
    Trigger(w.Action(QStringLiteral("mReplace")));
    TFindDialog& dialog = w.ReplaceDialog();
    dialog.TxtFind->setText(QStringLiteral("caf\u00E9"));
    Press(dialog.CmdFindNext);
    QCOMPARE(QByteArray::fromStdString(
                 DrawMarked(std::string(editor.Text()), editor.SelStart(), editor.SelEnd())),
             QByteArray("a { content: \"[caf\xE9]\" }"));
    dialog.TxtReplace->setText(QStringLiteral("\u2192"));
    env.Prompts.AnswerMessage(TButton::Ok);
    Press(dialog.CmdReplaceAll);
    QCOMPARE(env.Prompts.Asked,
             QStringList{QStringLiteral("message: ") +
                         QString::fromStdString(UnencodableMessage({0, U'\u2192'}))});
    QVERIFY(!editor.Modified());
  }
};

QM_TEST_MAIN(TestFindReplace)
#include "tst_findreplace.moc"
