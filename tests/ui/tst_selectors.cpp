// SPDX-License-Identifier: GPL-3.0-or-later
// The Selectors panel: the tree of blocks, a click that selects a block, Next and Previous
// Block, and adding and deleting selectors through the panel and the New Selector dialog.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>

#include "dialogs/cssnew.h"
#include "testenv.h"

using namespace qm;

namespace {

QStringList TreeTexts(QTreeWidget* tree) {
  QStringList texts;
  for (int g = 0; g < tree->topLevelItemCount(); ++g) {
    QTreeWidgetItem* group = tree->topLevelItem(g);
    texts << group->text(0) + (group->isExpanded() ? "+" : "-");
    for (int c = 0; c < group->childCount(); ++c) {
      texts << QStringLiteral("  ") + group->child(c)->text(0);
    }
  }
  return texts;
}

QByteArray Text(const TFrmMain& w) {
  const std::string_view text = w.CurrentEditor->Text();
  return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
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
  w.OpenOperation(env.WriteFile(QStringLiteral("a.css"), kSheet));
  return true;
}

}  // namespace

class TestSelectors : public QObject {
  Q_OBJECT

 private slots:
  void openingFillsTheTree() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    w.OpenOperation(env.WriteFile(QStringLiteral("a.css"), kSheet));
    QCOMPARE(TreeTexts(w.Tv),
             (QStringList{"Elements+", "  h1", "  h1", "Classes+", "  .note", "IDs+", "  #main"}));
    QVERIFY(w.Tv->selectedItems().isEmpty());
    w.acNew->trigger();  // the tree follows the active document
    QCOMPARE(TreeTexts(w.Tv), (QStringList{"Elements+", "Classes+", "IDs+"}));
  }

  void clickingANodeSelectsTheFirstBlockOfItsName() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    QVERIFY(ShowWithSheet(env, w));
    QTreeWidgetItem* second = w.Tv->topLevelItem(0)->child(1);
    QTest::mouseClick(w.Tv->viewport(), Qt::LeftButton, {}, NodeCentre(w.Tv, second));
    // The body of the first h1, its closing brace and the character after it.
    QCOMPARE(w.CurrentEditor->SelStart(), 4);
    QCOMPARE(w.CurrentEditor->SelEnd(), 23);
    QCOMPARE(w.CurrentEditor->selectedText(), QStringLiteral("\r\n  color: red;\r\n}\r"));
    QVERIFY(!w.UpdatingText);
    QVERIFY(w.CurrentEditor->hasFocus());
  }

  void nextAndPreviousBlock() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    w.OpenOperation(env.WriteFile(QStringLiteral("a.css"), kSheet));
    QList<int32_t> visited;
    for (int i = 0; i < 5; ++i) {
      w.mNext->trigger();
      visited << w.CurrentEditor->Caret();
    }
    QCOMPARE(visited, (QList<int32_t>{3, 30, 51, 60, 0}));  // after the last: the start
    w.CurrentEditor->SetCaret(52);                          // inside #main
    w.mPrevious->trigger();
    QCOMPARE(w.CurrentEditor->Caret(), 30);
    w.CurrentEditor->SetCaret(5);  // inside the first block
    w.mPrevious->trigger();
    QCOMPARE(w.CurrentEditor->Caret(), 3);
    w.CurrentEditor->SetCaret(27);  // between blocks
    w.mPrevious->trigger();
    QCOMPARE(w.CurrentEditor->Caret(), 0);
  }

  void newSelectorDialog() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    w.OpenOperation(env.WriteFile(QStringLiteral("a.css"), "h1 {\n  color: red;\n}\np {}"));
    w.CurrentEditor->SetCaret(6);
    TFrmNew& dialog = *w.FrmNew;
    w.TbtNewClass->trigger();
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
    QCOMPARE(w.CurrentEditor->CaretLineCol(), (TLineCol{5, 1}));
    QCOMPARE(TreeTexts(w.Tv).filter(QStringLiteral(".note")).size(), 1);

    // The typed name is kept and shared with the ID tab.
    w.TbtNewID->trigger();
    QCOMPARE(dialog.TxtLabel->text(), QStringLiteral("Enter a new ID name"));
    QCOMPARE(dialog.Txt->text(), QStringLiteral(".note"));
    dialog.CmdCancel->click();
    QVERIFY(!dialog.isVisible());

    w.TbtNewElement->trigger();
    QVERIFY(dialog.CboElement->isVisible() && !dialog.Txt->isVisible());
    QCOMPARE(dialog.CboElement->count(), 47);
    env.Prompts.AnswerMessage(TButton::Yes);
    dialog.CmdOk->click();
    QCOMPARE(env.Prompts.Asked.last(), QStringLiteral("message: Please choose an element."));
    dialog.CboElement->setCurrentText(QStringLiteral("EM"));
    w.CurrentEditor->SetCaret(static_cast<int32_t>(Text(w).size()));  // after the last block
    dialog.CmdOk->click();
    QVERIFY(Text(w).endsWith("p {}\r\nEM {\r\n\r\n\r\n}"));

    // Without a document OK does nothing and the dialog stays.
    env.Prompts.AnswerMessage(TButton::No);
    w.mCloseAll->trigger();
    w.TbtNewID->trigger();
    dialog.CmdOk->click();
    QVERIFY(dialog.isVisible());
  }

  void popupMenuAndDelete() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    QVERIFY(ShowWithSheet(env, w));

    QTreeWidgetItem* elements = w.Tv->topLevelItem(0);
    w.TvContextPopup(NodeCentre(w.Tv, elements));
    QVERIFY(!w.mTDelete->isEnabled());
    QTreeWidgetItem* second = elements->child(1);
    QTest::mousePress(w.Tv->viewport(), Qt::RightButton, {}, NodeCentre(w.Tv, second));
    QCOMPARE(w.Tv->currentItem(), second);
    w.TvContextPopup(NodeCentre(w.Tv, second));
    QVERIFY(w.mTDelete->isEnabled());

    // Either h1 node deletes the first h1 block.
    w.mTDelete->trigger();
    QCOMPARE(Text(w), QByteArray(".note { margin: 0 }\r\n#main {\r\n}\r\nh1 { x: y }"));
    QCOMPARE(TreeTexts(w.Tv),
             (QStringList{"Elements+", "  h1", "Classes+", "  .note", "IDs+", "  #main"}));
    w.CurrentEditor->undo();
    QCOMPARE(Text(w), kSheet.chopped(1).replace("\n", "\r\n"));

    // "New" on a node of the IDs group opens the dialog on the ID tab.
    w.RefreshTree();
    w.Tv->setCurrentItem(w.Tv->topLevelItem(2)->child(0));
    w.mTNew->trigger();
    QCOMPARE(w.FrmNew->TabNew->currentIndex(), 2);
  }

  void anUnclosedBlockIsNotDeleted() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    w.OpenOperation(env.WriteFile(QStringLiteral("a.css"), "p { color: red;"));
    w.Tv->setCurrentItem(w.Tv->topLevelItem(0)->child(0));
    env.Prompts.AnswerMessage(TButton::Ok);
    w.mTDelete->trigger();
    QCOMPARE(env.Prompts.Asked.size(), 1);
    QCOMPARE(Text(w), QByteArray("p { color: red;"));
  }
};

QM_TEST_MAIN(TestSelectors)
#include "tst_selectors.moc"
