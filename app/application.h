// SPDX-License-Identifier: GPL-3.0-or-later
// The application object: a command that fails throws, and the error is shown here, so that
// no exception crosses the event loop and the program keeps running.
#pragma once

#include <QApplication>

namespace qm {

class TPrompts;

class TApplication : public QApplication {
 public:
  TApplication(int& argc, char** argv);
  void SetPrompts(TPrompts* prompts) { Prompts = prompts; }
  bool notify(QObject* receiver, QEvent* event) override;

 private:
  TPrompts* Prompts = nullptr;
};

}  // namespace qm
