// SPDX-License-Identifier: GPL-3.0-or-later
// The recent-files menu: what is stored, what the File menu shows, and reopening.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QScopeGuard>
#include <QTabWidget>

#include "controls/recentfiles.h"
#include "platform/settings.h"
#include "testenv.h"

using namespace qm;

namespace {

QStringList MenuTexts(const QMenu* menu) {
  QStringList texts;
  for (const QAction* action : menu->actions()) {
    texts << (action->isSeparator() ? QStringLiteral("|") : action->text());
  }
  return texts;
}

QString Stored(const TTestEnv& env, int n) {
  return env.ReopenSettings()->ReadString(Setting::RecentFile.Key(n)).value_or("<none>");
}

}  // namespace

class TestRecentFiles : public QObject {
  Q_OBJECT

 private slots:
  void sixOpenedFilesShowTheLastFiveAndStoreSix() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    QStringList paths;
    for (const char* name : {"a.css", "b.css", "c.css", "d.css", "e.css", "f.css"}) {
      paths << env.WriteFile(QLatin1String(name), "x{}");
      w.Tabs().OpenOperation(paths.last());
    }
    QCOMPARE(
        MenuTexts(w.Menu("mFile")),
        (QStringList{"New", "Open", "Close", "Close All", "|", "Save", "Save As", "Save All", "|",
                     "&1 f.css", "&2 e.css", "&3 d.css", "&4 c.css", "&5 b.css", "|", "Exit"}));
    QCOMPARE(Stored(env, 1), paths[5]);
    QCOMPARE(Stored(env, 6), paths[0]);

    // A file reopened in another letter case moves to the top, once.
    w.Action("mCloseAll")->trigger();
    const QString upper = env.Dir.filePath(QStringLiteral("D.CSS"));
    QFile::rename(paths[3], upper);
    w.Tabs().OpenOperation(upper);
    QCOMPARE(w.RecentFiles().Items().first()->text(), QStringLiteral("&1 D.CSS"));
    QCOMPARE(w.RecentFiles().Items().size(), 5);
    QCOMPARE(Stored(env, 1), upper);
    QCOMPARE(Stored(env, 2), paths[5]);
  }

  void aVanishedFileIsDroppedAndTheRestMovesUp() {
    TTestEnv env;
    QStringList paths;
    for (const char* name : {"a.css", "b.css", "c.css", "d.css", "e.css", "f.css"}) {
      paths.prepend(env.WriteFile(QLatin1String(name), "x{}"));
    }
    for (int n = 1; n <= 6; ++n) {
      env.Settings->WriteString(Setting::RecentFile.Key(n), paths[n - 1]);
    }
    QFile::remove(paths[0]);
    TFrmMain& w = env.MakeWindow();
    QCOMPARE(w.RecentFiles().Items().first()->text(), QStringLiteral("&1 e.css"));
    QCOMPARE(w.RecentFiles().Items().last()->text(), QStringLiteral("&5 a.css"));
    QCOMPARE(Stored(env, 1), paths[1]);
    QCOMPARE(Stored(env, 6), QString());

    // Choosing an item reopens its file; one that vanished since says so and stays listed.
    w.RecentFiles().Items()[1]->trigger();
    QCOMPARE(w.windowTitle(), QStringLiteral("d.css - Quillmere"));
    QFile::remove(paths[5]);  // a.css, the last item
    const int before = static_cast<int>(w.RecentFiles().Items().size());
    env.Prompts.AnswerMessage(TButton::Ok);
    w.RecentFiles().Items().last()->trigger();
    QCOMPARE(env.Prompts.Asked.last(),
             QStringLiteral("message: File not found. Check the file path."));
    QCOMPARE(w.RecentFiles().Items().size(), before);
  }

  // A name relative to the folder the program started in is stored as the file's absolute name,
  // and other spellings of the same file do not add a second entry.
  void aFileIsStoredByItsAbsoluteNameOnce() {
    TTestEnv env;
    const QString path = env.WriteFile(QStringLiteral("sub/site.css"), "a{}");
    const QString absolute = QDir::toNativeSeparators(QFileInfo(path).canonicalFilePath());
    const QString startFolder = QDir::currentPath();
    const auto back = qScopeGuard([&startFolder] { QDir::setCurrent(startFolder); });
    QVERIFY(QDir::setCurrent(env.Dir.filePath(QStringLiteral("sub"))));
    TFrmMain& w = env.MakeWindow();
    for (const QString& spelling : {QStringLiteral("site.css"), QStringLiteral("../sub/./site.css"),
                                    env.Dir.filePath(QStringLiteral("sub/../sub/site.css"))}) {
      w.Tabs().OpenOperation(spelling);
      w.Action("mCloseAll")->trigger();
      QCOMPARE(Stored(env, 1), absolute);
      QCOMPARE(w.RecentFiles().Items().size(), 1);
    }
    // Reopened from another folder, the entry still finds its file.
    QVERIFY(QDir::setCurrent(startFolder));
    w.RecentFiles().Items().first()->trigger();
    QCOMPARE(env.Prompts.Asked, QStringList());
    QCOMPARE(w.windowTitle(), QStringLiteral("site.css - Quillmere"));
  }

  void positionAndParentMenu() {
    TTestEnv env;
    QMenu menu;
    menu.addAction(QStringLiteral("one"));
    menu.addAction(QStringLiteral("two"));
    TRecentFiles recent(*env.Settings, env.Prompts);
    env.Prompts.AnswerMessage(TButton::Ok);
    env.Prompts.AnswerMessage(TButton::Ok);
    recent.RebuildRecentMenu();
    QCOMPARE(env.Prompts.Asked.last(), QStringLiteral("message: ParentMenu not assigned"));
    recent.SetParentMenu(&menu);
    recent.SetPosition(3);
    QCOMPARE(env.Prompts.Asked.last(), QStringLiteral("message: Position out of range"));
    QCOMPARE(recent.Position(), 0);
    recent.SetPosition(1);
    recent.ShowFullPath = true;
    const QString path = env.WriteFile(QStringLiteral("x/site.css"), "a{}");
    recent.AddRecentFile(path);
    QCOMPARE(MenuTexts(&menu), (QStringList{"one", QStringLiteral("&1 ") + path, "two"}));
    QMenu other;
    recent.SetParentMenu(&other);
    QCOMPARE(MenuTexts(&menu), (QStringList{"one", "two"}));
  }
};

QM_TEST_MAIN(TestRecentFiles)
#include "tst_recentfiles.moc"
