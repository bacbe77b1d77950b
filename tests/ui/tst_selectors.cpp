// SPDX-License-Identifier: GPL-3.0-or-later
// The Selectors panel: the tree of blocks, a click that selects a block, Next and Previous
// Block, and adding and deleting selectors through the panel and the New Selector dialog.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>

#include "app/declarationsync.h"
#include "dialogs/cssnew.h"
#include "model/sheet/selectorblocks.h"
#include "testenv.h"

using namespace qm;

namespace {

// Each node indented by its depth, a group marked "+" when expanded.
void AddNodeTexts(QTreeWidgetItem* node, const QString& indent, QStringList& texts) {
  for (int c = 0; c < node->childCount(); ++c) {
    texts << indent + node->child(c)->text(0);
    AddNodeTexts(node->child(c), indent + QStringLiteral("  "), texts);
  }
}

QStringList TreeTexts(QTreeWidget* tree) {
  QStringList texts;
  for (int g = 0; g < tree->topLevelItemCount(); ++g) {
    QTreeWidgetItem* group = tree->topLevelItem(g);
    texts << group->text(0) + (group->isExpanded() ? "+" : "-");
    AddNodeTexts(group, QStringLiteral("  "), texts);
  }
  return texts;
}

QPoint NodeCentre(QTreeWidget* tree, QTreeWidgetItem* node) {
  return tree->visualItemRect(node).center();
}

const QByteArray kSheet = "h1 {\n  color: red;\n}\n.note { margin: 0 }\n#main {\n}\nh1 { x: y }\n";

// The window on the screen with kSheet open, so that clicks reach the tree's nodes.
bool ShowWithSheet(TTestEnv& env, TFrmMain& w) {
  w.resize(900, 700);
  w.show();
  if (!QTest::qWaitForWindowExposed(&w)) {
    return false;
  }
  w.Tabs().OpenOperation(env.WriteFile(QStringLiteral("a.css"), kSheet));
  return true;
}

}  // namespace

class TestSelectors : public QObject {
  Q_OBJECT

 private slots:
  void openingFillsTheTree() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    w.Tabs().OpenOperation(env.WriteFile(QStringLiteral("a.css"), kSheet));
    QCOMPARE(TreeTexts(w.Selectors().Tree()),
             (QStringList{"Elements+", "  h1 (line 1)", "  h1 (line 7)", "Classes+", "  .note",
                          "IDs+", "  #main"}));
    QVERIFY(w.Selectors().Tree()->selectedItems().isEmpty());
    w.Action("acNew")->trigger();  // the tree follows the active document
    QCOMPARE(TreeTexts(w.Selectors().Tree()), (QStringList{"Elements+", "Classes+", "IDs+"}));
  }

  void clickingANodeSelectsItsOwnBlock() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    QVERIFY(ShowWithSheet(env, w));
    QTreeWidget* tree = w.Selectors().Tree();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                      NodeCentre(tree, tree->topLevelItem(0)->child(0)));
    // The body of the first h1, its closing brace and the character after it.
    QCOMPARE(w.Tabs().CurrentEditor()->SelStart(), 4);
    QCOMPARE(w.Tabs().CurrentEditor()->SelEnd(), 23);
    QCOMPARE(w.Tabs().CurrentEditor()->selectedText(), QStringLiteral("\r\n  color: red;\r\n}\r"));
    QVERIFY(!w.Tabs().CurrentDocument()->UpdatingText());
    // The caret, the selection's moving end, is just inside the block's brace, and the status
    // bar and the views follow it into the block.
    QCOMPARE(w.Tabs().CurrentEditor()->Caret(), 4);
    QCOMPARE(w.StatusText(), QStringLiteral("Line 1 of  7, Col 5"));
    QCOMPARE(w.Declarations().RuleName(), QStringLiteral("h1"));
    QCOMPARE(w.Declarations().Value("color"), std::string("red"));
    QVERIFY(w.Tabs().CurrentEditor()->hasFocus());
    // The second node of the same name stands for the second block.
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                      NodeCentre(tree, tree->topLevelItem(0)->child(1)));
    QCOMPARE(w.Tabs().CurrentEditor()->selectedText(), QStringLiteral(" x: y }"));
    QCOMPARE(w.StatusText(), QStringLiteral("Line 7 of  7, Col 5"));
    QCOMPARE(w.Declarations().Value("color"), std::string());
    QCOMPARE(w.Declarations().Value("x"), std::string("y"));
    QVERIFY(!w.Tabs().CurrentDocument()->UpdatingText());
    // Another rule's node: the views show that rule's values.
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                      NodeCentre(tree, tree->topLevelItem(1)->child(0)));
    QCOMPARE(w.Declarations().RuleName(), QStringLiteral(".note"));
    QCOMPARE(w.Declarations().Value("margin"), std::string("0"));
  }

  // A rule typed into the text appears once typing pauses, with no Refresh; the selected node
  // stays selected and the tree stays scrolled where it was.
  void theTreeFollowsTypingOnceItPauses() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    QByteArray sheet;
    for (int i = 0; i < 60; ++i) {
      sheet += ".c" + QByteArray::number(i) + " { }\n";
    }
    w.resize(900, 700);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.Tabs().OpenOperation(env.WriteFile(QStringLiteral("a.css"), sheet));
    QTreeWidget* tree = w.Selectors().Tree();
    QTreeWidgetItem* picked = tree->topLevelItem(1)->child(40);
    tree->setCurrentItem(picked);
    tree->scrollToItem(picked);
    const int scroll = tree->verticalScrollBar()->value();
    QVERIFY(scroll > 0);
    TCssEditor* editor = w.Tabs().CurrentEditor();
    editor->SetCaret(0);
    QTest::keyClicks(editor, QStringLiteral("#new { } "));
    QCOMPARE(tree->topLevelItem(2)->childCount(), 0);  // not while typing
    QTRY_COMPARE(tree->topLevelItem(2)->childCount(), 1);
    QCOMPARE(tree->topLevelItem(2)->child(0)->text(0), QStringLiteral("#new"));
    QCOMPARE(tree->topLevelItem(1)->childCount(), 60);
    QCOMPARE(tree->currentItem()->text(0), QStringLiteral(".c40"));
    QVERIFY(tree->currentItem()->isSelected());
    QCOMPARE(tree->verticalScrollBar()->value(), scroll);
    QCOMPARE(env.Prompts.Asked, QStringList());
  }

  // A chosen rule of a selector used twice stays chosen when typing moves it to another line.
  void aChosenRuleStaysChosenWhenItsLineMoves() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.Tabs().OpenOperation(env.WriteFile(QStringLiteral("a.css"), "p { }\np { }\n"));
    QTreeWidget* tree = w.Selectors().Tree();
    tree->setCurrentItem(tree->topLevelItem(0)->child(1));
    QCOMPARE(tree->currentItem()->text(0), QStringLiteral("p (line 2)"));
    TCssEditor* editor = w.Tabs().CurrentEditor();
    editor->SetCaret(0);
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(tree->topLevelItem(0)->child(1)->text(0), QStringLiteral("p (line 3)"));
    QCOMPARE(tree->currentItem(), tree->topLevelItem(0)->child(1));
    QVERIFY(tree->currentItem()->isSelected());
  }

  // A rule inside an at-rule names it in its tool tip; the at-rule's own node has no such hint.
  void aRuleInAnAtRuleNamesItInItsToolTip() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    w.Tabs().OpenOperation(
        env.WriteFile(QStringLiteral("a.css"), "@media print {\n  .a { color: red }\n}\n.b { }\n"));
    QStringList hinted;
    QStringList plain;
    QTreeWidgetItem* classes = w.Selectors().Tree()->topLevelItem(1);
    for (QTreeWidgetItem* node :
         {classes->child(0), classes->child(0)->child(0), classes->child(1)}) {
      const QString tip = node->toolTip(0);
      (tip.endsWith(QStringLiteral("\nin @media print")) ? hinted : plain) << tip;
    }
    QCOMPARE(hinted.size(), 1);
    QVERIFY2(hinted.first().contains(QStringLiteral(".a")), qPrintable(hinted.first()));
    // The at-rule is no selector: it shows only as the node that holds its rules.
    QCOMPARE(plain, (QStringList{QStringLiteral("@media print"), QStringLiteral(".b")}));
  }

  // The tree lists the sheet's selectors, each under the at-rules and rules it is nested in: no
  // at-rule of its own, no braces in a custom property's value; rules of one selector are told
  // apart by their line.
  void theTreeListsSelectorsOnly_data() {
    QTest::addColumn<QByteArray>("sheet");
    QTest::addColumn<QStringList>("tree");
    QTest::newRow("at-rules") << QByteArray(
                                     "@media print {\n  p { }\n}\n@supports (display: grid) "
                                     "{ .g { } }\n@layer base { #l { } }\n@font-face { "
                                     "font-family: X; }\n@page { margin: 0 }")
                              << QStringList{"Elements+",
                                             "  @media print",
                                             "    p",
                                             "Classes+",
                                             "  @supports (display: grid)",
                                             "    .g",
                                             "IDs+",
                                             "  @layer base",
                                             "    #l"};
    QTest::newRow("nested in a rule") << QByteArray(".card { color: red; .t { } #h { } }\n.u { }")
                                      << QStringList{"Elements+", "Classes+", "  .card", "    .t",
                                                     "  .u",      "IDs+",     "  .card", "    #h"};
    QTest::newRow("custom property with braces")
        << QByteArray(":root { --x: { a: b }; --y: {}; }\n.c { }")
        << QStringList{"Elements+", "Classes+", "  :root", "  .c", "IDs+"};
    QTest::newRow("one selector twice")
        << QByteArray("a { }\n\n.b { }\n@media print {\n  a { }\n}")
        << QStringList{"Elements+", "  a (line 1)", "  @media print", "    a (line 5)", "Classes+",
                       "  .b",      "IDs+"};
  }

  void theTreeListsSelectorsOnly() {
    QFETCH(QByteArray, sheet);
    QFETCH(QStringList, tree);
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    w.Tabs().OpenOperation(env.WriteFile(QStringLiteral("a.css"), sheet));
    QCOMPARE(TreeTexts(w.Selectors().Tree()), tree);
  }

  // A long selector shows as one bounded line ending where its brace is, with the whole name
  // as written in the node's tool tip; after typing the node still stands for its block.
  void aLongNameIsShortenedWithTheWholeNameInItsToolTip() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    QByteArray name = ".first";
    for (int i = 0; i < 30; ++i) {
      name += ",\r\n  .item" + QByteArray::number(i);
    }
    w.resize(900, 700);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.Tabs().OpenOperation(
        env.WriteFile(QStringLiteral("long.css"), name + " { color: red }\r\n.b { }"));
    QTreeWidget* tree = w.Selectors().Tree();
    QTreeWidgetItem* node = tree->topLevelItem(1)->child(0);
    const QString shown = node->text(0);
    QVERIFY2(shown.size() <= 80 && shown.startsWith(QStringLiteral("...")) &&
                 shown.endsWith(QStringLiteral(", .item29")) && !shown.contains(QLatin1Char('\n')),
             qPrintable(shown));
    QCOMPARE(node->toolTip(0), QString::fromLatin1(name));
    QCOMPARE(tree->topLevelItem(1)->child(1)->text(0), QStringLiteral(".b"));
    QCOMPARE(tree->topLevelItem(1)->child(1)->toolTip(0), QStringLiteral(".b"));

    w.Tabs().CurrentEditor()->SetCaret(static_cast<int32_t>(Text(w).size()));
    QTest::keyClicks(w.Tabs().CurrentEditor(), QStringLiteral(" "));
    QCOMPARE(node->toolTip(0), QString::fromLatin1(name));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, NodeCentre(tree, node));
    QVERIFY2(w.Tabs().CurrentEditor()->selectedText().startsWith(QStringLiteral(" color: red }")),
             qPrintable(w.Tabs().CurrentEditor()->selectedText()));
  }

  // Names are shown in the file's own encoding, and a node still finds its rule after typing.
  void namesAreShownInTheFilesEncoding_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("8-bit text") << QByteArray(".caf\xe9 { color: red }\r\n.caf\xe9 { }");
    QTest::newRow("UTF-8") << QByteArray(".caf\xc3\xa9 { color: red }\r\n.caf\xc3\xa9 { }");
  }
  void namesAreShownInTheFilesEncoding() {
    QFETCH(QByteArray, bytes);
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    w.resize(900, 700);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.Tabs().OpenOperation(env.WriteFile(QStringLiteral("cafe.css"), bytes));
    QTreeWidget* tree = w.Selectors().Tree();
    QTreeWidgetItem* second = tree->topLevelItem(1)->child(1);
    QCOMPARE(second->text(0), QStringLiteral(".caf\u00e9 (line 2)"));
    QCOMPARE(second->toolTip(0), QStringLiteral(".caf\u00e9"));
    QTest::keyClicks(w.Tabs().CurrentEditor(), QStringLiteral(" "));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, NodeCentre(tree, second));
    QCOMPARE(w.Tabs().CurrentEditor()->SelStart(),
             static_cast<int32_t>(bytes.lastIndexOf('{')) + 2);
  }

  void nextAndPreviousBlock() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    w.Tabs().OpenOperation(env.WriteFile(QStringLiteral("a.css"), kSheet));
    QList<int32_t> visited;
    for (int i = 0; i < 5; ++i) {
      w.Action("mNext")->trigger();
      visited << w.Tabs().CurrentEditor()->Caret();
    }
    QCOMPARE(visited, (QList<int32_t>{3, 30, 51, 60, 0}));  // after the last: the start
    w.Tabs().CurrentEditor()->SetCaret(52);                 // inside #main
    w.Action("mPrevious")->trigger();
    QCOMPARE(w.Tabs().CurrentEditor()->Caret(), 30);
    w.Tabs().CurrentEditor()->SetCaret(5);  // inside the first block
    w.Action("mPrevious")->trigger();
    QCOMPARE(w.Tabs().CurrentEditor()->Caret(), 3);
    w.Tabs().CurrentEditor()->SetCaret(27);  // between blocks
    w.Action("mPrevious")->trigger();
    QCOMPARE(w.Tabs().CurrentEditor()->Caret(), 0);
  }

  void newSelectorDialog() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    w.Tabs().OpenOperation(env.WriteFile(QStringLiteral("a.css"), "h1 {\n  color: red;\n}\np {}"));
    w.Tabs().CurrentEditor()->SetCaret(6);
    TFrmNew& dialog = w.NewSelectorDialog();
    w.Selectors().Action("TbtNewClass")->trigger();
    QVERIFY(dialog.isVisible() && !dialog.isModal());
    QCOMPARE(dialog.size(), QSize(274, 146));
    QVERIFY(dialog.Txt->isVisible() && !dialog.CboElement->isVisible());
    QCOMPARE(dialog.TxtLabel->text(), QStringLiteral("Enter a new Class name"));

    env.Prompts.AnswerMessage(TButton::Yes);
    dialog.CmdOk->click();  // nothing typed
    QCOMPARE(env.Prompts.Asked.last(), QStringLiteral("message: Please enter a valid class name."));
    QVERIFY(dialog.isVisible());

    QTest::keyClicks(dialog.Txt, QStringLiteral(".note"));
    dialog.CmdOk->click();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(Text(w), QByteArray("h1 {\r\n  color: red;\r\n} \r\n.note {\r\n\r\n\r\n}\r\np {}"));
    QCOMPARE(w.Tabs().CurrentEditor()->CaretLineCol(), (TLineCol{5, 1}));
    QCOMPARE(TreeTexts(w.Selectors().Tree()).filter(QStringLiteral(".note")).size(), 1);

    // The typed name is kept and shared with the ID tab.
    w.Selectors().Action("TbtNewID")->trigger();
    QCOMPARE(dialog.TxtLabel->text(), QStringLiteral("Enter a new ID name"));
    QCOMPARE(dialog.Txt->text(), QStringLiteral(".note"));
    dialog.CmdCancel->click();
    QVERIFY(!dialog.isVisible());

    w.Selectors().Action("TbtNewElement")->trigger();
    QVERIFY(dialog.CboElement->isVisible() && !dialog.Txt->isVisible());
    QCOMPARE(dialog.CboElement->count(), static_cast<int>(ElementNames.size()));
    QVERIFY(dialog.CboElement->findText(QStringLiteral("article")) >= 0);
    env.Prompts.AnswerMessage(TButton::Yes);
    dialog.CmdOk->click();
    QCOMPARE(env.Prompts.Asked.last(), QStringLiteral("message: Please choose an element."));
    dialog.CboElement->setCurrentText(QStringLiteral("em"));
    w.Tabs().CurrentEditor()->SetCaret(
        static_cast<int32_t>(Text(w).size()));  // after the last block
    dialog.CmdOk->click();
    QVERIFY(Text(w).endsWith("p {}\r\nem {\r\n\r\n\r\n}"));

    // Without a document OK does nothing and the dialog stays.
    env.Prompts.AnswerMessage(TButton::No);
    w.Action("mCloseAll")->trigger();
    w.Selectors().Action("TbtNewID")->trigger();
    dialog.CmdOk->click();
    QVERIFY(dialog.isVisible());
  }

  void popupMenuAndDelete() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    QVERIFY(ShowWithSheet(env, w));

    QTreeWidgetItem* elements = w.Selectors().Tree()->topLevelItem(0);
    w.Selectors().PreparePopup(NodeCentre(w.Selectors().Tree(), elements));
    QVERIFY(!w.Selectors().Action("mTDelete")->isEnabled());
    QTreeWidgetItem* second = elements->child(1);
    QTest::mousePress(w.Selectors().Tree()->viewport(), Qt::RightButton, {},
                      NodeCentre(w.Selectors().Tree(), second));
    QCOMPARE(w.Selectors().Tree()->currentItem(), second);
    w.Selectors().PreparePopup(NodeCentre(w.Selectors().Tree(), second));
    QVERIFY(w.Selectors().Action("mTDelete")->isEnabled());

    // Each h1 node deletes its own block, in one step of Undo.
    w.Selectors().Action("mTDelete")->trigger();
    QCOMPARE(Text(w),
             QByteArray("h1 {\r\n  color: red;\r\n}\r\n.note { margin: 0 }\r\n#main {\r\n}"));
    QCOMPARE(TreeTexts(w.Selectors().Tree()),
             (QStringList{"Elements+", "  h1", "Classes+", "  .note", "IDs+", "  #main"}));
    w.Tabs().CurrentEditor()->undo();
    QCOMPARE(Text(w), kSheet.chopped(1).replace("\n", "\r\n"));
    w.Selectors().RefreshTree();
    w.Selectors().Tree()->setCurrentItem(w.Selectors().Tree()->topLevelItem(0)->child(0));
    w.Selectors().Action("mTDelete")->trigger();
    QCOMPARE(Text(w), QByteArray(".note { margin: 0 }\r\n#main {\r\n}\r\nh1 { x: y }"));
    w.Tabs().CurrentEditor()->undo();

    // "New" on a node of the IDs group opens the dialog on the ID tab.
    w.Selectors().RefreshTree();
    w.Selectors().Tree()->setCurrentItem(w.Selectors().Tree()->topLevelItem(2)->child(0));
    w.Selectors().Action("mTNew")->trigger();
    QCOMPARE(w.NewSelectorDialog().TabNew->currentIndex(), 2);
  }

  void anUnclosedBlockIsNotDeleted() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    w.Tabs().OpenOperation(env.WriteFile(QStringLiteral("a.css"), "p { color: red;"));
    w.Selectors().Tree()->setCurrentItem(w.Selectors().Tree()->topLevelItem(0)->child(0));
    env.Prompts.AnswerMessage(TButton::Ok);
    w.Selectors().Action("mTDelete")->trigger();
    QCOMPARE(env.Prompts.Asked.size(), 1);
    QCOMPARE(Text(w), QByteArray("p { color: red;"));
  }

  // The tree is made before the typing; its nodes still act on their own rules afterwards.
  void aNodeActsOnItsRuleAfterTyping_data() {
    QTest::addColumn<QByteArray>("sheet");
    QTest::addColumn<int>("node");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("b after a note at the top") << QByteArray("a {color: red;} b {margin: 0;}") << 1
                                               << QByteArray("/* note */a {color: red;} ");
    QTest::newRow("second of two equal selectors") << QByteArray("p {color: red;}\np {margin: 0;}")
                                                   << 1 << QByteArray("/* note */p {color: red;}");
    QTest::newRow("first of two equal selectors")
        << QByteArray("p {color: red;}\np {margin: 0;}") << 0
        << QByteArray("/* note */\r\np {margin: 0;}");
  }

  void aNodeActsOnItsRuleAfterTyping() {
    QFETCH(QByteArray, sheet);
    QFETCH(int, node);
    QFETCH(QByteArray, expected);
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    w.show();
    w.Tabs().OpenOperation(env.WriteFile(QStringLiteral("a.css"), sheet));
    QTest::keyClicks(w.Tabs().CurrentEditor(), QStringLiteral("/* note */"));
    QTreeWidget* tree = w.Selectors().Tree();
    tree->setCurrentItem(tree->topLevelItem(0)->child(node));
    w.Selectors().Action("mTDelete")->trigger();
    QCOMPARE(Text(w), expected);
  }
};

QM_TEST_MAIN(TestSelectors)
#include "tst_selectors.moc"
