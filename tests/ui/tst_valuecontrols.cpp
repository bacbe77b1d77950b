// SPDX-License-Identifier: GPL-3.0-or-later
// The unit combo's split of its text and its number rule, the property caption, and the shape
// that lights up under the pointer.
// Mouse input goes through the window system, as a person's does: to the window under the
// pointer or to the widget holding the mouse, with enter and leave events.
#define QTEST_QPA_MOUSE_HANDLING
#include <QComboBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "controls/ComboBoxUnit.h"
#include "controls/labelcss.h"
#include "controls/shapeext.h"
#include "testenv.h"

using namespace qm;

namespace {

// A unit combo in a shown window, its changes counted in Changes.
struct TUnitFixture {
  QWidget Window;
  TComboBoxUnit* Unit = new TComboBoxUnit(&Window);
  int Changes = 0;

  explicit TUnitFixture(bool includePercent = false) {
    Unit->SetIncludePercent(includePercent);
    Unit->setGeometry(10, 10, 120, 21);
    Unit->OnChange = [this](QObject* sender) {
      QCOMPARE(sender, Unit);
      ++Changes;
    };
    Window.resize(200, 100);
    Window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&Window));
  }

  QString ValueText() const { return Unit->ValueBox()->currentText(); }
  QString UnitText() const {
    return Unit->UnitBox()->currentIndex() < 0 ? QStringLiteral("<none>")
                                               : Unit->UnitBox()->currentText();
  }
};

}  // namespace

class TestValueControls : public QObject {
  Q_OBJECT

 private slots:
  void writingTheTextCutsANumberFromItsUnit_data() {
    QTest::addColumn<QString>("written");
    QTest::addColumn<bool>("includePercent");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("read");
    QTest::newRow("12px") << "12px" << false << "12"
                          << "px"
                          << "12px";
    QTest::newRow("50% with percent") << "50%" << true << "50"
                                      << "%"
                                      << "50%";
    QTest::newRow("50% without percent") << "50%" << false << "50%"
                                         << "<none>"
                                         << "50%";
    // Only a number and then a unit is cut; anything else stays whole, so reading it back gives
    // what was written.
    QTest::newRow("1.5EM") << "1.5EM" << false << "1.5"
                           << "em"
                           << "1.5em";
    QTest::newRow("thin") << "thin" << false << "thin"
                          << "<none>"
                          << "thin";
    QTest::newRow("inherit") << "inherit" << false << "inherit"
                             << "<none>"
                             << "inherit";
    QTest::newRow("10px 20px") << "10px 20px" << false << "10px 20px"
                               << "<none>"
                               << "10px 20px";
    QTest::newRow("auto") << "auto" << false << "auto"
                          << "<none>"
                          << "auto";
  }

  void writingTheTextCutsANumberFromItsUnit() {
    QFETCH(QString, written);
    QFETCH(bool, includePercent);
    QFETCH(QString, value);
    QFETCH(QString, unit);
    QFETCH(QString, read);
    TUnitFixture f(includePercent);
    f.Unit->SetText(written);
    QCOMPARE(f.ValueText(), value);
    QCOMPARE(f.UnitText(), unit);
    QCOMPARE(f.Unit->Text(), read);
    QCOMPARE(f.Changes, 0);
  }

  void theUnitsAreOfferedOnceInTheirOrder() {
    TUnitFixture f(true);
    f.Unit->SetIncludePercent(true);
    QStringList units;
    for (int i = 0; i < f.Unit->UnitBox()->count(); ++i) {
      units << f.Unit->UnitBox()->itemText(i);
    }
    QCOMPARE(units, (QStringList{"%", "cm", "em", "ex", "in", "mm", "pc", "pt", "px", "rem", "vw",
                                 "vh", "vmin", "vmax", "ch"}));
    QVERIFY(!f.Unit->UnitBox()->isEditable());
    QCOMPARE(f.Unit->height(), 21);
  }

  void typingAfterANumberKeepsTheUnit() {
    TUnitFixture f;
    f.Unit->SetText(QStringLiteral("12px"));
    QLineEdit* edit = f.Unit->ValueBox()->lineEdit();
    edit->setFocus();
    edit->end(false);
    QTest::keyClick(edit, Qt::Key_5);
    QCOMPARE(f.Changes, 1);
    QCOMPARE(f.Unit->Text(), QStringLiteral("125px"));

    // Emptying the number box takes the unit away with it.
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QCOMPARE(f.UnitText(), QStringLiteral("<none>"));
    QCOMPARE(f.Unit->Text(), QString());
    QCOMPARE(f.Changes, 2);
  }

  void aUnitChosenBesideAKeywordDoesNotStick() {
    TUnitFixture f;
    f.Unit->SetItems({"auto", "normal"});
    QCOMPARE(f.ValueText(), QString());
    f.Unit->SetText(QStringLiteral("auto"));
    QComboBox* units = f.Unit->UnitBox();
    units->setFocus();
    QTest::keyClick(units, Qt::Key_Down);  // picks the first unit, as a click in its list does
    QCOMPARE(f.UnitText(), QStringLiteral("<none>"));
    QCOMPARE(f.Unit->Text(), QStringLiteral("auto"));
    QCOMPARE(f.Changes, 1);
  }

  void theCaptionCarriesItsProperty() {
    TLabelCSS label(QStringLiteral("Weight:"));
    label.TagText = QStringLiteral("font-weight");
    QCOMPARE(label.text(), QStringLiteral("Weight:"));
    QCOMPARE(label.TagText, QStringLiteral("font-weight"));
  }

  void aShapeGetsBackTheColourItHadWhenThePointerCame() {
    QWidget window;
    QWidget* away = new QWidget(&window);
    away->setGeometry(0, 0, 40, 40);
    auto* shape = new TShapeExt(&window);
    shape->setGeometry(60, 10, 57, 57);
    shape->SetBrushColor(QColor(33, 138, 201));
    shape->HoverColor = QColor(206, 0, 0);
    QStringList log;
    shape->OnMouseEnter = [&](QObject* sender) {
      QCOMPARE(sender, shape);
      log << QStringLiteral("enter ") + shape->Brush().color().name();
    };
    shape->OnMouseLeave = [&](QObject*) {
      log << QStringLiteral("leave ") + shape->Brush().color().name();
    };
    window.resize(200, 100);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const auto fillAtCentre = [&] {
      return QColor(shape->grab().toImage().pixel(shape->rect().center()));
    };

    QTest::mouseMove(&window, QPoint(20, 20));
    QTest::mouseMove(&window, QPoint(80, 30));
    QTRY_COMPARE(log, (QStringList{"enter #ce0000"}));
    QCOMPARE(fillAtCentre(), QColor(206, 0, 0));
    // Changed while the pointer is over it: leaving still restores the colour from before.
    shape->SetBrushColor(Qt::green);
    QTest::mouseMove(&window, QPoint(20, 20));
    QTRY_COMPARE(log, (QStringList{"enter #ce0000", "leave #218ac9"}));
    QCOMPARE(fillAtCentre(), QColor(33, 138, 201));
  }
};

QM_TEST_MAIN(TestValueControls)
#include "tst_valuecontrols.moc"
