// SPDX-License-Identifier: GPL-3.0-or-later
// Program entry: the application, the system services, the main window, the message loop.
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <cstdio>
#include <memory>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#include "app/application.h"
#include "app/checkfiles.h"
#include "app/commandline.h"
#include "app/cssmain.h"
#include "app/testtypist.h"
#include "platform/httpformpost.h"
#include "platform/prompts.h"
#include "platform/settingsstore.h"
#include "platform/shell.h"
#include "platform/singleinstance.h"
#include "platform/workfolder.h"

int main(int argc, char* argv[]) {
#ifdef Q_OS_UNIX
  // The preview browser's sandbox refuses to start for root.
  if (geteuid() == 0) {
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  }
#endif
  QCommandLineParser options;
  qm::DescribeCommandLine(options);
  QStringList arguments;
  for (int i = 0; i < argc; ++i) {
    arguments << QString::fromLocal8Bit(argv[i]);
  }
  if (qm::AsksForAnswerOnly(arguments)) {
    // Answers and ends the program; no display is needed for that.
    const QCoreApplication answer(argc, argv);
    QCoreApplication::setApplicationVersion(qm::VersionText(qm::DefaultDataFolder()));
    options.process(answer);
    return 0;
  }
  // A command line the program cannot follow is a usage error: a message and exit code 2, before
  // anything needs a display.
  if (!options.parse(arguments)) {
    std::fprintf(stderr, "quillmere: %s\nTry \"quillmere --help\" for the options.\n",
                 options.errorText().toLocal8Bit().constData());
    return 2;
  }
  if (qm::AsksForCheck(arguments)) {
    // Checks the files and ends the program, with no display either.
    const QCoreApplication check(argc, argv);
    qm::TCheckRequest request;
    QString problem;
    if (!qm::CheckRequestFrom(options, request, problem)) {
      std::fprintf(stderr, "quillmere: %s\nTry \"quillmere --help\" for the options.\n",
                   problem.toLocal8Bit().constData());
      return 2;
    }
    return qm::CheckFiles(request, qm::DefaultDataFolder(), stdin, stdout, stderr);
  }

  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  qm::TApplication app(argc, argv);

  // A program of this user runs already: it opens the files, comes to the front, and this start
  // ends. Names are made absolute here, where they mean what the user meant.
  QStringList files;
  for (const QString& file : options.positionalArguments()) {
    files << QFileInfo(file).absoluteFilePath();
  }
  const QString instanceName = qm::TSingleInstance::UserName();
  if (qm::TSingleInstance::HandOver(instanceName, files)) {
    return 0;
  }
  qm::TSingleInstance instance(instanceName);
  instance.Listen();

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
  platform.RecoveryFolder = qm::DefaultRecoveryFolder();

  qm::TFrmMain window(platform);
  prompts.SetParent(&window);
  window.SetCommandLineFiles(options.positionalArguments());
  QObject::connect(&instance, &qm::TSingleInstance::FilesArrived, &window,
                   &qm::TFrmMain::OpenFromElsewhere);
  window.show();
  qm::StartTestTypist(window);
  return app.exec();
}
