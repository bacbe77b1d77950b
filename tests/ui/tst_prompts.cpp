// SPDX-License-Identifier: GPL-3.0-or-later
// The real dialogs behind the prompts: the colour dialog opens on the colour asked about and
// gives back the one chosen, or nothing when cancelled; the progress box waits for its work.
#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
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

  // After a box the keys go where they went before it, also when that is a window beside the
  // box's parent (the New Selector dialog beside the main window with its editor).
  void afterABoxTheFocusIsWhereItWas() {
    QWidget main;
    auto* mainEdit = new QLineEdit(&main);
    main.show();
    QDialog side(&main);
    auto* sideEdit = new QLineEdit(&side);
    side.show();
    side.activateWindow();
    sideEdit->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), sideEdit);

    TDialogPrompts prompts(&main);
    QTimer::singleShot(0, [] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box != nullptr);
      box->done(QMessageBox::Yes);
    });
    QCOMPARE(prompts.Message(TMessageKind::Confirmation,
                             QStringLiteral("Please enter a valid class name."), {TButton::Yes}),
             TButton::Yes);
    QTRY_COMPARE(QApplication::activeWindow(), &side);
    QCOMPARE(QApplication::focusWidget(), sideEdit);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("note2"));
    QCOMPARE(sideEdit->text(), QStringLiteral("note2"));
    QCOMPARE(mainEdit->text(), QString());
  }

  // The program adds the extension after the dialog and asks about the file it writes, so the
  // dialog must not ask about the name as typed.
  void theSaveDialogLeavesTheOverwriteQuestionToTheProgram() {
    QTemporaryDir dir;
    const QString existing = dir.filePath(QStringLiteral("two.css"));
    QFile file(existing);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    TDialogPrompts prompts;
    QString askedByDialog;
    QTimer::singleShot(0, [&askedByDialog, &existing] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      QVERIFY(dialog != nullptr);
      // A box the dialog opens itself is recorded and answered, so the test goes on either way.
      QTimer::singleShot(0, [&askedByDialog] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
          askedByDialog = box->text();
          box->done(QMessageBox::Yes);
        }
      });
      dialog->selectFile(existing);
      QMetaObject::invokeMethod(dialog, "accept");
    });
    const std::optional<TSaveAnswer> answer = prompts.SaveFileName(
        QStringLiteral("Cascading Style Sheet (*.css)|*.css|Text File (*.txt)|*.txt"),
        QStringLiteral("Untitled CSS File"));
    QCOMPARE(askedByDialog, QString());
    QVERIFY(answer.has_value());
    QCOMPARE(answer->FileName, existing);
    QCOMPARE(answer->FilterIndex, 0);
  }

  // The box is up, modal, until the work says it is done, or until Cancel, which is answered as
  // such; a done that comes after the box has gone finds nothing to close.
  void theProgressBoxWaitsForTheWorkOrItsCancel() {
    QWidget main;
    main.show();
    TDialogPrompts prompts(&main);
    const QString text = QStringLiteral("Connecting to W3C website...");
    std::function<void()> finish;
    const auto keep = [&finish](std::function<void()> done) { finish = std::move(done); };
    QString shown;
    QTimer::singleShot(0, [&shown, &finish] {
      auto* box = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
      QVERIFY(box != nullptr);
      shown = box->labelText();
      finish();
    });
    QVERIFY(prompts.Progress(text, keep));
    QCOMPARE(shown, text);

    QTimer::singleShot(0, [] {
      auto* box = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
      QVERIFY(box != nullptr);
      auto* cancel = box->findChild<QPushButton*>();
      QVERIFY(cancel != nullptr && cancel->text() == QStringLiteral("Cancel"));
      QTest::mouseClick(cancel, Qt::LeftButton);
    });
    QVERIFY(!prompts.Progress(text, keep));
    finish();
    QVERIFY(QApplication::activeModalWidget() == nullptr);

    // Work that is over before the box would come up needs no box.
    QVERIFY(prompts.Progress(text, [](std::function<void()> done) { done(); }));
    QVERIFY(QApplication::activeModalWidget() == nullptr);
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
