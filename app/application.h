// SPDX-License-Identifier: GPL-3.0-or-later
// The application object. Commands report their own failures where they start; an error that
// still reaches the event loop (an event handler outside any command) is shown here, as the
// last resort, so that the program keeps running.
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
