// SPDX-License-Identifier: GPL-3.0-or-later
// Following custom properties with the keys: F12 to the definition that applies, Shift+F12 to
// the list of uses, F2 to a new name in one step of Undo, and completion inside var().
#include <QDockWidget>
#include <QLineEdit>
#include <QListWidget>

#include "app/editorkit.h"
#include "app/placespanel.h"
#include "testenv.h"

using namespace qm;

namespace {

const QByteArray kSheet =
    ":root { --brand: #336699; --gap: 4px; }\r\n"
    ".card { --brand: red; color: var(--brand); }\r\n"
    "a { color: var(--brand); margin: var(--gap); }\r\n"
    ".x { --only: 1; } .y { --only: 2; } .z { top: var(--only); }\r\n"
    "p {  }";

int32_t IndexOf(TCssEditor& editor, const char* text, int from = 0) {
  return static_cast<int32_t>(Text(&editor).indexOf(text, from));
}

QByteArray Selected(TCssEditor& editor) {
  return Text(&editor).mid(editor.SelStart(), editor.SelEnd() - editor.SelStart());
}

}  // namespace

class TestCustomProperties : public QObject {
  Q_OBJECT

 private:
  TCssEditor* Open(TTestEnv& env) {
    TFrmMain& w = env.MakeWindow();
    w.resize(1000, 700);
    w.show();
    if (!QTest::qWaitForWindowExposed(&w)) {
      return nullptr;
    }
    w.Tabs().OpenOperation(env.WriteFile(QStringLiteral("sheet.css"), kSheet));
    TCssEditor* editor = w.Tabs().CurrentEditor();
    editor->setFocus();
    return editor;
  }

 private slots:
  void f12GoesToTheDefinitionThatApplies_data() {
    QTest::addColumn<QByteArray>("from");        // the caret goes one byte into this text
    QTest::addColumn<QByteArray>("definition");  // the selection's start, found the same way
    QTest::addColumn<QString>("heading");        // of the list shown instead; empty for none
    QTest::newRow("the rule's own")
        << QByteArray("--brand); }\r\na") << QByteArray("--brand: red") << QString();
    QTest::newRow("the whole document's")
        << QByteArray("--brand); margin") << QByteArray("--brand: #") << QString();
    QTest::newRow("several rules")
        << QByteArray("--only); }") << QByteArray() << QStringLiteral("Definitions of --only: 2");
  }
  void f12GoesToTheDefinitionThatApplies() {
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, definition);
    QFETCH(QString, heading);
    TTestEnv env;
    TCssEditor* editor = Open(env);
    QVERIFY(editor != nullptr);
    TFrmMain& w = env.Window();
    editor->SetCaret(IndexOf(*editor, from.constData()) + 1);
    QTest::keyClick(editor, Qt::Key_F12);
    auto* dock = w.findChild<QDockWidget*>(QStringLiteral("dxPlaces"));
    QVERIFY(dock != nullptr);
    if (heading.isEmpty()) {
      QCOMPARE(editor->SelStart(), IndexOf(*editor, definition.constData()));
      QCOMPARE(Selected(*editor), QByteArray(definition.left(definition.indexOf(':'))));
      QVERIFY(dock->isHidden());
    } else {
      QVERIFY(!dock->isHidden());
      QCOMPARE(static_cast<TPlacesPanel*>(dock->widget())->Heading(), heading);
    }
  }

  void shiftF12ListsTheUsesAndARowLeadsThere() {
    TTestEnv env;
    TCssEditor* editor = Open(env);
    QVERIFY(editor != nullptr);
    TFrmMain& w = env.Window();
    editor->SetCaret(IndexOf(*editor, "--brand: red") + 2);
    QTest::keyClick(editor, Qt::Key_F12, Qt::ShiftModifier);
    auto* dock = w.findChild<QDockWidget*>(QStringLiteral("dxPlaces"));
    auto* panel = static_cast<TPlacesPanel*>(dock->widget());
    QVERIFY(!dock->isHidden());
    QCOMPARE(panel->Heading(), QStringLiteral("Uses of --brand: 4"));
    QCOMPARE(panel->Rows(),
             (QStringList{QStringLiteral("1:9: :root { --brand: #336699; --gap: 4px; }"),
                          QStringLiteral("2:9: .card { --brand: red; color: var(--brand); }"),
                          QStringLiteral("2:34: .card { --brand: red; color: var(--brand); }"),
                          QStringLiteral("3:16: a { color: var(--brand); margin: var(--gap); }")}));
    panel->List()->setFocus();
    panel->List()->setCurrentRow(3);
    QTest::keyClick(panel->List(), Qt::Key_Return);
    QCOMPARE(editor->SelStart(), IndexOf(*editor, "--brand); margin"));
    QCOMPARE(Selected(*editor), QByteArray("--brand"));
  }

  void f2RenamesEverywhereInOneStepOrSaysWhyNot() {
    TTestEnv env;
    TCssEditor* editor = Open(env);
    QVERIFY(editor != nullptr);
    editor->SetCaret(IndexOf(*editor, "var(--brand)") + 6);
    env.Prompts.AnswerDialog([](QDialog& dialog) {
      auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("TxtName"));
      if (name == nullptr || name->text() != QStringLiteral("--brand")) {
        return false;
      }
      name->setText(QStringLiteral("--accent"));
      return true;
    });
    QTest::keyClick(editor, Qt::Key_F2);
    QByteArray renamed = kSheet;
    renamed.replace("--brand", "--accent");
    QCOMPARE(Text(editor), renamed);
    QCOMPARE(editor->Caret(), IndexOf(*editor, "var(--accent)") + 6);
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Text(editor), kSheet);

    env.Prompts.AnswerDialog([](QDialog& dialog) {
      dialog.findChild<QLineEdit*>(QStringLiteral("TxtName"))->setText(QStringLiteral("--gap"));
      return true;
    });
    env.Prompts.AnswerMessage(TButton::Ok);
    QTest::keyClick(editor, Qt::Key_F2);
    QCOMPARE(env.Prompts.Asked.last(),
             QStringLiteral("message: The name --gap is taken: another custom property of this "
                            "sheet has it."));
    QCOMPARE(Text(editor), kSheet);
  }

  void completionInsideVarListsTheSheetsCustomProperties() {
    TTestEnv env;
    TCssEditor* editor = Open(env);
    QVERIFY(editor != nullptr);
    editor->SetCaret(IndexOf(*editor, "p {  }") + 4);
    for (const QChar key : QStringLiteral("top: var(--b")) {
      QTest::keyClicks(editor, QString(key));
      QCoreApplication::processEvents();
    }
    QTRY_VERIFY(editor->isListActive());
    QListWidget* list = nullptr;
    for (QListWidget* candidate : editor->findChildren<QListWidget*>()) {
      if (candidate->isVisible() && candidate->count() > 0) {
        list = candidate;
      }
    }
    QVERIFY(list != nullptr);
    QCOMPARE(list->item(0)->text(), QStringLiteral("--brand  red"));
    QTest::keyClick(editor, Qt::Key_Return);
    QVERIFY(Text(editor).endsWith("p { top: var(--brand }"));
  }
};

QM_TEST_MAIN(TestCustomProperties)
#include "tst_customproperties.moc"
