// SPDX-License-Identifier: GPL-3.0-or-later
// The real dialogs behind the prompts: the colour dialog opens on the colour asked about and
// gives back the one chosen, or nothing when cancelled.
#include <QColorDialog>
#include <QTimer>

#include "platform/prompts.h"
#include "testenv.h"

using namespace qm;

class TestPrompts : public QObject {
  Q_OBJECT

 private slots:
  void theColourDialogStartsOnTheColourAndGivesTheChoice() {
    TDialogPrompts prompts;
    QColor shown;
    QTimer::singleShot(0, [&shown] {
      auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
      QVERIFY(dialog != nullptr);
      shown = dialog->currentColor();
      dialog->setCurrentColor(QColor(0x00, 0x00, 0xFF));
      dialog->accept();
    });
    QCOMPARE(prompts.ChooseColor(QColor(0xFF, 0x00, 0x00)), std::optional<QColor>(Qt::blue));
    QCOMPARE(shown, QColor(Qt::red));
  }

  void cancellingTheColourDialogGivesNothing() {
    TDialogPrompts prompts;
    QTimer::singleShot(0, [] {
      auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
      QVERIFY(dialog != nullptr);
      dialog->setCurrentColor(QColor(Qt::green));
      dialog->reject();
    });
    QVERIFY(!prompts.ChooseColor(QColor(Qt::red)));
  }

  void scriptedColoursAreAnsweredInTurnAndTheQuestionsKept() {
    TScriptedPrompts prompts;
    prompts.AnswerColor(QColor(0x12, 0x34, 0x56));
    prompts.AnswerColor(std::nullopt);
    QCOMPARE(prompts.ChooseColor(QColor(Qt::red)), std::optional<QColor>(QColor(0x12, 0x34, 0x56)));
    QVERIFY(!prompts.ChooseColor(QColor()));
    // Asked out of turn: recorded, and answered as cancelled.
    prompts.AnswerMessage(TButton::Ok);
    QVERIFY(!prompts.ChooseColor(QColor(Qt::blue)));
    QCOMPARE(prompts.Asked, (QStringList{"color: #ff0000", "color: none", "color: #0000ff"}));
    QCOMPARE(prompts.Unexpected, QStringList{"color"});
  }
};

QM_TEST_MAIN(TestPrompts)
#include "tst_prompts.moc"
