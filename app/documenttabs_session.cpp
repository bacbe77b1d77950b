// SPDX-License-Identifier: GPL-3.0-or-later
// The last session: the tabs in their order with their carets and the one in front, written down
// when the program ends and reopened at the next start. Unsaved changes stay in the documents'
// recovery records meanwhile, so an untitled document comes back with its text.
#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSettings>
#include <QTabWidget>

#include "app/documentrecord.h"
#include "app/documenttabs.h"
#include "app/opendocument.h"
#include "model/error.h"
#include "model/program/recoveryrecord.h"
#include "platform/commandguard.h"
#include "platform/fileio.h"
#include "platform/prompts.h"
#include "platform/recordfile.h"
#include "platform/settings.h"
#include "platform/settingsstore.h"

namespace qm {

namespace {

QString SessionFile(const QString& folder) {
  return QDir(folder).filePath(QStringLiteral("session.ini"));
}

QString TabGroup(int n) {
  return QStringLiteral("Tab%1/").arg(n);
}

}  // namespace

bool TDocumentTabs::KeepSession() {
  if (Platform.RecoveryFolder.isEmpty() || Setting::RestoreSession.Read(*Platform.Settings) == 0) {
    return false;
  }
  const QString file = SessionFile(Platform.RecoveryFolder);
  QDir().mkpath(Platform.RecoveryFolder);
  QFile::setPermissions(Platform.RecoveryFolder,
                        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  QSettings session(file, QSettings::IniFormat);
  session.clear();
  int written = 0;
  int current = 0;
  for (int i = 0; i < pgmain->count(); ++i) {
    TOpenDocument* document = Document(i);
    QString record;
    if (document->Editor()->Modified()) {
      TDocumentRecord* kept = document->Record();
      kept->Update();
      kept->Wait();
      if (!QFileInfo::exists(kept->Path())) {
        // Its changes are not on disk: the documents are asked about after all.
        session.clear();
        session.sync();
        QFile::remove(file);
        return false;
      }
      record = QFileInfo(kept->Path()).fileName();
    } else if (document->Path().isEmpty()) {
      continue;  // an untitled document with nothing in it
    }
    if (i == pgmain->currentIndex()) {
      current = written;
    }
    TCssEditor& editor = *document->Editor();
    const QString group = TabGroup(++written);
    session.setValue(group + QStringLiteral("Path"), document->Path());
    session.setValue(group + QStringLiteral("Record"), record);
    session.setValue(group + QStringLiteral("Caret"), editor.Caret());
    session.setValue(
        group + QStringLiteral("FirstLine"),
        static_cast<int>(editor.SendScintilla(QsciScintillaBase::SCI_GETFIRSTVISIBLELINE)));
  }
  session.setValue(QStringLiteral("Session/Count"), written);
  session.setValue(QStringLiteral("Session/Current"), current);
  session.sync();
  QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
  return session.status() == QSettings::NoError;
}

void TDocumentTabs::RestoreSession() {
  if (Platform.RecoveryFolder.isEmpty()) {
    return;
  }
  const QString file = SessionFile(Platform.RecoveryFolder);
  if (!QFileInfo::exists(file)) {
    return;
  }
  // Read once: a failure below must not bring the same tabs back at every start.
  const auto forget = qScopeGuard([&file] { QFile::remove(file); });
  if (Setting::RestoreSession.Read(*Platform.Settings) == 0) {
    return;
  }
  const QSettings session(file, QSettings::IniFormat);
  const int count = session.value(QStringLiteral("Session/Count")).toString().toInt();
  const int current = session.value(QStringLiteral("Session/Current")).toString().toInt();
  QStringList gone;
  int front = -1;
  for (int n = 1; n <= count; ++n) {
    const QString group = TabGroup(n);
    const QString path = session.value(group + QStringLiteral("Path")).toString();
    const QString recordName = session.value(group + QStringLiteral("Record")).toString();
    const QString record =
        recordName.isEmpty() ? QString() : QDir(Platform.RecoveryFolder).filePath(recordName);
    TOpenDocument* document = nullptr;
    RunCommand(*Platform.Prompts, [&] {
      if (!record.isEmpty() && QFileInfo::exists(record)) {
        const QByteArray bytes = ReadFileBytes(record);
        const TReadRecord read =
            ReadRecord(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
        if (read.State == TRecordState::Unreadable && read.Record.Bytes.empty()) {
          return;  // left for the offer of records, which says so
        }
        const QString recordPath = QString::fromStdString(read.Record.Path);
        const bool onDisk = !recordPath.isEmpty() && QFileInfo(recordPath).isFile();
        const QByteArray disk = onDisk ? ReadFileBytes(recordPath) : QByteArray();
        document = RestoreRecord(read.Record, nullptr, disk.toStdString(), onDisk);
        TRecordFile::Delete(record);
      } else if (!path.isEmpty() && QFileInfo(path).isFile()) {
        OpenOperation(path);
        document = Document(TabOfFile(path));
      } else if (!path.isEmpty()) {
        gone << QDir::toNativeSeparators(path);
      }
    });
    if (document == nullptr) {
      continue;
    }
    TCssEditor& editor = *document->Editor();
    const int caret = session.value(group + QStringLiteral("Caret")).toString().toInt();
    editor.SetCaret(std::clamp(caret, 0, static_cast<int>(editor.Text().size())));
    editor.SetFirstVisibleLine(
        session.value(group + QStringLiteral("FirstLine")).toString().toInt());
    if (n - 1 == current) {
      front = pgmain->indexOf(document);
    }
  }
  if (front >= 0) {
    ActivateTab(front);
    ShowCurrent();
  }
  if (!gone.isEmpty()) {
    Platform.Prompts->Message(
        TMessageKind::Information,
        QStringLiteral("These files of the last session are no longer there and were left out:\n") +
            gone.join(QLatin1Char('\n')),
        {TButton::Ok});
  }
}

}  // namespace qm
