// SPDX-License-Identifier: GPL-3.0-or-later
// Runs one user command and shows its failure where the command starts, so that no exception
// ever unwinds through a signal-slot connection into the event loop.
#pragma once

#include <QString>
#include <exception>
#include <utility>

#include "platform/prompts.h"

namespace qm {

// Shows the error's message as an error box through the prompts.
void ReportCommandError(TPrompts& prompts, const std::exception& error);

// Calls command(); a failure is reported and answered with false, success with true.
template <class Command>
bool RunCommand(TPrompts& prompts, Command&& command) {
  try {
    std::forward<Command>(command)();
    return true;
  } catch (const std::exception& error) {
    ReportCommandError(prompts, error);
    return false;
  }
}

}  // namespace qm
