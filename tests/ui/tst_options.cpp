// SPDX-License-Identifier: GPL-3.0-or-later
// The Options dialog: browser list editing, syntax styles, the editor fields, Apply and Cancel.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTimer>

#include "app/opendocument.h"
#include "controls/csslexer.h"
#include "dialogs/colorbox.h"
#include "dialogs/cssoptions.h"
#include "platform/settings.h"
#include "testenv.h"

using namespace qm;

namespace {

void StoreBrowsers(TTestEnv& env, const QStringList& names) {
  for (int i = 0; i < names.size(); ++i) {
    env.Settings->WriteString(Setting::BrowserName.Key(i + 1), names[i]);
    env.Settings->WriteString(Setting::BrowserPath.Key(i + 1), QStringLiteral("/opt/") + names[i]);
  }
}

QString Stored(const TTestEnv& env, const QString& name) {
  return env.ReopenSettings()->ReadString(name).value_or(QStringLiteral("<none>"));
}

}  // namespace

class TestOptions : public QObject {
  Q_OBJECT

 private slots:
  void editingTheFirstBrowserMovesItLast() {
    TTestEnv env;
    StoreBrowsers(env, {"one", "two", "three"});
    TFrmMain& w = env.MakeWindow();
    TFrmOptions& o = w.OptionsDialog();
    o.show();
    QCOMPARE(o.BrowserNames(), (QStringList{"one", "two", "three"}));
    o.LstBrowsers->setCurrentRow(0);
    o.CmdEdit->click();
    QCOMPARE(o.GrpBrowser->title(), QStringLiteral(" Edit Browser "));
    QVERIFY(!o.CmdEdit->isEnabled());
    QCOMPARE(o.TxtPath->text(), QStringLiteral("/opt/one"));
    o.TxtName->setText(QStringLiteral("first"));
    o.CmdAddOk->click();
    QVERIFY(o.GrpBrowser->isHidden());
    QCOMPARE(o.BrowserNames(), (QStringList{"two", "three", "first"}));
    o.CmdApply->click();
    QVERIFY(!o.isVisible());
    QCOMPARE(Stored(env, Setting::BrowserName.Key(3)), QStringLiteral("first"));
    QCOMPARE(Stored(env, Setting::BrowserPath.Key(3)), QStringLiteral("/opt/one"));
    QCOMPARE(Stored(env, Setting::BrowserName.Key(1)), QStringLiteral("two"));
  }

  void deletingEveryBrowserRemovesTheStoredOnes() {
    TTestEnv env;
    StoreBrowsers(env, {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"});
    TFrmMain& w = env.MakeWindow();
    TFrmOptions& o = w.OptionsDialog();
    o.show();
    QVERIFY(!o.CmdAdd->isEnabled());  // ten is the most that is read back
    o.CmdDelete->click();             // nothing selected: nothing happens
    QCOMPARE(o.LstBrowsers->count(), 10);
    while (o.LstBrowsers->count() > 0) {
      o.LstBrowsers->setCurrentRow(0);
      o.CmdDelete->click();
    }
    QVERIFY(o.CmdAdd->isEnabled());
    o.CmdApply->click();
    const auto stored = env.ReopenSettings();
    for (int n = 1; n <= 10; ++n) {
      QVERIFY(!stored->Contains(Setting::BrowserName.Key(n)));
      QVERIFY(!stored->Contains(Setting::BrowserPath.Key(n)));
    }
  }

  void addingThroughTheFileDialog() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    TFrmOptions& o = w.OptionsDialog();
    o.show();
    o.CmdAdd->click();
    QCOMPARE(o.GrpBrowser->title(), QStringLiteral(" Add Browser "));
    o.TxtName->setText(QStringLiteral("typed"));
    env.Prompts.AnswerOpen(QString());  // cancelled: the fields stay
    o.CmdBrowse->click();
    QCOMPARE(o.TxtName->text(), QStringLiteral("typed"));
    env.Prompts.AnswerOpen(QStringLiteral("/usr/bin/firefox"));
    o.CmdBrowse->click();
    QCOMPARE(env.Prompts.Asked.last(), QStringLiteral("open: Executable|*.exe|All Files|*.*"));
    QCOMPARE(o.TxtName->text(), QStringLiteral("firefox"));
    o.CmdAddOk->click();
    QCOMPARE(o.BrowserNames(), QStringList{"firefox"});
    QCOMPARE(o.BrowserPaths(), QStringList{"/usr/bin/firefox"});
  }

  void stylesApplyToEveryEditorAndAreStoredByClassName() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    w.Action("acNew")->trigger();
    TFrmOptions& o = w.OptionsDialog();
    QTimer::singleShot(0, &o, [&o] {
      o.LstElements->setCurrentRow(2);
      QCOMPARE(o.LstElements->currentItem()->text(), QStringLiteral("Number"));
      o.ccForeground->setCurrentIndex(o.ccForeground->findText(QStringLiteral("Red")));
      emit o.ccForeground->activated(o.ccForeground->currentIndex());
      o.ccItalic->setChecked(true);
      o.TxtTabWidth->setText(QStringLiteral("3"));
      o.CmbSize->setCurrentText(QStringLiteral("12"));
      o.CmdApply->click();
    });
    w.Action("mOptions")->trigger();
    const size_t number = static_cast<size_t>(TTokenKind::Number);
    QCOMPARE(w.SyntaxStyles()[number].Foreground, std::optional<int32_t>(0x0000FF));
    QCOMPARE(w.SyntaxStyles()[number].Style, StyleItalic);
    const auto stored = env.ReopenSettings();
    QCOMPARE(stored->ReadInteger(QStringLiteral("Editor/Number/Foreground")),
             std::optional<int>(0x0000FF));
    QCOMPARE(stored->ReadInteger(QStringLiteral("Editor/Number/Style")),
             std::optional<int>(StyleItalic));
    QCOMPARE(stored->ReadInteger(QStringLiteral("Editor/Comment/Foreground")),
             std::optional<int>(ColorNone));
    QCOMPARE(w.DeclarationIndent(), 3);
    QCOMPARE(w.Tabs().CurrentEditor()->tabWidth(), 3);
    QCOMPARE(w.Tabs().CurrentEditor()->EditorFont().pointSize(), 12);
    QCOMPARE(w.Tabs().CurrentEditor()->Lexer()->color(static_cast<int>(TTokenKind::Number)),
             QColor(Qt::red));

    // A restart draws with the stored styles.
    w.close();
    env.Settings = env.ReopenSettings();
    env.Platform.Settings = env.Settings.get();
    TFrmMain& again = env.MakeWindow();
    QCOMPARE(again.SyntaxStyles()[number].Foreground, std::optional<int32_t>(0x0000FF));
  }

  void cancelChangesNothing() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    const TSyntaxStyles before = w.SyntaxStyles();
    TFrmOptions& o = w.OptionsDialog();
    o.show();
    o.LstElements->setCurrentRow(3);
    o.ccBold->setChecked(false);
    o.CmdAdd->click();
    o.TxtName->setText(QStringLiteral("x"));
    o.CmdAddOk->click();
    o.CmdCancel->click();
    QVERIFY(w.SyntaxStyles() == before);
    QVERIFY(!env.ReopenSettings()->Contains(Setting::BrowserName.Key(1)));
    o.show();
    o.LstElements->setCurrentRow(3);
    QVERIFY(o.ccBold->isChecked());
    QCOMPARE(o.LstBrowsers->count(), 0);
  }

  void tabWidthTakesTwoDigitsAndApplyRefusesWhatIsNoNumber() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    TFrmOptions& o = w.OptionsDialog();
    o.show();
    QCOMPARE(o.TxtTabWidth->text(), QStringLiteral("8"));
    o.TxtTabWidth->clear();
    QTest::keyClicks(o.TxtTabWidth, QStringLiteral("a-1x23"));
    QCOMPARE(o.TxtTabWidth->text(), QStringLiteral("12"));

    o.CmbSize->setCurrentText(QStringLiteral("large"));
    env.Prompts.AnswerMessage(TButton::Ok);
    o.CmdApply->click();
    QVERIFY(o.isVisible());
    QVERIFY(env.Prompts.Asked.last().contains(QStringLiteral("font size")));
    o.CmbSize->setCurrentText(QStringLiteral("11"));
    o.TxtTabWidth->clear();
    env.Prompts.AnswerMessage(TButton::Ok);
    o.CmdApply->click();
    QVERIFY(o.isVisible());
    QVERIFY(env.Prompts.Asked.last().contains(QStringLiteral("tab width")));
    QVERIFY(!env.ReopenSettings()->Contains(Setting::FontSize.Key()));
  }

  void fontSizeIsTakenFromSixToSeventyTwo_data() {
    QTest::addColumn<QString>("size");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("too small") << "5" << false;
    QTest::newRow("smallest") << "6" << true;
    QTest::newRow("largest") << "72" << true;
    QTest::newRow("too large") << "73" << false;
    QTest::newRow("one giant glyph") << "999" << false;
  }
  void fontSizeIsTakenFromSixToSeventyTwo() {
    QFETCH(QString, size);
    QFETCH(bool, accepted);
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    w.Action("acNew")->trigger();
    TFrmOptions& o = w.OptionsDialog();
    o.show();
    o.CmbSize->setCurrentText(size);
    if (!accepted) {
      env.Prompts.AnswerMessage(TButton::Ok);
    }
    o.CmdApply->click();
    QCOMPARE(o.isVisible(), !accepted);
    QCOMPARE(env.Prompts.Asked,
             accepted ? QStringList()
                      : QStringList{"message: The font size must be a whole number of points "
                                    "from 6 to 72."});
    QCOMPARE(Stored(env, Setting::FontSize.Key()), accepted ? size : QStringLiteral("<none>"));
    QCOMPARE(w.Tabs().CurrentEditor()->EditorFont().pointSize(), accepted ? size.toInt() : 10);
  }

  void applyReachesEveryOpenDocumentAndCancelNone() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    for (int i = 0; i < 3; ++i) {
      w.Action("acNew")->trigger();
    }
    TFrmOptions& o = w.OptionsDialog();
    QSignalSpy applied(&o, &TFrmOptions::Applied);
    const auto editorsShow = [&w](int tabWidth, int pointSize) {
      for (int i = 0; i < w.Tabs().Pages()->count(); ++i) {
        const TCssEditor* editor = w.Tabs().Document(i)->Editor();
        if (editor->tabWidth() != tabWidth || editor->EditorFont().pointSize() != pointSize) {
          return false;
        }
      }
      return true;
    };
    o.show();
    o.TxtTabWidth->setText(QStringLiteral("4"));
    o.CmbSize->setCurrentText(QStringLiteral("16"));
    o.CmdApply->click();
    QCOMPARE(applied.count(), 1);
    // The announcement carries what was stored.
    const auto announced = applied.first().first().value<TEditorOptions>();
    QCOMPARE(announced.TabWidth, 4);
    QCOMPARE(announced.FontSize, 16);
    QVERIFY(announced.Styles == o.WorkingStyles());
    QVERIFY(editorsShow(4, 16));
    QCOMPARE(w.DeclarationIndent(), 4);

    o.show();
    o.TxtTabWidth->setText(QStringLiteral("2"));
    o.CmdCancel->click();
    QCOMPARE(applied.count(), 1);
    QVERIFY(editorsShow(4, 16));
    w.Action("acNew")->trigger();  // a document opened later starts from what was applied
    QVERIFY(editorsShow(4, 16));
  }
};

QM_TEST_MAIN(TestOptions)
#include "tst_options.moc"
