// SPDX-License-Identifier: GPL-3.0-or-later
// Document tabs: naming, opening, saving, closing with the save prompt, and faithful bytes.
#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QKeyEvent>
#include <QMimeData>
#include <QTabBar>
#include <QTabWidget>

#include "app/opendocument.h"
#include "commands.h"
#include "controls/recentfiles.h"
#include "model/text/textencoding.h"
#include "platform/settings.h"
#include "testenv.h"

using namespace qm;

Q_DECLARE_METATYPE(qm::TButton)

namespace {

QStringList Captions(const TFrmMain& w) {
  QStringList captions;
  for (int i = 0; i < w.Tabs().Pages()->count(); ++i) {
    captions << w.Tabs().Pages()->tabText(i);
  }
  return captions;
}

void Type(TFrmMain& w, const QString& text) {
  QTest::keyClicks(w.Tabs().CurrentEditor(), text);
  QVERIFY(w.Tabs().CurrentEditor()->Modified());
}

}  // namespace

class TestDocuments : public QObject {
  Q_OBJECT

 private slots:
  // A sheet with a line too long to edit quickly gets one offer to format it when it opens: Yes
  // formats it as one step of Undo, No leaves it as it is. Format Document and Minify in the Edit
  // menu lay it out again the same way.
  void aSheetWithVeryLongLinesIsOfferedFormatting() {
    std::string minified;
    for (int i = 0; minified.size() < 25'000; ++i) {
      minified += ".r" + std::to_string(i) + "{color:red;margin:0 auto}";
    }
    const std::string formatted = ".r0 {\r\n  color:red;\r\n  margin:0 auto\r\n}\r\n.r1 {";
    for (const TButton answer : {TButton::Yes, TButton::No}) {
      TTestEnv env;
      TFrmMain& w = env.MakeWindow();
      env.Prompts.AnswerMessage(answer);
      w.Tabs().OpenOperation(
          env.WriteFile(QStringLiteral("min.css"), QByteArray::fromStdString(minified)));
      QCOMPARE(env.Prompts.Asked.size(), 1);
      QVERIFY(env.Prompts.Asked.front().contains(QStringLiteral("longer than 20000")));
      TCssEditor& editor = *w.Tabs().CurrentEditor();
      QCOMPARE(editor.Text().starts_with(formatted), answer == TButton::Yes);
      QCOMPARE(editor.Modified(), answer == TButton::Yes);
      if (answer == TButton::Yes) {
        w.Action("mUndo")->trigger();
        QCOMPARE(std::string(editor.Text()), minified);
      }
      w.Action("acFormat")->trigger();
      QVERIFY(editor.Text().starts_with(formatted));
      w.Action("acMinify")->trigger();
      QCOMPARE(std::string(editor.Text()), minified);
      w.Action("mUndo")->trigger();
      QVERIFY(editor.Text().starts_with(formatted));
      QVERIFY(w.Menu(QStringLiteral("mEdit"))->actions().contains(w.Action("acFormat")));
      QCOMPARE(env.Prompts.Asked.size(), 1);
    }
  }

  void untitledCounterCountsOpenedFilesToo() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    w.Action("acNew")->trigger();
    w.Tabs().OpenOperation(env.WriteFile(QStringLiteral("a.css"), "a{}"));
    w.Action("acNew")->trigger();
    QCOMPARE(Captions(w), (QStringList{"Untitled1", "a.css", "Untitled3"}));
    QCOMPARE(w.windowTitle(), QStringLiteral("Untitled3 - Quillmere"));
  }

  void aModifiedDocumentIsMarkedOnItsTabAndInTheTitle() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    w.show();
    const QString path = env.WriteFile(QStringLiteral("a.css"), "a{}");
    w.Tabs().OpenOperation(path);
    const auto shown = [&w] {
      return w.Tabs().Pages()->tabText(0) + QStringLiteral(" | ") + w.windowTitle();
    };
    QCOMPARE(shown(), QStringLiteral("a.css | a.css - Quillmere"));
    Type(w, QStringLiteral("x"));
    QCOMPARE(shown(), QStringLiteral("*a.css | *a.css - Quillmere"));
    Trigger(w.Action("acSave"));
    QCOMPARE(shown(), QStringLiteral("a.css | a.css - Quillmere"));
    Type(w, QStringLiteral("y"));
    QCOMPARE(shown(), QStringLiteral("*a.css | *a.css - Quillmere"));
    QTest::keyClick(w.Tabs().CurrentEditor(), Qt::Key_Z,
                    Qt::ControlModifier);  // back to the saved text
    QCOMPARE(shown(), QStringLiteral("a.css | a.css - Quillmere"));

    // The mark is no part of the name: the question names the document, and opening the file
    // again finds its tab.
    Type(w, QStringLiteral("z"));
    w.Action("acNew")->trigger();
    QCOMPARE(w.Tabs().Pages()->tabText(0), QStringLiteral("*a.css"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Untitled2 - Quillmere"));
    w.Tabs().OpenOperation(path);
    QCOMPARE(w.Tabs().Pages()->count(), 2);
    QCOMPARE(w.Tabs().Pages()->currentIndex(), 0);
    env.Prompts.AnswerMessage(TButton::Cancel);
    Trigger(w.Action("mClose"));
    QCOMPARE(env.Prompts.Asked, QStringList{"message: Save the changes to this document: a.css ?"});
  }

  void aFileThatIsNotTextOpensOnlyWhenConfirmed_data() {
    QTest::addColumn<TButton>("answer");
    QTest::newRow("yes") << TButton::Yes;
    QTest::newRow("no") << TButton::No;
  }
  void aFileThatIsNotTextOpensOnlyWhenConfirmed() {
    QFETCH(TButton, answer);
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    const QString tool = env.WriteFile(QStringLiteral("tool"), QByteArray("\x7f"
                                                                          "ELF\x02\x01\0\0a{}",
                                                                          10));
    env.Prompts.AnswerMessage(answer);
    RunFromEventLoop([&w, &tool] { w.Tabs().OpenOperation(tool); });
    QCOMPARE(env.Prompts.Asked,
             QStringList{"message: This file does not look like a style sheet. Open it anyway?"});
    QCOMPARE(Captions(w), answer == TButton::Yes ? QStringList{"tool"} : QStringList());
    QCOMPARE(w.RecentFiles().Items().size(), answer == TButton::Yes ? 1 : 0);

    // A style sheet is opened without a question.
    w.Tabs().OpenOperation(env.WriteFile(QStringLiteral("a.css"), "a { color: red }\n"));
    QCOMPARE(env.Prompts.Asked.size(), 1);
  }

  void keysCloseSaveAsAndMoveBetweenTabs() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    for (const char* name : {"one.css", "two.css", "three.css"}) {
      w.Tabs().OpenOperation(env.WriteFile(QLatin1String(name), "a{}"));
    }
    QCOMPARE(w.Tabs().Pages()->currentIndex(), 2);
    QTest::keyClick(w.Tabs().CurrentEditor(), Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(w.Tabs().Pages()->currentIndex(), 0);
    QTest::keyClick(w.Tabs().CurrentEditor(), Qt::Key_Backtab,
                    Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(w.Tabs().Pages()->currentIndex(), 2);
    QCOMPARE(QByteArray(w.Tabs().CurrentEditor()->Text().data()),
             QByteArray("a{}"));  // no tab typed
    QTest::keyClick(w.Tabs().CurrentEditor(), Qt::Key_W, Qt::ControlModifier);
    QCOMPARE(Captions(w), (QStringList{"one.css", "two.css"}));
    env.Prompts.AnswerSave(std::nullopt);
    QTest::keyClick(w.Tabs().CurrentEditor(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(env.Prompts.Asked.size(), 1);
    QVERIFY(env.Prompts.Asked.first().startsWith(QStringLiteral("save: ")));
  }

  // A document is its file: the same file however spelled activates its tab without reading
  // it again; another file of the same name gets a tab of its own, told apart by its tool tip.
  void openingAnOpenFileActivatesItsTab() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    const QString one = env.WriteFile(QStringLiteral("one/site.css"), "a{}");
    const QString two = env.WriteFile(QStringLiteral("two/site.css"), "b{}");
    QVERIFY(QFile::link(one, env.Dir.filePath(QStringLiteral("link.css"))));
    w.Tabs().OpenOperation(one);
    Type(w, QStringLiteral("1"));
    w.Action("acNew")->trigger();
    w.Tabs().OpenOperation(two);
    QCOMPARE(Captions(w), (QStringList{"*site.css", "Untitled2", "site.css"}));
    QCOMPARE(w.Tabs().Pages()->tabToolTip(0), QDir::toNativeSeparators(one));
    QCOMPARE(w.Tabs().Pages()->tabToolTip(2), QDir::toNativeSeparators(two));
    QCOMPARE(QByteArray(w.Tabs().CurrentEditor()->Text().data()), QByteArray("b{}"));
    for (const char* spelling : {"two/../one/site.css", "link.css"}) {
      w.Tabs().Pages()->setCurrentIndex(1);
      w.Tabs().OpenOperation(env.Dir.filePath(QLatin1String(spelling)));
      QCOMPARE(w.Tabs().Pages()->count(), 3);
      QCOMPARE(w.Tabs().Pages()->currentIndex(), 0);
      QCOMPARE(w.windowTitle(), QStringLiteral("*site.css - Quillmere"));
      QCOMPARE(QByteArray(w.Tabs().CurrentEditor()->Text().data()), QByteArray("1a{}"));
    }
#ifndef Q_OS_WIN
    // Letter case tells files apart here; Windows would find two/site.css.
    w.Tabs().OpenOperation(env.WriteFile(QStringLiteral("two/Site.css"), "c{}"));
    QCOMPARE(Captions(w), (QStringList{"*site.css", "Untitled2", "site.css", "Site.css"}));
    QCOMPARE(w.windowTitle(), QStringLiteral("Site.css - Quillmere"));
#endif
  }

  // Open after Save As finds the saved file's tab; Save As onto a file open in another tab is
  // refused, so neither tab's edits are dropped by the other's save.
  void saveAsAndOpenNeverGiveOneFileTwoTabs() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    const QString main = env.Dir.filePath(QStringLiteral("main.css"));
    w.Action("acNew")->trigger();
    Type(w, QStringLiteral("first"));
    env.Prompts.AnswerSave(TSaveAnswer{env.Dir.filePath(QStringLiteral("main")), 0});
    w.Action("acSaveAs")->trigger();
    QCOMPARE(w.Tabs().Pages()->tabToolTip(0), QDir::toNativeSeparators(main));
    w.Action("acNew")->trigger();
    w.Tabs().OpenOperation(main);
    QCOMPARE(Captions(w), (QStringList{"main", "Untitled2"}));
    QCOMPARE(w.Tabs().Pages()->currentIndex(), 0);

    w.Tabs().Pages()->setCurrentIndex(1);
    Type(w, QStringLiteral("second"));
    env.Prompts.AnswerSave(TSaveAnswer{env.Dir.filePath(QStringLiteral("main")), 0});
    env.Prompts.AnswerMessage(TButton::Ok);
    Trigger(w.Action("acSaveAs"));
    QCOMPARE(env.Prompts.Unexpected, QStringList());
    QCOMPARE(env.Prompts.Asked.last(), QStringLiteral("message: \"") +
                                           QDir::toNativeSeparators(main) +
                                           "\" is open in another tab. Close it there first, or "
                                           "choose another name.");
    QCOMPARE(TTestEnv::ReadFile(main), QByteArray("first"));
    QCOMPARE(Captions(w), (QStringList{"main", "*Untitled2"}));
    QVERIFY(w.Tabs().CurrentEditor()->Modified());
    QVERIFY(w.Tabs().CurrentPath().isEmpty());
  }

  void saveAsNamesTheFileByTheFilter_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("caption");
    QTest::newRow("css filter adds .css") << "main" << 0 << "main.css"
                                          << "main";
    QTest::newRow("txt filter adds .txt") << "main" << 1 << "main.txt"
                                          << "main";
    QTest::newRow("extension already there") << "site.css" << 0 << "site.css"
                                             << "site.css";
    QTest::newRow("any letter case") << "SITE.CSS" << 0 << "SITE.CSS"
                                     << "SITE.CSS";
    QTest::newRow("other extension") << "notes.css" << 1 << "notes.css.txt"
                                     << "notes.css";
  }

  void saveAsNamesTheFileByTheFilter() {
    QFETCH(QString, chosen);
    QFETCH(int, filter);
    QFETCH(QString, written);
    QFETCH(QString, caption);
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    w.Action("acNew")->trigger();
    Type(w, QStringLiteral("p{}"));
    env.Prompts.AnswerSave(TSaveAnswer{env.Dir.filePath(chosen), filter});
    w.Action("acSaveAs")->trigger();
    QCOMPARE(env.Prompts.Asked.last(),
             QStringLiteral("save: Cascading Style Sheet (*.css)|*.css|Text File (*.txt)|*.txt"
                            " | Untitled1"));
    QCOMPARE(TTestEnv::ReadFile(env.Dir.filePath(written)), QByteArray("p{}"));
    QCOMPARE(QDir(env.Dir.path()).entryList(QDir::Files).filter(QStringLiteral(".css.css")),
             QStringList());
    QCOMPARE(Captions(w), QStringList{caption});
    QCOMPARE(w.windowTitle(), caption + QStringLiteral(" - Quillmere"));
    QCOMPARE(w.Tabs().CurrentPath(), env.Dir.filePath(written));
    QVERIFY(!w.Tabs().CurrentEditor()->Modified());
  }

  // The question is about the file written, after the filter's extension is added; only Yes
  // replaces it.
  void saveAsAsksBeforeReplacingTheFileWritten_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<TButton>("answer");
    QTest::newRow("typed without extension, No") << "two" << TButton::No;
    QTest::newRow("typed without extension, box closed") << "two" << TButton::Cancel;
    QTest::newRow("typed without extension, Yes") << "two" << TButton::Yes;
    QTest::newRow("typed with extension, No") << "two.css" << TButton::No;
  }

  void saveAsAsksBeforeReplacingTheFileWritten() {
    QFETCH(QString, chosen);
    QFETCH(TButton, answer);
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    const QString existing = env.WriteFile(QStringLiteral("two.css"), "old");
    w.Action("acNew")->trigger();
    Type(w, QStringLiteral("new"));
    env.Prompts.AnswerSave(TSaveAnswer{env.Dir.filePath(chosen), 0});
    env.Prompts.AnswerMessage(answer);
    // No goes back to the dialog, here cancelled.
    if (answer == TButton::No) {
      env.Prompts.AnswerSave(std::nullopt);
    }
    Trigger(w.Action("acSaveAs"));
    QCOMPARE(env.Prompts.Unexpected, QStringList());
    QCOMPARE(env.Prompts.Asked.size(), answer == TButton::No ? 3 : 2);
    QCOMPARE(env.Prompts.Asked[1], QStringLiteral("message: \"") +
                                       QDir::toNativeSeparators(existing) +
                                       "\" already exists. Do you want to replace it?");
    const bool replaced = answer == TButton::Yes;
    QCOMPARE(TTestEnv::ReadFile(existing), replaced ? QByteArray("new") : QByteArray("old"));
    QCOMPARE(w.Tabs().CurrentEditor()->Modified(), !replaced);
    QCOMPARE(Captions(w), QStringList{replaced ? chosen : QStringLiteral("*Untitled1")});
    QCOMPARE(w.Tabs().CurrentPath(), replaced ? existing : QString());
  }

  // The dialog proposes the document's own file; No to replacing another goes back to it.
  void saveAsProposesTheOwnFileAndNoAsksAgain() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    const QString other = env.WriteFile(QStringLiteral("other.css"), "old");
    const QString own = env.WriteFile(QStringLiteral("own.css"), "p{}");
    w.Tabs().OpenOperation(own);
    Type(w, QStringLiteral("x"));
    const QString dialog =
        QStringLiteral("save: Cascading Style Sheet (*.css)|*.css|Text File (*.txt)|*.txt | ") +
        QDir::toNativeSeparators(own);
    env.Prompts.AnswerSave(TSaveAnswer{other, 0});
    env.Prompts.AnswerMessage(TButton::No);
    const QString renamed = env.Dir.filePath(QStringLiteral("renamed.css"));
    env.Prompts.AnswerSave(TSaveAnswer{renamed, 0});
    Trigger(w.Action("acSaveAs"));
    QCOMPARE(env.Prompts.Unexpected, QStringList());
    QCOMPARE(env.Prompts.Asked,
             (QStringList{dialog,
                          QStringLiteral("message: \"") + QDir::toNativeSeparators(other) +
                              "\" already exists. Do you want to replace it?",
                          dialog}));
    QCOMPARE(TTestEnv::ReadFile(other), QByteArray("old"));
    QCOMPARE(w.Tabs().CurrentPath(), renamed);
    QCOMPARE(Captions(w), QStringList{"renamed.css"});
  }

  // Exit asks about each changed document with that document in view; Cancel leaves it there.
  void theQuestionShowsItsDocument() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    w.Action("acNew")->trigger();
    Type(w, QStringLiteral("one"));
    w.Action("acNew")->trigger();
    Type(w, QStringLiteral("two"));
    w.Tabs().Pages()->setCurrentIndex(0);
    env.Prompts.AnswerMessage(TButton::Cancel);
    w.Action("mExit")->trigger();
    QCOMPARE(env.Prompts.Asked,
             QStringList{"message: Save the changes to this document: Untitled2 ?"});
    QCOMPARE(w.Tabs().Pages()->currentIndex(), 1);
    QCOMPARE(Text(w), QByteArray("two"));
  }

  void saveOfAnUntitledDocumentAsksForANameAndCancelKeepsIt() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    w.Action("acNew")->trigger();
    Type(w, QStringLiteral("x"));
    env.Prompts.AnswerSave(std::nullopt);
    w.Action("acSave")->trigger();
    QCOMPARE(env.Prompts.Asked.size(), 1);
    QVERIFY(w.Tabs().CurrentEditor()->Modified());
    QCOMPARE(Captions(w), QStringList{"*Untitled1"});
    QVERIFY(w.Tabs().CurrentPath().isEmpty());
  }

  void closePromptAnswers() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    w.Action("acNew")->trigger();
    w.Action("mClose")->trigger();  // unmodified: no question
    QVERIFY(env.Prompts.Asked.isEmpty());
    QCOMPARE(w.Tabs().Pages()->count(), 0);
    QVERIFY(w.Tabs().Pages()->isHidden());
    QCOMPARE(w.windowTitle(), QStringLiteral("Quillmere"));
    QVERIFY(w.Tabs().CurrentEditor() == nullptr);

    w.Action("acNew")->trigger();
    Type(w, QStringLiteral("x"));
    env.Prompts.AnswerMessage(TButton::Cancel);
    w.Action("mClose")->trigger();
    QCOMPARE(env.Prompts.Asked.last(),
             QStringLiteral("message: Save the changes to this document: Untitled2 ?"));
    QCOMPARE(w.Tabs().Pages()->count(), 1);
    env.Prompts.AnswerMessage(TButton::No);
    w.Action("mClose")->trigger();
    QCOMPARE(w.Tabs().Pages()->count(), 0);
  }

  void closeAllAnsweringCancelNoYes() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    QStringList paths;
    for (const char* name : {"first.css", "middle.css", "last.css"}) {
      paths << env.WriteFile(QLatin1String(name), "a{}");
      w.Tabs().OpenOperation(paths.last());
      Type(w, QStringLiteral("z"));
    }
    env.Prompts.AnswerMessage(TButton::Cancel);  // last
    env.Prompts.AnswerMessage(TButton::No);      // middle
    env.Prompts.AnswerMessage(TButton::Yes);     // first
    w.Action("mCloseAll")->trigger();
    QCOMPARE(env.Prompts.Asked,
             (QStringList{"message: Save the changes to this document: last.css ?",
                          "message: Save the changes to this document: middle.css ?",
                          "message: Save the changes to this document: first.css ?"}));
    QCOMPARE(Captions(w), QStringList{"*last.css"});
    QCOMPARE(TTestEnv::ReadFile(paths[0]), QByteArray("za{}"));
    QCOMPARE(TTestEnv::ReadFile(paths[1]), QByteArray("a{}"));
    QCOMPARE(TTestEnv::ReadFile(paths[2]), QByteArray("a{}"));
    QCOMPARE(w.windowTitle(), QStringLiteral("*last.css - Quillmere"));
  }

  void closingTheActiveTabActivatesItsNeighbour() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    for (int i = 0; i < 3; ++i) {
      w.Action("acNew")->trigger();
    }
    w.Tabs().Pages()->setCurrentIndex(1);
    w.Action("mClose")->trigger();  // unmodified: the tab before it becomes active
    QCOMPARE(Captions(w), (QStringList{"Untitled1", "Untitled3"}));
    QCOMPARE(w.windowTitle(), QStringLiteral("Untitled1 - Quillmere"));
    QCOMPARE(w.Tabs().CurrentEditor(), w.Tabs().Document(0)->Editor());
  }

  void theGlyphAtATabsLeftEdgeClosesIt() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    w.resize(1000, 700);
    w.show();
    w.Action("acNew")->trigger();
    w.Action("acNew")->trigger();
    QTabBar* bar = w.Tabs().Pages()->tabBar();
    const QRect first = bar->tabRect(0);
    QVERIFY2(first.width() > 40, qPrintable(QString::number(first.width())));
    // Press and release straight on the tab bar: window placement on the test screen must not
    // move the click.
    const auto click = [bar](Qt::MouseButton button, QPoint at) {
      QMouseEvent press(QEvent::MouseButtonPress, at, bar->mapToGlobal(at), button, button, {});
      QApplication::sendEvent(bar, &press);
      QMouseEvent release(QEvent::MouseButtonRelease, at, bar->mapToGlobal(at), button, {}, {});
      QApplication::sendEvent(bar, &release);
    };
    click(Qt::LeftButton, QPoint(first.right() - 3, first.center().y()));
    QCOMPARE(w.Tabs().Pages()->count(), 2);
    QCOMPARE(w.Tabs().Pages()->currentIndex(), 0);
    click(Qt::RightButton, QPoint(first.left() + 8, first.center().y()));
    QCOMPARE(w.Tabs().Pages()->count(), 2);
    click(Qt::LeftButton, QPoint(first.left() + 8, first.center().y()));
    QCOMPARE(Captions(w), QStringList{"Untitled2"});
  }

  void droppedFilesOpenInOrder() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.Tabs().OpenOperation(env.WriteFile(QStringLiteral("b.css"), "b{}"));
    QList<QUrl> urls;
    for (const char* name : {"drop/c.css", "b.css", "drop/a.css"}) {
      urls << QUrl::fromLocalFile(QLatin1String(name) == QLatin1String("b.css")
                                      ? w.Tabs().CurrentPath()
                                      : env.WriteFile(QLatin1String(name), "x{}"));
    }
    QMimeData mime;
    mime.setUrls(urls);
    // Dropped on the editor: it leaves files to the window.
    QWidget* target = w.Tabs().CurrentEditor()->viewport();
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(target, &drop);
    if (!drop.isAccepted()) {
      QApplication::sendEvent(&w, &drop);
    }
    QCOMPARE(Captions(w), (QStringList{"b.css", "c.css", "a.css"}));
    QCOMPARE(QByteArray(w.Tabs().Document(0)->Editor()->Text().data()), QByteArray("b{}"));
  }

  // Typed and pasted text is stored in the file's own encoding; a character that 8-bit text
  // cannot hold is refused with a message and nothing is inserted.
  void typedTextIsStoredInTheFilesEncoding_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("saved");
    QTest::addColumn<bool>("eightBit");
    QTest::newRow("8-bit") << QByteArray("a{content:\"\xE9\"}")
                           << QByteArray("a{content:\"\xE9\xE9\x80\xFC\"}") << true;
    QTest::newRow("UTF-8")
        << QByteArray("a{content:\"\xC3\xA9\"}")
        << QByteArray("a{content:\"\xC3\xA9\xC3\xA9\xE2\x82\xAC\xC3\xBC\xE2\x86\x92\xE2\x86\x92\"}")
        << false;
  }

  void typedTextIsStoredInTheFilesEncoding() {
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, saved);
    QFETCH(bool, eightBit);
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    const QString path = env.WriteFile(QStringLiteral("f.css"), bytes);
    w.Tabs().OpenOperation(path);
    QCOMPARE(w.Tabs().CurrentDocument()->Encoding(),
             eightBit ? TTextEncoding::EightBit : TTextEncoding::Utf8);
    TCssEditor* editor = w.Tabs().CurrentEditor();
    editor->SetCaret(static_cast<int32_t>(bytes.size()) - 2);  // before the closing quote
    const auto press = [editor](const QString& text,
                                Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
      QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, modifiers, text);
      QApplication::sendEvent(editor, &key);
    };
    const auto paste = [editor](const QString& text) {
      QApplication::clipboard()->setText(text);
      editor->paste();
    };
    const QString refused =
        QStringLiteral("message: ") + QString::fromStdString(UnencodableMessage({0, U'\u2192'}));
    press(QStringLiteral("\u00E9"));
    press(QStringLiteral("\u20AC"), Qt::ControlModifier | Qt::AltModifier);  // AltGr+E
    paste(QStringLiteral("\u00FC"));
    if (eightBit) {
      env.Prompts.AnswerMessage(TButton::Ok);
      env.Prompts.AnswerMessage(TButton::Ok);
    }
    press(QStringLiteral("\u2192"));
    paste(QStringLiteral("\u2192"));
    QCOMPARE(env.Prompts.Asked, (eightBit ? QStringList{refused, refused} : QStringList()));
    QCOMPARE(env.Prompts.Unexpected, QStringList());
    w.Action("acSave")->trigger();
    QCOMPARE(TTestEnv::ReadFile(path), saved);
  }

  void unchangedFilesAreWrittenBackByteForByte_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("notText");  // asked about first, and opened on Yes
    // Offered formatting, and left as it is on No.
    QTest::addColumn<bool>("longLines");
    QTest::newRow("lf") << QByteArray("a {\n  color: red;\n}\n") << false << false;
    QTest::newRow("cr no final") << QByteArray("a {\r}") << false << false;
    QTest::newRow("mixed") << QByteArray("a\nb\r\nc\rd") << false << false;
    QTest::newRow("nul and high bytes") << QByteArray("a{\0}\xff\xfe\r\n\x80", 10) << true << false;
    QByteArray png("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
    for (int i = 0; i < 256; ++i) {
      png.append(static_cast<char>(i));
    }
    QTest::newRow("binary") << png << true << false;
    QTest::newRow("2 MB on one line")
        << QByteArray("a{color:red}").repeated(175000) << false << true;
    QTest::newRow("50 MB sheet")
        << QByteArray(".rule > li a:hover {\n  margin: 0 auto;\n}\n").repeated(1200000) << false
        << false;
  }

  void unchangedFilesAreWrittenBackByteForByte() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, notText);
    QFETCH(bool, longLines);
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    const QString path = env.WriteFile(QStringLiteral("f.css"), bytes);
    if (notText) {
      env.Prompts.AnswerMessage(TButton::Yes);
    }
    if (longLines) {
      env.Prompts.AnswerMessage(TButton::No);
    }
    w.Tabs().OpenOperation(path);
    QCOMPARE(env.Prompts.Asked.size(), (notText ? 1 : 0) + (longLines ? 1 : 0));
    QCOMPARE(env.Prompts.Unexpected, QStringList());
    QVERIFY(!w.Tabs().CurrentEditor()->Modified());
    QFile::remove(path);
    w.Action("acSave")->trigger();
    QCOMPARE(TTestEnv::ReadFile(path), bytes);
  }

  void aFailedWriteKeepsTheOldFileAndTheChanges() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    const QString path = env.WriteFile(QStringLiteral("gone/site.css"), "a{}");
    w.Tabs().OpenOperation(path);
    Type(w, QStringLiteral("typed "));
    QVERIFY(QDir(env.Dir.filePath(QStringLiteral("gone"))).removeRecursively());
    env.Prompts.AnswerMessage(TButton::Ok);
    Trigger(w.Action("acSave"));
    QCOMPARE(env.Prompts.Asked.size(), 1);
    QVERIFY2(env.Prompts.Asked[0].startsWith(QStringLiteral("message: Cannot create file \"") +
                                             QDir::toNativeSeparators(path) + "\". "),
             qPrintable(env.Prompts.Asked[0]));
    QVERIFY(w.Tabs().CurrentEditor()->Modified());
    QCOMPARE(QByteArray(w.Tabs().CurrentEditor()->Text().data()), QByteArray("typed a{}"));

    // Close, Yes, failed write: the tab stays open with the text.
    env.Prompts.AnswerMessage(TButton::Yes);
    env.Prompts.AnswerMessage(TButton::Ok);
    Trigger(w.Action("mClose"));
    QCOMPARE(w.Tabs().Pages()->count(), 1);
    QVERIFY(w.Tabs().CurrentEditor()->Modified());
  }

  // A close whose save did not happen stops there: the program stays up, the document keeps
  // its changes, no other tab is asked about, and Exit writes no window settings.
  void aCloseWhoseSaveFailsStopsThere_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("untitled");
    for (const char* command : {"mClose", "mCloseAll", "mExit"}) {
      QTest::addRow("%s, write fails", command) << QString::fromLatin1(command) << false;
      QTest::addRow("%s, save as cancelled", command) << QString::fromLatin1(command) << true;
    }
  }

  void aCloseWhoseSaveFailsStopsThere() {
    QFETCH(QString, command);
    QFETCH(bool, untitled);
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    w.show();
    w.Tabs().OpenOperation(env.WriteFile(QStringLiteral("other.css"), "o{}"));
    Type(w, QStringLiteral("1"));
    if (untitled) {
      w.Action("acNew")->trigger();
    } else {
      w.Tabs().OpenOperation(env.WriteFile(QStringLiteral("gone/site.css"), "a{}"));
      QVERIFY(QDir(env.Dir.filePath(QStringLiteral("gone"))).removeRecursively());
    }
    Type(w, QStringLiteral("typed"));
    const QString caption = untitled ? QStringLiteral("Untitled2") : QStringLiteral("site.css");
    env.Prompts.AnswerMessage(TButton::Yes);
    if (untitled) {
      env.Prompts.AnswerSave(std::nullopt);
    } else {
      env.Prompts.AnswerMessage(TButton::Ok);
    }
    Trigger(w.Action(command));

    QCOMPARE(env.Prompts.Unexpected, QStringList());
    QCOMPARE(env.Prompts.Asked.size(), 2);
    QCOMPARE(env.Prompts.Asked[0],
             QStringLiteral("message: Save the changes to this document: ") + caption + " ?");
    QVERIFY2(
        env.Prompts.Asked[1].startsWith(
            untitled ? QStringLiteral("save: ") : QStringLiteral("message: Cannot create file \"")),
        qPrintable(env.Prompts.Asked[1]));
    QVERIFY(w.isVisible());
    QCOMPARE(Captions(w), (QStringList{"*other.css", "*" + caption}));
    QVERIFY(w.Tabs().Document(0)->Editor()->Modified());
    QVERIFY(w.Tabs().Document(1)->Editor()->Modified());
    QVERIFY(!env.ReopenSettings()->Contains(Setting::Width.Key()));
    QVERIFY(!QFile::exists(QDir(env.Platform.WorkFolder).filePath(QStringLiteral("layout.ini"))));
  }

  void tabsWithEqualCaptionsSaveToTheirOwnFiles() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    const QString first = env.WriteFile(QStringLiteral("one/site.css"), "one");
    const QString withEquals = env.WriteFile(QStringLiteral("a=b.css"), "eq");
    w.Tabs().OpenOperation(first);
    w.Action("acNew")->trigger();
    Type(w, QStringLiteral("two"));
    env.Prompts.AnswerSave(TSaveAnswer{env.Dir.filePath(QStringLiteral("site.css")), 0});
    w.Action("acSaveAs")->trigger();
    QCOMPARE(Captions(w), (QStringList{"site.css", "site.css"}));
    w.Tabs().Pages()->setCurrentIndex(0);
    Type(w, QStringLiteral("1"));
    w.Action("acSave")->trigger();
    QCOMPARE(TTestEnv::ReadFile(first), QByteArray("1one"));
    QCOMPARE(TTestEnv::ReadFile(env.Dir.filePath(QStringLiteral("site.css"))), QByteArray("two"));

    w.Tabs().OpenOperation(withEquals);
    Type(w, QStringLiteral("="));
    w.Action("acSave")->trigger();
    QVERIFY(env.Prompts.Pending() == 0 && env.Prompts.Unexpected.isEmpty());
    QCOMPARE(TTestEnv::ReadFile(withEquals), QByteArray("=eq"));
  }

  void saveAllSavesEveryTabAndEndsOnTheFirst() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    const QString a = env.WriteFile(QStringLiteral("a.css"), "a");
    w.Tabs().OpenOperation(a);
    Type(w, QStringLiteral("1"));
    w.Action("acNew")->trigger();
    Type(w, QStringLiteral("new"));
    env.Prompts.AnswerSave(std::nullopt);  // the untitled tab is skipped
    w.Action("mSaveAll")->trigger();
    QCOMPARE(TTestEnv::ReadFile(a), QByteArray("1a"));
    QVERIFY(w.Tabs().Document(1)->Editor()->Modified());
    QCOMPARE(w.Tabs().Pages()->currentIndex(), 0);
    QCOMPARE(w.windowTitle(), QStringLiteral("a.css - Quillmere"));
  }

  void anUnreadableCommandLineFileStopsTheRest() {
    TTestEnv env;
    const QString missing = env.Dir.filePath(QStringLiteral("missing.css"));
    const QString later = env.WriteFile(QStringLiteral("later.css"), "a{}");
    TFrmMain& w = env.MakeWindow({missing, later});
    env.Prompts.AnswerMessage(TButton::Ok);
    w.show();
    QTRY_COMPARE(env.Prompts.Asked.size(), 1);
    QVERIFY2(env.Prompts.Asked[0].startsWith(QStringLiteral("message: Cannot open file \"") +
                                             QDir::toNativeSeparators(missing) + "\". "),
             qPrintable(env.Prompts.Asked[0]));
    QCOMPARE(Captions(w), QStringList{"Untitled1"});
    QVERIFY(w.Tabs().CurrentPath().isEmpty());
    QVERIFY(!w.Tabs().CurrentDocument()->UpdatingText());
  }

  void commandLineFilesOpenInOrderOnce() {
    TTestEnv env;
    const QString a = env.WriteFile(QStringLiteral("a.css"), "a{}");
    const QString b = env.WriteFile(QStringLiteral("b.css"), "b{}");
    TFrmMain& w = env.MakeWindow({a, b, a});
    w.show();
    QTRY_COMPARE(w.Tabs().Pages()->count(), 2);
    QCOMPARE(Captions(w), (QStringList{"a.css", "b.css"}));
    QCOMPARE(w.Tabs().Pages()->currentIndex(), 0);
  }
};

QM_TEST_MAIN(TestDocuments)
#include "tst_documents.moc"
