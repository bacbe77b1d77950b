// SPDX-License-Identifier: GPL-3.0-or-later
// The value drop-down: what it reports and when, the list it opens, and its button.
// Mouse input goes through the window system, as a person's does: to the window under the
// pointer or to the widget holding the mouse, with enter and leave events.
#define QTEST_QPA_MOUSE_HANDLING
#include <QFontMetrics>
#include <QLineEdit>
#include <QScrollBar>
#include <QVBoxLayout>

#include "controls/Combocss.h"
#include "testenv.h"

using namespace qm;

namespace {

// A combo in a shown, active window, with every notification written to Log.
struct TComboFixture {
  QWidget Window;
  TComboCSS* Combo = new TComboCSS(&Window);
  QLineEdit* Other = new QLineEdit(&Window);
  QStringList Log;

  explicit TComboFixture(int width = 160) {
    auto* layout = new QVBoxLayout(&Window);
    layout->addWidget(Combo);
    layout->addWidget(Other);
    layout->addStretch();
    Combo->setFixedWidth(width);
    Combo->OnChange = [this](QObject* sender) {
      QCOMPARE(sender, Combo);
      Log << QStringLiteral("change");
    };
    Combo->OnSelect = [this](QObject* sender, QString text) {
      QCOMPARE(sender, Combo);
      Log << QStringLiteral("select ") + text;
    };
    Window.resize(400, 300);
    Window.show();
    QVERIFY(QTest::qWaitForWindowActive(&Window));
    Combo->setFocus();
  }

  void OpenList() {
    QTest::mouseClick(Combo, Qt::LeftButton, {}, Combo->ButtonRect().center());
    QVERIFY(Combo->IsDroppedDown());
  }

  // The middle of a list row, in the list's own coordinates (inside its one-pixel border).
  QPoint RowPoint(int row) const {
    return {20, 1 + row * TDropList::RowHeight + TDropList::RowHeight / 2};
  }
};

// The horizontal extent of the dark (text) pixels in a strip of an image.
int InkWidth(const QImage& image, const QRect& strip) {
  int first = -1;
  int last = -1;
  for (int x = strip.left(); x <= strip.right(); ++x) {
    for (int y = strip.top(); y <= strip.bottom(); ++y) {
      if (qGray(image.pixel(x, y)) < 128) {
        first = first < 0 ? x : first;
        last = x;
        break;
      }
    }
  }
  return first < 0 ? 0 : last - first + 1;
}

}  // namespace

class TestComboCSS : public QObject {
  Q_OBJECT

 private slots:
  void aTypedCharacterReportsTheOldTextThenTheNewOne() {
    TComboFixture f;
    f.Combo->SetTextQuiet(QStringLiteral("bol"));
    QCOMPARE(f.Combo->text(), QStringLiteral("bol"));
    QCOMPARE(f.Log, QStringList());

    QTest::keyClick(f.Combo, Qt::Key_D);
    QCOMPARE(f.Log, (QStringList{"select bol", "change", "select bold"}));

    // Showing the same text again raises nothing and leaves the next change reported.
    f.Log.clear();
    f.Combo->SetTextQuiet(QStringLiteral("bold"));
    QCOMPARE(f.Log, QStringList());
    QTest::keyClick(f.Combo, Qt::Key_Backspace);
    QCOMPARE(f.Log, (QStringList{"select bold", "change", "select bol"}));

    // Enter types nothing and reports the text as it stands.
    f.Log.clear();
    QTest::keyClick(f.Combo, Qt::Key_Return);
    QCOMPARE(f.Log, (QStringList{"select bol"}));
  }

  void choosingAnEntryReportsItAndLeavesTheTextToTheHandler() {
    TComboFixture f;
    f.Combo->SetItems({"red", "blue", "<color>"});
    f.Combo->SetTextQuiet(QStringLiteral("green"));
    f.OpenList();
    QCOMPARE(f.Log, QStringList());

    // Moving over the list highlights the row under the pointer.
    TDropList* list = f.Combo->DropList();
    QTest::mouseMove(list, f.RowPoint(1));
    QCOMPARE(list->Highlighted(), 1);
    QTest::mouseClick(list, Qt::LeftButton, {}, f.RowPoint(1));
    QCOMPARE(f.Log, (QStringList{"select blue"}));
    QCOMPARE(f.Combo->text(), QStringLiteral("green"));
    QVERIFY(!f.Combo->IsDroppedDown());

    // A handler that shows the choice raises nothing more, and typing is reported afterwards.
    f.Log.clear();
    f.Combo->OnSelect = [&](QObject*, QString text) {
      f.Log << QStringLiteral("select ") + text;
      f.Combo->setText(text);
    };
    f.OpenList();
    QTest::mouseClick(f.Combo->DropList(), Qt::LeftButton, {}, f.RowPoint(2));
    QCOMPARE(f.Combo->text(), QStringLiteral("<color>"));
    QCOMPARE(f.Log, (QStringList{"select <color>"}));
    QTest::keyClick(f.Combo, Qt::Key_X);
    QCOMPARE(f.Log.last(), QStringLiteral("select <color>x"));
  }

  void escAndClicksAroundTheListCloseItWithoutChoosing() {
    TComboFixture f;
    f.Combo->SetItems({"red", "blue"});
    f.Combo->SetTextQuiet(QStringLiteral("red"));
    f.OpenList();
    TDropList* list = f.Combo->DropList();
    QTest::mouseMove(list, f.RowPoint(0));
    QTest::keyClick(f.Combo, Qt::Key_Escape);
    QVERIFY(!f.Combo->IsDroppedDown());
    QCOMPARE(f.Log, (QStringList{"select red"}));

    // A press above the list (on the edit itself) closes it; so does a click below it.
    f.Log.clear();
    f.OpenList();
    QTest::mouseClick(f.Combo, Qt::LeftButton, {}, QPoint(20, 5));
    QVERIFY(!f.Combo->IsDroppedDown());
    f.OpenList();
    const QPoint below = list->geometry().bottomLeft() + QPoint(20, 10);
    QTest::mouseClick(&f.Window, Qt::LeftButton, {}, f.Window.mapFromGlobal(below));
    QVERIFY(!f.Combo->IsDroppedDown());
    // The focus moving on closes it too.
    f.OpenList();
    f.Other->setFocus();
    QVERIFY(!f.Combo->IsDroppedDown());
    QCOMPARE(f.Log, QStringList());
  }

  void theListOpensBelowTheEditSizedToItsEntries_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("rows");
    QTest::newRow("ten entries") << 10 << 10;
    QTest::newRow("eleven entries") << 11 << 8;
  }

  void theListOpensBelowTheEditSizedToItsEntries() {
    QFETCH(int, count);
    QFETCH(int, rows);
    TComboFixture f;
    QStringList items;
    for (int i = 0; i < count; ++i) {
      items << QStringLiteral("entry %1").arg(i);
    }
    f.Combo->SetItems(items);
    f.OpenList();
    TDropList* list = f.Combo->DropList();
    QCOMPARE(list->height(), rows * TDropList::RowHeight + 2);
    QCOMPARE(list->width(), f.Combo->width());
    QCOMPARE(list->geometry().topLeft(), f.Combo->mapToGlobal(QPoint(0, f.Combo->height())));
    QScrollBar* bar = list->verticalScrollBar();
    QCOMPARE(bar->isVisible(), count > rows);
    if (bar->isVisible()) {
      // A click low on the scroll bar scrolls the list, which stays open for a choice.
      const QPoint low = bar->mapTo(list, QPoint(bar->width() / 2, bar->height() - 20));
      QTest::mouseClick(list, Qt::LeftButton, {}, low);
      QVERIFY(bar->value() > 0);
      QVERIFY(f.Combo->IsDroppedDown());
      QCOMPARE(f.Log, QStringList());
    }
  }

  void aPlaceholderRowShowsItsCaptionInBoldWithItsBitmap() {
    TComboFixture f(60);
    f.Combo->SetItems({"<color>", "<Color>"});
    f.OpenList();
    TDropList* list = f.Combo->DropList();
    // Widened to fit "Select Color.." measured in the list's font.
    const QFontMetrics metrics(list->font());
    QCOMPARE(list->width(), metrics.horizontalAdvance(QStringLiteral("Select Color..")) + 26);

    const QImage image = list->grab().toImage();
    const int right = list->width() - 1;  // the row ends at the border
    // The colour bitmap's red quarter, at (row right - 18, row top + 2) plus its offset.
    const QPoint red(right - 18 + 3, 1 + 2 + 3);
    QCOMPARE(QColor(image.pixel(red)), QColor(0xE5, 0x39, 0x35));
    QCOMPARE(QColor(image.pixel(red + QPoint(0, TDropList::RowHeight))),
             list->palette().color(QPalette::Active, QPalette::Base));

    QFont bold = list->font();
    bold.setBold(true);
    const QRect firstRow(1, 1, right - 20, TDropList::RowHeight);
    QVERIFY(qAbs(InkWidth(image, firstRow) -
                 QFontMetrics(bold).horizontalAdvance(QStringLiteral("Select Color"))) <= 2);
    // Another letter case is an ordinary entry, drawn as it is and reported as it is.
    QVERIFY(qAbs(InkWidth(image, firstRow.translated(0, TDropList::RowHeight)) -
                 metrics.horizontalAdvance(QStringLiteral("<Color>"))) <= 2);
    QTest::mouseClick(list, Qt::LeftButton, {}, f.RowPoint(1));
    QCOMPARE(f.Log, (QStringList{"select <Color>"}));
  }

  void theButtonShowsNormalHotAndPressed() {
    TComboFixture f;
    f.Combo->SetItems({"red"});
    const QRect button = f.Combo->ButtonRect();
    QCOMPARE(button.width(), f.Combo->ButtonWidth());
    const auto look = [&] { return f.Combo->grab(button).toImage(); };

    const QImage normal = look();
    QTest::mouseMove(f.Combo, button.center());
    QVERIFY(f.Combo->ButtonHot());
    const QImage hot = look();
    QTest::mousePress(f.Combo, Qt::LeftButton, {}, button.center());
    QVERIFY(f.Combo->IsDroppedDown());
    const QImage pressed = look();
    QVERIFY(normal != hot);
    QVERIFY(hot != pressed);
    QVERIFY(normal != pressed);

    // Closing the list and moving off the button gives the normal look back.
    QTest::keyClick(f.Combo, Qt::Key_Escape);
    QTest::mouseMove(f.Combo, QPoint(5, 5));
    QVERIFY(!f.Combo->ButtonHot());
    QCOMPARE(look(), normal);
    // The text stops short of the button.
    QCOMPARE(f.Combo->textMargins().right(), f.Combo->ButtonWidth() + 2);
  }
};

QM_TEST_MAIN(TestComboCSS)
#include "tst_combocss.moc"
