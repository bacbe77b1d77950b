// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's life: first start, stored settings, the refused shut-down, panels, menus.
#include <QAction>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>

#include "app/opendocument.h"
#include "commands.h"
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

// Shown, with the steps that follow the first showing done.
void ShowSettled(TFrmMain& w) {
  w.show();
  QVERIFY(QTest::qWaitForWindowExposed(&w));
  QCoreApplication::processEvents();
}

}  // namespace

class TestMainWindow : public QObject {
  Q_OBJECT

 private slots:
  void firstStartShowsTheDesignedWindow() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    QCOMPARE(QRect(w.pos(), w.size()), QRect(219, 38, 659, 590));
    QCOMPARE(w.Properties().CssTabs()->currentIndex(), 2);  // current CSS
    QCOMPARE(w.windowTitle(), QStringLiteral("Quillmere"));
    QVERIFY(w.Tabs().Pages()->isHidden());
    QCOMPARE(w.StatusText(), QString());  // no document, no caret to describe
    QCOMPARE(w.DeclarationIndent(), 8);
    for (QAction* panel : {w.Action("mPanelTv"), w.Action("mPanelvle"), w.Action("mPanelTxtInfo"),
                           w.Action("mPanelVisual"), w.Action("mShowPreview")}) {
      QVERIFY2(panel->isChecked(), qPrintable(panel->text()));
    }
    w.Action("acNew")->trigger();
    QCOMPARE(w.Tabs().CurrentEditor()->EditorFont().family(),
             QFont(QString::fromLatin1(Setting::FontName.Default)).family());
    QCOMPARE(w.Tabs().CurrentEditor()->tabWidth(), 8);
  }

  void theFirstStartGivesTheDocumentsHalfTheWidthAndThePreviewRoom() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow({env.WriteFile(QStringLiteral("one.css"), "a{}"),
                                  env.WriteFile(QStringLiteral("two.css"), "b{}")});
    ShowSettled(w);
    QCOMPARE(w.size(), QSize(659, 590));  // the screen has no room for more
    QCOMPARE(w.Tabs().Pages()->count(), 2);
    QVERIFY2(w.centralWidget()->width() * 2 >= w.width(),
             qPrintable(QString::number(w.centralWidget()->width())));
    // With the sheet's page in it; in this smallest window the Visual Editor's pages keep their
    // least height beside it.
    QVERIFY(w.Preview().Browser() != nullptr);
    QVERIFY2(w.Dock("dxPreview")->height() >= w.height() / 5,
             qPrintable(QString::number(w.Dock("dxPreview")->height())));
    for (const char* column : {"dxProperties", "dxSelectors"}) {
      QVERIFY(w.Dock(QLatin1String(column))->isVisible());
    }
  }

  void theDocumentAreaKeepsHalfTheWidthAfterARestart_data() {
    QTest::addColumn<QString>("beforeExit");
    QTest::newRow("exit with open documents") << QString();
    QTest::newRow("close all, then exit") << QStringLiteral("mCloseAll");
  }
  void theDocumentAreaKeepsHalfTheWidthAfterARestart() {
    QFETCH(QString, beforeExit);
    TTestEnv env;
    const QStringList files{env.WriteFile(QStringLiteral("one.css"), "a{}"),
                            env.WriteFile(QStringLiteral("two.css"), "b{}")};
    {
      TFrmMain& w = env.MakeWindow(files);
      ShowSettled(w);
      if (!beforeExit.isEmpty()) {
        Trigger(w.Action(beforeExit));
        QVERIFY(w.Tabs().Pages()->isHidden());
      }
      QVERIFY(w.close());
    }
    for (int restart = 0; restart < 2; ++restart) {
      TFrmMain& w = env.MakeWindow(files);
      ShowSettled(w);
      QVERIFY(w.Tabs().Pages()->isVisible());
      QVERIFY2(w.centralWidget()->width() * 2 >= w.width(),
               qPrintable(QStringLiteral("restart %1: %2 of %3")
                              .arg(restart)
                              .arg(w.centralWidget()->width())
                              .arg(w.width())));
      QVERIFY(w.close());
    }
  }

  void aLayoutThatSqueezesTheDocumentsIsIgnored() {
    TTestEnv env;
    {
      TFrmMain& w = env.MakeWindow();
      ShowSettled(w);
      w.Dock("dxQuickInfo")->setFloating(true);
      w.resizeDocks({w.Dock("dxProperties"), w.Dock("dxSelectors")}, {w.width() / 3, w.width() / 3},
                    Qt::Horizontal);
      QCoreApplication::processEvents();
      QVERIFY2(w.centralWidget()->width() * 2 < w.width(),
               qPrintable(QString::number(w.centralWidget()->width())));
      QVERIFY(w.close());
    }
    TFrmMain& w = env.MakeWindow();
    ShowSettled(w);
    QVERIFY(w.centralWidget()->width() * 2 >= w.width());
    QVERIFY(!w.Dock("dxQuickInfo")->isFloating());  // the designed arrangement, not the file's
  }

  void aFloatingPanelComesBackInFront() {
    TTestEnv env;
    {
      TFrmMain& w = env.MakeWindow();
      ShowSettled(w);
      w.Dock("dxQuickInfo")->setFloating(true);
      QVERIFY(w.close());
    }
    TFrmMain& w = env.MakeWindow();
    ShowSettled(w);
    QDockWidget* info = w.Dock("dxQuickInfo");
    QVERIFY(info->isFloating());
    QVERIFY(info->isVisible());
    QVERIFY(w.centralWidget()->width() * 2 >= w.width());
  }

  void theMaximisedWindowStaysMaximisedAfterARestart() {
    TTestEnv env;
    {
      TFrmMain& w = env.MakeWindow();
      ShowSettled(w);
      w.resize(700, 500);
      w.showMaximized();
      QTRY_VERIFY(w.isMaximized());
      QVERIFY(w.close());
    }
    const auto stored = env.ReopenSettings();
    QCOMPARE(stored->ReadInteger(Setting::Maximized.Key()), std::optional<int>(1));
    // The size it goes back to when it is restored, not the screen's.
    QCOMPARE(stored->ReadInteger(Setting::Width.Key()), std::optional<int>(700));
    TFrmMain& w = env.MakeWindow();
    ShowSettled(w);
    QVERIFY(w.isMaximized());
  }

  void settingsSurviveARestart() {
    TTestEnv env;
    {
      TFrmMain& w = env.MakeWindow();
      w.move(-40, 3000);  // off the screen: stored as it is, fitted at the next start
      w.resize(700, 500);
      w.Properties().CssTabs()->setCurrentIndex(1);
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
    QCOMPARE(again.Properties().CssTabs()->currentIndex(), 1);
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
    QCOMPARE(w.Properties().Inspector()->ColumnWidth(), 150);
    QVERIFY(w.Properties().Inspector()->Items().IndexOfTag("z-index") >= 0);  // a CSS2 property
    w.Properties().CssTabs()->setCurrentIndex(0);
    QCOMPARE(w.Properties().Inspector()->Items().IndexOfTag("z-index"), -1);
    QVERIFY(w.Properties().Inspector()->Items().IndexOfTag("font-weight") >= 0);
  }

  void aCatalogueThatCannotBeReadIsNamedAndLeavesTheGridEmpty_data() {
    QTest::addColumn<bool>("folderInItsPlace");
    QTest::newRow("missing") << false;
    QTest::newRow("a folder in its place") << true;
  }

  void aCatalogueThatCannotBeReadIsNamedAndLeavesTheGridEmpty() {
    QFETCH(bool, folderInItsPlace);
    TTestEnv env;
    env.Platform.DataFolder = env.Dir.filePath(QStringLiteral("data"));
    QDir().mkpath(env.Platform.DataFolder);
    for (const char* name : {"css2.txt", "css3.txt"}) {
      QVERIFY(QFile::copy(QStringLiteral(QUILLMERE_DATA_DIR "/") + QLatin1String(name),
                          env.Platform.DataFolder + QLatin1Char('/') + QLatin1String(name)));
    }
    env.Settings->WriteInteger(Setting::CurrentCss.Key(), 0);
    const QString css1 = env.Platform.DataFolder + QStringLiteral("/css1.txt");
    if (folderInItsPlace) {
      QDir().mkpath(css1);
    }
    const QString message =
        QStringLiteral("message: Cannot open file \"") + QDir::toNativeSeparators(css1) + "\". ";
    env.Prompts.AnswerMessage(TButton::Ok);
    TFrmMain& w = env.MakeWindow();
    QCOMPARE(env.Prompts.Asked.size(), 1);
    QVERIFY2(env.Prompts.Asked[0].startsWith(message), qPrintable(env.Prompts.Asked[0]));
    TInspectorCSS* grid = w.Properties().Inspector();
    QCOMPARE(grid->Count(), 0);
    w.Properties().SetCssLevel(1);
    QVERIFY(grid->Items().IndexOfTag("z-index") >= 0);
    // Back to the level that cannot be read: no rows of the other level are left.
    env.Prompts.AnswerMessage(TButton::Ok);
    w.Properties().SetCssLevel(0);
    QCOMPARE(env.Prompts.Asked.size(), 2);
    QVERIFY(env.Prompts.Asked[1].startsWith(message));
    QCOMPARE(grid->Count(), 0);
    QVERIFY(env.Prompts.Unexpected.isEmpty());
  }

  void editorSettingsThatAreNotNumbersFallBack() {
    TTestEnv env;
    env.Settings->WriteString(Setting::FontName.Key(), QStringLiteral("DejaVu Sans Mono"));
    env.Settings->WriteString(Setting::FontSize.Key(), QStringLiteral("big"));
    env.Settings->WriteString(Setting::TabWidth.Key(), QStringLiteral("x4"));
    TFrmMain& w = env.MakeWindow();
    QCOMPARE(w.DeclarationIndent(), 8);
    w.Action("acNew")->trigger();
    QCOMPARE(w.Tabs().CurrentEditor()->EditorFont().family(), QStringLiteral("DejaVu Sans Mono"));
    QCOMPARE(w.Tabs().CurrentEditor()->EditorFont().pointSize(), 10);
    QCOMPARE(w.Tabs().CurrentEditor()->tabWidth(), 8);

    env.Settings->WriteString(Setting::FontSize.Key(), QStringLiteral("14"));
    env.Settings->WriteString(Setting::TabWidth.Key(), QStringLiteral("2"));
    w.Action("acNew")->trigger();  // read afresh for every new document
    QCOMPARE(w.Tabs().CurrentEditor()->EditorFont().pointSize(), 14);
    QCOMPARE(w.Tabs().CurrentEditor()->tabWidth(), 2);
  }

  void cancelAtExitKeepsTheProgramRunningAndWritesNothing() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    w.show();
    for (const char* name : {"one.css", "two.css", "three.css"}) {
      w.Tabs().OpenOperation(env.WriteFile(QLatin1String(name), "a{}"));
    }
    w.Tabs().Pages()->setCurrentIndex(0);
    QTest::keyClicks(w.Tabs().CurrentEditor(), QStringLiteral("x"));
    env.Prompts.AnswerMessage(TButton::Cancel);
    w.Action("mExit")->trigger();
    QVERIFY(w.isVisible());
    QCOMPARE(env.Prompts.Asked,
             QStringList{"message: Save the changes to this document: one.css ?"});
    QCOMPARE(w.Tabs().Pages()->count(), 1);
    QVERIFY(w.Tabs().CurrentEditor()->Modified());
    QVERIFY(!env.ReopenSettings()->Contains(Setting::Width.Key()));
    QVERIFY(!QFile::exists(env.Platform.WorkFolder + QStringLiteral("/layout.ini")));

    env.Prompts.AnswerMessage(TButton::No);
    w.Action("mExit")->trigger();
    QVERIFY(!w.isVisible());
    QVERIFY(env.ReopenSettings()->Contains(Setting::Width.Key()));
  }

  void panelCommandsFollowTheirCheckMarks() {
    TTestEnv env;
    {
      TFrmMain& w = env.MakeWindow();
      w.show();
      w.Action("mPanelTv")->trigger();  // hide Selectors
      QVERIFY(w.Dock("dxSelectors")->isHidden());
      QVERIFY(!w.Action("mPanelTv")->isChecked());
      QVERIFY(w.close());
    }
    TFrmMain& w = env.MakeWindow();
    w.show();
    QVERIFY(!w.Action("mPanelTv")->isChecked());  // the layout remembered the hidden panel
    QVERIFY(w.Dock("dxSelectors")->isHidden());
    w.Action("mPanelTv")->trigger();
    QVERIFY(w.Action("mPanelTv")->isChecked());
    QVERIFY(!w.Dock("dxSelectors")->isHidden());

    // A panel closed with its own button keeps its mark; the menu then needs two clicks.
    w.Dock("dxProperties")->close();
    QVERIFY(w.Action("mPanelvle")->isChecked());
    w.Action("mPanelvle")->trigger();
    QVERIFY(!w.Action("mPanelvle")->isChecked());
    QVERIFY(w.Dock("dxProperties")->isHidden());
    w.Action("mPanelvle")->trigger();
    QVERIFY(!w.Dock("dxProperties")->isHidden());

    // The preview command flips its mark and the panel's visibility separately.
    w.Dock("dxPreview")->close();
    w.Action("mShowPreview")->trigger();
    QVERIFY(!w.Action("mShowPreview")->isChecked());
    QVERIFY(!w.Dock("dxPreview")->isHidden());
  }

  void menusAndToolBarCarryEveryCommand() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    QCOMPARE(ActionTexts(w.Menu("mFile")->actions(), false),
             (QStringList{"New", "Open", "Close", "Close All", "|", "Save", "Save As", "Save All",
                          "|", "|", "Exit"}));
    QCOMPARE(ActionTexts(w.Menu("mEdit")->actions(), false),
             (QStringList{"Undo",       "Redo",
                          "|",          "Cut",
                          "Copy",       "Paste",
                          "Select All", "|",
                          "Find",       "Replace",
                          "|",          "Indent",
                          "Outdent",    "|",
                          "Next Block", "Previous Block",
                          "|",          "Comment",
                          "Uncomment",  "Apply Suggested Fix",
                          "|",          "Format Document",
                          "Minify"}));
    QCOMPARE(ActionTexts(w.Menu("mTools")->actions(), false),
             (QStringList{"|", "Preview Live in Browser", "Preview Live with Page...", "|",
                          "Validate Using W3C", "|", "Show Selectors", "Show Properties",
                          "Show Info", "Show Visual Editor", "Show Preview Window", "Show Problems",
                          "|", "Options"}));
    QCOMPARE(ActionTexts(w.ToolBar()->actions(), true),
             (QStringList{"Create a new file (Ctrl+N)",
                          "Open existing file (Ctrl+O)",
                          "Save Current File (Ctrl+S)",
                          "|",
                          "Cut Selected Text (Ctrl+X)",
                          "Copy Selected Text (Ctrl+C)",
                          "Paste text from the clipboard (Ctrl+V)",
                          "Find the indicated text (Ctrl+F)",
                          "|",
                          "Undo Last Action (Ctrl+Z)",
                          "Redo (Ctrl+Y)",
                          "|",
                          "Indent Selected Text (Tab)",
                          "Outdent Selected Text (Shift+Tab)",
                          "Comment Seleted Text (Ctrl+K)",
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
    QCOMPARE(ActionTexts(w.Menu("MainTextPopUp")->actions(), false),
             (QStringList{"Apply Suggested Fix", "|", "Cut", "Copy", "Paste", "|", "Select All",
                          "|", "Comment", "Uncomment"}));
    QCOMPARE(w.Action("acFind")->shortcuts(),
             (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_F), QKeySequence(Qt::Key_F3)}));
    // Every key is shown beside its menu command.
    QStringList keys;
    for (const char* menu : {"mFile", "mEdit"}) {
      for (const QAction* action : w.Menu(QLatin1String(menu))->actions()) {
        if (!action->shortcut().isEmpty()) {
          keys << action->text() + QLatin1Char(' ') + action->shortcut().toString();
        }
      }
    }
    QCOMPARE(keys, (QStringList{"New Ctrl+N", "Open Ctrl+O", "Close Ctrl+W", "Save Ctrl+S",
                                "Save As Ctrl+Shift+S", "Undo Ctrl+Z", "Redo Ctrl+Y", "Cut Ctrl+X",
                                "Copy Ctrl+C", "Paste Ctrl+V", "Select All Ctrl+A", "Find Ctrl+F",
                                "Replace Ctrl+H", "Indent Tab", "Outdent Shift+Tab",
                                "Comment Ctrl+K", "Uncomment Ctrl+Shift+K",
                                "Apply Suggested Fix Ctrl+.", "Format Document Ctrl+Shift+F"}));
    QStringList captions;
    for (QDockWidget* dock : {w.Dock("dxProperties"), w.Dock("dxQuickInfo"), w.Dock("dxSelectors"),
                              w.Dock("dxVisualEditor"), w.Dock("dxPreview")}) {
      captions << dock->windowTitle();
    }
    QCOMPARE(captions,
             (QStringList{"Properties", "Quick Info", "Selectors", "Visual Editor", "Preview"}));
  }

  void everyCommandIsFoundByTheNameItIsKnownBy() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    // The window's and the Edit menu's commands share one set of names: a name given twice would
    // hide one of them from the lookups, and a command without one from the saved tool bar.
    QList<QAction*> commands = w.ToolBar()->actions();
    for (const char* menu : {"mFile", "mEdit", "mTools", "mHelp", "MainTextPopUp"}) {
      commands += w.Menu(QLatin1String(menu))->actions();
    }
    int named = 0;
    for (QAction* command : commands) {
      if (command->isSeparator() || command->menu() != nullptr) {
        continue;
      }
      QVERIFY2(!command->objectName().isEmpty(), qPrintable(command->text()));
      QCOMPARE(w.Action(command->objectName()), command);
      ++named;
    }
    QVERIFY(named > 40);
  }

  void theMenusOpenFromTheKeyboard() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    ShowSettled(w);
    w.Action("acNew")->trigger();
    // Alt with the menu's underlined letter, even in the editor, which would type the letter.
    QTest::keyClick(w.Tabs().CurrentEditor(), Qt::Key_E, Qt::AltModifier);
    QTRY_VERIFY(w.Menu("mEdit")->isVisible());
    QCOMPARE(Text(w), QByteArray());
    w.Menu("mEdit")->close();
    QStringList titles;
    for (const QAction* menu : w.menuBar()->actions()) {
      titles << menu->text();
    }
    QCOMPARE(titles, (QStringList{"&File", "&Edit", "&View", "&Tools", "&Help"}));
  }

  void statusBarFollowsTheCaretLine() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    w.show();
    w.Tabs().OpenOperation(env.WriteFile(QStringLiteral("a.css"), "a {\n  color: red;\n}\n"));
    QCOMPARE(w.StatusText(), QStringLiteral("Line 1 of  3, Col 1"));
    QTest::keyClick(w.Tabs().CurrentEditor(), Qt::Key_Down);
    QTest::keyClick(w.Tabs().CurrentEditor(), Qt::Key_End);
    QTest::keyClick(w.Tabs().CurrentEditor(), Qt::Key_Up);
    QCOMPARE(w.StatusText(), QStringLiteral("Line 1 of  3, Col 4"));
    // Along the line, without changing it.
    QTest::keyClick(w.Tabs().CurrentEditor(), Qt::Key_Left);
    QCOMPARE(w.StatusText(), QStringLiteral("Line 1 of  3, Col 3"));
    QTest::keyClick(w.Tabs().CurrentEditor(), Qt::Key_Right);
    QCOMPARE(w.StatusText(), QStringLiteral("Line 1 of  3, Col 4"));

    QByteArray long_;
    for (int i = 0; i < 12065; ++i) {
      long_ += "p" + QByteArray::number(i) + " { margin: 0 }\n";
    }
    w.Tabs().OpenOperation(env.WriteFile(QStringLiteral("long.css"), long_));
    QCOMPARE(w.StatusText(), QStringLiteral("Line 1 of  12065, Col 1"));
    w.Tabs().Pages()->setCurrentIndex(0);
    QCOMPARE(w.StatusText(), QStringLiteral("Line 1 of  3, Col 4"));
    w.Tabs().Pages()->setCurrentIndex(1);
    QCOMPARE(w.StatusText(), QStringLiteral("Line 1 of  12065, Col 1"));
    Trigger(w.Action("mCloseAll"));
    QCOMPARE(w.Tabs().Pages()->count(), 0);
    QCOMPARE(w.StatusText(), QString());
  }
};

QM_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
