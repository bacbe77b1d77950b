// SPDX-License-Identifier: GPL-3.0-or-later
// The check as you type: squiggles under the problems of the document in front, the Problems
// panel's rows, the way there from a row, the message at a squiggle, and the Options switch.
#include <QCheckBox>
#include <QDockWidget>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeView>

#include "app/documentcheck.h"
#include "app/editorassist.h"
#include "app/problemspanel.h"
#include "commands.h"
#include "dialogs/cssoptions.h"
#include "model/assist/hoverinfo.h"
#include "platform/settings.h"
#include "testenv.h"

using namespace qm;

namespace {

using Sci = QsciScintillaBase;

// The marked stretches of the text in order, "E[text]" for an error, "W[text]" for a warning.
QString Marks(const TOpenDocument& document) {
  const TCssEditor* editor = document.Editor();
  const TProblemMarks& marks = document.Check().Marks();
  const std::string_view text = editor->Text();
  QString shown;
  QChar open;
  for (size_t i = 0; i <= text.size(); ++i) {
    QChar kind;
    if (i < text.size()) {
      auto* e = const_cast<TCssEditor*>(editor);
      if (e->SendScintilla(Sci::SCI_INDICATORVALUEAT, marks.ErrorIndicator(), long(i)) != 0) {
        kind = QLatin1Char('E');
      } else if (e->SendScintilla(Sci::SCI_INDICATORVALUEAT, marks.WarningIndicator(), long(i)) !=
                 0) {
        kind = QLatin1Char('W');
      }
    }
    if (kind != open && !open.isNull()) {
      shown += QLatin1Char(']');
    }
    if (kind != open && !kind.isNull()) {
      shown += (shown.isEmpty() ? QString() : QStringLiteral(" ")) + kind + QLatin1Char('[');
    }
    if (!kind.isNull()) {
      shown += QLatin1Char(text[i]);
    }
    open = kind;
  }
  return shown;
}

TOpenDocument& Open(TTestEnv& env, const QString& name, const QByteArray& sheet) {
  TFrmMain& w = env.Window();
  w.Tabs().OpenOperation(env.WriteFile(name, sheet));
  return *w.Tabs().CurrentDocument();
}

void ShowWindow(TFrmMain& w) {
  w.show();
  QVERIFY(QTest::qWaitForWindowExposed(&w));
  w.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&w));
}

}  // namespace

class TestProblems : public QObject {
  Q_OBJECT

 private slots:
  void problemsAreMarkedAndListed_data() {
    QTest::addColumn<QByteArray>("sheet");
    QTest::addColumn<QString>("marks");
    QTest::addColumn<QStringList>("rows");  // each row's start
    QTest::newRow("an unknown property")
        << QByteArray("a {\n  colr: red;\n}\n") << QStringLiteral("E[colr]")
        << QStringList{"2:3: error: `colr` is not a known property"};
    QTest::newRow("a value that does not fit")
        << QByteArray("a { flex-direction: colum }") << QStringLiteral("E[colum]")
        << QStringList{"1:21: error: `flex-direction`: `colum` is not one of"};
    QTest::newRow("a vendor keyword is a warning")
        << QByteArray("li { text-align: -webkit-match-parent }")
        << QStringLiteral("W[-webkit-match-parent]")
        << QStringList{"1:18: warning: `text-align`: `-webkit-match-parent`"};
    QTest::newRow("an unknown at-rule and a comment left open")
        << QByteArray("@medya print { a { color: red } }\nb { top: 0 } /* note")
        << QStringLiteral("E[@medya] E[/*]")
        << QStringList{"1:1: error: `@medya` is not a known at-rule",
                       "2:14: error: unclosed comment"};
    QTest::newRow("valid modern css")
        << QByteArray(
               "@layer base { a { --x: 1; color: var(--x); inset: 0 !important; "
               "&:hover { color: red } } }\n@container (width > 1px) { b { top: 0 } }")
        << QString() << QStringList{};
  }
  void problemsAreMarkedAndListed() {
    QFETCH(QByteArray, sheet);
    QFETCH(QString, marks);
    QFETCH(QStringList, rows);
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    TOpenDocument& document = Open(env, QStringLiteral("a.css"), sheet);
    QTRY_VERIFY(document.Check().Current());
    QCOMPARE(Marks(document), marks);
    const QStringList listed = w.Problems().Rows();
    QCOMPARE(listed.size(), rows.size());
    for (int i = 0; i < rows.size(); ++i) {
      QVERIFY2(listed[i].startsWith(rows[i]), qPrintable(listed[i]));
    }
  }

  void typingAFaultMarksItAndFixingItClearsIt() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    ShowWindow(w);
    TOpenDocument& document = Open(env, QStringLiteral("a.css"), "a { color: red; }\r\n");
    TCssEditor* editor = document.Editor();
    QTRY_VERIFY(document.Check().Current());
    QCOMPARE(Marks(document), QString());
    // "color" becomes "colr", then "color" again.
    editor->SetCaret(8);
    QTest::keyClick(editor, Qt::Key_Backspace);
    QTRY_COMPARE(Marks(document), QStringLiteral("E[colr]"));
    QCOMPARE(w.Problems().Rows().size(), 1);
    // The caret in the squiggle tells its message in the status bar.
    QCOMPARE(w.findChild<QLabel*>(QStringLiteral("RuleHint"))->text(),
             QStringLiteral("Error: `colr` is not a known property: did you mean `color`?"));
    QTest::keyClicks(editor, QStringLiteral("o"));
    QTRY_COMPARE(Marks(document), QString());
    QCOMPARE(w.Problems().Rows(), QStringList());
    // A problem after an edit in front of it moves with the text.
    editor->SetCaret(13);
    QTest::keyClicks(editor, QStringLiteral("x"));
    QTRY_COMPARE(Marks(document), QStringLiteral("E[rexd]"));
    editor->SetCaret(0);
    QTest::keyClicks(editor, QStringLiteral("b, "));
    QTRY_VERIFY(document.Check().Current());
    QCOMPARE(Marks(document), QStringLiteral("E[rexd]"));
    QVERIFY2(w.Problems().Rows().value(0).startsWith(QStringLiteral("1:15: error: `color`")),
             qPrintable(w.Problems().Rows().value(0)));
  }

  void ctrlPeriodPutsTheSuggestionInPlaceAsOneUndoStep() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    ShowWindow(w);
    TOpenDocument& document =
        Open(env, QStringLiteral("a.css"), "a { colr: red; display: flexx }\r\n");
    TCssEditor* editor = document.Editor();
    editor->setFocus();
    QTRY_COMPARE(Marks(document), QStringLiteral("E[colr] E[flexx]"));
    // Right after the misspelt word, as after typing it.
    editor->SetCaret(8);
    QTest::keyClick(editor, Qt::Key_Period, Qt::ControlModifier);
    QCOMPARE(editor->Text(), std::string_view("a { color: red; display: flexx }"));
    QTRY_VERIFY(document.Check().Current());
    QCOMPARE(Marks(document), QStringLiteral("E[flexx]"));
    editor->SetCaret(28);
    QTest::keyClick(editor, Qt::Key_Period, Qt::ControlModifier);
    QCOMPARE(editor->Text(), std::string_view("a { color: red; display: flex }"));
    // Nothing to fix where there is no problem: nothing changes.
    editor->SetCaret(0);
    QTest::keyClick(editor, Qt::Key_Period, Qt::ControlModifier);
    QCOMPARE(editor->Text(), std::string_view("a { color: red; display: flex }"));
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(editor->Text(), std::string_view("a { color: red; display: flexx }"));
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(editor->Text(), std::string_view("a { colr: red; display: flexx }"));
  }

  void theOptionsSwitchTurnsTheCheckOffAndOn() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    TOpenDocument& document = Open(env, QStringLiteral("a.css"), "a { colr: red }");
    QTRY_COMPARE(Marks(document), QStringLiteral("E[colr]"));
    TFrmOptions& options = w.OptionsDialog();
    options.show();
    QVERIFY(options.ChkCheckAsYouType->isChecked());
    options.ChkCheckAsYouType->setChecked(false);
    options.CmdApply->click();
    QCOMPARE(Marks(document), QString());
    QCOMPARE(w.Problems().Rows(), QStringList());
    QCOMPARE(env.ReopenSettings()->ReadString(Setting::CheckAsYouType.Key()), QStringLiteral("0"));
    // Nothing is checked while it is off, also in a document opened then.
    TOpenDocument& other = Open(env, QStringLiteral("b.css"), "b { wdth: 1px }");
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    QVERIFY(!other.Check().Current());
    QCOMPARE(Marks(other), QString());
    QCOMPARE(w.Problems().Rows(), QStringList());
    options.show();
    QVERIFY(!options.ChkCheckAsYouType->isChecked());
    options.ChkCheckAsYouType->setChecked(true);
    options.CmdApply->click();
    QTRY_COMPARE(Marks(other), QStringLiteral("E[wdth]"));
    QCOMPARE(w.Problems().Rows().size(), 1);
  }

  void theHackSwitchTurnsOldBrowserHackWarningsOffAndOn() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    TOpenDocument& document = Open(env, QStringLiteral("a.css"), "a { *zoom: 1; colr: red }");
    QTRY_COMPARE(Marks(document), QStringLiteral("W[*zoom] E[colr]"));
    TFrmOptions& options = w.OptionsDialog();
    options.show();
    QVERIFY(options.ChkHackWarnings->isChecked());
    options.ChkHackWarnings->setChecked(false);
    options.CmdApply->click();
    QTRY_COMPARE(Marks(document), QStringLiteral("E[colr]"));
    QCOMPARE(env.ReopenSettings()->ReadString(Setting::HackWarnings.Key()), QStringLiteral("0"));
    options.show();
    QVERIFY(!options.ChkHackWarnings->isChecked());
    options.ChkHackWarnings->setChecked(true);
    options.CmdApply->click();
    QTRY_COMPARE(Marks(document), QStringLiteral("W[*zoom] E[colr]"));
  }

  void aRowTakesTheCaretToItsProblem_data() {
    QTest::addColumn<bool>("byKey");
    QTest::newRow("double-click") << false;
    QTest::newRow("Enter") << true;
  }
  void aRowTakesTheCaretToItsProblem() {
    QFETCH(bool, byKey);
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    ShowWindow(w);
    QVERIFY(w.Dock(QStringLiteral("dxProblems"))->isHidden());  // a roomy first start
    w.Action(QStringLiteral("mPanelProblems"))->trigger();
    QVERIFY(w.Action(QStringLiteral("mPanelProblems"))->isChecked());
    TOpenDocument& document =
        Open(env, QStringLiteral("a.css"), "a { colr: red }\r\nb {\r\n  top: x;\r\n}\r\n");
    QTRY_COMPARE(w.Problems().Rows().size(), 2);
    QTreeView* list = w.Problems().List();
    QTRY_VERIFY(list->isVisible());
    const QModelIndex second = list->model()->index(1, 0);
    if (byKey) {
      list->setFocus();
      list->setCurrentIndex(second);
      QTest::keyClick(list, Qt::Key_Return);
    } else {
      const QPoint at = list->visualRect(second).center();
      // As the system delivers one: a click, then the second press as a double-click.
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
      QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }
    QCOMPARE(document.Editor()->CaretLineCol(), (TLineCol{3, 8}));
    QTRY_VERIFY(document.Editor()->hasFocus());
  }

  void theListFollowsTheDocumentInFront() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    TOpenDocument& first = Open(env, QStringLiteral("a.css"), "a { colr: red }");
    QTRY_VERIFY(first.Check().Current());
    TOpenDocument& second = Open(env, QStringLiteral("b.css"), "b {}\nc { top: x }");
    QTRY_VERIFY(second.Check().Current());
    QCOMPARE(w.Problems().Rows().size(), 1);
    QVERIFY(w.Problems().Rows()[0].startsWith(QStringLiteral("2:10: error: `top`")));
    w.Tabs().Pages()->setCurrentIndex(0);
    QCOMPARE(w.Problems().Rows().size(), 1);
    QVERIFY(w.Problems().Rows()[0].startsWith(QStringLiteral("1:5: error: `colr`")));
    // Typed while behind, checked when it comes to the front.
    second.Editor()->SendScintilla(Sci::SCI_INSERTTEXT, 0UL, "\r\n");
    QCoreApplication::processEvents();
    QVERIFY(!second.Check().Current());
    w.Tabs().Pages()->setCurrentIndex(1);
    // Where the last check found it, until the check in front runs.
    QVERIFY(w.Problems().Rows().value(0).startsWith(QStringLiteral("2:10")));
    QTRY_VERIFY(w.Problems().Rows().value(0).startsWith(QStringLiteral("3:10")));
  }

  void pointingAtASquiggleTellsWhy() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    ShowWindow(w);
    TOpenDocument& document = Open(env, QStringLiteral("a.css"), "a { width: 10 }");
    QTRY_VERIFY(document.Check().Current());
    const TProblemSpan* problem = document.ProblemAt(12);
    QVERIFY(problem != nullptr);
    QCOMPARE(document.ProblemAt(3), nullptr);
    // The tip tells the problem rather than what the value is, its long line broken, and the
    // whole syntax the message cuts short.
    QCOMPARE(QString::fromStdString(w.Assistant().TipAt(document, 12)),
             QString::fromStdString(WrappedTip(problem->Message + "\n" + problem->Detail)));
    QVERIFY(problem->Detail.starts_with("width: auto | "));
    TCssEditor* editor = document.Editor();
    emit editor->SCN_DWELLSTART(12, 40, 5);
    QTRY_VERIFY(editor->SendScintilla(QsciScintillaBase::SCI_CALLTIPACTIVE) != 0);
    QVERIFY(problem->Message.starts_with("`width`: `10`"));
  }
};

QM_TEST_MAIN(TestProblems)
#include "tst_problems.moc"
