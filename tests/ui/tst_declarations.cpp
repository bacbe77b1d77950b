// SPDX-License-Identifier: GPL-3.0-or-later
// The views and the text in step: the caret's block read into the inspector, values set in the
// inspector written into the text as one step of Undo, the placeholders' dialogs, the level
// tabs and the arrangement buttons, and Quick Info.
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QToolButton>

#include "app/placeholdervalues.h"
#include "app/quickinfopanel.h"
#include "controls/inspectorcss.h"
#include "dialogs/cssedit.h"
#include "platform/settings.h"
#include "testenv.h"

using namespace qm;

namespace {

TInspectorItem& Row(TFrmMain& w, const char* tag) {
  TInspectorCSS* ic = w.Properties().Inspector();
  return ic->Items(ic->IndexOfTag(QString::fromLatin1(tag)));
}

QString Value(TFrmMain& w, const char* tag) {
  return QString::fromStdString(Row(w, tag).Value());
}

// Opens the row's drop-down and chooses entry from its list, as a click on the entry does.
void PickEntry(TFrmMain& w, const char* tag, const QString& entry) {
  TInspectorCSS* ic = w.Properties().Inspector();
  ic->SelectItem(&Row(w, tag));
  TInplaceCombo* combo = ic->InplaceCombo();
  QVERIFY(combo->isVisible());
  combo->DropDown();
  TDropList* list = combo->DropList();
  const QList<QListWidgetItem*> found = list->findItems(entry, Qt::MatchExactly);
  QVERIFY2(!found.isEmpty(), qPrintable(entry));
  list->SetHighlighted(list->row(found.front()));
  combo->ChooseItem();
}

const QByteArray kSheet =
    "h1 {\r\n  color: #FF0000;\r\n  width: 12px;\r\n}\r\np { margin: 5% }\r\n";

// The window on the screen with kSheet open and the caret on the first line.
bool ShowWithSheet(TTestEnv& env, TFrmMain& w, const QString& name = QStringLiteral("a.css")) {
  w.resize(900, 700);
  w.show();
  if (!QTest::qWaitForWindowExposed(&w)) {
    return false;
  }
  w.Tabs().OpenOperation(env.WriteFile(name, kSheet));
  return true;
}

}  // namespace

class TestDeclarations : public QObject {
  Q_OBJECT

 private slots:
  void theCaretsBlockIsReadAndAPickIsWrittenAsOneUndoStep() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    QVERIFY(ShowWithSheet(env, w));
    TCssEditor* editor = w.Tabs().CurrentEditor();
    editor->setFocus();
    QTest::keyClick(editor, Qt::Key_Down);
    QCOMPARE(Value(w, "color"), QStringLiteral("#FF0000"));
    QCOMPARE(Value(w, "width"), QStringLiteral("12px"));
    QCOMPARE(Value(w, "margin"), QString());
    QCOMPARE(w.Properties().Inspector()->PinnedCount(), 2);
    QCOMPARE(w.StatusText(), QStringLiteral("Line 2 of  5, Col 1"));

    // Within the line, the views are not read again.
    Row(w, "color").SetValue("kept");
    QTest::keyClick(editor, Qt::Key_Right);
    QCOMPARE(Value(w, "color"), QStringLiteral("kept"));
    QCOMPARE(w.StatusText(), QStringLiteral("Line 2 of  5, Col 2"));
    // Nor while a selection is extended over lines.
    QTest::keyClick(editor, Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(Value(w, "color"), QStringLiteral("kept"));

    // Down into the next block after typing in front of everything: the list of the text as it
    // is now is read, not the one of the last rebuild.
    editor->SetCaret(0);
    QTest::keyClicks(editor, QStringLiteral("a{}"));
    QTest::keyClick(editor, Qt::Key_Down);
    QCOMPARE(Value(w, "color"), QStringLiteral("#FF0000"));
    QTest::keyClick(editor, Qt::Key_Down);
    QTest::keyClick(editor, Qt::Key_Down);
    QTest::keyClick(editor, Qt::Key_Down);
    QCOMPARE(Value(w, "margin"), QStringLiteral("5%"));
    QCOMPARE(Value(w, "color"), QString());
    editor->undo();

    // A pick writes the declaration above the closing brace at once, as one undo step.
    editor->SetCaret(8);
    QTest::keyClick(editor, Qt::Key_Down);
    const QByteArray before = Text(w);
    PickEntry(w, "font-weight", QStringLiteral("bold"));
    QCOMPARE(Text(w), QByteArray("h1 {\r\n  color: #FF0000;\r\n  width: 12px;\r\n  font-weight: "
                                 "bold;\r\n}\r\np { margin: 5% }"));
    QCOMPARE(w.StatusText(), QStringLiteral("Editing h1 properties."));
    QCOMPARE(Value(w, "font-weight"), QStringLiteral("bold"));
    QCOMPARE(w.Properties().Inspector()->InplaceCombo()->text(), QStringLiteral("bold"));
    QVERIFY(w.Tabs().CurrentEditor()->Modified());
    QVERIFY(!w.Tabs().CurrentDocument()->UpdatingText());
    // Leaving the drop-down writes nothing more.
    TInspectorCSS* ic = w.Properties().Inspector();
    ic->SelectItem(&Row(w, "color"));
    editor->undo();
    QCOMPARE(Text(w), before);

    // After Undo the views show what the text says; the open editor of a row closes when the
    // caret leaves its rule, and writes nothing stale.
    ic->SelectItem(&Row(w, "font-weight"));
    QCOMPARE(ic->InplaceCombo()->text(), QString());
    QTest::keyClick(editor, Qt::Key_Up);
    QTest::keyClick(editor, Qt::Key_Up);
    QVERIFY(!ic->InplaceCombo()->isHidden());
    QTest::keyClick(editor, Qt::Key_Up);
    QVERIFY(ic->InplaceCombo()->isHidden());
    QTest::keyClick(editor, Qt::Key_Down);
    QCOMPARE(Value(w, "width"), QStringLiteral("12px"));
    QCOMPARE(Value(w, "font-weight"), QString());
    QCOMPARE(Text(w), before);
    // Emptying a drop-down removes the declaration and its line.
    ic->SelectItem(&Row(w, "width"));
    ic->InplaceCombo()->clear();
    QCOMPARE(Text(w), QByteArray("h1 {\r\n  color: #FF0000;\r\n}\r\np { margin: 5% }"));
    // A text row writes what was typed when it is left; a shorthand spreads over its parts.
    ic->SelectItem(&Row(w, "margin"));
    QTest::keyClicks(ic->InplaceEdit(), QStringLiteral("1px 2px"));
    ic->SelectItem(&Row(w, "color"));
    // It takes the indentation of the rule's declarations.
    QCOMPARE(Text(w), QByteArray("h1 {\r\n  color: #FF0000;\r\n  margin: 1px 2px;\r\n}\r\n"
                                 "p { margin: 5% }"));
  }

  void outsideEveryBlockTheViewsAreEmpty() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    QVERIFY(ShowWithSheet(env, w));
    TCssEditor* editor = w.Tabs().CurrentEditor();
    editor->SetCaret(8);  // in h1's block
    QTest::keyClick(editor, Qt::Key_Down);
    QCOMPARE(Value(w, "width"), QStringLiteral("12px"));
    editor->SetCaret(static_cast<int32_t>(kSheet.size()));
    QTest::keyClick(editor, Qt::Key_Up);
    QTest::keyClick(editor, Qt::Key_Down);
    QCOMPARE(Value(w, "width"), QString());
    QCOMPARE(w.Properties().Inspector()->PinnedCount(), 0);
    // Another tab shows its own block at once, not the values of the one before.
    editor->SetCaret(8);
    QTest::keyClick(editor, Qt::Key_Down);
    w.Action(QStringLiteral("acNew"))->trigger();
    QCOMPARE(Value(w, "color"), QString());
  }

  void placeholdersComposeTheValueThroughTheirDialogs_data() {
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("length") << "width"
                            << "<length>" << false << QByteArray("width: 14em;");
    QTest::newRow("length cancelled") << "width"
                                      << "<length>" << true << QByteArray();
    QTest::newRow("percentage") << "width"
                                << "<percentage>" << false << QByteArray("width: 50%;");
    QTest::newRow("percentage cancelled") << "width"
                                          << "<percentage>" << true << QByteArray();
    QTest::newRow("color") << "color"
                           << "<color>" << false << QByteArray("color: #0000FF;");
    QTest::newRow("color cancelled") << "color"
                                     << "<color>" << true << QByteArray();
    QTest::newRow("url") << "background-image"
                         << "<url>" << false << QByteArray("background-image: url(../img/bg.gif);");
    QTest::newRow("url cancelled") << "background-image"
                                   << "<url>" << true << QByteArray();
    QTest::newRow("font") << "font-family"
                          << "<font>" << false << QByteArray("font-family: serif;");
    QTest::newRow("font cancelled") << "font-family"
                                    << "<font>" << true << QByteArray();
  }

  void placeholdersComposeTheValueThroughTheirDialogs() {
    QFETCH(QString, tag);
    QFETCH(QString, entry);
    QFETCH(bool, cancel);
    QFETCH(QByteArray, written);
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    QVERIFY(ShowWithSheet(env, w, QStringLiteral("css/main.css")));
    TCssEditor* editor = w.Tabs().CurrentEditor();
    editor->SetCaret(8);
    QTest::keyClick(editor, Qt::Key_Down);
    const QByteArray before = Text(w);
    if (entry == QStringLiteral("<color>")) {
      env.Prompts.AnswerColor(cancel ? std::nullopt : std::optional<QColor>(Qt::blue));
    } else if (entry == QStringLiteral("<url>")) {
      env.Prompts.AnswerOpen(cancel ? QString() : env.Dir.filePath(QStringLiteral("img/bg.gif")));
    } else {
      env.Prompts.AnswerDialog([&](QDialog& dialog) {
        auto& edit = static_cast<TFrmEdit&>(dialog);
        if (entry == QStringLiteral("<length>")) {
          // Loaded from the row's value.
          [&] {
            QCOMPARE(edit.TxtLength->text(), QStringLiteral("12"));
            QCOMPARE(edit.CboLength->currentText(), QStringLiteral("px"));
          }();
          edit.TxtLength->setText(QStringLiteral("14"));
          edit.CboLength->setCurrentText(QStringLiteral("em"));
        } else if (entry == QStringLiteral("<percentage>")) {
          edit.TxtPercent->setText(QStringLiteral("50"));
        } else {
          edit.TxtFont->setText(QStringLiteral("serif"));
        }
        return !cancel;
      });
    }
    PickEntry(w, tag.toLatin1().constData(), entry);
    QCOMPARE(env.Prompts.Unexpected, QStringList());
    if (entry == QStringLiteral("<color>")) {
      QCOMPARE(env.Prompts.Asked.last(), QStringLiteral("color: #ff0000"));  // the row's colour
    } else if (entry == QStringLiteral("<url>")) {
      QVERIFY(env.Prompts.Asked.last().endsWith(ImageFilter()));
    }
    if (cancel) {
      QCOMPARE(Text(w), before);
      QVERIFY(!editor->Modified());
    } else {
      QVERIFY2(Text(w).contains(written), Text(w).constData());
      QVERIFY(!Text(w).contains("p { margin: 5% }\r\n" + written));
    }
  }

  void aPickerKeepsThePriority_data() {
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("asked");  // the colour the dialog opens on; empty for none
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("named colour") << "color"
                                  << "<color>"
                                  << "color: #808000" << QByteArray("color: #0000FF !important;");
    QTest::newRow("font list") << "font-family"
                               << "<font>" << QString()
                               << QByteArray("font-family: Arial, sans-serif !important;");
    QTest::newRow("length") << "width"
                            << "<length>" << QString() << QByteArray("width: 14em ! IMPORTANT;");
  }

  // The dialogs compose the value without its priority, which goes back after the new value; the
  // colour dialog opens on the colour the value names.
  void aPickerKeepsThePriority() {
    QFETCH(QString, tag);
    QFETCH(QString, entry);
    QFETCH(QString, asked);
    QFETCH(QByteArray, written);
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    w.resize(900, 700);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.Tabs().OpenOperation(
        env.WriteFile(QStringLiteral("p.css"),
                      "h1 {\r\n  color: olive !important;\r\n  font-family: Arial, "
                      "sans-serif !important;\r\n  width: 12px ! IMPORTANT;\r\n}\r\n"));
    TCssEditor* editor = w.Tabs().CurrentEditor();
    editor->setFocus();
    editor->SetCaret(6);
    editor->CheckStatus();
    if (entry == QStringLiteral("<color>")) {
      env.Prompts.AnswerColor(QColor(Qt::blue));
    } else {
      env.Prompts.AnswerDialog([&](QDialog& dialog) {
        auto& edit = static_cast<TFrmEdit&>(dialog);
        if (entry == QStringLiteral("<font>")) {
          [&] {
            QCOMPARE(edit.TxtFont->text(), QStringLiteral("Arial, sans-serif"));
            const QList<QListWidgetItem*> generic =
                edit.LstFont->findItems(QStringLiteral("sans-serif"), Qt::MatchExactly);
            QVERIFY(!generic.isEmpty() && generic.front()->checkState() == Qt::Checked);
          }();
        } else {
          [&] {
            QCOMPARE(edit.TxtLength->text(), QStringLiteral("12"));
            QCOMPARE(edit.CboLength->currentText(), QStringLiteral("px"));
          }();
          edit.TxtLength->setText(QStringLiteral("14"));
          edit.CboLength->setCurrentText(QStringLiteral("em"));
        }
        return true;
      });
    }
    PickEntry(w, tag.toLatin1().constData(), entry);
    QCOMPARE(env.Prompts.Pending(), 0);
    if (!asked.isEmpty()) {
      QCOMPARE(env.Prompts.Asked.last(), asked);
    }
    QVERIFY2(Text(w).contains("  " + written + "\r\n"), Text(w).constData());
  }

  // An 8-bit file: a value is written in its encoding, and one it cannot hold is refused with a
  // message while the text stays as it was.
  void valuesAreWrittenInTheFilesEncoding() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    w.resize(900, 700);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.Tabs().OpenOperation(
        env.WriteFile(QStringLiteral("latin.css"), "h1 {\r\n  content: \"\xE9\";\r\n}"));
    TCssEditor* editor = w.Tabs().CurrentEditor();
    editor->SetCaret(0);
    QTest::keyClick(editor, Qt::Key_Down);
    TInspectorCSS* ic = w.Properties().Inspector();
    ic->SelectItem(&Row(w, "margin"));
    ic->InplaceEdit()->setText(QString::fromUtf8("\xE2\x82\xAC"));  // the euro sign
    ic->SelectItem(&Row(w, "color"));
    QVERIFY2(Text(w).contains("margin: \x80;"), Text(w).constData());
    const QByteArray before = Text(w);
    env.Prompts.AnswerMessage(TButton::Ok);
    ic->SelectItem(&Row(w, "margin"));
    ic->InplaceEdit()->setText(QString::fromUtf8("\xE2\x86\x92"));  // an arrow
    ic->SelectItem(&Row(w, "color"));
    QCOMPARE(Text(w), before);
    QVERIFY(env.Prompts.Asked.last().contains(QStringLiteral("cannot be stored in this file")));
    QCOMPARE(env.Prompts.Unexpected, QStringList());
  }

  void withoutADocumentNothingIsWritten() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    w.resize(900, 700);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(w.Tabs().CurrentDocument() == nullptr);
    PickEntry(w, "font-weight", QStringLiteral("bold"));
    TInspectorCSS* ic = w.Properties().Inspector();
    ic->SelectItem(&Row(w, "width"));
    QTest::keyClicks(ic->InplaceEdit(), QStringLiteral("3px"));
    ic->SelectItem(&Row(w, "color"));
    QVERIFY(w.Tabs().CurrentDocument() == nullptr);
    QCOMPARE(env.Prompts.Unexpected, QStringList());
  }

  // The level tabs load their catalogue in the arrangement the button shows, and the row chosen
  // before stays chosen; the buttons arrange, expand and collapse.
  void theLevelTabsAndTheArrangementButtons() {
    TTestEnv env;
    env.Settings->WriteInteger(Setting::CurrentCss.Key(), 0);
    TFrmMain& w = env.MakeWindow();
    QVERIFY(ShowWithSheet(env, w));
    TPropertiesPanel& panel = w.Properties();
    TInspectorCSS* ic = panel.Inspector();
    QVERIFY(panel.CategoriesButton()->isChecked());
    QVERIFY(ic->ShowCategories());
    const int32_t css1Rows = ic->Count();
    ic->SelectItem(&Row(w, "color"));
    QTest::mouseClick(panel.CategoriesButton(), Qt::LeftButton);
    QVERIFY(!ic->ShowCategories());
    panel.CssTabs()->setCurrentIndex(1);
    QVERIFY(ic->Count() > css1Rows);
    QVERIFY(!ic->ShowCategories());
    QVERIFY(ic->Selected() != nullptr);
    QCOMPARE(ic->Selected()->CssTag, std::string("color"));
    for (int32_t i = 0; i < ic->Count(); ++i) {
      QVERIFY(ic->Items(i).Value().empty());
    }
    QTest::mouseClick(panel.CategoriesButton(), Qt::LeftButton);
    QVERIFY(ic->ShowCategories());
    QTest::mouseClick(panel.CollapseButton(), Qt::LeftButton);
    const int32_t collapsed = ic->VisibleCount();
    QTest::mouseClick(panel.ExpandButton(), Qt::LeftButton);
    QVERIFY(ic->VisibleCount() > collapsed);
  }

  // A new user starts on current CSS: a flex sheet's display offers today's values, Quick Info
  // names today's browsers with versions, and a pick is written.
  void theCurrentLevelOffersTodaysValuesAndBrowsers() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    // Before any property is described the strip names the level's own browsers.
    QVERIFY(!w.QuickInfo().Versions()->isHidden());
    QCOMPARE(w.QuickInfo().Versions()->text(), QStringLiteral("Chrome, Edge, Firefox, Safari"));
    TPropertiesPanel& panel = w.Properties();
    QCOMPARE(panel.CssLevel(), 2);
    QCOMPARE(panel.CssTabs()->tabText(2), QStringLiteral("CSS3"));
    panel.CssTabs()->setCurrentIndex(0);
    QCOMPARE(panel.Inspector()->IndexOfTag(QStringLiteral("gap")), -1);
    panel.CssTabs()->setCurrentIndex(2);

    w.resize(900, 700);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.Tabs().OpenOperation(env.WriteFile(QStringLiteral("flex.css"),
                                         ".row {\r\n  display: flex;\r\n  gap: 1rem;\r\n}\r\n"));
    TCssEditor* editor = w.Tabs().CurrentEditor();
    editor->setFocus();
    QTest::keyClick(editor, Qt::Key_Down);
    QCOMPARE(Value(w, "display"), QStringLiteral("flex"));
    QCOMPARE(Value(w, "gap"), QStringLiteral("1rem"));

    TInspectorCSS* ic = panel.Inspector();
    ic->SelectItem(&Row(w, "display"));
    TInplaceCombo* combo = ic->InplaceCombo();
    QVERIFY(combo->isVisible());
    combo->DropDown();
    const QStringList entries = combo->Items();
    QVERIFY2(entries.contains(QStringLiteral("flex")) && entries.contains(QStringLiteral("grid")),
             qPrintable(entries.join(u'|')));
    QCOMPARE(entries.mid(entries.size() - 5),
             (QStringList{"inherit", "initial", "unset", "revert", "revert-layer"}));
    combo->DropList()->CloseUp();

    ic->SelectItem(&Row(w, "gap"));
    const QString info = w.QuickInfo().Info()->toPlainText();
    const QString versions = w.QuickInfo().Versions()->text();
    for (const char* browser : {"Chrome 57", "Edge 16", "Firefox 52", "Safari 10.1"}) {
      QVERIFY2(info.contains(QLatin1String(browser)), qPrintable(info));
      QVERIFY2(versions.contains(QLatin1String(browser)), qPrintable(versions));
    }
    QVERIFY(info.contains(QStringLiteral("Syntax: <'row-gap'> <'column-gap'>?")));
    QVERIFY(w.QuickInfo().Versions()->isVisible());

    PickEntry(w, "display", QStringLiteral("grid"));
    QCOMPARE(Text(w), QByteArray(".row {\r\n  display: grid;\r\n  gap: 1rem;\r\n}"));

    // Back on the first level the three pictures of its browsers return.
    panel.CssTabs()->setCurrentIndex(0);
    ic->SelectItem(&Row(w, "color"));
    QVERIFY(!w.QuickInfo().Versions()->isVisible());
    QCOMPARE(w.QuickInfo().Support(1), TQuickInfoPanel::TSupport::Supported);
  }

  // Choosing a row describes its property in Quick Info.
  void choosingARowFillsQuickInfo() {
    TTestEnv env;
    env.Settings->WriteInteger(Setting::CurrentCss.Key(), 0);
    TFrmMain& w = env.MakeWindow();
    QVERIFY(ShowWithSheet(env, w));
    w.Properties().Inspector()->SelectItem(&Row(w, "color"));
    const QString info = w.QuickInfo().Info()->toPlainText();
    QVERIFY2(info.contains(QStringLiteral("colour")) || info.contains(QStringLiteral("color")),
             qPrintable(info));
    QCOMPARE(w.QuickInfo().Support(1), TQuickInfoPanel::TSupport::Supported);
  }

  void quickInfoShowsDescriptionAndSupport() {
    TInspectorCollection items;
    TInspectorItem& mixed = items.AddItem("a", "a", "", "About a.", "1|0|1", 1, nullptr);
    TInspectorItem& undescribed = items.AddItem("b", "b", "", "", "0|1", 1, nullptr);
    TQuickInfoPanel panel;
    using S = TQuickInfoPanel::TSupport;
    QCOMPARE(panel.Support(1), S::Unknown);
    panel.ShowProperty(&mixed);
    QCOMPARE(panel.Info()->toPlainText(), QStringLiteral("About a."));
    QCOMPARE((QList<S>{panel.Support(1), panel.Support(2), panel.Support(3)}),
             (QList<S>{S::Supported, S::NotSupported, S::Supported}));
    // Fewer than three flags: the missing picture (Internet Explorer's) stays as it was.
    panel.ShowProperty(&undescribed);
    QCOMPARE(panel.Info()->toPlainText(), QStringLiteral("No available information."));
    QCOMPARE((QList<S>{panel.Support(1), panel.Support(2), panel.Support(3)}),
             (QList<S>{S::Supported, S::Supported, S::NotSupported}));
    // A category row, or no property: the text says so and the pictures stay.
    panel.ShowProperty(nullptr);
    QCOMPARE(panel.Info()->toPlainText(), QStringLiteral("No available information."));
    QCOMPARE(panel.Support(2), S::Supported);
  }

  void theValueDialogLoadsEachMode() {
    TScriptedPrompts prompts;
    TFrmEdit edit(prompts, {QStringLiteral("Verdana"), QStringLiteral("Arial"),
                            QStringLiteral("Times New Roman")});
    edit.Mode = TFrmEdit::LengthMode;
    // A length is cut at the end of its number; its unit keeps its spelling when left alone.
    const struct {
      const char* value;
      const char* number;
      const char* unit;
      const char* result;
    } lengths[] = {{"12px", "12", "px", "12px"}, {"1.5EM", "1.5", "em", "1.5EM"},
                   {"auto", "auto", "", "auto"}, {"2in", "2", "in", "2in"},
                   {"thin", "thin", "", "thin"}, {"1px 2px", "1px 2px", "", "1px 2px"}};
    for (const auto& c : lengths) {
      edit.LoadValue(QString::fromLatin1(c.value));
      QCOMPARE(edit.TxtLength->text(), QString::fromLatin1(c.number));
      QCOMPARE(edit.CboLength->currentText(), QString::fromLatin1(c.unit));
      QCOMPARE(edit.Result(), QString::fromLatin1(c.result));
      QVERIFY(edit.PLength->isVisibleTo(&edit) && !edit.PFont->isVisibleTo(&edit));
    }
    edit.LoadValue(QStringLiteral("1.5EM"));
    edit.CboLength->setCurrentText(QStringLiteral("px"));
    QCOMPARE(edit.Result(), QStringLiteral("1.5px"));
    QCOMPARE(edit.height(), 137);

    edit.Mode = TFrmEdit::PercentageMode;
    edit.LoadValue(QStringLiteral("50%"));
    QCOMPARE(edit.TxtPercent->text(), QStringLiteral("50"));
    QCOMPARE(edit.Result(), QStringLiteral("50%"));

    // Generic families first, then the installed fonts sorted.
    QCOMPARE(edit.LstFont->item(0)->text(), QStringLiteral("serif"));
    QCOMPARE(edit.LstFont->item(4)->text(), QStringLiteral("monospace"));
    QCOMPARE(edit.LstFont->item(5)->text(), QStringLiteral("Arial"));
    edit.Mode = TFrmEdit::FontMode;
    const QString value = QStringLiteral("Arial, Times New Roman, serif");
    edit.LoadValue(value);
    const auto marked = [&] {
      QStringList names;
      for (int i = 0; i < edit.LstFont->count(); ++i) {
        if (edit.LstFont->item(i)->checkState() == Qt::Checked) {
          names << edit.LstFont->item(i)->text();
        }
      }
      return names;
    };
    QCOMPARE(marked(), (QStringList{"serif", "Arial", "Times New Roman"}));
    QCOMPARE(edit.TxtFont->text(), value);
    QCOMPARE(edit.height(), 313);

    // A font this system lacks is kept, listed at the top and marked, and asks nothing; a font
    // added goes after the user's fonts and before the generic family.
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    const auto click = [&](const char* name) {
      QListWidgetItem* item =
          edit.LstFont->findItems(QString::fromLatin1(name), Qt::MatchExactly).front();
      edit.LstFont->scrollToItem(item);
      QTest::mouseClick(edit.LstFont->viewport(), Qt::LeftButton, {},
                        edit.LstFont->visualItemRect(item).center());
    };
    edit.LoadValue(QStringLiteral("Tahoma, \"Gill Sans\", sans-serif"));
    QCOMPARE(edit.LstFont->item(0)->text(), QStringLiteral("Tahoma (not installed here)"));
    QCOMPARE(edit.LstFont->item(1)->text(), QStringLiteral("Gill Sans (not installed here)"));
    QCOMPARE(marked(), (QStringList{"Tahoma (not installed here)", "Gill Sans (not installed here)",
                                    "sans-serif"}));
    click("Verdana");
    QCOMPARE(edit.TxtFont->text(), QStringLiteral("Tahoma, \"Gill Sans\", Verdana, sans-serif"));
    click("Tahoma (not installed here)");
    QCOMPARE(edit.TxtFont->text(), QStringLiteral("\"Gill Sans\", Verdana, sans-serif"));
    QCOMPARE(prompts.Asked, QStringList());

    // From no value, the fonts come in the order chosen, a generic family last.
    edit.LoadValue(QString());
    QCOMPARE(edit.TxtFont->text(), QString());
    QCOMPARE(edit.LstFont->item(0)->text(), QStringLiteral("serif"));
    click("Verdana");
    click("cursive");
    QCOMPARE(edit.TxtFont->text(), QStringLiteral("Verdana, cursive"));
    click("Times New Roman");
    QCOMPARE(edit.TxtFont->text(), QStringLiteral("Verdana, \"Times New Roman\", cursive"));
    click("cursive");
    QCOMPARE(edit.TxtFont->text(), QStringLiteral("Verdana, \"Times New Roman\""));

    // Hovering shows a sample in the font, none for a generic family.
    const auto hover = [&](const char* name) {
      QListWidgetItem* item =
          edit.LstFont->findItems(QString::fromLatin1(name), Qt::MatchExactly).front();
      edit.LstFont->scrollToItem(item);
      QTest::mouseMove(edit.LstFont->viewport(), edit.LstFont->visualItemRect(item).center());
      QTRY_COMPARE(edit.LstFont->currentItem(), item);
    };
    hover("monospace");
    QCOMPARE(edit.TxtPreview->text(), QStringLiteral("N/A"));
    hover("Arial");
    QCOMPARE(edit.TxtPreview->text(), QStringLiteral("Sample Text"));
    QCOMPARE(edit.TxtPreview->font().family(), QStringLiteral("Arial"));
  }
};

QM_TEST_MAIN(TestDeclarations)
#include "tst_declarations.moc"
