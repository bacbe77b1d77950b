// SPDX-License-Identifier: GPL-3.0-or-later
// Program entry: the application, the system services, the main window, the message loop.
#include <QDir>
#include <QStringList>
#include <memory>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#include "app/application.h"
#include "app/cssmain.h"
#include "platform/httpformpost.h"
#include "platform/prompts.h"
#include "platform/settingsstore.h"
#include "platform/shell.h"
#include "platform/workfolder.h"

int main(int argc, char* argv[]) {
#ifdef Q_OS_UNIX
  // The preview browser's sandbox refuses to start for root.
  if (geteuid() == 0) {
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  }
#endif
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  qm::TApplication app(argc, argv);

  qm::TDialogPrompts prompts;
  app.SetPrompts(&prompts);
  const std::unique_ptr<qm::TSettingsStore> settings = qm::TSettingsStore::ForUser();
  qm::TSystemShell shell;
  qm::TNetworkFormPoster poster;
  qm::TPlatform platform;
  platform.Shell = &shell;
  platform.FormPoster = &poster;
  platform.Settings = settings.get();
  platform.Prompts = &prompts;
  platform.WorkFolder = qm::DefaultWorkFolder();
  platform.DataFolder = qm::DefaultDataFolder();

  qm::TFrmMain window(platform);
  prompts.SetParent(&window);
  QStringList files = QCoreApplication::arguments();
  files.removeFirst();
  window.SetCommandLineFiles(files);
  window.show();
  return app.exec();
}
