// SPDX-License-Identifier: GPL-3.0-or-later
// The inspector grid: which rows it draws where, clicks on rows and glyphs, the in-place
// editors and what leaving them reports, scrolling and the keyboard.
// Mouse input goes through the window system, as a person's does.
#define QTEST_QPA_MOUSE_HANDLING
#include <QFile>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <QToolTip>
#include <QVBoxLayout>

#include "catalogues.h"
#include "controls/inspectorcss.h"
#include "model/catalogue/gridrows.h"
#include "testenv.h"

using namespace qm;

namespace {

// margin is a shorthand of four parts; margin-top and color are edited with a drop-down.
const char* const kBox = R"([categories]
0=Box
1=Colour
2=Text
[1]
name=margin-top
value=auto|<length>
[2]
name=margin-right
[3]
name=margin-bottom
[4]
name=margin-left
[5]
name=margin
value=/margin-top/margin-right/margin-bottom/margin-left
[6]
name=color
category=1
value=a|b|<color>
[7]
name=background-color
category=1
[8]
name=text-align
category=2
[9]
name=text-indent
category=2
)";

// An inspector in a shown, active window beside an ordinary edit, showing `rows` rows at a time,
// with its reports written to Log.
struct TInspectorFixture {
  QTemporaryDir Dir;
  QWidget Window;
  TInspectorCSS* Ic = new TInspectorCSS(&Window);
  QLineEdit* Outside = new QLineEdit(&Window);
  QStringList Log;

  explicit TInspectorFixture(const char* catalogue, int rows = 20) {
    const QString file = Dir.filePath(QStringLiteral("catalogue.txt"));
    QFile out(file);
    [&] {
      QVERIFY(out.open(QIODevice::WriteOnly));
      out.write(catalogue);
    }();
    out.close();
    Ic->SetColumnWidth(150);
    Ic->LoadCatalogue(TIniFile::FromFile(file.toStdString()));
    Ic->setGeometry(0, 0, 320, rows * Ic->RowHeight() + 2 * Ic->frameWidth());
    Outside->setGeometry(0, Ic->height() + 10, 100, 20);
    Ic->OnSelectedChange = [this](QObject* sender, TInspectorItem* selected) {
      QCOMPARE(sender, Ic);
      Log << QStringLiteral("selected ") + QString::fromStdString(selected->Caption);
    };
    Ic->OnEditChange = [this](QObject* sender, TInspectorItem* item) {
      const QString editor = sender == Ic->InplaceEdit()    ? QStringLiteral("edit")
                             : sender == Ic->InplaceCombo() ? QStringLiteral("combo")
                                                            : QStringLiteral("?");
      Log << QStringLiteral("edited %1 %2=%3")
                 .arg(editor, QString::fromStdString(item->Caption),
                      QString::fromStdString(item->Value()));
    };
    Ic->OnComboChange = [this](QObject* sender, QString text) {
      QCOMPARE(sender, Ic->InplaceCombo());
      Log << QStringLiteral("combo ") + text;
    };
    Window.resize(340, Ic->height() + 40);
    Window.show();
    QVERIFY(QTest::qWaitForWindowActive(&Window));
  }

  TInspectorItem& Row(const char* tag) {
    const int32_t index = Ic->IndexOfTag(QLatin1String(tag));
    if (index >= 0) {
      return Ic->Items(index);
    }
    for (int32_t i = 0; i < Ic->Count(); ++i) {
      if (Ic->Items(i).Caption == tag) {
        return Ic->Items(i);
      }
    }
    qFatal("no row %s", tag);
  }
  TInspectorItem& Part(const char* shorthand, int k) {
    return Ic->Items(Row(shorthand).Index() + k);
  }

  // The rows as drawn from the top of the control, parts and properties indented by dots.
  QStringList Screen() {
    Ic->viewport()->grab();
    QStringList rows;
    for (int32_t row = 0;; ++row) {
      const int32_t at = IndexAtRow(Ic->Items(), row);
      if (at < 0) {
        return rows;
      }
      const TInspectorItem& item = Ic->Items(at);
      rows << QString(item.ChildLevel, QLatin1Char('.')) + QString::fromStdString(item.Caption);
    }
  }
  int RowOf(const TInspectorItem& item) {
    Ic->viewport()->grab();
    return item.DisplayID;
  }
  QPoint At(const TInspectorItem& item, int x = 100) {
    return {x, RowOf(item) * Ic->RowHeight() + Ic->RowHeight() / 2};
  }
  void Click(const TInspectorItem& item, int x = 100) {
    QTest::mouseClick(Ic->viewport(), Qt::LeftButton, {}, At(item, x));
  }
  QColor Pixel(int x, int y) { return QColor(Ic->viewport()->grab().toImage().pixel(x, y)); }
};

}  // namespace

class TestInspector : public QObject {
  Q_OBJECT

 private slots:
  void aNameCutOffByItsColumnShowsWholeInATooltip() {
    TInspectorFixture f(kBox);
    f.Ic->SetColumnWidth(70);
    const auto hover = [&f](const char* row, int x) {
      const QPoint at = f.At(f.Row(row), x);
      QHelpEvent help(QEvent::ToolTip, at, f.Ic->viewport()->mapToGlobal(at));
      QApplication::sendEvent(f.Ic->viewport(), &help);
    };
    hover("color", 40);  // whole in its column
    QVERIFY(!QToolTip::isVisible());
    hover("background-color", 100);  // over the value, not the name
    QVERIFY(!QToolTip::isVisible());
    hover("background-color", 40);
    QVERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QStringLiteral("background-color"));
    f.Ic->SetColumnWidth(250);
    hover("background-color", 40);
    QTRY_VERIFY(!QToolTip::isVisible());
  }

  void collapsingACategoryHidesItsRows() {
    TInspectorFixture f(kThreeByTwo, 5);
    QCOMPARE(f.Screen(), (QStringList{"A", ".a1", ".a2", "B", ".b1", ".b2", "C", ".c1", ".c2"}));
    f.Click(f.Row("A"), 250);  // anywhere on a category row
    QCOMPARE(f.Screen(), (QStringList{"A", "B", ".b1", ".b2", "C", ".c1", ".c2"}));
    QCOMPARE(f.Ic->VisibleCount(), 7);
    // Scrolled to the end, the last row is the bottom one of the five shown.
    QScrollBar* bar = f.Ic->verticalScrollBar();
    bar->setValue(bar->maximum());
    QCOMPARE(f.Screen(), (QStringList{".b1", ".b2", "C", ".c1", ".c2"}));
    QCOMPARE(f.RowOf(f.Row("c2")), 4);

    // Listed alphabetically there are no category rows, and every property shows.
    bar->setValue(0);
    f.Ic->SetShowCategories(false);
    QCOMPARE(f.Screen(), (QStringList{".a1", ".a2", ".b1", ".b2", ".c1", ".c2"}));
  }

  void alphabeticalOrderKeepsPartsUnderTheirShorthand() {
    TInspectorFixture f(kBox);
    f.Ic->SetShowCategories(false);
    QCOMPARE(f.Screen(), (QStringList{".background-color", ".color", ".margin", "..margin-top",
                                      "..margin-right", "..margin-bottom", "..margin-left",
                                      ".margin-bottom", ".margin-left", ".margin-right",
                                      ".margin-top", ".text-align", ".text-indent"}));
    f.Ic->SetShowCategories(true);
    QCOMPARE(f.Screen().mid(0, 6), (QStringList{"Box", ".margin", "..margin-top", "..margin-right",
                                                "..margin-bottom", "..margin-left"}));
  }

  void theGlyphOfAShorthandRowTogglesIt_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<bool>("toggles");
    QTest::newRow("x 11") << 11 << false;
    QTest::newRow("x 12") << 12 << true;
    QTest::newRow("x 32") << 32 << true;
    QTest::newRow("x 33") << 33 << false;
  }

  void theGlyphOfAShorthandRowTogglesIt() {
    QFETCH(int, x);
    QFETCH(bool, toggles);
    TInspectorFixture f(kBox);
    const int rows = f.Screen().size();
    f.Click(f.Row("margin"), x);
    QCOMPARE(!f.Row("margin").Expanded, toggles);
    QCOMPARE(f.Screen().size(), toggles ? rows - 4 : rows);
    QCOMPARE(f.Log, QStringList{"selected margin"});
  }

  void rowsWithValuesArePinnedOnTopWithTheirMark() {
    TInspectorFixture f(kBox);
    f.Row("color").SetValue("#FF0000");
    f.Row("margin").SetValue("1px");
    f.Row("text-align").SetValue("left");
    f.Click(f.Row("Text"));
    f.Ic->MarkValues();
    QCOMPARE(f.Screen(), (QStringList{".margin", "..margin-top", "..margin-right",
                                      "..margin-bottom", "..margin-left", ".color", ".text-align",
                                      "Box", ".margin-top", ".margin-right", ".margin-bottom",
                                      ".margin-left", "Colour", ".background-color", "Text"}));
    const int rh = f.Ic->RowHeight();
    const QColor yellow(0xFF, 0xFF, 0x00);
    QCOMPARE(f.Pixel(7, 0 * rh + 5), yellow);
    QCOMPARE(f.Pixel(7, 1 * rh + 5), f.Ic->palette().color(QPalette::Active, QPalette::Highlight));
    QCOMPARE(f.Pixel(7, 6 * rh + 5), yellow);  // text-align, in its collapsed category
  }

  void aColourValueGetsASwatch_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QColor>("swatch");  // invalid for none
    QTest::addColumn<int>("textLeft");
    QTest::newRow("#FF0000") << "#FF0000" << QColor(Qt::red) << 150 + 18;
    QTest::newRow("short form") << "#00F" << QColor(Qt::blue) << 150 + 18;
    QTest::newRow("red") << "red" << QColor() << 150 + 5;
    QTest::newRow("not hexadecimal") << "#GGHHII" << QColor() << 150 + 5;
  }

  void aColourValueGetsASwatch() {
    QFETCH(QString, value);
    QFETCH(QColor, swatch);
    QFETCH(int, textLeft);
    TInspectorFixture f(kBox);
    f.Row("background-color").SetValue(value.toStdString());
    const int y = f.RowOf(f.Row("background-color")) * f.Ic->RowHeight();
    const QImage image = f.Ic->viewport()->grab().toImage();
    QCOMPARE(QColor(image.pixel(150 + 2, y + 5)), swatch.isValid() ? QColor(Qt::black) : Qt::white);
    if (swatch.isValid()) {
      QCOMPARE(QColor(image.pixel(150 + 8, y + 8)), swatch);
    }
    int ink = -1;
    for (int x = 150 + 1; x < 300 && ink < 0; ++x) {
      for (int dy = 2; dy < f.Ic->RowHeight() - 2; ++dy) {
        if (x > 150 + 16 || !swatch.isValid()) {
          if (qGray(image.pixel(x, y + dy)) < 128) {
            ink = x;
            break;
          }
        }
      }
    }
    QVERIFY2(ink >= textLeft && ink <= textLeft + 3, qPrintable(QString::number(ink)));
  }

  void typingAShorthandSpreadsItOverItsParts() {
    TInspectorFixture f(kBox);
    f.Click(f.Row("margin"));
    TInplaceEdit* edit = f.Ic->InplaceEdit();
    QVERIFY(edit->isVisible());
    QCOMPARE(edit->geometry().topLeft(),
             QPoint(152, f.RowOf(f.Row("margin")) * f.Ic->RowHeight() + 2));
    QTest::keyClicks(edit, QStringLiteral("1px 2px 3px"));
    f.Click(f.Row("color"));
    QVERIFY(!edit->isVisible());
    QStringList parts;
    for (int k = 1; k <= 4; ++k) {
      parts << QString::fromStdString(f.Part("margin", k).Value());
    }
    // Top, the sides, bottom: the left side is the right one's.
    QCOMPARE(parts, (QStringList{"1px", "2px", "3px", "2px"}));
    QCOMPARE(f.Log,
             (QStringList{"selected margin", "edited edit margin=1px 2px 3px", "selected color"}));
  }

  void anEditedPartIsReportedAsItself_data() {
    QTest::addColumn<bool>("byFocus");
    QTest::newRow("click on another row") << false;
    QTest::newRow("focus leaving the control") << true;
  }

  // A part's value is the part's own: the shorthand and its other parts stay as they are.
  void anEditedPartIsReportedAsItself() {
    QFETCH(bool, byFocus);
    TInspectorFixture f(kBox);
    CommitValue(f.Ic->Items(), f.Row("margin"), "1px 2px 3px 4px");
    f.Click(f.Part("margin", 2));
    TInplaceEdit* edit = f.Ic->InplaceEdit();
    QCOMPARE(edit->selectedText(), QStringLiteral("2px"));
    QTest::keyClicks(edit, QStringLiteral("5em"));
    if (byFocus) {
      QTest::mouseClick(f.Outside, Qt::LeftButton);
      QVERIFY(f.Outside->hasFocus());
      QCOMPARE(f.Ic->Selected(), nullptr);
    } else {
      f.Click(f.Row("color"));
    }
    QVERIFY(!edit->isVisible());
    QCOMPARE(f.Row("margin").Value(), "1px 2px 3px 4px");
    QCOMPARE(f.Part("margin", 4).Value(), "4px");
    QCOMPARE(f.Log.mid(1, 1), QStringList{"edited edit margin-right=5em"});
  }

  void leavingAnEditorUnchangedReportsNothing() {
    TInspectorFixture f(kBox);
    f.Row("color").SetValue("a");
    f.Row("text-align").SetValue("left");
    f.Click(f.Row("color"));
    TInplaceCombo* combo = f.Ic->InplaceCombo();
    QVERIFY(combo->isVisible());
    QCOMPARE(combo->Items(), (QStringList{"a", "b", "<color>"}));
    QCOMPARE(combo->text(), QStringLiteral("a"));
    QCOMPARE(combo->selectedText(), QStringLiteral("a"));
    f.Click(f.Row("text-align"));
    QCOMPARE(f.Ic->InplaceEdit()->selectedText(), QStringLiteral("left"));
    QTest::mouseClick(f.Outside, Qt::LeftButton);
    QCOMPARE(f.Log, (QStringList{"selected color", "selected text-align"}));

    // Typing in the drop-down is passed on as it happens.
    f.Click(f.Row("color"));
    QTest::keyClick(combo, Qt::Key_B);
    QCOMPARE(f.Log.mid(3), (QStringList{"combo a", "combo b"}));
  }

  void pageDownScrollsByAPage() {
    TInspectorFixture f(kBox, 7);
    QScrollBar* bar = f.Ic->verticalScrollBar();
    QVERIFY(bar->isVisible());
    QCOMPARE(bar->pageStep(), 7);
    // A click on the trough below the handle.
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = Qt::Vertical;
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->value();
    option.pageStep = bar->pageStep();
    const QRect handle = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                                      QStyle::SC_ScrollBarSlider, bar);
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(handle.center().x(), handle.bottom() + 3));
    QCOMPARE(bar->value(), 7);
    QCOMPARE(f.Screen().first(), QStringLiteral("..margin-right"));
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(handle.center().x(), bar->height() - 20));
    QCOMPARE(bar->value(), bar->maximum());
    QCOMPARE(f.Screen().size(), 7);
  }

  void upAndDownMoveThroughTheShownRows() {
    TInspectorFixture f(kBox);
    f.Click(f.Row("Box"));              // collapses it, and the keys go to the rows
    QTest::keyClick(f.Ic, Qt::Key_Up);  // the first row stays
    QCOMPARE(f.Ic->Selected(), &f.Row("Box"));
    QTest::keyClick(f.Ic, Qt::Key_Down);
    QCOMPARE(f.Ic->Selected(), &f.Row("Colour"));
    QTest::keyClick(f.Ic, Qt::Key_Down);
    QCOMPARE(f.Ic->Selected(), &f.Row("color"));
    // The keys stay on the rows until Enter opens the row's editor.
    QVERIFY(f.Ic->hasFocus());
    QVERIFY(f.Ic->InplaceCombo()->isHidden());
    QTest::keyClick(f.Ic, Qt::Key_Return);
    QVERIFY(f.Ic->InplaceCombo()->hasFocus());
    QVERIFY(f.Row("Colour").Expanded);
    QCOMPARE(f.Log,
             (QStringList{"selected Box", "selected Colour", "selected color", "selected color"}));

    // The last row stays too.
    f.Click(f.Row("Text"));
    QTest::keyClick(f.Ic, Qt::Key_Down);
    QCOMPARE(f.Ic->Selected(), &f.Row("Text"));
  }

  void expandAllAndCollapseAllWorkOnCategories() {
    TInspectorFixture f(kBox);
    f.Click(f.Row("margin"), 20);
    f.Click(f.Row("Box"));
    f.Ic->ExpandAll();
    QVERIFY(f.Row("Box").Expanded);
    QVERIFY(!f.Row("margin").Expanded);
    QCOMPARE(f.Log, (QStringList{"selected margin", "selected Box"}));

    // Collapsing all stores the open editor first.
    f.Click(f.Row("text-align"));
    QTest::keyClicks(f.Ic->InplaceEdit(), QStringLiteral("center"));
    f.Ic->CollapseAll();
    QCOMPARE(f.Screen(), (QStringList{"Box", "Colour", "Text"}));
    QCOMPARE(f.Log.last(), QStringLiteral("edited edit text-align=center"));
  }

  void aNewCatalogueKeepsWhatWasTypedInTheOldOne() {
    TInspectorFixture f(kBox);
    f.Click(f.Row("text-indent"));
    QTest::keyClicks(f.Ic->InplaceEdit(), QStringLiteral("2em"));
    f.Ic->LoadCatalogue(TIniFile::FromFile(QUILLMERE_DATA_DIR "/css2.txt"));
    QCOMPARE(f.Log.last(), QStringLiteral("edited edit text-indent=2em"));
    QCOMPARE(f.Ic->Selected(), nullptr);
    QVERIFY(!f.Ic->InplaceEdit()->isVisible());
    QVERIFY(f.Ic->IndexOfTag(QStringLiteral("text-shadow")) >= 0);
  }

  void selectItemStoresThePickAndReopensTheDropDown() {
    TInspectorFixture f(kBox);
    f.Click(f.Row("color"));
    TInplaceCombo* combo = f.Ic->InplaceCombo();
    combo->SetTextQuiet(QStringLiteral("#0000FF"));
    f.Ic->SelectItem(&f.Row("color"));
    QCOMPARE(f.Row("color").Value(), "#0000FF");
    QVERIFY(combo->isVisible());
    QCOMPARE(combo->text(), QStringLiteral("#0000FF"));
    QCOMPARE(f.Log,
             (QStringList{"selected color", "edited combo color=#0000FF", "selected color"}));

    // Selecting another row leaves what was typed in the row it was typed into.
    QTest::keyClick(combo, Qt::Key_End);
    QTest::keyClicks(combo, QStringLiteral("x"));
    f.Ic->SelectItem(&f.Row("text-align"));
    QCOMPARE(f.Row("color").Value(), "#0000FFx");
    QCOMPARE(f.Row("text-align").Value(), "");
    QVERIFY(f.Ic->InplaceEdit()->hasFocus());
  }
};

QM_TEST_MAIN(TestInspector)
#include "tst_propertygrid.moc"
