// SPDX-License-Identifier: GPL-3.0-or-later
// The views and the rule at the caret: outside every rule they show nothing and change nothing,
// a write keeps the caret in its rule, an open editor never writes into another rule, all views
// agree after every change, a field's edit is one step of Undo, and shorthand parts keep the rest.
#include <QAction>
#include <QColor>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>

#include "app/declarationsync.h"
#include "app/quickinfopanel.h"
#include "app/visualeditorpanel.h"
#include "controls/ComboBoxUnit.h"
#include "controls/Combocss.h"
#include "controls/inspectorcss.h"
#include "dialogs/finddialog.h"
#include "testenv.h"

using namespace qm;

namespace {

TInspectorCSS& Ic(TFrmMain& w) {
  return *w.Properties().Inspector();
}

TInspectorItem& Row(TFrmMain& w, const char* tag) {
  return Ic(w).Items(Ic(w).IndexOfTag(QString::fromLatin1(tag)));
}

QString Value(TFrmMain& w, const char* tag) {
  return QString::fromStdString(Row(w, tag).Value());
}

// The part row named part under the shorthand row.
TInspectorItem& Part(TFrmMain& w, const char* shorthand, const char* part) {
  TInspectorItem& row = Row(w, shorthand);
  for (int32_t k = 1; k <= Ic(w).Items().ChildCount(row); ++k) {
    if (TInspectorItem& item = Ic(w).Items(row.Index() + k); item.Caption == part) {
      return item;
    }
  }
  qFatal("no part %s of %s", part, shorthand);
}

QString RuleHint(TFrmMain& w) {
  return w.findChild<QLabel*>(QStringLiteral("RuleHint"))->text();
}

// The window on the screen with sheet open in CSS2, the caret at caret.
bool Open(TTestEnv& env, TFrmMain& w, const QByteArray& sheet, int32_t caret) {
  w.resize(1000, 760);
  w.show();
  if (!QTest::qWaitForWindowExposed(&w)) {
    return false;
  }
  w.Properties().SetCssLevel(1);
  w.Tabs().OpenOperation(env.WriteFile(QStringLiteral("a.css"), sheet));
  TCssEditor* editor = w.Tabs().CurrentEditor();
  editor->setFocus();
  editor->SetCaret(caret);
  editor->CheckStatus();
  return true;
}

int32_t At(const QByteArray& sheet, const char* marker) {
  return static_cast<int32_t>(sheet.indexOf(marker));
}

const QByteArray kSelectionSheet = "a{width:1px;color:red}\r\nb{width:5px}";

// Where a person clicks to put the caret in front of the character at pos.
QPoint PointOf(TCssEditor* editor, int32_t pos) {
  const auto x =
      editor->SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0UL, static_cast<long>(pos));
  const auto y =
      editor->SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0UL, static_cast<long>(pos));
  const auto height = editor->SendScintilla(QsciScintillaBase::SCI_TEXTHEIGHT, 0UL);
  return QPoint(static_cast<int>(x) + 1, static_cast<int>(y + height / 2));
}

bool AnyValue(TFrmMain& w) {
  for (int32_t i = 0; i < Ic(w).Count(); ++i) {
    if (!Ic(w).Items(i).Value().empty()) {
      return true;
    }
  }
  return false;
}

}  // namespace

class TestRuleSync : public QObject {
  Q_OBJECT

 private slots:
  void outsideEveryRuleNothingIsShownOrWritten_data() {
    QTest::addColumn<QByteArray>("sheet");
    QTest::addColumn<QByteArray>("caretAt");  // the caret goes in front of this text
    const QByteArray plain = "/* top */\r\nh1 { color: red; }\r\np { color: blue; }";
    QTest::newRow("top-level comment") << plain << QByteArray("top");
    QTest::newRow("in a selector") << plain << QByteArray("1 {");
    QTest::newRow("between rules") << plain << QByteArray("\r\np {");
    const QByteArray media =
        "@media print {\r\n  h1 { color: red; }\r\n\r\n  p { color: blue; }\r\n}";
    QTest::newRow("at-rule prelude") << media << QByteArray("print");
    QTest::newRow("between the rules of @media") << media << QByteArray("\r\n  p {");
    QTest::newRow("one line") << QByteArray("a{color:red}b{color:blue}") << QByteArray("b{");
  }

  void outsideEveryRuleNothingIsShownOrWritten() {
    QFETCH(QByteArray, sheet);
    QFETCH(QByteArray, caretAt);
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    QVERIFY(Open(env, w, sheet, At(sheet, caretAt)));
    QVERIFY(!w.Declarations().HasRule());
    QVERIFY(!AnyValue(w));
    QVERIFY(Ic(w).ReadOnly());
    QCOMPARE(RuleHint(w), TDeclarationSync::NoRuleMessage());

    // A row's editor takes no typing; a pick from a list, or a visual picker, changes nothing.
    Ic(w).SelectItem(&Row(w, "color"));
    QTest::keyClicks(Ic(w).InplaceCombo(), QStringLiteral("green"));
    TComboCSS* weight = Picker<TComboCSS>(w, "cmbfontweight");
    QVERIFY(weight->isReadOnly());
    weight->DropDown();
    weight->DropList()->SetHighlighted(1);
    weight->ChooseItem();
    weight->DropList()->CloseUp();
    QVERIFY(!w.Declarations().Write(QStringLiteral("color"), QStringLiteral("green")));
    QCOMPARE(Text(w), sheet);
    QCOMPARE(w.StatusText(), TDeclarationSync::NoRuleMessage());

    // Into a rule, the views show it and take input again.
    w.Tabs().CurrentEditor()->SetCaret(At(sheet, "red"));
    w.Tabs().CurrentEditor()->CheckStatus();
    QCOMPARE(Value(w, "color"), QStringLiteral("red"));
    QVERIFY(!Ic(w).ReadOnly());
    QVERIFY(!weight->isReadOnly());
    QCOMPARE(RuleHint(w), QString());
  }

  // One-line rules: whatever the write leaves of the value, the next keystroke goes into the
  // same rule, and the rule after it stays as it was.
  void aWriteKeepsTheCaretInItsRule_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("then");
    QTest::newRow("shorter") << QStringLiteral("2") << QStringLiteral("0");
    QTest::newRow("cleared") << QString() << QStringLiteral("3");
  }

  void aWriteKeepsTheCaretInItsRule() {
    QFETCH(QString, first);
    QFETCH(QString, then);
    const QByteArray sheet = "a{width:1px}b{width:5px}";
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    QVERIFY(Open(env, w, sheet, At(sheet, "px}b")));
    QComboBox* value = Picker<TComboBoxUnit>(w, "cmbwidth")->ValueBox();
    QCOMPARE(value->currentText(), QStringLiteral("1"));
    if (first.isEmpty()) {
      value->lineEdit()->clear();
    } else {
      value->lineEdit()->selectAll();
    }
    QTest::keyClicks(value->lineEdit(), first);
    QTest::keyClicks(value->lineEdit(), then);
    QVERIFY2(Text(w).endsWith("}b{width:5px}"), Text(w).constData());
    QVERIFY2(Text(w).startsWith("a{width: " + (first + then).toUtf8()), Text(w).constData());
    QCOMPARE(w.Declarations().RuleName(), QStringLiteral("a"));
  }

  // An open editor belongs to its row and rule: it commits there, or closes, before the views
  // show another rule.
  void anOpenEditorNeverWritesIntoAnotherRule_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("typed") << QStringLiteral("1px") << QByteArray("margin: 1px;");
    QTest::newRow("untouched") << QString() << QByteArray("font-family: Arial;\r\n}");
  }

  void anOpenEditorNeverWritesIntoAnotherRule() {
    QFETCH(QString, typed);
    QFETCH(QByteArray, body);
    const QByteArray sheet = "body {\r\n  font-family: Arial;\r\n}\r\nh1 {\r\n}\r\n";
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    QVERIFY(Open(env, w, sheet, At(sheet, "font")));
    Ic(w).SelectItem(&Row(w, "margin"));
    TInplaceEdit* edit = Ic(w).InplaceEdit();
    QVERIFY(edit->isVisible());
    QTest::keyClicks(edit, typed);
    // The caret moved into the next rule by the program (a search, a selector chosen in the
    // tree) while the editor is open.
    w.Tabs().CurrentEditor()->SetCaret(At(sheet, "h1 {") + 4);
    w.Tabs().CurrentEditor()->CheckStatus();
    QVERIFY(edit->isHidden());
    QCOMPARE(w.Declarations().RuleName(), QStringLiteral("h1"));
    QVERIFY2(Text(w).contains(body), Text(w).constData());
    QVERIFY2(Text(w).endsWith("h1 {\r\n}"), Text(w).constData());
    QCOMPARE(Value(w, "margin"), QString());
    QCOMPARE(Value(w, "font-family"), QString());
  }

  // After a change from any view, or typed into the text, every view shows the rule as it is.
  void allViewsAgree() {
    const QByteArray sheet = "p { color: red; }\r\nh1 {\r\n  font-weight: normal;\r\n}\r\n";
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    QVERIFY(Open(env, w, sheet, At(sheet, "font-weight")));
    TComboCSS* weight = Picker<TComboCSS>(w, "cmbfontweight");
    TComboCSS* color = Picker<TComboCSS>(w, "cmbcolor");
    QPlainTextEdit* info = w.QuickInfo().Info();

    // From the Properties panel.
    Ic(w).SelectItem(&Row(w, "color"));
    Ic(w).InplaceCombo()->setText(QStringLiteral("green"));
    QCOMPARE(color->text(), QStringLiteral("green"));
    QVERIFY2(info->toPlainText().endsWith(QStringLiteral("In h1: color: green;")),
             qPrintable(info->toPlainText()));
    // From the Visual Editor.
    weight->setFocus();
    weight->selectAll();
    QTest::keyClicks(weight, QStringLiteral("bold"));
    QCOMPARE(Value(w, "font-weight"), QStringLiteral("bold"));
    // Typed into the text: the views follow once typing pauses.
    TCssEditor* editor = w.Tabs().CurrentEditor();
    editor->setFocus();
    editor->SetCaret(static_cast<int32_t>(Text(w).indexOf("bold")));
    editor->CheckStatus();
    QTest::keyClicks(editor, QStringLiteral("x"));
    QTRY_COMPARE(Value(w, "font-weight"), QStringLiteral("xbold"));
    QCOMPARE(weight->text(), QStringLiteral("xbold"));
    // From a colour swatch: Alt+Enter in the colour, a colour picked.
    editor->SetCaret(static_cast<int32_t>(Text(w).indexOf("green")) + 1);
    env.Prompts.AnswerColor(QColor(0, 0, 255));
    QTest::keyClick(editor, Qt::Key_Return, Qt::AltModifier);
    QVERIFY2(Text(w).contains("color: blue;"), Text(w).constData());
    QCOMPARE(Value(w, "color"), QStringLiteral("blue"));
    QCOMPARE(color->text(), QStringLiteral("blue"));
    editor->undo();
    editor->CheckStatus();
    // Undo is no typing: the views follow it at once.
    editor->undo();
    editor->CheckStatus();
    QCOMPARE(Value(w, "font-weight"), QStringLiteral("bold"));
    QCOMPARE(Text(w).left(18), QByteArray("p { color: red; }\r"));
  }

  // Typing a word into a field, or a text row committed with Enter, is one step of Undo.
  void oneFieldEditIsOneUndoStep() {
    const QByteArray sheet = "h1 {\r\n  color: red;\r\n}";
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    QVERIFY(Open(env, w, sheet, At(sheet, "color")));
    TCssEditor* editor = w.Tabs().CurrentEditor();
    TComboCSS* weight = Picker<TComboCSS>(w, "cmbfontweight");
    weight->setFocus();
    QTest::keyClicks(weight, QStringLiteral("bold"));
    QVERIFY2(Text(w).contains("font-weight: bold;"), Text(w).constData());
    QVERIFY(!Text(w).contains("font-weight: bol;"));
    Ic(w).SelectItem(&Row(w, "color"));
    Ic(w).InplaceCombo()->selectAll();
    QTest::keyClicks(Ic(w).InplaceCombo(), QStringLiteral("blue"));
    QVERIFY2(Text(w).contains("color: blue;"), Text(w).constData());

    Ic(w).SelectItem(&Row(w, "margin"));
    QTest::keyClicks(Ic(w).InplaceEdit(), QStringLiteral("1px"));
    QTest::keyClick(Ic(w).InplaceEdit(), Qt::Key_Return);
    QVERIFY2(Text(w).contains("margin: 1px;"), Text(w).constData());

    editor->undo();
    QVERIFY(!Text(w).contains("margin"));
    QVERIFY(Text(w).contains("color: blue;"));
    editor->undo();
    QVERIFY2(Text(w).contains("color: red;"), Text(w).constData());
    QVERIFY(Text(w).contains("font-weight: bold;"));
    editor->undo();
    QCOMPARE(Text(w), sheet);
  }

  // A value that would end the declaration or the rule is refused, and the field keeps it.
  void aValueThatWouldEndTheDeclarationIsRefused() {
    const QByteArray sheet = "h1 {\r\n  color: red;\r\n}";
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    QVERIFY(Open(env, w, sheet, At(sheet, "color")));
    Ic(w).SelectItem(&Row(w, "margin"));
    QTest::keyClicks(Ic(w).InplaceEdit(), QStringLiteral("1px; color: blue"));
    QTest::keyClick(Ic(w).InplaceEdit(), Qt::Key_Return);
    QCOMPARE(Text(w), sheet);
    QVERIFY(!w.StatusText().isEmpty());
    QVERIFY(!w.StatusText().startsWith(QStringLiteral("Line")));
    QCOMPARE(Value(w, "margin"), QStringLiteral("1px; color: blue"));

    TComboCSS* family = Picker<TComboCSS>(w, "cmbfontfamily");
    QTest::keyClicks(family, QStringLiteral("a}"));
    QVERIFY2(Text(w).contains("font-family: a;"), Text(w).constData());
    QVERIFY(!Text(w).contains("a}"));
    QCOMPARE(family->text(), QStringLiteral("a}"));
  }

  // The part rows show the components that belong to them; editing one keeps the others.
  void aShorthandPartKeepsTheOtherComponents() {
    const QByteArray sheet = "div {\r\n  background: url(img/bg.png) no-repeat;\r\n}\r\n";
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    QVERIFY(Open(env, w, sheet, At(sheet, "background")));
    QCOMPARE(Part(w, "background", "background-image").Value(), "url(img/bg.png)");
    QCOMPARE(Part(w, "background", "background-repeat").Value(), "no-repeat");
    QCOMPARE(Part(w, "background", "background-color").Value(), "");

    Row(w, "background").Expanded = true;
    Ic(w).SelectItem(&Part(w, "background", "background-repeat"));
    Ic(w).InplaceCombo()->setText(QStringLiteral("repeat-x"));
    QVERIFY2(Text(w).contains("  background: url(img/bg.png) no-repeat;\r\n"), Text(w).constData());
    QVERIFY2(Text(w).contains("background-repeat: repeat-x;"), Text(w).constData());
    QCOMPARE(Part(w, "background", "background-repeat").Value(), "repeat-x");
    QCOMPARE(Part(w, "background", "background-image").Value(), "url(img/bg.png)");
    QCOMPARE(Picker<TComboCSS>(w, "cmbbackgroundrepeat")->text(), QStringLiteral("repeat-x"));
  }

  // The views show the rule at a selection's moving end; over two rules they are read-only and
  // say why. No write goes over the selected text.
  void aSelectionShowsTheRuleAtItsMovingEnd_data() {
    QTest::addColumn<QByteArray>("from");  // clicked in front of this
    QTest::addColumn<QByteArray>("to");    // then Shift+clicked in front of this
    QTest::addColumn<QString>("rule");     // empty for read-only views
    QTest::addColumn<QByteArray>("written");
    const QByteArray unchanged = kSelectionSheet;
    QTest::newRow("into the next rule")
        << QByteArray("1px") << QByteArray("5px") << QString() << unchanged;
    QTest::newRow("back into the rule before")
        << QByteArray("5px") << QByteArray("1px") << QString() << unchanged;
    QTest::newRow("within one rule")
        << QByteArray("1px") << QByteArray("red") << QStringLiteral("a")
        << QByteArray("a{width: 7em;color:red}\r\nb{width:5px}");
    QTest::newRow("from the selector into its rule")
        << QByteArray("b{") << QByteArray("5px") << QStringLiteral("b")
        << QByteArray("a{width:1px;color:red}\r\nb{width: 7em;}");
  }

  void aSelectionShowsTheRuleAtItsMovingEnd() {
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(QString, rule);
    QFETCH(QByteArray, written);
    const QByteArray sheet = kSelectionSheet;
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    QVERIFY(Open(env, w, sheet, 0));
    TCssEditor* editor = w.Tabs().CurrentEditor();
    QTest::mouseClick(editor->viewport(), Qt::LeftButton, {}, PointOf(editor, At(sheet, from)));
    QTest::mouseClick(editor->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      PointOf(editor, At(sheet, to)));
    QCOMPARE(editor->Caret(), At(sheet, to));
    const QString selected = editor->selectedText();
    QVERIFY(!selected.isEmpty());
    if (rule.isEmpty()) {
      QVERIFY(!w.Declarations().HasRule());
      QVERIFY(Ic(w).ReadOnly());
      QVERIFY(w.Declarations().ReadOnlyMessage() != TDeclarationSync::NoRuleMessage());
      QCOMPARE(RuleHint(w), w.Declarations().ReadOnlyMessage());
    } else {
      QCOMPARE(w.Declarations().RuleName(), rule);
      QCOMPARE(RuleHint(w), QString());
    }

    // The Visual Editor's width, then the Properties row: each replaces the value it shows.
    QComboBox* width = Picker<TComboBoxUnit>(w, "cmbwidth")->ValueBox();
    width->lineEdit()->selectAll();
    QTest::keyClicks(width->lineEdit(), QStringLiteral("7"));
    QComboBox* unit = Picker<TComboBoxUnit>(w, "cmbwidth")->UnitBox();
    if (unit->isEnabled()) {
      unit->setCurrentIndex(unit->findText(QStringLiteral("em")));
    }
    QCOMPARE(Text(w), written);
    Ic(w).SelectItem(&Row(w, "width"));
    QLineEdit* row = Row(w, "width").EditType == TEditType::etList
                         ? static_cast<QLineEdit*>(Ic(w).InplaceCombo())
                         : Ic(w).InplaceEdit();
    QTest::keyClicks(row, QStringLiteral("7em"));
    QTest::keyClick(row, Qt::Key_Return);
    QCOMPARE(Text(w), written);
    if (rule.isEmpty()) {
      QCOMPARE(w.StatusText(), w.Declarations().ReadOnlyMessage());
    }
  }

  // A match found by Find is in the rule the views then show.
  void aMatchFoundShowsItsRule() {
    const QByteArray sheet = kSelectionSheet;
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    QVERIFY(Open(env, w, sheet, At(sheet, "1px")));
    QCOMPARE(w.Declarations().RuleName(), QStringLiteral("a"));
    QTest::keyClick(w.Tabs().CurrentEditor(), Qt::Key_F, Qt::ControlModifier);
    TFindDialog& dialog = w.FindDialog();
    dialog.TxtFind->setText(QStringLiteral("5px"));
    QTest::mouseClick(dialog.CmdFindNext, Qt::LeftButton);
    QCOMPARE(w.Tabs().CurrentEditor()->selectedText(), QStringLiteral("5px"));
    QCOMPARE(w.Declarations().RuleName(), QStringLiteral("b"));
    QCOMPARE(Value(w, "width"), QStringLiteral("5px"));
  }

  // Of two declarations of one name, the row shows the later one, which applies; clearing the
  // row removes that one, and leaving the row for the text removes nothing more.
  void clearingARowRemovesTheOneDeclarationItShows() {
    const QByteArray sheet = "h1 {\r\n  color: red;\r\n  color: blue;\r\n}";
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    QVERIFY(Open(env, w, sheet, At(sheet, "color")));
    QCOMPARE(Value(w, "color"), QStringLiteral("blue"));
    Ic(w).SelectItem(&Row(w, "color"));
    TInplaceCombo* combo = Ic(w).InplaceCombo();
    QVERIFY(combo->isVisible());
    combo->selectAll();
    QTest::keyClick(combo, Qt::Key_Delete);
    QCOMPARE(Text(w), QByteArray("h1 {\r\n  color: red;\r\n}"));
    TCssEditor* editor = w.Tabs().CurrentEditor();
    QTest::mouseClick(editor->viewport(), Qt::LeftButton, {}, PointOf(editor, At(sheet, "red")));
    QVERIFY(combo->isHidden());
    QCOMPARE(Text(w), QByteArray("h1 {\r\n  color: red;\r\n}"));
    QCOMPARE(Value(w, "color"), QStringLiteral("red"));
  }

  // Of a part's own declaration and its shorthand's, the later one applies: the part row and the
  // Visual Editor show it, and a write of the part makes the new value apply.
  void aPartShowsAndWritesTheValueThatApplies() {
    const QByteArray sheet =
        "div {\r\n  margin-top: 1px;\r\n  margin: 5px /* all */ 2px;\r\n  padding: 3px;\r\n}";
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    QVERIFY(Open(env, w, sheet, At(sheet, "margin-top")));
    QCOMPARE(Part(w, "margin", "margin-top").Value(), "5px");
    QCOMPARE(Part(w, "margin", "margin-left").Value(), "2px");
    QCOMPARE(Picker<TComboBoxUnit>(w, "cmbmargintop")->Text(), QStringLiteral("5px"));
    QCOMPARE(Picker<TComboBoxUnit>(w, "cmbmarginleft")->Text(), QStringLiteral("2px"));
    QCOMPARE(Picker<TComboBoxUnit>(w, "cmbpaddingbottom")->Text(), QStringLiteral("3px"));

    Row(w, "margin").Expanded = true;
    Ic(w).SelectItem(&Part(w, "margin", "margin-top"));
    QLineEdit* editor = Ic(w).InplaceCombo()->isHidden()
                            ? static_cast<QLineEdit*>(Ic(w).InplaceEdit())
                            : static_cast<QLineEdit*>(Ic(w).InplaceCombo());
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("9px"));
    QTest::keyClick(editor, Qt::Key_Return);
    Ic(w).CommitEdit();
    QCOMPARE(Text(w), QByteArray("div {\r\n  margin: 5px /* all */ 2px;\r\n  padding: 3px;\r\n"
                                 "  margin-top: 9px;\r\n}"));
    QCOMPARE(Part(w, "margin", "margin-top").Value(), "9px");
    QCOMPARE(Picker<TComboBoxUnit>(w, "cmbmargintop")->Text(), QStringLiteral("9px"));
    // The move and the new value are one step of Undo.
    w.Tabs().CurrentEditor()->undo();
    QCOMPARE(Text(w), sheet);
  }
};

QTEST_MAIN(TestRuleSync)
#include "tst_rulesync.moc"
