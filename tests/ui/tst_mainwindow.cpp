// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's life: first start, stored settings, the refused shut-down, panels, menus.
#include <QAction>
#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QSettings>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>

#include "app/documenttab.h"
#include "controls/inspectorcss.h"
#include "platform/settings.h"
#include "testenv.h"

using namespace qm;

namespace {

QStringList ActionTexts(const QList<QAction*>& actions, bool hints) {
  QStringList texts;
  for (const QAction* action : actions) {
    texts << (action->isSeparator() ? QStringLiteral("|")
              : hints               ? action->toolTip()
                                    : action->text());
  }
  return texts;
}

}  // namespace

class TestMainWindow : public QObject {
  Q_OBJECT

 private slots:
  void firstStartShowsTheDesignedWindow() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    QCOMPARE(QRect(w.pos(), w.size()), QRect(219, 38, 659, 590));
    QCOMPARE(w.TabCSS->currentIndex(), 0);
    QCOMPARE(w.windowTitle(), QStringLiteral("Quillmere"));
    QVERIFY(w.pgmain->isHidden());
    QCOMPARE(w.StatusPanel->text(), QStringLiteral("Line 1 of  1, Col 1"));
    QCOMPARE(w.DeclarationIndent, 8);
    for (QAction* panel :
         {w.mPanelTv, w.mPanelvle, w.mPanelTxtInfo, w.mPanelVisual, w.mShowPreview}) {
      QVERIFY2(panel->isChecked(), qPrintable(panel->text()));
    }
    w.acNew->trigger();
    QCOMPARE(w.CurrentEditor->EditorFont().family(),
             QFont(QString::fromLatin1(Setting::FontName.Default)).family());
    QCOMPARE(w.CurrentEditor->tabWidth(), 8);
  }

  void settingsSurviveARestart() {
    TTestEnv env;
    {
      TFrmMain& w = env.MakeWindow();
      w.move(-40, 3000);  // off the screen: stored as it is, fitted at the next start
      w.resize(700, 500);
      w.TabCSS->setCurrentIndex(1);
      QVERIFY(w.close());
    }
    const auto stored = env.ReopenSettings();
    QCOMPARE(stored->ReadInteger(Setting::Left.Key()), std::optional<int>(-40));
    QCOMPARE(stored->ReadInteger(Setting::Top.Key()), std::optional<int>(3000));
    QCOMPARE(stored->ReadInteger(Setting::Width.Key()), std::optional<int>(700));
    QCOMPARE(stored->ReadInteger(Setting::Height.Key()), std::optional<int>(500));
    QCOMPARE(stored->ReadInteger(Setting::CurrentCss.Key()), std::optional<int>(1));
    QCOMPARE(stored->ReadInteger(Setting::ActiveVisualTab.Key()), std::optional<int>(0));
    QVERIFY(QFile::exists(env.Platform.WorkFolder + QStringLiteral("/layout.ini")));

    env.Settings = env.ReopenSettings();
    env.Platform.Settings = env.Settings.get();
    TFrmMain& again = env.MakeWindow();
    // Still hanging over the left edge as its user left it, but back up where its title bar is.
    const QRect screen = again.screen()->availableGeometry();
    QCOMPARE(again.x(), -40);
    QCOMPARE(again.size(), QSize(700, 500));
    QVERIFY(again.y() >= screen.top() && again.y() + 500 <= screen.bottom() + 1);
    QCOMPARE(again.TabCSS->currentIndex(), 1);
  }

  void storedBoundsOffTheScreenAreBroughtBack_data() {
    QTest::addColumn<QByteArray>("bounds");
    QTest::newRow("largest integers")
        << QByteArray("Left=0\nTop=0\nWidth=2147483647\nHeight=2147483647\n");
    QTest::newRow("far up and left") << QByteArray("Left=-3000\nTop=-200\nWidth=500\nHeight=400\n");
    QTest::newRow("every value absurd")
        << QByteArray("Left=2147483647\nTop=-2147483648\nWidth=-1\nHeight=2147483647\n");
  }
  void storedBoundsOffTheScreenAreBroughtBack() {
    QFETCH(QByteArray, bounds);
    TTestEnv env;
    env.WriteFile(QStringLiteral("settings.ini"), "[General]\n" + bounds);
    env.Settings = TSettingsStore::ForIniFile(env.SettingsFile());
    env.Platform.Settings = env.Settings.get();
    TFrmMain& w = env.MakeWindow();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QRect screen = w.screen()->availableGeometry();
    QVERIFY2(screen.contains(w.frameGeometry()), QTest::toString(w.frameGeometry()));
    QVERIFY(w.width() >= 100 && w.height() >= 100);
  }

  void propertiesShowTheCatalogueOfTheStoredLevel() {
    TTestEnv env;
    env.Settings->WriteInteger(Setting::CurrentCss.Key(), 1);
    TFrmMain& w = env.MakeWindow();
    QCOMPARE(w.ic->ColumnWidth(), 150);
    QVERIFY(w.ic->Items().IndexOfTag("z-index") >= 0);  // a CSS2 property
    w.TabCSS->setCurrentIndex(0);
    QCOMPARE(w.ic->Items().IndexOfTag("z-index"), -1);
    QVERIFY(w.ic->Items().IndexOfTag("font-weight") >= 0);
  }

  void editorSettingsThatAreNotNumbersFallBack() {
    TTestEnv env;
    env.Settings->WriteString(Setting::FontName.Key(), QStringLiteral("DejaVu Sans Mono"));
    env.Settings->WriteString(Setting::FontSize.Key(), QStringLiteral("big"));
    env.Settings->WriteString(Setting::TabWidth.Key(), QStringLiteral("x4"));
    TFrmMain& w = env.MakeWindow();
    QCOMPARE(w.DeclarationIndent, 8);
    w.acNew->trigger();
    QCOMPARE(w.CurrentEditor->EditorFont().family(), QStringLiteral("DejaVu Sans Mono"));
    QCOMPARE(w.CurrentEditor->EditorFont().pointSize(), 10);
    QCOMPARE(w.CurrentEditor->tabWidth(), 8);

    env.Settings->WriteString(Setting::FontSize.Key(), QStringLiteral("14"));
    env.Settings->WriteString(Setting::TabWidth.Key(), QStringLiteral("2"));
    w.acNew->trigger();  // read afresh for every new document
    QCOMPARE(w.CurrentEditor->EditorFont().pointSize(), 14);
    QCOMPARE(w.CurrentEditor->tabWidth(), 2);
  }

  void cancelAtExitKeepsTheProgramRunningAndWritesNothing() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    w.show();
    for (const char* name : {"one.css", "two.css", "three.css"}) {
      w.OpenOperation(env.WriteFile(QLatin1String(name), "a{}"));
    }
    w.pgmain->setCurrentIndex(0);
    QTest::keyClicks(w.CurrentEditor, QStringLiteral("x"));
    env.Prompts.AnswerMessage(TButton::Cancel);
    w.mExit->trigger();
    QVERIFY(w.isVisible());
    QCOMPARE(env.Prompts.Asked,
             QStringList{"message: Save the changes to this document: one.css ?"});
    QCOMPARE(w.pgmain->count(), 1);
    QVERIFY(w.CurrentEditor->Modified());
    QVERIFY(!env.ReopenSettings()->Contains(Setting::Width.Key()));
    QVERIFY(!QFile::exists(env.Platform.WorkFolder + QStringLiteral("/layout.ini")));

    env.Prompts.AnswerMessage(TButton::No);
    w.mExit->trigger();
    QVERIFY(!w.isVisible());
    QVERIFY(env.ReopenSettings()->Contains(Setting::Width.Key()));
  }

  void panelCommandsFollowTheirCheckMarks() {
    TTestEnv env;
    {
      TFrmMain& w = env.MakeWindow();
      w.show();
      w.mPanelTv->trigger();  // hide Selectors
      QVERIFY(w.dxSelectors->isHidden());
      QVERIFY(!w.mPanelTv->isChecked());
      QVERIFY(w.close());
    }
    TFrmMain& w = env.MakeWindow();
    w.show();
    QVERIFY(!w.mPanelTv->isChecked());  // the layout remembered the hidden panel
    QVERIFY(w.dxSelectors->isHidden());
    w.mPanelTv->trigger();
    QVERIFY(w.mPanelTv->isChecked());
    QVERIFY(!w.dxSelectors->isHidden());

    // A panel closed with its own button keeps its mark; the menu then needs two clicks.
    w.dxProperties->close();
    QVERIFY(w.mPanelvle->isChecked());
    w.mPanelvle->trigger();
    QVERIFY(!w.mPanelvle->isChecked());
    QVERIFY(w.dxProperties->isHidden());
    w.mPanelvle->trigger();
    QVERIFY(!w.dxProperties->isHidden());

    // The preview command flips its mark and the panel's visibility separately.
    w.dxPreview->close();
    w.mShowPreview->trigger();
    QVERIFY(!w.mShowPreview->isChecked());
    QVERIFY(!w.dxPreview->isHidden());
  }

  void menusAndToolBarCarryEveryCommand() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    QCOMPARE(ActionTexts(w.mFile->actions(), false),
             (QStringList{"New", "Open", "Close", "Close All", "|", "Save", "Save As", "Save All",
                          "|", "|", "Exit"}));
    QCOMPARE(ActionTexts(w.mEdit->actions(), false),
             (QStringList{"Undo", "Redo", "|", "Cut", "Copy", "Paste", "Select All", "|", "Find",
                          "Replace", "|", "Indent", "Outdent", "|", "Next Block", "Previous Block",
                          "|", "Comment"}));
    QCOMPARE(
        ActionTexts(w.mTools->actions(), false),
        (QStringList{"|", "Validate Using W3C", "|", "Show Selectors", "Show Properties",
                     "Show Info", "Show Visual Editor", "Show Preview Window", "|", "Options"}));
    QCOMPARE(ActionTexts(w.MainToolBar->actions(), true),
             (QStringList{"Create a new file",
                          "Open existing file",
                          "Save Current File",
                          "|",
                          "Cut Selected Text",
                          "Copy Selected Text",
                          "Paste text from the clipboard",
                          "Find the indicated text",
                          "|",
                          "Undo Last Action",
                          "Redo",
                          "|",
                          "Indent Selected Text",
                          "Outdent Selected Text",
                          "Comment Seleted Text",
                          "Move to next selector",
                          "Move to previous selector",
                          "|",
                          "Previous Bookmark",
                          "Next bookmark",
                          "Clear All Bookmarks",
                          "|",
                          "Preview file in Browser1",
                          "Preview file in Browser2",
                          "Show/Hide Preview window",
                          "|",
                          "Validate Using W3C"}));
    QCOMPARE(w.acFind->shortcuts(),
             (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_F), QKeySequence(Qt::Key_F3)}));
    QStringList captions;
    for (QDockWidget* dock :
         {w.dxProperties, w.dxQuickInfo, w.dxSelectors, w.dxVisualEditor, w.dxPreview}) {
      captions << dock->windowTitle();
    }
    QCOMPARE(captions,
             (QStringList{"Properties", "Quick Info", "Selectors", "Visual Editor", "Preview"}));
  }

  void statusBarFollowsTheCaretLine() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    w.show();
    w.OpenOperation(env.WriteFile(QStringLiteral("a.css"), "a {\n  color: red;\n}\n"));
    QCOMPARE(w.StatusPanel->text(), QStringLiteral("Line 1 of  1, Col 1"));
    QTest::keyClick(w.CurrentEditor, Qt::Key_Down);
    QTest::keyClick(w.CurrentEditor, Qt::Key_End);
    QTest::keyClick(w.CurrentEditor, Qt::Key_Up);
    QCOMPARE(w.StatusPanel->text(), QStringLiteral("Line 1 of  3, Col 4"));
  }
};

QM_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
