// SPDX-License-Identifier: GPL-3.0-or-later
// A main window over a temporary settings file, a temporary work folder and scripted prompts.
#pragma once

#include <QByteArray>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/application.h"
#include "app/cssmain.h"
#include "app/documenttabs.h"
#include "app/opendocument.h"
#include "app/previewpanel.h"
#include "app/propertiespanel.h"
#include "app/selectorspanel.h"
#include "app/visualeditorpanel.h"
#include "platform/httpformpost.h"
#include "platform/settingsstore.h"
#include "recordingshell.h"
#include "scriptedprompts.h"

namespace qm {

class TTestEnv {
 public:
  TTestEnv();
  ~TTestEnv();

  QString SettingsFile() const { return Dir.filePath(QStringLiteral("settings.ini")); }
  // The settings as a restarted program would read them from disk.
  std::unique_ptr<TSettingsStore> ReopenSettings() const;
  // A new main window over this environment (the previous one, if any, is destroyed first).
  TFrmMain& MakeWindow(const QStringList& commandLine = {});
  TFrmMain& Window() { return *Main; }
  void DestroyWindow();

  // Writes bytes to a file in the temporary folder and returns its path.
  QString WriteFile(const QString& name, const QByteArray& bytes) const;
  static QByteArray ReadFile(const QString& path);

  QTemporaryDir Dir;
  TScriptedPrompts Prompts;
  TRecordingShell Shell;
  // The real one: tests give the program the address of a server of their own.
  TNetworkFormPoster FormPoster;
  std::unique_ptr<TSettingsStore> Settings;
  TPlatform Platform;

 private:
  std::unique_ptr<TFrmMain> Main;
};

}  // namespace qm

namespace qm {

// The text of an editor, of a document, or of the window's active document, as bytes.
inline QByteArray Text(const TCssEditor* editor) {
  const std::string_view text = editor->Text();
  return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}
inline QByteArray Text(const TOpenDocument& document) {
  return Text(document.Editor());
}
inline QByteArray Text(const TFrmMain& w) {
  return Text(w.Tabs().CurrentEditor());
}

// The Visual Editor's picker of that object name; a test of a picker that is not there stops.
template <typename T>
T* Picker(TFrmMain& w, const char* name) {
  T* picker = w.VisualEditor().findChild<T*>(QLatin1String(name));
  if (picker == nullptr) {
    qFatal("no picker %s", name);
  }
  return picker;
}

}  // namespace qm

// A test program whose application shows command errors through the scripted prompts of the
// environment the test sets with SetPrompts.
#define QM_TEST_MAIN(TestObject)                                \
  int main(int argc, char* argv[]) {                            \
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts); \
    qm::TApplication app(argc, argv);                           \
    app.setAttribute(Qt::AA_Use96Dpi, true);                    \
    TestObject test;                                            \
    QTEST_SET_MAIN_SOURCE_PATH                                  \
    return QTest::qExec(&test, argc, argv);                     \
  }
