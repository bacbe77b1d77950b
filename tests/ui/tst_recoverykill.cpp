// SPDX-License-Identifier: GPL-3.0-or-later
// The program killed while it types and saves: the next start offers the text as it was at the
// last pause, byte for byte, and the file is always one whole version, never a mix.
#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTabWidget>
#include <csignal>

#include "app/opendocument.h"
#include "commands.h"
#include "model/program/recoveryrecord.h"
#include "testenv.h"

using namespace qm;

namespace {

// What the typist printed: the text after each burst and at each pause, and the saves.
struct TTyped {
  QByteArray LastRecorded;
  bool Recorded = false;
  QByteArray LastTyped;
  QList<QByteArray> Saving;
  int Pauses = 0;
  bool LastWasSaving = false;

  void Read(const QByteArray& line) {
    const QList<QByteArray> parts = line.trimmed().split(' ');
    if (parts.size() < 2) {
      return;
    }
    const QByteArray bytes = parts.size() > 2 ? QByteArray::fromBase64(parts[2]) : QByteArray();
    LastWasSaving = parts[0] == "saving";
    if (parts[0] == "recorded") {
      LastRecorded = bytes;
      Recorded = true;
      ++Pauses;
    } else if (parts[0] == "typed") {
      LastTyped = bytes;
    } else if (parts[0] == "saving") {
      Saving << LastRecorded;
    }
  }
};

QStringList Records(const QString& folder) {
  return QDir(folder).entryList({QStringLiteral("*.qmr")}, QDir::Files);
}

}  // namespace

class TestRecoveryKill : public QObject {
  Q_OBJECT

 private slots:
  void killedWhileTypingAndSavingLosesNothingBeforeThePause() {
    TTestEnv env;
    const QString home = env.Dir.filePath(QStringLiteral("home"));
    env.Platform.RecoveryFolder = home + QStringLiteral("/data/Quillmere/recovery");
    // Latin-1 with LF line breaks: both must come back as they are.
    const QByteArray original = "a{content:\"\xe9\"}\nb{}\n";
    const QString path = env.WriteFile(QStringLiteral("typed.css"), original);
    QSet<QByteArray> fileVersions{original};
    QRandomGenerator random(20261211);

    for (int round = 1; round <= 12; ++round) {
      QProcess program;
      QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
      environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
      environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
      environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
      environment.insert(QStringLiteral("QUILLMERE_TEST_TYPIST"), QString::number(round));
      program.setProcessEnvironment(environment);
      program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
      program.start(QStringLiteral(QUILLMERE_PROGRAM), {path});
      QVERIFY(program.waitForStarted());

      TTyped typed;
      const int pauses = 1 + static_cast<int>(random.bounded(8));
      // Every other round ends the moment a save begins.
      const bool whileSaving = round % 2 == 0;
      const auto enough = [&] {
        return typed.Pauses >= pauses && (!whileSaving || typed.LastWasSaving);
      };
      QDeadlineTimer deadline(120000);
      while (!enough() && !deadline.hasExpired() && program.state() == QProcess::Running) {
        program.waitForReadyRead(100);
        while (!enough() && program.canReadLine()) {
          typed.Read(program.readLine());
        }
      }
      QVERIFY2(typed.Pauses >= pauses, "the typist did not get going");
      if (!whileSaving) {
        QTest::qSleep(static_cast<int>(random.bounded(15)));
      }
      ::kill(static_cast<pid_t>(program.processId()), SIGKILL);
      QVERIFY(program.waitForFinished());
      while (program.canReadLine()) {
        typed.Read(program.readLine());
      }
      for (const QByteArray& saved : typed.Saving) {
        fileVersions.insert(saved);
      }

      // The file is one of the versions saved, whole.
      const QByteArray onDisk = TTestEnv::ReadFile(path);
      QVERIFY2(fileVersions.contains(onDisk), onDisk.constData());

      const QStringList records = Records(env.Platform.RecoveryFolder);
      QVERIFY(records.size() <= 1);
      if (records.isEmpty()) {
        // Nothing to offer only when the last pause's text was saved.
        QCOMPARE(onDisk, typed.LastRecorded);
        continue;
      }
      const QByteArray kept = TTestEnv::ReadFile(env.Platform.RecoveryFolder + '/' + records[0]);
      if (ReadRecord(std::string_view(kept.constData(), static_cast<size_t>(kept.size())))
              .Record.Bytes == onDisk.toStdString()) {
        // Killed between saving and removing the record: the file has it all, nothing is asked.
        QCOMPARE(onDisk, typed.LastRecorded);
        QFile::remove(env.Platform.RecoveryFolder + '/' + records[0]);
        continue;
      }
      env.Prompts.AnswerMessage(TButton::Recover);
      TFrmMain& w = env.MakeWindow();
      w.show();
      QTRY_COMPARE(env.Prompts.Pending(), 0);
      QCOMPARE(w.Tabs().Pages()->count(), 1);
      const QByteArray recovered =
          QByteArray::fromStdString(w.Tabs().CurrentDocument()->FileBytes());
      QVERIFY2(recovered == typed.LastTyped || (typed.Recorded && recovered == typed.LastRecorded),
               recovered.constData());
      // Let the changes go, so that the next round starts from the file alone.
      env.Prompts.AnswerMessage(TButton::No);
      Trigger(w.Action("mClose"));
      QTRY_COMPARE(Records(env.Platform.RecoveryFolder), QStringList());
      env.DestroyWindow();
      QCOMPARE(TTestEnv::ReadFile(path), onDisk);
    }
  }
};

QM_TEST_MAIN(TestRecoveryKill)
#include "tst_recoverykill.moc"
