// SPDX-License-Identifier: GPL-3.0-or-later
// Recovery records: kept while a document has unsaved changes, readable by their user only, gone
// once the changes are saved or let go; offered at the next start after a crash, and when a file
// with a record is opened.
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTabWidget>

#include "app/documentrecord.h"
#include "app/opendocument.h"
#include "commands.h"
#include "model/program/recoveryrecord.h"
#include "platform/recordfile.h"
#include "testenv.h"

using namespace qm;

Q_DECLARE_METATYPE(qm::TButton)

namespace {

QString RecoveryFolder(const TTestEnv& env) {
  return env.Dir.filePath(QStringLiteral("recovery"));
}

QStringList Records(const TTestEnv& env) {
  QStringList paths;
  for (const QFileInfo& info : QDir(RecoveryFolder(env)).entryInfoList({QStringLiteral("*.qmr")})) {
    paths << info.filePath();
  }
  return paths;
}

TReadRecord ReadBack(const QString& path) {
  const QByteArray bytes = TTestEnv::ReadFile(path);
  return ReadRecord(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}

// Types into the document in front and waits until its record is on disk.
void TypeAndPause(TFrmMain& w, const QString& text) {
  TOpenDocument& document = *w.Tabs().CurrentDocument();
  for (const QChar c : text) {
    // As a keyboard sends it, also for letters QTest cannot name.
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QCoreApplication::sendEvent(document.Editor(), &press);
  }
  document.Record()->Update();
  document.Record()->Wait();
}

QByteArray Bytes(const TOpenDocument& document) {
  return QByteArray::fromStdString(document.FileBytes());
}

constexpr QFile::Permissions OthersMayUse = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                            QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;

}  // namespace

class TestRecovery : public QObject {
  Q_OBJECT

 private slots:
  // The record holds the text as saving would write it (the file's encoding and line breaks),
  // for its user only; every way the changes end takes it away.
  void theRecordLastsAsLongAsTheUnsavedChanges_data() {
    QTest::addColumn<QString>("end");
    QTest::newRow("saved") << "save";
    QTest::newRow("undone back to the file") << "undo";
    QTest::newRow("closed without saving") << "close";
    QTest::newRow("closed and saved") << "close and save";
  }
  void theRecordLastsAsLongAsTheUnsavedChanges() {
    QFETCH(QString, end);
    TTestEnv env;
    env.Platform.RecoveryFolder = RecoveryFolder(env);
    TFrmMain& w = env.MakeWindow();
    const QByteArray original = "a{content:\"\xe9\"}\nb{}\n";
    const QString path = env.WriteFile(QStringLiteral("latin.css"), original);
    w.Tabs().OpenOperation(path);
    QCOMPARE(Records(env), QStringList());
    TypeAndPause(w, QStringLiteral("p{}\u00e9"));
    TOpenDocument& document = *w.Tabs().CurrentDocument();
    QCOMPARE(Records(env), QStringList{document.Record()->Path()});
    const TReadRecord read = ReadBack(document.Record()->Path());
    QCOMPARE(read.State, TRecordState::Whole);
    QCOMPARE(QByteArray::fromStdString(read.Record.Bytes), "p{}\xe9" + original);
    QCOMPARE(QString::fromStdString(read.Record.Path), document.Path());
    QCOMPARE(QFile::permissions(document.Record()->Path()) & OthersMayUse, QFile::Permissions());
    QCOMPARE(QFile::permissions(RecoveryFolder(env)) & OthersMayUse, QFile::Permissions());

    QByteArray onDisk = original;
    if (end == QLatin1String("save")) {
      Trigger(w.Action("acSave"));
      onDisk = "p{}\xe9" + original;
    } else if (end == QLatin1String("undo")) {
      while (document.Editor()->Modified()) {
        document.Editor()->undo();
      }
      document.Record()->Update();
    } else {
      const bool save = end == QLatin1String("close and save");
      env.Prompts.AnswerMessage(save ? TButton::Yes : TButton::No);
      onDisk = save ? "p{}\xe9" + original : original;
      const QString record = document.Record()->Path();
      Trigger(w.Action("mClose"));
      QCOMPARE(w.Tabs().Pages()->count(), 0);
      QTRY_VERIFY(!QFile::exists(record));
    }
    if (w.Tabs().CurrentDocument() != nullptr) {
      document.Record()->Wait();
    }
    QTRY_COMPARE(Records(env), QStringList());
    QCOMPARE(TTestEnv::ReadFile(path), onDisk);
  }

  // After the program ended without closing its documents, the next start offers each one's
  // changes: recovered, they are the text as it was, modified, with the file not written.
  void theNextStartOffersWhatWasNotSaved_data() {
    QTest::addColumn<QList<TButton>>("answers");
    QTest::newRow("recover") << QList<TButton>{TButton::Recover};
    QTest::newRow("compare first") << QList<TButton>{TButton::ShowDifferences, TButton::Recover};
    QTest::newRow("discard") << QList<TButton>{TButton::Discard};
    QTest::newRow("later") << QList<TButton>{TButton::Cancel};
  }
  void theNextStartOffersWhatWasNotSaved() {
    QFETCH(QList<TButton>, answers);
    TTestEnv env;
    env.Platform.RecoveryFolder = RecoveryFolder(env);
    // Each line keeps its own break, in the recovered text and after an Undo back to the file.
    const QByteArray original = "a{color:red}\r\n\rb{}";
    const QString path = env.WriteFile(QStringLiteral("a.css"), original);
    {
      TFrmMain& w = env.MakeWindow();
      w.Tabs().OpenOperation(path);
      TypeAndPause(w, QStringLiteral("p{}"));
      w.Tabs().NewDocument();
      TypeAndPause(w, QStringLiteral("u{}"));
      env.DestroyWindow();
    }
    QCOMPARE(Records(env).size(), 2);

    QStringList shown;
    for (int i = 0; i < 2; ++i) {
      for (const TButton answer : answers) {
        env.Prompts.AnswerMessage(answer);
        if (answer == TButton::ShowDifferences) {
          env.Prompts.AnswerDialog([&shown](QDialog& dialog) {
            shown << dialog.findChild<QPlainTextEdit*>(QStringLiteral("Differences"))
                         ->toPlainText()
                         .trimmed();
            return false;
          });
        }
      }
    }
    TFrmMain& w = env.MakeWindow();
    w.show();
    QTRY_COMPARE(env.Prompts.Pending(), 0);
    QVERIFY(env.Prompts.Asked.first().contains(
                QStringLiteral("the changes to \"%1\" were saved")
                    .arg(QDir::toNativeSeparators(CanonicalFilePath(path)))) ||
            env.Prompts.Asked.last().contains(CanonicalFilePath(path)));
    QCOMPARE(TTestEnv::ReadFile(path), original);

    const TButton last = answers.last();
    QTabWidget& pages = *w.Tabs().Pages();
    QCOMPARE(pages.count(), last == TButton::Recover ? 2 : 0);
    QCOMPARE(Records(env).size(), last == TButton::Discard ? 0 : 2);
    if (last != TButton::Recover) {
      return;
    }
    QStringList texts;
    for (int i = 0; i < pages.count(); ++i) {
      TOpenDocument& document = *w.Tabs().Document(i);
      QVERIFY(document.Editor()->Modified());
      QVERIFY(pages.tabText(i).startsWith(QLatin1Char('*')));
      texts << QString::fromLatin1(Bytes(document)) + QStringLiteral(" > ") + document.Path();
      QVERIFY(document.Path().isEmpty() || SameFile(document.Path(), path));
    }
    texts.sort();
    QCOMPARE(texts,
             (QStringList{"p{}a{color:red}\r\n\rb{} > " + CanonicalFilePath(path), "u{} > "}));
    if (answers.contains(TButton::ShowDifferences)) {
      shown.sort();
      QCOMPARE(shown, (QStringList{"@@ line 1 @@\n+ u{}",
                                   "@@ line 1 @@\n- a{color:red}\n+ p{}a{color:red}"}));
    }
    // One step of Undo gives the file's text back.
    for (int i = 0; i < pages.count(); ++i) {
      if (!w.Tabs().Document(i)->Path().isEmpty()) {
        w.Tabs().Document(i)->Editor()->undo();
        QCOMPARE(Bytes(*w.Tabs().Document(i)), original);
      }
    }
  }

  // What happened to the file or the record since is said in the question, and a damaged record
  // gives what it still holds.
  void theOfferSaysWhatHappenedSince_data() {
    QTest::addColumn<QString>("happened");
    QTest::addColumn<QString>("said");
    QTest::addColumn<QByteArray>("recovered");
    QTest::newRow("file changed") << "changed"
                                  << "changed on disk since" << QByteArray("new{}");
    QTest::newRow("file deleted") << "deleted"
                                  << "no longer on disk" << QByteArray("new{}");
    QTest::newRow("record cut") << "cut"
                                << "only part of the text" << QByteArray("ne");
    QTest::newRow("record unreadable") << "unreadable"
                                       << "could not be read" << QByteArray();
  }
  void theOfferSaysWhatHappenedSince() {
    QFETCH(QString, happened);
    QFETCH(QString, said);
    QFETCH(QByteArray, recovered);
    TTestEnv env;
    env.Platform.RecoveryFolder = RecoveryFolder(env);
    const QString path = env.WriteFile(QStringLiteral("a.css"), "old{}");
    TRecoveryRecord record;
    record.Path = Utf8(path);
    record.FileTime = FileStamp(path).Time;
    record.FileSize = FileStamp(path).Size;
    record.Bytes = "new{}";
    const QString file = QDir(RecoveryFolder(env)).filePath(QStringLiteral("r.qmr"));
    QCOMPARE(TRecordFile::WriteNow(file, record), QString());
    if (happened == QLatin1String("changed")) {
      env.WriteFile(QStringLiteral("a.css"), "other{}");
    } else if (happened == QLatin1String("deleted")) {
      QFile::remove(path);
    } else {
      QFile cut(file);
      QVERIFY(cut.resize(happened == QLatin1String("cut") ? cut.size() - 8 : 25));
    }
    env.Prompts.AnswerMessage(recovered.isEmpty() ? TButton::Ok : TButton::Recover);
    TFrmMain& w = env.MakeWindow();
    w.show();
    QTRY_COMPARE(env.Prompts.Pending(), 0);
    QCOMPARE(env.Prompts.Asked.size(), 1);
    QVERIFY2(env.Prompts.Asked.first().contains(said), qPrintable(env.Prompts.Asked.first()));
    if (recovered.isEmpty()) {
      QCOMPARE(w.Tabs().Pages()->count(), 0);
      QVERIFY(QFile::exists(file + QStringLiteral(".unreadable")));
      QCOMPARE(Records(env), QStringList());
      return;
    }
    QCOMPARE(w.Tabs().Pages()->count(), 1);
    QCOMPARE(Bytes(*w.Tabs().CurrentDocument()), recovered);
    QVERIFY(w.Tabs().CurrentEditor()->Modified());
    QCOMPARE(w.Tabs().CurrentPath(), CanonicalFilePath(path));
  }

  // Opening a file that has a record, while the program runs, offers it too.
  void openingAFileWithARecordOffersIt() {
    TTestEnv env;
    env.Platform.RecoveryFolder = RecoveryFolder(env);
    const QString path = env.WriteFile(QStringLiteral("a.css"), "a{}\n");
    TFrmMain& w = env.MakeWindow();
    TRecoveryRecord record;
    record.Path = Utf8(path);
    record.Bytes = "a{color:red}\n";
    QCOMPARE(
        TRecordFile::WriteNow(QDir(RecoveryFolder(env)).filePath(QStringLiteral("r.qmr")), record),
        QString());
    env.Prompts.AnswerMessage(TButton::Recover);
    w.Tabs().OpenOperation(path);
    QCOMPARE(env.Prompts.Asked.size(), 1);
    QCOMPARE(Bytes(*w.Tabs().CurrentDocument()), QByteArray("a{color:red}\n"));
    QVERIFY(w.Tabs().CurrentEditor()->Modified());
    QCOMPARE(TTestEnv::ReadFile(path), QByteArray("a{}\n"));
  }

  // A record that cannot be written is told once; typing goes on.
  void aRecordThatCannotBeWrittenIsToldOnce() {
    TTestEnv env;
    // Where the folder would be there is a file.
    env.Platform.RecoveryFolder = env.WriteFile(QStringLiteral("taken"), "x");
    TFrmMain& w = env.MakeWindow();
    w.Tabs().NewDocument();
    env.Prompts.AnswerMessage(TButton::Ok);
    TypeAndPause(w, QStringLiteral("a{"));
    QTRY_COMPARE(env.Prompts.Asked.size(), 1);
    QVERIFY(env.Prompts.Asked.first().contains(QStringLiteral("cannot be written")));
    TypeAndPause(w, QStringLiteral("}"));
    QTest::qWait(50);
    QCOMPARE(env.Prompts.Asked.size(), 1);
    QCOMPARE(Text(w), QByteArray("a{}"));
  }
};

QM_TEST_MAIN(TestRecovery)
#include "tst_recovery.moc"
