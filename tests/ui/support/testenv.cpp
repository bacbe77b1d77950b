// SPDX-License-Identifier: GPL-3.0-or-later
#include "testenv.h"

#include <QDir>
#include <QFile>

#include "platform/settingsstore.h"

namespace qm {

TTestEnv::TTestEnv() {
  Settings = TSettingsStore::ForIniFile(SettingsFile());
  QDir(Dir.path()).mkpath(QStringLiteral("work"));
  Platform.Settings = Settings.get();
  Platform.Prompts = &Prompts;
  Platform.Shell = &Shell;
  Platform.FormPoster = &FormPoster;
  Platform.WorkFolder = Dir.filePath(QStringLiteral("work"));
  Platform.DataFolder = QStringLiteral(QUILLMERE_DATA_DIR);
  static_cast<TApplication*>(QCoreApplication::instance())->SetPrompts(&Prompts);
}

TTestEnv::~TTestEnv() {
  Main.reset();
  static_cast<TApplication*>(QCoreApplication::instance())->SetPrompts(nullptr);
  // A question no test expected, an error box above all, fails the test that caused it; a test
  // that means to see one clears the list once it has looked.
  if (!Prompts.Unexpected.isEmpty() && QTest::currentTestFunction() != nullptr &&
      !QTest::currentTestFailed()) {
    const QByteArray asked =
        QStringLiteral("Unexpected prompts: %1").arg(Prompts.Unexpected.join(" | ")).toUtf8();
    QTest::qFail(asked.constData(), __FILE__, __LINE__);
  }
}

std::unique_ptr<TSettingsStore> TTestEnv::ReopenSettings() const {
  Settings->Flush();
  const QString copy = Dir.filePath(QStringLiteral("settings-reopened.ini"));
  QFile::remove(copy);
  QFile::copy(SettingsFile(), copy);
  return TSettingsStore::ForIniFile(copy);
}

TFrmMain& TTestEnv::MakeWindow(const QStringList& commandLine) {
  Main.reset();
  Main = std::make_unique<TFrmMain>(Platform);
  Main->SetCommandLineFiles(commandLine);
  return *Main;
}

void TTestEnv::DestroyWindow() {
  Main.reset();
}

QString TTestEnv::WriteFile(const QString& name, const QByteArray& bytes) const {
  const QString path = Dir.filePath(name);
  QDir().mkpath(QFileInfo(path).path());
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
    qFatal("cannot write test file %s", qPrintable(path));
  }
  return path;
}

QByteArray TTestEnv::ReadFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    return {};
  }
  return file.readAll();
}

}  // namespace qm
