// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a command the way the event loop does, so that a failure is reported through the scripted
// prompts, where the program reports it, instead of reaching the test.
#pragma once

#include <QAction>
#include <QCoreApplication>
#include <QMetaObject>
#include <functional>

namespace qm {

inline void RunFromEventLoop(std::function<void()> command) {
  QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(command), Qt::QueuedConnection);
  QCoreApplication::processEvents();
}

inline void Trigger(QAction* action) {
  RunFromEventLoop([action] { action->trigger(); });
}

}  // namespace qm
