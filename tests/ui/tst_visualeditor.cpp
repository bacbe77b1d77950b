// SPDX-License-Identifier: GPL-3.0-or-later
// The Visual Editor: every picker of the table on its page, the block at the caret shown in the
// pickers, picks and typing written into the text, the dialogs of the placeholders, the
// box-model picture, the captions' Quick Info and the wrapped row of page tabs.
#include <QComboBox>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>

#include "app/declarationsync.h"
#include "app/placeholdervalues.h"
#include "app/quickinfopanel.h"
#include "app/visualeditorpanel.h"
#include "controls/ComboBoxUnit.h"
#include "controls/Combocss.h"
#include "controls/inspectorcss.h"
#include "controls/labelcss.h"
#include "controls/shapeext.h"
#include "controls/tabrows.h"
#include "dialogs/cssedit.h"
#include "model/catalogue/visualpickers.h"
#include "platform/settings.h"
#include "realsheets.h"
#include "testenv.h"

using namespace qm;

namespace {

// Opens the drop-down and chooses entry from its list, as a click on the entry does.
void Pick(TComboCSS* combo, const QString& entry) {
  combo->DropDown();
  TDropList* list = combo->DropList();
  const QList<QListWidgetItem*> found = list->findItems(entry, Qt::MatchExactly);
  QVERIFY2(!found.isEmpty(), qPrintable(entry));
  list->SetHighlighted(list->row(found.front()));
  combo->ChooseItem();
  list->CloseUp();
}

// Shows the page that holds widget, scrolled to it.
void ShowPageOf(TFrmMain& w, QWidget* widget) {
  QTabWidget* pages = w.VisualEditor().Pages();
  for (int i = 0; i < pages->count(); ++i) {
    if (pages->widget(i)->isAncestorOf(widget)) {
      pages->setCurrentIndex(i);
    }
  }
  QCoreApplication::processEvents();
  for (QWidget* up = widget->parentWidget(); up != nullptr; up = up->parentWidget()) {
    if (auto* area = qobject_cast<QScrollArea*>(up)) {
      area->ensureWidgetVisible(widget);
    }
  }
}

const QByteArray kSheet = "h1 {\r\n  color: #FF0000;\r\n}\r\np {\r\n}\r\n";

// The window on the screen with sheet open and the caret moved down into the first block.
bool ShowWithSheet(TTestEnv& env, TFrmMain& w, const QByteArray& sheet = kSheet) {
  w.show();
  if (!QTest::qWaitForWindowExposed(&w)) {
    return false;
  }
  w.Tabs().OpenOperation(env.WriteFile(QStringLiteral("css/main.css"), sheet));
  TCssEditor* editor = w.Tabs().CurrentEditor();
  editor->setFocus();
  QTest::keyClick(editor, Qt::Key_Down);
  return true;
}

QColor PixelOf(QWidget* widget, QPoint point) {
  return QColor(widget->grab().toImage().pixel(point));
}

// Whether any pixel of the widget has the colour, as it shows over its parent.
bool Shows(QWidget* widget, const QColor& color) {
  const QImage image = widget->parentWidget()->grab(widget->geometry()).toImage();
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (QColor(image.pixel(x, y)) == color) {
        return true;
      }
    }
  }
  return false;
}

}  // namespace

class TestVisualEditor : public QObject {
  Q_OBJECT

 private slots:
  // Each picker of the table stands on its page, in its group, beside its caption, with its
  // name, property and values, and there is no other.
  void everyPickerOfTheTableStandsOnItsPage() {
    TScriptedPrompts prompts;
    TFrmEdit edit(prompts, {});
    TDeclarationSync sync(prompts, QStringLiteral(QUILLMERE_DATA_DIR));
    TVisualEditorPanel panel(prompts, edit, sync);
    QTabWidget* pages = panel.Pages();
    QCOMPARE(pages->objectName(), QStringLiteral("pcvisual"));
    QCOMPARE(pages->count(), static_cast<int>(VisualPages().size()));
    int pickers = 0;
    for (const TVisualPicker& p : VisualPickers()) {
      const auto text = [](std::string_view s) { return QString::fromUtf8(s.data(), s.size()); };
      const QString name = text(p.Name);
      const QString tag = text(p.TagText);
      QStringList items;
      for (const std::string_view item : p.Items) {
        items << text(item);
      }
      const int index = static_cast<int>(
          std::find(VisualPages().begin(), VisualPages().end(), p.Page) - VisualPages().begin());
      QCOMPARE(pages->tabText(index), text(p.Page));
      QWidget* page = pages->widget(index);
      QWidget* picker = page->findChild<QWidget*>(name);
      QVERIFY2(picker != nullptr, qPrintable(name));
      ++pickers;
      if (auto* combo = qobject_cast<TComboCSS*>(picker)) {
        QCOMPARE(p.Kind, TPickerKind::ValueCombo);
        QCOMPARE(combo->TagText, tag);
        // Sorted everywhere but on the Background page, where the order given stays.
        const bool sorted = p.Page != "Background";
        QCOMPARE(combo->Sorted(), sorted);
        if (sorted) {
          QStringList shown = combo->Items();
          shown.sort();
          items.sort();
          QCOMPARE(shown, items);
        } else {
          QCOMPARE(combo->Items(), items);
        }
      } else if (auto* unit = qobject_cast<TComboBoxUnit*>(picker)) {
        QVERIFY2(IsUnitCombo(p.Kind), qPrintable(name));
        QCOMPARE(unit->TagText, tag);
        QCOMPARE(unit->IncludePercent(), p.Kind == TPickerKind::UnitComboPercent);
        QCOMPARE(unit->Items(), items);
      } else {
        auto* list = qobject_cast<QListWidget*>(picker);
        QVERIFY2(list != nullptr && p.Kind == TPickerKind::MultiSelectList, qPrintable(name));
        QCOMPARE(list->selectionMode(), QAbstractItemView::MultiSelection);
        QStringList shown;
        for (int i = 0; i < list->count(); ++i) {
          shown << list->item(i)->text();
        }
        QCOMPARE(shown, items);
      }
      QGroupBox* group = nullptr;
      for (QWidget* up = picker->parentWidget(); group == nullptr && up != page;
           up = up->parentWidget()) {
        group = qobject_cast<QGroupBox*>(up);
      }
      QCOMPARE(group != nullptr ? group->title() : QString(), text(p.Group));
      // The caption carries the property of the picker it stands by; a picker beneath another
      // has none of its own.
      QStringList captions;
      for (const TLabelCSS* caption : page->findChildren<TLabelCSS*>()) {
        if (caption->TagText == tag) {
          captions << caption->text();
        }
      }
      QCOMPARE(captions, p.Caption.empty() ? QStringList() : QStringList{text(p.Caption)});
    }
    QCOMPARE(panel.findChildren<TComboCSS*>().size() + panel.findChildren<TComboBoxUnit*>().size() +
                 panel.findChildren<QListWidget*>(QStringLiteral("lsttextdecoration")).size(),
             pickers);
    QCOMPARE(panel.findChildren<TLabelCSS*>().size(),
             std::count_if(VisualPickers().begin(), VisualPickers().end(),
                           [](const TVisualPicker& p) { return !p.Caption.empty(); }));
  }

  // One picker of each kind shows the value of its property in the block at the caret, or
  // nothing outside every block; the list reads its own property only.
  void aRealSheetsBlockFillsThePickers() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.Properties().SetCssLevel(1);
    w.Tabs().OpenOperation(
        QString::fromStdString(RealSheetPath("bootstrap3/bootstrap.css").string()));
    TCssEditor* editor = w.Tabs().CurrentEditor();
    const std::string_view text = editor->Text();
    const size_t btn = text.find("\n.btn {");
    QVERIFY(btn != std::string_view::npos);
    editor->setFocus();
    editor->SetCaret(static_cast<int32_t>(btn) + 1);
    QTest::keyClick(editor, Qt::Key_Down);

    const std::pair<const char*, const char*> combos[] = {
        {"cmbfontweight", "normal"}, {"cmbtextalign", "center"},     {"cmbwhitespace", "nowrap"},
        {"cmbcursor", "pointer"},    {"cmbbackgroundimage", "none"}, {"cmbcolor", ""},
        {"cmbzindex", ""},           {"cmbbordertopstyle", ""},
    };
    for (const auto& [name, value] : combos) {
      QCOMPARE(Picker<TComboCSS>(w, name)->text(), QString::fromLatin1(value));
    }
    TComboBoxUnit* size = Picker<TComboBoxUnit>(w, "cmbfontsize");
    QCOMPARE(size->ValueBox()->currentText(), QStringLiteral("14"));
    QCOMPARE(size->UnitBox()->currentText(), QStringLiteral("px"));
    QCOMPARE(Picker<TComboBoxUnit>(w, "cmblineheight")->Text(), QStringLiteral("1.42857143"));
    QCOMPARE(Picker<TComboBoxUnit>(w, "cmbmarginbottom")->Text(), QStringLiteral("0"));
    QCOMPARE(Picker<TComboBoxUnit>(w, "cmbwidth")->Text(), QString());
    // The list reads text-decoration only: background-image: none chooses none of it.
    QListWidget* decoration = Picker<QListWidget>(w, "lsttextdecoration");
    QVERIFY(decoration->selectedItems().isEmpty());
    QCOMPARE(env.Prompts.Asked, QStringList());

    // Up out of the block, onto its selector: nothing of .btn stays.
    QTest::keyClick(editor, Qt::Key_Up);
    QCOMPARE(Picker<TComboCSS>(w, "cmbcursor")->text(), QString());
    QCOMPARE(size->Text(), QString());
    QVERIFY(decoration->selectedItems().isEmpty());
    QVERIFY(!editor->Modified());
  }

  void boldUnderWeightWritesTheDeclarationAndNamesTheBlock() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    TComboCSS* weight = Picker<TComboCSS>(w, "cmbfontweight");
    // No document: the pick goes nowhere, not even into the drop-down.
    Pick(weight, QStringLiteral("bold"));
    QCOMPARE(weight->text(), QString());

    QVERIFY(ShowWithSheet(env, w));
    QCOMPARE(w.StatusText(), QStringLiteral("Line 2 of  5, Col 1"));
    Pick(weight, QStringLiteral("bold"));
    QCOMPARE(Text(w),
             QByteArray("h1 {\r\n  color: #FF0000;\r\n  font-weight: bold;\r\n}\r\np {\r\n}"));
    QCOMPARE(weight->text(), QStringLiteral("bold"));
    QCOMPARE(w.StatusText(), QStringLiteral("Editing h1 properties."));
    // The inspector shows what was written.
    TInspectorCSS* ic = w.Properties().Inspector();
    QCOMPARE(ic->Items(ic->IndexOfTag(QStringLiteral("font-weight"))).Value(), std::string("bold"));
    // Typing writes every change; emptying the drop-down removes the declaration.
    weight->selectAll();
    QTest::keyClick(weight, Qt::Key_Backspace);
    QCOMPARE(Text(w), QByteArray("h1 {\r\n  color: #FF0000;\r\n}\r\np {\r\n}"));
    QCOMPARE(env.Prompts.Asked, QStringList());
  }

  void theTextDecorationListWritesItsChosenEntries() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    QVERIFY(ShowWithSheet(env, w));
    QListWidget* list = Picker<QListWidget>(w, "lsttextdecoration");
    ShowPageOf(w, list);
    const auto click = [&](const char* entry) {
      QListWidgetItem* item = list->findItems(QLatin1String(entry), Qt::MatchExactly).front();
      list->scrollToItem(item);
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    };
    const struct {
      const char* entry;
      QByteArray block;
    } steps[] = {
        {"overline", "h1 {\r\n  color: #FF0000;\r\n  text-decoration: overline;\r\n}"},
        {"underline", "h1 {\r\n  color: #FF0000;\r\n  text-decoration: overline underline;\r\n}"},
        {"overline", "h1 {\r\n  color: #FF0000;\r\n  text-decoration: underline;\r\n}"},
        {"underline", "h1 {\r\n  color: #FF0000;\r\n}"},
    };
    for (const auto& step : steps) {
      click(step.entry);
      QVERIFY2(Text(w).startsWith(step.block), Text(w).constData());
    }
    QCOMPARE(w.StatusText(), QStringLiteral("Editing h1 properties."));
    // Read back, the list takes every entry the value names.
    click("underline");
    click("overline");
    TCssEditor* editor = w.Tabs().CurrentEditor();
    // Up onto the selector, out of the rule, and back into it.
    QTest::keyClick(editor, Qt::Key_Up);
    QVERIFY(list->selectedItems().isEmpty());
    QTest::keyClick(editor, Qt::Key_Down);
    QCOMPARE(list->selectedItems().size(), 2);
    QVERIFY(list->findItems(QStringLiteral("overline"), Qt::MatchExactly).front()->isSelected());
    QVERIFY(list->findItems(QStringLiteral("underline"), Qt::MatchExactly).front()->isSelected());
    QCOMPARE(env.Prompts.Asked, QStringList());
  }

  // The list reads text-decoration alone: display: none chooses nothing in it, and a click
  // writes only what is chosen.
  void theTextDecorationListIgnoresOtherProperties() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    QVERIFY(ShowWithSheet(env, w, "h1 {\r\n  display: none;\r\n  border-style: none;\r\n}\r\n"));
    QListWidget* list = Picker<QListWidget>(w, "lsttextdecoration");
    QVERIFY(list->selectedItems().isEmpty());
    ShowPageOf(w, list);
    QListWidgetItem* underline =
        list->findItems(QStringLiteral("underline"), Qt::MatchExactly).front();
    list->scrollToItem(underline);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(underline).center());
    QCOMPARE(Text(w), QByteArray("h1 {\r\n  display: none;\r\n  border-style: none;\r\n"
                                 "  text-decoration: underline;\r\n}"));
  }

  // A unit combo writes every change of either box; a unit sticks only to a number.
  void theMarginTopBoxWritesEveryChange() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    QVERIFY(ShowWithSheet(env, w));
    TComboBoxUnit* top = Picker<TComboBoxUnit>(w, "cmbmargintop");
    ShowPageOf(w, top);
    // The Margin group comes to the front for a press on its square.
    QVERIFY(!top->isVisible());
    QTest::mouseClick(Picker<TShapeExt>(w, "shapemargin"), Qt::RightButton, {}, QPoint(3, 3));
    QVERIFY(top->isVisible());

    QSignalSpy writes(&w.Declarations(), &TDeclarationSync::Written);
    QTest::keyClicks(top->ValueBox()->lineEdit(), QStringLiteral("12"));
    top->UnitBox()->setCurrentIndex(top->UnitBox()->findText(QStringLiteral("px")));
    QVERIFY2(Text(w).startsWith("h1 {\r\n  color: #FF0000;\r\n  margin-top: 12px;\r\n}"),
             Text(w).constData());
    // Emptied, and a unit chosen for nothing: the unit lets go at once.
    top->ValueBox()->lineEdit()->clear();
    top->UnitBox()->setCurrentIndex(top->UnitBox()->findText(QStringLiteral("em")));
    QCOMPARE(top->UnitBox()->currentIndex(), -1);
    const QList<QList<QVariant>> expected = {
        {"margin-top", "1"}, {"margin-top", "12"}, {"margin-top", "12px"},
        {"margin-top", ""},  {"margin-top", ""},
    };
    QCOMPARE(static_cast<const QList<QList<QVariant>>&>(writes), expected);
    QVERIFY(!Text(w).contains("margin-top"));
    QCOMPARE(env.Prompts.Asked, QStringList());
  }

  void placeholdersOpenTheirDialogs_data() {
    QTest::addColumn<QString>("picker");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("typed");
    QTest::addColumn<QString>("answer");  // empty: cancelled
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QByteArray>("written");  // empty: the text stays as it was
    QTest::addColumn<QString>("shown");
    const QString color = QStringLiteral("cmbcolor");
    QTest::newRow("colour from the value")
        << color << "<color>" << false << "#00ff00"
        << "color: #ff0000" << QByteArray("color: #00FF00;") << "#00FF00";
    QTest::newRow("colour from a value that is no colour")
        << color << "<color>" << false << "#00ff00"
        << "color: #000000" << QByteArray("color: #00FF00;") << "#00FF00";
    QTest::newRow("colour cancelled") << color << "<color>" << false << ""
                                      << "color: #ff0000" << QByteArray() << "#FF0000";
    // Each key before the last writes what is typed so far, which is no colour.
    QTest::newRow("colour typed") << color << "<color>" << true << "#0000ff"
                                  << "color: #000000" << QByteArray("color: #0000FF;") << "#0000FF";
    QTest::newRow("image") << "cmbbackgroundimage"
                           << "<url>" << false << "img/bg.gif"
                           << "open: " + ImageFilter()
                           << QByteArray("background-image: url(../img/bg.gif);")
                           << "url(../img/bg.gif)";
    QTest::newRow("font") << "cmbfontfamily"
                          << "<font>" << false << "serif"
                          << "dialog: Edit" << QByteArray("font-family: serif;") << "serif";
  }

  void placeholdersOpenTheirDialogs() {
    QFETCH(QString, picker);
    QFETCH(QString, entry);
    QFETCH(bool, typed);
    QFETCH(QString, answer);
    QFETCH(QString, asked);
    QFETCH(QByteArray, written);
    QFETCH(QString, shown);
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    const QByteArray sheet =
        QTest::currentDataTag() == QByteArray("colour from a value that is no colour")
            ? "h1 {\r\n  color: #F00BAR;\r\n}\r\np {\r\n}\r\n"
            : kSheet;
    QVERIFY(ShowWithSheet(env, w, sheet));
    TComboCSS* combo = Picker<TComboCSS>(w, picker.toLatin1().constData());
    if (entry == QStringLiteral("<color>")) {
      env.Prompts.AnswerColor(answer.isEmpty() ? std::nullopt
                                               : std::optional<QColor>(QColor(answer)));
    } else if (entry == QStringLiteral("<url>")) {
      env.Prompts.AnswerOpen(env.Dir.filePath(answer));
    } else {
      env.Prompts.AnswerDialog([answer](QDialog& dialog) {
        static_cast<TFrmEdit&>(dialog).TxtFont->setText(answer);
        return true;
      });
    }
    const QByteArray before = Text(w);
    if (typed) {
      combo->clear();
      QTest::keyClicks(combo, entry);
    } else {
      Pick(combo, entry);
    }
    QCOMPARE(env.Prompts.Unexpected, QStringList());
    QCOMPARE(env.Prompts.Asked.last(), asked);
    if (written.isEmpty()) {
      QCOMPARE(Text(w), before);
    } else {
      QVERIFY2(Text(w).contains(written), Text(w).constData());
    }
    QCOMPARE(combo->text(), shown);
    QCOMPARE(combo->selectedText(), shown);
  }

  // A property the loaded catalogue lacks is not written, and the user is told why.
  void aPropertyMissingFromTheCatalogueIsNotWritten() {
    TTestEnv env;
    env.Settings->WriteInteger(Setting::CurrentCss.Key(), 0);
    TFrmMain& w = env.MakeWindow();
    QVERIFY(ShowWithSheet(env, w));
    QCOMPARE(w.Properties().CssLevel(), 0);  // CSS1 has no positioning
    const QByteArray before = Text(w);
    env.Prompts.AnswerMessage(TButton::Ok);
    env.Prompts.AnswerMessage(TButton::Ok);
    TComboCSS* zIndex = Picker<TComboCSS>(w, "cmbzindex");
    Pick(zIndex, QStringLiteral("auto"));
    TComboBoxUnit* top = Picker<TComboBoxUnit>(w, "cmbtop");
    QTest::keyClicks(top->ValueBox()->lineEdit(), QStringLiteral("5"));
    const QString warning = QStringLiteral(
        "message [Property not found]: Property is not found in current CSS version.\n"
        "Try choosing another CSS version.");
    QCOMPARE(env.Prompts.Asked, (QStringList{warning, warning}));
    QCOMPARE(env.Prompts.Unexpected, QStringList());
    QCOMPARE(Text(w), before);
    // The picked entry stays out of the drop-down; what was typed stays in its box.
    QCOMPARE(zIndex->text(), QString());
    QCOMPARE(top->Text(), QStringLiteral("5"));
  }

  // The squares light up under the pointer and name their box, which the caption keeps; a
  // caption lights up and describes its property in Quick Info.
  void pointingAtTheBoxPictureAndAtCaptions() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    QVERIFY(ShowWithSheet(env, w));
    auto* margin = Picker<TShapeExt>(w, "shapemargin");
    auto* border = Picker<TShapeExt>(w, "shapeborder");
    auto* box = Picker<QWidget>(w, "PanelBox");
    auto* caption = Picker<QLabel>(w, "LblShape");
    ShowPageOf(w, margin);
    QVERIFY(Picker<QGroupBox>(w, "GroupBorder")->isVisible());
    QCOMPARE(caption->text(), QStringLiteral("Select a box"));
    const QPoint ring(3, 3);  // on the square, outside the ones inside it
    QCOMPARE(PixelOf(margin, ring), QColor(33, 138, 201));

    QTest::mouseMove(box, QPoint(2, 2));
    QTest::mouseMove(margin, ring);
    QTRY_COMPARE(PixelOf(margin, ring), QColor(206, 0, 0));
    QCOMPARE(caption->text(), QStringLiteral("Margin"));
    QTest::mouseMove(border, ring);
    QTRY_COMPARE(PixelOf(border, ring), QColor(206, 0, 0));
    QCOMPARE(PixelOf(margin, ring), QColor(33, 138, 201));
    QCOMPARE(caption->text(), QStringLiteral("Border"));
    QTest::mouseMove(box, QPoint(2, 2));
    QTRY_COMPARE(PixelOf(border, ring), QColor(17, 57, 102));
    QCOMPARE(caption->text(), QStringLiteral("Border"));

    TLabelCSS* weight = nullptr;
    for (TLabelCSS* label : w.VisualEditor().findChildren<TLabelCSS*>()) {
      if (label->TagText == QStringLiteral("font-weight")) {
        weight = label;
      }
    }
    QVERIFY(weight != nullptr);
    ShowPageOf(w, weight);
    const QColor yellow(255, 255, 80);
    QVERIFY(!Shows(weight, yellow));
    QTest::mouseMove(weight, weight->rect().center());
    QTRY_VERIFY(Shows(weight, yellow));
    TInspectorCSS* ic = w.Properties().Inspector();
    const QString description = QString::fromStdString(
        ic->Items(ic->IndexOfTag(QStringLiteral("font-weight"))).Description);
    QVERIFY(!description.isEmpty());
    QCOMPARE(w.QuickInfo().Info()->toPlainText(), description);
    QTest::mouseMove(w.Tabs().CurrentEditor());
    QTRY_VERIFY(!Shows(weight, yellow));
    QCOMPARE(w.QuickInfo().Info()->toPlainText(), description);
  }

  // The tabs wrap in the narrow panel; the chosen tab's row lies next to the page, and the page
  // shown last is stored at shut-down.
  void theWrappedTabsChooseThePageThatIsStored() {
    TTestEnv env;
    {
      TFrmMain& w = env.MakeWindow();
      w.show();
      QVERIFY(QTest::qWaitForWindowExposed(&w));
      TTabRows* tabs = w.VisualEditor().Tabs();
      QVERIFY2(tabs->RowCount() > 1, qPrintable(QString::number(tabs->width())));
      QTabWidget* pages = w.VisualEditor().Pages();
      QVERIFY(pages->tabBar()->isHidden());
      const int lists = 6;
      QCOMPARE(pages->tabText(lists), QStringLiteral("Lists And Tables"));
      const QRect before = tabs->TabRect(lists);
      QVERIFY(before.bottom() < tabs->height() - 1);  // on a row away from the page
      QTest::mouseClick(tabs, Qt::LeftButton, {}, before.center());
      QCOMPARE(pages->currentIndex(), lists);
      QCOMPARE(tabs->TabRect(lists).bottom(), tabs->height() - 1);
      QVERIFY(Picker<QWidget>(w, "cmbliststyletype")->isVisible());
      QVERIFY(w.close());
    }
    QCOMPARE(env.ReopenSettings()->ReadInteger(Setting::ActiveVisualTab.Key()),
             std::optional<int>(6));
  }
};

QM_TEST_MAIN(TestVisualEditor)
#include "tst_visualeditor.moc"
